// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/decimal_digits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace km {
namespace {

// A whole number of any size, in limbs of nine decimal digits, the lowest
// first, so that its decimal digits come straight out of it.
class BigWhole {
 public:
  explicit BigWhole(std::uint64_t value) {
    while (value != 0) {
      limbs_.push_back(static_cast<std::uint32_t>(value % kBase));
      value /= kBase;
    }
  }

  // Multiplies by base^exponent, base 2 or 5, in the largest steps a limb
  // times the step still fits 64 bits in.
  void MultiplyByPower(std::uint32_t base, int exponent) {
    const int stepExponent = base == 2 ? 31 : 13;  // 2^31, 5^13 < 2^31
    std::uint32_t step = 1;
    for (int i = 0; i < stepExponent; ++i) step *= base;
    for (; exponent >= stepExponent; exponent -= stepExponent) Multiply(step);
    std::uint32_t rest = 1;
    for (int i = 0; i < exponent; ++i) rest *= base;
    if (rest != 1) Multiply(rest);
  }

  // Nine digits a limb, the highest first, without leading zeros.
  std::string Digits() const {
    std::string text(limbs_.size() * 9, '0');
    auto digit = text.rbegin();
    for (std::uint32_t limb : limbs_) {
      for (int i = 0; i < 9; ++i, ++digit) {
        *digit = static_cast<char>('0' + limb % 10);
        limb /= 10;
      }
    }
    text.erase(0, text.find_first_not_of('0'));
    return text;
  }

 private:
  static constexpr std::uint64_t kBase = 1'000'000'000;

  void Multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs_) {
      const std::uint64_t product = std::uint64_t{limb} * factor + carry;
      limb = static_cast<std::uint32_t>(product % kBase);
      carry = product / kBase;
    }
    for (; carry != 0; carry /= kBase) limbs_.push_back(static_cast<std::uint32_t>(carry % kBase));
  }

  std::vector<std::uint32_t> limbs_;
};

// A double's bits and back (std::bit_cast, which the browser's library lacks).
std::uint64_t BitsOf(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

double DoubleOf(std::uint64_t bits) {
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void DropTrailingZeros(DecimalDigits& number) {
  const auto last = number.digits.find_last_not_of('0');
  number.digits.resize(last == std::string::npos ? 0 : last + 1);
}

// mantissa × 2^exponent, every digit of it.
DecimalDigits ExactDigitsOf(std::uint64_t mantissa, int exponent) {
  DecimalDigits out;
  if (mantissa == 0) return out;
  const int twos = std::countr_zero(mantissa);
  mantissa >>= twos;
  exponent += twos;
  BigWhole whole(mantissa);
  if (exponent >= 0) {
    whole.MultiplyByPower(2, exponent);
    out.digits = whole.Digits();
    out.point = static_cast<int>(out.digits.size());
  } else {
    // m / 2^k is m × 5^k / 10^k.
    whole.MultiplyByPower(5, -exponent);
    out.digits = whole.Digits();
    out.point = static_cast<int>(out.digits.size()) + exponent;
  }
  DropTrailingZeros(out);
  return out;
}

// Keeps the first `keep` digits of `number` and rounds the rest away, halves
// to even; the digits kept are padded with zeros to `keep`.
DecimalDigits RoundAt(DecimalDigits number, int keep) {
  std::string& digits = number.digits;
  const int size = static_cast<int>(digits.size());
  if (keep >= size) {
    digits.append(static_cast<std::size_t>(keep - size), '0');
    return number;
  }
  if (keep < 0) return {std::string(), number.point};
  const auto at = static_cast<std::size_t>(keep);
  const char first = digits[at];
  const bool more = size > keep + 1 && digits.find_first_not_of('0', at + 1) != std::string::npos;
  const bool lastOdd = keep > 0 && (digits[at - 1] - '0') % 2 == 1;
  const bool up = first > '5' || (first == '5' && (more || lastOdd));
  digits.resize(at);
  if (up) {
    auto digit = digits.rbegin();
    for (; digit != digits.rend() && *digit == '9'; ++digit) *digit = '0';
    if (digit != digits.rend()) {
      ++*digit;
    } else {
      digits.insert(digits.begin(), '1');
      ++number.point;
    }
  }
  return number;
}

// The bits of a non-negative double count up with its value, from zero to
// infinity, so the doubles next to one are its bits plus and minus one.
constexpr std::uint64_t kInfinityBits = 0x7FF0'0000'0000'0000;

// The point halfway between the double with these bits and the next one up,
// exactly. (A double is m × 2^e: the next is (m + 1) × 2^e, even across a
// power of two and past the largest double, where it is 2^1024.)
DecimalDigits MidpointAbove(std::uint64_t bits) {
  const auto biased = static_cast<int>(bits >> 52);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  const std::uint64_t mantissa = biased == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
  const int exponent = (biased == 0 ? 1 : biased) - 1075;
  return ExactDigitsOf(2 * mantissa + 1, exponent - 1);
}

// Compares two numbers without leading or trailing zeros, neither zero.
int Compare(const DecimalDigits& a, const DecimalDigits& b) {
  if (a.point != b.point) return a.point < b.point ? -1 : 1;
  const int order = a.digits.compare(b.digits);
  return (order > 0) - (order < 0);
}

}  // namespace

DecimalDigits ExactDigits(double value) {
  if (!std::isfinite(value)) return {};
  const auto bits = BitsOf(std::fabs(value));
  const auto biased = static_cast<int>(bits >> 52);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased == 0) return ExactDigitsOf(fraction, -1074);
  return ExactDigitsOf(fraction | (std::uint64_t{1} << 52), biased - 1075);
}

