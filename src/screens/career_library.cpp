// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/career_library.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#ifndef KICKMARK_INSTALLED_LIBRARY_FOLDER
#define KICKMARK_INSTALLED_LIBRARY_FOLDER "."
#endif
#ifndef KICKMARK_BUILT_LIBRARY_FOLDER
#define KICKMARK_BUILT_LIBRARY_FOLDER "."
#endif

namespace km::screens {

QStringList CareerLibraryFolders() {
  // Both relative to the program's folder: the installed program finds the
  // library wherever the package was unpacked, and the built one in the
  // build tree.
  const QDir program(QCoreApplication::applicationDirPath());
  QStringList folders;
  for (const char* folder : {KICKMARK_INSTALLED_LIBRARY_FOLDER, KICKMARK_BUILT_LIBRARY_FOLDER}) {
    folders << QDir::cleanPath(program.absoluteFilePath(QString::fromUtf8(folder)));
  }
  folders.removeDuplicates();
  return folders;
}

std::variant<const CareerScreenMaker*, QString> LoadCareerLibrary(const QStringList& folders) {
  const QString name = QString::fromLatin1(kCareerLibraryFile);
  QString file;
  for (const QString& folder : folders) {
    const QFileInfo candidate(QDir(folder), name);
    if (candidate.isFile()) {
      file = candidate.absoluteFilePath();
      break;
    }
  }
  if (file.isEmpty()) {
    return QCoreApplication::translate(
               "CareerLibrary",
               "The Career screen cannot be opened: its library, %1, is missing (looked for in "
               "%2). Installing Kickmark again puts it back; the rest of the game plays as usual.")
        .arg(name,
             folders.isEmpty() ? QStringLiteral("no folder") : folders.join(QStringLiteral(", ")));
  }
  // Every symbol is bound as the library loads, so that one the program
  // lacks is told now rather than met half way through the screen.
  QLibrary library(file);
  library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
  if (!library.load()) {
    return QCoreApplication::translate("CareerLibrary",
                                       "The Career screen cannot be opened: its library could not "
                                       "be loaded (%1). Installing Kickmark again should mend it.")
        .arg(library.errorString());
  }
  // The library stays loaded for the rest of the program: its screens may
  // be open, and its maker is kept.
  const auto entry = reinterpret_cast<CareerLibraryEntry>(library.resolve(kCareerLibraryEntry));
  const CareerScreenMaker* maker = entry ? entry() : nullptr;
  if (!maker) {
    return QCoreApplication::translate("CareerLibrary",
                                       "The Career screen cannot be opened: %1 is not the Career "
                                       "screen's library of this version of Kickmark.")
        .arg(file);
  }
  return maker;
}

std::variant<const CareerScreenMaker*, QString> CareerLibrary() {
  static const CareerScreenMaker* loaded = nullptr;
  if (loaded) return loaded;
  auto found = LoadCareerLibrary(CareerLibraryFolders());
  if (const auto* maker = std::get_if<const CareerScreenMaker*>(&found)) loaded = *maker;
  return found;
}

}  // namespace km::screens
