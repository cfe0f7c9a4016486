// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/ports.h"

namespace km {

struct Career;

// The hub's gear and condition bars, in the order it shows them.
enum class HubBar {
  Boots,
  Jumper,
  Shorts,
  Other,
  GearOverall,
  Fitness,
  Health,
  Stamina,
  HealthOverall,
};
inline constexpr std::size_t kHubBarCount = 9;

// The colour a hub bar is drawn in. Every bar starts Plain. A purchase at the
// gear store or the health centre draws each of its bars that stands at 50
// or more Restored (yellow, the overall bar dark blue); each match draws
// every bar below 50 Low (dark red). In between a bar keeps its colour,
// whatever its value does.
enum class BarColour { Plain, Restored, Low };

// How the hub paints its Play button: an injury turns it yellow, a
// suspension red, and the last missed match light grey.
enum class PlayColour { Normal, Injured, Suspended, LastMissed };

// Their names for a front end's style sheet: "plain", "restored", "low";
// "normal", "injured", "suspended", "lastMissed".
const char* ColourName(BarColour colour);
const char* ColourName(PlayColour colour);

// One match's row on the round screen: the score at the end of each quarter
// and the final points.
struct RoundSlot {
  std::array<int, 4> GoalsOne{};
  std::array<int, 4> BehindsOne{};
  std::array<int, 4> GoalsTwo{};
  std::array<int, 4> BehindsTwo{};
  int PointsOne = 0;
  int PointsTwo = 0;
  bool operator==(const RoundSlot&) const = default;
};

inline constexpr int kMatchesPerRound = 8;

// The player's line of a round as the results file keeps it: disposals,
// goals, behinds, rating and the position he played.
struct PlayerLine {
  std::string Disposals = "0";
  std::string Goals = "0";
  std::string Behinds = "0";
  std::string MatchRating = "0";
  std::string Position = "0";
  bool operator==(const PlayerLine&) const = default;
};

// The sponsorship screen's weeks to the next window (nothing before it was
// first opened) and whether its slots can be changed.
struct SponsorshipView {
  std::optional<int> remaining;
  bool windowOpen = false;
};

// What the game keeps while it runs besides the career record: none of it is
// saved.
struct RunState {
  // The newspaper's last story; its masthead is "Local Times" until a move
  // between competitions names another paper.
  Story newspaper{"Local Times", "", ""};
  PlayColour playColour = PlayColour::Normal;
  // The hub's Sponsorship button is highlighted while a sponsor window waits.
  bool sponsorHighlight = false;
  SponsorshipView sponsorship;
  // The round screen's eight slots: the clubs and their scores. They keep
  // what they last held until a round writes over them.
  std::array<std::string, kMatchesPerRound> roundTeamOne{};
  std::array<std::string, kMatchesPerRound> roundTeamTwo{};
  std::array<RoundSlot, kMatchesPerRound> roundSlots{};
  // The player's figures from the match screen's last match.
  PlayerLine lastPlayer;
  // The Brownlow night's votes: the player's, the winner's, his place.
  int brownlowVotes = 0;
  int brownlowTopVotes = 0;
  int brownlowPosition = 0;
  // The player said Yes to a new position: the position screen is due.
  bool positionChangeDue = false;
  // The headlines of milestone stories (games and goals) about to be
  // published, so that the career log files them as milestones.
  std::vector<std::string> milestones;
  // The hub's bars, each in the colour the last purchase or match left it.
  std::array<BarColour, kHubBarCount> barColours{};

  [[nodiscard]] BarColour colourOf(HubBar bar) const {
    return barColours[static_cast<std::size_t>(bar)];
  }
};

// A gear or condition bar below 50 is drawn in dark red after a match.
inline constexpr int kLowBar = 50;
inline bool IsBarLow(int value) { return value < kLowBar; }

// The value a hub bar shows.
int HubBarValue(const Career& career, HubBar bar);

// A purchase at the gear store or the health centre, paid for or refused:
// its bars, `first` to `last`, that stand at 50 or more are drawn restored;
// those below 50 keep their colour.
void MarkRestoredBars(const Career& career, RunState& run, HubBar first, HubBar last);

// A match booked: every bar below 50 is drawn low; the rest keep their
// colour.
void MarkLowBars(const Career& career, RunState& run);

}  // namespace km
