// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "game/game.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace km::screens {

// frmContracts: the clubs' offers and the contract in force. A click on a
// club's name (or Enter or Space on it) picks its offer, Sign makes it the
// contract, and OK (or Escape) puts the screen away once a contract is in
// force. The hub stays usable while it is up.
class ContractsScreen : public QWidget {
  Q_OBJECT

 public:
  explicit ContractsScreen(Game& game, QWidget* parent = nullptr);

  // Shows the offers, the pending choice and the contract as they are now.
  void refresh();

 Q_SIGNALS:
  // Sign was pressed: the contract, the club or the wages may have changed.
  void contractSigned();
  // OK put the screen away.
  void closed();

 public Q_SLOTS:
  void grdContracts_Click(int row, int column);
  void cmdSign_Click();
  void cmdOK_Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* MakeCurrentContract();
  QWidget* MakeChoice();

  Game& game_;
  QLabel* lblTitle_ = nullptr;
  QTableWidget* grdContracts_ = nullptr;
  QLabel* lblTeam_ = nullptr;
  QLabel* lblCurrent_ = nullptr;
  QLabel* lblLength_ = nullptr;
  QLabel* lblMatches_ = nullptr;
  QLabel* lblTeamContract_ = nullptr;
  QLabel* lblOfferContract_ = nullptr;
  QLabel* lblLengthContract_ = nullptr;
  QPushButton* cmdSign_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
};

}  // namespace km::screens
