// SPDX-License-Identifier: GPL-3.0-or-later
#include "match/match_reveal.h"

#include <array>
#include <cstddef>

namespace km {

namespace {

// Where in its share of the quarter each figure's steps come, in hundredths.
constexpr int kDisposalPhase = 50;
constexpr int kGoalPhase = 35;
constexpr int kBehindPhase = 70;

constexpr std::array<const char*, kQuarters> kPlayingTitles = {"1ST QUARTER", "2ND QUARTER",
                                                               "3RD QUARTER", "4TH QUARTER"};

}  // namespace

int RevealedCount(int from, int to, int minute, int phase) {
  const int steps = to - from;
  if (steps <= 0 || minute >= kQuarterMinutes) return to;
  // Step k of n (from 0) comes at minute 1 + 30 (k + phase) / n.
  int shown = 0;
  while (shown < steps && 1 + kQuarterMinutes * (100 * shown + phase) / (100 * steps) <= minute) {
    ++shown;
  }
  return from + shown;
}

std::string PlayingTitle(int quarter) {
  if (quarter < 1 || quarter > kQuarters) return {};
  return kPlayingTitles[static_cast<std::size_t>(quarter - 1)];
}

MatchState Revealed(const MatchState& atStart, const MatchState& now) {
  if (!now.ClockRunning || now.Quarter < 1 || now.Quarter > kQuarters) return now;
  MatchState shown = now;
  shown.Disposals = RevealedCount(atStart.Disposals, now.Disposals, now.Time, kDisposalPhase);
  shown.Goals = RevealedCount(atStart.Goals, now.Goals, now.Time, kGoalPhase);
  shown.Behinds = RevealedCount(atStart.Behinds, now.Behinds, now.Time, kBehindPhase);
  shown.MatchRating = atStart.MatchRating;
  shown.Comments = atStart.Comments;
  shown.QuarterTitle = PlayingTitle(now.Quarter);
  // The quarter's own columns: the score as it stands, until the siren writes it in.
  const auto quarter = static_cast<std::size_t>(now.Quarter - 1);
  shown.GoalsOneAt[quarter] = now.GoalsOne;
  shown.BehindsOneAt[quarter] = now.BehindsOne;
  shown.GoalsTwoAt[quarter] = now.GoalsTwo;
  shown.BehindsTwoAt[quarter] = now.BehindsTwo;
  return shown;
}

}  // namespace km
