#include <gtest/gtest.h>

#include "core/career.h"
#include "match/commentary.h"
#include "match/match.h"
#include "support/scripted_ports.h"

namespace km {
namespace {

using testing::ScriptedRandom;

TEST(MatchTables, OverallBands) {
  const struct {
    Profile profile;
    int overall;
    int disposals;  // -1: no band
    int goals;
  } cases[] = {
      {Profile::FullBack, 100, 17, 0},     {Profile::FullBack, 101, 19, 0},
      {Profile::Midfield, 100, 20, 2},     {Profile::Midfield, 1, 2, 0},
      {Profile::Midfield, 10, 2, 0},       {Profile::Midfield, 11, 4, 0},
      {Profile::BackFlank, 180, 31, 4},    {Profile::BackFlank, 181, 33, 3},
      {Profile::ForwardFlank, 200, 35, 7}, {Profile::FullForward, 200, 30, 9},
      {Profile::FullForward, 51, 8, 2},    {Profile::FullBack, 0, -1, -1},
      {Profile::FullForward, 201, -1, -1},
  };
  for (const auto& c : cases) {
    const auto p = PotentialOf(c.profile, c.overall);
    if (c.disposals < 0) {
      EXPECT_FALSE(p.has_value()) << c.overall;
      continue;
    }
    ASSERT_TRUE(p.has_value()) << c.overall;
    EXPECT_EQ(p->disposals, c.disposals) << static_cast<int>(c.profile) << " at " << c.overall;
    EXPECT_EQ(p->goals, c.goals) << static_cast<int>(c.profile) << " at " << c.overall;
  }
}

TEST(MatchTables, SpreadsAndFactorsAtTheirEdges) {
  EXPECT_EQ(DisposalSpread(50), 1);
  EXPECT_EQ(DisposalSpread(45), 1);
  EXPECT_EQ(DisposalSpread(44), 0.95);
  EXPECT_EQ(DisposalSpread(17), 0.65);
  EXPECT_EQ(DisposalSpread(16), 0.6);
  EXPECT_EQ(DisposalSpread(4), 0.4);
  EXPECT_EQ(GoalSpread(Profile::Midfield, 49), 1);
  EXPECT_EQ(GoalSpread(Profile::FullBack, 48), 0.7);
  EXPECT_EQ(GoalSpread(Profile::BackFlank, 35), 0.1);
  EXPECT_EQ(GoalSpread(Profile::ForwardFlank, 35), 0.8);
  EXPECT_EQ(GoalSpread(Profile::FullForward, 10), 0.1);
  EXPECT_EQ(BehindSpread(1), 0.2);
  EXPECT_EQ(BehindSpread(10), 2);
  EXPECT_EQ(BehindSpread(11), 0.2);
  const std::pair<int, double> condition[] = {{100, 1},  {99, 0.9}, {90, 0.9}, {89, 0.8}, {50, 0.5},
                                              {19, 0.1}, {10, 0.1}, {9, 0.01}, {0, 0.01}};
  for (const auto& [h, f] : condition) EXPECT_DOUBLE_EQ(ConditionFactor(h), f) << h;
  const std::pair<int, double> age[] = {{35, 1},   {36, 0.8}, {39, 0.8},
                                        {40, 0.5}, {44, 0.5}, {45, 0.2}};
  for (const auto& [a, f] : age) EXPECT_DOUBLE_EQ(AgeFactor(a), f) << a;
}

// The rating worked out afresh in ten-thousandths of a point from the
// formulas' own figures, then rounded to one decimal with halves up.
int ExpectedRatingTenths(const std::string& position, int d, int g) {
  // At the pivot, per disposal below it, per disposal above it.
  auto part = [](int x, int pivot, int at, int down, int up) {
    return x <= pivot ? at - (pivot - x) * down : at + (x - pivot) * up;
  };
  const auto profile = *ProfileOf(position);
  int r = 0;
  if (profile == Profile::FullBack || profile == Profile::BackFlank) {
    r = d == 35 ? 100000 : part(d, 10, 50000, 5000, 2000);
  } else if (profile == Profile::Midfield) {
    r = part(d, 15, 50000, 3300, 2500);
  } else if (profile == Profile::ForwardFlank) {
    r = d == 35 && g == 6 ? 100000 : part(d, 10, 33000, 3300, 1650) + part(g, 3, 17000, 5670, 8500);
  } else {
    const int perGoal = position == "Forward Pocket" ? 5000 : 7500;
    r = d == 35 && g == 8 ? 100000
                          : part(d, 10, 15000, 1500, 750) + part(g, 3, 35000, 11670, perGoal);
  }
  // Halves up; r is never below -10 (a forward flank with nothing at all).
  return (r + 500) / 1000;
}

TEST(MatchTables, RatingsOfEveryFigureAMatchCanProduce) {
  // The most a match gives: a midfielder's 40 base disposals are 10 + 2 a
  // quarter, a full forward's 9 goals 2 + 2 a quarter.
  constexpr int kMostDisposals = 48;
  constexpr int kMostGoals = 16;
  for (const char* position : {"Full Back", "Back Pocket", "Back Flank", "Centre-Half-Back", "Wing",
                               "Ruck", "Rover", "Ruck Rover", "Centre", "Forward Flank",
                               "Centre-Half-Forward", "Full Forward", "Forward Pocket"}) {
    for (int d = 0; d <= kMostDisposals; ++d) {
      for (int g = 0; g <= kMostGoals; ++g) {
        EXPECT_EQ(RatingOf(*ProfileOf(position), position, d, g),
                  ExpectedRatingTenths(position, d, g) / 10.0)
            << position << " " << d << "/" << g;
      }
    }
  }
  // Halves that binary fractions miss: 5 - 15 x 0.33 and 5 - 5 x 0.33.
  EXPECT_EQ(RatingOf(Profile::Midfield, "Wing", 0, 0), 0.1);
  EXPECT_EQ(RatingOf(Profile::Midfield, "Wing", 10, 0), 3.4);
}

TEST(MatchTables, RatingsProjectedOverTheQuartersToCome) {
  const struct {
    int quarter;
    double rating, projected;
  } cases[] = {
      {1, 2.4, 9.6}, {1, 2.6, 10}, {2, 4.9, 9.8}, {2, 5.1, 10},  {3, 5, 6.7},
      {3, 3.3, 4.4}, {3, 7.5, 10}, {3, 0, 0},     {4, 7.3, 7.3}, {4, 10, 10},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProjectedRating(c.quarter, c.rating), c.projected)
        << "quarter " << c.quarter << " rating " << c.rating;
  }
}

TEST(Commentary, BandsByQuarterWithTheirEdges) {
  const struct {
    int quarter;
    double x;
    int band;
  } cases[] = {
      {1, 4, 1},    {1, 4.5, 2},  {1, 8, 2},   {1, 9.5, 3},  {1, 20, 4},   {1, 36, 6},
      {1, 35.5, 6}, {2, 10, 3},   {2, 30, 5},  {2, 36, 6},   {3, 5, 1},    {3, 5.1, 2},
      {3, 10, 2},   {3, 20, 3},   {3, 30, 4},  {3, 36, 5},   {3, 36.1, 6}, {4, 0, 1},
      {4, 2.4, 1},  {4, 2.45, 2}, {4, 2.5, 2}, {4, 4.95, 3}, {4, 7.45, 4}, {4, 9, 5},
      {4, 9.9, 5},  {4, 10, 6},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CommentaryBand(c.quarter, c.x), c.band) << "quarter " << c.quarter << " x " << c.x;
  }
  EXPECT_DOUBLE_EQ(CommentaryMeasure(1, 1, 0), 4);
  EXPECT_DOUBLE_EQ(CommentaryMeasure(3, 3, 0), 3.99);
  EXPECT_DOUBLE_EQ(CommentaryMeasure(4, 30, 7.5), 7.5);
}

