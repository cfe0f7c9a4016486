// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/newspaper_screen.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "screens/look.h"
#include "screens/qt_text.h"
#include "screens/screen_parts.h"

namespace km::screens {

namespace {

constexpr const char* kPressAnyKey = "Press any key to continue";

QFrame* Rule(QWidget* parent) {
  auto* rule = new QFrame(parent);
  rule->setFrameShape(QFrame::NoFrame);
  SetRole(rule, "rule");
  return rule;
}

QLabel* PaperLabel(const QString& text, const char* name, QWidget* parent) {
  auto* label = new TextLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  return label;
}

}  // namespace

NewspaperScreen::NewspaperScreen(const Story& story, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmNewspaper"));
  setWindowTitle(QString::fromLatin1(kProgramTitle));
  setModal(true);
  setFocusPolicy(Qt::StrongFocus);

  auto* masthead = PaperLabel(ToQt(story.masthead), "lblNewspaperName", this);
  masthead->setAlignment(Qt::AlignCenter);
  auto* headline = PaperLabel(ToQt(story.headline), "lblHeadline", this);
  auto* text = PaperLabel(ToQt(story.text), "lblText", this);
  text->setAlignment(Qt::AlignJustify | Qt::AlignTop);
  auto* pressKey = PaperLabel(QString::fromLatin1(kPressAnyKey), "lblPressKey", this);
  // The paper holds the focus itself: a reader says the masthead and the
  // headline as its name, and reads the story as it opens.
  setAccessibleName(ToQt(story.masthead) + QStringLiteral(": ") + ToQt(story.headline));
  setAccessibleDescription(ToQt(story.text) + QLatin1Char(' ') + QString::fromLatin1(kPressAnyKey));
  pressKey->setAlignment(Qt::AlignCenter);

  auto* layout = new QVBoxLayout(ScreenPage(this));
  layout->setContentsMargins(24, 18, 24, 14);
  layout->setSpacing(8);
  layout->addWidget(masthead);
  layout->addWidget(Rule(this));
  layout->addSpacing(4);
  layout->addWidget(headline);
  layout->addWidget(text, 1);
  layout->addSpacing(6);
  layout->addWidget(Rule(this));
  layout->addWidget(pressKey);

  // A column of newsprint about sixty letters wide, as tall as the story.
  text->ensurePolished();
  const int column = text->fontMetrics().averageCharWidth() * 60;
  KeepWrappedTextWhole(headline, column);
  KeepWrappedTextWhole(text, column);
  KeepWrappedTextWhole(masthead, column);
}

void NewspaperScreen::keyPressEvent(QKeyEvent* event) {
  event->accept();
  accept();
}

void NewspaperScreen::mousePressEvent(QMouseEvent* event) {
  event->accept();
  accept();
}

}  // namespace km::screens
