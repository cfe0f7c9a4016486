#include <gtest/gtest.h>

#include <set>

#include "core/career.h"
#include "core/career_fields.h"

namespace km {
namespace {

TEST(Career, NewCareerValues) {
  const Career c = Career::Create();
  EXPECT_EQ(c.BankBalance, Money::Dollars(15000));
  EXPECT_EQ(c.Age, 14);
  EXPECT_EQ(c.League, "Local Reserves");
  for (int bar : {c.Fitness, c.Health, c.Stamina, c.HealthOverall, c.Boots, c.Jumper, c.Shorts,
                  c.Other, c.GearOverall}) {
    EXPECT_EQ(bar, 100);
  }
  // Every slot starts with Bob's Bakery, the only company that can be
  // chosen, at 100, 100, 400, 50 and 25 a week.
  const int deals[kSlotCount] = {100, 100, 400, 50, 25};
  for (int s = 0; s < kSlotCount; ++s) {
    const SponsorScreen& screen = c.SponsorOffers[static_cast<std::size_t>(s)];
    EXPECT_EQ(screen.Sponsor, "Bob's Bakery");
    EXPECT_EQ(screen.Offer, Money::Dollars(deals[s]));
    for (int i = 0; i < kCompanyCount; ++i) {
      const SponsorOffer& offer = screen.Offers[static_cast<std::size_t>(i)];
      EXPECT_EQ(offer.Enabled && offer.Chosen, i == 0);
    }
  }
  EXPECT_EQ(c.Sponsorship, Money::Dollars(775));
  // The boots screen lists Coca-Cola above Nike.
  EXPECT_EQ(c.SponsorOffers[0].Offers[14].Amount, Money::Dollars(6000));
  EXPECT_EQ(c.SponsorOffers[0].Offers[15].Amount, Money::Dollars(5500));
}

TEST(Career, OverallFormulaAtTheEdges) {
  const struct {
    int k, h, t, m, r;
    int overall;
  } cases[] = {
      // clang-format off
      {1, 1, 1, 1, 1, 1},                  // 0.9998
      {100, 100, 100, 100, 100, 100},      // 99.98
      {100, 100, 1, 1, 1, 50},             // 50.4998
      {1, 1, 100, 100, 100, 50},           // 50.48
      {200, 200, 200, 200, 200, 200},      // 199.96
      {3, 2, 1, 1, 1, 2},                  // 1.7498
      // clang-format on
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OverallOf(c.k, c.h, c.t, c.m, c.r), c.overall)
        << c.k << "," << c.h << "," << c.t << "," << c.m << "," << c.r;
  }
}

TEST(Career, SeasonResetClearsTheSeasonOnly) {
  Career c;
  c.Matches = c.MatchesPlayed = 26;
  c.Goals = c.Levels[0].Goals = 40;
  c.AverageGoals = 2;
  c.MatchRating = 120.5;
  c.MatchRatingAverage = 6;
  c.SeasonMVP = c.SeasonCaptain = "Y";
  c.Brownlow = 9;
  c.ResetSeason();
  Career expected;
  expected.Levels[0].Goals = 40;  // career figures stay
  expected.Brownlow = 9;          // the medal count is the awards night's business
  expected.Age += 1;
  EXPECT_EQ(c, expected);
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
  // The 491 save lines hold 482 fields (a bar takes two lines), then DraftDue and the fourteen
  // season award flags.
  EXPECT_EQ(names.size(), 482u + 1 + 14);
}

TEST(CareerFields, AccessByName) {
  Career c;
  const struct {
    const char* name;
    const char* text;
    bool accepted;
  } cases[] = {
      // clang-format off
      {"BankBalance", "247.5", true}, {"BankBalance", "lots", false}, {"Fitness", "50", true},
      {"Fitness", "101", false}, {"Age", "19", true}, {"Age", "", false},
      {"AverageGoals", "2.5", true}, {"AverageGoals", "two", false}, {"PlayOpen", "False", true},
      {"PlayOpen", "maybe", false}, {"SponsorMajorNike", "11200", true},
      {"LadderThirdAgainst", "512", true},
      // clang-format on
  };
  for (const auto& k : cases) {
    const CareerField* field = FindCareerField(k.name);
    ASSERT_NE(field, nullptr) << k.name;
    EXPECT_EQ(field->set(c, k.text), k.accepted) << k.name << " = " << k.text;
  }
  EXPECT_EQ(c.BankBalance.ToString(), "247.5");
  EXPECT_EQ(c.Fitness, 50);
  EXPECT_EQ(c.Age, 19);
  EXPECT_FALSE(c.PlayOpen);
  EXPECT_EQ(c.Ladder[2].Against, 512);
  EXPECT_EQ(FindCareerField("Nonsense"), nullptr);
  // An average is 0 until it is worked out from matches, then it shows its
  // decimals.
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
