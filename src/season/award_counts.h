// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/career.h"

namespace km {

// The awards a season can bring, each counted over every competition that
// gives it: the most valuable player, the Brownlow, the goal-kicking awards,
// the rookie awards, under 21, best and fairest, the all-star and
// representative teams, and the captaincy.
inline constexpr int kAwardKinds = 12;
using AwardCounts = std::array<int, kAwardKinds>;

// How many times the career has won each kind of award so far.
AwardCounts CountAwards(const Career& career);

// The awards whose count went up between `before` and `after`, by name
// ("Best and Fairest"), in the table's order.
std::vector<std::string> AwardsWon(const AwardCounts& before, const AwardCounts& after);

}  // namespace km
