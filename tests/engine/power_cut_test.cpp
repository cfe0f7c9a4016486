// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

#include "core/file_system.h"
#include "core/save_file.h"
#include "core/text_file.h"
#include "game/game.h"
#include "season/career_log.h"
#include "support/journey.h"
#include "support/power_cut_disk.h"
#include "support/temp_folder.h"

namespace km {
namespace {

namespace fs = std::filesystem;
using testing::FolderFiles, testing::Moment, testing::PowerCutDisk, testing::ReadBytes;
using testing::Restore, testing::Session, testing::Snapshot, testing::kSave;
constexpr auto kLoaded = Game::LoadOutcome::Loaded;

// One step of a career taken on the power-cut disk.
struct Taken {
  std::unique_ptr<PowerCutDisk> disk;  // with the step's changes
  std::string before;                  // the save before the step, empty for a new career
  std::string after;                   // and after it
  // What a load makes of the log beside each save (a career steered to a
  // close has season figures its log does not add up to).
  std::optional<std::string> logBefore, logAfter;
};

// A fresh game loads the career `saved` holds, as a player coming back
// would, and takes the next step on a disk that keeps its changes. A folder
// with no save is a new career's: its contract screen and first save.
Taken TakeStep(const fs::path& folder, const FolderFiles& saved) {
  Restore(folder, saved);
  Taken step;
  if (const auto save = saved.find(kSave); save != saved.end()) step.before = save->second;
  Session s(folder, 11);
  if (!step.before.empty()) {
    const auto loaded = s.game.LoadFrom(folder / kSave);
    EXPECT_EQ(loaded.outcome, kLoaded) << loaded.error;
    step.logBefore = LogProblemAtLoad(folder, s.game.career());
  }
  step.disk = std::make_unique<PowerCutDisk>(folder, Snapshot(folder));
  {
    const UseFileSystem use(*step.disk);
    if (step.before.empty()) {
      testing::StartCareer(s.game);
    } else {
      testing::Step(s.game);
    }
  }
  EXPECT_FALSE(testing::ToldOfAFile(s.p, 0));
  step.logAfter = LogProblemAtLoad(folder, s.game.career());
  // With the power on, every step (the draft's among them) leaves a log the
  // next load keeps.
  EXPECT_EQ(step.logAfter, std::nullopt);
  step.after = ReadBytes(folder / kSave);
  EXPECT_NE(step.after, step.before);
  // The disk kept every change the step made, and nothing else.
  EXPECT_EQ(step.disk->Final(), Snapshot(folder));
  return step;
}

// What a player finds when he comes back to `state`, the folder a power cut
// during `step` left: the career loads at the week before the step or the
// week after it (its save byte for byte one of the two; for a new career,
// no save at all is the week before, and the career is started again); its
// log loads, and agrees with the save if it did when the power stayed on; and the career plays on a
// week without a word about files, its log agreeing with it. Gives what breaks this, or nothing.
std::optional<std::string> Broken(const fs::path& folder, const FolderFiles& state,
                                  const Taken& step) {
  Restore(folder, state);
  Session s(folder, 5);
  Game& game = s.game;
  const auto save = state.find(kSave);
  if (step.before.empty() && save == state.end()) {
    testing::StartCareer(game);
    if (!game.HasCareer()) return "a new career of its name cannot be started again";
  } else {
    if (save == state.end()) return "the save is gone";
    if (save->second != step.before && save->second != step.after) {
      return "the save is neither the week before the step nor the week after it";
    }
    const auto loaded = game.LoadFrom(folder / kSave);
    if (loaded.outcome != kLoaded) return "the career does not load: " + loaded.error;
    const Career& c = game.career();
    if (SaveFileText(c) != save->second) return "the career loaded is not its save";
    const auto log = ReadCareerLog(LogPath(folder, c), SavedPlace(c));
    if (const auto* e = std::get_if<FileError>(&log)) return "the log does not load: " + e->message;
    // A log that agrees with the save when the power stays on agrees with it
    // after the cut: else the next week sets it aside, and the career's
    // charts and scrapbook start again from there.
    if (!(save->second == step.before ? step.logBefore : step.logAfter)) {
      if (auto problem = LogProblemAtLoad(folder, c)) return "the log is set aside: " + *problem;
    }
  }
  // The week played on needs no flush: this folder is not the one cut.
  NoSyncFileSystem quick;
  const UseFileSystem use(quick);
  const std::size_t heard = s.p.messages.size();
  const int week = game.career().Matches;
  // The draft is no round: the round after it is the week played on.
  for (int steps = 0; steps < 3 && game.career().Matches == week; ++steps) testing::Step(game);
  if (game.career().Matches == week) return "the career does not play on";
  if (testing::ToldOfAFile(s.p, heard)) return "the player is told: " + s.p.messages.back();
  if (auto problem = CheckLogAgrees(folder, game.career())) {
    return "a week on, the log does not agree: " + *problem;
  }
  return std::nullopt;
}

// Every folder a power cut may leave during the step from `moment` keeps
// the promise. Gives the number of folders. `folder` is a scratch folder.
int EveryStateHolds(const fs::path& folder, const Moment& moment) {
  fs::create_directories(folder / "step");
  const Taken step = TakeStep(folder / "step", moment.files);
  return static_cast<int>(
      step.disk->ForEachState([&](const FolderFiles& state, const std::string& how) {
        EXPECT_EQ(Broken(folder / "cut", state, step), std::nullopt) << how;
      }));
}

// The career's folder with a blank line after its log's heading (an editor
// may leave one) as long as it takes for the next week's lines to start
// `shortOf` bytes before the end of a block of the disk, so that their write
// crosses into the next block.
FolderFiles LogEndingNearABlocksEnd(FolderFiles files, std::size_t shortOf) {
  std::string& log = files.at("crashLog.kml");
  const std::size_t block = PowerCutDisk::kBlock;
  const std::size_t pad = (2 * block - shortOf - log.size() % block - 1) % block + 1;
  log.insert(log.find('\n') + 1, std::string(pad - 1, ' ') + '\n');
  EXPECT_EQ(log.size() % block, block - shortOf);
  return files;
}

// Every folder a power cut may leave at any point of every kind of step (a
// new career's first save, the crash sweep's: every week of the finals, each
// kind of season's close, the draft, ...; and a close as played, its week's
// lines in the log across two blocks of the disk) loads at the week before
// or after, with its log, and plays on. The disk makes a few hundred
// folders in all, few enough for every one to be loaded: none is left out.
TEST(PowerCut, EveryStateOfEveryKindOfStepLoadsAndPlaysOn) {
  const testing::TempFolder temp;
  fs::create_directories(temp.path / "journey");
  fs::create_directories(temp.path / "played");
  // A lock file is never deleted: one may be there before a career starts.
  std::vector<Moment> moments = {
      {"a new career's contract screen and first save", {{"crash.lock", ""}}}};
  {
    // The careers played up to the steps need no flush.
    NoSyncFileSystem quick;
    const UseFileSystem use(quick);
    const std::vector<Moment> journey = testing::Journey(temp.path / "journey");
    ASSERT_EQ(journey.size(), 16u);
    // On the way: the draft's pick and his move are in the log as soon as
    // the draft is saved, with the season's last week, for a player who
    // leaves the game there.
    const auto draftLines = [](const FolderFiles& files) {
      const std::string& log = files.at("crashLog.kml");
      const std::size_t lastWeek = log.rfind("\nW\t");
      return std::pair{log.find("\tdraft\tPick ", lastWeek) != std::string::npos,
                       log.find("\tmove\tState to AFL\t", lastWeek) != std::string::npos};
    };
    EXPECT_EQ(draftLines(journey[14].files), std::pair(false, false));
    EXPECT_EQ(draftLines(journey[15].files), std::pair(true, true));
    moments.insert(moments.end(), journey.begin(), journey.end());
    moments.push_back(
        {"a season's close as played, its log's week across two blocks",
         LogEndingNearABlocksEnd(testing::CareerAfter(temp.path / "played", 25), 64)});
  }
  int all = 0;
  for (const Moment& moment : moments) {
    SCOPED_TRACE(moment.label);
    const int states = EveryStateHolds(temp.path, moment);
    RecordProperty(moment.label, states);
    all += states;
  }
  RecordProperty("states", all);
}

// A crash (a power cut, or a kill just as well) after a season's first week
// has written the new season's results file (its first record alone,
// through the atomic writer) and before the week's save leaves the save of
// the close (week 26) beside it: the career loads, and its log must be taken
// for the save's, not set aside because week 26's record is no longer in the
// results file.
TEST(PowerCut, ASeasonsFirstWeekAfterACloseAsPlayedKeepsTheLog) {
  const testing::TempFolder temp;
  fs::create_directories(temp.path / "played");
  const Moment moment{"a season's first week", testing::CareerAfter(temp.path / "played", 26)};
  EXPECT_GT(EveryStateHolds(temp.path, moment), 0);
}

// The power-cut test can fail: with one flush of a week's writes taken as
// never done, some folder a power cut may leave breaks the promise (a save
// renamed into place before its bytes, a log or results file without the
// week its save has played).
TEST(PowerCut, AFlushLeftOutIsFound) {
  const testing::TempFolder temp;
  const fs::path stepFolder = temp.path / "step";
  fs::create_directories(stepFolder);
  const Taken step = TakeStep(stepFolder, testing::CareerAfter(stepFolder, 2));
  const std::tuple<const char*, const char*> cases[] = {
      {"the save's flush before its rename", kSave},
      {"the career log's flush after its week", "crashLog.kml"},
      {"the results file's flush after the round's record", "crashResults.kmr"},
  };
  for (const auto& [label, file] : cases) {
    SCOPED_TRACE(label);
    const auto flush = step.disk->FlushOf(file);
    ASSERT_TRUE(flush.has_value());
    int broken = 0;
    std::string first;
    const std::size_t states = step.disk->ForEachState(
        [&](const FolderFiles& state, const std::string& how) {
          if (auto problem = Broken(temp.path / "cut", state, step); problem && broken++ == 0) {
            first = how + ": " + *problem;
          }
        },
        {*flush});
    EXPECT_GT(broken, 0);
    RecordProperty(label, std::to_string(broken) + " of " + std::to_string(states) +
                              " states; the first: " + first);
  }
}

// A file's bytes in short: runs of one byte as their length and the byte, a
// zero byte shown as '.'.
std::string Runs(const std::string& bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size();) {
    std::size_t j = i;
    while (j < bytes.size() && bytes[j] == bytes[i]) ++j;
    if (j - i > 1) out += std::to_string(j - i);
    out += bytes[i] == '\0' ? '.' : bytes[i];
    i = j;
  }
  return out;
}

// What the disk makes of the game's two ways of writing: a file written
// whole through a temporary file renamed over it, and a file cut after its
// last whole record and written in place there (a write across two blocks).
TEST(PowerCutDisk, GivesWhatAPowerCutMayLeaveOfAFile) {
  const testing::TempFolder temp;
  const fs::path file = temp.path / "f";
  const auto whole = [&] { EXPECT_EQ(WriteFileAtomically(file, "new"), std::nullopt); };
  const auto inPlace = [&] {
    FileSystem& files = Files();
    int fd = -1;
    ASSERT_EQ(files.OpenForUpdate(file.native(), fd), 0);
    EXPECT_EQ(files.Truncate(fd, 5000), 0);
    EXPECT_EQ(files.WriteAt(fd, 5000, std::string(4000, 'b')), 0);
    EXPECT_EQ(files.Sync(fd), 0);
    EXPECT_EQ(files.Close(fd), 0);
  };
  const std::string torn = std::string(5000, 'a') + std::string(1000, 'x');
  // the file before, how it is written, whether its flush is left out: the file after a cut
  const std::tuple<std::string, std::function<void()>, bool, std::set<std::string>> cases[] = {
      {"old", whole, false, {"old", "new"}},
      // The rename reaches the disk before the bytes, or with the size alone.
      {"old", whole, true, {"old", "new", "", "3."}},
      // The cut lost or kept, and the write's blocks (4096..8191, 8192..8999)
      // each there or zeros where the file had nothing; where it had, the old bytes.
      {torn,
       inPlace,
       false,
       {"5000a1000x", "5000a", "5000a4000b", "5000a4000.", "5000a1000x3000.", "5000a3192b808.",
        "5000a3192.808b", "5000a1000x2192.808b"}},
  };
  for (const auto& [before, write, flushLeftOut, expected] : cases) {
    SCOPED_TRACE(Runs(before) + (flushLeftOut ? ", its flush left out" : ""));
    Restore(temp.path, {{"f", before}});
    PowerCutDisk disk(temp.path, {{"f", before}});
    {
      const UseFileSystem use(disk);
      write();
    }
    std::set<std::size_t> leftOut;
    if (flushLeftOut) leftOut.insert(disk.FlushOf("f").value());
    std::set<std::string> seen;
    disk.ForEachState(
        [&](const FolderFiles& state, const std::string&) { seen.insert(Runs(state.at("f"))); },
        leftOut);
    EXPECT_EQ(seen, expected);
  }
}

}  // namespace
}  // namespace km
