// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "screens/screen_parts.h"

#include <QSpinBox>
#include <QWidget>
#include <optional>
#include <vector>

#include "game/game.h"
#include "week/shops.h"

class QLabel;
class QPushButton;

namespace km::screens {

// The small up-down arrows beside a row's chosen units. The arrows are all
// there is to it: the units chosen stand in the row's label, and after Max
// the arrows stay where they were while the label shows every unit.
class UnitSpinner : public QSpinBox {
  Q_OBJECT

 public:
  explicit UnitSpinner(QWidget* parent = nullptr);

  [[nodiscard]] QSize sizeHint() const override;
  [[nodiscard]] QSize minimumSizeHint() const override;

 protected:
  [[nodiscard]] QString textFromValue(int value) const override;
  [[nodiscard]] int valueFromText(const QString& text) const override;
  QValidator::State validate(QString& text, int& pos) const override;
};

// frmTraining, frmHealth and frmStore: the hub's three shops. One row per
// thing for sale with its units, rate and amount, a spinner per row for the
// units to buy, and the balance before and after the purchase. Every
// opening starts a fresh session from the career record; only OK changes
// the record.
class ShopScreen : public CancellableScreen {
  Q_OBJECT

 public:
  // The screen of one shop. The game must hold a career.
  ShopScreen(Game& game, Shop shop, QWidget* parent = nullptr);

  // The hub's button: prices the rows from the record as it is now, ready to
  // be shown (OpenFrom). Whoever opens it takes input again on `closed`.
  void Open();

  [[nodiscard]] Shop shop() const { return shop_; }

  // The screen's object name for a shop ("frmTraining").
  static const char* ScreenName(Shop shop);

 Q_SIGNALS:
  // OK bought the units, or Cancel (or the close box) bought nothing.
  void closed();

 public Q_SLOTS:
  void cmdOK_Click();
  void cmdCancel_Click();
  void cmdMax_Click();

 protected:
  void Cancel() override { cmdCancel_Click(); }

 private:
  // One shown row: its index among the session's rows and its controls.
  struct RowControls {
    int row = 0;
    QLabel* units = nullptr;
    QLabel* rate = nullptr;
    QLabel* amount = nullptr;
    QLabel* chosen = nullptr;
    UnitSpinner* spinner = nullptr;
  };

  QWidget* MakeRows();
  QWidget* MakeBalances();
  // A row's spinner moved (udKicking_Change and its siblings).
  void SpinnerChanged(const RowControls& controls, int value);
  // Copies the session into every label, and the spinners when `spinners`;
  // `turned` is the spinner that changed, which tells a reader itself.
  void Fill(bool spinners, const UnitSpinner* turned = nullptr);
  // A row's tool tips: what each figure is and, for health and gear, where
  // the bar stands.
  void Explain(const RowControls& controls, const ShopRow& row) const;
  void PutAway();

  Game& game_;
  Shop shop_;
  ShopSession session_;
  std::vector<RowControls> rows_;
  QLabel* lblBalanceBefore_ = nullptr;
  QLabel* lblBalanceAfter_ = nullptr;
};

}  // namespace km::screens
