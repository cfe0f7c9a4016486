// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace km {

// An amount of dollars kept exactly, in whole cents. Prices and wages are
// whole dollars, but a few sponsor deals carry cents (247.5, 78.75), and the
// bank balance must add them up without drifting.
class Money {
 public:
  constexpr Money() = default;
  static constexpr Money Dollars(std::int64_t dollars) { return Money(dollars * 100); }
  static constexpr Money Cents(std::int64_t cents) { return Money(cents); }

  // Reads the form the game writes: an optional minus sign, digits, and at
  // most two decimal places ("15000", "247.5", "-78.75").
  static std::optional<Money> Parse(std::string_view text);

  [[nodiscard]] constexpr std::int64_t cents() const { return cents_; }
  [[nodiscard]] double ToDouble() const { return static_cast<double>(cents_) / 100.0; }

  // The amount as the game shows it: whole dollars without decimals, and
  // otherwise only the decimals that are needed ("15000", "247.5", "78.75").
  [[nodiscard]] std::string ToString() const;

  // This amount times a factor, rounded to the cent with halves away from zero.
  [[nodiscard]] Money Times(double factor) const;

  constexpr Money& operator+=(Money other) {
    cents_ += other.cents_;
    return *this;
  }
  constexpr Money& operator-=(Money other) {
    cents_ -= other.cents_;
    return *this;
  }
  friend constexpr Money operator+(Money a, Money b) { return a += b; }
  friend constexpr Money operator-(Money a, Money b) { return a -= b; }
  friend constexpr auto operator<=>(Money a, Money b) = default;

 private:
  constexpr explicit Money(std::int64_t cents) : cents_(cents) {}
  std::int64_t cents_ = 0;
};

}  // namespace km
