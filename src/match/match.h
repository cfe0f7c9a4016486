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

// The five statistical profiles the thirteen positions fall into.
enum class Profile { FullBack, BackFlank, Midfield, ForwardFlank, FullForward };
std::optional<Profile> ProfileOf(std::string_view position);

inline constexpr int kQuarterMinutes = 30;
inline constexpr int kQuarters = 4;
// A match rating as the match screen shows it, and as the round's record
// keeps it: one decimal, "2.0" for two.
inline constexpr const char* kMatchRatingPattern = "0.0";

// What the match screen shows, as it stands.
struct MatchState {
  int Quarter = 0;  // quarters started so far
  int Time = 0;     // minutes played in the current quarter
  std::string QuarterTitle = "PRE-GAME";
  std::string Title = "MATCH STATISTICS";
  std::string TeamOne;
  std::string TeamTwo;
  int GoalsOne = 0;
  int BehindsOne = 0;
  int GoalsTwo = 0;
  int BehindsTwo = 0;
  int PointsOne = 0;
  int PointsTwo = 0;
  // The score at the end of each quarter (lblGoalsOne1 .. lblBehindsTwo4).
  std::array<int, kQuarters> GoalsOneAt{};
  std::array<int, kQuarters> BehindsOneAt{};
  std::array<int, kQuarters> GoalsTwoAt{};
  std::array<int, kQuarters> BehindsTwoAt{};
  // The player's running match figures.
  int Disposals = 0;
  int Goals = 0;
  int Behinds = 0;
  double MatchRating = 0;  // out of 10, one decimal
  std::string Comments = "None...";
  std::string Position;
  std::string Name;
  std::string Team;
  int MatchIndex = 0;  // the row of this match on the round screen, 0..7

  // What the screen's controls do.
  std::string StartCaption = "Start Match";
  bool StartEnabled = true;
  bool ClockRunning = false;
  bool FullTime = false;  // the rating and Finish are shown
};

// The player's own match, quarter by quarter. The screen calls StartQuarter
// at each press of Start and then PlayMinute until the quarter is over; the
// simulator and the tests do the same in a loop.
class Match {
 public:
  // Makes the match ready for the week (the screen's load): the title from
  // the season's week, the player's name, club and position from the career.
  Match(const Career& career, Random& random, std::string teamOne, std::string teamTwo,
        int matchIndex = 0);

  [[nodiscard]] const MatchState& state() const { return state_; }

  // One press of Start: the clock is set going, and the player's figures for
  // the quarter, the rating and the comment are worked out at once.
  void StartQuarter();

  // One minute of the clock. Returns true when it ended the quarter.
  bool PlayMinute();

  // Plays the rest of the current quarter's minutes.
  void FinishQuarter();

  // Plays every remaining quarter to full time.
  void PlayToFullTime();

  // Whether the player takes part (neither injured nor suspended this week).
  [[nodiscard]] bool PlayerIsOut() const { return injury_ > -1 || suspension_ > -1; }

 private:
  void PlayerQuarter();
  void RateQuarter(Profile profile);
  void EndQuarter();

  Random& random_;
  MatchState state_;
  // What the match reads from the career.
  int overall_;
  int healthOverall_;
  int gearOverall_;
  int age_;
  int matches_;
  int injury_;
  int suspension_;
  std::string league_;
  std::array<std::string, kLadderRows> ladder_;
};

// A full match's disposals and goals before condition, gear and age, for one
// profile and Overall: the base disposals and the goal potential of the
// Overall's band. Nothing for an Overall outside 1..200.
struct Potential {
  int disposals;
  int goals;
};
std::optional<Potential> PotentialOf(Profile profile, int overall);

// The disposal spread m(a) for a draw a of 1..50, and the goal spread g(b)
// for a draw b of 1..50 (forwards have their own).
double DisposalSpread(int a);
double GoalSpread(Profile profile, int b);
// The behinds per goal h for a draw of 1..15.
double BehindSpread(int draw);

// The factor condition puts on a full match's disposals and goals: all of
// them at a full health overall, a tenth less for every ten points short or
// part of ten, and next to nothing below kConditionFloor.
inline constexpr int kConditionFloor = 10;
double ConditionFactor(int healthOverall);
// The factor age puts on them, from kAgeTellsFrom.
inline constexpr int kAgeTellsFrom = 36;
double AgeFactor(int age);

// The rating of running figures to one decimal (halves up), before the cap at
// 10 and the quarter's scaling.
double RatingOf(Profile profile, std::string_view position, int disposals, int goals);

// A quarter's rating projected over the quarters still to come (x 4 after the
// first, x 2 after the second, x 1.33 after the third, to one decimal), at
// most 10.
double ProjectedRating(int quarter, double rating);

// What one minute's draw r of 1..120 scores for two clubs: the clubs named
// in the fixed rows score directly, and a club on the ladder rows a band
// names scores too (both may score on one draw). Returns the Overall that a
// star must have for the draw to be his club's goal (0: the draw is not one
// of those).
int ScoreMinute(int r, const std::array<std::string, kLadderRows>& ladder,
                const std::string& teamOne, const std::string& teamTwo, int& goalsOne,
                int& behindsOne, int& goalsTwo, int& behindsTwo);

// A final is never drawn.
bool FinalMustHaveWinner(int matches);

// His line of the round's record: his disposals, goals, behinds, match
// rating and position as the match screen shows them at full time.
PlayerLine PlayerLineOf(const MatchState& state);

}  // namespace km
