// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clubs.h"

namespace km {

namespace {

constexpr ClubList kLocalReserves = {"West Coburg", "Lilydale",   "Marcellin",     "North Coburg",
                                     "Gisborne",    "Lalor",      "Kangaroo Flat", "Seaford",
                                     "Frankston",   "Rosebud",    "Berwick",       "Belmont",
                                     "Spotswood",   "Yarraville", "Golden Grove",  "Broadview"};
constexpr ClubList kLocalFirsts = {
    "Mornington",     "Mount Eliza",      "Chelsea",      "Edithvale/Aspendale",
    "East Burwood",   "Noble Park",       "Vermont",      "East Ringwood",
    "Old Haileybury", "University Blues", "St. Bernards", "Old Xaverians",
    "Bundoora",       "Montmorency",      "Heidelberg",   "North Heidelberg"};
constexpr ClubList kAFL = {
    "West Coast Eagles", "St.Kilda Saints",    "Melbourne Demons",  "Port Adelaide Power",
    "Brisbane Lions",    "Geelong Cats",       "Western Bulldogs",  "Adelaide Crows",
    "Kangaroos",         "Sydney Swans",       "Fremantle Dockers", "Essendon Bombers",
    "Richmond Tigers",   "Collingw'd Magpies", "Hawthorn Hawks",    "Carlton Blues"};
constexpr ClubList kStateNsw = {
    "Northern Bullants", "Tuggeranong",  "Eastlake",  "Queanbeyan",      "ADFA",
    "Belconnen",         "Weston Creek", "Wagga",     "Western Suburbs", "Pennant Hills",
    "East Coast",        "Wollongong",   "St George", "Balmain",         "Campbell Town",
    "North Shore"};
constexpr ClubList kStateNT = {"St Mary's",  "Wanderers",         "Nightcliff",         "Waratah",
                               "Darwin",     "Western Districts", "Palmerston",         "Aranda",
                               "Milingimbi", "Bathurst Island",   "Warriors",           "Barkly",
                               "Wulagi",     "Casuarina",         "Southern Districts", "Marrara"};
constexpr ClubList kStateQld = {"Zillmere", "Mt Gravatt",  "Southport",       "Morningside",
                                "Suncoast", "Broad Beach", "Redland",         "Labrador",
                                "Noosa",    "Aspley",      "Mayne",           "Coolangatta",
                                "Burleigh", "Springwood",  "Sufers Paradise", "Sandgate"};
constexpr ClubList kStateSA = {
    "Eagles",        "North Adelaide", "South Adelaide", "Central District",
    "Port Adelaide", "Sturt",          "Glenelg",        "West Adelaide",
    "Norwood",       "Woodville",      "West Torrens",   "Woodville",
    "Port District", "Salisbury",      "Seaton",         "Mitcham"};
constexpr ClubList kStateVic = {"Eastern Ranges",    "Gippsland Power",    "Dandenong Stingray.",
                                "Geelong Falcons",   "Murray Bushranger.", "Oakleigh Chargers",
                                "Tassie Mariners",   "Calder Cannons",     "Sandringham Drgns.",
                                "Western Jets",      "Bendigo Pioneers.",  "Northern Knights",
                                "N.Ballarat Rebels", "NSW ACT Rams",       "Werribee",
                                "Williamstown"};
constexpr ClubList kStateWA = {"Claremont",      "South Fremantle", "Subiaco",   "West Perth",
                               "Swan Districts", "East Perth",      "Perth",     "East Fremantle",
                               "Peel Thunder",   "North Beach",     "Whitford",  "Wanneroo",
                               "Collegians",     "Scarborough",     "Hamersley", "University"};

}  // namespace

const ClubList& ClubsOf(std::string_view league, std::string_view homeState) {
  if (league == "Local Firsts") return kLocalFirsts;
  if (league == "AFL") return kAFL;
  if (league != "State") return kLocalReserves;
  if (homeState == "ACT" || homeState == "New South Wales") return kStateNsw;
  if (homeState == "Northern Territory") return kStateNT;
  if (homeState == "Queensland") return kStateQld;
  if (homeState == "South Australia") return kStateSA;
  if (homeState == "Western Australia") return kStateWA;
  return kStateVic;  // Victoria and Tasmania
}

}  // namespace km
