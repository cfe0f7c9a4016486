// SPDX-License-Identifier: GPL-3.0-or-later
#include "season/career_log.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>

#include "core/file_names.h"
#include "core/file_system.h"
#include "core/number_format.h"
#include "core/text_file.h"
#include "season/award_counts.h"
#include "season/fixture.h"
#include "season/season_end.h"

namespace km {

namespace {

constexpr std::string_view kHeading = "Kickmark career log 1";
// What a text editor may put before the heading when it saves the log.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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

void AppendEvent(std::string& out, LogPlace place, const LogEvent& e) {
  out += 'E';
  LineWriter event(out);
  event.number(place.season).number(place.week).text(LogEventKindName(e.kind)).text(e.title);
  event.text(e.text).end();
}

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
  for (const LogEvent& e : w.events) AppendEvent(out, {w.season, w.week}, e);
}

// A line's fields, up to the most a record has and a few empty ones after
// them (a spreadsheet may end a line with a tab); `count` past the room says
// the line has too many.
struct Fields {
  std::array<std::string_view, 3 + kWeekFields + 8> at;
  std::size_t count = 0;
  std::string_view operator[](std::size_t i) const { return at[i]; }
  [[nodiscard]] std::size_t size() const { return count; }
  // Drops empty fields at the end beyond the `wanted` many.
  void DropTrailingEmpty(std::size_t wanted) {
    while (count > wanted && count <= at.size() && at[count - 1].empty()) --count;
  }
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

// A match rating as the log writes it, or as a spreadsheet of a country
// that writes a decimal comma saves it ("5,5"): a rating has one decimal
// place and no thousands, so the comma can mean nothing else.
std::optional<double> Rating(std::string_view text) {
  if (text.find(',') == std::string_view::npos) return ParseDecimal(text);
  std::string pointed(text);
  std::replace(pointed.begin(), pointed.end(), ',', '.');
  return ParseDecimal(pointed);
}

// A line without its carriage return (a log saved with CRLF line ends).
std::string_view WithoutCr(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// Whether a line holds nothing an editor would show.
bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

// Whether a line is the log's heading, as written or as an editor saves it
// again (a byte order mark before it, blanks or a CR after it).
bool IsHeading(std::string_view line) {
  if (line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
  const std::size_t end = line.find_last_not_of(" \t\r");
  return line.substr(0, end == std::string_view::npos ? 0 : end + 1) == kHeading;
}

// A record's kind and week, read from the start of its line alone.
struct Placed {
  bool isWeek = false;
  LogPlace place;
};
std::optional<Placed> PlaceOf(std::string_view line) {
  if (line.size() < 2 || (line[0] != 'W' && line[0] != 'E') || line[1] != '\t') return std::nullopt;
  const std::size_t afterSeason = line.find('\t', 2);
  if (afterSeason == std::string_view::npos) return std::nullopt;
  const std::size_t afterWeek = line.find('\t', afterSeason + 1);
  if (afterWeek == std::string_view::npos) return std::nullopt;
  const auto season = Whole(line.substr(2, afterSeason - 2));
  const auto week = Whole(line.substr(afterSeason + 1, afterWeek - afterSeason - 1));
  if (!season || !week) return std::nullopt;
  return Placed{line[0] == 'W', {*season, *week}};
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
  line = WithoutCr(line);
  Record r;
  if (!events && line.starts_with("E\t")) {
    const auto placed = PlaceOf(line);
    if (!placed) return std::nullopt;
    r.place = placed->place;
    return r;
  }
  auto f = SplitTabs(line);
  if (f.size() < 3 || (f[0] != "W" && f[0] != "E")) return std::nullopt;
  const auto season = Whole(f[1]);
  const auto week = Whole(f[2]);
  if (!season || !week) return std::nullopt;
  r.place = {*season, *week};
  if (f[0] == "E") {
    f.DropTrailingEmpty(6);
    if (f.size() != 6) return std::nullopt;
    const auto kind = LogEventKindNamed(f[3]);
    auto title = Unescaped(f[4]);
    auto text = Unescaped(f[5]);
    if (!kind || !title || !text) return std::nullopt;
    r.event = {*kind, std::move(*title), std::move(*text)};
    return r;
  }
  f.DropTrailingEmpty(3 + kWeekFields);
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
  const auto rating = Rating(f[next++]);
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

std::string Sentence(const std::string& name, std::size_t line, std::string_view what) {
  return name + " could not be read: line " + std::to_string(line + 1) + " " + std::string(what);
}

std::string PlaceText(LogPlace place) {
  return "season " + std::to_string(place.season) + ", week " + std::to_string(place.week);
}

// The first piece of the end of a log that is read: enough for a week's
// records many times over. A piece that is not enough is read again four
// times as large.
constexpr std::uint64_t kTailPiece = 8 * 1024;

// Reads the end of an open log into `text` (from `offset` of the file), a
// growing piece at a time, until `enough` finds in it what it needs or the
// whole file has been read. `enough` is given the piece (starting at the
// start of a line, the partial line at its front left out) and whether it
// is the whole file. Returns the errno of a call that failed.
template <typename Enough>
int ReadTail(FileSystem& fs, int fd, std::uint64_t size, std::string& text, std::uint64_t& offset,
             const Enough& enough) {
  for (std::uint64_t piece = kTailPiece;; piece *= 4) {
    offset = size > piece ? size - piece : 0;
    if (const int e = fs.ReadAt(fd, offset, static_cast<std::size_t>(size - offset), text)) {
      return e;
    }
    const bool whole = offset == 0;
    if (!whole) {
      const std::size_t first = text.find('\n');
      if (first == std::string::npos) continue;
      text.erase(0, first + 1);
      offset += first + 1;
    }
    if (whole || enough(std::string_view(text))) return 0;
  }
}

// Where the week `target` goes in the end of a log (`text`, the whole file
// when `whole`): after every line an attempt of that week whose save never
// followed cannot have left. Such an attempt leaves at most the week's own
// records, a last line without its end, and after a power cut lines of zero
// bytes where its data never reached the disk; blank lines carry nothing.
// Everything else stays where it is, whatever it holds: a week before this
// one, the heading, or a line the player changed. Nothing when the text
// does not reach back far enough to tell.
std::optional<std::size_t> CutFor(std::string_view text, bool whole, LogPlace target) {
  // A last line without its end goes first: its write never finished.
  std::size_t end = text.size();
  if (end > 0 && text[end - 1] != '\n') {
    const std::size_t last = text.rfind('\n');
    end = last == std::string_view::npos ? 0 : last + 1;
  }
  // Each line [start, end - 1) ends in the line end at end - 1.
  while (end > 0) {
    const std::size_t before = end >= 2 ? text.rfind('\n', end - 2) : std::string_view::npos;
    const std::size_t start = before == std::string_view::npos ? 0 : before + 1;
    const std::string_view line = text.substr(start, end - 1 - start);
    const auto placed = PlaceOf(line);
    const bool cut = IsBlank(line) || line.find('\0') != std::string_view::npos ||
                     (placed && placed->place == target);
    if (!cut) return end;
    end = start;
  }
  if (!whole) return std::nullopt;
  return 0;
}

// Writes `lines` at the end of an open log, after what a write that never
// finished left there has been cut (see CutFor; records of `target` go
// too). With `after`, the lines are written only when the last record left
// is of that week: events join the records of their own week, or are not
// written at all (`written` says which). Closes the log. Returns the errno
// of a call that failed.
int WriteAtTail(FileSystem& fs, int fd, LogPlace target, std::optional<LogPlace> after,
                const std::string& lines, bool* written = nullptr) {
  // Only the end of the log is read: where the lines go is among its last
  // lines, however long the career.
  std::uint64_t size = 0;
  std::uint64_t offset = 0;
  std::string tail;
  std::optional<std::size_t> cut;
  int error = fs.FileSize(fd, size);
  if (error == 0) {
    error = ReadTail(fs, fd, size, tail, offset, [&](std::string_view text) {
      cut = CutFor(text, false, target);
      return cut.has_value();
    });
  }
  if (error == 0) {
    if (offset == 0) cut = CutFor(tail, true, target);
    const std::uint64_t at = offset + *cut;
    std::string added;
    if (at == 0) added = std::string(kHeading) + '\n';
    added += lines;
    bool follows = true;
    if (after) {
      const std::string_view kept(tail.data(), *cut);
      const std::size_t before =
          kept.size() >= 2 ? kept.rfind('\n', kept.size() - 2) : std::string_view::npos;
      const auto placed = PlaceOf(kept.substr(before == std::string_view::npos ? 0 : before + 1));
      follows = at > 0 && placed && placed->place == *after;
    }
    if (follows) {
      if (at < size) error = fs.Truncate(fd, at);
      if (error == 0) error = fs.WriteAt(fd, at, added);
      if (error == 0) error = fs.Sync(fd);
      if (written) *written = error == 0;
    }
  }
  // A failed close has let the descriptor go all the same.
  if (const int closed = fs.Close(fd); error == 0) error = closed;
  return error;
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
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  bool headed = false;
  LogPlace last{};
  // Once the save's own week and its events have been read, what follows is
  // a week whose save never followed: it is passed over unread, whatever it
  // holds (a torn record, the zero bytes a power cut leaves where data never
  // reached the disk). So is everything from a week beyond the save on. But
  // a week the save has played after such a line means the lines are out of
  // order, and the log is not read.
  bool atSavedWeek = false;
  std::optional<std::size_t> beyond;  // the line the weeks beyond the save start at
  bool beyondIsRecord = false;
  std::size_t number = 0;
  std::size_t lastWeekLine = 0;
  for (std::size_t pos = 0; pos < bytes.size(); ++number) {
    const std::size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) break;  // a last line whose write never finished
    const std::string_view text = bytes.substr(pos, end - pos);
    pos = end + 1;
    if (IsBlank(text)) continue;
    if (!headed) {
      if (!IsHeading(text))
        return FileError{Sentence(name, number, "is not a career log's heading")};
      headed = true;
      continue;
    }
    const auto placed = PlaceOf(text);
    if (beyond) {
      if (placed && !(upTo < placed->place)) {
        return FileError{Sentence(
            name, *beyond,
            beyondIsRecord ? "is a week the career's save has not played, yet weeks it has played "
                             "come after it"
                           : "is not a record of the log")};
      }
      continue;
    }
    // A record of a week the save has played is read (and must be in its
    // place); after the save's week, a line that is no record starts what
    // is passed over.
    const bool beyondSave = placed && upTo < placed->place;
    if (beyondSave || (atSavedWeek && !placed)) {
      beyond = number;
      beyondIsRecord = beyondSave;
      continue;
    }
    auto record = ParseRecord(text, detail == LogDetail::Everything);
    if (!record) return FileError{Sentence(name, number, "is not a record of the log")};
    if (record->isWeek) {
      if (!log.weeks.empty() && !(last < record->place)) {
        return FileError{Sentence(name, number, "goes back to a week logged before it")};
      }
      last = record->place;
      lastWeekLine = number;
      atSavedWeek = last == upTo;
      log.weeks.push_back(std::move(record->week));
    } else {
      if (log.weeks.empty() || record->place != last) {
        return FileError{Sentence(name, number, "is an event of no week logged before it")};
      }
      if (detail == LogDetail::Everything) {
        log.weeks.back().events.push_back(std::move(record->event));
      }
    }
  }
  // A log that has weeks reaches the save's own week (a career's log starts
  // where the game first kept it, and every round adds its week before the
  // save): one that stops short has lost its last weeks, and is not passed
  // off as whole. A save at a season's week 0 has played no week of it.
  if (!log.weeks.empty() && upTo.week > 0 && last != upTo) {
    return FileError{Sentence(name, lastWeekLine,
                              "is its last week, " + PlaceText(last) +
                                  ", but the career's save has played to " + PlaceText(upTo) +
                                  ": the weeks after it are missing")};
  }
  return log;
}

std::variant<CareerLog, FileError> ReadCareerLog(const std::filesystem::path& file, LogPlace upTo,
                                                 LogDetail detail) {
  ReadResult read = ReadWholeFile(file, kMaxLogBytes);
  if (!read.bytes) {
    if (read.missing) return CareerLog{};
    return FileError{read.error};
  }
  return ParseCareerLog(*read.bytes, file.filename().string(), upTo, detail);
}

std::filesystem::path SetAsidePath(const std::filesystem::path& folder, const Career& career) {
  // A name no career's own file has: "<career>Log (unreadable).kml", then
  // "(unreadable 2)" and on, so that an earlier one is never written over.
  for (int n = 1;; ++n) {
    const std::string suffix = n == 1 ? "" : " " + std::to_string(n);
    auto path = folder / (career.CareerName + "Log (unreadable" + suffix + ").kml");
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) return path;
  }
}

LoggedWeek AppendLogWeek(const std::filesystem::path& folder, const Career& career,
                         const LogWeek& week, bool setAside) {
  FileSystem& fs = Files();
  const auto file = LogPath(folder, career);
  const std::string name = file.filename().string();
  std::string lines;
  AppendWeek(lines, week);
  LoggedWeek logged;
  const auto startAfresh = [&]() -> LoggedWeek& {
    if (auto e = WriteFileAtomically(file, std::string(kHeading) + '\n' + lines)) {
      logged.error = FileError{*e};
    }
    return logged;
  };
  if (setAside) {
    const auto aside = SetAsidePath(folder, career);
    if (const int e = fs.Rename(file.native(), aside.native()); e != 0 && e != ENOENT) {
      logged.error = FileError{name + " could not be set aside: " + std::strerror(e)};
      return logged;
    }
    logged.setAsideAs = aside.filename().string();
    return startAfresh();
  }
  int fd = -1;
  if (const int e = fs.OpenForUpdate(file.native(), fd)) {
    if (e == ENOENT) return startAfresh();
    logged.error = FileError{FileProblem(name, e, false)};
    return logged;
  }
  // The week goes after every line an attempt of the same week whose save
  // never followed cannot have left.
  const LogPlace target{week.season, week.week};
  if (const int e = WriteAtTail(fs, fd, target, std::nullopt, lines)) {
    logged.error = FileError{FileProblem(name, e, false)};
  }
  return logged;
}

LoggedEvents AppendLogEvents(const std::filesystem::path& folder, const Career& career,
                             LogPlace place, const std::vector<LogEvent>& events) {
  LoggedEvents logged;
  if (events.empty()) return logged;
  FileSystem& fs = Files();
  const auto file = LogPath(folder, career);
  const std::string name = file.filename().string();
  std::string lines;
  for (const LogEvent& e : events) AppendEvent(lines, place, e);
  int fd = -1;
  if (const int e = fs.OpenForUpdate(file.native(), fd)) {
    // No log (a career begun before the game kept one): nothing to add to.
    if (e != ENOENT) logged.error = FileError{FileProblem(name, e, false)};
    return logged;
  }
  // No week's records are cut here (a place no record has): only what a
  // write that never finished left. The events join their week's records.
  bool follows = false;
  if (const int e = WriteAtTail(fs, fd, LogPlace{}, place, lines, &follows)) {
    logged.error = FileError{FileProblem(name, e, false)};
  } else {
    logged.written = follows;
  }
  return logged;
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
  } else if (before.Team == kNoClubYet) {
    // His first club: the signing is logged as his contract, not as a move
    // from the club a new career shows until then.
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

std::optional<std::string> LogDisagreement(const CareerLog& log,
                                           const std::filesystem::path& folder, const Career& saved,
                                           bool mustReachSave) {
  const LogPlace place = SavedPlace(saved);
  if (place.week == 0) return std::nullopt;  // no round played yet this season
  if (log.weeks.empty()) {
    if (!mustReachSave) return std::nullopt;
    return "the log holds no week";
  }
  const LogWeek& last = log.weeks.back();
  if (LogPlace{last.season, last.week} != place) {
    return "the log's last week is " + PlaceText({last.season, last.week}) + ", the save's " +
           PlaceText(place);
  }
  // Once a season is over, the draft may have taken him to an AFL club since
  // its last week was logged (the pick is logged with the next week's line):
  // the save then shows his new club, wages, skills and season figures, and
  // the last week has only to be the season's last.
  if (place.week >= kSeasonRounds &&
      (saved.League != last.competition || saved.Team != last.club)) {
    return std::nullopt;
  }
  LogWeek expected = WeekOf(saved, {}, last.played, last.events);
  expected.disposals = last.disposals;
  expected.goals = last.goals;
  expected.behinds = last.behinds;
  expected.rating = last.rating;
  if (expected != last) return "the log's last week is not the save's career";
  // The week's line in the results file, while its season is being played:
  // a season that is over needs nothing of its results, and the next
  // season's first round may already have started the file anew before its
  // save.
  if (place.week < kSeasonRounds) {
    const auto round = ReadRoundResult(folder, saved, place.week);
    if (const auto* error = std::get_if<FileError>(&round)) return error->message;
    const PlayerLine& line = std::get<RoundRecord>(round).player;
    const LogWeek fromResults = WeekOf(saved, line, last.played, last.events);
    if (last.played &&
        (fromResults.disposals != last.disposals || fromResults.goals != last.goals ||
         fromResults.behinds != last.behinds || fromResults.rating != last.rating)) {
      return "the log's last week is not the results file's line";
    }
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

std::optional<std::string> CheckLogAgrees(const std::filesystem::path& folder,
                                          const Career& saved) {
  // Checked after every week, so only the log's last weeks are read: the
  // weeks of the save's season, and the week before them so that a week
  // written twice shows (a career's whole log is read by the screens, the
  // hall of fame and the tests).
  FileSystem& fs = Files();
  const auto file = LogPath(folder, saved);
  const std::string name = file.filename().string();
  const LogPlace place = SavedPlace(saved);
  int fd = -1;
  std::string text;
  if (const int e = fs.OpenForReading(file.native(), fd); e != 0 && e != ENOENT) {
    return FileProblem(name, e, true, kMaxLogBytes);
  }
  if (fd >= 0) {
    std::uint64_t size = 0;
    std::uint64_t offset = 0;
    int error = fs.FileSize(fd, size);
    // Far enough back to hold a week before the save's season, and from the
    // last such week on.
    std::optional<std::size_t> from;
    const auto findFrom = [&](std::string_view piece) {
      from.reset();
      for (std::size_t at = 0; at < piece.size();) {
        const std::size_t end = piece.find('\n', at);
        const auto placed = PlaceOf(piece.substr(at, end - at));
        if (placed && placed->isWeek && placed->place.season < place.season) from = at;
        if (end == std::string_view::npos) break;
        at = end + 1;
      }
      return from.has_value();
    };
    if (error == 0) error = ReadTail(fs, fd, size, text, offset, findFrom);
    fs.Close(fd);
    if (error != 0) return FileProblem(name, error, true, kMaxLogBytes);
    if (offset > 0) {
      // The heading the reader wants, before the weeks from the middle.
      text.replace(0, *from, std::string(kHeading) + '\n');
    }
  }
  const auto read = ParseCareerLog(text, name, place);
  if (const auto* error = std::get_if<FileError>(&read)) return error->message;
  return LogDisagreement(std::get<CareerLog>(read), folder, saved, true);
}

std::optional<std::string> LogProblemAtLoad(const std::filesystem::path& folder,
                                            const Career& saved) {
  const auto file = LogPath(folder, saved);
  const auto read = ReadCareerLog(file, SavedPlace(saved));
  if (const auto* error = std::get_if<FileError>(&read)) return error->message;
  if (auto differs = LogDisagreement(std::get<CareerLog>(read), folder, saved, false)) {
    return file.filename().string() + " does not agree with the career's save: " + *differs;
  }
  return std::nullopt;
}

}  // namespace km