TEST(Commentary, SentencesJoinExactly) {
  EXPECT_EQ(Commentary(4, 0, 1.0, "Jack", 1),
            "Jackhad a terrible day today, and if he's not careful he'll be looking at getting "
            "dropped in the near future. He'll need to increase his work rate and go in for the "
            "hard ball more if he's to improve.");
  EXPECT_EQ(Commentary(1, 1, 0, "Jack", 3),
            "Poor footballing performance that quarter by Jack. He'll be hoping to improve, "
            "otherwise he may find himself on the bench.");
  EXPECT_EQ(
      Commentary(4, 0, 10, "Jack", 2),
      "Jack played a magical game of footy! You wont see much better than that, what a star!");
  EXPECT_EQ(Commentary(2, 4, 0, "Jack", 1).substr(0, 10), "Jack 's co");
}

Career Player(const char* position, int overall) {
  Career c;
  c.Name = "Jack";
  c.Team = "Richmond";
  c.Position = position;
  c.Overall = overall;
  c.Age = 20;
  c.Injury = -5;
  c.Suspension = -5;
  return c;
}

// The draws of one quarter of the player's: spreads a, b and h, the share's
// adjustment, then the comment's pick.
void QuarterDraws(ScriptedRandom& r, int a, int b, int h, int adjust, int v) {
  r.next(a, 50);
  r.next(b, 50);
  r.next(h, 15);
  r.next(adjust, 5);
  r.next(v, 3);
}

