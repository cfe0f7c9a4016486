// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/career.h"
#include "season/award_counts.h"

namespace km::sim {

// One closed season as the run's table shows it.
struct SeasonSummary {
  int season = 0;      // the season of his career: Age - 13
  std::string league;  // the competition he played the season in
  std::string club;
  int played = 0;  // matches he took the field in
  int goals = 0;
  double ratingAverage = 0;
  std::vector<std::string> awards;
  // Where the season's close took him: "stayed", "promoted to Local
  // Firsts", "dropped to State", "drafted at pick 23 by Sydney Swans",
  // "retired", or "invited to the draft camp" when the draft never came.
  std::string move;
};

// The season in one transcript line:
//   3 | Local Firsts | Lalor | played 22 | goals 14 | rating 4.1 | awards - | promoted to State
std::string SeasonLine(const SeasonSummary& season);

// The run's seasons as an aligned table under a heading line:
//   Season  League          Club          Played  Goals  Rating  Awards  Move
// Columns are as wide as their longest entry, two spaces apart, and the last
// is not padded. No awards reads "-".
std::vector<std::string> SeasonTable(const std::vector<SeasonSummary>& seasons);

// Rows of cells as aligned lines, the first row the heading: each column as
// wide as its longest entry (in letters, not bytes), two spaces apart, and
// the last cell of a line is not padded. A row with fewer cells than the
// heading runs its last cell on across the columns it leaves out; that cell
// sets no column's width.
std::vector<std::string> AlignedLines(const std::vector<std::vector<std::string>>& rows);

}  // namespace km::sim
