# Every test runs with a home of its own inside the build folder: its own settings, data, cache
# and runtime folder, and Qt's offscreen platform. So a plain `ctest` neither reads nor changes
# the settings of the person running it, and passes while a viewer of theirs is open (the viewer's
# instance lock lives in the runtime folder). The home is made afresh at the start of each run.
#
# Register tests with varnobel_discover_tests(target) for GoogleTest executables and
# varnobel_isolate_tests(name...) after add_test for the others.
include(GoogleTest)

set(VARNOBEL_TEST_HOME "${CMAKE_BINARY_DIR}/test-home")
set(VARNOBEL_TEST_ENVIRONMENT
    "HOME=${VARNOBEL_TEST_HOME}"
    "XDG_CONFIG_HOME=${VARNOBEL_TEST_HOME}/config"
    "XDG_DATA_HOME=${VARNOBEL_TEST_HOME}/data"
    "XDG_CACHE_HOME=${VARNOBEL_TEST_HOME}/cache"
    "XDG_STATE_HOME=${VARNOBEL_TEST_HOME}/state"
    "XDG_RUNTIME_DIR=${VARNOBEL_TEST_HOME}/runtime"
    "QT_QPA_PLATFORM=offscreen")

add_test(NAME test-home
         COMMAND ${CMAKE_COMMAND} -DHOME=${VARNOBEL_TEST_HOME}
                 -P ${CMAKE_CURRENT_LIST_DIR}/MakeTestHome.cmake)
set_tests_properties(test-home PROPERTIES FIXTURES_SETUP test-home)

function(varnobel_isolate_tests)
  set_tests_properties(${ARGN} PROPERTIES ENVIRONMENT "${VARNOBEL_TEST_ENVIRONMENT}"
                       FIXTURES_REQUIRED test-home)
endfunction()

# gtest_discover_tests(target ...) with the tests' own home; further arguments pass through. The
# tests are known only when CTest reads the list the discovery wrote, so the properties are set
# by a file CTest reads after that list.
function(varnobel_discover_tests target)
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 TEST_LIST ${target}_TESTS ${ARGN})
  set(properties "${CMAKE_CURRENT_BINARY_DIR}/${target}_environment.cmake")
  file(WRITE "${properties}"
       "if(${target}_TESTS)\n"
       "  set_tests_properties(\${${target}_TESTS} PROPERTIES\n"
       "    ENVIRONMENT \"${VARNOBEL_TEST_ENVIRONMENT}\" FIXTURES_REQUIRED test-home)\n"
       "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${properties}")
endfunction()
