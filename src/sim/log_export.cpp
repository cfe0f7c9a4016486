// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/log_export.h"

#include <array>
#include <functional>
#include <string_view>
#include <type_traits>

#include "core/money.h"
#include "sim/seasons.h"

namespace km::sim {

namespace {

using Json = nlohmann::ordered_json;

// Money as the simulator's record gives it: whole dollars stay an integer.
Json MoneyValue(Money money) {
  if (money.cents() % 100 == 0) return money.cents() / 100;
  return money.ToDouble();
}

Json AbsenceValue(Absence absence) {
  switch (absence) {
    case Absence::None:
      return nullptr;
    case Absence::Injured:
      return "injured";
    case Absence::Suspended:
      return "suspended";
    case Absence::NoMatch:
      return "no match";
    case Absence::Retired:
      return "retired";
  }
  return nullptr;
}

struct WeekField {
  std::string_view name;
  std::function<Json(const LogWeek&)> value;
};

// A week's figures, each with its name in the exports.
const std::vector<WeekField>& WeekFields() {
  static const std::vector<WeekField> fields = {
      {"season", [](const LogWeek& w) { return Json(w.season); }},
      {"week", [](const LogWeek& w) { return Json(w.week); }},
      {"competition", [](const LogWeek& w) { return Json(w.competition); }},
      {"club", [](const LogWeek& w) { return Json(w.club); }},
      {"played", [](const LogWeek& w) { return Json(w.played); }},
      {"disposals", [](const LogWeek& w) { return Json(w.disposals); }},
      {"goals", [](const LogWeek& w) { return Json(w.goals); }},
      {"behinds", [](const LogWeek& w) { return Json(w.behinds); }},
      {"rating", [](const LogWeek& w) { return Json(w.rating); }},
      {"kicking", [](const LogWeek& w) { return Json(w.kicking); }},
      {"handballing", [](const LogWeek& w) { return Json(w.handballing); }},
      {"tackling", [](const LogWeek& w) { return Json(w.tackling); }},
      {"marking", [](const LogWeek& w) { return Json(w.marking); }},
      {"running", [](const LogWeek& w) { return Json(w.running); }},
      {"overall", [](const LogWeek& w) { return Json(w.overall); }},
      {"fitness", [](const LogWeek& w) { return Json(w.fitness); }},
      {"health", [](const LogWeek& w) { return Json(w.health); }},
      {"stamina", [](const LogWeek& w) { return Json(w.stamina); }},
      {"healthOverall", [](const LogWeek& w) { return Json(w.healthOverall); }},
      {"boots", [](const LogWeek& w) { return Json(w.boots); }},
      {"jumper", [](const LogWeek& w) { return Json(w.jumper); }},
      {"shorts", [](const LogWeek& w) { return Json(w.shorts); }},
      {"other", [](const LogWeek& w) { return Json(w.other); }},
      {"gearOverall", [](const LogWeek& w) { return Json(w.gearOverall); }},
      {"wages", [](const LogWeek& w) { return MoneyValue(w.wages); }},
      {"sponsorship", [](const LogWeek& w) { return MoneyValue(w.sponsorship); }},
      {"otherIncome", [](const LogWeek& w) { return MoneyValue(w.otherIncome); }},
      {"bankBalance", [](const LogWeek& w) { return MoneyValue(w.bankBalance); }},
      {"injury", [](const LogWeek& w) { return Json(w.injury); }},
      {"suspension", [](const LogWeek& w) { return Json(w.suspension); }},
      {"absence", [](const LogWeek& w) { return AbsenceValue(w.absence); }},
  };
  return fields;
}

// One CSV cell: quoted when the text holds a comma, a quote or a line break.
void AppendCsvCell(std::string& out, std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += text;
    return;
  }
  out += '"';
  for (const char ch : text) {
    if (ch == '"') out += '"';
    out += ch;
  }
  out += '"';
}

void AppendCsvValue(std::string& out, const Json& value) {
  if (value.is_string()) {
    AppendCsvCell(out, value.get_ref<const std::string&>());
  } else if (!value.is_null()) {
    out += value.dump();
  }
}

template <typename Cells>
void AppendCsvRow(std::string& out, const Cells& cells) {
  bool first = true;
  for (const auto& cell : cells) {
    if (!first) out += ',';
    first = false;
    if constexpr (std::is_same_v<std::decay_t<decltype(cell)>, Json>) {
      AppendCsvValue(out, cell);
    } else {
      AppendCsvCell(out, cell);
    }
  }
  out += '\n';
}

// The hall of fame's columns, as the start screen heads them.
constexpr std::array<std::string_view, 8> kHallHeadings = {"Career",
                                                           "Player",
                                                           "Seasons",
                                                           "Matches",
                                                           "Goals",
                                                           "Brownlow Medals",
                                                           "Highest competition",
                                                           "Peak Overall"};

std::string PlayerText(const HallOfFameRow& row) {
  return row.retired ? row.player + " (retired)" : row.player;
}

}  // namespace

