# cmake -DPROGRAM=... -DFORECAST=... -DWORK=... -P ProgramStartTest.cmake
# The program as a script or a desktop without a display starts it: --version, -v and --help
# answer without any display, and the window, asked for without one, says so in one line and
# ends with status 2. None of them writes anything into the home (WORK) or its settings.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/config")
set(bare ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
         --unset=XDG_DATA_HOME --unset=XDG_CACHE_HOME --unset=XDG_STATE_HOME
         HOME=${WORK} XDG_CONFIG_HOME=${WORK}/config)

function(run)
  execute_process(COMMAND ${bare} "${PROGRAM}" ${ARGN}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(status "${status}" PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect what actual expected)
  if(NOT "${actual}" STREQUAL "${expected}")
    message(FATAL_ERROR "${what}: \"${actual}\", expected \"${expected}\"")
  endif()
endfunction()

foreach(option --version -v)
  run(${option})
  expect("${option} status" "${status}" 0)
  expect("${option} output" "${out}" "Varnobel Viewer 1.0.5.3\n")
  expect("${option} errors" "${err}" "")
endforeach()

run(--help)
expect("--help status" "${status}" 0)
expect("--help errors" "${err}" "")
string(FIND "${out}" "varnobel-view [FILE] [Bas|Std|Adv]" at)
if(at EQUAL -1)
  message(FATAL_ERROR "--help lacks the window's form: ${out}")
endif()

foreach(window "${FORECAST}" "${FORECAST}|Std" "--edition|Adv")
  string(REPLACE "|" ";" arguments "${window}")
  run(${arguments})
  expect("window without a display (${window}): status" "${status}" 2)
  expect("window without a display (${window}): output" "${out}" "")
  if(NOT err MATCHES "^varnobel-view: the window needs a display[^\n]*--export[^\n]*\n$")
    message(FATAL_ERROR "not one line naming the display and the export: \"${err}\"")
  endif()
endforeach()

file(GLOB_RECURSE written LIST_DIRECTORIES true "${WORK}/*")
if(NOT written STREQUAL "${WORK}/config")
  message(FATAL_ERROR "the runs wrote into the home: ${written}")
endif()
