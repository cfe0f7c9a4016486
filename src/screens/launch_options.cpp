// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/launch_options.h"

#include <QCommandLineParser>
#include <QStandardPaths>
#include <system_error>

#include "core/file_system.h"
#include "screens/qt_text.h"

namespace km::screens {

std::variant<LaunchOptions, QString> ParseLaunchOptions(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption seedOption(
      QStringLiteral("seed"), QStringLiteral("Seed of the game's chance."), QStringLiteral("N"));
  const QCommandLineOption dataDirOption(QStringLiteral("data-dir"),
                                         QStringLiteral("Folder of the career files."),
                                         QStringLiteral("DIR"));
  QCommandLineOption quitWhenPaintedOption(
      QStringLiteral("quit-when-painted"),
      QStringLiteral("Quit once the first window is painted."));
  quitWhenPaintedOption.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOption(seedOption);
  parser.addOption(dataDirOption);
  parser.addOption(quitWhenPaintedOption);
  if (!parser.parse(arguments)) return parser.errorText();
  if (!parser.positionalArguments().isEmpty()) {
    return QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().first());
  }

  LaunchOptions options;
  options.quitWhenPainted = parser.isSet(quitWhenPaintedOption);
  if (parser.isSet(seedOption)) {
    bool ok = false;
    const QString text = parser.value(seedOption);
    const qulonglong seed = text.toULongLong(&ok);
    if (!ok) return QStringLiteral("The seed must be a whole number, not \"%1\".").arg(text);
    options.seed = seed;
  }
  if (parser.isSet(dataDirOption)) {
    const QString text = parser.value(dataDirOption);
    std::error_code error;
    const std::filesystem::path folder = PathFromQt(text);
    if (text.isEmpty() || !std::filesystem::is_directory(folder, error)) {
      return QStringLiteral("The data folder \"%1\" does not exist.").arg(text);
    }
    options.dataDir = std::filesystem::absolute(folder, error);
    if (error) options.dataDir = folder;
  }
  return options;
}

std::variant<std::filesystem::path, QString> CareerFolder(const LaunchOptions& options) {
  if (options.dataDir) return *options.dataDir;
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (folder.isEmpty() || MakeDataFolder(PathFromQt(folder))) {
    return QStringLiteral(
               "The folder for your careers, \"%1\", could not be made. Start the game "
               "with --data-dir and a folder of your choice.")
        .arg(folder);
  }
  return PathFromQt(folder);
}

}  // namespace km::screens
