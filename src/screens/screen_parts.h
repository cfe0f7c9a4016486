// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pieces the information and match screens are built from, and the way
// one screen hands over to another.

#include <QString>
#include <QWidget>
#include <initializer_list>

class QAbstractButton;
class QAbstractItemView;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace km::screens {

// How every screen fits its window. The screen's content sits on a page of
// its own: the page grows with the window up to a quarter beyond its natural
// size, and beyond that it stays that size, centred on the screen's
// background, so that values never drift away from their captions. A window
// is never made smaller than its content while the desktop has room for it;
// on a desktop too small for the content (a small laptop at 200%) the page
// scrolls rather than being cut. The screen builds its layout on the page it
// returns: `new QVBoxLayout(ScreenPage(this))`.
QWidget* ScreenPage(QWidget* screen);

// The page ScreenPage made for a screen; nothing for a screen without one.
QWidget* PageOf(const QWidget* screen);

// A caption beside a value ("Matches:").
QLabel* Caption(const QString& text, QWidget* parent);

// The caption of `shown`, the value or control beside it: a screen reader
// reads the value with it ("Bank Balance: 15000") and names the control
// after it ("Career File Name").
QLabel* CaptionOf(QWidget* shown, const QString& text, QWidget* parent);

// What a screen reader says for `shown` when no caption label stands beside
// it: a value label is read as the caption, a colon and the value it shows
// at the time; any other control is named after the caption.
void ReadWithCaption(QWidget* shown, const QString& caption);

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

// The keys every screen answers alike. Enter presses the button with the
// focus, or else the first of `defaults` that can be pressed; Escape presses
// the first of `closers` that can be pressed. The control with the keyboard
// focus is ringed in the game's green on every screen, and F1 opens the
// guide at the screen's section.
void UseScreenKeys(QWidget* screen, std::initializer_list<QAbstractButton*> defaults,
                   std::initializer_list<QAbstractButton*> closers = {});

// A grid the keyboard reads: it takes the focus, the arrow keys move from
// cell to cell (Tab leaves it), and while it has the focus its current cell
// is framed in green.
void ReadyForKeys(QAbstractItemView* grid);

// The green ring round the control with the keyboard focus, on every window
// of the game from now on. UseScreenKeys starts it; a dialog of its own may
// start it too.
void RingKeyboardFocus();

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
