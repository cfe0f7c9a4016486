// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "core/ports.h"

class QLabel;

namespace km::screens {

// frmNewspaper: a story in the paper. A click anywhere on it, or any key,
// closes it.
class NewspaperScreen : public QDialog {
  Q_OBJECT

 public:
  explicit NewspaperScreen(const Story& story, QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace km::screens
