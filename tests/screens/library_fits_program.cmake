# SPDX-License-Identifier: GPL-3.0-or-later
# The Career screen's library takes the game's own symbols (the km namespace)
# from the program that loads it: each one it needs must be among those the
# game's program gives, or the library would not load in the game.
#   cmake -DNM=nm -DGAME=kickmark -DLIBRARY=libkickmark-charts.so -P library_fits_program.cmake
cmake_minimum_required(VERSION 3.25)
foreach(file IN ITEMS GAME LIBRARY)
  if(NOT EXISTS "${${file}}")
    message(FATAL_ERROR "No ${file} at ${${file}}")
  endif()
endforeach()
execute_process(COMMAND ${NM} -D --undefined-only --format=just-symbols ${LIBRARY}
                OUTPUT_VARIABLE needed COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${NM} -D --defined-only --format=just-symbols ${GAME}
                OUTPUT_VARIABLE given COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "\n" ";" needed "${needed}")
string(REPLACE "\n" ";" given "${given}")
# The game's namespace, mangled: a name in it begins "2km" and a length.
list(FILTER needed INCLUDE REGEX "[A-Z]2km[0-9]")
list(LENGTH needed count)
if(count EQUAL 0)
  message(FATAL_ERROR "${LIBRARY} takes nothing of the game's: is it the Career screen's library?")
endif()
list(REMOVE_ITEM needed ${given})
if(needed)
  list(JOIN needed "\n  " missing)
  message(FATAL_ERROR "The game's program does not give what its library needs:\n  ${missing}")
endif()
message(STATUS "The library's ${count} symbols of the game's are all in the game's program.")
