// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "core/career.h"
#include "core/money.h"
#include "core/ports.h"
#include "core/run_state.h"

namespace km {

// The three shops of the hub. They work the same way: one row per thing for
// sale, a rate per unit set by the competition, a spinner per row choosing
// the units to buy, and a running "balance after purchase".
//   Training (frmTraining): the five skills, capped at 200, nothing chosen
//     on opening, with a Max button.
//   Health (frmHealth): fitness, health and stamina, capped at 100, a full
//     restore chosen on opening.
//   Store (frmStore): boots, jumper, shorts and other gear, capped at 100, a
//     full repair chosen on opening.
enum class Shop { Training, Health, Store };

// The colour of lblBalanceAfter. Unchanged is the label's own look, the one
// it has when the screen opens; Short marks a purchase that is more than the
// bank holds, InCredit one that leaves money over.
// A balance after of exactly 0 leaves whichever colour the label already had.
enum class BalanceColour { Unchanged, Short, InCredit };

// The captions that tell the three screens apart.
struct ShopTexts {
  std::string_view windowTitle;   // "Kickmark - Training Centre"
  std::string_view heading;       // "TRAINING CENTRE RATES"
  std::string_view unitsColumn;   // "Available Units" or "Required Units"
  std::string_view spinnerBlock;  // "UNITS YOU INTEND TO DEVELOP"
  std::string_view refusal;       // the OK message when the bank is short
};

// One row of a shop screen. For the Kicking row of the training centre:
// Units is lblKickingUnits, Rate lblKickingRate, Amount lblKickingAmount,
// Chosen lblKicking and Spinner the value of udKicking.
struct ShopRow {
  std::string_view name;  // "Kicking"; the row's caption is the name and ":"
  int Units = 0;          // what the row can still take: cap minus the current value
  int Rate = 0;           // dollars per unit
  Money Amount;           // Units × Rate: the price of taking the row to its cap
  int Chosen = 0;         // units to buy, 0..Units
  int Spinner = 0;        // the spinner's value; Max moves Chosen but not this
  bool operator==(const ShopRow&) const = default;
};

// One opening of a shop screen, from the hub's button to OK or Cancel. It is
// built afresh at each opening and holds everything the screen shows; only
// OK touches the career.
class ShopSession {
 public:
  // The hub's Training, Health or Store button: prices the rows by the
  // career's competition (a competition outside the price tables keeps the
  // Local Reserves prices the screens are designed with), works out what
  // each row can still take, and sets up the balances. Health and Store
  // choose a full restore on opening.
  static ShopSession Open(Shop shop, const Career& career);

  [[nodiscard]] Shop shop() const { return shop_; }
  [[nodiscard]] const ShopTexts& Texts() const;
  // Only the training centre has a Max button.
  [[nodiscard]] bool HasMax() const { return shop_ == Shop::Training; }

  [[nodiscard]] std::span<const ShopRow> Rows() const { return rows_; }
  [[nodiscard]] const ShopRow& Row(int row) const;
  // The index of the row with this name ("Stamina"), or -1.
  [[nodiscard]] int RowIndex(std::string_view name) const;

  [[nodiscard]] Money BalanceBefore() const { return balanceBefore_; }
  [[nodiscard]] Money BalanceAfter() const { return balanceAfter_; }
  [[nodiscard]] BalanceColour Colour() const { return colour_; }

  // A row's spinner moved to `value` (udKicking_Change and its siblings).
  // The spinner wraps: one step above the row's units comes back to 0 and
  // one step below 0 goes round to the units. Returns the value the spinner
  // must show, which is also the row's chosen units.
  int ChangeSpinner(int row, int value);

  // cmdMax_Click: every row chooses all its units. The spinners stay where
  // they are.
  void Max();

  // cmdOK_Click. When the balance after would be negative, tells the player
  // the shop's refusal, changes nothing and returns false (the screen stays
  // open). Otherwise adds the chosen units to the career, sets the bank to
  // the balance after, recomputes the overall figure the rows feed (the
  // overall rating, the overall health bar or the overall gear bar) and
  // returns true: the screen closes and the session is over. Either way the
  // store's and the health centre's bars at 50 or more take the restored
  // colour on the hub.
  bool OK(Career& career, RunState& run, Prompter& prompter);

  // cmdCancel_Click: nothing is bought; the screen closes.
  void Cancel() {}

 private:
  explicit ShopSession(Shop shop) : shop_(shop) {}
  void Recount(bool recolour = true);

  Shop shop_;
  std::vector<ShopRow> rows_;
  Money balanceBefore_;
  Money balanceAfter_;
  BalanceColour colour_ = BalanceColour::Unchanged;
};

// The hub's three buttons, by name.
inline ShopSession OpenTraining(const Career& career) {
  return ShopSession::Open(Shop::Training, career);
}
inline ShopSession OpenHealth(const Career& career) {
  return ShopSession::Open(Shop::Health, career);
}
inline ShopSession OpenStore(const Career& career) {
  return ShopSession::Open(Shop::Store, career);
}

}  // namespace km
