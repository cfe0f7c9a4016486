#pragma once

#include <optional>
#include <string>

#include "core/game.h"
#include "sim/transcript.h"
#include "week/contracts.h"

namespace km::sim {

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

// What one press of Play came to.
struct Week {
  enum class Outcome {
    Played,          // the round was played, written and saved
    CannotAdvance,   // Play did not go ahead and pressing it again would not help
    UnreadableFile,  // the week's round could not be read from the fixture
    NotWritten,      // a career file was not written: the round's results or save, or
                     // the AFL season's fixture at the draft
  };
  Outcome outcome = Outcome::Played;
  std::string reason;              // why, when the week was not played or not written
  bool played = false;             // the round was played to its OK
  std::string title;               // the round screen's title, once the round opened
  std::optional<ClubMatch> match;  // the club's match, when it had one
};

// One week as the player plays it. First what holds Play: a look at the
// sponsorship screen at a sponsor window, the best offer signed when his
// contract has run out, the draft camp and the draft when he is due there.
// Then Play, Start until the round's OK comes on (his own match played to
// full time and finished on the match screen), and OK, after which a season
// that earned a draft invitation goes to the camp. The prompter answers the
// game's questions; it is read to learn why a week did not go ahead.
Week PlayWeek(Game& game, const TranscriptPrompter& prompter);

// A played week in one line:
//   ROUND ONE MATCHES | Frankston 12.10 (82) v Rosebud 9.8 (62), won | disposals 18, goals 2,
//   rating 7.2
// His part reads "injured, did not play" or "suspended, did not play" when he
// missed the match, and a week without a match for his club reads
// "<title> | no match for <club>".
std::string SummaryLine(const Week& week, const std::string& club);

}  // namespace km::sim
