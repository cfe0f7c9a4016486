// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How test failures print the game's own types.

#include <ostream>

#include "core/money.h"

namespace km {

inline void PrintTo(const Money& money, std::ostream* out) { *out << "$" << money.ToString(); }

}  // namespace km
