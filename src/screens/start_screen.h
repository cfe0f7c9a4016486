#pragma once

#include <QWidget>

#include "game/game.h"

class QLabel;
class QPushButton;

namespace km::screens {

// frmStart: New Career, Load Career or Exit Game.
class StartScreen : public QWidget {
  Q_OBJECT

 public:
  explicit StartScreen(Game& game, QWidget* parent = nullptr);

 Q_SIGNALS:
  void newCareerChosen();
  // A save file was read into the game's career.
  void careerLoaded();
  void exitChosen();

 public Q_SLOTS:
  void cmdNew_Click();
  void cmdLoad_Click();
  void cmdExit_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  Game& game_;
  QLabel* lblLoadError_;
};

}  // namespace km::screens
