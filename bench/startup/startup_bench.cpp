// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up time and peak memory of the game against a bare Qt window.
//
// Both programs are started in turn, offscreen, and each writes one line once
// its first window is painted and then quits (the game with its hidden
// --quit-when-painted). The time runs from just before the program is started
// to that line arriving; the peak memory is the child's largest resident set
// as the kernel reports it when the child is reaped. Medians of both, and the
// game's figures over the bare window's, are printed. There is no pass or
// fail on the figures: the exit status says only whether both programs
// started and reported their first paint every time.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

#ifndef KICKMARK_BARE_WINDOW_PATH
#define KICKMARK_BARE_WINDOW_PATH "kickmark_bare_window"
#endif
#ifndef KICKMARK_GAME_PATH
#define KICKMARK_GAME_PATH "kickmark"
#endif

namespace {

using Clock = std::chrono::steady_clock;

// How long a program may take to report its first paint before it counts as
// hung.
constexpr int kPatienceMs = 30'000;
// What the game aims for against the bare window: its splash painted within
// 1.4 times the time, in at most 1.5 times the memory.
constexpr double kStartTarget = 1.4;
constexpr double kMemoryTarget = 1.5;
constexpr std::string_view kPaintedLine = "painted";

struct Options {
  int runs = 20;
  std::string bare = KICKMARK_BARE_WINDOW_PATH;
  std::string game = KICKMARK_GAME_PATH;
  bool showErrors = false;
};

struct Program {
  std::string name;
  std::vector<std::string> arguments;  // the first is the program's path
  std::vector<double> startMs;
  std::vector<double> peakMb;
};

struct Sample {
  double startMs = 0;
  double peakMb = 0;
};

void PrintUsage(std::FILE* to) {
  std::fprintf(to,
               "usage: kickmark_startup_bench [--runs N] [--bare PATH] [--game PATH] "
               "[--show-errors]\n"
               "  --runs N       starts of each program (default 20)\n"
               "  --bare PATH    the bare window program (default %s)\n"
               "  --game PATH    the game (default %s)\n"
               "  --show-errors  let the programs' own error output through\n",
               KICKMARK_BARE_WINDOW_PATH, KICKMARK_GAME_PATH);
}

// Reads the driver's options; nothing when they are wrong (said on stderr) or
// when only the usage was asked for (`usage` set).
std::optional<Options> ParseOptions(int argc, char* argv[], bool& usage) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const bool hasValue = i + 1 < argc;
    if (argument == "--help" || argument == "-h") {
      usage = true;
      return std::nullopt;
    }
    if (argument == "--show-errors") {
      options.showErrors = true;
    } else if (argument == "--runs" && hasValue) {
      char* end = nullptr;
      const long runs = std::strtol(argv[++i], &end, 10);
      if (end == argv[i] || *end != '\0' || runs < 1 || runs > 10'000) {
        std::fprintf(stderr, "--runs needs a whole number from 1 to 10000, not \"%s\"\n", argv[i]);
        return std::nullopt;
      }
      options.runs = static_cast<int>(runs);
    } else if (argument == "--bare" && hasValue) {
      options.bare = argv[++i];
    } else if (argument == "--game" && hasValue) {
      options.game = argv[++i];
    } else {
      std::fprintf(stderr, "unexpected argument \"%s\"\n", argv[i]);
      PrintUsage(stderr);
      return std::nullopt;
    }
  }
  return options;
}

