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
  # A short session under valgrind's memcheck: start with a settings file,
  # 150 actions, three reports, the close. Skipped (77) without valgrind; not
  # in a sanitizer build, where valgrind cannot run. valgrind computes long
  # double at double precision, so refused calculations are checked there
  # rather than failed.
  if(TARGET tst_soak AND NOT ORVANEL_SANITIZE)
    add_test(NAME tst_soak_memcheck
             COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/valgrind_memcheck.sh ${PROJECT_SOURCE_DIR}/tests/valgrind.supp
                     $<TARGET_FILE:tst_soak>)
    set_tests_properties(tst_soak_memcheck PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 600
      ENVIRONMENT "${ORVANEL_TEST_ENV};ORVANEL_SOAK_ACTIONS=150;ORVANEL_SOAK_REPORT_EVERY=50;ORVANEL_SOAK_NO_RSS_CHECK=1")
  endif()
endif()
