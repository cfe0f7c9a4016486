// SPDX-License-Identifier: GPL-3.0-or-later
#include "week/contracts.h"

#include <algorithm>

#include "core/clubs.h"

namespace km {
namespace {

constexpr std::array<std::string_view, 24> kAmounts = {
    "1500",  "2000",  "2500",  "3000",  "3500",  "4000",  "3000",  "4000",
    "5000",  "6000",  "7000",  "8000",  "6000",  "8000",  "10000", "12000",
    "14000", "16000", "12000", "16000", "20000", "24000", "28000", "32000"};
constexpr std::array<int, 6> kFirstOffers = {2000, 2500, 3000, 3500, 4000, 1500};

}  // namespace

bool IsOfferAmount(std::string_view text) {
  return std::find(kAmounts.begin(), kAmounts.end(), text) != kAmounts.end();
}

void PrepareFirstOffers(ContractOffers& offers, Random& random) {
  const ClubList& clubs = ClubsOf("Local Reserves", "");
  offers.title = "LOCAL RESERVES CLUB OFFERS";
  for (std::size_t i = 0; i < offers.rows.size(); ++i) {
    ContractOffer& row = offers.rows[i];
    row.offer = Money::Dollars(kFirstOffers[static_cast<std::size_t>(random.roll(6) - 1)]);
    row.length = random.roll(2);
    row.club = std::string(clubs[i]);
  }
}

void ClickOfferCell(Career& career, ContractOffers& offers, int row, std::string_view text) {
  // An offer or a length was clicked: nothing to choose.
  if (IsOfferAmount(text) || (text.size() == 1 && text[0] >= '1' && text[0] <= '5')) return;
  if (row < 1 || row > 16 || career.ContractMatches >= 1) return;
  const ContractOffer& offer = offers.rows[static_cast<std::size_t>(row - 1)];
  // Only the club's own name picks the row, not the grid's headings.
  if (text != offer.club) return;
  career.SignOpen = true;
  offers.pendingTeam = std::string(text);
  offers.pendingOffer = offer.offer;
  offers.pendingLength = offer.length;
  career.OfferContract = offer.offer.ToString();
}

void SignContract(Career& career, ContractOffers& offers, Story& newspaper, Prompter& prompter) {
  if (career.ContractMatches != 0) {
    // A contract still in force is not replaced; the papers report the
    // player's commitment to his club all the same.
    newspaper.headline = career.Name + " Signs With " + career.ContractTeam;
    newspaper.text = career.Name + " has today confirmed his signing with " + career.League +
                     " team, " + career.ContractTeam +
                     ". He will be an important addition to the club in his position at " +
                     career.Position +
                     " and will be looking to impress his new coach and prove their signing of "
                     "him to be a great move.";
    prompter.publish(newspaper);
    return;
  }
  if (offers.pendingTeam.empty()) return;
  career.Team = offers.pendingTeam;
  career.Wages = offers.pendingOffer;
  career.ContractTeam = offers.pendingTeam;
  career.ContractLength = offers.pendingLength;
  career.ContractCurrent = offers.pendingOffer;
  career.ContractMatches = offers.pendingLength * 26;
  career.SignOpen = false;
  career.PlayOpen = true;
  if (career.Levels[0].Matches == 0) {
    const std::string& club = offers.pendingTeam;
    newspaper.headline = "Rookie " + career.Name + " Signs With " + club;
    newspaper.text =
        "14-year-old " + career.Name +
        " has today confirmed his signing with Local Reserves team, " + club +
        ". He becomes the youngest player to ever be payed for playing football, and is expected "
        "to eventually make his mark at the top level in years to come. Experts are dubbing him "
        "the "
        "next big 'Kickmark'...";
    prompter.publish(newspaper);
  }
}

bool CloseContracts(const Career& career, Prompter& prompter) {
  if (career.ContractMatches == 0) {
    prompter.inform(kSignContractMessage);
    return false;
  }
  return true;
}

}  // namespace km
