#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "core/file_system.h"
#include "core/game.h"
#include "core/text_file.h"
#include "season/fixture.h"
#include "support/failing_file_system.h"
#include "support/playing.h"
#include "support/temp_folder.h"

namespace km {
namespace {

namespace fs = std::filesystem;
using testing::FailingFileSystem;
using Mode = FailingFileSystem::Mode;

constexpr const char* kNotWritten = "A file of your career could not be written.";

using testing::YesPrompter;

// Whether a file was reported unwritten after message `from`.
bool Told(const YesPrompter& p, std::size_t from) {
  for (std::size_t i = from; i < p.messages.size(); ++i) {
    if (p.messages[i].rfind(kNotWritten, 0) == 0) return true;
  }
  return false;
}

using FolderFiles = std::map<std::string, std::string>;

FolderFiles Snapshot(const fs::path& folder) {
  FolderFiles files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    files[entry.path().filename().string()] = bytes.str();
  }
  return files;
}

void Restore(const fs::path& folder, const FolderFiles& files) {
  fs::remove_all(folder);
  fs::create_directories(folder);
  for (const auto& [name, bytes] : files) {
    std::ofstream(folder / name, std::ios::binary) << bytes;
  }
}

using testing::ReadBytes;

// Plays the week up to the round screen's OK.
void PlayUpToOk(Game& game) {
  testing::DoHubChores(game);
  ASSERT_TRUE(game.Play());
  testing::PlayTheRound(game);
}

// A career of the first season saved after `weeks` rounds.
FolderFiles CareerAfter(const fs::path& folder, int weeks) {
  TwisterRandom random(7);
  YesPrompter p;
  Game game(random, p, DataFolder{folder});
  EXPECT_TRUE(game.StartNewCareer(
      testing::Answers("crash", "Cas Ash", "Geelong", "Victoria", "Rover", {80, 80, 80, 80, 80})));
  EXPECT_TRUE(game.PrepareFirstContract());
  while (game.career().Matches < weeks) {
    PlayUpToOk(game);
    game.FinishRound();
  }
  return Snapshot(folder);
}

struct Outcome {
  bool told = false;
  std::string held;  // the save text of the career the game holds afterwards
};

// From the saved career: a fresh game loads it, plays the week and presses
// OK with `files` in place of the real file system.
Outcome Commit(const fs::path& folder, const FolderFiles& saved, FileSystem& files) {
  Restore(folder, saved);
  TwisterRandom random(11);
  YesPrompter p;
  Game game(random, p, DataFolder{folder});
  Outcome out;
  const auto loaded = game.LoadFrom(folder / "crash.kms");
  EXPECT_EQ(loaded.outcome, Game::LoadOutcome::Loaded) << loaded.error;
  if (loaded.outcome != Game::LoadOutcome::Loaded) return out;
  PlayUpToOk(game);
  const std::size_t before = p.messages.size();
  {
    const UseFileSystem use(files);
    game.FinishRound();
  }
  out.told = Told(p, before);
  out.held = SaveFileText(game.career());
  return out;
}

struct SweepCase {
  const char* label;
  int weeks;  // rounds saved before the round that is committed
};

class CommitSweep : public ::testing::TestWithParam<SweepCase> {};

// Every file call of the round's commit fails in turn, once and from then on:
// the player is told unless the round was saved whole, and a fresh load
// finds the career as it was before the round or as it is after it, with
// the season's files agreeing and the next round playable.
TEST_P(CommitSweep, EveryFailedCallLeavesBeforeOrAfter) {
  const testing::TempFolder temp;
  const fs::path& folder = temp.path;
  const FolderFiles saved = CareerAfter(folder, GetParam().weeks);
  const std::string before = saved.at("crash.kms");

  FailingFileSystem counting;
  ASSERT_FALSE(Commit(folder, saved, counting).told);
  const std::string after = ReadBytes(folder / "crash.kms");
  ASSERT_NE(after, before);
  const int calls = counting.count();
  // At least the results record written in place (read, open, write,
  // flush, close) and the save (seven calls).
  ASSERT_GE(calls, 12);

  for (const Mode mode : {Mode::Once, Mode::FromThenOn}) {
    for (int n = 1; n <= calls; ++n) {
      SCOPED_TRACE(std::string(mode == Mode::Once ? "once" : "from then on") + ", call " +
                   std::to_string(n) + " (" + counting.calls()[static_cast<std::size_t>(n - 1)] +
                   ")");
      FailingFileSystem failing(n, mode, EIO);
      const Outcome out = Commit(folder, saved, failing);

      TwisterRandom random(5);
      YesPrompter p;
      Game fresh(random, p, DataFolder{folder});
      const auto loaded = fresh.LoadFrom(folder / "crash.kms");
      ASSERT_EQ(loaded.outcome, Game::LoadOutcome::Loaded) << loaded.error;
      const std::string text = SaveFileText(fresh.career());
      ASSERT_TRUE(text == before || text == after);
      // Silence only when the round was saved whole, and the game holds it.
      if (!out.told) {
        EXPECT_EQ(text, after);
        EXPECT_EQ(out.held, after);
      }

      const Career& c = fresh.career();
      const auto values = ReadQuotedValues(ResultsPath(folder, c));
      ASSERT_TRUE(std::holds_alternative<std::vector<std::string>>(values));
      EXPECT_GE(std::get<std::vector<std::string>>(values).size(),
                static_cast<std::size_t>(c.Matches) * kResultValues);
      for (int r = 1; r <= c.Matches; ++r) {
        EXPECT_TRUE(std::holds_alternative<RoundRecord>(ReadRoundResult(folder, c, r))) << r;
      }
      if (text == before) {
        // The round can be played again.
        PlayUpToOk(fresh);
        fresh.FinishRound();
        EXPECT_FALSE(Told(p, 0));
      }
      // Played again or not, no season is in the season history twice.
      const std::string history = ReadBytes(folder / "Cas Ash Season History.txt");
      std::size_t seasons = 0;
      for (auto at = history.find("SEASON:"); at != std::string::npos;
           at = history.find("SEASON:", at + 1)) {
        ++seasons;
      }
      EXPECT_LE(seasons, 1u);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Rounds, CommitSweep,
                         ::testing::Values(SweepCase{"ThirdRound", 3},
                                           SweepCase{"QualifyingFinalsDrawn", 21},
                                           SweepCase{"SeasonClose", 25}),
                         [](const auto& info) { return std::string(info.param.label); });

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
  const std::size_t fourRecords = lineStart(4 * kResultValues);
  const std::string sixthRecord = results.substr(lineStart(4 * kResultValues));

  const struct {
    const char* label;
    std::string bytes;
    const char* error;  // nothing: loaded, with the five records only
  } cases[] = {
      {"a sixth record", results + sixthRecord, nullptr},
      {"half a sixth record", results + sixthRecord.substr(0, 300), nullptr},
      {"a damaged line after the fifth", results + "damage\r\n", nullptr},
      {"four records", results.substr(0, fourRecords),
       "crashResults.kmr ends at line 596, but the career has played 5 rounds: the record of "
       "round 5 is missing"},
      {"a score that is no number",
       results.substr(0, lineStart(6)) + "\"six\"\r\n" + results.substr(lineStart(7)),
       "crashResults.kmr, line 7: expected a whole number from 0 to 999"},
      // Points are six a goal: a count this large would overflow them.
      {"a score too large to be one",
       results.substr(0, lineStart(6)) + "\"999999999\"\r\n" + results.substr(lineStart(7)),
       "crashResults.kmr, line 7: expected a whole number from 0 to 999"},
      {"a score below nothing",
       results.substr(0, lineStart(6)) + "\"-1\"\r\n" + results.substr(lineStart(7)),
       "crashResults.kmr, line 7: expected a whole number from 0 to 999"},
      {"an unquoted line", results.substr(0, lineStart(2)) + "x\r\n" + results.substr(lineStart(3)),
       "crashResults.kmr, line 3: expected a value in double quotes"},
      {"no results file", "",
       "crashResults.kmr is missing, but the career has played 5 rounds "
       "of its season"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.label);
    FolderFiles files = saved;
    if (k.bytes.empty()) {
      files.erase("crashResults.kmr");
    } else {
      files["crashResults.kmr"] = k.bytes;
    }
    Restore(folder, files);
    TwisterRandom random(1);
    YesPrompter p;
    Game game(random, p, DataFolder{folder});
    Career running;
    running.Name = "Someone Else";
    game.Adopt(running);
    const auto loaded = game.LoadFrom(folder / "crash.kms");
    if (k.error) {
      EXPECT_EQ(loaded.outcome, Game::LoadOutcome::Failed);
      EXPECT_EQ(loaded.error, k.error);
      EXPECT_EQ(game.career(), running);
    } else {
      ASSERT_EQ(loaded.outcome, Game::LoadOutcome::Loaded) << loaded.error;
      // A load writes nothing: the next round's record replaces the tail.
      EXPECT_TRUE(ReadBytes(folder / "crashResults.kmr") == k.bytes);
    }
  }
}

// Root reads files whatever their permission bits, so the refusal comes
// through the file system seam.
TEST(ReadsRefused, PermissionDeniedGivesItsSentence) {
  const testing::TempFolder temp;
  const fs::path& folder = temp.path;
  CareerAfter(folder, 2);
  TwisterRandom random(1);
  YesPrompter p;
  Game game(random, p, DataFolder{folder});
  {
    FailingFileSystem refusing(1, Mode::Once, EACCES);
    const UseFileSystem use(refusing);
    const auto loaded = game.LoadFrom(folder / "crash.kms");
    EXPECT_EQ(loaded.outcome, Game::LoadOutcome::Failed);
    EXPECT_EQ(loaded.error, "crash.kms cannot be opened: Permission denied");
    EXPECT_FALSE(game.HasCareer());
  }
  {
    FailingFileSystem refusing(2, Mode::Once, EACCES);  // the save, then the results
    const UseFileSystem use(refusing);
    const auto loaded = game.LoadFrom(folder / "crash.kms");
    EXPECT_EQ(loaded.error, "crashResults.kmr cannot be opened: Permission denied");
  }
  ASSERT_EQ(game.LoadFrom(folder / "crash.kms").outcome, Game::LoadOutcome::Loaded);
  const Career before = game.career();
  {
    FailingFileSystem refusing(1, Mode::FromThenOn, EACCES);
    const UseFileSystem use(refusing);
    testing::DoHubChores(game);
    EXPECT_FALSE(game.Play());
  }
  EXPECT_EQ(game.career().Matches, before.Matches);
  ASSERT_FALSE(p.messages.empty());
  EXPECT_EQ(p.messages.back(),
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
  const struct {
    int failAt;
    Mode mode;
    bool written;
  } cases[] = {
      {4, Mode::Once, true},         // the file's fsync
      {8, Mode::Once, true},         // the folder's fsync
      {4, Mode::FromThenOn, false},  // every call from the file's fsync on
  };
  for (const auto& k : cases) {
    fs::remove(file);
    FailingFileSystem failing(k.failAt, k.mode);
    const UseFileSystem use(failing);
    const auto error = WriteFileAtomically(file, "bytes");
    EXPECT_EQ(!error, k.written) << k.failAt;
    if (error) {
      EXPECT_EQ(*error, "a.txt could not be written: Input/output error");
    }
    // Two tries, each from its own mkstemp.
    EXPECT_EQ(std::count(failing.calls().begin(), failing.calls().end(), "mkstemp"), 2);
    if (k.written) {
      // Nothing but the file itself is left behind.
      EXPECT_EQ(std::distance(fs::directory_iterator(temp.path), fs::directory_iterator()), 1);
      EXPECT_EQ(ReadBytes(file), "bytes");
    }
  }
}

}  // namespace
}  // namespace km
