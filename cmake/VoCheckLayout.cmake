# Keeps the engine's folders depending only downward. Run as a script:
#   cmake -DVO_SOURCE_DIR=<tree> -DVO_ENGINE_FOLDERS=<lowest first>
#         -DVO_ENGINE_FOUNDATION=<folders that may include one another>
#         -P VoCheckLayout.cmake
# Fails when a file under engine/<folder> includes a header of a folder listed
# after its own (foundation folders among themselves excepted) or outside the
# engine, when a folder of engine/ is not listed, or when the README's
# "Layout" does not list the folders in the same order.
cmake_minimum_required(VERSION 3.25)

foreach(_var VO_SOURCE_DIR VO_ENGINE_FOLDERS VO_ENGINE_FOUNDATION)
  if(NOT DEFINED ${_var})
    message(FATAL_ERROR "VoCheckLayout: ${_var} is not set")
  endif()
endforeach()

set(_faults "")

file(GLOB _entries RELATIVE "${VO_SOURCE_DIR}/engine" "${VO_SOURCE_DIR}/engine/*")
foreach(_entry ${_entries})
  if(IS_DIRECTORY "${VO_SOURCE_DIR}/engine/${_entry}" AND NOT _entry IN_LIST VO_ENGINE_FOLDERS)
    list(APPEND _faults "engine/${_entry} is not in the engine's folder list")
  endif()
endforeach()

set(_rank 0)
foreach(_folder ${VO_ENGINE_FOLDERS})
  set(_rank_${_folder} ${_rank})
  math(EXPR _rank "${_rank} + 1")
endforeach()

foreach(_folder ${VO_ENGINE_FOLDERS})
  file(GLOB_RECURSE _files RELATIVE "${VO_SOURCE_DIR}"
       "${VO_SOURCE_DIR}/engine/${_folder}/*.h" "${VO_SOURCE_DIR}/engine/${_folder}/*.cpp")
  foreach(_file ${_files})
    file(STRINGS "${VO_SOURCE_DIR}/${_file}" _includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(_line ${_includes})
      if(NOT _line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"(([^\"/]*)[^\"]*)\"")
        continue()
      endif()
      set(_header "${CMAKE_MATCH_1}")
      set(_target "${CMAKE_MATCH_2}")
      if(NOT _target IN_LIST VO_ENGINE_FOLDERS)
        list(APPEND _faults "${_file} includes ${_header}, outside the engine's folders")
      elseif(_rank_${_target} GREATER _rank_${_folder})
        if(NOT (_folder IN_LIST VO_ENGINE_FOUNDATION AND _target IN_LIST VO_ENGINE_FOUNDATION))
          list(APPEND _faults "${_file} includes ${_header}, from a folder above ${_folder}")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

# The README lists one folder a line: "- `engine/<folder>`: ...".
file(STRINGS "${VO_SOURCE_DIR}/README.md" _readme REGEX "^- `engine/[a-z]+`")
set(_listed "")
foreach(_line ${_readme})
  string(REGEX REPLACE "^- `engine/([a-z]+)`.*$" "\\1" _name "${_line}")
  list(APPEND _listed ${_name})
endforeach()
if(NOT "${_listed}" STREQUAL "${VO_ENGINE_FOLDERS}")
  list(JOIN _listed ", " _readme_order)
  list(JOIN VO_ENGINE_FOLDERS ", " _build_order)
  list(APPEND _faults "README.md lists the folders as (${_readme_order}), the build as (${_build_order})")
endif()

if(_faults)
  list(JOIN _faults "\n  " _report)
  message(FATAL_ERROR "Engine layout:\n  ${_report}")
endif()
list(LENGTH VO_ENGINE_FOLDERS _count)
message(STATUS "Engine layout: ${_count} folders, every include downward")
