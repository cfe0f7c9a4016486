// SPDX-License-Identifier: GPL-3.0-or-later
#include "week/week.h"

#include <string>

namespace km {
namespace {

// A new season: the season's figures are cleared and the player is a year
// older (last season's results stay on disk until the new season's first
// round is saved over them). A captain is only chosen when he fronts up
// in good gear.
void StartNewSeason(Career& c, Prompter& prompter, bool goodGear) {
  c.ResetSeason(goodGear);
  if (goodGear && c.Overall > kCaptainOverall && c.Age > kCaptainAge &&
      c.Levels[3].Matches >= kCaptainAflMatches) {
    prompter.inform(
        "Congratulations! You have been selected as captain of your club for this season!");
    if (c.League == "Local Reserves") {
      c.LocalCaptain += 1;
    } else if (c.League == "Local Firsts") {
      c.RegionalCaptain += 1;
    } else if (c.League == "State") {
      c.StateCaptain += 1;
    } else if (c.League == "AFL") {
      c.AFLCaptain += 1;
    }
  }
}

}  // namespace

void CountDownWeek(Career& c, RunState& run, Prompter& prompter) {
  c.Injury -= 1;
  c.Suspension -= 1;
  if (!MissesThisMatch(c)) return;
  if (c.Injury == 0) {
    prompter.inform("You are currently injured and will miss this match");
    run.playColour = PlayColour::LastMissed;
  }
  if (c.Injury > 0) {
    prompter.inform("You are currently injured and will miss this match, as well as the next " +
                    std::to_string(c.Injury) + " matches");
  }
  if (c.Suspension == 0) {
    prompter.inform("You are currently suspended and will miss this match");
    run.playColour = PlayColour::LastMissed;
  }
  if (c.Suspension > 0) {
    prompter.inform("You are currently suspended and will miss this match, as well as the next " +
                    std::to_string(c.Suspension) + " matches");
  }
}

bool StartWeek(Career& c, Prompter& prompter) {
  const bool goodGear = c.GearOverall >= kGearTooWorn;
  const bool play = goodGear || prompter.askYesNo(kWornGearQuestion, kProgramTitle, Icon::Stop);
  if (play && c.Matches == kSeasonWeeks) StartNewSeason(c, prompter, goodGear);
  return play;
}

bool AdvanceWeek(Career& c, RunState& run, Prompter& prompter) {
  const bool play = StartWeek(c, prompter);
  // The count-down runs whether he plays this week or not.
  CountDownWeek(c, run, prompter);
  return play;
}

}  // namespace km
