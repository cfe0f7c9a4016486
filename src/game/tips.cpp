// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/tips.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <utility>

#include "core/career.h"
#include "core/number_format.h"
#include "game/game.h"
#include "match/match.h"
#include "season/season_end.h"
#include "week/shops.h"

namespace km {

namespace {

using std::to_string;

struct FigureTip {
  std::string_view control;
  std::string_view tip;  // none for a skill, whose tip is made from its name
};

// The hub's fixed figures, frame by frame.
constexpr FigureTip kFigureTips[] = {
    {"lblName", "Your player's name, chosen when the career began."},
    {"lblTeam",
     "The club you play for. It changes when you sign with another club or are drafted."},
    {"lblState", "The state you come from: its clubs make up your local and State competitions."},
    {"lblHeight", "Your height in centimetres, chosen when the career began."},
    {"lblWeight", "Your weight in kilograms, chosen when the career began."},
    {"lblPosition",
     "The position you play. It changes only when you take up a new one the club offers."},
    {"lblAge",
     "Your age, one year more at each new season. From 30 matches no longer raise your skills; "
     "from 36 age cuts your disposals and goals."},
    {"lblLeague",
     "Your competition: Local Reserves, Local Firsts, State or AFL. When a contract ends a good "
     "season moves you up and a poor one may move you down."},
    {"lblKicking", {}},
    {"lblHandballing", {}},
    {"lblTackling", {}},
    {"lblMarking", {}},
    {"lblRunning", {}},
    {"lblOverall",
     "Your overall rating: your five skills together, kicking and handballing counting most. It "
     "moves with them."},
    {"lblMatches",
     "Rounds of this season gone, played or missed. A season has 26, the finals included."},
    {"lblDisposals", "Your disposals this season, added up after each match you play."},
    {"lblGoals", "Your goals this season, added up after each match you play."},
    {"lblBehinds", "Your behinds this season, added up after each match you play."},
    {"lblMostDisposals", "Your most disposals in one match this season."},
    {"lblAverageDisposals", "Your disposals this season for each match you have played."},
    {"lblMostGoals", "Your most goals in one match this season."},
    {"lblAverageGoals", "Your goals this season for each match you have played."},
    {"lblBOGs",
     "Best on ground awards this season. A match of more than 25 disposals or more than 6 goals "
     "may earn one (a rating over 9 always does), with a prize paid into the bank."},
    {"lblMatchRating",
     "Season rating sum: the match ratings of this season added up. Each match you play adds "
     "its rating."},
    {"lblMatchRatingAverage", {}},
    {"lblWages",
     "Your pay a week under your contract, paid into the bank after each of your club's matches, "
     "whether you play or not. It is set when you sign a contract."},
    {"lblSponsorship",
     "What your five sponsors pay a week together, paid into the bank with your wages. The deals "
     "change only at the sponsor windows, after rounds 12 and 24."},
    {"lblOtherIncome",
     "Income from outside your wages and sponsors. Nothing in a career changes it."},
    {"lblBankBalance",
     "Your money. Wages and sponsorship come in after each of your club's matches, whether you "
     "play or not; best on ground prizes and some of the week's events add or take money; the "
     "Training Centre, Health Care Centre and Football Store spend it."},
    {"cmdLadderStats",
     "Ladder table: this button is never available. The ladder is on the Team Details screen, "
     "under Ladder."},
};

constexpr auto kControls = [] {
  std::array<std::string_view, std::size(kFigureTips)> controls{};
  for (std::size_t i = 0; i < controls.size(); ++i) controls[i] = kFigureTips[i].control;
  return controls;
}();

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// A skill's tip, from its name ("kicking").
std::string SkillTip(std::string_view skill) {
  return "Your " + std::string(skill) +
         " skill. Your club's matches raise your skills while you are under 30, more after a "
         "high rating; the Training Centre sells points up to 200, and some of the week's events "
         "add or take one.";
}

// The hub's bars by name, as their tips say them.
struct BarWords {
  const char* name;  // "Boots"
  const char* what;  // what the bar is and what moves it
};
constexpr BarWords kBarWords[kHubBarCount] = {
    {"Boots", "Your boots wear with every match and the Football Store repairs them."},
    {"Jumper", "Your jumper wears with every match and the Football Store repairs it."},
    {"Shorts", "Your shorts wear with every match and the Football Store repairs them."},
    {"Other", "Your other gear wears with every match and the Football Store repairs it."},
    {"Gear overall",
     "The average of your boots, jumper, shorts and other gear, worked out again after each match "
     "and each purchase at the Football Store: the week's events move the bars but not it. Your "
     "next match is played at this figure."},
    {"Fitness", "Matches wear your fitness down and the Health Care Centre restores it."},
    {"Health", "Matches wear your health down and the Health Care Centre restores it."},
    {"Stamina", "Matches wear your stamina down and the Health Care Centre restores it."},
    {"Health overall",
     "The average of your fitness, health and stamina, worked out again after each match and each "
     "visit to the Health Care Centre: the week's events move the bars but not it. Your next match "
     "is played at this figure."},
};

// The share of his disposals and goals his health overall leaves him, in
// percent, as the match works it.
int ConditionShare(int overall) {
  return static_cast<int>(std::lround(ConditionFactor(overall) * 100));
}

// The hub's bar a row of the health centre or the store fills; none for a
// skill.
std::optional<HubBar> BarOf(std::string_view row) {
  static constexpr std::pair<std::string_view, HubBar> kBars[] = {
      {"Boots", HubBar::Boots},     {"Jumper", HubBar::Jumper},   {"Shorts", HubBar::Shorts},
      {"Other", HubBar::Other},     {"Fitness", HubBar::Fitness}, {"Health", HubBar::Health},
      {"Stamina", HubBar::Stamina},
  };
  for (const auto& [name, bar] : kBars) {
    if (name == row) return bar;
  }
  return std::nullopt;
}

}  // namespace

std::string HubTip(std::string_view control) {
  for (const FigureTip& figure : kFigureTips) {
    if (figure.control != control) continue;
    if (control == "lblMatchRatingAverage") {
      return "Season rating average: the season rating sum for each match you have played. When "
             "your contract ends, an average over " +
             FormatGeneral(kPromotionRating) + " moves you up a level and one under " +
             FormatGeneral(kKeptOnRating) + " may drop you one.";
    }
    if (figure.tip.empty()) return SkillTip(Lower(control.substr(3)));
    return std::string(figure.tip);
  }
  return {};
}

std::span<const std::string_view> HubTipControls() { return kControls; }

std::string BarTip(HubBar bar, int value, std::optional<int> barsNow) {
  const BarWords& words = kBarWords[static_cast<std::size_t>(bar)];
  std::string tip = std::string(words.name) + ": " + to_string(value) + " of 100. " + words.what;
  if (barsNow && *barsNow != value) {
    tip += " Your bars average " + to_string(*barsNow) + " now; it stays " + to_string(value) +
           " until a match or a purchase works it out again.";
  }
  switch (bar) {
    case HubBar::GearOverall: {
      const std::string worn = to_string(kGearTooWorn);
      return tip + (value < kGearTooWorn
                        ? " It is under " + worn +
                              ": Play asks whether you will play in worn gear, and in it your "
                              "disposals and goals are halved. Bring it to " +
                              worn + " at the Football Store."
                        : " Under " + worn +
                              ", Play would ask whether you will play in worn gear, and in it "
                              "your disposals and goals would be halved.");
    }
    case HubBar::HealthOverall: {
      if (value >= kFullBar) {
        return tip + " You play at full strength; under " + to_string(kFullBar) +
               " your disposals and goals fall to " + to_string(ConditionShare(kFullBar - 1)) +
               "%.";
      }
      tip += " You play at " + to_string(ConditionShare(value)) + "% of your disposals and goals";
      if (value < kConditionFloor) return tip + ", the least there is.";
      // The share steps down at each ten.
      const int step = value / 10 * 10;
      return tip + "; under " + to_string(step) + " that falls to " +
             to_string(ConditionShare(step - 1)) + "%.";
    }
    default:
      break;
  }
  const bool gear = bar < HubBar::GearOverall;
  tip += std::string(" With the rest it makes your ") + (gear ? "gear" : "health") + " overall.";
  const std::string low = to_string(kLowBar);
  return tip + (IsBarLow(value) ? " It is under " + low + ": a match marks it worn."
                                : " Under " + low + " a match marks it worn.");
}

std::string HubBarTip(const Career& career, HubBar bar) {
  // An overall bar is worked out only at a match or a purchase: what its
  // bars make now may differ.
  std::optional<int> barsNow;
  if (bar == HubBar::GearOverall)
    barsNow = BarMean(career.Boots, career.Jumper, career.Shorts, career.Other);
  if (bar == HubBar::HealthOverall)
    barsNow = BarMean(career.Fitness, career.Health, career.Stamina);
  return BarTip(bar, HubBarValue(career, bar), barsNow);
}

std::string PlayReason(const Game& game) {
  if (!game.HasCareer()) return {};
  const Career& c = game.career();
  std::string why;
  const auto say = [&why](const std::string& sentence) {
    if (!why.empty()) why += ' ';
    why += sentence;
  };
  const Game::Waiting waiting = game.WaitingFor();
  if (IsRetired(c)) {
    say("You have retired: your career is over and Play stays closed. Records and Career still "
        "show it.");
  } else if (waiting != Game::Waiting{}) {
    say("Play waits for " + Game::Describe(waiting) + ".");
    if (waiting.camp) say("Do the draft camp's tests and go on to the draft.");
    if (waiting.sponsorWindow) {
      say("Open Sponsorship (the button with the dot), choose your deals and press Close.");
    }
    if (waiting.signature) say("Open Contract, choose an offer and Sign it.");
  } else if (!c.PlayOpen) {
    say("Play is closed until the game hands the week back to you.");
  }
  if (c.PlayOpen) {
    // Play goes ahead, but the week may be his only on paper.
    const auto misses = [&say](int weeks, const std::string& state) {
      if (weeks < 1) return;
      say(weeks == 1 ? "You are " + state + ": you miss this week's match."
                     : "You are " + state + ": you miss this week's match and the next " +
                           to_string(weeks - 1) + ".");
    };
    misses(c.Injury, "injured");
    misses(c.Suspension, "suspended");
    if (c.GearOverall < kGearTooWorn) {
      say("Your gear overall is " + to_string(c.GearOverall) + ", under " +
          to_string(kGearTooWorn) +
          ": Play asks whether you will play in worn gear, and in it your disposals and goals are "
          "halved.");
    }
  }
  return why.empty() ? std::string(kPlaysTheRound) : why;
}

ShopRowTips ShopTips(const ShopRow& row) {
  const std::string lower = Lower(row.name);
  ShopRowTips tips;
  if (const std::optional<HubBar> bar = BarOf(row.name)) {
    // Health and gear fill up to 100.
    tips.units = "Units " + lower + " needs to be back at 100. " + BarTip(*bar, 100 - row.Units);
  } else {
    tips.units = "Units of " + lower + " you can still train: your " + lower + " goes up to 200.";
  }
  tips.rate = "Dollars a unit of " + lower +
              " costs. Prices rise with each competition, from the Local Reserves to the AFL.";
  tips.amount = "The cost of every unit of " + lower + " there is: units times rate.";
  tips.chosen =
      "Units of " + lower + " you buy when you press OK; the arrows beside it change them.";
  return tips;
}

std::string BalanceAfterTip(bool isShort) {
  return isShort ? "Your bank balance after this purchase. It is short: OK is refused until you "
                   "buy less."
                 : "Your bank balance after this purchase, once you press OK.";
}

}  // namespace km
