# The tool as a user meets it: its exit statuses, its messages, and an OUT that a failed run
# leaves as it was. Run with -DTOOL=... -DEXAMPLES=... -DWORK=...
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(expect_status expected)
    if(NOT status EQUAL ${expected})
        message(FATAL_ERROR "exit status ${status}, expected ${expected}; stderr: ${errors}")
    endif()
endfunction()

execute_process(COMMAND "${TOOL}" RESULT_VARIABLE status ERROR_VARIABLE errors)
expect_status(2)
if(NOT errors MATCHES "usage: forecast-compose IN.json OUT")
    message(FATAL_ERROR "no usage text: ${errors}")
endif()

file(WRITE "${WORK}/bad.json" "{\"root\": {\"name\": 5}}")
file(WRITE "${WORK}/out.cfs" "previous contents")
execute_process(COMMAND "${TOOL}" "${WORK}/bad.json" "${WORK}/out.cfs"
                RESULT_VARIABLE status ERROR_VARIABLE errors)
expect_status(1)
if(NOT errors MATCHES "bad.json: root.name: expected a string")
    message(FATAL_ERROR "unexpected message: ${errors}")
endif()
file(READ "${WORK}/out.cfs" contents)
if(NOT contents STREQUAL "previous contents")
    message(FATAL_ERROR "a failed run changed OUT")
endif()

execute_process(COMMAND "${TOOL}" "${WORK}/missing.json" "${WORK}/out.cfs"
                RESULT_VARIABLE status ERROR_VARIABLE errors)
expect_status(1)

# A good run replaces OUT with exactly the committed example.
execute_process(COMMAND "${TOOL}" "${EXAMPLES}/basic.json" "${WORK}/out.cfs"
                RESULT_VARIABLE status ERROR_VARIABLE errors)
expect_status(0)
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/out.cfs"
                        "${EXAMPLES}/basic.cfb" RESULT_VARIABLE status)
expect_status(0)
file(GLOB leftovers "${WORK}/*")
list(LENGTH leftovers count)
if(NOT count EQUAL 2)
    message(FATAL_ERROR "files left beside OUT: ${leftovers}")
endif()
file(REMOVE_RECURSE "${WORK}")
