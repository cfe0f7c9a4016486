// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <tuple>

#include "core/career.h"
#include "support/scripted_ports.h"
#include "week/contracts.h"
#include "week/week.h"

namespace km {
namespace {

using testing::ScriptedPrompter, testing::ScriptedRandom;

// Gear below 50 asks whether to play anyway; the count-down runs in every branch.
TEST(Week, GearCheckAndItsBranches) {
  const std::tuple<int, std::deque<bool>, bool, std::size_t> cases[] = {
      {50, {}, true, 0}, {49, {true}, true, 1}, {49, {false}, false, 1}};
  for (const auto& [gear, answers, plays, questions] : cases) {
    Career c;
    c.GearOverall = gear;
    RunState run;
    ScriptedPrompter p;
    p.answers = answers;
    EXPECT_EQ(AdvanceWeek(c, run, p), plays) << gear;
    ASSERT_EQ(p.questions.size(), questions);
    for (const auto& q : p.questions)
      EXPECT_EQ(std::tie(q.text, q.title, q.icon),
                std::tuple(kWornGearQuestion, "Kickmark", Icon::Stop));
    EXPECT_EQ(c.Injury, -1);
  }
}

TEST(Week, CountDownMessagesAndTheButtonColour) {
  const std::string injured = "You are currently injured and will miss this match";
  const std::string suspended = "You are currently suspended and will miss this match";
  const std::tuple<int, int, std::vector<std::string>, PlayColour> cases[] = {
      {1, 0, {injured}, PlayColour::LastMissed},
      {3, -4, {injured + ", as well as the next 2 matches"}, PlayColour::Normal},
      {2, 1, {injured + ", as well as the next 1 matches", suspended}, PlayColour::LastMissed},
      {0, 4, {suspended + ", as well as the next 3 matches"}, PlayColour::Normal},
      {0, 0, {}, PlayColour::Normal},
  };
  for (const auto& [injury, suspension, messages, colour] : cases) {
    Career c;
    std::tie(c.Injury, c.Suspension) = std::tuple(injury, suspension);
    RunState run;
    ScriptedPrompter p;
    AdvanceWeek(c, run, p);
    EXPECT_EQ(std::tuple(p.messageTexts(), run.playColour), std::tuple(messages, colour))
        << injury << "/" << suspension;
  }
}

// After week 26 a new season starts, unless he stays away in worn gear; a captain takes an
// overall above 180, an age above 23 in the new season and 50 AFL matches.
TEST(Week, NewSeasonAndCaptaincy) {
  constexpr bool T = true, F = false;
  const std::tuple<int, int, int, int, int, bool, bool, bool, bool> cases[] = {
      // clang-format off
      {26, 60, 181, 23, 50, F, T, T, T}, {26, 60, 180, 23, 50, F, T, F, T},
      {26, 60, 181, 22, 50, F, T, F, T}, {26, 60, 181, 23, 49, F, T, F, T},
      {26, 40, 181, 23, 50, T, T, F, F},  // worn gear, played anyway
      {26, 40, 181, 23, 50, F, F, F, F}, {25, 60, 181, 23, 50, F, F, F, F},
      // clang-format on
  };
  for (const auto& [matches, gear, overall, age, aflMatches, answer, newSeason, captain,
                    clubCleared] : cases) {
    Career c;
    c.League = "AFL";
    std::tie(c.Matches, c.GearOverall, c.Overall, c.Age, c.Levels[3].Matches, c.TeamWins) =
        std::tuple(matches, gear, overall, age, aflMatches, 12);
    RunState run;
    ScriptedPrompter p;
    p.answers = {answer};
    AdvanceWeek(c, run, p);
    EXPECT_EQ(std::tuple(c.Matches == 0, c.Age, c.AFLCaptain, p.messages.size(), c.TeamWins),
              std::tuple(newSeason, newSeason ? age + 1 : age, captain ? 1 : 0, captain ? 1u : 0u,
                         clubCleared ? 0 : 12))
        << matches << " " << gear << " " << overall << " " << age << " " << aflMatches;
  }
}

// Each club's first offer is the amount its roll of six picks, for one or two seasons.
TEST(Contracts, FirstOffersFollowTheRolls) {
  ScriptedRandom r;
  for (int row = 0; row < 16; ++row) r.next(row % 6 + 1, 6), r.next(row % 2 + 1, 2);
  ContractOffers offers;
  PrepareFirstOffers(offers, r);
  for (std::size_t row = 0; row < 16; ++row)
    EXPECT_EQ(std::pair(offers.rows[row].offer.ToString(), offers.rows[row].length),
              std::pair(std::to_string(std::array{2000, 2500, 3000, 3500, 4000, 1500}[row % 6]),
                        static_cast<int>(row % 2 + 1)));
}

TEST(Contracts, ClickSignAndOk) {
  ContractOffers offers;
  offers.rows[8] = {"Frankston", Money::Dollars(3500), 2};
  Career c;
  c.Name = "Bob";
  Story paper;
  ScriptedPrompter p;
  EXPECT_FALSE(CloseContracts(c, p));
  EXPECT_EQ(p.messageTexts(), std::vector<std::string>{"Please sign a contract"});

  for (const char* ignored : {"3500", "2", "Team 9"}) {
    ClickOfferCell(c, offers, 9, ignored);
    EXPECT_FALSE(c.SignOpen) << ignored;
  }
  ClickOfferCell(c, offers, 9, "Frankston");
  EXPECT_TRUE(c.SignOpen);
  EXPECT_EQ(c.OfferContract, "3500");
  SignContract(c, offers, paper, p);
  EXPECT_EQ(
      std::tie(c.Team, c.Wages, c.ContractCurrent, c.ContractLength, c.ContractMatches, c.SignOpen,
               c.PlayOpen),
      std::tuple("Frankston", Money::Dollars(3500), Money::Dollars(3500), 2, 52, false, true));
  ASSERT_EQ(p.stories.size(), 1u);
  EXPECT_EQ(p.stories[0].headline, "Rookie Bob Signs With Frankston");
  EXPECT_TRUE(CloseContracts(c, p));

  // With a contract in force a club's name picks nothing.
  offers.rows[0] = {"West Coburg", Money::Dollars(4000), 1};
  ClickOfferCell(c, offers, 1, "West Coburg");
  EXPECT_FALSE(c.SignOpen);

  // With the count below zero a signing only makes the papers.
  std::tie(offers.pendingTeam, offers.pendingOffer, offers.pendingLength) =
      std::tuple("Lalor", Money::Dollars(2000), 1);
  c.ContractMatches = -1;
  const Career before = c;
  SignContract(c, offers, paper, p);
  EXPECT_EQ(c, before);
  ASSERT_EQ(p.stories.size(), 2u);
  EXPECT_EQ(p.stories[1].headline, "Bob Signs With Frankston");
}

}  // namespace
}  // namespace km
