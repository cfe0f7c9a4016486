#include "season/fixture.h"

#include <algorithm>

#include "core/file_system.h"
#include "core/number_format.h"
#include "core/text_file.h"

namespace km {
namespace {

constexpr ClubList kLocalReserves = {"West Coburg", "Lilydale",   "Marcellin",     "North Coburg",
                                     "Gisborne",    "Lalor",      "Kangaroo Flat", "Seaford",
                                     "Frankston",   "Rosebud",    "Berwick",       "Belmont",
                                     "Spotswood",   "Yarraville", "Golden Grove",  "Broadview"};
constexpr ClubList kLocalFirsts = {
    "Mornington",     "Mount Eliza",      "Chelsea",      "Edithvale/Aspendale",
    "East Burwood",   "Noble Park",       "Vermont",      "East Ringwood",
    "Old Haileybury", "University Blues", "St. Bernards", "Old Xaverians",
    "Bundoora",       "Montmorency",      "Heidelberg",   "North Heidelberg"};
constexpr ClubList kAFL = {
    "West Coast Eagles", "St.Kilda Saints",    "Melbourne Demons",  "Port Adelaide Power",
    "Brisbane Lions",    "Geelong Cats",       "Western Bulldogs",  "Adelaide Crows",
    "Kangaroos",         "Sydney Swans",       "Fremantle Dockers", "Essendon Bombers",
    "Richmond Tigers",   "Collingw'd Magpies", "Hawthorn Hawks",    "Carlton Blues"};
constexpr ClubList kStateNsw = {
    "Northern Bullants", "Tuggeranong",  "Eastlake",  "Queanbeyan",      "ADFA",
    "Belconnen",         "Weston Creek", "Wagga",     "Western Suburbs", "Pennant Hills",
    "East Coast",        "Wollongong",   "St George", "Balmain",         "Campbell Town",
    "North Shore"};
constexpr ClubList kStateNT = {"St Mary's",  "Wanderers",         "Nightcliff",         "Waratah",
                               "Darwin",     "Western Districts", "Palmerston",         "Aranda",
                               "Milingimbi", "Bathurst Island",   "Warriors",           "Barkly",
                               "Wulagi",     "Casuarina",         "Southern Districts", "Marrara"};
constexpr ClubList kStateQld = {"Zillmere", "Mt Gravatt",  "Southport",       "Morningside",
                                "Suncoast", "Broad Beach", "Redland",         "Labrador",
                                "Noosa",    "Aspley",      "Mayne",           "Coolangatta",
                                "Burleigh", "Springwood",  "Sufers Paradise", "Sandgate"};
constexpr ClubList kStateSA = {
    "Eagles",        "North Adelaide", "South Adelaide", "Central District",
    "Port Adelaide", "Sturt",          "Glenelg",        "West Adelaide",
    "Norwood",       "Woodville",      "West Torrens",   "Woodville",
    "Port District", "Salisbury",      "Seaton",         "Mitcham"};
constexpr ClubList kStateVic = {"Eastern Ranges",    "Gippsland Power",    "Dandenong Stingray.",
                                "Geelong Falcons",   "Murray Bushranger.", "Oakleigh Chargers",
                                "Tassie Mariners",   "Calder Cannons",     "Sandringham Drgns.",
                                "Western Jets",      "Bendigo Pioneers.",  "Northern Knights",
                                "N.Ballarat Rebels", "NSW ACT Rams",       "Werribee",
                                "Williamstown"};
constexpr ClubList kStateWA = {"Claremont",      "South Fremantle", "Subiaco",   "West Perth",
                               "Swan Districts", "East Perth",      "Perth",     "East Fremantle",
                               "Peel Thunder",   "North Beach",     "Whitford",  "Wanneroo",
                               "Collegians",     "Scarborough",     "Hamersley", "University"};

// clang-format off
constexpr std::array<TemplateRound, 22> kTemplate = {{
    {{{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}, {11, 12}, {13, 14}, {15, 16}}},
    {{{4, 8}, {3, 9}, {16, 7}, {12, 14}, {6, 1}, {2, 5}, {15, 11}, {10, 13}}},
    {{{7, 14}, {4, 15}, {2, 3}, {5, 12}, {1, 9}, {11, 6}, {8, 10}, {16, 13}}},
    {{{3, 15}, {10, 1}, {12, 16}, {14, 8}, {6, 4}, {9, 11}, {13, 5}, {2, 7}}},
    {{{6, 14}, {5, 4}, {3, 10}, {9, 7}, {16, 11}, {1, 12}, {2, 13}, {8, 15}}},
    {{{4, 10}, {11, 3}, {7, 5}, {12, 9}, {8, 1}, {14, 16}, {15, 2}, {13, 6}}},
    {{{7, 11}, {14, 2}, {13, 4}, {1, 16}, {9, 8}, {10, 12}, {6, 3}, {5, 15}}},
    {{{4, 14}, {10, 7}, {12, 2}, {11, 1}, {3, 16}, {9, 6}, {15, 13}, {8, 5}}},
    {{{2, 11}, {4, 7}, {15, 12}, {1, 13}, {6, 8}, {16, 9}, {14, 3}, {5, 10}}},
    {{{7, 13}, {14, 5}, {10, 15}, {1, 3}, {2, 9}, {11, 4}, {8, 16}, {12, 6}}},
    {{{15, 14}, {4, 9}, {13, 12}, {5, 1}, {11, 8}, {3, 7}, {2, 6}, {16, 10}}},
    {{{12, 8}, {10, 2}, {4, 1}, {6, 16}, {9, 5}, {14, 11}, {3, 13}, {7, 15}}},
    {{{6, 10}, {7, 12}, {13, 11}, {16, 4}, {1, 14}, {5, 3}, {8, 2}, {9, 15}}},
    {{{15, 6}, {13, 9}, {12, 4}, {8, 3}, {7, 1}, {11, 5}, {14, 10}, {16, 2}}},
    {{{3, 12}, {6, 7}, {13, 8}, {1, 15}, {9, 14}, {10, 11}, {2, 4}, {5, 16}}},
    {{{15, 8}, {14, 6}, {13, 2}, {12, 1}, {7, 9}, {11, 16}, {4, 5}, {10, 3}}},
    {{{2, 15}, {10, 4}, {16, 14}, {1, 8}, {6, 13}, {9, 12}, {3, 11}, {5, 7}}},
    {{{8, 14}, {7, 2}, {12, 10}, {11, 9}, {16, 1}, {3, 6}, {4, 13}, {15, 5}}},
    {{{2, 14}, {11, 7}, {16, 12}, {5, 13}, {8, 9}, {1, 10}, {4, 6}, {15, 3}}},
    {{{12, 5}, {3, 2}, {14, 7}, {15, 4}, {6, 11}, {9, 1}, {10, 8}, {13, 16}}},
    {{{5, 2}, {11, 15}, {14, 12}, {1, 6}, {7, 16}, {9, 3}, {8, 4}, {13, 10}}},
    {{{16, 15}, {10, 9}, {12, 11}, {6, 5}, {2, 1}, {14, 13}, {4, 3}, {8, 7}}},
}};

// The four orders a competition's ladder rows are shuffled into between two
// seasons in it.
constexpr std::array<std::array<int, 16>, 4> kStayOrders = {{
    {3, 5, 7, 2, 1, 10, 13, 4, 14, 16, 6, 15, 8, 9, 12, 11},
    {4, 5, 8, 3, 1, 10, 2, 13, 15, 7, 16, 14, 9, 6, 12, 11},
    {5, 6, 7, 10, 2, 9, 1, 3, 12, 13, 15, 14, 16, 4, 11, 8},
    {6, 13, 12, 8, 3, 1, 14, 10, 16, 11, 4, 15, 2, 5, 9, 7},
}};
// clang-format on

// Where each finals round's names start in the fixture, and how many.
struct Stage {
  int skip;
  int count;
};
constexpr std::array<Stage, 4> kFinalsStages = {{{352, 8}, {360, 6}, {366, 4}, {370, 2}}};

std::string QuotedLines(const std::vector<std::string>& values) {
  std::string out;
  for (const std::string& v : values) {
    out += '"';
    out += ToWindows1252(v);
    out += "\"\r\n";
  }
  return out;
}

// Adds values to the end of a file. The file is rewritten whole through the
// atomic writer, so a crash leaves it as it was or with all of them.
std::optional<FileError> AppendValues(const std::filesystem::path& file,
                                      const std::vector<std::string>& values) {
  std::string bytes;
  ReadResult read = ReadWholeFile(file);
  if (read.bytes) {
    bytes = std::move(*read.bytes);
    if (!bytes.empty() && bytes.back() != '\n') bytes += "\r\n";
  } else if (!read.missing) {
    return FileError{read.error};
  }
  bytes += QuotedLines(values);
  if (auto error = WriteFileAtomically(file, bytes)) return FileError{*error};
  return std::nullopt;
}

std::string Shown(int value) { return std::to_string(value); }

}  // namespace

const ClubList& ClubsOf(std::string_view league, std::string_view homeState) {
  if (league == "Local Firsts") return kLocalFirsts;
  if (league == "AFL") return kAFL;
  if (league != "State") return kLocalReserves;
  if (homeState == "ACT" || homeState == "New South Wales") return kStateNsw;
  if (homeState == "Northern Territory") return kStateNT;
  if (homeState == "Queensland") return kStateQld;
  if (homeState == "South Australia") return kStateSA;
  if (homeState == "Western Australia") return kStateWA;
  return kStateVic;  // Victoria and Tasmania
}

const std::array<TemplateRound, 22>& ScheduleTemplate() { return kTemplate; }

std::filesystem::path FixturePath(const std::filesystem::path& folder, const Career& career) {
  return folder / (career.CareerName + "Fixture.kmf");
}

std::filesystem::path ResultsPath(const std::filesystem::path& folder, const Career& career) {
  return folder / (career.CareerName + "Results.kmr");
}

std::variant<std::vector<std::string>, FileError> ReadQuotedValues(
    const std::filesystem::path& file) {
  const ReadResult read = ReadWholeFile(file);
  if (!read.bytes) return FileError{read.error};
  const std::string name = file.filename().string();
  std::vector<std::string> values;
  std::string_view bytes = *read.bytes;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    auto end = bytes.find('\n', pos);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() < 2 || line.front() != '"' || line.back() != '"') {
      return FileError{name + ", line " + std::to_string(values.size() + 1) +
                       ": expected a value in double quotes"};
    }
    values.push_back(FromWindows1252(line.substr(1, line.size() - 2)));
  }
  return values;
}

