// kickmark-sim end to end: new careers through the setup screen's checks, the
// save file they write, and the record `show` reads back from it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "core/game.h"
#include "core/new_career.h"
#include "sim/sim.h"
#include "sim_fixture.h"
#include "support/scripted_ports.h"

namespace km::sim::testing {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

nlohmann::ordered_json ParseJson(const std::string& text) {
  return nlohmann::ordered_json::parse(text);
}

using SimNew = SimTest;

TEST_F(SimNew, WritesTheSaveFileAndShowReadsTheNewCareerBack) {
  const SimRun made = Run(NewArgs("Test1"));
  ASSERT_EQ(made.code, kExitOk) << made.err;
  EXPECT_THAT(made.err, IsEmpty());
  EXPECT_TRUE(std::filesystem::is_regular_file(dir() / "Test1.kms"));
  EXPECT_THAT(made.out, HasSubstr("Test1.kms"));

  const SimRun shown = Run({"show", "--career", "Test1"});
  ASSERT_EQ(shown.code, kExitOk) << shown.err;
  const auto record = ParseJson(shown.out);

  EXPECT_EQ(record.at("CareerName"), "Test1");
  EXPECT_EQ(record.at("Name"), "Jack Riley");
  EXPECT_EQ(record.at("State"), "Victoria");
  EXPECT_EQ(record.at("Position"), "Rover");
  EXPECT_EQ(record.at("Height"), 190);
  EXPECT_EQ(record.at("Weight"), 84);
  EXPECT_EQ(record.at("League"), "Local Reserves");
  EXPECT_EQ(record.at("Age"), 14);
  ASSERT_TRUE(record.at("BankBalance").is_number_integer());
  EXPECT_EQ(record.at("BankBalance"), 15000);
  EXPECT_EQ(record.at("SeasonMVP"), "N");
  EXPECT_EQ(record.at("PlayOpen"), true);
  EXPECT_EQ(record.at("Fitness"), 100);

  // --skills runs Kicking,Handballing,Tackling,Marking,Running; the save file
  // keeps the base skills with Marking before Tackling, so a swap shows here.
  EXPECT_EQ(record.at("Kicking"), 60);
  EXPECT_EQ(record.at("Handballing"), 55);
  EXPECT_EQ(record.at("Tackling"), 40);
  EXPECT_EQ(record.at("Marking"), 70);
  EXPECT_EQ(record.at("Running"), 50);
  EXPECT_EQ(record.at("SetupKicking"), 60);
  EXPECT_EQ(record.at("SetupHandballing"), 55);
  EXPECT_EQ(record.at("SetupTackling"), 40);
  EXPECT_EQ(record.at("SetupMarking"), 70);
  EXPECT_EQ(record.at("SetupRunning"), 50);
  // (60 x 1.25 + 55 x 1.25 + (40 + 70 + 50) x 0.833) / 5 = 55.406
  EXPECT_EQ(record.at("Overall"), 55);
  EXPECT_EQ(record.at("SetupOverall"), 55);
}

TEST_F(SimNew, AnswersLeftOutKeepTheSetupScreensStartingValues) {
  const SimRun made = Run({"new", "--career", "Plain", "--name", "Sam", "--city", "Hobart",
                           "--state", "Tasmania", "--position", "Ruck"});
  ASSERT_EQ(made.code, kExitOk) << made.err;
  const auto record = ParseJson(Run({"show", "--career", "Plain"}).out);
  const SetupAnswers defaults;
  EXPECT_EQ(record.at("Height"), defaults.height);
  EXPECT_EQ(record.at("Weight"), defaults.weight);
  for (const char* skill : {"Kicking", "Handballing", "Tackling", "Marking", "Running"}) {
    EXPECT_EQ(record.at(skill), 1) << skill;
  }
  EXPECT_EQ(record.at("Overall"), 1);
}

struct RefusalCase {
  const char* label;
  const char* option;
  const char* value;
  const char* message;
};
// Test names show the case's label rather than its bytes.
void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.label; }

class SimRefusedAnswers : public SimTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(SimRefusedAnswers, ExitTwoWithTheSetupScreensMessageAndNoFile) {
  const RefusalCase& c = GetParam();
  auto args = With(NewArgs(), c.option, c.value);
  args.insert(args.begin(), {"--transcript", transcriptPath().string()});
  const SimRun run = Run(args);
  EXPECT_EQ(run.code, kExitRefused);
  EXPECT_EQ(run.err, std::string(c.message) + "\n");
  EXPECT_THAT(run.out, IsEmpty());
  EXPECT_THAT(DataFiles(), IsEmpty());
  // The game shows the refusal in a message box; the transcript has it too.
  EXPECT_THAT(TranscriptLines(), Contains("message: " + std::string(c.message)));
}

