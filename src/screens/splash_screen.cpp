// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/splash_screen.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include "core/ports.h"
#include "screens/look.h"
#include "screens/reading.h"

namespace km::screens {

namespace {

constexpr const char* kClickToContinue = "Click to Continue...";
constexpr const char* kCredit = "A Kickmark career simulation";

// White lettering with a soft shadow, which keeps it readable against sky and
// grass. The shadow is two dark copies of the text a pixel and two down and
// to the right, painted with the text: a blurred shadow effect would render
// each label off screen first, and the splash is the window a player waits
// for.
class ShadowedLabel : public TextLabel {
 public:
  using TextLabel::TextLabel;

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    painter.setFont(font());
    const QRect area = contentsRect();
    const int flags = static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
    painter.setPen(QColor(0, 0, 0, 90));
    painter.drawText(area.translated(2, 2), flags, text());
    painter.setPen(QColor(0, 0, 0, 170));
    painter.drawText(area.translated(1, 1), flags, text());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(area, flags, text());
  }
};

QLabel* SplashLabel(const QString& text, const char* name, Qt::Alignment align, QWidget* parent) {
  auto* label = new ShadowedLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setAlignment(align);
  // Room for the shadow below and to the right of the lettering.
  label->setContentsMargins(0, 0, 2, 2);
  return label;
}

}  // namespace

SplashScreen::SplashScreen(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("frmSplash"));
  // The first window: a reader hears it as a window of the game's own.
  ReadTheGame();
  setWindowTitle(QString::fromLatin1(kProgramTitle));
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);

  auto* title =
      SplashLabel(QString::fromLatin1(kProgramTitle), "lblSplashTitle", Qt::AlignCenter, this);
  auto* click =
      SplashLabel(QString::fromLatin1(kClickToContinue), "lblClick", Qt::AlignCenter, this);
  auto* version = SplashLabel(QStringLiteral("Version ") + FullVersion(), "lblSplashVersion",
                              Qt::AlignLeft | Qt::AlignBottom, this);
  auto* credit = SplashLabel(QString::fromLatin1(kCredit), "lblCredit",
                             Qt::AlignRight | Qt::AlignBottom, this);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(version);
  bottom->addStretch(1);
  bottom->addWidget(credit);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 12, 16, 10);
  layout->addWidget(title);
  layout->addStretch(3);
  layout->addWidget(click);
  layout->addStretch(1);
  layout->addLayout(bottom);

  // The picture is drawn for a 400 x 260 canvas; keep that shape.
  const int unit = fontMetrics().height();
  resize(unit * 40, unit * 26);
}

void SplashScreen::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PaintGround(painter, QRectF(rect()));
  painter.setPen(QPen(QColor("#123416"), 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

void SplashScreen::keyPressEvent(QKeyEvent* event) {
  event->accept();
  Dismiss();
}

void SplashScreen::mousePressEvent(QMouseEvent* event) {
  event->accept();
  Dismiss();
}

void SplashScreen::closeEvent(QCloseEvent* event) {
  event->accept();
  Dismiss();
}

void SplashScreen::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (const QScreen* where = screen()) {
    move(where->availableGeometry().center() - rect().center());
  }
  activateWindow();
  setFocus();
}

void SplashScreen::Dismiss() {
  if (dismissed_) return;
  dismissed_ = true;
  hide();
  Q_EMIT dismissed();
}

}  // namespace km::screens
