// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/record_json.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "core/career_fields.h"
#include "core/money.h"
#include "core/number_format.h"

namespace km::sim {

namespace {

[[noreturn]] void Unreadable(const CareerField& field, const std::string& shown) {
  throw std::logic_error("the field " + field.name + " shows \"" + shown +
                         "\", which is not a value of its kind");
}

nlohmann::ordered_json FieldValue(const CareerField& field, const Career& career) {
  if (field.kind == FieldKind::Switch) return field.getSwitch(career);

  const std::string shown = field.get(career);
  switch (field.kind) {
    case FieldKind::Text:
      return shown;
    case FieldKind::Whole:
    case FieldKind::Bar: {
      const auto whole = ParseWhole(shown);
      if (!whole) Unreadable(field, shown);
      return *whole;
    }
    case FieldKind::Decimal: {
      const auto decimal = ParseDecimal(shown);
      if (!decimal) Unreadable(field, shown);
      return *decimal;
    }
    case FieldKind::Money: {
      const auto money = Money::Parse(shown);
      if (!money) Unreadable(field, shown);
      // Whole dollars stay an integer, so 15000 reads as 15000 and not 15000.0.
      if (money->cents() % 100 == 0) return money->cents() / 100;
      return money->ToDouble();
    }
    case FieldKind::Switch:
      break;
  }
  Unreadable(field, shown);
}

}  // namespace

nlohmann::ordered_json CareerJson(const Career& career) {
  // The field names are unique, so each member is appended without the
  // ordered object's linear search for an existing key.
  const auto fields = CareerFields();
  nlohmann::ordered_json::object_t members;
  members.reserve(fields.size());
  for (const CareerField& field : fields)
    members.emplace_back(field.name, FieldValue(field, career));
  return nlohmann::ordered_json(std::move(members));
}

}  // namespace km::sim
