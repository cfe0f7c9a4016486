#pragma once

// The pieces the information and match screens are built from, and the way
// one screen hands over to another.

#include <QString>
#include <QWidget>

class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace km::screens {

// A caption beside a value ("Matches:").
QLabel* Caption(const QString& text, QWidget* parent);

// A boxed value the screen fills in from the career record.
QLabel* ValueLabel(const char* name, QWidget* parent);

// The big heading at the top of a screen.
QLabel* Heading(const QString& text, const char* name, QWidget* parent);

// A captioned frame of values.
QGroupBox* Frame(const char* caption, const char* name, QWidget* parent);

QPushButton* Button(const QString& caption, const char* name, QWidget* parent);

// Opens `screen` from `owner`: the owner stays in view but takes no input
// until the screen hands back to it.
void OpenFrom(QWidget* owner, QWidget* screen);

// The screen opened from `owner` was closed: the owner takes input again.
void HandBackTo(QWidget* owner);

// Puts `screen` just to the right of `beside`, tops level.
void PlaceBeside(QWidget* screen, const QWidget* beside);

// A screen whose close box and Escape key do what its Cancel does.
class CancellableScreen : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  virtual void Cancel() = 0;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace km::screens
