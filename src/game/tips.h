// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The tool tips of the hub and the shops: what each figure is, what moves it
// and what the next mark below it does, and why Play is closed or held. The
// desktop's screens and the browser's show these same words.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/run_state.h"

namespace km {

struct Career;
struct ShopRow;
class Game;

// The tip of one of the hub's fixed figures by its control's name
// ("lblName", "lblKicking", "lblBankBalance", "lblMatchRating",
// "cmdLadderStats"); empty for a name that has none. The bars and Play have
// tips of their own that change with the career.
std::string HubTip(std::string_view control);

// The controls HubTip knows, in the hub's order.
std::span<const std::string_view> HubTipControls();

// A gear or condition bar's tip at `value`: what the bar is, what moves it,
// and what the next mark below the value does (or that he is past them).
// For an overall bar, `barsNow` is the average its bars make now, which the
// tip names when the overall has not caught up with it.
std::string BarTip(HubBar bar, int value, std::optional<int> barsNow = std::nullopt);

// The tip of the hub's bar as the career stands.
std::string HubBarTip(const Career& career, HubBar bar);

// Why Play is closed or what holds the week (the draft camp, a sponsor
// window, a signature, retirement, an injury or suspension, worn gear), or
// what it does when nothing does.
std::string PlayReason(const Game& game);

// What Play does when nothing holds it or warns of the week.
inline constexpr std::string_view kPlaysTheRound = "Plays this week's round.";

// The tips of a shop row's units, rate, amount and units chosen (the last
// also the arrows').
struct ShopRowTips {
  std::string units;
  std::string rate;
  std::string amount;
  std::string chosen;
};
ShopRowTips ShopTips(const ShopRow& row);

// The tips of the shops' balances: before, and after with the purchase
// chosen, which says when the bank is short.
inline constexpr std::string_view kBalanceBeforeTip = "Your bank balance now, as on the hub.";
std::string BalanceAfterTip(bool isShort);

}  // namespace km
