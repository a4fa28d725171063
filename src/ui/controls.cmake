# orvanel_controls: the window's own controls (numeric edit with its pop-up
# calculator, the painted slider and the slider scale painting).
add_library(orvanel_controls STATIC
  ${CMAKE_CURRENT_LIST_DIR}/numericedit.cpp ${CMAKE_CURRENT_LIST_DIR}/numericedit.h
  ${CMAKE_CURRENT_LIST_DIR}/popupcalculator.cpp ${CMAKE_CURRENT_LIST_DIR}/popupcalculator.h
  ${CMAKE_CURRENT_LIST_DIR}/trackbar.cpp ${CMAKE_CURRENT_LIST_DIR}/trackbar.h
  ${CMAKE_CURRENT_LIST_DIR}/sliderscale.cpp ${CMAKE_CURRENT_LIST_DIR}/sliderscale.h
)
target_include_directories(orvanel_controls PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(orvanel_controls PUBLIC orvanel_calc Qt6::Widgets)
