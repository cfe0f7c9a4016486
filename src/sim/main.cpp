// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>
#include <string>
#include <vector>

#include "sim/sim.h"

#ifdef __EMSCRIPTEN__
#include <sys/stat.h>
#endif

int main(int argc, char** argv) {
#ifdef __EMSCRIPTEN__
  // Under Node the process starts with a umask of 0777, and every file the
  // game wrote would reach the disk with no permissions at all: a
  // desktop session's usual mask instead.
  ::umask(022);
#endif
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  return km::sim::RunSim(std::move(args), std::cout, std::cerr);
}
