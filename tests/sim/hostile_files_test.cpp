// SPDX-License-Identifier: GPL-3.0-or-later
// Career files anyone may have touched. Each file of a career is put in the folder as a link
// (to another career's file, to a file outside the folder, to nothing), a pipe, a device, a
// folder, a file larger than any career's, a file whose end is torn or zeroed, and the log as an
// editor or a spreadsheet saves it again; then the commands that meet that file are run. Each
// run has a process and a deadline of its own, so that one that waits for ever fails its case.
// Every run must end with its exit code and a sentence naming the file, write nothing outside
// the data folder, and leave the folder's other career listed by the hall of fame.

#include <errno.h>
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/file_names.h"
#include "sim/sim.h"
#include "sim_fixture.h"
#include "support/temp_folder.h"

namespace km::sim::testing {
namespace {

namespace fs = std::filesystem;
using namespace ::testing;

// The career the files are taken from, and another career of the folder that must come to no
// harm.
constexpr const char* kCareer = "Hostile";
constexpr const char* kPlayer = "Jack Riley";
constexpr const char* kOtherCareer = "Other";
constexpr const char* kOtherPlayer = "Bob Skilton";

enum class File { Save, Fixture, Results, Log, Lock, SeasonHistory, CareerHistory };
constexpr const char* kFileLabels[] = {"Save", "Fixture",       "Results",      "Log",
                                       "Lock", "SeasonHistory", "CareerHistory"};

std::string FileName(File file, const std::string& career, const std::string& player) {
  constexpr std::string_view kEndings[] = {
      kSaveEnding, kFixtureEnding,       kResultsEnding,      kLogEnding,
      kLockEnding, kSeasonHistoryEnding, kCareerHistoryEnding};
  return (file >= File::SeasonHistory ? player : career) +
         std::string(kEndings[static_cast<int>(file)]);
}

// What stands in the file's place.
enum class Form {
  LinkInside,    // a link to the other career's file of the same kind
  LinkOutside,   // a link to a copy of the file outside the data folder
  DanglingLink,  // a link to a file outside the folder that is not there
  Pipe,
  Device,  // a character device that never ends (/dev/zero's numbers)
  Folder,
  Huge,         // a sparse file of several GB
  Torn,         // its last line cut in half, without its end
  Zeros,        // its last 100 bytes turned to zero bytes
  TornBeyond,   // half a line more, without its end, as a round whose save never followed leaves
  ZerosBeyond,  // zero bytes after it, as a power cut leaves when only the size reached the disk
  // The log as an editor or a spreadsheet saves it again.
  ByteOrderMark,
  CrLf,
  BlankLine,
  TrailingTabs,    // empty fields at the end of a week's line
  DecimalComma,    // a rating typed 4,7
  SpacedHeading,   // the heading retyped with a blank after it
  BadNumber,       // a week's disposals typed 1O
  FutureSeason,    // a week in the middle claiming season 500
  RetypedHeading,  // the heading retyped in other letters
};
constexpr const char* kFormLabels[] = {
    "LinkInside",   "LinkOutside",   "DanglingLink", "Pipe",         "Device",
    "Folder",       "Huge",          "Torn",         "Zeros",        "TornBeyond",
    "ZerosBeyond",  "ByteOrderMark", "CrLf",         "BlankLine",    "TrailingTabs",
    "DecimalComma", "SpacedHeading", "BadNumber",    "FutureSeason", "RetypedHeading"};

enum class Command { Show, Play, Log, HallOfFame };
constexpr const char* kCommandLabels[] = {"show", "play", "log", "hallOfFame"};

constexpr int kNotRun = -1;  // the command does not meet the file
constexpr int kTold = -2;    // exit 0, and the player is told: the hall of fame's row, or a message

// What each command should make of the file in each of the forms: its exit code, in the order
// show, play --weeks 1 (the grand final's week, whose close writes every file of the career),
// log, hall-of-fame.
struct Row {
  File file;
  std::array<int, 4> codes;
  std::vector<Form> forms;
};

using enum File;
using enum Form;

const Row kRows[] = {
    // The save: nothing is loaded; the hall of fame keeps the career's row with the sentence.
    {Save,
     {3, 3, 3, kTold},
     {LinkInside, LinkOutside, DanglingLink, Pipe, Device, Huge, Torn, Zeros}},
    {Save, {3, 3, 3, 0}, {Folder}},  // a folder is no save: the hall of fame lists no career for it
    // The fixture is read for the week's round only.
    {Fixture,
     {0, 3, kNotRun, kNotRun},
     {LinkInside, LinkOutside, DanglingLink, Pipe, Device, Folder, Huge, Torn}},
    // The zeros fall on the grand final's two clubs, which the preliminary finals' results give.
    {Fixture, {0, 0, kNotRun, kNotRun}, {Zeros}},
    // The results of the rounds the save has played are read at every load.
    {Results,
     {3, 3, kNotRun, kNotRun},
     {LinkInside, LinkOutside, DanglingLink, Pipe, Device, Folder, Huge, Torn, Zeros}},
    {Results, {0, 0, kNotRun, kNotRun}, {TornBeyond, ZerosBeyond}},
    // A log that cannot be read is refused by log, marked in the hall of fame, and set aside by
    // the next week, the player told once; the career loads all the same. Its own week torn or
    // zeroed, the log no longer reaches the save.
    {Log,
     {0, kTold, 3, kTold},
     {LinkInside, LinkOutside, DanglingLink, Pipe, Device, Folder, Huge, Torn, Zeros, BadNumber,
      FutureSeason, RetypedHeading}},
    {Log,
     {0, 0, 0, 0},
     {TornBeyond, ZerosBeyond, ByteOrderMark, CrLf, BlankLine, TrailingTabs, DecimalComma,
      SpacedHeading}},
    // The lock is taken before the save is read: a lock that cannot be taken is a file that
    // cannot be written.
    {Lock, {4, 4, kNotRun, kNotRun}, {LinkInside, LinkOutside, DanglingLink, Pipe, Device, Folder}},
    {Lock, {0, 0, kNotRun, kNotRun}, {Huge}},
    // The season history is read and written again at the close; what it holds is the player's.
    {SeasonHistory,
     {kNotRun, 4, kNotRun, kNotRun},
     {LinkInside, LinkOutside, DanglingLink, Pipe, Device, Folder, Huge}},
    {SeasonHistory, {kNotRun, 0, kNotRun, kNotRun}, {Torn, Zeros}},
    // The career history is written whole at the close, over any plain file.
    {CareerHistory,
     {kNotRun, 4, kNotRun, kNotRun},
     {LinkInside, LinkOutside, DanglingLink, Pipe, Device, Folder}},
    {CareerHistory, {kNotRun, 0, kNotRun, kNotRun}, {Huge, Torn, Zeros}},
};

struct Case {
  File file;
  Form form;
  Command command;
  int code;
};
std::string CaseName(const Case& c) {
  return std::string(kFileLabels[static_cast<int>(c.file)]) + "_" +
         kFormLabels[static_cast<int>(c.form)] + "_" + kCommandLabels[static_cast<int>(c.command)];
}
void PrintTo(const Case& c, std::ostream* os) { *os << CaseName(c); }

// The table's cases: each form of each row with each command that meets its file.
std::vector<Case> Cases() {
  std::vector<Case> cases;
  for (const Row& row : kRows) {
    for (const Form form : row.forms) {
      for (std::size_t command = 0; command < row.codes.size(); ++command) {
        if (row.codes[command] != kNotRun)
          cases.push_back({row.file, form, static_cast<Command>(command), row.codes[command]});
      }
    }
  }
  return cases;
}

// ---------------------------------------------------------------------------------------------
// Runs bounded in time.

constexpr std::chrono::seconds kDeadline{20};
constexpr rlim_t kMostMemory = rlim_t{2} << 30;

struct Ran {
  bool ended = false;
  int code = -1;
  std::string out, err;
};

void WriteBytes(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// kickmark-sim in a child process, killed when it has not ended by the deadline: a run that
// waits on a pipe for ever, or reads a device until the memory runs out, fails its case alone.
// What it wrote is left in `scratch`, a folder of the test's own.
Ran RunBounded(std::vector<std::string> args, const fs::path& scratch) {
  const pid_t child = ::fork();
  if (child < 0) {
    ADD_FAILURE() << "fork: " << std::strerror(errno);
    return {};
  }
  if (child == 0) {
#if !defined(__SANITIZE_ADDRESS__)
    // A read that never ends fails for want of memory long before the machine runs out of it
    // (the sanitizers reserve far more address space than this, and go without).
    const rlimit memory{kMostMemory, kMostMemory};
    ::setrlimit(RLIMIT_AS, &memory);
#endif
    std::ostringstream out, err;
    int code = kExitInternal;
    try {
      code = RunSim(std::move(args), out, err);
    } catch (const std::exception& e) {
      err << "uncaught: " << e.what();
    }
    WriteBytes(scratch / "run.out", out.str());
    WriteBytes(scratch / "run.err", err.str());
    ::_exit(code);
  }
  Ran ran;
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + kDeadline;
  while (!(ran.ended = ::waitpid(child, &status, WNOHANG) == child) &&
         std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  if (!ran.ended) {
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
  }
  ran.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  for (auto [into, name] : {std::pair{&ran.out, "run.out"}, std::pair{&ran.err, "run.err"}}) {
    if (ran.ended && fs::exists(scratch / name)) *into = ReadFile(scratch / name);
    fs::remove(scratch / name);
  }
  return ran;
}

// ---------------------------------------------------------------------------------------------
// Files.

// What stands under each name of a folder, never following a link nor reading a pipe or a
// device: a file's bytes (or its size, when it is too large to hold), a link's target, or what
// it is.
std::map<std::string, std::string> Entries(const fs::path& folder) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::string& what = entries[entry.path().filename().string()];
    const fs::file_type type = entry.symlink_status().type();
    if (type == fs::file_type::regular) {
      what = entry.file_size() > (std::uintmax_t{2} << 20)
                 ? "a file of " + std::to_string(entry.file_size()) + " bytes"
                 : "a file: " + ReadFile(entry.path());
    } else if (type == fs::file_type::symlink) {
      what = "a link to " + fs::read_symlink(entry.path()).string();
    } else {
      what = type == fs::file_type::directory   ? "a folder"
             : type == fs::file_type::fifo      ? "a pipe"
             : type == fs::file_type::character ? "a device"
                                                : "something else";
    }
  }
  return entries;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find('\n', at);
    lines.push_back(text.substr(at, end == std::string::npos ? end : end + 1 - at));
    at = end == std::string::npos ? text.size() : end + 1;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line;
  return text;
}

// The line (from 1) of a text that holds the byte at `offset`.
int LineAt(const std::string& text, std::size_t offset) {
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

// The index of the log's n-th week (from 0) among its lines.
std::size_t WeekLine(const std::vector<std::string>& lines, int n) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].starts_with("W\t") && n-- == 0) return i;
  }
  throw std::logic_error("the log has too few weeks");
}

