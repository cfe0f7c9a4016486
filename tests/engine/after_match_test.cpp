#include <gtest/gtest.h>

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

// The five injury and suspension draws: i, t, w, s, u.
void Misfortune(ScriptedRandom& r, int i, int t, int w, int s, int u) {
  r.next(i, 50);
  r.next(t, 100);
  r.next(w, 5);
  r.next(s, 10);
  r.next(u, 100);
}

// A week's pay comes whether he plays or not, and the club's record counts
// the match either way; only a match he plays counts for him.
TEST(AfterMatch, PlayedOrSatOutTheMatchIsBooked) {
  for (const bool played : {true, false}) {
    SCOPED_TRACE(played);
    ScriptedRandom r;
    ScriptedPrompter p;
    RunState run;
    Career c = Player();
    if (played) Misfortune(r, 1, 1, 1, 1, 1);
    c.Injury = played ? -5 : 1;
    FinishMatch(c, played ? Result(12, 2, 1, 5.5) : Result(0, 0, 0, 0), r, p, run);
    EXPECT_EQ(r.left(), 0u);
    EXPECT_EQ(c.BankBalance, Money::Dollars(15000 + 300 + 775));
    EXPECT_EQ(c.MatchesPlayed, played ? 1 : 0);
    EXPECT_EQ(c.Levels[0].Matches, played ? 1 : 0);
    EXPECT_DOUBLE_EQ(c.MatchRatingAverage, played ? 5.5 : 0);
    EXPECT_DOUBLE_EQ(c.Levels[0].AverageDisposals, played ? 12 : 0);
    EXPECT_EQ(c.Levels[1].Matches, 0);
    EXPECT_EQ(c.TeamMatches, 1);
    EXPECT_EQ(c.TeamWins, 1);
    EXPECT_EQ(c.TeamGoals, 12);
    EXPECT_EQ(c.TeamBehinds, 4);
    // Rating 5.5: gear -3, condition -4; sat out: gear -1, condition -2.
    EXPECT_EQ(c.GearOverall, played ? 97 : 99);
    EXPECT_EQ(c.HealthOverall, played ? 96 : 98);
    EXPECT_EQ(c.Overall, OverallOf(51, 51, 51, 51, 51));
    EXPECT_TRUE(p.messages.empty());
    EXPECT_EQ(run.roundSlots[0].PointsOne, 76);
    EXPECT_EQ(run.roundSlots[0].GoalsTwo[3], 8);
  }
}

TEST(AfterMatch, SeasonAveragesKeepTheirPatterns) {
  ScriptedRandom r;
  r.fallback = 0.01;
  ScriptedPrompter p;
  RunState run;
  Career c = Player();
  c.Injury = -1;  // no misfortune draws in the first match back
  FinishMatch(c, Result(10, 1, 0, 3.3), r, p, run);
  FinishMatch(c, Result(11, 2, 0, 4.1), r, p, run);
  FinishMatch(c, Result(12, 2, 0, 4.2), r, p, run);
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
  const struct {
    int matches, disposals, goals;
    double rating;
    int votesDraw;  // 0: no vote draw expected
    int bogDraw;    // 0: no best-on-ground draw expected
    int brownlow;
    bool best;
  } cases[] = {
      {5, 30, 3, 9.5, 3, 0, 3, true},  {5, 30, 3, 9.1, 2, 0, 2, true},
      {5, 30, 3, 9.0, 3, 2, 3, false}, {5, 30, 3, 8.0, 4, 1, 0, true},
      {5, 26, 0, 8.0, 1, 2, 1, false}, {5, 25, 6, 9.5, 0, 0, 0, false},
      {5, 10, 7, 9.5, 1, 0, 1, true},  {22, 30, 3, 9.5, 3, 0, 3, true},
      {23, 30, 3, 9.5, 0, 0, 0, true},  // no votes in the finals
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(std::to_string(k.matches) + ": " + std::to_string(k.disposals) + "/" +
                 std::to_string(k.goals) + " " + std::to_string(k.rating));
    ScriptedRandom r;
    ScriptedPrompter p;
    RunState run;
    Career c = Player();
    c.Matches = k.matches;
    c.Injury = -1;
    if (k.votesDraw) r.next(k.votesDraw, 4);
    if (k.bogDraw) r.next(k.bogDraw, 2);
    FinishMatch(c, Result(k.disposals, k.goals, 1, k.rating), r, p, run);
    EXPECT_EQ(r.left(), 0u);
    EXPECT_EQ(c.Brownlow, k.brownlow);
    EXPECT_EQ(c.BOGs, k.best ? 1 : 0);
    EXPECT_EQ(c.Levels[0].BOGs, k.best ? 1 : 0);
    EXPECT_EQ(c.BankBalance, Money::Dollars(16075 + (k.best ? 500 : 0)));
    EXPECT_EQ(p.stories.size(), k.best ? 1u : 0u);
  }
}

