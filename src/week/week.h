// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/career.h"
#include "core/ports.h"
#include "core/run_state.h"

namespace km {

inline constexpr const char* kWornGearQuestion =
    "Your football gear is not up to scratch for this match, you will have to purchase some new "
    "gear. If you choose to play anyway, your performance will be hindered. Do you wish to play "
    "this match ?";
inline constexpr int kSeasonWeeks = 26;
// A new season's captain: an Overall above kCaptainOverall, older than
// kCaptainAge, with at least kCaptainAflMatches AFL matches behind him.
inline constexpr int kCaptainOverall = 180;
inline constexpr int kCaptainAge = 23;
inline constexpr int kCaptainAflMatches = 50;

// The hub's Play: the gear check (worn gear asks whether to play anyway), a
// new season when the last one is over, then the injury and suspension
// count-down. True when the week goes ahead and the round opens; false when
// the player chose not to play in worn gear.
bool AdvanceWeek(Career& career, RunState& run, Prompter& prompter);

// The two halves of the week's start, for a caller that opens the round
// between them: the gear check and the new season (true when he plays this
// week), then the count-down, which runs whether he plays or not.
bool StartWeek(Career& career, Prompter& prompter);
void CountDownWeek(Career& career, RunState& run, Prompter& prompter);

// Whether the player misses this week's match (after the count-down).
inline bool MissesThisMatch(const Career& career) {
  return career.Injury > -1 || career.Suspension > -1;
}

}  // namespace km
