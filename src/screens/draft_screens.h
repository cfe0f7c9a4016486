// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

#include "draft/draft.h"
#include "draft/draft_camp.h"
#include "game/game.h"

class QLabel;
class QPushButton;

namespace km::screens {

// frmDraftCamp: the AFL draft camp. Each press of Start runs the next
// session: the welcome, the six tests and the verdict. "Go to Draft!" comes
// when the camp is over.
class DraftCampScreen : public QWidget {
  Q_OBJECT

 public:
  explicit DraftCampScreen(Game& game, QWidget* parent = nullptr);

  // Shows the camp as it stands.
  void refresh();

 Q_SIGNALS:
  // The draft is ready for its screen.
  void draftRequested();

 public Q_SLOTS:
  void cmdStart_Click();
  void cmdOK_Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* MakeSession();
  QWidget* MakeTests();

  Game& game_;
  QLabel* lblName_ = nullptr;
  QLabel* lblTest_ = nullptr;
  QLabel* lblActivity_ = nullptr;
  QLabel* lblResult_ = nullptr;
  QLabel* lblUnit_ = nullptr;
  QLabel* lblRank_ = nullptr;
  QLabel* lblComments_ = nullptr;
  std::array<QLabel*, kCampTests> lblResults_{};
  std::array<QLabel*, kCampTests> lblRanks_{};
  QLabel* lblRankAverage_ = nullptr;
  QPushButton* cmdStart_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
};

// frmDraft: the national draft. Each press of the pick button makes the next
// pick, the club holding it marked in the draft order, until a club takes
// the player; Finish then closes the draft.
class DraftScreen : public QWidget {
  Q_OBJECT

 public:
  explicit DraftScreen(Game& game, QWidget* parent = nullptr);

  // Shows the draft as it stands.
  void refresh();

 Q_SIGNALS:
  // The player has been drafted and the draft is over.
  void finished();

 public Q_SLOTS:
  void cmdPick_Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  Game& game_;
  QLabel* lblName_ = nullptr;
  QLabel* lblPick_ = nullptr;
  QLabel* lblRound_ = nullptr;
  QLabel* lblTeam_ = nullptr;
  std::array<QLabel*, kDraftOrder.size()> lblOrder_{};
  QPushButton* cmdPick_ = nullptr;
};

}  // namespace km::screens
