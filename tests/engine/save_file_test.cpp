// SPDX-License-Identifier: GPL-3.0-or-later
// The save file: every line where it always stood, every field read back, and files the game
// did not write read as written or refused by file and reason, the running career untouched.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <tuple>
#include <variant>

#include "core/career_fields.h"
#include "core/invariants.h"
#include "core/new_career.h"
#include "core/save_file.h"
#include "game/game.h"
#include "support/playing.h"
#include "support/scripted_ports.h"
#include "support/temp_folder.h"

namespace km {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes, testing::ScriptedPrompter, testing::ScriptedRandom, testing::TempFolder;

SetupAnswers Answers(const std::string& careerName = "career1") {
  return testing::Answers(careerName, "Jack Dyer", "Richmond", "Victoria", "Centre",
                          {11, 22, 33, 44, 55});
}

// The file's lines without their CRLF ends; fails the test on a bare LF.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t pos = 0; pos < text.size();) {
    const auto end = text.find("\r\n", pos);
    EXPECT_NE(end, std::string::npos) << "the last line has no CRLF";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(pos, end - pos));
    EXPECT_EQ(lines.back().find('\n'), std::string::npos) << "a bare line feed";
    pos = end + 2;
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines, const char* end = "\r\n") {
  std::string text;
  for (const auto& line : lines) text += line + end;
  return text;
}

