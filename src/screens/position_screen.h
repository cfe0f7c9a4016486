// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "core/career.h"
#include "core/ports.h"

class QComboBox;

namespace km::screens {

// frmPosition: the player picks a new preferred position. OK applies it
// (the game refuses anything but one of the positions and keeps the screen
// open); Cancel changes nothing. Accepted when the position was changed.
class PositionScreen : public QDialog {
  Q_OBJECT

 public:
  PositionScreen(Career& career, Prompter& prompter, QWidget* parent = nullptr);

 public Q_SLOTS:
  void cmdOK_Click();
  void cmdCancel_Click();

 private:
  Career& career_;
  Prompter& prompter_;
  QComboBox* lstPosition_;
};

}  // namespace km::screens
