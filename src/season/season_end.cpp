// SPDX-License-Identifier: GPL-3.0-or-later
#include "season/season_end.h"

#include <algorithm>
#include <array>

#include "core/career_fields.h"
#include "core/file_names.h"
#include "core/number_format.h"
#include "core/text_file.h"
#include "season/fixture.h"

namespace km {
namespace {

// One award of an awards night: what it takes, what it says, and what it
// counts.
struct Award {
  bool won;
  std::string message;
  int* counter;
  int matches;  // representative matches that come with it
  std::string* flag;
  int* matchesCounter;
};

// Shows and books the awards won, in their order. Returns how many.
int Present(std::vector<Award> awards, Prompter& prompter) {
  int won = 0;
  for (Award& a : awards) {
    if (!a.won) continue;
    prompter.inform(a.message);
    *a.counter += 1;
    if (a.matchesCounter) *a.matchesCounter += a.matches;
    *a.flag = "Y";
    ++won;
  }
  return won;
}

std::string BestAndFairestMessage(const Career& c) {
  return "You have been awarded the Best And Fairest award for " + c.Team + "! Congratulations!";
}

constexpr const char* kUnder21Message =
    "You have awarded the prize for best and most promising Under 21 player in the league! "
    "Congratulations!";

// The Brownlow night: the player's votes against the winner's. Returns
// whether he won.
bool BrownlowNight(Career& c, RunState& run, Random& random, Prompter& prompter) {
  const int v = c.Brownlow;
  const int t = kBrownlowWinnerBase + random.roll(kBrownlowWinnerSpread);
  int p = random.roll(5);
  if (p <= 2) p = 3;
  run.brownlowVotes = v;
  run.brownlowTopVotes = t;
  run.brownlowPosition = p;
  const std::string V = std::to_string(v);
  const std::string T = std::to_string(t);
  const std::string P = std::to_string(p);
  if (c.BrownlowEligible != "Y") {
    prompter.inform("You are ineligible for the Brownlow due to suspension. You managed to poll " +
                    V + " votes anyway, while the winner of the medal polled " + T + " votes.");
    return false;
  }
  const std::string o1 =
      "BROWNLOW NIGHT: It is an extremely close night with you and another player neck-and-neck. "
      "In the final round your votes are read out first and your final total is ";
  const std::string w =
      " Congratulations!!! You have just won the Brownlow Medal! You are the best player in the "
      "land! You are a KICKMARK!";
  const int d = v - t;
  std::string message;
  if (d < -9) {
    message = "BROWNLOW NIGHT: You manage to poll " + V +
              " votes for the season, and finish well behind the winner who managed to collect " +
              T + " votes.";
  } else if (d <= -7) {
    message = "BROWNLOW NIGHT: You do reasonably well during the night and finish on " + V +
              " votes for the season, " + std::to_string(-d) +
              " votes behind the eventual winner who managed " + T + " votes.";
  } else if (d <= -5) {
    message = "BROWNLOW NIGHT: You do very well during the night and manage to poll " + V +
              " votes for the season, and finish in " + P + "th place, " + std::to_string(-d) +
              " votes off the leader. The winner finished on " + T + " votes.";
  } else if (d == -4) {
    message =
        "BROWNLOW NIGHT: You do extremely well with a steady run of votes throughout the night, "
        "and finish on " +
        V + " votes for the season, which puts you in " + P +
        "th place, only 4 votes off the leader. The winner finished on " + T + " votes.";
  } else if (d == -3) {
    message =
        "BROWNLOW NIGHT: You are one of the favourites, and so it is no suprise when you do "
        "extremely well with a steady run of votes throughout the night, and finish on a good "
        "total of " +
        V + " votes for the season, which puts you in " + P +
        "th place, only 3 votes off the leader! The winner finished on " + T + " votes.";
  } else if (d == -2) {
    message =
        "BROWNLOW NIGHT: Being one of the favourites, it is no suprise to anyone to see you poll "
        "fantastically well. You finish on a very good " +
        V + " votes for the season, which puts you in " + P +
        "th place! You were only 2 votes off the leader, who finished on " + T + " votes.";
  } else if (d == -1) {
    message = o1 + V +
              " votes for the season, 1 ahead of your rival... His scores are read... And he gets "
              "a 2! Bad luck! You have finished in 2nd place, only 1 votes away from winning the "
              "Brownlow! The winner finished on " +
              T + " votes. Better luck next time.";
  } else if (d == 0) {
    message = o1 + V +
              " votes for the season, 1 ahead of your rival... His scores are read... And he gets "
              "a 1!" +
              w;
  } else if (d == 1) {
    message = o1 + V +
              " votes for the season, 1 ahead of your rival... His scores are read... And he gets "
              "no votes!" +
              w;
  } else if (d == 2) {
    message = o1 + V +
              " votes for the season, 2 ahead of your rival... His scores are read... And he gets "
              "no votes!" +
              w;
  } else if (d == 3) {
    message =
        "BROWNLOW NIGHT: It is an extremely close night with you and another player "
        "neck-and-neck. However in the final few rounds he begins to falter as you carry on "
        "strongly! Your votes are read for the final round and you finish on " +
        V +
        " votes for the season, 4 ahead of your rival! His scores are read and he gets a 1, but it "
        "doesn't matter!" +
        w;
  } else if (d == 4) {
    message =
        "BROWNLOW NIGHT: It is a very close night with you and another player neck-and-neck. "
        "However in the final few rounds he begins to falter as you carry on strongly! Your votes "
        "are read for the final round and you finish on " +
        V +
        " votes for the season, 6 ahead of your rival! His scores are read and he gets a 2, but it "
        "doesn't matter!" +
        w;
  } else if (d == 5) {
    message =
        "BROWNLOW NIGHT: It is a close night with you and another couple of players "
        "neck-and-neck. However in the final few rounds all of them falter as you carry on "
        "strongly! Your votes are read for the final round and you finish on " +
        V +
        " votes for the season, 6 ahead of second place! His scores are read and he gets a 1, but "
        "it doesn't matter!" +
        w;
  } else {
    message =
        "BROWNLOW NIGHT: You are the favourite to win the Brownlow by a long way, and so it is no "
        "suprise when you poll so strongly all night. Your votes are read for the final round and "
        "you finish on " +
        V + " votes for the season, well ahead of second place!" + w;
  }
  prompter.inform(message);
  if (d < 0) return false;
  c.AFLBrownlow += 1;
  c.SeasonBrownlow = "Y";
  run.newspaper.headline = c.Name + " Wins Top Award!";
  run.newspaper.text =
      c.Team + " " + c.Position + ", " + c.Name +
      ", was awarded the most prestigious award in football, the Brownlow Medal, at last night's "
      "AFL award ceremony. " +
      c.Name + " had an average of " + FindCareerField("AverageDisposals")->get(c) +
      " disposals a match, and kicked " + std::to_string(c.Goals) +
      " goals during the season, and finished on " + V +
      " votes, showing he is deserving of the title of 'Best Footy Player in the World'.";
  prompter.publish(run.newspaper);
  return true;
}

// A number as the history files print it, with a space either side.
std::string Num(double value) { return " " + FormatGeneral(value) + " "; }

void InfoLines(std::string& out, const Career& c) {
  out += "-INFO-\r\n";
  out += "Name: " + c.Name + "\r\n";
  out += "Age: " + Num(c.Age) + "\r\n";
  out += "Team: " + c.Team + "\r\n";
  out += "Position: " + c.Position + "\r\n";
  out += "League: " + c.League + "\r\n";
  out += "State: " + c.State + "\r\n";
  out += "Height: " + Num(c.Height) + "\r\n";
  out += "Weight: " + Num(c.Weight) + "\r\n";
  out += "\r\n";
}

constexpr std::array<std::array<int, 5>, 18> kAgeing = {{
    // Fitness, Health, Stamina, each of four skills, Running; ages 28 to 45
    {3, 4, 5, 2, 4},
    {4, 5, 6, 3, 6},
    {5, 6, 7, 4, 8},
    {7, 8, 9, 5, 10},
    {2, 9, 10, 7, 14},
    {10, 11, 12, 10, 20},
    {15, 16, 17, 13, 26},
    {20, 21, 22, 17, 34},
    {25, 26, 27, 21, 42},
    {35, 36, 37, 25, 50},
    {40, 41, 42, 30, 60},
    {45, 46, 47, 40, 80},
    {50, 51, 52, 50, 100},
    {55, 56, 57, 60, 120},
    {65, 66, 67, 80, 150},
    {85, 86, 87, 100, 180},
    {100, 100, 100, 150, 200},
    {100, 100, 100, 200, 200},
}};

constexpr std::array<std::array<int, 6>, 4> kOfferAmounts = {{
    {1500, 2000, 2500, 3000, 3500, 4000},
    {3000, 4000, 5000, 6000, 7000, 8000},
    {6000, 8000, 10000, 12000, 14000, 16000},
    {12000, 16000, 20000, 24000, 28000, 32000},
}};

int LevelOf(std::string_view league) {
  const auto it = std::find(kCompetitionNames.begin(), kCompetitionNames.end(), league);
  return it == kCompetitionNames.end() ? 0 : static_cast<int>(it - kCompetitionNames.begin());
}

void ResetLiveSkills(Career& c) {
  c.Kicking = c.SetupKicking;
  c.Handballing = c.SetupHandballing;
  c.Marking = c.SetupMarking;
  c.Tackling = c.SetupTackling;
  c.Running = c.SetupRunning;
}

std::array<std::string, 16> ListOf(const ClubList& list) {
  std::array<std::string, 16> clubs;
  std::copy(list.begin(), list.end(), clubs.begin());
  return clubs;
}

// A season in a competition the player moves to.
std::optional<FileError> MoveTo(Career& c, ContractOffers& offers, Random& random,
                                const std::filesystem::path& folder, std::string_view league) {
  const ClubList& list = ClubsOf(league, c.State);
  FillOffers(offers, ListOf(list), league, false, random);
  c.League = std::string(league);
  return StartCompetitionSeason(folder, c, random, list);
}

// Another season in the same competition with the same sixteen clubs. The
// offers' title stays that of the competition: the one the last move set,
// and the one a career loaded from its save shows.
std::optional<FileError> Stay(Career& c, ContractOffers& offers, Random& random,
                              const std::filesystem::path& folder) {
  std::array<std::string, 16> clubs;
  for (std::size_t k = 0; k < 16; ++k) clubs[k] = c.Ladder[k].Team;
  FillOffers(offers, clubs, c.League, c.League == "Local Reserves", random);
  offers.title = OffersTitle(c.League);
  return StayInCompetitionSeason(folder, c, random);
}

// Adds a season's block to the season history. When the history already
// ends with a block of the same season (written by a season's close whose
// save never followed, so that the grand final was played again), the new
// block takes its place.
void AddSeasonBlock(std::string& history, const std::string& block) {
  const std::size_t title = block.find("SEASON:");
  const std::size_t titleEnd = block.find("\r\n", title);
  if (title != std::string::npos && titleEnd != std::string::npos) {
    const std::string_view heading(block.data(), titleEnd + 2);
    const std::size_t at = history.rfind(heading);
    if (at != std::string::npos &&
        history.find("\r\n==========\r\n", at + 1) == std::string::npos) {
      history.resize(at);
    }
  }
  history += block;
}

void Paper(RunState& run, Prompter& prompter, const char* masthead, std::string headline,
           std::string text) {
  if (masthead) run.newspaper.masthead = masthead;
  run.newspaper.headline = std::move(headline);
  run.newspaper.text = std::move(text);
  prompter.publish(run.newspaper);
}

}  // namespace

int AwardsNight(Career& c, RunState& run, Random& random, Prompter& prompter) {
  prompter.inform(kAwardsNightMessage);
  const double avg = c.MatchRatingAverage;
  const int goals = c.Goals;
  const bool eligible = c.BrownlowEligible == "Y";
  const int level = LevelOf(c.League);
  const int games = c.Levels[static_cast<std::size_t>(level)].Matches;
  int won = 0;
  if (c.League == "Local Reserves" || c.League == "Local Firsts") {
    const bool local = c.League == "Local Reserves";
    const std::string grade = local ? "Local Reserves" : "Local Firsts";
    won = Present(
        {{avg > kAllStarRating.local || goals > kAwardGoals,
          "You have been selected in the " + grade + " All-Star Team in the " + c.Position +
              " position! Congratulations!",
          local ? &c.LocalAllStar : &c.RegionalAllStar, 0, &c.SeasonAllStar, nullptr},
         {(avg > kBestAndFairestRating.local || goals > kAwardGoals) && eligible,
          BestAndFairestMessage(c), local ? &c.LocalBestAndFairest : &c.RegionalBestAndFairest, 0,
          &c.SeasonBestAndFairest, nullptr},
         {avg > kUnder21Rating.local && c.Age < kYoungAge, kUnder21Message,
          local ? &c.LocalU21 : &c.RegionalU21, 0, &c.SeasonU21, nullptr},
         {avg > kRookieRating.local && games < kRookieMatches,
          "You have been awarded the prize for best rookie player in the " + grade +
              " League! Congratulations!",
          local ? &c.LocalRookie : &c.RegionalRookie, 0, &c.SeasonRookie, nullptr},
         {goals > kAwardGoals,
          "You kicked the most goals in the competition for the season! Congratulations!",
          local ? &c.LocalGoalsAward : &c.RegionalGoalsAward, 0, &c.SeasonMostGoals, nullptr},
         {avg > kMostValuableRating,
          local ? "For your excellent standard of play throughout the season and outstanding "
                  "service to your club, you have been awarded with the Local Reserves League "
                  "most prestigious award, the League's Most Valuable Player! Well done!"
                : "For your excellent standard of play throughout the season and outstanding "
                  "service to your club, you have been awarded with the Local Firsts League most "
                  "prestigious award, the C.R. Newbury Medal! Well done!",
          local ? &c.LocalMVP : &c.RegionalMVP, 0, &c.SeasonMVP, nullptr}},
        prompter);
  } else if (c.League == "State") {
    won = Present(
        {{avg > kAllStarRating.local || goals > kAwardGoals,
          "You have been selected to represent " + c.State +
              " in the upcoming State of Origin in the " + c.Position +
              " position! Congratulations!",
          &c.StateVictorian, 2, &c.SeasonVictoria, &c.StateMatchesAward},
         {(avg > kBestAndFairestRating.local || goals > kAwardGoals) && eligible,
          BestAndFairestMessage(c), &c.StateBestAndFairest, 0, &c.SeasonBestAndFairest, nullptr},
         {avg > kUnder21Rating.local && c.Age < kYoungAge, kUnder21Message, &c.StateU21, 0,
          &c.SeasonU21, nullptr},
         {avg > kRookieRating.local && games < kRookieMatches,
          "You have been awarded the Norm Goss Medal for best rookie player in the State League! "
          "Congratulations!",
          &c.StateRookie, 0, &c.SeasonRookie, nullptr},
         {goals > kAwardGoals,
          "You have been awarded with the 'Frosty' Miller Medal for kicking the most goals in the "
          "competition for the season! Congratulations!",
          &c.StateGoalsAward, 0, &c.SeasonMostGoals, nullptr},
         {avg > kMostValuableRating,
          "For your excellent standard of play throughout the season and outstanding service to "
          "your club, you have been awarded with the State League's most prestigious award, the "
          "J.J. Liston Trophy! Well done!",
          &c.StateMVP, 0, &c.SeasonMVP, nullptr}},
        prompter);
  } else if (c.League == "AFL") {
    bool coleman = false;
    if (goals > kAwardGoals) {
      // The Coleman is his outright beyond 109 goals, and likely below that.
      const int draw = random.roll(3);
      coleman = goals > kColemanCertainGoals || draw < 3;
    }
    won = Present(
        {{avg > kAllStarRating.afl || goals > kAwardGoals,
          "You have been selected to represent Australia in the upcoming International Rules "
          "series in the " +
              c.Position + " position!!! Congratulations!!!",
          &c.AFLAllAustralian, 2, &c.SeasonAustralia, &c.AFLMatchesAward},
         {(avg > kBestAndFairestRating.afl || goals > kAwardGoals) && eligible,
          BestAndFairestMessage(c), &c.AFLBestAndFairest, 0, &c.SeasonBestAndFairest, nullptr},
         {(avg > kUnder21Rating.afl || goals > kAwardGoals) && c.Age < kYoungAge, kUnder21Message,
          &c.AFLU21, 0, &c.SeasonU21, nullptr},
         {(avg > kRookieRating.afl || goals > kAwardGoals) && games < kRookieMatches &&
              c.Age < kYoungAge && eligible,
          "You have been awarded the Rising Star Award for best rookie player in the AFL! "
          "Congratulations!",
          &c.AFLRisingStar, 0, &c.SeasonRisingStar, nullptr},
         {coleman,
          "You have been presented with the Coleman Medal for kicking the most goals in the "
          "competition for the season! Congratulations!",
          &c.AFLColeman, 0, &c.SeasonColeman, nullptr}},
        prompter);
    if (BrownlowNight(c, run, random, prompter)) ++won;
  }
  if (won == 0) prompter.inform(kEmptyHandedMessage);
  return won;
}

std::string SeasonHistoryBlock(const Career& c) {
  std::string out = "\r\n==========\r\n\r\n\r\n";
  out += "SEASON:" + Num(c.Age - 13) + "\r\n\r\n";
  InfoLines(out, c);
  out += "-STATS-\r\n";
  out += "Disposals: " + Num(c.Disposals) + "\r\n";
  out += "Goals: " + Num(c.Goals) + "\r\n";
  out += "Behinds: " + Num(c.Behinds) + "\r\n";
  out += "Most Disposals: " + Num(c.MostDisposals) + "\r\n";
  out += "Most Goals: " + Num(c.MostGoals) + "\r\n";
  out += "Average Disposals: " + Num(c.AverageDisposals) + "\r\n";
  out += "Average Goals: " + Num(c.AverageGoals) + "\r\n";
  out += "\r\n";
  out += "-AWARDS-\r\n";
  out += "BOGs: " + Num(c.BOGs) + "\r\n";
  out += "Brownlow Votes: " + Num(c.Brownlow) + "\r\n";
  const std::pair<const std::string*, const char*> flags[] = {
      {&c.SeasonMVP, "Most Valuable Player"},
      {&c.SeasonBrownlow, "Brownlow Medal Winner!"},
      {&c.SeasonMostGoals, "Most Goals Award"},
      {&c.SeasonColeman, "Coleman Medal"},
      {&c.SeasonRookie, "Best Rookie"},
      {&c.SeasonRisingStar, "Rising Star Award"},
      {&c.SeasonU21, "Most Promising Under-21 Player"},
      {&c.SeasonBestAndFairest, "Club Best and Fairest"},
      {&c.SeasonAllStar, "League Allstar Player"},
      {&c.SeasonVictoria, "State Representative"},
      {&c.SeasonAustralia, "All-Australian Player"},
      {&c.SeasonVictoriaMatches, "Played 2 State-of-Origin Matches"},
      {&c.SeasonAustraliaMatches, "Played 2 International Rules Matches"},
  };
  for (const auto& [flag, line] : flags) {
    if (*flag == "Y") out += std::string(line) + "\r\n";
  }
  if (c.Overall > 180 && c.Age > 23) out += "Club Captain\r\n";
  out += "\r\n";
  return out;
}

std::string CareerHistoryText(const Career& c) {
  const LevelRecord& afl = c.Levels[3];
  std::string out = "\r\n";
  out += "Seasons Played:" + Num(c.Age - 13) + "\r\n\r\n";
  InfoLines(out, c);
  out += "-AFL STATS-\r\n";
  out += "Games: " + Num(afl.Matches) + "\r\n";
  out += "Disposals: " + Num(afl.Disposals) + "\r\n";
  out += "Goals: " + Num(afl.Goals) + "\r\n";
  out += "Behinds: " + Num(afl.Behinds) + "\r\n";
  out += "Most Disposals: " + Num(afl.MostDisposals) + "\r\n";
  out += "Most Goals: " + Num(afl.MostGoals) + "\r\n";
  out += "Average Disposals: " + Num(afl.AverageDisposals) + "\r\n";
  out += "Average Goals: " + Num(afl.AverageGoals) + "\r\n";
  out += "\r\n";
  out += "-AFL AWARDS-\r\n";
  out += "BOGs: " + Num(afl.BOGs) + "\r\n";
  out += "Brownlow Medals: " + Num(c.AFLBrownlow) + "\r\n";
  out += "Coleman Medals: " + Num(c.AFLColeman) + "\r\n";
  out += "Rising Star Awards: " + Num(c.AFLRisingStar) + "\r\n";
  out += "Under 21 Awards: " + Num(c.AFLU21) + "\r\n";
  out += "Best And Fairest: " + Num(c.AFLBestAndFairest) + "\r\n";
  out += "All Australian Team: " + Num(c.AFLAllAustralian) + "\r\n";
  out += "Matches for Australia: " + Num(c.AFLMatchesAward) + "\r\n";
  out += "Seasons as Captain: " + Num(c.AFLCaptain) + "\r\n";
  out += "\r\n";
  return out;
}

std::optional<FileError> CloseSeason(Career& c, RunState& run, Random& random, Prompter& prompter,
                                     const std::filesystem::path& folder) {
  LevelRecord& level = c.Levels[static_cast<std::size_t>(LevelOf(c.League))];
  level.MostDisposals = std::max(level.MostDisposals, c.Disposals);
  level.MostGoals = std::max(level.MostGoals, c.Goals);

  AwardsNight(c, run, random, prompter);

  // The histories, named after the player.
  std::optional<FileError> error;
  const auto seasonFile = SeasonHistoryPath(folder, c);
  ReadResult read = ReadWholeFile(seasonFile, kMaxHistoryBytes);
  if (read.bytes || read.missing) {
    std::string season = read.bytes ? std::move(*read.bytes) : std::string();
    AddSeasonBlock(season, ToWindows1252(SeasonHistoryBlock(c)));
    if (auto e = WriteFileAtomically(seasonFile, season)) error = FileError{*e};
  } else {
    // A history that cannot be read is not written over.
    error = FileError{read.error};
  }
  if (auto e =
          WriteFileAtomically(CareerHistoryPath(folder, c), ToWindows1252(CareerHistoryText(c)))) {
    error = FileError{*e};
  }

  // The young body still grows.
  const int g = random.roll(3);
  if (c.Age == 14 || c.Age == 15) {
    c.Height += g;
    c.Weight += g;
  }
  const int h = random.roll(2);
  if (c.Age == 16 || c.Age == 17) {
    c.Height += h;
    c.Weight += h;
  }
  c.Overall = OverallOf(c.Kicking, c.Handballing, c.Tackling, c.Marking, c.Running);

  // Twice in a career he may choose a new position; the position screen
  // comes up once the round is closed.
  const char* question = nullptr;
  if (c.Age == kPositionChangeAges[0]) {
    question =
        "You have reached a stage in your career where your body and mind are fully matured. If "
        "you wish, you can now make a change to your preferred position. Starting next season, "
        "this new position will be the one in which you play week in week out. If you do make the "
        "change, however, you may find it takes some time to get used to the new position. Do you "
        "want to make the change? (You will get to decide your new position if you choose yes)";
  } else if (c.Age == kPositionChangeAges[1]) {
    question =
        "You are now entering the twilight years of your career, and your body is beginning to "
        "slow down. If you wish, you can now re-invent yourself as a player in a new position, in "
        "order to possibly lengthen your career. If you do this, however, you may find it tough "
        "getting used to the position after so many years in a different one. Do you wish to make "
        "the change? (You will get to decide your new position if you choose yes)";
  }
  if (question && prompter.askYesNo(question, kProgramTitle, Icon::Stop)) {
    run.positionChangeDue = true;
  }

  c.Brownlow = 0;
  c.BrownlowEligible = "Y";
  run.playColour = PlayColour::LastMissed;
  c.Injury = -1;
  c.Suspension = -1;
  c.Boots = c.Jumper = c.Shorts = c.Other = kFullBar;
  c.GearOverall = BarMean(c.Boots, c.Jumper, c.Shorts, c.Other);
  for (LadderRow& row : c.Ladder) row = LadderRow{row.Team};
  return error;
}

std::string OffersTitle(std::string_view league) {
  std::string title(league);
  // The leagues' names are plain ASCII; std::toupper would follow the locale.
  for (char& ch : title) {
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  }
  return title + " CLUB OFFERS";
}

std::filesystem::path SeasonHistoryPath(const std::filesystem::path& folder, const Career& c) {
  return folder / (c.Name + std::string(kSeasonHistoryEnding));
}

std::filesystem::path CareerHistoryPath(const std::filesystem::path& folder, const Career& c) {
  return folder / (c.Name + std::string(kCareerHistoryEnding));
}

bool IsRetired(const Career& c) { return !c.PlayOpen && !c.ContractOpen && !c.SponsorshipOpen; }

bool PassesPromotionTest(const Career& c) {
  const double avg = c.MatchRatingAverage;
  return (avg > kPromotionRatingWithGoals && c.Goals > kPromotionGoalsWithRating) ||
         avg > kPromotionRating || c.Goals > kPromotionGoals;
}

void FillOffers(ContractOffers& offers, const std::array<std::string, 16>& clubs,
                std::string_view league, bool restay, Random& random) {
  const int level = LevelOf(league);
  const int longest = restay ? 3 : level + 2;  // 2, 3, 4 or 5 seasons
  for (std::size_t i = 0; i < 16; ++i) {
    ContractOffer& row = offers.rows[i];
    row.offer = Money::Dollars(kOfferAmounts[static_cast<std::size_t>(level)]
                                            [static_cast<std::size_t>(random.roll(6) - 1)]);
    row.length = random.roll(longest);
    row.club = clubs[i];
  }
  offers.pendingTeam.clear();
}

std::optional<FileError> MoveOn(Career& c, RunState& run, ContractOffers& offers, Random& random,
                                Prompter& prompter, const std::filesystem::path& folder) {
  if (c.ContractMatches >= 1) return Stay(c, offers, random, folder);
  c.PlayOpen = false;
  const double avg = c.MatchRatingAverage;
  const std::string who = c.Position + ", " + c.Name;
  if (PassesPromotionTest(c)) {
    if (c.League == "AFL") {
      prompter.inform("Your contract is over. Please negotiate a new one");
      return Stay(c, offers, random, folder);
    }
    if (c.League == "State") {
      prompter.inform(
          "Congratulations! AFL scouts have been monitoring your progress, and more than five of "
          "them have decided that they would like to see you at the AFL Draft Camp. If you "
          "continue to impress, you stand a very good chance of getting drafted. Good luck!");
      Paper(run, prompter, "Herald Sun", c.Name + " To AFL Level",
            c.Team + " has today announced that its star " + who +
                " will be participating in the upcoming AFL Draft Camp. Fantastic performances in "
                "the State League is the main reason for " +
                c.Name +
                "'s selection, and no doubt he will rise to the ocassion and be drafted, turning "
                "into the star AFL player he has been expected to be.");
      offers.title = "AFL CLUB OFFERS";
      c.DraftDue = 1;  // the draft camp takes over from here
      return std::nullopt;
    }
    if (c.League == "Local Firsts") {
      prompter.inform(
          "Congratulations! Scouts from clubs in the State League have been monitoring your "
          "progress, and with your current contract now over, you are now receiving offers from "
          "them Please negotiate a new contract");
      Paper(run, prompter, "The Age", c.Name + " To State Level",
            c.Team + " has today announced that its star " + who +
                " will next season be playing in the State League. Fantastic performances in the "
                "Local League is the main reason for " +
                c.Name +
                "'s 'promotion', and with AFL recruiters watching the State League very closely, "
                "if he continues his brilliant performances he may be a chance at getting drafted "
                "before long.");
      offers.title = "STATE CLUB OFFERS";
      auto error = MoveTo(c, offers, random, folder, "State");
      ResetLiveSkills(c);
      return error;
    }
    prompter.inform(
        "Congratulations! Scouts from Local Firsts clubs have been monitoring your progress, and "
        "with your current contract now over, you are now receiving offers from them. Please "
        "negotiate a new contract");
    offers.title = "LOCAL FIRSTS CLUB OFFERS";
    return MoveTo(c, offers, random, folder, "Local Firsts");
  }
  // An average of exactly 2.5 is kept on, like the averages above it.
  if (avg >= kKeptOnRating && avg < 6.6) {
    prompter.inform("Your contract is over. Please negotiate a new one");
    return Stay(c, offers, random, folder);
  }
  if (c.League == "Local Reserves") {
    if (c.Age < kRetirementAge) {
      prompter.inform("Your contract is over. Please negotiate a new one");
      return Stay(c, offers, random, folder);
    }
    prompter.inform(
        "After a long career, you finally decide that your body is not up to the standard of "
        "football required to play at the Local Reserves level. You retire and finish a long "
        "career spanning over 300 games.");
    c.PlayOpen = false;
    c.ContractOpen = false;
    c.SponsorshipOpen = false;
    return std::nullopt;
  }
  // A drop of one level: the message, the papers and the offers of the
  // level below. Every story but the Local Firsts one names its paper.
  struct Drop {
    std::string_view from;
    std::string_view to;
    const char* message;
    const char* masthead;
    const char* headline;
    const char* story;  // between the club and the player's "who"
    const char* rest;   // after "who", up to the player's name at the end
  };
  static constexpr std::array<Drop, 3> kDrops = {{
      {"Local Firsts", "Local Reserves",
       "Your contract is over, and unfortunately neither your team or any other in the Local "
       "Firsts League is willing to re-sign you. You have been dropped back to the Reserves Grade. "
       "Please negotiate a new contract",
       nullptr, " To The B's", " has today announced that it will be sending popular ",
       ", back to the reserves grade. Poor performance throughout the season is believed to be the "
       "main reason for the dropping, and with no other Local Firsts teams expected to pick up the "
       "player, the Reserves League will become his new home. "},
      {"State", "Local Firsts",
       "Your contract is over, and unfortunately neither your team or any other in the State "
       "League is willing to re-sign you. You have been dropped back to the Local Firsts League. "
       "Please negotiate a new contract",
       "Local Times", " Back To The Bush",
       " has today announced that it will not be renewing the contract of popular ",
       ". Poor performance throughout the season is believed to be the main reason for the "
       "dropping, and with no other State teams expected to pick up the player, the Local League "
       "will become his new home. "},
      {"AFL", "State",
       "Your contract is over, and unfortunately neither your team or any other in the AFL is "
       "willing to re-sign you. You have been dropped back to the State League. Please negotiate "
       "a new contract",
       "The Age", " Back To State Level",
       " has today announced that it will not be renewing the contract of popular ",
       ". Poor performance throughout the season is believed to be the main reason for the "
       "dropping, and with no other AFL teams expected to pick up the player, the State League "
       "will become his new home. "},
  }};
  const auto drop =
      std::find_if(kDrops.begin(), kDrops.end(), [&](const Drop& d) { return d.from == c.League; });
  if (drop == kDrops.end()) return std::nullopt;
  prompter.inform(drop->message);
  Paper(run, prompter, drop->masthead, c.Name + drop->headline,
        c.Team + drop->story + who + drop->rest + c.Name +
            " will need to work hard if he is ever to play at the top level again.");
  offers.title = OffersTitle(drop->to);
  auto error = MoveTo(c, offers, random, folder, drop->to);
  ResetLiveSkills(c);
  return error;
}

void AgeingDecline(Career& c) {
  if (c.Age < kAgeingFrom) return;
  const auto& row = kAgeing[static_cast<std::size_t>(std::min(c.Age, 45) - kAgeingFrom)];
  c.Fitness = std::max(0, c.Fitness - row[0]);
  c.Health = std::max(0, c.Health - row[1]);
  c.Stamina = std::max(0, c.Stamina - row[2]);
  for (int* skill : {&c.Kicking, &c.Handballing, &c.Marking, &c.Tackling}) {
    *skill = std::max(1, *skill - row[3]);
  }
  c.Running = std::max(1, c.Running - row[4]);
}

}  // namespace km
