// kickmark-sim's commands other than play: new through the setup screen's
// checks, show's record of the save, the transcript's lines, and the
// arguments and files it refuses.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "core/career_fields.h"
#include "core/new_career.h"
#include "game/game.h"
#include "sim/record_json.h"
#include "sim/transcript.h"
#include "sim_fixture.h"
#include "support/scripted_ports.h"

namespace km::sim::testing {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

using SimNew = SimTest;

TEST_F(SimNew, WritesTheSaveFileAndShowReadsTheCareerBack) {
  const SimRun made = Run(NewArgs("Test1"));
  ASSERT_EQ(made.code, kExitOk) << made.err;
  EXPECT_EQ(made.out, (dir() / "Test1.kms").string() + "\n");

  const SimRun shown = Run({"show", "--career", "Test1"});
  ASSERT_EQ(shown.code, kExitOk) << shown.err;
  const auto record = nlohmann::ordered_json::parse(shown.out);
  // A key per field in the record's order, each value of its kind's type.
  const auto fields = CareerFields();
  ASSERT_EQ(record.size(), fields.size());
  auto item = record.begin();
  for (const CareerField& field : fields) {
    EXPECT_EQ(item.key(), field.name);
    const auto& v = item.value();
    const bool typed = field.kind == FieldKind::Text     ? v.is_string()
                       : field.kind == FieldKind::Switch ? v.is_boolean()
                       : field.kind == FieldKind::Whole || field.kind == FieldKind::Bar
                           ? v.is_number_integer()
                           : v.is_number();
    EXPECT_TRUE(typed) << field.name << " is " << v.dump();
    ++item;
  }
  EXPECT_EQ(record.at("Name"), "Jack Riley");
  EXPECT_EQ(record.at("League"), "Local Reserves");
  EXPECT_EQ(record.at("BankBalance"), 15000);
  // --skills runs Kicking,Handballing,Tackling,Marking,Running; the save file
  // keeps the base skills with Marking before Tackling, so a swap shows here.
  for (const auto& [skill, value] : {std::pair{"Kicking", 60},
                                     {"Handballing", 55},
                                     {"Tackling", 40},
                                     {"Marking", 70},
                                     {"Running", 50}}) {
    EXPECT_EQ(record.at(skill), value) << skill;
    EXPECT_EQ(record.at(std::string("Setup") + skill), value) << skill;
  }
  EXPECT_EQ(record.at("Overall"), 55);  // (1.25 x (60 + 55) + 0.833 x 160) / 5 = 55.4
}

// Money keeps its cents and whole dollars stay whole, as the game shows them.
TEST(SimRecordJson, MoneyIsExact) {
  for (const Money amount : {Money::Dollars(15000), Money::Cents(24750), Money::Cents(-1)}) {
    Career career = Career::Create();
    career.BankBalance = amount;
    const auto balance = CareerJson(career).at("BankBalance");
    EXPECT_EQ(balance.is_number_integer(), amount.cents() % 100 == 0) << balance.dump();
    EXPECT_EQ(balance.dump(), amount.ToString());
  }
}

TEST(SimTranscript, EachEntryIsOneLineInItsFormat) {
  for (const auto& [text, written] : {std::pair{"two\r\nlines", "two\\nlines"},
                                      {"two\nlines\r", "two\\nlines\\n"},
                                      {"C:\\kick", "C:\\\\kick"},
                                      {"", ""}}) {
    EXPECT_EQ(EscapeForTranscript(text), written) << text;
  }
  std::ostringstream out;
  TranscriptPrompter prompter(&out);
  prompter.inform("Dang... Well done", kProgramTitle);
  prompter.inform("You are injured", "Injury");
  EXPECT_FALSE(prompter.askYesNo("Bet $50?", "Bet", Icon::Question));
  prompter.publish(Story{"The Herald", "Rookie signs", "Line one\r\nLine two"});
  EXPECT_FALSE(prompter.chooseFileToOpen("Kickmark Save files (*.kms)|*.kms", ".").has_value());
  prompter.note("buy", "training Kicking 3 units for $4500");
  EXPECT_EQ(out.str(),
            "message: Dang... Well done\n"
            "message [Injury]: You are injured\n"
            "question [Bet]: Bet $50? -> No\n"
            "story: The Herald | Rookie signs | Line one\\nLine two\n"
            "open: Kickmark Save files (*.kms)|*.kms -> Cancel\n"
            "buy: training Kicking 3 units for $4500\n");
  EXPECT_EQ(prompter.messages(),
            (std::vector<std::string>{"Dang... Well done", "You are injured"}));
}

// Arguments kickmark-sim refuses and answers the setup screen refuses: exit 2
// and no file. A refusal of the setup screen is its message alone on stderr,
// and the transcript has it as the game's message box.
struct RefusalCase {
  const char* label;
  std::vector<std::string> args;
  const char* errorPart;  // a part of what stderr must say
  bool setupScreen = false;
};
void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.label; }

