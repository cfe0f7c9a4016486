// kickmark-sim's player: the contract a new career signs, the weeks `play`
// plays through the game, and the stops when a week cannot go ahead.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <variant>
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

Career Loaded(const fs::path& file) {
  auto loaded = LoadCareer(file);
  if (auto* error = std::get_if<FileError>(&loaded)) {
    ADD_FAILURE() << error->message;
    return Career::Create();
  }
  return std::get<Career>(loaded);
}

TEST(SimBestOffer, TheHighestOfferThenTheLongerContractThenTheFirstRow) {
  struct Change {
    int row;
    int dollars;
    int seasons;
  };
  struct Case {
    const char* label;
    std::vector<Change> changes;  // to a grid of 1500 a week for 1 season
    int best;
  };
  const std::vector<Case> cases = {
      {"AllAlike", {}, 1},
      {"HighestOffer", {{5, 4000, 1}, {6, 3500, 2}}, 5},
      {"LongerBreaksATie", {{3, 4000, 1}, {12, 4000, 2}}, 12},
      {"FirstRowBreaksATieOfBoth", {{7, 3500, 2}, {9, 3500, 2}, {8, 3500, 1}}, 7},
      {"MoneyBeforeLength", {{2, 3000, 1}, {4, 2500, 2}}, 2},
      {"LastRow", {{16, 2000, 1}}, 16},
  };
  for (const Case& c : cases) {
    ContractOffers offers;
    for (ContractOffer& row : offers.rows) {
      row.offer = Money::Dollars(1500);
      row.length = 1;
    }
    for (const Change& change : c.changes) {
      ContractOffer& row = offers.rows[static_cast<std::size_t>(change.row - 1)];
      row.offer = Money::Dollars(change.dollars);
      row.length = change.seasons;
    }
    EXPECT_EQ(BestOfferRow(offers), c.best) << c.label;
  }
}

class SimNewContract : public SimTest, public ::testing::WithParamInterface<int> {};

TEST_P(SimNewContract, SignsTheBestOfTheOffersItsSeedMakes) {
  const int seed = GetParam();
  auto args = NewArgs();
  args.insert(args.begin(),
              {"--seed", std::to_string(seed), "--transcript", transcriptPath().string()});
  const SimRun made = Run(args);
  ASSERT_EQ(made.code, kExitOk) << made.err;

  // The contract screen's offers take a new career's first draws.
  TwisterRandom random(static_cast<std::uint64_t>(seed));
  ContractOffers offers;
  PrepareFirstOffers(offers, random);
  Money top;
  int longest = 0;
  for (const ContractOffer& row : offers.rows) top = std::max(top, row.offer);
  for (const ContractOffer& row : offers.rows) {
    if (row.offer == top) longest = std::max(longest, row.length);
  }
  const ContractOffer& best = *std::find_if(
      offers.rows.begin(), offers.rows.end(),
      [&](const ContractOffer& row) { return row.offer == top && row.length == longest; });

  const auto record = nlohmann::ordered_json::parse(Run({"show", "--career", "Test1"}).out);
  EXPECT_EQ(record.at("Team"), best.club);
  EXPECT_EQ(record.at("ContractTeam"), best.club);
  EXPECT_EQ(record.at("Wages"), top.cents() / 100);
  EXPECT_EQ(record.at("ContractCurrent"), top.cents() / 100);
  EXPECT_EQ(record.at("ContractLength"), longest);
  EXPECT_EQ(record.at("ContractMatches"), 26 * longest);
  EXPECT_EQ(record.at("PlayOpen"), true);
  EXPECT_THAT(TranscriptLines(),
              Contains(StartsWith("story: Local Times | Rookie Jack Riley Signs With " + best.club +
                                  " | 14-year-old Jack Riley")));
  EXPECT_TRUE(fs::is_regular_file(dir() / "Test1Fixture.kmf"));
}

INSTANTIATE_TEST_SUITE_P(Sim, SimNewContract, ::testing::Values(1, 2, 3, 4));