// Where a week's field (from 0: W, season, week, …) starts, and its length.
std::pair<std::size_t, std::size_t> FieldAt(const std::string& line, std::size_t field) {
  std::size_t start = 0;
  for (std::size_t f = 0; f < field; ++f) start = line.find('\t', start) + 1;
  return {start, line.find_first_of("\t\n", start) - start};
}
std::string Field(const std::string& line, std::size_t field) {
  const auto [start, length] = FieldAt(line, field);
  return line.substr(start, length);
}
void ChangeField(std::string& line, std::size_t field, const std::string& value) {
  const auto [start, length] = FieldAt(line, field);
  line.replace(start, length, value);
}

// Puts the form in the file's place. Gives the line the game's sentence names (from 1), 0 when
// it names none; a reason when the form cannot be made here.
struct Spoiled {
  int line = 0;
  std::string cannot;
};

Spoiled Spoil(Form form, const fs::path& file, const fs::path& outside, const std::string& inside) {
  const std::string name = file.filename().string();
  const std::string bytes = ReadFile(file);
  std::vector<std::string> lines = SplitLines(bytes);
  Spoiled spoiled;
  if (form == LinkOutside) fs::copy_file(file, outside / name);
  if (form <= Folder) fs::remove(file);
  switch (form) {
    case LinkInside:
    case LinkOutside:
    case DanglingLink:
      fs::create_symlink(form == LinkInside    ? fs::path(inside)
                         : form == LinkOutside ? outside / name
                                               : outside / ("no " + name),
                         file);
      break;
    case Pipe:
      if (::mkfifo(file.c_str(), 0644) != 0) spoiled.cannot = std::strerror(errno);
      break;
    case Device: {
      if (::mknod(file.c_str(), S_IFCHR | 0644, ::makedev(1, 5)) != 0) {
        spoiled.cannot = std::string("no device can be made here (") + std::strerror(errno) +
                         "): run the test as root";
        break;
      }
      // A folder on a file system mounted nodev opens no device at all.
      const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK);
      if (fd < 0)
        spoiled.cannot = std::string("the device cannot be opened here: ") + std::strerror(errno);
      if (fd >= 0) ::close(fd);
      break;
    }
    case Folder:
      fs::create_directory(file);
      break;
    case Huge:
      fs::resize_file(file, std::uintmax_t{5} << 30);  // sparse: no disk is used
      break;
    case Torn: {
      const std::string& last = lines.back();
      fs::resize_file(file, bytes.size() - last.size() + last.find_first_of("\r\n") / 2);
      spoiled.line = static_cast<int>(lines.size());
      break;
    }
    case Zeros:
      WriteBytes(file, bytes.substr(0, bytes.size() - 100) + std::string(100, '\0'));
      spoiled.line = LineAt(bytes, bytes.size() - 100);
      break;
    case TornBeyond:
      WriteBytes(file, bytes + lines.back().substr(0, lines.back().size() / 2));
      break;
    case ZerosBeyond:
      WriteBytes(file, bytes + std::string(4096, '\0'));
      break;
    case ByteOrderMark:
      WriteBytes(file, "\xEF\xBB\xBF" + bytes);
      break;
    // The rest change the log's lines, written again below.
    case CrLf:
      for (std::string& line : lines) line.insert(line.size() - 1, "\r");
      break;
    case BlankLine:
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(WeekLine(lines, 3)), "\n");
      break;
    case TrailingTabs: {
      std::string& line = lines[WeekLine(lines, 3)];
      line.insert(line.size() - 1, "\t\t");
      break;
    }
    case DecimalComma: {
      int week = 0;
      while (Field(lines[WeekLine(lines, week)], 9).find('.') == std::string::npos) ++week;
      std::string& line = lines[WeekLine(lines, week)];
      std::string rating = Field(line, 9);
      rating[rating.find('.')] = ',';
      ChangeField(line, 9, rating);
      break;
    }
    case SpacedHeading:
      lines[0].insert(lines[0].size() - 1, " ");
      break;
    case BadNumber:
    case FutureSeason: {
      const std::size_t at = WeekLine(lines, 10);
      ChangeField(lines[at], form == BadNumber ? 6 : 1, form == BadNumber ? "1O" : "500");
      spoiled.line = static_cast<int>(at) + 1;
      break;
    }
    case RetypedHeading:
      lines[0] = "Kickmark Career Log 1\n";
      spoiled.line = 1;
      break;
  }
  if (form >= CrLf) WriteBytes(file, JoinLines(lines));
  return spoiled;
}

