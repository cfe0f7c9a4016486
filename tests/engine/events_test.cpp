// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/career.h"
#include "support/scripted_ports.h"
#include "week/events.h"

namespace km {
namespace {

using testing::ScriptedPrompter, testing::ScriptedRandom;

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

const Player kLocal{};
const Player kAfl{.league = "AFL"};
const Player kState{.league = "State"};

// Skills K H M T R, bars F(itness) h(ealth) s(tamina), gear B(oots) J(umper) P (shorts) O(ther).
const std::pair<char, int Career::*> kFigures[] = {
    {'K', &Career::Kicking},  {'H', &Career::Handballing}, {'M', &Career::Marking},
    {'T', &Career::Tackling}, {'R', &Career::Running},     {'F', &Career::Fitness},
    {'h', &Career::Health},   {'s', &Career::Stamina},     {'B', &Career::Boots},
    {'J', &Career::Jumper},   {'P', &Career::Shorts},      {'O', &Career::Other}};

// A career with room to move every skill and bar both ways.
Career Make(const Player& p) {
  Career c;
  std::tie(c.League, c.Age) = std::tuple(p.league, p.age);
  c.Injury = p.last == Last::Injured ? 2 : -1;
  c.Suspension = p.last == Last::Suspended ? 0 : -1;
  for (const auto& [code, field] : kFigures) c.*field = 50;
  c.BankBalance = Money::Dollars(5000);
  return c;
}

// What a week changed, in short: "$300 T+3 R+3" is $300 banked and three points of tackling and
// running.
std::string Diff(const Career& before, const Career& after) {
  std::string out;
  const auto add = [&](const std::string& piece) { out += (out.empty() ? "" : " ") + piece; };
  const std::int64_t cents = after.BankBalance.cents() - before.BankBalance.cents();
  if (cents != 0) add("$" + std::to_string(cents / 100));
  for (const auto& [code, field] : kFigures) {
    const int by = after.*field - before.*field;
    if (by != 0) add(std::string(1, code) + (by > 0 ? "+" : "") + std::to_string(by));
  }
  Career rest = after;
  rest.BankBalance = before.BankBalance;
  for (const auto& [code, field] : kFigures) rest.*field = before.*field;
  if (!(rest == before)) add("and more");
  return out;
}

// One week's draws: the kind, the two lottery numbers, then the event's rolls as (result, out of).
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
  std::string diff;
};

Week PlayWeek(const Career& before, ScriptedRandom& random, const Player& p,
              std::deque<bool> answers = {}) {
  Week w{before, {}, {}};
  w.prompter.answers = std::move(answers);
  RunWeeklyEvents(w.career, random, w.prompter, p.disposals, p.goals);
  EXPECT_EQ(random.left(), 0u) << "draws left unused";
  for (const auto& m : w.prompter.messages) EXPECT_EQ(m.title, "Kickmark");
  w.diff = Diff(before, w.career);
  return w;
}

Week Fortune(int kind, int event, const Player& p) {
  ScriptedRandom r = Draws(kind, {{event, kind == kGood ? 40 : 35}});
  return PlayWeek(Make(p), r, p);
}

// Who each fortune can happen to, and what it does: "" a quiet week, "-" a word changing nothing.
TEST(Events, FortunesTheirConditionsAndChanges) {
  const Player suspended{.last = Last::Suspended}, injured{.last = Last::Injured};
  const Player aflSuspended{.league = "AFL", .last = Last::Suspended};
  constexpr int G = kGood, B = kBad;
  const std::tuple<int, int, Player, const char*> cases[] = {
      // clang-format off
      {G, 1, kLocal, "$300"}, {G, 1, kAfl, ""}, {G, 1, suspended, ""}, {G, 2, kLocal, "$500"},
      {G, 2, {.disposals = 0}, ""}, {G, 2, injured, ""}, {G, 3, kAfl, "$500"},
      {G, 3, {.goals = 0}, ""}, {G, 3, suspended, ""}, {G, 4, kLocal, ""}, {G, 4, kAfl, "$1000"},
      {G, 8, kState, ""}, {G, 25, kLocal, "$300"}, {G, 25, kAfl, "-"}, {G, 29, kAfl, ""},
      {G, 29, kLocal, "$300 T+3 R+3"}, {G, 31, suspended, "$300"}, {G, 34, {.age = 17}, "$1000"},
      {G, 34, {.age = 18}, ""}, {G, 36, aflSuspended, "$1000"}, {G, 40, kAfl, ""},
      {G, 40, kState, "$200"},
      {B, 1, suspended, "$-300"}, {B, 2, kLocal, "$-1000"}, {B, 2, suspended, ""},
      {B, 4, injured, "$-250"}, {B, 5, kLocal, ""}, {B, 5, aflSuspended, ""}, {B, 5, kAfl, "$-300"},
      {B, 8, kState, ""}, {B, 10, suspended, ""}, {B, 10, kAfl, "$-1500"}, {B, 29, kAfl, ""},
      {B, 32, kAfl, "K-1 T-1 R-1 s-2"}, {B, 34, {.age = 18}, ""}, {B, 34, {.age = 19}, "$-1000"},
      {B, 35, kAfl, ""},
      // clang-format on
  };
  for (const auto& [kind, event, player, expected] : cases) {
    SCOPED_TRACE(::testing::Message() << (kind == kGood ? "good " : "bad ") << event << ", "
                                      << player.league << ", age " << player.age);
    const Week w = Fortune(kind, event, player);
    const std::string diff = expected;
    EXPECT_EQ(w.diff, diff == "-" ? "" : diff);
    EXPECT_EQ(w.prompter.messages.size(), diff.empty() ? 0u : 1u);
    EXPECT_TRUE(w.prompter.questions.empty());
  }
}

Week Choose(int event, bool yes, int outcome = 0, int outOf = 0, const Player& p = kLocal) {
  std::vector<std::pair<int, int>> rolls = {{event, 30}};
  if (outOf != 0) rolls.emplace_back(outcome, outOf);
  ScriptedRandom r = Draws(kChoice, rolls);
  Week w = PlayWeek(Make(p), r, p, {yes});
  EXPECT_EQ(w.prompter.questions.size(), 1u);
  return w;
}

// Yes rolls its outcome out of `outOf` (none: one outcome); `odds` gives each roll's effect: W a
// bet won ($2000), L $1000 lost, - nothing, A B C the other effects in the order they first come.
// No never rolls and changes nothing but at the casino nights, which cost $3000.
TEST(Events, EveryChoicesOddsAndItsNo) {
  const std::pair<int, const char*> choices[30] = {
      // out of, odds
      {0, "L"},    {0, "A"},    {0, "A"},    {0, "L"},    {0, "A"},     // 1-5
      {3, "ABC"},  {3, "AL-"},  {3, "AL-"},  {3, "A-B"},  {3, "WLW"},   // 6-10
      {3, "WLW"},  {3, "WLW"},  {3, "WLW"},  {3, "WLW"},  {3, "WLW"},   // 11-15
      {3, "WLW"},  {3, "WLW"},  {3, "WLW"},  {3, "LLL"},  {3, "WLL"},   // 16-20
      {4, "ABBB"}, {4, "ABBB"}, {3, "ABB"},  {3, "A--"},  {4, "ABBB"},  // 21-25
      {3, "ABB"},  {4, "ABBB"}, {4, "ABBB"}, {4, "ABBB"}, {4, "ABBB"},  // 26-30
  };
  for (int event = 1; event <= 30; ++event) {
    SCOPED_TRACE(::testing::Message() << "choice " << event);
    const auto& [outOf, odds] = choices[event - 1];
    const Week no = Choose(event, false);
    ASSERT_EQ(no.prompter.questions.size(), 1u);
    EXPECT_EQ(std::tie(no.prompter.questions[0].title, no.prompter.questions[0].icon),
              std::tuple("Kickmark", Icon::None));
    const bool casino = event == 25 || event >= 27;
    EXPECT_EQ(no.diff, casino ? "$-3000" : "");
    std::string seen;
    std::map<std::string, char> letters = {{"", '-'}, {"$2000", 'W'}, {"$-1000", 'L'}};
    for (int roll = 1; roll <= std::max(outOf, 1); ++roll) {
      const Week yes = Choose(event, true, roll, outOf);
      const char next = static_cast<char>('A' + letters.size() - 3);
      seen += letters.emplace(yes.diff, next).first->second;
      // A bet always tells how the match went.
      EXPECT_TRUE(event < 10 || event > 20 || yes.prompter.messages.size() == 1u) << roll;
    }
    EXPECT_EQ(seen, odds);
  }
}

// A few outcomes in full: the change, and the words where they matter.
TEST(Events, ChoiceOutcomes) {
  const struct {
    int event, yes, outcome, outOf;
    const char *diff, *message = nullptr;  // message "": no word; none: not checked here
  } cases[] = {
      // clang-format off
      {1, true, 0, 0, "$-1000", ""}, {6, true, 1, 3, "K-3 H-3 M-3 T-3 R-3"},
      {7, true, 1, 3, "F+3 h+3 s+3"}, {8, true, 1, 3, "K+3 H+3 M+3 T+3 R+3"},
      {9, true, 1, 3, "$50 F-10 h-10 s-10"}, {9, false, 0, 0, "", "Pfft, wimp"},
      {21, true, 4, 4, "K+2 H+2 M+2 T+2 R+2"}, {22, true, 1, 4, "K-2 H-2 M-2 T-2 R-2"},
      {23, true, 1, 3, "h-5 s-3"}, {25, true, 2, 4, "K+3"}, {25, true, 1, 4, "K+1"},
      {27, true, 4, 4, "H+3"}, {30, true, 2, 4, "R+3"},
      // clang-format on
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "choice " << k.event << (k.yes ? " Yes " : " No ") << k.outcome);
    const Week w = Choose(k.event, k.yes, k.outcome, k.outOf);
    EXPECT_EQ(w.diff, k.diff);
    if (k.message == nullptr) continue;
    EXPECT_EQ(w.prompter.messageTexts(), std::vector<std::string>(*k.message ? 1 : 0, k.message));
  }
  // The casino night is lost whatever is in the bank.
  Career poor = Make(kLocal);
  poor.BankBalance = Money::Dollars(1000);
  ScriptedRandom r = Draws(kChoice, {{25, 30}});
  EXPECT_EQ(PlayWeek(poor, r, kLocal, {false}).career.BankBalance, Money::Dollars(-2000));
}

