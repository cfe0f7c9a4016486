#include "screens/screen_parts.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <algorithm>

#include "screens/look.h"

namespace km::screens {

QLabel* Caption(const QString& text, QWidget* parent) {
  auto* label = new TextLabel(text, parent);
  SetRole(label, "caption");
  return label;
}

QLabel* ValueLabel(const char* name, QWidget* parent) {
  auto* label = new TextLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  SetRole(label, "value");
  label->ensurePolished();
  SetNarrowest(label, label->fontMetrics().averageCharWidth() * 7);
  return label;
}

QLabel* Heading(const QString& text, const char* name, QWidget* parent) {
  auto* label = new TextLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  SetRole(label, "heading");
  return label;
}

QGroupBox* Frame(const char* caption, const char* name, QWidget* parent) {
  auto* frame = new QGroupBox(QString::fromUtf8(caption), parent);
  frame->setObjectName(QString::fromLatin1(name));
  return frame;
}

QPushButton* Button(const QString& caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  // Never narrower than its caption, however tight the row.
  button->ensurePolished();
  button->setMinimumWidth(
      std::max(button->sizeHint().width(), button->fontMetrics().averageCharWidth() * 12));
  return button;
}

void OpenFrom(QWidget* owner, QWidget* screen) {
  if (owner) owner->setEnabled(false);
  screen->show();
  screen->raise();
  screen->activateWindow();
}

void HandBackTo(QWidget* owner) {
  if (!owner) return;
  owner->setEnabled(true);
  if (owner->isVisible()) {
    owner->raise();
    owner->activateWindow();
  }
}

void PlaceBeside(QWidget* screen, const QWidget* beside) {
  if (!beside || !beside->isVisible()) return;
  const QRect frame = beside->frameGeometry();
  screen->move(frame.right() + 12, frame.top());
}

void CancellableScreen::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (isVisible()) Cancel();
}

void CancellableScreen::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    Cancel();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace km::screens