std::optional<FileError> WriteSeasonFixture(const std::filesystem::path& folder,
                                            const Career& career,
                                            const std::array<std::string, 16>& clubs) {
  std::vector<std::string> names;
  names.reserve(kFixtureValues);
  for (const TemplateRound& round : kTemplate) {
    for (const Pairing& match : round) {
      names.push_back(clubs[static_cast<std::size_t>(match[0] - 1)]);
      names.push_back(clubs[static_cast<std::size_t>(match[1] - 1)]);
    }
  }
  if (auto error = WriteFileAtomically(FixturePath(folder, career), QuotedLines(names))) {
    return FileError{*error};
  }
  return std::nullopt;
}

std::optional<FileError> AppendFinalsStage(const std::filesystem::path& folder,
                                           const Career& career,
                                           const std::vector<std::string>& names) {
  return AppendValues(FixturePath(folder, career), names);
}

std::variant<std::vector<std::string>, FileError> ReadRoundPairings(
    const std::filesystem::path& folder, const Career& career, int round) {
  const auto path = FixturePath(folder, career);
  auto read = ReadQuotedValues(path);
  if (auto* error = std::get_if<FileError>(&read)) return *error;
  const auto& values = std::get<std::vector<std::string>>(read);
  if (round < 1 || round > 26) {
    return FileError{"There is no round " + std::to_string(round) + " in a season"};
  }
  const Stage stage = round <= kHomeAndAwayRounds
                          ? Stage{16 * (round - 1), 16}
                          : kFinalsStages[static_cast<std::size_t>(round - 23)];
  if (static_cast<int>(values.size()) < stage.skip + stage.count) {
    return FileError{path.filename().string() + " ends at line " + std::to_string(values.size()) +
                     ", before the matches of round " + std::to_string(round) + " (lines " +
                     std::to_string(stage.skip + 1) + " to " +
                     std::to_string(stage.skip + stage.count) + ")"};
  }
  return std::vector<std::string>(values.begin() + stage.skip,
                                  values.begin() + stage.skip + stage.count);
}

