// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/tips.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "core/career_fields.h"
#include "core/new_career.h"
#include "game/game.h"
#include "support/playing.h"
#include "support/scripted_ports.h"
#include "week/shops.h"

namespace km {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

// A Victorian fresh from the setup screen, with `fields` ("Injury=3|GearOverall=40") set.
Career CareerWith(std::string_view fields) {
  Career career = CreateCareer(
      testing::Answers("tips", "Sam Tips", "Bendigo", "Victoria", "Centre", {50, 50, 50, 50, 50}));
  while (!fields.empty()) {
    const std::string_view entry = fields.substr(0, fields.find('|'));
    fields.remove_prefix(std::min(fields.size(), entry.size() + 1));
    const std::size_t equals = entry.find('=');
    const CareerField* field = FindCareerField(std::string(entry.substr(0, equals)));
    EXPECT_TRUE(field && field->set(career, std::string(entry.substr(equals + 1)))) << entry;
  }
  return career;
}

// A bar's tip says where it stands, what the next mark below it does, and
// what an overall's bars make now when it has not caught up with them.
TEST(Tips, BarsSayWhatTheNextMarkBelowThemDoes) {
  const struct {
    const char* fields;
    HubBar bar;
    const char* says;
  } cases[] = {
      {"GearOverall=50", HubBar::GearOverall, "Under 50, Play would ask whether you will play in"},
      {"GearOverall=49", HubBar::GearOverall, "It is under 50: Play asks whether you will play"},
      {"HealthOverall=100", HubBar::HealthOverall,
       "full strength; under 100 your disposals and goals fall to 90%."},
      {"HealthOverall=90", HubBar::HealthOverall,
       "at 90% of your disposals and goals; under 90 that falls to 80%."},
      {"HealthOverall=19", HubBar::HealthOverall,
       "at 10% of your disposals and goals; under 10 that falls to 1%."},
      {"HealthOverall=9", HubBar::HealthOverall, "at 1% of your disposals and goals, the least"},
      {"HealthOverall=77|Fitness=75|Health=75|Stamina=90", HubBar::HealthOverall,
       "Your next match is played at this figure. Your bars average 80 now; it stays 77 until a "
       "match or a purchase works it out again. You play at 70%"},
      {"GearOverall=60|Boots=40|Jumper=41|Shorts=40|Other=40", HubBar::GearOverall,
       "Your bars average 40 now; it stays 60 until a match or a purchase works it out again. "
       "Under 50, Play would ask"},
      {"Stamina=50", HubBar::Stamina, "Stamina: 50 of 100. Matches wear your stamina down"},
      {"Stamina=50", HubBar::Stamina, "health overall. Under 50 a match marks it worn."},
      {"Other=49", HubBar::Other, "gear overall. It is under 50: a match marks it worn."},
  };
  for (const auto& c : cases) {
    EXPECT_THAT(HubBarTip(CareerWith(c.fields), c.bar), HasSubstr(c.says)) << c.fields;
  }
  // An overall that agrees with its bars does not name them.
  EXPECT_THAT(BarTip(HubBar::GearOverall, 70, 70), Not(HasSubstr("Your bars average")));
}

// The fixed figures: a skill's tip is made from its name, the rating
// average names the marks of promotion and relegation, and a name the hub
// does not have has no tip.
TEST(Tips, TheHubsFiguresSayWhatTheyAre) {
  const struct {
    std::string_view control;
    const char* says;
  } cases[] = {
      {"lblHandballing", "Your handballing skill. Your club's matches raise your skills"},
      {"lblMatchRatingAverage", "an average over 6.2 moves you up a level and one under 2.5 may"},
      {"lblMatchRating", "Season rating sum: the match ratings of this season added up."},
      {"cmdLadderStats", "Ladder table: this button is never available."},
  };
  for (const auto& c : cases) EXPECT_THAT(HubTip(c.control), HasSubstr(c.says)) << c.control;
  for (std::string_view control : HubTipControls()) EXPECT_NE(HubTip(control), "") << control;
  EXPECT_EQ(HubTip("lblNothing"), "");
}

// Play's reason says what holds it: retirement, a window, a signature, an
// injury, worn gear; or what it does when nothing does.
TEST(Tips, PlaysReasonSaysWhatHoldsIt) {
  const struct {
    const char* fields;
    bool window;
    const char* says;
  } cases[] = {
      {"", false, "Plays this week's round."},
      {"Injury=3|GearOverall=40", false,
       "You are injured: you miss this week's match and the next 2. Your gear overall is 40, "
       "under 50: Play asks"},
      {"Suspension=1", false, "You are suspended: you miss this week's match."},
      {"Matches=12|PlayOpen=False", true, "Play waits for a sponsor window. Open Sponsorship"},
      {"PlayOpen=False", false, "Play is closed until the game hands the week back to you."},
      {"ContractMatches=0|PlayOpen=False", false,
       "Play waits for a signature on the STATE CLUB OFFERS of"},
      {"PlayOpen=False|ContractOpen=False|SponsorshipOpen=False", false, "You have retired"},
  };
  for (const auto& c : cases) {
    testing::ScriptedRandom random;
    testing::ScriptedPrompter prompter;
    Game game(random, prompter, DataFolder{"."});
    // Signed for ten more matches, unless the case says otherwise.
    game.Adopt(CareerWith("ContractMatches=10|" + std::string(c.fields)));
    game.contracts().title = "STATE CLUB OFFERS";
    game.run().sponsorHighlight = c.window;
    EXPECT_THAT(PlayReason(game), StartsWith(c.says)) << c.fields;
  }
}

// A shop row's units say where its bar would stand, or how far a skill may
// still go; the balance after says when the bank is short.
TEST(Tips, TheShopsRowsAndBalances) {
  ShopRow other;
  other.name = "Other";
  other.Units = 51;
  EXPECT_THAT(ShopTips(other).units,
              StartsWith("Units other needs to be back at 100. Other: 49 of 100."));
  ShopRow row;
  row.name = "Kicking";
  const ShopRowTips kicking = ShopTips(row);
  EXPECT_EQ(kicking.units, "Units of kicking you can still train: your kicking goes up to 200.");
  EXPECT_THAT(kicking.rate, StartsWith("Dollars a unit of kicking costs."));
  EXPECT_THAT(kicking.chosen, StartsWith("Units of kicking you buy when you press OK"));
  EXPECT_THAT(BalanceAfterTip(true), HasSubstr("It is short: OK is refused"));
  EXPECT_THAT(BalanceAfterTip(false), Not(HasSubstr("short")));
}

}  // namespace
}  // namespace km
