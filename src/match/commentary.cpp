// SPDX-License-Identifier: GPL-3.0-or-later
#include "match/commentary.h"

#include <array>
#include <string_view>

namespace km {
namespace {

// A sentence is a leading text, the player's name and a trailing text,
// joined with nothing added.
struct Sentence {
  std::string_view lead;
  std::string_view trail;
};
using Band = std::array<Sentence, 3>;

constexpr std::array<Band, 6> kQuarterSentences = {{
    {{{"",
       " 's coach won't be happy with that quarter's effort. He'll need to get his hands on the "
       "ball more if he wants to come away feeling good about this match."},
      {"", " played a disastrous quarter of football there, the coach wont be pleased at all."},
      {"Poor footballing performance that quarter by ",
       ". He'll be hoping to improve, otherwise he may find himself on the bench."}}},
    {{{"",
       " 's coach will find that quarter's performance inadequate I think. He'll need to put in a "
       "bit of extra effort, right now he's just not getting himself into the game."},
      {"",
       " really didn't get enough of the ball that quarter, he was well beaten by his opponent. "
       "His coach may want to think about moving him around."},
      {"A quiet quarter there from ",
       ", he'll need to put in a much bigger effort if he's to keep his place in this team."}}},
    {{{"Nothing more than a solid effort that quarter from ",
       ". He's done some good things, though should be looking to improve."},
      {"",
       " played an adequate quarter of football there, the coach will be expecting more though."},
      {"Good quarter there by ",
       ", but he needs to take the extra step and really stamp his authority on the game."}}},
    {{{"",
       " did very well that quarter, he'll have made his coach very happy. Only negative thing you "
       "could take away from his performance is perhaps his lack of intensity, but then he's still "
       "managed to pick up some good stats."},
      {"", " played an excellent quarter of football there, the coach will be pleased."},
      {"Outstanding quarter there by ",
       ", he needs to keep that level up and really stamp his authority on the game."}}},
    {{{"A fantastic quarter of football from ",
       " there! His opponent had no hope of holding him back, and if he continues this performance "
       "he'll be looking at a Best on Ground."},
      {"",
       " played a classy quarter of football there, the coach will be stoked with his "
       "performance!"},
      {"Brilliant quarter there by ",
       ", he's really dominated the game so far and will be causing the oppostion coach "
       "problems."}}},
    {{{"",
       " has just completed perhaps one of the best quarter of football I have ever witnessed! He "
       "could do no wrong and its no wonder his direct opponent was taken off half way through. "
       "Mark him down for Best on Ground now!"},
      {"",
       " played a magical quarter of football there! You wont see much better than that, what a "
       "star!"},
      {"That truly was a SPECIAL quarter of footy from ",
       "! If he keeps that level of play for the rest of the match, he could very well win the "
       "match off his own boot!"}}},
}};

constexpr std::array<Band, 6> kMatchSentences = {{
    {{{"",
       "had a terrible day today, and if he's not careful he'll be looking at getting dropped in "
       "the near future. He'll need to increase his work rate and go in for the hard ball more if "
       "he's to improve."},
      {"", " played a disastrous match of football today, the coach wont be pleased at all."},
      {"Poor footballing performance today by ",
       ". He'll be hoping to improve, otherwise he may find himself dropped."}}},
    {{{"",
       " 's coach will be giving him an earful after this match I think it's fair to say. He never "
       "really got into the match. Still, he showed some good signs, and the coach will be happy "
       "with that at least."},
      {"",
       " really didn't get enough of the ball today, he was well beaten by his opponent. His coach "
       "may want to think about moving him around next week."},
      {"A quiet match today from ",
       ", he'll need to put in a much bigger effort if he's to keep his place in this team."}}},
    {{{"That was a good match by ",
       ". He worked hard and showed a lot of good signs out there, and with a higher work rate he "
       "may have been able to really put a stamp on the game."},
      {"",
       " played an adequate match of football this afternoon, the coach will be expecting more "
       "though."},
      {"Good game today for ",
       ", but he needs to take the extra step and really stamp his authority on the game next "
       "time."}}},
    {{{"",
       " did very well today, he'll have made his coach very happy. Only negative thing you could "
       "take away from his performance is perhaps his lack of intensity, but then he still managed "
       "to pick up some good stats."},
      {"", " played an excellent match of football, the coach will be pleased."},
      {"Outstanding match by ",
       ", he needs to keep that level up and continue his good form into the coming matches."}}},
    {{{"That was a fantastic match from ",
       "! His opponents had no hope of holding him back, and he's certainly a contender for Best "
       "on Ground."},
      {"",
       " played a classy match of football today, the coach will be stoked with his performance!"},
      {"Brilliant game for ",
       ", he really dominated the game and caused the opposition coach a lot of problems with "
       "match-ups."}}},
    {{{"",
       "! What a match! He could do no wrong and its no wonder he had so many different opponents. "
       "Mark him down for Best on Ground now!"},
      {"", " played a magical game of footy! You wont see much better than that, what a star!"},
      {"That truly was a SPECTACULAR match of footy from ",
       "! If he keeps that level of play for the rest of the season, he could very well end up "
       "with an award or two!"}}},
}};

// A band's test: lower < x < upper, with either edge inclusive where asked.
struct BandTest {
  double lower;  // no lower edge when below -1e9
  bool lowerInclusive;
  double upper;  // no upper edge when above 1e9
  bool upperInclusive;
  [[nodiscard]] bool Holds(double x) const {
    const bool aboveLower = lowerInclusive ? x >= lower : x > lower;
    const bool belowUpper = upperInclusive ? x <= upper : x < upper;
    return aboveLower && belowUpper;
  }
};
constexpr double kNone = 1e12;

// Quarters 1 and 2 use strict edges that overlap; quarter 3 closes each band
// at its top; the full match is judged by the rating, with 10 its own band.
constexpr std::array<BandTest, 6> kEarlyBands = {{{-kNone, false, 5, false},
                                                  {4, false, 10, false},
                                                  {9, false, 20, false},
                                                  {19, false, 30, false},
                                                  {29, false, 36, false},
                                                  {35, false, kNone, false}}};
constexpr std::array<BandTest, 6> kThirdBands = {{{-kNone, false, 5, true},
                                                  {5, false, 10, true},
                                                  {10, false, 20, true},
                                                  {20, false, 30, true},
                                                  {30, false, 36, true},
                                                  {36, false, kNone, false}}};
constexpr std::array<BandTest, 6> kFullBands = {{{-kNone, false, 2.5, false},
                                                 {2.4, false, 5, false},
                                                 {4.9, false, 7.5, false},
                                                 {7.4, false, 9, false},
                                                 {8.9, false, 10, false},
                                                 {10, true, 10, true}}};

}  // namespace

double CommentaryMeasure(int quarter, int disposals, double rating) {
  switch (quarter) {
    case 1:
      return disposals * 4;
    case 2:
      return disposals * 2;
    case 3:
      return disposals * 1.33;
    default:
      return rating;
  }
}

int CommentaryBand(int quarter, double x) {
  if (quarter < 1 || quarter > 4) return 0;
  const auto& bands = quarter == 4 ? kFullBands : quarter == 3 ? kThirdBands : kEarlyBands;
  // Every band that holds writes its sentence; the highest one stands.
  int band = 0;
  for (std::size_t i = 0; i < bands.size(); ++i) {
    if (bands[i].Holds(x)) band = static_cast<int>(i) + 1;
  }
  return band;
}

std::string Commentary(int quarter, int disposals, double rating, const std::string& name, int v) {
  const int band = CommentaryBand(quarter, CommentaryMeasure(quarter, disposals, rating));
  if (band == 0 || v < 1 || v > 3) return {};
  const auto& table = quarter == 4 ? kMatchSentences : kQuarterSentences;
  const Sentence& s = table[static_cast<std::size_t>(band - 1)][static_cast<std::size_t>(v - 1)];
  std::string out(s.lead);
  out += name;
  out += s.trail;
  return out;
}

}  // namespace km
