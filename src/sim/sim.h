// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace km::sim {

// How kickmark-sim ends.
inline constexpr int kExitOk = 0;
inline constexpr int kExitInternal = 1;  // a fault in the game itself
inline constexpr int kExitRefused = 2;   // bad arguments, or answers the setup screen refuses
// A career file that cannot be read: the save file, or the season's fixture
// when a week's round is read from it.
inline constexpr int kExitUnreadableFile = 3;
// A career file that could not be written: the save, the fixture, the
// round's results, the season's histories or the career's lock file.
inline constexpr int kExitNotWritten = 4;
// `play` stopped because the career cannot go on: Play is disabled, the
// finals are not available, or the gear is too worn to play in.
inline constexpr int kExitCannotAdvance = 5;
// The career is open in another game or another run of kickmark-sim: `new`
// of a career of that name, `play` and `show` all wait for it to be closed.
inline constexpr int kExitOpenElsewhere = 6;

// The whole simulator: `args` are the command-line arguments without the
// program name. Results go to `out`, refusals and errors to `err`.
int RunSim(std::vector<std::string> args, std::ostream& out, std::ostream& err);

}  // namespace km::sim
