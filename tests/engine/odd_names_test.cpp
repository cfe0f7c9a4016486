// Names as players type them: a data folder, a career file name and a player
// name with spaces, apostrophes and letters beyond ASCII that Windows-1252
// holds. A career under such names is made, signed, played for a season,
// saved and loaded back, and every file it writes is found under its name.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <variant>
#include <vector>

#include "core/game.h"
#include "core/invariants.h"
#include "core/new_career.h"
#include "core/save_file.h"
#include "season/fixture.h"
#include "support/playing.h"
#include "support/scripted_ports.h"
#include "support/temp_folder.h"
#include "week/sponsors.h"

namespace km {
namespace {

namespace fs = std::filesystem;

using testing::YesPrompter;

// One week as the hub, the round screen and the match screen play it; a
// contract that has run out is renewed with the first offer.
void PlayWeek(Game& game) {
  Career& c = game.career();
  if (game.run().sponsorHighlight) CloseSponsorship(c, game.run());
  if (!c.PlayOpen && c.ContractMatches < 1) {
    game.ClickOffer(1, game.contracts().rows[0].club);
    game.Sign();
  }
  ASSERT_TRUE(game.Play()) << "week " << game.career().Matches + 1;
  ASSERT_NE(game.round(), nullptr);
  testing::PlayTheRound(game);
  game.FinishRound();
}

TEST(OddNames, ACareerUnderThemIsPlayedSavedAndLoadedWithItsFilesWhereTheyBelong) {
  const testing::TempFolder temp;
  const fs::path folder = temp.path / "Footy's F\xc3\xb6lder 1";
  fs::create_directories(folder);
  const std::string careerName = "Zo\xc3\xab's Career 1";
  const std::string name =
      "S\xc3\xa9"
      "an O'Dwyer-M\xc3\xbcller";

  TwisterRandom random(1852);
  YesPrompter prompter;
  Game game(random, prompter, DataFolder{folder});
  SetupAnswers a;
  a.careerName = careerName;
  a.name = name;
  a.city = "Wagga Wagga";
  a.state = "New South Wales";
  a.position = "Centre-Half-Forward";
  a.kicking = a.marking = 80;
  a.handballing = a.tackling = a.running = 60;
  ASSERT_TRUE(game.StartNewCareer(a));
  ASSERT_TRUE(game.PrepareFirstContract());
  game.ClickOffer(1, game.contracts().rows[0].club);
  game.Sign();
  ASSERT_TRUE(game.CloseContracts());

  // The whole season, to its histories.
  for (int week = 0; week < 26; ++week) {
    PlayWeek(game);
    if (HasFatalFailure()) return;
  }
  EXPECT_EQ(game.career().Matches, 26);
  EXPECT_EQ(CheckInvariants(game.career()), std::vector<std::string>{});
  ASSERT_TRUE(game.Save());

  // Each file under its name in the folder, and nothing anywhere else.
  const fs::path save = folder / (careerName + ".kms");
  for (const fs::path& file :
       {save, FixturePath(folder, game.career()), folder / (name + " Season History.txt"),
        folder / (name + " Career History.txt")}) {
    EXPECT_TRUE(fs::is_regular_file(file)) << file;
  }
  EXPECT_EQ(FixturePath(folder, game.career()).filename().string(), careerName + "Fixture.kmf");
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.path), fs::directory_iterator()), 1);
  // In the file the names are Windows-1252: one byte a letter.
  const std::string text = testing::ReadBytes(save);
  EXPECT_TRUE(
      text.starts_with("\"S\xe9"
                       "an O'Dwyer-M\xfcller\"\r\n"))
      << text.substr(0, 40);
  EXPECT_NE(text.find("\r\n\"Zo\xeb's Career 1\"\r\n"), std::string::npos);

  // A second season's week writes the results file under the career's name.
  PlayWeek(game);
  if (HasFatalFailure()) return;
  EXPECT_TRUE(fs::is_regular_file(folder / (careerName + "Results.kmr")));
  const Career played = game.career();

  // Loaded by another game: refused while this one has it open, then the
  // very same career.
  TwisterRandom otherRandom(7);
  YesPrompter otherPrompter;
  Game other(otherRandom, otherPrompter, DataFolder{folder});
  EXPECT_EQ(other.LoadFrom(save).error, kCareerOpenElsewhereMessage);
  game.Quit();
  const auto loaded = other.LoadFrom(save);
  ASSERT_EQ(loaded.outcome, Game::LoadOutcome::Loaded) << loaded.error;
  EXPECT_EQ(SaveFileText(other.career()), SaveFileText(played));
  EXPECT_EQ(other.career().Name, name);
  EXPECT_EQ(other.career().CareerName, careerName);
  // And it plays on from there with the same files.
  PlayWeek(other);
  if (HasFatalFailure()) return;
  EXPECT_EQ(other.career().Matches, 2);
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.path), fs::directory_iterator()), 1);
}

// The setup screen takes a name only when the save can hold it byte for
// byte; what it takes comes back from a save and a load unchanged.
TEST(OddNames, SetupTakesOnlyNamesTheSaveHoldsByteForByte) {
  const struct {
    const char* label;
    std::string name;
    bool taken;
  } cases[] = {
      {"apostrophe, space and accents", "Zo\xc3\xab's F\xc3\xb6lder", true},
      {"euro sign and curly quote", "\xe2\x82\xac \xe2\x80\x99", true},
      {"overlong slash",
       "a\xc0\xaf"
       "b",
       false},
      {"overlong digit", "F\xc0\xb6lder", false},
      {"overlong e-acute", "Jos\xe0\x83\xa9", false},
      {"broken sequence", "Zo\xc3", false},
      {"outside Windows-1252", "\xe2\x98\x83", false},
      {"C1 control", "a\xc2\x81", false},
  };
  for (const auto& c : cases) {
    SetupAnswers a;
    a.careerName = c.name;
    a.name = c.name;
    a.city = "Bendigo";
    a.state = "Victoria";
    a.position = "Wing";
    EXPECT_EQ(!CheckSetupAnswers(a).has_value(), c.taken) << c.label;
    if (!c.taken) continue;
    const auto back = ReadCareer(SaveFileText(CreateCareer(a)), "names.kms");
    ASSERT_TRUE(std::holds_alternative<Career>(back)) << c.label;
    EXPECT_EQ(std::get<Career>(back).Name, c.name) << c.label;
    EXPECT_EQ(std::get<Career>(back).CareerName, c.name) << c.label;
  }
}

}  // namespace
}  // namespace km
