// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/screen_parts.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "screens/help_screen.h"
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

// The green of the keyboard's focus.
QColor FocusGreen() { return {0x2f, 0x6b, 0x3a}; }

// Enter and Escape of one screen, once the control with the focus has let
// them pass.
class ScreenKeys : public QObject {
 public:
  ScreenKeys(QWidget* screen, std::initializer_list<QAbstractButton*> defaults,
             std::initializer_list<QAbstractButton*> closers)
      : QObject(screen),
        screen_(screen),
        defaults_(defaults.begin(), defaults.end()),
        closers_(closers.begin(), closers.end()) {
    screen->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != screen_ || event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat() || (key->modifiers() & ~Qt::KeypadModifier)) return false;
    QAbstractButton* pressed = nullptr;
    switch (key->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        pressed = FocusedButton();
        if (!pressed) pressed = FirstReady(defaults_);
        break;
      case Qt::Key_Escape:
        pressed = FirstReady(closers_);
        break;
      default:
        break;
    }
    if (!pressed) return false;
    pressed->click();
    return true;
  }

 private:
  [[nodiscard]] bool Ready(const QAbstractButton* button) const {
    return button && button->isEnabled() && button->isVisibleTo(screen_);
  }

  // A button with the focus takes Enter itself; an option button is chosen
  // with Space, and Enter goes on to the screen's own button.
  [[nodiscard]] QAbstractButton* FocusedButton() const {
    auto* button = qobject_cast<QAbstractButton*>(screen_->focusWidget());
    return button && !button->isCheckable() && Ready(button) ? button : nullptr;
  }

  [[nodiscard]] QAbstractButton* FirstReady(
      const std::vector<QPointer<QAbstractButton>>& buttons) const {
    for (const QPointer<QAbstractButton>& button : buttons) {
      if (Ready(button)) return button;
    }
    return nullptr;
  }

  QWidget* screen_;
  std::vector<QPointer<QAbstractButton>> defaults_;
  std::vector<QPointer<QAbstractButton>> closers_;
};

// The ring: drawn just outside the control, over its neighbours' margins,
// and never in the way of the mouse.
class FocusRing : public QWidget {
 public:
  static constexpr int kGap = 4;

  explicit FocusRing(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("focusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(FocusGreen(), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
  }
};

// Moves the one ring to whichever control has the focus, in whichever
// window, and keeps it round the control while the control moves.
class FocusRingKeeper : public QObject {
 public:
  explicit FocusRingKeeper(QObject* parent) : QObject(parent) {
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* /*old*/, QWidget* now) { Follow(now); });
    Follow(QApplication::focusWidget());
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == target_) {
      switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
          Place();
          break;
        default:
          break;
      }
    }
    return false;
  }

 private:
  void Follow(QWidget* now) {
    if (target_) target_->removeEventFilter(this);
    // A window with the focus itself (the splash screen, the newspaper) and
    // a drop-down list's popup have no ring.
    const bool ringed =
        now && !now->isWindow() && now->parentWidget() && now->window()->windowType() != Qt::Popup;
    target_ = ringed ? now : nullptr;
    if (target_) target_->installEventFilter(this);
    Place();
  }

  void Place() {
    if (!target_ || !target_->isVisible()) {
      if (ring_) ring_->hide();
      return;
    }
    QWidget* parent = target_->parentWidget();
    if (!ring_) {
      ring_ = new FocusRing(parent);
    } else if (ring_->parentWidget() != parent) {
      ring_->setParent(parent);
    }
    const int gap = FocusRing::kGap;
    ring_->setGeometry(target_->geometry().adjusted(-gap, -gap, gap, gap));
    ring_->raise();
    ring_->show();
  }

  QPointer<QWidget> target_;
  QPointer<FocusRing> ring_;
};

