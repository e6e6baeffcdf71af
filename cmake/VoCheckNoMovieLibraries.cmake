# Keeps FFmpeg out of a program's start: the movie decoder loads it when the
# first movie opens, so the program itself must not need it. Run as a script:
#   cmake -DVO_PROGRAM=<program> -DVO_OBJDUMP=<objdump> -P VoCheckNoMovieLibraries.cmake
# Fails when the program's dynamic section needs one of FFmpeg's libraries.
cmake_minimum_required(VERSION 3.25)

foreach(_var VO_PROGRAM VO_OBJDUMP)
  if(NOT DEFINED ${_var})
    message(FATAL_ERROR "VoCheckNoMovieLibraries: ${_var} is not set")
  endif()
endforeach()

execute_process(COMMAND "${VO_OBJDUMP}" -p "${VO_PROGRAM}" OUTPUT_VARIABLE _headers RESULT_VARIABLE _result)
if(NOT _result EQUAL 0 OR NOT _headers MATCHES "NEEDED")
  message(FATAL_ERROR "VoCheckNoMovieLibraries: cannot read the dynamic section of ${VO_PROGRAM}")
endif()
string(REGEX MATCHALL "NEEDED +lib(avformat|avcodec|avutil|swscale|swresample)[^\n]*" _movie "${_headers}")
if(_movie)
  message(FATAL_ERROR "${VO_PROGRAM} needs the movie libraries at start-up: ${_movie}")
endif()
