// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/soak.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include <unistd.h>

#include "core/file_system.h"
#include "core/game_data.h"
#include "core/number_format.h"
#include "core/ports.h"
#include "core/save_file.h"
#include "game/game.h"
#include "season/season_end.h"
#include "sim/sim.h"
#include "sim/transcript.h"
#include "week/week.h"

namespace km::sim {

namespace {

// SplitMix64: spreads a soak's seed and a career's number into a seed of
// its own, so that neighbouring careers share nothing.
std::uint64_t Mix(std::uint64_t value) {
  value += 0x9E3779B97F4A7C15ULL;
  value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ULL;
  value = (value ^ (value >> 27)) * 0x94D049BB133111EBULL;
  return value ^ (value >> 31);
}

constexpr std::array<std::string_view, 4> kSpecialCareerNames = {
    "Cash Lord", "Iron Bolt", "Overnight Legend", "Old Timer Bloke"};

// Players' names and home towns, some with the apostrophes and accented
// letters a player may type.
constexpr std::array<std::string_view, 8> kNames = {"Jack Smith",   "Liam O'Connor", "Noah Nguyen",
                                                    "Zoë Brady",    "Tom Hart",      "Josh D'Amico",
                                                    "Billy Müller", "Sam Kelly"};
constexpr std::array<std::string_view, 6> kCities = {"Melbourne",  "Wagga Wagga", "Alice Springs",
                                                     "Launceston", "Coober Pedy", "Broome"};

// A draw of 0..n-1 from a career's plan.
int Pick(Random& random, int n) { return std::min(n - 1, static_cast<int>(random.draw() * n)); }

// A text as one word of a POSIX shell.
std::string Quoted(std::string_view text) {
  std::string out = "'";
  for (const char ch : text) {
    if (ch == '\'') {
      out += "'\\''";
    } else {
      out += ch;
    }
  }
  return out + "'";
}

using CareerRun = SoakedCareer;

// What a worker thread is playing, for the last words of a crash that no
// exception catches (a bad pointer, say): the career, the week, and the
// commands that replay it, written out before the career starts.
struct NowPlaying {
  int career = 0;
  const int* week = nullptr;
  std::string create;      // the `new` command
  std::string playPrefix;  // the `play` command up to its week count
};
thread_local NowPlaying nowPlaying;

// Writes a number into `out`, as a signal handler may.
char* PutNumber(char* out, long value) {
  char digits[24];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0 && n < 24);
  while (n > 0) *out++ = digits[--n];
  return out;
}

void PutText(std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(STDERR_FILENO, text.data(), text.size());
    if (n <= 0) return;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
}

extern "C" void OnFatalSignal(int signal) {
  char line[96];
  char* end = line;
  for (const char ch : std::string_view("kickmark-sim soak: signal ")) *end++ = ch;
  end = PutNumber(end, signal);
  for (const char ch : std::string_view(" in career ")) *end++ = ch;
  end = PutNumber(end, nowPlaying.career);
  for (const char ch : std::string_view(", week ")) *end++ = ch;
  const int week = nowPlaying.week != nullptr ? *nowPlaying.week : 0;
  end = PutNumber(end, week);
  for (const char ch : std::string_view("\n  to reproduce:\n")) *end++ = ch;
  PutText(std::string_view(line, static_cast<std::size_t>(end - line)));
  PutText(nowPlaying.create);
  if (week > 0) {
    PutText("\n");
    PutText(nowPlaying.playPrefix);
    end = PutNumber(line, week);
    PutText(std::string_view(line, static_cast<std::size_t>(end - line)));
  }
  PutText("\n");
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

// Creates the planned career as `kickmark-sim new` does: Start with the
// plan's answers, the best first offer signed, the first save.
std::optional<std::string> CreateCareer(const CareerPlan& plan,
                                        const std::filesystem::path& folder) {
  TwisterRandom random(plan.seed);
  TranscriptPrompter prompter(nullptr);
  Game game(random, prompter, DataFolder{folder});
  if (!game.StartNewCareer(plan.answers)) {
    if (const auto& refusal = game.lockRefusal()) return refusal->message;
    return "the setup answers were refused: " +
           CheckSetupAnswers(plan.answers).value_or("no reason given");
  }
  if (!SignFirstContract(game) || !game.Save() || game.writeFailure()) {
    return game.writeFailure().value_or("the new career's files could not be written");
  }
  return std::nullopt;
}

// Lives the career as `kickmark-sim play --to-end` does, counting as it goes.
void LiveCareer(const CareerPlan& plan, const std::filesystem::path& folder, CareerRun& run) {
  TwisterRandom random(plan.seed);
  TranscriptPrompter prompter(nullptr);
  Game game(random, prompter, DataFolder{folder});
  const auto loaded = game.LoadFrom(folder / (plan.answers.careerName + kSaveExtension));
  if (loaded.outcome != Game::LoadOutcome::Loaded) {
    run.fault = CareerRun::Fault::File;
    run.what = loaded.error;
    return;
  }
  Player player(game, prompter, plan.policy);
  Reloads reloads(plan.seed);
  const int mostWeeks = (kMostSeasons + 1) * kSeasonWeeks;
  for (run.week = 1;; ++run.week) {
    if (run.week > mostWeeks) {
      run.fault = CareerRun::Fault::Crash;
      run.what = std::to_string(mostWeeks) + " weeks went by without " +
                 std::to_string(kMostSeasons) + " seasons closing";
      return;
    }
    const Week week = player.PlayWeek();
    if (week.played) {
      ++run.weeks;
      if (week.match && week.match->absence.empty()) ++run.matches;
    }
    if (week.season) ++run.seasons;
    switch (week.outcome) {
      case Week::Outcome::Played:
        if (reloads.DueAfter(week)) {
          if (auto failed = player.Reload()) {
            run.fault = CareerRun::Fault::File;
            run.what = "after a reload: " + *failed;
            return;
          }
        }
        if (IsRetired(game.career())) {
          run.what = "retired";
          return;
        }
        if (run.seasons >= kMostSeasons) {
          run.what = "still playing at the season limit";
          return;
        }
        continue;
      case Week::Outcome::CannotAdvance:
        run.what = IsRetired(game.career()) ? "retired" : "stopped: " + week.reason;
        return;
      case Week::Outcome::UnreadableFile:
      case Week::Outcome::NotWritten:
        run.fault = CareerRun::Fault::File;
        run.what = week.reason;
        return;
    }
  }
}

}  // namespace

void SoakCareer(const CareerPlan& plan, const std::filesystem::path& folder, SoakedCareer& run) {
  try {
    std::filesystem::create_directories(folder);
    if (auto problem = CreateCareer(plan, folder)) {
      run.fault = CareerRun::Fault::File;
      run.what = *problem;
      return;
    }
    LiveCareer(plan, folder, run);
  } catch (const InvariantBroken& e) {
    run.fault = CareerRun::Fault::Invariant;
    run.what = e.what();
  } catch (const std::exception& e) {
    run.fault = CareerRun::Fault::Crash;
    run.what = e.what();
  }
}

namespace {

// A new folder of its own for the careers' files. They are thrown away, and
// the soak checks the rules, not the disk: a folder in memory (/dev/shm)
// when the system has one, else the system's temporary folder.
std::filesystem::path NewTemporaryFolder() {
  std::error_code ec;
  const std::filesystem::path memory = "/dev/shm";
  const std::filesystem::path base =
      std::filesystem::is_directory(memory, ec) && ::access(memory.c_str(), W_OK) == 0
          ? memory
          : std::filesystem::temp_directory_path();
  std::string pattern = (base / "kickmark-soak-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("a folder for the soak's careers could not be made in " +
                             base.string());
  }
  return pattern;
}

std::string_view PolicyName(Policy policy) {
  return policy == Policy::Passive ? "passive" : "default";
}

}  // namespace