std::vector<std::string> LogWeekFields() {
  std::vector<std::string> names;
  for (const WeekField& field : WeekFields()) names.emplace_back(field.name);
  return names;
}

std::string LogCsv(const CareerLog& log) {
  std::string out;
  AppendCsvRow(out, LogWeekFields());
  std::vector<Json> cells(WeekFields().size());
  for (const LogWeek& week : log.weeks) {
    for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = WeekFields()[i].value(week);
    AppendCsvRow(out, cells);
  }
  return out;
}

Json LogJson(const std::string& careerName, const CareerLog& log) {
  Json weeks = Json::array();
  for (const LogWeek& week : log.weeks) {
    Json object = Json::object();
    for (const WeekField& field : WeekFields()) object[std::string(field.name)] = field.value(week);
    Json events = Json::array();
    for (const LogEvent& event : week.events) {
      events.push_back({{"kind", std::string(LogEventKindName(event.kind))},
                        {"title", event.title},
                        {"text", event.text}});
    }
    object["events"] = std::move(events);
    weeks.push_back(std::move(object));
  }
  return {{"career", careerName}, {"startsLate", log.StartsLate()}, {"weeks", std::move(weeks)}};
}

std::vector<std::string> HallOfFameLines(const std::vector<HallOfFameRow>& rows) {
  std::vector<std::vector<std::string>> cells;
  cells.emplace_back(kHallHeadings.begin(), kHallHeadings.end());
  for (const HallOfFameRow& row : rows) {
    if (!row.damaged.empty()) {
      cells.push_back({row.careerName, row.damaged});
      continue;
    }
    cells.push_back({row.careerName, PlayerText(row), std::to_string(row.seasons),
                     std::to_string(row.matches), std::to_string(row.goals),
                     std::to_string(row.brownlows), row.highestCompetition,
                     std::to_string(row.peakOverall)});
  }
  return AlignedLines(cells);
}

std::string HallOfFameCsv(const std::vector<HallOfFameRow>& rows) {
  std::string out;
  AppendCsvRow(out,
               std::array<std::string_view, 11>{"career", "player", "seasons", "matches", "goals",
                                                "brownlows", "highestCompetition", "peakOverall",
                                                "retired", "logStartsLate", "damaged"});
  for (const HallOfFameRow& row : rows) {
    if (!row.damaged.empty()) {
      AppendCsvRow(
          out, std::vector<Json>{row.careerName, "", "", "", "", "", "", "", "", "", row.damaged});
      continue;
    }
    AppendCsvRow(out, std::vector<Json>{row.careerName, row.player, row.seasons, row.matches,
                                        row.goals, row.brownlows, row.highestCompetition,
                                        row.peakOverall, row.retired, row.logStartsLate, ""});
  }
  return out;
}

Json HallOfFameJson(const std::vector<HallOfFameRow>& rows) {
  Json careers = Json::array();
  for (const HallOfFameRow& row : rows) {
    if (!row.damaged.empty()) {
      careers.push_back({{"career", row.careerName}, {"damaged", row.damaged}});
      continue;
    }
    careers.push_back({{"career", row.careerName},
                       {"player", row.player},
                       {"seasons", row.seasons},
                       {"matches", row.matches},
                       {"goals", row.goals},
                       {"brownlows", row.brownlows},
                       {"highestCompetition", row.highestCompetition},
                       {"peakOverall", row.peakOverall},
                       {"retired", row.retired},
                       {"logStartsLate", row.logStartsLate}});
  }
  return careers;
}

}  // namespace km::sim