INSTANTIATE_TEST_SUITE_P(
    Sim, SimRefusedAnswers,
    ::testing::Values(RefusalCase{"EmptyName", "--name", "", kFillOutMessage},
                      RefusalCase{"EmptyCareer", "--career", "", kCareerNameMessage},
                      RefusalCase{"EmptyCity", "--city", "", kFillOutMessage},
                      RefusalCase{"EmptyState", "--state", "", kFillOutMessage},
                      RefusalCase{"StateInLowerCase", "--state", "victoria", kFillOutMessage},
                      RefusalCase{"StateNotInTheList", "--state", "Auckland", kFillOutMessage},
                      RefusalCase{"PositionInLowerCase", "--position", "rover", kFillOutMessage},
                      RefusalCase{"PositionNotInTheList", "--position", "Goalkeeper",
                                  kFillOutMessage}),
    [](const auto& info) { return std::string(info.param.label); });

struct SpecialNameCase {
  const char* label;
  const char* careerName;
  const char* message;  // empty when the name shows none
  const char* league;
  int age;
  long long bankBalance;
};
void PrintTo(const SpecialNameCase& c, std::ostream* os) { *os << c.label; }

class SimSpecialNames : public SimTest, public ::testing::WithParamInterface<SpecialNameCase> {};

TEST_P(SimSpecialNames, ShowTheirMessageAndChangeTheNewCareer) {
  const SpecialNameCase& c = GetParam();
  auto args = NewArgs(c.careerName);
  args.insert(args.begin(), {"--transcript", transcriptPath().string()});
  ASSERT_EQ(Run(args).code, kExitOk);

  const auto lines = TranscriptLines();
  for (const char* other : {"Dang... Well done", "Nice try mate ;)"}) {
    const std::string line = std::string("message: ") + other;
    if (std::string(c.message) == other) {
      EXPECT_THAT(lines, Contains(line));
    } else {
      EXPECT_THAT(lines, Not(Contains(line)));
    }
  }

  const SimRun shown = Run({"show", "--career", c.careerName});
  ASSERT_EQ(shown.code, kExitOk) << shown.err;
  const auto record = ParseJson(shown.out);
  EXPECT_EQ(record.at("League"), c.league);
  EXPECT_EQ(record.at("Age"), c.age);
  EXPECT_EQ(record.at("BankBalance"), c.bankBalance);
}

