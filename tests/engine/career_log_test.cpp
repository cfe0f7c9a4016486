// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <tuple>

#include "game/game.h"
#include "season/career_log.h"
#include "season/fixture.h"
#include "support/failing_file_system.h"
#include "support/playing.h"
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
                 {LogEventKind::Question, "No", ""},
                 {LogEventKind::Message, "", "ends with a carriage return\r"}}),
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
      {"torn in its last line", text.substr(0, text.size() - 4), {1, 26}, 2, ""},
      {"torn before the tab of its last line", text.substr(0, lastLine + 1), {1, 26}, 2, ""},
      {"the save's own week torn",
       text.substr(0, text.size() - 4),
       {2, 1},
       0,
       "x could not be read: line 3 is its last week, season 1, week 26, but the career's save "
       "has played to season 2, week 1: the weeks after it are missing"},
      {"empty", "", {9, 9}, 0, ""},
      {"no heading", text.substr(text.find('\n') + 1), {9, 9}, 0, "x could not be read: line 1"},
      {"a line that is no record",
       text.substr(0, lastLine) + "W\t2\t1\tnonsense\n",
       {9, 9},
       0,
       "x could not be read: line 8 is not a record"},
      {"a week logged twice", text + text.substr(lastLine), {9, 9}, 0, "line 9 goes back"},
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
       "line 8 is not a record"},
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
  const auto figuresOnly = ParseCareerLog(text, "x", {2, 1}, LogDetail::WeeksOnly);
  EXPECT_TRUE(std::get<CareerLog>(figuresOnly).weeks[1].events.empty());
  EXPECT_EQ(Week(1, 3).absence, Absence::Injured);
  EXPECT_EQ(Week(1, 3).disposals, 0);
}

