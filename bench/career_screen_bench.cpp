// SPDX-License-Identifier: GPL-3.0-or-later
// How long the career screen takes to come up for a long career: its log
// read from the disk, the screen built and painted whole.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <string>
#include <variant>

#include "core/career.h"
#include "core/text_file.h"
#include "scratch_folder.h"
#include "screens/career_screen.h"
#include "screens/look.h"
#include "season/career_log.h"

namespace {

constexpr int kSeasons = 40;

// Forty seasons of 26 weeks, up through the competitions, a story most
// weeks, a message some, an award at each season's end.
km::CareerLog LongLog() {
  km::CareerLog log;
  for (int n = 0; n < kSeasons * 26; ++n) {
    km::LogWeek& w = log.weeks.emplace_back();
    w.season = 1 + n / 26;
    w.week = n % 26 + 1;
    w.competition = std::string(km::kCompetitionNames[std::size_t(n * 4 / (kSeasons * 26))]);
    w.club = "Frankston";
    w.absence = n % 17 == 16 ? km::Absence::Injured : km::Absence::None;
    w.played = w.absence == km::Absence::None;
    if (w.played) {
      w.disposals = 9 + n % 19;
      w.goals = n % 5;
      w.rating = 3 + n % 13 * 0.5;
    }
    w.kicking = w.handballing = w.tackling = w.marking = w.running = w.overall = 40 + n / 8;
    w.bankBalance = km::Money::Dollars(800 * n - 5000);
    const std::string at = std::to_string(n);
    if (n % 3 != 0) w.events.push_back({km::LogEventKind::Story, "Headline " + at, "Story " + at});
    if (n % 7 == 0) w.events.push_back({km::LogEventKind::Message, "Note " + at, "Message " + at});
    if (w.week == 26) w.events.push_back({km::LogEventKind::Award, "Best and Fairest", at});
  }
  return log;
}

// The career screen of a 40-season career from its log on disk to its
// first full paint: by season (how a long career opens) and by week.
void BM_CareerScreenPaint40Seasons(benchmark::State& state) {
  const km::bench::ScratchFolder folder;
  km::Career career;
  career.Name = "Jack Riley";
  career.CareerName = "bench";
  career.Age = 13 + kSeasons;
  career.Matches = 26;
  const auto file = km::LogPath(folder.path(), career);
  if (km::WriteFileAtomically(file, km::CareerLogText(LongLog()))) {
    state.SkipWithError("the log could not be written");
    return;
  }
  for (auto _ : state) {
    auto read = km::ReadCareerLog(file, km::SavedPlace(career));
    if (const auto* error = std::get_if<km::FileError>(&read)) {
      state.SkipWithError(error->message.c_str());
      return;
    }
    km::screens::CareerScreen screen(career, std::get<km::CareerLog>(std::move(read)));
    if (state.range(0) == 1) {
      // By week, and every season of it at once: the most the charts draw.
      screen.ShowByWeek(true);
      screen.ShowSeasons(1, kSeasons);
    }
    screen.show();
    benchmark::DoNotOptimize(screen.grab());
  }
}
BENCHMARK(BM_CareerScreenPaint40Seasons)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

// The screens need an application: offscreen unless a platform is named.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  km::screens::ApplyGameLook(app);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
