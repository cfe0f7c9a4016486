// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/info_screen.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "screens/screen_parts.h"

namespace km::screens {

InfoScreen::InfoScreen(const char* name, const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setObjectName(QString::fromLatin1(name));
  setWindowTitle(title);
}

QBoxLayout* InfoScreen::Body(const QString& heading) {
  auto* layout = new QVBoxLayout(ScreenPage(this));
  layout->setContentsMargins(16, 10, 16, 14);
  layout->setSpacing(10);
  layout->addWidget(Heading(heading, "lblHeading", this));

  auto* body = new QVBoxLayout;
  body->setSpacing(10);
  layout->addLayout(body, 1);

  cmdOK_ = Button(QStringLiteral("OK"), "cmdOK", this);
  cmdOK_->setDefault(true);
  connect(cmdOK_, &QPushButton::clicked, this, &InfoScreen::cmdOK_Click);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK_);
  layout->addLayout(buttons);
  // Enter and Escape are OK.
  UseScreenKeys(this, {cmdOK_}, {cmdOK_});
  cmdOK_->setFocus();
  return body;
}

void InfoScreen::cmdOK_Click() {
  // The opener takes input again before this window goes, so that the focus
  // never comes back to a window that is still held.
  Q_EMIT closed();
  hide();
}

void InfoScreen::closeEvent(QCloseEvent* event) {
  // The close box puts the screen away like OK.
  event->ignore();
  cmdOK_Click();
}

}  // namespace km::screens