// What the sentence says of the file beyond its name.
std::string Words(Form form, File file, int line) {
  switch (form) {
    case LinkInside:
    case LinkOutside:
    case DanglingLink:
      return "a symbolic link, and the game uses a career's own files, never links to them";
    case Pipe:
      return "a pipe, not a file";
    case Device:
      return "a device, not a file";
    case Folder:
      return "a folder, not a file";
    case Huge: {
      // The most a career's file may hold, in MB.
      const int most = file == Log ? 64 : file == SeasonHistory || file == CareerHistory ? 16 : 1;
      return "larger than any career's file can be (more than " + std::to_string(most) + " MB)";
    }
    case Torn:
    case Zeros:
      // The log's last week torn away is a log that no longer reaches the save: no line is
      // named.
      if (file == Log) return "";
      return "line " + std::to_string(line);
    default:
      return line > 0 ? "line " + std::to_string(line) : "";
  }
}

// The hall of fame's row of a career: its line of the text table, or nothing.
std::string HallRow(const std::string& table, const std::string& career) {
  for (const std::string& line : Lines(table)) {
    if (line.starts_with(career + " ")) return line;
  }
  return {};
}

// ---------------------------------------------------------------------------------------------

class HostileFiles : public ::testing::TestWithParam<Case> {
 public:
  // One career one week before its second season's close, and another career beside it, made
  // once and copied for every case.
  static void SetUpTestSuite() {
    std::string pattern = (fs::temp_directory_path() / "kickmark-HostileFiles-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      baseProblem_ = "no folder for the careers";
      return;
    }
    base_ = pattern;
    auto other =
        With(With(With(NewArgs(kOtherCareer), "--name", kOtherPlayer), "--position", "Wing"),
             "--skills", "50,50,50,50,50");
    // 26 weeks of the first season and 25 of the second: the next week is the grand final's,
    // whose close writes the histories the first close made.
    const std::vector<std::vector<std::string>> steps = {
        With(NewArgs(kCareer), "--name", kPlayer),
        {"play", "--career", kCareer, "--weeks", "51"},
        other,
        {"play", "--career", kOtherCareer, "--weeks", "28"},
    };
    for (std::vector<std::string> args : steps) {
      args.insert(args.begin(), {"--data-dir", base_.string(), "--seed", "3", "--no-sync"});
      std::ostringstream out, err;
      if (RunSim(args, out, err) != kExitOk) {
        baseProblem_ = args[5] + " " + args[7] + ": " + err.str();
        return;
      }
    }
    for (const std::string& line : Lines(ReadFile(base_ / FileName(Log, kCareer, kPlayer)))) {
      baseWeeks_ += line.starts_with("W\t") ? 1 : 0;
    }
  }
  static void TearDownTestSuite() {
    if (!base_.empty()) fs::remove_all(base_);
  }