// Starts the program once and waits for its line and its end. Nothing when
// it could not be started, never reported its first paint, or did not end
// well (said on stderr).
std::optional<Sample> RunOnce(const Program& program, bool showErrors) {
  int pipeEnds[2];
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
    std::perror("pipe2");
    return std::nullopt;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  if (!showErrors) {
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  }
  std::vector<char*> argv;
  for (const std::string& argument : program.arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);

  // posix_spawn starts the child without copying this process's memory, so
  // the child's peak is the program's own.
  const Clock::time_point started = Clock::now();
  pid_t child = 0;
  const int spawnError = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  if (spawnError != 0) {
    std::fprintf(stderr, "%s: cannot start %s: %s\n", program.name.c_str(), argv[0],
                 std::strerror(spawnError));
    close(pipeEnds[0]);
    return std::nullopt;
  }

  // Read until the first line is whole, the pipe closes or patience runs out.
  std::string output;
  std::optional<Clock::time_point> reported;
  while (!reported) {
    const auto waited =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count();
    if (waited >= kPatienceMs) break;
    pollfd watch{pipeEnds[0], POLLIN, 0};
    const int ready = poll(&watch, 1, static_cast<int>(kPatienceMs - waited));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    char buffer[256];
    const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    output.append(buffer, static_cast<std::size_t>(got));
    if (output.find('\n') != std::string::npos) reported = Clock::now();
  }
  close(pipeEnds[0]);
  if (!reported) kill(child, SIGKILL);

  int status = 0;
  rusage usage{};
  while (wait4(child, &status, 0, &usage) < 0) {
    if (errno != EINTR) {
      std::perror("wait4");
      return std::nullopt;
    }
  }
  const std::string line = output.substr(0, output.find('\n'));
  if (!reported || line.rfind(kPaintedLine, 0) != 0) {
    std::fprintf(stderr, "%s: no \"%.*s\" line from %s (got \"%s\")\n", program.name.c_str(),
                 static_cast<int>(kPaintedLine.size()), kPaintedLine.data(), argv[0], line.c_str());
    return std::nullopt;
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s: %s did not end well after its first paint (status %d)\n",
                 program.name.c_str(), argv[0], status);
    return std::nullopt;
  }
  Sample sample;
  sample.startMs = std::chrono::duration<double, std::milli>(*reported - started).count();
  // Linux counts the largest resident set in kibibytes.
  sample.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
  return sample;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  if (values.size() % 2 == 1) return values[middle];
  return (values[middle - 1] + values[middle]) / 2;
}

bool Measure(Program& program, bool keep, bool showErrors) {
  const auto sample = RunOnce(program, showErrors);
  if (!sample) return false;
  if (keep) {
    program.startMs.push_back(sample->startMs);
    program.peakMb.push_back(sample->peakMb);
  }
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  bool usage = false;
  const auto options = ParseOptions(argc, argv, usage);
  if (!options) {
    if (!usage) return 2;
    PrintUsage(stdout);
    return 0;
  }
  // Both programs draw into memory: no display is needed, and none is timed.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);

  Program bare{"bare window", {options->bare}, {}, {}};
  Program game{"kickmark", {options->game, "--quit-when-painted"}, {}, {}};

  // One start of each that is not counted, so that both meet the libraries
  // and the font cache already read from disk.
  if (!Measure(bare, false, options->showErrors) || !Measure(game, false, options->showErrors)) {
    return 1;
  }
  // In turn, and each one first half of the time, so that a machine growing
  // busier or quieter during the run weighs on both alike.
  for (int run = 0; run < options->runs; ++run) {
    Program& first = run % 2 == 0 ? bare : game;
    Program& second = run % 2 == 0 ? game : bare;
    if (!Measure(first, true, options->showErrors) || !Measure(second, true, options->showErrors)) {
      return 1;
    }
  }

  const double bareStart = Median(bare.startMs);
  const double barePeak = Median(bare.peakMb);
  const double gameStart = Median(game.startMs);
  const double gamePeak = Median(game.peakMb);
  std::printf("medians of %d starts each, offscreen\n", options->runs);
  std::printf("bare window: start %.1f ms, peak %.1f MB\n", bareStart, barePeak);
  std::printf("kickmark:    start %.1f ms, peak %.1f MB\n", gameStart, gamePeak);
  std::printf("ratios: start %.2f (target %.1f), memory %.2f (target %.1f)\n",
              gameStart / bareStart, kStartTarget, gamePeak / barePeak, kMemoryTarget);
  return 0;
}
