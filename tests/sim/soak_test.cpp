// SPDX-License-Identifier: GPL-3.0-or-later
// The soak's plan of careers, the commands that replay one, and careers on one or two threads.

#include "sim/soak.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "core/game_data.h"
#include "sim/sim_fixture.h"

namespace km::sim {
namespace {

using testing::Lines, testing::SimTest;

TEST(SoakPlan, GoesThroughEveryPositionStateAndPolicyWithAnswersTheGameAccepts) {
  std::set<std::pair<std::string, std::string>> pairs;
  std::set<std::string> specials;
  std::set<Policy> policies;
  std::set<std::array<int, 5>> skillSets;
  std::set<std::uint64_t> seeds;
  for (int index = 0; index < 104; ++index) {
    const CareerPlan plan = PlanCareer(7, index);
    const SetupAnswers& a = plan.answers;
    EXPECT_EQ(CheckSetupAnswers(a), std::nullopt) << "career " << index;
    pairs.emplace(a.position, a.state);
    if (!a.careerName.starts_with("Soak ")) specials.insert(a.careerName);
    policies.insert(plan.policy);
    skillSets.insert({a.kicking, a.handballing, a.tackling, a.marking, a.running});
    seeds.insert(plan.seed);
  }
  EXPECT_EQ(pairs.size(), kPositions.size() * kStates.size());
  EXPECT_EQ(specials, (std::set<std::string>{"Cash Lord", "Iron Bolt", "Overnight Legend",
                                             "Old Timer Bloke"}));
  EXPECT_EQ(policies.size(), 2U);
  // Skills run from the scroll bars' bottom to their top.
  EXPECT_EQ(*skillSets.begin(), (std::array{1, 1, 1, 1, 1}));
  EXPECT_EQ(*skillSets.rbegin(), (std::array{100, 100, 100, 100, 100}));
  EXPECT_EQ(seeds.size(), 104U) << "every career has a seed of its own";
  // The same soak seed plans the same careers; another plans others.
  EXPECT_EQ(PlanCareer(7, 40).seed, PlanCareer(7, 40).seed);
  EXPECT_NE(PlanCareer(7, 40).seed, PlanCareer(8, 40).seed);
}

TEST(SoakPlan, ReplayCommandsQuoteWhatTheShellWouldSplit) {
  CareerPlan plan{42,
                  {"Old Timer Bloke", "Liam O'Connor", "Wagga Wagga", "New South Wales", 170, 72,
                   "Full Back", 1, 2, 3, 4, 5},
                  Policy::Passive};
  EXPECT_EQ(ReplayCommands(plan, 0),
            "kickmark-sim --data-dir DIR --seed 42 new --career 'Old Timer Bloke' --name "
            "'Liam O'\\''Connor' --city 'Wagga Wagga' --state 'New South Wales' --height 170 "
            "--weight 72 --position 'Full Back' --skills 1,2,3,4,5");
  EXPECT_TRUE(ReplayCommands(plan, 31).ends_with(
      "\nkickmark-sim --data-dir DIR --seed 42 play --career 'Old Timer Bloke' --policy passive "
      "--reloads --weeks 31"));
}

// A soaked career is the one its replay commands play, the same weeks to the same end; this one
// retires, and cannot be played on.
TEST_F(SimTest, SoakedCareerIsTheOneItsReplayCommandsPlay) {
  const CareerPlan plan = PlanCareer(1, 23);  // an Old Timer Bloke: a short career
  ASSERT_EQ(plan.answers.careerName, "Old Timer Bloke");
  SoakedCareer soaked;
  SoakCareer(plan, dir() / "soak", soaked);
  ASSERT_EQ(soaked.fault, SoakedCareer::Fault::None) << soaked.what;
  const SetupAnswers& a = plan.answers;
  const std::string seed = std::to_string(plan.seed);
  std::string skills;
  for (const int skill : {a.kicking, a.handballing, a.tackling, a.marking, a.running}) {
    skills += (skills.empty() ? "" : ",") + std::to_string(skill);
  }
  ASSERT_EQ(Run({"--seed", seed, "new", "--career", a.careerName, "--name", a.name, "--city",
                 a.city, "--state", a.state, "--height", std::to_string(a.height), "--weight",
                 std::to_string(a.weight), "--position", a.position, "--skills", skills})
                .code,
            kExitOk);
  const testing::SimRun played =
      Run({"--seed", seed, "play", "--career", a.careerName, "--to-end", "--policy",
           plan.policy == Policy::Passive ? "passive" : "default"});
  int weekLines = 0;
  for (const std::string& line : Lines(played.out)) {
    weekLines +=
        line.find(" MATCHES") != std::string::npos || line.find("FINAL") != std::string::npos;
  }
  EXPECT_EQ(weekLines, soaked.weeks) << played.out;
  EXPECT_EQ(soaked.what, "retired");
  EXPECT_TRUE(played.out.ends_with(" retired\n")) << played.out;
  const testing::SimRun again = Run({"play", "--career", a.careerName, "--to-end"});
  EXPECT_EQ(std::to_string(again.code) + again.out, "0");
  EXPECT_EQ(Run({"play", "--career", a.careerName, "--seasons", "1"}).code, kExitCannotAdvance);
}

// Careers on two threads add up as on one, and none breaks the rules.
TEST(Soak, SummaryIsTheSameOnOneThreadOrTwo) {
  const auto summary = [](int jobs) {
    std::ostringstream out, err;
    EXPECT_EQ(RunSoak({2, 11, jobs, {}}, out, err), kExitOk) << err.str();
    EXPECT_EQ(err.str(), "");
    std::string text = out.str();  // but the time
    if (const auto at = text.find(", seconds "); at != std::string::npos)
      text.erase(at, text.find(' ', at + 10) - at);
    return text;
  };
  const std::string one = summary(1);
  EXPECT_TRUE(one.starts_with("soak: careers 2, seasons ")) << one;
  EXPECT_NE(one.find(", invariant failures 0, crashes 0, file faults 0 ("), std::string::npos)
      << one;
  EXPECT_EQ(one.find("seasons 0,"), std::string::npos) << one;
  EXPECT_EQ(summary(2), one);
}

}  // namespace
}  // namespace km::sim