std::vector<std::string> RoundRecordValues(const RoundRecord& r) {
  std::vector<std::string> v = {r.player.Disposals, r.player.Goals, r.player.Behinds,
                                r.player.MatchRating, r.player.Position};
  v.reserve(kResultValues);
  for (std::size_t s = 0; s < 8; ++s) {
    const RoundSlot& slot = r.slots[s];
    v.push_back(r.teamOne[s]);
    for (std::size_t q = 0; q < 4; ++q) {
      v.push_back(Shown(slot.GoalsOne[q]));
      v.push_back(Shown(slot.BehindsOne[q]));
    }
    v.push_back(r.teamTwo[s]);
    for (std::size_t q = 0; q < 4; ++q) {
      v.push_back(Shown(slot.GoalsTwo[q]));
      v.push_back(Shown(slot.BehindsTwo[q]));
    }
  }
  return v;
}

std::optional<FileError> AppendRoundResult(const std::filesystem::path& folder,
                                           const Career& career, const RoundRecord& record) {
  return AppendValues(ResultsPath(folder, career), RoundRecordValues(record));
}

std::variant<RoundRecord, FileError> ReadRoundResult(const std::filesystem::path& folder,
                                                     const Career& career, int round) {
  const auto path = ResultsPath(folder, career);
  auto read = ReadQuotedValues(path);
  if (auto* error = std::get_if<FileError>(&read)) return *error;
  const auto& values = std::get<std::vector<std::string>>(read);
  const std::string name = path.filename().string();
  const auto start = static_cast<std::size_t>(kResultValues) * static_cast<std::size_t>(round - 1);
  if (round < 1 || values.size() < start + kResultValues) {
    return FileError{name + " ends at line " + std::to_string(values.size()) +
                     ", before the record of round " + std::to_string(round)};
  }
  RoundRecord r;
  std::size_t at = start;
  r.player = {values[at], values[at + 1], values[at + 2], values[at + 3], values[at + 4]};
  at += 5;
  auto number = [&](std::size_t i) -> std::optional<int> {
    const auto n = ParseWhole(values[i]);
    if (!n) return std::nullopt;
    return static_cast<int>(*n);
  };
  for (std::size_t s = 0; s < 8; ++s) {
    RoundSlot& slot = r.slots[s];
    for (int side = 0; side < 2; ++side) {
      (side == 0 ? r.teamOne : r.teamTwo)[s] = values[at++];
      for (std::size_t q = 0; q < 4; ++q) {
        const auto goals = number(at);
        const auto behinds = number(at + 1);
        if (!goals || !behinds) {
          return FileError{name + ", line " + std::to_string((goals ? at + 1 : at) + 1) +
                           ": expected a whole number"};
        }
        (side == 0 ? slot.GoalsOne : slot.GoalsTwo)[q] = *goals;
        (side == 0 ? slot.BehindsOne : slot.BehindsTwo)[q] = *behinds;
        at += 2;
      }
    }
    slot.PointsOne = 6 * slot.GoalsOne[3] + slot.BehindsOne[3];
    slot.PointsTwo = 6 * slot.GoalsTwo[3] + slot.BehindsTwo[3];
  }
  return r;
}