// The roll of 12 picks the table: 1, 2, 4, 8 good fortune; 3, 6 misfortune; 5 a choice; the rest a
// quiet week. The event is scripted out of its table's size, so a kind sent elsewhere shows.
// Before it, every week, the lottery: both numbers must be 500.
TEST(Events, KindPicksTheTableAfterTheLottery) {
  const char* lottery =
      "CONGRATULATIONS! You have won $1,000,000 from Powerball! Enjoy your new luxury life";
  const struct {
    int kind, outOf;  // outOf: the table's size; 0 for a quiet week
    const char* diff;
    int a = 1, b = 1;
  } cases[] = {
      // clang-format off
      {1, 40, "$300"}, {2, 40, "$300"}, {4, 40, "$300"}, {8, 40, "$300"},  // an old lady's $300
      {3, 35, "s-3"}, {6, 35, "s-3"},                                      // a weekend's gaming
      {5, 30, "$-3000"},                                                   // a casino night
      {7, 0, ""}, {9, 0, ""}, {10, 0, ""}, {11, 0, ""}, {12, 0, ""},
      {7, 0, "$1000000", 500, 500}, {1, 40, "$1000300", 500, 500},
      {7, 0, "", 500, 499}, {7, 0, "", 501, 500}, {1, 40, "$300", 1, 500},
      // clang-format on
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(::testing::Message() << k.kind << " " << k.a << " " << k.b);
    ScriptedRandom r = k.outOf == 0 ? Draws(k.kind, {}, k.a, k.b)
                                    : Draws(k.kind, {{k.outOf == 35 ? 27 : 30, k.outOf}}, k.a, k.b);
    const Week w = PlayWeek(Make(kLocal), r, kLocal, {false});
    EXPECT_EQ(w.diff, k.diff);
    EXPECT_EQ(w.prompter.questions.size(), k.kind == 5 ? 1u : 0u);
    const bool won = k.a == 500 && k.b == 500;
    ASSERT_EQ(w.prompter.messages.size(), (k.outOf == 0 ? 0u : 1u) + (won ? 1u : 0u));
    EXPECT_TRUE(!won || w.prompter.messages[0].text == lottery);
  }
}

