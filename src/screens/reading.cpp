// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/reading.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStringList>
#include <utility>

#include "screens/look.h"

namespace km::screens {

namespace {

// The properties that tell the factory below how to read a widget.
constexpr const char* kReadCaption = "readCaption";
constexpr const char* kReadUnit = "readUnit";
constexpr const char* kUnread = "readerPassesOver";
constexpr const char* kOption = "readAsOption";

// A caption as a screen reader says it: without the ampersand that marks a keyboard letter
// ("&&" stands for one ampersand).
QString WithoutMnemonic(const QString& text) {
  QString plain;
  plain.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&')) {
      if (i + 1 >= text.size()) break;
      ++i;
    }
    plain += text[i];
  }
  return plain.trimmed();
}

// A control's name: its caption without the colon ("Career File Name").
QString ControlName(const QString& caption) {
  QString name = WithoutMnemonic(caption);
  if (name.endsWith(QLatin1Char(':'))) name.chop(1);
  return name.trimmed();
}

// A value with its unit: a dollar sign before it, any other unit after it ("$15000", "191 cm").
QString WithUnit(const QString& value, const QObject* shown) {
  const QString unit = shown->property(kReadUnit).toString();
  if (value.trimmed().isEmpty() || unit.isEmpty()) return value.trimmed();
  return unit == QLatin1String("$") ? unit + value.trimmed()
                                    : value.trimmed() + QLatin1Char(' ') + unit;
}

// A value with its caption: "Bank Balance: 15000"; a value without one as it stands.
QString CaptionedText(const QObject* shown, const QString& value) {
  const QVariant caption = shown->property(kReadCaption);
  const QString withUnit = WithUnit(value, shown);
  if (!caption.isValid()) return withUnit;
  QString text = WithoutMnemonic(caption.toString());
  if (!text.endsWith(QLatin1Char(':'))) text += QLatin1Char(':');
  return withUnit.isEmpty() ? text : text + QLatin1Char(' ') + withUnit;
}

// A value label: named by its caption and the value it shows at the moment it is read.
class CaptionedValue : public QAccessibleWidget {
 public:
  explicit CaptionedValue(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

  [[nodiscard]] QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return QAccessibleWidget::text(t);
    const auto* label = static_cast<const QLabel*>(widget());
    if (!label->accessibleName().isEmpty()) return label->accessibleName();
    return CaptionedText(label, label->text());
  }
};

// A screen's title.
class HeadingLabel : public QAccessibleWidget {
 public:
  explicit HeadingLabel(QLabel* label) : QAccessibleWidget(label, QAccessible::Heading) {}

  [[nodiscard]] QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return QAccessibleWidget::text(t);
    const auto* label = static_cast<const QLabel*>(widget());
    return label->accessibleName().isEmpty() ? label->text().simplified() : label->accessibleName();
  }
};

// A label whose text is read with its neighbour: out of what a reader walks or reviews.
class UnreadLabel : public QAccessibleWidget {
 public:
  explicit UnreadLabel(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

  [[nodiscard]] QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.invisible = true;
    return state;
  }
};

// One of a group of options, as a radio button.
class OptionButton : public QAccessibleWidget {
 public:
  explicit OptionButton(QAbstractButton* button)
      : QAccessibleWidget(button, QAccessible::RadioButton) {}

  [[nodiscard]] QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = button()->isChecked();
    return state;
  }
  [[nodiscard]] QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
      return WithoutMnemonic(button()->text());
    return QAccessibleWidget::text(t);
  }
  [[nodiscard]] QStringList actionNames() const override {
    return QStringList(pressAction()) + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == pressAction()) {
      button()->click();
    } else {
      QAccessibleWidget::doAction(action);
    }
  }

 private:
  [[nodiscard]] QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

// A drop-down list read by its caption with the entry chosen ("Height: 191 cm"). Qt names a
// list on Linux by its entry alone ("191").
class CaptionedChoice : public QAccessibleWidget {
 public:
  explicit CaptionedChoice(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

  [[nodiscard]] QString text(QAccessible::Text t) const override {
    switch (t) {
      case QAccessible::Name:
        return CaptionedText(list(), list()->currentText());
      case QAccessible::Value:
        return WithUnit(list()->currentText(), list());
      default:
        return QAccessibleWidget::text(t);
    }
  }
  // Its entries, as Qt's own list gives them.
  [[nodiscard]] int childCount() const override { return 1; }
  [[nodiscard]] QAccessibleInterface* child(int index) const override {
    return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
  }
  [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override {
    return child && child->object() == list()->view() ? 0 : -1;
  }
  [[nodiscard]] QStringList actionNames() const override {
    return {showMenuAction(), pressAction()};
  }
  void doAction(const QString& action) override {
    if (action == showMenuAction() || action == pressAction()) list()->showPopup();
  }

 private:
  [[nodiscard]] QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
};

// One announcement: a notification a reader is shown once. Each is an object
// of its own, as a reader keeps what it has read of an object.
class Notice : public QObject {
 public:
  Notice(QString text, QObject* parent) : QObject(parent), text_(std::move(text)) {}
  [[nodiscard]] const QString& text() const { return text_; }

 private:
  QString text_;
};

// What a window says to a reader: the texts of the moment, then a notice of
// them, which takes the place of the last one.
class Announcer : public QObject {
 public:
  explicit Announcer(QWidget* window) : QObject(window) {
    setObjectName(QStringLiteral("announcer"));
  }

  void Add(const QString& text) {
    if (pending_.isEmpty()) {
      QMetaObject::invokeMethod(this, &Announcer::Say, Qt::QueuedConnection);
    }
    pending_ << text;
  }

  [[nodiscard]] QString said() const { return notice_ ? notice_->text() : QString(); }

 private:
  void Say() {
    if (notice_) notice_->deleteLater();
    notice_ = new Notice(pending_.join(QLatin1Char(' ')), parent());
    pending_.clear();
    // A notification coming into view: read out wherever the focus is.
    QAccessibleEvent event(notice_, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&event);
  }

  QStringList pending_;
  QPointer<Notice> notice_;
};

class Announcement : public QAccessibleObject {
 public:
  explicit Announcement(Notice* notice) : QAccessibleObject(notice) {}

  [[nodiscard]] QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(object()->parent());
  }
  [[nodiscard]] QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
  [[nodiscard]] int childCount() const override { return 0; }
  [[nodiscard]] int indexOfChild(const QAccessibleInterface* /*child*/) const override {
    return -1;
  }
  [[nodiscard]] QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? static_cast<const Notice*>(object())->text() : QString();
  }
  [[nodiscard]] QAccessible::Role role() const override { return QAccessible::Notification; }
  [[nodiscard]] QAccessible::State state() const override { return {}; }
};

