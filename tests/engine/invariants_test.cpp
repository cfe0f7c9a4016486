// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <tuple>

#include "core/invariants.h"

namespace km {
namespace {

// A career at an edge of every range the rules allow: 14 years, 215 cm and
// 60 kg (or, `old`, 120 years, 160 cm and 120 kg).
Career Valid(bool old = false) {
  Career c;
  c.League = "Local Reserves";
  c.State = "Tasmania";
  c.Position = "Full Back";
  std::tie(c.Age, c.Height, c.Weight) = old ? std::tuple(120, 160, 120) : std::tuple(14, 215, 60);
  return c;
}

TEST(Invariants, ACareerBrokenInEachWayIsCaught) {
  // What is broken, how, and a piece of the sentence that finds it.
  const std::tuple<const char*, void (*)(Career&), const char*> cases[] = {
      {"bar above 100", [](Career& c) { c.Fitness = 101; }, "Fitness is 101"},
      {"bar below 0", [](Career& c) { c.GearOverall = -1; }, "GearOverall is -1"},
      {"skill at 0", [](Career& c) { c.Running = 0; }, "Running is 0"},
      {"skill above 200", [](Career& c) { c.SetupMarking = 201; }, "SetupMarking is 201"},
      {"week 27", [](Career& c) { c.Matches = 27; }, "Matches is 27"},
      {"negative count", [](Career& c) { c.TeamWins = -1; }, "TeamWins is -1"},
      {"negative career figure", [](Career& c) { c.Levels[2].Goals = -3; }, "State career"},
      {"no such league", [](Career& c) { c.League = "VFL"; }, "League is \"VFL\""},
      {"contract too long", [](Career& c) { c.ContractLength = 1, c.ContractMatches = 27; },
       "exceeds a 1-season contract"},
      {"uneven ladder", [](Career& c) { c.Ladder[3].Wins = 1; }, "the ladder's clubs have played"},
      {"text the save cannot hold", [](Career& c) { c.Team = "Snow\xe2\x98\x83"; },
       "the career's Team does not read back"},
      {"setup skill above 100", [](Career& c) { c.SetupRunning = 101; }, "SetupRunning is 101"},
      {"age below a new career's", [](Career& c) { c.Age = 13; }, "Age is 13, outside 14..120"},
      {"age no one reaches", [](Career& c) { c.Age = 121; }, "Age is 121"},
      {"taller than growth allows", [](Career& c) { c.Height = 216; },
       "Height is 216, outside 160..215"},
      {"lighter than setup offers", [](Career& c) { c.Weight = 59; },
       "Weight is 59, outside 60..120"},
      {"no home state", [](Career& c) { c.State = "Victoria "; }, "State is \"Victoria \""},
      {"no position", [](Career& c) { c.Position = "Ruckman"; }, "Position is \"Ruckman\""},
  };
  EXPECT_TRUE(CheckInvariants(Valid(true)).empty());
  for (const auto& [what, breakIt, finds] : cases) {
    Career c = Valid();
    EXPECT_TRUE(CheckInvariants(c).empty()) << what;
    breakIt(c);
    const auto broken = CheckInvariants(c);
    ASSERT_FALSE(broken.empty()) << what;
    EXPECT_NE(broken.front().find(finds), std::string::npos) << what << ": " << broken.front();
  }
}

TEST(Invariants, AnOverallBarIsTheRoundedMeanOfItsMembersOnceWorkedOut) {
  const std::tuple<const char*, OverallBar, void (*)(Career&), bool> cases[] = {
      // Skills 60, 61, 61, 62, 62 make 61.2: 61; health 70, 71, 72: 71; gear 80, 81, 82, 82: 81.
      {"skills in step", OverallBar::Skills, [](Career& c) { c.Overall = 61; }, true},
      {"skills a point off", OverallBar::Skills, [](Career& c) { c.Overall = 62; }, false},
      {"health in step", OverallBar::Health, [](Career& c) { c.HealthOverall = 71; }, true},
      {"health left behind", OverallBar::Health, [](Career& c) { c.HealthOverall = 70; }, false},
      {"gear in step", OverallBar::Gear, [](Career& c) { c.GearOverall = 81; }, true},
      {"gear rounded up", OverallBar::Gear, [](Career& c) { c.GearOverall = 82; }, false},
  };
  for (const auto& [what, bar, set, holds] : cases) {
    Career c;
    std::tie(c.Kicking, c.Handballing, c.Tackling, c.Marking, c.Running) =
        std::tuple(60, 61, 61, 62, 62);
    std::tie(c.Fitness, c.Health, c.Stamina) = std::tuple(70, 71, 72);
    std::tie(c.Boots, c.Jumper, c.Shorts, c.Other) = std::tuple(80, 81, 82, 82);
    set(c);
    EXPECT_EQ(!CheckOverallBar(c, bar).has_value(), holds) << what;
  }
}

TEST(Invariants, ADuplicatedClubNameIsNotCountedAgainstTheLadder) {
  Career c = Valid();
  for (std::size_t k = 0; k < 16; ++k) c.Ladder[k].Wins = 1;
  c.Ladder[9].Team = c.Ladder[11].Team = "Woodville";
  c.Ladder[9].Wins = c.Ladder[11].Wins = 2;  // both Woodville rows take both Woodville results
  EXPECT_TRUE(CheckInvariants(c).empty());
  std::tie(c.Matches, c.Ladder[0].Wins) = std::tuple(23, 5);  // the finals never touch the ladder
  EXPECT_TRUE(CheckInvariants(c).empty());
}

}  // namespace
}  // namespace km
