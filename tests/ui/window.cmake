# Tests of the calculator window and its schedule table (orvanel_ui).
if(TARGET orvanel_ui)
  orvanel_add_test(tst_schedulemodel SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_schedulemodel.cpp LIBS orvanel_ui)
  orvanel_add_test(tst_mainwindow SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_mainwindow.cpp LIBS orvanel_ui)
  orvanel_add_test(tst_locales SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_locales.cpp LIBS orvanel_ui orvanel_report orvanel_shell)
endif()
