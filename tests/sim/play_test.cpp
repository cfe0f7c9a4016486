// kickmark-sim's player: the contract he signs, what each policy buys and
// chooses, whole careers through the game with their season table, and the
// weeks that cannot go ahead.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/file_system.h"
#include "core/number_format.h"
#include "core/save_file.h"
#include "match/after_match.h"
#include "season/fixture.h"
#include "season/round.h"
#include "season/season_end.h"
#include "sim/autoplay.h"
#include "sim_fixture.h"
#include "week/contracts.h"
#include "week/week.h"

namespace km::sim::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

Career Loaded(const fs::path& file) { return std::get<Career>(LoadCareer(file)); }

std::map<std::string, std::string> FolderFiles(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    files[entry.path().filename().string()] = ReadFile(entry.path());
  }
  return files;
}

// The rows of the season table at the end of `play`'s output, each cut at
// the heading's column starts: Season, League, Club, Played, Goals, Rating,
// Awards, Move.
using TableRow = std::array<std::string, 8>;
std::vector<TableRow> SeasonRows(const std::string& out) {
  const auto lines = Lines(out);
  auto heading = std::find_if(lines.begin(), lines.end(),
                              [](const std::string& l) { return l.starts_with("Season  League"); });
  if (heading == lines.end()) return {};
  std::array<std::size_t, 8> starts{};
  const char* names[] = {"Season", "League", "Club", "Played", "Goals", "Rating", "Awards", "Move"};
  for (std::size_t c = 0; c < starts.size(); ++c) starts[c] = heading->find(names[c]);
  std::vector<TableRow> rows;
  for (auto line = heading + 1; line != lines.end(); ++line) {
    TableRow row;
    for (std::size_t c = 0; c < starts.size(); ++c) {
      const std::size_t end = c + 1 < starts.size() ? starts[c + 1] : std::string::npos;
      row[c] = line->substr(starts[c], end == std::string::npos ? end : end - starts[c]);
      row[c].erase(row[c].find_last_not_of(' ') + 1);
    }
    rows.push_back(row);
  }
  return rows;
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
           {"LastRow", {{16, 2000, 1}}, 16}}) {
    ContractOffers offers;
    for (ContractOffer& row : offers.rows) row = {"", Money::Dollars(1500), 1};
    for (const auto& [row, dollars, seasons] : c.rows) {
      offers.rows[static_cast<std::size_t>(row - 1)] = {"", Money::Dollars(dollars), seasons};
    }
    EXPECT_EQ(BestOfferRow(offers), c.best) << c.label;
  }
}

// One week of a new Local Reserves career (every skill 50) set up for the
// case: the purchases and sponsor choices the policy makes before Play, in
// transcript order. Shopping happens before the match, so these lines do not
// depend on the week's chances.
struct PolicyCase {
  const char* label;
  Policy policy;
  std::function<void(Career&)> change;
  std::vector<std::string> lines;  // the week's buy: and sponsor: lines
  int sponsorship = 0;             // the weekly sponsorship after the week, when checked
};
void PrintTo(const PolicyCase& c, std::ostream* os) { *os << c.label; }

class SimPolicies : public SimTest, public ::testing::WithParamInterface<PolicyCase> {};

TEST_P(SimPolicies, BuyAndChooseByThePolicyAndTheBankMovesByNothingElse) {
  const PolicyCase& c = GetParam();
  std::ofstream transcript(transcriptPath(), std::ios::binary);
  TwisterRandom random(1);
  TranscriptPrompter prompter(&transcript);
  Game game(random, prompter, DataFolder{dir()});
  SetupAnswers answers{"Shop",  "Jack Riley", "Ballarat", "Victoria", 190, 84,
                       "Rover", 50,           50,         50,         50,  50};
  ASSERT_TRUE(game.StartNewCareer(answers) && SignFirstContract(game));
  Career& career = game.career();
  c.change(career);
  const Money before = career.BankBalance;

  const Week week = Player(game, prompter, c.policy).PlayWeek();
  ASSERT_EQ(week.outcome, Week::Outcome::Played) << week.reason;
  std::vector<std::string> chosen;
  Money spent;
  for (const std::string& line : TranscriptLines()) {
    if (line.starts_with("sponsor: ")) chosen.push_back(line);
    if (!line.starts_with("buy: ")) continue;
    chosen.push_back(line);
    spent += *Money::Parse(line.substr(line.rfind('$') + 1));
  }
  EXPECT_THAT(chosen, ElementsAreArray(c.lines));
  if (c.sponsorship > 0) {
    EXPECT_EQ(career.Sponsorship, Money::Dollars(c.sponsorship));
  }
  // Besides what he bought, the bank moves by the week's pay, a best on
  // ground prize and the week's event: at worst $1500 out, at best $2000 in.
  const Money rest = career.BankBalance - before + spent - career.Wages - career.Sponsorship;
  EXPECT_GE(rest, Money::Dollars(-1500));
  EXPECT_LE(rest, BestOnGroundPrize(career.League) + Money::Dollars(2000));
}

