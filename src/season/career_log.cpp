// SPDX-License-Identifier: GPL-3.0-or-later
#include "season/career_log.h"

#include <array>
#include <charconv>
#include <cmath>

#include "core/file_names.h"
#include "core/number_format.h"
#include "core/text_file.h"
#include "season/award_counts.h"
#include "season/fixture.h"
#include "season/season_end.h"

namespace km {

namespace {

constexpr std::string_view kHeading = "Kickmark career log 1";

constexpr std::array<std::string_view, kLogEventKinds> kKindNames = {
    "message", "question", "story", "award", "milestone", "move", "contract", "sponsor", "draft"};

constexpr std::array<std::string_view, 5> kAbsenceNames = {"-", "injured", "suspended", "no match",
                                                           "retired"};

// A week's figures after its season and week, in the order a W line keeps
// them.
constexpr std::size_t kWeekFields = 29;

void AppendEscaped(std::string& out, std::string_view text) {
  for (const char ch : text) {
    switch (ch) {
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        out += ch;
    }
  }
}

std::optional<std::string> Unescaped(std::string_view text) {
  if (text.find('\\') == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case 't':
        out += '\t';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case '\\':
        out += '\\';
        break;
      default:
        return std::nullopt;
    }
  }
  return out;
}

class LineWriter {
 public:
  explicit LineWriter(std::string& out) : out_(out) {}
  LineWriter& text(std::string_view value) {
    out_ += '\t';
    AppendEscaped(out_, value);
    return *this;
  }
  LineWriter& number(long long value) {
    out_ += '\t';
    out_ += std::to_string(value);
    return *this;
  }
  LineWriter& money(Money value) { return text(value.ToString()); }
  void end() { out_ += '\n'; }

 private:
  std::string& out_;
};

void AppendWeek(std::string& out, const LogWeek& w) {
  out += 'W';
  LineWriter line(out);
  line.number(w.season).number(w.week).text(w.competition).text(w.club).number(w.played ? 1 : 0);
  line.number(w.disposals).number(w.goals).number(w.behinds).text(FormatGeneral(w.rating));
  line.number(w.kicking).number(w.handballing).number(w.tackling).number(w.marking);
  line.number(w.running).number(w.overall);
  line.number(w.fitness).number(w.health).number(w.stamina).number(w.healthOverall);
  line.number(w.boots).number(w.jumper).number(w.shorts).number(w.other).number(w.gearOverall);
  line.money(w.wages).money(w.sponsorship).money(w.otherIncome).money(w.bankBalance);
  line.number(w.injury).number(w.suspension);
  line.text(kAbsenceNames[static_cast<std::size_t>(w.absence)]);
  line.end();
  for (const LogEvent& e : w.events) {
    out += 'E';
    LineWriter event(out);
    event.number(w.season).number(w.week).text(LogEventKindName(e.kind)).text(e.title).text(e.text);
    event.end();
  }
}

// A line's fields, up to the most a record has; `count` past that many
// says the line has too many.
struct Fields {
  std::array<std::string_view, 3 + kWeekFields> at;
  std::size_t count = 0;
  std::string_view operator[](std::size_t i) const { return at[i]; }
  [[nodiscard]] std::size_t size() const { return count; }
};

Fields SplitTabs(std::string_view line) {
  Fields fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    if (fields.count == fields.at.size()) {
      ++fields.count;
      break;
    }
    fields.at[fields.count++] = line.substr(start, tab - start);
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  return fields;
}

std::optional<int> Whole(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// One record of the log read back: a week's figures or one of its events.
struct Record {
  LogPlace place;
  bool isWeek = false;
  LogWeek week;
  LogEvent event;
};

// `events` false reads only an event's week, for readers that want only
// the figures.
std::optional<Record> ParseRecord(std::string_view line, bool events = true) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  Record r;
  if (!events && line.starts_with("E\t")) {
    const std::size_t tab = line.find('\t', 2);
    const std::size_t end = tab == std::string_view::npos ? line.size() : line.find('\t', tab + 1);
    const auto season = Whole(line.substr(2, tab - 2));
    const auto week =
        tab == std::string_view::npos ? std::nullopt : Whole(line.substr(tab + 1, end - tab - 1));
    if (!season || !week) return std::nullopt;
    r.place = {*season, *week};
    return r;
  }
  const auto f = SplitTabs(line);
  if (f.size() < 3 || (f[0] != "W" && f[0] != "E")) return std::nullopt;
  const auto season = Whole(f[1]);
  const auto week = Whole(f[2]);
  if (!season || !week) return std::nullopt;
  r.place = {*season, *week};
  if (f[0] == "E") {
    if (f.size() != 6) return std::nullopt;
    const auto kind = LogEventKindNamed(f[3]);
    auto title = Unescaped(f[4]);
    auto text = Unescaped(f[5]);
    if (!kind || !title || !text) return std::nullopt;
    r.event = {*kind, std::move(*title), std::move(*text)};
    return r;
  }
  if (f.size() != 3 + kWeekFields) return std::nullopt;
  r.isWeek = true;
  LogWeek& w = r.week;
  w.season = *season;
  w.week = *week;
  auto competition = Unescaped(f[3]);
  auto club = Unescaped(f[4]);
  if (!competition || !club) return std::nullopt;
  w.competition = std::move(*competition);
  w.club = std::move(*club);
  std::size_t next = 5;
  bool ok = true;
  const auto whole = [&](int& into) {
    const auto v = Whole(f[next++]);
    ok = ok && v.has_value();
    into = v.value_or(0);
  };
  const auto money = [&](Money& into) {
    const auto v = Money::Parse(f[next++]);
    ok = ok && v.has_value();
    into = v.value_or(Money{});
  };
  int played = 0;
  whole(played);
  w.played = played == 1;
  ok = ok && (played == 0 || played == 1);
  whole(w.disposals);
  whole(w.goals);
  whole(w.behinds);
  const auto rating = ParseDecimal(f[next++]);
  ok = ok && rating.has_value();
  w.rating = rating.value_or(0);
  for (int* skill : {&w.kicking, &w.handballing, &w.tackling, &w.marking, &w.running, &w.overall,
                     &w.fitness, &w.health, &w.stamina, &w.healthOverall, &w.boots, &w.jumper,
                     &w.shorts, &w.other, &w.gearOverall}) {
    whole(*skill);
  }
  money(w.wages);
  money(w.sponsorship);
  money(w.otherIncome);
  money(w.bankBalance);
  whole(w.injury);
  whole(w.suspension);
  const auto absence = std::find(kAbsenceNames.begin(), kAbsenceNames.end(), f[next]);
  ok = ok && absence != kAbsenceNames.end();
  w.absence = static_cast<Absence>(absence - kAbsenceNames.begin());
  if (!ok) return std::nullopt;
  return r;
}

// The log's lines, each with where it starts; a last line with no line end
// is torn and left out.
struct Line {
  std::size_t start;
  std::string_view text;
};
std::vector<Line> WholeLines(std::string_view bytes) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) break;
    lines.push_back({pos, bytes.substr(pos, end - pos)});
    pos = end + 1;
  }
  return lines;
}

