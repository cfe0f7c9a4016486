// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "core/career.h"
#include "core/ports.h"
#include "core/run_state.h"
#include "match/match.h"

namespace km {

// Books a finished match into the career (the match screen's Finish): the
// week's pay, votes, best on ground, season and career figures, the news,
// injuries and suspensions, the club's record, skill growth and wear, the
// weekly event, and the score into the round screen's row for this match.
// `weeklyEvents` is the week's random event roll, run at its place.
void FinishMatch(Career& career, const MatchState& match, Random& random, Prompter& prompter,
                 RunState& run, const std::function<void()>& weeklyEvents = {});

// A match of more than kBestOnGroundDisposals disposals or more than
// kBestOnGroundGoals goals earns medal votes and may earn best on ground: for
// certain with a rating above kBestOnGroundRating, else on a toss of a coin.
inline constexpr int kBestOnGroundDisposals = 25;
inline constexpr int kBestOnGroundGoals = 6;
inline constexpr int kBestOnGroundRating = 9;
// After a match he may be injured (one chance in kInjuryOdds) or suspended
// (one in kSuspensionOdds), for 1 to kLongestAbsence matches.
inline constexpr int kInjuryOdds = 50;
inline constexpr int kSuspensionOdds = 100;
inline constexpr int kLongestAbsence = 5;
// Matches make his skills grow while he is younger than this.
inline constexpr int kSkillsGrowUntil = 30;

// The prize for best on ground in a competition ($500 .. $3000).
Money BestOnGroundPrize(std::string_view league);

// The competition as the milestone messages name it ("State League" for the
// State).
std::string_view CompetitionWord(std::string_view league);

// The competition's index in the career records, or -1.
int LevelIndex(std::string_view league);

}  // namespace km
