// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <variant>

namespace km::screens {

// What the game is started with: `--seed N` fixes the chance of the whole
// run, `--data-dir DIR` is where the career files live (the game's own
// folder in the user's data location otherwise). `--quit-when-painted` is for measuring the
// start-up only and is left out of the help: the game writes one line once its first window has
// been painted, and quits.
struct LaunchOptions {
  std::optional<std::uint64_t> seed;
  std::optional<std::filesystem::path> dataDir;
  bool quitWhenPainted = false;
  bool help = false;     // --help (or -h): the options are printed, nothing opens
  bool version = false;  // --version
};

// Reads the program's arguments (the first one is the program itself),
// before any window or display is needed. Qt's own options (-platform,
// -style, ...) are let through for Qt to take. Gives the sentence to print
// instead when they are wrong.
std::variant<LaunchOptions, QString> ParseLaunchOptions(const QStringList& arguments);

// What `kickmark --help` prints: every option the game takes.
QString LaunchHelpText();

// The folder of the careers: the one named by --data-dir, or the game's own
// in the user's data location (QStandardPaths' AppDataLocation, such as
// ~/.local/share/Kickmark), made on first start. Gives the sentence to show
// when that cannot be made.
std::variant<std::filesystem::path, QString> CareerFolder(const LaunchOptions& options);

}  // namespace km::screens
