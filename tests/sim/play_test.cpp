// kickmark-sim's player: the contract he signs, the weeks `play` plays
// through the game, what he does when Play is held, and the stops.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/number_format.h"
#include "core/save_file.h"
#include "draft/draft.h"
#include "season/fixture.h"
#include "season/round.h"
#include "sim/autoplay.h"
#include "sim_fixture.h"
#include "week/contracts.h"

namespace km::sim::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

std::vector<std::string> Lines(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

Career Loaded(const fs::path& file) { return std::get<Career>(LoadCareer(file)); }

std::map<std::string, std::string> FolderFiles(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    files[entry.path().filename().string()] = ReadFile(entry.path());
  }
  return files;
}

// A modest player: his ratings stay low, so his gear lasts a season and more
// without a visit to the store.
SimRun NewModestCareer(const fs::path& folder, const std::string& name, int seed,
                       std::vector<std::string> options = {}) {
  auto args = With(NewArgs(name), "--skills", "30,30,30,30,30");
  options.insert(options.end(), {"--data-dir", folder.string(), "--seed", std::to_string(seed)});
  args.insert(args.begin(), options.begin(), options.end());
  return Simulate(args);
}

TEST(SimBestOffer, TheHighestOfferThenTheLongerContractThenTheFirstRow) {
  struct Case {
    const char* label;
    std::vector<std::array<int, 3>> rows;  // row, dollars, seasons over 1500 for 1 everywhere
    int best;
  };
  for (const Case& c : std::vector<Case>{
           {"AllAlike", {}, 1},
           {"HighestOffer", {{5, 4000, 1}, {6, 3500, 2}}, 5},
           {"LongerBreaksATie", {{3, 4000, 1}, {12, 4000, 2}}, 12},
           {"FirstRowBreaksATieOfBoth", {{7, 3500, 2}, {9, 3500, 2}, {8, 3500, 1}}, 7},
           {"MoneyBeforeLength", {{2, 3000, 1}, {4, 2500, 2}}, 2},
           {"LastRow", {{16, 2000, 1}}, 16}}) {
    ContractOffers offers;
    for (ContractOffer& row : offers.rows) row = {"", Money::Dollars(1500), 1};
    for (const auto& [row, dollars, seasons] : c.rows) {
      offers.rows[static_cast<std::size_t>(row - 1)] = {"", Money::Dollars(dollars), seasons};
    }
    EXPECT_EQ(BestOfferRow(offers), c.best) << c.label;
  }
}

using SimPlay = SimTest;

// A club's final score as a summary line shows it: "Lalor 12.9 (81)".
std::string ScoreOf(const std::string& club, int goals, int behinds, int points) {
  return club + " " + std::to_string(goals) + "." + std::to_string(behinds) + " (" +
         std::to_string(points) + ")";
}