TEST_F(SimNewContract, AFixtureThatCannotBeWrittenLeavesNoSave) {
  fs::create_directory(dir() / "Test1Fixture.kmf");
  const SimRun run = Run(NewArgs());
  EXPECT_EQ(run.code, kExitNotWritten);
  EXPECT_THAT(run.err, HasSubstr("Test1Fixture.kmf"));
  EXPECT_FALSE(fs::exists(dir() / "Test1.kms"));
}

using SimPlay = SimTest;

// A modest player: his ratings stay low, so his gear lasts a season without
// a visit to the store.
SimRun NewModestCareer(const fs::path& folder, const std::string& name, int seed) {
  auto args = With(NewArgs(name), "--skills", "30,30,30,30,30");
  args.insert(args.begin(), {"--data-dir", folder.string(), "--seed", std::to_string(seed)});
  return Simulate(args);
}

// A club's final score as a summary line shows it: "Lalor 12.9 (81)".
std::string ScoreOf(const std::string& club, int goals, int behinds, int points) {
  return club + " " + std::to_string(goals) + "." + std::to_string(behinds) + " (" +
         std::to_string(points) + ")";
}

// The names and bytes of every file in a folder.
std::map<std::string, std::string> FolderFiles(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    files[entry.path().filename().string()] = ReadFile(entry.path());
  }
  return files;
}

// Plays the same weeks in two folders from one seed.
std::array<SimRun, 2> PlayBoth(const std::array<fs::path, 2>& folders, int weeks) {
  std::array<SimRun, 2> runs;
  for (std::size_t i = 0; i < folders.size(); ++i) {
    runs[i] = Simulate({"--data-dir", folders[i].string(), "--seed", "5", "play", "--career",
                        "Season", "--weeks", std::to_string(weeks)});
  }
  return runs;
}

