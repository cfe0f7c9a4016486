#pragma once

#include <QDialog>

#include "core/ports.h"

namespace km::screens {

// frmAbout: the program's name and version. OK closes it.
class AboutScreen : public QDialog {
  Q_OBJECT

 public:
  explicit AboutScreen(Prompter& prompter, QWidget* parent = nullptr);

 public slots:
  void cmdOK_Click();
  void cmdSysInfo_Click();

 private:
  Prompter& prompter_;
};

}  // namespace km::screens
