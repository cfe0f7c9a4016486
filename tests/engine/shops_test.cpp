// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/scripted_ports.h"
#include "week/shops.h"

namespace km {
namespace {

using testing::ScriptedPrompter;
using Colour = BalanceColour;
using Shop::Health, Shop::Store, Shop::Training;

// The career fields behind each shop's rows, in row order.
std::vector<int Career::*> FieldsOf(Shop shop) {
  return shop == Training ? std::vector{&Career::Kicking, &Career::Handballing, &Career::Tackling,
                                        &Career::Marking, &Career::Running}
         : shop == Health
             ? std::vector{&Career::Fitness, &Career::Health, &Career::Stamina}
             : std::vector{&Career::Boots, &Career::Jumper, &Career::Shorts, &Career::Other};
}

// A career in `league` whose rows for `shop` stand at `values`.
Career CareerWith(Shop shop, const std::string& league, Money bank, std::vector<int> values) {
  Career c;
  c.League = league;
  c.BankBalance = bank;
  const auto fields = FieldsOf(shop);
  for (std::size_t i = 0; i < values.size(); ++i) c.*fields[i] = values[i];
  return c;
}

std::vector<int> RatesOf(Shop shop, const std::string& league) {
  std::vector<int> rates;
  const ShopSession session = ShopSession::Open(shop, CareerWith(shop, league, {}, {}));
  for (const ShopRow& r : session.Rows()) rates.push_back(r.Rate);
  return rates;
}

// Every row costs more in each higher competition; in training the two ball-use skills cost more
// than the other three, which cost alike. An unknown competition keeps Local Reserves prices.
TEST(TrainingHealthStore, RatesRiseWithTheCompetition) {
  const char* leagues[] = {"Local Reserves", "Local Firsts", "State", "AFL"};
  for (const Shop shop : {Training, Health, Store}) {
    std::vector<int> below(FieldsOf(shop).size(), 0);
    for (const char* league : leagues) {
      const std::vector<int> rates = RatesOf(shop, league);
      ASSERT_EQ(rates.size(), below.size());
      for (std::size_t row = 0; row < rates.size(); ++row)
        EXPECT_GT(rates[row], below[row]) << league;
      EXPECT_TRUE(shop != Training || (rates[0] == rates[1] && rates[1] > rates[2] &&
                                       rates[2] == rates[3] && rates[3] == rates[4]))
          << league;
      below = rates;
    }
    EXPECT_EQ(RatesOf(shop, "afl"), RatesOf(shop, "Local Reserves"));
  }
  EXPECT_EQ(RatesOf(Training, "Local Reserves"), (std::vector<int>{1500, 1500, 1000, 1000, 1000}));
  EXPECT_EQ(RatesOf(Training, "AFL"), (std::vector<int>{5000, 5000, 3500, 3500, 3500}));
}

TEST(TrainingHealthStore, OpeningPricesWhatEachRowCanStillTake) {
  using Case = std::tuple<Shop, std::string, int, std::vector<int>, std::vector<int>, int, Colour>;
  // Training chooses nothing on opening; health and store choose everything.
  // clang-format off
  for (const auto& [shop, league, bank, values, amounts, balanceAfter, colour] : std::vector<Case>{
      {Training, "AFL", 900, {150, 200, 203, 199, 1}, {250000, 0, 0, 3500, 696500}, 900,
       Colour::Unchanged},
      {Health, "State", 30000, {40, 100, 100}, {21000, 0, 0}, 9000, Colour::InCredit},
      {Health, "Local Reserves", 1500, {100, 100, 90}, {0, 0, 1500}, 0, Colour::Unchanged},
      {Health, "AFL", 700, {100, 100, 100}, {0, 0, 0}, 700, Colour::Unchanged},
      {Store, "Local Reserves", 30000, {50, 80, 100, 70}, {11250, 3000, 0, 10500}, 5250,
       Colour::InCredit},
      {Store, "AFL", 0, {99, 100, 100, 100}, {700, 0, 0, 0}, -700, Colour::Short}}) {
    // clang-format on
    const ShopSession s =
        ShopSession::Open(shop, CareerWith(shop, league, Money::Dollars(bank), values));
    for (std::size_t i = 0; i < values.size(); ++i) {
      const ShopRow& row = s.Rows()[i];
      const int units = row.Rate ? amounts[i] / row.Rate : 0;
      EXPECT_EQ(row.Units, units) << row.name;
      EXPECT_EQ(row.Amount, Money::Dollars(amounts[i])) << row.name;
      EXPECT_EQ(row.Chosen, shop == Training ? 0 : units) << row.name;
    }
    EXPECT_EQ(std::tuple(s.BalanceBefore(), s.BalanceAfter(), s.Colour()),
              std::tuple(Money::Dollars(bank), Money::Dollars(balanceAfter), colour));
  }
}

TEST(TrainingHealthStore, OkRefusesANegativeBalanceAndOtherwiseBuys) {
  // A spinner's row set to a value, and the balance after it in cents and its colour.
  using Step = std::tuple<std::string, int, int, Colour>;
  // The shop, the bank in cents, its rows' values, the steps, and what OK says (empty: it buys).
  using Case = std::tuple<Shop, int, std::vector<int>, std::vector<Step>, std::string>;
  const std::string cash = "You do not have enough cash for that amount of training!";
  const std::string service = "You do not have enough money to pay for that level of service!";
  const std::string gear = "You do not have enough money to purchase that much gear!";
  // clang-format off
  for (const auto& [shop, bankCents, values, steps, refusal] : std::vector<Case>{
      {Training, 500000, {}, {{"Marking", 3, 200000, Colour::InCredit},
                              {"Running", 2, 0, Colour::InCredit}}, ""},
      {Training, 100000, {}, {{"Kicking", 1, -50000, Colour::Short},
                              {"Running", 1, -150000, Colour::Short},
                              {"Kicking", 0, 0, Colour::Short}}, ""},  // zero keeps the red
      {Training, 249900, {}, {{"Running", 1, 149900, Colour::InCredit},
                              {"Kicking", 1, -100, Colour::Short}}, cash},
      {Health, 100000, {100, 100, 90}, {}, service},
      {Health, 100000, {100, 100, 90}, {{"Stamina", 6, 10000, Colour::InCredit}}, ""},
      {Store, 0, {99, 99, 100, 100}, {{"Boots", 0, -15000, Colour::Short}}, gear},
      {Store, 0, {99, 99, 100, 100}, {{"Boots", 0, -15000, Colour::Short},
                                      {"Jumper", 0, 0, Colour::Short}}, ""},
      {Store, 22450, {99, 100, 100, 100}, {}, gear},  // -0.50 is still short
      {Store, 22525, {99, 100, 100, 100}, {}, ""}}) {
    // clang-format on
    Career career = CareerWith(shop, "Local Reserves", Money::Cents(bankCents), values);
    const Career before = career;
    ShopSession s = ShopSession::Open(shop, career);
    for (const auto& [row, value, balanceAfterCents, colour] : steps) {
      s.ChangeSpinner(s.RowIndex(row), value);
      EXPECT_EQ(s.BalanceAfter(), Money::Cents(balanceAfterCents)) << row;
      EXPECT_EQ(s.Colour(), colour) << row;
    }
    ScriptedPrompter prompter;
    RunState run;
    EXPECT_EQ(s.OK(career, run, prompter), refusal.empty()) << bankCents;
    if (!refusal.empty()) {
      ASSERT_EQ(prompter.messageTexts(), std::vector<std::string>{refusal});
      EXPECT_EQ(prompter.messages[0].title, "Kickmark");
      EXPECT_EQ(career, before);
      continue;
    }
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(career.BankBalance, s.BalanceAfter());
    const auto fields = FieldsOf(shop);
    for (std::size_t i = 0; i < fields.size(); ++i)
      EXPECT_EQ(career.*fields[i], before.*fields[i] + s.Rows()[i].Chosen) << s.Rows()[i].name;
  }
}

// OK works out the shop's overall figure again (halves up), and the hub
// draws the shop's bars at 50 or more as restored.
TEST(TrainingHealthStore, OkRecountsTheOverallAndRedrawsTheBars) {
  constexpr auto L = BarColour::Low, R = BarColour::Restored;
  struct Case {
    const char* what;
    Shop shop;
    int bank;
    std::vector<int> values, bought;  // bought nothing: the full restore chosen on opening
    // Boots Jumper Shorts Other, gear overall, Fitness Health Stamina, health overall: all low.
    std::array<BarColour, kHubBarCount> colours;
    int overall;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"store, nothing bought", Store, 100000, {49, 50, 100, 30}, {0, 0, 0, 0},
       {L, R, R, L, R, L, L, L, L}, 57},  // 57.25
      {"store, boots to 50", Store, 100000, {49, 50, 100, 30}, {1, 0, 0, 0},
       {R, R, R, L, R, L, L, L, L}, 58},  // 57.5
      // Refused, the bars stay as they were, but those at 50 are redrawn.
      {"store refused", Store, 0, {49, 50, 100, 30}, {}, {L, R, R, L, L, L, L, L, L}, 40},
      {"health", Health, 100000, {49, 50, 100}, {0, 0, 0}, {L, L, L, L, L, L, R, R, R}, 66},
      {"training", Training, 100000, {50, 50, 50, 50, 51}, {2, 0, 0, 0, 0},
       {L, L, L, L, L, L, L, L, L}, 51},  // 50.66
  };
  // clang-format on
  for (const auto& c : cases) {
    Career career = CareerWith(c.shop, "Local Reserves", Money::Dollars(c.bank), {});
    // The other shop's bars, and the overall bars until a purchase works them out, below 50.
    for (int Career::*bar : {&Career::Boots, &Career::Jumper, &Career::Shorts, &Career::Other,
                             &Career::GearOverall, &Career::Fitness, &Career::Health,
                             &Career::Stamina, &Career::HealthOverall, &Career::Overall})
      career.*bar = 40;
    const auto fields = FieldsOf(c.shop);
    for (std::size_t i = 0; i < c.values.size(); ++i) career.*fields[i] = c.values[i];
    ShopSession s = ShopSession::Open(c.shop, career);
    for (std::size_t row = 0; row < c.bought.size(); ++row)
      s.ChangeSpinner(static_cast<int>(row), c.bought[row]);
    ScriptedPrompter prompter;
    RunState run;
    run.barColours.fill(L);
    s.OK(career, run, prompter);
    EXPECT_EQ(run.barColours, c.colours) << c.what;
    const auto overall = c.shop == Training ? &Career::Overall
                         : c.shop == Health ? &Career::HealthOverall
                                            : &Career::GearOverall;
    EXPECT_EQ(career.*overall, c.overall) << c.what;
  }
}

}  // namespace
}  // namespace km
