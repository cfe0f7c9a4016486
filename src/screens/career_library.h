// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Career screen lives in a library of its own, libkickmark-charts.so,
// which the game loads the first time the screen is opened. Its charts and
// its printing bring in Qt Charts, Qt Print Support and OpenGL, a good part
// of the time and memory a start would take; most games never open the
// screen, and then none of it is loaded at all.
//
// The library holds the screen only: the rest of the game (the look, the
// screen parts, the rules) it takes from the program that loads it, which
// makes the game's own symbols visible to it. The program and the library
// are built and installed together, so the one always fits the other.

#include <QObject>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>
#include <variant>

#include "core/career.h"
#include "season/career_log.h"

class QWidget;

namespace km::screens {

// What the library offers: Career screens, made on demand.
class CareerScreenMaker {
 public:
  CareerScreenMaker() = default;
  CareerScreenMaker(const CareerScreenMaker&) = delete;
  CareerScreenMaker& operator=(const CareerScreenMaker&) = delete;
  virtual ~CareerScreenMaker() = default;

  // A Career screen (frmCareer) of `career` and its log, not yet shown,
  // whose Export offers `dataFolder`. `closed` is called when the player
  // closes it, as long as `context` lives.
  [[nodiscard]] virtual std::unique_ptr<QWidget> Make(const Career& career, CareerLog log,
                                                      const std::filesystem::path& dataFolder,
                                                      QObject* context,
                                                      std::function<void()> closed) const = 0;
};

// The library's file, and the one function of it the game looks up: it
// gives the library's maker, which lives as long as the program.
inline constexpr char kCareerLibraryFile[] = "libkickmark-charts.so";
inline constexpr char kCareerLibraryEntry[] = "kickmark_career_screen_maker";
using CareerLibraryEntry = const CareerScreenMaker* (*)();

// Where the game looks for its libraries, in order: the folders the build
// names relative to the program's own (where the package installs them, and
// where the build tree keeps them), made absolute.
QStringList CareerLibraryFolders();

// Loads the library from the first of `folders` that has it. The maker, or
// the sentence that tells the player why the Career screen cannot open.
std::variant<const CareerScreenMaker*, QString> LoadCareerLibrary(const QStringList& folders);

// The same from CareerLibraryFolders(), loaded once and kept for the rest of
// the program (a failure is tried again the next time).
std::variant<const CareerScreenMaker*, QString> CareerLibrary();

}  // namespace km::screens