std::string Sentence(const std::string& name, std::size_t line, std::string_view what) {
  return name + " could not be read: line " + std::to_string(line + 1) + " " + std::string(what);
}

}  // namespace

std::string_view LogEventKindName(LogEventKind kind) {
  return kKindNames[static_cast<std::size_t>(kind)];
}

std::optional<LogEventKind> LogEventKindNamed(std::string_view name) {
  const auto it = std::find(kKindNames.begin(), kKindNames.end(), name);
  if (it == kKindNames.end()) return std::nullopt;
  return static_cast<LogEventKind>(it - kKindNames.begin());
}

std::filesystem::path LogPath(const std::filesystem::path& folder, const Career& career) {
  return folder / (career.CareerName + std::string(kLogEnding));
}

LogPlace SavedPlace(const Career& saved) { return {saved.Age - 13, saved.Matches}; }

LogWeek WeekOf(const Career& c, const PlayerLine& line, bool played, std::vector<LogEvent> events) {
  LogWeek w;
  const LogPlace place = SavedPlace(c);
  w.season = place.season;
  w.week = place.week;
  w.competition = c.League;
  w.club = c.Team;
  w.played = played;
  if (played) {
    w.disposals = static_cast<int>(ParseWhole(line.Disposals).value_or(0));
    w.goals = static_cast<int>(ParseWhole(line.Goals).value_or(0));
    w.behinds = static_cast<int>(ParseWhole(line.Behinds).value_or(0));
    w.rating = ParseDecimal(line.MatchRating).value_or(0);
  } else if (c.Injury >= 0) {
    w.absence = Absence::Injured;
  } else if (c.Suspension >= 0) {
    w.absence = Absence::Suspended;
  } else {
    w.absence = IsRetired(c) ? Absence::Retired : Absence::NoMatch;
  }
  w.kicking = c.Kicking;
  w.handballing = c.Handballing;
  w.tackling = c.Tackling;
  w.marking = c.Marking;
  w.running = c.Running;
  w.overall = c.Overall;
  w.fitness = c.Fitness;
  w.health = c.Health;
  w.stamina = c.Stamina;
  w.healthOverall = c.HealthOverall;
  w.boots = c.Boots;
  w.jumper = c.Jumper;
  w.shorts = c.Shorts;
  w.other = c.Other;
  w.gearOverall = c.GearOverall;
  w.wages = c.Wages;
  w.sponsorship = c.Sponsorship;
  w.otherIncome = c.OtherIncome;
  w.bankBalance = c.BankBalance;
  w.injury = c.Injury;
  w.suspension = c.Suspension;
  w.events = std::move(events);
  return w;
}

