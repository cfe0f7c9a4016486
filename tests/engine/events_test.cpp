#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "core/career.h"
#include "support/scripted_ports.h"
#include "week/events.h"

namespace km {
namespace {

using testing::ScriptedPrompter;
using testing::ScriptedRandom;

constexpr int kGood = 1;    // a kind that rolls for good fortune
constexpr int kBad = 3;     // a kind that rolls for a misfortune
constexpr int kChoice = 5;  // the kind that asks a question

enum class Last { Played, Injured, Suspended };

struct Player {
  std::string league = "Local Reserves";
  int age = 20;
  Last last = Last::Played;
  int disposals = 12;
  int goals = 2;
};

using Change = std::pair<int Career::*, int>;

// A career with room to move every skill and bar both ways.
Career Make(const Player& p) {
  Career c;
  c.League = p.league;
  c.Age = p.age;
  c.Injury = p.last == Last::Injured ? 2 : -1;
  c.Suspension = p.last == Last::Suspended ? 0 : -1;
  for (int Career::*f :
       {&Career::Kicking, &Career::Handballing, &Career::Tackling, &Career::Marking,
        &Career::Running, &Career::Fitness, &Career::Health, &Career::Stamina, &Career::Boots,
        &Career::Jumper, &Career::Shorts, &Career::Other}) {
    c.*f = 50;
  }
  c.BankBalance = Money::Dollars(5000);
  return c;
}

Career Changed(Career c, int bank, const std::vector<Change>& changes) {
  c.BankBalance += Money::Dollars(bank);
  for (const auto& [field, by] : changes) c.*field += by;
  return c;
}

std::vector<Change> AllSkills(int by) {
  return {{&Career::Kicking, by},
          {&Career::Handballing, by},
          {&Career::Marking, by},
          {&Career::Tackling, by},
          {&Career::Running, by}};
}
std::vector<Change> One(int Career::*field, int by) { return {{field, by}}; }
std::vector<Change> Energy(int by) {
  return {{&Career::Fitness, by}, {&Career::Health, by}, {&Career::Stamina, by}};
}

// One week's draws: the kind, the two lottery numbers, then the event's own
// rolls as (result, out of).
ScriptedRandom Draws(int kind, std::vector<std::pair<int, int>> rolls = {}, int a = 1, int b = 1) {
  ScriptedRandom r;
  r.next(kind, 12);
  r.next(a, 1000);
  r.next(b, 1000);
  for (const auto& [k, n] : rolls) r.next(k, n);
  return r;
}

struct Week {
  Career career;
  ScriptedPrompter prompter;
};

Week PlayWeek(Career career, ScriptedRandom& random, const Player& p,
              std::deque<bool> answers = {}) {
  Week w{std::move(career), {}};
  w.prompter.answers = std::move(answers);
  RunWeeklyEvents(w.career, random, w.prompter, p.disposals, p.goals);
  EXPECT_EQ(random.left(), 0u) << "draws left unused";
  for (const auto& m : w.prompter.messages) EXPECT_EQ(m.title, "Kickmark");
  return w;
}

std::vector<std::string> Texts(const char* message) {
  if (message == nullptr) return {};
  return {message};
}

const Player kLocal{};
const Player kAfl{.league = "AFL"};
const Player kState{.league = "State"};

struct FortuneCase {
  int event;
  Player player;
  const char* message;  // none: a quiet week
  int bank = 0;
  std::vector<Change> changes = {};
};

void CheckFortunes(int kind, int events, const std::vector<FortuneCase>& cases) {
  for (const auto& k : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "event " << k.event << ", " << k.player.league << ", age " << k.player.age);
    ScriptedRandom r = Draws(kind, {{k.event, events}});
    const Career before = Make(k.player);
    const Week w = PlayWeek(before, r, k.player);
    EXPECT_EQ(w.prompter.messageTexts(), Texts(k.message));
    EXPECT_EQ(w.career, Changed(before, k.bank, k.changes));
    EXPECT_TRUE(w.prompter.questions.empty());
  }
}

TEST(Events, GoodFortuneConditionsMessagesAndChanges) {
  const Player suspended{.last = Last::Suspended};
  const Player injured{.last = Last::Injured};
  const Player noBall{.disposals = 0};
  const Player noGoal{.goals = 0};
  const Player aflSuspended{.league = "AFL", .last = Last::Suspended};
  const char* umpiring = "You made $300 umpiring a junior football match";
  CheckFortunes(
      kGood, 40,
      {
          {1, kLocal, umpiring, 300},
          {1, kAfl, nullptr},
          {1, suspended, nullptr},
          {2, kLocal, "You took mark of the week and won $500", 500},
          {2, noBall, nullptr},
          {2, suspended, nullptr},
          {3, kAfl, "You kicked the goal of the week and won $500", 500},
          {3, noGoal, nullptr},
          {3, suspended, nullptr},
          {3, injured, nullptr},
          {4, kLocal, nullptr},
          {4, kAfl, "You made an appearance on the Footy Show and were payed $1000", 1000},
          {5, kLocal, nullptr},
          {7, kLocal, nullptr},
          {8, kState, nullptr},
          {8, kAfl, "You have made $2500 from sales of your auto-biography", 2500},
          {15, kAfl,
           "You have really been putting in the hard yards at training lately, and it pays off. "
           "You gain in marking skill",
           0, One(&Career::Marking, 1)},
          {24, kAfl, nullptr},
          {25, kLocal,
           "While at the milk bar buying some low fat milk, you are accidentally given $300 extra "
           "change. You quietly slip it into your pocket and walk out",
           300},
          {25, kAfl,
           "While at the milk bar buying some low fat milk, you are accidentally given $300 extra "
           "change. You don't need the money and give it back to the owner"},
          {29, kAfl, nullptr},
          {29,
           kLocal,
           "You witness a man mugging an old lady on the street. You chase him down and tackle "
           "him, before making off with the contents off the bag. Tackling, running skills "
           "increase",
           300,
           {{&Career::Running, 3}, {&Career::Tackling, 3}}},
          {31, kAfl, nullptr},
          {31, suspended, umpiring, 300},
          {32, kAfl, nullptr},
          {33, kAfl, nullptr},
          {34, {.age = 17}, "You appear on a teenage game show and win $1000", 1000},
          {34, {.age = 18}, nullptr},
          {35, kAfl, nullptr},
          {36, aflSuspended, "You win $1000 from a raffle", 1000},
          {37, kAfl, nullptr},
          {40, kAfl, nullptr},
          {40, kState,
           "You decide to sell a rare footy card that you have had since you were a child on "
           "eBay. It fetches $200",
           200},
      });
}

TEST(Events, MisfortuneConditionsMessagesAndChanges) {
  const Player suspended{.last = Last::Suspended};
  const Player aflSuspended{.league = "AFL", .last = Last::Suspended};
  CheckFortunes(
      kBad, 35,
      {
          {1, suspended, "You had to pay $300 in transportation costs", -300},
          {2, kLocal, "You were fined $1000 for bad behaviour towards the crowd in the last match",
           -1000},
          {2, suspended, nullptr},
          {4,
           {.last = Last::Injured},
           "You were robbed of $250 on the way to the last match",
           -250},
          {5, kLocal, nullptr},
          {5, aflSuspended, nullptr},
          {5, kAfl, "You had to pay $300 for pre-game massage fees", -300},
          {8, kState, nullptr},
          {8, kAfl, "You had to pay $1000 for inter-state accomodation", -1000},
          {10, suspended, nullptr},
          {10, kAfl, "You have been fined $1500 for engaging in a melee in your last match", -1500},
          {11, suspended, nullptr},
          {16, kLocal, "You watching too many Collingwood games lately. You lose running skill", 0,
           One(&Career::Running, -1)},
          {22, kAfl, "You get a hole in one of your socks", 0, {{&Career::Other, -5}}},
          {25,
           kLocal,
           "While at the milk bar buying some low fat milk, you are short changed $300. You "
           "complain to the old lady behind the counter, so she slaps you, resulting in a bloody "
           "nose for you",
           -300,
           {{&Career::Health, -2}}},
          {29, kAfl, nullptr},
          {34, {.age = 18}, nullptr},
          {34, {.age = 19}, "You have to pay $1000 in car repairs", -1000},
          {35, kAfl, nullptr},
      });
}

// The two forum stories are our own words: check their effects and that each
// is its own message.
TEST(Events, ForumMisfortunes) {
  std::vector<std::string> seen;
  for (int event : {32, 33}) {
    SCOPED_TRACE(event);
    ScriptedRandom r = Draws(kBad, {{event, 35}});
    const Career before = Make(kAfl);
    const Week w = PlayWeek(before, r, kAfl);
    ASSERT_EQ(w.prompter.messages.size(), 1u);
    EXPECT_NE(w.prompter.messages[0].text.find("forum"), std::string::npos);
    seen.push_back(w.prompter.messages[0].text);
    EXPECT_EQ(w.career, Changed(before, 0,
                                {{&Career::Stamina, -2},
                                 {&Career::Kicking, -1},
                                 {&Career::Running, -1},
                                 {&Career::Tackling, -1}}));
  }
  EXPECT_NE(seen[0], seen[1]);
}

struct ChoiceCase {
  int event;
  bool yes;
  int outcome;          // the outcome roll after Yes, 0 when none is drawn
  int outcomeOf;        // what it is out of
  const char* message;  // none: no message
  int bank = 0;
  std::vector<Change> changes = {};
};

void CheckChoices(const std::vector<ChoiceCase>& cases) {
  for (const auto& k : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "choice " << k.event << (k.yes ? " Yes " : " No ") << k.outcome);
    std::vector<std::pair<int, int>> rolls = {{k.event, 30}};
    if (k.outcome != 0) rolls.emplace_back(k.outcome, k.outcomeOf);
    ScriptedRandom r = Draws(kChoice, rolls);
    const Career before = Make(kLocal);
    const Week w = PlayWeek(before, r, kLocal, {k.yes});
    ASSERT_EQ(w.prompter.questions.size(), 1u);
    EXPECT_EQ(w.prompter.messageTexts(), Texts(k.message));
    EXPECT_EQ(w.career, Changed(before, k.bank, k.changes));
  }
}

