// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/career.h"

namespace km {

// One row of the ladder as the ladder screen shows it.
struct LadderLine {
  std::string Position;  // "1st" .. "16th"
  std::string Team;
  int Played = 0;
  int Wins = 0;
  int Losses = 0;
  int Draws = 0;
  int For = 0;
  int Against = 0;
  std::string Percentage;  // For / Against x 100 with "###.0"
  int Points = 0;          // kWinPoints a win, kDrawPoints a draw
};

using LadderView = std::array<LadderLine, kLadderRows>;

// Ladder points for a win and for a draw.
inline constexpr int kWinPoints = 4;
inline constexpr int kDrawPoints = 2;

// The ladder of the current competition from the career's ladder table,
// ordered by Points, then percentage, then points For.
LadderView BuildLadder(const Career& career);

// The ladder screen's title for a competition ("Local Reserves Ladder").
std::string LadderTitle(std::string_view league);

// The club's place on the ladder ("1st" .. "16th"), or `previous` when the
// club is on no row.
std::string LeaguePosition(const LadderView& ladder, std::string_view team, std::string previous);

}  // namespace km
