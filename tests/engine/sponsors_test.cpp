#include <gtest/gtest.h>

#include "support/scripted_ports.h"
#include "week/sponsors.h"

namespace km {
namespace {

using testing::ScriptedPrompter;
using testing::ScriptedRandom;

TEST(Sponsors, ScreenStateByWeek) {
  const struct {
    int week;
    std::optional<int> remaining;
    bool open;
  } cases[] = {{12, 12, true}, {13, 11, false}, {24, 13, true}, {25, 12, false},
               {1, 11, false}, {11, 1, false},  {23, 1, false}, {14, 10, false}};
  for (const auto& k : cases) {
    Career c;
    c.Matches = k.week;
    const SponsorshipView view = OpenSponsorship(c, {});
    EXPECT_EQ(view.remaining, k.remaining) << k.week;
    EXPECT_EQ(view.windowOpen, k.open) << k.week;
  }
  // Before the first week and after the last the screen shows what it did.
  Career c;
  c.Matches = 26;
  const SponsorshipView last{4, true};
  EXPECT_EQ(OpenSponsorship(c, last).remaining, 4);
  EXPECT_TRUE(OpenSponsorship(c, last).windowOpen);
}

TEST(Sponsors, ChoosingADealSetsTheWeeklyIncome) {
  Career c;
  SelectSponsorOffer(c, SponsorSlot::Jumper, 14);  // not offered yet: nothing
  ConfirmSponsorOffer(c, SponsorSlot::Jumper);
  EXPECT_EQ(c.JumperSponsor, "Bob's Bakery");
  // Confirming Bob's Bakery again takes his jumper offer of 50 in place of
  // the starting deal of 100: 100 + 50 + 400 + 50 + 25.
  EXPECT_EQ(c.Sponsorship, Money::Dollars(625));
  c.SponsorOffers[1].Offers[14].Enabled = true;
  SelectSponsorOffer(c, SponsorSlot::Jumper, 14);
  ConfirmSponsorOffer(c, SponsorSlot::Jumper);
  EXPECT_EQ(c.JumperSponsor, "Coca-Cola");
  EXPECT_EQ(c.SponsorOffers[1].Sponsor, "Coca-Cola");
  EXPECT_EQ(c.Sponsorship, Money::Dollars(3575));
}

TEST(Sponsors, WindowOpensOnlyAtWeeks12And24AndCloseFreesPlay) {
  for (const int week : {11, 12, 13, 24}) {
    Career c;
    c.Matches = week;
    c.MatchRatingAverage = 6;
    RunState run;
    ScriptedRandom r;
    r.next(1, 3);
    r.next(4, 7);
    ScriptedPrompter p;
    const Career before = c;
    PrepareSponsorOffers(c, run, r, p);
    EXPECT_EQ(r.left(), 0u);
    const bool window = week == 12 || week == 24;
    EXPECT_EQ(c.PlayOpen, !window) << week;
    EXPECT_EQ(run.sponsorHighlight, window) << week;
    EXPECT_EQ(p.messages.size(), window ? 1u : 0u) << week;
    if (!window) {
      EXPECT_EQ(c, before);
    }
    CloseSponsorship(c, run);
    EXPECT_TRUE(c.PlayOpen) << week;
    EXPECT_FALSE(run.sponsorHighlight);
  }
}

TEST(Sponsors, TierDealsAndOffersFollowTheSeasonsForm) {
  const struct {
    const char* league;
    double rating, goals;
    int a, b;
    const char* message;  // the word that tells the texts apart
    const char* sponsor;
    int chosen;
    int enabled;
    std::array<const char*, 5> deals;  // boots, jumper, major, shorts, socks
    int bootsFirst, bootsLast;         // offers of Bob's Bakery and Nike on the boots screen
  } cases[] = {
      {"State",
       8,
       1,
       2,
       7,
       "fantastic",
       "Commonwealth Bank",
       11,
       12,
       {"3520", "1760", "7040", "880", "385"},
       126,
       7590},  // x 1.1, then x 1.15
      {"State",
       3,
       4.5,
       1,
       4,
       "outstanding",
       "Commonwealth Bank",
       11,
       12,
       {"3520", "1760", "7040", "880", "385"},
       110,
       6600},
      {"Local Firsts",
       7.6,
       0,
       3,
       1,
       "brilliant",
       "Bendigo Bank",
       7,
       8,
       {"1320", "990", "3960", "495", "247.5"},
       93,
       5610},  // x 1.1, then x 0.85
      {"AFL",
       6,
       0,
       1,
       1,
       "solid",
       "Nike",
       15,
       15,
       {"5775", "2730", "11760", "1365", "735"},
       89,
       5355},  // x 1.05 then x 0.85; every company but Coca-Cola
      {"Local Reserves",
       3,
       0,
       2,
       1,
       "poor",
       "Smith Pharmacy",
       1,
       2,
       {"190", "95", "570", "47.5", "28.5"},
       95,
       5700},  // x 0.95 only
      {"Local Firsts",
       1,
       0,
       3,
       7,
       "pathetic",
       "APA",
       4,
       5,
       {"540", "540", "2700", "270", "135"},
       90,
       5400},  // x 0.9 only
  };
  for (const auto& k : cases) {
    Career c;
    c.League = k.league;
    c.Matches = 12;
    c.MatchRatingAverage = k.rating;
    c.AverageGoals = k.goals;
    RunState run;
    ScriptedRandom r;
    r.next(k.a, 3);
    r.next(k.b, 7);
    ScriptedPrompter p;
    PrepareSponsorOffers(c, run, r, p);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_NE(p.messages[0].text.find(k.message), std::string::npos) << p.messages[0].text;
    EXPECT_EQ(c.MajorSponsor, k.sponsor);
    EXPECT_EQ(c.SocksSponsor, k.sponsor);
    for (int s = 0; s < kSlotCount; ++s) {
      const SponsorScreen& screen = c.SponsorOffers[static_cast<std::size_t>(s)];
      EXPECT_EQ(screen.Sponsor, k.sponsor);
      EXPECT_EQ(screen.Offer.ToString(), k.deals[static_cast<std::size_t>(s)]) << k.league << s;
      int enabled = 0;
      for (int i = 0; i < kCompanyCount; ++i) {
        const SponsorOffer& offer = screen.Offers[static_cast<std::size_t>(i)];
        enabled += offer.Enabled ? 1 : 0;
        EXPECT_EQ(offer.Chosen, i == k.chosen) << k.league << " company " << i;
      }
      EXPECT_EQ(enabled, k.enabled) << k.league;
    }
    EXPECT_EQ(c.SponsorOffers[0].Offers[0].Amount, Money::Dollars(k.bootsFirst)) << k.league;
    EXPECT_EQ(c.SponsorOffers[0].Offers[15].Amount, Money::Dollars(k.bootsLast)) << k.league;
    // The income is the sum of the deals as they stood before the window.
    EXPECT_EQ(c.Sponsorship, Money::Dollars(675));
  }
}

TEST(Sponsors, WeeklyEffectsOncePerSlot) {
  const struct {
    int roll;
    int boots, jumper, other, fitness, stamina;
  } cases[] = {
      {1, 93, 96, 90, 92, 92},  // Nike +3 boots, +3 +3 jumper; APA +2; Bob's +2
      {5, 93, 96, 90, 90, 91},  // Nike +3 still; APA nothing; Bob's +1
      {7, 92, 94, 90, 91, 91},  // Nike +2, +2 +2; APA +1; Bob's +1
      {9, 92, 94, 90, 91, 90},  // Bob's nothing at 9
  };
  for (const auto& k : cases) {
    Career c;
    c.Boots = c.Jumper = c.Other = c.Fitness = c.Stamina = 90;
    c.SponsorOffers[0].Sponsor = "Nike";  // boots
    c.SponsorOffers[1].Sponsor = "Nike";  // jumper
    c.SponsorOffers[2].Sponsor = "Nike";  // major: the jumper too
    c.SponsorOffers[3].Sponsor = "APA";   // a picked deal's short name
    c.SponsorOffers[4].Sponsor = "Bob's Bakery";
    ScriptedRandom r;
    r.next(k.roll, 10);
    ApplySponsorEffects(c, r);
    EXPECT_EQ(c.Boots, k.boots) << k.roll;
    EXPECT_EQ(c.Jumper, k.jumper) << k.roll;
    EXPECT_EQ(c.Other, k.other) << k.roll;
    EXPECT_EQ(c.Fitness, k.fitness) << k.roll;
    EXPECT_EQ(c.Stamina, k.stamina) << k.roll;
  }
  Career full;
  full.SponsorOffers[0].Sponsor = "Panadol";
  full.Health = 99;
  ScriptedRandom r;
  r.next(1, 10);
  ApplySponsorEffects(full, r);
  EXPECT_EQ(full.Health, 100);  // bars stop at 100
}

}  // namespace
}  // namespace km
