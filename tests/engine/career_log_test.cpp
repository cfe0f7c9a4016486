// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fstream>

#include "game/game.h"
#include "season/career_log.h"
#include "support/failing_file_system.h"
#include "support/scripted_ports.h"
#include "support/temp_folder.h"

namespace km {
namespace {

LogWeek Week(int season, int week, std::vector<LogEvent> events = {}) {
  Career c = Career::Create();
  c.CareerName = "log";
  c.Age = 13 + season;
  c.Matches = week;
  c.Injury = week % 3 == 0 ? 2 : -1;
  c.BankBalance = Money::Cents(1234567 + week);
  return WeekOf(c, {"17", "3", "2", "12.5", "Rover"}, week % 3 != 0, std::move(events));
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

// Three weeks, the second with events whose texts hold what a line cannot.
CareerLog ThreeWeeks() {
  return {{Week(1, 25),
           Week(1, 26,
                {{LogEventKind::Award, "Best and Fairest", "Local Reserves\tLalor"},
                 {LogEventKind::Story, "A \\ B", "two\nlines\r\n"},
                 {LogEventKind::Question, "No", ""}}),
           Week(2, 1)}};
}

// The log reads back as written, as far as the save has played; a torn last
// line is dropped; anything else that is not a record is refused with the
// line it stands on.
TEST(CareerLog, ReadsBackUpToTheSaveAndRefusesWhatIsNotALog) {
  const CareerLog log = ThreeWeeks();
  const std::string text = CareerLogText(log);
  const std::size_t lastLine = text.rfind("W\t2\t1");
  struct Case {
    const char* label;
    std::string bytes;
    LogPlace upTo;
    std::size_t weeks;  // read, or 0 with `error` set
    std::string error;
  };
  const std::vector<Case> cases = {
      {"whole", text, {2, 1}, 3, ""},
      {"a week beyond the save", text, {1, 26}, 2, ""},
      {"the save a season before", text, {0, 26}, 0, ""},
      {"torn in its last line", text.substr(0, text.size() - 4), {9, 9}, 2, ""},
      {"torn before the tab of its last line", text.substr(0, lastLine + 1), {9, 9}, 2, ""},
      {"empty", "", {9, 9}, 0, ""},
      {"no heading", text.substr(text.find('\n') + 1), {9, 9}, 0, "x could not be read: line 1"},
      {"a line that is no record",
       text.substr(0, lastLine) + "W\t2\t1\tnonsense\n",
       {9, 9},
       0,
       "x could not be read: line 7 is not a record"},
      {"a week logged twice", text + text.substr(lastLine), {9, 9}, 0, "line 8 goes back"},
      {"an event before any week",
       "Kickmark career log 1\nE\t1\t1\tstory\ta\tb\n",
       {9, 9},
       0,
       "line 2 is an event of no week"},
      {"played neither 0 nor 1",
       Replaced(text, "Club Here\t1\t", "Club Here\t2\t"),
       {9, 9},
       0,
       "line 2 is not a record"},
      {"an unknown kind",
       text.substr(0, lastLine) + "E\t1\t26\tgossip\ta\tb\n",
       {9, 9},
       0,
       "line 7 is not a record"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const auto read = ParseCareerLog(c.bytes, "x", c.upTo);
    if (!c.error.empty()) {
      ASSERT_TRUE(std::holds_alternative<FileError>(read));
      EXPECT_NE(std::get<FileError>(read).message.find(c.error), std::string::npos)
          << std::get<FileError>(read).message;
      continue;
    }
    ASSERT_TRUE(std::holds_alternative<CareerLog>(read)) << std::get<FileError>(read).message;
    const CareerLog& got = std::get<CareerLog>(read);
    ASSERT_EQ(got.weeks.size(), c.weeks);
    for (std::size_t w = 0; w < c.weeks; ++w) EXPECT_EQ(got.weeks[w], log.weeks[w]) << w;
  }
  const auto figuresOnly = ParseCareerLog(text, "x", {9, 9}, LogDetail::WeeksOnly);
  EXPECT_TRUE(std::get<CareerLog>(figuresOnly).weeks[1].events.empty());
  EXPECT_EQ(Week(1, 3).absence, Absence::Injured);
  EXPECT_EQ(Week(1, 3).disposals, 0);
}

// A week goes to its own place: whatever an attempt that never reached the
// save left there or beyond (whole or torn) gives way to it.
TEST(CareerLog, AWeekReplacesWhatStandsAtItsPlaceOrBeyond) {
  const testing::TempFolder temp;
  Career c = Career::Create();
  c.CareerName = "log";
  const auto file = LogPath(temp.path, c);
  for (const auto& [label, tail] :
       {std::pair{"nothing left", ""}, {"a torn line", "W\t2\t1\t"}, {"a whole week", "W"}}) {
    SCOPED_TRACE(label);
    CareerLog log = ThreeWeeks();
    std::string text = CareerLogText(log);
    if (std::string_view(tail) == "W") {
      text += text.substr(text.rfind("W\t2\t1"));  // week 2.1 twice: the second attempt's
    } else {
      text += tail;
    }
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
    LogWeek again = Week(2, 1, {{LogEventKind::Move, "To Lalor", "From here."}});
    ASSERT_FALSE(AppendLogWeek(temp.path, c, again).error);
    log.weeks.back() = again;
    EXPECT_EQ(testing::ReadBytes(file), CareerLogText(log));
  }
  std::filesystem::remove(file);
  ASSERT_FALSE(AppendLogWeek(temp.path, c, Week(1, 1)).error);
  EXPECT_EQ(testing::ReadBytes(file), CareerLogText({{Week(1, 1)}}));
}

// Checked after every week: a log that does not reach the save's week, or whose week is not the
// save's career, is named (the log that agrees is the soak's and the crash sweep's).
TEST(CareerLog, ALogThatDisagreesWithTheSaveIsNamed) {
  const testing::TempFolder temp;
  Career saved = Career::Create();
  saved.CareerName = "log";
  saved.Age = 14;
  saved.Matches = 2;
  LogWeek same = WeekOf(saved, {}, false, {});
  LogWeek richer = same;
  richer.bankBalance += Money::Dollars(1);
  for (const auto& [weeks, says] : std::vector<std::pair<std::vector<LogWeek>, std::string>>{
           {{}, "the log holds no week"},
           {{Week(1, 1)}, "the log's last week is season 1, week 1, the save's season 1, week 2"},
           {{Week(1, 1), richer}, "the log's last week is not the save's career"},
           {{Week(1, 1), richer, same}, "goes back to a week logged before it"}}) {
    SCOPED_TRACE(says);
    std::ofstream(LogPath(temp.path, saved), std::ios::binary | std::ios::trunc)
        << CareerLogText({weeks});
    EXPECT_NE(CheckLogAgrees(temp.path, saved).value_or("").find(says), std::string::npos);
  }
}

// Why he missed the week: injured until his count falls below zero, suspended likewise, else his
// club had no match (or he has retired).
TEST(CareerLog, WhyHeMissedTheWeek) {
  struct Case {
    int injury, suspension;
    bool played, retired;
    Absence absence;
  };
  for (const Case& c : std::vector<Case>{{-1, -1, true, false, Absence::None},
                                         {0, -1, false, false, Absence::Injured},
                                         {-1, 0, false, false, Absence::Suspended},
                                         {2, 3, false, false, Absence::Injured},
                                         {-1, -1, false, false, Absence::NoMatch},
                                         {-1, -1, false, true, Absence::Retired}}) {
    Career career = Career::Create();
    career.Injury = c.injury;
    career.Suspension = c.suspension;
    career.PlayOpen = career.ContractOpen = career.SponsorshipOpen = !c.retired;
    EXPECT_EQ(WeekOf(career, {}, c.played, {}).absence, c.absence)
        << c.injury << " " << c.suspension << " " << c.played << " " << c.retired;
  }
}

// What the player was shown is kept for the log as it passes: a message, a question with his
// answer, a story once though the paper comes up with it again, and a milestone's story as one.
TEST(CareerLog, ThePrompterKeepsWhatWasShown) {
  testing::ScriptedPrompter shown;
  shown.answers = {true};
  RunState run;
  LoggingPrompter prompter(shown, run);
  prompter.inform("Well played.");
  prompter.askYesNo("New boots?");
  const Story story{"Local Times", "A Win", "They won."};
  prompter.publish(story);
  prompter.publish(story);
  run.milestones = {"Plays 50th Match"};
  prompter.publish({"Local Times", "Plays 50th Match", "Fifty."});
  EXPECT_EQ(prompter.shown(),
            (std::vector<LogEvent>{{LogEventKind::Message, "", "Well played."},
                                   {LogEventKind::Question, "Yes", "New boots?"},
                                   {LogEventKind::Story, "A Win", "They won."},
                                   {LogEventKind::Milestone, "Plays 50th Match", "Fifty."}}));
  EXPECT_EQ(shown.stories.size(), 3u);
  EXPECT_TRUE(run.milestones.empty());
}

// The events the record shows: awards, moves, retirement, sponsor deals (a
// company that took several places is one deal).
TEST(CareerLog, EventsTheRecordShows) {
  const Career before = Career::Create();
  Career after = before;
  after.LocalBestAndFairest += 1;
  after.AFLBrownlow += 1;
  after.Team = "Lalor";
  after.MajorSponsor = after.BootsSponsor = "Nike";
  after.SocksSponsor = "Puma";
  const std::vector<LogEvent> events = EventsBetween(before, after);
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events[0].title, "Brownlow Medal");
  EXPECT_EQ(events[1].title, "Best and Fairest");
  EXPECT_EQ(events[2].title, "To Lalor");
  EXPECT_EQ(events[3].text, "Nike sponsors the major, boots. Sponsorship is now $775 a week.");
  EXPECT_EQ(events[4].title, "Puma");
  after = before;
  after.League = "Local Firsts";
  EXPECT_EQ(EventsBetween(before, after).at(0).title, "Local Reserves to Local Firsts");
  after.PlayOpen = after.ContractOpen = after.SponsorshipOpen = false;
  EXPECT_EQ(EventsBetween(before, after).at(0).title, "Retired");
  EXPECT_TRUE(EventsBetween(after, after).empty());
}

}  // namespace
}  // namespace km
