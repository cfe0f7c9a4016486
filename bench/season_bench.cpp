// How long a season takes: the other clubs' matches of one round, and a new
// career's whole home-and-away season through the game, files and all.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "core/career.h"
#include "core/game.h"
#include "core/new_career.h"
#include "scratch_folder.h"
#include "season/fixture.h"
#include "season/round.h"
#include "sim/autoplay.h"
#include "sim/transcript.h"

namespace {

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

// kickmark-sim's new and 22 weeks of play: the contract, the fixture, every
// round's matches, results and save, each save flushed to disk as the game
// flushes it.
void BM_HomeAndAwaySeason(benchmark::State& state) {
  const km::bench::ScratchFolder folder;
  km::SetupAnswers answers;
  answers.careerName = "Bench";
  answers.name = "Jack Riley";
  answers.city = "Ballarat";
  answers.state = "Victoria";
  answers.position = "Rover";
  answers.kicking = answers.handballing = answers.tackling = answers.marking = answers.running = 30;
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
    for (int week = 1; week <= km::kHomeAndAwayRounds; ++week) {
      const km::sim::Week played = km::sim::PlayWeek(game, prompter);
      if (played.outcome != km::sim::Week::Outcome::Played) {
        state.SkipWithError(played.reason.c_str());
        return;
      }
    }
    benchmark::DoNotOptimize(game.career().Matches);
  }
}
BENCHMARK(BM_HomeAndAwaySeason)->Unit(benchmark::kMillisecond);

}  // namespace