CareerPlan PlanCareer(std::uint64_t soakSeed, int index) {
  CareerPlan plan;
  const std::uint64_t own = Mix(soakSeed ^ Mix(static_cast<std::uint64_t>(index)));
  // kickmark-sim takes its seed as a whole number it can print and read back.
  plan.seed = own >> 1;
  TwisterRandom draws(Mix(own));
  SetupAnswers& a = plan.answers;
  // 13 positions and 8 states: consecutive careers go through every pair.
  a.position = std::string(kPositions[static_cast<std::size_t>(index) % kPositions.size()]);
  a.state = std::string(kStates[static_cast<std::size_t>(index) % kStates.size()]);
  a.name = std::string(kNames[static_cast<std::size_t>(Pick(draws, kNames.size()))]);
  a.city = std::string(kCities[static_cast<std::size_t>(Pick(draws, kCities.size()))]);
  a.height = kShortest + Pick(draws, kTallest - kShortest + 1);
  a.weight = kLightest + Pick(draws, kHeaviest - kLightest + 1);
  std::array<int, 5> skills{};
  for (int& skill : skills) skill = 1 + Pick(draws, 100);
  if (index % 10 == 4) skills.fill(1);
  if (index % 10 == 9) skills.fill(100);
  a.kicking = skills[0];
  a.handballing = skills[1];
  a.tackling = skills[2];
  a.marking = skills[3];
  a.running = skills[4];
  // Every sixth career is one of the special names, in turn.
  a.careerName = index % 6 == 5 ? std::string(kSpecialCareerNames[static_cast<std::size_t>(
                                      (index / 6) % kSpecialCareerNames.size())])
                                : "Soak " + std::to_string(index + 1);
  plan.policy = (index / 2) % 2 == 0 ? Policy::Default : Policy::Passive;
  return plan;
}

