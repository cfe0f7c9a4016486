// Kickmark: the game. The screens and the engine do the work; this file only
// wires the real ports to them.

#include <QApplication>
#include <QMessageBox>
#include <filesystem>
#include <optional>
#include <system_error>
#include <variant>

#include "app/first_paint_report.h"
#include "core/ports.h"
#include "game/game.h"
#include "screens/launch_options.h"
#include "screens/look.h"
#include "screens/qt_prompter.h"
#include "screens/screen_flow.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(km::kProgramTitle));
  // Leaving the game is always the player's choice (Exit Game), never the
  // side effect of a window closing between two screens.
  QApplication::setQuitOnLastWindowClosed(false);
  km::screens::ApplyGameLook(app);

  const auto parsed = km::screens::ParseLaunchOptions(QApplication::arguments());
  if (const auto* problem = std::get_if<QString>(&parsed)) {
    QMessageBox::critical(nullptr, QString::fromLatin1(km::kProgramTitle), *problem);
    return 2;
  }
  const auto& options = std::get<km::screens::LaunchOptions>(parsed);

  std::optional<km::TwisterRandom> random;
  if (options.seed) {
    random.emplace(*options.seed);
  } else {
    random.emplace();
  }
  std::error_code error;
  const std::filesystem::path here = std::filesystem::current_path(error);
  km::DataFolder folder{options.dataDir.value_or(here)};

  km::screens::QtPrompter prompter;
  km::Game game(*random, prompter, folder);
  km::screens::ScreenFlow flow(game);
  prompter.SetHub([&flow] { return flow.hub(); });
  QObject::connect(&flow, &km::screens::ScreenFlow::exitRequested, &app,
                   [] { QCoreApplication::exit(0); });
  // Measuring the start-up: the splash is painted, a line says so, and the
  // game ends there.
  if (options.quitWhenPainted) new km::app::FirstPaintReport(app);
  flow.Begin();
  return QApplication::exec();
}
