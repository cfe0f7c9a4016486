// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <tuple>

#include "core/career.h"
#include "core/career_fields.h"

namespace km {
namespace {

TEST(Career, OverallFormulaAtTheEdges) {
  // Kicking, handballing, tackling, marking, running, and the overall they make.
  const std::array<int, 6> cases[] = {
      // clang-format off
      {1, 1, 1, 1, 1, 1}, {100, 100, 100, 100, 100, 100},  // 0.9998, 99.98
      {100, 100, 1, 1, 1, 50}, {1, 1, 100, 100, 100, 50},  // 50.4998, 50.48
      {200, 200, 200, 200, 200, 200}, {3, 2, 1, 1, 1, 2},  // 199.96, 1.7498
      // clang-format on
  };
  for (const auto& [k, h, t, m, r, overall] : cases)
    EXPECT_EQ(OverallOf(k, h, t, m, r), overall)
        << k << "," << h << "," << t << "," << m << "," << r;
}

TEST(CareerFields, EveryFieldHasOneNameAndReadsBackWhatItWrites) {
  std::set<std::string> names;
  Career c;
  for (const CareerField& field : CareerFields()) {
    EXPECT_TRUE(names.insert(field.name).second) << "two fields named " << field.name;
    // Writing a field's shown text back into it changes nothing.
    const std::string before = field.get(c);
    EXPECT_TRUE(field.set(c, before)) << field.name;
    EXPECT_EQ(field.get(c), before) << field.name;
  }
  EXPECT_EQ(c, Career{});
  // 482 fields on the 491 save lines (a bar takes two), DraftDue and fourteen season awards.
  EXPECT_EQ(names.size(), 482u + 1 + 14);
}

TEST(CareerFields, AccessByName) {
  Career c;
  const std::tuple<const char*, const char*, bool> cases[] = {
      // name, text, accepted
      // clang-format off
      {"BankBalance", "247.5", true}, {"BankBalance", "lots", false}, {"Fitness", "50", true},
      {"Fitness", "101", false}, {"Age", "19", true}, {"Age", "", false},
      {"AverageGoals", "2.5", true}, {"AverageGoals", "two", false}, {"PlayOpen", "False", true},
      {"PlayOpen", "maybe", false}, {"SponsorMajorNike", "11200", true},
      {"LadderThirdAgainst", "512", true},
      // clang-format on
  };
  for (const auto& [name, text, accepted] : cases) {
    const CareerField* field = FindCareerField(name);
    ASSERT_NE(field, nullptr) << name;
    EXPECT_EQ(field->set(c, text), accepted) << name << " = " << text;
  }
  EXPECT_EQ(std::tuple(c.BankBalance.ToString(), c.Fitness, c.Age, c.PlayOpen, c.Ladder[2].Against),
            std::tuple("247.5", 50, 19, false, 512));
  EXPECT_EQ(FindCareerField("Nonsense"), nullptr);
  // An average is 0 until it is worked out from matches, then it shows its decimals.
  EXPECT_EQ(FindCareerField("AverageGoals")->get(c), "0");
  c.MatchesPlayed = 2;
  EXPECT_EQ(FindCareerField("AverageGoals")->get(c), "2.5");
  c.Levels[3].AverageGoals = 2.675;
  EXPECT_EQ(FindCareerField("AFLAverageGoals")->get(c), "0");
  c.Levels[3].Matches = 3;
  EXPECT_EQ(FindCareerField("AFLAverageGoals")->get(c), "2.68");
  c.AverageDisposals = 2.675;
  EXPECT_EQ(FindCareerField("AverageDisposals")->get(c), "2.7");
}

}  // namespace
}  // namespace km
