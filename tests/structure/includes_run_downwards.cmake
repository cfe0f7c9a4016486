# SPDX-License-Identifier: GPL-3.0-or-later
# Every #include in src/ runs downwards: a folder includes only its own
# headers and those of the folders below it.
#
#   core                       the career record, its files, numbers, text, ports
#   match, week                the match; the week's training, shops, events
#   season                     the round, the ladder, the finals, the season's end
#   draft                      the draft camp and the draft
#   game                       the façade both front ends drive
#   screens, sim               the Qt screens; the headless simulator
#   app, web                   the game's main(); the browser's binding (it drives
#                              the game as the simulator's player does, for tests)
#
# Run: cmake -DSOURCE=<repository> -P includes_run_downwards.cmake
set(rank_core 0)
set(rank_match 1)
set(rank_week 1)
set(rank_season 2)
set(rank_draft 3)
set(rank_game 4)
set(rank_screens 5)
set(rank_sim 5)
set(rank_app 6)
set(rank_web 6)

file(GLOB_RECURSE sources RELATIVE "${SOURCE}/src" "${SOURCE}/src/*.h" "${SOURCE}/src/*.cpp")
set(wrong "")
set(checked 0)
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+" folder "${source}")
  if(NOT DEFINED rank_${folder})
    string(APPEND wrong "\n  src/${source}: the folder '${folder}' has no place in the layers")
    continue()
  endif()
  file(STRINGS "${SOURCE}/src/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" header "${line}")
    math(EXPR checked "${checked} + 1")
    if(NOT header MATCHES "/")
      continue()  # a header beside the source, in the same folder
    endif()
    string(REGEX MATCH "^[^/]+" target "${header}")
    if(target STREQUAL folder)
      continue()
    endif()
    if(NOT DEFINED rank_${target})
      string(APPEND wrong "\n  src/${source} includes ${header}: no such folder under src/")
    elseif(NOT rank_${target} LESS rank_${folder})
      string(APPEND wrong "\n  src/${source} includes ${header}: ${target} is not below ${folder}")
    endif()
  endforeach()
endforeach()

if(wrong)
  message(FATAL_ERROR "Includes that do not run downwards:${wrong}")
endif()
message(STATUS "${checked} includes in src/ all run downwards")
