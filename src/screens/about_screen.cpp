// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/about_screen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

#include "screens/look.h"
#include "screens/screen_parts.h"

namespace km::screens {

namespace {

// There is no system information tool to start on this machine.
constexpr const char* kNoSystemInfo = "System Information Is Unavailable At This Time";
constexpr const char* kDescription =
    "A career simulation of Australian rules football: from the Local Reserves to the AFL.";

QLabel* AboutLabel(const QString& text, const char* name, QWidget* parent) {
  auto* label = new TextLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  return label;
}

}  // namespace

AboutScreen::AboutScreen(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About ") + QString::fromLatin1(kProgramTitle));

  auto* picture = new TextLabel(this);
  picture->setObjectName(QStringLiteral("picIcon"));
  const int iconSize = fontMetrics().height() * 4;
  picture->setPixmap(GameIcon().pixmap(iconSize, iconSize));
  picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  auto* title = AboutLabel(QString::fromLatin1(kProgramTitle), "lblTitle", this);
  SetRole(title, "heading");
  auto* version = AboutLabel(QStringLiteral("Version ") + FullVersion(), "lblVersion", this);
  auto* description = AboutLabel(QString::fromLatin1(kDescription), "lblDescription", this);
  SetRole(description, "caption");

  auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  auto* cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
  cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
  cmdSysInfo->setAutoDefault(false);
  connect(cmdOK, &QPushButton::clicked, this, &AboutScreen::cmdOK_Click);
  connect(cmdSysInfo, &QPushButton::clicked, this, &AboutScreen::cmdSysInfo_Click);

  auto* text = new QVBoxLayout;
  text->setSpacing(6);
  text->addWidget(title);
  text->addWidget(version);
  text->addSpacing(6);
  text->addWidget(description);
  text->addStretch(1);

  auto* top = new QHBoxLayout;
  top->setSpacing(16);
  top->addWidget(picture);
  top->addLayout(text, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdSysInfo);

  auto* layout = new QVBoxLayout(ScreenPage(this));
  layout->setContentsMargins(18, 16, 18, 14);
  layout->setSpacing(14);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);
  setMinimumWidth(fontMetrics().averageCharWidth() * 60);
  RingKeyboardFocus();
}

void AboutScreen::cmdOK_Click() { accept(); }

void AboutScreen::cmdSysInfo_Click() { prompter_.inform(kNoSystemInfo); }

AboutScreen* OpenAboutBox(QWidget* owner, Prompter& prompter, const char* name) {
  auto* box = new AboutScreen(prompter);
  box->setObjectName(QString::fromLatin1(name));
  QObject::connect(box, &QDialog::finished, owner, [owner, box] {
    box->deleteLater();
    HandBackTo(owner);
  });
  Hold(owner);
  box->adjustSize();
  box->move(owner->frameGeometry().center() - box->rect().center());
  box->winId();
  if (QWindow* window = box->windowHandle()) window->setTransientParent(owner->windowHandle());
  box->show();
  return box;
}

}  // namespace km::screens
