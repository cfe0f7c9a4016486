// SPDX-License-Identifier: GPL-3.0-or-later
#include "season/award_counts.h"

#include <string_view>

namespace km {

namespace {

// An award and the counters that keep it, one per competition giving it.
struct AwardKind {
  std::string_view name;
  std::array<int Career::*, 4> counters;  // unused places are null
};

constexpr std::array<AwardKind, kAwardKinds> kAwards = {{
    {"Most Valuable Player", {&Career::LocalMVP, &Career::RegionalMVP, &Career::StateMVP}},
    {"Brownlow Medal", {&Career::AFLBrownlow}},
    {"Most Goals",
     {&Career::LocalGoalsAward, &Career::RegionalGoalsAward, &Career::StateGoalsAward}},
    {"Coleman Medal", {&Career::AFLColeman}},
    {"Best Rookie", {&Career::LocalRookie, &Career::RegionalRookie, &Career::StateRookie}},
    {"Rising Star", {&Career::AFLRisingStar}},
    {"Under 21", {&Career::LocalU21, &Career::RegionalU21, &Career::StateU21, &Career::AFLU21}},
    {"Best and Fairest",
     {&Career::LocalBestAndFairest, &Career::RegionalBestAndFairest, &Career::StateBestAndFairest,
      &Career::AFLBestAndFairest}},
    {"All-Star", {&Career::LocalAllStar, &Career::RegionalAllStar}},
    {"State Representative", {&Career::StateVictorian}},
    {"All-Australian", {&Career::AFLAllAustralian}},
    {"Captain",
     {&Career::LocalCaptain, &Career::RegionalCaptain, &Career::StateCaptain, &Career::AFLCaptain}},
}};

}  // namespace

AwardCounts CountAwards(const Career& career) {
  AwardCounts counts{};
  for (std::size_t k = 0; k < kAwards.size(); ++k) {
    for (int Career::*counter : kAwards[k].counters) {
      if (counter != nullptr) counts[k] += career.*counter;
    }
  }
  return counts;
}

std::vector<std::string> AwardsWon(const AwardCounts& before, const AwardCounts& after) {
  std::vector<std::string> won;
  for (std::size_t k = 0; k < kAwards.size(); ++k) {
    if (after[k] > before[k]) won.emplace_back(kAwards[k].name);
  }
  return won;
}

}  // namespace km
