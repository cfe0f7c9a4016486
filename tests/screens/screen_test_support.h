#pragma once

// Helpers for the screen tests: find a widget by its object name, click it,
// type into it, read what it shows.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <QTextDocument>
#include <QWidget>

#include "support/scripted_ports.h"

namespace km::screens::testing {

template <typename T = QWidget>
T* Find(const QWidget* root, const char* name) {
  return root ? root->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

// The visible top-level window of that name, if there is one.
inline QWidget* ShownWindow(const char* name) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == QLatin1String(name) && window->isVisible()) return window;
  }
  return nullptr;
}

// Clicks a button as the player would. False when there is no such button.
inline bool Click(const QWidget* root, const char* name) {
  auto* button = Find<QAbstractButton>(root, name);
  if (!button) return false;
  QTest::mouseClick(button, Qt::LeftButton);
  return true;
}

inline bool Type(const QWidget* root, const char* name, const QString& text) {
  auto* box = Find<QLineEdit>(root, name);
  if (!box) return false;
  box->clear();
  QTest::keyClicks(box, text);
  return true;
}

// Picks an entry of a drop-down list by its text.
inline bool Choose(const QWidget* root, const char* name, const QString& text) {
  auto* list = Find<QComboBox>(root, name);
  if (!list) return false;
  const int index = list->findText(text, Qt::MatchExactly);
  if (index < 0) return false;
  list->setCurrentIndex(index);
  return true;
}

// What a label, text box, list, button or bar shows.
inline QString TextOf(const QWidget* root, const char* name) {
  const QString missing = QStringLiteral("<no %1>").arg(QLatin1String(name));
  auto* widget = Find(root, name);
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* box = qobject_cast<QLineEdit*>(widget)) return box->text();
  if (auto* list = qobject_cast<QComboBox*>(widget)) return list->currentText();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* bar = qobject_cast<QProgressBar*>(widget)) return bar->text();
  return missing;
}

// The top-level windows in view, by name, in alphabetical order and joined
// by commas.
inline QString ShownWindows() {
  QStringList shown;
  for (const QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible()) shown << window->objectName();
  }
  shown.sort();
  return shown.join(QLatin1Char(','));
}

// The labels of a window that are narrower than their text, each named with
// its text, the room it has and the room the text takes in the label's own
// font; empty when every text is whole. Wrapped and rich text are left out.
inline QString CutLabels(const QWidget* root) {
  QStringList cut;
  if (!root) return {};
  // As the player sees them: after the layouts have taken in the last texts.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  for (const QLabel* label : root->findChildren<QLabel*>()) {
    const QString text = label->text();
    if (!label->isVisible() || label->wordWrap() || text.isEmpty() || Qt::mightBeRichText(text)) {
      continue;
    }
    const int room = label->contentsRect().width() - 2 * label->margin();
    const int needed = QFontMetrics(label->font()).horizontalAdvance(text);
    if (room < needed) {
      cut << QStringLiteral("%1 \"%2\": %3 < %4")
                 .arg(label->objectName(), text)
                 .arg(room)
                 .arg(needed);
    }
  }
  return cut.join(QStringLiteral("; "));
}

// The texts of the message boxes the game has shown so far.
inline QStringList Messages(const km::testing::ScriptedPrompter& prompter) {
  QStringList texts;
  for (const auto& message : prompter.messages) texts << QString::fromStdString(message.text);
  return texts;
}

}  // namespace km::screens::testing