class SimRefused : public SimTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(SimRefused, ExitTwoAndWriteNothing) {
  const RefusalCase& c = GetParam();
  const SimRun run = Run(c.args);
  EXPECT_EQ(run.code, kExitRefused);
  EXPECT_THAT(run.err, HasSubstr(c.errorPart));
  EXPECT_THAT(run.out, IsEmpty());
  EXPECT_THAT(DataFiles(), IsEmpty());
  if (c.setupScreen) {
    EXPECT_EQ(run.err, std::string(c.errorPart) + "\n");
    EXPECT_THAT(TranscriptLines(), Contains("message: " + std::string(c.errorPart)));
  }
}

std::vector<std::string> Play(std::vector<std::string> goal) {
  goal.insert(goal.begin(), {"play", "--career", "Test1"});
  return goal;
}

INSTANTIATE_TEST_SUITE_P(
    Sim, SimRefused,
    ::testing::Values(
        RefusalCase{"EmptyCareer", With(NewArgs(), "--career", ""), kCareerNameMessage, true},
        RefusalCase{"StateInLowerCase", With(NewArgs(), "--state", "victoria"), kFillOutMessage,
                    true},
        // stderr names the refusal, not the special name's cheer that follows it.
        RefusalCase{"SpecialNameRefused", With(NewArgs("Cash Lord"), "--city", ""), kFillOutMessage,
                    true},
        // The setup screen's own sentences for a name no file can hold.
        RefusalCase{"NameTooLongForItsFiles", With(NewArgs(), "--name", std::string(229, 'n')),
                    "The name is too long to be used as a file name (the player's history files "
                    "are named after him). Please use a shorter name: at most 228 characters, "
                    "fewer with accented letters or symbols.",
                    true},
        RefusalCase{"NameOutsideWindows1252", With(NewArgs(), "--name", "\xc5\x81ukasz"),
                    "The name contains characters that cannot be saved (only the letters of "
                    "Western European languages can be used): \xc5\x81",
                    true},
        RefusalCase{"FourSkills", With(NewArgs(), "--skills", "50,50,50,50"), "--skills"},
        RefusalCase{"SkillAbove100", With(NewArgs(), "--skills", "50,50,50,50,101"), "--skills"},
        RefusalCase{"TrailingComma", With(NewArgs(), "--skills", "50,50,50,50,50,"), "--skills"},
        RefusalCase{"NoCommand", {}, "subcommand"},
        RefusalCase{"PlayWithoutAGoal", Play({}), "--weeks N, --seasons N or --to-end"},
        RefusalCase{"PlayNoWeeks", Play({"--weeks", "0"}), "--weeks"},
        RefusalCase{"PlayWeeksAndSeasons", Play({"--weeks", "2", "--seasons", "1"}), "excludes"},
        RefusalCase{"PlaySeasonsToTheEnd", Play({"--seasons", "2", "--to-end"}), "excludes"},
        RefusalCase{"PlayUnknownPolicy", Play({"--to-end", "--policy", "lazy"}), "--policy"},
        RefusalCase{"PlayWithoutCareer", {"play", "--weeks", "1"}, "--career"},
        RefusalCase{
            "ShowAPathOutsideTheFolder", {"show", "--career", "../Test1"}, kBadCareerNameMessage},
        RefusalCase{"ShowACareerNameOutsideWindows1252",
                    {"show", "--career",
                     "\xc5\x81\xc3\xb3"
                     "d\xc5\xba"},
                    "The career file name contains characters that cannot be saved (only the "
                    "letters of Western European languages can be used): \xc5\x81 \xc5\xba"}),
    [](const auto& info) { return std::string(info.param.label); });

// A save file that cannot be read: exit 3 with the start screen's sentence.
class SimUnreadableSave : public SimTest, public ::testing::WithParamInterface<int> {};

TEST_P(SimUnreadableSave, ExitsThreeWithTheStartScreensSentence) {
  const int keepLines = GetParam();  // -1: no file at all
  if (keepLines >= 0) {
    ASSERT_EQ(Run(NewArgs("Broken")).code, kExitOk);
    const auto lines = Lines(ReadFile(dir() / "Broken.kms"));
    std::string cut;
    for (int i = 0; i < keepLines; ++i) cut += lines[static_cast<std::size_t>(i)] + "\r\n";
    std::ofstream(dir() / "Broken.kms", std::ios::binary | std::ios::trunc) << cut;
  }
  km::testing::ScriptedRandom random;
  km::testing::ScriptedPrompter prompter;
  Game game(random, prompter, DataFolder{dir()});
  const auto load = game.LoadFrom(dir() / "Broken.kms");
  ASSERT_EQ(load.outcome, Game::LoadOutcome::Failed);

  for (const char* command : {"show", "play"}) {
    std::vector<std::string> args = {command, "--career", "Broken"};
    if (std::string(command) == "play") args.emplace_back("--to-end");
    const SimRun run = Run(args);
    EXPECT_EQ(run.code, kExitUnreadableFile) << command;
    EXPECT_THAT(run.out, IsEmpty());
    EXPECT_EQ(run.err, load.error + "\n");
  }
}

INSTANTIATE_TEST_SUITE_P(Sim, SimUnreadableSave, ::testing::Values(-1, 0, 100));

}  // namespace
}  // namespace km::sim::testing
