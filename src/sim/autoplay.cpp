#include "sim/autoplay.h"

#include <stdexcept>
#include <string_view>

#include "core/number_format.h"
#include "core/save_file.h"
#include "core/text_file.h"
#include "draft/draft.h"
#include "draft/draft_camp.h"
#include "match/match.h"
#include "season/season_end.h"
#include "week/sponsors.h"
#include "week/week.h"

namespace km::sim {

namespace {

// The round screen's Start is pressed once per slot; a round with its OK
// still off after this many presses is a fault in the game.
constexpr int kMostStartPresses = kMatchesPerRound;

// How the game begins the message box of a round whose fixture cannot be read.
constexpr std::string_view kRoundUnreadable = "This week's round cannot be played.";

bool StartsWith(const std::string& text, std::string_view start) {
  return text.compare(0, start.size(), start) == 0;
}

// The first message shown since `before` that starts with `start`.
const std::string* ShownSince(const TranscriptPrompter& prompter, std::size_t before,
                              std::string_view start) {
  const auto& shown = prompter.messages();
  for (std::size_t i = before; i < shown.size(); ++i) {
    if (StartsWith(shown[i], start)) return &shown[i];
  }
  return nullptr;
}

// The draft camp and the national draft, once a State League player has been
// invited: he takes the camp's six tests, goes to the draft and waits for
// his pick. Gives the game's sentence when the AFL season could not be made
// ready.
std::optional<std::string> GoThroughTheDraft(Game& game, const TranscriptPrompter& prompter) {
  DraftCamp* camp = game.OpenCampIfDue();
  if (camp == nullptr) return std::nullopt;
  for (int presses = 0; !camp->Finished(); ++presses) {
    if (presses > kCampTests + 2) throw std::logic_error("the draft camp never finished");
    game.CampStep();
  }
  const std::size_t before = prompter.messages().size();
  if (!game.GoToDraft()) {
    const auto& shown = prompter.messages();
    return shown.size() > before ? shown.back() : "The draft could not be opened.";
  }
  for (int presses = 0; game.draft() != nullptr; ++presses) {
    if (presses > kLastPick + 1) throw std::logic_error("the draft never finished");
    game.DraftPick();
  }
  return std::nullopt;
}

Week NotWritten(std::string reason) {
  Week week;
  week.outcome = Week::Outcome::NotWritten;
  week.reason = std::move(reason);
  return week;
}

// Why the hub's Play did not take the week ahead, and whether the career can
// go on from here at all.
Week NotPlayed(const Career& career, bool playOpen, const TranscriptPrompter& prompter,
               std::size_t messagesBefore, std::size_t questionsBefore) {
  Week week;
  week.outcome = Week::Outcome::CannotAdvance;
  if (IsRetired(career)) {
    week.reason = "He has retired: the career is over.";
    return week;
  }
  if (!playOpen && career.ContractMatches == 0) {
    week.reason =
        "The contract has run out and the hub's Play waits for a new one, but the contract "
        "screen has no offers to sign.";
    return week;
  }
  if (!playOpen) {
    week.reason = "The hub's Play button is disabled and kickmark-sim knows no way to free it.";
    return week;
  }
  const auto& asked = prompter.questions();
  if (asked.size() > questionsBefore && asked.back() == kWornGearQuestion) {
    // Nothing mends gear but the store, and the simulator's player does not
    // shop: he would be asked the same question every week.
    week.reason = "The gear is worn to " + std::to_string(career.GearOverall) +
                  ", below the 50 a match needs, and kickmark-sim answers No to playing in worn "
                  "gear and buys no new gear, so the career cannot go on.";
    return week;
  }
  if (const std::string* unreadable = ShownSince(prompter, messagesBefore, kRoundUnreadable)) {
    week.outcome = Week::Outcome::UnreadableFile;
    week.reason = *unreadable;
    return week;
  }
  const auto& shown = prompter.messages();
  week.reason = shown.size() > messagesBefore ? shown.back() : "Play did not go ahead.";
  return week;
}

ClubMatch ClubMatchOf(const MatchState& m, const Career& career, bool out) {
  const bool first = m.TeamOne == career.Team;
  ClubMatch c;
  c.club = career.Team;
  c.opponent = first ? m.TeamTwo : m.TeamOne;
  // The final siren's score: the last quarter's column, which carries the
  // behind a drawn final gives the first-named club.
  c.clubGoals = first ? m.GoalsOneAt[3] : m.GoalsTwoAt[3];
  c.clubBehinds = first ? m.BehindsOneAt[3] : m.BehindsTwoAt[3];
  c.clubPoints = first ? m.PointsOne : m.PointsTwo;
  c.opponentGoals = first ? m.GoalsTwoAt[3] : m.GoalsOneAt[3];
  c.opponentBehinds = first ? m.BehindsTwoAt[3] : m.BehindsOneAt[3];
  c.opponentPoints = first ? m.PointsTwo : m.PointsOne;
  if (out) c.absence = career.Injury > -1 ? "injured" : "suspended";
  c.disposals = m.Disposals;
  c.goals = m.Goals;
  c.rating = m.MatchRating;
  return c;
}

std::string ScoreLine(const std::string& club, int goals, int behinds, int points) {
  return club + " " + std::to_string(goals) + "." + std::to_string(behinds) + " (" +
         std::to_string(points) + ")";
}

}  // namespace

int BestOfferRow(const ContractOffers& offers) {
  std::size_t best = 0;
  for (std::size_t i = 1; i < offers.rows.size(); ++i) {
    const ContractOffer& row = offers.rows[i];
    const ContractOffer& top = offers.rows[best];
    if (row.offer > top.offer || (row.offer == top.offer && row.length > top.length)) best = i;
  }
  return static_cast<int>(best) + 1;
}

bool SignFirstContract(Game& game) {
  if (!game.PrepareFirstContract()) return false;
  SignBestOffer(game);
  return true;
}

void SignBestOffer(Game& game) {
  const int row = BestOfferRow(game.contracts());
  const std::string club = game.contracts().rows[static_cast<std::size_t>(row - 1)].club;
  game.ClickOffer(row, club);
  game.Sign();
  if (!game.CloseContracts()) {
    throw std::logic_error("the contract screen would not close after signing with " + club);
  }
}

Week PlayWeek(Game& game, const TranscriptPrompter& prompter) {
  Career& career = game.career();
  // A career saved on its way to the draft camp goes there first.
  if (auto error = GoThroughTheDraft(game, prompter)) return NotWritten(*error);
  // A sponsor window holds Play until the player has been to the sponsorship
  // screen. He looks and closes it, keeping the deals the game picked for him.
  if (!career.PlayOpen && IsSponsorWindow(career.Matches)) {
    game.run().sponsorship = OpenSponsorship(career, game.run().sponsorship);
    CloseSponsorship(career, game.run());
  }
  // A contract that has run out holds Play until a new one is signed: he
  // signs the best of the offers, as at the start of his career.
  if (!career.PlayOpen && career.ContractMatches == 0 && !game.contracts().rows[0].club.empty()) {
    SignBestOffer(game);
  }
  const bool playOpen = career.PlayOpen;
  const std::size_t messagesBefore = prompter.messages().size();
  const std::size_t questionsBefore = prompter.questions().size();
  if (!game.Play()) {
    return NotPlayed(game.career(), playOpen, prompter, messagesBefore, questionsBefore);
  }
  Round* round = game.round();
  if (round == nullptr) throw std::logic_error("Play went ahead but no round opened");

  Week week;
  week.title = round->title();
  for (int presses = 0; !round->okEnabled(); ++presses) {
    if (presses == kMostStartPresses) {
      throw std::logic_error("the round's OK stayed off after " + std::to_string(presses) +
                             " presses of Start");
    }
    if (!game.StartNextMatch()) continue;
    Match& match = *game.match();
    const bool out = match.PlayerIsOut();
    match.PlayToFullTime();
    week.match = ClubMatchOf(match.state(), game.career(), out);
    game.FinishMatch();
    if (game.match() != nullptr) throw std::logic_error("the match would not finish");
  }

  const std::size_t beforeOk = prompter.messages().size();
  game.FinishRound();
  if (game.round() != nullptr) throw std::logic_error("the round stayed open after its OK");
  // The save is what keeps the round: it is written last, and only when
  // everything before it was.
  week.played = true;
  const auto saved = ReadWholeFile(SaveFilePath(game.folder().path, game.career()));
  if (!saved.bytes || *saved.bytes != SaveFileText(game.career())) {
    week.outcome = Week::Outcome::NotWritten;
    const auto& shown = prompter.messages();
    week.reason =
        shown.size() > beforeOk ? shown.back() : "The round just played is not in the save file.";
    return week;
  }
  // The season that earned an invitation ends at the draft camp.
  if (auto error = GoThroughTheDraft(game, prompter)) {
    week.outcome = Week::Outcome::NotWritten;
    week.reason = *error;
  }
  return week;
}

std::string SummaryLine(const Week& week, const std::string& club) {
  if (!week.match) return week.title + " | no match for " + club;
  const ClubMatch& m = *week.match;
  const char* result = m.clubPoints > m.opponentPoints   ? "won"
                       : m.clubPoints < m.opponentPoints ? "lost"
                                                         : "drew";
  std::string line = week.title + " | " +
                     ScoreLine(m.club, m.clubGoals, m.clubBehinds, m.clubPoints) + " v " +
                     ScoreLine(m.opponent, m.opponentGoals, m.opponentBehinds, m.opponentPoints) +
                     ", " + result + " | ";
  if (!m.absence.empty()) return line + m.absence + ", did not play";
  return line + "disposals " + std::to_string(m.disposals) + ", goals " + std::to_string(m.goals) +
         ", rating " + FormatNumber(m.rating, "0.0");
}

}  // namespace km::sim
