// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// For measuring the start-up only: the game and the bare window of the
// start-up benchmark both report the moment their first window is on screen
// in the same way, so that the two are timed alike.

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace km::app {

// The line written to stdout once the first window has been painted.
inline constexpr const char* kPaintedLine = "painted";

// Watches every event of the application for the first paint of a top-level
// window. Once the event loop has nothing left to do after it (the window and
// everything in it painted and flushed), writes kPaintedLine and the window's
// object name as one line to stdout and quits the application.
class FirstPaintReport : public QObject {
 public:
  explicit FirstPaintReport(QCoreApplication& app) : QObject(&app) { app.installEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (painted_ || event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
    if (!static_cast<QWidget*>(watched)->isWindow()) return false;
    painted_ = true;
    window_ = watched->objectName().toUtf8();
    // The children of the window are painted after it within the same
    // update; the dispatcher is about to block once all of that is done.
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
      connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &FirstPaintReport::Report);
    } else {
      QTimer::singleShot(0, this, &FirstPaintReport::Report);
    }
    return false;
  }

 private:
  void Report() {
    if (reported_) return;
    reported_ = true;
    std::printf("%s %s\n", kPaintedLine, window_.isEmpty() ? "window" : window_.constData());
    std::fflush(stdout);
    QCoreApplication::exit(0);
  }

  bool painted_ = false;
  bool reported_ = false;
  QByteArray window_;
};

}  // namespace km::app
