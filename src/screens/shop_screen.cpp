// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/shop_screen.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "game/tips.h"
#include "screens/look.h"
#include "screens/main_screen.h"
#include "screens/qt_text.h"
#include "screens/screen_parts.h"

namespace km::screens {

namespace {

// The units chosen on a row, kept on its spinner for a screen reader.
constexpr const char* kChosenUnits = "chosenUnits";

// A row's arrows as a reader has them: a spin button named by its row whose
// value is the units chosen. The arrows show no number, and after Max their
// own count is not the units chosen.
class ChosenUnits : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit ChosenUnits(UnitSpinner* spinner) : QAccessibleWidget(spinner, QAccessible::SpinBox) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  [[nodiscard]] QString text(QAccessible::Text t) const override {
    return t == QAccessible::Value ? QString::number(Chosen()) : QAccessibleWidget::text(t);
  }
  [[nodiscard]] QVariant currentValue() const override { return Chosen(); }
  void setCurrentValue(const QVariant& /*value*/) override {}
  // One step past either end of the spinner is its wrap, not a number of units.
  [[nodiscard]] QVariant maximumValue() const override { return spinner()->maximum() - 1; }
  [[nodiscard]] QVariant minimumValue() const override { return 0; }
  [[nodiscard]] QVariant minimumStepSize() const override { return 1; }

 private:
  [[nodiscard]] const UnitSpinner* spinner() const {
    return static_cast<const UnitSpinner*>(widget());
  }
  [[nodiscard]] int Chosen() const { return spinner()->property(kChosenUnits).toInt(); }
};

QAccessibleInterface* ChosenUnitsFactory(const QString& /*className*/, QObject* object) {
  auto* spinner = qobject_cast<UnitSpinner*>(object);
  return spinner ? new ChosenUnits(spinner) : nullptr;
}

constexpr const char* kParticulars = "Particulars";
constexpr const char* kRateColumn = "Rate ($)";
constexpr const char* kAmountColumn = "Amount ($)";
constexpr const char* kBalanceBefore = "Balance before purchase:";
constexpr const char* kBalanceAfter = "Balance after purchase:";

// The training centre lists the skills in its own order; the other shops
// show their rows as they come.
constexpr std::array<std::string_view, 5> kTrainingOrder = {"Kicking", "Handballing", "Marking",
                                                            "Tackling", "Running"};

// How the balance after purchase is drawn, by name for the style sheet: in
// the red when the purchase is more than the bank holds, in blue while money
// is left over, and plain as the screen opened. A balance of exactly 0 keeps
// whichever look it had.
const char* BalanceLook(BalanceColour colour) {
  switch (colour) {
    case BalanceColour::Short:
      return "short";
    case BalanceColour::InCredit:
      return "inCredit";
    case BalanceColour::Unchanged:
      break;
  }
  return "unchanged";
}

// The rows in the order the screen shows them, as indexes into the
// session's rows.
std::vector<int> ShownOrder(const ShopSession& session) {
  std::vector<int> order;
  if (session.shop() == Shop::Training) {
    for (std::string_view name : kTrainingOrder) {
      if (const int row = session.RowIndex(name); row >= 0) order.push_back(row);
    }
  }
  for (int row = 0; row < static_cast<int>(session.Rows().size()); ++row) {
    if (std::find(order.begin(), order.end(), row) == order.end()) order.push_back(row);
  }
  return order;
}

QLabel* ColumnHead(const QString& text, QWidget* parent) {
  auto* label = new TextLabel(text, parent);
  SetRole(label, "columnHead");
  label->setAlignment(Qt::AlignCenter);
  return label;
}

QLabel* Figure(const QString& name, QWidget* parent) {
  QLabel* label = ValueLabel(name.toLatin1().constData(), parent);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setText(QStringLiteral("0"));
  return label;
}

// An amount as the game shows it ("15000", "247.5").
QString Dollars(Money amount) { return ToQt(amount.ToString()); }

}  // namespace

UnitSpinner::UnitSpinner(QWidget* parent) : QSpinBox(parent) {
  static const bool read = [] {
    QAccessible::installFactory(ChosenUnitsFactory);
    return true;
  }();
  Q_UNUSED(read);
  setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  // Nothing to type: the arrows and the keyboard's arrow keys step.
  lineEdit()->setReadOnly(true);
}

QSize UnitSpinner::sizeHint() const {
  // As wide as its arrows, with no room for a number.
  QStyleOptionSpinBox option;
  initStyleOption(&option);
  option.rect = QRect(QPoint(0, 0), QSpinBox::sizeHint());
  const QRect up = style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, this);
  return {up.width() + 4, option.rect.height()};
}

QSize UnitSpinner::minimumSizeHint() const { return sizeHint(); }

QString UnitSpinner::textFromValue(int /*value*/) const { return {}; }

