#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace km::sim {

// How kickmark-sim ends.
inline constexpr int kExitOk = 0;
inline constexpr int kExitInternal = 1;        // a fault in the game itself
inline constexpr int kExitRefused = 2;         // bad arguments, or answers the setup screen refuses
inline constexpr int kExitUnreadableSave = 3;  // a save file that cannot be read
inline constexpr int kExitSaveNotWritten = 4;  // the save file could not be written

// The whole simulator: `args` are the command-line arguments without the
// program name. Results go to `out`, refusals and errors to `err`.
int RunSim(std::vector<std::string> args, std::ostream& out, std::ostream& err);

}  // namespace km::sim
