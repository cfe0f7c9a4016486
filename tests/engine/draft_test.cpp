// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <tuple>

#include "draft/draft.h"
#include "draft/draft_camp.h"
#include "support/scripted_ports.h"

namespace km {
namespace {

using testing::ScriptedRandom;

Career Prospect(int overall, double rating, int running) {
  Career c;
  c.Name = "Jack";
  c.League = "State";
  c.Age = 19;
  c.Overall = overall;
  c.MatchesPlayed = 20;
  c.MatchRatingAverage = rating;
  c.Running = running;
  return c;
}

TEST(DraftCamp, EntriesResultsAndRankBases) {
  // Overall 100 and an average of 7.1 are the camp's first five entries,
  // Overall 200 and more than 7.1 its last.
  EXPECT_EQ(CampEntry(CampGroup(7.1), CampBand(100), 1), 1);
  EXPECT_EQ(CampEntry(CampGroup(7.2), CampBand(200), 5), 60);
  const std::tuple<int, int, const char*> results[] = {
      {1, 1, "4"},     {1, 2, "3.98"},   {1, 59, "2.84"},  {1, 60, "2.76"},
      {6, 1, "12.29"}, {6, 15, "12.01"}, {6, 16, "11.59"}, {6, 60, "10.31"}};
  for (const auto& [test, entry, shown] : results) {
    EXPECT_EQ(CampResult(test, entry), shown) << test << " " << entry;
  }
  const std::pair<int, int> bands[] = {{100, 1}, {101, 2}, {125, 2}, {126, 3}, {150, 3},
                                       {151, 4}, {175, 4}, {176, 5}, {199, 5}, {200, 6}};
  for (const auto& [overall, band] : bands) EXPECT_EQ(CampBand(overall), band) << overall;
  // The rank bases: the two best entries rank 70, then every entry ranks
  // lower than the one before, down to 1.
  EXPECT_EQ((std::pair{CampRankBase(1), CampRankBase(2)}), (std::pair{70, 70}));
  for (int entry = 3; entry <= 60; ++entry) {
    EXPECT_LT(CampRankBase(entry), CampRankBase(entry - 1)) << entry;
  }
  EXPECT_EQ(CampRankBase(60), 1);
}

// Every entry of the camp through its six tests: each test's comment is the
// tier of the result, the better results in the better tiers, with the tiers
// changing exactly at their limits.
TEST(DraftCamp, CommentsByTierChangeAtTheLimits) {
  const int overallOfBand[] = {100, 125, 150, 175, 199, 200};
  std::array<std::vector<std::string>, kCampTests> tiers;  // by test, by entry
  for (int entry = 1; entry <= 60; ++entry) {
    const int group = (entry - 1) / 30 + 1;
    const int band = (entry - 1) % 30 / 5 + 1;
    const int caseNumber = (entry - 1) % 5 + 1;
    ASSERT_EQ(CampEntry(group, band, caseNumber), entry);
    DraftCamp camp(Prospect(overallOfBand[band - 1], group == 1 ? 7.1 : 7.2, 100));
    ScriptedRandom r;
    r.fallback = 0.5;
    camp.Step(r);  // the welcome
    for (std::size_t test = 0; test < kCampTests; ++test) {
      r.next(1, 3);
      r.next(1, 2);
      r.next(caseNumber, 5);
      camp.Step(r);
      const std::string& comment = camp.state().Comments;
      const std::string& result = camp.state().Result;
      EXPECT_EQ(result, CampResult(static_cast<int>(test) + 1, entry));
      // "Jack <the tier's words> <result><the tier's words>."
      const std::size_t at = comment.find(result, 5);
      ASSERT_NE(at, std::string::npos) << comment;
      EXPECT_EQ(comment.substr(0, 5), "Jack ");
      EXPECT_EQ(comment[at - 1], ' ') << comment;
      EXPECT_EQ(comment.back(), '.') << comment;
      tiers[test].push_back(comment.substr(0, at) + "|" + comment.substr(at + result.size()));
    }
  }
  const std::vector<int> limits[kCampTests] = {
      {14, 27, 39, 52, 60},  // sprint: under 3.75, 3.5, 3.25, 3 and 2.8 seconds
      {11, 21, 31, 41, 51},  // standing jump: over 50, 55, 60, 65 and 70 cm
      {9, 21, 33, 45, 57},   // running jump: over 64, 70, 76, 82 and 88 cm
      {9, 25, 37, 49, 59},   // agility: under 10.31, 9.51, 8.91, 8.31 and 7.81 seconds
      {11, 21, 31, 41, 56},  // shuttle: over level 11, 12, 13, 14 and 15.5
      {16, 26, 36, 46, 56},  // time trial: under 12.00, 11.40, 11.20, 11.00 and 10.40
  };
  for (std::size_t test = 0; test < kCampTests; ++test) {
    SCOPED_TRACE(test + 1);
    std::vector<int> changes;
    for (std::size_t e = 1; e < 60; ++e) {
      if (tiers[test][e] != tiers[test][e - 1]) changes.push_back(static_cast<int>(e) + 1);
    }
    EXPECT_EQ(changes, limits[test]);
    EXPECT_EQ(std::set<std::string>(tiers[test].begin(), tiers[test].end()).size(), 6u);
  }
  // How each tier's comment starts, worst tier first, so that no two tiers' words change
  // places; the tiers start at the entries of `limits`.
  const std::array<const char*, 6> openings[kCampTests] = {
      {"put in a really poor", "didn't have the greatest", "did a rather average run",
       "did a pretty good run", "had an absolutely fantastic run",
       "managed to break the old event"},
      {"barely even got off", "obviously doesn't have a great leap", "didn't do a bad jump",
       "did a pretty good jump", "really flew", "managed to break the old verticle jump"},
      {"barely even got off", "obviously doesn't have a great leap", "didn't do a bad jump",
       "did a pretty good jump", "really flew", "was able to break the old running jump"},
      {"put in a really poor", "didn't have the greatest", "did a rather average run",
       "did a pretty good run", "had an absolutely fantastic run",
       "managed to break the old event"},
      {"showed a total lack", "obviously doesn't have great endurance", "didn't do a beep test",
       "did a pretty good shuttle run", "did really well in the beep test",
       "showed fantastic determination"},
      {"showed absolutely no determination", "didn't have the greatest", "did a rather average run",
       "did a pretty good run", "had an absolutely fantastic run",
       "managed to break the old event"},
  };
  for (std::size_t test = 0; test < kCampTests; ++test) {
    for (std::size_t tier = 0; tier < 6; ++tier) {
      const int entry = tier == 0 ? 1 : limits[test][tier - 1];
      const std::string& comment = tiers[test][static_cast<std::size_t>(entry - 1)];
      EXPECT_TRUE(comment.starts_with(std::string("Jack ") + openings[test][tier]))
          << "test " << test + 1 << ", entry " << entry << ": " << comment;
    }
  }
}

// A test's rank is its entry's base with a variance of 1 to 3, always added
// below Running 150 and otherwise added or taken away by a draw; the camp's
// ranks are held within 1..70 once the last test is done.
TEST(DraftCamp, VarianceSignAndTheClampAtTheEnd) {
  // Running, the sign's draw and each test's rank.
  for (const auto& [running, signDraw, rank] :
       {std::tuple{149, 2, 73}, {150, 2, 67}, {150, 1, 73}}) {
    ScriptedRandom r;
    DraftCamp camp(Prospect(100, 7.1, running));
    r.next(1, 3);  // the welcome: variance, sign, then its text
    r.next(1, 2);
    r.next(2, 3);
    camp.Step(r);
    EXPECT_EQ(camp.state().Comments.substr(0, 50),
              "Welcome to the AFL Draft Camp. Over the next few d");
    for (int test = 1; test <= kCampTests; ++test) {
      r.next(3, 3);
      r.next(signDraw, 2);
      r.next(1, 5);  // entry 1: a base of 70
      camp.Step(r);
      if (test < kCampTests) {
        EXPECT_EQ(camp.state().Rank, rank) << running;
      }
    }
    for (const CampRow& row : camp.state().Rows) EXPECT_EQ(row.Rank, std::min(rank, 70));
    EXPECT_EQ(camp.state().RankAverage, std::min(rank, 70));
    r.next(1, 3);
    r.next(1, 2);
    camp.Step(r);
    EXPECT_EQ(camp.AverageRank(), std::min(rank, 70));
    EXPECT_TRUE(camp.Finished() && camp.state().OkEnabled && !camp.state().StartEnabled);
  }
}

TEST(DraftCamp, VerdictBands) {
  const std::pair<int, const char*> cases[] = {
      {1, " was without a doubt the standout"}, {2, " had a great draft camp."},
      {10, " had a great draft camp."},         {11, " had a very good draft camp."},
      {60, " had a disappointing draft camp."}, {61, " had a very disappointing draft camp."}};
  for (const auto& [rank, start] : cases) {
    EXPECT_EQ(CampVerdict(rank).substr(0, std::string(start).size()), start) << rank;
  }
}

// Each pick's tier wants a camp rank of at most its limit, an Overall above
// its limit (the first pick: exactly 200) and a rating average above its
// limit; the last pick takes whoever is left.
TEST(Draft, TiersTakeAPlayerAtTheirLimitsAndNotShortOfThem) {
  // A tier's first and last picks, its rank, Overall and rating limits.
  const std::tuple<int, int, int, int, double> tiers[] = {
      {1, 1, 5, 199, 8.0},    {2, 5, 10, 185, 7.5},   {6, 10, 20, 175, 7.2},
      {11, 16, 30, 160, 7.0}, {17, 24, 40, 150, 6.8}, {25, 32, 50, 140, 6.6},
      {33, 48, 60, 130, 6.4}, {49, 64, 69, 120, 6.2}, {65, 79, 69, 120, 6.3},
  };
  for (const auto& [first, last, rank, overall, rating] : tiers) {
    for (const int pick : {first, last}) {
      SCOPED_TRACE(pick);
      const auto taken = TakenAt(pick, rank, overall + 1, rating + 0.05);
      ASSERT_TRUE(taken.has_value());
      EXPECT_EQ(taken->firstPick, first);
      EXPECT_FALSE(TakenAt(pick, rank + 1, overall + 1, rating + 0.05).has_value());
      EXPECT_FALSE(TakenAt(pick, rank, overall, rating + 0.05).has_value());
      EXPECT_FALSE(TakenAt(pick, rank, overall + 1, rating).has_value());
    }
  }
  // The earlier the pick, the higher the round's wage.
  int wage = 40000;
  int round = 1;
  for (int pick = 1; pick <= kLastPick; ++pick) {
    const auto taken = TakenAt(pick, 1, 200, 10);
    ASSERT_TRUE(taken.has_value()) << pick;
    EXPECT_LE(taken->wage, wage) << pick;
    EXPECT_GE(taken->round, round) << pick;
    wage = taken->wage;
    round = taken->round;
  }
  EXPECT_EQ(TakenAt(1, 1, 200, 10)->wage, 32000);
  EXPECT_EQ(TakenAt(49, 1, 200, 10)->round, 4);
  const auto last = TakenAt(kLastPick, 70, 1, 0);
  ASSERT_TRUE(last.has_value());
  EXPECT_EQ((std::tuple{last->firstPick, last->round, last->wage}),
            (std::tuple{kLastPick, 5, 14000}));
}

}  // namespace
}  // namespace km