TEST(Match, MidfielderQuarterFromScriptedDraws) {
  ScriptedRandom r;
  r.fallback = 0.999;  // the clock's minutes score nothing
  Career c = Player("Wing", 100);
  Match match(c, r, "Richmond", "Carlton");
  EXPECT_EQ(match.state().Title, "MATCH STATISTICS - GAME ONE");
  // Raw disposals 20 x 1, goals round(2 x 0.1) = 0: a quarter share of 5 + 1.
  QuarterDraws(r, 50, 1, 1, 4, 1);
  match.StartQuarter();
  const MatchState& s = match.state();
  EXPECT_EQ(s.Disposals, 6);
  EXPECT_EQ(s.Goals, 0);
  EXPECT_EQ(s.StartCaption, "Next Quarter");
  EXPECT_FALSE(s.StartEnabled);
  EXPECT_TRUE(s.ClockRunning);
  // 5 - (15 - 6) x 0.33 = 2.03 → 2.0, then x 4 for the quarters to come.
  EXPECT_DOUBLE_EQ(s.MatchRating, 8);
  // 6 disposals x 4 = 24: band 4.
  EXPECT_EQ(s.Comments.substr(0, 27), "Jack did very well that qua");
  EXPECT_EQ(s.QuarterTitle, "QUARTER TIME");
  match.FinishQuarter();
  EXPECT_EQ(s.Time, 30);
  EXPECT_TRUE(s.StartEnabled);
  EXPECT_FALSE(s.ClockRunning);
  // His club has at least one goal more than he has: none needed here.
  EXPECT_EQ(s.GoalsOneAt[0], 0);
}

TEST(Match, ConditionGearAndAgeCutTheFullMatchFigures) {
  const struct {
    int health, gear, age;
    int disposals;  // after one quarter with a = 50 and no adjustment
  } cases[] = {
      {100, 100, 20, 5},  // 20 / 4
      {99, 100, 20, 5},   // 18 / 4 = 4.5 → 5
      {80, 100, 20, 4},   // 16 / 4
      {9, 100, 20, 0},    // round(0.2) = 0
      {100, 50, 20, 5},   // not worn
      {100, 49, 20, 3},   // 10 / 4 = 2.5 → 3
      {100, 100, 35, 5},  // no age factor yet
      {100, 100, 36, 4},  // 16 / 4
      {100, 100, 40, 3},  // 10 / 4 = 2.5 → 3
      {100, 100, 45, 1},  // 4 / 4
  };
  for (const auto& c : cases) {
    ScriptedRandom r;
    Career p = Player("Centre", 100);
    p.HealthOverall = c.health;
    p.GearOverall = c.gear;
    p.Age = c.age;
    Match match(p, r, "Richmond", "Carlton");
    QuarterDraws(r, 50, 1, 1, 3, 1);
    match.StartQuarter();
    EXPECT_EQ(match.state().Disposals, c.disposals)
        << "health " << c.health << " gear " << c.gear << " age " << c.age;
  }
}

TEST(Match, NegativeShareNeverLowersTheRunningTotal) {
  ScriptedRandom r;
  Career p = Player("Centre", 1);  // 2 disposals a match at most
  Match match(p, r, "Richmond", "Carlton");
  r.fallback = 0.999;
  QuarterDraws(r, 1, 1, 1, 3, 1);  // round(0.8) = 1 → share round(0.25) = 0
  match.StartQuarter();
  match.FinishQuarter();
  EXPECT_EQ(match.state().Disposals, 0);
  // Share 0 - 2 is below nothing: the total gains a draw of 0..2 instead.
  r.next(1, 50);
  r.next(1, 50);
  r.next(1, 15);
  r.next(1, 5);  // - 2
  r.next(3, 3);  // + 2
  r.next(1, 3);  // the comment
  match.StartQuarter();
  EXPECT_EQ(match.state().Disposals, 2);
}

TEST(Match, ForwardPocketInTheLocalReservesIsHeldBackUntilTheLastQuarter) {
  const struct {
    const char* position;
    const char* league;
    int goals;  // after quarter 1 with the bonus draw 3
  } cases[] = {
      {"Forward Pocket", "Local Reserves", 0},
      {"Forward Pocket", "Local Firsts", 2},
      {"Full Forward", "Local Reserves", 2},
  };
  for (const auto& c : cases) {
    ScriptedRandom r;
    Career p = Player(c.position, 100);
    p.League = c.league;
    Match match(p, r, "Richmond", "Carlton");
    r.next(50, 50);
    r.next(1, 50);  // goals round(4 x 0.1) = 0
    r.next(1, 15);
    r.next(3, 5);
    r.next(3, 3);  // the bonus
    r.next(1, 3);  // the comment
    match.StartQuarter();
    EXPECT_EQ(match.state().Goals, c.goals) << c.position << " in " << c.league;
  }
}