// Every question is a Yes/No box titled "Kickmark" without an icon.
TEST(Events, ChoiceQuestions) {
  const struct {
    int event;
    const char* question;
  } cases[] = {
      {1,
       "You have been contacted by a charity organisation asking you if you wish to donate "
       "$1000 to their cause. Will you do it ?"},
      {10,
       "Do you want to bet $1000 on Brisbane beating the Bulldogs at the GABBA at 2 to 1 odds ?"},
      {19,
       "Do you want to bet $1000 on Collingwood beating West Coast at Subiaco at 5 to 1 odds ?"},
      {25,
       "Your coach offers to work on your kicking tonight, in an attempt to improve it before "
       "the next match. Unfortunately, you had already agreed to go out to a casino with your "
       "mates. Do you want to do the special training ?"},
      {27,
       "Your coach offers to work on your handballing tonight, in an attempt to improve it "
       "before the next match. Unfortunately, you had already agreed to go out to a casino "
       "with your mates. Do you want to do the special training ?"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.event);
    ScriptedRandom r = Draws(kChoice, {{k.event, 30}});
    const Week w = PlayWeek(Make(kLocal), r, kLocal, {false});
    ASSERT_EQ(w.prompter.questions.size(), 1u);
    EXPECT_EQ(w.prompter.questions[0].text, k.question);
    EXPECT_EQ(w.prompter.questions[0].title, "Kickmark");
    EXPECT_EQ(w.prompter.questions[0].icon, Icon::None);
  }
}

