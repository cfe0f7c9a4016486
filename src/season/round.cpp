// SPDX-License-Identifier: GPL-3.0-or-later
#include "season/round.h"

#include <algorithm>

#include "core/number_format.h"
#include "match/match.h"

namespace km {
namespace {

constexpr std::array<std::string_view, 22> kRoundWords = {
    "ONE",       "TWO",      "THREE",    "FOUR",   "FIVE",       "SIX",       "SEVEN",   "EIGHT",
    "NINE",      "TEN",      "ELEVEN",   "TWELVE", "THIRTEEN",   "FOURTEEN",  "FIFTEEN", "SIXTEEN",
    "SEVENTEEN", "EIGHTEEN", "NINETEEN", "TWENTY", "TWENTY-ONE", "TWENTY-TWO"};

// How many matches a week of the season has: eight in the home-and-away
// rounds, four qualifying finals, two semi finals, two preliminary finals and
// the grand final.
int MatchesInWeek(int matches) {
  if (matches <= 21) return 8;
  if (matches == 22) return 4;
  if (matches <= 24) return 2;
  return 1;
}

std::array<std::string, kLadderRows> LadderNames(const Career& career) {
  std::array<std::string, kLadderRows> names;
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = career.Ladder[i].Team;
  return names;
}

}  // namespace

std::string RoundTitle(int matches) {
  if (matches >= 0 && matches <= 21) {
    return "ROUND " + std::string(kRoundWords[static_cast<std::size_t>(matches)]) + " MATCHES";
  }
  switch (matches) {
    case 22:
      return "QUALIFYING FINALS MATCHES";
    case 23:
      return "SEMI FINALS MATCHES";
    case 24:
      return "PRELIMINARY FINALS MATCHES";
    case 25:
      return "GRAND FINAL";
    default:
      return {};
  }
}

Scoreboard SimulateMatch(const Career& career, Random& random, const std::string& teamOne,
                         const std::string& teamTwo, bool final) {
  const auto ladder = LadderNames(career);
  Scoreboard b;
  b.T1 = teamOne;
  b.T2 = teamTwo;
  for (int q = 0; q < 4; ++q) {
    b.Quarter = q + 1;
    for (int minute = 1; minute <= 30; ++minute) {
      b.Time = minute;
      // Only the ladder's bands matter here: no star of the player's is out there.
      ScoreMinute(random.roll(120), ladder, teamOne, teamTwo, b.GoalsOne, b.BehindsOne, b.GoalsTwo,
                  b.BehindsTwo);
      b.P1 = 6 * b.GoalsOne + b.BehindsOne;
      b.P2 = 6 * b.GoalsTwo + b.BehindsTwo;
    }
    const auto i = static_cast<std::size_t>(q);
    b.G1[i] = b.GoalsOne;
    b.B1[i] = b.BehindsOne;
    b.G2[i] = b.GoalsTwo;
    b.B2[i] = b.BehindsTwo;
  }
  b.Time = 0;
  if (final && b.P1 == b.P2) {
    b.B1[3] += 1;
    b.P1 += 1;
  }
  return b;
}

std::variant<Round, FileError> Round::Load(const Career& career, RunState& run,
                                           const std::filesystem::path& folder) {
  Round round;
  round.title_ = RoundTitle(career.Matches);
  round.league_ = career.League;
  round.roundNumber_ = career.Matches + 1;
  round.matchCount_ = MatchesInWeek(career.Matches);
  round.playerClub_ = career.Team;
  auto pairings = ReadRoundPairings(folder, career, round.roundNumber_);
  if (auto* error = std::get_if<FileError>(&pairings)) return *error;
  const auto& names = std::get<std::vector<std::string>>(pairings);
  // A round that does not pair the ladder's clubs would leave an uneven
  // ladder in the save: it is not played.
  if (auto error = CheckRoundClubs(folder, career, round.roundNumber_, names)) return *error;
  for (std::size_t i = 0; i + 1 < names.size(); i += 2) {
    run.roundTeamOne[i / 2] = names[i];
    run.roundTeamTwo[i / 2] = names[i + 1];
    if (round.playerSlot_ < 0 && (names[i] == career.Team || names[i + 1] == career.Team)) {
      round.playerSlot_ = static_cast<int>(i / 2);
    }
  }
  return round;
}

NameColour Round::colour(int slot, const std::string& name) const {
  if (slot == playerSlot_ && name == playerClub_) return NameColour::PlayerClub;
  return slot == next_ ? NameColour::NextMatch : NameColour::Other;
}

std::optional<int> Round::Start(const Career& career, RunState& run, Random& random) {
  if (next_ >= 8) return std::nullopt;
  const int k = next_;
  std::optional<int> playerMatch;
  if (k < matchCount_) {
    const auto slot = static_cast<std::size_t>(k);
    const std::string& one = run.roundTeamOne[slot];
    const std::string& two = run.roundTeamTwo[slot];
    if (k == playerSlot_) {
      playerMatch = k;  // the match screen plays it
    } else {
      scoreboard_ = SimulateMatch(career, random, one, two, career.Matches >= 22);
      RoundSlot& result = run.roundSlots[slot];
      result.GoalsOne = scoreboard_.G1;
      result.BehindsOne = scoreboard_.B1;
      result.GoalsTwo = scoreboard_.G2;
      result.BehindsTwo = scoreboard_.B2;
      result.PointsOne = scoreboard_.P1;
      result.PointsTwo = scoreboard_.P2;
      scoreboard_ = Scoreboard{};
    }
  }
  next_ = k + 1;
  // A finals round is over as soon as its last match has been played.
  if (next_ >= matchCount_) next_ = 8;
  return playerMatch;
}

void UpdateLadder(Career& career, const RunState& run) {
  for (std::size_t s = 0; s < kMatchesPerRound; ++s) {
    const RoundSlot& slot = run.roundSlots[s];
    for (int side = 0; side < 2; ++side) {
      const std::string& club = side == 0 ? run.roundTeamOne[s] : run.roundTeamTwo[s];
      const int own = side == 0 ? slot.PointsOne : slot.PointsTwo;
      const int opp = side == 0 ? slot.PointsTwo : slot.PointsOne;
      // Every row holding the name is updated, should a name stand twice.
      for (LadderRow& row : career.Ladder) {
        if (row.Team != club) continue;
        if (own > opp) {
          row.Wins += 1;
        } else if (own == opp) {
          row.Draws += 1;
        } else {
          row.Losses += 1;
        }
        row.For += own;
        row.Against += opp;
      }
    }
  }
}

std::optional<FileError> Round::Finish(Career& career, RunState& run,
                                       const std::filesystem::path& folder, const Hooks& hooks) {
  if (!okEnabled()) return std::nullopt;
  std::optional<FileError> error;
  auto note = [&](std::optional<FileError> e) {
    if (e && !error) error = std::move(e);
  };
  if (career.Matches <= 21) UpdateLadder(career, run);
  if (hooks.finals) note(hooks.finals());
  career.Matches += 1;
  career.ContractMatches -= 1;
  if (career.Matches == 26 && hooks.seasonEnd) note(hooks.seasonEnd());
  if (hooks.weekly) hooks.weekly();

  // The round's record: in a finals week the player's club may have no
  // match, and then his line is five zeros.
  RoundRecord record;
  record.player = run.lastPlayer;
  if (career.Matches >= 23) {
    const int played = MatchesInWeek(career.Matches - 1);
    bool clubPlayed = false;
    for (int s = 0; s < played; ++s) {
      const auto i = static_cast<std::size_t>(s);
      clubPlayed =
          clubPlayed || run.roundTeamOne[i] == career.Team || run.roundTeamTwo[i] == career.Team;
    }
    if (!clubPlayed) record.player = PlayerLine{};
  }
  record.teamOne = run.roundTeamOne;
  record.teamTwo = run.roundTeamTwo;
  record.slots = run.roundSlots;

  // The round commits in this order, each file but the results written
  // whole through the atomic writer (so each is either old or new, never
  // half of both):
  //   1. the next finals stage, into the fixture (the last home-and-away
  //      round and the first three weeks of finals);
  //   2. at the season's close: the season history (this season's block
  //      added), the career history, and the next season's fixture (when
  //      the player stays in a competition or moves to another; the draft
  //      writes the AFL's later, and a retired player gets none);
  //   3. the round's record: a season's first round starts the results file
  //      anew through the atomic writer, later rounds write theirs in place
  //      after the records before it (a crash part way leaves a torn tail
  //      beyond the save's rounds);
  //   4. the week into the career log, in place as the results are (its
  //      torn tail is beyond the save's week, and dropped by its readers);
  //   5. the save, last: the save is what commits the round.
  // The first write that fails stops the rest, so the save on disk never
  // runs ahead of the files it depends on. Nothing is deleted before the
  // save. A crash (or a failed write) between any two of these leaves the
  // old save with some of the new files, and the next attempt puts that
  // right while a load only reads: a finals stage and a record go to their
  // own places, replacing what an unsaved attempt left there; a load ignores
  // records (and log weeks) beyond the save's rounds, and a season that is over needs none
  // (the next season's first record may already stand alone in the file); a
  // season history block replaces a block of the same season; the career
  // history is rewritten whole; and when the save still waits for the grand
  // final but the next season's fixture has been written, the grand final
  // is drawn again from the preliminary finals' record.
  if (error) return error;
  if (auto e = StoreRoundResult(folder, career, record)) return e;
  if (hooks.log) {
    if (auto e = hooks.log(record)) return e;
  }
  return SaveCareer(folder, career);
}

const char* ColourName(NameColour colour) {
  switch (colour) {
    case NameColour::PlayerClub:
      return "player";
    case NameColour::NextMatch:
      return "next";
    case NameColour::Other:
      return "other";
  }
  return "other";
}

}  // namespace km
