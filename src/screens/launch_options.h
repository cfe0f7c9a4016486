#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <variant>

namespace km::screens {

// What the game is started with: `--seed N` fixes the chance of the whole
// run, `--data-dir DIR` is where the career files live (the current folder
// otherwise). `--quit-when-painted` is for measuring the start-up only and
// is left out of the help: the game writes one line once its first window
// has been painted, and quits.
struct LaunchOptions {
  std::optional<std::uint64_t> seed;
  std::optional<std::filesystem::path> dataDir;
  bool quitWhenPainted = false;
};

// Reads the program's arguments (the first one is the program itself). Gives
// the sentence to show instead when they are wrong.
std::variant<LaunchOptions, QString> ParseLaunchOptions(const QStringList& arguments);

}  // namespace km::screens