TEST(AfterMatch, NormSmithMedalShowsTheLastStoryAgain) {
  ScriptedRandom r;
  ScriptedPrompter p;
  RunState run;
  run.newspaper = {"Herald Sun", "Old headline", "Old story"};
  Career c = Player();
  c.League = "AFL";
  c.Matches = 25;
  c.Injury = -1;
  FinishMatch(c, Result(31, 2, 1, 9.8), r, p, run);
  EXPECT_EQ(p.messageTexts(),
            std::vector<std::string>{"Congratulations! You have been awarded with the Norm Smith "
                                     "Medal for being the Best on Ground in the Grand Final"});
  ASSERT_EQ(p.stories.size(), 1u);
  EXPECT_EQ(p.stories[0].headline, "Old headline");
  EXPECT_EQ(c.BankBalance, Money::Dollars(16075 + 3000));
}

TEST(AfterMatch, GamesMilestoneRepeatsWhileSittingOutOnIt) {
  ScriptedRandom r;
  ScriptedPrompter p;
  RunState run;
  Career c = Player();
  c.League = "State";
  c.Levels[2].Matches = 50;
  c.Injury = 2;
  FinishMatch(c, Result(0, 0, 0, 0), r, p, run);
  c.Injury = 1;
  FinishMatch(c, Result(0, 0, 0, 0), r, p, run);
  ASSERT_EQ(p.messages.size(), 2u);
  EXPECT_EQ(p.messages[1].text, "Congratulations on reaching 50 games in the State League!");
  ASSERT_EQ(p.stories.size(), 2u);
  EXPECT_EQ(p.stories[0].headline, "Jack Plays 50th Match");
}

