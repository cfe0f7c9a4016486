// SPDX-License-Identifier: GPL-3.0-or-later
// How long the start screen's hall of fame takes to read a data folder of
// many careers: each save, and each log as far as its save has played.

#include <benchmark/benchmark.h>

#include <fstream>
#include <stdexcept>
#include <string>

#include "core/file_system.h"
#include "core/new_career.h"
#include "core/save_file.h"
#include "scratch_folder.h"
#include "season/career_log.h"
#include "season/hall_of_fame.h"
#include "week/week.h"

namespace {

// A career `seasons` seasons long, 20 weeks into his last, with a log of
// every week he has played: a story most weeks and an award at each
// season's close, as a long career's log holds them.
void WriteCareer(const std::filesystem::path& folder, int number, int seasons) {
  km::SetupAnswers answers;
  answers.careerName = "Career " + std::to_string(number);
  answers.name = "Player " + std::to_string(number);
  answers.city = "Ballarat";
  answers.state = "Victoria";
  answers.position = "Rover";
  km::Career career = km::CreateCareer(answers);
  career.Age = 13 + seasons;
  career.Matches = 20;
  km::CareerLog log;
  for (int season = 1; season <= seasons; ++season) {
    for (int week = 1; week <= (season == seasons ? 20 : km::kSeasonWeeks); ++week) {
      km::LogWeek w;
      w.season = season;
      w.week = week;
      w.competition = "State";
      w.club = "Port Melbourne Colts";
      w.played = week % 5 != 0;
      w.disposals = 10 + week;
      w.goals = week % 4;
      w.rating = 5.5;
      w.overall = 40 + (season * 3 + week) % 60;
      w.bankBalance = km::Money::Cents(1234567L * season + week);
      if (week % 3 != 0) {
        w.events.push_back({km::LogEventKind::Story, "Riley Stars in Colts Win",
                            "Player " + std::to_string(number) +
                                " kicked three goals as the Colts ran away with it in the last "
                                "quarter, to the delight of a big crowd at home."});
      }
      if (week == km::kSeasonWeeks) {
        w.events.push_back({km::LogEventKind::Award, "Best and Fairest", "State, Port Melbourne"});
      }
      log.weeks.push_back(std::move(w));
    }
  }
  career.Level(km::Competition::State).Matches = static_cast<int>(log.weeks.size());
  if (auto error = km::SaveCareer(folder, career)) throw std::runtime_error(error->message);
  std::ofstream(km::LogPath(folder, career), std::ios::binary) << km::CareerLogText(log);
}

// 200 careers of 1 to 40 seasons (20 on average): the hall of fame read
// from a folder the system has cached, as on the start screen's return.
void BM_HallOfFame200Careers(benchmark::State& state) {
  const km::bench::ScratchFolder folder;
  {
    km::NoSyncFileSystem noSync;
    const km::UseFileSystem use(noSync);
    for (int number = 1; number <= 200; ++number) {
      WriteCareer(folder.path(), number, 1 + (number * 7) % 40);
    }
  }
  std::size_t rows = 0;
  for (auto _ : state) {
    const auto hall = km::ReadHallOfFame(folder.path());
    rows = hall.size();
    for (const auto& row : hall) {
      if (!row.damaged.empty()) state.SkipWithError(row.damaged.c_str());
    }
    benchmark::DoNotOptimize(hall);
  }
  state.counters["careers"] = static_cast<double>(rows);
}
BENCHMARK(BM_HallOfFame200Careers)->Unit(benchmark::kMillisecond);

}  // namespace
