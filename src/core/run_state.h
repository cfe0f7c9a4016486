#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/ports.h"

namespace km {

// How the hub paints its Play button: an injury turns it yellow, a
// suspension red, and the last missed match light grey.
enum class PlayColour { Normal, Injured, Suspended, LastMissed };

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
};

// A gear or condition bar below 50 is drawn in dark red.
inline bool IsBarLow(int value) { return value < 50; }

}  // namespace km
