// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/autoplay.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "core/file_names.h"
#include "core/invariants.h"
#include "core/number_format.h"
#include "core/save_file.h"
#include "core/text_file.h"
#include "draft/draft.h"
#include "draft/draft_camp.h"
#include "match/after_match.h"
#include "match/match.h"
#include "season/career_log.h"
#include "season/round.h"
#include "season/season_end.h"
#include "week/shops.h"
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

// Whether the save file on disk holds the career as it stands.
bool SavedOnDisk(Game& game) {
  const auto saved = ReadWholeFile(SaveFilePath(game.folder().path, game.career()), kMaxSaveBytes);
  return saved.bytes && *saved.bytes == SaveFileText(game.career());
}

Week NotWritten(std::string reason) {
  Week week;
  week.outcome = Week::Outcome::NotWritten;
  week.reason = std::move(reason);
  return week;
}

// Why the hub's Play did not take the week ahead, and whether the career can
// go on from here at all.
Week NotPlayed(const Career& career, Policy policy, bool playOpen,
               const TranscriptPrompter& prompter, std::size_t messagesBefore,
               std::size_t questionsBefore) {
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
    // Nothing mends gear but the store: a player who does not shop there, or
    // cannot pay, would be asked the same question every week.
    week.reason = "The gear is worn to " + std::to_string(career.GearOverall) +
                  ", below the 50 a match needs, and kickmark-sim answers No to playing in worn "
                  "gear and " +
                  (policy == Policy::Passive ? std::string("buys no new gear")
                                             : "has no money for new gear (the bank holds $" +
                                                   career.BankBalance.ToString() + ")") +
                  ", so the career cannot go on.";
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

// What a shop screen's OK bought, one transcript line a row:
//   buy: training Kicking 3 units for $4500
void BuyChosen(ShopSession& session, Career& career, RunState& run, TranscriptPrompter& prompter,
               std::string_view what, OverallBar bar) {
  const auto rows = session.Rows();
  if (std::none_of(rows.begin(), rows.end(), [](const ShopRow& r) { return r.Chosen > 0; })) {
    session.Cancel();
    return;
  }
  std::vector<std::string> lines;
  for (const ShopRow& r : rows) {
    if (r.Chosen == 0) continue;
    lines.push_back(std::string(what) + " " + std::string(r.name) + " " + std::to_string(r.Chosen) +
                    (r.Chosen == 1 ? " unit" : " units") + " for $" +
                    Money::Dollars(static_cast<std::int64_t>(r.Chosen) * r.Rate).ToString());
  }
  if (!session.OK(career, run, prompter)) {
    throw std::logic_error("the " + std::string(what) +
                           " screen refused a purchase the bank covers");
  }
  for (const std::string& line : lines) prompter.note("buy", line);
  // The shop's OK works its overall bar out again.
  if (auto broken = CheckOverallBar(career, bar)) {
    throw InvariantBroken("after the " + std::string(what) + " purchase: " + *broken);
  }
}

// The health centre and the gear store open with a full restore chosen. When
// the bank cannot pay for it all, he buys the cheapest units first, as far as
// the bank goes.
void Restore(Shop shop, Career& career, RunState& run, TranscriptPrompter& prompter,
             std::string_view what, OverallBar bar) {
  ShopSession session = ShopSession::Open(shop, career);
  if (session.BalanceAfter() < Money()) {
    std::vector<int> order;
    for (int i = 0; i < static_cast<int>(session.Rows().size()); ++i) {
      session.ChangeSpinner(i, 0);
      order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return session.Row(a).Rate < session.Row(b).Rate; });
    for (const int i : order) {
      const ShopRow& row = session.Row(i);
      const std::int64_t affordable = session.BalanceAfter().cents() / (row.Rate * 100LL);
      session.ChangeSpinner(i,
                            static_cast<int>(std::clamp<std::int64_t>(affordable, 0, row.Units)));
    }
  }
  BuyChosen(session, career, run, prompter, what, bar);
}

// Training with the money above the reserve: everything the training centre
// offers (its Max) when that is affordable, otherwise a unit at a time for the
// skill that is lowest so far, skipping a unit the money left will not cover.
void Train(Career& career, RunState& run, TranscriptPrompter& prompter) {
  const Money reserve = Money::Dollars(kTrainingReserve);
  if (career.BankBalance <= reserve) return;
  ShopSession session = OpenTraining(career);
  session.Max();
  if (session.BalanceAfter() < reserve) {
    const int count = static_cast<int>(session.Rows().size());
    for (int i = 0; i < count; ++i) session.ChangeSpinner(i, 0);
    while (true) {
      // A row's skill so far is the cap less the units it can still take.
      int pick = -1;
      for (int i = 0; i < count; ++i) {
        const ShopRow& row = session.Row(i);
        if (row.Chosen == row.Units) continue;
        if (session.BalanceAfter() - Money::Dollars(row.Rate) < reserve) continue;
        if (pick < 0 ||
            row.Units - row.Chosen > session.Row(pick).Units - session.Row(pick).Chosen) {
          pick = i;
        }
      }
      if (pick < 0) break;
      session.ChangeSpinner(pick, session.Row(pick).Chosen + 1);
    }
  }
  BuyChosen(session, career, run, prompter, "training", OverallBar::Skills);
}

