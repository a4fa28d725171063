# Tests of the window's own controls and of the pop-up calculator's engine.
orvanel_add_test(tst_calculatorengine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/../calc/tst_calculatorengine.cpp
  LIBS orvanel_calc)
if(TARGET orvanel_controls)
  orvanel_add_test(tst_numericedit
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_numericedit.cpp
    LIBS orvanel_controls)
  orvanel_add_test(tst_trackbar
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_trackbar.cpp
    LIBS orvanel_controls)
endif()