TEST(Events, ChoiceOutcomesAndNo) {
  const char* bill =
      "What the club didn't tell you is that they wouldnt be paying for the trip. You are hit with "
      "the $1000 bill when you get there, and are too annoyed to benefit from the clinic";
  const char* understanding = "Your coach is disappointed but understanding";
  const std::vector<Change> flattened = Energy(-10);
  const std::vector<Change> stitches = {{&Career::Health, -5}, {&Career::Stamina, -3}};
  CheckChoices({
      {1, true, 0, 3, nullptr, -1000},
      {1, false, 0, 3, nullptr},
      {4, true, 0, 3, "You lost $1000 on the night", -1000},
      {6, true, 1, 3,
       "It turns out the man was your coach. You managed to catch him, but he bans you "
       "from attending training for the whole week, which hinders your performance",
       0, AllSkills(-3)},
      {7, true, 1, 3,
       "The clinic has a fantastic effect on you, and you come back feeling fresher and "
       "fitter than ever",
       0, Energy(3)},
      {7, true, 2, 3, bill, -1000},
      {8, true, 3, 3,
       "You have a fantastic time, meeting new people, eating great food, doing fun "
       "stuff... Unfortunately the aim wasnt to have fun, and the clinic has no effect "
       "on you whatsoever"},
      {9, true, 1, 3,
       "What are you crazy? This bloke is the biggest ruckman in the league! He "
       "absolutely flattens you and you are left battered and bruised. Still, you got "
       "your $50",
       50, flattened},
      {9, false, 0, 3, "Pfft, wimp"},
      {21, true, 4, 4,
       "The extra sessions are very efficient and you manage to increase your skills "
       "with very little loss of energy",
       0, AllSkills(2)},
      {21, false, 0, 3, understanding},
      {22, true, 1, 4,
       "Unfortunately you find the sessions very much useless, and end up losing a good "
       "deal of your skills for a minimal recovery of your energy",
       0, AllSkills(-2)},
      {23, true, 1, 3,
       "You stick your hands up to take the catch, however a young teenager comes flying over "
       "the top of you and knocks you off-balance. The ball bounces off your head and lands in "
       "the lap of an old man sitting nearby. You require 6 stitches and a couple of "
       "spectators to keep you from getting revenge on the kid",
       0, stitches},
      {23, false, 0, 3, "The crowd laughs as you run away from the ball"},
      {24, false, 0, 3, "You get up, scruffle the bloke's hair and tell him 'nice bump'"},
      {26, false, 0, 3, "You're a bad person"},
  });
}

