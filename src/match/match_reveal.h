// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a match screen shows while a quarter is being played, on the desktop and in the browser
// alike. The rules work out the player's disposals, goals and behinds, his rating and the
// commentators' verdict for the quarter when Start is pressed; the screen lets them out across
// the quarter's minutes, as a crowd would see them: his figures climb minute by minute, the
// quarter's own columns of the scoreboard fill as the goals and behinds are kicked, and the
// verdict waits for the siren. At the siren the screen shows the match exactly as it stands.
// Nothing here changes what happens, only when it is seen.

#include <string>

#include "match/match.h"

namespace km {

// The match as shown at this minute of the quarter: `atStart` is the match as it stood when
// Start was pressed (the last break), `now` as it stands. Outside a quarter, `now` as it is.
MatchState Revealed(const MatchState& atStart, const MatchState& now);

// How many of the `from`..`to` steps of a figure are shown at `minute` of the quarter: none at
// its start, every one by the siren, spread evenly between; `phase` (0..99) shifts the figure's
// steps within their share of the quarter so that two figures seldom move in one minute.
int RevealedCount(int from, int to, int minute, int phase);

// What the break label says while a quarter is played ("2ND QUARTER").
std::string PlayingTitle(int quarter);

}  // namespace km
