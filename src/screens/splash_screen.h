// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace km::screens {

// frmSplash: the game's picture, title and version. Any key or a click
// anywhere on it dismisses it.
class SplashScreen : public QWidget {
  Q_OBJECT

 public:
  explicit SplashScreen(QWidget* parent = nullptr);

 Q_SIGNALS:
  // The player clicked or pressed a key; sent once.
  void dismissed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Dismiss();
  bool dismissed_ = false;
};

}  // namespace km::screens
