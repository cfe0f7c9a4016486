// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The browser's one door to the rules: a running game driven by named
// operations, each given and answering in JSON. Every answer carries the
// state the screens draw (the career record field by field, what the hub
// waits for, the round, the match, the offers, an open shop, the
// sponsorship screen, the camp and the draft). Nothing here is a rule: each
// op is the call a desktop screen makes at the same click.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "core/ports.h"
#include "game/game.h"
#include "week/shops.h"

namespace km::sim {
class TranscriptPrompter;
}

namespace km::web {

// How the page is asked something and answers: the question as JSON
// ({"kind": "inform" | "askYesNo" | "story" | "chooseFile" | "shown", ...})
// and the answer as JSON (true/false for a question, a career name or null
// for a file, anything for the rest). The call returns only once the player
// has answered.
using AskPage = std::function<nlohmann::json(const nlohmann::json& prompt)>;

// The rules' questions passed on to the page, or (while the simulator's
// player plays a week) to the simulator's own answers.
class PagePrompter final : public Prompter {
 public:
  PagePrompter(AskPage ask, std::filesystem::path folder)
      : ask_(std::move(ask)), folder_(std::move(folder)) {}
  void inform(const std::string& text, const std::string& title) override;
  bool askYesNo(const std::string& text, const std::string& title, Icon icon) override;
  void publish(const Story& story) override;
  std::optional<std::filesystem::path> chooseFileToOpen(
      const std::string& filter, const std::filesystem::path& folder) override;
  // A screen the rules want up before what they say next.
  void shown(const std::string& screen, nlohmann::json view);

  // While set, every question goes to `answers` instead of the page.
  void AnswerFrom(sim::TranscriptPrompter* answers) { answers_ = answers; }

 private:
  AskPage ask_;
  std::filesystem::path folder_;
  sim::TranscriptPrompter* answers_ = nullptr;
};

// The careers' file names in `folder`, by career name, sorted.
std::vector<std::string> CareerNames(const std::filesystem::path& folder);

class Session {
 public:
  // `seed` fixes the chance source (tests); nothing seeds it from the clock.
  Session(AskPage ask, std::filesystem::path folder, std::optional<std::uint64_t> seed);
  ~Session();

  // One op: {"op": name, "args": {...}}. Answers the op's result with
  // "state", or {"error": sentence} for an op the game cannot take (an
  // unknown name, a career-less call of a career's op): a fault of the
  // page, not of the player.
  nlohmann::json Call(const nlohmann::json& request);

  // Everything the screens draw.
  nlohmann::json State();

 private:
  nlohmann::json Dispatch(const std::string& op, const nlohmann::json& args);

  std::unique_ptr<Random> random_;
  PagePrompter prompter_;
  Game game_;
  std::optional<ShopSession> shop_;
  bool sponsorshipOpen_ = false;
  // The match as it stood when the quarter being played was started: the
  // page is sent the match as a crowd has seen it so far.
  MatchState quarterStart_;
};

// Whether the career in `folder` named `career` loads as the start screen's
// Load would load it, with the rules' sentence when it does not. Its files
// are only read; the folder may be a scratch copy.
std::optional<std::string> CheckCareer(const std::filesystem::path& folder,
                                       const std::string& career);

// The work of one benchmark season: a new career's first season played by
// the simulator's passive player, files unflushed, in `folder` (emptied
// first). Gives the weeks played.
int PlayBenchSeason(const std::filesystem::path& folder, std::uint64_t seed);

}  // namespace km::web
