// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/career.h"
#include "screens/info_screen.h"

class QLabel;
class QTableWidget;

namespace km::screens {

// frmLadder: the ladder of the player's competition, sorted, one club a row.
class LadderScreen : public InfoScreen {
  Q_OBJECT

 public:
  explicit LadderScreen(const Career& career, QWidget* parent = nullptr);

  // Titles the ladder after the competition and fills the grid from the
  // ladder table as it is now.
  void refresh();

 private:
  const Career& career_;
  QLabel* lblTitle_ = nullptr;
  QTableWidget* grdLadder_ = nullptr;
};

}  // namespace km::screens
