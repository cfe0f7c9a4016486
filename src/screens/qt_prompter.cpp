// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/qt_prompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QPointer>
#include <QStringList>
#include <QWindow>

#include "screens/main_screen.h"
#include "screens/newspaper_screen.h"
#include "screens/qt_text.h"
#include "screens/screen_parts.h"

namespace km::screens {

namespace {

// Dialogs sit over the window the player is using, if there is one.
QWidget* DialogParent() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

}  // namespace

QMessageBox::Icon MessageBoxIcon(Icon icon) {
  switch (icon) {
    case Icon::None:
      return QMessageBox::NoIcon;
    case Icon::Information:
      return QMessageBox::Information;
    case Icon::Exclamation:
      return QMessageBox::Warning;
    case Icon::Question:
      return QMessageBox::Question;
    case Icon::Stop:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

void QtPrompter::inform(const std::string& text, const std::string& title) {
  QMessageBox box(QMessageBox::NoIcon, ToQt(title), ToQt(text), QMessageBox::Ok, DialogParent());
  box.setObjectName(QStringLiteral("msgInform"));
  box.exec();
}

bool QtPrompter::askYesNo(const std::string& text, const std::string& title, Icon icon) {
  QMessageBox box(MessageBoxIcon(icon), ToQt(title), ToQt(text), QMessageBox::Yes | QMessageBox::No,
                  DialogParent());
  box.setObjectName(QStringLiteral("msgQuestion"));
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void QtPrompter::publish(const Story& story) {
  // The paper comes up over the window in use but is no child of it: the hub
  // takes no input while the paper is up, and a child of a disabled window
  // would take none either.
  QWidget* over = DialogParent();
  NewspaperScreen paper(story);
  if (over) {
    paper.adjustSize();
    paper.move(over->frameGeometry().center() - paper.rect().center());
    paper.winId();
    if (QWindow* window = paper.windowHandle()) {
      window->setTransientParent(over->window()->windowHandle());
    }
  }
  QPointer<MainScreen> hub = hub_ ? hub_() : nullptr;
  // A hub that was already held by a screen of the week (the round, the
  // draft) stays held: that screen wakes it when it is done.
  const bool hubWasTakingInput = hub && hub->isEnabled();
  if (hub) Hold(hub);
  paper.exec();
  if (hub && hubWasTakingInput) hub->NewspaperClosed();
}

std::optional<std::filesystem::path> QtPrompter::chooseFileToOpen(
    const std::string& filter, const std::filesystem::path& folder) {
  // Qt's own dialog rather than the system's, so that it takes the game's look.
  const QString chosen =
      QFileDialog::getOpenFileName(DialogParent(), QStringLiteral("Load Career"), PathToQt(folder),
                                   QtFileFilter(filter), nullptr, QFileDialog::DontUseNativeDialog);
  if (chosen.isEmpty()) return std::nullopt;
  return PathFromQt(chosen);
}

QString QtFileFilter(std::string_view filter) {
  const QStringList parts = ToQt(filter).split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    if (i + 1 >= parts.size()) {
      if (!description.isEmpty()) entries << description;
      continue;
    }
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns) pattern = pattern.trimmed();
    const QString patternText = patterns.join(QLatin1Char(' '));
    const QString inBrackets = QLatin1Char('(') + patternText + QLatin1Char(')');
    // The description usually names its patterns already.
    if (patternText.isEmpty() || description.endsWith(inBrackets)) {
      entries << description;
    } else {
      entries << description + QLatin1Char(' ') + inBrackets;
    }
  }
  return entries.join(QStringLiteral(";;"));
}

}  // namespace km::screens
