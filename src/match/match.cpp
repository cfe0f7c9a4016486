// SPDX-License-Identifier: GPL-3.0-or-later
#include "match/match.h"

#include <algorithm>

#include "core/number_format.h"
#include "match/commentary.h"

namespace km {
namespace {

constexpr std::array<std::string_view, 25> kGameWords = {
    "ONE",        "TWO",          "THREE",       "FOUR",       "FIVE",     "SIX",      "SEVEN",
    "EIGHT",      "NINE",         "TEN",         "ELEVEN",     "TWELVE",   "THIRTEEN", "FOURTEEN",
    "FIFTEEN",    "SIXTEEN",      "SEVENTEEN",   "EIGHTEEN",   "NINETEEN", "TWENTY",   "TWENTY-ONE",
    "TWENTY-TWO", "TWENTY-THREE", "TWENTY-FOUR", "TWENTY-FIVE"};

constexpr std::array<std::string_view, kQuarters> kBreakTitles = {
    "QUARTER TIME", "HALF TIME", "THREE-QUARTER TIME", "FULL TIME"};

struct ProfileOfPosition {
  std::string_view position;
  Profile profile;
};
constexpr std::array<ProfileOfPosition, 13> kProfiles = {{
    {"Full Back", Profile::FullBack},
    {"Back Pocket", Profile::FullBack},
    {"Back Flank", Profile::BackFlank},
    {"Centre-Half-Back", Profile::BackFlank},
    {"Wing", Profile::Midfield},
    {"Ruck", Profile::Midfield},
    {"Rover", Profile::Midfield},
    {"Ruck Rover", Profile::Midfield},
    {"Centre", Profile::Midfield},
    {"Forward Flank", Profile::ForwardFlank},
    {"Centre-Half-Forward", Profile::ForwardFlank},
    {"Full Forward", Profile::FullForward},
    {"Forward Pocket", Profile::FullForward},
}};

// Base disposals / goal potential of a full match, by Overall band (the
// band's upper bound first, lowest band first) and profile in the order
// FullBack, BackFlank, Midfield, ForwardFlank, FullForward.
struct BandRow {
  int upTo;
  std::array<Potential, 5> byProfile;
};
constexpr std::array<BandRow, 20> kPotentials = {{
    {10, {{{1, 0}, {1, 0}, {2, 0}, {1, 1}, {1, 1}}}},
    {20, {{{3, 0}, {3, 0}, {4, 0}, {3, 1}, {2, 2}}}},
    {30, {{{5, 0}, {5, 0}, {6, 0}, {5, 2}, {4, 2}}}},
    {40, {{{7, 0}, {7, 0}, {8, 1}, {7, 2}, {5, 2}}}},
    {50, {{{8, 0}, {8, 0}, {10, 1}, {8, 2}, {7, 2}}}},
    {60, {{{10, 0}, {10, 1}, {12, 1}, {10, 2}, {8, 2}}}},
    {70, {{{12, 0}, {12, 1}, {14, 1}, {12, 3}, {10, 3}}}},
    {80, {{{14, 0}, {14, 1}, {16, 1}, {14, 3}, {11, 3}}}},
    {90, {{{15, 0}, {15, 1}, {18, 2}, {15, 3}, {13, 3}}}},
    {100, {{{17, 0}, {17, 1}, {20, 2}, {17, 3}, {14, 4}}}},
    {110, {{{19, 0}, {19, 1}, {22, 2}, {19, 4}, {16, 4}}}},
    {120, {{{21, 1}, {21, 1}, {24, 2}, {21, 4}, {17, 5}}}},
    {130, {{{22, 1}, {22, 2}, {26, 2}, {22, 4}, {19, 5}}}},
    {140, {{{24, 1}, {24, 2}, {28, 3}, {24, 5}, {21, 6}}}},
    {150, {{{26, 1}, {26, 2}, {30, 3}, {26, 5}, {23, 7}}}},
    {160, {{{28, 1}, {28, 2}, {32, 3}, {28, 5}, {24, 7}}}},
    {170, {{{29, 1}, {29, 2}, {34, 3}, {29, 6}, {26, 8}}}},
    {180, {{{31, 1}, {31, 4}, {36, 4}, {31, 6}, {27, 8}}}},
    {190, {{{33, 1}, {33, 3}, {38, 4}, {33, 7}, {29, 9}}}},
    {200, {{{35, 1}, {35, 3}, {40, 4}, {35, 7}, {30, 9}}}},
}};

// A spread table: the factor for draws from `from` upwards, highest first.
struct Spread {
  int from;
  double factor;
};
constexpr std::array<Spread, 13> kDisposalSpread = {{{45, 1},
                                                     {40, 0.95},
                                                     {36, 0.9},
                                                     {32, 0.85},
                                                     {28, 0.8},
                                                     {24, 0.75},
                                                     {20, 0.7},
                                                     {17, 0.65},
                                                     {14, 0.6},
                                                     {11, 0.55},
                                                     {8, 0.5},
                                                     {5, 0.45},
                                                     {1, 0.4}}};
constexpr std::array<Spread, 7> kBackGoalSpread = {
    {{49, 1}, {47, 0.7}, {45, 0.6}, {42, 0.5}, {39, 0.3}, {36, 0.2}, {1, 0.1}}};
constexpr std::array<Spread, 10> kForwardGoalSpread = {{{45, 1},
                                                        {40, 0.9},
                                                        {35, 0.8},
                                                        {31, 0.7},
                                                        {27, 0.6},
                                                        {23, 0.5},
                                                        {19, 0.4},
                                                        {15, 0.3},
                                                        {11, 0.2},
                                                        {1, 0.1}}};
constexpr std::array<double, 15> kBehindSpread = {0.2, 0.4, 0.6, 0.8, 1,   1.2, 1.4, 1.6,
                                                  1.8, 2,   0.2, 0.2, 0.2, 0.2, 0.2};

template <std::size_t N>
double Lookup(const std::array<Spread, N>& table, int draw) {
  for (const Spread& s : table) {
    if (draw >= s.from) return s.factor;
  }
  return table.back().factor;
}

// One minute's draw of 1..120 and what it scores.
enum class Score {
  GoalOne,
  BehindOne,
  GoalTwo,
  BehindTwo,
  LadderGoal,
  LadderBehind,
  ClubGoal,
  None
};
struct MinuteRow {
  int upTo;
  Score score;
  int detail;  // the first of the two ladder places, or the Overall a club goal needs
};
constexpr std::array<MinuteRow, 24> kMinute = {{
    {8, Score::GoalOne, 0},        {14, Score::BehindOne, 0},     {22, Score::GoalTwo, 0},
    {27, Score::BehindTwo, 0},     {35, Score::LadderGoal, 1},    {42, Score::LadderBehind, 1},
    {49, Score::LadderGoal, 3},    {56, Score::LadderBehind, 3},  {62, Score::LadderGoal, 5},
    {68, Score::LadderBehind, 5},  {73, Score::LadderGoal, 7},    {78, Score::LadderBehind, 7},
    {82, Score::LadderGoal, 9},    {86, Score::LadderBehind, 9},  {89, Score::LadderGoal, 11},
    {92, Score::LadderBehind, 11}, {94, Score::LadderGoal, 13},   {96, Score::LadderBehind, 13},
    {97, Score::LadderGoal, 15},   {98, Score::LadderBehind, 15}, {99, Score::ClubGoal, 100},
    {101, Score::ClubGoal, 150},   {104, Score::ClubGoal, 200},   {120, Score::None, 0},
}};

int Round(double value) { return static_cast<int>(RoundHalfAway(value)); }

}  // namespace

std::optional<Profile> ProfileOf(std::string_view position) {
  for (const auto& p : kProfiles) {
    if (p.position == position) return p.profile;
  }
  return std::nullopt;
}

std::optional<Potential> PotentialOf(Profile profile, int overall) {
  if (overall < 1 || overall > 200) return std::nullopt;
  for (const BandRow& row : kPotentials) {
    if (overall <= row.upTo) return row.byProfile[static_cast<std::size_t>(profile)];
  }
  return std::nullopt;
}

double DisposalSpread(int a) { return Lookup(kDisposalSpread, a); }

double GoalSpread(Profile profile, int b) {
  const bool forward = profile == Profile::ForwardFlank || profile == Profile::FullForward;
  return forward ? Lookup(kForwardGoalSpread, b) : Lookup(kBackGoalSpread, b);
}

double BehindSpread(int draw) { return kBehindSpread[static_cast<std::size_t>(draw - 1)]; }

double ConditionFactor(int h) {
  if (h >= kFullBar) return 1;
  if (h < kConditionFloor) return 0.01;
  return (h / 10) / 10.0;  // 90..99 → 0.9, .., 10..19 → 0.1
}

double AgeFactor(int age) {
  if (age >= 45) return 0.2;
  if (age >= 40) return 0.5;
  if (age >= kAgeTellsFrom) return 0.8;
  return 1;
}

double RatingOf(Profile profile, std::string_view position, int d, int g) {
  // Each profile rates disposals around a pivot; forwards add a part for
  // their goals around a pivot of three. The rating is worked in whole
  // thousandths of a point (no weight has more than three decimal places), so
  // that a rating on a half, such as 5 - 15 x 0.33 = 0.05, really is one.
  auto around = [](int value, int pivot, long long atPivot, long long below, long long above) {
    if (value < pivot) return atPivot - (pivot - value) * below;
    if (value > pivot) return atPivot + (value - pivot) * above;
    return atPivot;
  };
  constexpr long long kTen = 10000;
  long long thousandths = 0;
  switch (profile) {
    case Profile::FullBack:
    case Profile::BackFlank:
      thousandths = d == 35 ? kTen : around(d, 10, 5000, 500, 200);
      break;
    case Profile::Midfield:
      thousandths = around(d, 15, 5000, 330, 250);
      break;
    case Profile::ForwardFlank:
      thousandths =
          d == 35 && g == 6 ? kTen : around(d, 10, 3300, 330, 165) + around(g, 3, 1700, 567, 850);
      break;
    case Profile::FullForward: {
      const long long perGoal = position == "Forward Pocket" ? 500 : 750;
      thousandths = d == 35 && g == 8
                        ? kTen
                        : around(d, 10, 1500, 150, 75) + around(g, 3, 3500, 1167, perGoal);
      break;
    }
  }
  return static_cast<double>(RoundedQuotient(thousandths, 100)) / 10;
}

double ProjectedRating(int quarter, double rating) {
  // In tenths: x 1.33 gives thousandths, rounded back to one decimal.
  const long long tenths = TenthsOf(rating);
  long long projected = tenths;
  if (quarter == 1) projected = tenths * 4;
  if (quarter == 2) projected = tenths * 2;
  if (quarter == 3) projected = RoundedQuotient(tenths * 133, 100);
  return std::min(10.0, static_cast<double>(projected) / 10);
}

// Every week of the finals needs winners to draw the next week from, the
// qualifying week's included.
bool FinalMustHaveWinner(int matches) { return matches >= kHomeAndAwayRounds; }

int ScoreMinute(int r, const std::array<std::string, kLadderRows>& ladder,
                const std::string& teamOne, const std::string& teamTwo, int& goalsOne,
                int& behindsOne, int& goalsTwo, int& behindsTwo) {
  const MinuteRow& row = *std::find_if(kMinute.begin(), kMinute.end(),
                                       [r](const MinuteRow& m) { return r <= m.upTo; });
  auto onRows = [&](const std::string& team) {
    return team == ladder[static_cast<std::size_t>(row.detail - 1)] ||
           team == ladder[static_cast<std::size_t>(row.detail)];
  };
  switch (row.score) {
    case Score::GoalOne:
      ++goalsOne;
      break;
    case Score::BehindOne:
      ++behindsOne;
      break;
    case Score::GoalTwo:
      ++goalsTwo;
      break;
    case Score::BehindTwo:
      ++behindsTwo;
      break;
    case Score::LadderGoal:
      if (onRows(teamOne)) ++goalsOne;
      if (onRows(teamTwo)) ++goalsTwo;
      break;
    case Score::LadderBehind:
      if (onRows(teamOne)) ++behindsOne;
      if (onRows(teamTwo)) ++behindsTwo;
      break;
    case Score::ClubGoal:
      return row.detail;
    case Score::None:
      break;
  }
  return 0;
}

Match::Match(const Career& career, Random& random, std::string teamOne, std::string teamTwo,
             int matchIndex)
    : random_(random),
      overall_(career.Overall),
      healthOverall_(career.HealthOverall),
      gearOverall_(career.GearOverall),
      age_(career.Age),
      matches_(career.Matches),
      injury_(career.Injury),
      suspension_(career.Suspension),
      league_(career.League) {
  for (std::size_t i = 0; i < ladder_.size(); ++i) ladder_[i] = career.Ladder[i].Team;
  state_.TeamOne = std::move(teamOne);
  state_.TeamTwo = std::move(teamTwo);
  state_.MatchIndex = matchIndex;
  if (matches_ >= 0 && matches_ < static_cast<int>(kGameWords.size())) {
    state_.Title =
        "MATCH STATISTICS - GAME " + std::string(kGameWords[static_cast<std::size_t>(matches_)]);
  }
  state_.Position = career.Position;
  state_.Name = career.Name;
  state_.Team = career.Team;
}

void Match::StartQuarter() {
  if (!state_.StartEnabled || state_.Quarter >= kQuarters) return;
  MatchState& s = state_;
  s.Quarter += 1;
  s.StartCaption = "Next Quarter";
  // The clock starts; Start waits for the quarter's thirty minutes.
  if (s.Time == kQuarterMinutes) s.Time = 0;
  s.StartEnabled = false;
  s.ClockRunning = true;

  PlayerQuarter();
  const int v = random_.roll(3);
  if (auto verdict = Commentary(s.Quarter, s.Disposals, s.MatchRating, s.Name, v);
      !verdict.empty()) {
    s.Comments = std::move(verdict);
  }

  // The rating so far is projected over the quarters still to come.
  s.MatchRating = ProjectedRating(s.Quarter, s.MatchRating);

  if (PlayerIsOut()) {
    s.Disposals = 0;
    s.Goals = 0;
    s.Behinds = 0;
    s.MatchRating = 0;
    s.Comments = "You are not playing.";
  }
  s.QuarterTitle = std::string(kBreakTitles[static_cast<std::size_t>(s.Quarter - 1)]);
  // A goal is a disposal too.
  if (s.Disposals < s.Goals) s.Disposals = s.Goals + random_.roll(3) - 1;
}

void Match::PlayerQuarter() {
  MatchState& s = state_;
  const auto profile = ProfileOf(s.Position);
  if (!profile) return;
  const int prevD = s.Disposals;
  const int prevG = s.Goals;
  const int prevB = s.Behinds;

  // A full match's worth for this Overall, spread by chance.
  const int a = random_.roll(50);
  const int b = random_.roll(50);
  const int h = random_.roll(15);
  int rawD = prevD;
  int rawG = prevG;
  int rawB = prevB;
  if (const auto potential = PotentialOf(*profile, overall_)) {
    rawD = Round(potential->disposals * DisposalSpread(a));
    rawG = Round(potential->goals * GoalSpread(*profile, b));
    rawB = Round(rawG * BehindSpread(h));
  }
  // Condition, worn gear and age hold him back.
  if (const double f = ConditionFactor(healthOverall_); f != 1) {
    rawD = Round(rawD * f);
    rawG = Round(rawG * f);
  }
  if (gearOverall_ < kGearTooWorn) {
    rawD = Round(rawD * 0.5);
    rawG = Round(rawG * 0.5);
  }
  if (const double f = AgeFactor(age_); f != 1) {
    rawD = Round(rawD * f);
    rawG = Round(rawG * f);
  }

  // This quarter's share.
  s.Disposals = prevD + Round(rawD / 4.0) + (random_.roll(5) - 3);
  const bool byQuarter = *profile == Profile::FullBack || *profile == Profile::ForwardFlank ||
                         *profile == Profile::FullForward;
  const double k = byQuarter ? 4 : 2;
  int bonus = 0;
  if (*profile == Profile::ForwardFlank) {
    bonus = random_.roll(2) == 2 ? 1 : 0;
  } else if (*profile == Profile::FullForward) {
    const int draw = random_.roll(3);
    // A Local Reserves forward pocket is kept quieter until the last quarter.
    const bool held =
        s.Position == "Forward Pocket" && league_ == "Local Reserves" && s.Quarter <= 3;
    bonus = draw == 2 ? 1 : (draw == 3 && !held ? 2 : 0);
  }
  s.Goals = prevG + Round(rawG / k) + bonus;
  s.Behinds = prevB + Round(rawB / k);
  if (s.Disposals < prevD) s.Disposals = prevD + random_.roll(3) - 1;

  s.MatchRating = std::min(10.0, RatingOf(*profile, s.Position, s.Disposals, s.Goals));
  if (s.Position == "Full Forward") {
    s.MatchRating = std::max(0.0, s.MatchRating);
    s.Disposals = std::max(0, s.Disposals);
    s.Goals = std::max(0, s.Goals);
  }
  // A full back sometimes goes forward and kicks one.
  if (*profile == Profile::FullBack && random_.roll(48) == 6) s.Goals += 1;
}

bool Match::PlayMinute() {
  MatchState& s = state_;
  if (!s.ClockRunning) return false;
  s.Time += 1;
  const int needs = ScoreMinute(random_.roll(120), ladder_, s.TeamOne, s.TeamTwo, s.GoalsOne,
                                s.BehindsOne, s.GoalsTwo, s.BehindsTwo);
  // A star lifts his club, but only when he is out there.
  if (needs > 0 && !PlayerIsOut() && overall_ >= needs) {
    if (s.TeamOne == s.Team) ++s.GoalsOne;
    if (s.TeamTwo == s.Team) ++s.GoalsTwo;
  }
  s.PointsOne = s.GoalsOne * 6 + s.BehindsOne;
  s.PointsTwo = s.GoalsTwo * 6 + s.BehindsTwo;
  if (s.Time == kQuarterMinutes) {
    EndQuarter();
    return true;
  }
  return false;
}

void Match::EndQuarter() {
  MatchState& s = state_;
  // His club has kicked at least one goal more than he has.
  if (s.TeamOne == s.Team && s.GoalsOne < s.Goals) s.GoalsOne = s.Goals + 1;
  if (s.Quarter == 1 && s.TeamOne == s.Team && s.BehindsOne < s.Behinds) {
    s.BehindsOne = s.Behinds + 1;
  }
  if (s.TeamTwo == s.Team && s.GoalsTwo < s.Goals) s.GoalsTwo = s.Goals + 1;

  const auto q = static_cast<std::size_t>(s.Quarter - 1);
  s.GoalsOneAt[q] = s.GoalsOne;
  s.BehindsOneAt[q] = s.BehindsOne;
  s.GoalsTwoAt[q] = s.GoalsTwo;
  s.BehindsTwoAt[q] = s.BehindsTwo;
  s.PointsOne = s.GoalsOne * 6 + s.BehindsOne;
  s.PointsTwo = s.GoalsTwo * 6 + s.BehindsTwo;
  s.StartEnabled = true;
  if (s.Quarter == kQuarters) {
    if (FinalMustHaveWinner(matches_) && s.PointsOne == s.PointsTwo) {
      s.BehindsOneAt[q] += 1;
      s.PointsOne += 1;
    }
    s.StartEnabled = false;
    s.FullTime = true;
  }
  s.ClockRunning = false;
}

void Match::FinishQuarter() {
  while (state_.ClockRunning) PlayMinute();
}

void Match::PlayToFullTime() {
  while (!state_.FullTime) {
    if (!state_.ClockRunning) StartQuarter();
    FinishQuarter();
  }
}

PlayerLine PlayerLineOf(const MatchState& s) {
  return {std::to_string(s.Disposals), std::to_string(s.Goals), std::to_string(s.Behinds),
          FormatNumber(s.MatchRating, kMatchRatingPattern), s.Position};
}

}  // namespace km
