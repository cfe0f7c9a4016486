// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "core/career.h"
#include "core/ports.h"

namespace km {

inline constexpr int kCampTests = 6;
inline constexpr int kCampPlayers = 70;

// The camp's tests in their order, and the unit each result is shown in
// (the time trial in minutes and seconds: 12.27 is 12 minutes 27).
struct CampTest {
  const char* activity;
  const char* unit;
};
inline constexpr std::array<CampTest, kCampTests> kCampTestList = {
    {{"20m Sprint", "Seconds"},
     {"Standing Jump", "Centimetres"},
     {"Running Jump", "Centimetres"},
     {"Agility Run", "Seconds"},
     {"Shuttle Run", "(Level)"},
     {"3km Time-Trial", "(Min.Sec)"}}};
// A season's average match rating above this puts him among the better
// players at the camp.
inline constexpr double kCampGoodRating = 7.1;
// With a Running of this or more a test's luck can go either way; below it,
// it only costs him places.
inline constexpr int kCampRunner = 150;

// One test's line on the camp screen.
struct CampRow {
  std::string Result = "0";
  int Rank = 0;
};

// What the draft camp screen shows.
struct CampState {
  std::string Name = "PLAYER NAME";
  int Test = -1;  // the step: -1 before the camp, 0 the welcome, 1..6 the tests, 7 the verdict
  std::string Activity = "20m Sprint";
  std::string Result = "0";
  std::string Unit = "(Seconds)";
  int Rank = 0;
  std::string Comments = "Camp not yet started...";
  std::array<CampRow, kCampTests> Rows;
  int RankAverage = 0;
  std::string StartCaption = "Begin Camp";
  bool StartEnabled = true;
  bool OkEnabled = false;
};

// The AFL draft camp: six tests, one a press of Start, judged against the
// 70 players there. The player's Overall and his season's average match
// rating decide how he goes, with a little luck.
class DraftCamp {
 public:
  explicit DraftCamp(const Career& career);

  [[nodiscard]] const CampState& state() const { return state_; }
  // One press of Start.
  void Step(Random& random);
  // The camp's average rank, which the draft reads once the camp is over.
  [[nodiscard]] int AverageRank() const { return state_.Rank; }
  [[nodiscard]] bool Finished() const { return state_.Test >= 7; }

 private:
  CampState state_;
  int group_;  // 1 for a rating average of 7.1 or less, 2 above
  int band_;   // the Overall's band, 1..6
  int running_;
};

// The entry (1..60) of the camp's tables for a rating group, Overall band and
// case (1..5), its rank base, and a test's result in it as shown.
int CampEntry(int group, int band, int caseNumber);
int CampRankBase(int entry);
std::string CampResult(int test, int entry);
// The Overall's band and the rating average's group.
int CampBand(int overall);
int CampGroup(double matchRatingAverage);
// The verdict on the whole camp for an average rank.
std::string CampVerdict(int averageRank);

}  // namespace km
