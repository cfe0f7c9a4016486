# SPDX-License-Identifier: GPL-3.0-or-later
# The game's command line answers on the terminal, without a display and
# without Qt choosing a platform: --help and --version on standard output
# with exit 0, a wrong option on standard error with exit 2.
#
#   cmake -DGAME=<kickmark> -P command_line.cmake
set(ENV{DISPLAY} "")
set(ENV{WAYLAND_DISPLAY} "")
set(ENV{QT_QPA_PLATFORM} "")
function(expect code out_pattern err_pattern)
  execute_process(COMMAND "${GAME}" ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out
                  ERROR_VARIABLE err TIMEOUT 20)
  if(NOT result EQUAL code OR NOT out MATCHES "${out_pattern}" OR NOT err MATCHES "${err_pattern}")
    message(FATAL_ERROR
            "kickmark ${ARGN}: exit ${result} (expected ${code})\nstdout: ${out}\nstderr: ${err}")
  endif()
endfunction()
expect(0 "^Usage: kickmark \\[options\\]\n.*--data-dir DIR.*--seed N.*--version.*--help" "^$" --help)
expect(0 "^Usage: kickmark" "^$" -h)
expect(0 "^kickmark [0-9]+\\.[0-9]+\\.[0-9]+\n$" "^$" --version)
expect(2 "^$" "^kickmark: Unknown option 'hepl'\\.\nTry 'kickmark --help'" --hepl)
expect(2 "^$" "^kickmark: The seed must be a whole number" --seed many)
expect(2 "^$" "^kickmark: The data folder \"/no/such/folder\" does not exist" --data-dir /no/such/folder)