INSTANTIATE_TEST_SUITE_P(
    Sim, SimSpecialNames,
    ::testing::Values(
        SpecialNameCase{"CashLord", "Cash Lord", "Dang... Well done", "Local Reserves", 14,
                        1000000000},
        SpecialNameCase{"IronBolt", "Iron Bolt", "Nice try mate ;)", "Local Reserves", 14, 15000},
        SpecialNameCase{"OvernightLegend", "Overnight Legend", "", "AFL", 14, 15000},
        SpecialNameCase{"OldTimerBloke", "Old Timer Bloke", "", "Local Reserves", 40, 1000000000},
        SpecialNameCase{"LetterCaseCounts", "cash lord", "", "Local Reserves", 14, 15000}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(SimNew, ASpecialNameShowsItsMessageEvenWhenTheAnswersAreRefused) {
  auto args = With(NewArgs("Cash Lord"), "--city", "");
  args.insert(args.begin(), {"--transcript", transcriptPath().string()});
  const SimRun run = Run(args);
  EXPECT_EQ(run.code, kExitRefused);
  // stderr names the refusal, not the special name's cheer.
  EXPECT_EQ(run.err, std::string(kFillOutMessage) + "\n");
  EXPECT_THAT(TranscriptLines(), ::testing::ElementsAre("message: " + std::string(kFillOutMessage),
                                                        "message: Dang... Well done"));
  EXPECT_THAT(DataFiles(), IsEmpty());
}

struct BadArgumentsCase {
  const char* label;
  std::vector<std::string> args;
  const char* errorPart;  // a part of what stderr must say
};
void PrintTo(const BadArgumentsCase& c, std::ostream* os) { *os << c.label; }

class SimBadArguments : public SimTest, public ::testing::WithParamInterface<BadArgumentsCase> {};

TEST_P(SimBadArguments, ExitTwoAndWriteNothing) {
  const SimRun run = Run(GetParam().args);
  EXPECT_EQ(run.code, kExitRefused);
  EXPECT_THAT(run.err, HasSubstr(GetParam().errorPart));
  EXPECT_THAT(DataFiles(), IsEmpty());
}

std::vector<std::string> NewWithSkills(const std::string& skills) {
  return With(NewArgs(), "--skills", skills);
}

INSTANTIATE_TEST_SUITE_P(
    Sim, SimBadArguments,
    ::testing::Values(
        BadArgumentsCase{"FourSkills", NewWithSkills("50,50,50,50"), "--skills"},
        BadArgumentsCase{"SixSkills", NewWithSkills("50,50,50,50,50,50"), "--skills"},
        BadArgumentsCase{"SkillZero", NewWithSkills("0,50,50,50,50"), "--skills"},
        BadArgumentsCase{"SkillAboveHundred", NewWithSkills("50,50,50,50,101"), "--skills"},
        BadArgumentsCase{"SkillNotANumber", NewWithSkills("50,fast,50,50,50"), "--skills"},
        BadArgumentsCase{"SkillWithDecimals", NewWithSkills("50,50.5,50,50,50"), "--skills"},
        BadArgumentsCase{"SkillMissing", NewWithSkills("50,,50,50,50"), "--skills"},
        BadArgumentsCase{"TrailingComma", NewWithSkills("50,50,50,50,50,"), "--skills"},
        BadArgumentsCase{"NoSkills", NewWithSkills(""), "--skills"},
        BadArgumentsCase{"HeightNotInTheList", With(NewArgs(), "--height", "206"), "--height"},
        BadArgumentsCase{"WeightNotInTheList", With(NewArgs(), "--weight", "59"), "--weight"},
        BadArgumentsCase{"NoCommand", {}, "subcommand"},
        BadArgumentsCase{"UnknownCommand", {"replay"}, "subcommand"},
        BadArgumentsCase{"UnknownOption", {"show", "--career", "Test1", "--fast"}, "--fast"},
        BadArgumentsCase{"ShowWithoutCareer", {"show"}, "--career"},
        BadArgumentsCase{"PlayWithoutWeeks", {"play", "--career", "Test1"}, "--weeks"},
        BadArgumentsCase{"PlayNoWeeks", {"play", "--career", "Test1", "--weeks", "0"}, "--weeks"},
        BadArgumentsCase{"PlayWithoutCareer", {"play", "--weeks", "1"}, "--career"},
        BadArgumentsCase{
            "ShowAPathOutsideTheFolder", {"show", "--career", "../Test1"}, kBadCareerNameMessage}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(SimNew, AMissingDataFolderIsRefused) {
  auto args = NewArgs();
  args.insert(args.begin(), {"--data-dir", (dir() / "nowhere").string()});
  const SimRun run = RunRaw(args);
  EXPECT_EQ(run.code, kExitRefused);
  EXPECT_THAT(run.err, HasSubstr("--data-dir"));
  EXPECT_FALSE(std::filesystem::exists(dir() / "nowhere"));
}

using SimShow = SimTest;

// The sentence the start screen shows for a save file that cannot be read.
std::string LoadError(const std::filesystem::path& folder, const std::string& file) {
  km::testing::ScriptedRandom random;
  km::testing::ScriptedPrompter prompter;
  Game game(random, prompter, DataFolder{folder});
  const auto result = game.LoadFrom(folder / file);
  EXPECT_EQ(result.outcome, Game::LoadOutcome::Failed);
  return result.error;
}

TEST_F(SimShow, AMissingSaveFileExitsThreeWithTheStartScreensSentence) {
  const SimRun run = Run({"show", "--career", "Nobody"});
  EXPECT_EQ(run.code, kExitUnreadableFile);
  EXPECT_THAT(run.out, IsEmpty());
  EXPECT_THAT(run.err, HasSubstr("Nobody.kms"));
  EXPECT_EQ(run.err, LoadError(dir(), "Nobody.kms") + "\n");
}

struct DamageCase {
  const char* label;
  int keepLines;    // lines of the good file kept (-1 keeps them all)
  int replaceLine;  // a line replaced by `replacement` (0 for none)
  const char* replacement;
};
void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.label; }

class SimDamagedSave : public SimTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(SimDamagedSave, ExitsThreeWithTheStartScreensSentence) {
  const DamageCase& c = GetParam();
  ASSERT_EQ(Run(NewArgs("Broken")).code, kExitOk);
  const std::filesystem::path file = dir() / "Broken.kms";

  std::istringstream good(ReadFile(file));
  std::string damaged;
  int number = 0;
  for (std::string line; std::getline(good, line);) {
    ++number;
    if (c.keepLines >= 0 && number > c.keepLines) break;
    damaged += (number == c.replaceLine ? std::string(c.replacement) + "\r" : line) + "\n";
  }
  std::ofstream(file, std::ios::binary | std::ios::trunc) << damaged;

  const SimRun run = Run({"show", "--career", "Broken"});
  EXPECT_EQ(run.code, kExitUnreadableFile);
  EXPECT_THAT(run.out, IsEmpty());
  EXPECT_THAT(run.err, HasSubstr("Broken.kms"));
  EXPECT_EQ(run.err, LoadError(dir(), "Broken.kms") + "\n");
}

INSTANTIATE_TEST_SUITE_P(Sim, SimDamagedSave,
                         ::testing::Values(DamageCase{"CutShort", 100, 0, ""},
                                           DamageCase{"Empty", 0, 0, ""},
                                           DamageCase{"TextWhereASwitchBelongs", -1, 48, "\"Yes\""},
                                           DamageCase{"LetterInABalance", -1, 29, "\"15k\""}),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace km::sim::testing
