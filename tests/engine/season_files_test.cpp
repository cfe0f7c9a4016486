// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "core/file_names.h"
#include "core/text_file.h"
#include "season/fixture.h"
#include "season/results_browser.h"
#include "support/scripted_ports.h"
#include "support/temp_folder.h"

namespace km {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedRandom;
using testing::TempFolder;

Career Named(const char* name) {
  Career c;
  c.CareerName = name;
  return c;
}

std::vector<std::string> Values(const fs::path& file) {
  auto read = ReadQuotedValues(file);
  EXPECT_TRUE(std::holds_alternative<std::vector<std::string>>(read));
  return std::get<std::vector<std::string>>(read);
}

TEST(Fixture, TemplateKeepsItsPromises) {
  std::map<std::pair<int, int>, int> pairings;
  std::array<int, 17> firstNamed{};
  for (const TemplateRound& round : ScheduleTemplate()) {
    std::set<int> slots;
    for (const Pairing& m : round) {
      slots.insert(m[0]);
      slots.insert(m[1]);
      ++firstNamed[static_cast<std::size_t>(m[0])];
      ++pairings[{std::min(m[0], m[1]), std::max(m[0], m[1])}];
    }
    EXPECT_EQ(slots.size(), 16u);  // every slot once a round
  }
  EXPECT_EQ(pairings.size(), 120u);  // every pairing of sixteen clubs
  EXPECT_EQ(std::count_if(pairings.begin(), pairings.end(), [](auto& p) { return p.second == 2; }),
            56);
  for (int slot = 1; slot <= 16; ++slot) EXPECT_EQ(firstNamed[static_cast<std::size_t>(slot)], 11);
}

TEST(Fixture, RoundsAndFinalsStagesAtTheirPositions) {
  TempFolder folder;
  Career c = Named("Bob");
  std::array<std::string, 16> clubs;
  for (std::size_t i = 0; i < 16; ++i) clubs[i] = "Club " + std::to_string(i + 1);
  clubs[13] = "Collingw'd Magpies";
  ASSERT_FALSE(WriteSeasonFixture(folder.path, c, clubs));
  EXPECT_TRUE(fs::exists(folder.path / "BobFixture.kmf"));
  EXPECT_EQ(Values(folder.path / "BobFixture.kmf").size(), 352u);

  auto round = [&](int r) {
    auto read = ReadRoundPairings(folder.path, c, r);
    if (auto* e = std::get_if<FileError>(&read)) return std::vector<std::string>{e->message};
    return std::get<std::vector<std::string>>(read);
  };
  // Round 22 ends 16-15 .. 8-7; round 3 opens 7-14, the apostrophe kept.
  const std::tuple<int, std::size_t, const char*> named[] = {{1, 0, "Club 1"},
                                                             {1, 15, "Club 16"},
                                                             {2, 0, "Club 4"},
                                                             {22, 0, "Club 16"},
                                                             {22, 15, "Club 7"},
                                                             {3, 0, "Club 7"},
                                                             {3, 1, "Collingw'd Magpies"}};
  for (const auto& [r, at, club] : named) EXPECT_EQ(round(r)[at], club) << r << " " << at;
  EXPECT_EQ(round(23)[0],
            "BobFixture.kmf ends at line 352, before the matches of round 23 (lines 353 to 360)");

  const std::vector<std::string> stages[] = {{"Q1", "Q2", "Q3", "Q4", "Q5", "Q6", "Q7", "Q8"},
                                             {"S1", "S2", "S3", "S4", "W1", "W2"},
                                             {"P1", "P2", "P3", "P4"},
                                             {"G1", "G2"}};
  for (const auto& stage : stages) ASSERT_FALSE(AppendFinalsStage(folder.path, c, stage));
  for (int r = 23; r <= 26; ++r) EXPECT_EQ(round(r), stages[r - 23]) << r;

  // A new season's fixture truncates the finals of the last one.
  ASSERT_FALSE(WriteSeasonFixture(folder.path, c, clubs));
  EXPECT_EQ(Values(folder.path / "BobFixture.kmf").size(), 352u);
}

TEST(Fixture, FilesAreQuotedCrlfWindows1252) {
  TempFolder folder;
  Career c = Named("Bob");
  std::array<std::string, 16> clubs;
  clubs.fill("M\xc3\xbcller");  // Müller
  ASSERT_FALSE(WriteSeasonFixture(folder.path, c, clubs));
  const auto bytes = *ReadWholeFile(folder.path / "BobFixture.kmf", kMaxSeasonFileBytes).bytes;
  EXPECT_EQ(bytes.substr(0, 10), "\"M\xfcller\"\r\n");
  EXPECT_EQ(Values(folder.path / "BobFixture.kmf")[0], "M\xc3\xbcller");
}

RoundRecord Record(int seed) {
  RoundRecord r;
  r.player = {"21", "3", "2", "6.8", "Full Forward"};
  for (std::size_t s = 0; s < 8; ++s) {
    r.teamOne[s] = "One " + std::to_string(s);
    r.teamTwo[s] = "Two " + std::to_string(s);
    for (std::size_t q = 0; q < 4; ++q) {
      const int v = seed + static_cast<int>(s * 10 + q);
      r.slots[s].GoalsOne[q] = v;
      r.slots[s].BehindsOne[q] = v + 1;
      r.slots[s].GoalsTwo[q] = v + 2;
      r.slots[s].BehindsTwo[q] = v + 3;
    }
    r.slots[s].PointsOne = 6 * r.slots[s].GoalsOne[3] + r.slots[s].BehindsOne[3];
    r.slots[s].PointsTwo = 6 * r.slots[s].GoalsTwo[3] + r.slots[s].BehindsTwo[3];
  }
  return r;
}

TEST(Results, RecordsAppendAndReadBackByRound) {
  TempFolder folder;
  Career c = Named("Bob");
  const RoundRecord first = Record(0);
  RoundRecord finals = Record(100);
  finals.player = PlayerLine{};
  ASSERT_FALSE(AppendRoundResult(folder.path, c, first));
  ASSERT_FALSE(AppendRoundResult(folder.path, c, finals));
  const auto values = Values(folder.path / "BobResults.kmr");
  ASSERT_EQ(values.size(), 2u * 149);
  // His line, then each match: the first club, its goals and behinds by quarter, the second.
  EXPECT_EQ(std::vector(values.begin(), values.begin() + 8),
            (std::vector<std::string>{"21", "3", "2", "6.8", "Full Forward", "One 0", "0", "1"}));
  EXPECT_EQ(values[14], "Two 0");
  EXPECT_EQ(std::vector(values.begin() + 149, values.begin() + 154),
            std::vector<std::string>(5, "0"));

  const std::pair<int, const RoundRecord*> rounds[] = {{1, &first}, {2, &finals}};
  for (const auto& [round, expected] : rounds) {
    auto read = ReadRoundResult(folder.path, c, round);
    ASSERT_TRUE(std::holds_alternative<RoundRecord>(read)) << round;
    const RoundRecord& r = std::get<RoundRecord>(read);
    EXPECT_EQ(r.player, expected->player);
    EXPECT_EQ(r.teamTwo, expected->teamTwo);
    EXPECT_EQ(r.slots, expected->slots);
  }
  auto missing = ReadRoundResult(folder.path, c, 3);
  ASSERT_TRUE(std::holds_alternative<FileError>(missing));
  EXPECT_EQ(std::get<FileError>(missing).message,
            "BobResults.kmr ends at line 298, before the record of round 3");
}

TEST(Results, BrowserShowsPlayedRoundsAndOnlyTheClubsOfTheRest) {
  TempFolder folder;
  Career c = Named("Bob");
  std::array<std::string, 16> clubs;
  for (std::size_t i = 0; i < 16; ++i) clubs[i] = "Club " + std::to_string(i + 1);
  ASSERT_FALSE(WriteSeasonFixture(folder.path, c, clubs));
  ASSERT_FALSE(AppendRoundResult(folder.path, c, Record(5)));
  c.Matches = 1;
  auto browse = [&](int round) {
    auto browsed = BrowseRound(c, folder.path, round);
    EXPECT_TRUE(std::holds_alternative<BrowsedRound>(browsed)) << round;
    return std::get<BrowsedRound>(browsed);
  };
  const BrowsedRound played = browse(1), unplayed = browse(2), undrawn = browse(26);
  EXPECT_TRUE(played.played);
  EXPECT_EQ(played.record.slots[0].GoalsOne[0], 5);
  EXPECT_EQ(played.record.teamOne[0], "One 0");  // from the record
  EXPECT_FALSE(unplayed.played);
  EXPECT_EQ(unplayed.record.teamOne[0] + "/" + undrawn.record.teamOne[0], "Club 4/");
  EXPECT_EQ(unplayed.record.slots[0].PointsOne, 0);
  EXPECT_EQ(undrawn.matchCount, 1);  // not drawn yet
  c.Matches = 3;                     // a record the results file does not hold
  EXPECT_TRUE(std::holds_alternative<FileError>(BrowseRound(c, folder.path, 3)));
}

// Another season in a competition: the ladder's rows are shuffled by one of
// four orders, each moving every club to a row of its own, and the fixture
// is made from the rows as they stood before.
TEST(Seasons, StayingReshufflesTheRowsAndBuildsTheFixtureFromTheOldOrder) {
  TempFolder folder;
  for (int shuffle = 1; shuffle <= 4; ++shuffle) {
    SCOPED_TRACE(shuffle);
    ScriptedRandom r;
    Career c = Named("Bob");
    std::set<std::string> before;
    for (std::size_t k = 0; k < 16; ++k)
      before.insert(c.Ladder[k].Team = "C" + std::to_string(k + 1));
    r.next(shuffle, 4);
    ASSERT_FALSE(StayInCompetitionSeason(folder.path, c, r));
    std::set<std::string> rows;
    for (const LadderRow& row : c.Ladder) rows.insert(row.Team);
    EXPECT_EQ(rows, before);
    using Clubs = std::array<std::string, 16>;
    const auto order = ReadFixtureClubs(folder.path, c);
    ASSERT_TRUE(std::holds_alternative<Clubs>(order));
    for (std::size_t k = 0; k < 16; ++k) {
      EXPECT_EQ(std::get<Clubs>(order)[k], "C" + std::to_string(k + 1));
    }
    if (shuffle == 1) {
      EXPECT_EQ(c.Ladder[0].Team + c.Ladder[15].Team, "C3C11");
    } else if (shuffle == 4) {
      EXPECT_EQ(c.Ladder[0].Team, "C6");
    }
  }
}

}  // namespace
}  // namespace km
