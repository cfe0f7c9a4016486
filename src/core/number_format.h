// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace km {

// Formats a number with one of the display patterns the game uses:
// "##0", "#0", "0" (whole numbers), "##0.0", "0.0", "###.0" (one decimal
// place) and "##0.0#" (one or two decimal places). A '0' is a digit that is
// always shown, a '#' one that is shown only when it is significant, so
// "###.0" shows a half as ".5". Halves are rounded away from zero, on the
// number as it reads in decimal (2.675 rounds to 2.68).
std::string FormatNumber(double value, std::string_view pattern);

// A decimal number with no pattern, as the game shows a running total such as
// the season's summed match ratings: up to fifteen significant digits and no
// trailing zeros ("45.3", "14", "0").
std::string FormatGeneral(double value);

// Rounds to a whole number with halves away from zero (on the number as it
// reads in decimal, like FormatNumber).
long long RoundHalfAway(double value);

// The quotient of two whole numbers rounded to a whole number with halves
// away from zero, worked in whole numbers so that a half is always a half.
// The denominator must be above zero.
long long RoundedQuotient(long long numerator, long long denominator);

// A value of at most one decimal place, such as a match rating or a season's
// sum of them, in whole tenths.
long long TenthsOf(double value);

// Reads a decimal number written by the game ("12", "-3", "4.25", ".5").
// Anything else, including an empty text, gives nothing.
std::optional<double> ParseDecimal(std::string_view text);

// Reads a whole number written by the game ("12", "-3").
std::optional<long long> ParseWhole(std::string_view text);

}  // namespace km
