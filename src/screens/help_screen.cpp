// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/help_screen.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFormat>
#include <QTextFragment>
#include <QVBoxLayout>
#include <algorithm>

#include "screens/screen_parts.h"

namespace km::screens {

namespace {

constexpr const char* kTitle = "Kickmark - Guide";
constexpr const char* kReaderName = "Kickmark guide";
// Where the program carries the guide and its pictures.
constexpr const char* kGuideFile = ":/guide/playing.md";
constexpr const char* kGuideFolder = ":/guide";
constexpr const char* kPlayHeld = "Why can't I press Play?";

// Each screen and the guide's section about it.
struct GuidePlace {
  const char* screen;
  const char* heading;
};
constexpr GuidePlace kGuidePlaces[] = {
    {"frmSplash", "Starting out"},
    {"frmStart", "Starting out"},
    {"frmSetup", "Setting up your player"},
    {"frmMain", "The hub"},
    {"frmMatchRound", "A week: Play, the round and the match"},
    {"frmMatch", "A week: Play, the round and the match"},
    {"frmNewspaper", "A week: Play, the round and the match"},
    {"frmTraining", "Training, health and gear"},
    {"frmHealth", "Training, health and gear"},
    {"frmStore", "Training, health and gear"},
    {"frmSponsorship", "Sponsors"},
    {"frmSponsorBoots", "Sponsors"},
    {"frmSponsorJumper", "Sponsors"},
    {"frmSponsorMajor", "Sponsors"},
    {"frmSponsorShorts", "Sponsors"},
    {"frmSponsorSocks", "Sponsors"},
    {"frmContracts", "Contracts"},
    {"frmTeam", "The ladder, the fixture and the finals"},
    {"frmLadder", "The ladder, the fixture and the finals"},
    {"frmResults", "The ladder, the fixture and the finals"},
    {"frmRecordsTeam", "The ladder, the fixture and the finals"},
    {"frmRecords", "Records and the Career screen"},
    {"frmCareer", "Records and the Career screen"},
    {"frmLocalAwards", "The awards night"},
    {"frmRegionalAwards", "The awards night"},
    {"frmStateAwards", "The awards night"},
    {"frmAFLAwards", "The awards night"},
    {"frmPosition", "Moving between competitions"},
    {"frmDraftCamp", "The draft camp and the draft"},
    {"frmDraft", "The draft camp and the draft"},
};

QPointer<HelpScreen>& TheGuide() {
  static QPointer<HelpScreen> guide;
  return guide;
}

// The section's heading block, or an invalid block.
QTextBlock HeadingBlock(const QTextDocument* document, const QString& heading) {
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() == 2 && block.text().trimmed() == heading) return block;
  }
  return {};
}

// The guide's view. A new width reflows the guide: the section read at the
// top stays at the top, and a picture wider than the view is shown narrower.
class GuideBrowser : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;

 protected:
  void resizeEvent(QResizeEvent* event) override {
    const int atTop = cursorForPosition(QPoint(0, 0)).block().position();
    const bool moved = verticalScrollBar()->value() > 0;
    FitPictures(event->size().width());
    QTextBrowser::resizeEvent(event);
    if (!moved) return;
    const QTextBlock block = document()->findBlock(atTop);
    verticalScrollBar()->setValue(
        qRound(document()->documentLayout()->blockBoundingRect(block).top()));
  }

 private:
  // Each picture at its own size, or as wide as the view and no wider.
  void FitPictures(int width) {
    const int room = width - 2 * qRound(document()->documentMargin()) - 16;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
      for (auto part = block.begin(); !part.atEnd(); ++part) {
        const QTextFragment fragment = part.fragment();
        if (!fragment.charFormat().isImageFormat()) continue;
        QTextImageFormat picture = fragment.charFormat().toImageFormat();
        const QSize natural = document()
                                  ->resource(QTextDocument::ImageResource, QUrl(picture.name()))
                                  .value<QImage>()
                                  .size();
        if (natural.isEmpty()) continue;
        const int shown = std::min(natural.width(), std::max(room, 1));
        if (qRound(picture.width()) == shown) continue;
        picture.setWidth(shown);
        picture.setHeight(natural.height() * shown / natural.width());
        QTextCursor cursor(document());
        cursor.setPosition(fragment.position());
        cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
        cursor.setCharFormat(picture);
      }
    }
  }
};

// F1, wherever the focus is: the guide at the section of the window in front.
class HelpKey : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || (key->modifiers() & ~Qt::KeypadModifier)) return false;
    const auto* widget = static_cast<QWidget*>(watched);
    // In the guide itself F1 has nothing more to open.
    if (widget->window() != GuideWindow()) OpenGuide(GuideHeadingFor(widget));
    return true;
  }
};

}  // namespace

