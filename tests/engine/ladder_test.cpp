#include <gtest/gtest.h>

#include "season/ladder.h"

namespace km {
namespace {

TEST(Ladder, OrderedByPointsThenPercentageThenFor) {
  Career c;
  // Row: wins, losses, draws, for, against.
  const struct {
    const char* team;
    int w, l, d, f, a;
  } rows[] = {
      {"Alpha", 2, 2, 0, 400, 400},    // 8 points, 100.0
      {"Bravo", 3, 1, 0, 300, 400},    // 12 points, 75.0
      {"Charlie", 3, 1, 0, 500, 400},  // 12 points, 125.0
      {"Delta", 2, 1, 1, 300, 200},    // 10 points
      {"Echo", 3, 1, 0, 600, 480},     // 12 points, 125.0, more For than Charlie
      {"Foxtrot", 0, 0, 0, 0, 0},      // nothing played: "0.0"
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    c.Ladder[i] = {rows[i].team, rows[i].w, rows[i].l, rows[i].d, rows[i].f, rows[i].a};
  }
  for (std::size_t i = std::size(rows); i < kLadderRows; ++i) c.Ladder[i].Against = 1000;
  const LadderView ladder = BuildLadder(c);
  EXPECT_EQ(ladder[0].Team, "Echo");
  EXPECT_EQ(ladder[1].Team, "Charlie");
  EXPECT_EQ(ladder[2].Team, "Bravo");
  EXPECT_EQ(ladder[3].Team, "Delta");
  EXPECT_EQ(ladder[4].Team, "Alpha");
  EXPECT_EQ(ladder[5].Team, "Foxtrot");
  EXPECT_EQ(ladder[0].Position, "1st");
  EXPECT_EQ(ladder[15].Position, "16th");
  EXPECT_EQ(ladder[1].Percentage, "125.0");
  EXPECT_EQ(ladder[2].Percentage, "75.0");
  EXPECT_EQ(ladder[3].Points, 10);
  EXPECT_EQ(ladder[3].Played, 4);
  EXPECT_EQ(ladder[5].Percentage, "0.0");
  EXPECT_EQ(ladder[6].Percentage, ".0");  // nothing scored against 1000: the pattern's own form

  EXPECT_EQ(LeaguePosition(ladder, "Delta", ""), "4th");
  EXPECT_EQ(LeaguePosition(ladder, "Nobody", "9th"), "9th");
}

TEST(Ladder, TitleFollowsTheLeague) {
  EXPECT_EQ(LadderTitle("AFL"), "AFL Ladder");
  EXPECT_EQ(LadderTitle("State"), "State Ladder");
  EXPECT_EQ(LadderTitle("Local Firsts"), "Local Firsts Ladder");
  EXPECT_EQ(LadderTitle("Local Reserves"), "Local Reserves Ladder");
}

}  // namespace
}  // namespace km
