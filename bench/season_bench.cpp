// SPDX-License-Identifier: GPL-3.0-or-later
// How long the game takes: the player's own match, the other clubs' matches
// of one round, a new career's first season through the game, and a whole
// career from the setup screen to retirement, files and all.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/career.h"
#include "core/file_system.h"
#include "core/new_career.h"
#include "game/game.h"
#include "match/match.h"
#include "scratch_folder.h"
#include "season/fixture.h"
#include "season/round.h"
#include "season/season_end.h"
#include "sim/autoplay.h"
#include "sim/transcript.h"

namespace {

km::SetupAnswers BenchAnswers(const char* careerName, int skills) {
  km::SetupAnswers answers;
  answers.careerName = careerName;
  answers.name = "Jack Riley";
  answers.city = "Ballarat";
  answers.state = "Victoria";
  answers.position = "Rover";
  answers.kicking = answers.handballing = answers.tackling = answers.marking = answers.running =
      skills;
  return answers;
}

// The player's own match from the match screen's load to full time: four
// quarters of his figures, ratings and commentary, minute by minute.
void BM_WholeMatch(benchmark::State& state) {
  const km::Career career = km::CreateCareer(BenchAnswers("Bench", 60));
  km::TwisterRandom random(3);
  for (auto _ : state) {
    km::Match match(career, random, "North Coburg", "Seaford");
    match.PlayToFullTime();
    benchmark::DoNotOptimize(match.state().MatchRating);
  }
}
BENCHMARK(BM_WholeMatch)->Unit(benchmark::kMicrosecond);

// The seven matches of round one that the round screen simulates (the first
// is left to the player's club), over a ladder in slot order.
void BM_RoundOfSimulatedMatches(benchmark::State& state) {
  const km::ClubList& clubs = km::ClubsOf("Local Reserves", "Victoria");
  km::Career career = km::Career::Create();
  for (std::size_t row = 0; row < clubs.size(); ++row) career.Ladder[row].Team = clubs[row];
  std::array<std::pair<std::string, std::string>, 7> matches;
  const km::TemplateRound& round = km::ScheduleTemplate()[0];
  for (std::size_t m = 0; m < matches.size(); ++m) {
    const km::Pairing& pair = round[m + 1];
    matches[m] = {std::string(clubs[static_cast<std::size_t>(pair[0] - 1)]),
                  std::string(clubs[static_cast<std::size_t>(pair[1] - 1)])};
  }
  km::TwisterRandom random(1);
  for (auto _ : state) {
    for (const auto& [one, two] : matches) {
      km::Scoreboard board = km::SimulateMatch(career, random, one, two, false);
      benchmark::DoNotOptimize(board);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(matches.size()));
}
BENCHMARK(BM_RoundOfSimulatedMatches)->Unit(benchmark::kMicrosecond);

// kickmark-sim's new, then play until the season closes: the contract, the
// fixture, every round's matches, results and save, the finals and the
// season's close with its awards and histories: the game's own work, without
// the simulator's weekly checks (invariants, the save read back). The argument says whether
// the files are flushed to disk as the game flushes them (1) or not, as
// kickmark-sim --no-sync writes them (0).
void BM_Season(benchmark::State& state) {
  const km::bench::ScratchFolder folder;
  const km::SetupAnswers answers = BenchAnswers("Bench", 30);
  km::NoSyncFileSystem noSync;
  std::optional<km::UseFileSystem> useNoSync;
  if (state.range(0) == 0) useNoSync.emplace(noSync);
  for (auto _ : state) {
    state.PauseTiming();
    folder.Clear();
    state.ResumeTiming();
    km::TwisterRandom random(7);
    km::sim::TranscriptPrompter prompter(nullptr);
    km::Game game(random, prompter, km::DataFolder{folder.path()});
    if (!game.StartNewCareer(answers) || !km::sim::SignFirstContract(game) || !game.Save()) {
      state.SkipWithError("the new career could not be made");
      break;
    }
    km::sim::Player player(game, prompter, km::sim::Policy::Passive);
    player.CheckEachWeek(false);
    for (bool closed = false; !closed;) {
      const km::sim::Week played = player.PlayWeek();
      if (played.outcome != km::sim::Week::Outcome::Played) {
        state.SkipWithError(played.reason.c_str());
        return;
      }
      closed = played.season.has_value();
    }
    benchmark::DoNotOptimize(game.career().Matches);
  }
}
BENCHMARK(BM_Season)->ArgName("sync")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The real files without flushes, but the career log's: its week is made
// and handed to the file system as ever, and goes nowhere. What the log's
// file work costs a career is then BM_Career/log:1 against /log:0.
class NoLogFileSystem final : public km::NoSyncFileSystem {
 public:
  int OpenForUpdate(const std::string& file, int& fd) override {
    if (!IsLog(file)) return NoSyncFileSystem::OpenForUpdate(file, fd);
    fd = kNowhere;
    return 0;
  }
  int FileSize(int fd, std::uint64_t& size) override {
    size = 0;
    return fd == kNowhere ? 0 : NoSyncFileSystem::FileSize(fd, size);
  }
  int Truncate(int fd, std::uint64_t size) override {
    return fd == kNowhere ? 0 : NoSyncFileSystem::Truncate(fd, size);
  }
  int WriteAt(int fd, std::uint64_t offset, std::string_view bytes) override {
    return fd == kNowhere ? 0 : NoSyncFileSystem::WriteAt(fd, offset, bytes);
  }
  int Close(int fd) override { return fd == kNowhere ? 0 : NoSyncFileSystem::Close(fd); }

 private:
  static constexpr int kNowhere = std::numeric_limits<int>::max();
  static bool IsLog(const std::string& file) { return file.ends_with("Log.kml"); }
};

// kickmark-sim's new and play --to-end for "Old Timer Bloke", who starts at
// 40 with a fortune: the default player shops every week, and the career
// runs its seasons, awards nights, histories and contracts to retirement.
// Files are written without flushes, as kickmark-sim --no-sync writes them,
// and without the simulator's weekly checks. The argument says whether the
// career log is written (1) or its writes go nowhere (0).
void BM_Career(benchmark::State& state) {
  const km::bench::ScratchFolder folder;
  km::NoSyncFileSystem noSync;
  NoLogFileSystem noLog;
  const km::UseFileSystem useNoSync(state.range(0) == 1 ? static_cast<km::FileSystem&>(noSync)
                                                        : noLog);
  const km::SetupAnswers answers = BenchAnswers("Old Timer Bloke", 40);
  std::int64_t seasons = 0;
  for (auto _ : state) {
    state.PauseTiming();
    folder.Clear();
    state.ResumeTiming();
    km::TwisterRandom random(1);
    km::sim::TranscriptPrompter prompter(nullptr);
    km::Game game(random, prompter, km::DataFolder{folder.path()});
    if (!game.StartNewCareer(answers) || !km::sim::SignFirstContract(game) || !game.Save()) {
      state.SkipWithError("the new career could not be made");
      break;
    }
    km::sim::Player player(game, prompter, km::sim::Policy::Default);
    player.CheckEachWeek(false);
    int careerSeasons = 0;
    while (!km::IsRetired(game.career())) {
      const km::sim::Week played = player.PlayWeek();
      if (played.season) ++careerSeasons;
      if (played.outcome != km::sim::Week::Outcome::Played) {
        state.SkipWithError(played.reason.c_str());
        return;
      }
      if (careerSeasons > 40) {
        state.SkipWithError("the career went on past 40 seasons");
        return;
      }
    }
    seasons += careerSeasons;
  }
  state.counters["seasons"] =
      benchmark::Counter(static_cast<double>(seasons), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Career)->ArgName("log")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
