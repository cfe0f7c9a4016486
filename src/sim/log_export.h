// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "season/career_log.h"
#include "season/hall_of_fame.h"

namespace km::sim {

// The names of a week's figures, in the order the CSV's columns and the
// JSON's keys give them: season, week, competition, club, played, ...
std::vector<std::string> LogWeekFields();

// The log as CSV: a heading row of the week's figures, then one row a week.
// Text with a comma, a quote or a line break is quoted; money is in dollars;
// a week without an absence leaves that column empty.
std::string LogCsv(const CareerLog& log);

// The log as one JSON object:
//   {"career": ..., "startsLate": ..., "weeks": [{...figures...,
//    "events": [{"kind": ..., "title": ..., "text": ...}]}]}
// A week without an absence has null for it.
nlohmann::ordered_json LogJson(const std::string& careerName, const CareerLog& log);

// The hall of fame as aligned text under a heading line:
//   Career  Player              Seasons  Matches  Goals  Brownlows  Highest  Peak
// A retired player's name is followed by "(retired)"; a damaged career's
// row gives its sentence after its name.
std::vector<std::string> HallOfFameLines(const std::vector<HallOfFameRow>& rows);
// As CSV: a heading row, then one row a career, its sentence in the last
// column when it is damaged.
std::string HallOfFameCsv(const std::vector<HallOfFameRow>& rows);
// As a JSON array of one object a career; a damaged one holds only its
// name and its sentence ("damaged").
nlohmann::ordered_json HallOfFameJson(const std::vector<HallOfFameRow>& rows);

}  // namespace km::sim