std::string EveryLine(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// A log saved again by a text editor or a spreadsheet reads as it was
// written; a power cut's zero bytes after the save's week are passed over;
// what is really damaged is refused with its line.
TEST(CareerLog, WhatAnEditorSavesReadsAndWhatIsDamagedIsNamed) {
  const CareerLog log = ThreeWeeks();
  const std::string text = CareerLogText(log);
  const std::size_t weekTwo = text.find("W\t1\t26");
  const std::size_t lastWeek = text.rfind("W\t2\t1");
  const std::string future = Replaced(text.substr(lastWeek), "W\t2\t1", "W\t500\t3");
  struct Case {
    const char* label;
    std::string bytes;
    std::string error;  // empty: reads the three weeks
  };
  const std::vector<Case> cases = {
      {"a byte order mark", "\xEF\xBB\xBF" + text, ""},
      {"CR LF line ends", EveryLine(text, "\n", "\r\n"), ""},
      {"blank lines", text.substr(0, weekTwo) + "\n \t\r\n" + text.substr(weekTwo) + "\n\n", ""},
      {"a tab at every line's end", EveryLine(text, "\n", "\t\n"), ""},
      {"the heading typed again with a space", Replaced(text, "log 1\n", "log 1 \n"), ""},
      {"a decimal comma", Replaced(text, "\t12.5\t", "\t12,5\t"), ""},
      {"a power cut's zero bytes after the save's week",
       text + std::string(300, '\0') + "ng\t3\t14\n" + future, ""},
      {"a week beyond the save torn", text + future.substr(0, 20), ""},
      {"a week from the future among the save's weeks",
       text.substr(0, weekTwo) + future + text.substr(weekTwo),
       "x could not be read: line 3 is a week the career's save has not played, yet weeks it "
       "has played come after it"},
      {"zero bytes before the save's week",
       text.substr(0, lastWeek) + std::string(8, '\0') + "\n" + text.substr(lastWeek),
       "x could not be read: line 8 is not a record of the log"},
      {"a money figure with a comma", Replaced(text, "\t12345.92\t", "\t12345,92\t"),
       "x could not be read: line 2 is not a record of the log"},
      {"another heading", Replaced(text, "career log 1", "career diary"),
       "x could not be read: line 1 is not a career log's heading"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const auto read = ParseCareerLog(c.bytes, "x", {2, 1});
    if (!c.error.empty()) {
      ASSERT_TRUE(std::holds_alternative<FileError>(read));
      EXPECT_EQ(std::get<FileError>(read).message, c.error);
      continue;
    }
    ASSERT_TRUE(std::holds_alternative<CareerLog>(read)) << std::get<FileError>(read).message;
    EXPECT_EQ(std::get<CareerLog>(read).weeks, log.weeks);
  }
}

// The week's append cuts only what an attempt at the same week whose save
// never followed can have left (its records, a torn line, a power cut's zero
// bytes, blank lines): a line the player changed, or a week that is no part
// of this one, stays where it is, whatever it holds.
TEST(CareerLog, AnAppendCutsOnlyWhatAnUnsavedAttemptLeft) {
  const testing::TempFolder temp;
  Career c = Career::Create();
  c.CareerName = "log";
  const auto file = LogPath(temp.path, c);
  const std::string text = CareerLogText(ThreeWeeks());
  const LogWeek week = Week(2, 2, {{LogEventKind::Story, "Next", "The next week."}});
  const std::string lines = CareerLogText({{week}}).substr(text.find('\n') + 1);
  const std::string attempt = lines + lines.substr(0, 30);
  struct Case {
    const char* label;
    std::string before;
    std::string kept;  // what stays in front of the week's lines
  };
  const std::vector<Case> cases = {
      {"an attempt, torn", text + attempt, text},
      {"an attempt after a power cut's zeros", text + std::string(5000, '\0') + "\n" + attempt,
       text},
      {"blank lines", text + "\n\r\n", text},
      {"a line the player changed", text + "W\t2\t1\tedited\n", text + "W\t2\t1\tedited\n"},
      {"a note of the player's", text + "my notes\n" + attempt, text + "my notes\n"},
      {"a week from another future", text + "W\t3\t1\tlater\n" + attempt,
       text + "W\t3\t1\tlater\n"},
      {"nothing but zeros", std::string(40, '\0'), "Kickmark career log 1\n"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.label);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << k.before;
    const LoggedWeek logged = AppendLogWeek(temp.path, c, week);
    ASSERT_FALSE(logged.error) << logged.error->message;
    EXPECT_TRUE(logged.setAsideAs.empty());
    EXPECT_EQ(testing::ReadBytes(file), k.kept + lines);
  }
}

// What happens between two weeks and is saved at once (the draft's pick)
// joins the records of the log's last week, after what a write that never
// finished left is cut; a log that does not end with that week, or is not
// there, is left as it is.
TEST(CareerLog, EventsBetweenWeeksJoinTheLastWeek) {
  const testing::TempFolder temp;
  Career c = Career::Create();
  c.CareerName = "log";
  const auto file = LogPath(temp.path, c);
  const std::string text = CareerLogText(ThreeWeeks());
  const std::vector<LogEvent> events = {{LogEventKind::DraftPick, "Pick 3: Lalor", "Drafted."},
                                        {LogEventKind::Move, "State to AFL", "From here."}};
  CareerLog withEvents = ThreeWeeks();
  withEvents.weeks.back().events = events;
  struct Case {
    const char* label;
    std::optional<std::string> before;  // nothing: no log
    LogPlace place;
    std::optional<std::string> after;  // nothing: no log
  };
  const std::vector<Case> cases = {
      {"the last week's", text, {2, 1}, CareerLogText(withEvents)},
      {"after a torn line", text + "W\t2\t2\tLoc", {2, 1}, CareerLogText(withEvents)},
      {"after a power cut's zeros",
       text + std::string(300, '\0'),
       {2, 1},
       CareerLogText(withEvents)},
      {"not the last week's", text, {1, 26}, text},
      {"a line the player added", text + "my notes\n", {2, 1}, text + "my notes\n"},
      {"only the heading", "Kickmark career log 1\n", {2, 1}, "Kickmark career log 1\n"},
      {"no log", std::nullopt, {2, 1}, std::nullopt},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.label);
    std::filesystem::remove(file);
    if (k.before) std::ofstream(file, std::ios::binary) << *k.before;
    const LoggedEvents logged = AppendLogEvents(temp.path, c, k.place, events);
    ASSERT_FALSE(logged.error) << logged.error->message;
    EXPECT_EQ(logged.written, k.after != k.before);
    ASSERT_EQ(std::filesystem::exists(file), k.after.has_value());
    if (k.after) {
      EXPECT_EQ(testing::ReadBytes(file), *k.after);
    }
  }
}

// Reads and their bytes, through the seam.
class CountingFileSystem final : public RealFileSystem {
 public:
  std::uint64_t read = 0;
  int ReadWholeFile(const std::string& file, std::uint64_t limit, std::string& bytes) override {
    const int e = RealFileSystem::ReadWholeFile(file, limit, bytes);
    read += bytes.size();
    return e;
  }
  int ReadAt(int fd, std::uint64_t offset, std::size_t count, std::string& bytes) override {
    const int e = RealFileSystem::ReadAt(fd, offset, count, bytes);
    read += bytes.size();
    return e;
  }
};

// A week's append reads the log's last weeks only, however
// long the career: the head of a log of forty seasons is never read (even
// when it could not be).
TEST(CareerLog, AnAppendReadsOnlyTheEndOfALongLog) {
  const testing::TempFolder temp;
  Career c = Career::Create();
  c.CareerName = "log";
  CareerLog log;
  for (int season = 1; season <= 40; ++season) {
    for (int week = 1; week <= 26; ++week) {
      log.weeks.push_back(Week(season, week, {{LogEventKind::Story, std::string(1000, 'x'), "y"}}));
    }
  }
  const std::string text = "not the heading\n" + CareerLogText(log).substr(22);
  ASSERT_GT(text.size(), 1000000u);
  std::ofstream(LogPath(temp.path, c), std::ios::binary) << text;
  CountingFileSystem counting;
  const UseFileSystem use(counting);
  ASSERT_FALSE(AppendLogWeek(temp.path, c, Week(41, 1)).error);
  EXPECT_LT(counting.read, text.size() / 10);
  EXPECT_EQ(testing::ReadBytes(LogPath(temp.path, c)),
            text + CareerLogText({{Week(41, 1)}}).substr(22));
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

// A career played through the game for `weeks` rounds, in `folder`.
void PlayWeeks(Game& game, int weeks) {
  for (int w = 0; w < weeks; ++w) {
    testing::DoHubChores(game);
    ASSERT_TRUE(game.Play());
    testing::PlayTheRound(game);
    game.FinishRound();
  }
}

// A log that cannot be read, or tells another story than the save, is kept
// byte for byte under a name of its own at the next week, and a new log
// starts with that week; the player hears of it once. A new career's first
// week does the same with the log of an earlier career of its name.
TEST(CareerLog, ALogThatCannotBeReadIsSetAsideAtTheNextWeek) {
  const auto answers = testing::Answers("aside", "Ted Whitten", "Footscray", "Victoria",
                                        "Centre-Half-Back", {70, 70, 70, 70, 70});
  struct Case {
    const char* label;
    std::function<std::string(const std::string&)> spoil;  // the log as the player left it
    std::string problem;
  };
  const std::vector<Case> cases = {
      {"a line spoiled",
       [](const std::string& log) { return Replaced(log, "W\t1\t2\t", "W\t1\tz\t"); },
       "asideLog.kml could not be read: line "},
      {"its last week cut off",
       [](const std::string& log) { return log.substr(0, log.rfind("W\t1\t3\t")); },
       "asideLog.kml could not be read: line "},
      {"a last week that is not the save's",
       [](const std::string& log) {
         const std::size_t week = log.rfind("W\t1\t3\t");
         return log.substr(0, week) + Replaced(log.substr(week), "\t0\t", "\t7\t");
       },
       "asideLog.kml does not agree with the career's save: the log's last week is not the"},
      {"an earlier career's", nullptr, "asideLog.kml is the log of an earlier career of this name"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.label);
    const testing::TempFolder temp;
    const auto log = temp.path / "asideLog.kml";
    std::string kept;
    testing::YesPrompter p;
    TwisterRandom random(4);
    Game game(random, p, DataFolder{temp.path});
    ASSERT_TRUE(game.StartNewCareer(answers));
    ASSERT_TRUE(game.PrepareFirstContract());
    PlayWeeks(game, 3);
    kept = testing::ReadBytes(log);
    if (k.spoil) {
      kept = k.spoil(kept);
      std::ofstream(log, std::ios::binary | std::ios::trunc) << kept;
      game.Quit();
      ASSERT_EQ(game.LoadFrom(temp.path / "aside.kms").outcome, Game::LoadOutcome::Loaded);
    } else {
      game.Quit();
      ASSERT_TRUE(game.StartNewCareer(answers));
      ASSERT_TRUE(game.PrepareFirstContract());
    }
    const int week = game.career().Matches + 1;
    p.messages.clear();
    PlayWeeks(game, 2);
    const std::string note = k.problem;
    const auto told = std::count_if(p.messages.begin(), p.messages.end(), [&](const auto& m) {
      return m.starts_with(note) &&
             m.ends_with(
                 ". Your career log is kept as it was, as asideLog (unreadable).kml, and a "
                 "new log starts with this week.");
    });
    EXPECT_EQ(told, 1) << ::testing::PrintToString(p.messages);
    EXPECT_EQ(testing::ReadBytes(temp.path / "asideLog (unreadable).kml"), kept);
    const auto read = ReadCareerLog(log, SavedPlace(game.career()));
    ASSERT_TRUE(std::holds_alternative<CareerLog>(read)) << std::get<FileError>(read).message;
    const CareerLog& fresh = std::get<CareerLog>(read);
    ASSERT_EQ(fresh.weeks.size(), 2u);
    EXPECT_EQ(fresh.weeks.front().week, week);
    EXPECT_EQ(CheckLogAgrees(temp.path, game.career()), std::nullopt);
  }
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
           {{Week(1, 1)},
            "line 2 is its last week, season 1, week 1, but the career's save has "
            "played to season 1, week 2: the weeks after it are missing"},
           {{Week(1, 1), richer}, "the log's last week is not the save's career"},
           {{Week(1, 1), richer, same}, "goes back to a week logged before it"}}) {
    SCOPED_TRACE(says);
    std::ofstream(LogPath(temp.path, saved), std::ios::binary | std::ios::trunc)
        << CareerLogText({weeks});
    EXPECT_NE(CheckLogAgrees(temp.path, saved).value_or("").find(says), std::string::npos);
  }
  // A season's last week is held to the save as well: only a save the draft
  // has since taken to another club may differ from it.
  saved.Matches = kSeasonRounds;
  LogWeek closing = WeekOf(saved, {}, false, {});
  closing.bankBalance += Money::Dollars(1);
  std::ofstream(LogPath(temp.path, saved), std::ios::binary | std::ios::trunc)
      << CareerLogText({{closing}});
  EXPECT_NE(CheckLogAgrees(temp.path, saved).value_or("").find("not the save's career"),
            std::string::npos);
}

