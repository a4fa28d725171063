# Installs the build tree into PREFIX and checks the installed layout.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc})")
endif()
set(expected
  bin/orvanel
  bin/orvanel-schedule
  share/applications/orvanel.desktop
  share/metainfo/com.example.Orvanel.metainfo.xml
  share/icons/hicolor/32x32/apps/orvanel.png
  share/icons/hicolor/256x256/apps/orvanel.png)
foreach(path IN LISTS expected)
  if(NOT EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
file(READ ${PREFIX}/share/metainfo/com.example.Orvanel.metainfo.xml metainfo)
if(NOT metainfo MATCHES "<release version=\"1.0.0\"")
  message(FATAL_ERROR "the metainfo names no release 1.0.0")
endif()
# The installed metainfo, desktop entry and icon fit together.
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net ${PREFIX}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate-tree failed:\n${out}")
  endif()
endif()
message(STATUS "install layout complete under ${PREFIX}")
