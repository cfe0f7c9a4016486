// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "core/career.h"

namespace km {

// What kind of value a field of the career record holds.
enum class FieldKind {
  Text,     // plain text
  Whole,    // a whole number
  Decimal,  // a decimal number with its display pattern
  Money,    // dollars, exact to the cent
  Bar,      // a whole number 0..100 shown as a bar
  Switch,   // true or false
};

// One field of the career record, reachable by its name. The save file and
// the simulator's JSON dump are both built from this one table.
struct CareerField {
  std::string name;
  FieldKind kind;
  bool saved;  // false for DraftDue and the season award flags
  // The value as the game shows it ("15000", "12.5", "Bob's Bakery"); a
  // switch reads "True" or "False".
  std::function<std::string(const Career&)> get;
  // Puts a value given as shown text into the field. Returns false and leaves
  // the field as it was when the text does not fit the field's kind.
  std::function<bool(Career&, std::string_view)> set;
  // Only for switches: read and write the truth itself.
  std::function<bool(const Career&)> getSwitch;
  std::function<void(Career&, bool)> setSwitch;
  // Appends the value as `get` shows it to `out`, without a string of its
  // own: the save file's writer goes through every field each week.
  std::function<void(const Career&, std::string&)> append;
};

// Every field of the record, in a fixed order (profile first, ladder and
// season award flags last).
std::span<const CareerField> CareerFields();

// The field of that name, or nullptr.
const CareerField* FindCareerField(std::string_view name);

// The decimal fields' display pattern ("##0.0" or "##0.0#"), or an empty
// pattern for the season's summed match ratings, shown as they add up.
std::string_view DecimalPattern(std::string_view fieldName);

}  // namespace km
