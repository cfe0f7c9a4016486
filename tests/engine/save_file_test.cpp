#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/career_fields.h"
#include "core/new_career.h"
#include "core/save_file.h"
#include "game/game.h"
#include "support/playing.h"
#include "support/scripted_ports.h"
#include "support/temp_folder.h"

namespace km {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedPrompter;
using testing::ScriptedRandom;
using testing::TempFolder;

SetupAnswers Answers() {
  return testing::Answers("career1", "Jack Dyer", "Richmond", "Victoria", "Centre",
                          {11, 22, 33, 44, 55});
}

// The file's lines without their CRLF ends; fails the test on a bare LF.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto end = text.find("\r\n", pos);
    EXPECT_NE(end, std::string::npos) << "the last line has no CRLF";
    if (end == std::string::npos) break;
    const std::string line = text.substr(pos, end - pos);
    EXPECT_EQ(line.find('\n'), std::string::npos) << "a bare line feed in " << line;
    lines.push_back(line);
    pos = end + 2;
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines, const char* end = "\r\n") {
  std::string text;
  for (const auto& line : lines) text += line + end;
  return text;
}

TEST(SaveFile, NewCareerGoldenLines) {
  const auto lines = Lines(SaveFileText(CreateCareer(Answers())));
  ASSERT_EQ(lines.size(), 491u);
  const auto at = [&](int n) { return lines[static_cast<std::size_t>(n - 1)]; };
  EXPECT_EQ(at(1), "\"Jack Dyer\"");
  EXPECT_EQ(at(2), "\"Club Here\"");
  EXPECT_EQ(at(4), "\"Local Reserves\"");
  EXPECT_EQ(at(7), "\"14\"");
  EXPECT_EQ(at(11), "\"33\"");  // Tackling
  EXPECT_EQ(at(12), "\"44\"");  // Marking
  EXPECT_EQ(at(21), "\"0\"");   // an average before any match is 0
  EXPECT_EQ(at(24), "\"0\"");
  EXPECT_EQ(at(27), "\"775\"");
  EXPECT_EQ(at(29), "\"15000\"");
  for (int n = 30; n <= 47; n += 2) {
    EXPECT_EQ(at(n), "\"100\"") << n;
    EXPECT_EQ(at(n + 1), "100") << n + 1;
  }
  EXPECT_EQ(at(48), "#TRUE#");
  EXPECT_EQ(at(50), "#TRUE#");
  EXPECT_EQ(at(51), "\"Select Team By Clicking on Their Name\"");
  EXPECT_EQ(at(52), "#FALSE#");
  EXPECT_EQ(at(53), "\"None\"");
  // Boots offers: Bob's Bakery enabled and chosen, the rest neither.
  EXPECT_EQ(at(57), "#TRUE#");
  EXPECT_EQ(at(58), "#TRUE#");
  for (int n = 59; n <= 88; ++n) EXPECT_EQ(at(n), "#FALSE#") << n;
  EXPECT_EQ(at(89), "\"100\"");
  EXPECT_EQ(at(104), "\"5500\"");  // Nike's boots offer
  EXPECT_EQ(at(105), "#TRUE#");    // jumper screen
  EXPECT_EQ(at(137), "\"50\"");
  EXPECT_EQ(at(185), "\"500\"");  // major screen
  EXPECT_EQ(at(297), "\"Bob's Bakery\"");
  EXPECT_EQ(at(298), "\"100\"");
  EXPECT_EQ(at(302), "\"400\"");  // the major deal
  EXPECT_EQ(at(306), "\"25\"");   // the socks deal
  EXPECT_EQ(at(313), "\"0\"");    // LocalAverageDisposals, before any match
  EXPECT_EQ(at(373), "\"Bob's Bakery\"");
  // The base skills keep Marking before Tackling.
  EXPECT_EQ(at(378), "\"11\"");
  EXPECT_EQ(at(379), "\"22\"");
  EXPECT_EQ(at(380), "\"44\"");
  EXPECT_EQ(at(381), "\"33\"");
  EXPECT_EQ(at(382), "\"55\"");
  EXPECT_EQ(at(383), "\"" + std::to_string(OverallOf(11, 22, 33, 44, 55)) + "\"");
  EXPECT_EQ(at(387), "\"Y\"");
  EXPECT_EQ(at(389), "\"career1\"");
  EXPECT_EQ(at(390), "\"First\"");
  EXPECT_EQ(at(405), "\"Sixteenth\"");
  EXPECT_EQ(at(406), "\"0\"");
  EXPECT_EQ(at(491), "\"0\"");
}

