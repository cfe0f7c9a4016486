// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <iomanip>
#include <tuple>
#include <utility>

#include "core/money.h"
#include "core/number_format.h"

namespace km {
namespace {

struct FormatCase {
  double value;
  const char* pattern;
  const char* shown;
};

TEST(NumberFormat, PatternsRoundHalvesAwayFromZero) {
  const FormatCase cases[] = {
      // clang-format off
      {0, "##0", "0"},           {0.5, "##0", "1"},           {2.5, "0", "3"},
      {-2.5, "##0", "-3"},       {0.4998, "##0", "0"},        {99.98, "##0", "100"},
      {1234.5, "##0", "1235"},   {0, "##0.0", "0.0"},         {12.25, "##0.0", "12.3"},
      {7.0, "0.0", "7.0"},       {-0.04, "0.0", "0.0"},       {9.95, "##0.0", "10.0"},
      {0.5, "###.0", ".5"},      {1234.56, "###.0", "1234.6"}, {2.675, "##0.0#", "2.68"},
      {3, "##0.0#", "3.0"},      {3.1, "##0.0#", "3.1"},      {0.004, "##0.0#", "0.0"},
      {19.999, "##0.0#", "20.0"},
      // clang-format on
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatNumber(c.value, c.pattern), c.shown) << c.value << " with " << c.pattern;
}

// One place, as the fifteen-digit decimal rounds half away from zero: halves the double holds a
// hair under or over, sums that drift off a half, and values a hair either side of one.
TEST(NumberFormat, OnePlaceRoundsTheFifteenDigitDecimal) {
  const std::pair<double, const char*> cases[] = {
      // clang-format off
      {0.05, "0.1"}, {0.15, "0.2"}, {0.25, "0.3"}, {0.35, "0.4"}, {12.45, "12.5"}, {4.35, "4.4"},
      {99.95, "100.0"}, {-0.05, "-0.1"}, {-4.45, "-4.5"}, {1e-9, "0.0"}, {123456.75, "123456.8"},
      {0.15 + 0.3, "0.5"}, {0.45 + 0.2, "0.7"}, {1.05 * 3, "3.2"}, {0.1 + 0.2, "0.3"},
      {8.3 * 0.85, "7.1"}, {2.675, "2.7"}, {4096.25, "4096.3"}, {0.04999999999999999, "0.1"},
      {0.04999995, "0.0"}, {-0.04999995, "0.0"}, {177 * 0.05 + 0.2, "9.1"},
      {703 * 0.05 + 3 * 0.1, "35.5"},
      // clang-format on
  };
  for (const auto& [value, shown] : cases)
    EXPECT_EQ(FormatNumber(value, "0.0"), shown) << std::setprecision(17) << value;
}

TEST(NumberFormat, GeneralShowsRunningTotalsWithoutNoise) {
  const std::pair<double, const char*> cases[] = {
      {0, "0"}, {7.2 + 6.8, "14"}, {0.1 + 0.2, "0.3"}, {45.3, "45.3"}, {-2.5, "-2.5"}};
  for (const auto& [value, shown] : cases) EXPECT_EQ(FormatGeneral(value), shown) << value;
  // Written out in full however large, so that a save reads back the same.
  for (const double huge : {1.3e62, 1.3222222222222222e107, -1.7e308})
    EXPECT_EQ(*ParseDecimal(FormatGeneral(huge)), huge) << huge;
}

TEST(NumberFormat, ParsingAcceptsOnlyNumbers) {
  EXPECT_EQ(std::tuple(ParseWhole("42"), ParseWhole("-3")), std::tuple(42, -3));
  for (const char* bad : {"", "4 2", "x", "1.5", "#TRUE#", "-"})
    EXPECT_FALSE(ParseWhole(bad).has_value()) << bad;
  EXPECT_EQ(std::tuple(*ParseDecimal("12.5"), *ParseDecimal(".5"), *ParseDecimal("-3")),
            std::tuple(12.5, 0.5, -3.0));
  for (const char* bad : {"", ".", "1e5", "nan", "inf", "1.2.3", "abc"})
    EXPECT_FALSE(ParseDecimal(bad).has_value()) << bad;
}

TEST(Money, ReadsShowsAndAddsExactAmounts) {
  const std::tuple<const char*, std::int64_t, const char*> cases[] = {
      // clang-format off
      {"15000", 1500000, "15000"}, {"247.5", 24750, "247.5"}, {"78.75", 7875, "78.75"},
      {"0", 0, "0"}, {"-0.5", -50, "-0.5"}, {"28.50", 2850, "28.5"},
      {"1000000000", 100000000000, "1000000000"},
      // clang-format on
  };
  for (const auto& [text, cents, shown] : cases) {
    const auto money = Money::Parse(text);
    ASSERT_TRUE(money.has_value()) << text;
    EXPECT_EQ(std::tuple(money->cents(), money->ToString()), std::tuple(cents, shown)) << text;
  }
  for (const char* bad : {"", "$5", "1.234", "12a", ".", "1,000"})
    EXPECT_FALSE(Money::Parse(bad).has_value()) << bad;
  // Sums of cents do not drift.
  Money total;
  for (int week = 0; week < 1000; ++week) total += *Money::Parse("78.75");
  EXPECT_EQ(total.ToString(), "78750");
  EXPECT_EQ(
      std::tuple(Money::Dollars(6000).Times(1.1).ToString(),
                 Money::Dollars(225).Times(1.1).ToString(),
                 Money::Dollars(75).Times(1.05).ToString(), Money::Cents(1).Times(0.5).cents()),
      std::tuple("6600", "247.5", "78.75", 1));
}

}  // namespace
}  // namespace km
