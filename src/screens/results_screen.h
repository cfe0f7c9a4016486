// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "game/game.h"

class QLabel;
class QScrollBar;

namespace km::screens {

class MatchSlots;

// frmResults: the fixture and results browser. The scroll bar picks a round
// of the season: a round already played shows its scores and the player's
// line, one still to come only who plays whom.
class ResultsScreen : public QWidget {
  Q_OBJECT

 public:
  explicit ResultsScreen(Game& game, QWidget* parent = nullptr);

  // Opens at this week's round with the player's name and club.
  void refresh();

 Q_SIGNALS:
  // OK put the browser away.
  void closed();

 public Q_SLOTS:
  void hsbRound_Change(int value);
  void cmdOK_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Shows round r (1..26).
  void ShowRound(int round);

  Game& game_;
  QLabel* lblName_ = nullptr;
  QLabel* lblTeam_ = nullptr;
  QScrollBar* hsbRound_ = nullptr;
  QLabel* lblRound_ = nullptr;
  QLabel* lblRoundTitle_ = nullptr;
  QLabel* lblError_ = nullptr;
  QWidget* fraPlayer_ = nullptr;
  QLabel* lblDisposals_ = nullptr;
  QLabel* lblGoals_ = nullptr;
  QLabel* lblBehinds_ = nullptr;
  QLabel* lblMatchRating_ = nullptr;
  QLabel* lblPosition_ = nullptr;
  MatchSlots* slots_ = nullptr;
};

}  // namespace km::screens
