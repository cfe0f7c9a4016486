// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the start-up benchmark: a Qt Widgets program with one
// plain window the size of the game's splash screen and nothing else. It
// reports its first paint and quits just as the game does with
// --quit-when-painted.

#include <QApplication>
#include <QWidget>

#include "app/first_paint_report.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  new km::app::FirstPaintReport(app);
  QWidget window;
  window.setObjectName(QStringLiteral("bareWindow"));
  // The splash screen is 40 by 26 lines of the default font.
  const int unit = window.fontMetrics().height();
  window.resize(unit * 40, unit * 26);
  window.show();
  return QApplication::exec();
}
