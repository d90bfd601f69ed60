# cmake -DBUILD_DIR=... -DPREFIX=... -P InstallTest.cmake
# Installs the build into PREFIX and checks the program, the menu entry, the file type and the
# icons; where update-mime-database is present, also that the four extensions map to the type.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
  bin/varnobel-view
  share/applications/varnobel-view.desktop
  share/mime/packages/varnobel-view.xml
  share/icons/hicolor/scalable/apps/varnobel-view.svg
  share/icons/hicolor/48x48/apps/varnobel-view.png
  share/icons/hicolor/256x256/apps/varnobel-view.png)
foreach(path IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

file(READ "${PREFIX}/share/applications/varnobel-view.desktop" entry)
foreach(line "Exec=varnobel-view %f" "Icon=varnobel-view"
             "MimeType=application/x-varnobel-forecast;")
  string(FIND "${entry}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the menu entry lacks \"${line}\"")
  endif()
endforeach()

find_program(update_mime update-mime-database)
if(update_mime)
  execute_process(COMMAND ${update_mime} "${PREFIX}/share/mime" RESULT_VARIABLE result
                  OUTPUT_QUIET ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "update-mime-database refused the file type: ${errors}")
  endif()
  file(READ "${PREFIX}/share/mime/globs2" globs)
  foreach(extension cfb cfs cfa cff)
    string(FIND "${globs}" "application/x-varnobel-forecast:*.${extension}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "*.${extension} does not map to the forecast type")
    endif()
  endforeach()
endif()