TEST_F(SimPlay, ANewCareersSeasonAndTheNextRoundOnePlayedTwiceFromOneSeed) {
  const std::array<fs::path, 2> folders = {dir() / "first", dir() / "second"};
  for (const fs::path& folder : folders) {
    fs::create_directories(folder);
    // Seed 5's best first offer is for one season: the contract runs out at
    // the season's end and a new one is signed.
    ASSERT_EQ(
        NewModestCareer(folder, "Season", 5, {"--transcript", transcriptPath().string()}).code,
        kExitOk);
  }
  auto playBoth = [&](int weeks) {
    std::array<SimRun, 2> runs;
    for (std::size_t i = 0; i < 2; ++i) {
      runs[i] = Simulate({"--data-dir", folders[i].string(), "--seed", "5", "play", "--career",
                          "Season", "--weeks", std::to_string(weeks)});
      EXPECT_EQ(runs[i].code, kExitOk) << runs[i].err;
      EXPECT_THAT(runs[i].err, IsEmpty());
    }
    EXPECT_EQ(runs[0].out, runs[1].out);
    EXPECT_EQ(FolderFiles(folders[0]), FolderFiles(folders[1]));  // byte for byte
    return Lines(runs[0].out);
  };

  // `new` signed the best of the offers the seed's first draws make.
  TwisterRandom random(5);
  ContractOffers offers;
  PrepareFirstOffers(offers, random);
  const ContractOffer& best = offers.rows[static_cast<std::size_t>(BestOfferRow(offers) - 1)];
  Career c = Loaded(folders[0] / "Season.kms");
  EXPECT_EQ(c.Team, best.club);
  EXPECT_EQ(c.Wages, best.offer);
  EXPECT_EQ(c.ContractMatches, 26 * best.length);
  EXPECT_THAT(TranscriptLines(), Contains(StartsWith("story: Local Times | Rookie Jack Riley Signs "
                                                     "With " +
                                                     best.club + " | 14-year-old")));
  const std::string fixture = ReadFile(folders[0] / "SeasonFixture.kmf");
  EXPECT_EQ(Lines(fixture).size(), kFixtureValues);

  // The home-and-away season.
  const auto summary = playBoth(22);
  const auto files = FolderFiles(folders[0]);
  std::vector<std::string> names;
  for (const auto& [name, bytes] : files) names.push_back(name);
  EXPECT_THAT(names, ElementsAre("Season.kms", "SeasonFixture.kmf", "SeasonResults.kmr"));
  c = Loaded(folders[0] / "Season.kms");
  EXPECT_EQ(c.Matches, 22);
  EXPECT_EQ(c.TeamMatches, 22);
  EXPECT_EQ(c.ContractMatches, 26 - 22);
  int ladderPlayed = 0;
  for (const LadderRow& row : c.Ladder) ladderPlayed += row.Wins + row.Losses + row.Draws;
  EXPECT_EQ(ladderPlayed, 22 * 16);
  EXPECT_EQ(Lines(files.at("SeasonResults.kmr")).size(), 22 * kResultValues);
  // The rounds stay as drawn; the qualifying finals' four pairs follow them.
  EXPECT_THAT(files.at("SeasonFixture.kmf"), StartsWith(fixture));
  EXPECT_EQ(Lines(files.at("SeasonFixture.kmf")).size(), kFixtureValues + 8);

  // Each summary line tells the round as the results file keeps it.
  ASSERT_EQ(summary.size(), 22u);
  for (int r = 1; r <= 22; ++r) {
    const std::string& line = summary[static_cast<std::size_t>(r - 1)];
    const auto record = std::get<RoundRecord>(ReadRoundResult(folders[0], c, r));
    std::size_t s = 0;
    while (s < 8 && record.teamOne[s] != c.Team && record.teamTwo[s] != c.Team) ++s;
    ASSERT_LT(s, 8u) << line;
    const RoundSlot& x = record.slots[s];
    const std::string one = ScoreOf(record.teamOne[s], x.GoalsOne[3], x.BehindsOne[3], x.PointsOne);
    const std::string two = ScoreOf(record.teamTwo[s], x.GoalsTwo[3], x.BehindsTwo[3], x.PointsTwo);
    const bool first = record.teamOne[s] == c.Team;
    EXPECT_THAT(line, StartsWith(RoundTitle(r - 1) + " | " +
                                 (first ? one + " v " + two : two + " v " + one) + ", "));
    if (record.player.Disposals == "0" && line.ends_with("did not play")) continue;
    EXPECT_THAT(line, HasSubstr(" | disposals " + record.player.Disposals + ", goals " +
                                record.player.Goals + ", rating "));
    EXPECT_EQ(ParseDecimal(line.substr(line.rfind(' ') + 1)),
              ParseDecimal(record.player.MatchRating))
        << line;
  }

  // The finals, the season's end with its new contract, and the next
  // season's first round.
  const auto onwards = playBoth(5);
  ASSERT_EQ(onwards.size(), 5u);
  for (int w = 0; w < 4; ++w) {
    EXPECT_THAT(onwards[static_cast<std::size_t>(w)], StartsWith(RoundTitle(22 + w) + " | "));
  }
  EXPECT_THAT(onwards[4], StartsWith("ROUND ONE MATCHES | "));
  c = Loaded(folders[0] / "Season.kms");
  EXPECT_EQ(c.Matches, 1);
  EXPECT_EQ(c.Age, 15);
  EXPECT_EQ(c.ContractMatches, 26 * c.ContractLength - 1);
  EXPECT_EQ(Lines(ReadFile(folders[0] / "SeasonResults.kmr")).size(), kResultValues);
  EXPECT_TRUE(fs::exists(folders[0] / "Jack Riley Season History.txt"));
}

// A week from a career saved in a given state: what holds Play that the
// player frees himself, and the stops, each with its exit code.
struct WeekCase {
  const char* label;
  std::function<void(Career&)> change;           // to the saved career before play
  std::function<void(const fs::path&)> disturb;  // to the data folder before play
  int code;
  const char* errorPart;
  const char* transcriptPart;                // the game's own word on it, if any
  std::size_t weeksPlayed;                   // of the three asked for
  std::function<void(const Career&)> check;  // the career saved after a run that went ahead
};
void PrintTo(const WeekCase& c, std::ostream* os) { *os << c.label; }

