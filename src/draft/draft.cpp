// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/draft.h"

#include "season/fixture.h"
#include "week/week.h"

namespace km {
namespace {

constexpr std::array<int, 6> kDraftOffers = {16000, 20000, 24000, 28000, 32000, 12000};

}  // namespace

std::optional<PickTier> TakenAt(int pick, int campRank, int overall, double rating) {
  for (const DraftTier& t : kDraftTiers) {
    if (pick < t.firstPick || pick > t.lastPick) continue;
    if (pick == kLastPick) return PickTier{t.firstPick, t.round, t.wage};
    const bool overallMet = t.overall == 200 ? overall == 200 : overall > t.overall;
    if (campRank <= t.campRank && overallMet && rating > t.rating) {
      return PickTier{t.firstPick, t.round, t.wage};
    }
    return std::nullopt;
  }
  return std::nullopt;
}

std::variant<Draft, FileError> Draft::Open(Career& career, ContractOffers& offers, Random& random,
                                           const std::filesystem::path& folder, int campRank) {
  Draft draft;
  draft.campRank_ = campRank;
  draft.state_.Name = career.Name;
  // Every AFL club makes an offer for the coming season.
  const ClubList& clubs = ClubsOf("AFL", career.State);
  for (std::size_t i = 0; i < 16; ++i) {
    offers.rows[i].club = std::string(clubs[i]);
    offers.rows[i].offer =
        Money::Dollars(kDraftOffers[static_cast<std::size_t>(random.roll(6) - 1)]);
  }
  for (std::size_t i = 0; i < 16; ++i) offers.rows[i].length = random.roll(5);
  offers.title = "AFL CLUB OFFERS";
  offers.pendingTeam.clear();
  career.League = "AFL";
  if (auto error = StartCompetitionSeason(folder, career, random, clubs)) return *error;
  return draft;
}

void Draft::Pick(Career& c, ContractOffers& offers, RunState& run, Prompter& prompter) {
  DraftState& s = state_;
  if (s.Finished) return;
  if (!s.Drafted) {
    s.Pick += 1;
    s.Slot = (s.Pick - 1) % 16 + 1;
    s.Team = std::string(kDraftOrder[static_cast<std::size_t>(s.Slot - 1)]);
    s.PickCaption = "Next Pick";
    const auto tier = TakenAt(s.Pick, campRank_, c.Overall, c.MatchRatingAverage);
    if (!tier) return;
    s.Round = tier->round;
    prompter.inform("Congratulations! You have been drafted by " + s.Team + "!");
    // The rookie is paid what his pick earned.
    c.ContractCurrent = Money::Dollars(tier->wage);
    c.Wages = c.ContractCurrent;
    s.PickCaption = "Finish";
    s.Drafted = true;
    c.ContractTeam = s.Team;
    c.ContractLength = kDraftContractSeasons;
    c.ContractMatches = kDraftContractSeasons * kSeasonWeeks;
    c.Team = s.Team;
    c.SignOpen = false;
    c.PlayOpen = true;
    offers.pendingTeam.clear();
  }
  // Finish: the papers, the base skills as he starts at the top level, and
  // the hub handed back.
  run.newspaper.headline = "Rookie " + c.Name + " Signs With " + s.Team;
  run.newspaper.text =
      std::to_string(c.Age) + "-year-old " + c.Name + " was today drafted by AFL team " + s.Team +
      ". He was picked at pick number " + std::to_string(s.Pick) +
      ", and is expected to make an immediate impact at the top level. Working his way up from "
      "the lower leagues, " +
      c.Name +
      " performed well enough in his State's League this season to catch the eye of a interested "
      "AFL recruiting managers. Due to his seemingly limitless potential, experts are dubbing him "
      "the next big 'Kickmark'...";
  c.Kicking = c.SetupKicking;
  c.Handballing = c.SetupHandballing;
  c.Marking = c.SetupMarking;
  c.Tackling = c.SetupTackling;
  c.Running = c.SetupRunning;
  c.Overall = OverallOf(c.Kicking, c.Handballing, c.Tackling, c.Marking, c.Running);
  c.DraftDue = 0;
  s.Finished = true;
  prompter.publish(run.newspaper);
}

}  // namespace km
