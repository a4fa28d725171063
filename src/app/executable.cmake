# orvanel: the application executable.
if(TARGET orvanel_ui)
  add_executable(orvanel ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
  target_link_libraries(orvanel PRIVATE orvanel_ui)
  if(TARGET orvanel_shell)
    target_link_libraries(orvanel PRIVATE orvanel_shell)
  endif()
  install(TARGETS orvanel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
