# Starts the game where no display can be opened, as a user without one
# would: nothing says where a display is and SDL_VIDEODRIVER is unset. The
# game must end at once with a non-zero exit code and one line on standard
# error, which its log holds too. Run as a script:
#   cmake -DVO_GAME=<mg_game> -DVO_SOURCE_DIR=<tree> -DVO_WORK=<scratch folder>
#         -P VoCheckNoDisplay.cmake
# A machine with a console display (/dev/dri) may open it: the check is
# skipped there.
cmake_minimum_required(VERSION 3.25)

foreach(_var VO_GAME VO_SOURCE_DIR VO_WORK)
  if(NOT DEFINED ${_var})
    message(FATAL_ERROR "VoCheckNoDisplay: ${_var} is not set")
  endif()
endforeach()
if(EXISTS "/dev/dri")
  message("SKIPPED: this machine has a console display")
  return()
endif()

# The game runs in a folder of its own, beside the sample data tree.
file(REMOVE_RECURSE "${VO_WORK}")
file(MAKE_DIRECTORY "${VO_WORK}")
file(CREATE_LINK "${VO_SOURCE_DIR}/data" "${VO_WORK}/data" SYMBOLIC)
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=SDL_VIDEODRIVER "${VO_GAME}"
  WORKING_DIRECTORY "${VO_WORK}"
  RESULT_VARIABLE _result
  OUTPUT_VARIABLE _out
  ERROR_VARIABLE _err
  TIMEOUT 60)

set(_line_start "The display could not be opened: ")
set(_faults "")
if(_result STREQUAL "0" OR NOT _result MATCHES "^[0-9]+$")
  list(APPEND _faults "the game ended with '${_result}', not a non-zero exit code")
endif()
string(REGEX MATCHALL "\n" _breaks "${_err}")
list(LENGTH _breaks _lines)
string(FIND "${_err}" "${_line_start}" _at)
if(NOT _lines EQUAL 1 OR NOT _at EQUAL 0)
  list(APPEND _faults "standard error is not one line saying so: '${_err}'")
endif()
file(READ "${VO_WORK}/log.txt" _log)
string(STRIP "${_err}" _said)
string(FIND "${_log}" "${_said}\n" _logged)
if(_said STREQUAL "" OR _logged EQUAL -1)
  list(APPEND _faults "the log does not hold that line")
endif()
if(_faults)
  list(JOIN _faults "\n  " _text)
  message(FATAL_ERROR "Without a display:\n  ${_text}")
endif()
file(REMOVE_RECURSE "${VO_WORK}")
