// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <thread>
#include <tuple>

#include "core/file_system.h"
#include "core/text_file.h"
#include "game/game.h"
#include "season/career_log.h"
#include "season/fixture.h"
#include "support/failing_file_system.h"
#include "support/journey.h"
#include "support/playing.h"
#include "support/temp_folder.h"

namespace km {
namespace {

namespace fs = std::filesystem;
using testing::FailingFileSystem, testing::ReadBytes, testing::YesPrompter;
using testing::FolderFiles, testing::Moment, testing::Session, testing::Step, testing::StartCareer;
using testing::Journey;
using testing::Restore, testing::Snapshot, testing::ToldOfAFile, testing::CareerAfter;
using Mode = FailingFileSystem::Mode;
constexpr auto kLoaded = Game::LoadOutcome::Loaded;

// A folder the player may read and not change: a load must work from it.
class ReadOnlyFileSystem final : public RealFileSystem {
 public:
  int MakeTempFile(std::string& /*pattern*/, int& /*fd*/) override { return EROFS; }
  int Rename(const std::string& /*from*/, const std::string& /*to*/) override { return EROFS; }
  int Unlink(const std::string& /*file*/) override { return EROFS; }
  int Remove(const std::string& /*file*/) override { return EROFS; }
  int OpenForUpdate(const std::string& /*file*/, int& /*fd*/) override { return EROFS; }
};

struct Outcome {
  bool told = false;  // a file was reported unwritten or unreadable
  std::string held;   // the save text of the career the game holds afterwards
};

std::string Trial(Mode mode, int n, const FailingFileSystem& counting) {
  return std::string(mode == Mode::Once ? "once" : "from then on") + ", call " + std::to_string(n) +
         " (" + counting.calls()[static_cast<std::size_t>(n - 1)] + ")";
}

// A fresh game loads the saved career and takes the step through `files`.
Outcome TakeStep(const fs::path& folder, const FolderFiles& saved, FileSystem& files) {
  Restore(folder, saved);
  Session s(folder, 11);
  const auto loaded = s.game.LoadFrom(folder / "crash.kms");
  EXPECT_EQ(loaded.outcome, kLoaded) << loaded.error;
  if (loaded.outcome != kLoaded) return {};
  {
    const UseFileSystem use(files);
    Step(s.game);
  }
  return {ToldOfAFile(s.p, 0), SaveFileText(s.game.career())};
}

// Every file call of every kind of step fails in turn, once and from then on
// (as a crash there would leave the files): the player is told unless the
// step was saved whole; a fresh load, even from a folder it cannot write to,
// finds the career as it was before the step or as it is after it, waiting
// for what it waited for then, its season's files agreeing and no temporary
// file left; and the career goes on from there without a word about files.
TEST(CrashSweep, EveryFileCallOfEveryKindOfStepFailsInTurn) {
  const testing::TempFolder temp;
  const fs::path& folder = temp.path;
  const std::vector<Moment> moments = Journey(folder);
  ASSERT_EQ(moments.size(), 16u);
  int trials = 0;
  for (const Moment& moment : moments) {
    SCOPED_TRACE(moment.label);
    const std::string before = moment.files.at("crash.kms");
    FailingFileSystem counting;
    ASSERT_FALSE(TakeStep(folder, moment.files, counting).told);
    const std::string after = ReadBytes(folder / "crash.kms");
    ASSERT_NE(after, before);
    const int calls = counting.count();
    RecordProperty(moment.label, calls);
    auto waitingOn = [&](const FolderFiles& files) {
      Restore(folder, files);
      Session fresh(folder, 5);
      EXPECT_EQ(fresh.game.LoadFrom(folder / "crash.kms").outcome, kLoaded);
      return fresh.game.WaitingFor();
    };
    const FolderFiles afterFiles = Snapshot(folder);
    const Game::Waiting waitedBefore = waitingOn(moment.files);
    const Game::Waiting waitedAfter = waitingOn(afterFiles);
    for (const Mode mode : {Mode::Once, Mode::FromThenOn}) {
      for (int n = 1; n <= calls; ++n) {
        SCOPED_TRACE(Trial(mode, n, counting));
        ++trials;
        FailingFileSystem failing(n, mode, n % 2 == 0 ? EIO : ENOSPC);
        const Outcome out = TakeStep(folder, moment.files, failing);
        Session s(folder, 5);
        Game& fresh = s.game;
        {
          ReadOnlyFileSystem readOnly;
          const UseFileSystem use(readOnly);
          const auto loaded = fresh.LoadFrom(folder / "crash.kms");
          ASSERT_EQ(loaded.outcome, kLoaded) << loaded.error;
        }
        const auto loaded = fresh.LoadFrom(folder / "crash.kms");  // and clears what was left
        ASSERT_EQ(loaded.outcome, kLoaded) << loaded.error;
        const std::string text = SaveFileText(fresh.career());
        ASSERT_TRUE(text == before || text == after);
        EXPECT_TRUE(fresh.WaitingFor() == (text == before ? waitedBefore : waitedAfter))
            << Game::Describe(fresh.WaitingFor());
        if (!out.told) {  // silence only when the step was saved whole, and the game holds it
          EXPECT_EQ(text, after);
          EXPECT_EQ(out.held, after);
        }
        for (const auto& entry : fs::directory_iterator(folder))
          EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
        // Played again or not, the career goes on, no season in the history twice.
        // ... two rounds on (the draft is no round), and its log agrees with it.
        const std::size_t heard = s.p.messages.size();
        for (int rounds = 0, steps = 0; rounds < 2 && steps < 4; ++steps) {
          const int week = fresh.career().Matches;
          Step(fresh);
          rounds += fresh.career().Matches != week ? 1 : 0;
        }
        EXPECT_FALSE(ToldOfAFile(s.p, heard));
        EXPECT_EQ(CheckLogAgrees(folder, fresh.career()), std::nullopt);
        const std::string history = ReadBytes(folder / "Cas Ash Season History.txt");
        std::map<std::string, int> seasons;
        for (auto at = history.find("SEASON:"); at != std::string::npos;
             at = history.find("SEASON:", at + 1))
          EXPECT_EQ(++seasons[history.substr(at, history.find('\n', at) - at)], 1);
      }
    }
  }
  RecordProperty("trials", trials);
}

// A new career's contract screen and first save, every file call failing in
// turn: saved whole, or no save and the player told; and a career started
// again under the same name goes on.
TEST(CrashSweep, ANewCareersFirstSave) {
  const testing::TempFolder temp;
  const fs::path& folder = temp.path;
  const auto startWith = [&](FileSystem& files) {
    Restore(folder, {});
    Session s(folder, 3);
    const UseFileSystem use(files);
    StartCareer(s.game);
    return ToldOfAFile(s.p, 0);
  };
  FailingFileSystem counting;
  ASSERT_FALSE(startWith(counting));
  const std::string after = ReadBytes(folder / "crash.kms");
  for (const Mode mode : {Mode::Once, Mode::FromThenOn}) {
    for (int n = 1; n <= counting.count(); ++n) {
      SCOPED_TRACE(Trial(mode, n, counting));
      FailingFileSystem failing(n, mode);
      const bool told = startWith(failing);
      Session s(folder, 5);
      const auto loaded = s.game.LoadFrom(folder / "crash.kms");
      if (loaded.outcome == kLoaded) {
        EXPECT_EQ(SaveFileText(s.game.career()), after);
      } else {
        EXPECT_TRUE(told) << loaded.error;
        StartCareer(s.game);
      }
      Step(s.game);
      EXPECT_EQ(s.game.career().Matches, 1);
      EXPECT_FALSE(ToldOfAFile(s.p, 0));
    }
  }
}

// What a load makes of the results file beside a save of five rounds.
TEST(ResultsOnLoad, TornTailIsDroppedAndShortOrDamagedRecordsAreRefused) {
  const testing::TempFolder temp;
  const fs::path& folder = temp.path;
  const FolderFiles saved = CareerAfter(folder, 5);
  const std::string results = saved.at("crashResults.kmr");
  auto lineStart = [&](std::size_t line) {
    std::size_t pos = 0;
    for (std::size_t k = 0; k < line; ++k) pos = results.find('\n', pos) + 1;
    return pos;
  };
  const std::string sixthRecord = results.substr(lineStart(4 * kResultValues));
  auto line7 = [&](const char* score) {
    return results.substr(0, lineStart(6)) + score + "\r\n" + results.substr(lineStart(7));
  };
  const char* badScore = "crashResults.kmr, line 7: expected a whole number from 0 to 999";
  // error: nothing: loaded, with the five records only
  const std::tuple<const char*, std::string, const char*> cases[] = {
      {"a sixth record", results + sixthRecord, nullptr},
      {"half a sixth record", results + sixthRecord.substr(0, 300), nullptr},
      {"a damaged line after the fifth", results + "damage\r\n", nullptr},
      {"four records", results.substr(0, lineStart(4 * kResultValues)),
       "crashResults.kmr ends at line 596, but the career has played 5 rounds: the record of "
       "round 5 is missing"},
      {"a score that is no number", line7("\"six\""), badScore},
      // Points are six a goal: a count this large would overflow them.
      {"a score too large to be one", line7("\"999999999\""), badScore},
      {"a score below nothing", line7("\"-1\""), badScore},
      {"no results file", "",
       "crashResults.kmr is missing, but the career has played 5 rounds of its season"},
      // No round whose save never followed leaves two records: the save and its
      // results tell two seasons.
      {"a sixth and a seventh record", results + sixthRecord + sixthRecord,
       "crashResults.kmr holds 7 rounds' results, but the career's save has played 5 rounds of "
       "its season"},
      // The last value's line end lost reads the same; a value cut short is named.
      {"the last line end lost", results.substr(0, results.size() - 2), nullptr},
      {"the fifth record cut in its last value", results.substr(0, results.size() - 4),
       "crashResults.kmr, line 745: expected a value in double quotes"},
      {"the fifth record a line short", results.substr(0, lineStart(5 * kResultValues - 1)),
       "crashResults.kmr, line 745: expected a value in double quotes"},
  };
  for (const auto& [label, bytes, error] : cases) {
    SCOPED_TRACE(label);
    FolderFiles files = saved;
    if (bytes.empty()) files.erase("crashResults.kmr");
    if (!bytes.empty()) files["crashResults.kmr"] = bytes;
    Restore(folder, files);
    Session s(folder, 1);
    Career running;
    running.Name = "Someone Else";
    s.game.Adopt(running);
    const auto loaded = s.game.LoadFrom(folder / "crash.kms");
    if (error) {
      EXPECT_EQ(loaded.outcome, Game::LoadOutcome::Failed);
      EXPECT_EQ(loaded.error, error);
      EXPECT_EQ(s.game.career(), running);
    } else {
      ASSERT_EQ(loaded.outcome, kLoaded) << loaded.error;
      // A load writes nothing: the next round's record replaces the tail.
      EXPECT_TRUE(ReadBytes(folder / "crashResults.kmr") == bytes);
    }
  }
}

// Root reads files whatever their permission bits, so the refusal comes
// through the file system seam.
TEST(ReadsRefused, PermissionDeniedGivesItsSentence) {
  const testing::TempFolder temp;
  const fs::path& folder = temp.path;
  CareerAfter(folder, 2);
  Session s(folder, 1);
  Game& game = s.game;
  // The first call opens the save, the second the results.
  for (const int call : {1, 2}) {
    FailingFileSystem refusing(call, Mode::Once, EACCES);
    const UseFileSystem use(refusing);
    const auto loaded = game.LoadFrom(folder / "crash.kms");
    EXPECT_EQ(loaded.outcome, Game::LoadOutcome::Failed);
    EXPECT_EQ(loaded.error, std::string(call == 1 ? "crash.kms" : "crashResults.kmr") +
                                " cannot be opened: Permission denied");
    EXPECT_FALSE(game.HasCareer());
  }
  ASSERT_EQ(game.LoadFrom(folder / "crash.kms").outcome, kLoaded);
  const Career before = game.career();
  {
    FailingFileSystem refusing(1, Mode::FromThenOn, EACCES);
    const UseFileSystem use(refusing);
    testing::DoHubChores(game);
    EXPECT_FALSE(game.Play());
  }
  EXPECT_EQ(game.career().Matches, before.Matches);
  ASSERT_FALSE(s.p.messages.empty());
  EXPECT_EQ(s.p.messages.back(),
            "This week's round cannot be played. crashFixture.kmf cannot be opened: Permission "
            "denied.");
}

// The seam is the calling thread's: another thread keeps the real files.
TEST(FileSystemSeam, InstalledPerThreadAndRestored) {
  FailingFileSystem mine;
  FileSystem* const real = &Files();
  {
    const UseFileSystem use(mine);
    EXPECT_EQ(&Files(), &mine);
    FileSystem* seen = nullptr;
    std::thread([&] { seen = &Files(); }).join();
    EXPECT_EQ(seen, real);
    NoSyncFileSystem fast;
    {
      const UseFileSystem inner(fast);
      EXPECT_EQ(&Files(), &fast);
    }
    EXPECT_EQ(&Files(), &mine);
  }
  EXPECT_EQ(&Files(), real);
}

// A flush that fails is not tried again on the same file: the write starts
// over once from a new temporary file, and a second failure is reported.
TEST(AtomicWrite, AFailedFlushStartsOverOnceFromANewFile) {
  const testing::TempFolder temp;
  const fs::path file = temp.path / "a.txt";
  const std::tuple<int, Mode, bool> cases[] = {
      {5, Mode::Once, true},         // the file's fsync
      {9, Mode::Once, true},         // the folder's fsync
      {5, Mode::FromThenOn, false},  // every call from the file's fsync on
  };
  for (const auto& [failAt, mode, written] : cases) {
    fs::remove(file);
    FailingFileSystem failing(failAt, mode);
    const UseFileSystem use(failing);
    const auto error = WriteFileAtomically(file, "bytes");
    EXPECT_EQ(!error, written) << failAt;
    if (error) {
      EXPECT_EQ(*error, "a.txt could not be written: Input/output error");
    }
    // Two tries, each from its own mkstemp.
    EXPECT_EQ(std::count(failing.calls().begin(), failing.calls().end(), "mkstemp"), 2);
    if (written) {  // nothing but the file itself is left behind
      EXPECT_EQ(std::distance(fs::directory_iterator(temp.path), fs::directory_iterator()), 1);
      EXPECT_EQ(ReadBytes(file), "bytes");
    }
  }
}

}  // namespace
}  // namespace km
