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
  const QCommandLineOption helpOption({QStringLiteral("help"), QStringLiteral("h"),
                                       QStringLiteral("?")},
                                      QStringLiteral("Print the options and exit."));
  const QCommandLineOption versionOption(QStringLiteral("version"),
                                         QStringLiteral("Print the version and exit."));
  parser.addOption(seedOption);
  parser.addOption(dataDirOption);
  parser.addOption(quitWhenPaintedOption);
  parser.addOption(helpOption);
  parser.addOption(versionOption);
  // Qt's own options, which QApplication takes from the same arguments: with
  // a value, and without.
  for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                           "qwindowicon", "qwindowtitle", "style", "stylesheet", "session",
                           "display", "geometry", "title", "name", "qmljsdebugger"}) {
    QCommandLineOption qt(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    qt.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(qt);
  }
  for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
    QCommandLineOption qt(QString::fromLatin1(name));
    qt.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(qt);
  }
  // Qt's options have one dash ("-platform offscreen"), and so may ours.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  if (!parser.parse(arguments)) return parser.errorText();
  if (!parser.positionalArguments().isEmpty()) {
    return QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().first());
  }

  LaunchOptions options;
  options.help = parser.isSet(helpOption);
  options.version = parser.isSet(versionOption);
  if (options.help || options.version) return options;
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

QString LaunchHelpText() {
  return QStringLiteral(
      "Usage: kickmark [options]\n"
      "A career simulation of Australian rules football: create one young footballer and live\n"
      "his career week by week, from the Local Reserves to the AFL.\n"
      "\n"
      "Options:\n"
      "  --data-dir DIR  keep the careers in DIR, a folder that exists, instead of the game's\n"
      "                  own folder ($XDG_DATA_HOME/Kickmark, ~/.local/share/Kickmark)\n"
      "  --seed N        fix the chance of the whole run with a whole number, so that the\n"
      "                  same choices play out the same again\n"
      "  --version       print the version and exit\n"
      "  -h, --help      print these options and exit\n"
      "\n"
      "Qt's own options are taken too, such as -platform offscreen or -style fusion.\n"
      "In the game, F1 opens the player's guide at the screen in front.\n"
      "Exit status: 0, or 2 when the options or the data folder are wrong.\n");
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