int UnitSpinner::valueFromText(const QString& /*text*/) const { return value(); }

QValidator::State UnitSpinner::validate(QString& /*text*/, int& /*pos*/) const {
  return QValidator::Acceptable;
}

const char* ShopScreen::ScreenName(Shop shop) {
  switch (shop) {
    case Shop::Training:
      return "frmTraining";
    case Shop::Health:
      return "frmHealth";
    case Shop::Store:
      break;
  }
  return "frmStore";
}

ShopScreen::ShopScreen(Game& game, Shop shop, QWidget* parent)
    : CancellableScreen(parent, Qt::Window),
      game_(game),
      shop_(shop),
      session_(ShopSession::Open(shop, game.career())) {
  setObjectName(QString::fromLatin1(ScreenName(shop)));
  const ShopTexts& texts = session_.Texts();
  setWindowTitle(ToQt(texts.windowTitle));

  auto* layout = new QVBoxLayout(ScreenPage(this));
  layout->setContentsMargins(16, 10, 16, 14);
  layout->setSpacing(10);
  layout->addWidget(Heading(ToQt(texts.heading), "lblHeading", this));
  layout->addWidget(MakeRows());
  layout->addWidget(MakeBalances());

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(8);
  if (session_.HasMax()) {
    auto* cmdMax = Button(QStringLiteral("Max"), "cmdMax", this);
    connect(cmdMax, &QPushButton::clicked, this, &ShopScreen::cmdMax_Click);
    buttons->addWidget(cmdMax);
  }
  buttons->addStretch(1);
  auto* cmdOK = Button(QStringLiteral("OK"), "cmdOK", this);
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &ShopScreen::cmdOK_Click);
  auto* cmdCancel = Button(QStringLiteral("Cancel"), "cmdCancel", this);
  connect(cmdCancel, &QPushButton::clicked, this, &ShopScreen::cmdCancel_Click);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  layout->addLayout(buttons);
  // Enter buys, as OK does; Escape is Cancel.
  UseScreenKeys(this, {cmdOK});

  Fill(true);
}

QWidget* ShopScreen::MakeRows() {
  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("fraRates"));
  auto* grid = new QGridLayout(frame);
  grid->setContentsMargins(12, 10, 12, 10);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(6);

  // The rates on the left, the units to buy on the right, one line per row.
  constexpr int kGap = 4;
  constexpr int kChosen = 5;
  const ShopTexts& texts = session_.Texts();
  grid->addWidget(ColumnHead(QString::fromLatin1(kParticulars), frame), 0, 0);
  grid->addWidget(ColumnHead(ToQt(texts.unitsColumn), frame), 0, 1);
  grid->addWidget(ColumnHead(QString::fromLatin1(kRateColumn), frame), 0, 2);
  grid->addWidget(ColumnHead(QString::fromLatin1(kAmountColumn), frame), 0, 3);
  grid->setColumnMinimumWidth(kGap, 14);
  grid->addWidget(ColumnHead(ToQt(texts.spinnerBlock), frame), 0, kChosen, 1, 2);

  int line = 1;
  for (const int row : ShownOrder(session_)) {
    const QString name = ToQt(session_.Row(row).name);
    RowControls controls;
    controls.row = row;
    grid->addWidget(Caption(name + QLatin1Char(':'), frame), line, 0);
    controls.units = Figure(QStringLiteral("lbl%1Units").arg(name), frame);
    controls.rate = Figure(QStringLiteral("lbl%1Rate").arg(name), frame);
    controls.amount = Figure(QStringLiteral("lbl%1Amount").arg(name), frame);
    // Each figure is read with its row and its column: "Kicking, Rate ($): 30".
    const auto rowAndColumn = [&name](const QString& column) {
      return name + QStringLiteral(", ") + column;
    };
    ReadWithCaption(controls.units, rowAndColumn(ToQt(texts.unitsColumn)));
    ReadWithCaption(controls.rate, rowAndColumn(QString::fromLatin1(kRateColumn)));
    ReadWithCaption(controls.amount, rowAndColumn(QString::fromLatin1(kAmountColumn)));
    SetNarrowest(controls.amount, controls.amount->fontMetrics().averageCharWidth() * 10);
    grid->addWidget(controls.units, line, 1);
    grid->addWidget(controls.rate, line, 2);
    grid->addWidget(controls.amount, line, 3);

    auto* chosenRow = new QHBoxLayout;
    chosenRow->setSpacing(4);
    chosenRow->addStretch(1);
    controls.chosen = Figure(QStringLiteral("lbl%1").arg(name), frame);
    ReadWithCaption(controls.chosen, rowAndColumn(ToQt(texts.spinnerBlock)));
    controls.spinner = new UnitSpinner(frame);
    controls.spinner->setObjectName(QStringLiteral("ud%1").arg(name));
    // The arrows show no number: a reader hears the row's name, and the
    // units chosen as their value.
    controls.spinner->setAccessibleName(rowAndColumn(ToQt(texts.spinnerBlock)));
    chosenRow->addWidget(controls.chosen);
    chosenRow->addWidget(controls.spinner);
    chosenRow->addStretch(1);
    grid->addLayout(chosenRow, line, kChosen, 1, 2);

    rows_.push_back(controls);
    ++line;
  }
  for (const RowControls& controls : rows_) {
    connect(controls.spinner, &QSpinBox::valueChanged, this,
            [this, controls](int value) { SpinnerChanged(controls, value); });
  }
  return frame;
}

