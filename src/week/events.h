// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/career.h"
#include "core/ports.h"

namespace km {

inline constexpr const char* kLotteryMessage =
    "CONGRATULATIONS! You have won $1,000,000 from Powerball! Enjoy your new luxury life";

// The week's random life event, rolled once the finished match is booked.
// First the one-in-a-million lottery, then by a roll of 12: a stroke of good
// fortune (4 chances in 12), a misfortune (2 in 12), a Yes/No choice with a
// random outcome (1 in 12), or nothing (5 in 12). An event whose condition
// fails does nothing at all that week.
//
// `lastDisposals` and `lastGoals` are the last match's figures; whether the
// player took the field is read from the career (no injury and no
// suspension). The bank may go negative; a changed bar stays within 0..100
// and a changed skill within 1..200. The overall bars and the overall rating
// are left for the next recount.
void RunWeeklyEvents(Career& career, Random& random, Prompter& prompter, int lastDisposals,
                     int lastGoals);

}  // namespace km
