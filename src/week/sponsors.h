// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/career.h"
#include "core/ports.h"
#include "core/run_state.h"

namespace km {

// The sponsor window opens after the twelfth and the twenty-fourth week:
// Play waits and the hub's Sponsorship button is highlighted until the
// player has been to the sponsorship screen.
inline constexpr std::array<int, 2> kSponsorWindows = {12, 24};
bool IsSponsorWindow(int matches);

// The round's sponsor step: at a window, every offer screen is reset and
// filled for the player's form this season, and a deal is picked for him in
// every slot. Nothing happens in other weeks.
void PrepareSponsorOffers(Career& career, RunState& run, Random& random, Prompter& prompter);

// Every week, each slot's sponsor may give its small boost: one roll of 10
// serves all five slots.
void ApplySponsorEffects(Career& career, Random& random);

// The sponsorship screen as it opens: the weeks to the next window and
// whether the slots can be changed now. Before the first week and after the
// last the screen shows what it showed the time before (`previous`).
SponsorshipView OpenSponsorship(const Career& career, const SponsorshipView& previous);

// The five slot labels of the sponsorship screen, by offer screen.
std::string& SlotSponsorLabel(Career& career, SponsorSlot slot);

// Choosing a company's option on an offer screen (only an enabled one).
void SelectSponsorOffer(Career& career, SponsorSlot slot, int company);

// An offer screen's OK: the chosen company becomes the slot's deal, and the
// weekly sponsorship is the sum of the five deals.
void ConfirmSponsorOffer(Career& career, SponsorSlot slot);

// The sponsorship screen's Close: at a window, Play is free again.
void CloseSponsorship(Career& career, RunState& run);

}  // namespace km