TEST(Match, InjuredPlayerWatchesFromTheStands) {
  ScriptedRandom r;
  r.fallback = 0.05;  // every minute is a goal to team one (roll 7 of 120)
  Career p = Player("Full Forward", 200);
  p.Injury = 0;
  Match match(p, r, "Richmond", "Carlton");
  for (int q = 1; q <= 4; ++q) {
    match.StartQuarter();
    EXPECT_EQ(match.state().Comments, "You are not playing.");
    EXPECT_EQ(match.state().Disposals, 0);
    EXPECT_EQ(match.state().MatchRating, 0);
    match.FinishQuarter();
  }
  EXPECT_TRUE(match.state().FullTime);
  EXPECT_EQ(match.state().GoalsOne, 120);
  EXPECT_EQ(match.state().GoalsOneAt[1], 60);
  EXPECT_EQ(match.state().PointsOne, 720);
}

TEST(Match, LevelFinalsGetAWinner) {
  for (const int matches : {0, 21, 22, 23, 25}) {
    ScriptedRandom r;
    r.fallback = 0.999;  // nothing scores
    Career p = Player("Wing", 50);
    p.Injury = 0;  // he sits out: his figures cannot move the score
    p.Matches = matches;
    Match match(p, r, "Richmond", "Carlton");
    match.PlayToFullTime();
    const MatchState& s = match.state();
    const bool winner = matches >= 22;
    EXPECT_EQ(s.PointsOne, winner ? 1 : 0) << matches;
    EXPECT_EQ(s.BehindsOneAt[3], winner ? 1 : 0) << matches;
    EXPECT_EQ(s.PointsTwo, 0);
    EXPECT_FALSE(s.StartEnabled);
  }
}

TEST(Match, QuarterEndKeepsHisClubAheadOfHisGoals) {
  const struct {
    const char* teamOne;
    const char* teamTwo;
    int goalsOne, behindsOne, goalsTwo;
  } cases[] = {
      {"Richmond", "Carlton", 4, 5, 0},  // his 3 goals and 4 behinds → 4 and 5
      {"Carlton", "Richmond", 0, 0, 4},  // team two: goals only
  };
  for (const auto& c : cases) {
    ScriptedRandom r;
    r.fallback = 0.999;
    Career p = Player("Full Forward", 200);  // 30 disposals, 9 goals a match
    Match match(p, r, c.teamOne, c.teamTwo);
    r.next(50, 50);
    r.next(50, 50);  // 9 goals → a quarter share round(2.25) = 2
    r.next(8, 15);   // behinds round(9 x 1.6) = 14 → round(3.5) = 4
    r.next(3, 5);
    r.next(2, 3);  // + 1 goal
    r.next(1, 3);
    match.StartQuarter();
    EXPECT_EQ(match.state().Goals, 3);
    EXPECT_EQ(match.state().Behinds, 4);
    match.FinishQuarter();
    EXPECT_EQ(match.state().GoalsOneAt[0], c.goalsOne) << c.teamOne;
    EXPECT_EQ(match.state().BehindsOneAt[0], c.behindsOne) << c.teamOne;
    EXPECT_EQ(match.state().GoalsTwoAt[0], c.goalsTwo) << c.teamOne;
    EXPECT_EQ(match.state().BehindsTwoAt[0], 0);
  }
}

TEST(Match, MeanDisposalsFollowTheTables) {
  // A midfielder at Overall 100 has 20 base disposals. Over the spread m(a),
  // round(20 m / 4) is 5 for a in 36..50 (15 draws), 4 for 20..35 (16), 3
  // for 8..19 (12) and 2 for 1..7 (7): a mean of 189 / 50 = 3.78 a quarter,
  // and the adjustment of -2..+2 averages 0, so 15.12 a match.
  TwisterRandom random(20261205);
  Career p = Player("Ruck Rover", 100);
  const int matches = 3000;
  long total = 0;
  for (int i = 0; i < matches; ++i) {
    Match match(p, random, "Richmond", "Carlton");
    match.PlayToFullTime();
    total += match.state().Disposals;
  }
  EXPECT_NEAR(static_cast<double>(total) / matches, 15.12, 0.3);
}

}  // namespace
}  // namespace km
