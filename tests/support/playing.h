// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A career played through Game as a player at the screens would play it,
// for engine tests that drive whole weeks and seasons.

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/new_career.h"
#include "game/game.h"
#include "week/sponsors.h"

namespace km::testing {

// Answers every question Yes (plays on in worn gear, takes a new position)
// and keeps what it is told.
class YesPrompter final : public Prompter {
 public:
  std::vector<std::string> messages;
  int stories = 0;
  void inform(const std::string& text, const std::string&) override { messages.push_back(text); }
  bool askYesNo(const std::string&, const std::string&, Icon) override { return true; }
  void publish(const Story&) override { ++stories; }
  std::optional<std::filesystem::path> chooseFileToOpen(const std::string&,
                                                        const std::filesystem::path&) override {
    return std::nullopt;
  }
};

// The setup screen's answers: the five skills in the screen's order,
// Kicking, Handballing, Tackling, Marking, Running.
inline SetupAnswers Answers(std::string careerName, std::string name, std::string city,
                            std::string state, std::string position,
                            const std::array<int, 5>& skills) {
  return {.careerName = std::move(careerName),
          .name = std::move(name),
          .city = std::move(city),
          .state = std::move(state),
          .position = std::move(position),
          .kicking = skills[0],
          .handballing = skills[1],
          .tackling = skills[2],
          .marking = skills[3],
          .running = skills[4]};
}

// The sponsor window closed, and the best offer signed when his contract
// has run out (the first of equal offers).
inline void DoHubChores(Game& game) {
  Career& c = game.career();
  if (game.run().sponsorHighlight) CloseSponsorship(c, game.run());
  if (c.PlayOpen || c.ContractMatches >= 1) return;
  std::size_t best = 0;
  for (std::size_t row = 1; row < game.contracts().rows.size(); ++row) {
    if (game.contracts().rows[row].offer > game.contracts().rows[best].offer) best = row;
  }
  game.ClickOffer(static_cast<int>(best) + 1, game.contracts().rows[best].club);
  game.Sign();
}

// Starts every match of the open round, his own played to full time and
// finished, until the round's OK comes on.
inline void PlayTheRound(Game& game) {
  while (game.round()->startEnabled()) {
    if (game.StartNextMatch()) {
      game.match()->PlayToFullTime();
      game.FinishMatch();
    }
  }
}

}  // namespace km::testing
