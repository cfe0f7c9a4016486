// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/binding_looking_back.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <variant>
#include <vector>

#include "core/file_names.h"
#include "core/game_data.h"
#include "core/save_file.h"
#include "game/game.h"
#include "season/career_log.h"
#include "season/hall_of_fame.h"
#include "season/round.h"
#include "sim/log_export.h"

namespace km::web {

using nlohmann::json;

namespace {

constexpr int kWeeksInSeason = 26;
constexpr int kRoundsBeforeFinals = 22;

// A week of the season as the game names it: "Round 12" up to round 22,
// then the finals as the round screen names them, in title case
// ("Qualifying Finals", ..., "Grand Final").
std::string WeekName(int week) {
  if (week <= kRoundsBeforeFinals) return "Round " + std::to_string(week);
  std::string name = RoundTitle(week - 1);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const std::string matches = " matches";
  if (const auto at = name.find(matches); at != std::string::npos) name.erase(at, matches.size());
  bool start = true;
  for (char& c : name) {
    if (start) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    start = c == ' ';
  }
  return name;
}

int CompetitionIndex(const std::string& name) {
  const auto at = std::find(kCompetitionNames.begin(), kCompetitionNames.end(), name);
  return at == kCompetitionNames.end() ? 0 : static_cast<int>(at - kCompetitionNames.begin());
}

int AbsenceCode(Absence absence) {
  switch (absence) {
    case Absence::None:
      return 0;
    case Absence::Injured:
      return 1;
    case Absence::Suspended:
      return 2;
    case Absence::NoMatch:
      return 3;
    case Absence::Retired:
      return 4;
  }
  return 0;
}

// The hall of fame as `kickmark-sim hall-of-fame --format json` gives it,
// with each career's highest competition as a level to sort by.
json HallOfFame(const Game& game) {
  json rows = json::array();
  for (auto& row : sim::HallOfFameJson(ReadHallOfFame(game.folder().path))) {
    if (row.contains("highestCompetition")) {
      row["level"] = CompetitionIndex(row["highestCompetition"].get<std::string>());
    }
    rows.push_back(json(std::move(row)));
  }
  return {{"rows", std::move(rows)}};
}

json CareerSummary(const Career& c) {
  json levels = json::array();
  for (const LevelRecord& level : c.Levels) {
    levels.push_back({level.Matches, level.Disposals, level.Goals, level.Behinds});
  }
  return {{"name", c.Name},
          {"careerName", c.CareerName},
          {"team", c.Team},
          {"league", c.League},
          {"state", c.State},
          {"position", c.Position},
          {"levels", std::move(levels)}};
}

// The log's weeks a column a figure (a long career is a thousand weeks:
// one array each travels lighter than an object a week), and its scrapbook
// events in the order they came.
json LogView(const CareerLog& log) {
  constexpr std::array<const char*, 16> kNames = {
      "season",  "week",    "competition", "played",      "disposals", "goals",
      "behinds", "rating",  "kicking",     "handballing", "tackling",  "marking",
      "running", "overall", "bank",        "absence"};
  std::array<json, kNames.size()> columns;
  for (json& column : columns) column = json::array();
  json clubs = json::array();  // [week index, club] where the club changes
  json events = json::array();
  std::size_t index = 0;
  for (const LogWeek& w : log.weeks) {
    const double values[] = {static_cast<double>(w.season),
                             static_cast<double>(w.week),
                             static_cast<double>(CompetitionIndex(w.competition)),
                             w.played ? 1.0 : 0.0,
                             static_cast<double>(w.disposals),
                             static_cast<double>(w.goals),
                             static_cast<double>(w.behinds),
                             w.rating,
                             static_cast<double>(w.kicking),
                             static_cast<double>(w.handballing),
                             static_cast<double>(w.tackling),
                             static_cast<double>(w.marking),
                             static_cast<double>(w.running),
                             static_cast<double>(w.overall),
                             w.bankBalance.ToDouble(),
                             static_cast<double>(AbsenceCode(w.absence))};
    for (std::size_t i = 0; i < columns.size(); ++i) {
      // Whole figures go as integers: the rating and the bank may not be.
      if (i == 7 || i == 14) {
        columns[i].push_back(values[i]);
      } else {
        columns[i].push_back(static_cast<int>(values[i]));
      }
    }
    if (clubs.empty() || clubs.back()[1].get_ref<const std::string&>() != w.club) {
      clubs.push_back({index, w.club});
    }
    ++index;
    for (const LogEvent& e : w.events) {
      if (e.kind == LogEventKind::Message || e.kind == LogEventKind::Question) continue;
      events.push_back({w.season, w.week, std::string(LogEventKindName(e.kind)), e.title, e.text});
    }
  }
  json weeks = json::object();
  for (std::size_t i = 0; i < kNames.size(); ++i) weeks[kNames[i]] = std::move(columns[i]);
  weeks["clubs"] = std::move(clubs);
  return {
      {"weeks", std::move(weeks)}, {"events", std::move(events)}, {"startsLate", log.StartsLate()}};
}

json CareerLogOf(const Game& game, const std::string& name) {
  const std::filesystem::path folder = game.folder().path;
  Career loaded;
  const Career* career = nullptr;
  if (name.empty() || (game.HasCareer() && game.career().CareerName == name)) {
    if (!game.HasCareer()) throw std::logic_error("careerLog needs a career");
    career = &game.career();
  } else {
    // Read only, as the hall of fame reads it: nothing is locked or written.
    auto read = LoadCareer(folder / (name + kSaveExtension));
    if (const auto* error = std::get_if<FileError>(&read)) return {{"error", error->message}};
    loaded = std::get<Career>(std::move(read));
    career = &loaded;
  }
  auto log = ReadCareerLog(LogPath(folder, *career), SavedPlace(*career));
  if (const auto* error = std::get_if<FileError>(&log)) return {{"error", error->message}};
  json answer = LogView(std::get<CareerLog>(log));
  answer["career"] = CareerSummary(*career);
  json names = json::array();
  for (int week = 1; week <= kWeeksInSeason; ++week) names.push_back(WeekName(week));
  answer["weekNames"] = std::move(names);
  json competitions = json::array();
  for (const std::string_view c : kCompetitionNames) competitions.push_back(std::string(c));
  answer["competitions"] = std::move(competitions);
  return answer;
}

}  // namespace

std::optional<json> LookingBackOp(std::string_view op, const json& args, const Game& game) {
  if (op == "hallOfFame") return HallOfFame(game);
  if (op == "careerLog") return CareerLogOf(game, args.value("career", ""));
  return std::nullopt;
}

}  // namespace km::web
