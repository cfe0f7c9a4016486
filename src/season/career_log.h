// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/career.h"
#include "core/run_state.h"
#include "core/save_file.h"

namespace km {

// The career log: every week of a career, one after another, so that the
// career can be looked back on once the week's own figures are gone. It is
// kept in CareerName + "Log.kml" beside the save, and each round's commit
// adds the week to it just before the save, in place, as the results file
// grows: a crash part way leaves a torn tail beyond the week the save has
// played, which every reader drops and the next commit writes over.
//
// The file is UTF-8 text, one record a line, its fields separated by tabs:
//   Kickmark career log 1
//   W <season> <week> <competition> <club> <played> ... (the week's figures)
//   E <season> <week> <kind> <title> <text>              (one of its events)
// A tab, a line break or a backslash in a text is written \t, \n or \\.

// What happened in a week besides the match.
enum class LogEventKind {
  Message,    // a message box shown to the player
  Question,   // a Yes/No question and his answer
  Story,      // a newspaper story
  Award,      // an award won at the season's close or at the season's start
  Milestone,  // a milestone story (games, goals)
  Move,       // a move to another club or competition, or retirement
  Contract,   // a contract signed
  Sponsor,    // a sponsor deal taken
  DraftPick,  // the pick that took him in the national draft
};
inline constexpr int kLogEventKinds = 9;
// The kind's word in the file and in exports: "message", "question", "story",
// "award", "milestone", "move", "contract", "sponsor", "draft".
std::string_view LogEventKindName(LogEventKind kind);
std::optional<LogEventKind> LogEventKindNamed(std::string_view name);

struct LogEvent {
  LogEventKind kind = LogEventKind::Message;
  std::string title;  // the headline, the award, "Local Reserves to Local Firsts", ...
  std::string text;   // the story, the message, the question with its answer, ...
  bool operator==(const LogEvent&) const = default;
};

// Why he missed a week's match.
enum class Absence { None, Injured, Suspended, NoMatch, Retired };

// One week of the career as the log keeps it: the figures as they stood
// when the week's round was committed.
struct LogWeek {
  int season = 0;  // the season of his career, from 1 (Age - 13)
  int week = 0;    // the week of the season, 1..26 (23 to 26 are the finals)
  std::string competition;
  std::string club;
  bool played = false;
  int disposals = 0;
  int goals = 0;
  int behinds = 0;
  double rating = 0;
  int kicking = 0, handballing = 0, tackling = 0, marking = 0, running = 0, overall = 0;
  int fitness = 0, health = 0, stamina = 0, healthOverall = 0;
  int boots = 0, jumper = 0, shorts = 0, other = 0, gearOverall = 0;
  Money wages, sponsorship, otherIncome, bankBalance;
  int injury = 0;      // the career's injury count after the week
  int suspension = 0;  // and its suspension count
  Absence absence = Absence::None;
  std::vector<LogEvent> events;
  bool operator==(const LogWeek&) const = default;
};

// A career's log as far as its save has played.
struct CareerLog {
  std::vector<LogWeek> weeks;
  // The log of a career begun before the game kept one starts where that
  // career was first loaded: not at season 1, week 1.
  [[nodiscard]] bool StartsLate() const {
    return !weeks.empty() && (weeks.front().season != 1 || weeks.front().week != 1);
  }
};

std::filesystem::path LogPath(const std::filesystem::path& folder, const Career& career);

// The week just played, as the round's commit logs it: the career after the
// round and the season's close, the player's line of the round, whether he
// took the field, and the week's events.
LogWeek WeekOf(const Career& career, const PlayerLine& line, bool played,
               std::vector<LogEvent> events);

// Adds the week to the end of the career's log, reading only the log's last
// lines. What an attempt at the same week whose save never followed left
// there gives way to it: that week's records, a torn last line and lines of
// zero bytes (a power cut's). Nothing else is ever cut, whatever it holds. A
// missing log is started. With `setAside` (a log that cannot be read, or
// does not agree with the save) the log is first renamed to a name of its
// own, kept as it was, and a new one is started with the week. Every call
// goes through Files().
struct LoggedWeek {
  std::optional<FileError> error;
  std::string setAsideAs;  // the name the old log was kept under, when it was set aside
};
LoggedWeek AppendLogWeek(const std::filesystem::path& folder, const Career& career,
                         const LogWeek& week, bool setAside = false);

// The week the save has played up to: its season and week. A record beyond
// it is a torn tail.
struct LogPlace {
  int season = 0;
  int week = 0;
  auto operator<=>(const LogPlace&) const = default;
};
LogPlace SavedPlace(const Career& saved);

// Adds events to the records of the log's last week, `place`, when the log
// ends with that week's records (after what a write that never finished
// left is cut); otherwise writes nothing. For what happens between two
// weeks and is saved at once, the draft's pick: a career left before its
// next week keeps them. A missing log is left missing.
struct LoggedEvents {
  std::optional<FileError> error;
  bool written = false;
};
LoggedEvents AppendLogEvents(const std::filesystem::path& folder, const Career& career,
                             LogPlace place, const std::vector<LogEvent>& events);

// Reads a log, keeping the weeks up to `upTo` (the save's place). What
// follows the save's own week, or starts at a week beyond it, is what a
// round whose save never followed left: it is passed over unread, unless a
// week the save has played comes after it. A file that is not there is an
// empty log (a career begun before the game kept one). The log may have
// been saved again by an editor or a spreadsheet: a byte order mark, CR
// line ends, blank lines, empty fields at a line's end and a rating with a
// decimal comma are read. Any other line that cannot be read gives the
// sentence naming the file and the line. WeeksOnly leaves the events out (only their weeks are
// read), for a reader that wants the figures of many careers.
enum class LogDetail { Everything, WeeksOnly };
std::variant<CareerLog, FileError> ReadCareerLog(const std::filesystem::path& file, LogPlace upTo,
                                                 LogDetail detail = LogDetail::Everything);
// The same from the text of a log; `name` names it in the sentence.
std::variant<CareerLog, FileError> ParseCareerLog(std::string_view bytes, const std::string& name,
                                                  LogPlace upTo,
                                                  LogDetail detail = LogDetail::Everything);
// The text of a log: its heading line and every week's records.
std::string CareerLogText(const CareerLog& log);

// The events the career record itself shows between two commits: awards
// won, moves between clubs and competitions (retirement too), contracts
// signed and sponsor deals taken.
std::vector<LogEvent> EventsBetween(const Career& before, const Career& after);

// Whether a log read up to the save's week agrees with the save and the
// results: its last week is the save's, its figures are the save's and its
// line is the results file's, and a season logged from its first week adds
// up to the save's season figures. A log with no week agrees only when it
// need not reach the save. The sentence of the first thing that does not
// agree.
std::optional<std::string> LogDisagreement(const CareerLog& log,
                                           const std::filesystem::path& folder, const Career& saved,
                                           bool mustReachSave);

// The same of the log on disk after a week, reading only its last weeks.
std::optional<std::string> CheckLogAgrees(const std::filesystem::path& folder, const Career& saved);

// What is wrong with the log of a career just loaded, read whole: it cannot
// be read, or does not agree with the save (a log with no week yet, or no
// log, is fine). The week after sets such a log aside and starts a new one.
std::optional<std::string> LogProblemAtLoad(const std::filesystem::path& folder,
                                            const Career& saved);

}  // namespace km
