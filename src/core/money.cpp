// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/money.h"

#include <charconv>
#include <cstdlib>

#include "core/number_format.h"

namespace km {

std::optional<Money> Money::Parse(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  std::int64_t dollars = 0;
  int wholeDigits = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    if (++wholeDigits > 15) return std::nullopt;  // far beyond any balance
    dollars = dollars * 10 + (text[i] - '0');
    ++i;
  }
  std::int64_t cents = 0;
  int decimals = 0;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      if (++decimals > 2) return std::nullopt;
      cents = cents * 10 + (text[i] - '0');
      ++i;
    }
    if (decimals == 1) cents *= 10;
  }
  if (i != text.size() || (wholeDigits == 0 && decimals == 0)) return std::nullopt;
  const std::int64_t total = dollars * 100 + cents;
  return Money(negative ? -total : total);
}

std::string Money::ToString() const {
  const std::int64_t magnitude = cents_ < 0 ? -cents_ : cents_;
  char buffer[32];
  char* end = buffer;
  if (cents_ < 0) *end++ = '-';
  end = std::to_chars(end, buffer + sizeof buffer, magnitude / 100).ptr;
  const std::int64_t rest = magnitude % 100;
  if (rest != 0) {
    *end++ = '.';
    *end++ = static_cast<char>('0' + rest / 10);
    if (rest % 10 != 0) *end++ = static_cast<char>('0' + rest % 10);
  }
  return std::string(buffer, end);
}

Money Money::Times(double factor) const {
  return Money(RoundHalfAway(static_cast<double>(cents_) * factor));
}

}  // namespace km
