// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/run_state.h"

#include "core/career.h"

namespace km {

namespace {

constexpr std::array<int Career::*, kHubBarCount> kHubBarFields = {
    &Career::Boots,  &Career::Jumper,      &Career::Shorts,
    &Career::Other,  &Career::GearOverall, &Career::Fitness,
    &Career::Health, &Career::Stamina,     &Career::HealthOverall,
};

}  // namespace

int HubBarValue(const Career& career, HubBar bar) {
  return career.*kHubBarFields[static_cast<std::size_t>(bar)];
}

void MarkRestoredBars(const Career& career, RunState& run, HubBar first, HubBar last) {
  for (auto i = static_cast<std::size_t>(first); i <= static_cast<std::size_t>(last); ++i) {
    if (!IsBarLow(career.*kHubBarFields[i])) run.barColours[i] = BarColour::Restored;
  }
}

void MarkLowBars(const Career& career, RunState& run) {
  for (std::size_t i = 0; i < kHubBarCount; ++i) {
    if (IsBarLow(career.*kHubBarFields[i])) run.barColours[i] = BarColour::Low;
  }
}

const char* ColourName(BarColour colour) {
  switch (colour) {
    case BarColour::Plain:
      return "plain";
    case BarColour::Restored:
      return "restored";
    case BarColour::Low:
      return "low";
  }
  return "plain";
}

const char* ColourName(PlayColour colour) {
  switch (colour) {
    case PlayColour::Normal:
      return "normal";
    case PlayColour::Injured:
      return "injured";
    case PlayColour::Suspended:
      return "suspended";
    case PlayColour::LastMissed:
      return "lastMissed";
  }
  return "normal";
}

}  // namespace km