void Bank(Career& c, std::int64_t dollars) { c.BankBalance = Money::Dollars(dollars); }
void HealthBars(Career& c, int value) {
  c.Fitness = c.Health = c.Stamina = c.HealthOverall = value;
}
void GearBars(Career& c, int value) {
  c.Boots = c.Jumper = c.Shorts = c.Other = c.GearOverall = value;
}

// A sponsor window whose offer screens hold the first four companies' offers
// of 100, 200, 300 and 400 a week, with a deal of 350 picked for him on each
// (880 on the major sponsor's screen), and no money for training.
void SponsorWindow(Career& c) {
  c.Matches = 12;
  c.PlayOpen = false;
  Bank(c, kTrainingReserve);
  for (std::size_t s = 0; s < kSlotCount; ++s) {
    SponsorScreen& screen = c.SponsorOffers[s];
    for (std::size_t i = 0; i < kCompanyCount; ++i) {
      screen.Offers[i] = {i < 4, i == 2, Money::Dollars(100 * static_cast<int>(i + 1))};
    }
    screen.Sponsor = "Not Just Tennis";
    screen.Offer = Money::Dollars(s == static_cast<std::size_t>(SponsorSlot::Major) ? 880 : 350);
  }
  c.Sponsorship = Money::Dollars(4 * 350 + 880);
}

INSTANTIATE_TEST_SUITE_P(
    Sim, SimPolicies,
    ::testing::Values(
        // $5000 above the reserve: a unit at a time for the lowest skill, the
        // first row first among equals, until no unit fits.
        PolicyCase{
            "TrainsTheLowestSkillAboveTheReserve",
            Policy::Default,
            [](Career& c) { Bank(c, 15000); },
            {"buy: training Kicking 1 unit for $1500", "buy: training Handballing 1 unit for $1500",
             "buy: training Tackling 1 unit for $1000", "buy: training Marking 1 unit for $1000"}},
        // Short of a full repair: the cheapest gear units first, and nothing
        // left for health care or training.
        PolicyCase{"GearBeforeHealthCheapestUnitsFirst",
                   Policy::Default,
                   [](Career& c) {
                     GearBars(c, 40);
                     HealthBars(c, 80);
                     Bank(c, 8000);
                   },
                   {"buy: gear Jumper 13 units for $1950", "buy: gear Shorts 60 units for $6000"}},
        // Full repair $37125, full health care $10500, then $42375 of
        // training: seven rounds of the five skills at $6000 each.
        PolicyCase{
            "FullRestoresThenEvenTraining",
            Policy::Default,
            [](Career& c) {
              GearBars(c, 55);
              HealthBars(c, 85);
              Bank(c, 100000);
            },
            {"buy: gear Boots 45 units for $10125", "buy: gear Jumper 45 units for $6750",
             "buy: gear Shorts 45 units for $4500", "buy: gear Other 45 units for $15750",
             "buy: health care Fitness 15 units for $3000",
             "buy: health care Health 15 units for $5250",
             "buy: health care Stamina 15 units for $2250",
             "buy: training Kicking 7 units for $10500",
             "buy: training Handballing 7 units for $10500",
             "buy: training Tackling 7 units for $7000", "buy: training Marking 7 units for $7000",
             "buy: training Running 7 units for $7000"}},
        PolicyCase{"AFortuneTakesTheTrainingCentresMax",
                   Policy::Default,
                   [](Career& c) { Bank(c, 1000000000); },
                   {"buy: training Kicking 150 units for $225000",
                    "buy: training Handballing 150 units for $225000",
                    "buy: training Tackling 150 units for $150000",
                    "buy: training Marking 150 units for $150000",
                    "buy: training Running 150 units for $150000"}},
        PolicyCase{"AtTheFloorsAndTheReserveNothingIsBought",
                   Policy::Default,
                   [](Career& c) {
                     GearBars(c, kGearFloor);
                     HealthBars(c, kHealthFloor);
                     Bank(c, kTrainingReserve);
                   },
                   {}},
        PolicyCase{"PassiveBuysNothing",
                   Policy::Passive,
                   [](Career& c) {
                     GearBars(c, 55);
                     HealthBars(c, 50);
                     Bank(c, 1000000);
                   },
                   {}},
        PolicyCase{"TheBestPayingOfferInEverySlot",
                   Policy::Default,
                   SponsorWindow,
                   {"sponsor: Boots Lightning Auto Repairs for $400 a week",
                    "sponsor: Jumper Lightning Auto Repairs for $400 a week",
                    "sponsor: Major stays with Not Just Tennis for $880 a week",
                    "sponsor: Shorts Lightning Auto Repairs for $400 a week",
                    "sponsor: Socks Lightning Auto Repairs for $400 a week"},
                   4 * 400 + 880},
        PolicyCase{
            "PassiveKeepsTheDealsPickedForHim", Policy::Passive, SponsorWindow, {}, 4 * 350 + 880}),
    [](const auto& info) { return std::string(info.param.label); });

