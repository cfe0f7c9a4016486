// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/career.h"

namespace km {

// What must hold of a career between any two weeks, whatever happened in
// them. Each broken rule comes back as a sentence naming the field.
std::vector<std::string> CheckInvariants(const Career& career);

// The three overall bars. Each is worked out again from its members only at
// certain moments: Overall after a match he played and after training,
// HealthOverall after health care, GearOverall after the gear store (events
// and sponsors change the members in between and leave the bar alone).
enum class OverallBar { Skills, Health, Gear };

// Right after one of those moments: the bar is the rounded mean of its
// members. Gives the sentence naming the bar when it is not.
std::optional<std::string> CheckOverallBar(const Career& career, OverallBar bar);

}  // namespace km