// Bars stay within 0..100 and skills within 1..200 after an event's change.
TEST(Events, BarsAndSkillsStayInRange) {
  constexpr int G = kGood, B = kBad, C = kChoice;
  const std::tuple<int, int, int, int, int, int Career::*, int, int> cases[] = {
      // clang-format off
      {G, 18, 40, 0, 0, &Career::Health, 99, 100}, {G, 27, 40, 0, 0, &Career::Stamina, 98, 100},
      {G, 19, 40, 0, 0, &Career::Boots, 100, 100}, {G, 12, 40, 0, 0, &Career::Kicking, 200, 200},
      {G, 15, 40, 0, 0, &Career::Marking, 200, 200}, {B, 22, 35, 0, 0, &Career::Other, 3, 0},
      {B, 12, 35, 0, 0, &Career::Kicking, 1, 1}, {B, 29, 35, 0, 0, &Career::Tackling, 2, 1},
      {C, 9, 30, 3, 3, &Career::Fitness, 6, 0}, {C, 22, 30, 1, 4, &Career::Marking, 2, 1},
      {C, 21, 30, 2, 4, &Career::Running, 199, 200},
      // clang-format on
  };
  for (const auto& [kind, event, outOf, outcome, outcomeOf, field, from, to] : cases) {
    SCOPED_TRACE(::testing::Message() << kind << "/" << event);
    std::vector<std::pair<int, int>> rolls = {{event, outOf}};
    if (outcome != 0) rolls.emplace_back(outcome, outcomeOf);
    ScriptedRandom r = Draws(kind, rolls);
    Career c = Make(kLocal);
    c.*field = from;
    EXPECT_EQ(PlayWeek(c, r, kLocal, {true}).career.*field, to);
  }
}

}  // namespace
}  // namespace km
