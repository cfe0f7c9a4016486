// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "game/game.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace km::screens {

// frmStart: Continue (the last career played, when its save is there), New
// Career, Load Career or Exit Game, beside the hall of fame: every career of
// the data folder, finished or not, with its totals.
class StartScreen : public QWidget {
  Q_OBJECT

 public:
  explicit StartScreen(Game& game, QWidget* parent = nullptr);

 Q_SIGNALS:
  void newCareerChosen();
  // A save file was read into the game's career.
  void careerLoaded();
  void exitChosen();
  // A career of the hall of fame was double-clicked, or Enter pressed on it.
  void careerChosen(const QString& saveFile);

 public Q_SLOTS:
  void cmdContinue_Click();
  void cmdNew_Click();
  void cmdLoad_Click();
  void cmdExit_Click();
  // Reads the data folder's careers into the hall of fame again, keeping the
  // column it is sorted by. Done each time the start screen comes up.
  void refreshHallOfFame();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  Game& game_;
  // A damaged career's sentence runs across the row's totals, wherever the
  // sorting has put the row.
  void spanDamagedRows();
  void chooseRow(int row);
  // Continue's button and caption, from the game's settings.
  void refreshContinue();
  // What a load from Load Career or Continue came to.
  void Loaded(const Game::LoadResult& result);

  QPushButton* cmdContinue_;
  QLabel* lblContinue_;
  QString lastCareer_;  // the save Continue loads

  QLabel* lblLoadError_;
  QTableWidget* grdCareers_;
};

}  // namespace km::screens
