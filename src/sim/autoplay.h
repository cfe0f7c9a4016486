// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "game/game.h"
#include "sim/seasons.h"
#include "sim/transcript.h"
#include "week/contracts.h"

namespace km::sim {

// How the simulator's player looks after his career between matches.
//   Default: before each Play he books health care when his health is below
//     kHealthFloor and buys gear when it is below kGearFloor, as far as the
//     bank allows; then he trains with what is left above kTrainingReserve,
//     always the skill that is lowest so far; at a sponsor window he takes
//     the best-paying offer of every slot.
//   Passive: he spends nothing and keeps the deals the game picks for him.
// Either way every question is answered No and every contract, draft camp
// and draft is seen through.
enum class Policy { Default, Passive };

// Any point of health below 100 costs him a tenth of his game, so health is
// topped up well before it bites; gear only holds him back below 50.
inline constexpr int kHealthFloor = 90;
inline constexpr int kGearFloor = 60;
// Money the default player keeps in the bank rather than spend on training.
inline constexpr std::int64_t kTrainingReserve = 10000;

// A career that never retires stops after this many seasons of --to-end.
inline constexpr int kMostSeasons = 40;

// The simulator's player signs the highest weekly offer; between equal
// offers the longer contract, and between offers equal in both the first
// row. Gives the offer's row of the contract grid, 1..16.
int BestOfferRow(const ContractOffers& offers);

// A brand-new career's contract screen as the simulator's player works it:
// the sixteen offers and the first season's fixture, a click on the best
// offer's club, Sign and OK. False when the fixture could not be written
// (the game has said why in a message box).
bool SignFirstContract(Game& game);

// The contract screen's offers as the simulator's player works them: a
// click on the best offer's club, Sign and OK.
void SignBestOffer(Game& game);

// The player's club's match of a week, as the round screen's row shows it.
struct ClubMatch {
  std::string club;
  int clubGoals = 0;
  int clubBehinds = 0;
  int clubPoints = 0;
  std::string opponent;
  int opponentGoals = 0;
  int opponentBehinds = 0;
  int opponentPoints = 0;
  // "injured" or "suspended" when he missed the match, else empty.
  std::string absence;
  int disposals = 0;
  int goals = 0;
  double rating = 0;
};

// Thrown by PlayWeek when a week left the career breaking one of its
// invariants: a fault of the game, told apart from other faults so that a
// soak can count it.
class InvariantBroken : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// What one press of Play came to.
struct Week {
  enum class Outcome {
    Played,          // the round was played, written and saved
    CannotAdvance,   // Play did not go ahead and pressing it again would not help
    UnreadableFile,  // the week's round could not be read from the fixture
    NotWritten,      // a career file was not written: the round's results or save, or
                     // the AFL season's fixture or the save at the draft
  };
  Outcome outcome = Outcome::Played;
  std::string reason;              // why, when the week was not played or not written
  bool played = false;             // the round was played to its OK
  std::string title;               // the round screen's title, once the round opened
  std::optional<ClubMatch> match;  // the club's match, when it had one
  // The season, when this week's round closed it (and any draft that
  // followed is over).
  std::optional<SeasonSummary> season;
};

// The simulator's player over one run of weeks.
class Player {
 public:
  Player(Game& game, TranscriptPrompter& prompter, Policy policy);

  // One week. First what holds Play: the sponsorship screen at a sponsor
  // window, the best offer signed when his contract has run out, the draft
  // camp and the draft when he is due there. Then the shops (by the
  // policy), Play, Start until the round's OK comes on (his own match played
  // to full time and finished on the match screen), and OK. A season that
  // earned a draft invitation goes on to the camp and the draft, and the
  // career is saved with his new club.
  Week PlayWeek();

  // Quits the career and loads it again from its files, as a player who
  // closes the game and comes back to it would. The career must come back
  // as it was saved, keep its invariants, and wait at the hub for what it
  // waited for before (InvariantBroken when it does not). Gives the load's
  // sentence when the files could not be loaded.
  std::optional<std::string> Reload();

  // Whether each week ends with the simulator's own checks (the default):
  // the career's invariants, and the save on disk read back and compared
  // with the career. A benchmark of the game's own work turns them off; the
  // game's messages still tell when a file was not written.
  void CheckEachWeek(bool on) { checkEachWeek_ = on; }

 private:
  void LookAtSponsors();
  void Shop();
  // The camp and the draft when he is due there; gives the game's sentence
  // when the AFL season or the save could not be written.
  std::optional<std::string> GoThroughTheDraft(std::string* move);

  Game& game_;
  TranscriptPrompter& prompter_;
  Policy policy_;
  AwardCounts awardsBefore_;
  bool checkEachWeek_ = true;
};

// When a run with reloads quits its career and loads it again: after every
// week that closed a season, and after one week in ten on average, by draws
// of its own from `seed`, so that a run with the same seed reloads at the
// same weeks.
class Reloads {
 public:
  explicit Reloads(std::uint64_t seed) : draws_(seed ^ 0x9E3779B97F4A7C15ULL) {}
  bool DueAfter(const Week& week) {
    const bool chosen = draws_.roll(10) == 1;
    return week.season.has_value() || chosen;
  }

 private:
  TwisterRandom draws_;
};

// A played week in one line:
//   ROUND ONE MATCHES | Frankston 12.10 (82) v Rosebud 9.8 (62), won | disposals 18, goals 2,
//   rating 7.2
// His part reads "injured, did not play" or "suspended, did not play" when he
// missed the match, and a week without a match for his club reads
// "<title> | no match for <club>".
std::string SummaryLine(const Week& week, const std::string& club);

}  // namespace km::sim