// A career in which every saved field holds a value unlike its new-career
// value and unlike every other field's, so a swapped pair of lines shows.
Career EveryFieldSet() {
  Career c = CreateCareer(Answers());
  int n = 0;
  for (const CareerField& field : CareerFields()) {
    ++n;
    if (!field.saved) continue;
    std::string value;
    switch (field.kind) {
      case FieldKind::Text:
        value = "T" + field.name;
        break;
      case FieldKind::Whole:
        value = std::to_string(1000 + n);
        break;
      case FieldKind::Decimal:
        value = DecimalPattern(field.name) == "##0.0#" ? std::to_string(n) + ".25"
                                                       : std::to_string(n) + ".5";
        break;
      case FieldKind::Money:
        value = std::to_string(n) + ".75";
        break;
      case FieldKind::Bar:
        value = std::to_string(n % 90 + 1);
        break;
      case FieldKind::Switch:
        field.setSwitch(c, !field.getSwitch(c));
        continue;
    }
    EXPECT_TRUE(field.set(c, value)) << field.name;
  }
  return c;
}

TEST(SaveFile, EveryFieldRoundTrips) {
  Career original = EveryFieldSet();
  original.DraftDue = 1;
  original.SeasonMVP = "Y";
  const auto parsed = ParseSaveFile(SaveFileText(original), "x.kms");
  ASSERT_TRUE(std::holds_alternative<Career>(parsed)) << std::get<FileError>(parsed).message;
  const Career& back = std::get<Career>(parsed);
  for (const CareerField& field : CareerFields()) {
    if (field.saved) {
      EXPECT_EQ(field.get(back), field.get(original)) << field.name;
    }
  }
  // What is not saved comes back at its new-career value.
  EXPECT_EQ(back.DraftDue, 0);
  EXPECT_EQ(back.SeasonMVP, "N");
  Career expected = original;
  expected.DraftDue = 0;
  expected.SeasonMVP = "N";
  EXPECT_EQ(back, expected);
}

