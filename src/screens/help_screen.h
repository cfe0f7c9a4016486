// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace km::screens {

// frmHelp: the player's guide, read inside the game. The guide and its
// pictures travel inside the program; F1 opens it at the section of the
// screen in front.
class HelpScreen : public QWidget {
  Q_OBJECT

 public:
  explicit HelpScreen(QWidget* parent = nullptr);

  // Shows the guide with the section headed `heading` at the top, or the
  // guide's top when it has no such heading (or none is asked for).
  void ShowAt(const QString& heading);

 private:
  QTextBrowser* txtGuide_ = nullptr;
  QPushButton* cmdClose_ = nullptr;
};

// The guide's heading for the screen with this object name ("frmMain": "The
// hub"); empty for a screen the guide has no section of.
QString GuideHeadingOf(const QString& screen);

// The heading of the screen `widget` stands on: its window's, or else that
// of the window it was opened over (a message box over the hub).
QString GuideHeadingFor(const QWidget* widget);

// Every heading the screens' F1 and the hub's Play button send the player to.
QStringList GuideHeadings();

// The section on what holds Play.
QString PlayHeldHeading();

// The guide as the program carries it (Markdown).
QString GuideText();

// Opens the one guide window at `heading`, bringing it up if it is open
// already. Over a message or a newspaper that holds the game, the guide
// comes up over it and takes input.
HelpScreen* OpenGuide(const QString& heading = {});

// The guide's window while it exists.
HelpScreen* GuideWindow();

// From now on F1 opens the guide at the section of the window in front,
// wherever the focus is.
void UseHelpKey();

}  // namespace km::screens
