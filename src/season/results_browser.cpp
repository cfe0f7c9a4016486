// SPDX-License-Identifier: GPL-3.0-or-later
#include "season/results_browser.h"

namespace km {

std::variant<BrowsedRound, FileError> BrowseRound(const Career& career,
                                                  const std::filesystem::path& folder, int round) {
  BrowsedRound view;
  view.round = round;
  view.matchCount = round <= 22 ? 8 : round == 23 ? 4 : round <= 25 ? 2 : 1;
  view.played = round <= career.Matches;
  if (view.played) {
    auto record = ReadRoundResult(folder, career, round);
    if (auto* error = std::get_if<FileError>(&record)) return *error;
    view.record = std::get<RoundRecord>(record);
    // A round played keeps its clubs in its record: the fixture beside a
    // career saved just before its grand final may be the next season's.
    return view;
  }
  // The clubs of a round to come are the fixture's, which knows the finals
  // only once they are drawn.
  auto pairings = ReadRoundPairings(folder, career, round);
  if (auto* error = std::get_if<FileError>(&pairings)) {
    if (round <= 22) return *error;
    return view;  // a final not drawn yet: nothing to show
  }
  const auto& names = std::get<std::vector<std::string>>(pairings);
  for (std::size_t i = 0; i + 1 < names.size() && i / 2 < 8; i += 2) {
    view.record.teamOne[i / 2] = names[i];
    view.record.teamTwo[i / 2] = names[i + 1];
  }
  return view;
}

}  // namespace km
