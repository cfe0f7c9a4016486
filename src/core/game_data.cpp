// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/game_data.h"

#include <algorithm>

namespace km {

bool IsState(std::string_view text) {
  return std::find(kStates.begin(), kStates.end(), text) != kStates.end();
}

bool IsPosition(std::string_view text) {
  return std::find(kPositions.begin(), kPositions.end(), text) != kPositions.end();
}

}  // namespace km
