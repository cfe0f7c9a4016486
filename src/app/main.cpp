// SPDX-License-Identifier: GPL-3.0-or-later
// Kickmark: the game. The screens and the engine do the work; this file only
// wires the real ports to them.

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <variant>

#include "app/first_paint_report.h"
#include "core/ports.h"
#include "game/game.h"
#include "screens/help_screen.h"
#include "screens/launch_options.h"
#include "screens/look.h"
#include "screens/qt_prompter.h"
#include "screens/screen_flow.h"

int main(int argc, char* argv[]) {
  // The options are read before anything needs a display: --help, --version
  // and a wrong option are answered on the terminal, with or without one.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const auto parsed = km::screens::ParseLaunchOptions(arguments);
  if (const auto* problem = std::get_if<QString>(&parsed)) {
    std::fprintf(stderr, "kickmark: %s\nTry 'kickmark --help' for the options.\n",
                 problem->toLocal8Bit().constData());
    return 2;
  }
  const auto& options = std::get<km::screens::LaunchOptions>(parsed);
  if (options.help) {
    std::fputs(km::screens::LaunchHelpText().toLocal8Bit().constData(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("kickmark %s\n", KICKMARK_VERSION);
    return 0;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(km::kProgramTitle));
  QApplication::setApplicationVersion(QString::fromLatin1(KICKMARK_VERSION));
  // The desktop matches the windows to the menu entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(KICKMARK_APP_ID));
  // Leaving the game is always the player's choice (Exit Game), never the
  // side effect of a window closing between two screens.
  QApplication::setQuitOnLastWindowClosed(false);
  km::screens::ApplyGameLook(app);
  // F1 opens the guide from the first screen on.
  km::screens::UseHelpKey();

  std::optional<km::TwisterRandom> random;
  if (options.seed) {
    random.emplace(*options.seed);
  } else {
    random.emplace();
  }
  const auto careers = km::screens::CareerFolder(options);
  if (const auto* problem = std::get_if<QString>(&careers)) {
    QMessageBox::critical(nullptr, QString::fromLatin1(km::kProgramTitle), *problem);
    return 2;
  }
  km::DataFolder folder{std::get<std::filesystem::path>(careers)};

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
