# Tests of the calculator window and its schedule table (orvanel_ui).
if(TARGET orvanel_ui)
  orvanel_add_test(tst_schedulemodel SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_schedulemodel.cpp LIBS orvanel_ui)
  orvanel_add_test(tst_mainwindow SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_mainwindow.cpp LIBS orvanel_ui)
  orvanel_add_test(tst_locales SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_locales.cpp LIBS orvanel_ui orvanel_report orvanel_shell)
endif()

# A long random session with the real window. In a sanitizer build it runs
# leak-checked (CI turns leak checking off for the other tests), with
# suppressions for leaks inside third-party libraries only.
if(TARGET orvanel_ui)
  orvanel_add_test(tst_soak SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_soak.cpp LIBS orvanel_ui orvanel_report orvanel_shell)
  if(TARGET tst_soak AND ORVANEL_SANITIZE)
    set_property(TEST tst_soak APPEND PROPERTY ENVIRONMENT
      "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1"
      "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0")
  endif()
endif()
