// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The look of the whole game: one style, one style sheet and the game's own
// artwork, drawn with QPainter so that it stays sharp at any scaling.

#include <QIcon>
#include <QLabel>
#include <QRectF>
#include <QString>

class QApplication;
class QPainter;
class QVariant;
class QWidget;

namespace km::screens {

// The style sheet of every screen. Screens pick their parts through object
// names (#cmdPlay) and the "role" property of labels (heading, value, ...).
QString GameStyleSheet();

// Applies the style, the style sheet and the window icon to the application.
// Called once, before the first screen is shown.
void ApplyGameLook(QApplication& app);

// A football ground in the afternoon: sky, the mown oval, the goal posts at
// one end and a football in flight, fitted into `area`.
void PaintGround(QPainter& painter, const QRectF& area);

// A football, its long axis tilted, fitted into `area`.
void PaintFootball(QPainter& painter, const QRectF& area);

// The game's icon: a football on a green disc.
QIcon GameIcon();
// The icon's drawing on a square of `side` at the painter's origin: a
// football on a round of grass. The desktop's icons are painted from it too.
void PaintGameIcon(QPainter& painter, double side);

// A word-wrapped label is never narrower than `narrowest` pixels, and always
// tall enough for its whole text at that width (a window does not grow by
// itself to fit wrapped text).
void KeepWrappedTextWhole(QLabel* label, int narrowest);

// A label that is never narrower than its text. A screen may give it a
// narrowest width so that its column stays put while the figures change, but
// a longer text widens it, and its window with it, rather than being cut.
// A class of its own to Qt, so that a screen reader can be told how to read
// the game's values (see ReadWithCaption).
class TextLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

  void SetNarrowest(int width);
  [[nodiscard]] QSize sizeHint() const override;
  [[nodiscard]] QSize minimumSizeHint() const override;

 private:
  int narrowest_ = 0;
};

// The narrowest width of a label that is a TextLabel; any other label gets
// it as its minimum width.
void SetNarrowest(QLabel* label, int width);

// Marks a label for the style sheet ("heading", "value", "caption", ...).
void SetRole(QWidget* widget, const char* role);

// Sets a property the style sheet reads ("barColour", "highlight", ...) and
// has the widget drawn again in the look that value gives it.
void Restyle(QWidget* widget, const char* property, const QVariant& value);

// The version as the splash screen and the about box show it ("1.3.0":
// major, minor and revision), from the project's one version number.
QString FullVersion();

}  // namespace km::screens
