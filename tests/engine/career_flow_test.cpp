#include <gtest/gtest.h>

#include <filesystem>

#include "core/invariants.h"
#include "game/game.h"
#include "season/season_end.h"
#include "support/playing.h"
#include "support/scripted_ports.h"
#include "support/temp_folder.h"

namespace km {
namespace {

namespace fs = std::filesystem;

using testing::YesPrompter;

// Plays a career week by week as a player would, taking the best offer when
// one must be signed and the draft when it comes. Returns the seasons played.
int PlaySeasons(Game& game, int seasons) {
  int finished = 0;
  for (int week = 0; week < seasons * 27 + 5; ++week) {
    Career& c = game.career();
    if (IsRetired(c)) break;
    if (game.OpenCampIfDue()) {
      while (!game.camp()->Finished()) game.CampStep();
      EXPECT_TRUE(game.GoToDraft());
      while (game.draft()) game.DraftPick();
    }
    testing::DoHubChores(game);
    EXPECT_TRUE(game.Play()) << "week " << week << " matches " << c.Matches << " play "
                             << c.PlayOpen << " contract " << c.ContractMatches << " draft "
                             << c.DraftDue << " sponsor " << game.run().sponsorHighlight;
    if (!game.round()) return finished;
    testing::PlayTheRound(game);
    game.FinishRound();
    EXPECT_EQ(CheckInvariants(game.career()), std::vector<std::string>{}) << "week " << week;
    if (game.career().Matches == 26) ++finished;
    if (finished == seasons) break;
  }
  return finished;
}

TEST(CareerFlow, SeasonsRunFromTheFirstContractOn) {
  const testing::TempFolder temp;
  const fs::path& folder = temp.path;
  TwisterRandom random(2026);
  YesPrompter p;
  Game game(random, p, DataFolder{folder});
  ASSERT_TRUE(game.StartNewCareer(testing::Answers("flow", "Flo", "Hobart", "Tasmania",
                                                   "Full Forward", {100, 100, 90, 90, 90})));
  ASSERT_TRUE(game.PrepareFirstContract());
  EXPECT_EQ(PlaySeasons(game, 4), 4);
  const Career& c = game.career();
  EXPECT_EQ(c.Matches, 26);
  EXPECT_EQ(c.Age, 17);
  // Every season's finals were drawn and its histories written.
  EXPECT_TRUE(fs::exists(folder / "Flo Season History.txt"));
  EXPECT_TRUE(fs::exists(folder / "Flo Career History.txt"));
  // The last save is the career as it stands.
  auto saved = LoadCareer(folder / "flow.kms");
  ASSERT_TRUE(std::holds_alternative<Career>(saved));
  EXPECT_EQ(std::get<Career>(saved).Matches, 26);
  EXPECT_EQ(std::get<Career>(saved).League, c.League);
}

}  // namespace
}  // namespace km
