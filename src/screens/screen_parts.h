// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pieces the information and match screens are built from, and the way
// one screen hands over to another.

#include <QString>
#include <QWidget>
#include <initializer_list>

#include "screens/reading.h"

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

// A boxed value the screen fills in from the career record.
QLabel* ValueLabel(const char* name, QWidget* parent);

// The big heading at the top of a screen.
QLabel* Heading(const QString& text, const char* name, QWidget* parent);

// A captioned frame of values.
QGroupBox* Frame(const char* caption, const char* name, QWidget* parent);

QPushButton* Button(const QString& caption, const char* name, QWidget* parent);

// Where a screen opens: centred over the window it was opened from, where
// the player is looking, and within that window's desktop. A screen already
// in view stays where it is.
void PlaceOver(QWidget* screen, const QWidget* owner);

// Makes `screen` belong to `owner`'s window, as a dialog does: a window
// manager keeps it above the owner and places it with it.
void KeepAbove(QWidget* screen, const QWidget* owner);

// Opens `screen` from `owner`: centred over it and kept above it. The owner
// stays in view but takes no input until the screen hands back to it.
void OpenFrom(QWidget* owner, QWidget* screen);

// Holds `owner`: it stays in view but takes no input, and gives up the
// keyboard's focus first.
void Hold(QWidget* owner);

// Shows `screen` over `owner` as OpenFrom does, but leaves the owner taking
// input beside it.
void OpenBeside(QWidget* owner, QWidget* screen);

// The screen opened from `owner` was closed: the owner takes input again,
// the keyboard's focus back on the control that had it when it was held.
void HandBackTo(QWidget* owner);

// Puts `right` beside `left`, tops level, when the desktop has room for the
// two side by side (moving `left` no more than it takes), where opening it
// leaves it; false, with nothing moved, when it has not.
bool PlaceSideBySide(QWidget* left, QWidget* right);

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
