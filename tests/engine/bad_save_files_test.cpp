// Hand-made save files that are not what the game writes, loaded over a
// running career. A file the loader cannot take is refused with a sentence
// that names the file and says what was wrong, and the running career stays
// exactly as it was; the few odd files it does take are read as written.
// Saves in UTF-8 and UTF-16 are among the odd names' rows (odd_names_test).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

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

SetupAnswers Answers(const std::string& careerName, const std::string& name) {
  return testing::Answers(careerName, name, "Perth", "Western Australia", "Ruck",
                          {40, 50, 60, 70, 80});
}

// The career in the files: another player's, some way into his career.
Career FileCareer() {
  Career c = CreateCareer(Answers("other", "Polly Farmer"));
  c.Goals = 31;
  c.BankBalance = *Money::Parse("48210.5");
  c.ContractOpen = true;
  return c;
}

std::vector<std::string> SaveLines() {
  const std::string text = SaveFileText(FileCareer());
  std::vector<std::string> lines;
  for (std::size_t pos = 0; pos < text.size();) {
    const auto end = text.find("\r\n", pos);
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines, const char* end = "\r\n") {
  std::string text;
  for (const auto& line : lines) text += line + end;
  return text;
}

// The file's text made from the 491 lines of FileCareer's save.
using MakeText = std::function<std::string(std::vector<std::string> lines)>;
MakeText Replace(std::size_t line, std::string value) {
  return [line, value](std::vector<std::string> lines) {
    lines[line - 1] = value;
    return Join(lines);
  };
}

enum class Place { File, Folder, Unreadable, Missing };

struct BadSave {
  const char* label;
  const char* fileName;
  Place place;
  MakeText text;
  // Failed: what the sentence must say besides the file's name. Loaded: the
  // check of the loaded career against the bytes of the file.
  std::vector<std::string> says;
  std::function<void(const Career& loaded, const std::string& bytes)> loaded;
};

const std::string kTenMegabytes(10 * 1024 * 1024, '7');

const BadSave kBadSaves[] = {
    {"Empty",
     "empty.kms",
     Place::File,
     [](auto) { return std::string(); },
     {"line 1: the file ends here, but a career file has 491 lines"},
     nullptr},
    {"Only490Lines",
     "short.kms",
     Place::File,
     [](std::vector<std::string> lines) {
       lines.pop_back();
       return Join(lines);
     },
     {"line 491: the file ends here, but a career file has 491 lines"},
     nullptr},
    {"SwitchHoldingText",
     "switch.kms",
     Place::File,
     Replace(48, "\"Yes please\""),
     {"line 48: expected #TRUE# or #FALSE#"},
     nullptr},
    {"SwitchInLowerCase",
     "lower.kms",
     Place::File,
     Replace(52, "#true#"),
     {"line 52: expected #TRUE# or #FALSE#"},
     nullptr},
    {"NumberHoldingText",
     "number.kms",
     Place::File,
     Replace(17, "\"thirty-one\""),
     {"line 17: expected a whole number in double quotes"},
     nullptr},
    {"MoneyHoldingText",
     "money.kms",
     Place::File,
     Replace(29, "\"$48,210\""),
     {"line 29: expected an amount of dollars in double quotes"},
     nullptr},
    {"BarOutOfRange",
     "bar.kms",
     Place::File,
     Replace(41, "250"),
     {"line 41: expected a whole number from 0 to 100"},
     nullptr},
    {"TenMegabyteNumberLine",
     "huge.kms",
     Place::File,
     Replace(29, '"' + kTenMegabytes + '"'),
     {"line 29: the line is 10485762 characters long", "no value of a career file is longer"},
     nullptr},
    {"TenMegabyteLastLineWithoutEnd",
     "tail.kms",
     Place::File,
     [](std::vector<std::string> lines) {
       lines.pop_back();
       return Join(lines) + kTenMegabytes;
     },
     {"line 491: the line is 10485760 characters long"},
     nullptr},
    {"CarriageReturnsOnly",
     "mac.kms",
     Place::File,
     [](std::vector<std::string> lines) { return Join(lines, "\r"); },
     {"line 1: the line is", "characters long"},
     nullptr},
    // The save and season files are named after the career and the history
    // files after the player: a name with a path in it would write outside
    // the data folder.
    {"CareerNameThatLeavesTheFolder",
     "escape.kms",
     Place::File,
     Replace(389, "\"../../escape\""),
     {"line 389: expected a name without any of"},
     nullptr},
    {"NameWithQuotes",
     "quotes.kms",
     Place::File,
     Replace(1, "\"Polly \"The Bird\" Farmer\""),
     {"line 1: expected a name without any of"},
     nullptr},
    // The competition picks the clubs of every week, and until the finals
    // every club of the ladder has played as often as every other.
    {"LeagueThatIsNoCompetition",
     "league.kms",
     Place::File,
     Replace(4, "\"Local Reservez\""),
     {"line 4: expected the competition"},
     nullptr},
    {"LadderRowThatPlayedOnceMore",
     "ladder.kms",
     Place::File,
     Replace(413, "\"1\""),
     {"line 413: the ladder's Eighth row", "has played 1 matches"},
     nullptr},
    // Any other rule that holds between weeks is named.
    {"SkillBelowOne",
     "skill.kms",
     Place::File,
     Replace(9, "\"0\""),
     {"is no career the game can go on with: Kicking is 0, outside 1..200"},
     nullptr},
    {"NameWithAControlByte",
     "control.kms",
     Place::File,
     Replace(1, "\"Polly\x81\""),
     {"line 1: expected a name without any of"},
     nullptr},
    {"Folder", "folder.kms", Place::Folder, nullptr, {"is a folder, not a file"}, nullptr},
    {"Unreadable",
     "locked.kms",
     Place::Unreadable,
     [](auto lines) { return Join(lines); },
     {"cannot be opened: Permission denied"},
     nullptr},
    {"Missing", "missing.kms", Place::Missing, nullptr, {"cannot be opened"}, nullptr},

    // Files the loader takes. Lines that end in a bare line feed, as an
    // editor may leave them, read as the same career.
    {"LineFeedsOnly",
     "unix.kms",
     Place::File,
     [](std::vector<std::string> lines) { return Join(lines, "\n"); },
     {},
     [](const Career& loaded, const std::string&) { EXPECT_EQ(loaded, FileCareer()); }},
};

void PrintTo(const BadSave& row, std::ostream* out) { *out << row.label; }

class BadSaveFile : public ::testing::TestWithParam<BadSave> {};

TEST_P(BadSaveFile, IsRefusedWithItsReasonOrReadAsWritten) {
  const BadSave& row = GetParam();
  TempFolder folder;
  const fs::path file = folder.path / row.fileName;
  std::string bytes;
  if (row.text) {
    bytes = row.text(SaveLines());
    std::ofstream(file, std::ios::binary) << bytes;
  }
  if (row.place == Place::Folder) fs::create_directory(file);
  if (row.place == Place::Unreadable) {
    fs::permissions(file, fs::perms::none);
    if (std::ifstream(file).is_open()) {
      GTEST_SKIP() << "the file can be read without read permission (running as root or with "
                      "CAP_DAC_OVERRIDE), so this case cannot happen here";
    }
  }

  ScriptedRandom random;
  ScriptedPrompter prompter;
  Game game(random, prompter, DataFolder{folder.path});
  game.Adopt(CreateCareer(Answers("running", "Jack Dyer")));
  game.career().Goals = 7;
  const std::string before = SaveFileText(game.career());

  const auto result = game.LoadFrom(file);
  if (row.loaded) {
    ASSERT_EQ(result.outcome, Game::LoadOutcome::Loaded) << result.error;
    row.loaded(game.career(), bytes);
    return;
  }
  EXPECT_EQ(result.outcome, Game::LoadOutcome::Failed);
  EXPECT_TRUE(result.error.starts_with(row.fileName)) << result.error;
  for (const std::string& piece : row.says) {
    EXPECT_NE(result.error.find(piece), std::string::npos)
        << "\"" << result.error << "\" does not say \"" << piece << "\"";
  }
  EXPECT_EQ(SaveFileText(game.career()), before) << "the running career changed";
}

INSTANTIATE_TEST_SUITE_P(SaveFile, BadSaveFile, ::testing::ValuesIn(kBadSaves),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace km
