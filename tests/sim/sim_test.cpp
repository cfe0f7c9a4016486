// SPDX-License-Identifier: GPL-3.0-or-later
// kickmark-sim's commands: new, show, the transcript, odd names, refused answers and files,
// its player's policies, weeks that cannot go ahead and their exit codes, and the career lock.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "core/career_fields.h"
#include "core/career_lock.h"
#include "core/file_system.h"
#include "core/new_career.h"
#include "core/save_file.h"
#include "game/game.h"
#include "match/after_match.h"
#include "season/career_log.h"
#include "season/hall_of_fame.h"
#include "sim/autoplay.h"
#include "sim/log_export.h"
#include "sim/record_json.h"
#include "sim/transcript.h"
#include "sim_fixture.h"
#include "support/playing.h"
#include "support/scripted_ports.h"

namespace km::sim::testing {
namespace {

namespace fs = std::filesystem;
using namespace ::testing;

Career Loaded(const fs::path& file) { return std::get<Career>(LoadCareer(file)); }

std::string Join(const std::vector<std::string>& cells, const std::string& between) {
  std::string joined;
  for (const std::string& cell : cells) joined += (joined.empty() ? "" : between) + cell;
  return joined;
}

// A folder, career and player named with spaces, apostrophes and Windows-1252 letters: new,
// play and show, each file under its own name, every field shown back in its order.
TEST_F(SimTest, NewPlayAndShowUnderOddNames) {
  const fs::path folder = dir() / "Footy's F\xc3\xb6lder 1";
  fs::create_directories(folder);
  const std::string career = "Zo\xc3\xab's Career 1";
  const std::string name = "S\u00e9an O'Dwyer-M\u00fcller";
  auto args = With(With(NewArgs(career), "--name", name), "--city", "Coff's Harbour");
  args.insert(args.begin(), {"--seed", "4"});
  const SimRun made = Run(args, folder);
  ASSERT_EQ(made.code, kExitOk) << made.err;
  EXPECT_EQ(made.out, (folder / (career + ".kms")).string() + "\n");
  // The save holds the names in Windows-1252, one byte a letter.
  EXPECT_TRUE(ReadFile(folder / (career + ".kms"))
                  .starts_with("\"S\xe9"
                               "an O'Dwyer-M\xfcller\"\r\n"));
  const SimRun shown = Run({"show", "--career", career}, folder);
  ASSERT_EQ(shown.code, kExitOk) << shown.err;
  const auto record = nlohmann::ordered_json::parse(shown.out);
  EXPECT_EQ(record.at("Name"), name);
  EXPECT_EQ(record.at("CareerName"), career);
  ASSERT_EQ(record.size(), CareerFields().size());
  auto item = record.begin();
  for (const CareerField& field : CareerFields()) {
    const auto& v = (item++).value();
    EXPECT_EQ(std::prev(item).key(), field.name);
    EXPECT_TRUE(field.kind == FieldKind::Text     ? v.is_string()
                : field.kind == FieldKind::Switch ? v.is_boolean()
                : field.kind == FieldKind::Whole || field.kind == FieldKind::Bar
                    ? v.is_number_integer()
                    : v.is_number())
        << field.name << " is " << v.dump();
  }
  // The save keeps Marking before Tackling, so a swap with --skills' order shows here.
  for (int i = 0;
       const char* skill : {"Kicking", "Handballing", "Tackling", "Marking", "Running"}) {
    const int value = std::array{60, 55, 40, 70, 50}[static_cast<std::size_t>(i++)];
    EXPECT_EQ(record.at(skill), value) << skill;
    EXPECT_EQ(record.at(std::string("Setup") + skill), value) << skill;
  }
  EXPECT_EQ(record.at("Overall"), 55);  // (1.25 x (60 + 55) + 0.833 x 160) / 5 = 55.4
  // Money keeps its cents and whole dollars stay whole.
  for (const Money amount : {Money::Dollars(15000), Money::Cents(24750), Money::Cents(-1)}) {
    Career career = Career::Create();
    career.BankBalance = amount;
    const auto balance = CareerJson(career).at("BankBalance");
    EXPECT_EQ(balance.is_number_integer(), amount.cents() % 100 == 0) << balance.dump();
    EXPECT_EQ(balance.dump(), amount.ToString());
  }
  const SimRun played = Run({"--seed", "5", "play", "--career", career, "--weeks", "3"}, folder);
  ASSERT_EQ(played.code, kExitOk) << played.err;
  EXPECT_EQ(Lines(played.out).size(), 3u) << played.out;
  EXPECT_EQ(
      nlohmann::ordered_json::parse(Run({"show", "--career", career}, folder).out).at("Matches"),
      3);
  std::vector<std::string> files;
  for (const auto& [file, bytes] : Files(folder)) files.push_back(file);
  EXPECT_THAT(files, ElementsAre(career + ".kms", career + ".lock", career + "Fixture.kmf",
                                 career + "Log.kml", career + "Results.kmr"));
  // A transcript entry is one line whatever its text holds.
  for (const auto& [text, written] : {std::pair{"two\r\nlines", "two\\nlines"},
                                      {"two\nlines\r", "two\\nlines\\n"},
                                      {"C:\\kick", "C:\\\\kick"}}) {
    EXPECT_EQ(EscapeForTranscript(text), written) << text;
  }
}

// Refused answers: exit 2, the setup screen's message alone on stderr (not a special name's
// cheer after it) and in the transcript, no file. (cli_exit_codes.cmake: kickmark-sim's own.)
TEST_F(SimTest, RefusedAnswersExitTwoWithTheSetupScreensMessage) {
  for (const auto& [args, message] :
       {std::pair{With(NewArgs(), "--career", ""), kCareerNameMessage},
        {With(NewArgs(), "--state", "victoria"), kFillOutMessage},
        {With(NewArgs("Cash Lord"), "--city", ""), kFillOutMessage},
        {std::vector<std::string>{"show", "--career", "../Test1"}, kBadCareerNameMessage}}) {
    const SimRun run = Run(args);
    EXPECT_EQ(run.code, kExitRefused) << message;
    EXPECT_EQ(run.err, std::string(message) + "\n");
    EXPECT_THAT(run.out, IsEmpty());
    EXPECT_THAT(Files(), IsEmpty());
    if (args[0] == "new") {
      EXPECT_THAT(TranscriptLines(), Contains("message: " + std::string(message)));
    }
  }
}

// A week of a new Local Reserves career (skills 50) set up for the case: what the policy buys
// and chooses before Play, in transcript order.
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
  ASSERT_TRUE(game.StartNewCareer({"Shop", "Jack Riley", "Ballarat", "Victoria", 190, 84, "Rover",
                                   50, 50, 50, 50, 50}) &&
              SignFirstContract(game));
  Career& career = game.career();
  c.change(career);
  const Money before = career.BankBalance;
  Player player(game, prompter, c.policy);
  // A career moved on to a sponsor window by hand has no season's files behind
  // its weeks to check the week against.
  player.CheckEachWeek(career.Matches == 0);
  const Week week = player.PlayWeek();
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
  EXPECT_EQ(career.Sponsorship,
            c.sponsorship > 0 ? Money::Dollars(c.sponsorship) : career.Sponsorship);
  // Besides his buying, the bank moves by pay, a best on ground prize, an event: -$1500 to +$2000.
  const Money rest = career.BankBalance - before + spent - career.Wages - career.Sponsorship;
  EXPECT_GE(rest, Money::Dollars(-1500));
  EXPECT_LE(rest, BestOnGroundPrize(career.League) + Money::Dollars(2000));
}

// The gear's and health bars (left as they are when below 0) and the bank's dollars.
auto Set(int gear, int health, std::int64_t bank) {
  return [=](Career& c, auto&&...) {
    if (gear >= 0) c.Boots = c.Jumper = c.Shorts = c.Other = c.GearOverall = gear;
    if (health >= 0) c.Fitness = c.Health = c.Stamina = c.HealthOverall = health;
    c.BankBalance = Money::Dollars(bank);
  };
}

// A sponsor window: the first four companies offer 100 to 400 a week on each screen, deals of
// 350 (the major 880) picked for him, and no money for training.
void SponsorWindow(Career& c) {
  c.Matches = 12;
  c.PlayOpen = false;
  c.BankBalance = Money::Dollars(kTrainingReserve);
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
        // $5000 above the reserve: a unit at a time for the lowest skill (first row first).
        PolicyCase{
            "TrainsTheLowestSkillAboveTheReserve",
            Policy::Default,
            Set(-1, -1, 15000),
            {"buy: training Kicking 1 unit for $1500", "buy: training Handballing 1 unit for $1500",
             "buy: training Tackling 1 unit for $1000", "buy: training Marking 1 unit for $1000"}},
        // Short of a full repair: the cheapest gear units first, none for health or training.
        PolicyCase{"GearBeforeHealthCheapestUnitsFirst",
                   Policy::Default,
                   Set(40, 80, 8000),
                   {"buy: gear Jumper 13 units for $1950", "buy: gear Shorts 60 units for $6000"}},
        PolicyCase{"AtTheFloorsAndTheReserveNothingIsBought",
                   Policy::Default,
                   Set(kGearFloor, kHealthFloor, kTrainingReserve),
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

// A week from a career saved in a given state: what holds Play, and the stops' exit codes.
struct WeekCase {
  const char* label;
  std::function<void(Career&, const fs::path&)> prepare;  // the save and the folder
  int code;
  const char* errorPart;
  const char* transcriptPart;  // the game's own word on it, if any
  std::size_t weeksPlayed;     // of the three asked for
  int matchesSaved = -1;       // the save's Matches after the run; -1: the save as it was
  const char* policy = "passive";
  FileSystem* files = nullptr;  // the files the run writes through, when not the real ones
};
void PrintTo(const WeekCase& c, std::ostream* os) { *os << c.label; }

class SimPlayWeeks : public SimTest, public ::testing::WithParamInterface<WeekCase> {};

TEST_P(SimPlayWeeks, GoAheadOrStopWithTheSaveLeftAsItWas) {
  const WeekCase& c = GetParam();
  auto args = With(NewArgs("Stop"), "--skills", "30,30,30,30,30");
  args.insert(args.begin(), {"--seed", "9"});
  ASSERT_EQ(Run(args).code, kExitOk);
  const fs::path save = dir() / "Stop.kms";
  Career career = Loaded(save);
  c.prepare(career, dir());
  ASSERT_FALSE(SaveCareer(dir(), career).has_value());
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
  EXPECT_TRUE(c.matchesSaved < 0 ? ReadFile(save) == saved
                                 : Loaded(save).Matches == c.matchesSaved);
}

// The folder's flush after a save is renamed into place fails, retry too: the save is on disk,
// but the game cannot be sure of it.
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

INSTANTIATE_TEST_SUITE_P(
    Sim, SimPlayWeeks,
    ::testing::Values(
        WeekCase{"WornGear", Set(49, -1, 15000), kExitCannotAdvance,
                 "Week 1 of 3 did not go ahead: The gear is worn to 49",
                 "question: Your football gear is not up to scratch", 0},
        WeekCase{"WornGearAndAnEmptyBank", Set(49, -1, 0), kExitCannotAdvance,
                 "has no money for new gear (the bank holds $0)", "", 0, -1, "default"},
        WeekCase{
            "Retired",
            [](Career& c, auto&&...) { c.PlayOpen = c.ContractOpen = c.SponsorshipOpen = false; },
            kExitCannotAdvance, "He has retired", "", 0},
        WeekCase{"MissingFixture",
                 [](Career&, const fs::path& folder) { fs::remove(folder / "StopFixture.kmf"); },
                 kExitUnreadableFile, "StopFixture.kmf",
                 "message: This week's round cannot be played.", 0},
        // The results go before the save, so the week is played but not kept.
        WeekCase{"ResultsNotWritten",
                 [](Career&, const fs::path& folder) {
                   fs::create_directory(folder / "StopResults.kmr");
                 },
                 kExitNotWritten, "StopResults.kmr", "", 1},
        // The week is kept, and the run stops all the same with the game's sentence.
        WeekCase{"SaveFlushFailsTwice", [](Career&, auto&&...) {}, kExitNotWritten,
                 "A file of your career could not be written. Stop.kms could not be written: "
                 "Input/output error.\n",
                 "", 1, 1, "passive", &saveFlushFails}),
    [](const auto& info) { return std::string(info.param.label); });

// One career, one game at a time: a second game gets an open career only once the first lets go.
// (cli_exit_codes.cmake holds the lock from another process.) A game over the folder:
struct Window {
  TwisterRandom random{1};
  km::testing::ScriptedPrompter prompter;
  Game game;
  explicit Window(const fs::path& folder) : game(random, prompter, DataFolder{folder}) {}
  Game::LoadOutcome Load(const fs::path& save) { return game.LoadFrom(save).outcome; }
};

SetupAnswers AnswersFor(const std::string& career) {
  return km::testing::Answers(career, "Jack Riley", "Ballarat", "Victoria", "Rover",
                              {60, 55, 40, 70, 50});
}

class SimLock : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    for (const char* career : {"Alpha", "Beta"}) ASSERT_EQ(Run(NewArgs(career)).code, kExitOk);
  }
  [[nodiscard]] fs::path Save(const std::string& c) const { return dir() / (c + kSaveExtension); }
  // Whether another game is refused the career because it is open.
  [[nodiscard]] bool Held(const std::string& career) const {
    Window other(dir());
    const auto result = other.game.LoadFrom(Save(career));
    return result.outcome == Game::LoadOutcome::Failed && other.game.lockRefusal() &&
           other.game.lockRefusal()->openElsewhere && result.error == kCareerOpenElsewhereMessage;
  }
};

TEST_F(SimLock, AnOpenCareerIsHeldUntilTheGameLetsGoOfIt) {
  constexpr auto kLoaded = Game::LoadOutcome::Loaded;
  Window first(dir());
  ASSERT_EQ(first.Load(Save("Alpha")), kLoaded);
  EXPECT_TRUE(Held("Alpha"));
  EXPECT_FALSE(Held("Beta"));
  // The same game loads its own career again, under another spelling of the path too.
  EXPECT_EQ(first.Load(dir() / "." / ".." / dir().filename() / "Alpha.kms"), kLoaded);
  EXPECT_TRUE(Held("Alpha"));
  // A load that fails, or is refused for a career open elsewhere, keeps the running one.
  std::ofstream(dir() / "Broken.kms") << "\"Jack\"\r\n";
  const Career before = first.game.career();
  EXPECT_EQ(first.Load(dir() / "Broken.kms"), Game::LoadOutcome::Failed);
  {
    Window second(dir());
    ASSERT_EQ(second.Load(Save("Beta")), kLoaded);
    EXPECT_EQ(first.Load(Save("Beta")), Game::LoadOutcome::Failed);
  }
  EXPECT_EQ(first.game.career(), before);
  EXPECT_TRUE(Held("Alpha"));
  // Loading another career lets go of the first; quitting lets go.
  ASSERT_EQ(first.Load(Save("Beta")), kLoaded);
  EXPECT_FALSE(Held("Alpha"));
  EXPECT_TRUE(Held("Beta"));
  first.game.Quit();
  EXPECT_FALSE(Held("Beta"));
  // The lock is the career's own name, whatever its save file is called.
  fs::copy_file(Save("Alpha"), Save("Copy of Alpha"));
  ASSERT_EQ(first.Load(Save("Copy of Alpha")), kLoaded);
  EXPECT_TRUE(Held("Alpha"));
}

TEST_F(SimLock, ANewCareerOverOneThatIsOpenIsRefusedBeforeAnyFileIsWritten) {
  Window first(dir());
  ASSERT_EQ(first.Load(Save("Alpha")), Game::LoadOutcome::Loaded);
  const auto files = Files();
  Window second(dir());
  // The setup screen's checks come first.
  SetupAnswers noCity = AnswersFor("Alpha");
  noCity.city.clear();
  EXPECT_FALSE(second.game.StartNewCareer(noCity));
  EXPECT_FALSE(second.game.lockRefusal());
  EXPECT_FALSE(second.game.StartNewCareer(AnswersFor("Alpha")));
  EXPECT_THAT(second.prompter.messageTexts(),
              ElementsAre(kFillOutMessage, kNewCareerOpenElsewhereMessage));
  ASSERT_TRUE(second.game.lockRefusal());
  EXPECT_TRUE(second.game.lockRefusal()->openElsewhere);
  EXPECT_FALSE(second.game.HasCareer());
  EXPECT_EQ(Files(), files);
  // The game that holds it may start it afresh.
  EXPECT_TRUE(first.game.StartNewCareer(AnswersFor("Alpha")));
  EXPECT_TRUE(Held("Alpha"));
}

// log and hall-of-fame only read: a career open in a game is printed and listed, a damaged
// career has its sentence, and no file changes.
TEST_F(SimLock, LogAndHallOfFameReadAnOpenCareerAndChangeNoFile) {
  ASSERT_EQ(Run({"play", "--career", "Alpha", "--weeks", "3"}).code, kExitOk);
  Window open(dir());
  ASSERT_EQ(open.Load(Save("Alpha")), Game::LoadOutcome::Loaded);
  std::ofstream(dir() / "Broken.kms") << "\"Jack\"\r\n";
  const std::string broken = std::get<FileError>(LoadCareer(Save("Broken"))).message;
  const auto files = Files();
  const SimRun csv = Run({"log", "--career", "Alpha"});
  const SimRun json = Run({"log", "--career", "Alpha", "--format", "json"});
  ASSERT_EQ(csv.code + json.code, kExitOk) << csv.err << json.err;
  const auto rows = Lines(csv.out);
  const auto weeks = nlohmann::ordered_json::parse(json.out).at("weeks");
  ASSERT_EQ(rows.size(), 4U);
  ASSERT_EQ(weeks.size(), 3U);
  const auto fields = LogWeekFields();
  EXPECT_EQ(rows[0], Join(fields, ","));
  std::vector<std::string> cells;
  for (const auto& [name, value] : weeks[2].items()) {
    if (name != "events")
      cells.push_back(value.is_string() ? value.get<std::string>()
                      : value.is_null() ? ""
                                        : value.dump());
  }
  EXPECT_EQ(rows[3], Join(cells, ","));
  // The last week's figures are the save's, field by field from the skills on.
  const auto record = CareerJson(Loaded(Save("Alpha")));
  const auto from = std::find(fields.begin(), fields.end(), "kicking");
  for (auto field = from; field != fields.end(); ++field) {
    const std::string key = static_cast<char>(std::toupper((*field)[0])) + field->substr(1);
    EXPECT_EQ(weeks[2].at(*field), record.value(key, weeks[2].at(*field))) << key;
  }
  const auto hall = Run({"hall-of-fame"});
  const auto hallJson =
      nlohmann::ordered_json::parse(Run({"hall-of-fame", "--format", "json"}).out);
  const auto hallCsv = Lines(Run({"hall-of-fame", "--format", "csv"}).out);
  const auto lines = Lines(hall.out);
  ASSERT_EQ(lines.size(), 4U) << hall.out;
  EXPECT_EQ(lines[0].find("Player"), lines[1].find("Jack Riley"));
  EXPECT_TRUE(lines[3].starts_with("Broken") && lines[3].ends_with(broken));
  const HallOfFameRow alpha = ReadHallOfFame(dir()).front();
  EXPECT_EQ(hallJson.at(0).at("matches"), alpha.matches);
  EXPECT_EQ(hallJson.at(0).at("peakOverall"), alpha.peakOverall);
  EXPECT_EQ(hallJson.at(2).at("damaged"), broken);
  ASSERT_EQ(hallCsv.size(), 4U);
  EXPECT_TRUE(hallCsv[3].ends_with(broken + (broken.find(',') != std::string::npos ? "\"" : "")));
  EXPECT_EQ(Files(), files);
  // A log that cannot be read exits 3 with its sentence.
  std::ofstream(dir() / "BetaLog.kml", std::ios::binary) << "Kickmark career log 1\nW\t1\n";
  const SimRun damaged = Run({"log", "--career", "Beta"});
  EXPECT_EQ(damaged.code, kExitUnreadableFile);
  EXPECT_EQ(damaged.err,
            std::get<FileError>(ReadCareerLog(dir() / "BetaLog.kml", {1, 0})).message + "\n");
}

// An empty or cut save: show and play exit 3 with the start screen's sentence.
TEST_F(SimTest, AnUnreadableSaveExitsThreeWithTheStartScreensSentence) {
  ASSERT_EQ(Run(NewArgs("Broken")).code, kExitOk);
  const auto lines = Lines(ReadFile(dir() / "Broken.kms"));
  for (const int keepLines : {0, 100}) {
    std::string cut;
    for (int i = 0; i < keepLines; ++i) cut += lines[static_cast<std::size_t>(i)] + "\r\n";
    std::ofstream(dir() / "Broken.kms", std::ios::binary | std::ios::trunc) << cut;
    const auto load = Window(dir()).game.LoadFrom(dir() / "Broken.kms");
    ASSERT_EQ(load.outcome, Game::LoadOutcome::Failed);
    for (const auto& args : {std::vector<std::string>{"show", "--career", "Broken"},
                             std::vector<std::string>{"play", "--career", "Broken", "--to-end"}}) {
      const SimRun run = Run(args);
      EXPECT_EQ(run.code, kExitUnreadableFile) << args[0] << " " << keepLines;
      EXPECT_THAT(run.out, IsEmpty());
      EXPECT_EQ(run.err, load.error + "\n");
    }
  }
}

}  // namespace
}  // namespace km::sim::testing
