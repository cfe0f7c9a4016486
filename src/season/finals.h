// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/career.h"
#include "core/ports.h"
#include "core/run_state.h"
#include "core/save_file.h"

namespace km {

// The winner and loser of a round slot: the first-named club wins only with
// more points.
const std::string& SlotWinner(const RunState& run, int slot);
const std::string& SlotLoser(const RunState& run, int slot);

// After round 22 and each finals week, the next week's finals are drawn
// from the ladder or the week's results and added to the fixture. Runs
// before the week's count moves on; does nothing in other weeks.
std::optional<FileError> DrawNextFinals(const Career& career, const RunState& run,
                                        const std::filesystem::path& folder);

// The newspaper's grand-final report.
Story GrandFinalReport(const Career& career, const RunState& run, const Story& paper);

}  // namespace km
