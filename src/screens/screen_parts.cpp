#include "screens/screen_parts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

#include "screens/look.h"

namespace km::screens {

namespace {

// How far beyond its natural size a screen's content grows with its window.
constexpr int kMostGrowthPercent = 125;

constexpr const char* kPageName = "pgeScreen";

// True for a part of a table, a list or a text box (its headers, its
// scroll bars) below `page`.
bool InsideAView(const QWidget* widget, const QWidget* page) {
  for (const QWidget* up = widget->parentWidget(); up && up != page; up = up->parentWidget()) {
    if (qobject_cast<const QAbstractScrollArea*>(up)) return true;
  }
  return false;
}

// Holds a screen's page: sized by the page, it puts the page in its middle,
// as large as the window allows up to the page's most growth.
class PageHolder : public QWidget {
 public:
  PageHolder(QWidget* page, QWidget* parent) : QWidget(parent), page_(page) {
    page_->setParent(this);
    page_->installEventFilter(this);
  }

  [[nodiscard]] QSize sizeHint() const override {
    return page_->sizeHint().expandedTo(page_->minimumSizeHint());
  }
  [[nodiscard]] QSize minimumSizeHint() const override { return page_->minimumSizeHint(); }

  // The window is never smaller than the page while its desktop has room.
  void FitWindow() {
    QWidget* window = this->window();
    QSize needed = minimumSizeHint();
    if (QScreen* screen = window->screen()) {
      const QSize frame = window->frameGeometry().size() - window->geometry().size();
      needed = needed.boundedTo(screen->availableGeometry().size() - frame);
    }
    if (needed != window->minimumSize()) window->setMinimumSize(needed);
  }

 protected:
  void resizeEvent(QResizeEvent* /*event*/) override { Place(); }
  // Before the window first comes up, so that it opens whole.
  void showEvent(QShowEvent* /*event*/) override { FitWindow(); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == page_ && event->type() == QEvent::LayoutRequest) {
      // A text or a table of the page has changed its size.
      updateGeometry();
      if (auto* area = qobject_cast<QScrollArea*>(parentWidget()->parentWidget())) {
        area->updateGeometry();
        // The scroll area fits its widget again at once.
        area->setWidgetResizable(true);
      }
      FitWindow();
      Place();
    }
    return false;
  }

 private:
  void Place() {
    // A page grows only in the directions a table, a list or a text box on
    // it can use; boxed values and their captions stay together.
    const QSize natural = sizeHint();
    Qt::Orientations grows;
    for (const QAbstractScrollArea* view : page_->findChildren<QAbstractScrollArea*>()) {
      if (view->isVisibleTo(page_) && !InsideAView(view, page_)) {
        grows |= view->sizePolicy().expandingDirections();
      }
    }
    const QSize most(
        grows & Qt::Horizontal ? natural.width() * kMostGrowthPercent / 100 : natural.width(),
        grows & Qt::Vertical ? natural.height() * kMostGrowthPercent / 100 : natural.height());
    const QSize size = this->size().boundedTo(most).expandedTo(page_->minimumSizeHint());
    QRect area(QPoint(), size);
    area.moveCenter(rect().center());
    area.moveLeft(std::max(0, area.left()));
    area.moveTop(std::max(0, area.top()));
    page_->setGeometry(area);
  }

  QWidget* page_;
};

// A scroll area as large as the page it holds, so that a window opens at the
// page's natural size.
class PageArea : public QScrollArea {
 public:
  using QScrollArea::QScrollArea;

  [[nodiscard]] QSize sizeHint() const override {
    const QWidget* holder = widget();
    return holder ? holder->sizeHint() : QScrollArea::sizeHint();
  }
};

}  // namespace

QWidget* ScreenPage(QWidget* screen) {
  auto* area = new PageArea(screen);
  area->setObjectName(QStringLiteral("scrScreen"));
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  // The screen's own background shows through.
  area->setStyleSheet(QStringLiteral("QScrollArea#scrScreen { background: transparent; }"));
  area->viewport()->setAutoFillBackground(false);

  auto* page = new QWidget;
  page->setObjectName(QString::fromLatin1(kPageName));
  auto* holder = new PageHolder(page, area);
  holder->setAutoFillBackground(false);
  area->setWidget(holder);
  // On a page that scrolls, the control a key moves to comes into view.
  QObject::connect(qApp, &QApplication::focusChanged, area, [area](QWidget*, QWidget* now) {
    if (now && area->widget() && area->widget()->isAncestorOf(now)) area->ensureWidgetVisible(now);
  });

  auto* layout = new QVBoxLayout(screen);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(area);
  return page;
}

QWidget* PageOf(const QWidget* screen) {
  return screen ? screen->findChild<QWidget*>(QString::fromLatin1(kPageName)) : nullptr;
}

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
