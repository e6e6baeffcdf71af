# Every source folder of the engine and the game is one object library, named
# after the folder (engine/container -> vo_container, game/pda -> mg_pda); the
# objects of all of them make up one static library, vo_engine for the engine
# and mg_gamelib for the game. Sources are picked up by glob so a new class
# needs no CMake edit.

set(VO_ENGINE_PARTS "" CACHE INTERNAL "")

# The object library of one folder's sources, which sees the engine's and the
# game's headers, added to the list of parts named by parts_var.
function(vo_object_library name parts_var)
  add_library(${name} OBJECT ${ARGN})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/engine" "${PROJECT_SOURCE_DIR}/game")
  target_compile_options(${name} PRIVATE -Werror=return-type)
  if(VO_FUZZ)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
  set(${parts_var} ${${parts_var}} ${name} CACHE INTERNAL "")
endfunction()

# The static library made of the objects of every part in the list.
function(vo_combined_library name)
  set(_objects "")
  foreach(_part ${ARGN})
    list(APPEND _objects $<TARGET_OBJECTS:${_part}>)
  endforeach()
  add_library(${name} STATIC ${_objects})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/engine" "${PROJECT_SOURCE_DIR}/game")
endfunction()

# An engine folder: its sources and those of its sub-folders (platform/port),
# but for the global operators, which go into every program as objects.
function(vo_folder_library name)
  file(GLOB _sources CONFIGURE_DEPENDS
       "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp"
       "${CMAKE_CURRENT_SOURCE_DIR}/*/*.cpp")
  list(FILTER _sources EXCLUDE REGEX "/operators/")
  if(NOT _sources)
    return()
  endif()
  vo_object_library(${name} VO_ENGINE_PARTS ${_sources})
endfunction()

# The game's folders: game/ itself is mg_root, game/util mg_util, a nested
# folder game/puzzles/cigarband mg_puzzles_cigarband. Each takes only its own
# sources (its sub-folders are libraries of their own); game/main.cpp, the
# program's entry, belongs to the program alone.
set(MG_GAME_PARTS "" CACHE INTERNAL "")

function(mg_folder_library name dir)
  file(GLOB _sources CONFIGURE_DEPENDS "${dir}/*.cpp")
  list(REMOVE_ITEM _sources "${PROJECT_SOURCE_DIR}/game/main.cpp")
  if(NOT _sources)
    return()
  endif()
  vo_object_library(${name} MG_GAME_PARTS ${_sources})
endfunction()

# The tests' own sources are compiled without optimisation and with line
# tables only: they are most of the build's sources and, optimised with full
# debug information, took three to four times as long to compile, while the
# code they test (the engine's and the game's libraries) stays optimised.
set(VO_TEST_COMPILE_OPTIONS -O0 -g1)

# One GoogleTest executable per test folder (tests/container -> container_tests,
# tests/game/util -> game_util_tests), linked with the given support library
# (vo_testsupport for the engine's folders, mg_testsupport for the game's);
# every case becomes a CTest test named Suite.Case.
function(vo_test_folder name dir support)
  file(GLOB _sources CONFIGURE_DEPENDS "${dir}/*.cpp")
  if(NOT _sources)
    return()
  endif()
  add_executable(${name} ${_sources})
  target_compile_options(${name} PRIVATE ${VO_TEST_COMPILE_OPTIONS})
  target_link_libraries(${name} PRIVATE ${support} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/testrun"
    DISCOVERY_TIMEOUT 120
    PROPERTIES ENVIRONMENT "SDL_VIDEODRIVER=offscreen;SDL_AUDIODRIVER=dummy")
endfunction()
