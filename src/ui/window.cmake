# orvanel_ui: the calculator window, its handlers, the schedule table model
# and the grid. Needs the controls (controls.cmake) and the calculation.
if(TARGET orvanel_controls)
  add_library(orvanel_ui STATIC
    ${CMAKE_CURRENT_LIST_DIR}/anchoredpanel.cpp ${CMAKE_CURRENT_LIST_DIR}/anchoredpanel.h
    ${CMAKE_CURRENT_LIST_DIR}/appfonts.cpp ${CMAKE_CURRENT_LIST_DIR}/appfonts.h
    ${CMAKE_CURRENT_LIST_DIR}/mainwindowlayout.cpp ${CMAKE_CURRENT_LIST_DIR}/mainwindowlayout.h
    ${CMAKE_CURRENT_LIST_DIR}/radiogroup.cpp ${CMAKE_CURRENT_LIST_DIR}/radiogroup.h
    ${CMAKE_CURRENT_LIST_DIR}/schedulegrid.cpp ${CMAKE_CURRENT_LIST_DIR}/schedulegrid.h
    ${CMAKE_CURRENT_LIST_DIR}/schedulemodel.cpp ${CMAKE_CURRENT_LIST_DIR}/schedulemodel.h
    ${CMAKE_CURRENT_LIST_DIR}/tfrmminpmt.cpp ${CMAKE_CURRENT_LIST_DIR}/tfrmminpmt.h
  )
  qt_add_resources(orvanel_ui orvanel_ui_pictures
    PREFIX /ui
    BASE ${CMAKE_CURRENT_LIST_DIR}
    FILES ${CMAKE_CURRENT_LIST_DIR}/icons/exit.png ${CMAKE_CURRENT_LIST_DIR}/icons/print.png ${CMAKE_CURRENT_LIST_DIR}/icons/print-disabled.png
  )
  target_include_directories(orvanel_ui PUBLIC ${CMAKE_CURRENT_LIST_DIR})
  target_link_libraries(orvanel_ui PUBLIC orvanel_controls orvanel_calc Qt6::Widgets Qt6::PrintSupport)
  # Settings file, placement keeper, property store and About window.
  target_link_libraries(orvanel_ui PUBLIC orvanel_shell)
  # The printed report and its preview (the Print button).
  target_link_libraries(orvanel_ui PUBLIC orvanel_report)
endif()