TEST_F(SimPlay, ASeasonAndTheNextRoundOnePlayedTwiceFromOneSeed) {
  const std::array<fs::path, 2> folders = {dir() / "first", dir() / "second"};
  for (const fs::path& folder : folders) {
    fs::create_directories(folder);
    // Seed 5's best first offer is for one season: the contract runs out at
    // the season's end and a new one is signed.
    ASSERT_EQ(NewModestCareer(folder, "Season", 5).code, kExitOk);
  }
  const std::string fixture = ReadFile(folders[0] / "SeasonFixture.kmf");
  EXPECT_EQ(Lines(fixture).size(), kFixtureValues);

  // The home-and-away season.
  const auto homeAndAway = PlayBoth(folders, 22);
  for (const SimRun& run : homeAndAway) {
    ASSERT_EQ(run.code, kExitOk) << run.err;
    EXPECT_THAT(run.err, IsEmpty());
  }
  EXPECT_EQ(homeAndAway[0].out, homeAndAway[1].out);
  const auto files = FolderFiles(folders[0]);
  EXPECT_EQ(files, FolderFiles(folders[1]));  // byte for byte
  std::vector<std::string> names;
  for (const auto& [name, bytes] : files) names.push_back(name);
  EXPECT_THAT(names, ElementsAre("Season.kms", "SeasonFixture.kmf", "SeasonResults.kmr"));

  Career c = Loaded(folders[0] / "Season.kms");
  EXPECT_EQ(c.Matches, 22);
  EXPECT_EQ(c.TeamMatches, 22);
  EXPECT_EQ(c.ContractMatches, 26 - 22);
  int ladderPlayed = 0;
  for (const LadderRow& row : c.Ladder) ladderPlayed += row.Wins + row.Losses + row.Draws;
  EXPECT_EQ(ladderPlayed, 22 * 16);
  // The home-and-away rounds stay as they were drawn; the qualifying
  // finals' four pairs follow them.
  EXPECT_THAT(files.at("SeasonFixture.kmf"), StartsWith(fixture));
  EXPECT_EQ(Lines(files.at("SeasonFixture.kmf")).size(), kFixtureValues + 8);
  EXPECT_EQ(Lines(files.at("SeasonResults.kmr")).size(), 22 * kResultValues);

  // Each summary line tells the round as the results file keeps it.
  const auto summary = Lines(homeAndAway[0].out);
  ASSERT_EQ(summary.size(), 22u);
  for (int r = 1; r <= 22; ++r) {
    const std::string& line = summary[static_cast<std::size_t>(r - 1)];
    auto read = ReadRoundResult(folders[0], c, r);
    ASSERT_TRUE(std::holds_alternative<RoundRecord>(read)) << r;
    const RoundRecord& record = std::get<RoundRecord>(read);
    std::size_t s = 0;
    while (s < 8 && record.teamOne[s] != c.Team && record.teamTwo[s] != c.Team) ++s;
    ASSERT_LT(s, 8u) << line;
    const RoundSlot& slot = record.slots[s];
    const std::string one =
        ScoreOf(record.teamOne[s], slot.GoalsOne[3], slot.BehindsOne[3], slot.PointsOne);
    const std::string two =
        ScoreOf(record.teamTwo[s], slot.GoalsTwo[3], slot.BehindsTwo[3], slot.PointsTwo);
    const bool first = record.teamOne[s] == c.Team;
    EXPECT_THAT(line, StartsWith(RoundTitle(r - 1) + " | " +
                                 (first ? one + " v " + two : two + " v " + one) + ", "));
    const std::size_t rating = line.rfind("rating ");
    if (rating == std::string::npos) {
      EXPECT_THAT(line, EndsWith("did not play"));
      EXPECT_EQ(record.player.Disposals, "0") << line;
      continue;
    }
    EXPECT_THAT(line, HasSubstr(" | disposals " + record.player.Disposals + ", goals " +
                                record.player.Goals + ", rating "));
    EXPECT_EQ(ParseDecimal(line.substr(rating + 7)), ParseDecimal(record.player.MatchRating))
        << line;
  }

  // The finals, the season's end with its new contract, and the next
  // season's first round.
  const auto onwards = PlayBoth(folders, 5);
  for (const SimRun& run : onwards) ASSERT_EQ(run.code, kExitOk) << run.err;
  EXPECT_EQ(onwards[0].out, onwards[1].out);
  EXPECT_EQ(FolderFiles(folders[0]), FolderFiles(folders[1]));
  const auto weeks = Lines(onwards[0].out);
  ASSERT_EQ(weeks.size(), 5u);
  for (int w = 0; w < 4; ++w) {
    EXPECT_THAT(weeks[static_cast<std::size_t>(w)], StartsWith(RoundTitle(22 + w) + " | "));
  }
  EXPECT_THAT(weeks[4], StartsWith("ROUND ONE MATCHES | "));
  c = Loaded(folders[0] / "Season.kms");
  EXPECT_EQ(c.Matches, 1);
  EXPECT_EQ(c.Age, 15);
  EXPECT_EQ(c.ContractMatches, 26 * c.ContractLength - 1);
  EXPECT_EQ(Lines(ReadFile(folders[0] / "SeasonResults.kmr")).size(), kResultValues);
  EXPECT_TRUE(fs::exists(folders[0] / "Jack Riley Season History.txt"));
}