// Every line of the save stands where it always stood: a career whose
// values all differ, and whose switches alternate, is written
// as the file kept under tests/engine/data (a swapped pair of lines of the
// layout reads back whole, but every old save would load with two fields
// exchanged). KICKMARK_UPDATE_GOLDEN=1 writes the file anew after a change of
// the layout that is meant.
TEST(SaveFile, EveryLineStandsWhereItAlwaysStood) {
  Career c = EveryFieldSet();
  // The switches alternate in the order of the record's fields, which is
  // not the file's: neighbouring switch lines differ all the same.
  bool on = true;
  for (const CareerField& field : CareerFields()) {
    if (!field.saved || field.kind != FieldKind::Switch) continue;
    field.setSwitch(c, on);
    on = !on;
  }
  const std::string text = SaveFileText(c);
  const fs::path golden = fs::path(KICKMARK_TEST_DATA) / "every_line.kms";
  if (std::getenv("KICKMARK_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(golden, std::ios::binary) << text;
  }
  std::ifstream in(golden, std::ios::binary);
  const std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(kept.empty()) << golden;
  const auto keptLines = Lines(kept);
  const auto lines = Lines(text);
  ASSERT_EQ(lines.size(), keptLines.size());
  for (std::size_t n = 0; n < lines.size(); ++n) {
    EXPECT_EQ(lines[n], keptLines[n]) << "line " << n + 1;
  }
}

TEST(SaveFile, WindowsCodePageNamesRoundTrip) {
  Career c = CreateCareer(Answers());
  c.Name = "Jos\xc3\xa9 M\xc3\xbcller \xe2\x82\xac";  // José Müller €
  const std::string text = SaveFileText(c);
  EXPECT_EQ(text.substr(0, 17), "\"Jos\xe9 M\xfcller \x80\"\r\n");
  const auto back = ParseSaveFile(text, "x.kms");
  ASSERT_TRUE(std::holds_alternative<Career>(back));
  EXPECT_EQ(std::get<Career>(back).Name, c.Name);
}

TEST(SaveFile, ReaderAcceptsLineFeedsAndIgnoresWhatFollowsLine491) {
  const Career c = EveryFieldSet();
  auto lines = Lines(SaveFileText(c));
  lines.push_back("\"anything at all\"");
  lines.push_back("#MAYBE#");
  for (const char* end : {"\r\n", "\n"}) {
    const auto back = ParseSaveFile(Join(lines, end), "x.kms");
    ASSERT_TRUE(std::holds_alternative<Career>(back)) << std::get<FileError>(back).message;
    EXPECT_EQ(std::get<Career>(back), c);
  }
  // The last line may lack its line end.
  std::string text = SaveFileText(c);
  text.resize(text.size() - 2);
  EXPECT_TRUE(std::holds_alternative<Career>(ParseSaveFile(text, "x.kms")));
}

TEST(SaveFile, BadFilesSayWhichLineAndWhatWasExpected) {
  const auto good = Lines(SaveFileText(CreateCareer(Answers())));
  const struct {
    int line;  // 1-based line to change; 0 cuts the file instead
    const char* value;
    const char* message;
  } cases[] = {
      {52, "\"True\"", "career1.kms, line 52: expected #TRUE# or #FALSE#"},
      {48, "#true#", "career1.kms, line 48: expected #TRUE# or #FALSE#"},
      {29, "\"lots\"", "career1.kms, line 29: expected an amount of dollars in double quotes"},
      {29, "15000", "career1.kms, line 29: expected an amount of dollars in double quotes"},
      {7, "\"fourteen\"", "career1.kms, line 7: expected a whole number in double quotes"},
      {21, "\"\"", "career1.kms, line 21: expected a number in double quotes"},
      {31, "\"100\"", "career1.kms, line 31: expected a whole number from 0 to 100"},
      {31, "101", "career1.kms, line 31: expected a whole number from 0 to 100"},
      {30, "\"-1\"",
       "career1.kms, line 30: expected a whole number from 0 to 100 in double quotes"},
      {1, "Jack Dyer", "career1.kms, line 1: expected a text in double quotes"},
      {0, nullptr, "career1.kms, line 491: the file ends here, but a career file has 491 lines"},
  };
  for (const auto& c : cases) {
    auto lines = good;
    if (c.line == 0) {
      lines.pop_back();
    } else {
      lines[static_cast<std::size_t>(c.line - 1)] = c.value;
    }
    const auto result = ParseSaveFile(Join(lines), "career1.kms");
    ASSERT_TRUE(std::holds_alternative<FileError>(result)) << c.message;
    EXPECT_EQ(std::get<FileError>(result).message, c.message);
  }
  const auto empty = ParseSaveFile("", "career1.kms");
  ASSERT_TRUE(std::holds_alternative<FileError>(empty));
  EXPECT_EQ(std::get<FileError>(empty).message,
            "career1.kms, line 1: the file ends here, but a career file has 491 lines");
}

TEST(SaveFile, SaveWritesCareerNameDotKmsAndLoadReadsItBack) {
  TempFolder folder;
  ScriptedRandom random;
  ScriptedPrompter prompter;
  Game game(random, prompter, DataFolder{folder.path});
  ASSERT_TRUE(game.StartNewCareer(Answers()));
  game.career().BankBalance = *Money::Parse("247.5");
  ASSERT_TRUE(game.Save());
  const fs::path file = folder.path / "career1.kms";
  ASSERT_TRUE(fs::exists(file));
  // Nothing but the save itself and the career's lock file is left in the
  // folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 2);

  // A save given another name on disk still saves under its stored name.
  fs::rename(file, folder.path / "renamed.kms");
  game.Quit();
  ASSERT_EQ(game.LoadFrom(folder.path / "renamed.kms").outcome, Game::LoadOutcome::Loaded);
  EXPECT_EQ(game.career().BankBalance.ToString(), "247.5");
  EXPECT_EQ(game.career().DraftDue, 0);
  ASSERT_TRUE(game.Save());
  EXPECT_TRUE(fs::exists(folder.path / "career1.kms"));
}

TEST(SaveFile, FailedLoadLeavesTheRunningCareerUntouched) {
  TempFolder folder;
  ScriptedRandom random;
  ScriptedPrompter prompter;
  Game game(random, prompter, DataFolder{folder.path});
  ASSERT_TRUE(game.StartNewCareer(Answers()));
  game.career().Goals = 7;
  const Career before = game.career();

  auto lines = Lines(SaveFileText(EveryFieldSet()));
  lines[51] = "\"text where a switch belongs\"";
  std::ofstream(folder.path / "bad.kms", std::ios::binary) << Join(lines);
  std::ofstream(folder.path / "short.kms", std::ios::binary) << "\"Jack\"\r\n";

  const struct {
    fs::path file;
    const char* error;
  } cases[] = {
      {folder.path / "bad.kms", "bad.kms, line 52: expected #TRUE# or #FALSE#"},
      {folder.path / "short.kms",
       "short.kms, line 2: the file ends here, but a career file has 491 lines"},
      {folder.path / "missing.kms", "missing.kms cannot be opened: No such file or directory"},
      {folder.path, nullptr},  // a folder is no save file
  };
  for (const auto& c : cases) {
    const auto result = game.LoadFrom(c.file);
    EXPECT_EQ(result.outcome, Game::LoadOutcome::Failed) << c.file;
    if (c.error) {
      EXPECT_EQ(result.error, c.error);
    }
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(game.career(), before) << c.file;
  }

  // Cancel in the file choice changes nothing either.
  EXPECT_EQ(game.LoadFromChoice().outcome, Game::LoadOutcome::Cancelled);
  prompter.files.push_back(folder.path / "bad.kms");
  EXPECT_EQ(game.LoadFromChoice().outcome, Game::LoadOutcome::Failed);
  EXPECT_EQ(game.career(), before);
}

TEST(SaveFile, SaveThatCannotBeWrittenIsReportedAndKeepsTheOldSave) {
  TempFolder folder;
  ScriptedRandom random;
  ScriptedPrompter prompter;
  Game game(random, prompter, DataFolder{folder.path});
  ASSERT_TRUE(game.StartNewCareer(Answers()));
  ASSERT_TRUE(game.Save());
  const auto old = SaveFileText(game.career());

  // The save's own name taken by a folder: the rename over it fails.
  game.career().CareerName = "blocked";
  fs::create_directories(folder.path / "blocked.kms" / "inside");
  game.career().Goals = 99;
  EXPECT_FALSE(game.Save());
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_NE(prompter.messages[0].text.find("blocked.kms"), std::string::npos);
  // No temporary file is left behind (only the save and the lock file), and
  // the earlier save is whole.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 3);
  std::ifstream in(folder.path / "career1.kms", std::ios::binary);
  const std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(kept, old);

  // A data folder that does not exist.
  Game nowhere(random, prompter, DataFolder{folder.path / "no" / "such" / "folder"});
  nowhere.Adopt(game.career());
  EXPECT_FALSE(nowhere.Save());
  EXPECT_EQ(prompter.messages.size(), 2u);
}

}  // namespace
}  // namespace km
