// SPDX-License-Identifier: GPL-3.0-or-later
#include "week/events.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace km {
namespace {

// ---------------------------------------------------------------------------
// What an event can change.

// The figures an event changes besides the bank, in the order it changes
// them: the five skills (Kicking, Handballing, Marking, Tackling, Running),
// the condition bars, then the gear bars.
enum class Stat {
  Kicking,
  Handballing,
  Marking,
  Tackling,
  Running,
  Fitness,
  Health,
  Stamina,
  Boots,
  Jumper,
  Shorts,
  Other
};
constexpr std::size_t kStatCount = 12;

// A change to the career: dollars into (or out of) the bank and a step for
// each figure.
struct Effect {
  int bank = 0;
  std::array<int, kStatCount> steps{};
};

constexpr Effect operator+(Effect a, const Effect& b) {
  a.bank += b.bank;
  for (std::size_t i = 0; i < kStatCount; ++i) a.steps[i] += b.steps[i];
  return a;
}

constexpr Effect kNoChange{};

constexpr Effect Bank(int dollars) { return Effect{dollars, {}}; }

constexpr Effect Step(Stat stat, int by) {
  Effect e;
  e.steps[static_cast<std::size_t>(stat)] = by;
  return e;
}

constexpr Effect AllSkills(int by) {
  return Step(Stat::Kicking, by) + Step(Stat::Handballing, by) + Step(Stat::Marking, by) +
         Step(Stat::Tackling, by) + Step(Stat::Running, by);
}

// Fitness, health and stamina together.
constexpr Effect Energy(int by) {
  return Step(Stat::Fitness, by) + Step(Stat::Health, by) + Step(Stat::Stamina, by);
}

// Where each figure lives in the career and the range it is kept in.
struct Figure {
  int Career::*field;
  int low;
  int high;
};

constexpr std::array<Figure, kStatCount> kFigures = {{
    {&Career::Kicking, 1, 200},
    {&Career::Handballing, 1, 200},
    {&Career::Marking, 1, 200},
    {&Career::Tackling, 1, 200},
    {&Career::Running, 1, 200},
    {&Career::Fitness, 0, 100},
    {&Career::Health, 0, 100},
    {&Career::Stamina, 0, 100},
    {&Career::Boots, 0, 100},
    {&Career::Jumper, 0, 100},
    {&Career::Shorts, 0, 100},
    {&Career::Other, 0, 100},
}};

void Apply(Career& career, const Effect& effect) {
  career.BankBalance += Money::Dollars(effect.bank);
  for (std::size_t i = 0; i < kStatCount; ++i) {
    if (effect.steps[i] == 0) continue;
    const Figure& figure = kFigures[i];
    int& value = career.*figure.field;
    value = std::clamp(value + effect.steps[i], figure.low, figure.high);
  }
}

// A text may leave a slot, "{skill}", for the skill word its row names.
std::string Fill(std::string_view text, const char* skill) {
  std::string out(text);
  if (skill == nullptr) return out;
  constexpr std::string_view kSlot = "{skill}";
  const std::string_view word = skill;
  for (auto at = out.find(kSlot); at != std::string::npos; at = out.find(kSlot, at + word.size())) {
    out.replace(at, kSlot.size(), word);
  }
  return out;
}

// ---------------------------------------------------------------------------
// Who an event can happen to. A row holds only when all its needs are met.

using Needs = unsigned;
constexpr Needs kAnyone = 0;
constexpr Needs kAflOnly = 1u << 0;
constexpr Needs kNotAfl = 1u << 1;
constexpr Needs kPlayed = 1u << 2;           // took the field in the last match
constexpr Needs kDisposalsAbove0 = 1u << 3;  // had the ball in the last match
constexpr Needs kGoalsAbove0 = 1u << 4;      // kicked a goal in the last match
constexpr Needs kAgeBelow18 = 1u << 5;
constexpr Needs kAgeAbove18 = 1u << 6;

struct Week {
  const Career& career;
  int lastDisposals;
  int lastGoals;

