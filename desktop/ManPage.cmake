# cmake -DHELP2MAN=... -DGZIP=... -DPROGRAM=... -DSECTIONS=.../varnobel-view.h2m
#       -DRELEASE_DATE=YYYY-MM-DD -DOUTPUT=.../varnobel-view.1.gz -P ManPage.cmake
# Writes the manual page varnobel-view(1), compressed: help2man turns the program's --help into
# the options and the exit status and adds the hand-kept sections of SECTIONS. The page is dated
# by the release, not by the build, so the same sources always make the same bytes.
foreach(variable HELP2MAN GZIP PROGRAM SECTIONS RELEASE_DATE OUTPUT)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "ManPage.cmake needs -D${variable}=...")
  endif()
endforeach()

# Seconds from 1970-01-01 to the start of a day of the (proleptic Gregorian) calendar.
function(varnobel_epoch_of_date date out)
  if(NOT date MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
    message(FATAL_ERROR "not a date of the form YYYY-MM-DD: \"${date}\"")
  endif()
  set(year ${CMAKE_MATCH_1})
  set(month ${CMAKE_MATCH_2})
  set(day ${CMAKE_MATCH_3})
  # Leading zeros would read as octal.
  string(REGEX REPLACE "^0" "" month "${month}")
  string(REGEX REPLACE "^0" "" day "${day}")
  # Count from 1 March so that the leap day ends the year.
  if(month LESS_EQUAL 2)
    math(EXPR year "${year} - 1")
    math(EXPR month "${month} + 9")
  else()
    math(EXPR month "${month} - 3")
  endif()
  math(EXPR era "${year} / 400")
  math(EXPR year_of_era "${year} - ${era} * 400")
  math(EXPR day_of_year "(153 * ${month} + 2) / 5 + ${day} - 1")
  math(EXPR day_of_era
       "${year_of_era} * 365 + ${year_of_era} / 4 - ${year_of_era} / 100 + ${day_of_year}")
  math(EXPR days "${era} * 146097 + ${day_of_era} - 719468")
  math(EXPR seconds "${days} * 86400")
  set(${out} ${seconds} PARENT_SCOPE)
endfunction()

varnobel_epoch_of_date("${RELEASE_DATE}" epoch)

get_filename_component(program_name "${PROGRAM}" NAME)
string(TOUPPER "${program_name}" title)
set(page "${OUTPUT}")
string(REGEX REPLACE "\\.gz$" "" page "${page}")
get_filename_component(folder "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")

execute_process(
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch} LC_ALL=C.UTF-8
          ${HELP2MAN} --no-info --section=1 "--manual=User Commands"
          "--include=${SECTIONS}" "--output=${page}.tmp" "${PROGRAM}"
  RESULT_VARIABLE result
  ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "help2man failed (${result}): ${errors}")
endif()

file(READ "${page}.tmp" text)
file(REMOVE "${page}.tmp")

# help2man titles the page by the first word of the version line; the page is the command's.
string(REGEX REPLACE "\n\\.TH [^ ]+ " "\n.TH ${title} " text "${text}")

# help2man files the help's "Exit status:" list as a subsection of OPTIONS; it is a section of
# its own in a manual page, and it ends the options, so turning the heading over is enough.
string(FIND "${text}" "\n.SS \"Exit status:\"\n" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${program_name} --help lists no \"Exit status:\"; the manual page needs it")
endif()
string(REPLACE "\n.SS \"Exit status:\"\n" "\n.SH \"EXIT STATUS\"\n" text "${text}")

file(WRITE "${page}" "${text}")
include(${CMAKE_CURRENT_LIST_DIR}/Compress.cmake)
varnobel_gzip("${GZIP}" "${page}" "${OUTPUT}")