// Choice 25 and its four twins: a night of special training on one skill
// against a casino night with the mates.
TEST(Events, SkillNightsNameTheirSkill) {
  const char* distracted =
      "Your mates are disappointed when you cancel the night, and you cant concentrate during the "
      "training as a result, making the befeicial effects minimal";
  const char* night = "Your coach is disappointed but understanding. You go out and lose $3000";
  CheckChoices({
      {25, true, 2, 4,
       "The kicking training does you plenty of good, and your mates are understanding", 0,
       One(&Career::Kicking, 3)},
      {25, true, 1, 4, distracted, 0, One(&Career::Kicking, 1)},
      {25, false, 0, 3, night, -3000},
      {27, true, 4, 4,
       "The handballing training does you plenty of good, and your mates are understanding", 0,
       One(&Career::Handballing, 3)},
      {30, true, 2, 4,
       "The running training does you plenty of good, and your mates are understanding", 0,
       One(&Career::Running, 3)},
  });
}

TEST(Events, BetsPayTwoThousandOrCostTheStake) {
  CheckChoices({
      {10, true, 1, 3, "Easy choice. Brisbane come out easy victors and you get your $2000", 2000},
      {10, true, 2, 3,
       "Wow! After trailing the whole match, the Bulldogs managed to put on a 10 goal "
       "final term and win by a point! Bad luck",
       -1000},
      {10, true, 3, 3, "Easy choice. Brisbane come out easy victors and you get your $2000", 2000},
      {10, false, 0, 3, "Brisbane wins easily"},
      {14, false, 0, 3, "Melbourne wins easily wins easily"},
      {19, true, 1, 3, "Oh come on, are you serious? Lions win by 71 points", -1000},
      {19, true, 2, 3,
       "Collingwood score a total of 5 goals 3 for the game, and are beaten by over 100 "
       "points. As expected",
       -1000},
      {19, true, 3, 3,
       "It's a relatively close game, however the Magpies never look like they're "
       "going to win it, and end up going down by 19 points",
       -1000},
      {19, false, 0, 3, "Collingwood wins easily"},
      {20, true, 1, 3,
       "In a close match Fremantle manage to come away with the points after 2 late "
       "goals in the last quarter got them a 4 point victory and you $2000",
       2000},
      {20, true, 3, 3, "St.Kilda manage to win in a close match, and you lose $1000", -1000},
  });
}

// Saying No to the casino night costs $3000 whatever is in the bank.
TEST(Events, NoToTheSkillNightTakesTheBankBelowZero) {
  ScriptedRandom r = Draws(kChoice, {{25, 30}});
  Career c = Make(kLocal);
  c.BankBalance = Money::Dollars(1000);
  const Week w = PlayWeek(c, r, kLocal, {false});
  EXPECT_EQ(w.career.BankBalance, Money::Dollars(-2000));
}

