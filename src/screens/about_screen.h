// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "core/ports.h"

namespace km::screens {

// frmAbout: the program's name and version. OK closes it.
class AboutScreen : public QDialog {
  Q_OBJECT

 public:
  explicit AboutScreen(Prompter& prompter, QWidget* parent = nullptr);

 public Q_SLOTS:
  void cmdOK_Click();
  void cmdSysInfo_Click();

 private:
  Prompter& prompter_;
};

// Opens an about box named `name` over `owner`, which takes no input until
// OK closes the box; the box then deletes itself.
AboutScreen* OpenAboutBox(QWidget* owner, Prompter& prompter, const char* name);

}  // namespace km::screens