HelpScreen::HelpScreen(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("frmHelp"));
  setWindowTitle(QString::fromLatin1(kTitle));
  // The guide open on its own never keeps the game running.
  setAttribute(Qt::WA_QuitOnClose, false);

  txtGuide_ = new GuideBrowser(this);
  txtGuide_->setObjectName(QStringLiteral("txtGuide"));
  txtGuide_->setAccessibleName(QString::fromLatin1(kReaderName));
  txtGuide_->setOpenExternalLinks(true);
  // The guide's pictures ("pictures/hub.png") are read from beside it.
  txtGuide_->setSearchPaths({QString::fromLatin1(kGuideFolder)});
  txtGuide_->document()->setBaseUrl(QUrl(QStringLiteral("qrc:/guide/")));
  txtGuide_->setMarkdown(GuideText());

  cmdClose_ = Button(QStringLiteral("Close"), "cmdClose", this);
  connect(cmdClose_, &QPushButton::clicked, this, &QWidget::close);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdClose_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->setSpacing(8);
  layout->addWidget(txtGuide_, 1);
  layout->addLayout(buttons);
  // Escape closes the guide, as Close does.
  UseScreenKeys(this, {}, {cmdClose_});

  // About a hundred and forty characters by forty lines, within the desktop.
  QSize size(fontMetrics().averageCharWidth() * 140, fontMetrics().lineSpacing() * 40);
  if (const QScreen* desktop = screen()) size = size.boundedTo(desktop->availableSize() * 9 / 10);
  resize(size);
}

void HelpScreen::ShowAt(const QString& heading) {
  show();
  raise();
  activateWindow();
  txtGuide_->setFocus();
  const QTextBlock block = HeadingBlock(txtGuide_->document(), heading);
  if (!block.isValid()) {
    txtGuide_->moveCursor(QTextCursor::Start);
    txtGuide_->verticalScrollBar()->setValue(0);
    return;
  }
  // From the end back to the heading: the view comes to rest with the
  // heading at its top (or as near it as the guide's end allows).
  txtGuide_->moveCursor(QTextCursor::End);
  txtGuide_->ensureCursorVisible();
  txtGuide_->setTextCursor(QTextCursor(block));
  txtGuide_->ensureCursorVisible();
}

QString GuideHeadingOf(const QString& screen) {
  for (const GuidePlace& place : kGuidePlaces) {
    if (screen == QLatin1String(place.screen)) return QString::fromLatin1(place.heading);
  }
  return {};
}

QString GuideHeadingFor(const QWidget* widget) {
  for (const QWidget* window = widget ? widget->window() : nullptr; window;
       window = window->parentWidget() ? window->parentWidget()->window() : nullptr) {
    if (QString heading = GuideHeadingOf(window->objectName()); !heading.isEmpty()) return heading;
  }
  return {};
}

QStringList GuideHeadings() {
  QStringList headings;
  for (const GuidePlace& place : kGuidePlaces) {
    const QString heading = QString::fromLatin1(place.heading);
    if (!headings.contains(heading)) headings << heading;
  }
  return headings << PlayHeldHeading();
}

QString PlayHeldHeading() { return QString::fromLatin1(kPlayHeld); }

QString GuideText() {
  QFile guide(QString::fromLatin1(kGuideFile));
  if (!guide.open(QIODevice::ReadOnly)) return {};
  // The notes to the guide's writers, in HTML comments, are not for the
  // player (Qt's Markdown shows a comment as text).
  QString text = QString::fromUtf8(guide.readAll());
  for (qsizetype at = text.indexOf(QLatin1String("<!--")); at >= 0;
       at = text.indexOf(QLatin1String("<!--"), at)) {
    const qsizetype end = text.indexOf(QLatin1String("-->"), at);
    text.remove(at, end < 0 ? text.size() - at : end + 3 - at);
  }
  return text;
}

HelpScreen* OpenGuide(const QString& heading) {
  QPointer<HelpScreen>& guide = TheGuide();
  if (!guide) guide = new HelpScreen;
  // A message box or the newspaper holds every other window: the guide
  // comes up over it as one more, and is no more than a window of its own
  // once nothing holds the game.
  const QWidget* holder = QApplication::activeModalWidget();
  const Qt::WindowModality wanted =
      holder && holder != guide.data() ? Qt::ApplicationModal : Qt::NonModal;
  if (guide->windowModality() != wanted) {
    guide->hide();
    guide->setWindowModality(wanted);
  }
  // Over the window the player pressed F1 on.
  PlaceOver(guide.data(), QApplication::activeWindow());
  guide->ShowAt(heading);
  return guide;
}

HelpScreen* GuideWindow() { return TheGuide(); }

void UseHelpKey() {
  static QPointer<HelpKey> key;
  if (key) return;
  key = new HelpKey(qApp);
  qApp->installEventFilter(key);
}

}  // namespace km::screens
