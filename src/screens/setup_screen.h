// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "core/new_career.h"
#include "game/game.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace km::screens {

// frmSetup: the new player's profile and his five starting skills. Start
// hands the answers to the game, which checks them and makes the career.
class SetupScreen : public QWidget {
  Q_OBJECT

 public:
  explicit SetupScreen(Game& game, QWidget* parent = nullptr);

  // The answers as they stand now.
  [[nodiscard]] SetupAnswers answers() const;

 Q_SIGNALS:
  // Start was accepted: the game now holds the new career.
  void careerStarted();
  void backChosen();
  void exitChosen();

 public Q_SLOTS:
  void hsbKicking_Change(int value);
  void hsbHandBalling_Change(int value);
  void hsbTackling_Change(int value);
  void hsbMarking_Change(int value);
  void hsbRunning_Change(int value);
  void cmdStart_Click();
  void cmdBack_Click();
  void cmdExit_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowSkill(QLabel* label, int value);
  void ShowOverall();

  Game& game_;
  QLineEdit* txtCareer_;
  QLineEdit* txtName_;
  QLineEdit* txtCity_;
  QComboBox* txtState_;
  QComboBox* lstHeight_;
  QComboBox* lstWeight_;
  QComboBox* lstPosition_;
  QScrollBar* hsbKicking_;
  QScrollBar* hsbHandBalling_;
  QScrollBar* hsbTackling_;
  QScrollBar* hsbMarking_;
  QScrollBar* hsbRunning_;
  QLabel* lblKicking_;
  QLabel* lblHandballing_;
  QLabel* lblTackling_;
  QLabel* lblMarking_;
  QLabel* lblRunning_;
  QLabel* lblOverall_;
};

}  // namespace km::screens
