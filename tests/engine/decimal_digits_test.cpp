// SPDX-License-Identifier: GPL-3.0-or-later
// The game's own decimal conversions against the C++ and C libraries' on this
// compiler: the same text and the same doubles, so that saves written before
// the game did its own conversions read and write byte for byte as they did.
// The libraries' floating std::to_chars and std::from_chars are what the
// browser's compiler lacks, so this test is built natively only.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/decimal_digits.h"
#include "core/number_format.h"

namespace km {
namespace {

// What FormatGeneral gave when it was std::to_chars and printf ("C" locale).
std::string LibraryGeneral(double value) {
  if (!std::isfinite(value)) return "0";
  char buffer[64];
  std::string text(
      buffer,
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr);
  if (text.find('e') == std::string::npos) return text == "-0" ? "0" : text;
  char full[400];
  std::snprintf(full, sizeof full, "%.15f", value);
  text = full;
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text == "-0" ? "0" : text;
}

// std::to_chars's fifteen significant digits of |value|, as d.dddde±X.
DecimalDigits LibraryFifteenDigits(double value) {
  char buffer[40];
  char* end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                            std::chars_format::scientific, 14)
                  .ptr;
  *end = '\0';
  DecimalDigits out{std::string(1, buffer[0]) + std::string(buffer + 2, 14), 0};
  out.point = std::atoi(std::strchr(buffer, 'e') + 1) + 1;
  return out;
}

// printf's "%.*f" of |value| ("C" locale), without trailing zeros.
std::string LibraryPlaces(double value, int places) {
  static char buffer[1500];
  std::snprintf(buffer, sizeof buffer, "%.*f", places, std::fabs(value));
  std::string text = buffer;
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

// What ParseDecimal gave when it was std::from_chars.
std::optional<double> LibraryParse(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  bool digit = false;
  bool point = false;
  for (std::size_t j = i; j < text.size(); ++j) {
    const char ch = text[j];
    if (ch >= '0' && ch <= '9') {
      digit = true;
    } else if (ch == '.' && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digit) return std::nullopt;
  const std::string_view body = text[0] == '+' ? text.substr(1) : text;
  double value = 0;
  const auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), value);
  if (error != std::errc() || end != body.data() + body.size()) return std::nullopt;
  return value;
}

// Numbers the game meets (halves, twentieths, cents, ratings and their sums,
// money), the edges of the double and of the fifteen-digit text, and doubles
// of every size drawn at random from their bits.
std::vector<double> Sample() {
  constexpr double kMax = std::numeric_limits<double>::max();
  constexpr double kTiny = std::numeric_limits<double>::denorm_min();
  constexpr double kMinNormal = std::numeric_limits<double>::min();
  std::vector<double> values = {
      0.0, -0.0, kTiny, 2 * kTiny, 3 * kTiny, kMinNormal - kTiny, kMinNormal, kMax, -kMax,
      std::nextafter(kMax, 0.0), 1e15, std::nextafter(1e15, 0.0), std::nextafter(1e15, 2e15),
      999999999999999.4, 999999999999999.5, 999999999999999.9, 1e-4, 1e-5, 0.000099999999999999995,
      std::nextafter(1e-4, 0.0), 0.1, 0.2, 0.3, 0.1 + 0.2, 2.675, 1.005, 45.3, 1e22, 1e23, 1e300,
      1.3e62, 1.3222222222222222e107, 123456789012345678.0, 0.5e-300,
      // Fifteen-digit ties, which go to the even digit.
      1000000000000005.0, 1000000000000015.0, 100000000000000.5, 100000000000001.5,
      10000000000000.25, 10000000000000.75, 0.5, 2.5, 0.125, 1e-5 / 4};
  for (int k = -2000; k <= 2000; ++k) {
    values.push_back(k / 2.0);
    values.push_back(k * 0.05);
    values.push_back(k / 100.0);
    values.push_back(k / 10.0);
    values.push_back(k * 1.1);
    values.push_back(k * 1.05);
  }
  double ratings = 0;
  double twentieths = 0;
  for (int week = 0; week < 2000; ++week) {
    ratings += (week * 37 % 101) / 10.0;
    twentieths += 0.05;
    values.push_back(ratings);
    values.push_back(twentieths);
    values.push_back(ratings / (week + 1));
  }
  std::mt19937_64 random(20260315);
  std::uniform_real_distribution<double> small(-1000.0, 1000.0);
  std::uniform_int_distribution<std::int64_t> cents(-100'000'000'000, 100'000'000'000);
  for (int i = 0; i < 4000; ++i) {
    const auto bits = std::bit_cast<double>(random());
    if (std::isfinite(bits)) values.push_back(bits);
    values.push_back(small(random));
    values.push_back(static_cast<double>(cents(random)) / 100.0);
    values.push_back(std::ldexp(small(random), static_cast<int>(random() % 120) - 60));
  }
  return values;
}

TEST(DecimalDigits, WriteAsTheLibrariesDid) {
  int failures = 0;
  for (const double value : Sample()) {
    const DecimalDigits exact = ExactDigits(value);
    const std::string general = FormatGeneral(value);
    const std::string expected = LibraryGeneral(value);
    EXPECT_EQ(general, expected) << std::bit_cast<std::uint64_t>(value);
    if (value != 0) {
      EXPECT_EQ(RoundToSignificant(exact, 15), LibraryFifteenDigits(value)) << expected;
    }
    for (const int places : {0, 1, 2, 15, 1100}) {
      EXPECT_EQ(PlainText(RoundToPlaces(exact, places)), LibraryPlaces(value, places))
          << expected << " to " << places << " places";
    }
    if (HasFailure() && ++failures > 20) return;
  }
}

// Text as a save holds it, as a text editor might leave it, and decimals of
// every length: beside the halfway points between neighbouring doubles (a
// hair under, on and a hair over), past the largest double and below half
// the smallest.
std::vector<std::string> TextSample() {
  std::vector<std::string> texts = {"0",
                                    "-0",
                                    "+0",
                                    "00",
                                    ".0",
                                    "-.0",
                                    "0.",
                                    "5.",
                                    ".5",
                                    "+.5",
                                    "-5.",
                                    "12",
                                    "-3",
                                    "4.25",
                                    "007.50",
                                    "45.3",
                                    "247.5",
                                    "78.75",
                                    "0.1",
                                    "0.30000000000000004",
                                    "1.005",
                                    "2.675",
                                    "",
                                    ".",
                                    "-",
                                    "+",
                                    "+-1",
                                    "-+1",
                                    "1.2.3",
                                    "1e5",
                                    "1,5",
                                    " 1",
                                    "1 ",
                                    "0x10",
                                    "inf",
                                    "nan",
                                    "9007199254740993",
                                    "9007199254740992.5",
                                    "123456789012345",
                                    "1234567890123456",
                                    "0.000000000000000000001",
                                    "1" + std::string(22, '0'),
                                    "1" + std::string(23, '0'),
                                    "1" + std::string(308, '0'),
                                    "1" + std::string(309, '0'),
                                    "0." + std::string(322, '0') + "5",
                                    "0." + std::string(323, '0') + "2",
                                    "0." + std::string(323, '0') + "3",
                                    "0." + std::string(400, '0') + "1",
                                    "0." + std::string(400, '0'),
                                    std::string(400, '0') + "7"};
  std::mt19937_64 random(7);
  for (const double value : Sample()) texts.push_back(FormatGeneral(value));
  const auto plain = [](long double value) {
    static char buffer[1500];
    std::snprintf(buffer, sizeof buffer, "%.1100Lf", value);
    std::string text = buffer;
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
  };
  std::vector<double> doubles = {std::numeric_limits<double>::max(),
                                 std::numeric_limits<double>::denorm_min(), 0.0, 1.0, 0.1};
  for (int i = 0; i < 1500; ++i) {
    const double value = std::fabs(std::bit_cast<double>(random()));
    if (std::isfinite(value)) doubles.push_back(value);
    doubles.push_back(std::ldexp(static_cast<double>(random() >> 11), -52 - (i % 40)));
  }
  for (const double value : doubles) {
    // Between two doubles, exactly: a long double holds it.
    const long double above = std::nextafter(value, std::numeric_limits<double>::infinity());
    std::string halfway = plain((static_cast<long double>(value) + above) / 2);
    texts.push_back(halfway);
    texts.push_back(halfway + "000001");
    if (halfway.back() == '5') {
      halfway.back() = '4';
      texts.push_back(halfway + "999999");
    }
  }
  // Decimals of random lengths with the point anywhere.
  for (int i = 0; i < 3000; ++i) {
    std::string text = random() % 4 == 0 ? "-" : "";
    const auto length = 1 + random() % (i % 3 == 0 ? 60 : 20);
    const auto point = random() % (length + 1);
    for (std::uint64_t d = 0; d < length; ++d) {
      if (d == point) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    texts.push_back(text);
  }
  return texts;
}

TEST(DecimalDigits, ReadAsTheLibraryDid) {
  int failures = 0;
  for (const std::string& text : TextSample()) {
    const std::optional<double> read = ParseDecimal(text);
    const std::optional<double> expected = LibraryParse(text);
    ASSERT_EQ(read.has_value(), expected.has_value()) << '"' << text << '"';
    if (read) {
      EXPECT_EQ(std::bit_cast<std::uint64_t>(*read), std::bit_cast<std::uint64_t>(*expected))
          << text;
    }
    if (HasFailure() && ++failures > 20) return;
  }
}

}  // namespace
}  // namespace km