void DeleteResults(const std::filesystem::path& folder, const Career& career) {
  Files().Remove(ResultsPath(folder, career).native());
}

std::optional<FileError> StartCompetitionSeason(const std::filesystem::path& folder, Career& career,
                                                Random& random, const ClubList& list) {
  std::array<std::string, 16> clubs;
  std::copy(list.begin(), list.end(), clubs.begin());
  if (auto error = WriteSeasonFixture(folder, career, clubs)) return error;
  const int c = random.roll(16);
  for (std::size_t k = 0; k < 16; ++k) {
    career.Ladder[k].Team = clubs[(k + static_cast<std::size_t>(c)) % 16];
  }
  return std::nullopt;
}

std::optional<FileError> StayInCompetitionSeason(const std::filesystem::path& folder,
                                                 Career& career, Random& random) {
  std::array<std::string, 16> old;
  for (std::size_t k = 0; k < 16; ++k) old[k] = career.Ladder[k].Team;
  const auto& order = kStayOrders[static_cast<std::size_t>(random.roll(4) - 1)];
  for (std::size_t k = 0; k < 16; ++k) {
    career.Ladder[k].Team = old[static_cast<std::size_t>(order[k] - 1)];
  }
  return WriteSeasonFixture(folder, career, old);
}

}  // namespace km