DecimalDigits RoundToSignificant(const DecimalDigits& number, int count) {
  if (number.digits.empty()) return {std::string(static_cast<std::size_t>(count), '0'), 1};
  DecimalDigits out = RoundAt(number, count);
  out.digits.resize(static_cast<std::size_t>(count));  // a carry adds a digit: a zero
  return out;
}

DecimalDigits RoundToPlaces(const DecimalDigits& number, int places) {
  DecimalDigits out = RoundAt(number, number.point + places);
  DropTrailingZeros(out);
  return out;
}

std::string PlainText(const DecimalDigits& number) {
  DecimalDigits n = number;
  DropTrailingZeros(n);
  if (n.digits.empty()) return "0";
  const int size = static_cast<int>(n.digits.size());
  std::string text;
  if (n.point <= 0) {
    text = "0";
  } else {
    text = n.digits.substr(0, static_cast<std::size_t>(std::min(n.point, size)));
    if (n.point > size) text.append(static_cast<std::size_t>(n.point - size), '0');
  }
  if (size > n.point) {
    text += '.';
    if (n.point < 0) text.append(static_cast<std::size_t>(-n.point), '0');
    text.append(n.digits, static_cast<std::size_t>(std::max(n.point, 0)));
  }
  return text;
}

std::optional<double> NearestDouble(DecimalDigits number) {
  const auto first = number.digits.find_first_not_of('0');
  if (first == std::string::npos) return 0.0;
  number.digits.erase(0, first);
  number.point -= static_cast<int>(first);
  DropTrailingZeros(number);

  // Up to fifteen digits times a power of ten up to 10^22: both are doubles
  // exactly, so one multiplication or division rounds the number correctly.
  constexpr std::array<double, 23> kPowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const int size = static_cast<int>(number.digits.size());
  const int scale = number.point - size;
  if (size <= 15 && scale >= -22 && scale <= 22) {
    std::uint64_t whole = 0;
    for (const char ch : number.digits) whole = whole * 10 + static_cast<std::uint64_t>(ch - '0');
    const auto wholeValue = static_cast<double>(whole);
    const double power = kPowersOfTen[static_cast<std::size_t>(scale < 0 ? -scale : scale)];
    return scale < 0 ? wholeValue / power : wholeValue * power;
  }

  // 10^309 is past the largest double (1.8 × 10^308), and below 10^-324 is
  // less than half the smallest (4.9 × 10^-324).
  if (number.point > 309) return std::nullopt;
  if (number.point < -323) return std::nullopt;
  // Otherwise a first guess from the leading digits, a few doubles out at
  // most, then a step at a time to the double whose halfway points to its
  // neighbours hold the number between them.
  const int leading = std::min(size, 17);
  std::uint64_t head = 0;
  for (int i = 0; i < leading; ++i) {
    head = head * 10 + static_cast<std::uint64_t>(number.digits[static_cast<std::size_t>(i)] - '0');
  }
  const int headScale = number.point - leading;
  const double guess = static_cast<double>(head) * std::pow(10.0, headScale / 2) *
                       std::pow(10.0, headScale - headScale / 2);
  std::uint64_t bits = std::min(BitsOf(guess), kInfinityBits);
  while (true) {
    if (bits < kInfinityBits) {
      const int above = Compare(number, MidpointAbove(bits));
      if (above > 0) {
        ++bits;
        continue;
      }
      if (above == 0) {
        bits += bits & 1;
        break;
      }
    }
    if (bits > 0) {
      const int below = Compare(number, MidpointAbove(bits - 1));
      if (below < 0) {
        --bits;
        continue;
      }
      if (below == 0) bits -= bits & 1;
    }
    break;
  }
  if (bits == 0 || bits == kInfinityBits) return std::nullopt;
  return DoubleOf(bits);
}

}  // namespace km