class SimPlayWeeks : public SimTest, public ::testing::WithParamInterface<WeekCase> {};

TEST_P(SimPlayWeeks, GoAheadOrStopWithTheSaveLeftAsItWas) {
  const WeekCase& c = GetParam();
  ASSERT_EQ(NewModestCareer(dir(), "Stop", 9).code, kExitOk);
  const fs::path save = dir() / "Stop.kms";
  if (c.change) {
    Career career = Loaded(save);
    c.change(career);
    ASSERT_FALSE(SaveCareer(dir(), career).has_value());
  }
  if (c.disturb) c.disturb(dir());
  const std::string saved = ReadFile(save);

  const SimRun run =
      Run({"--transcript", transcriptPath().string(), "play", "--career", "Stop", "--weeks", "3"});
  EXPECT_EQ(run.code, c.code);
  EXPECT_THAT(run.err, HasSubstr(c.errorPart));
  EXPECT_EQ(Lines(run.out).size(), c.weeksPlayed) << run.out;
  if (*c.transcriptPart != '\0') {
    EXPECT_THAT(TranscriptLines(), Contains(StartsWith(c.transcriptPart)));
  }
  if (c.code == kExitOk) {
    c.check(Loaded(save));
  } else {
    EXPECT_EQ(ReadFile(save), saved);
  }
}

// The season's last round closed with nothing signed for the next.
void SeasonOverContractRunOut(Career& c) {
  c.Matches = 26;
  c.ContractMatches = 0;
  c.PlayOpen = false;
}

INSTANTIATE_TEST_SUITE_P(
    Sim, SimPlayWeeks,
    ::testing::Values(
        // He looks at the sponsorship screen and closes it.
        WeekCase{"SponsorWindow",
                 [](Career& c) {
                   c.Matches = 12;
                   c.PlayOpen = false;
                 },
                 nullptr, kExitOk, "", "", 3, [](const Career& c) { EXPECT_EQ(c.Matches, 15); }},
        // He signs the best of the offers the game draws again on loading.
        WeekCase{"ContractRunOut", SeasonOverContractRunOut, nullptr, kExitOk, "", "", 3,
                 [](const Career& c) {
                   EXPECT_EQ(c.Matches, 3);
                   EXPECT_EQ(c.ContractMatches, 26 * c.ContractLength - 3);
                 }},
        // A State League season good enough for the draft: the camp, the
        // draft, and his first AFL rounds.
        WeekCase{"DraftDue",
                 [](Career& c) {
                   SeasonOverContractRunOut(c);
                   c.League = "State";
                   c.MatchRatingAverage = 7;
                 },
                 nullptr, kExitOk, "", "message: Congratulations! You have been drafted by", 3,
                 [](const Career& c) {
                   EXPECT_EQ(c.League, "AFL");
                   EXPECT_THAT(kDraftOrder, Contains(c.Team));
                   EXPECT_EQ(c.ContractMatches, 52 - 3);
                 }},
        WeekCase{"WornGear",
                 [](Career& c) { c.Boots = c.Jumper = c.Shorts = c.Other = c.GearOverall = 49; },
                 nullptr, kExitCannotAdvance,
                 "Week 1 of 3 did not go ahead: The gear is worn to 49",
                 "question: Your football gear is not up to scratch", 0, nullptr},
        WeekCase{"PlayDisabled", [](Career& c) { c.PlayOpen = false; }, nullptr, kExitCannotAdvance,
                 "Play button is disabled", "", 0, nullptr},
        WeekCase{"ContractRanOutWithNoOffers",
                 [](Career& c) {
                   c.ContractMatches = 0;
                   c.PlayOpen = false;
                 },
                 nullptr, kExitCannotAdvance, "the contract screen has no offers", "", 0, nullptr},
        WeekCase{"MissingFixture", nullptr,
                 [](const fs::path& folder) { fs::remove(folder / "StopFixture.kmf"); },
                 kExitUnreadableFile, "StopFixture.kmf",
                 "message: This week's round cannot be played.", 0, nullptr},
        // The results go before the save, so the week is played but not kept.
        WeekCase{"ResultsNotWritten", nullptr,
                 [](const fs::path& folder) { fs::create_directory(folder / "StopResults.kmr"); },
                 kExitNotWritten, "StopResults.kmr", "", 1, nullptr}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace km::sim::testing
