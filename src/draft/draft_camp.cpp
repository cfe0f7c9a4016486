// SPDX-License-Identifier: GPL-3.0-or-later
#include "draft/draft_camp.h"

#include <algorithm>

#include "core/number_format.h"

namespace km {
namespace {

constexpr std::array<int, 60> kRankBases = {
    70, 70, 69, 68, 67, 66, 65, 64, 63, 62, 61, 59, 58, 57, 56, 55, 53, 52, 51, 50,
    48, 46, 45, 44, 43, 42, 40, 39, 38, 37, 36, 34, 33, 32, 31, 30, 28, 27, 26, 25,
    24, 22, 21, 20, 19, 18, 16, 15, 14, 13, 12, 10, 9,  8,  7,  6,  4,  3,  2,  1};

constexpr std::array<const char*, 3> kWelcomes = {
    "Welcome to the AFL Draft Camp. Over the next three days you will be taking part in 6 "
    "different tests, as well as having your exact height, weight, and a few other physical "
    "attributes measured. All the club recruiters and coaches will be watching closely, so make "
    "sure you do your best. Good luck!",
    "Welcome to the AFL Draft Camp. Over the next few days your will be partaking in a number of "
    "physical activities designed to find information about your endurance, speed, leap, and "
    "other such attributes. You will also be watched closely by all 16 AFL clubs, in the form of "
    "their coaches and recruiters, so be sure to always give 110%. Have fun!",
    "Welcome to the AFL Draft Camp. In the coming days you will all be participating in various "
    "physicial and mental activities that will help the coaches and recruiters here find out more "
    "about you as a person, and also as an athlete. A good 20% of the choice of recruiters comes "
    "down to this draft camp, so make sure that you all give your best all the time. Good luck."};

struct Tier {
  const char* first;
  const char* second;
};

// The recruiters' word on each test, worst tier first.
constexpr std::array<Tier, 6> kSprint = {{
    {" put in a really poor effort there. His time of ",
     " is around about a second slower than the top times. He'll need to do much better in the "
     "upcoming tests."},
    {" didn't have the greatest of runs. His time of ",
     " is a long way off the top times. He'll need to do better in the upcoming tests."},
    {" did a rather average run. His time of ",
     " will put him around the middle ranks for this event. He can do better in the upcoming "
     "tests I'm sure."},
    {" did a pretty good run. His time of ",
     " doesn't put him too far off the leaders for this event. He should keep performing at this "
     "level in the upcoming tests."},
    {" had an absolutely fantastic run. His time of ",
     " puts him right up in the top few sprinters. He should be extremely happy if he can keep "
     "that level up in the upcoming tests."},
    {" managed to break the old event record with his time of ",
     "! Congratulations to him! We're all looking forward to seeing how he performs in the "
     "upcoming tests."},
}};
constexpr std::array<Tier, 6> kAgility = {{
    kSprint[0],
    kSprint[1],
    kSprint[2],
    kSprint[3],
    {" had an absolutely fantastic run. His time of ",
     " puts him right up in the top few. He should be extremely happy if he can keep that level "
     "up in the upcoming tests."},
    kSprint[5],
}};
constexpr std::array<Tier, 5> kJump = {{
    {" barely even got off the ground. His jump of ",
     " is very far off what's expected of a fit and healthy person, let alone an AFL player. "
     "He'll need to do much better in the upcoming tests."},
    {" obviously doesn't have a great leap on him. His height of ",
     " is a long way off the top jumpers. He'll need to do better in the upcoming tests."},
    {" didn't do a bad jump. His height of ",
     " will put him around the middle ranks for this event. He can do better in the upcoming "
     "tests I'm sure."},
    {" did a pretty good jump. His height of ",
     " doesn't put him too far off the leaders for this event. He should keep performing at this "
     "level in the upcoming tests."},
    {" really flew for this one. His jump of ",
     " will put him right up at the top. He should be extremely happy if he can keep that level "
     "up in the upcoming tests."},
}};
constexpr Tier kStandingRecord = {
    " managed to break the old verticle jump record, getting ",
    "! Well done to him! We're all looking forward to seeing how he performs in the upcoming "
    "tests."};
constexpr Tier kRunningRecord = {
    " was able to break the old running jump record, getting ",
    "! Good on him! We're all looking forward to seeing how he performs in the upcoming tests."};
constexpr std::array<Tier, 6> kShuttle = {{
    {" showed a total lack of endurance or speed there. He managed to get to level ",
     ", which isn't what's expected of a fit and healthy athlete, let alone an AFL player. He'll "
     "need to do much better in the upcoming test."},
    {" obviously doesn't have great endurance or speed. He got to level ",
     ", which is a long way off the top runners. He'll need to do better in the final test."},
    {" didn't do a beep test. His level, ",
     ", will put him around the middle ranks for this event. He can do better in the final test "
     "I'm sure."},
    {" did a pretty good shuttle run. He got to level ",
     ", which doesn't put him too far off the leaders for this event. He should keep performing "
     "at this level in the final test."},
    {" did really well in the beep test. He got to ",
     ", and was one of the last remaining at the end. He should be extremely happy if he can keep "
     "that level up in the final test."},
    {" showed fantastic determination, getting to level ",
     ". Thats a level the top AFL midfielders would be happy with! Good on him! We're all looking "
     "forward to seeing how he performs in the final test."},
}};
constexpr std::array<Tier, 6> kTimeTrial = {{
    {" showed absolutely no determination there. His time of ",
     " is around about 2 minutes outside the top times. He should be disappointed to finish the "
     "camp on that note."},
    {" didn't have the greatest of runs. His time of ",
     " is a long way off the top times. He should've finished off the camp better than that."},
    {" did a rather average run. His time of ",
     " will put him around the middle ranks for this event. It's not a bad way to finish off the "
     "camp."},
    {" did a pretty good run. His time of ",
     " doesn't put him too far off the leaders for this event. It's a good way to finish off the "
     "camp."},
    {" had an absolutely fantastic run. His time of ",
     " puts him right up in the top few runners. He should be extremely happy with that "
     "conclusion to the camp."},
    {" managed to break the old event record with his time of ",
     ", showing amazing grit, determination and endurance! Congratulations to him! He couldn't "
     "have asked for a better way to finish off the camp."},
}};

// A result in hundredths of its unit (the time trial as minutes x 100 plus
// seconds), which is how the tiers compare it.
int Hundredths(int test, int n) {
  switch (test) {
    case 1:
      return n == 60 ? 276 : 402 - 2 * n;
    case 2:
      return 4500 + 50 * n;
    case 3:
      return 6000 + 50 * n;
    case 4:
      return 1075 - 5 * n;
    case 5:
      return 1000 + 10 * n;
    default: {
      const int seconds = 751 - 2 * n;
      return seconds / 60 * 100 + seconds % 60;
    }
  }
}

// The tier (0 worst .. 5 record) of a result in hundredths. A higher result
// is better for the jumps and the shuttle, a lower one for the runs.
int TierOf(int test, int h) {
  auto lowerIsBetter = [h](std::array<int, 5> from) {  // tier k needs h below from[k]
    int tier = 0;
    for (const int limit : from) {
      if (h < limit) ++tier;
    }
    return tier;
  };
  auto higherIsBetter = [h](std::array<int, 5> above) {  // tier k needs h above above[k]
    int tier = 0;
    for (const int limit : above) {
      if (h > limit) ++tier;
    }
    return tier;
  };
  switch (test) {
    case 1:
      return lowerIsBetter({375, 350, 325, 300, 280});
    case 2:
      return higherIsBetter({5000, 5500, 6000, 6500, 7000});
    case 3:
      return higherIsBetter({6400, 7000, 7600, 8200, 8800});
    case 4:
      return lowerIsBetter({1031, 951, 891, 831, 781});
    case 5:
      return higherIsBetter({1100, 1200, 1300, 1400, 1550});
    default:
      return lowerIsBetter({1200, 1140, 1120, 1100, 1040});
  }
}

Tier CommentTier(int test, int tier) {
  const auto t = static_cast<std::size_t>(tier);
  switch (test) {
    case 1:
      return kSprint[t];
    case 2:
      return tier == 5 ? kStandingRecord : kJump[t];
    case 3:
      return tier == 5 ? kRunningRecord : kJump[t];
    case 4:
      return kAgility[t];
    case 5:
      return kShuttle[t];
    default:
      return kTimeTrial[t];
  }
}

int Average(const std::array<CampRow, kCampTests>& rows) {
  int sum = 0;
  for (const CampRow& row : rows) sum += row.Rank;
  return static_cast<int>(RoundHalfAway(sum / 6.0));
}

}  // namespace

int CampEntry(int group, int band, int caseNumber) {
  return (group - 1) * 30 + (band - 1) * 5 + caseNumber;
}

int CampRankBase(int entry) { return kRankBases[static_cast<std::size_t>(entry - 1)]; }

std::string CampResult(int test, int entry) {
  return FormatGeneral(Hundredths(test, entry) / 100.0);
}

int CampBand(int overall) {
  if (overall <= 100) return 1;
  if (overall <= 125) return 2;
  if (overall <= 150) return 3;
  if (overall <= 175) return 4;
  if (overall <= 199) return 5;
  return 6;
}

int CampGroup(double matchRatingAverage) { return matchRatingAverage <= kCampGoodRating ? 1 : 2; }

std::string CampVerdict(int a) {
  if (a > 60) {
    return " had a very disappointing draft camp. He just didn't seem to get into any of the "
           "drills or exercises, and the results show what can only be a lack of heart. He will "
           "struggle to get picked up this year.";
  }
  if (a > 50) {
    return " had a disappointing draft camp. He just didn't perform at his potential in the tests "
           "and activities, and the results certainly show it. He might get picked up this year.";
  }
  if (a > 40) {
    return " had a below par draft camp you might say. He just didn't seem right and during the "
           "activities looked like he belonged a level below the top performers. He should get "
           "picked up this year regardless.";
  }
  if (a > 30) {
    return " had an average draft camp. He certainly wasn't one of the best over the few days, "
           "however he was a long way from being one of the worst, and is a very strong chance to "
           "get drafted this year.";
  }
  if (a > 20) {
    return " had a good draft camp. He really looked like he was putting in a lot of effort for "
           "all of the activities, and that's obviously very impressive. Still, he wasn't quite at "
           "the very top level of performers during the camp, but will no doubt get picked up this "
           "year anyway.";
  }
  if (a > 10) {
    return " had a very good draft camp. His athleticism and skills shone through and and "
           "determination was also certainly very impressive. He'll go quite early in the draft.";
  }
  if (a > 1) {
    return " had a great draft camp. His skills and athleticism were a sight to behold, and he "
           "consistently placed in the top 10 to 20 for each activity. Look for him to go top ten "
           "in the draft.";
  }
  return " was without a doubt the standout of the draft camp. His skills, balance and "
         "athleticism, mixed with his grit and determination, will mean that he's a real favourite "
         "for the prestigious number one draft pick honour this year.";
}

DraftCamp::DraftCamp(const Career& career)
    : group_(CampGroup(career.MatchRatingAverage)),
      band_(CampBand(career.Overall)),
      running_(career.Running) {
  state_.Name = career.Name;
}

void DraftCamp::Step(Random& random) {
  if (!state_.StartEnabled) return;
  CampState& s = state_;
  const int variance = random.roll(3);
  int sign = random.roll(2) == 1 ? 1 : -1;
  if (running_ < kCampRunner) sign = 1;  // only a real runner can have a bad day of it
  s.Test += 1;
  if (s.Test == 0) {
    s.Activity = "Introduction";
    s.StartCaption = "Next Session";
    s.Comments = kWelcomes[static_cast<std::size_t>(random.roll(3) - 1)];
    return;
  }
  if (s.Test <= kCampTests) {
    const int test = s.Test;
    s.Activity = kCampTestList[static_cast<std::size_t>(test - 1)].activity;
    s.Unit = kCampTestList[static_cast<std::size_t>(test - 1)].unit;
    const int entry = CampEntry(group_, band_, random.roll(5));
    s.Result = CampResult(test, entry);
    s.Rank = CampRankBase(entry) + variance * sign;
    const Tier tier = CommentTier(test, TierOf(test, Hundredths(test, entry)));
    s.Comments = s.Name + tier.first + s.Result + tier.second;
    CampRow& row = s.Rows[static_cast<std::size_t>(test - 1)];
    row.Result = s.Result;
    row.Rank = s.Rank;
    s.RankAverage = Average(s.Rows);
    if (test == kCampTests) {
      s.Rank = std::clamp(s.Rank, 1, kCampPlayers);
      for (CampRow& r : s.Rows) r.Rank = std::clamp(r.Rank, 1, kCampPlayers);
      s.RankAverage = Average(s.Rows);
    }
    return;
  }
  s.Activity = "Conclusion";
  s.Unit = "(Seconds)";
  s.Result = "0";
  s.Rank = s.RankAverage;
  s.Comments = s.Name + CampVerdict(s.RankAverage);
  s.StartEnabled = false;
  s.OkEnabled = true;
}

}  // namespace km
