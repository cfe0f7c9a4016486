#pragma once

// What a player does on the hub before he can press Play, for engine tests
// that drive a career week by week through Game.

#include <cstddef>

#include "core/game.h"
#include "week/sponsors.h"

namespace km::testing {

// The sponsor window closed, and the best offer signed when his contract
// has run out (the first of equal offers).
inline void DoHubChores(Game& game) {
  Career& c = game.career();
  if (game.run().sponsorHighlight) CloseSponsorship(c, game.run());
  if (c.PlayOpen || c.ContractMatches >= 1) return;
  std::size_t best = 0;
  for (std::size_t row = 1; row < game.contracts().rows.size(); ++row) {
    if (game.contracts().rows[row].offer > game.contracts().rows[best].offer) best = row;
  }
  game.ClickOffer(static_cast<int>(best) + 1, game.contracts().rows[best].club);
  game.Sign();
}

}  // namespace km::testing
