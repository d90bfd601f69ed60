# varnobel_gzip(GZIP INPUT OUTPUT): compresses INPUT into OUTPUT as Debian wants manual pages and
# changelogs: best compression, and without the file's name and time in the header, so the same
# text always makes the same bytes. OUTPUT is replaced only once it is complete.
# As a script: cmake -DGZIP=... -DINPUT=... -DOUTPUT=... -P Compress.cmake
function(varnobel_gzip gzip input output)
  get_filename_component(folder "${output}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  execute_process(COMMAND ${gzip} -9 -n -c "${input}"
                  OUTPUT_FILE "${output}.tmp"
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    file(REMOVE "${output}.tmp")
    message(FATAL_ERROR "gzip ${input} failed: ${result}")
  endif()
  file(RENAME "${output}.tmp" "${output}")
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  varnobel_gzip("${GZIP}" "${INPUT}" "${OUTPUT}")
endif()
