// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "core/career.h"
#include "core/ports.h"
#include "core/run_state.h"
#include "core/save_file.h"
#include "week/contracts.h"

namespace km {

inline constexpr const char* kAwardsNightMessage =
    "The season is over and the annual awards night has come and gone. Here are the results...";
inline constexpr const char* kEmptyHandedMessage =
    "Unfortunately you did not receive any awards and walk away empty handed. Better luck next "
    "season";

// What the awards night asks of a season: an average match rating above the
// award's bar (the local competitions' and the State League's, then the
// AFL's), more than kAwardGoals goals, or both.
struct AwardBar {
  double local;
  double afl;
};
inline constexpr AwardBar kAllStarRating{7.8, 7.9};  // the All-Star, Origin or Australian side
inline constexpr AwardBar kBestAndFairestRating{8.0, 8.1};
inline constexpr AwardBar kUnder21Rating{7.2, 7.3};
inline constexpr AwardBar kRookieRating{7.5, 7.6};
inline constexpr double kMostValuableRating = 8.5;
inline constexpr int kAwardGoals = 79;
// The Coleman Medal is his for certain beyond this many goals.
inline constexpr int kColemanCertainGoals = 109;
// The under-21 and rookie awards: younger than kYoungAge; a rookie has
// fewer than kRookieMatches matches in the competition.
inline constexpr int kYoungAge = 22;
inline constexpr int kRookieMatches = 26;
// The Brownlow's winner polls kBrownlowWinnerBase and a roll of
// kBrownlowWinnerSpread.
inline constexpr int kBrownlowWinnerBase = 20;
inline constexpr int kBrownlowWinnerSpread = 16;

// The awards night of the player's competition, the Brownlow night in the
// AFL included. Returns how many awards he won.
int AwardsNight(Career& career, RunState& run, Random& random, Prompter& prompter);

// The season's block of the season history and the whole career history.
std::string SeasonHistoryBlock(const Career& career);
std::string CareerHistoryText(const Career& career);

// Closes a season after the grand final: the records, the awards night, the
// histories, growth, the position questions and the resets. A history file
// that cannot be written is returned; the season is closed all the same.
std::optional<FileError> CloseSeason(Career& career, RunState& run, Random& random,
                                     Prompter& prompter, const std::filesystem::path& folder);

// The career moves on after the season's close: the same competition while
// the contract runs, otherwise by the season's figures up a level (or to the
// draft camp from the State League), the same level, down a level, or into
// retirement. Fills the contract offers for the next season and writes its
// fixture.
std::optional<FileError> MoveOn(Career& career, RunState& run, ContractOffers& offers,
                                Random& random, Prompter& prompter,
                                const std::filesystem::path& folder);

// The contract screen's heading for a competition's offers
// ("LOCAL FIRSTS CLUB OFFERS").
std::string OffersTitle(std::string_view league);

// A retired player's hub opens only the information screens.
// The player's histories: a block a season, and his whole career.
std::filesystem::path SeasonHistoryPath(const std::filesystem::path& folder, const Career& career);
std::filesystem::path CareerHistoryPath(const std::filesystem::path& folder, const Career& career);

bool IsRetired(const Career& career);

// The season's numbers that earn a player whose contract is over offers from
// the level above (or the draft camp, from the State League): an average
// above 5.7 with more than 59 goals, an average above 6.2, or more than 89
// goals.
inline constexpr double kPromotionRating = 6.2;
inline constexpr double kPromotionRatingWithGoals = 5.7;
inline constexpr int kPromotionGoalsWithRating = 59;
inline constexpr int kPromotionGoals = 89;
bool PassesPromotionTest(const Career& career);

// A season's average from which a player who is not promoted is kept on at
// his level; below it he drops a level, or in the Local Reserves is kept on
// until kRetirementAge and retires from it.
inline constexpr double kKeptOnRating = 2.5;
inline constexpr int kRetirementAge = 30;

// The ages at which he may choose a new position for next season.
inline constexpr std::array<int, 2> kPositionChangeAges = {20, 30};

// Fills the contract offers of a competition's sixteen clubs: amounts and
// lengths by the competition (`restay`: re-signing in the Local Reserves
// allows up to three seasons).
void FillOffers(ContractOffers& offers, const std::array<std::string, 16>& clubs,
                std::string_view league, bool restay, Random& random);

// Every round from kAgeingFrom, age takes its toll on the body and the
// skills.
inline constexpr int kAgeingFrom = 28;
void AgeingDecline(Career& career);

}  // namespace km
