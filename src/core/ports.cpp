// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ports.h"

#include <chrono>
#include <cstdlib>

namespace km {

int Random::roll(int n) { return static_cast<int>(draw() * n) + 1; }

TwisterRandom::TwisterRandom()
    : engine_(static_cast<std::uint64_t>(
          std::chrono::high_resolution_clock::now().time_since_epoch().count())) {}

TwisterRandom::TwisterRandom(std::uint64_t seed) : engine_(seed) {}

double TwisterRandom::draw() {
  // 53 random bits make every double in [0, 1) on an even grid.
  return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

std::filesystem::path DefaultDataFolder() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg != nullptr && std::filesystem::path(xdg).is_absolute()) {
    return std::filesystem::path(xdg) / kProgramTitle;
  }
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home != nullptr ? home : ".") / ".local" / "share" / kProgramTitle;
}

}  // namespace km