// What holds Play that the player frees himself: a sponsor window, with a
// look at the sponsorship screen; a contract run out with offers waiting,
// with the best of them signed; an invitation to the draft camp, with the
// camp and the draft.
TEST_F(SimPlay, FreesPlayAsThePlayerWould) {
  struct Case {
    const char* label;
    std::function<void(Game&)> hold;
    int roundPlayed;  // the round's Matches when it opened
    std::function<void(Game&)> check;
  };
  const std::vector<Case> cases = {
      {"SponsorWindow", [](Game& g) { g.career().Matches = 12; }, 12, nullptr},
      {"ContractRunOut",
       [](Game& g) {
         g.career().Matches = 5;
         g.career().ContractMatches = 0;
         for (ContractOffer& row : g.contracts().rows) {
           row.offer = Money::Dollars(2000);
           row.length = 1;
         }
         g.contracts().rows[6].offer = Money::Dollars(4000);
       },
       5,
       [](Game& g) {
         EXPECT_EQ(g.career().Team, g.contracts().rows[6].club);
         EXPECT_EQ(g.career().Wages, Money::Dollars(4000));
         EXPECT_EQ(g.career().ContractMatches, 26 - 1);
       }},
      {"DraftDue",
       [](Game& g) {
         Career& c = g.career();
         c.League = "State";
         c.Matches = 26;
         c.ContractMatches = 0;
         c.DraftDue = 1;
       },
       0,
       [](Game& g) {
         EXPECT_EQ(g.career().League, "AFL");
         EXPECT_THAT(kDraftOrder, Contains(g.career().Team));
         EXPECT_EQ(g.career().ContractMatches, 52 - 1);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const fs::path folder = dir() / c.label;
    fs::create_directories(folder);
    TwisterRandom random(5);
    TranscriptPrompter prompter(nullptr);
    Game game(random, prompter, DataFolder{folder});
    SetupAnswers answers;
    answers.careerName = "Free";
    answers.name = "Sam Free";
    answers.city = "Hobart";
    answers.state = "Tasmania";
    answers.position = "Wing";
    ASSERT_TRUE(game.StartNewCareer(answers));
    ASSERT_TRUE(SignFirstContract(game));
    game.career().PlayOpen = false;
    c.hold(game);

    const Week week = PlayWeek(game, prompter);
    EXPECT_EQ(week.outcome, Week::Outcome::Played) << week.reason;
    EXPECT_EQ(week.title, RoundTitle(c.roundPlayed));
    EXPECT_EQ(game.career().Matches, c.roundPlayed + 1);
    if (c.check) c.check(game);
  }
}

struct StopCase {
  const char* label;
  std::function<void(Career&)> change;           // to the saved career before play
  std::function<void(const fs::path&)> disturb;  // to the data folder before play
  int code;
  const char* errorPart;
  const char* transcriptPart;  // the game's own word on it, if any
  std::size_t weeksPlayed;
};
void PrintTo(const StopCase& c, std::ostream* os) { *os << c.label; }

class SimPlayStops : public SimTest, public ::testing::WithParamInterface<StopCase> {};

TEST_P(SimPlayStops, WithItsExitCodeAndTheSaveLeftAsItWas) {
  const StopCase& c = GetParam();
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
  EXPECT_EQ(ReadFile(save), saved);
  if (*c.transcriptPart != '\0') {
    EXPECT_THAT(TranscriptLines(), Contains(StartsWith(c.transcriptPart)));
  }
}

void WearGear(Career& c) { c.Boots = c.Jumper = c.Shorts = c.Other = c.GearOverall = 49; }
void RunOutContract(Career& c) {
  c.ContractMatches = 0;
  c.PlayOpen = false;
}
void RemoveFixture(const fs::path& folder) { fs::remove(folder / "StopFixture.kmf"); }
// A folder where the results file goes cannot be appended to.
void BlockResults(const fs::path& folder) { fs::create_directory(folder / "StopResults.kmr"); }

INSTANTIATE_TEST_SUITE_P(
    Sim, SimPlayStops,
    ::testing::Values(StopCase{"WornGear", WearGear, nullptr, kExitCannotAdvance,
                               "Week 1 of 3 did not go ahead: The gear is worn to 49",
                               "question: Your football gear is not up to scratch", 0},
                      StopCase{"PlayDisabled", [](Career& c) { c.PlayOpen = false; }, nullptr,
                               kExitCannotAdvance, "Play button is disabled", "", 0},
                      // The offers of a contract that ran out are not saved with the career.
                      StopCase{"ContractRanOutWithNoOffers", RunOutContract, nullptr,
                               kExitCannotAdvance, "the contract screen has no offers", "", 0},
                      StopCase{"MissingFixture", nullptr, RemoveFixture, kExitUnreadableFile,
                               "StopFixture.kmf", "message: This week's round cannot be played.",
                               0},
                      // The results go before the save, so the week is played but not kept.
                      StopCase{"ResultsNotWritten", nullptr, BlockResults, kExitNotWritten,
                               "StopResults.kmr", "", 1}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace km::sim::testing
