// The record as `show` prints it: one key per field, in the record's order,
// each value in the JSON type of its kind.

#include "sim/record_json.h"

#include <gtest/gtest.h>

#include <string>

#include "core/career.h"
#include "core/career_fields.h"
#include "core/money.h"

namespace km::sim {
namespace {

bool HasTypeOfKind(const nlohmann::ordered_json& value, FieldKind kind) {
  switch (kind) {
    case FieldKind::Text:
      return value.is_string();
    case FieldKind::Whole:
    case FieldKind::Bar:
      return value.is_number_integer();
    case FieldKind::Decimal:
    case FieldKind::Money:
      return value.is_number();
    case FieldKind::Switch:
      return value.is_boolean();
  }
  return false;
}

TEST(SimRecordJson, HasEveryFieldInTheRecordsOrderWithTheTypeOfItsKind) {
  const auto record = CareerJson(Career::Create());
  const auto fields = CareerFields();
  ASSERT_EQ(record.size(), fields.size());
  auto item = record.begin();
  for (const CareerField& field : fields) {
    EXPECT_EQ(item.key(), field.name);
    EXPECT_TRUE(HasTypeOfKind(item.value(), field.kind))
        << field.name << " is " << item.value().dump();
    ++item;
  }
}

TEST(SimRecordJson, MoneyIsExactAndWholeDollarsStayWhole) {
  struct Case {
    Money amount;
    bool whole;
    double value;
  };
  for (const Case& c :
       {Case{Money::Dollars(15000), true, 15000}, Case{Money::Cents(24750), false, 247.5},
        Case{Money::Cents(7875), false, 78.75}, Case{Money::Dollars(-300), true, -300},
        Case{Money::Cents(-1), false, -0.01}, Case{Money::Dollars(1000000000), true, 1000000000}}) {
    Career career = Career::Create();
    career.BankBalance = c.amount;
    const auto balance = CareerJson(career).at("BankBalance");
    EXPECT_EQ(balance.is_number_integer(), c.whole) << balance.dump();
    EXPECT_EQ(balance.get<double>(), c.value);
    // Printed as the game shows the amount, with no drift.
    EXPECT_EQ(balance.dump(), c.amount.ToString());
  }
}

TEST(SimRecordJson, ValuesComeFromTheirOwnFields) {
  Career career = Career::Create();
  career.Name = "Jack \"Jacko\" Riley";
  career.Marking = 71;
  career.Tackling = 42;
  career.AverageDisposals = 12.5;
  career.Stamina = 37;
  career.PlayOpen = false;
  career.SponsorshipOpen = true;
  career.SeasonCaptain = "Y";
  const auto record = CareerJson(career);
  EXPECT_EQ(record.at("Name"), "Jack \"Jacko\" Riley");
  EXPECT_EQ(record.at("Marking"), 71);
  EXPECT_EQ(record.at("Tackling"), 42);
  EXPECT_EQ(record.at("AverageDisposals"), 12.5);
  EXPECT_EQ(record.at("Stamina"), 37);
  EXPECT_EQ(record.at("PlayOpen"), false);
  EXPECT_EQ(record.at("SponsorshipOpen"), true);
  EXPECT_EQ(record.at("SeasonCaptain"), "Y");
}

}  // namespace
}  // namespace km::sim
