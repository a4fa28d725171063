# orvanel_shell: the application shell's parts that the window and start-up use:
# ApplicationInfo, the settings file (IniStore) and where it lives, the
# window-placement keeper (FormState), the property store, the About window
# with its link labels, and the program's pictures as resources.
add_library(orvanel_shell STATIC
  ${CMAKE_CURRENT_LIST_DIR}/applicationinfo.cpp ${CMAKE_CURRENT_LIST_DIR}/applicationinfo.h
  ${CMAKE_CURRENT_LIST_DIR}/appicon.cpp ${CMAKE_CURRENT_LIST_DIR}/appicon.h
  ${CMAKE_CURRENT_LIST_DIR}/inistore.cpp ${CMAKE_CURRENT_LIST_DIR}/inistore.h
  ${CMAKE_CURRENT_LIST_DIR}/settingslocation.cpp ${CMAKE_CURRENT_LIST_DIR}/settingslocation.h
  ${CMAKE_CURRENT_LIST_DIR}/formstate.cpp ${CMAKE_CURRENT_LIST_DIR}/formstate.h
  ${CMAKE_CURRENT_LIST_DIR}/propertystore.cpp ${CMAKE_CURRENT_LIST_DIR}/propertystore.h
  ${CMAKE_CURRENT_LIST_DIR}/minpmtproperties.h
  ${CMAKE_CURRENT_LIST_DIR}/urllabel.cpp ${CMAKE_CURRENT_LIST_DIR}/urllabel.h
  ${CMAKE_CURRENT_LIST_DIR}/tfrmabout.cpp ${CMAKE_CURRENT_LIST_DIR}/tfrmabout.h
)
target_include_directories(orvanel_shell PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(orvanel_shell PUBLIC Qt6::Widgets Qt6::Gui)
set_target_properties(orvanel_shell PROPERTIES AUTOMOC ON)

# Pictures: the icon sizes installed in the hicolor theme double as the window
# icon; the logo belongs to the About window.
set(_orvanel_data ${CMAKE_CURRENT_LIST_DIR}/../../data)
set(_orvanel_icon_sizes 16 32 48 64 128 256)
set(_orvanel_pictures ${CMAKE_CURRENT_LIST_DIR}/pictures/logo.png)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/pictures/logo.png
  PROPERTIES QT_RESOURCE_ALIAS logo.png)
foreach(size IN LISTS _orvanel_icon_sizes)
  set(_icon ${_orvanel_data}/icons/hicolor/${size}x${size}/apps/orvanel.png)
  set_source_files_properties(${_icon} PROPERTIES QT_RESOURCE_ALIAS icons/${size}/orvanel.png)
  list(APPEND _orvanel_pictures ${_icon})
endforeach()
qt_add_resources(orvanel_shell orvanel_pictures PREFIX /orvanel FILES ${_orvanel_pictures})

# Desktop install: the desktop entry, the icon in the hicolor theme and the
# AppStream metainfo.
install(FILES ${_orvanel_data}/orvanel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_orvanel_data}/com.example.Orvanel.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN LISTS _orvanel_icon_sizes)
  install(FILES ${_orvanel_data}/icons/hicolor/${size}x${size}/apps/orvanel.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The command-line tool is defined in a later folder, so its install rule runs
# once the whole project has been read (skipped when it is not built here).
# The orvanel executable's rule stands beside its target in executable.cmake.
function(orvanel_install_programs)
  foreach(program orvanel-schedule)
    if(TARGET ${program})
      install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL orvanel_install_programs)