// Season goal tallies and career games bring news on the match that crosses
// them, and only that one.
TEST(AfterMatch, MilestonesOnTheCrossingMatch) {
  const struct {
    int games, goals, kicked;
    const char* message;  // nothing: no news
  } cases[] = {
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
  for (const auto& k : cases) {
    ScriptedRandom r;
    ScriptedPrompter p;
    RunState run;
    Career c = Player();
    c.Injury = -1;
    c.Levels[0].Matches = k.games;
    c.Goals = k.goals;
    FinishMatch(c, Result(10, k.kicked, 0, 5), r, p, run);
    EXPECT_EQ(p.messageTexts(),
              k.message ? std::vector<std::string>{k.message} : std::vector<std::string>{})
        << k.games << " " << k.goals << " + " << k.kicked;
    EXPECT_EQ(p.stories.size(), k.message ? 1u : 0u);
  }
}

// A draw i of 25 in 50 injures him (t picks the injury, w the weeks); u of
// 50 in 100 suspends him (s picks the offence) and costs him the medal.
TEST(AfterMatch, InjuriesAndSuspensions) {
  const struct {
    int i, t, w, s, u;
    int injury, suspension;
    const char* messages;  // joined by " | "
    PlayColour colour;
  } cases[] = {
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
  for (const auto& k : cases) {
    ScriptedRandom r;
    ScriptedPrompter p;
    RunState run;
    Career c = Player();
    c.Matches = 10;
    Misfortune(r, k.i, k.t, k.w, k.s, k.u);
    FinishMatch(c, Result(10, 1, 0, 5), r, p, run);
    // The knee sets his condition to 1, and the match's wear takes the rest.
    EXPECT_EQ(c.HealthOverall, k.t == 100 ? 0 : 96);
    EXPECT_EQ(c.Injury, k.injury) << k.t;
    EXPECT_EQ(c.Suspension, k.suspension) << k.s;
    std::string told;
    for (const auto& m : p.messageTexts()) told += (told.empty() ? "" : " | ") + m;
    EXPECT_EQ(told, k.messages);
    EXPECT_EQ(run.playColour, k.colour);
    EXPECT_EQ(c.BrownlowEligible, k.u == 50 ? "N" : "Y");
  }
}

// The rating's band (k - 1, k] sets what a match gives and takes: skills
// grow under 30, gear and condition wear at any age.
TEST(AfterMatch, SkillsGrowAndBarsWearByTheRatingsBand) {
  const struct {
    double rating;
    int growth, gear, condition;
  } cases[] = {
      {0, 1, 1, 2},   {2, 1, 1, 2},   {2.1, 1, 2, 3}, {4, 1, 2, 3},   {4.1, 1, 3, 4},
      {6, 1, 3, 4},   {6.1, 2, 4, 5}, {7, 2, 4, 5},   {7.1, 3, 4, 5}, {8, 3, 4, 5},
      {8.1, 3, 5, 6}, {9, 3, 5, 6},   {10, 3, 5, 6},  {12, 3, 5, 6},
  };
  for (const auto& k : cases) {
    for (const auto& [age, start] : {std::pair{29, 50}, {30, 50}, {20, 199}}) {
      ScriptedRandom r;
      ScriptedPrompter p;
      RunState run;
      Career c = Player();
      c.Injury = -1;
      c.Age = age;
      c.Kicking = start;
      FinishMatch(c, Result(10, 1, 0, k.rating), r, p, run);
      const int grown = age < 30 ? std::min(200, start + k.growth) : start;
      EXPECT_EQ(c.Kicking, grown) << k.rating << " at " << age;
      EXPECT_EQ(c.Boots, 100 - k.gear) << k.rating;
      EXPECT_EQ(c.Fitness, 100 - k.condition) << k.rating;
    }
  }
}

TEST(AfterMatch, BigMatchesWearMore) {
  ScriptedRandom r;
  r.fallback = 0.99;
  ScriptedPrompter p;
  RunState run;
  Career c = Player();
  c.Injury = -1;
  FinishMatch(c, Result(30, 5, 4, 3), r, p, run);  // band (2, 3]: gear -2, condition -3
  EXPECT_EQ(c.Boots, 95);
  EXPECT_EQ(c.Jumper, 95);
  EXPECT_EQ(c.Shorts, 95);
  EXPECT_EQ(c.Other, 98);
  EXPECT_EQ(c.Health, 93);
  EXPECT_EQ(c.Fitness, 93);
  EXPECT_EQ(c.Stamina, 92);
  EXPECT_EQ(c.GearOverall, 96);    // 383 / 4 = 95.75
  EXPECT_EQ(c.HealthOverall, 93);  // 278 / 3 = 92.67
}

TEST(AfterMatch, WeeklyEventRunsBeforeTheSkillClamp) {
  ScriptedRandom r;
  r.fallback = 0.99;
  ScriptedPrompter p;
  RunState run;
  Career c = Player();
  c.Injury = -1;
  bool ran = false;
  FinishMatch(c, Result(10, 1, 0, 5), r, p, run, [&] {
    ran = true;
    c.Running = 250;
  });
  EXPECT_TRUE(ran);
  EXPECT_EQ(c.Running, 200);
  EXPECT_EQ(c.Overall, OverallOf(51, 51, 51, 51, 200));
}

}  // namespace
}  // namespace km
