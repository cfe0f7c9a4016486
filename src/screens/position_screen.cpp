// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/position_screen.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/game_data.h"
#include "core/new_career.h"
#include "screens/look.h"
#include "screens/qt_text.h"
#include "screens/screen_parts.h"

namespace km::screens {

PositionScreen::PositionScreen(Career& career, Prompter& prompter, QWidget* parent)
    : QDialog(parent), career_(career), prompter_(prompter) {
  setObjectName(QStringLiteral("frmPosition"));
  setWindowTitle(QStringLiteral("New Position"));

  auto* prompt = new TextLabel(QStringLiteral("Choose your new position"), this);
  prompt->setObjectName(QStringLiteral("lblChoose"));
  SetRole(prompt, "caption");

  lstPosition_ = new QComboBox(this);
  lstPosition_->setObjectName(QStringLiteral("lstPosition"));
  lstPosition_->setMaxVisibleItems(16);
  for (std::string_view position : kPositions) lstPosition_->addItem(ToQt(position));
  lstPosition_->setCurrentIndex(-1);
  lstPosition_->setMinimumWidth(lstPosition_->fontMetrics().averageCharWidth() * 28);
  prompt->setBuddy(lstPosition_);
  ReadWithCaption(lstPosition_, prompt->text());
  RingKeyboardFocus();

  auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  auto* cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  connect(cmdOK, &QPushButton::clicked, this, &PositionScreen::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &PositionScreen::cmdCancel_Click);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);

  auto* layout = new QVBoxLayout(ScreenPage(this));
  layout->setContentsMargins(18, 16, 18, 14);
  layout->setSpacing(12);
  layout->addWidget(prompt);
  layout->addWidget(lstPosition_);
  layout->addStretch(1);
  layout->addLayout(buttons);
}

void PositionScreen::cmdOK_Click() {
  if (ChangePosition(career_, ToStd(lstPosition_->currentText()), prompter_)) accept();
}

void PositionScreen::cmdCancel_Click() { reject(); }

}  // namespace km::screens