// A career in which every saved field holds a value unlike its new-career
// value and unlike every other field's, so a swapped pair of lines shows.
Career EveryFieldSet() {
  Career c = CreateCareer(Answers());
  int n = 0;
  for (const CareerField& field : CareerFields()) {
    ++n;
    if (!field.saved) continue;
    if (field.kind == FieldKind::Switch) {
      field.setSwitch(c, !field.getSwitch(c));
      continue;
    }
    const std::string number = std::to_string(n);
    const std::string value =
        field.kind == FieldKind::Text    ? "T" + field.name
        : field.kind == FieldKind::Whole ? std::to_string(1000 + n)
        : field.kind == FieldKind::Money ? number + ".75"
        : field.kind == FieldKind::Bar
            ? std::to_string(n % 90 + 1)
            : number + (DecimalPattern(field.name) == "##0.0#" ? ".25" : ".5");
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
  // What is not saved comes back at its new-career value.
  Career expected = original;
  expected.DraftDue = 0;
  expected.SeasonMVP = "N";
  EXPECT_EQ(std::get<Career>(parsed), expected);
}

// A career whose values all differ, its switches alternating, is written as the file kept under
// tests/engine/data: a swapped pair of lines reads back whole, but old saves would not.
// KICKMARK_UPDATE_GOLDEN=1 writes the file anew after a change of the layout that is meant.
TEST(SaveFile, EveryLineStandsWhereItAlwaysStood) {
  Career c = EveryFieldSet();
  // Alternating in the record's order, not the file's: neighbouring switch lines differ all the
  // same.
  bool on = true;
  for (const CareerField& field : CareerFields()) {
    if (!field.saved || field.kind != FieldKind::Switch) continue;
    field.setSwitch(c, on);
    on = !on;
  }
  const std::string text = SaveFileText(c);
  const fs::path golden = fs::path(KICKMARK_TEST_DATA) / "every_line.kms";
  if (std::getenv("KICKMARK_UPDATE_GOLDEN") != nullptr)
    std::ofstream(golden, std::ios::binary) << text;
  const std::string kept = ReadBytes(golden);
  ASSERT_FALSE(kept.empty()) << golden;
  const auto keptLines = Lines(kept);
  const auto lines = Lines(text);
  ASSERT_EQ(lines.size(), 491u);
  ASSERT_EQ(lines.size(), keptLines.size());
  for (std::size_t n = 0; n < lines.size(); ++n)
    EXPECT_EQ(lines[n], keptLines[n]) << "line " << n + 1;
}

// The career in the hand-made files: another player's, some way into his career.
Career FileCareer() {
  Career c = CreateCareer(testing::Answers("other", "Polly Farmer", "Perth", "Western Australia",
                                           "Ruck", {40, 50, 60, 70, 80}));
  c.Goals = 31;
  c.BankBalance = *Money::Parse("48210.5");
  c.ContractOpen = true;
  return c;
}

using MakeText = std::function<std::string(std::vector<std::string> lines)>;
MakeText Replace(std::size_t line, std::string value) {
  return [line, value](std::vector<std::string> lines) {
    lines[line - 1] = value;
    return Join(lines);
  };
}
std::string WithoutLastLine(std::vector<std::string> lines) {
  lines.pop_back();
  return Join(lines);
}

enum class Place { File, Folder, Unreadable, Missing };

const std::string kTenMegabytes(10 * 1024 * 1024, '7');

// Hand-made files loaded over a running career: refused with a sentence that starts with the
// file's name and says `says`, or (no `says`) read as the career written.
TEST(SaveFile, HandMadeFilesAreRefusedWithTheirReasonOrReadAsWritten) {
  const std::string ends = ": the file ends here, but a career file has 491 lines";
  const std::string dollars = ": expected an amount of dollars in double quotes";
  const std::string bar = ": expected a whole number from 0 to 100";
  const std::string name = ": expected a name without any of";
  const struct {
    const char* fileName;
    MakeText text;
    std::optional<std::string> says;  // none: loaded
    Place place = Place::File;
  } cases[] = {
      {"empty.kms", [](auto) { return std::string(); }, "line 1" + ends},
      {"short.kms", WithoutLastLine, "line 491" + ends},
      {"switch.kms", Replace(48, "\"Yes please\""), "line 48: expected #TRUE# or #FALSE#"},
      {"lower.kms", Replace(52, "#true#"), "line 52: expected #TRUE# or #FALSE#"},
      {"whole.kms", Replace(17, "\"thirty-one\""),
       "line 17: expected a whole number in double quotes"},
      {"decimal.kms", Replace(21, "\"\""), "line 21: expected a number in double quotes"},
      {"money.kms", Replace(29, "\"$48,210\""), "line 29" + dollars},
      {"bare.kms", Replace(29, "48210"), "line 29" + dollars},
      {"bar.kms", Replace(41, "250"), "line 41" + bar},
      {"quoted.kms", Replace(31, "\"100\""), "line 31" + bar},
      {"figure.kms", Replace(30, "\"-1\""), "line 30" + bar + " in double quotes"},
      {"text.kms", Replace(1, "Polly Farmer"), "line 1: expected a text in double quotes"},
      {"long.kms", Replace(29, '"' + std::string(5000, '1') + '"'),
       "line 29: the line is 5002 characters long, but no value of a career file is longer"},
      {"tail.kms", [](auto lines) { return WithoutLastLine(lines) + std::string(5000, 'x'); },
       "line 491: the line is 5000 characters long"},
      // Far more than any career's save is refused unread.
      {"huge.kms", Replace(29, '"' + kTenMegabytes + '"'),
       "is larger than any career's file can be (more than 1 MB)"},
      {"mac.kms", [](auto lines) { return Join(lines, "\r"); }, "line 1: the line is"},
      // Files are named after the career and the player: a path in a name writes elsewhere.
      {"escape.kms", Replace(389, "\"../../escape\""), "line 389" + name},
      {"quotes.kms", Replace(1, "\"Polly \"The Bird\" Farmer\""), "line 1" + name},
      {"control.kms", Replace(1, "\"Polly\x81\""), "line 1" + name},
      // The competition picks the week's clubs; before the finals every club has played alike.
      {"league.kms", Replace(4, "\"Local Reservez\""), "line 4: expected the competition"},
      {"ladder.kms", Replace(413, "\"1\""), "line 413: the ladder's Eighth row"},
      // Any other rule that holds between weeks is named.
      {"skill.kms", Replace(9, "\"0\""),
       "is no career the game can go on with: Kicking is 0, outside 1..200"},
      {"folder.kms", nullptr, "is a folder, not a file", Place::Folder},
      {"locked.kms", [](auto lines) { return Join(lines); }, "cannot be opened: Permission denied",
       Place::Unreadable},
      {"missing.kms", nullptr, "cannot be opened: No such file or directory", Place::Missing},
      // Bare line feeds, a last line without its end and anything after line 491 read the same.
      {"unix.kms", [](auto lines) { return Join(lines, "\n"); }, {}},
      {"unended.kms", [](auto lines) { return Join(lines).substr(0, Join(lines).size() - 2); }, {}},
      {"longer.kms",
       [](auto lines) { return Join(lines) + "\"anything at all\"\r\n#MAYBE#\r\n"; },
       {}},
  };
  std::vector<std::string> lines = Lines(SaveFileText(FileCareer()));
  for (const auto& k : cases) {
    SCOPED_TRACE(k.fileName);
    TempFolder folder;
    const fs::path file = folder.path / k.fileName;
    if (k.text) std::ofstream(file, std::ios::binary) << k.text(lines);
    if (k.place == Place::Folder) fs::create_directory(file);
    if (k.place == Place::Unreadable) {
      fs::permissions(file, fs::perms::none);
      if (std::ifstream(file).is_open()) continue;  // root reads it all the same
    }
    ScriptedRandom random;
    ScriptedPrompter prompter;
    Game game(random, prompter, DataFolder{folder.path});
    game.Adopt(CreateCareer(Answers("running")));
    game.career().Goals = 7;
    const Career before = game.career();

    const auto result = game.LoadFrom(file);
    if (!k.says) {
      ASSERT_EQ(result.outcome, Game::LoadOutcome::Loaded) << result.error;
      EXPECT_EQ(game.career(), FileCareer());
      continue;
    }
    EXPECT_EQ(result.outcome, Game::LoadOutcome::Failed);
    EXPECT_TRUE(result.error.starts_with(k.fileName)) << result.error;
    EXPECT_NE(result.error.find(*k.says), std::string::npos) << result.error;
    EXPECT_EQ(game.career(), before) << "the running career changed";
  }
}

struct Started {
  TempFolder folder;
  ScriptedRandom random;
  ScriptedPrompter prompter;
  Game game{random, prompter, DataFolder{folder.path}};
};
auto Count = [](const fs::path& folder) {
  return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
};

TEST(SaveFile, SaveWritesCareerNameDotKmsAndLoadReadsItBack) {
  Started s;
  auto& [folder, random, prompter, game] = s;
  ASSERT_TRUE(game.StartNewCareer(Answers()));
  game.career().BankBalance = *Money::Parse("247.5");
  ASSERT_TRUE(game.Save());
  const fs::path file = folder.path / "career1.kms";
  ASSERT_TRUE(fs::exists(file));
  // Nothing but the save itself and the career's lock file is left.
  EXPECT_EQ(Count(folder.path), 2);
  // A save given another name on disk still saves under its stored name.
  fs::rename(file, folder.path / "renamed.kms");
  game.Quit();
  ASSERT_EQ(game.LoadFrom(folder.path / "renamed.kms").outcome, Game::LoadOutcome::Loaded);
  EXPECT_EQ(game.career().BankBalance.ToString(), "247.5");
  ASSERT_TRUE(game.Save());
  EXPECT_TRUE(fs::exists(folder.path / "career1.kms"));
}

TEST(SaveFile, SaveThatCannotBeWrittenIsReportedAndKeepsTheOldSave) {
  Started s;
  auto& [folder, random, prompter, game] = s;
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
  // Only the save, the lock and the folder: no temporary file, and the earlier save whole.
  EXPECT_EQ(Count(folder.path), 3);
  EXPECT_EQ(ReadBytes(folder.path / "career1.kms"), old);
  // A data folder that does not exist.
  Game nowhere(random, prompter, DataFolder{folder.path / "no" / "such" / "folder"});
  nowhere.Adopt(game.career());
  EXPECT_FALSE(nowhere.Save());
  EXPECT_EQ(prompter.messages.size(), 2u);
}

// A real save cut short at every byte and with single bytes flipped: the reader gives a career
// that keeps every rule, or refuses by file and line; the sanitizers see no damage crash it.
TEST(DamagedSaveFile, EveryCutAndFlipIsReadWholeOrRefusedByLine) {
  constexpr const char* kFile = "Damaged Career.kms";
  // Every kind of line: letters outside ASCII, cents, decimals, switches both ways, a ladder.
  Career career =
      CreateCareer(testing::Answers("Damaged Career",
                                    "Ren\xc3\xa9 O'Br\xc3\xaf"
                                    "en",
                                    "Geelong", "Victoria", "Full Forward", {64, 58, 41, 77, 52}));
  career.Team = career.ContractTeam = "Spotswood";
  career.Matches = career.MatchesPlayed = career.ContractMatches = 6;
  std::tie(career.Goals, career.Behinds, career.Disposals, career.Boots, career.Fitness) =
      std::tuple{14, 9, 83, 72, 88};
  std::tie(career.AverageDisposals, career.AverageGoals, career.MatchRating) =
      std::tuple{13.8, 2.3, 31.4};
  career.BankBalance = *Money::Parse("15420.75");
  std::tie(career.PlayOpen, career.ContractOpen, career.ContractLength) =
      std::tuple{false, true, 2};
  for (int row = 0; row < static_cast<int>(career.Ladder.size()); ++row) {
    career.Ladder[static_cast<std::size_t>(row)] = {
        "Club " + std::to_string(row + 1), 6 - row / 3, row / 3, 0, 500 - 10 * row, 400 + 7 * row};
  }
  ASSERT_EQ(CheckInvariants(career), std::vector<std::string>{});
  const std::string text = SaveFileText(career);

  int taken = 0;
  int refused = 0;
  std::map<std::string, int> wrong;  // the first words of what went wrong, and how often
  const auto check = [&](const std::string& bytes, const std::string& damage) {
    const auto parsed = ReadCareer(bytes, kFile);
    if (const auto* error = std::get_if<FileError>(&parsed)) {
      ++refused;
      if (!error->message.starts_with(std::string(kFile) + ", line ") &&
          wrong[error->message.substr(0, 40)]++ == 0) {
        ADD_FAILURE() << damage << ": the sentence names no file and line: " << error->message;
      }
      return;
    }
    ++taken;
    const auto broken = CheckInvariants(std::get<Career>(parsed));
    if (!broken.empty() && wrong[broken[0].substr(0, 40)]++ == 0)
      ADD_FAILURE() << damage << ": read a career that breaks a rule: " << broken[0];
  };
  for (std::size_t size = 0; size < text.size(); ++size)
    check(text.substr(0, size), "cut at byte " + std::to_string(size));
  // The low bit makes a digit or letter its neighbour, 0x20 changes case and spaces, the high
  // bit makes Windows-1252 letters and breaks line ends.
  for (std::size_t at = 0; at < text.size(); ++at) {
    for (const unsigned char mask : std::array<unsigned char, 3>{0x01, 0x20, 0x80}) {
      std::string bytes = text;
      bytes[at] = static_cast<char>(static_cast<unsigned char>(bytes[at]) ^ mask);
      check(bytes, "byte " + std::to_string(at) + " flipped by " + std::to_string(mask));
    }
  }
  for (const auto& [kind, count] : wrong) ADD_FAILURE() << count << " times: " << kind;
  // Both outcomes happen: the test would mean little otherwise.
  EXPECT_GT(taken, 0);
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace km
