// SPDX-License-Identifier: GPL-3.0-or-later
#include "week/shops.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>

#include "core/game_data.h"

namespace km {
namespace {

// A row of a shop: the career field it sells points of.
struct RowRule {
  std::string_view name;
  int Career::*field;
};

// Everything one shop does differently from the others.
struct ShopRules {
  ShopTexts texts;
  int cap;             // the most a row's field can reach
  bool fullOnOpening;  // a full restore is chosen when the screen opens
  std::span<const RowRule> rows;
  // Dollars per unit, one line per competition in Competition order, the
  // rows in the order above.
  std::span<const int> rates;
  void (*recompute)(Career&);  // the overall figure the rows feed
};

constexpr std::array<RowRule, 5> kTrainingRows = {{
    {"Kicking", &Career::Kicking},
    {"Handballing", &Career::Handballing},
    {"Tackling", &Career::Tackling},
    {"Marking", &Career::Marking},
    {"Running", &Career::Running},
}};
// The two ball-use skills cost more, as they weigh more in the overall rating.
//                                      Kick  Hand  Tackle Mark  Run
constexpr std::array<int, 5 * kCompetitionCount> kTrainingRates = {
    1500, 1500, 1000, 1000, 1000,  // Local Reserves
    1750, 1750, 1250, 1250, 1250,  // Local Firsts
    2550, 2550, 1750, 1750, 1750,  // State
    5000, 5000, 3500, 3500, 3500,  // AFL
};

constexpr std::array<RowRule, 3> kHealthRows = {{
    {"Fitness", &Career::Fitness},
    {"Health", &Career::Health},
    {"Stamina", &Career::Stamina},
}};
//                                    Fitness Health Stamina
constexpr std::array<int, 3 * kCompetitionCount> kHealthRates = {
    200, 350,  150,  // Local Reserves
    250, 400,  200,  // Local Firsts
    350, 500,  300,  // State
    700, 1000, 600,  // AFL
};

constexpr std::array<RowRule, 4> kStoreRows = {{
    {"Boots", &Career::Boots},
    {"Jumper", &Career::Jumper},
    {"Shorts", &Career::Shorts},
    {"Other", &Career::Other},
}};
//                                   Boots Jumper Shorts Other
constexpr std::array<int, 4 * kCompetitionCount> kStoreRates = {
    225, 150, 100, 350,  // Local Reserves
    250, 175, 125, 375,  // Local Firsts
    350, 275, 225, 475,  // State
    700, 550, 450, 950,  // AFL
};

void RecomputeOverall(Career& c) {
  c.Overall = OverallOf(c.Kicking, c.Handballing, c.Tackling, c.Marking, c.Running);
}
void RecomputeHealthOverall(Career& c) {
  c.HealthOverall = BarMean(c.Fitness, c.Health, c.Stamina);
}
void RecomputeGearOverall(Career& c) {
  c.GearOverall = BarMean(c.Boots, c.Jumper, c.Shorts, c.Other);
}

const ShopRules kTraining = {
    {"Kickmark - Training Centre", "TRAINING CENTRE RATES", "Available Units",
     "UNITS YOU INTEND TO DEVELOP", "You do not have enough cash for that amount of training!"},
    kSkillCap,
    false,
    kTrainingRows,
    kTrainingRates,
    RecomputeOverall,
};

const ShopRules kHealth = {
    {"Kickmark - Health Care", "HEALTH CARE CENTRE", "Required Units", "UNITS YOU INTEND TO BUY",
     "You do not have enough money to pay for that level of service!"},
    kFullBar,
    true,
    kHealthRows,
    kHealthRates,
    RecomputeHealthOverall,
};

const ShopRules kStore = {
    {"Kickmark - Football Store", "FOOTBALL GEAR STORE", "Required Units",
     "UNITS YOU INTEND TO BUY", "You do not have enough money to purchase that much gear!"},
    kFullBar,
    true,
    kStoreRows,
    kStoreRates,
    RecomputeGearOverall,
};

const ShopRules& RulesOf(Shop shop) {
  switch (shop) {
    case Shop::Training:
      return kTraining;
    case Shop::Health:
      return kHealth;
    case Shop::Store:
      return kStore;
  }
  throw std::invalid_argument("unknown shop");
}

// The line of the price table for a competition; the screens are designed
// with the Local Reserves prices, and a competition they do not know keeps
// them.
std::size_t PriceLine(std::string_view league) {
  const auto it = std::find(kCompetitionNames.begin(), kCompetitionNames.end(), league);
  return it == kCompetitionNames.end() ? 0
                                       : static_cast<std::size_t>(it - kCompetitionNames.begin());
}

Money PriceOf(int units, int rate) {
  return Money::Dollars(static_cast<std::int64_t>(units) * rate);
}

}  // namespace

ShopSession ShopSession::Open(Shop shop, const Career& career) {
  const ShopRules& rules = RulesOf(shop);
  const std::size_t line = PriceLine(career.League) * rules.rows.size();
  ShopSession session(shop);
  session.balanceBefore_ = career.BankBalance;
  for (std::size_t i = 0; i < rules.rows.size(); ++i) {
    ShopRow row;
    row.name = rules.rows[i].name;
    // A value already past the cap has nothing left to take, not a refund.
    row.Units = std::max(0, rules.cap - career.*rules.rows[i].field);
    row.Rate = rules.rates[line + i];
    row.Amount = PriceOf(row.Units, row.Rate);
    if (rules.fullOnOpening) row.Chosen = row.Spinner = row.Units;
    session.rows_.push_back(row);
  }
  // Choosing the full restore moves the spinners, and each move colours the
  // balance after. Opening the training centre, or a shop with nothing to
  // sell, moves none and leaves the label its own colour.
  const bool moved = std::any_of(session.rows_.begin(), session.rows_.end(),
                                 [](const ShopRow& r) { return r.Spinner != 0; });
  session.Recount(moved);
  return session;
}

const ShopTexts& ShopSession::Texts() const { return RulesOf(shop_).texts; }

const ShopRow& ShopSession::Row(int row) const { return rows_.at(static_cast<std::size_t>(row)); }

int ShopSession::RowIndex(std::string_view name) const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

int ShopSession::ChangeSpinner(int row, int value) {
  ShopRow& r = rows_.at(static_cast<std::size_t>(row));
  if (value > r.Units) {
    value = 0;
  } else if (value < 0) {
    value = r.Units;
  }
  r.Chosen = r.Spinner = value;
  Recount();
  return value;
}

void ShopSession::Max() {
  for (ShopRow& r : rows_) r.Chosen = r.Units;
  Recount();
}

bool ShopSession::OK(Career& career, RunState& run, Prompter& prompter) {
  const ShopRules& rules = RulesOf(shop_);
  // Any shortfall is refused, even one of a few cents left by a sponsor deal.
  const bool paid = balanceAfter_ >= Money();
  if (!paid) {
    prompter.inform(std::string(rules.texts.refusal));
  } else {
    for (std::size_t i = 0; i < rows_.size(); ++i) career.*rules.rows[i].field += rows_[i].Chosen;
    career.BankBalance = balanceAfter_;
    rules.recompute(career);
  }
  // Paid or refused, the hub draws the shop's bars at 50 or more as
  // restored.
  if (shop_ == Shop::Store) MarkRestoredBars(career, run, HubBar::Boots, HubBar::GearOverall);
  if (shop_ == Shop::Health) {
    MarkRestoredBars(career, run, HubBar::Fitness, HubBar::HealthOverall);
  }
  return paid;
}

// The balance after purchase from the chosen units, and its colour when
// `recolour`: light red below 0, the blue above 0, as it was at exactly 0.
void ShopSession::Recount(bool recolour) {
  Money price;
  for (const ShopRow& r : rows_) price += PriceOf(r.Chosen, r.Rate);
  balanceAfter_ = balanceBefore_ - price;
  if (!recolour) return;
  if (balanceAfter_ < Money()) {
    colour_ = BalanceColour::Short;
  } else if (balanceAfter_ > Money()) {
    colour_ = BalanceColour::InCredit;
  }
}

}  // namespace km
