// SPDX-License-Identifier: GPL-3.0-or-later
// How long the save file takes: the round's save step and the start screen's
// load, on disk and in memory.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <variant>

#include "core/career.h"
#include "core/money.h"
#include "core/new_career.h"
#include "core/save_file.h"
#include "scratch_folder.h"
#include "sim/record_json.h"

namespace {

// A career some seasons in, so that the file carries numbers of every width.
km::Career SeasonedCareer() {
  km::SetupAnswers answers;
  answers.careerName = "Bench";
  answers.name = "Jack Riley";
  answers.city = "Ballarat";
  answers.state = "Victoria";
  answers.position = "Rover";
  answers.kicking = 60;
  answers.handballing = 55;
  answers.tackling = 40;
  answers.marking = 70;
  answers.running = 50;
  km::Career career = km::CreateCareer(answers);
  career.League = "State";
  career.Age = 22;
  career.Matches = 14;
  career.Disposals = 287;
  career.Goals = 23;
  career.AverageDisposals = 20.5;
  career.AverageGoals = 1.6;
  career.MatchRatingAverage = 6.8;
  career.BankBalance = km::Money::Cents(12345675);
  career.Boots = 63;
  career.Fitness = 88;
  for (int row = 0; row < km::kLadderRows; ++row) {
    auto& ladder = career.Ladder[static_cast<std::size_t>(row)];
    ladder.Team = "Club " + std::to_string(row + 1);
    ladder.Wins = 14 - row / 2;
    ladder.Losses = row / 2;
    ladder.For = 1500 - row * 37;
    ladder.Against = 1100 + row * 29;
  }
  return career;
}

// The save step at the end of a round, then the start screen's load: both
// through the disk, with the save flushed as the game flushes it.
void BM_SaveThenLoadCareer(benchmark::State& state) {
  const km::bench::ScratchFolder folder;
  const km::Career career = SeasonedCareer();
  const auto file = km::SaveFilePath(folder.path(), career);
  for (auto _ : state) {
    if (auto error = km::SaveCareer(folder.path(), career)) {
      state.SkipWithError(error->message.c_str());
      break;
    }
    auto loaded = km::LoadCareer(file);
    if (std::holds_alternative<km::FileError>(loaded)) {
      state.SkipWithError(std::get<km::FileError>(loaded).message.c_str());
      break;
    }
    benchmark::DoNotOptimize(loaded);
  }
}
BENCHMARK(BM_SaveThenLoadCareer)->Unit(benchmark::kMicrosecond);

// The same round trip without the disk: the 491 lines written and parsed.
void BM_SaveFileTextThenParse(benchmark::State& state) {
  const km::Career career = SeasonedCareer();
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = km::SaveFileText(career);
    auto parsed = km::ParseSaveFile(text, "Bench.kms");
    if (std::holds_alternative<km::FileError>(parsed)) {
      state.SkipWithError(std::get<km::FileError>(parsed).message.c_str());
      break;
    }
    bytes += text.size();
    benchmark::DoNotOptimize(parsed);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_SaveFileTextThenParse)->Unit(benchmark::kMicrosecond);

// The simulator's `show`: the record as JSON text.
void BM_CareerJson(benchmark::State& state) {
  const km::Career career = SeasonedCareer();
  for (auto _ : state) {
    std::string text = km::sim::CareerJson(career).dump(2);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_CareerJson)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
