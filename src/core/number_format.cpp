// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/number_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <utility>

#include "core/decimal_digits.h"

namespace km {
namespace {

// A pattern split into what the formatter needs: how many integer digits are
// always shown, and the fewest and most decimal places.
struct PatternShape {
  int minIntegerDigits = 0;
  int minDecimals = 0;
  int maxDecimals = 0;
};

PatternShape ShapeOf(std::string_view pattern) {
  PatternShape shape;
  const auto point = pattern.find('.');
  const std::string_view whole = pattern.substr(0, point);
  for (const char ch : whole) {
    if (ch == '0') ++shape.minIntegerDigits;
  }
  if (point != std::string_view::npos) {
    for (const char ch : pattern.substr(point + 1)) {
      if (ch == '0') ++shape.minDecimals;
      if (ch == '0' || ch == '#') ++shape.maxDecimals;
    }
  }
  return shape;
}

// |value| rounded to `decimals` places, halves away from zero, as its digits
// and the count of them that stand before the decimal point. The value is
// first read as a fifteen-digit decimal, so 2.675 is a half and not a hair
// under one.
struct Rounded {
  std::string digits;  // no leading zeros, may be empty for zero
  int integerDigits = 0;
};

Rounded RoundDecimal(double value, int decimals) {
  Rounded out;
  if (!std::isfinite(value) || value == 0.0) return out;
  const double magnitude = std::fabs(value);
  char buffer[40];
  // A whole number below 10^15 is its own fifteen-digit decimal: its digits
  // are exact and need no rounding.
  if (magnitude < 1e15 && magnitude == std::floor(magnitude)) {
    const auto whole = static_cast<long long>(magnitude);
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, whole).ptr;
    out.digits.assign(buffer, end);
    out.integerDigits = static_cast<int>(out.digits.size());
    return out;
  }
  // Most values lie well clear of a half at the places kept: rounding the
  // number itself then gives what rounding its fifteen-digit decimal would.
  // Only a value within a hair of a half needs the decimal's own digits.
  // (Below 10^8 the two differ by far less than the margin kept here.)
  constexpr std::array<double, 7> kScale = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
  const double scaled = decimals >= 0 && decimals <= 6
                            ? magnitude * kScale[static_cast<std::size_t>(decimals)]
                            : 1e300;
  if (scaled < 1e8) {
    const double below = std::floor(scaled);
    const double fraction = scaled - below;
    if (std::fabs(fraction - 0.5) > 1e-6) {
      const auto whole = static_cast<long long>(fraction > 0.5 ? below + 1 : below);
      const auto end = std::to_chars(buffer, buffer + sizeof buffer, whole).ptr;
      out.digits.assign(buffer, end);
      out.integerDigits = static_cast<int>(out.digits.size()) - decimals;
      return out;
    }
  }
  // Fifteen significant digits, correctly rounded.
  DecimalDigits fifteen = RoundToSignificant(ExactDigits(magnitude), 15);
  std::string digits = std::move(fifteen.digits);
  int pointPos = fifteen.point;
  const int keep = pointPos + decimals;
  if (keep < 0) return out;
  if (keep < static_cast<int>(digits.size())) {
    const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (up) {
      int i = keep - 1;
      while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
        digits[static_cast<std::size_t>(i)] = '0';
        --i;
      }
      if (i >= 0) {
        ++digits[static_cast<std::size_t>(i)];
      } else {
        digits.insert(digits.begin(), '1');
        ++pointPos;
      }
    }
  }
  out.digits = std::move(digits);
  out.integerDigits = pointPos;
  return out;
}

}  // namespace

