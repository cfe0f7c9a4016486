// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>

#include "core/new_career.h"
#include "sim/autoplay.h"

namespace km::sim {

// One career of a soak: the seed both of its runs use (the `new` that
// creates it and the `play` that lives it), the setup screen's answers and
// how its player looks after him.
struct CareerPlan {
  std::uint64_t seed = 0;
  SetupAnswers answers;
  Policy policy = Policy::Default;
};

// The plan of career `index` (0-based) of the soak seeded `soakSeed`. Over
// consecutive careers the plans go through every position and every home
// state (all 104 pairs within 104 careers), both policies, the four special
// career names, and skills from 1 to 100 (every fifth career has all five at
// the bottom or the top of the scroll bars).
CareerPlan PlanCareer(std::uint64_t soakSeed, int index);

// The two commands that replay a career's plan with kickmark-sim, up to and
// including week `week` of its play (0: only its creation).
std::string ReplayCommands(const CareerPlan& plan, int week);

// How one career of a soak went.
struct SoakedCareer {
  enum class Fault { None, Invariant, Crash, File };
  Fault fault = Fault::None;
  std::string what;  // the fault, or how the career ended
  int week = 0;      // the week of play the fault came in (0: at its creation)
  int seasons = 0;   // seasons closed
  int weeks = 0;     // weeks played
  int matches = 0;   // matches he took the field in
};

// Creates the planned career in `folder` as `kickmark-sim new` does, then
// lives it as `kickmark-sim play --to-end` does, checking the invariants
// after every week, into `run` (which a crash handler may be watching).
void SoakCareer(const CareerPlan& plan, const std::filesystem::path& folder, SoakedCareer& run);

struct SoakOptions {
  int careers = 0;
  std::uint64_t seed = 0;
  int jobs = 1;
  // Where the careers' folders go; empty: a new temporary folder, removed
  // afterwards unless a career failed.
  std::filesystem::path folder;
};

// `soak`: plays the planned careers to their end (retirement, a career that
// cannot go on, or the 40-season limit of --to-end) on `jobs` threads, with
// the career's invariants checked after every week and the files written
// without flushes to disk. Prints one summary line, and for each failed
// career its seed, week and the commands that reproduce it. Gives the exit
// code: 0, or kExitInternal when any career failed.
int RunSoak(const SoakOptions& options, std::ostream& out, std::ostream& err);

}  // namespace km::sim
