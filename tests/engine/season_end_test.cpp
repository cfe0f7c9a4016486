// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>

#include "core/file_names.h"
#include "core/text_file.h"
#include "match/after_match.h"
#include "season/finals.h"
#include "season/fixture.h"
#include "season/season_end.h"
#include "support/scripted_ports.h"
#include "support/temp_folder.h"

namespace km {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedPrompter;
using testing::ScriptedRandom;
using testing::TempFolder;

Career Player(const char* league) {
  Career c;
  c.Name = "Jack";
  c.Team = "Frankston";
  c.Position = "Wing";
  c.State = "Victoria";
  c.League = league;
  c.Age = 19;
  c.CareerName = "jack";
  for (std::size_t k = 0; k < 16; ++k) c.Ladder[k].Team = "C" + std::to_string(k + 1);
  return c;
}

constexpr const char* kLeagues[] = {"Local Reserves", "Local Firsts", "State", "AFL"};

// The season's awards as letters: All-star (or State of Origin, or
// All-Australian), Best and fairest, Under-21, Rookie (or Rising Star),
// Goals (or Coleman) and MVP.
std::string Won(const Career& c) {
  const std::pair<bool, char> flags[] = {
      {c.SeasonAllStar == "Y" || c.SeasonVictoria == "Y" || c.SeasonAustralia == "Y", 'A'},
      {c.SeasonBestAndFairest == "Y", 'B'},
      {c.SeasonU21 == "Y", 'U'},
      {c.SeasonRookie == "Y" || c.SeasonRisingStar == "Y", 'R'},
      {c.SeasonMostGoals == "Y" || c.SeasonColeman == "Y", 'G'},
      {c.SeasonMVP == "Y", 'M'}};
  std::string won;
  for (const auto& [flag, letter] : flags) {
    if (flag) won += letter;
  }
  return won;
}

// Each award's condition at its edge and just past it: the average, the
// goals, his age (under 22), his games at the level (under 26) and his
// eligibility for the medal.
TEST(Awards, EachAwardAtItsEdge) {
  // The competition (in kLeagues), average, goals, age, games, eligibility,
  // the Coleman's draw of 3 (drawn with more than 79 goals in the AFL) and
  // the awards won.
  const std::tuple<int, double, int, int, int, int, int, const char*> cases[] = {
      {0, 7.8, 0, 22, 26, 1, 0, ""},    {0, 7.9, 0, 22, 26, 1, 0, "A"},
      {0, 8.0, 0, 22, 26, 1, 0, "A"},   {0, 8.1, 0, 22, 26, 1, 0, "AB"},
      {0, 8.1, 0, 22, 26, 0, 0, "A"},   {0, 8.6, 0, 22, 26, 1, 0, "ABM"},
      {0, 7.2, 0, 21, 26, 1, 0, ""},    {0, 7.3, 0, 21, 26, 1, 0, "U"},
      {0, 7.3, 0, 22, 26, 1, 0, ""},    {0, 7.5, 0, 22, 25, 1, 0, ""},
      {0, 7.6, 0, 22, 25, 1, 0, "R"},   {0, 7.6, 0, 22, 26, 1, 0, ""},
      {0, 0, 79, 22, 26, 1, 0, ""},     {0, 0, 80, 22, 26, 1, 0, "ABG"},
      {0, 0, 80, 22, 26, 0, 0, "AG"},   {1, 8.6, 10, 21, 30, 0, 0, "AUM"},
      {1, 7.9, 0, 22, 25, 1, 0, "AR"},  {2, 7.9, 0, 22, 26, 1, 0, "A"},
      {2, 8.1, 0, 21, 26, 1, 0, "ABU"}, {2, 8.6, 0, 22, 25, 0, 0, "ARM"},
      {2, 0, 80, 22, 26, 1, 0, "ABG"},  {3, 7.9, 0, 22, 26, 1, 0, ""},
      {3, 8.0, 0, 22, 26, 1, 0, "A"},   {3, 8.1, 0, 22, 26, 1, 0, "A"},
      {3, 8.2, 0, 22, 26, 0, 0, "A"},   {3, 8.2, 0, 22, 26, 1, 0, "AB"},
      {3, 7.3, 0, 21, 25, 1, 0, ""},    {3, 7.4, 0, 21, 26, 1, 0, "U"},
      {3, 7.6, 0, 21, 25, 1, 0, "U"},   {3, 7.7, 0, 21, 25, 1, 0, "UR"},
      {3, 7.7, 0, 21, 25, 0, 0, "U"},   {3, 7.7, 0, 22, 25, 1, 0, ""},
      {3, 0, 79, 21, 25, 1, 0, ""},     {3, 0, 80, 21, 25, 1, 2, "ABURG"},
      {3, 0, 109, 22, 26, 1, 3, "AB"},  {3, 0, 110, 22, 26, 1, 3, "ABG"}};
  for (const auto& [which, avg, goals, age, games, eligible, colemanDraw, awards] : cases) {
    const char* league = kLeagues[which];
    SCOPED_TRACE(std::string(league) + " " + std::to_string(avg) + " " + awards);
    Career c = Player(league);
    c.MatchRatingAverage = avg;
    c.Goals = goals;
    c.Age = age;
    c.BrownlowEligible = eligible ? "Y" : "N";
    for (LevelRecord& level : c.Levels) level.Matches = games;
    RunState run;
    ScriptedRandom r;
    if (colemanDraw) r.next(colemanDraw, 3);
    if (which == 3) {
      r.next(16, 16);  // the Brownlow's winner polls 36
      r.next(5, 5);
    }
    ScriptedPrompter p;
    const int won = AwardsNight(c, run, r, p);
    EXPECT_EQ(r.left(), 0u);
    EXPECT_EQ(Won(c), awards);
    EXPECT_EQ(won, static_cast<int>(std::string(awards).size()));
    // The league's own all-star counter; State of Origin and International
    // Rules selections count two matches.
    const bool allStar = !Won(c).empty() && Won(c)[0] == 'A';
    const int level = LevelIndex(league);
    const int counters[] = {c.LocalAllStar, c.RegionalAllStar, c.StateVictorian,
                            c.AFLAllAustralian};
    for (int at = 0; at < 4; ++at) EXPECT_EQ(counters[at], at == level && allStar ? 1 : 0) << at;
    EXPECT_EQ(c.StateMatchesAward + c.AFLMatchesAward, level >= 2 && allStar ? 2 : 0);
    if (level < 3 && won == 0) {
      EXPECT_EQ(p.messages.back().text, kEmptyHandedMessage);
    }
  }
}

// The Brownlow night by his votes' margin over the winner's 26 (a draw of 6
// of 16): he wins on a margin of 0 or more.
TEST(Awards, BrownlowNightByTheMargin) {
  const std::pair<int, const char*> cases[] = {
      {-10, "poll 16 votes for the season, and finish well behind the winner"},
      {-9, "reasonably well during the night and finish on 17 votes for the season, 9 votes"},
      {-7, "reasonably well during the night and finish on 19 votes"},
      {-6, "manage to poll 20 votes for the season, and finish in 3th place, 6 votes off"},
      {-5, "manage to poll 21 votes for the season, and finish in 3th place, 5 votes off"},
      {-4, "finish on 22 votes for the season, which puts you in 3th place, only 4 votes off"},
      {-3, "a good total of 23 votes for the season, which puts you in 3th place, only 3 votes"},
      {-2, "a very good 24 votes for the season, which puts you in 3th place! You were only 2"},
      {-1,
       "is 25 votes for the season, 1 ahead of your rival... His scores are read... And he "
       "gets a 2! Bad luck!"},
      {0,
       "is 26 votes for the season, 1 ahead of your rival... His scores are read... And he "
       "gets a 1! Congratulations!!!"},
      {1,
       "is 27 votes for the season, 1 ahead of your rival... His scores are read... And he "
       "gets no votes! Congratulations!!!"},
      {2, "28 votes for the season, 2 ahead of your rival"},
      {3, "29 votes for the season, 4 ahead of your rival"},
      {4, "30 votes for the season, 6 ahead of your rival"},
      {5, "31 votes for the season, 6 ahead of second place"},
      {6, "32 votes for the season, well ahead of second place"},
  };
  for (const auto& [margin, words] : cases) {
    SCOPED_TRACE(margin);
    Career c = Player("AFL");
    c.Brownlow = 26 + margin;
    c.MatchesPlayed = 20;
    c.AverageDisposals = 26;  // shown as the hub shows it: "26.0"
    c.Goals = 12;
    RunState run;
    ScriptedRandom r;
    r.next(6, 16);
    r.next(2, 5);  // his place: 3rd, as for a draw of 1
    ScriptedPrompter p;
    AwardsNight(c, run, r, p);
    ASSERT_GE(p.messages.size(), 2u);
    EXPECT_NE(p.messages[1].text.find(words), std::string::npos) << p.messages[1].text;
    const bool won = margin >= 0;
    EXPECT_EQ((std::tuple{c.AFLBrownlow, p.stories.size(), run.brownlowTopVotes}),
              (std::tuple{won ? 1 : 0, won ? 1u : 0u, 26}));
    if (won) {
      EXPECT_EQ(p.stories[0].headline, "Jack Wins Top Award!");
      EXPECT_NE(p.stories[0].text.find("average of 26.0 disposals a match, and kicked 12 goals"),
                std::string::npos);
    } else {
      EXPECT_EQ(p.messages.back().text, kEmptyHandedMessage);
    }
  }
  // A suspension rules him out, whatever his votes.
  Career c = Player("AFL");
  c.BrownlowEligible = "N";
  c.Brownlow = 40;
  c.MatchRatingAverage = 9;
  c.Age = 20;
  RunState run;
  ScriptedRandom r;
  r.next(1, 16);
  r.next(1, 5);
  ScriptedPrompter p;
  AwardsNight(c, run, r, p);
  EXPECT_EQ((std::pair{c.AFLBestAndFairest, c.AFLRisingStar}), (std::pair{0, 0}));
  EXPECT_EQ(p.messages.back().text,
            "You are ineligible for the Brownlow due to suspension. You managed to poll 40 votes "
            "anyway, while the winner of the medal polled 21 votes.");
}

TEST(SeasonEnd, HistoriesGrowthQuestionsAndResets) {
  TempFolder folder;
  // The last close is of a season already in the history: its block replaces
  // the one there (a close whose save never followed).
  for (const int age : {14, 20, 21, 21}) {
    Career c = Player("Local Reserves");
    c.Age = age;
    c.Height = 180;
    c.Weight = 75;
    c.Brownlow = 3;
    c.Injury = 4;
    c.Ladder[3].Wins = 9;
    RunState run;
    ScriptedRandom r;
    r.next(2, 3);  // growth at 14 or 15
    r.next(1, 2);  // growth at 16 or 17
    ScriptedPrompter p;
    p.answers = {true};
    ASSERT_FALSE(CloseSeason(c, run, r, p, folder.path));
    EXPECT_EQ((std::pair{c.Height, c.Weight}),
              (age == 14 ? std::pair{182, 77} : std::pair{180, 75}));
    EXPECT_EQ(p.questions.size(), age == 20 ? 1u : 0u);
    EXPECT_EQ(run.positionChangeDue, age == 20);
    EXPECT_EQ((std::array{c.Brownlow, c.Injury, c.Ladder[3].Wins}), (std::array{0, -1, 0}));
  }
  // Three seasons in the history, the last written once; the career history
  // rewritten whole.
  const std::string text =
      *ReadWholeFile(folder.path / "Jack Season History.txt", kMaxHistoryBytes).bytes;
  EXPECT_EQ(text.substr(0, 30), "\r\n==========\r\n\r\n\r\nSEASON: 1 \r\n");
  EXPECT_NE(text.find("SEASON: 7 "), std::string::npos);
  EXPECT_NE(text.find("SEASON: 8 "), std::string::npos);
  EXPECT_EQ(text.find("SEASON: 8 "), text.rfind("SEASON: 8 "));
  EXPECT_EQ(
      ReadWholeFile(folder.path / "Jack Career History.txt", kMaxHistoryBytes).bytes->substr(0, 22),
      "\r\nSeasons Played: 8 \r\n");
}

// Where the season's figures take him: up, down, on in his competition, to
// the draft camp or into retirement. The offers are headed by the
// competition they come from; moving to another one starts him from his
// base skills, except the first step up from the Local Reserves.
TEST(MovingOn, TheSeasonsFiguresDecide) {
  // Competition, average, goals, age, contract (one that runs on keeps him
  // where he is); his competition next season, "retired" or "draft"; whether
  // his skills go back to his base.
  const std::tuple<const char*, double, int, int, int, const char*, bool> cases[] = {
      {"Local Reserves", 6.3, 10, 20, 0, "Local Firsts", false},
      {"Local Reserves", 5.8, 60, 20, 0, "Local Firsts", false},
      {"Local Reserves", 5.8, 59, 20, 0, "Local Reserves", false},
      {"Local Reserves", 2.5, 0, 20, 0, "Local Reserves", false},
      {"Local Reserves", 1.0, 0, 29, 0, "Local Reserves", false},
      {"Local Reserves", 1.0, 0, 30, 0, "retired", false},
      {"Local Firsts", 7.0, 0, 20, 0, "State", true},
      {"Local Firsts", 1.0, 0, 20, 0, "Local Reserves", true},
      {"State", 7.0, 0, 20, 0, "draft", false},
      {"State", 2.0, 0, 20, 0, "Local Firsts", true},
      {"AFL", 9.0, 0, 20, 0, "AFL", false},
      {"AFL", 2.4, 0, 20, 0, "State", true},
      {"AFL", 1.0, 0, 20, 30, "AFL", false},
  };
  for (const auto& [league, avg, goals, age, contract, next, skillsReset] : cases) {
    SCOPED_TRACE(std::string(league) + " " + std::to_string(avg));
    TempFolder folder;
    Career c = Player(league);
    c.MatchRatingAverage = avg;
    c.Goals = goals;
    c.Age = age;
    c.ContractMatches = contract;
    c.Kicking = 150;
    c.SetupKicking = 40;
    RunState run;
    ContractOffers offers;
    offers.title = "";
    TwisterRandom r(1);
    ScriptedPrompter p;
    ASSERT_FALSE(MoveOn(c, run, offers, r, p, folder.path));
    const std::string after = next;
    const bool retired = after == "retired";
    const bool draft = after == "draft";
    EXPECT_EQ(c.League, retired ? league : draft ? "State" : after);
    std::string title = draft ? "AFL CLUB OFFERS" : after + " CLUB OFFERS";
    for (char& ch : title) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    EXPECT_EQ(offers.title, retired ? "" : title);
    EXPECT_EQ(IsRetired(c), retired);
    EXPECT_EQ(c.DraftDue, draft ? 1 : 0);
    EXPECT_EQ(c.Kicking, skillsReset ? 40 : 150);
    EXPECT_EQ(c.PlayOpen, contract > 0);
    EXPECT_EQ(p.messages.empty(), contract > 0);
    // Every outcome but retirement and the draft camp writes next season's fixture.
    EXPECT_EQ(fs::exists(folder.path / "jackFixture.kmf"), !retired && !draft);
  }
}

TEST(Ageing, DeclineByAgeEveryRound) {
  // Age; fitness, health, stamina, kicking and marking, running after the decline.
  const std::array<int, 6> cases[] = {
      {27, 100, 100, 100, 200, 200}, {28, 97, 96, 95, 198, 196}, {29, 96, 95, 94, 197, 194},
      {32, 98, 91, 90, 193, 186},    {37, 65, 64, 63, 175, 150}, {44, 0, 0, 0, 50, 1},
      {45, 0, 0, 0, 1, 1},           {50, 0, 0, 0, 1, 1},
  };
  for (const auto& [age, fitness, health, stamina, kicking, running] : cases) {
    Career c;
    c.Age = age;
    c.Kicking = c.Marking = c.Running = 200;
    AgeingDecline(c);
    EXPECT_EQ((std::array{c.Fitness, c.Health, c.Stamina, c.Kicking, c.Marking, c.Running}),
              (std::array{fitness, health, stamina, kicking, kicking, running}))
        << age;
  }
}

// Each finals week is drawn from the ladder's top eight and the results of
// the week before; the club named first wins a slot marked '1'.
TEST(Finals, DrawnFromTheLadderAndTheResults) {
  TempFolder folder;
  Career c = Player("State");
  std::array<std::string, 16> clubs;
  for (std::size_t k = 0; k < 16; ++k) {  // A..P from the top
    clubs[k] = c.Ladder[k].Team = std::string(1, static_cast<char>('A' + k));
    c.Ladder[k].Wins = 16 - static_cast<int>(k);
  }
  ASSERT_FALSE(WriteSeasonFixture(folder.path, c, clubs));
  RunState run;
  auto week = [&](int matches) {
    c.Matches = matches;
    EXPECT_FALSE(DrawNextFinals(c, run, folder.path));
    return std::get<std::vector<std::string>>(ReadRoundPairings(folder.path, c, matches + 2));
  };
  auto results = [&](const std::string& names, const std::string& firstWon) {
    for (std::size_t s = 0; 2 * s < names.size(); ++s) {
      run.roundTeamOne[s] = names.substr(2 * s, 1);
      run.roundTeamTwo[s] = names.substr(2 * s + 1, 1);
      run.roundSlots[s].PointsOne = s < firstWon.size() && firstWon[s] == '1' ? 80 : 50;
      run.roundSlots[s].PointsTwo = 60;
    }
  };
  using Names = std::vector<std::string>;
  EXPECT_EQ(week(21), (Names{"A", "D", "B", "C", "E", "H", "F", "G"}));
  results("ADBCEHFG", "0110");  // D, B, E and G win
  EXPECT_EQ(week(22), (Names{"A", "E", "C", "G", "D", "B"}));
  results("AECGDB", "10");  // A and G win; D and B wait
  EXPECT_EQ(week(23), (Names{"D", "G", "B", "A"}));
  results("DGBA", "10");  // D and A win
  EXPECT_EQ(week(24), (Names{"D", "A"}));
  c.Matches = 25;
  EXPECT_FALSE(DrawNextFinals(c, run, folder.path));  // nothing after the grand final
  results("DA", "0");
  EXPECT_EQ(GrandFinalReport(c, run, Story{}).headline, "A Wins Grand Final!");
}

}  // namespace
}  // namespace km
