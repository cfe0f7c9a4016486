// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "core/career.h"
#include "core/ports.h"
#include "core/run_state.h"
#include "core/save_file.h"
#include "season/fixture.h"

namespace km {

// How a club's name is painted on the round screen.
enum class NameColour { PlayerClub, NextMatch, Other };

// Its name for a front end's style sheet: "player", "next" or "other".
const char* ColourName(NameColour colour);

// The scoreboard of the other clubs' match being played on the round screen.
struct Scoreboard {
  std::string T1;
  std::string T2;
  int GoalsOne = 0;
  int BehindsOne = 0;
  int GoalsTwo = 0;
  int BehindsTwo = 0;
  std::array<int, 4> G1{};
  std::array<int, 4> B1{};
  std::array<int, 4> G2{};
  std::array<int, 4> B2{};
  int P1 = 0;
  int P2 = 0;
  int Quarter = 0;
  int Time = 0;
};

// Simulates a match between two clubs that are not the player's: 120
// minutes of draws in which clubs higher in the ladder table score more.
// A final is never left level: the first club gets a behind.
Scoreboard SimulateMatch(const Career& career, Random& random, const std::string& teamOne,
                         const std::string& teamTwo, bool final);

// The round screen of the week: the round's matches, played one press of
// Start at a time, and OK to finish the round.
class Round {
 public:
  // The round of the season's week (Matches + 1): its title, its matches
  // from the fixture file. Fails with the file's sentence when the fixture
  // cannot give them.
  static std::variant<Round, FileError> Load(const Career& career, RunState& run,
                                             const std::filesystem::path& folder);

  [[nodiscard]] const std::string& title() const { return title_; }
  [[nodiscard]] const std::string& league() const { return league_; }
  [[nodiscard]] int roundNumber() const { return roundNumber_; }
  // How many of the eight slots this round has matches in.
  [[nodiscard]] int matchCount() const { return matchCount_; }
  // The index (0..8) of the next match to play.
  [[nodiscard]] int next() const { return next_; }
  [[nodiscard]] bool startEnabled() const { return next_ < 8; }
  [[nodiscard]] bool okEnabled() const { return next_ >= 8; }
  [[nodiscard]] const Scoreboard& scoreboard() const { return scoreboard_; }
  [[nodiscard]] NameColour colour(int slot, const std::string& name) const;

  // One press of Start. When the slot's match is the player's club's, its
  // index is returned: the match screen plays it, and its score reaches the
  // slot through the run state. Otherwise the match is simulated here.
  std::optional<int> Start(const Career& career, RunState& run, Random& random);

  // OK: the ladder (home-and-away rounds), the season's counters, the
  // round's record in the results file and the save. `hooks` run at their
  // places: after the ladder (the next finals stage), after the counters
  // (the season's end) and before the results (the week's ageing and
  // sponsors). The first two write season files and return the sentence of
  // one that could not be written.
  struct Hooks {
    std::function<std::optional<FileError>()> finals;     // after the ladder
    std::function<std::optional<FileError>()> seasonEnd;  // when the grand final is done
    std::function<void()> weekly;                         // ageing and sponsors, every week
    // The week into the career log, after the results and before the save.
    std::function<std::optional<FileError>(const RoundRecord&)> log;
  };
  // Returns the sentence of the first file that could not be written, if
  // any; nothing after it is written then, so the save on disk still holds
  // the career as it was before the round.
  std::optional<FileError> Finish(Career& career, RunState& run,
                                  const std::filesystem::path& folder, const Hooks& hooks);

 private:
  std::string title_;
  std::string league_;
  int roundNumber_ = 1;
  int matchCount_ = 8;
  int next_ = 0;
  Scoreboard scoreboard_;
  std::string playerClub_;
  // The slot of the player's match: the first that holds his club (a
  // competition may list a name twice; the other club of that name plays
  // as any other). -1 when his club has no match this week.
  int playerSlot_ = -1;
};

// Adds the round's results to the ladder table: a win, loss or draw and the
// points for and against, for every row that holds a club's name.
void UpdateLadder(Career& career, const RunState& run);

// The round screen's title for a season week (0..25).
std::string RoundTitle(int matches);

}  // namespace km
