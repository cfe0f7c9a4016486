// SPDX-License-Identifier: GPL-3.0-or-later
#include "week/sponsors.h"

#include <algorithm>
#include <array>

namespace km {
namespace {

// What each company offers a week when a window opens, by offer screen
// (boots, jumper, major, shorts, socks), companies in their usual order.
// clang-format off
constexpr std::array<std::array<int, kCompanyCount>, kSlotCount> kBaseOffers = {{
    {100, 200, 300, 400, 600, 800, 1000, 1200, 2000, 2400, 2800, 3200, 4500, 5000, 5500, 6000},
    {50, 100, 150, 200, 600, 700, 800, 900, 1000, 1200, 1400, 1600, 1800, 2200, 2600, 3000},
    {500, 600, 700, 800, 3000, 3200, 3400, 3600, 5200, 5600, 6000, 6400, 9600, 10400, 11200, 12000},
    {25, 50, 75, 100, 300, 350, 400, 450, 500, 600, 700, 800, 900, 1100, 1300, 1500},
    {20, 30, 40, 50, 150, 175, 200, 225, 250, 300, 350, 400, 500, 600, 700, 800},
}};
// clang-format on

// The deal picked for the player at a window, by form and competition: how
// many companies make offers, whose deal it is (and the name it goes under)
// and its amount in each slot, in cents (boots, jumper, major, shorts, socks).
struct TierDeal {
  int offers;  // the first this many companies; -1: every one but Coca-Cola
  int company;
  std::string_view name;
  std::array<std::int64_t, kSlotCount> cents;
};
// Indexed [tier - 1][competition].
// clang-format off
constexpr std::array<std::array<TierDeal, kCompetitionCount>, 4> kTierDeals = {{
    {{{4, 3, "Lightning Auto Repairs", {44000, 22000, 88000, 11000, 5500}},
      {8, 7, "Bendigo Bank", {132000, 99000, 396000, 49500, 24750}},
      {12, 11, "Commonwealth Bank", {352000, 176000, 704000, 88000, 38500}},
      {16, 14, "Coca Cola", {660000, 330000, 1320000, 165000, 88000}}}},
    {{{3, 2, "Not Just Tennis", {31500, 15750, 73500, 7875, 4200}},
      {7, 6, "SportsWear", {105000, 84000, 357000, 42000, 21000}},
      {11, 10, "Puma", {294000, 168000, 378000, 47250, 42000}},
      {-1, 15, "Nike", {577500, 273000, 1176000, 136500, 73500}}}},
    {{{2, 1, "Smith Pharmacy", {19000, 9500, 57000, 4750, 2850}},
      {6, 5, "WorkSafe", {76000, 66500, 304000, 33250, 16625}},
      {10, 9, "Woolworths", {228000, 114000, 532000, 57000, 28500}},
      {14, 13, "Coles", {475000, 209000, 988000, 104500, 57000}}}},
    {{{1, 0, "Bob's Bakery", {9000, 4500, 45000, 2250, 1800}},
      {5, 4, "APA", {54000, 54000, 270000, 27000, 13500}},
      {9, 8, "Mayne", {180000, 90000, 270000, 81000, 45000}},
      {13, 12, "Panadol", {405000, 162000, 864000, 81000, 45000}}}},
}};
// clang-format on

// The tier multipliers and the market factors, in hundredths.
constexpr std::array<int, 4> kMultipliers = {110, 105, 95, 90};
constexpr std::array<int, 7> kFactors = {85, 90, 95, 100, 105, 110, 115};

// The window's message by tier, then by a roll of 3.
constexpr std::array<std::array<std::string_view, 3>, 4> kMessages = {{
    {"It is time to choose new sponsors. Due to your outstanding performances so far this season, "
     "you are receiving many offers of good quality. It's up to you to choose the one you believe "
     "will benefit you the most",
     "It is time to choose a new sponsor. Due to your fantastic performances for this season, you "
     "are receiving many offers of excellent quality. You can now choose which one will benefit "
     "you the most",
     "It is time to choose a new sponsor. Due to your brilliant performances during the season, "
     "you are receiving many good quality offers. You can only choose one though, so choose "
     "wisely"},
    {"It is time to choose a new sponsor. Due to your solid performances so far this season, you "
     "are receiving a few offers of good quality. It's up to you to choose the one you believe "
     "will benefit you the most",
     "It is time to choose a new sponsor. Due to your good performances for this season, you are "
     "receiving a couple of offers of good quality. You can now choose which one will benefit you "
     "the most",
     "It is time to choose a new sponsor. Due to your impressive performances during the season, "
     "you are receiving some offers you may find interesting. You can only choose one though, so "
     "choose wisely"},
    {"It is time to choose a new sponsor. Due to your inadequate performances so far this season, "
     "you are only receiving a couple of offers. It's up to you to choose the one you believe will "
     "benefit you the most",
     "It is time to choose a new sponsor. Due to your poor performances for this season, you are "
     "only receiving a few standard offers. You can now choose which one will benefit you the "
     "most",
     "It is time to choose a new sponsor. Due to your weak performances during the season, you are "
     "receiving only a small amount of offers. You can only choose one, so choose wisely"},
    {"It is time to choose a new sponsor. Due to your disastrous performances so far this season, "
     "your choices are extremely limited. It's up to you to choose the one you believe will "
     "benefit you the most",
     "It is time to choose a new sponsor. Due to your terrible performances for this season, you "
     "have a very small amount of sponsors to choose from. You can now choose which one will "
     "benefit you the most",
     "It is time to choose a new sponsor. Due to your pathetic performances during the season, you "
     "have received only a small amount of mediocre offers. Try and choose one that will offer "
     "some benefit to you"},
}};

// A sponsor's weekly boost: in the first range of the roll it gives `first`,
// in the second `second`, to one bar.
enum class Boost { Stamina, Health, Fitness, SlotGear };
struct ProductEffect {
  std::string_view sponsor;
  std::string_view alias;  // the shorter name a picked deal may go under
  Boost bar;
  int firstFrom, firstTo, first;
  int secondFrom, secondTo, second;
};
constexpr std::array<ProductEffect, 12> kEffects = {{
    {"Bob's Bakery", "", Boost::Stamina, 1, 2, 2, 5, 8, 1},
    {"Smith Pharmacy", "", Boost::Health, 1, 2, 2, 5, 8, 1},
    {"Not Just Tennis", "", Boost::SlotGear, 1, 2, 2, 5, 8, 1},
    {"Australia Physio Association", "APA", Boost::Fitness, 1, 4, 2, 6, 10, 1},
    {"WorkSafe", "", Boost::Health, 1, 4, 2, 6, 10, 1},
    {"SportsWear", "", Boost::SlotGear, 1, 4, 2, 6, 10, 1},
    {"Mayne", "", Boost::Health, 1, 2, 3, 5, 8, 2},
    {"Woolworths", "", Boost::Fitness, 1, 2, 3, 5, 8, 2},
    {"Puma", "", Boost::SlotGear, 1, 2, 3, 5, 8, 2},
    {"Panadol", "", Boost::Health, 1, 5, 3, 7, 10, 2},
    {"Coles", "", Boost::Fitness, 1, 5, 3, 7, 10, 2},
    {"Nike", "", Boost::SlotGear, 1, 5, 3, 7, 10, 2},
}};

int& SlotGear(Career& c, SponsorSlot slot) {
  switch (slot) {
    case SponsorSlot::Boots:
      return c.Boots;
    case SponsorSlot::Jumper:
    case SponsorSlot::Major:
      return c.Jumper;
    case SponsorSlot::Shorts:
      return c.Shorts;
    case SponsorSlot::Socks:
      break;
  }
  return c.Other;
}

int Tier(const Career& c) {
  if (c.MatchRatingAverage > 7.5 || c.AverageGoals > 4.0) return 1;
  if (c.MatchRatingAverage > 5.0) return 2;
  if (c.MatchRatingAverage > 2.5) return 3;
  return 4;
}

int CompetitionIndex(std::string_view league) {
  const auto it = std::find(kCompetitionNames.begin(), kCompetitionNames.end(), league);
  return it == kCompetitionNames.end() ? -1 : static_cast<int>(it - kCompetitionNames.begin());
}

// The whole dollars of an amount times a factor given in hundredths, worked
// in whole cents so that 6000 x 1.1 is 6600 and not a hair under it. Offers
// are never below nothing, so the whole part is the quotient.
Money WholePart(Money amount, int hundredths) {
  return Money::Dollars(amount.cents() * hundredths / (100 * 100));
}

Money SumOfDeals(const Career& c) {
  Money total;
  for (const SponsorScreen& screen : c.SponsorOffers) total += screen.Offer;
  return total;
}

}  // namespace

bool IsSponsorWindow(int matches) {
  return matches == kSponsorWindows[0] || matches == kSponsorWindows[1];
}

std::string& SlotSponsorLabel(Career& c, SponsorSlot slot) {
  switch (slot) {
    case SponsorSlot::Boots:
      return c.BootsSponsor;
    case SponsorSlot::Jumper:
      return c.JumperSponsor;
    case SponsorSlot::Major:
      return c.MajorSponsor;
    case SponsorSlot::Shorts:
      return c.ShortsSponsor;
    case SponsorSlot::Socks:
      break;
  }
  return c.SocksSponsor;
}

void PrepareSponsorOffers(Career& c, RunState& run, Random& random, Prompter& prompter) {
  const int a = random.roll(3);
  const int b = random.roll(7);
  if (!IsSponsorWindow(c.Matches)) return;
  c.PlayOpen = false;
  run.sponsorHighlight = true;

  for (std::size_t s = 0; s < kSlotCount; ++s) {
    for (std::size_t i = 0; i < kCompanyCount; ++i) {
      SponsorOffer& offer = c.SponsorOffers[s].Offers[i];
      offer.Amount = Money::Dollars(kBaseOffers[s][i]);
      // Only Bob's Bakery can be had until the offers are in.
      offer.Enabled = i == 0;
      offer.Chosen = i == 0;
    }
  }
  c.Sponsorship = SumOfDeals(c);

  const int tier = Tier(c);
  prompter.inform(
      std::string(kMessages[static_cast<std::size_t>(tier - 1)][static_cast<std::size_t>(a - 1)]));
  if (const int level = CompetitionIndex(c.League); level >= 0) {
    const TierDeal& deal =
        kTierDeals[static_cast<std::size_t>(tier - 1)][static_cast<std::size_t>(level)];
    for (std::size_t s = 0; s < kSlotCount; ++s) {
      SponsorScreen& screen = c.SponsorOffers[s];
      for (std::size_t i = 0; i < kCompanyCount; ++i) {
        const bool offers = deal.offers < 0 ? i != 14 : static_cast<int>(i) < deal.offers;
        screen.Offers[i].Enabled = screen.Offers[i].Enabled || offers;
        screen.Offers[i].Chosen = static_cast<int>(i) == deal.company;
      }
      screen.Sponsor = std::string(deal.name);
      screen.Offer = Money::Cents(deal.cents[s]);
      SlotSponsorLabel(c, static_cast<SponsorSlot>(s)) = std::string(deal.name);
    }
  }
  // Good form lifts every offer; in the two best tiers the market moves too.
  const int multiplier = kMultipliers[static_cast<std::size_t>(tier - 1)];
  for (SponsorScreen& screen : c.SponsorOffers) {
    for (SponsorOffer& offer : screen.Offers) {
      offer.Amount = WholePart(offer.Amount, multiplier);
      if (tier <= 2)
        offer.Amount = WholePart(offer.Amount, kFactors[static_cast<std::size_t>(b - 1)]);
    }
  }
}

void ApplySponsorEffects(Career& c, Random& random) {
  const int r = random.roll(10);
  for (std::size_t s = 0; s < kSlotCount; ++s) {
    const std::string& sponsor = c.SponsorOffers[s].Sponsor;
    const auto effect = std::find_if(kEffects.begin(), kEffects.end(), [&](const ProductEffect& e) {
      return sponsor == e.sponsor || (!e.alias.empty() && sponsor == e.alias);
    });
    if (effect == kEffects.end()) continue;
    int boost = 0;
    if (r >= effect->firstFrom && r <= effect->firstTo) boost = effect->first;
    if (r >= effect->secondFrom && r <= effect->secondTo) boost = effect->second;
    if (boost == 0) continue;
    int* bar = nullptr;
    switch (effect->bar) {
      case Boost::Stamina:
        bar = &c.Stamina;
        break;
      case Boost::Health:
        bar = &c.Health;
        break;
      case Boost::Fitness:
        bar = &c.Fitness;
        break;
      case Boost::SlotGear:
        bar = &SlotGear(c, static_cast<SponsorSlot>(s));
        break;
    }
    *bar = std::min(100, *bar + boost);
  }
}

SponsorshipView OpenSponsorship(const Career& c, const SponsorshipView& previous) {
  SponsorshipView view = previous;
  const int week = c.Matches;
  if (week <= 0 || week >= 26) return previous;
  view.windowOpen = IsSponsorWindow(week);
  if (week == 12) {
    view.remaining = 12;
  } else if (week == 24) {
    view.remaining = 13;
  } else if (week == 25) {
    view.remaining = 12;
  } else if (week >= 1 && week <= 11) {
    view.remaining = 12 - week;
  } else if (week >= 13 && week <= 23) {
    view.remaining = 24 - week;
  }
  return view;
}

void SelectSponsorOffer(Career& c, SponsorSlot slot, int company) {
  SponsorScreen& screen = c.SponsorOffers[static_cast<std::size_t>(slot)];
  if (company < 0 || company >= kCompanyCount) return;
  if (!screen.Offers[static_cast<std::size_t>(company)].Enabled) return;
  for (std::size_t i = 0; i < kCompanyCount; ++i) {
    screen.Offers[i].Chosen = static_cast<int>(i) == company;
  }
}

void ConfirmSponsorOffer(Career& c, SponsorSlot slot) {
  SponsorScreen& screen = c.SponsorOffers[static_cast<std::size_t>(slot)];
  for (std::size_t i = 0; i < kCompanyCount; ++i) {
    if (!screen.Offers[i].Chosen) continue;
    screen.Offer = screen.Offers[i].Amount;
    screen.Sponsor = std::string(kCompanies[i].shown);
    break;
  }
  c.Sponsorship = SumOfDeals(c);
  SlotSponsorLabel(c, slot) = screen.Sponsor;
}

void CloseSponsorship(Career& c, RunState& run) {
  if (!IsSponsorWindow(c.Matches)) return;
  c.PlayOpen = true;
  run.sponsorHighlight = false;
}

}  // namespace km
