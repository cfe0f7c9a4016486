// SPDX-License-Identifier: GPL-3.0-or-later
#include "season/ladder.h"

#include <algorithm>

#include "core/number_format.h"

namespace km {

LadderView BuildLadder(const Career& career) {
  LadderView view;
  for (std::size_t k = 0; k < view.size(); ++k) {
    const LadderRow& row = career.Ladder[k];
    LadderLine& line = view[k];
    line.Team = row.Team;
    line.Wins = row.Wins;
    line.Losses = row.Losses;
    line.Draws = row.Draws;
    line.Played = row.Wins + row.Losses + row.Draws;
    line.For = row.For;
    line.Against = row.Against;
    line.Points = kWinPoints * row.Wins + kDrawPoints * row.Draws;
    // A club that has conceded nothing has no percentage to show yet.
    line.Percentage =
        row.Against == 0 ? "0.0" : FormatNumber(100.0 * row.For / row.Against, "###.0");
  }
  // Sorted by the shown percentage, like the grid it stands in.
  std::array<std::size_t, kLadderRows> order{};
  for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
  auto byDescending = [&](auto key) {
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return key(a) > key(b); });
  };
  byDescending([&](std::size_t k) { return static_cast<double>(view[k].For); });
  byDescending([&](std::size_t k) { return *ParseDecimal(view[k].Percentage); });
  byDescending([&](std::size_t k) { return static_cast<double>(view[k].Points); });

  LadderView sorted;
  for (std::size_t k = 0; k < order.size(); ++k) {
    sorted[k] = view[order[k]];
    sorted[k].Position = std::string(kOrdinals[k]);
  }
  return sorted;
}

std::string LadderTitle(std::string_view league) {
  if (league == "AFL") return "AFL Ladder";
  if (league == "State") return "State Ladder";
  if (league == "Local Firsts") return "Local Firsts Ladder";
  return "Local Reserves Ladder";
}

std::string LeaguePosition(const LadderView& ladder, std::string_view team, std::string previous) {
  for (const LadderLine& line : ladder) {
    if (line.Team == team) previous = line.Position;
  }
  return previous;
}

}  // namespace km
