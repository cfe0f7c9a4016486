# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the built kickmark-sim and checks that its exit code reaches the shell:
#   cmake -DSIM=<path of kickmark-sim> -DWORK=<scratch folder> [-DRUNNER=node]
#         -P cli_exit_codes.cmake
# RUNNER runs a kickmark-sim.js built for Node.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(expect_exit code)
  execute_process(COMMAND ${RUNNER} "${SIM}" --data-dir "${WORK}" ${ARGN}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL code)
    message(FATAL_ERROR "kickmark-sim ${ARGN}: exit ${result}, expected ${code}\n${out}${err}")
  endif()
  set(err "${err}" PARENT_SCOPE)
endfunction()

# The files of the scratch folder and their bytes' hashes.
function(folder_state out)
  file(GLOB_RECURSE files "${WORK}/*")
  set(state)
  foreach(f IN LISTS files)
    file(SHA256 "${f}" sum)
    string(APPEND state "${f} ${sum}\n")
  endforeach()
  set(${out} "${state}" PARENT_SCOPE)
endfunction()

# Arguments it refuses: exit 2, a word on stderr about the option at fault,
# and no file written.
function(expect_refusal pattern)
  folder_state(before)
  expect_exit(2 ${ARGN})
  folder_state(after)
  if(NOT err MATCHES "${pattern}" OR NOT before STREQUAL after)
    message(FATAL_ERROR "kickmark-sim ${ARGN}: stderr \"${err}\", files ${after}")
  endif()
endfunction()

set(answers --name "Jo Kelly" --city Perth --state "Western Australia" --height 180
            --weight 75 --position Wing --skills 40,40,40,40,40)
# Another player's answers: no two careers of a folder may share a player's name.
set(others --name "Bo Kelly" --city Perth --state "Western Australia" --height 180
           --weight 75 --position Wing --skills 40,40,40,40,40)
expect_exit(0 new --career Cli ${answers})
expect_exit(0 show --career Cli)
expect_refusal(--skills new --career Cli2 ${answers} --skills 40,40)
expect_refusal(--skills new --career Cli2 ${answers} --skills 40,40,40,40,101)
expect_refusal(--skills new --career Cli2 ${answers} --skills 40,40,40,40,40,)
expect_refusal(subcommand)
expect_refusal("--weeks N, --seasons N or --to-end" play --career Cli)
expect_refusal(--weeks play --career Cli --weeks 0)
expect_refusal(excludes play --career Cli --weeks 2 --seasons 1)
expect_refusal(excludes play --career Cli --seasons 2 --to-end)
expect_refusal(--policy play --career Cli --to-end --policy lazy)
expect_refusal(--career play --weeks 1)
expect_exit(2 new --career "" ${answers})
# His history files are named after the player: another career of his name is refused.
expect_refusal("has a player named Jo Kelly" new --career Cli2 ${answers})
# A name with a full stop first would make hidden files.
expect_refusal("full stop" new --career .Cli ${others})
expect_refusal("full stop" new --career .. ${others})
expect_exit(3 show --career Nobody)
expect_exit(3 log --career Nobody)
expect_exit(0 hall-of-fame)
expect_exit(0 play --career Cli --weeks 1)
expect_exit(3 play --career Nobody --weeks 1)
# A new career whose fixture cannot be written is not saved, and says why.
file(MAKE_DIRECTORY "${WORK}/BlockedFixture.kmf")
expect_exit(4 new --career Blocked ${others})
if(EXISTS "${WORK}/Blocked.kms")
  message(FATAL_ERROR "a new career was saved without its fixture")
endif()
if(NOT err MATCHES "^The season's fixture could not be written\\. BlockedFixture\\.kmf")
  message(FATAL_ERROR "a fixture not written, but stderr says: ${err}")
endif()
# A career whose lock file another program holds (here flock(1)) is open
# elsewhere: each command exits 6 and writes nothing; once that program has
# ended, the career plays on. (Not under Node: emscripten's flock takes no
# lock of the system's, so the WebAssembly build cannot see one, nor hold one.)
find_program(FLOCK flock)
if(FLOCK AND NOT RUNNER)
  folder_state(before)
  # The commands that only read take no lock.
  foreach(command log hall-of-fame)
    set(rest --career Cli)
    if(command STREQUAL "hall-of-fame")
      set(rest)
    endif()
    execute_process(COMMAND "${FLOCK}" "${WORK}/Cli.lock" ${RUNNER} "${SIM}" --data-dir "${WORK}" ${command}
                            ${rest} RESULT_VARIABLE result ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "${command} under flock: exit ${result}, expected 0\n${err}")
    endif()
  endforeach()
  foreach(command show play new)
    set(rest)
    if(command STREQUAL "play")
      set(rest --weeks 1)
    elseif(command STREQUAL "new")
      set(rest ${answers})
    endif()
    execute_process(COMMAND "${FLOCK}" "${WORK}/Cli.lock" ${RUNNER} "${SIM}" --data-dir "${WORK}" ${command}
                            --career Cli ${rest}
                    RESULT_VARIABLE result ERROR_VARIABLE err)
    folder_state(after)
    if(NOT result EQUAL 6 OR NOT err MATCHES "open in another window" OR NOT before STREQUAL after)
      message(FATAL_ERROR "${command} under flock: exit ${result}, expected 6\n${err}${after}")
    endif()
  endforeach()
  expect_exit(0 play --career Cli --weeks 1)
endif()
expect_exit(0 --help)
file(REMOVE_RECURSE "${WORK}")
