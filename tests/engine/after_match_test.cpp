// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <tuple>

#include "core/career.h"
#include "core/run_state.h"
#include "match/after_match.h"
#include "support/scripted_ports.h"

namespace km {
namespace {

using testing::ScriptedPrompter;
using testing::ScriptedRandom;

Career Player() {
  Career c;
  c.Name = "Jack";
  c.Team = "Richmond";
  c.Position = "Full Forward";
  c.League = "Local Reserves";
  c.Age = 20;
  c.Wages = Money::Dollars(300);
  c.Injury = -5;
  c.Suspension = -5;
  c.Kicking = c.Handballing = c.Tackling = c.Marking = c.Running = 50;
  return c;
}

MatchState Result(int disposals, int goals, int behinds, double rating) {
  MatchState m;
  m.TeamOne = "Richmond";
  m.TeamTwo = "Carlton";
  m.Disposals = disposals;
  m.Goals = goals;
  m.Behinds = behinds;
  m.MatchRating = rating;
  m.GoalsOneAt = {3, 6, 9, 12};
  m.BehindsOneAt = {1, 2, 3, 4};
  m.GoalsTwoAt = {2, 4, 6, 8};
  m.BehindsTwoAt = {1, 1, 1, 1};
  m.PointsOne = 76;
  m.PointsTwo = 49;
  m.FullTime = true;
  return m;
}

// One match's aftermath for Jack, with scripted draws and answers; `back`
// says he has just come back from an injury (no misfortune draws).
struct After {
  explicit After(bool back = true) { c.Injury = back ? -1 : -5; }
  void Finish(const MatchState& m, const std::function<void()>& weekly = {}) {
    FinishMatch(c, m, r, p, run, weekly);
  }
  ScriptedRandom r;
  ScriptedPrompter p;
  RunState run;
  Career c = Player();
};

// The five injury and suspension draws: i, t, w, s, u.
void Misfortune(ScriptedRandom& r, int i, int t, int w, int s, int u) {
  for (const auto& [draw, of] : {std::pair{i, 50}, {t, 100}, {w, 5}, {s, 10}, {u, 100}}) {
    r.next(draw, of);
  }
}

// A week's pay comes whether he plays or not, and the club's record counts
// the match either way; only a match he plays counts for him.
TEST(AfterMatch, PlayedOrSatOutTheMatchIsBooked) {
  for (const bool played : {true, false}) {
    SCOPED_TRACE(played);
    After a(false);
    Career& c = a.c;
    if (played) Misfortune(a.r, 1, 1, 1, 1, 1);
    c.Injury = played ? -5 : 1;
    a.Finish(played ? Result(12, 2, 1, 5.5) : Result(0, 0, 0, 0));
    EXPECT_EQ(a.r.left(), 0u);
    EXPECT_EQ(c.BankBalance, Money::Dollars(15000 + 300 + 775));
    EXPECT_EQ((std::pair{c.MatchesPlayed, c.Levels[0].Matches}),
              (std::pair{played ? 1 : 0, played ? 1 : 0}));
    EXPECT_DOUBLE_EQ(c.MatchRatingAverage, played ? 5.5 : 0);
    EXPECT_DOUBLE_EQ(c.Levels[0].AverageDisposals, played ? 12 : 0);
    EXPECT_EQ(c.Levels[1].Matches, 0);
    EXPECT_EQ((std::array{c.TeamMatches, c.TeamWins, c.TeamGoals, c.TeamBehinds}),
              (std::array{1, 1, 12, 4}));
    // Rating 5.5: gear -3, condition -4; sat out: gear -1, condition -2.
    EXPECT_EQ((std::pair{c.GearOverall, c.HealthOverall}),
              (played ? std::pair{97, 96} : std::pair{99, 98}));
    EXPECT_EQ(c.Overall, OverallOf(51, 51, 51, 51, 51));
    EXPECT_TRUE(a.p.messages.empty());
    EXPECT_EQ(a.run.roundSlots[0].PointsOne, 76);
    EXPECT_EQ(a.run.roundSlots[0].GoalsTwo[3], 8);
  }
}

TEST(AfterMatch, SeasonAveragesKeepTheirPatterns) {
  After a;
  a.r.fallback = 0.01;
  for (const auto& [d, g, rating] : {std::tuple{10, 1, 3.3}, {11, 2, 4.1}, {12, 2, 4.2}}) {
    a.Finish(Result(d, g, 0, rating));
  }
  const Career& c = a.c;
  EXPECT_DOUBLE_EQ(c.MatchRating, 11.6);
  EXPECT_DOUBLE_EQ(c.MatchRatingAverage, 3.9);  // 3.8666 → 3.9
  EXPECT_DOUBLE_EQ(c.AverageDisposals, 11);
  EXPECT_DOUBLE_EQ(c.AverageGoals, 1.7);
  EXPECT_DOUBLE_EQ(c.Levels[0].AverageGoals, 1.67);  // career figures keep two places
}

// More than 25 disposals or 6 goals is a standout: medal votes (a draw of 4:
// 1 to 3 votes, none on a 4) before the finals, and best on ground outright
// with a rating over 9, else on a draw of 1 of 2.
TEST(AfterMatch, StandoutMatchVotesAndBestOnGround) {
  // Matches, disposals, goals, rating; the votes' and best on ground's draws
  // (0: none expected); his votes and whether he is best on ground.
  const std::tuple<int, int, int, double, int, int, int, bool> cases[] = {
      {5, 30, 3, 9.5, 3, 0, 3, true},  {5, 30, 3, 9.1, 2, 0, 2, true},
      {5, 30, 3, 9.0, 3, 2, 3, false}, {5, 30, 3, 8.0, 4, 1, 0, true},
      {5, 26, 0, 8.0, 1, 2, 1, false}, {5, 25, 6, 9.5, 0, 0, 0, false},
      {5, 10, 7, 9.5, 1, 0, 1, true},  {22, 30, 3, 9.5, 3, 0, 3, true},
      {23, 30, 3, 9.5, 0, 0, 0, true},  // no votes in the finals
  };
  for (const auto& [matches, disposals, goals, rating, votesDraw, bogDraw, brownlow, best] :
       cases) {
    SCOPED_TRACE(std::to_string(matches) + ": " + std::to_string(disposals) + "/" +
                 std::to_string(goals) + " " + std::to_string(rating));
    After a;
    const Career& c = a.c;
    a.c.Matches = matches;
    if (votesDraw) a.r.next(votesDraw, 4);
    if (bogDraw) a.r.next(bogDraw, 2);
    a.Finish(Result(disposals, goals, 1, rating));
    EXPECT_EQ(a.r.left(), 0u);
    EXPECT_EQ(c.Brownlow, brownlow);
    EXPECT_EQ((std::pair{c.BOGs, c.Levels[0].BOGs}), (std::pair{best ? 1 : 0, best ? 1 : 0}));
    EXPECT_EQ(c.BankBalance, Money::Dollars(16075 + (best ? 500 : 0)));
    EXPECT_EQ(a.p.stories.size(), best ? 1u : 0u);
  }
}

TEST(AfterMatch, NormSmithMedalShowsTheLastStoryAgain) {
  After a;
  a.run.newspaper = {"Herald Sun", "Old headline", "Old story"};
  a.c.League = "AFL";
  a.c.Matches = 25;
  a.Finish(Result(31, 2, 1, 9.8));
  EXPECT_EQ(a.p.messageTexts(),
            std::vector<std::string>{"Congratulations! You have been awarded with the Norm Smith "
                                     "Medal for being the Best on Ground in the Grand Final"});
  ASSERT_EQ(a.p.stories.size(), 1u);
  EXPECT_EQ(a.p.stories[0].headline, "Old headline");
  EXPECT_EQ(a.c.BankBalance, Money::Dollars(16075 + 3000));
}

TEST(AfterMatch, GamesMilestoneRepeatsWhileSittingOutOnIt) {
  After a;
  a.c.League = "State";
  a.c.Levels[2].Matches = 50;
  for (const int injury : {2, 1}) {
    a.c.Injury = injury;
    a.Finish(Result(0, 0, 0, 0));
  }
  ASSERT_EQ(a.p.messages.size(), 2u);
  EXPECT_EQ(a.p.messages[1].text, "Congratulations on reaching 50 games in the State League!");
  ASSERT_EQ(a.p.stories.size(), 2u);
  EXPECT_EQ(a.p.stories[0].headline, "Jack Plays 50th Match");
}

// Season goal tallies and career games bring news on the match that crosses
// them, and only that one.
TEST(AfterMatch, MilestonesOnTheCrossingMatch) {
  // Games, season goals and goals kicked; the news (nothing: no news).
  const std::tuple<int, int, int, const char*> cases[] = {
      {249, 0, 1, "Congratulations on reaching 250 games in the Local Reserves!"},
      {299, 0, 1, "Congratulations! You have reached 300 games in the Local Reserves!"},
      {449, 0, 1, "Congratulations! You have reached 450 games in the Local Reserves!"},
      {499, 0, 1, "Amazing! Congratulations on playing your 500th game in the Local Reserves!"},
      {599, 0, 1, "Amazing! Congratulations on playing your 600th game in the Local Reserves!"},
      {649, 0, 1, nullptr},
      {10, 95, 5, "Congratulations on reaching 100 goals for the season!"},
      {10, 99, 1, "Congratulations on reaching 100 goals for the season!"},
      {10, 100, 3, nullptr},
      {10, 149, 1,
       "Congratulations! You have joined the prestigious '150 Goals Club' by booting 150 goals "
       "for this season!"},
      {10, 150, 1, nullptr},
  };
  for (const auto& [games, goals, kicked, message] : cases) {
    After a;
    a.c.Levels[0].Matches = games;
    a.c.Goals = goals;
    a.Finish(Result(10, kicked, 0, 5));
    EXPECT_EQ(a.p.messageTexts(),
              message ? std::vector<std::string>{message} : std::vector<std::string>{})
        << games << " " << goals << " + " << kicked;
    EXPECT_EQ(a.p.stories.size(), message ? 1u : 0u);
  }
}

// A draw i of 25 in 50 injures him (t picks the injury, w the weeks); u of
// 50 in 100 suspends him (s picks the offence) and costs him the medal.
TEST(AfterMatch, InjuriesAndSuspensions) {
  // The draws i, t, w, s and u; his injury and suspension after, the
  // messages joined by " | " and the play button's colour.
  const std::tuple<int, int, int, int, int, int, int, const char*, PlayColour> cases[] = {
      {25, 14, 3, 1, 1, 3, -5,
       "You pulled your hamstring in the last match and will miss 3 matches", PlayColour::Injured},
      {25, 99, 1, 1, 1, 1, -5, "You got a broken finger in the last match and will miss 1 matches",
       PlayColour::Injured},
      {24, 1, 2, 5, 50, -5, 2,
       "You have been found guilty of gouging in your last match and will miss 2 matches",
       PlayColour::Suspended},
      {26, 1, 2, 1, 49, -5, -5, "", PlayColour::Normal},
      // The knee ends his season (26 - 10 matches), and his body with it.
      {25, 100, 3, 1, 1, 16, -5,
       "You did your knee in the last match and, unfortunately, will miss the rest of the season. "
       "Bad luck and good luck in your recovery!",
       PlayColour::Injured},
      {25, 60, 4, 9, 50, 4, 4,
       "You suffered severe concussion in the last match and will miss 4 matches | You have been "
       "found guilty of making contact with an umpire in your last match and will miss 4 matches",
       PlayColour::Suspended},
  };
  for (const auto& [i, t, w, s, u, injury, suspension, messages, colour] : cases) {
    After a(false);
    const Career& c = a.c;
    a.c.Matches = 10;
    Misfortune(a.r, i, t, w, s, u);
    a.Finish(Result(10, 1, 0, 5));
    // The knee sets his condition to 1, and the match's wear takes the rest.
    EXPECT_EQ(c.HealthOverall, t == 100 ? 0 : 96);
    EXPECT_EQ((std::pair{c.Injury, c.Suspension}), (std::pair{injury, suspension}));
    std::string told;
    for (const auto& m : a.p.messageTexts()) told += (told.empty() ? "" : " | ") + m;
    EXPECT_EQ(told, messages);
    EXPECT_EQ(a.run.playColour, colour);
    EXPECT_EQ(c.BrownlowEligible, u == 50 ? "N" : "Y");
  }
}

// The rating's band (k - 1, k] sets what a match gives and takes: skills
// grow under 30, gear and condition wear at any age.
TEST(AfterMatch, SkillsGrowAndBarsWearByTheRatingsBand) {
  const std::tuple<double, int, int, int> cases[] = {
      // rating, growth, gear, condition
      {0, 1, 1, 2},   {2, 1, 1, 2},   {2.1, 1, 2, 3}, {4, 1, 2, 3},   {4.1, 1, 3, 4},
      {6, 1, 3, 4},   {6.1, 2, 4, 5}, {7, 2, 4, 5},   {7.1, 3, 4, 5}, {8, 3, 4, 5},
      {8.1, 3, 5, 6}, {9, 3, 5, 6},   {10, 3, 5, 6},  {12, 3, 5, 6},
  };
  for (const auto& [rating, growth, gear, condition] : cases) {
    for (const auto& [age, start] : {std::pair{29, 50}, {30, 50}, {20, 199}}) {
      After a;
      const Career& c = a.c;
      a.c.Age = age;
      a.c.Kicking = start;
      a.Finish(Result(10, 1, 0, rating));
      const int grown = age < 30 ? std::min(200, start + growth) : start;
      EXPECT_EQ((std::array{c.Kicking, c.Boots, c.Fitness}),
                (std::array{grown, 100 - gear, 100 - condition}))
          << rating << " at " << age;
    }
  }
}

TEST(AfterMatch, BigMatchesWearMore) {
  After a;
  a.r.fallback = 0.99;
  a.Finish(Result(30, 5, 4, 3));  // band (2, 3]: gear -2, condition -3
  const Career& c = a.c;
  // Boots, jumper, shorts, other; health, fitness, stamina; the bars are
  // 383 / 4 = 95.75 and 278 / 3 = 92.67.
  EXPECT_EQ((std::array{c.Boots, c.Jumper, c.Shorts, c.Other, c.Health, c.Fitness, c.Stamina,
                        c.GearOverall, c.HealthOverall}),
            (std::array{95, 95, 95, 98, 93, 93, 92, 96, 93}));
}

TEST(AfterMatch, WeeklyEventRunsBeforeTheSkillClamp) {
  After a;
  a.r.fallback = 0.99;
  a.Finish(Result(10, 1, 0, 5), [&] { a.c.Running = 250; });
  EXPECT_EQ(a.c.Running, 200);
  EXPECT_EQ(a.c.Overall, OverallOf(51, 51, 51, 51, 200));
}

}  // namespace
}  // namespace km