// The offer of a slot's screen that pays the most, among those he can take.
std::optional<int> BestSponsorOffer(const SponsorScreen& screen) {
  std::optional<int> best;
  for (int i = 0; i < kCompanyCount; ++i) {
    const SponsorOffer& offer = screen.Offers[static_cast<std::size_t>(i)];
    if (!offer.Enabled) continue;
    if (!best || offer.Amount > screen.Offers[static_cast<std::size_t>(*best)].Amount) best = i;
  }
  return best;
}

std::string MoveBetween(const std::string& before, const Career& career) {
  if (IsRetired(career)) return "retired";
  const int from = LevelIndex(before);
  const int to = LevelIndex(career.League);
  if (to > from) return "promoted to " + career.League;
  if (to < from) return "dropped to " + career.League;
  return "stayed";
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

Player::Player(Game& game, TranscriptPrompter& prompter, Policy policy)
    : game_(game),
      prompter_(prompter),
      policy_(policy),
      awardsBefore_(CountAwards(game.career())) {}

void Player::LookAtSponsors() {
  Career& career = game_.career();
  game_.run().sponsorship = OpenSponsorship(career, game_.run().sponsorship);
  if (policy_ == Policy::Default) {
    // Each slot's offer screen: the best-paying company he can take, unless
    // the deal the game picked for him there pays more.
    for (int s = 0; s < kSlotCount; ++s) {
      const auto slot = static_cast<SponsorSlot>(s);
      const SponsorScreen& screen = career.Offers(slot);
      const std::string slotName(kSlotNames[static_cast<std::size_t>(s)]);
      const auto best = BestSponsorOffer(screen);
      if (best && screen.Offers[static_cast<std::size_t>(*best)].Amount > screen.Offer) {
        SelectSponsorOffer(career, slot, *best);
        ConfirmSponsorOffer(career, slot);
        prompter_.note("sponsor", slotName + " " + screen.Sponsor + " for $" +
                                      screen.Offer.ToString() + " a week");
      } else {
        prompter_.note("sponsor", slotName + " stays with " + screen.Sponsor + " for $" +
                                      screen.Offer.ToString() + " a week");
      }
    }
  }
  CloseSponsorship(career, game_.run());
}

void Player::Shop() {
  Career& career = game_.career();
  if (policy_ != Policy::Default || IsRetired(career)) return;
  // Gear first: worn below 50 it keeps him off the ground altogether.
  if (career.GearOverall < kGearFloor)
    Restore(Shop::Store, career, game_.run(), prompter_, "gear", OverallBar::Gear);
  if (career.HealthOverall < kHealthFloor)
    Restore(Shop::Health, career, game_.run(), prompter_, "health care", OverallBar::Health);
  Train(career, game_.run(), prompter_);
}

std::optional<std::string> Player::GoThroughTheDraft(std::string* move) {
  DraftCamp* camp = game_.OpenCampIfDue();
  if (camp == nullptr) return std::nullopt;
  if (move != nullptr) *move = "invited to the draft camp";
  // The camp screen's Start, a session at a time, each in the transcript
  // with what the screen shows.
  for (int presses = 0; !camp->Finished(); ++presses) {
    if (presses > kCampTests + 2) throw std::logic_error("the draft camp never finished");
    game_.CampStep();
    const CampState& s = camp->state();
    std::string line = s.Activity;
    if (s.Test >= 1 && s.Test <= kCampTests) {
      line += ": " + s.Result + " " + s.Unit + ", rank " + std::to_string(s.Rank);
    } else if (s.Test > kCampTests) {
      line += ": average rank " + std::to_string(s.RankAverage);
    }
    prompter_.note("camp", line + " | " + s.Comments);
  }
  if (!game_.GoToDraft()) return game_.writeFailure().value_or("The draft could not be opened.");
  // The pick that takes him also finishes the draft and closes its screen:
  // his pick is the one after the last the screen showed, his club the one
  // he signed with.
  int pick = 0;
  for (int presses = 0; game_.draft() != nullptr; ++presses) {
    if (presses > kLastPick + 1) throw std::logic_error("the draft never finished");
    pick = game_.draft()->state().Pick + 1;
    game_.DraftPick();
  }
  const std::string taken = "pick " + std::to_string(pick) + " by " + game_.career().Team;
  prompter_.note("draft", taken);
  if (move != nullptr) *move = "drafted at " + taken;
  // The draft's end saves the career with his new club.
  if (const auto& failed = game_.writeFailure()) return *failed;
  if (checkEachWeek_ && !SavedOnDisk(game_)) {
    throw InvariantBroken("after the draft: the save file does not hold the career");
  }
  return std::nullopt;
}

std::optional<std::string> Player::Reload() {
  const std::string saved = SaveFileText(game_.career());
  const Game::Waiting waited = game_.WaitingFor();
  const auto file = SaveFilePath(game_.folder().path, game_.career());
  game_.Quit();
  const auto loaded = game_.LoadFrom(file);
  if (loaded.outcome != Game::LoadOutcome::Loaded) return loaded.error;
  if (SaveFileText(game_.career()) != saved) {
    throw InvariantBroken("after a reload the career is not the one that was saved");
  }
  if (const auto broken = CheckInvariants(game_.career()); !broken.empty()) {
    throw InvariantBroken("after a reload: " + broken.front());
  }
  if (const Game::Waiting waiting = game_.WaitingFor(); waiting != waited) {
    throw InvariantBroken("after a reload the hub waits for " + Game::Describe(waiting) +
                          " instead of " + Game::Describe(waited));
  }
  prompter_.note("reload", "the career was loaded again from " + file.filename().string());
  return std::nullopt;
}

Week Player::PlayWeek() {
  Career& career = game_.career();
  // A career saved on its way to the draft camp goes there first.
  if (auto error = GoThroughTheDraft(nullptr)) return NotWritten(*error);
  // A sponsor window holds Play until the player has been to the sponsorship
  // screen.
  if (!career.PlayOpen && IsSponsorWindow(career.Matches)) LookAtSponsors();
  // A contract that has run out holds Play until a new one is signed: he
  // signs the best of the offers, as at the start of his career.
  if (!career.PlayOpen && career.ContractMatches == 0 && !game_.contracts().rows[0].club.empty()) {
    SignBestOffer(game_);
  }
  if (career.PlayOpen) Shop();
  const bool playOpen = career.PlayOpen;
  const std::size_t messagesBefore = prompter_.messages().size();
  const std::size_t questionsBefore = prompter_.questions().size();
  if (!game_.Play()) {
    return NotPlayed(game_.career(), policy_, playOpen, prompter_, messagesBefore, questionsBefore);
  }
  Round* round = game_.round();
  if (round == nullptr) throw std::logic_error("Play went ahead but no round opened");

  Week week;
  week.title = round->title();
  for (int presses = 0; !round->okEnabled(); ++presses) {
    if (presses == kMostStartPresses) {
      throw std::logic_error("the round's OK stayed off after " + std::to_string(presses) +
                             " presses of Start");
    }
    if (!game_.StartNextMatch()) continue;
    Match& match = *game_.match();
    const bool out = match.PlayerIsOut();
    match.PlayToFullTime();
    week.match = ClubMatchOf(match.state(), game_.career(), out);
    game_.FinishMatch();
    if (game_.match() != nullptr) throw std::logic_error("the match would not finish");
    // A match he played works his Overall out again.
    if (!out && checkEachWeek_) {
      if (auto broken = CheckOverallBar(game_.career(), OverallBar::Skills)) {
        throw InvariantBroken("after his match: " + *broken);
      }
    }
  }

  const std::string league = round->league();
  const int matchesBefore = career.Matches;
  game_.FinishRound();
  if (game_.round() != nullptr) throw std::logic_error("the round stayed open after its OK");
  // Whatever the week brought, the career is still a career.
  if (const auto broken = checkEachWeek_ ? CheckInvariants(career) : std::vector<std::string>{};
      !broken.empty()) {
    throw InvariantBroken("after " + RoundTitle(matchesBefore) + ": " + broken.front());
  }
  week.played = true;
  prompter_.note("week", SummaryLine(week, career.Team));
  // Any file of the round that could not be written stops the run, with
  // the game's sentence for it, even when the save itself got through.
  if (const auto& failed = game_.writeFailure()) {
    week.outcome = Week::Outcome::NotWritten;
    week.reason = *failed;
    return week;
  }
  // The save is what keeps the round: it is written last, and only when
  // everything before it was.
  if (checkEachWeek_ && !SavedOnDisk(game_)) {
    throw InvariantBroken("after " + RoundTitle(matchesBefore) +
                          ": the save file does not hold the career");
  }
  // The career log has the week, as the save and the results have it.
  if (checkEachWeek_) {
    if (const auto disagrees = CheckLogAgrees(game_.folder().path, career)) {
      throw InvariantBroken("after " + RoundTitle(matchesBefore) + ": " + *disagrees);
    }
  }
  if (career.Matches != kSeasonWeeks || matchesBefore == kSeasonWeeks) return week;

  // The grand final's round closed the season: its figures before the next
  // season clears them, and where the close took him.
  SeasonSummary season;
  season.season = career.Age - 13;
  season.league = league;
  season.club = career.Team;
  season.played = career.MatchesPlayed;
  season.goals = career.Goals;
  season.ratingAverage = career.MatchRatingAverage;
  const AwardCounts awards = CountAwards(career);
  season.awards = AwardsWon(awardsBefore_, awards);
  awardsBefore_ = awards;
  season.move = MoveBetween(league, career);
  // The season that earned an invitation ends at the draft camp.
  if (auto error = GoThroughTheDraft(&season.move)) {
    week.outcome = Week::Outcome::NotWritten;
    week.reason = *error;
  }
  prompter_.note("season", SeasonLine(season));
  week.season = std::move(season);
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
