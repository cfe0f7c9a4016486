// SPDX-License-Identifier: GPL-3.0-or-later
#include "match/after_match.h"

#include <algorithm>
#include <array>

#include "core/number_format.h"

namespace km {
namespace {

constexpr std::array<Money, kCompetitionCount> kPrizes = {
    Money::Dollars(500), Money::Dollars(1000), Money::Dollars(2000), Money::Dollars(3000)};
constexpr std::array<std::string_view, kCompetitionCount> kCompetitionWords = {
    "Local Reserves", "Local Firsts", "State League", "AFL"};

// Injuries by a draw t of 1..100 (the upper end of each range); 100 is the
// season-ending knee.
struct Injury {
  int upTo;
  std::string_view message;
};
constexpr std::array<Injury, 10> kInjuries = {{
    {14, "You pulled your hamstring in the last match and will miss "},
    {29, "You injured your calf muscle in the last match and will miss "},
    {44, "You twisted your ankle in the last match and will miss "},
    {49, "You injured your knee in the last match and will miss "},
    {59, "You injured your wrist in the last match and will miss "},
    {64, "You suffered severe concussion in the last match and will miss "},
    {74, "You broke some ribs in the last match and will miss "},
    {79, "You strained your neck in the last match and will miss "},
    {89, "You injured your back in the last match and will miss "},
    {99, "You got a broken finger in the last match and will miss "},
}};
constexpr std::string_view kKneeMessage =
    "You did your knee in the last match and, unfortunately, will miss the rest of the season. "
    "Bad luck and good luck in your recovery!";

// Offences by a draw s of 1..10.
constexpr std::string_view kStriking =
    "You have been found guilty of striking in your last match and will miss ";
constexpr std::string_view kCharging =
    "You have been found guilty of charging in your last match and will miss ";
constexpr std::string_view kRoughPlay =
    "You have been found guilty of rough play in your last match and will miss ";
constexpr std::string_view kUmpire =
    "You have been found guilty of making contact with an umpire in your last match and will "
    "miss ";
constexpr std::string_view kGouging =
    "You have been found guilty of gouging in your last match and will miss ";
constexpr std::array<std::string_view, 10> kOffences = {
    kStriking, kCharging, kRoughPlay, kUmpire, kGouging,
    kStriking, kCharging, kRoughPlay, kUmpire, kStriking};

// Skill growth, gear wear and condition wear by the match rating's band:
// (k - 1, k], the first band taking every rating up to 1.
struct Wear {
  int skills;
  int gear;
  int condition;
};
constexpr std::array<Wear, 10> kWear = {{{1, 1, 2},
                                         {1, 1, 2},
                                         {1, 2, 3},
                                         {1, 2, 3},
                                         {1, 3, 4},
                                         {1, 3, 4},
                                         {2, 4, 5},
                                         {3, 4, 5},
                                         {3, 5, 6},
                                         {3, 5, 6}}};

std::string_view MilestoneClosing(int games) {
  if (games == 50) {
    return "For most players, 50 games is the stage of their career where superstars begin to "
           "shine, so all eyes will be on @ to see what kind of performances he turns out in "
           "future "
           "seasons.";
  }
  if (games <= 150) {
    return "Now no longer considered a new player to the league, @ will now be expected to start "
           "showing his true potential.";
  }
  if (games <= 250) {
    return "Now reaching the prime of his career, @ will now be expected to consitently show his "
           "skillful qualities.";
  }
  if (games <= 350) {
    return "Now reaching the twilight of his career, @ will have to work harder in order to keep "
           "up "
           "with the lofty standards he has set earlier in his career.";
  }
  if (games <= 450) {
    return "It is an outstanding effort by @, however now with each passing game he will likely "
           "find it harder and harder to keep up with his more youthful opponents.";
  }
  if (games <= 550) {
    return "No player has ever played as many games as @, and everyone is wondering just how long "
           "this aged superstar will go on for.";
  }
  return "Milestones of this nature are now such often occurances for @ that it seems no-one cares "
         "anymore, and so this newspaper will no longer report about it.";
}

// A text with every '@' replaced by the player's name.
std::string WithName(std::string_view text, const std::string& name) {
  std::string out;
  for (const char c : text) {
    if (c == '@') {
      out += name;
    } else {
      out += c;
    }
  }
  return out;
}

// An average as the screen shows it, in whole tenths or hundredths (`unit`
// 10 or 100) with halves away from zero: the record keeps what the screen
// shows. The total is counted in the same unit, so the division is exact.
double Average(long long totalInUnits, int count, int unit) {
  return static_cast<double>(RoundedQuotient(totalInUnits, count)) / unit;
}

int Bar(int value) { return std::clamp(value, 0, 100); }

void RecomputeOverallBars(Career& c) {
  c.GearOverall = BarMean(c.Boots, c.Jumper, c.Shorts, c.Other);
  c.HealthOverall = BarMean(c.Fitness, c.Health, c.Stamina);
}

// Shows a piece of news: its message box, then the newspaper with the story.
void News(Prompter& prompter, RunState& run, const std::string& message,
          const std::string& headline, const std::string& story) {
  prompter.inform(message);
  run.newspaper.headline = headline;
  run.newspaper.text = story;
  prompter.publish(run.newspaper);
}

// A milestone's news: the career log files its story as a milestone.
void Milestone(Prompter& prompter, RunState& run, const std::string& message,
               const std::string& headline, const std::string& story) {
  run.milestones.push_back(headline);
  News(prompter, run, message, headline, story);
}

}  // namespace

int LevelIndex(std::string_view league) {
  const auto it = std::find(kCompetitionNames.begin(), kCompetitionNames.end(), league);
  return it == kCompetitionNames.end() ? -1 : static_cast<int>(it - kCompetitionNames.begin());
}

Money BestOnGroundPrize(std::string_view league) {
  const int level = LevelIndex(league);
  return level < 0 ? Money() : kPrizes[static_cast<std::size_t>(level)];
}

std::string_view CompetitionWord(std::string_view league) {
  const int level = LevelIndex(league);
  return level < 0 ? league : kCompetitionWords[static_cast<std::size_t>(level)];
}

void FinishMatch(Career& c, const MatchState& m, Random& random, Prompter& prompter, RunState& run,
                 const std::function<void()>& weeklyEvents) {
  const bool played = c.Injury < 0 && c.Suspension < 0;
  if (played) c.MatchesPlayed += 1;

  // The week's pay comes whether he played or not.
  c.BankBalance += c.Wages + c.Sponsorship;

  // A standout match earns medal votes in the home-and-away season, and may
  // earn best on ground.
  bool bestOnGround = false;
  if (m.Disposals > kBestOnGroundDisposals || m.Goals > kBestOnGroundGoals) {
    if (c.Matches <= kHomeAndAwayRounds) {
      const int votes = random.roll(4);
      if (votes <= 3) c.Brownlow += votes;
    }
    if (m.MatchRating > kBestOnGroundRating || random.roll(2) == 1) {
      c.BOGs += 1;
      bestOnGround = true;
    }
  }

  // Season figures.
  const long long ratingTenths = TenthsOf(c.MatchRating) + TenthsOf(m.MatchRating);
  c.MatchRating = static_cast<double>(ratingTenths) / 10;
  c.Disposals += m.Disposals;
  c.Goals += m.Goals;
  c.Behinds += m.Behinds;
  c.MostDisposals = std::max(c.MostDisposals, m.Disposals);
  c.MostGoals = std::max(c.MostGoals, m.Goals);
  if (c.MatchesPlayed > 0) {
    c.MatchRatingAverage = Average(ratingTenths, c.MatchesPlayed, 10);
    c.AverageDisposals = Average(10LL * c.Disposals, c.MatchesPlayed, 10);
    c.AverageGoals = Average(10LL * c.Goals, c.MatchesPlayed, 10);
  }

  // Career figures at this competition.
  const int levelIndex = LevelIndex(c.League);
  if (played && levelIndex >= 0) {
    LevelRecord& level = c.Levels[static_cast<std::size_t>(levelIndex)];
    level.Matches += 1;
    level.Disposals += m.Disposals;
    level.Goals += m.Goals;
    level.Behinds += m.Behinds;
    // The career figures keep up to two decimal places.
    level.AverageDisposals = Average(100LL * level.Disposals, level.Matches, 100);
    level.AverageGoals = Average(100LL * level.Goals, level.Matches, 100);
    if (bestOnGround) {
      c.BankBalance += BestOnGroundPrize(c.League);
      level.BOGs += 1;
    }
  }

  // The news.
  const std::string who = c.Team + " " + c.Position + ", " + c.Name;
  const std::string figures = std::to_string(m.Disposals);
  const std::string goals = std::to_string(m.Goals);
  if (bestOnGround && c.Matches <= 24) {
    News(prompter, run,
         "You have been awarded BOG by the media for your performance in the last match and "
         "received a small amount of prize money. Congratulations.",
         c.Name + " Best On Ground",
         who + ", was best on ground in his club's match yesterday. " + c.Name + " had " + figures +
             " disposals, and kicked " + goals +
             " goals in the match, dominating and showing form that could see him take out a few " +
             c.League + " awards this season.");
  }
  if (bestOnGround && c.Matches == 25) {
    prompter.inform(
        "Congratulations! You have been awarded with the Norm Smith Medal for being the Best on "
        "Ground in the Grand Final");
    prompter.publish(run.newspaper);  // the paper comes up with its last story
  }
  if (c.Goals > 99 && c.Goals - m.Goals < 100) {
    Milestone(
        prompter, run, "Congratulations on reaching 100 goals for the season!",
        c.Name + " Reaches Football Century",
        who + ", passed the prestigious 100 goal barrier yesterday. " + c.Name + " kicked " +
            goals +
            " goals in the match to pass the milestone, and continue his fantastic form that sees "
            "him currently heading the " +
            c.League + " goal kicking ladder.");
  }
  if (c.Goals > 149 && c.Goals - m.Goals < 150) {
    Milestone(
        prompter, run,
        "Congratulations! You have joined the prestigious '150 Goals Club' by booting 150 goals "
        "for this season!",
        c.Name + " Reaches 150 Goals",
        who + ", has become the newest player to kick 150 goals in a season. " + c.Name +
            " kicked " + goals +
            " goals in the match to pass the milestone, and continue his fantastic form that sees "
            "him currently heading the " +
            c.League +
            " goal kicking ladder. Only a few players before him have achieved this feat, and his "
            "club, family and friends are all said to be very proud.");
  }
  if (levelIndex >= 0) {
    const LevelRecord& level = c.Levels[static_cast<std::size_t>(levelIndex)];
    const int games = level.Matches;
    const std::string word(CompetitionWord(c.League));
    if (games >= 50 && games <= 600 && games % 50 == 0) {
      const std::string n = std::to_string(games);
      std::string message;
      if (games <= 250) {
        message = "Congratulations on reaching " + n + " games in the " + word + "!";
      } else if (games <= 450) {
        message = "Congratulations! You have reached " + n + " games in the " + word + "!";
      } else {
        message = "Amazing! Congratulations on playing your " + n + "th game in the " + word + "!";
      }
      Milestone(prompter, run, message, c.Name + " Plays " + n + "th Match",
                who + ", played his " + n + "th game in the " + c.League + " yesterday. " + c.Name +
                    " had " + figures + " disposals, and kicked " + goals +
                    " goals in the match to celebrate the milestone. " +
                    WithName(MilestoneClosing(games), c.Name));
    }
    if (level.Goals > 999 && level.Goals - m.Goals < 1000) {
      Milestone(
          prompter, run,
          "Congratulations! You have reached 1000 goals  for your career in the " + word + "!",
          c.Name + (levelIndex == 0 ? " Reaches 1000 Goals!" : " Reaches 1000 Goals"),
          who + ", has become the newest player to kick 1000 goals in their career. " + c.Name +
              " kicked " + goals +
              " goals in the match to pass the milestone, and continue his fantastic form that "
              "sees him currently near the top of the all-time " +
              c.League +
              " goal kicking ladder. Only a few players before him have achieved this feat, and "
              "his club, family and friends are all said to be very proud.");
    }
  }

  // Injuries and suspensions, but not in the first match back from one.
  if (c.Injury < -1 && c.Suspension < -1) {
    const int i = random.roll(kInjuryOdds);
    const int t = random.roll(100);
    const int w = random.roll(kLongestAbsence);
    const int s = random.roll(10);
    const int u = random.roll(kSuspensionOdds);
    if (i == 25) {
      if (t == 100) {
        c.Injury = 26 - c.Matches;
        prompter.inform(std::string(kKneeMessage));
        c.Health = 1;
        c.Fitness = 1;
        c.Stamina = 1;
      } else {
        c.Injury = w;
        const auto& injury = *std::find_if(kInjuries.begin(), kInjuries.end(),
                                           [t](const Injury& k) { return t <= k.upTo; });
        prompter.inform(std::string(injury.message) + std::to_string(w) + " matches");
      }
      run.playColour = PlayColour::Injured;
    }
    if (u == 50) {
      c.BrownlowEligible = "N";
      c.Suspension = w;
      prompter.inform(std::string(kOffences[static_cast<std::size_t>(s - 1)]) + std::to_string(w) +
                      " matches");
      run.playColour = PlayColour::Suspended;
    }
  }

  // The club's record.
  if (m.TeamOne == c.Team || m.TeamTwo == c.Team) {
    const bool one = m.TeamOne == c.Team;
    const int ours = one ? m.PointsOne : m.PointsTwo;
    const int theirs = one ? m.PointsTwo : m.PointsOne;
    c.TeamGoals += one ? m.GoalsOneAt[3] : m.GoalsTwoAt[3];
    c.TeamBehinds += one ? m.BehindsOneAt[3] : m.BehindsTwoAt[3];
    if (ours > theirs) {
      c.TeamWins += 1;
    } else if (ours < theirs) {
      c.TeamLosses += 1;
    } else {
      c.TeamDraws += 1;
    }
  }
  c.TeamMatches += 1;

  // Skills grow with the rating while he is young; gear and body wear at any age.
  int band = 1;
  while (band < 10 && m.MatchRating > band) ++band;
  const Wear& wear = kWear[static_cast<std::size_t>(band - 1)];
  if (c.Age < kSkillsGrowUntil) {
    for (int* skill : {&c.Kicking, &c.Handballing, &c.Tackling, &c.Marking, &c.Running}) {
      *skill += wear.skills;
    }
  }
  for (int* gear : {&c.Boots, &c.Jumper, &c.Shorts, &c.Other}) *gear = Bar(*gear - wear.gear);
  for (int* body : {&c.Fitness, &c.Health, &c.Stamina}) *body = Bar(*body - wear.condition);
  RecomputeOverallBars(c);
  // A big day out takes more out of him and his gear.
  if (m.Goals >= 5) {
    c.Boots = Bar(c.Boots - 3);
    c.Health = Bar(c.Health - 4);
  }
  if (m.Disposals >= 30) {
    c.Jumper = Bar(c.Jumper - 3);
    c.Fitness = Bar(c.Fitness - 4);
  }
  if (m.Behinds >= 4) {
    c.Shorts = Bar(c.Shorts - 3);
    c.Stamina = Bar(c.Stamina - 5);
  }
  RecomputeOverallBars(c);
  MarkLowBars(c, run);

  if (weeklyEvents) weeklyEvents();

  for (int* skill : {&c.Kicking, &c.Handballing, &c.Tackling, &c.Marking, &c.Running}) {
    *skill = std::clamp(*skill, 1, kSkillCap);
  }
  c.Overall = OverallOf(c.Kicking, c.Handballing, c.Tackling, c.Marking, c.Running);

  // The score goes into this match's row on the round screen.
  RoundSlot& slot = run.roundSlots[static_cast<std::size_t>(std::clamp(m.MatchIndex, 0, 7))];
  slot.GoalsOne = m.GoalsOneAt;
  slot.BehindsOne = m.BehindsOneAt;
  slot.GoalsTwo = m.GoalsTwoAt;
  slot.BehindsTwo = m.BehindsTwoAt;
  slot.PointsOne = m.PointsOne;
  slot.PointsTwo = m.PointsTwo;
}

}  // namespace km