// A grid's cells as the style draws them, the current one framed instead of
// the style's own mark: green, lined with white so that it shows on a cell
// painted green too.
class CurrentCellFrame : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem plain(option);
    plain.state &= ~QStyle::State_HasFocus;
    QStyledItemDelegate::paint(painter, plain, index);
    if (!(option.state & QStyle::State_HasFocus)) return;
    painter->save();
    const QRectF cell = QRectF(option.rect).adjusted(1, 1, -1, -1);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(FocusGreen(), 2));
    painter->drawRect(cell);
    painter->setPen(QPen(Qt::white, 1));
    painter->drawRect(cell.adjusted(1.5, 1.5, -1.5, -1.5));
    painter->restore();
  }
};

}  // namespace

QWidget* ScreenPage(QWidget* screen) {
  auto* area = new PageArea(screen);
  area->setObjectName(QStringLiteral("scrScreen"));
  area->setFrameShape(QFrame::NoFrame);
  // The page's controls take the focus, never the area that holds them.
  area->setFocusPolicy(Qt::NoFocus);
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

QLabel* CaptionOf(QWidget* shown, const QString& text, QWidget* parent) {
  QLabel* label = Caption(text, parent);
  // Qt names text boxes, lists and sliders after their buddy, and tells a
  // screen reader which label goes with which control.
  if (!qobject_cast<QLabel*>(shown)) label->setBuddy(shown);
  ReadWithCaption(shown, text);
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

namespace {

// The gap between two windows side by side, in the desktop's points.
constexpr int kWindowGap = 8;

// Marks a screen PlaceSideBySide has placed, until it is opened.
constexpr const char* kPlacedBeside = "placedBeside";

// The window being held just now, and whoever heard Qt's reports before.
QPointer<QWidget> heldNow;
QAccessible::UpdateHandler passOn = nullptr;

// Passes every report on as if nobody stood between, but the focus of the
// window being held.
void PassOnAllButHeldFocus(QAccessibleEvent* event) {
  QObject* about = event->object();
  if (event->type() == QAccessible::Focus && heldNow && about && about->isWidgetType() &&
      (about == heldNow || heldNow->isAncestorOf(static_cast<QWidget*>(about))))
    return;
  QAccessible::installUpdateHandler(passOn);
  QAccessible::updateAccessibility(event);
  QAccessible::installUpdateHandler(PassOnAllButHeldFocus);
}

// The size a window will take on the desktop, its frame included: before it
// is first shown its frame is not known, and is taken to be its owner's.
QSize FrameSizeOf(QWidget* screen, const QWidget* owner) {
  if (screen->isVisible()) return screen->frameGeometry().size();
  screen->ensurePolished();
  if (!screen->testAttribute(Qt::WA_Resized)) screen->adjustSize();
  QSize size = screen->size().expandedTo(screen->minimumSizeHint());
  if (owner) size += owner->frameGeometry().size() - owner->geometry().size();
  return size;
}

// The desktop a window is on, less its panels.
QRect DesktopOf(const QWidget* window) {
  const QScreen* screen = window ? window->screen() : nullptr;
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

// `frame` moved the least it takes to lie within `area` (its top-left corner
// first, when it is larger).
QRect Within(QRect frame, const QRect& area) {
  if (area.isEmpty()) return frame;
  frame.moveLeft(std::min(frame.left(), area.right() + 1 - frame.width()));
  frame.moveTop(std::min(frame.top(), area.bottom() + 1 - frame.height()));
  frame.moveLeft(std::max(frame.left(), area.left()));
  frame.moveTop(std::max(frame.top(), area.top()));
  return frame;
}

}  // namespace

void PlaceOver(QWidget* screen, const QWidget* owner) {
  // A screen put beside its owner just now keeps that place.
  if (screen->property(kPlacedBeside).toBool()) {
    screen->setProperty(kPlacedBeside, QVariant());
    return;
  }
  if (!owner || screen->isVisible()) return;
  // An owner put away just now (the splash) still says where the player was
  // looking; one never shown does not.
  const QWidget* over = owner->window();
  if (over == screen || !over->testAttribute(Qt::WA_WState_Created)) return;
  QRect frame(QPoint(), FrameSizeOf(screen, over));
  frame.moveCenter(over->frameGeometry().center());
  screen->move(Within(frame, DesktopOf(over)).topLeft());
}

void KeepAbove(QWidget* screen, const QWidget* owner) {
  if (!owner || owner->window() == screen) return;
  screen->winId();
  owner->window()->winId();
  if (QWindow* window = screen->windowHandle()) {
    window->setTransientParent(owner->window()->windowHandle());
  }
}

void OpenFrom(QWidget* owner, QWidget* screen) {
  // The screen comes first, then its owner is held.
  OpenBeside(owner, screen);
  if (owner) Hold(owner);
}

namespace {

// The control that had the keyboard's focus when its window was held: a
// disabled window loses its focus, and without this the control first in
// its tab order would have it when it takes input again.
class HeldFocus : public QObject {
 public:
  static constexpr const char* kName = "heldFocus";
  explicit HeldFocus(QWidget* window) : QObject(window) {
    setObjectName(QString::fromLatin1(kName));
  }
  static HeldFocus* Of(QWidget* window) {
    return dynamic_cast<HeldFocus*>(
        window->findChild<QObject*>(QString::fromLatin1(kName), Qt::FindDirectChildrenOnly));
  }
  QPointer<QWidget> control;
};

}  // namespace

void Hold(QWidget* owner) {
  QWidget* window = owner->window();
  HeldFocus* held = HeldFocus::Of(window);
  if (!held) held = new HeldFocus(window);
  held->control = window->focusWidget();
  // Qt reports a control that loses the focus as focused once more (when it
  // is disabled, or clearFocus is called): a reader would hear the held
  // window's control, disabled. That report is not passed on.
  heldNow = owner->window();
  passOn = QAccessible::installUpdateHandler(PassOnAllButHeldFocus);
  owner->setEnabled(false);
  QAccessible::installUpdateHandler(passOn);
  heldNow = nullptr;
}

void OpenBeside(QWidget* owner, QWidget* screen) {
  PlaceOver(screen, owner);
  KeepAbove(screen, owner);
  screen->show();
  screen->raise();
  screen->activateWindow();
}

void HandBackTo(QWidget* owner) {
  if (!owner) return;
  owner->setEnabled(true);
  // The control that had the focus when the window was held has it again.
  QWidget* window = owner->window();
  if (HeldFocus* held = HeldFocus::Of(window)) {
    QWidget* control = held->control;
    held->control = nullptr;
    if (control && control->isVisibleTo(window) && control->isEnabled()) control->setFocus();
  }
  if (owner->isVisible()) {
    owner->raise();
    owner->activateWindow();
  }
}

bool PlaceSideBySide(QWidget* left, QWidget* right) {
  if (!left->isVisible()) return false;
  const QRect area = DesktopOf(left);
  const QRect leftFrame = left->frameGeometry();
  const QSize rightFrame = FrameSizeOf(right, left);
  const int gap = kWindowGap;
  const QSize both(leftFrame.width() + gap + rightFrame.width(),
                   std::max(leftFrame.height(), rightFrame.height()));
  if (area.isEmpty() || both.width() > area.width() || both.height() > area.height()) return false;
  const QRect pair = Within(QRect(leftFrame.topLeft(), both), area);
  if (pair.topLeft() != leftFrame.topLeft()) left->move(pair.topLeft());
  right->move(pair.left() + leftFrame.width() + gap, pair.top());
  right->setProperty(kPlacedBeside, true);
  return true;
}

void UseScreenKeys(QWidget* screen, std::initializer_list<QAbstractButton*> defaults,
                   std::initializer_list<QAbstractButton*> closers) {
  new ScreenKeys(screen, defaults, closers);
  RingKeyboardFocus();
  ReadTheGame();
  UseHelpKey();
}

void ReadyForKeys(QAbstractItemView* grid) {
  grid->setFocusPolicy(Qt::StrongFocus);
  grid->setTabKeyNavigation(false);
  grid->setItemDelegate(new CurrentCellFrame(grid));
}

void RingKeyboardFocus() {
  static QPointer<FocusRingKeeper> keeper;
  if (!keeper) keeper = new FocusRingKeeper(qApp);
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