std::string CareerLogText(const CareerLog& log) {
  std::string out(kHeading);
  out += '\n';
  for (const LogWeek& w : log.weeks) AppendWeek(out, w);
  return out;
}

std::variant<CareerLog, FileError> ParseCareerLog(std::string_view bytes, const std::string& name,
                                                  LogPlace upTo, LogDetail detail) {
  CareerLog log;
  const std::vector<Line> lines = WholeLines(bytes);
  if (lines.empty()) return log;  // nothing whole yet: a first week torn
  std::string_view heading = lines.front().text;
  if (!heading.empty() && heading.back() == '\r') heading.remove_suffix(1);
  if (heading != kHeading) return FileError{Sentence(name, 0, "is not a career log's heading")};
  LogPlace last{};
  for (std::size_t i = 1; i < lines.size(); ++i) {
    auto record = ParseRecord(lines[i].text, detail == LogDetail::Everything);
    if (!record) return FileError{Sentence(name, i, "is not a record of the log")};
    // Beyond the save: what a round whose save never followed left.
    if (upTo < record->place) break;
    if (record->isWeek) {
      if (!log.weeks.empty() && !(last < record->place)) {
        return FileError{Sentence(name, i, "goes back to a week logged before it")};
      }
      last = record->place;
      log.weeks.push_back(std::move(record->week));
    } else {
      if (log.weeks.empty() || record->place != last) {
        return FileError{Sentence(name, i, "is an event of no week logged before it")};
      }
      if (detail == LogDetail::Everything) {
        log.weeks.back().events.push_back(std::move(record->event));
      }
    }
  }
  return log;
}

std::variant<CareerLog, FileError> ReadCareerLog(const std::filesystem::path& file, LogPlace upTo,
                                                 LogDetail detail) {
  ReadResult read = ReadWholeFile(file);
  if (!read.bytes) {
    if (read.missing) return CareerLog{};
    return FileError{read.error};
  }
  return ParseCareerLog(*read.bytes, file.filename().string(), upTo, detail);
}

std::optional<FileError> AppendLogWeek(const std::filesystem::path& folder, const Career& career,
                                       const LogWeek& week) {
  const auto file = LogPath(folder, career);
  std::string lines;
  AppendWeek(lines, week);
  const ReadResult read = ReadWholeFile(file);
  if (!read.bytes && !read.missing) return FileError{read.error};
  // The lines kept: the heading and every whole record of a week before
  // this one. A log that does not start with the heading (or is empty) is
  // started again.
  std::size_t keep = 0;
  if (read.bytes) {
    const std::vector<Line> whole = WholeLines(*read.bytes);
    std::string_view heading = whole.empty() ? std::string_view{} : whole.front().text;
    if (!heading.empty() && heading.back() == '\r') heading.remove_suffix(1);
    if (heading == kHeading) {
      keep = 1;
      const LogPlace place{week.season, week.week};
      while (keep < whole.size()) {
        const auto record = ParseRecord(whole[keep].text, false);
        if (!record || !(record->place < place)) break;
        ++keep;
      }
    }
  }
  if (keep == 0) lines = std::string(kHeading) + '\n' + lines;
  return KeepAndAddInPlace(file, keep, lines);
}

std::vector<LogEvent> EventsBetween(const Career& before, const Career& after) {
  std::vector<LogEvent> events;
  for (std::string& award : AwardsWon(CountAwards(before), CountAwards(after))) {
    events.push_back({LogEventKind::Award, std::move(award), after.League + ", " + after.Team});
  }
  if (!IsRetired(before) && IsRetired(after)) {
    events.push_back(
        {LogEventKind::Move, "Retired",
         after.Name + " retired from " + after.Team + " in the " + after.League + "."});
  } else if (before.League != after.League || before.Team != after.Team) {
    const std::string title =
        before.League == after.League ? "To " + after.Team : before.League + " to " + after.League;
    events.push_back({LogEventKind::Move, title,
                      "From " + before.Team + " (" + before.League + ") to " + after.Team + " (" +
                          after.League + ")."});
  }
  // A company that took several places is one deal: "Smith Pharmacy" on the
  // major, jumper and boots.
  const std::array<std::pair<std::string_view, std::string Career::*>, 5> slots = {{
      {"major", &Career::MajorSponsor},
      {"jumper", &Career::JumperSponsor},
      {"shorts", &Career::ShortsSponsor},
      {"boots", &Career::BootsSponsor},
      {"socks", &Career::SocksSponsor},
  }};
  std::vector<std::pair<std::string, std::string>> deals;  // company, its places
  for (const auto& [slot, field] : slots) {
    const std::string& company = after.*field;
    if (before.*field == company) continue;
    const auto deal =
        std::find_if(deals.begin(), deals.end(), [&](const auto& d) { return d.first == company; });
    if (deal == deals.end()) {
      deals.emplace_back(after.*field, slot);
    } else {
      deal->second += ", " + std::string(slot);
    }
  }
  for (auto& [company, places] : deals) {
    events.push_back({LogEventKind::Sponsor, company,
                      company + " sponsors the " + places + ". Sponsorship is now $" +
                          after.Sponsorship.ToString() + " a week."});
  }
  return events;
}