Announcer* AnnouncerOf(const QWidget* window) {
  for (QObject* child : window->children()) {
    if (auto* announcer = dynamic_cast<Announcer*>(child)) return announcer;
  }
  return nullptr;
}

// The game's own readings, asked before Qt's; anything else is left to Qt.
QAccessibleInterface* ReadingFactory(const QString& className, QObject* object) {
  if (auto* notice = dynamic_cast<Notice*>(object)) return new Announcement(notice);
  if (!object || !object->isWidgetType()) return nullptr;
  // Asked once per class a widget is of, most derived first: only that first time counts.
  if (className != QLatin1String(object->metaObject()->className())) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (widget->isWindow() && !qobject_cast<QDialog*>(widget) &&
      className.startsWith(QLatin1String("km::screens::")))
    return new QAccessibleWidget(widget, QAccessible::Window);
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    if (label->property(kUnread).toBool()) return new UnreadLabel(label);
    if (label->property("role") == QStringLiteral("heading")) return new HeadingLabel(label);
    if (label->property(kReadCaption).isValid() || label->property(kReadUnit).isValid())
      return new CaptionedValue(label);
    return nullptr;
  }
  if (auto* button = qobject_cast<QAbstractButton*>(widget);
      button && button->property(kOption).toBool())
    return new OptionButton(button);
  if (auto* list = qobject_cast<QComboBox*>(widget); list && list->property(kReadCaption).isValid())
    return new CaptionedChoice(list);
  return nullptr;
}

// A widget whose reading has changed since Qt first read it is read afresh.
void ReadAfresh(QWidget* widget) {
  ReadTheGame();
  if (QAccessibleInterface* read = QAccessible::queryAccessibleInterface(widget)) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(read));
  }
}

// Keeps a grid's current cell aside while the focus is elsewhere.
class CurrentCellKeeper : public QObject {
 public:
  explicit CurrentCellKeeper(QAbstractItemView* grid) : QObject(grid), grid_(grid) {
    grid->installEventFilter(this);
    if (!grid->hasFocus()) PutAside();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != grid_) return false;
    if (event->type() == QEvent::FocusOut) {
      PutAside();
    } else if (event->type() == QEvent::FocusIn && kept_.isValid() &&
               !grid_->currentIndex().isValid() && grid_->selectionModel()) {
      // Back before the grid handles the focus, so that it reports this cell.
      grid_->selectionModel()->setCurrentIndex(kept_, QItemSelectionModel::NoUpdate);
    }
    return false;
  }

 private:
  void PutAside() {
    if (!grid_->selectionModel() || !grid_->currentIndex().isValid()) return;
    kept_ = grid_->currentIndex();
    grid_->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  }

  QAbstractItemView* grid_;
  QPersistentModelIndex kept_;
};

}  // namespace

void ReadTheGame() {
  static const bool installed = [] {
    QAccessible::installFactory(ReadingFactory);
    return true;
  }();
  Q_UNUSED(installed);
}

void ReadWithCaption(QWidget* shown, const QString& caption) {
  if (qobject_cast<QLabel*>(shown) || qobject_cast<QComboBox*>(shown)) {
    if (shown->property(kReadCaption) == caption) return;
    shown->setProperty(kReadCaption, caption);
    ReadAfresh(shown);
    return;
  }
  shown->setAccessibleName(ControlName(caption));
}

void ReadWithUnit(QWidget* value, QLabel* unit) {
  value->setProperty(kReadUnit, unit->text().trimmed());
  ReadAfresh(value);
  LeaveUnread(unit);
}

void LeaveUnread(QLabel* label) {
  label->setProperty(kUnread, true);
  ReadAfresh(label);
}

void ReadAsOption(QAbstractButton* button) {
  button->setProperty(kOption, true);
  ReadAfresh(button);
}

void Announce(QWidget* screen, const QString& text) {
  if (!screen || text.trimmed().isEmpty()) return;
  ReadTheGame();
  QWidget* window = screen->window();
  Announcer* announcer = AnnouncerOf(window);
  if (!announcer) announcer = new Announcer(window);
  announcer->Add(text.trimmed());
}

QString LastAnnouncement(const QWidget* screen) {
  if (!screen) return {};
  const Announcer* announcer = AnnouncerOf(screen->window());
  return announcer ? announcer->said() : QString();
}

void ReadCurrentCellOnlyWithFocus(QAbstractItemView* grid) { new CurrentCellKeeper(grid); }

}  // namespace km::screens
