// SPDX-License-Identifier: GPL-3.0-or-later
// Names and text files at the edges: encodings told, letters Windows-1252 does not hold, names
// too long for their files, saves in UTF-8 and UTF-16.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <tuple>
#include <variant>

#include "core/file_names.h"
#include "core/new_career.h"
#include "core/save_file.h"
#include "core/text_file.h"
#include "game/game.h"
#include "season/fixture.h"
#include "support/playing.h"
#include "support/scripted_ports.h"
#include "support/temp_folder.h"

namespace km {
namespace {

namespace fs = std::filesystem;
using testing::YesPrompter;
using namespace std::string_literals;

// Told by the byte order mark, else by NULs at every other place of the first 64 bytes (in at
// least one pair in two), else by being UTF-8 with a byte of 0x80 or more.
TEST(TextFiles, EncodingIsToldByTheMarkTheNulsOrTheUtf8) {
  constexpr auto W = Encoding::Windows1252;
  constexpr auto U8 = Encoding::Utf8;
  constexpr auto U16 = Encoding::Utf16;
  const std::tuple<std::string, Encoding, std::size_t> cases[] = {
      // bytes, encoding, mark
      // clang-format off
      {"", W, 0}, {"\"Jack\"\r\n", W, 0}, {"\"Jos\xe9\"", W, 0}, {"\"Jos\xc3\xa9\"", U8, 0},
      {"\xef\xbb\xbf\"Jack\"", U8, 3}, {"\xff\xfe\"\0J\0"s, U16, 2}, {"\xfe\xff\0\"\0J"s, U16, 2},
      {"a\0b\0c\0d\0"s, U16, 0}, {"\0a\0b\0c\0d"s, U16, 0},
      {"a\0bcd\0ef"s, U16, 0},  // two NULs in four pairs
      {"a\0bcdefg"s, W, 0},     // one in four
      {"a\0\0bcdef"s, W, 0},    // NULs at both places
      {std::string(64, 'a') + "\0b\0c\0d\0e"s, W, 0},
      // clang-format on
  };
  for (const auto& [bytes, encoding, mark] : cases) {
    EXPECT_EQ(DetectEncoding(bytes).encoding, encoding) << bytes;
    EXPECT_EQ(DetectEncoding(bytes).markLength, mark) << bytes;
  }
}

// At the edge of every range of a sequence's bytes: no overlong form, surrogate or past U+10FFFF.
TEST(TextFiles, Utf8AtTheEdgesOfItsRanges) {
  const std::pair<std::string, bool> cases[] = {
      // bytes, and whether they are UTF-8
      // clang-format off
      {"", true},
      {"\xc2\x80", true},         {"\xdf\xbf", true},         {"\xc1\xbf", false},
      {"\xc2\x7f", false},        {"\xc2\xc0", false},        {"\xc3", false},
      {"\xe0\xa0\x80", true},     {"\xe0\x9f\xbf", false},    {"\xed\x9f\xbf", true},
      {"\xed\xa0\x80", false},    {"\xef\xbf\xbf", true},     {"\xe1\x80\xc0", false},
      {"\xe1\x80", false},        {"\xf0\x90\x80\x80", true}, {"\xf0\x8f\xbf\xbf", false},
      {"\xf4\x8f\xbf\xbf", true}, {"\xf4\x90\x80\x80", false}, {"\xf5\x80\x80\x80", false},
      {"abcdefg\xffghijklmn", false}, {"abcdefgh\xc3\xa9ghijklmn", true},
      // clang-format on
  };
  for (const auto& [bytes, utf8] : cases) EXPECT_EQ(IsUtf8(bytes), utf8) << bytes;
  // Past a run of ASCII the letters are converted all the same.
  EXPECT_EQ(FromWindows1252("abcdefghij\xe9"), "abcdefghij\xc3\xa9");
  EXPECT_EQ(ToWindows1252("abcdefghij\xc3\xa9\xe2\x98\x83"), "abcdefghij\xe9?");
}

// Names and saves at the edges of what files hold. A row is a career's two names and either the
// setup screen's Start with them or a load of their save as another program left it, then what
// the player is told. A career taken is saved, every file named after it written and the names
// read back; a save that loads is the career saved, and saves again as the game writes it.
SetupAnswers NamedAnswers(std::string careerName, std::string name) {
  return testing::Answers(std::move(careerName), std::move(name), "Bendigo", "Victoria", "Wing",
                          {60, 55, 40, 70, 50});
}

// The game's own save (Windows-1252) as another program saved it again.
using Resave = std::string (*)(const std::string& save);
std::string AsIs(const std::string& save) { return save; }
std::string Utf8(const std::string& save) { return FromWindows1252(save); }
std::string Utf8WithMark(const std::string& save) { return "\xef\xbb\xbf" + FromWindows1252(save); }
// The mark before the game's own bytes, as an editor that took them for UTF-8 leaves them.
std::string MarkBeforeWindows1252(const std::string& save) { return "\xef\xbb\xbf" + save; }
// UTF-16 of letters up to U+00FF, the only ones these saves hold: one unit of the same number.
std::string Utf16LittleEndian(const std::string& save) {
  std::string out = "\xff\xfe";
  for (const char byte : save) out += std::string{byte, '\0'};
  return out;
}
// UTF-8, with a Polish letter in the player's name: "Łukasz Müller".
std::string Utf8WithAPolishLetter(const std::string& save) {
  std::string text = FromWindows1252(save);
  text.replace(1, std::string("Jos\xc3\xa9").size(), "\xc5\x81ukasz");
  return text;
}

constexpr const char* kJose = "Jos\xc3\xa9 M\xc3\xbcller";  // José Müller
constexpr const char* kZoe = "Zo\xc3\xab's Career";         // Zoë's Career
constexpr const char* kMojibake = "Jos\xc3\x83\xc2\xa9";  // JosÃ©: é in UTF-8 read as Windows-1252
constexpr const char* kNotUtf8 =
    "The name is not valid UTF-8 text, so it cannot be saved. Please type it again.";
constexpr const char* kCannotSave =
    "The name contains characters that cannot be saved (only the letters of Western European "
    "languages can be used): ";
constexpr const char* kUtf16 =
    " is saved as UTF-16 text, which the game cannot read: save it again as Windows-1252 (ANSI) "
    "or UTF-8";

std::string TooLong(const char* subject, std::size_t most) {
  return std::string(subject) + " Please use a shorter name: at most " + std::to_string(most) +
         " characters, fewer with accented letters or symbols.";
}
const std::string kNameTooLong = TooLong(
    "The name is too long to be used as a file name (the player's history files are "
    "named after him).",
    228);
const std::string kCareerNameTooLong =
    TooLong("The career file name is too long to be used as the name of a file.", 236);

struct NameRow {
  const char* label;
  std::string careerName;
  std::string name;
  // Nothing: the setup screen's Start. Otherwise the career (unchecked, as an older game made
  // it) is saved, the save made over with this, and loaded.
  Resave resave = nullptr;
  std::string told{};    // what the player is told first, exactly; empty: nothing
  std::string readAs{};  // the player's name as a load reads it, when not as saved
};

void PrintTo(const NameRow& row, std::ostream* out) { *out << row.label; }

const NameRow kNameRows[] = {
    // The setup screen takes what its files hold.
    {"ApostropheSpaceAndAccents", "Zo\xc3\xab's F\xc3\xb6lder", "Zo\xc3\xab's F\xc3\xb6lder"},
    {"EuroSignAndCurlyQuote", "\xe2\x82\xac \xe2\x80\x99", "\xe2\x82\xac \xe2\x80\x99"},
    // A character no file name may hold, even beside a letter Windows-1252 does not hold.
    {"SlashAndAPolishLetter", "Career", "\xc5\x81ukasz/Jack", nullptr, kBadNameMessage},
    {"C1ControlCharacter", "Career", "a\xc2\x81", nullptr, kBadNameMessage},
    // Bytes that are no text: the simulator's command line can give them.
    {"OverlongEAcute", "Career", "Jos\xe0\x83\xa9", nullptr, kNotUtf8},
    {"BrokenSequence", "Career", "Zo\xc3", nullptr, kNotUtf8},
    // Letters Windows-1252 does not hold are named, each once.
    {"PolishLettersAndAnEmoji", "Career", "\xc5\x81ukasz \xc5\x81\xc3\xb3\xc5\xba \xf0\x9f\x98\x80",
     nullptr, kCannotSave + std::string("\xc5\x81 \xc5\xba \xf0\x9f\x98\x80")},
    {"CareerFileNameWithAPolishLetter", "\xc5\x81\xc3\xb3\xc5\xba", "Jack Dyer", nullptr,
     "The career file name contains characters that cannot be saved (only the letters of Western "
     "European languages can be used): \xc5\x81 \xc5\xba"},
    // Letters whose Windows-1252 bytes are UTF-8 would read back as others.
    {"LettersThatReadBackAsUtf8", "Career", kMojibake, nullptr,
     "The name cannot be saved as typed: the save file would read the letters \"\xc3\x83\xc2\xa9\" "
     "in it back as other letters. Please write them another way."},
    // Beside é (E9, no UTF-8 there) the save is no UTF-8 and reads back as written.
    {"SuchLettersBesideOthers", "Career", std::string(kMojibake) + " and Jos\xc3\xa9"},
    // The longest names give temporary files ".NAME Season History.txt.XXXXXX" and
    // ".CAREERFixture.kmf.XXXXXX" of 255 bytes. Bytes count, not letters: é takes two.
    {"NameOf228Bytes", "Long", std::string(228, 'n')},
    {"NameOf229Bytes", "Long", std::string(229, 'n'), nullptr, kNameTooLong},
    {"NameOf114EAcutesAndALetter", "Long",
     [] {
       std::string n;
       for (int i = 0; i < 114; ++i) n += "\xc3\xa9";
       return n + "n";
     }(),
     nullptr, kNameTooLong},
    {"CareerNameOf236Bytes", std::string(236, 'c'), "Jack Dyer"},
    {"CareerNameOf237Bytes", std::string(237, 'c'), "Jack Dyer", nullptr, kCareerNameTooLong},

    // Saves as another program left them.
    {"SaveAsTheGameWritesIt", kZoe, kJose, AsIs},
    {"SaveInUtf8", kZoe, kJose, Utf8},
    {"SaveInUtf8WithItsMark", kZoe, kJose, Utf8WithMark},
    {"MarkBeforeWindows1252", kZoe, kJose, MarkBeforeWindows1252,
     std::string(kZoe) + ".kms, line 1: expected UTF-8 text, as the file starts with the UTF-8 "
                         "byte order mark"},
    {"SaveInUtf16LittleEndian", kZoe, kJose, Utf16LittleEndian,
     std::string(kZoe) + ".kms" + kUtf16},
    {"SaveInUtf8WithAPolishLetter", kZoe, kJose, Utf8WithAPolishLetter,
     std::string(kZoe) + ".kms, line 1: the text holds \xc5\x81, which the game cannot save: only "
                         "the letters of Western European languages (Windows-1252) can be used"},
    // An older game took such a name; its save is UTF-8 as well, and read as that.
    {"OldSaveThatIsUtf8Too", "Old Save", kMojibake, AsIs, "", "Jos\xc3\xa9"},
    // In UTF-8 the name reads as letters the game would write as UTF-8.
    {"SaveInUtf8WithLettersThatReadBackAsUtf8", "Old Save", kMojibake, Utf8,
     "Old Save.kms, line 1: the game would save \"Jos\xc3\x83\xc2\xa9\" as text that reads back as "
     "\"Jos\xc3\xa9\""},
    {"SaveWithANameOf229Bytes", "Long", std::string(229, 'n'), AsIs,
     "Long.kms, line 1: expected a name of at most 228 bytes, so that the files named after it "
     "fit the file system, but it has 229"},
};

class OddNameRow : public ::testing::TestWithParam<NameRow> {};

// Start with the row's names, the first save, then every other file named after the career and
// the player; stops at the first step the player is told of.
void StartAndWriteEveryFile(const NameRow& row, const fs::path& folder, Game& game) {
  if (!game.StartNewCareer(NamedAnswers(row.careerName, row.name)) || !game.PrepareFirstContract())
    return;
  game.ClickOffer(1, game.contracts().rows[0].club);
  game.Sign();
  ASSERT_TRUE(game.CloseContracts());
  if (!game.Save()) return;
  for (const fs::path& file :
       {ResultsPath(folder, game.career()), folder / (row.careerName + std::string(kLockEnding)),
        folder / (row.name + " Season History.txt"), folder / (row.name + " Career History.txt")}) {
    if (const auto error = WriteFileAtomically(file, "written\r\n"))
      return game.prompter().inform(*error);
  }
}

TEST_P(OddNameRow, IsTakenAndReadBackOrRefusedWithWhatIsWrong) {
  const NameRow& row = GetParam();
  const testing::TempFolder temp;
  const fs::path folder = temp.path / "data";
  fs::create_directories(folder);
  TwisterRandom random(38);
  YesPrompter prompter;
  Game game(random, prompter, DataFolder{folder});
  const fs::path save = folder / (row.careerName + ".kms");
  auto files = [&] {
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
  };
  if (!row.resave) {
    StartAndWriteEveryFile(row, folder, game);
    if (HasFatalFailure()) return;
    if (!row.told.empty()) {
      ASSERT_FALSE(prompter.messages.empty()) << "nothing was told";
      EXPECT_EQ(prompter.messages.front(), row.told);
      return;
    }
    ASSERT_EQ(prompter.messages, std::vector<std::string>{});
    EXPECT_EQ(files(), 6);  // the six files, and no temporary file left beside them
    const auto back = LoadCareer(save);
    ASSERT_TRUE(std::holds_alternative<Career>(back)) << std::get<FileError>(back).message;
    EXPECT_EQ(std::tie(std::get<Career>(back).Name, std::get<Career>(back).CareerName),
              std::tie(row.name, row.careerName));
    return;
  }

  Career saved = CreateCareer(NamedAnswers(row.careerName, row.name));
  std::tie(saved.Goals, saved.BankBalance, saved.TeamBehinds) =
      std::tuple(31, *Money::Parse("48210.5"), 17);
  const auto notSaved = SaveCareer(folder, saved);
  ASSERT_FALSE(notSaved.has_value()) << notSaved->message;
  const std::string resaved = row.resave(testing::ReadBytes(save));  // read before the truncation
  std::ofstream(save, std::ios::binary | std::ios::trunc) << resaved;

  const auto loaded = game.LoadFrom(save);
  if (!row.told.empty()) {
    EXPECT_EQ(loaded.outcome, Game::LoadOutcome::Failed);
    EXPECT_EQ(loaded.error, row.told);
    return;
  }
  ASSERT_EQ(loaded.outcome, Game::LoadOutcome::Loaded) << loaded.error;
  Career expected = saved;
  if (!row.readAs.empty()) expected.Name = row.readAs;
  EXPECT_EQ(game.career(), expected);
  // Saved again in Windows-1252, over the same file.
  ASSERT_TRUE(game.Save());
  EXPECT_EQ(testing::ReadBytes(save), SaveFileText(expected));
  EXPECT_EQ(files(), 2);  // the save and the career's lock, and no temporary file
}

INSTANTIATE_TEST_SUITE_P(OddNames, OddNameRow, ::testing::ValuesIn(kNameRows),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace km
