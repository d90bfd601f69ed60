# cmake -DMANIFEST=.../install_manifest.txt -P Uninstall.cmake
# Removes every file the last `cmake --install` put in place, as its manifest lists them, and
# refreshes the file-type, menu and icon caches of each data folder it removed files from.
include(${CMAKE_CURRENT_LIST_DIR}/RefreshCaches.cmake)

if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "Nothing to uninstall: ${MANIFEST} does not exist (run cmake --install "
                      "from this build first).")
endif()

file(STRINGS "${MANIFEST}" installed)
set(data_folders)
foreach(path IN LISTS installed)
  if(EXISTS "${path}" OR IS_SYMLINK "${path}")
    message(STATUS "Removing ${path}")
    file(REMOVE "${path}")
    if(EXISTS "${path}")
      message(FATAL_ERROR "Cannot remove ${path}")
    endif()
  endif()
  if(path MATCHES "^(.*)/(mime/packages|applications|icons/hicolor)/")
    list(APPEND data_folders "${CMAKE_MATCH_1}")
  endif()
endforeach()

list(REMOVE_DUPLICATES data_folders)
foreach(data IN LISTS data_folders)
  varnobel_refresh_caches("${data}")
endforeach()