std::string ReplayCommands(const CareerPlan& plan, int week) {
  const SetupAnswers& a = plan.answers;
  const std::string seed = "kickmark-sim --data-dir DIR --seed " + std::to_string(plan.seed);
  std::string text = seed + " new --career " + Quoted(a.careerName) + " --name " + Quoted(a.name) +
                     " --city " + Quoted(a.city) + " --state " + Quoted(a.state) + " --height " +
                     std::to_string(a.height) + " --weight " + std::to_string(a.weight) +
                     " --position " + Quoted(a.position) + " --skills " +
                     std::to_string(a.kicking) + ',' + std::to_string(a.handballing) + ',' +
                     std::to_string(a.tackling) + ',' + std::to_string(a.marking) + ',' +
                     std::to_string(a.running);
  if (week > 0) {
    text += "\n" + seed + " play --career " + Quoted(a.careerName) + " --policy " +
            std::string(PolicyName(plan.policy)) + " --reloads --weeks " + std::to_string(week);
  }
  return text;
}

int RunSoak(const SoakOptions& options, std::ostream& out, std::ostream& err) {
  const auto started = std::chrono::steady_clock::now();
  const bool temporary = options.folder.empty();
  const std::filesystem::path root = temporary ? NewTemporaryFolder() : options.folder;

  std::vector<CareerRun> runs(static_cast<std::size_t>(options.careers));
  std::atomic<int> next{0};
  const auto work = [&] {
    // A soak checks the rules, not the disk: its files skip the flushes.
    NoSyncFileSystem files;
    const UseFileSystem useFiles(files);
    for (int index = next++; index < options.careers; index = next++) {
      const std::filesystem::path folder = root / ("career " + std::to_string(index + 1));
      CareerRun& run = runs[static_cast<std::size_t>(index)];
      const CareerPlan plan = PlanCareer(options.seed, index);
      nowPlaying.career = index + 1;
      nowPlaying.week = &run.week;
      nowPlaying.create = ReplayCommands(plan, 0);
      const std::string withWeek = ReplayCommands(plan, 1);
      nowPlaying.playPrefix = withWeek.substr(0, withWeek.rfind(" --weeks ") + 9);
      SoakCareer(plan, folder, run);
      nowPlaying.week = nullptr;
      // A career that went well leaves nothing behind; a failed one keeps
      // its files for a look.
      std::error_code ignored;
      if (run.fault == CareerRun::Fault::None) std::filesystem::remove_all(folder, ignored);
    }
  };
  // A crash no exception catches still says which career and week it came in.
  constexpr std::array<int, 5> kFatalSignals = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
  std::array<struct sigaction, kFatalSignals.size()> before{};
  struct sigaction onFatal {};
  onFatal.sa_handler = OnFatalSignal;
  sigemptyset(&onFatal.sa_mask);
  for (std::size_t i = 0; i < kFatalSignals.size(); ++i) {
    ::sigaction(kFatalSignals[i], &onFatal, &before[i]);
  }
  std::vector<std::thread> threads;
  const int jobs = std::clamp(options.jobs, 1, std::max(1, options.careers));
  threads.reserve(static_cast<std::size_t>(jobs - 1));
  for (int j = 1; j < jobs; ++j) threads.emplace_back(work);
  work();
  for (std::thread& thread : threads) thread.join();
  for (std::size_t i = 0; i < kFatalSignals.size(); ++i) {
    ::sigaction(kFatalSignals[i], &before[i], nullptr);
  }

  long seasons = 0;
  long weeks = 0;
  long matches = 0;
  int invariantFailures = 0;
  int crashes = 0;
  int fileFaults = 0;
  int retired = 0;
  int atLimit = 0;
  int stopped = 0;
  for (int index = 0; index < options.careers; ++index) {
    const CareerRun& run = runs[static_cast<std::size_t>(index)];
    seasons += run.seasons;
    weeks += run.weeks;
    matches += run.matches;
    switch (run.fault) {
      case CareerRun::Fault::None:
        if (run.what == "retired") {
          ++retired;
        } else if (run.what.starts_with("stopped")) {
          ++stopped;
        } else {
          ++atLimit;
        }
        continue;
      case CareerRun::Fault::Invariant:
        ++invariantFailures;
        break;
      case CareerRun::Fault::Crash:
        ++crashes;
        break;
      case CareerRun::Fault::File:
        ++fileFaults;
        break;
    }
    const CareerPlan plan = PlanCareer(options.seed, index);
    err << "career " << index + 1 << " (seed " << plan.seed << "), week " << run.week << ": "
        << run.what
        << "\n  its files: " << (root / ("career " + std::to_string(index + 1))).string()
        << "\n  to reproduce:\n"
        << ReplayCommands(plan, run.week) << '\n';
  }
  const int failures = invariantFailures + crashes + fileFaults;
  if (temporary && failures == 0) {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  // The game's own formatting: printf would take its decimal point from the locale.
  const std::string secondsText = FormatNumber(seconds, "0.0");
  out << "soak: careers " << options.careers << ", seasons " << seasons << ", weeks " << weeks
      << ", matches " << matches << ", invariant failures " << invariantFailures << ", crashes "
      << crashes << ", file faults " << fileFaults << ", seconds " << secondsText << " (retired "
      << retired << ", stopped " << stopped << ", at the " << kMostSeasons << "-season limit "
      << atLimit << ")\n"
      << std::flush;
  return failures == 0 ? kExitOk : kExitInternal;
}

}  // namespace km::sim
