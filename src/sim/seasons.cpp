#include "sim/seasons.h"

#include <algorithm>
#include <string_view>

#include "core/number_format.h"

namespace km::sim {

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

std::string AwardsText(const SeasonSummary& s) {
  if (s.awards.empty()) return "-";
  std::string text;
  for (const std::string& award : s.awards) text += (text.empty() ? "" : ", ") + award;
  return text;
}

std::string RatingText(double rating) { return FormatNumber(rating, "0.0"); }

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

std::string SeasonLine(const SeasonSummary& s) {
  return std::to_string(s.season) + " | " + s.league + " | " + s.club + " | played " +
         std::to_string(s.played) + " | goals " + std::to_string(s.goals) + " | rating " +
         RatingText(s.ratingAverage) + " | awards " + AwardsText(s) + " | " + s.move;
}

std::vector<std::string> SeasonTable(const std::vector<SeasonSummary>& seasons) {
  using Row = std::array<std::string, 8>;
  std::vector<Row> rows = {
      {"Season", "League", "Club", "Played", "Goals", "Rating", "Awards", "Move"}};
  for (const SeasonSummary& s : seasons) {
    rows.push_back({std::to_string(s.season), s.league, s.club, std::to_string(s.played),
                    std::to_string(s.goals), RatingText(s.ratingAverage), AwardsText(s), s.move});
  }
  const std::size_t last = rows.front().size() - 1;
  std::array<std::size_t, 8> widths{};
  for (const Row& row : rows) {
    for (std::size_t c = 0; c < last; ++c) widths[c] = std::max(widths[c], row[c].size());
  }
  std::vector<std::string> lines;
  for (const Row& row : rows) {
    std::string line;
    for (std::size_t c = 0; c < last; ++c) {
      line += row[c] + std::string(widths[c] - row[c].size() + 2, ' ');
    }
    lines.push_back(line + row[last]);
  }
  return lines;
}

}  // namespace km::sim
