// A real save file cut short at every byte and with single bytes flipped:
// whatever the damage, the reader a load uses either gives a career that
// keeps every rule of the game, or refuses the file with a sentence that
// names it and the line. Under the sanitizers this also shows that no damage crashes it.

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "core/invariants.h"
#include "core/new_career.h"
#include "core/save_file.h"

namespace km {
namespace {

constexpr const char* kFile = "Damaged Career.kms";

// A career some way into a season, with something in every kind of line:
// letters outside ASCII, cents, decimals, switches both ways, a ladder.
Career SomeCareer() {
  SetupAnswers a;
  a.careerName = "Damaged Career";
  a.name =
      "Ren\xc3\xa9 O'Br\xc3\xaf"
      "en";
  a.city = "Geelong";
  a.state = "Victoria";
  a.position = "Full Forward";
  a.kicking = 64;
  a.handballing = 58;
  a.tackling = 41;
  a.marking = 77;
  a.running = 52;
  Career c = CreateCareer(a);
  c.Team = "Spotswood";
  c.Matches = 6;
  c.MatchesPlayed = 6;
  c.Goals = 14;
  c.Behinds = 9;
  c.Disposals = 83;
  c.AverageDisposals = 13.8;
  c.AverageGoals = 2.3;
  c.MatchRating = 31.4;
  c.BankBalance = *Money::Parse("15420.75");
  c.Boots = 72;
  c.Fitness = 88;
  c.PlayOpen = false;
  c.ContractOpen = true;
  c.ContractTeam = "Spotswood";
  c.ContractLength = 2;
  c.ContractMatches = 6;
  for (std::size_t row = 0; row < c.Ladder.size(); ++row) {
    c.Ladder[row].Team = "Club " + std::to_string(row + 1);
    c.Ladder[row].Wins = static_cast<int>(6 - row / 3);
    c.Ladder[row].Losses = static_cast<int>(row / 3);
    c.Ladder[row].For = static_cast<int>(500 - 10 * row);
    c.Ladder[row].Against = static_cast<int>(400 + 7 * row);
  }
  return c;
}

// The first words of what is wrong, for the summary when a case fails.
std::string Kind(const std::string& sentence) { return sentence.substr(0, 40); }

TEST(DamagedSaveFile, EveryCutAndFlipIsReadWholeOrRefusedByLine) {
  const Career career = SomeCareer();
  ASSERT_EQ(CheckInvariants(career), std::vector<std::string>{});
  const std::string text = SaveFileText(career);

  int taken = 0;
  int refused = 0;
  std::map<std::string, int> wrong;  // what went wrong, and how often
  const auto check = [&](const std::string& bytes, const std::string& damage) {
    const auto parsed = ReadCareer(bytes, kFile);
    if (const auto* error = std::get_if<FileError>(&parsed)) {
      ++refused;
      if (!error->message.starts_with(std::string(kFile) + ", line ")) {
        if (wrong[Kind(error->message)]++ == 0) {
          ADD_FAILURE() << damage << ": the sentence names no file and line: " << error->message;
        }
      }
      return;
    }
    ++taken;
    const auto broken = CheckInvariants(std::get<Career>(parsed));
    if (!broken.empty() && wrong[Kind(broken[0])]++ == 0) {
      ADD_FAILURE() << damage << ": read a career that breaks a rule: " << broken[0];
    }
  };

  for (std::size_t size = 0; size < text.size(); ++size) {
    check(text.substr(0, size), "cut at byte " + std::to_string(size));
  }
  // The low bit turns a digit or letter into its neighbour, 0x20 changes
  // letter case and spaces, the high bit makes Windows-1252 letters and
  // breaks line ends.
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