// The week's figures are the career record's as it stands after the round:
// each of them its own field, none left behind.
TEST(CareerLog, AWeekIsTheCareerRecordsFigures) {
  Career c = Career::Create();
  int next = 1;
  for (int* field : {&c.Kicking, &c.Handballing, &c.Tackling, &c.Marking, &c.Running, &c.Overall,
                     &c.Fitness, &c.Health, &c.Stamina, &c.HealthOverall, &c.Boots, &c.Jumper,
                     &c.Shorts, &c.Other, &c.GearOverall}) {
    *field = ++next;
  }
  std::tie(c.Wages, c.Sponsorship, c.OtherIncome, c.BankBalance) = std::tuple(
      Money::Dollars(901), Money::Cents(90250), Money::Dollars(903), Money::Dollars(-904));
  std::tie(c.Injury, c.Suspension, c.Age, c.Matches, c.League, c.Team) =
      std::tuple(-7, -8, 19, 12, "State", "Norwood");
  const LogWeek w = WeekOf(c, {"21", "4", "3", "7.5", "Rover"}, true, {});
  using Figures = std::vector<long long>;
  EXPECT_EQ((Figures{w.season, w.week, w.injury, w.suspension, w.disposals, w.goals, w.behinds}),
            (Figures{6, 12, -7, -8, 21, 4, 3}));
  EXPECT_EQ((Figures{w.wages.cents(), w.sponsorship.cents(), w.otherIncome.cents(),
                     w.bankBalance.cents()}),
            (Figures{90100, 90250, 90300, -90400}));
  EXPECT_EQ((Figures{w.kicking, w.handballing, w.tackling, w.marking, w.running, w.overall}),
            (Figures{c.Kicking, c.Handballing, c.Tackling, c.Marking, c.Running, c.Overall}));
  EXPECT_EQ((Figures{w.fitness, w.health, w.stamina, w.healthOverall, w.boots, w.jumper, w.shorts,
                     w.other, w.gearOverall}),
            (Figures{c.Fitness, c.Health, c.Stamina, c.HealthOverall, c.Boots, c.Jumper, c.Shorts,
                     c.Other, c.GearOverall}));
  EXPECT_EQ(w.rating, 7.5);
  EXPECT_EQ(w.competition, "State");
  EXPECT_EQ(w.club, "Norwood");
  EXPECT_TRUE(w.played);
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
// company that took several places is one deal). His first club is a
// signing (its contract is logged), not a move from the club a new career
// shows.
TEST(CareerLog, EventsTheRecordShows) {
  Career before = Career::Create();
  before.Team = "Seaford";
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
  EXPECT_EQ(events[2].text, "From Seaford (Local Reserves) to Lalor (Local Reserves).");
  EXPECT_EQ(events[3].text, "Nike sponsors the major, boots. Sponsorship is now $775 a week.");
  EXPECT_EQ(events[4].title, "Puma");
  Career firstClub = Career::Create();
  firstClub.Team = "Yarraville";
  EXPECT_TRUE(EventsBetween(Career::Create(), firstClub).empty());
  after = before;
  after.League = "Local Firsts";
  EXPECT_EQ(EventsBetween(before, after).at(0).title, "Local Reserves to Local Firsts");
  after.PlayOpen = after.ContractOpen = after.SponsorshipOpen = false;
  EXPECT_EQ(EventsBetween(before, after).at(0).title, "Retired");
  EXPECT_TRUE(EventsBetween(after, after).empty());
}

}  // namespace
}  // namespace km