  [[nodiscard]] bool Meets(Needs needs) const {
    const bool afl = career.League == "AFL";
    const bool played = career.Injury < 0 && career.Suspension < 0;
    const auto needed = [needs](Needs n) { return (needs & n) != 0; };
    if (needed(kAflOnly) && !afl) return false;
    if (needed(kNotAfl) && afl) return false;
    if (needed(kPlayed) && !played) return false;
    if (needed(kDisposalsAbove0) && lastDisposals <= 0) return false;
    if (needed(kGoalsAbove0) && lastGoals <= 0) return false;
    if (needed(kAgeBelow18) && career.Age >= 18) return false;
    if (needed(kAgeAbove18) && career.Age <= 18) return false;
    return true;
  }
};

// ---------------------------------------------------------------------------
// Strokes of good fortune and misfortunes: a message and a change. An event
// number may have more than one row (one for each competition); the first row
// whose needs are met is the one that happens, and none means a quiet week.

struct Fortune {
  int number;
  Needs needs;
  const char* message;
  Effect effect;
  const char* skill = nullptr;  // fills the message's {skill}
};

constexpr const char* kHardYards =
    "You have really been putting in the hard yards at training lately, and it pays off. You gain "
    "in {skill} skill";
constexpr const char* kUmpiring = "You made $300 umpiring a junior football match";

constexpr std::array kGoodFortune = std::to_array<Fortune>({
    {1, kNotAfl | kPlayed, kUmpiring, Bank(300)},
    {2, kDisposalsAbove0 | kPlayed, "You took mark of the week and won $500", Bank(500)},
    {3, kGoalsAbove0 | kPlayed, "You kicked the goal of the week and won $500", Bank(500)},
    {4, kAflOnly, "You made an appearance on the Footy Show and were payed $1000", Bank(1000)},
    {5, kAflOnly, "You did some match commentary this week and were payed $1000", Bank(1000)},
    {6, kAnyone,
     "You have been given a $250 bonus by your club for the hard work you have been putting in "
     "at training",
     Bank(250)},
    {7, kAflOnly, "You have been payed $1500 for doing a TV ad", Bank(1500)},
    {8, kAflOnly, "You have made $2500 from sales of your auto-biography", Bank(2500)},
    {9, kAnyone, "You found $100 on the ground on the way to the last match", Bank(100)},
    {10, kAnyone, "You have been payed $500 for appearing on a special football DVD", Bank(500)},
    {11, kAnyone,
     "You made an appearance on 'Almost Football Legends' on the Footy Show and won $1000",
     Bank(1000)},
    {12, kAnyone, kHardYards, Step(Stat::Kicking, 1), "kicking"},
    {13, kAnyone, kHardYards, Step(Stat::Handballing, 1), "handballing"},
    {14, kAnyone, kHardYards, Step(Stat::Tackling, 1), "tackling"},
    {15, kAnyone, kHardYards, Step(Stat::Marking, 1), "marking"},
    {16, kAnyone, kHardYards, Step(Stat::Running, 1), "running"},
    {17, kAnyone,
     "The club doctor offers some helpful advice on staying fit and healthy. You follow his "
     "advice and immediately begin feeling better for it",
     Energy(1)},
    {18, kAnyone,
     "You find a book called 'Getting Fit' by the Kenya marathon team. After reading it, you "
     "alter your lifestyle and see noticeable improvements",
     Energy(2)},
    {19, kAnyone,
     "Your boots supplier has discovered technology which will improve the sturdiness of your "
     "boots",
     Step(Stat::Boots, 5)},
    {20, kAnyone,
     "Your jumper supplier has discovered technology which will improve the sturdiness of your "
     "jumper",
     Step(Stat::Jumper, 5)},
    {21, kAnyone,
     "Your shorts supplier has discovered technology which will improve the sturdiness of your "
     "shorts",
     Step(Stat::Shorts, 5)},
    {22, kAnyone,
     "A new, extra protective and longer lasting mouth guard is released. You purchase one and "
     "quickly notice the difference",
     Step(Stat::Other, 5)},
    {23, kAnyone,
     "You win $1000 for correctly tipping the Hawks to beat the Lions at the GABBA at 1000 to 1 "
     "odds.",
     Bank(1000)},
    {24, kNotAfl,
     "A photographer offers you $500 to pose naked for him. You decline, but beat him up and take "
     "his money anyway",
     Bank(500)},
    // An AFL player is paid well enough to hand the change back.
    {25, kNotAfl,
     "While at the milk bar buying some low fat milk, you are accidentally given $300 extra "
     "change. You quietly slip it into your pocket and walk out",
     Bank(300)},
    {25, kAflOnly,
     "While at the milk bar buying some low fat milk, you are accidentally given $300 extra "
     "change. You don't need the money and give it back to the owner",
     kNoChange},
    {26, kAnyone, "You are chased by a mob of angry Magpie supporters and gain some running skill",
     Step(Stat::Running, 1)},
    {27, kAnyone, "You go to a disco bar and dance the night away, increasing your stamina",
     Step(Stat::Stamina, 3)},
    {28, kAnyone, "You help kick a drunk out of a bar. Kicking skill increases",
     Step(Stat::Kicking, 2)},
    {29, kNotAfl,
     "You witness a man mugging an old lady on the street. You chase him down and tackle him, "
     "before making off with the contents off the bag. Tackling, running skills increase",
     Step(Stat::Running, 3) + Step(Stat::Tackling, 3) + Bank(300)},
    {30, kAnyone, "An old lady offers you $300 to flex for her. You agree", Bank(300)},
    {31, kNotAfl, kUmpiring, Bank(300)},
    {32, kNotAfl, "You receive $500 for doing newspaper delivery this week", Bank(500)},
    {33, kNotAfl, "You get $500 for working part time in your uncle's fish and chip shop",
     Bank(500)},
    {34, kAgeBelow18, "You appear on a teenage game show and win $1000", Bank(1000)},
    {35, kNotAfl, "You win $2000 from a radio competition", Bank(2000)},
    {36, kAnyone, "You win $1000 from a raffle", Bank(1000)},
    {37, kNotAfl, "You find a $500 Coles voucher on your way back from the last match", Bank(500)},
    {38, kAnyone,
     "You find a wallet and turn it into the police. The man who owns it is so thankful and rich "
     "that he gives you $500",
     Bank(500)},
    {39, kAnyone,
     "You find a purse and turn it into the police. The woman who owns it is so thankful and "
     "rich that she gives you $500",
     Bank(500)},
    {40, kNotAfl,
     "You decide to sell a rare footy card that you have had since you were a child on eBay. It "
     "fetches $200",
     Bank(200)},
});

constexpr std::array kMisfortune = std::to_array<Fortune>({
    {1, kAnyone, "You had to pay $300 in transportation costs", Bank(-300)},
    {2, kPlayed, "You were fined $1000 for bad behaviour towards the crowd in the last match",
     Bank(-1000)},
    {3, kAnyone, "You had to pay $500 to your club due to their financial difficulties",
     Bank(-500)},
    {4, kAnyone, "You were robbed of $250 on the way to the last match", Bank(-250)},
    {5, kAflOnly | kPlayed, "You had to pay $300 for pre-game massage fees", Bank(-300)},
    {6, kAnyone, "You had to pay $500 in club membership fees", Bank(-500)},
    {7, kAnyone, "You had to pay $1000 in tax costs", Bank(-1000)},
    {8, kAflOnly, "You had to pay $1000 for inter-state accomodation", Bank(-1000)},
    {9, kAnyone, "You lost $500 on the pokies", Bank(-500)},
    {10, kPlayed, "You have been fined $1500 for engaging in a melee in your last match",
     Bank(-1500)},
    {11, kPlayed, "You have been fined $500 for giving the finger to a person in the crowd",
     Bank(-500)},
    {12, kAnyone, "You have been watching too many Hawthorn games lately. You lose kicking skill",
     Step(Stat::Kicking, -1)},
    {13, kAnyone,
     "You have been watching too many Adelaide game lately. You lose handballing skill",
     Step(Stat::Handballing, -1)},
    {14, kAnyone, "You have been watching too many Fremantle games lately. You lose tackling skill",
     Step(Stat::Tackling, -1)},
    {15, kAnyone, "You have been watching too many Richmond games lately. You lose marking skill",
     Step(Stat::Marking, -1)},
    {16, kAnyone, "You watching too many Collingwood games lately. You lose running skill",
     Step(Stat::Running, -1)},
    {17, kAnyone,
     "A local shaman offers some weird advice on staying fit and healthy. You follow his advice "
     "and immediately begin feeling worse off for it",
     Energy(-1)},
    {18, kAnyone,
     "You find a book called 'Getting Fit' by Merv Quillfeather. After reading it, you alter "
     "your lifestyle and see noticeable differences...",
     Energy(-2)},
    {19, kAnyone,
     "Your boots supplier has had to cut back on costs, reducing the sturdiness of your boots",
     Step(Stat::Boots, -5)},
    {20, kAnyone,
     "Your jumper supplier has had to cut back on costs, reducing the sturdiness of your jumper",
     Step(Stat::Jumper, -5)},
    {21, kAnyone,
     "Your shorts supplier has had to cut back on costs, reducing the sturdiness of your shorts",
     Step(Stat::Shorts, -5)},
    {22, kAnyone, "You get a hole in one of your socks", Step(Stat::Other, -5)},
    {23, kAnyone,
     "You lose $1000 for incorrectly tipping Port Adelaide to beat Richmond at AAMI Stadium at "
     "even odds.",
     Bank(-1000)},
    {24, kAnyone,
     "You offer a photographer $500 to pose naked for him. He declines, but beats you up and "
     "takes your money anyway",
     Bank(-500)},
    {25, kAnyone,
     "While at the milk bar buying some low fat milk, you are short changed $300. You complain "
     "to the old lady behind the counter, so she slaps you, resulting in a bloody nose for you",
     Bank(-300) + Step(Stat::Health, -2)},
    {26, kAnyone,
     "You are chased by a mob of angry Richmond supporters. Just when you think you've gotten "
     "away, you are drenched in litres of well aimed spit from the angry mob",
     Step(Stat::Running, -1)},
    {27, kAnyone,
     "You spend the weekend playing a Footy Career Simulation game. Its absolutely awesome, "
     "perhaps the best game ever made, but results in you losing some stamina",
     Step(Stat::Stamina, -3)},
    {28, kAnyone,
     "While walking along a path, you notice a small rock ahead of you. You decide to kick it "
     "along with you, but miss the very first kick. Kicking skill decreases",
     Step(Stat::Kicking, -2)},
    {29, kNotAfl,
     "You try to mug an old lady on the street. You attempt to tackle her, but she dodges away "
     "and hits you with her bag. You attempt to make a getaway but she chases you down and "
     "steals your wallet. Tackling, running skills decrease",
     Step(Stat::Running, -3) + Step(Stat::Tackling, -3) + Bank(-300)},
    {30, kAnyone,
     "You go a little overboard in your shopping this week, and end up spending $300 more than "
     "usual",
     Bank(-300)},
    {31, kAnyone,
     "You decide to buy your mate a big present for his birthday. He's happy, but it costs you "
     "a fair bit",
     Bank(-500)},
    {32, kAnyone,
     "You stumble upon a thread about yourself on an online football forum and secretly follow "
     "the advice of its posters. The effects are instantly noticeable, and not for the better",
     Step(Stat::Stamina, -2) + Step(Stat::Kicking, -1) + Step(Stat::Running, -1) +
         Step(Stat::Tackling, -1)},
    {33, kAnyone,
     "You come across an online football forum whose posts are so bad that you can't train "
     "properly all week, and you lose some of your skills",
     Step(Stat::Stamina, -2) + Step(Stat::Kicking, -1) + Step(Stat::Running, -1) +
         Step(Stat::Tackling, -1)},
    {34, kAgeAbove18, "You have to pay $1000 in car repairs", Bank(-1000)},
    {35, kNotAfl,
     "You get lost at the Telstra Dome and wonder around for 2 hours looking for your car. You "
     "eventually find it, but are exhausted from the search",
     Step(Stat::Stamina, -2) + Step(Stat::Health, -2)},
});

// Rows run 1, 2, .. count in order, each number at least once.
constexpr bool NumberedInOrder(std::span<const Fortune> table, int count) {
  int last = 0;
  for (const Fortune& f : table) {
    if (f.number != last && f.number != last + 1) return false;
    last = f.number;
  }
  return last == count;
}

constexpr int kGoodFortuneEvents = 40;
constexpr int kMisfortuneEvents = 35;
static_assert(NumberedInOrder(kGoodFortune, kGoodFortuneEvents));
static_assert(NumberedInOrder(kMisfortune, kMisfortuneEvents));

void RunFortune(std::span<const Fortune> table, int count, const Week& week, Career& career,
                Random& random, Prompter& prompter) {
  const int number = random.roll(count);
  for (const Fortune& f : table) {
    if (f.number != number || !week.Meets(f.needs)) continue;
    prompter.inform(Fill(f.message, f.skill));
    Apply(career, f.effect);
    return;
  }
}

// ---------------------------------------------------------------------------
// Choices: a Yes/No question. Yes rolls for its outcome (when the choice has
// more than one); No has its own answer, which may be nothing at all.

struct Outcome {
  const char* message = nullptr;  // none: the change comes without a word
  Effect effect;
};

struct Choice {
  const char* question;
  int outcomeRoll;                  // 0 (one outcome), 3 or 4
  std::array<Outcome, 4> outcomes;  // by the outcome roll, 1 first
  Outcome no;                       // answering No
  const char* skill = nullptr;      // fills the texts' {skill}
};

constexpr Choice Simple(const char* question, Outcome yes) {
  return {question, 0, {yes, {}, {}, {}}, {}};
}

// A roll of 3 or 4 where 1 goes one way and every other number the other.
constexpr Choice OneInThree(const char* question, Outcome one, Outcome rest, Outcome no) {
  return {question, 3, {one, rest, rest, {}}, no};
}
constexpr Choice OneInFour(const char* question, Outcome one, Outcome rest, Outcome no) {
  return {question, 4, {one, rest, rest, rest}, no};
}

// The bets cost nothing until the match is decided: a win pays $2000, a loss
// costs the $1000 stake. Saying No just tells the result.
constexpr Outcome Win(const char* message) { return {message, Bank(2000)}; }
constexpr Outcome Loss(const char* message) { return {message, Bank(-1000)}; }
constexpr Choice Bet(const char* question, Outcome one, Outcome two, Outcome three,
                     const char* no) {
  return {question, 3, {one, two, three, {}}, {no, kNoChange}};
}

// A night of extra work on one skill against a casino night with the mates.
constexpr const char* kSkillNightQuestion =
    "Your coach offers to work on your {skill} tonight, in an attempt to improve it before the "
    "next match. Unfortunately, you had already agreed to go out to a casino with your mates. Do "
    "you want to do the special training ?";
constexpr const char* kSkillNightGood =
    "The {skill} training does you plenty of good, and your mates are understanding";
constexpr const char* kSkillNightDistracted =
    "Your mates are disappointed when you cancel the night, and you cant concentrate during the "
    "training as a result, making the befeicial effects minimal";
constexpr const char* kSkillNightNo =
    "Your coach is disappointed but understanding. You go out and lose $3000";

constexpr Choice SkillNight(Stat skill, const char* word) {
  Choice c = OneInFour(kSkillNightQuestion, {kSkillNightDistracted, Step(skill, 1)},
                       {kSkillNightGood, Step(skill, 3)}, {kSkillNightNo, Bank(-3000)});
  c.skill = word;
  return c;
}

constexpr const char* kClinicBill =
    "What the club didn't tell you is that they wouldnt be paying for the trip. You are hit with "
    "the $1000 bill when you get there, and are too annoyed to benefit from the clinic";
constexpr const char* kClinicFun =
    "You have a fantastic time, meeting new people, eating great food, doing fun stuff... "
    "Unfortunately the aim wasnt to have fun, and the clinic has no effect on you whatsoever";
constexpr const char* kCoachUnderstanding = "Your coach is disappointed but understanding";
constexpr const char* kBrisbaneWin =
    "Easy choice. Brisbane come out easy victors and you get your $2000";
constexpr const char* kAdelaideWin =
    "Easy choice. Adelaide come out easy victors and you get your $2000";
constexpr const char* kKangaroosWin =
    "Easy choice. Kangaroos come out easy victors and you get your $2000";

constexpr std::array<Choice, 30> kChoices = {{
    // 1
    Simple("You have been contacted by a charity organisation asking you if you wish to donate "
           "$1000 to their cause. Will you do it ?",
           {nullptr, Bank(-1000)}),
    // 2
    Simple("Do you want to meet with a interested club to talk about future contract offers? It "
           "will cost $500 to arrange the meeting ?",
           {nullptr, Bank(-500)}),
    // 3
    Simple("Do you want to hire someone to spread false information about your performances to "
           "clubs to get potentially better offers? It will cost you $500 ?",
           {nullptr, Bank(-500)}),
    // 4
    Simple("Do you want to go out to the casino with your friends to do some gambling ?",
           {"You lost $1000 on the night", Bank(-1000)}),
    // 5
    Simple("Your friends invite you to a night on the town. Do you want to do it ?",
           {"You got heavily drunk and woke up $500 lighter", Bank(-500)}),
    // 6
    {"You witness a man mugging an old lady. Do you try and help her ?",
     3,
     {{{"It turns out the man was your coach. You managed to catch him, but he bans you from "
        "attending training for the whole week, which hinders your performance",
        AllSkills(-3)},
       {"You manage to chase the man down, turn him into the police and return the bag to the "
        "lady. She gives you a nice reward as a token of her appreciation ($5)",
        Bank(5)},
       {"You manage to chase the man down, turn him into the police and return the bag to the "
        "lady. She gives you a nice reward as a token of her appreciation ($1000)",
        Bank(1000)},
       {}}},
     {}},
    // 7
    {"Your club offers to send you away for a 2 day intensive fitness clinic. Do you want to go ?",
     3,
     {{{"The clinic has a fantastic effect on you, and you come back feeling fresher and fitter "
        "than ever",
        Energy(3)},
       {kClinicBill, Bank(-1000)},
       {kClinicFun, kNoChange},
       {}}},
     {}},
    // 8
    {"Your club offers to send you away for a 2 day intensive skills clinic. Do you want to go ?",
     3,
     {{{"The clinic has a fantastic effect on you, and you come back with an array of new skills "
        "that you can't wait to try out on the field",
        AllSkills(3)},
       {kClinicBill, Bank(-1000)},
       {kClinicFun, kNoChange},
       {}}},
     {}},
    // 9
    {"A team mate offers you $50 if you'll square off against him in a wrestling match. Do you "
     "accept ?",
     3,
     {{{"What are you crazy? This bloke is the biggest ruckman in the league! He absolutely "
        "flattens you and you are left battered and bruised. Still, you got "
        "your $50",
        Energy(-10) + Bank(50)},
       {"What are you crazy? This bloke is the biggest ruckman in the league! But you still manage "
        "to use your strengths, and through dodging, kicking, "
        "punching and pinching it is not long before the big man is a bloody mess on the floor. "
        "Unfortunately you were too busy beating him up to hear him telling you it was grappling "
        "only... As the hospital took him away, you sigh with disappointment, realising he's "
        "taken his wallet with him",
        kNoChange},
       {"Halfway through the fight the coach walks in. He's furious and gets you to both run laps "
        "of the oval until you faint. Health takes a rather large drop",
        Energy(-10)},
       {}}},
     {"Pfft, wimp", kNoChange}},
    // 10
    Bet("Do you want to bet $1000 on Brisbane beating the Bulldogs at the GABBA at 2 to 1 odds ?",
        Win(kBrisbaneWin),
        Loss("Wow! After trailing the whole match, the Bulldogs managed to put on a 10 goal final "
             "term and win by a point! Bad luck"),
        Win(kBrisbaneWin), "Brisbane wins easily"),
    // 11
    Bet("Do you want to bet $1000 on Adelaide beating the Hawks at AAMI Stadium at 2 to 1 odds ?",
        Win(kAdelaideWin), Loss("Woops, the Hawks have come to play and win by 19 points"),
        Win(kAdelaideWin), "Adelaide wins easily"),
    // 12
    Bet("Do you want to bet $1000 on Port Adelaide beating the Bombers at AAMI Stadium at 2 to 1 "
        "odds ?",
        Win("Good choice, Power come out easy victors and you get your $2000"),
        Loss("Port Adelaide suffer some injuries to key players early in the game, which is "
             "enough to get the Bombers over the line"),
        Win("Easy choice. Power come out easy victors and you get your $2000"),
        "Power wins easily"),
    // 13
    Bet("Do you want to bet $1000 on West Coast beating the Swans at Subiaco at 2 to 1 odds ?",
        Win("Easy choice. West Coast come out easy victors and you get your $2000"),
        Loss("Wow! After trailing the whole match, the Swans managed to put on a 10 goal final "
             "term and win by a point! Bad luck"),
        Win("It actually turns out to be a close match, but the Eagles manage to win by 7 points, "
            "and you win $2000"),
        "West Coast wins easily"),
    // 14
    Bet("Do you want to bet $1000 on Melbourne beating Collingwood at the MCG at 2 to 1 odds ?",
        Win("Good choice. Melbourne win easily and you get your $2000"),
        Loss("Wow! After trailing the whole match, the Magpies managed to put on a 10 goal final "
             "term and win by a point! Bad luck"),
        Win("Easy choice. Melbourne come out easy victors and you get your $2000"),
        "Melbourne wins easily wins easily"),
    // 15
    Bet("Do you want to bet $1000 on the Bulldogs beating Richmond at the Telstra Dome at 2 to 1 "
        "odds ?",
        Win("Well done, the Doggies win easily and you get your $2000"),
        Loss("Wow, that was an amazing match! The Bulldogs trailed by 40 points at three "
             "quarter-time but came back, only to lose by 2 points in the end! Bad luck"),
        Win("Easy choice. Bulldogs win by 68 points and you get your $2000"),
        "Bulldogs win easily"),
    // 16
    Bet("Do you want to bet $1000 on Geelong beating Fremantle at Skilled Stadium at 2 to 1 odds ?",
        Win("Easy choice. Geelong come out easy victors and you get your $2000"),
        Loss("After trailing the whole match, the Dockers to put in a great second half and win "
             "by 2 goals. Bad luck"),
        Win("Good choice, Geelong come out strong victors and you get your $2000"),
        "The Cats win easily"),
    // 17
    Bet("Do you want to bet $1000 on the Kangaroos beating Carlton at Telstra Dome at 2 to 1 odds "
        "?",
        Win(kKangaroosWin),
        Loss("Unfortunately Carlton play one of their best games of the season and win by 5 "
             "goals"),
        Win(kKangaroosWin), "Kangaroos wins easily"),
    // 18
    Bet("Do you want to bet $1000 on St.Kilda beating Adelaide at the Telstra Dome at 2 to 1 odds "
        "?",
        Win("The Saints win by a few goals and you win $2000"),
        Loss("The umpires seem to on the Crows' side today, and help them get over the line by 5 "
             "points. Bad luck"),
        Win("Easy choice. St.Kilda come out easy victors and you get your $2000"),
        "St.Kilda wins easily"),
    // 19: the 5 to 1 long shot never comes in.
    Bet("Do you want to bet $1000 on Collingwood beating West Coast at Subiaco at 5 to 1 odds ?",
        Loss("Oh come on, are you serious? Lions win by 71 points"),
        Loss("Collingwood score a total of 5 goals 3 for the game, and are beaten by over 100 "
             "points. As expected"),
        Loss("It's a relatively close game, however the Magpies never look like they're going to "
             "win it, and end up going down by 19 points"),
        "Collingwood wins easily"),
    // 20
    Bet("Do you want to bet $1000 on Fremantle beating St.Kilda at Subiaco at 2 to 1 odds ?",
        Win("In a close match Fremantle manage to come away with the points after 2 late goals in "
            "the last quarter got them a 4 point victory and you $2000"),
        Loss("St.Kilda are far better on the day and end up winning by 48 points"),
        Loss("St.Kilda manage to win in a close match, and you lose $1000"),
        "Fremantle wins easily"),
    // 21
    OneInFour("Your coach takes you aside and offers you some extra training sessions this week. "
              "It may impact on your energy levels, but will likely result in bettering your "
              "skills. Do you wish to take the extra sessions ?",
              {"Unfortunately you find the sessions too much of challenge and end up losing a lot "
               "of your energy for no real gain in your skills",
               Energy(-3)},
              {"The extra sessions are very efficient and you manage to increase your skills with "
               "very little loss of energy",
               AllSkills(2)},
              {kCoachUnderstanding, kNoChange}),
    // 22
    OneInFour("Your coach takes you aside and offers you some extra recovery time this week. It "
              "may impact on your skills, but will likely result in more energy for the upcoming "
              "match. Do you accept ?",
              {"Unfortunately you find the sessions very much useless, and end up losing a good "
               "deal of your skills for a minimal recovery of your energy",
               AllSkills(-2)},
              {"You have recover your energy well and are primed for the next match, with little "
               "resulting loss in skills",
               Energy(3)},
              {kCoachUnderstanding, kNoChange}),
    // 23
    OneInThree("You are attending an ING cup match when a massive six is hit. The ball is heading "
               "in your direction, and you know that if you catch it you will win $1000. However, "
               "attmepting the catch could result in injury. Do you go for the catch ?",
               {"You stick your hands up to take the catch, however a young teenager comes flying "
                "over the top of you and knocks you off-balance. The ball bounces off your head "
                "and lands in the lap of an old man sitting nearby. You require 6 stitches and a "
                "couple of spectators to keep you from getting revenge on the kid",
                Step(Stat::Health, -5) + Step(Stat::Stamina, -3)},
               {"You stick your hands up and take a clean catch to the applause of the crowd, and "
                "do no damage to yourself (Aside from a pair of sore hands). You get your $1000",
                Bank(1000)},
               {"The crowd laughs as you run away from the ball", kNoChange}),
    // 24
    OneInThree("You're going through some bumping drills in training when one of your team mates "
               "goes a bit hard and knocks you down. Do you retaliate ?",
               {"There's a reason he was able to knock you down in the first place. You attempt to "
                "take him down to the ground but he is far too strong and further embarrasses you "
                "infront of your team mates. Your coach also spots the dust-up and gets you both "
                "to do 10 laps of the oval, leaving you completely stuffed",
                Energy(-3)},
               {"The other team mates break you two up before much more can happen, and the coach "
                "misses the whole thing, which means you avoid punishment",
                kNoChange},
               {"You get up, scruffle the bloke's hair and tell him 'nice bump'", kNoChange}),
    // 25
    SkillNight(Stat::Kicking, "kicking"),
    // 26
    OneInThree("You are in a small milk bar, buying some milk, when you spot a young, "
               "shifty-looking teenager pocket a couple of chocolate bars. Do you turn him in ?",
               {"You grab the kid by his jumper and pull him over toward the counter. "
                "Unfortunately in doing so you give him whiplash. He sues you and you have to pay "
                "$2000 in medical expenses. The shop keeper thanks you though",
                Bank(-2000)},
               {"You grab the kid by the arm and pull him over toward the counter before making "
                "him empty the contents of his pockets. The shop keeper thanks you and gives you "
                "a $100 reward",
                Bank(100)},
               {"You're a bad person", kNoChange}),
    // 27 to 30
    SkillNight(Stat::Handballing, "handballing"),
    SkillNight(Stat::Marking, "marking"),
    SkillNight(Stat::Tackling, "tackling"),
    SkillNight(Stat::Running, "running"),
}};

constexpr bool OutcomesInPlace(std::span<const Choice> table) {
  for (const Choice& c : table) {
    if (c.outcomeRoll != 0 && c.outcomeRoll != 3 && c.outcomeRoll != 4) return false;
  }
  return true;
}
static_assert(OutcomesInPlace(kChoices));

void RunChoice(Career& career, Random& random, Prompter& prompter) {
  const Choice& choice =
      kChoices[static_cast<std::size_t>(random.roll(static_cast<int>(kChoices.size())) - 1)];
  const bool yes =
      prompter.askYesNo(Fill(choice.question, choice.skill), kProgramTitle, Icon::None);
  const Outcome* outcome = &choice.no;
  if (yes) {
    const int roll = choice.outcomeRoll == 0 ? 1 : random.roll(choice.outcomeRoll);
    outcome = &choice.outcomes[static_cast<std::size_t>(roll - 1)];
  }
  if (outcome->message != nullptr) prompter.inform(Fill(outcome->message, choice.skill));
  Apply(career, outcome->effect);
}

constexpr int kKinds = 12;
constexpr int kLotteryRoll = 1000;
constexpr int kLotteryNumber = 500;
constexpr int kLotteryPrize = 1000000;

}  // namespace

void RunWeeklyEvents(Career& career, Random& random, Prompter& prompter, int lastDisposals,
                     int lastGoals) {
  const int kind = random.roll(kKinds);

  // The lottery is drawn every week, whatever else happens.
  const int a = random.roll(kLotteryRoll);
  const int b = random.roll(kLotteryRoll);
  if (a == kLotteryNumber && b == kLotteryNumber) {
    prompter.inform(kLotteryMessage);
    Apply(career, Bank(kLotteryPrize));
  }

  const Week week{career, lastDisposals, lastGoals};
  switch (kind) {
    case 1:
    case 2:
    case 4:
    case 8:
      RunFortune(kGoodFortune, kGoodFortuneEvents, week, career, random, prompter);
      break;
    case 3:
    case 6:
      RunFortune(kMisfortune, kMisfortuneEvents, week, career, random, prompter);
      break;
    case 5:
      RunChoice(career, random, prompter);
      break;
    default:  // a quiet week
      break;
  }
}

}  // namespace km
