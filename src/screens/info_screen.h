// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QBoxLayout;
class QPushButton;

namespace km::screens {

// A screen that only shows the career record and is put away with OK (or
// Enter, Escape or its window's close box). Whoever opened it hears `closed` and takes over
// again.
class InfoScreen : public QWidget {
  Q_OBJECT

 public:
  InfoScreen(const char* name, const QString& title, QWidget* parent = nullptr);

 Q_SIGNALS:
  void closed();

 public Q_SLOTS:
  void cmdOK_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;

  // The screen's layout: a heading on top, OK at the bottom right; the
  // screen puts its own content in between.
  QBoxLayout* Body(const QString& heading);

  // OK, last in the order of the Tab key after the content.
  [[nodiscard]] QPushButton* okButton() const { return cmdOK_; }

 private:
  QPushButton* cmdOK_ = nullptr;
};

}  // namespace km::screens
