// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "support/scripted_ports.h"
#include "week/sponsors.h"

namespace km {
namespace {

using testing::ScriptedPrompter, testing::ScriptedRandom;

// The weeks to the next window and whether the slots can change, at each stretch's edges.
TEST(Sponsors, ScreenStateByWeek) {
  const SponsorshipView before{4, true};
  const std::tuple<int, std::optional<int>, bool> cases[] = {
      {0, 4, true},   {1, 11, false}, {11, 1, false},  {12, 12, true}, {13, 11, false},
      {23, 1, false}, {24, 13, true}, {25, 12, false}, {26, 4, true},  {14, 10, false}};
  for (const auto& [week, remaining, open] : cases) {
    Career c;
    c.Matches = week;
    const SponsorshipView view = OpenSponsorship(c, before);
    EXPECT_EQ(std::tie(view.remaining, view.windowOpen), std::tie(remaining, open)) << week;
  }
}

// The week's sponsor offers prepared for a career of this form, the rolls a of 3 and b of 7
// scripted (and used up if a window opens).
struct Window {
  Career c, before;
  RunState run;
  ScriptedPrompter p;
  ScriptedRandom r;
  Window(const char* league, double rating, double goals, int a, int b, int week = 12) {
    std::tie(c.League, c.Matches, c.MatchRatingAverage, c.AverageGoals) =
        std::tuple(league, week, rating, goals);
    before = c;
    r.next(a, 3);
    r.next(b, 7);
    PrepareSponsorOffers(c, run, r, p);
  }
};

TEST(Sponsors, WindowOpensOnlyAtWeeks12And24AndCloseFreesPlay) {
  for (const int week : {11, 12, 13, 23, 24, 25}) {
    Window w("Local Reserves", 6, 0, 1, 4, week);
    auto& [c, before, run, p, r] = w;
    EXPECT_EQ(r.left(), 0u);
    const bool window = week == 12 || week == 24;
    EXPECT_EQ(c.PlayOpen, !window) << week;
    EXPECT_EQ(run.sponsorHighlight, window) << week;
    EXPECT_EQ(p.messages.size(), window ? 1u : 0u) << week;
    EXPECT_TRUE(window || c == before) << week;
    CloseSponsorship(c, run);
    EXPECT_TRUE(c.PlayOpen) << week;
    EXPECT_FALSE(run.sponsorHighlight);
  }
}

// The form sets the tier: a rating above 7.5 or above four goals a match, above 5, above 2.5, or
// less; each tier's deal in the Local Reserves has its own company.
TEST(Sponsors, TierThresholds) {
  const std::tuple<double, double, const char*> cases[] = {
      // clang-format off
      {7.51, 0, "Lightning Auto Repairs"}, {7.5, 4.0, "Not Just Tennis"},
      {0, 4.01, "Lightning Auto Repairs"}, {5.01, 0, "Not Just Tennis"}, {5.0, 0, "Smith Pharmacy"},
      {2.51, 0, "Smith Pharmacy"}, {2.5, 0, "Bob's Bakery"}, {0, 0, "Bob's Bakery"},
      // clang-format on
  };
  for (const auto& [rating, goals, sponsor] : cases) {
    const Career c = Window("Local Reserves", rating, goals, 1, 4).c;
    EXPECT_EQ(c.MajorSponsor, sponsor) << rating << " " << goals;
  }
}

TEST(Sponsors, TierDealsAndOffersFollowTheSeasonsForm) {
  const struct {
    const char *league, *message, *sponsor;  // message: the word that tells the texts apart
    double rating, goals;
    int a, b, chosen, enabled;
    std::array<const char*, 5> deals;  // boots, jumper, major, shorts, socks
    int bootsFirst, bootsLast;         // offers of Bob's Bakery and Nike on the boots screen
  } cases[] = {
      // clang-format off
      // x 1.1, then x 1.15
      {"State", "fantastic", "Commonwealth Bank", 8, 1, 2, 7, 11, 12,
       {"3520", "1760", "7040", "880", "385"}, 126, 7590},
      // x 1.1, then x 0.85
      // x 1.05 then x 0.85; every company but Coca-Cola
      {"AFL", "solid", "Nike", 6, 0, 1, 1, 15, 15,
       {"5775", "2730", "11760", "1365", "735"}, 89, 5355},
      // x 0.9 only
      {"Local Firsts", "pathetic", "APA", 1, 0, 3, 7, 4, 5,
       {"540", "540", "2700", "270", "135"}, 90, 5400},
      // clang-format on
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(::testing::Message() << k.league << " " << k.rating);
    const Window w(k.league, k.rating, k.goals, k.a, k.b);
    const auto& [c, before, run, p, r] = w;
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_NE(p.messages[0].text.find(k.message), std::string::npos) << p.messages[0].text;
    EXPECT_EQ(std::tie(c.MajorSponsor, c.SocksSponsor), std::tuple(k.sponsor, k.sponsor));
    for (int s = 0; s < kSlotCount; ++s) {
      const SponsorScreen& screen = c.SponsorOffers[static_cast<std::size_t>(s)];
      EXPECT_EQ(screen.Sponsor, k.sponsor);
      EXPECT_EQ(screen.Offer.ToString(), k.deals[static_cast<std::size_t>(s)]) << s;
      int enabled = 0;
      for (int i = 0; i < kCompanyCount; ++i) {
        const SponsorOffer& offer = screen.Offers[static_cast<std::size_t>(i)];
        enabled += offer.Enabled ? 1 : 0;
        EXPECT_EQ(offer.Chosen, i == k.chosen) << "company " << i;
      }
      EXPECT_EQ(enabled, k.enabled);
    }
    EXPECT_EQ(std::tie(c.SponsorOffers[0].Offers[0].Amount, c.SponsorOffers[0].Offers[15].Amount),
              std::tuple(Money::Dollars(k.bootsFirst), Money::Dollars(k.bootsLast)));
    // The income is the sum of the deals as they stood before the window.
    EXPECT_EQ(c.Sponsorship, Money::Dollars(675));
  }
}

// Each sponsor's weekly boost by the roll of 10 (a digit a roll): a tier's companies boost alike,
// each its own bar.
TEST(Sponsors, WeeklyBoostsByTheRoll) {
  const std::tuple<const char*, std::vector<std::pair<const char*, int Career::*>>> tiers[] = {
      // clang-format off
      {"2200111100",
       {{"Bob's Bakery", &Career::Stamina}, {"Smith Pharmacy", &Career::Health},
        {"Not Just Tennis", &Career::Shorts}}},
      {"3333302222",
       {{"Panadol", &Career::Health}, {"Coles", &Career::Fitness}, {"Nike", &Career::Shorts}}},
      // clang-format on
  };
  for (const auto& [boosts, sponsors] : tiers) {
    for (const auto& [sponsor, bar] : sponsors) {
      for (int roll = 1; roll <= 10; ++roll) {
        SCOPED_TRACE(::testing::Message() << sponsor << ", roll " << roll);
        Career c;
        const auto bars = {&Career::Boots,   &Career::Jumper, &Career::Shorts, &Career::Other,
                           &Career::Fitness, &Career::Health, &Career::Stamina};
        for (int Career::*b : bars) c.*b = 90;
        for (auto& screen : c.SponsorOffers) screen.Sponsor.clear();
        c.SponsorOffers[3].Sponsor = sponsor;  // the shorts
        ScriptedRandom r;
        r.next(roll, 10);
        ApplySponsorEffects(c, r);
        for (int Career::*b : bars) EXPECT_EQ(c.*b, b == bar ? 90 + boosts[roll - 1] - '0' : 90);
      }
    }
  }
  // A gear sponsor boosts his slot's gear, the major sponsor the jumper, and
  // bars stop at 100.
  Career c;
  c.Boots = c.Jumper = c.Shorts = c.Other = 90;
  c.Health = 99;
  for (auto& screen : c.SponsorOffers) screen.Sponsor = "Nike";
  c.SponsorOffers[3].Sponsor = "Panadol";
  ScriptedRandom r;
  r.next(1, 10);
  ApplySponsorEffects(c, r);
  EXPECT_EQ(std::tie(c.Boots, c.Jumper, c.Shorts, c.Other, c.Health),
            std::tuple(93, 96, 90, 93, 100));
}

}  // namespace
}  // namespace km
