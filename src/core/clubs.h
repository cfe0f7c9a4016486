// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The clubs of each competition.

#include <array>
#include <string_view>

namespace km {

using ClubList = std::array<std::string_view, 16>;

// The sixteen clubs of a competition, in their fixture slot order. The State
// League's clubs depend on the player's home state.
const ClubList& ClubsOf(std::string_view league, std::string_view homeState);

}  // namespace km
