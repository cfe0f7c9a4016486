// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/career.h"
#include "core/ports.h"

namespace km {

// One row of the contract screen's offers: the club, its weekly offer and
// the contract's length in seasons.
struct ContractOffer {
  std::string club;
  Money offer;
  int length = 0;
};

// The contract screen's offers and the pending choice. None of it is saved:
// the choice lives only while the screen is up.
struct ContractOffers {
  std::string title = "LOCAL RESERVES CLUB OFFERS";
  std::array<ContractOffer, 16> rows;
  std::string pendingTeam;
  Money pendingOffer;
  int pendingLength = 0;
};

inline constexpr const char* kSignContractMessage = "Please sign a contract";

// The weekly amounts a club of each competition can offer.
bool IsOfferAmount(std::string_view text);

// A brand-new career's first offers: the sixteen Local Reserves clubs, each
// offering 1500 to 4000 a week (a roll of 6) for 1 or 2 seasons (a roll of 2).
void PrepareFirstOffers(ContractOffers& offers, Random& random);

// A click on a cell of the offers grid: an offer or a length does nothing; a
// club name picks its row, but only while no contract is in force.
void ClickOfferCell(Career& career, ContractOffers& offers, int row, std::string_view text);

// Sign: the pending offer becomes the contract (a season is 26 matches), and
// a brand-new career's first signing makes the papers.
void SignContract(Career& career, ContractOffers& offers, Story& newspaper, Prompter& prompter);

// OK: refused with "Please sign a contract" while no contract is in force.
bool CloseContracts(const Career& career, Prompter& prompter);

}  // namespace km
