#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "draft/draft.h"
#include "draft/draft_camp.h"
#include "game/game.h"
#include "season/fixture.h"
#include "support/scripted_ports.h"
#include "support/temp_folder.h"

namespace km {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedPrompter;
using testing::ScriptedRandom;
using testing::TempFolder;

Career Prospect(int overall, double rating, int running) {
  Career c;
  c.Name = "Jack";
  c.League = "State";
  c.Age = 19;
  c.Overall = overall;
  c.MatchesPlayed = 20;
  c.MatchRatingAverage = rating;
  c.Running = running;
  return c;
}

TEST(DraftCamp, EntriesResultsAndRankBases) {
  // Overall 100 and an average of 7.1 are the camp's first five entries.
  const struct {
    int caseNumber;
    const char* sprint;
    int base;
  } cases[] = {{1, "4", 70}, {2, "3.98", 70}, {3, "3.96", 69}, {4, "3.94", 68}, {5, "3.92", 67}};
  for (const auto& k : cases) {
    const int entry = CampEntry(CampGroup(7.1), CampBand(100), k.caseNumber);
    EXPECT_EQ(entry, k.caseNumber);
    EXPECT_EQ(CampResult(1, entry), k.sprint);
    EXPECT_EQ(CampRankBase(entry), k.base);
  }
  EXPECT_EQ(CampEntry(CampGroup(7.2), CampBand(200), 5), 60);
  EXPECT_EQ(CampResult(1, 60), "2.76");
  EXPECT_EQ(CampResult(1, 59), "2.84");
  EXPECT_EQ(CampResult(2, 1), "45.5");
  EXPECT_EQ(CampResult(3, 60), "90");
  EXPECT_EQ(CampResult(4, 1), "10.7");
  EXPECT_EQ(CampResult(5, 60), "16");
  EXPECT_EQ(CampResult(6, 1), "12.29");
  EXPECT_EQ(CampResult(6, 15), "12.01");
  EXPECT_EQ(CampResult(6, 16), "11.59");
  EXPECT_EQ(CampResult(6, 46), "10.59");
  EXPECT_EQ(CampResult(6, 60), "10.31");
  const std::pair<int, int> bands[] = {{100, 1}, {101, 2}, {125, 2}, {126, 3},
                                       {175, 4}, {176, 5}, {199, 5}, {200, 6}};
  for (const auto& [overall, band] : bands) EXPECT_EQ(CampBand(overall), band) << overall;
}

TEST(DraftCamp, AWholeCampWithTheClampAtTheEnd) {
  ScriptedRandom r;
  DraftCamp camp(Prospect(100, 7.1, 100));
  // The welcome: variance, sign, then the text.
  r.next(1, 3);
  r.next(1, 2);
  r.next(2, 3);
  camp.Step(r);
  EXPECT_EQ(camp.state().Activity, "Introduction");
  EXPECT_EQ(camp.state().StartCaption, "Next Session");
  EXPECT_EQ(camp.state().Comments.substr(0, 50),
            "Welcome to the AFL Draft Camp. Over the next few d");
  // Six tests, each a base of 70 plus 3: the sign is +1 below Running 150.
  for (int test = 1; test <= 6; ++test) {
    r.next(3, 3);
    r.next(2, 2);
    r.next(1, 5);
    camp.Step(r);
    if (test == 1) {
      EXPECT_EQ(camp.state().Activity, "20m Sprint");
      EXPECT_EQ(camp.state().Unit, "Seconds");
      EXPECT_EQ(camp.state().Rank, 73);
      EXPECT_EQ(camp.state().RankAverage, 12);  // 73 / 6
      EXPECT_EQ(camp.state().Comments,
                "Jack put in a really poor effort there. His time of 4 is around about a second "
                "slower than the top times. He'll need to do much better in the upcoming tests.");
    }
    if (test == 5) {
      EXPECT_EQ(camp.state().Rows[4].Rank, 73);
    }
  }
  EXPECT_EQ(camp.state().Activity, "3km Time-Trial");
  for (const CampRow& row : camp.state().Rows) EXPECT_EQ(row.Rank, 70);
  EXPECT_EQ(camp.state().Rank, 70);
  EXPECT_EQ(camp.state().RankAverage, 70);
  r.next(1, 3);
  r.next(1, 2);
  camp.Step(r);
  EXPECT_TRUE(camp.Finished());
  EXPECT_EQ(camp.AverageRank(), 70);
  EXPECT_EQ(camp.state().Comments.substr(0, 40), "Jack had a very disappointing draft camp");
  EXPECT_FALSE(camp.state().StartEnabled);
  EXPECT_TRUE(camp.state().OkEnabled);
}

TEST(DraftCamp, VerdictBands) {
  const std::pair<int, const char*> cases[] = {
      {1, " was without a doubt the standout"}, {2, " had a great draft camp."},
      {10, " had a great draft camp."},         {11, " had a very good draft camp."},
      {60, " had a disappointing draft camp."}, {61, " had a very disappointing draft camp."}};
  for (const auto& [rank, start] : cases) {
    EXPECT_EQ(CampVerdict(rank).substr(0, std::string(start).size()), start) << rank;
  }
}

TEST(Draft, TheFirstPickWhoseThresholdsHeMeets) {
  const struct {
    int rank, overall;
    double rating;
    int pick, round, wage;
  } cases[] = {
      {1, 200, 8.1, 1, 1, 32000},   {1, 200, 8.0, 2, 1, 30000},    {15, 180, 7.3, 6, 1, 28000},
      {30, 161, 7.1, 11, 1, 26000}, {40, 151, 6.9, 17, 2, 24000},  {50, 141, 6.7, 25, 2, 22000},
      {60, 131, 6.5, 33, 3, 20000}, {69, 121, 6.3, 49, 4, 18000},  {70, 121, 6.3, 80, 5, 14000},
      {69, 120, 9.0, 80, 5, 14000}, {69, 121, 6.25, 49, 4, 18000}, {70, 200, 9.0, 80, 5, 14000},
  };
  for (const auto& k : cases) {
    int taken = 0;
    std::optional<PickTier> tier;
    for (int pick = 1; pick <= kLastPick && !tier; ++pick) {
      tier = TakenAt(pick, k.rank, k.overall, k.rating);
      taken = pick;
    }
    ASSERT_TRUE(tier.has_value());
    EXPECT_EQ(taken, k.pick) << k.rank << " " << k.overall << " " << k.rating;
    EXPECT_EQ(tier->round, k.round);
    EXPECT_EQ(tier->wage, k.wage);
  }
  // Picks 65 to 79 want more than 6.3: a 6.25 who missed 49 to 64 waits for 80.
  EXPECT_FALSE(TakenAt(65, 69, 121, 6.25).has_value());
}

TEST(Draft, ThroughTheGameFromCampToContract) {
  TempFolder folder;
  TwisterRandom random(5);
  ScriptedPrompter p;
  Game game(random, p, DataFolder{folder.path});
  Career c = Prospect(176, 7.3, 100);
  c.CareerName = "jack";
  c.Team = "Eastern Ranges";
  c.Matches = 26;
  c.DraftDue = 1;
  c.PlayOpen = false;
  c.SetupKicking = 50;
  c.Kicking = 170;
  game.Adopt(c);
  ASSERT_NE(game.OpenCampIfDue(), nullptr);
  while (!game.camp()->Finished()) game.CampStep();
  const int rank = game.camp()->AverageRank();
  ASSERT_TRUE(game.GoToDraft());
  EXPECT_EQ(game.career().League, "AFL");
  EXPECT_EQ(game.contracts().title, "AFL CLUB OFFERS");
  EXPECT_TRUE(fs::exists(folder.path / "jackFixture.kmf"));
  // The draft order is the same whatever the ladder drawn for the season.
  while (game.draft()) game.DraftPick();
  const Career& after = game.career();
  int expected = 0;
  std::optional<PickTier> tier;
  while (!tier) tier = TakenAt(++expected, rank, 176, 7.3);
  const std::string club(kDraftOrder[static_cast<std::size_t>((expected - 1) % 16)]);
  EXPECT_EQ(after.Team, club);
  EXPECT_EQ(after.ContractTeam, club);
  EXPECT_EQ(after.ContractMatches, 52);
  EXPECT_EQ(after.Wages, Money::Dollars(tier->wage));
  EXPECT_EQ(after.ContractCurrent, Money::Dollars(tier->wage));
  EXPECT_TRUE(after.PlayOpen);
  EXPECT_EQ(after.DraftDue, 0);
  EXPECT_EQ(after.Kicking, 50);  // he starts at the top level from his base skills
  EXPECT_EQ(p.messages.back().text, "Congratulations! You have been drafted by " + club + "!");
  EXPECT_EQ(p.stories.back().headline, "Rookie Jack Signs With " + club);
  EXPECT_EQ(p.stories.back().text.substr(0, 49),
            "19-year-old Jack was today drafted by AFL team " + club.substr(0, 2));
  EXPECT_EQ(game.camp(), nullptr);
  // The drafted career is saved at once, beside its new fixture.
  auto saved = LoadCareer(folder.path / "jack.kms");
  ASSERT_TRUE(std::holds_alternative<Career>(saved));
  EXPECT_EQ(std::get<Career>(saved).League, "AFL");
  EXPECT_EQ(std::get<Career>(saved).Team, club);
}

// A career saved at a season's close with his contract over: the load finds
// what waited from the save alone. League is where he goes on and Team the
// club he leaves, so the offers come from the right clubs, in the right
// order, for the right lengths.
TEST(Draft, ALoadedCareerPicksUpWhatWaited) {
  const struct {
    const char* label;
    const char* league;
    const char* team;
    double rating;
    bool draft;
    const char* title;
    int longest;   // the longest contract the offers may hold
    bool fixture;  // he stays: the fixture keeps the clubs in an order of their own
  } cases[] = {
      {"camp", "State", "Werribee", 7.0, true, "", 0, false},
      {"promoted to State", "State", "Mornington", 7.0, false, "STATE CLUB OFFERS", 4, false},
      {"promoted to Local Firsts", "Local Firsts", "Lilydale", 7.0, false,
       "LOCAL FIRSTS CLUB OFFERS", 3, false},
      {"dropped to Local Reserves", "Local Reserves", "Mornington", 1.0, false,
       "LOCAL RESERVES CLUB OFFERS", 2, false},
      {"dropped to State", "State", "Geelong Cats", 1.0, false, "STATE CLUB OFFERS", 4, false},
      {"re-signs in the Local Reserves", "Local Reserves", "Lilydale", 4.0, false,
       "LOCAL RESERVES CLUB OFFERS", 3, true},
      {"re-signs in the AFL", "AFL", "Geelong Cats", 7.0, false, "AFL CLUB OFFERS", 5, true},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.label);
    TempFolder folder;
    TwisterRandom random(5);
    ScriptedPrompter p;
    Game game(random, p, DataFolder{folder.path});
    Career c = Prospect(120, k.rating, 100);
    c.CareerName = "jack";
    c.State = "Victoria";
    c.League = k.league;
    c.Team = k.team;
    c.Matches = 26;
    c.ContractMatches = 0;
    c.PlayOpen = false;
    // The fixture was made from the clubs in one order, and the ladder rows
    // shuffled after.
    const ClubList& list = ClubsOf(k.league, c.State);
    std::array<std::string, 16> order;
    for (std::size_t i = 0; i < 16; ++i) {
      order[i] = k.fixture ? list[(i * 5 + 3) % 16] : list[i];
      c.Ladder[i].Team = list[(i * 7 + 1) % 16];
    }
    ASSERT_FALSE(WriteSeasonFixture(folder.path, c, order));
    ASSERT_FALSE(SaveCareer(folder.path, c));
    ASSERT_EQ(game.LoadFrom(folder.path / "jack.kms").outcome, Game::LoadOutcome::Loaded);
    EXPECT_EQ(game.career().DraftDue, k.draft ? 1 : 0);
    if (k.draft) continue;
    const ContractOffers& offers = game.contracts();
    EXPECT_EQ(offers.title, k.title);
    int longest = 0;
    for (std::size_t i = 0; i < 16; ++i) {
      EXPECT_EQ(offers.rows[i].club, order[i]) << i;
      longest = std::max(longest, offers.rows[i].length);
    }
    // Sixteen draws reach the longest length but never pass it.
    EXPECT_EQ(longest, k.longest);
    game.ClickOffer(4, offers.rows[3].club);
    game.Sign();
    EXPECT_TRUE(game.career().PlayOpen);
  }
  // With a contract running, nothing waits, and the contract screen is
  // headed by his competition all the same.
  TempFolder folder;
  TwisterRandom random(5);
  ScriptedPrompter p;
  Game game(random, p, DataFolder{folder.path});
  Career c = Prospect(120, 5.0, 100);
  c.CareerName = "jack";
  c.League = "AFL";
  c.Matches = 7;
  c.ContractLength = 2;
  c.ContractMatches = 40;
  ASSERT_FALSE(SaveCareer(folder.path, c));
  for (int round = 1; round <= c.Matches; ++round) {
    ASSERT_FALSE(AppendRoundResult(folder.path, c, RoundRecord{}));
  }
  ASSERT_EQ(game.LoadFrom(folder.path / "jack.kms").outcome, Game::LoadOutcome::Loaded);
  EXPECT_EQ(game.contracts().title, "AFL CLUB OFFERS");
  EXPECT_FALSE(game.WaitingFor().signature);
}

}  // namespace
}  // namespace km
