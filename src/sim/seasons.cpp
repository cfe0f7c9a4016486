// SPDX-License-Identifier: GPL-3.0-or-later
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

// How many letters UTF-8 text shows: every byte but those that continue a letter.
std::size_t Letters(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char ch) {
    return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  }));
}

}  // namespace

std::string SeasonLine(const SeasonSummary& s) {
  return std::to_string(s.season) + " | " + s.league + " | " + s.club + " | played " +
         std::to_string(s.played) + " | goals " + std::to_string(s.goals) + " | rating " +
         RatingText(s.ratingAverage) + " | awards " + AwardsText(s) + " | " + s.move;
}

std::vector<std::string> SeasonTable(const std::vector<SeasonSummary>& seasons) {
  std::vector<std::vector<std::string>> rows = {
      {"Season", "League", "Club", "Played", "Goals", "Rating", "Awards", "Move"}};
  for (const SeasonSummary& s : seasons) {
    rows.push_back({std::to_string(s.season), s.league, s.club, std::to_string(s.played),
                    std::to_string(s.goals), RatingText(s.ratingAverage), AwardsText(s), s.move});
  }
  return AlignedLines(rows);
}

std::vector<std::string> AlignedLines(const std::vector<std::vector<std::string>>& rows) {
  std::vector<std::size_t> widths;
  for (const auto& row : rows) {
    if (row.size() > widths.size() + 1) widths.resize(row.size() - 1);
    for (std::size_t c = 0; c + 1 < row.size(); ++c) {
      widths[c] = std::max(widths[c], Letters(row[c]));
    }
  }
  std::vector<std::string> lines;
  lines.reserve(rows.size());
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t c = 0; c + 1 < row.size(); ++c) {
      line += row[c] + std::string(widths[c] - Letters(row[c]) + 2, ' ');
    }
    if (!row.empty()) line += row.back();
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace km::sim