// The roll of 12 picks the table: 1, 2, 4, 8 good fortune; 3, 6 misfortune;
// 5 a choice; the rest a quiet week. Each table's event is scripted out of
// its own size, so a kind sent to the wrong table shows another event.
TEST(Events, KindPicksTheTable) {
  const char* night = "Your coach is disappointed but understanding. You go out and lose $3000";
  const char* flex = "An old lady offers you $300 to flex for her. You agree";
  const char* game =
      "You spend the weekend playing a Footy Career Simulation game. Its absolutely awesome, "
      "perhaps the best game ever made, but results in you losing some stamina";
  const struct {
    int kind;
    int outOf;  // what the event number is rolled out of; 0 for no roll
    const char* message;
    bool asks;
  } cases[] = {
      {1, 40, flex, false},    {2, 40, flex, false},    {4, 40, flex, false},
      {8, 40, flex, false},    {3, 35, game, false},    {6, 35, game, false},
      {5, 30, night, true},    {7, 0, nullptr, false},  {9, 0, nullptr, false},
      {10, 0, nullptr, false}, {11, 0, nullptr, false}, {12, 0, nullptr, false},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.kind);
    ScriptedRandom r =
        k.outOf == 0 ? Draws(k.kind) : Draws(k.kind, {{k.outOf == 35 ? 27 : 30, k.outOf}});
    const Career before = Make(kLocal);
    const Week w = PlayWeek(before, r, kLocal, {false});
    EXPECT_EQ(w.prompter.messageTexts(), Texts(k.message));
    EXPECT_EQ(w.prompter.questions.size(), k.asks ? 1u : 0u);
    if (k.message == nullptr) {
      EXPECT_EQ(w.career, before);
    }
  }
}

TEST(Events, LotteryNeedsBothNumbersAndComesFirst) {
  const struct {
    int kind, a, b;
    std::vector<std::pair<int, int>> rolls;
    std::vector<std::string> messages;
    int bank;
  } cases[] = {
      {7, 500, 500, {}, {kLotteryMessage}, 1000000},
      {1, 500, 500, {{36, 40}}, {kLotteryMessage, "You win $1000 from a raffle"}, 1001000},
      {7, 500, 499, {}, {}, 0},
      {7, 501, 500, {}, {}, 0},
      {1, 1, 500, {{36, 40}}, {"You win $1000 from a raffle"}, 1000},
  };
  EXPECT_EQ(std::string(kLotteryMessage),
            "CONGRATULATIONS! You have won $1,000,000 from Powerball! Enjoy your new luxury life");
  for (const auto& k : cases) {
    SCOPED_TRACE(::testing::Message() << k.kind << " " << k.a << " " << k.b);
    ScriptedRandom r = Draws(k.kind, k.rolls, k.a, k.b);
    const Career before = Make(kLocal);
    const Week w = PlayWeek(before, r, kLocal);
    EXPECT_EQ(w.prompter.messageTexts(), k.messages);
    EXPECT_EQ(w.career, Changed(before, k.bank, {}));
  }
}

// Bars stay within 0..100 and skills within 1..200 after an event's change.
TEST(Events, BarsAndSkillsStayInRange) {
  const struct {
    int kind, event, outOf, outcome, outcomeOf;
    int Career::*field;
    int from, to;
  } cases[] = {
      {kGood, 18, 40, 0, 0, &Career::Health, 99, 100},      // +2
      {kGood, 19, 40, 0, 0, &Career::Boots, 100, 100},      // +5
      {kGood, 12, 40, 0, 0, &Career::Kicking, 200, 200},    // +1
      {kBad, 22, 35, 0, 0, &Career::Other, 3, 0},           // -5
      {kBad, 12, 35, 0, 0, &Career::Kicking, 1, 1},         // -1
      {kBad, 29, 35, 0, 0, &Career::Tackling, 2, 1},        // -3
      {kChoice, 9, 30, 3, 3, &Career::Fitness, 6, 0},       // -10
      {kChoice, 22, 30, 1, 4, &Career::Marking, 2, 1},      // -2
      {kChoice, 21, 30, 2, 4, &Career::Running, 199, 200},  // +2
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(::testing::Message() << k.kind << "/" << k.event);
    std::vector<std::pair<int, int>> rolls = {{k.event, k.outOf}};
    if (k.outcome != 0) rolls.emplace_back(k.outcome, k.outcomeOf);
    ScriptedRandom r = Draws(k.kind, rolls);
    Career c = Make(kLocal);
    c.*k.field = k.from;
    const Week w = PlayWeek(c, r, kLocal, {true});
    EXPECT_EQ(w.career.*k.field, k.to);
  }
}

}  // namespace
}  // namespace km
