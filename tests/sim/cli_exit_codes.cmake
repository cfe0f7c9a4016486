# Runs the built kickmark-sim and checks that its exit code reaches the shell:
#   cmake -DSIM=<path of kickmark-sim> -DWORK=<scratch folder> -P cli_exit_codes.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(expect_exit code)
  execute_process(COMMAND "${SIM}" --data-dir "${WORK}" ${ARGN}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL code)
    message(FATAL_ERROR "kickmark-sim ${ARGN}: exit ${result}, expected ${code}\n${out}${err}")
  endif()
endfunction()

set(answers --name "Jo Kelly" --city Perth --state "Western Australia" --height 180
            --weight 75 --position Wing --skills 40,40,40,40,40)
expect_exit(0 new --career Cli ${answers})
expect_exit(0 show --career Cli)
expect_exit(2 new --career Cli2 ${answers} --skills 40,40)
expect_exit(2 new --career "" ${answers})
expect_exit(3 show --career Nobody)
expect_exit(0 play --career Cli --weeks 1)
expect_exit(3 play --career Nobody --weeks 1)
# A new career whose fixture cannot be written is not saved.
file(MAKE_DIRECTORY "${WORK}/BlockedFixture.kmf")
expect_exit(4 new --career Blocked ${answers})
if(EXISTS "${WORK}/Blocked.kms")
  message(FATAL_ERROR "a new career was saved without its fixture")
endif()
expect_exit(0 --help)
file(REMOVE_RECURSE "${WORK}")
