// SPDX-License-Identifier: GPL-3.0-or-later
// The player's guide, docs/playing.md, states in figures the rules a player
// meets. Each phrase below is the guide's with the engine's own figures put in
// its {} places: the guide must say every one of them, and every number in
// its text must stand inside one of them, so that a rule changed in the
// engine, or a figure written into the guide by hand, fails here. Numbers in
// headings, picture lines, HTML comments and `code`, and digits that follow a
// letter (F1), are not figures of the rules.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/new_career.h"
#include "draft/draft.h"
#include "draft/draft_camp.h"
#include "match/after_match.h"
#include "season/ladder.h"
#include "season/season_end.h"
#include "week/shops.h"
#include "week/sponsors.h"
#include "week/week.h"

namespace km {
namespace {

std::string Fig(int value) { return std::to_string(value); }
std::string Fig(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}
std::string Fig(Money money) { return "$" + money.ToString(); }

std::string Fill(std::string_view pattern, std::initializer_list<std::string> values) {
  std::string out;
  auto value = values.begin();
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    if (pattern.substr(at, 2) == "{}") {
      out += *value++;
      ++at;
    } else {
      out += pattern[at];
    }
  }
  return out;
}

// The guide's running text: one line, without its headings, pictures,
// comments and code.
std::string GuideText() {
  std::ifstream file(KICKMARK_GUIDE);
  std::string text;
  for (std::string line; std::getline(file, line);) {
    const auto start = line.find_first_not_of(' ');
    if (start == std::string::npos || line[start] == '#' || line.rfind("![", start) == start) {
      continue;
    }
    text += line.substr(start) + ' ';
  }
  for (const auto& [open, close] : {std::pair{"<!--", "-->"}, std::pair{"`", "`"}}) {
    for (auto at = text.find(open); at != std::string::npos; at = text.find(open, at)) {
      const auto end = text.find(close, at + 1);
      text.replace(at, end + std::string_view(close).size() - at, " ");
    }
  }
  return text;
}

TEST(Guide, StatesTheRulesWithTheEnginesFiguresAndNoOthers) {
  const std::string guide = GuideText();
  ASSERT_GT(guide.size(), 1000U);
  Career afl = Career::Create();
  afl.League = "AFL";
  const auto rate = [](const Career& c, int row) {
    return Money::Dollars(ShopSession::Open(Shop::Training, c).Row(row).Rate);
  };
  const std::string goalsOr = "average above {} or more than {} goals";
  const DraftTier& first = kDraftTiers.front();
  const DraftTier& pick49 = kDraftTiers[7];
  std::vector<std::string> phrases = {
      Fill("(from {} to {} cm)", {Fig(kShortest), Fig(kTallest)}),
      Fill("(from {} to {} kg)", {Fig(kLightest), Fig(kHeaviest)}),
      Fill("at the age of {} with {} in the bank",
           {Fig(kStartingAge), Fig(Money::Dollars(kStartingBank))}),
      Fill("has {} weeks: {} home-and-away rounds", {Fig(kSeasonWeeks), Fig(kHomeAndAwayRounds)}),
      Fill("more than {} disposals or more than {} goals",
           {Fig(kBestOnGroundDisposals), Fig(kBestOnGroundGoals)}),
      Fill("for certain with a rating above {}", {Fig(kBestOnGroundRating)}),
      Fill("pays {} in the Local Reserves, {} in the Local Firsts, {} in the State League and {} "
           "in the AFL",
           {Fig(BestOnGroundPrize("Local Reserves")), Fig(BestOnGroundPrize("Local Firsts")),
            Fig(BestOnGroundPrize("State")), Fig(BestOnGroundPrize("AFL"))}),
      Fill("one chance in {} that he is injured and one in {} that he is suspended, each for 1 to "
           "{} matches",
           {Fig(kInjuryOdds), Fig(kSuspensionOdds), Fig(kLongestAbsence)}),
      Fill("costs {} in the Local Reserves and {} in the AFL, a unit of the other three skills {} "
           "and {}",
           {Fig(rate(Career::Create(), 0)), Fig(rate(afl, 0)), Fig(rate(Career::Create(), 2)),
            Fig(rate(afl, 2))}),
      Fill("each up to {}", {Fig(kSkillCap)}),
      Fill("while he is younger than {}", {Fig(kSkillsGrowUntil)}),
      Fill("a bar below {} is drawn hatched", {Fig(kLowBar)}),
      Fill("Below {}, he cannot take the field", {Fig(kGearTooWorn)}),
      Fill("with a gear overall below {} PLAY asks", {Fig(kGearTooWorn)}),
      Fill("all four gear bars back at {}", {Fig(kFullBar)}),
      Fill("At {} he plays his full game. Every ten points short of {}",
           {Fig(kFullBar), Fig(kFullBar)}),
      Fill("below {} he does next to nothing", {Fig(kConditionFloor)}),
      Fill("From {} his fitness", {Fig(kAgeingFrom)}),
      Fill("From {} age also cuts", {Fig(kAgeTellsFrom)}),
      Fill("after week {} and after week {}", {Fig(kSponsorWindows[0]), Fig(kSponsorWindows[1])}),
      Fill("seasons of {} weeks", {Fig(kSeasonWeeks)}),
      Fill("gives {} points for a win and {} for a draw", {Fig(kWinPoints), Fig(kDrawPoints)}),
      Fill("After the {} home-and-away rounds", {Fig(kHomeAndAwayRounds)}),
      Fill("| " + goalsOr + " | " + goalsOr + " |", {Fig(kAllStarRating.local), Fig(kAwardGoals),
                                                     Fig(kAllStarRating.afl), Fig(kAwardGoals)}),
      Fill("(not if suspended) | " + goalsOr + " | " + goalsOr + " |",
           {Fig(kBestAndFairestRating.local), Fig(kAwardGoals), Fig(kBestAndFairestRating.afl),
            Fig(kAwardGoals)}),
      Fill("Under 21 (younger than {}) | average above {} | " + goalsOr + " |",
           {Fig(kYoungAge), Fig(kUnder21Rating.local), Fig(kUnder21Rating.afl), Fig(kAwardGoals)}),
      Fill("(fewer than {} matches in the competition) | average above {} | " + goalsOr +
               ", younger than {}, not suspended |",
           {Fig(kRookieMatches), Fig(kRookieRating.local), Fig(kRookieRating.afl), Fig(kAwardGoals),
            Fig(kYoungAge)}),
      Fill("| more than {} goals | more than {} goals: certain with more than {}, otherwise likely "
           "|",
           {Fig(kAwardGoals), Fig(kAwardGoals), Fig(kColemanCertainGoals)}),
      Fill("| average above {} | the Brownlow Medal, below |", {Fig(kMostValuableRating)}),
      Fill("polls between {} and {} votes",
           {Fig(kBrownlowWinnerBase + 1), Fig(kBrownlowWinnerBase + kBrownlowWinnerSpread)}),
      Fill("Overall is above {}, he is older than {}, he has played at least {} AFL matches",
           {Fig(kCaptainOverall), Fig(kCaptainAge), Fig(kCaptainAflMatches)}),
      Fill("rating above {}, or above {} with more than {} goals, or with more than {} goals",
           {Fig(kPromotionRating), Fig(kPromotionRatingWithGoals), Fig(kPromotionGoalsWithRating),
            Fig(kPromotionGoals)}),
      Fill("with an average of {} or more", {Fig(kKeptOnRating)}),
      Fill("below {}; in the Local Reserves he is kept on, until he is {}",
           {Fig(kKeptOnRating), Fig(kRetirementAge)}),
      Fill("averaging below {}, at {} or older", {Fig(kKeptOnRating), Fig(kRetirementAge)}),
      Fill("At the ages of {} and {} he is asked",
           {Fig(kPositionChangeAges[0]), Fig(kPositionChangeAges[1])}),
      Fill("costs {} points of every base skill", {Fig(kPositionChangeCost)}),
      Fill("measured against {} players", {Fig(kCampPlayers)}),
      Fill("average match rating was above {}", {Fig(kCampGoodRating)}),
      Fill("Running of {} or more", {Fig(kCampRunner)}),
      Fill("pick {} takes him only with an average rank of {} or better, an Overall of {} and a "
           "season average above {}",
           {Fig(first.firstPick), Fig(first.campRank), Fig(first.overall), Fig(first.rating)}),
      Fill("From pick {} a rank of {} or better, an Overall above {} and an average above {}",
           {Fig(pick49.firstPick), Fig(pick49.campRank), Fig(pick49.overall), Fig(pick49.rating)}),
      Fill("Pick {}, the last", {Fig(kLastPick)}),
      Fill("pays from {} a week (pick {}) to {} (the last pick), on a contract of {} seasons",
           {Fig(Money::Dollars(first.wage)), Fig(first.firstPick),
            Fig(Money::Dollars(kDraftTiers.back().wage)), Fig(kDraftContractSeasons)}),
  };
  for (const CampTest& test : kCampTestList)
    phrases.push_back(Fill("- {}, in {}", {test.activity, test.unit}));

  std::vector<bool> checked(guide.size());
  for (const std::string& phrase : phrases) {
    auto at = guide.find(phrase);
    EXPECT_NE(at, std::string::npos) << "the guide does not say: " << phrase;
    for (; at != std::string::npos; at = guide.find(phrase, at + 1)) {
      std::fill_n(checked.begin() + static_cast<std::ptrdiff_t>(at), phrase.size(), true);
    }
  }
  for (std::size_t at = 0; at < guide.size(); ++at) {
    const bool number = std::isdigit(static_cast<unsigned char>(guide[at])) &&
                        (at == 0 || !std::isalnum(static_cast<unsigned char>(guide[at - 1])));
    EXPECT_TRUE(!number || checked[at]) << "a figure no rule checks: " << guide.substr(at, 40);
  }
}

}  // namespace
}  // namespace km
