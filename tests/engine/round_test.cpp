// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <tuple>

#include "game/game.h"
#include "season/career_log.h"
#include "season/finals.h"
#include "season/fixture.h"
#include "season/ladder.h"
#include "season/round.h"
#include "support/playing.h"
#include "support/scripted_ports.h"
#include "support/temp_folder.h"

namespace km {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using testing::ScriptedPrompter;
using testing::ScriptedRandom;
using testing::TempFolder;

Career WithLadder() {
  Career c;
  for (std::size_t k = 0; k < 16; ++k) c.Ladder[k].Team = "C" + std::to_string(k + 1);
  return c;
}

// Another clubs' match is four quarters of thirty minutes, and a final is
// never left level: the first club gets a behind.
TEST(Round, SimulatedMatchesPlayEveryMinute) {
  ScriptedRandom goals;
  goals.fallback = 0.05;  // every minute a goal to the first club (7 of 120)
  const Scoreboard b = SimulateMatch(WithLadder(), goals, "C3", "C4", true);
  EXPECT_EQ(b.G1, (std::array<int, 4>{30, 60, 90, 120}));
  EXPECT_EQ(b.B1, (std::array<int, 4>{}));
  EXPECT_EQ((std::pair{b.P1, b.P2}), (std::pair{720, 0}));
  for (const bool final : {false, true}) {
    ScriptedRandom r;
    r.fallback = 0.999;  // nothing scores
    const Scoreboard level = SimulateMatch(WithLadder(), r, "C3", "C4", final);
    const int won = final ? 1 : 0;
    EXPECT_EQ((std::array{level.P1, level.B1[3], level.P2}), (std::array{won, won, 0}));
  }
}

TEST(Round, LadderUpdateCountsResultsForEveryRowOfTheName) {
  Career c = WithLadder();
  c.Ladder[11].Team = "C10";  // one name in two rows
  RunState run;
  run.roundTeamOne = {"C1", "C10"};
  run.roundTeamTwo = {"C2", "C3"};
  run.roundSlots[0].PointsOne = run.roundSlots[0].PointsTwo = 80;
  run.roundSlots[1].PointsOne = 90;
  run.roundSlots[1].PointsTwo = 45;
  UpdateLadder(c, run);
  const auto& l = c.Ladder;
  EXPECT_EQ((std::array{l[0].Draws, l[1].Draws, l[0].Against, l[9].Wins, l[11].Wins, l[11].For,
                        l[2].Losses}),
            (std::array{1, 1, 80, 1, 1, 90, 1}));
  const LadderView view = BuildLadder(c);
  EXPECT_EQ(view[0].Points, 4);
  EXPECT_EQ(view[2].Points, 2);  // a draw is worth two
}

TEST(Ladder, OrderedByPointsThenPercentageThenFor) {
  Career c;
  // Row: wins, losses, draws, for, against.
  const LadderRow rows[] = {
      {"Alpha", 2, 2, 0, 400, 400},    // 8 points, 100.0
      {"Bravo", 3, 1, 0, 300, 400},    // 12 points, 75.0
      {"Charlie", 3, 1, 0, 500, 400},  // 12 points, 125.0
      {"Delta", 2, 1, 1, 300, 200},    // 10 points
      {"Echo", 3, 1, 0, 600, 480},     // 12 points, 125.0, more For than Charlie
      {"Foxtrot", 0, 0, 0, 0, 0},      // nothing played: "0.0"
  };
  std::copy(std::begin(rows), std::end(rows), c.Ladder.begin());
  for (std::size_t i = std::size(rows); i < kLadderRows; ++i) c.Ladder[i].Against = 1000;
  const LadderView ladder = BuildLadder(c);
  std::vector<std::string> order;
  for (std::size_t i = 0; i < std::size(rows); ++i) order.push_back(ladder[i].Team);
  EXPECT_EQ(order,
            (std::vector<std::string>{"Echo", "Charlie", "Bravo", "Delta", "Alpha", "Foxtrot"}));
  // Nothing scored against 1000 shows ".0", the pattern's own form.
  EXPECT_EQ((std::array{ladder[1].Percentage, ladder[2].Percentage, ladder[5].Percentage,
                        ladder[6].Percentage}),
            (std::array<std::string, 4>{"125.0", "75.0", "0.0", ".0"}));
  EXPECT_EQ((std::pair{ladder[3].Points, ladder[3].Played}), (std::pair{10, 4}));

  EXPECT_EQ(LeaguePosition(ladder, "Delta", ""), "4th");
  EXPECT_EQ(LeaguePosition(ladder, "Nobody", "9th"), "9th");
}

// A career signed with Frankston in the Local Reserves, its first season's
// files written, ready to play.
struct Signed {
  explicit Signed(int seed) : random(seed), game(random, p, DataFolder{folder.path}) {
    EXPECT_TRUE(game.StartNewCareer(testing::Answers("Bob", "Bob Skilton", "Port Melbourne",
                                                     "Victoria", "Rover", {60, 60, 60, 60, 60})));
    EXPECT_TRUE(game.PrepareFirstContract());
    game.ClickOffer(9, "Frankston");
    game.Sign();
  }
  // Plays the open round's matches, his at full time. Returns how many were his.
  int PlayRound() {
    int his = 0;
    while (game.round()->startEnabled()) {
      if (!game.StartNextMatch()) continue;
      ++his;
      game.match()->PlayToFullTime();
      game.FinishMatch();
    }
    return his;
  }
  TempFolder folder;
  TwisterRandom random;
  ScriptedPrompter p;
  Game game;
};

TEST(Round, AWholeRoundThroughTheGame) {
  Signed s(11);
  Game& game = s.game;
  ASSERT_TRUE(game.Play());
  Round* round = game.round();
  ASSERT_NE(round, nullptr);
  // Frankston, slot 9, meets Rosebud in the fifth match of round one.
  EXPECT_EQ(game.run().roundTeamOne[4], "Frankston");
  EXPECT_EQ(round->colour(4, "Frankston"), NameColour::PlayerClub);
  EXPECT_EQ(round->colour(0, "West Coburg"), NameColour::NextMatch);
  EXPECT_EQ(round->colour(1, "Marcellin"), NameColour::Other);
  // OK does nothing before the round's last match.
  EXPECT_EQ(round->Finish(game.career(), game.run(), s.folder.path, {}), std::nullopt);
  EXPECT_EQ(game.career().Matches, 0);
  EXPECT_FALSE(fs::exists(s.folder.path / "BobResults.kmr"));
  EXPECT_EQ(s.PlayRound(), 1);
  game.FinishRound();
  EXPECT_EQ(game.round(), nullptr);
  EXPECT_EQ(game.career().Matches, 1);
  auto record = ReadRoundResult(s.folder.path, game.career(), 1);
  ASSERT_TRUE(std::holds_alternative<RoundRecord>(record));
  EXPECT_EQ(std::get<RoundRecord>(record).teamOne[4], "Frankston");
  // The first contract, signed before the round, is logged with the week in the record's words.
  const Career& c = game.career();
  const auto log = ReadCareerLog(LogPath(s.folder.path, c), SavedPlace(c));
  ASSERT_TRUE(std::holds_alternative<CareerLog>(log));
  ASSERT_EQ(std::get<CareerLog>(log).weeks.size(), 1U);
  std::vector<std::string> contracts;
  for (const LogEvent& e : std::get<CareerLog>(log).weeks[0].events) {
    if (e.kind == LogEventKind::Contract) contracts.push_back(e.title + ": " + e.text);
  }
  // (A first contract in the Local Reserves is for one season.)
  EXPECT_THAT(contracts, ElementsAre("Frankston: 1 season with Frankston (Local Reserves) at $" +
                                     c.ContractCurrent.ToString() + " a week."));
}

// The South Australian State League lists Woodville twice: a player at
// Woodville plays the first of its matches, and the other is simulated.
TEST(Round, AClubNamedTwicePlaysHisMatchOnce) {
  Signed s(5);
  Game& game = s.game;
  Career& c = game.career();
  c.State = "South Australia";
  c.League = "State";
  c.Team = "Woodville";
  ASSERT_FALSE(StartCompetitionSeason(s.folder.path, c, s.random, ClubsOf("State", c.State)));
  ASSERT_TRUE(game.Play());
  // Round one meets slots 9 and 10, then 11 and 12: Woodville in both.
  ASSERT_EQ(game.run().roundTeamTwo[4], "Woodville");
  ASSERT_EQ(game.run().roundTeamTwo[5], "Woodville");
  EXPECT_EQ(game.round()->colour(4, "Woodville"), NameColour::PlayerClub);
  EXPECT_NE(game.round()->colour(5, "Woodville"), NameColour::PlayerClub);
  EXPECT_EQ(s.PlayRound(), 1);
  game.FinishRound();
  EXPECT_EQ(game.career().TeamMatches, 1);
}

// A fixture whose round does not pair the ladder's clubs (a name misspelt
// by hand, a club twice) would play a round that leaves the ladder uneven,
// and the save that follows would never load: the week does not go ahead,
// and the file and line are named; so too with no fixture at all. Only the
// file's message: the count-down waits for the round to open, so a week that
// cannot be played tells nothing of an injury it did not count.
TEST(Round, AFixtureRoundThatDoesNotPairTheLaddersClubsIsNotPlayed) {
  const auto replaceLine = [](std::string text, int line, const std::string& value) {
    std::size_t start = 0;
    for (int k = 1; k < line; ++k) start = text.find('\n', start) + 1;
    return text.replace(start, text.find('\n', start) - start, "\"" + value + "\"\r");
  };
  struct Case {
    const char* label;
    int week;  // the season's week the round is played from
    // The fixture as edited; nothing: no fixture.
    std::function<std::optional<std::string>(const std::string& fixture, const Career&)> edit;
    std::string says;
  };
  const std::vector<Case> cases = {
      {"no fixture", 0, [](const std::string&, const Career&) { return std::nullopt; },
       "BobFixture.kmf cannot be opened: No such file or directory"},
      {"a club misspelt", 0,
       [&](const std::string& f, const Career&) { return replaceLine(f, 5, "Frankstn"); },
       "BobFixture.kmf, line 5: \"Frankstn\" is not one of the clubs of the Local Reserves "
       "ladder"},
      {"a club twice", 0,
       [&](const std::string& f, const Career&) { return replaceLine(f, 16, "West Coburg"); },
       "BobFixture.kmf, line 16: \"West Coburg\" plays twice in round 1"},
      {"a final of a club from elsewhere", 22,
       [&](const std::string& f, const Career& c) {
         std::string stage;
         for (int k = 0; k < 8; ++k) {
           stage += "\"" + (k == 6 ? std::string("Collingwood") : c.Ladder[k].Team) + "\"\r\n";
         }
         return f + stage;
       },
       "BobFixture.kmf, line 359: \"Collingwood\" is not one of the clubs of the Local Reserves "
       "ladder"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Signed s(3);
    s.game.career().Matches = c.week;
    s.game.career().Injury = 2;
    const fs::path fixture = s.folder.path / "BobFixture.kmf";
    const auto edited = c.edit(testing::ReadBytes(fixture), s.game.career());
    fs::remove(fixture);
    if (edited) std::ofstream(fixture, std::ios::binary) << *edited;
    const Career before = s.game.career();
    s.p.messages.clear();
    EXPECT_FALSE(s.game.Play());
    EXPECT_EQ(s.game.career(), before);
    EXPECT_EQ(s.p.messageTexts(),
              std::vector<std::string>{"This week's round cannot be played. " + c.says + "."});
    EXPECT_FALSE(fs::exists(s.folder.path / "BobResults.kmr"));
  }
}

// The first finals week (1st v 4th, 2nd v 3rd, 5th v 8th, 6th v 7th): the
// round's record keeps his line when his club plays, whether it is named
// first or second, and five zeros when it finished outside the eight.
TEST(Round, AFinalsWeekRecordsHisLineOnlyWhenHisClubPlays) {
  // Frankston's place on the ladder, from 0, and whether it plays.
  for (const auto& [what, rank, plays] : {std::tuple{"named first", 0, true},
                                          {"named second", 3, true},
                                          {"outside the eight", 15, false}}) {
    SCOPED_TRACE(what);
    Signed s(8);
    Game& game = s.game;
    const fs::path& folder = s.folder.path;
    Career& career = game.career();
    int next = 0;  // the next place for another club
    for (LadderRow& row : career.Ladder) {
      const bool his = row.Team == "Frankston";
      if (!his && next == rank) ++next;
      row.Wins = 20 - (his ? rank : next++);
    }
    career.Matches = 21;
    ASSERT_FALSE(DrawNextFinals(career, game.run(), folder));
    // The last home-and-away round had his club in its fifth match, a slot
    // the finals week does not use, and his line from it.
    game.run().roundTeamTwo[4] = "Frankston";
    game.run().lastPlayer = {"12", "1", "0", "5.0", "Rover"};
    career.Matches = 22;
    ASSERT_TRUE(game.Play());
    EXPECT_EQ(game.round()->matchCount(), 4);
    EXPECT_EQ(s.PlayRound(), plays ? 1 : 0);
    const PlayerLine line = game.run().lastPlayer;
    game.FinishRound();
    EXPECT_EQ(game.career().Matches, 23);
    const auto values =
        std::get<std::vector<std::string>>(ReadQuotedValues(ResultsPath(folder, career)));
    ASSERT_EQ(values.size(), 149u);
    using Line = std::vector<std::string>;
    const Line his = {line.Disposals, line.Goals, line.Behinds, line.MatchRating, line.Position};
    EXPECT_EQ(Line(values.begin(), values.begin() + 5), plays ? his : Line(5, "0"));
    EXPECT_EQ(std::get<std::vector<std::string>>(ReadRoundPairings(folder, career, 24)).size(), 6u);
  }
}

}  // namespace
}  // namespace km
