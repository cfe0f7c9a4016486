// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/career.h"

#include "core/number_format.h"

namespace km {

Career::Career() {
  // Every offer screen starts with its sixteen companies' opening amounts and
  // a deal with Bob's Bakery, the only company that can be chosen.
  for (int slot = 0; slot < kSlotCount; ++slot) {
    SponsorScreen& screen = SponsorOffers[static_cast<std::size_t>(slot)];
    for (int i = 0; i < kCompanyCount; ++i) {
      SponsorOffer& offer = screen.Offers[static_cast<std::size_t>(i)];
      offer.Amount = Money::Dollars(
          kCompanies[static_cast<std::size_t>(i)].startingOffer[static_cast<std::size_t>(slot)]);
      offer.Enabled = i == 0;
      offer.Chosen = i == 0;
    }
    screen.Sponsor = std::string(kCompanies[0].shown);
    screen.Offer = Money::Dollars(kStartingDeals[static_cast<std::size_t>(slot)]);
  }
  // Until a competition's clubs are drawn, the ladder rows carry their own
  // names.
  for (int row = 0; row < kLadderRows; ++row) {
    Ladder[static_cast<std::size_t>(row)].Team =
        std::string(kOrdinalWords[static_cast<std::size_t>(row)]);
  }
}

Career Career::Create() { return Career(); }

void Career::ResetSeason(bool resetClubRecord) {
  Matches = 0;
  MatchesPlayed = 0;
  Disposals = 0;
  Goals = 0;
  Behinds = 0;
  MostGoals = 0;
  MostDisposals = 0;
  AverageDisposals = 0;
  AverageGoals = 0;
  BOGs = 0;
  MatchRating = 0;
  MatchRatingAverage = 0;
  if (resetClubRecord) {
    TeamMatches = 0;
    TeamWins = 0;
    TeamLosses = 0;
    TeamDraws = 0;
    TeamGoals = 0;
    TeamBehinds = 0;
  }
  for (std::string* flag :
       {&SeasonMVP, &SeasonBrownlow, &SeasonMostGoals, &SeasonColeman, &SeasonRookie,
        &SeasonRisingStar, &SeasonU21, &SeasonBestAndFairest, &SeasonAllStar, &SeasonVictoria,
        &SeasonVictoriaMatches, &SeasonAustralia, &SeasonAustraliaMatches, &SeasonCaptain}) {
    flag->assign(1, 'N');
  }
  Age += 1;
}

int OverallOf(int kicking, int handballing, int tackling, int marking, int running) {
  // In thousandths, the weights being 1.25 and 0.833, so the rounding is exact.
  const long long thousandths =
      1250LL * (kicking + handballing) + 833LL * (tackling + marking + running);
  return static_cast<int>(RoundedQuotient(thousandths, 5 * 1000));
}

int BarMean(int a, int b, int c) { return static_cast<int>(RoundedQuotient(a + b + c, 3)); }

int BarMean(int a, int b, int c, int d) {
  return static_cast<int>(RoundedQuotient(a + b + c + d, 4));
}

}  // namespace km
