# varnobel_refresh_caches(DATA_DIR): brings the desktop's caches under DATA_DIR (a share/ folder)
# up to date with the file types, menu entries and icons installed there, so that they take
# effect at once. A missing tool or a failure only leaves a cache for the desktop to rebuild.
function(varnobel_refresh_caches data)
  find_program(VARNOBEL_UPDATE_MIME update-mime-database)
  if(VARNOBEL_UPDATE_MIME AND IS_DIRECTORY "${data}/mime/packages")
    execute_process(COMMAND ${VARNOBEL_UPDATE_MIME} "${data}/mime" RESULT_VARIABLE ignored
                    OUTPUT_QUIET ERROR_QUIET)
  endif()
  find_program(VARNOBEL_UPDATE_DESKTOP update-desktop-database)
  if(VARNOBEL_UPDATE_DESKTOP AND IS_DIRECTORY "${data}/applications")
    execute_process(COMMAND ${VARNOBEL_UPDATE_DESKTOP} "${data}/applications"
                    RESULT_VARIABLE ignored OUTPUT_QUIET ERROR_QUIET)
  endif()
  find_program(VARNOBEL_UPDATE_ICONS gtk-update-icon-cache)
  if(VARNOBEL_UPDATE_ICONS AND IS_DIRECTORY "${data}/icons/hicolor")
    execute_process(COMMAND ${VARNOBEL_UPDATE_ICONS} -q -t -f "${data}/icons/hicolor"
                    RESULT_VARIABLE ignored OUTPUT_QUIET ERROR_QUIET)
  endif()
endfunction()
