// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace km {

// Doubles to decimal digits and back, worked exactly in whole numbers, so
// that a number is written and read the same on every machine the rules run
// on and whatever the locale: the C library's conversions take their decimal
// point from the locale the front end set (a German desktop writes "45,3").

// A decimal number of no sign: its digits, `point` of which stand before the
// decimal point (4200 is "42" with point 4, 0.0042 is "42" with point -2).
struct DecimalDigits {
  std::string digits;
  int point = 0;

  bool operator==(const DecimalDigits&) const = default;
};

// Every digit of the magnitude of a finite double. A double is a whole number
// times a power of two, so its decimal ends: 0.1 is held as
// 0.1000000000000000055511151231257827021181583404541015625. No leading or
// trailing zeros; zero, an infinity or NaN have no digits.
DecimalDigits ExactDigits(double value);

// Rounded to `count` significant digits (1 or more), halves to even: exactly
// `count` digits, zeros kept (as printf's "%.*e" rounds). Zero stays zero.
DecimalDigits RoundToSignificant(const DecimalDigits& number, int count);

// Rounded to `places` decimal places, halves to even, without trailing zeros
// (as printf's "%.*f" rounds). A number that rounds to zero has no digits.
DecimalDigits RoundToPlaces(const DecimalDigits& number, int places);

// Written out in full without trailing zeros: "4200", "0.0042", "0".
std::string PlainText(const DecimalDigits& number);

// The double nearest to a decimal number, halves to the one whose last bit is
// even (as a correctly rounded strtod reads it); nothing when that is beyond
// the largest double, or zero for a number that is not zero.
std::optional<double> NearestDouble(DecimalDigits number);

}  // namespace km
