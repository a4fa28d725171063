# Tests of the window's own controls and of the pop-up calculator's engine.
orvanel_add_test(tst_calculatorengine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/../calc/tst_calculatorengine.cpp
  LIBS orvanel_calc)
if(TARGET orvanel_controls)
  foreach(name tst_numericedit tst_trackbar)
    if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp)
      orvanel_add_test(${name} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp LIBS orvanel_controls)
    endif()
  endforeach()
endif()
