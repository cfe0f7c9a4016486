// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/journey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <utility>

#include "draft/draft_camp.h"
#include "support/temp_folder.h"

namespace km::testing {

namespace fs = std::filesystem;

FolderFiles Snapshot(const fs::path& folder) {
  FolderFiles files;
  for (const auto& entry : fs::directory_iterator(folder))
    files[entry.path().filename().string()] = ReadBytes(entry.path());
  return files;
}

void Restore(const fs::path& folder, const FolderFiles& files) {
  fs::remove_all(folder);
  fs::create_directories(folder);
  for (const auto& [name, bytes] : files) std::ofstream(folder / name, std::ios::binary) << bytes;
}

void Step(Game& game) {
  if (game.career().DraftDue != 0) {
    DraftCamp* camp = game.OpenCampIfDue();
    while (!camp->Finished()) game.CampStep();
    if (!game.GoToDraft()) return;
    while (game.draft() != nullptr) game.DraftPick();
    return;
  }
  DoHubChores(game);
  if (!game.Play()) return;
  PlayTheRound(game);
  game.FinishRound();
}

void StartCareer(Game& game) {
  if (game.StartNewCareer(
          Answers(kCareer, "Cas Ash", "Geelong", "Victoria", "Rover", {80, 80, 80, 80, 80})) &&
      game.PrepareFirstContract()) {
    DoHubChores(game);
    game.Save();
  }
}

FolderFiles CareerAfter(const fs::path& folder, int weeks) {
  Session s(folder, 7);
  StartCareer(s.game);
  while (s.game.career().Matches < weeks) Step(s.game);
  return Snapshot(folder);
}

namespace {

// The numbers that decide a season's close: an average of `rating` over twenty
// matches whatever the grand final brings, and the contract over or running on.
void Steer(Game& game, double rating, bool contractOver) {
  Career& c = game.career();
  c.MatchesPlayed = 20;
  c.MatchRating = rating * 20;
  c.MatchRatingAverage = rating;
  c.Goals = 0;
  c.ContractLength = 2;
  c.ContractMatches = contractOver ? 1 : 27;
  ASSERT_TRUE(game.Save());
}

}  // namespace

std::vector<Moment> Journey(const fs::path& folder) {
  std::vector<Moment> moments;
  Session s(folder, 7);
  Game& game = s.game;
  StartCareer(game);
  EXPECT_TRUE(fs::exists(folder / kSave));
  auto keep = [&](std::string label) { moments.push_back({std::move(label), Snapshot(folder)}); };
  auto to = [&](int matches) {
    for (int steps = 0; game.career().Matches != matches; ++steps) {
      ASSERT_LT(steps, 30) << "the career does not reach week " << matches;
      Step(game);
    }
  };
  auto close = [&](double rating, bool contractOver, std::string label) {
    to(1);
    to(25);
    Steer(game, rating, contractOver);
    keep(std::move(label));
  };
  auto stepAndKeep = [&](std::string label) {
    Step(game);
    keep(std::move(label));
  };
  to(2);
  keep("an ordinary round");
  to(21);
  keep("the last home-and-away round, which draws the finals");
  for (const char* week : {"the qualifying finals", "the semi finals", "the preliminary finals"}) {
    to(game.career().Matches + 1);
    keep(week);
  }
  close(4.0, false, "the grand final and a season's close, his contract running on");
  stepAndKeep("a season's first week");
  // Contracts that run out at a close: re-signed, promoted, dropped.
  close(4.0, true, "a close whose contract is over, re-signed in the Local Reserves");
  stepAndKeep("a re-signing and the first week after it");
  close(7.0, true, "a promotion to the Local Firsts");
  stepAndKeep("a new competition's offers and its first week");
  to(1);
  to(25);
  const FolderFiles localFirsts = Snapshot(folder);
  Steer(game, 1.0, true);
  keep("a drop to the Local Reserves");
  Restore(folder, localFirsts);
  EXPECT_EQ(game.LoadFrom(folder / kSave).outcome, Game::LoadOutcome::Loaded);
  Steer(game, 7.0, true);
  keep("a promotion to the State League");
  Step(game);
  close(7.0, true, "a State League close that sends him to the draft camp");
  Step(game);
  EXPECT_EQ(game.career().DraftDue, 1);
  keep("the draft camp and the draft");
  Step(game);
  EXPECT_EQ(game.career().League, "AFL");
  keep("the AFL's first week");
  return moments;
}

bool ToldOfAFile(const YesPrompter& p, std::size_t from) {
  return std::any_of(p.messages.begin() + static_cast<std::ptrdiff_t>(from), p.messages.end(),
                     [](const std::string& m) {
                       return m.find("could not be") != std::string::npos ||
                              m.find("cannot be") != std::string::npos ||
                              m.find("Nothing of your career is saved") != std::string::npos;
                     });
}

}  // namespace km::testing