using SimCareer = SimTest;

// The season history's line "<key>: <value>" of each season's block.
std::vector<std::string> HistoryValues(const std::string& history, const std::string& key) {
  std::vector<std::string> values;
  for (const std::string& line : Lines(history)) {
    if (!line.starts_with(key + ": ")) continue;
    std::string value = line.substr(key.size() + 2);
    value.erase(0, value.find_first_not_of(' '));
    value.erase(value.find_last_not_of(' ') + 1);
    values.push_back(value);
  }
  return values;
}

// Seed 3 takes this player up through the Local Firsts to the State League,
// where his seventh season earns the draft; three AFL seasons follow.
TEST_F(SimCareer, TenSeasonsUpToTheAflWithTheDraftInTheFiles) {
  const fs::path a = dir() / "a";
  const fs::path b = dir() / "b";
  std::array<SimRun, 2> firstRuns;
  for (std::size_t i = 0; i < 2; ++i) {
    const fs::path& folder = i == 0 ? a : b;
    fs::create_directories(folder);
    auto args = NewArgs("Ten");
    args.insert(args.begin(), {"--seed", "3"});
    ASSERT_EQ(Run(args, folder).code, kExitOk);
    firstRuns[i] = Run({"--seed", "3", "play", "--career", "Ten", "--seasons", "7"}, folder);
    ASSERT_EQ(firstRuns[i].code, kExitOk) << firstRuns[i].err;
  }
  // The same seed writes the same bytes.
  EXPECT_EQ(firstRuns[0].out, firstRuns[1].out);
  EXPECT_EQ(FolderFiles(a), FolderFiles(b));

  // His first club is the best of the offers the seed's first draws made.
  TwisterRandom random(3);
  ContractOffers offers;
  PrepareFirstOffers(offers, random);
  auto rows = SeasonRows(firstRuns[0].out);
  ASSERT_EQ(rows.size(), 7u) << firstRuns[0].out;
  EXPECT_EQ(rows[0][2], offers.rows[static_cast<std::size_t>(BestOfferRow(offers) - 1)].club);

  // The seventh season ends at the draft, and the career is saved with his
  // AFL club: the contract of two seasons and the AFL fixture.
  const TableRow drafted = rows[6];
  EXPECT_EQ(drafted[1], "State");
  ASSERT_THAT(drafted[7], StartsWith("drafted at pick "));
  const std::string club = drafted[7].substr(drafted[7].find(" by ") + 4);
  Career c = Loaded(a / "Ten.kms");
  EXPECT_EQ(c.League, "AFL");
  EXPECT_EQ(c.Team, club);
  EXPECT_EQ(c.ContractMatches, 52);
  const ClubList& afl = ClubsOf("AFL", "Victoria");
  const auto fixture = Lines(ReadFile(a / "TenFixture.kmf"));
  ASSERT_EQ(fixture.size(), kFixtureValues);
  for (const std::string& line : fixture) {
    EXPECT_THAT(afl, Contains(line.substr(1, line.size() - 2))) << line;
  }

  const SimRun rest = Run({"--seed", "3", "play", "--career", "Ten", "--seasons", "3"}, a);
  ASSERT_EQ(rest.code, kExitOk) << rest.err;
  const auto more = SeasonRows(rest.out);
  ASSERT_EQ(more.size(), 3u) << rest.out;
  EXPECT_EQ(more[0][1], "AFL");
  EXPECT_EQ(more[0][2], club);
  rows.insert(rows.end(), more.begin(), more.end());

  // Every row is the season the game's own history tells.
  const std::string history = ReadFile(a / "Jack Riley Season History.txt");
  EXPECT_TRUE(fs::exists(a / "Jack Riley Career History.txt"));
  const auto seasons = HistoryValues(history, "SEASON");
  const auto leagues = HistoryValues(history, "League");
  const auto teams = HistoryValues(history, "Team");
  const auto goals = HistoryValues(history, "Goals");
  ASSERT_EQ(seasons.size(), 10u);
  for (std::size_t s = 0; s < 10; ++s) {
    EXPECT_EQ(rows[s][0], std::to_string(s + 1));
    EXPECT_EQ(rows[s][0], seasons[s]);
    EXPECT_EQ(rows[s][1], leagues[s]);
    EXPECT_EQ(rows[s][2], teams[s]);
    EXPECT_EQ(rows[s][4], goals[s]);
  }

  // The last season's home-and-away lines tell its rounds as the results
  // file keeps them.
  c = Loaded(a / "Ten.kms");
  const auto lines = Lines(rest.out);
  const std::size_t lastSeason = lines.size() - 1 - 4 - kSeasonWeeks;  // table, blank line
  for (int r = 1; r <= kHomeAndAwayRounds; ++r) {
    const std::string& line = lines[lastSeason + static_cast<std::size_t>(r - 1)];
    const auto record = std::get<RoundRecord>(ReadRoundResult(a, c, r));
    std::size_t s = 0;
    while (s < 8 && record.teamOne[s] != c.Team && record.teamTwo[s] != c.Team) ++s;
    ASSERT_LT(s, 8u) << line;
    const RoundSlot& x = record.slots[s];
    const bool first = record.teamOne[s] == c.Team;
    EXPECT_THAT(line, StartsWith(RoundTitle(r - 1) + " | " + c.Team + " " +
                                 std::to_string(first ? x.GoalsOne[3] : x.GoalsTwo[3]) + "."));
    if (line.ends_with("did not play")) continue;
    EXPECT_THAT(line, HasSubstr(" | disposals " + record.player.Disposals + ", goals " +
                                record.player.Goals + ", rating "));
  }
}

