// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <variant>

#include "core/career.h"
#include "core/save_file.h"
#include "season/fixture.h"

namespace km {

// One round of the season as the results browser shows it: the round's
// clubs from the fixture and, for a round already played, its record.
struct BrowsedRound {
  int round = 1;
  int matchCount = 8;  // the slots that round has matches in
  bool played = false;
  RoundRecord record;  // scores all 0 for a round not yet played
};

// Round r (1..26) of the current season. Fails with the file's sentence.
std::variant<BrowsedRound, FileError> BrowseRound(const Career& career,
                                                  const std::filesystem::path& folder, int round);

}  // namespace km