std::optional<std::string> CheckLogAgrees(const std::filesystem::path& folder,
                                          const Career& saved) {
  // Checked after every week, so only the log's last weeks are read: the
  // weeks of the save's season, and the week before them so that a week
  // written twice shows (a career's whole log is read by the screens, the
  // hall of fame and the tests).
  const auto file = LogPath(folder, saved);
  ReadResult bytes = ReadWholeFile(file);
  if (!bytes.bytes && !bytes.missing) return bytes.error;
  const LogPlace place = SavedPlace(saved);
  std::string tail;
  if (bytes.bytes) {
    const std::vector<Line> lines = WholeLines(*bytes.bytes);
    std::size_t from = lines.size();
    bool reached = false;  // a week at or before the save's
    while (from > 1) {
      const auto record = ParseRecord(lines[--from].text, false);
      if (!record || !record->isWeek) continue;
      reached = reached || !(place < record->place);
      if (reached && record->place.season < place.season) break;
    }
    // The file's own first line, which must be the heading, then the tail.
    if (!lines.empty()) tail = bytes.bytes->substr(0, lines.front().text.size() + 1);
    if (from < lines.size()) tail += bytes.bytes->substr(lines[from].start);
  }
  const auto read = ParseCareerLog(tail, file.filename().string(), place);
  if (const auto* error = std::get_if<FileError>(&read)) return error->message;
  const CareerLog& log = std::get<CareerLog>(read);
  if (place.week == 0) return std::nullopt;  // no round played yet this season
  if (log.weeks.empty()) return "the log holds no week";
  const LogWeek& last = log.weeks.back();
  if (LogPlace{last.season, last.week} != place) {
    return "the log's last week is season " + std::to_string(last.season) + " week " +
           std::to_string(last.week) + ", the save's season " + std::to_string(place.season) +
           " week " + std::to_string(place.week);
  }
  LogWeek expected = WeekOf(saved, {}, last.played, last.events);
  expected.disposals = last.disposals;
  expected.goals = last.goals;
  expected.behinds = last.behinds;
  expected.rating = last.rating;
  if (expected != last) return "the log's last week is not the save's career";
  const auto round = ReadRoundResult(folder, saved, place.week);
  if (const auto* error = std::get_if<FileError>(&round)) return error->message;
  const PlayerLine& line = std::get<RoundRecord>(round).player;
  const LogWeek fromResults = WeekOf(saved, line, last.played, last.events);
  if (last.played && (fromResults.disposals != last.disposals || fromResults.goals != last.goals ||
                      fromResults.behinds != last.behinds || fromResults.rating != last.rating)) {
    return "the log's last week is not the results file's line";
  }
  // A season logged from its first week adds up to the save's season
  // figures; and the paper brought up again is not logged twice.
  bool fromWeekOne = false;
  int played = 0, disposals = 0, goals = 0, behinds = 0;
  long long ratingTenths = 0;
  for (const LogWeek& w : log.weeks) {
    if (w.season != place.season) continue;
    fromWeekOne = fromWeekOne || w.week == 1;
    played += w.played ? 1 : 0;
    disposals += w.disposals;
    goals += w.goals;
    behinds += w.behinds;
    ratingTenths += TenthsOf(w.rating);
    for (std::size_t e = 1; e < w.events.size(); ++e) {
      if (w.events[e].kind == LogEventKind::Story && w.events[e] == w.events[e - 1]) {
        return "the log holds a story twice in a row in week " + std::to_string(w.week);
      }
    }
  }
  if (fromWeekOne &&
      (played != saved.MatchesPlayed || disposals != saved.Disposals || goals != saved.Goals ||
       behinds != saved.Behinds || ratingTenths != TenthsOf(saved.MatchRating))) {
    return "the log's weeks of season " + std::to_string(place.season) +
           " do not add up to the save's season figures";
  }
  return std::nullopt;
}

}  // namespace km