// "Old Timer Bloke" starts at 40 with a fortune. Age wears him down within
// a few seasons, and a Local Reserves player of 30 or more whose average
// falls below 2.5 retires.
TEST_F(SimCareer, PlayedToTheEndHeRetires) {
  auto args = NewArgs("Old Timer Bloke");
  args.insert(args.begin(), {"--seed", "1"});
  ASSERT_EQ(Run(args).code, kExitOk);
  const SimRun run = Run({"--seed", "1", "play", "--career", "Old Timer Bloke", "--to-end"});
  ASSERT_EQ(run.code, kExitOk) << run.err;
  const auto rows = SeasonRows(run.out);
  ASSERT_FALSE(rows.empty()) << run.out;
  for (std::size_t s = 0; s < rows.size(); ++s) {
    EXPECT_EQ(rows[s][0], std::to_string(27 + s));
    EXPECT_EQ(rows[s][7] == "retired", s + 1 == rows.size()) << rows[s][7];
  }
  EXPECT_EQ(rows.back()[1], "Local Reserves");
  EXPECT_LT(*ParseDecimal(rows.back()[5]), 2.5);
  EXPECT_THAT(TranscriptLines(), Contains(StartsWith("message: After a long career")));
  EXPECT_TRUE(IsRetired(Loaded(dir() / "Old Timer Bloke.kms")));

  // A retired career is at its end already; more seasons cannot be had.
  for (const auto& [goal, code] :
       {std::pair{"--to-end", kExitOk}, {"--seasons", kExitCannotAdvance}}) {
    std::vector<std::string> again = {"play", "--career", "Old Timer Bloke", goal};
    if (code != kExitOk) again.emplace_back("1");
    const SimRun after = Run(again);
    EXPECT_EQ(after.code, code) << goal;
    EXPECT_THAT(after.out, IsEmpty());
    if (code != kExitOk) {
      EXPECT_THAT(after.err, HasSubstr("He has retired"));
    }
  }
}

// A week from a career saved in a given state: what holds Play that the
// player frees himself, and the stops, each with its exit code.
struct WeekCase {
  const char* label;
  std::function<void(Career&)> change;           // to the saved career before play
  std::function<void(const fs::path&)> disturb;  // to the data folder before play
  int code;
  const char* errorPart;
  const char* transcriptPart;  // the game's own word on it, if any
  std::size_t weeksPlayed;     // of the three asked for
  // The career saved after the run; without it, the save must be as it was.
  std::function<void(const Career&)> check;
  const char* policy = "passive";
  FileSystem* files = nullptr;  // the files the run writes through, when not the real ones
};
void PrintTo(const WeekCase& c, std::ostream* os) { *os << c.label; }

class SimPlayWeeks : public SimTest, public ::testing::WithParamInterface<WeekCase> {};

