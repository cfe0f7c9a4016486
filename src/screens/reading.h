// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a screen reader reads the game: what each value and control is called, the screens read
// as windows and their titles as headings, and the announcements a screen makes at the moments
// a player who cannot see it must hear (a siren, a result, a choice).

#include <QString>

class QAbstractButton;
class QAbstractItemView;
class QLabel;
class QWidget;

namespace km::screens {

// Tells Qt how to read the game's screens: each screen is a window named by its title, a label
// whose role is "heading" is a heading, and the values, units and options below are read as
// they say. Done once; every function here does it first.
void ReadTheGame();

// What a screen reader says for `shown` when no caption label stands beside it: a value label
// is read as the caption, a colon and the value it shows at the time ("Bank Balance: 15000");
// a drop-down list likewise ("Height: 191"); any other control is named after the caption.
void ReadWithCaption(QWidget* shown, const QString& caption);

// A unit shown beside a value ("$", "cm", "kg"): the value is read with it ("Bank Balance:
// $15000", "Height: 191 cm"), and the unit's own label is left out of what is read.
void ReadWithUnit(QWidget* value, QLabel* unit);

// A label a reader passes over: what it shows is read with the values it stands beside.
void LeaveUnread(QLabel* label);

// One of a group of options of which one is chosen (the match clock's paces): read as a radio
// button, checked or not.
void ReadAsOption(QAbstractButton* button);

// Says `text` to a screen reader on behalf of `screen`, once: a notification it reads out
// whatever has the focus. Texts announced while one event is handled are said together, in
// order, as one.
void Announce(QWidget* screen, const QString& text);

// What the screen last announced (empty before its first announcement).
QString LastAnnouncement(const QWidget* screen);

// A grid whose current cell is only reported as focused while the grid has the keyboard: when
// the focus leaves it, its current cell is put aside, and it is back when the focus returns.
void ReadCurrentCellOnlyWithFocus(QAbstractItemView* grid);

}  // namespace km::screens
