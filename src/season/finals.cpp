// SPDX-License-Identifier: GPL-3.0-or-later
#include "season/finals.h"

#include "season/fixture.h"
#include "season/ladder.h"

namespace km {

const std::string& SlotWinner(const RunState& run, int slot) {
  const auto s = static_cast<std::size_t>(slot - 1);
  return run.roundSlots[s].PointsOne > run.roundSlots[s].PointsTwo ? run.roundTeamOne[s]
                                                                   : run.roundTeamTwo[s];
}

const std::string& SlotLoser(const RunState& run, int slot) {
  const auto s = static_cast<std::size_t>(slot - 1);
  return run.roundSlots[s].PointsTwo > run.roundSlots[s].PointsOne ? run.roundTeamOne[s]
                                                                   : run.roundTeamTwo[s];
}

std::optional<FileError> DrawNextFinals(const Career& career, const RunState& run,
                                        const std::filesystem::path& folder) {
  std::vector<std::string> names;
  switch (career.Matches) {
    case 21: {
      // The top eight: 1st v 4th and 2nd v 3rd qualify, 5th v 8th and 6th v
      // 7th play for their seasons.
      const LadderView ladder = BuildLadder(career);
      for (const int row : {1, 4, 2, 3, 5, 8, 6, 7}) {
        names.push_back(ladder[static_cast<std::size_t>(row - 1)].Team);
      }
      break;
    }
    case 22:
      // The qualifying finals' losers meet the elimination finals' winners;
      // the qualifying winners wait in the third slot.
      names = {SlotLoser(run, 1),  SlotWinner(run, 3), SlotLoser(run, 2),
               SlotWinner(run, 4), SlotWinner(run, 1), SlotWinner(run, 2)};
      break;
    case 23:
      names = {run.roundTeamOne[2], SlotWinner(run, 2), run.roundTeamTwo[2], SlotWinner(run, 1)};
      break;
    case 24:
      names = {SlotWinner(run, 1), SlotWinner(run, 2)};
      break;
    default:
      return std::nullopt;
  }
  return AppendFinalsStage(folder, career, names);
}

Story GrandFinalReport(const Career& career, const RunState& run, const Story& paper) {
  const std::string& winner = SlotWinner(run, 1);
  Story story = paper;
  story.headline = winner + " Wins Grand Final!";
  story.text = winner + " today won the " + career.League +
               " Grand Final, capping off a stellar season in the best possible fashion. It was a "
               "good game between two teams deserved of their place in the Grand Final, " +
               run.roundTeamOne[0] + " and " + run.roundTeamTwo[0] + ", however, " + winner +
               " were deserved winners on the day.";
  return story;
}

}  // namespace km