std::string FormatNumber(double value, std::string_view pattern) {
  const PatternShape shape = ShapeOf(pattern);
  const Rounded r = RoundDecimal(value, shape.maxDecimals);

  // Split the digits at the decimal point, padding with zeros as needed.
  std::string integer;
  std::string fraction;
  const int digitCount = static_cast<int>(r.digits.size());
  auto digitAt = [&](int position) {  // position 0 = first digit of r.digits
    return position >= 0 && position < digitCount ? r.digits[static_cast<std::size_t>(position)]
                                                  : '0';
  };
  for (int p = 0; p < r.integerDigits; ++p) integer += digitAt(p);
  for (int d = 0; d < shape.maxDecimals; ++d) fraction += digitAt(r.integerDigits + d);

  // Leading zeros of the integer part go, down to the pattern's minimum.
  const auto firstNonZero = integer.find_first_not_of('0');
  integer = firstNonZero == std::string::npos ? std::string() : integer.substr(firstNonZero);
  if (static_cast<int>(integer.size()) < shape.minIntegerDigits) {
    integer = std::string(static_cast<std::size_t>(shape.minIntegerDigits) - integer.size(), '0') +
              integer;
  }
  // Optional decimal places go when they are zero.
  while (static_cast<int>(fraction.size()) > shape.minDecimals && fraction.back() == '0') {
    fraction.pop_back();
  }

  const bool isZero = r.digits.find_first_not_of('0') == std::string::npos;
  std::string out = (value < 0 && !isZero) ? "-" : "";
  out += integer;
  if (shape.maxDecimals > 0 && (!fraction.empty() || shape.minDecimals > 0)) {
    out += '.';
    out += fraction;
  }
  return out;
}

std::string FormatGeneral(double value) {
  if (!std::isfinite(value)) return "0";
  // Fifteen significant digits, as printf's "%.15g" would, but written out in
  // full however large or small: a number whose fifteen digits would need an
  // exponent (from 10^15 up, and below 10^-4) is rounded to fifteen places
  // instead, so that a save reads back the same.
  const DecimalDigits exact = ExactDigits(value);
  const DecimalDigits fifteen = RoundToSignificant(exact, 15);
  const int exponent = fifteen.point - 1;
  const std::string text =
      PlainText(exponent >= -4 && exponent < 15 ? fifteen : RoundToPlaces(exact, 15));
  return value < 0 && text != "0" ? "-" + text : text;
}

long long RoundHalfAway(double value) {
  const Rounded r = RoundDecimal(value, 0);
  long long whole = 0;
  for (const char ch : r.digits) whole = whole * 10 + (ch - '0');
  for (int i = static_cast<int>(r.digits.size()); i < r.integerDigits; ++i) whole *= 10;
  return value < 0 ? -whole : whole;
}

long long RoundedQuotient(long long numerator, long long denominator) {
  const long long magnitude = numerator < 0 ? -numerator : numerator;
  const long long whole = magnitude / denominator;
  const long long rest = magnitude % denominator;
  const long long rounded = rest * 2 >= denominator ? whole + 1 : whole;
  return numerator < 0 ? -rounded : rounded;
}

long long TenthsOf(double value) { return std::llround(value * 10); }

std::optional<double> ParseDecimal(std::string_view text) {
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (negative || text[0] == '+')) text.remove_prefix(1);
  DecimalDigits number;
  bool point = false;
  for (const char ch : text) {
    if (ch >= '0' && ch <= '9') {
      number.digits += ch;
    } else if (ch == '.' && !point) {
      point = true;
      number.point = static_cast<int>(number.digits.size());
    } else {
      return std::nullopt;
    }
  }
  if (number.digits.empty()) return std::nullopt;
  if (!point) number.point = static_cast<int>(number.digits.size());
  const auto value = NearestDouble(std::move(number));
  if (!value) return std::nullopt;
  return negative ? -*value : *value;
}

std::optional<long long> ParseWhole(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::string_view body = text[0] == '+' ? text.substr(1) : text;
  long long value = 0;
  const auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), value);
  if (error != std::errc() || end != body.data() + body.size() || body.empty()) return std::nullopt;
  return value;
}

}  // namespace km