QWidget* ShopScreen::MakeBalances() {
  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("fraBalances"));
  auto* grid = new QGridLayout(frame);
  grid->setContentsMargins(12, 8, 12, 8);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(6);
  lblBalanceBefore_ = Figure(QStringLiteral("lblBalanceBefore"), frame);
  lblBalanceAfter_ = Figure(QStringLiteral("lblBalanceAfter"), frame);
  grid->addWidget(CaptionOf(lblBalanceBefore_, QString::fromLatin1(kBalanceBefore), frame), 0, 0);
  grid->addWidget(CaptionOf(lblBalanceAfter_, QString::fromLatin1(kBalanceAfter), frame), 1, 0);
  lblBalanceBefore_->setToolTip(ToQt(kBalanceBeforeTip));
  for (QLabel* balance : {lblBalanceBefore_, lblBalanceAfter_}) {
    SetNarrowest(balance, balance->fontMetrics().averageCharWidth() * 14);
  }
  grid->addWidget(lblBalanceBefore_, 0, 1);
  grid->addWidget(lblBalanceAfter_, 1, 1);
  grid->setColumnStretch(2, 1);
  return frame;
}

void ShopScreen::Open() {
  session_ = ShopSession::Open(shop_, game_.career());
  Fill(true);
}

void ShopScreen::Fill(bool spinners, const UnitSpinner* turned) {
  for (const RowControls& controls : rows_) {
    const ShopRow& row = session_.Row(controls.row);
    controls.units->setText(QString::number(row.Units));
    controls.rate->setText(QString::number(row.Rate));
    controls.amount->setText(Dollars(row.Amount));
    controls.chosen->setText(QString::number(row.Chosen));
    Explain(controls, row);
    // A reader hears a row's units change once, from its arrows or else from
    // here (Max), and no other row's.
    const QVariant before = controls.spinner->property(kChosenUnits);
    controls.spinner->setProperty(kChosenUnits, row.Chosen);
    if (before.isValid() && before.toInt() != row.Chosen && controls.spinner != turned) {
      QAccessibleValueChangeEvent changed(controls.spinner, row.Chosen);
      QAccessible::updateAccessibility(&changed);
    }
    if (!spinners) continue;
    // One step past either end is allowed, so that the spinner can wrap.
    const QSignalBlocker quiet(controls.spinner);
    controls.spinner->setRange(-1, row.Units + 1);
    controls.spinner->setValue(row.Spinner);
  }
  lblBalanceBefore_->setText(Dollars(session_.BalanceBefore()));
  lblBalanceAfter_->setToolTip(ToQt(BalanceAfterTip(session_.BalanceAfter() < Money())));
  lblBalanceAfter_->setText(Dollars(session_.BalanceAfter()));
  Restyle(lblBalanceAfter_, "balance", QString::fromLatin1(BalanceLook(session_.Colour())));
}

void ShopScreen::Explain(const RowControls& controls, const ShopRow& row) const {
  const ShopRowTips tips = ShopTips(row);
  controls.units->setToolTip(ToQt(tips.units));
  controls.rate->setToolTip(ToQt(tips.rate));
  controls.amount->setToolTip(ToQt(tips.amount));
  controls.chosen->setToolTip(ToQt(tips.chosen));
  controls.spinner->setToolTip(ToQt(tips.chosen));
}

void ShopScreen::SpinnerChanged(const RowControls& controls, int value) {
  const int shown = session_.ChangeSpinner(controls.row, value);
  if (shown != value) {
    const QSignalBlocker quiet(controls.spinner);
    controls.spinner->setValue(shown);
  }
  Fill(false, controls.spinner);
}

void ShopScreen::cmdMax_Click() {
  session_.Max();
  Fill(false);
}

void ShopScreen::cmdOK_Click() {
  if (!session_.OK(game_.career(), game_.run(), game_.prompter())) return;
  PutAway();
}

void ShopScreen::cmdCancel_Click() {
  session_.Cancel();
  PutAway();
}

void ShopScreen::PutAway() {
  // The opener takes input again before this window goes, so that the focus
  // never comes back to a window that is still held.
  Q_EMIT closed();
  hide();
}

}  // namespace km::screens
