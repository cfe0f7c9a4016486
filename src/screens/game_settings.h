// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QSettings>
#include <QString>

namespace km::screens {

// The game's own settings, kept where the desktop keeps programs' settings
// (~/.config/Kickmark/Kickmark.conf): the match's pace, the last career
// played and where the hub's window was. Under a test, Qt's test mode keeps
// them apart from the player's.
class GameSettings : public QSettings {
 public:
  GameSettings() : QSettings(Owner(), QCoreApplication::applicationName()) {}

  // The keys.
  static constexpr const char* kMatchSpeed = "match/speed";
  static constexpr const char* kLastCareer = "careers/last";
  static constexpr const char* kHubPlace = "windows/hub";

 private:
  // Without an organisation name QSettings has no folder to keep them in:
  // the program's name serves as both.
  static QString Owner() {
    const QString organization = QCoreApplication::organizationName();
    return organization.isEmpty() ? QCoreApplication::applicationName() : organization;
  }
};

}  // namespace km::screens