TEST_P(SimPlayWeeks, GoAheadOrStopWithTheSaveLeftAsItWas) {
  const WeekCase& c = GetParam();
  ASSERT_EQ(
      Run({"--seed", "9", "new", "--career", "Stop", "--name", "Jack Riley", "--city", "Ballarat",
           "--state", "Victoria", "--position", "Rover", "--skills", "30,30,30,30,30"})
          .code,
      kExitOk);
  const fs::path save = dir() / "Stop.kms";
  if (c.change) {
    Career career = Loaded(save);
    c.change(career);
    ASSERT_FALSE(SaveCareer(dir(), career).has_value());
  }
  if (c.disturb) c.disturb(dir());
  const std::string saved = ReadFile(save);

  std::optional<UseFileSystem> files;
  if (c.files != nullptr) files.emplace(*c.files);
  const SimRun run = Run({"play", "--career", "Stop", "--weeks", "3", "--policy", c.policy});
  files.reset();
  EXPECT_EQ(run.code, c.code);
  EXPECT_THAT(run.err, HasSubstr(c.errorPart));
  EXPECT_EQ(Lines(run.out).size(), c.weeksPlayed) << run.out;
  if (*c.transcriptPart != '\0') {
    EXPECT_THAT(TranscriptLines(), Contains(StartsWith(c.transcriptPart)));
  }
  if (c.check) {
    c.check(Loaded(save));
  } else {
    EXPECT_EQ(ReadFile(save), saved);
  }
}

// The real files, but the folder's flush after a save is renamed into place
// fails, and so does the retry's: the save is on the disk, but the game
// cannot be sure of it.
class SaveFlushFails final : public RealFileSystem {
 public:
  int Rename(const std::string& from, const std::string& to) override {
    renamedSave_ = to.ends_with(kSaveExtension);
    return RealFileSystem::Rename(from, to);
  }
  int SyncFolder(int fd) override { return renamedSave_ ? EIO : RealFileSystem::SyncFolder(fd); }

 private:
  bool renamedSave_ = false;
};
SaveFlushFails saveFlushFails;

// The season's last round closed with nothing signed for the next.
void SeasonOverContractRunOut(Career& c) {
  c.Matches = 26;
  c.ContractMatches = 0;
  c.PlayOpen = false;
}

void WornGear(Career& c) { GearBars(c, 49); }

INSTANTIATE_TEST_SUITE_P(
    Sim, SimPlayWeeks,
    ::testing::Values(
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
                   c.MatchesPlayed = 20;
                   c.MatchRatingAverage = 7;
                 },
                 nullptr, kExitOk, "", "camp: Conclusion: average rank ", 3,
                 [](const Career& c) {
                   EXPECT_EQ(c.League, "AFL");
                   EXPECT_EQ(c.ContractMatches, 52 - 3);
                 }},
        WeekCase{"WornGear", WornGear, nullptr, kExitCannotAdvance,
                 "Week 1 of 3 did not go ahead: The gear is worn to 49",
                 "question: Your football gear is not up to scratch", 0, nullptr},
        WeekCase{"WornGearAndAnEmptyBank",
                 [](Career& c) {
                   WornGear(c);
                   Bank(c, 0);
                 },
                 nullptr, kExitCannotAdvance, "has no money for new gear (the bank holds $0)", "",
                 0, nullptr, "default"},
        WeekCase{"Retired",
                 [](Career& c) { c.PlayOpen = c.ContractOpen = c.SponsorshipOpen = false; },
                 nullptr, kExitCannotAdvance, "He has retired", "", 0, nullptr},
        WeekCase{"MissingFixture", nullptr,
                 [](const fs::path& folder) { fs::remove(folder / "StopFixture.kmf"); },
                 kExitUnreadableFile, "StopFixture.kmf",
                 "message: This week's round cannot be played.", 0, nullptr},
        // The results go before the save, so the week is played but not kept.
        WeekCase{"ResultsNotWritten", nullptr,
                 [](const fs::path& folder) { fs::create_directory(folder / "StopResults.kmr"); },
                 kExitNotWritten, "StopResults.kmr", "", 1, nullptr},
        // The save reached the disk, but its flush failed twice: the week is
        // kept, and the run stops all the same with the game's sentence.
        WeekCase{"SaveFlushFailsTwice", nullptr, nullptr, kExitNotWritten,
                 "A file of your career could not be written. Stop.kms could not be written: "
                 "Input/output error.\n",
                 "", 1, [](const Career& c) { EXPECT_EQ(c.Matches, 1); }, "passive",
                 &saveFlushFails}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace km::sim::testing