 protected:
  void SetUp() override { ASSERT_THAT(baseProblem_, IsEmpty()); }

  // The weeks `log` prints of the career, or -1 when it cannot print them.
  [[nodiscard]] int LoggedWeeks(const fs::path& data) const {
    const Ran log =
        RunBounded({"--data-dir", data.string(), "log", "--career", kCareer}, temp_.path);
    if (!log.ended || log.code != kExitOk) return -1;
    return static_cast<int>(Lines(log.out).size()) - 1;
  }

  km::testing::TempFolder temp_;
  static inline fs::path base_;
  static inline std::string baseProblem_;
  static inline int baseWeeks_ = 0;
};

TEST_P(HostileFiles, AreRefusedWithASentenceOrReadAsTheyShouldBe) {
  const auto [file, form, command, expected] = GetParam();
  const fs::path data = temp_.path / "data";
  const fs::path outside = temp_.path / "outside";
  const fs::path transcript = temp_.path / "transcript.txt";
  fs::copy(base_, data, fs::copy_options::recursive);
  fs::create_directory(outside);
  WriteBytes(outside / "sentinel.txt", "the player's own file\n");
  const std::string name = FileName(file, kCareer, kPlayer);
  const std::string save = FileName(Save, kCareer, kPlayer);
  const Spoiled spoiled =
      Spoil(form, data / name, outside, FileName(file, kOtherCareer, kOtherPlayer));
  if (!spoiled.cannot.empty()) GTEST_SKIP() << spoiled.cannot;
  const std::string words = Words(form, file, spoiled.line);
  // The sentence names the file, and then says what is wrong with it.
  const auto names = [&](const std::string& text) {
    const std::size_t at = text.find(name);
    return at != std::string::npos && text.find(words, at + name.size()) != std::string::npos;
  };
  const auto otherCareers = [&] {
    auto entries = Entries(data);
    std::erase_if(entries, [](const auto& e) {
      return !e.first.starts_with(kOtherCareer) && !e.first.starts_with(kOtherPlayer);
    });
    return entries;
  };
  const auto dataBefore = Entries(data);
  const auto outsideBefore = Entries(outside);
  const auto othersBefore = otherCareers();

  const std::string said = transcript.string();
  const std::vector<std::string> commands[] = {
      {"--transcript", said, "show", "--career", kCareer},
      {"--seed", "4", "--transcript", said, "play", "--career", kCareer, "--weeks", "1"},
      {"log", "--career", kCareer},
      {"hall-of-fame"}};
  std::vector<std::string> args = {"--data-dir", data.string()};
  args.insert(args.end(), commands[static_cast<int>(command)].begin(),
              commands[static_cast<int>(command)].end());
  const Ran run = RunBounded(args, temp_.path);
  ASSERT_TRUE(run.ended) << "kickmark-sim did not end within " << kDeadline.count()
                         << " seconds; what it wrote: " << run.out << run.err;
  const bool told = expected == kTold;
  const int code = told ? kExitOk : expected;
  EXPECT_EQ(run.code, code) << run.err;
  if (code != kExitOk) {
    EXPECT_TRUE(names(run.err)) << "stderr names no " << name << " with \"" << words
                                << "\": " << run.err;
  } else {
    EXPECT_THAT(run.err, IsEmpty());
  }

  std::vector<std::string> setAsideNotes = Lines(ReadFile(transcript));
  std::erase_if(setAsideNotes, [](const std::string& line) {
    return line.find("Your career log is kept as it was") == std::string::npos;
  });
  switch (command) {
    case Command::HallOfFame: {
      const std::string row = HallRow(run.out, kCareer);
      if (told) {
        EXPECT_TRUE(names(row)) << run.out;
      } else if (file == Save && form == Folder) {
        EXPECT_THAT(row, IsEmpty());
      } else {
        EXPECT_THAT(row, HasSubstr(kPlayer));
      }
      break;
    }
    case Command::Log:
      // Every week the save has played, whatever the editor did to the file.
      if (code == kExitOk) {
        EXPECT_EQ(static_cast<int>(Lines(run.out).size()) - 1, baseWeeks_);
      }
      break;
    case Command::Play:
      if (code != kExitOk) break;
      if (told) {
        // Told once; the log kept under a name of its own as it was, and a new one begun.
        EXPECT_EQ(setAsideNotes.size(), 1U) << ReadFile(transcript);
        for (const std::string& note : setAsideNotes) EXPECT_TRUE(names(note)) << note;
        const auto after = Entries(data);
        std::vector<std::string> aside;
        for (const auto& [entry, what] : after) {
          if (entry.starts_with(std::string(kCareer) + "Log (unreadable")) {
            aside.push_back(entry);
            EXPECT_EQ(what, dataBefore.at(name)) << entry;
          }
        }
        EXPECT_EQ(aside.size(), 1U);
        EXPECT_EQ(LoggedWeeks(data), 1);
      } else {
        EXPECT_THAT(setAsideNotes, IsEmpty());
        EXPECT_EQ(LoggedWeeks(data), baseWeeks_ + 1);
      }
      break;
    case Command::Show:
      EXPECT_THAT(setAsideNotes, IsEmpty());
      break;
  }

  // A run that reads only, or a load refused, changes nothing in the folder; a week whose write
  // was refused leaves the save as it was, and the file in its form.
  const auto dataAfter = Entries(data);
  if (command != Command::Play || (code != kExitOk && code != kExitNotWritten)) {
    EXPECT_EQ(dataAfter, dataBefore);
  } else if (code == kExitNotWritten) {
    EXPECT_EQ(dataAfter.at(save), dataBefore.at(save));
    EXPECT_EQ(dataAfter.at(name), dataBefore.at(name));
  }
  // Nothing outside the folder: no file where a link pointed, no change to one that was there.
  EXPECT_EQ(Entries(outside), outsideBefore);
  // The other career's files, one of which a link pointed to, are untouched, and it is listed.
  EXPECT_EQ(otherCareers(), othersBefore);
  const Ran hall = RunBounded({"--data-dir", data.string(), "hall-of-fame"}, temp_.path);
  ASSERT_TRUE(hall.ended);
  EXPECT_EQ(hall.code, kExitOk);
  EXPECT_THAT(HallRow(hall.out, kOtherCareer), HasSubstr(kOtherPlayer)) << hall.out;
}

INSTANTIATE_TEST_SUITE_P(Sim, HostileFiles, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return CaseName(info.param); });

}  // namespace
}  // namespace km::sim::testing
