#include "sim/seasons.h"

#include <algorithm>
#include <string_view>

#include "core/number_format.h"

namespace km::sim {

namespace {

std::string AwardsText(const SeasonSummary& s) {
  if (s.awards.empty()) return "-";
  std::string text;
  for (const std::string& award : s.awards) text += (text.empty() ? "" : ", ") + award;
  return text;
}

std::string RatingText(double rating) { return FormatNumber(rating, "0.0"); }

}  // namespace

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
