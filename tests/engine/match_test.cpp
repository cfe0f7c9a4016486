// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "core/career.h"
#include "match/commentary.h"
#include "match/match.h"
#include "support/scripted_ports.h"

namespace km {
namespace {

using testing::ScriptedRandom;

constexpr Profile kProfiles[] = {Profile::FullBack, Profile::BackFlank, Profile::Midfield,
                                 Profile::ForwardFlank, Profile::FullForward};

// The draws at which a table's value changes from the draw before's.
template <typename F>
std::vector<int> Edges(F value, int from, int to) {
  std::vector<int> edges;
  for (int x = from + 1; x <= to; ++x) {
    if (value(x) != value(x - 1)) edges.push_back(x);
  }
  return edges;
}

TEST(MatchTables, PotentialBandsAreTensOfOverall) {
  // Each band of ten Overall (1-10, 11-20, .., 191-200) has its own figures;
  // every band gives more disposals than the one below it.
  const std::vector<int> tens = {11,  21,  31,  41,  51,  61,  71,  81,  91, 101,
                                 111, 121, 131, 141, 151, 161, 171, 181, 191};
  for (const Profile profile : kProfiles) {
    SCOPED_TRACE(static_cast<int>(profile));
    EXPECT_FALSE(PotentialOf(profile, 0) || PotentialOf(profile, 201));
    EXPECT_EQ(Edges([&](int o) { return PotentialOf(profile, o)->disposals; }, 1, 200), tens);
    for (const int o : tens) {
      EXPECT_GT(PotentialOf(profile, o)->disposals, PotentialOf(profile, o - 1)->disposals) << o;
    }
    for (const int edge : Edges([&](int o) { return PotentialOf(profile, o)->goals; }, 1, 200)) {
      EXPECT_EQ(edge % 10, 1) << edge;
    }
  }
}

TEST(MatchTables, SpreadsRiseWithTheDrawAndChangeAtTheirEdges) {
  const auto back = [](int b) { return GoalSpread(Profile::FullBack, b); };
  const auto forward = [](int b) { return GoalSpread(Profile::FullForward, b); };
  const struct {
    const char* what;
    std::function<double(int)> spread;
    int last;
    std::vector<int> edges;
    double lowest, highest;
  } tables[] = {
      {"disposals", DisposalSpread, 50, {5, 8, 11, 14, 17, 20, 24, 28, 32, 36, 40, 45}, 0.4, 1},
      {"back goals", back, 50, {36, 39, 42, 45, 47, 49}, 0.1, 1},
      {"forward goals", forward, 50, {11, 15, 19, 23, 27, 31, 35, 40, 45}, 0.1, 1},
      {"behinds", BehindSpread, 10, {2, 3, 4, 5, 6, 7, 8, 9, 10}, 0.2, 2},
  };
  for (const auto& t : tables) {
    SCOPED_TRACE(t.what);
    EXPECT_EQ(Edges(t.spread, 1, t.last), t.edges);
    for (int x = 2; x <= t.last; ++x) EXPECT_GE(t.spread(x), t.spread(x - 1)) << x;
    EXPECT_EQ(t.spread(1), t.lowest);
    EXPECT_EQ(t.spread(t.last), t.highest);
  }
  EXPECT_EQ(GoalSpread(Profile::BackFlank, 47), 0.7);
  EXPECT_EQ(GoalSpread(Profile::Midfield, 48), 0.7);
  EXPECT_EQ(GoalSpread(Profile::ForwardFlank, 35), 0.8);
  for (int h = 11; h <= 15; ++h) EXPECT_EQ(BehindSpread(h), 0.2) << h;
  const std::pair<int, double> condition[] = {{100, 1},  {99, 0.9}, {90, 0.9}, {89, 0.8}, {50, 0.5},
                                              {19, 0.1}, {10, 0.1}, {9, 0.01}, {0, 0.01}};
  for (const auto& [h, f] : condition) EXPECT_DOUBLE_EQ(ConditionFactor(h), f) << h;
  const std::pair<int, double> age[] = {{35, 1},   {36, 0.8}, {39, 0.8},
                                        {40, 0.5}, {44, 0.5}, {45, 0.2}};
  for (const auto& [a, f] : age) EXPECT_DOUBLE_EQ(AgeFactor(a), f) << a;
}

// The minute's draws by ladder row: the rows pair off (1st and 2nd, 3rd and
// 4th, ..), each pair with goal and behind draws of its own, fewer going down.
TEST(MatchTables, MinuteDrawsByLadderRow) {
  std::array<std::string, kLadderRows> ladder;
  for (std::size_t k = 0; k < kLadderRows; ++k) ladder[k] = "C" + std::to_string(k + 1);
  using Draws = std::pair<std::vector<int>, std::vector<int>>;  // goals, behinds
  auto drawsOf = [&](const std::string& club, bool first) {
    Draws d;
    for (int r = 28; r <= 120; ++r) {  // 1..27 score for the named sides whoever they are
      int g1 = 0, b1 = 0, g2 = 0, b2 = 0;
      const std::string other = "Nobody";
      ScoreMinute(r, ladder, first ? club : other, first ? other : club, g1, b1, g2, b2);
      EXPECT_EQ(g1 + b1 + g2 + b2, (first ? g1 + b1 : g2 + b2)) << r;
      if (g1 + g2 > 0) d.first.push_back(r);
      if (b1 + b2 > 0) d.second.push_back(r);
    }
    return d;
  };
  std::size_t lastGoals = 100;
  for (std::size_t row = 0; row < kLadderRows; ++row) {
    SCOPED_TRACE(ladder[row]);
    const Draws d = drawsOf(ladder[row], true);
    EXPECT_EQ(drawsOf(ladder[row], false), d);
    EXPECT_EQ(drawsOf(ladder[row ^ 1], true), d);  // his pair
    ASSERT_FALSE(d.first.empty());
    EXPECT_FALSE(d.second.empty());
    EXPECT_LE(d.first.size(), lastGoals);
    lastGoals = d.first.size();
    if (row >= 2) {
      EXPECT_NE(drawsOf(ladder[row - 2], true), d);
    }
  }
  EXPECT_EQ(drawsOf("C1", true).first.front(), 28);
  EXPECT_EQ(drawsOf("C15", true).first, std::vector<int>{97});
  EXPECT_EQ(drawsOf("C16", true).second, std::vector<int>{98});
  // The star's draws: the Overall he needs for his club's goal.
  const std::pair<int, int> star[] = {{98, 0},    {99, 100},  {100, 150}, {101, 150},
                                      {102, 200}, {104, 200}, {105, 0},   {120, 0}};
  for (const auto& [r, needs] : star) {
    int g1 = 0, b1 = 0, g2 = 0, b2 = 0;
    EXPECT_EQ(ScoreMinute(r, ladder, "C1", "C2", g1, b1, g2, b2), needs) << r;
  }
}

// Ratings at their pivots, the perfect games, and halves that binary
// fractions would miss.
TEST(MatchTables, RatingsOfThePositions) {
  const std::tuple<const char*, int, int, double> cases[] = {
      {"Full Back", 10, 0, 5},      {"Full Back", 0, 3, 0},
      {"Back Flank", 34, 0, 9.8},   {"Centre-Half-Back", 35, 0, 10},
      {"Back Pocket", 36, 0, 10.2}, {"Wing", 15, 0, 5},
      {"Wing", 0, 0, 0.1},          {"Wing", 10, 0, 3.4},
      {"Rover", 16, 5, 5.3},        {"Forward Flank", 10, 3, 5},
      {"Forward Flank", 35, 6, 10}, {"Forward Flank", 35, 5, 10.8},
      {"Forward Flank", 9, 2, 4.1}, {"Full Forward", 10, 3, 5},
      {"Full Forward", 10, 4, 5.8}, {"Forward Pocket", 10, 4, 5.5},
      {"Full Forward", 35, 8, 10},  {"Full Forward", 35, 9, 11.4},
      {"Full Forward", 10, 0, 1.5}, {"Forward Pocket", 9, 2, 3.7},
  };
  for (const auto& [position, disposals, goals, rating] : cases) {
    EXPECT_EQ(RatingOf(*ProfileOf(position), position, disposals, goals), rating)
        << position << " " << disposals << "/" << goals;
  }
}

TEST(Commentary, BandsByQuarterWithTheirEdges) {
  const std::tuple<int, double, int> cases[] = {
      // quarter, measure, band
      {1, 4, 1},    {1, 4.5, 2},  {1, 8, 2},   {1, 9.5, 3},  {1, 20, 4},   {1, 36, 6},
      {1, 35.5, 6}, {2, 10, 3},   {2, 30, 5},  {2, 36, 6},   {3, 5, 1},    {3, 5.1, 2},
      {3, 10, 2},   {3, 20, 3},   {3, 30, 4},  {3, 36, 5},   {3, 36.1, 6}, {4, 0, 1},
      {4, 2.4, 1},  {4, 2.45, 2}, {4, 2.5, 2}, {4, 4.95, 3}, {4, 7.45, 4}, {4, 9, 5},
      {4, 9.9, 5},  {4, 10, 6},
  };
  for (const auto& [quarter, x, band] : cases) {
    EXPECT_EQ(CommentaryBand(quarter, x), band) << "quarter " << quarter << " x " << x;
  }
  EXPECT_DOUBLE_EQ(CommentaryMeasure(1, 1, 0), 4);
  EXPECT_DOUBLE_EQ(CommentaryMeasure(3, 3, 0), 3.99);
  EXPECT_DOUBLE_EQ(CommentaryMeasure(4, 30, 7.5), 7.5);
}

// One sentence of each band, so that no two bands' sentences change places: quarters 1 to 3
// share the quarter's sentences, the full match has its own. The pick `v` goes round 1..3.
TEST(Commentary, EachBandHasItsOwnSentences) {
  const std::tuple<int, int, double, int, const char*> cases[] = {
      // quarter, disposals, rating, v, how the sentence starts
      {1, 1, 0, 1, "Jack 's coach won't be happy with that quarter's effort."},
      {2, 3, 0, 2, "Jack really didn't get enough of the ball that quarter,"},
      {3, 10, 0, 3, "Good quarter there by Jack, but he needs to take the extra step"},
      {1, 6, 0, 1, "Jack did very well that quarter,"},
      {2, 16, 0, 2, "Jack played a classy quarter of football there,"},
      {3, 30, 0, 3, "That truly was a SPECIAL quarter of footy from Jack!"},
      {4, 20, 1.0, 1, "Jackhad a terrible day today,"},
      {4, 20, 3.0, 2, "Jack really didn't get enough of the ball today,"},
      {4, 20, 6.0, 3, "Good game today for Jack, but he needs to take the extra step"},
      {4, 20, 8.0, 1, "Jack did very well today,"},
      {4, 20, 9.5, 2, "Jack played a classy match of football today,"},
      {4, 20, 10, 3, "That truly was a SPECTACULAR match of footy from Jack!"},
  };
  for (const auto& [quarter, disposals, rating, v, start] : cases) {
    const std::string sentence = Commentary(quarter, disposals, rating, "Jack", v);
    EXPECT_TRUE(sentence.starts_with(start)) << "quarter " << quarter << ": " << sentence;
  }
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
  for (const auto& [draw, of] : {std::pair{a, 50}, {b, 50}, {h, 15}, {adjust, 5}, {v, 3}}) {
    r.next(draw, of);
  }
}

TEST(Match, ConditionGearAndAgeCutTheFullMatchFigures) {
  // Condition, gear, age, Overall and the spread a; his disposals after one
  // quarter as a Centre with no adjustment.
  const std::tuple<int, int, int, int, int, int> cases[] = {
      {100, 100, 20, 100, 50, 5},   // 20 / 4
      {100, 100, 20, 200, 40, 10},  // a of 40 at 200: 40 x 0.95 = 38 → 9.5 → 10
      {99, 100, 20, 100, 50, 5},    // 18 / 4 = 4.5 → 5
      {80, 100, 20, 100, 50, 4},    // 16 / 4
      {9, 100, 20, 100, 50, 0},     // round(0.2) = 0
      {100, 50, 20, 100, 50, 5},    // not worn
      {100, 49, 20, 100, 50, 3},    // 10 / 4 = 2.5 → 3
      {100, 100, 35, 100, 50, 5},   // no age factor yet
      {100, 100, 36, 100, 50, 4},   // 16 / 4
      {100, 100, 40, 100, 50, 3},   // 10 / 4 = 2.5 → 3
      {100, 100, 45, 100, 50, 1},   // 4 / 4
  };
  for (const auto& [health, gear, age, overall, a, disposals] : cases) {
    ScriptedRandom r;
    Career p = Player("Centre", overall);
    p.HealthOverall = health;
    p.GearOverall = gear;
    p.Age = age;
    Match match(p, r, "Richmond", "Carlton");
    QuarterDraws(r, a, 1, 1, 3, 1);
    match.StartQuarter();
    EXPECT_EQ(match.state().Disposals, disposals)
        << "health " << health << " gear " << gear << " age " << age;
  }
}

TEST(Match, ForwardPocketInTheLocalReservesIsHeldBackUntilTheLastQuarter) {
  // Position, competition and his goals after quarter 1 with the bonus draw 3.
  const std::tuple<const char*, const char*, int> cases[] = {
      {"Forward Pocket", "Local Reserves", 0},
      {"Forward Pocket", "Local Firsts", 2},
      {"Full Forward", "Local Reserves", 2}};
  for (const auto& [position, league, goals] : cases) {
    ScriptedRandom r;
    Career p = Player(position, 100);
    p.League = league;
    Match match(p, r, "Richmond", "Carlton");
    QuarterDraws(r, 50, 1, 1, 3, 3);  // goals round(4 x 0.1) = 0, then the bonus
    r.next(1, 3);                     // the comment
    match.StartQuarter();
    EXPECT_EQ(match.state().Goals, goals) << position << " in " << league;
  }
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
    const int winner = matches >= 22 ? 1 : 0;
    EXPECT_EQ((std::array{s.PointsOne, s.BehindsOneAt[3], s.PointsTwo}),
              (std::array{winner, winner, 0}))
        << matches;
    EXPECT_FALSE(s.StartEnabled);
  }
}

}  // namespace
}  // namespace km
