// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/career.h"
#include "core/ports.h"
#include "core/run_state.h"
#include "core/save_file.h"
#include "week/contracts.h"

namespace km {

// The clubs' order of picking, the same every year.
inline constexpr std::array<std::string_view, 16> kDraftOrder = {
    "Carlton Blues",       "Hawthorn Hawks",    "Collingw'd Magpies", "Richmond Tigers",
    "Essendon Bombers",    "Fremantle Dockers", "Sydney Swans",       "Kangaroos",
    "Adelaide Crows",      "Western Bulldogs",  "Geelong Cats",       "Brisbane Lions",
    "Port Adelaide Power", "Melbourne Demons",  "St.Kilda Saints",    "West Coast Eagles"};

inline constexpr int kLastPick = 80;

// The picks' tiers: a pick from firstPick to lastPick takes him when his
// camp's average rank is campRank or better, his Overall above overall
// (200: exactly 200) and his season's average match rating above rating;
// the last pick takes him whatever. He goes in the tier's round of the
// draft, at its weekly wage, on a contract of kDraftContractSeasons.
struct DraftTier {
  int firstPick;
  int lastPick;
  int campRank;
  int overall;
  double rating;
  int round;
  int wage;
};
inline constexpr std::array<DraftTier, 10> kDraftTiers = {{
    {1, 1, 5, 200, 8.0, 1, 32000},
    {2, 5, 10, 185, 7.5, 1, 30000},
    {6, 10, 20, 175, 7.2, 1, 28000},
    {11, 16, 30, 160, 7.0, 1, 26000},
    {17, 24, 40, 150, 6.8, 2, 24000},
    {25, 32, 50, 140, 6.6, 2, 22000},
    {33, 48, 60, 130, 6.4, 3, 20000},
    {49, 64, 69, 120, 6.2, 4, 18000},
    {65, 79, 69, 120, 6.3, 5, 16000},
    {80, kLastPick, 70, 0, 0, 5, 14000},
}};
inline constexpr int kDraftContractSeasons = 2;

// What the draft screen shows.
struct DraftState {
  std::string Name;
  int Pick = 0;
  int Round = 0;
  std::string Team = "Draft Not Yet Started";
  int Slot = 0;  // the highlighted club of the order, 1..16 (0: none yet)
  std::string PickCaption = "Begin Draft";
  bool Drafted = false;
  bool Finished = false;
};

// The national draft: the sixteen AFL clubs pick in turn over five rounds,
// and the first pick whose thresholds the player meets takes him.
class Draft {
 public:
  // The draft screen opens: the AFL clubs' offers, ladder and fixture for
  // the coming season. Fails with the fixture file's sentence.
  static std::variant<Draft, FileError> Open(Career& career, ContractOffers& offers, Random& random,
                                             const std::filesystem::path& folder, int campRank);

  [[nodiscard]] const DraftState& state() const { return state_; }

  // One press of the pick button. When the player is taken, his contract is
  // made, the papers have the story and the draft is over.
  void Pick(Career& career, ContractOffers& offers, RunState& run, Prompter& prompter);

 private:
  DraftState state_;
  int campRank_ = 70;
};

// The pick's tier: whether the player is taken there, and its round and
// starting wage.
struct PickTier {
  int firstPick;
  int round;
  int wage;
};
std::optional<PickTier> TakenAt(int pick, int campRank, int overall, double matchRatingAverage);

}  // namespace km
