// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

namespace km {

// The four competitions, lowest first.
enum class Competition { LocalReserves, LocalFirsts, State, AFL };
inline constexpr int kCompetitionCount = 4;
inline constexpr std::array<std::string_view, kCompetitionCount> kCompetitionNames = {
    "Local Reserves", "Local Firsts", "State", "AFL"};
// Where a screen keeps one value per competition, its names carry these
// prefixes, in the same order.
inline constexpr std::array<std::string_view, kCompetitionCount> kLevelPrefixes = {
    "Local", "Regional", "State", "AFL"};

inline constexpr std::array<std::string_view, 8> kStates = {
    "ACT",      "New South Wales", "Northern Territory", "Queensland", "South Australia",
    "Tasmania", "Victoria",        "Western Australia"};

// The positions in the order the setup and position screens list them.
inline constexpr std::array<std::string_view, 13> kPositions = {
    "Centre",        "Rover",
    "Ruck Rover",    "Wing",
    "Ruck",          "Centre-Half-Forward",
    "Forward Flank", "Forward Pocket",
    "Full Forward",  "Centre-Half-Back",
    "Back Flank",    "Back Pocket",
    "Full Back"};

// A season's home-and-away rounds; the finals follow.
inline constexpr int kHomeAndAwayRounds = 22;

// Heights and weights offered at setup, tallest and heaviest first.
inline constexpr int kTallest = 205;
inline constexpr int kShortest = 160;
inline constexpr int kHeaviest = 110;
inline constexpr int kLightest = 60;
// A young body grows at the seasons' closes: 1..3 cm and kg at 14 and at 15,
// 1..2 at 16 and at 17, so at most this much in all.
inline constexpr int kMostGrowth = 10;
// Older than any career could make him: a career that says more is no
// career's.
inline constexpr int kOldestAge = 120;

// The five sponsor slots, in the order their offer screens are kept in the
// save file.
enum class SponsorSlot { Boots, Jumper, Major, Shorts, Socks };
inline constexpr int kSlotCount = 5;
inline constexpr std::array<std::string_view, kSlotCount> kSlotNames = {"Boots", "Jumper", "Major",
                                                                        "Shorts", "Socks"};

// A company that can sponsor a slot: the key its controls are named by, the
// name shown to the player, and the weekly amount it offers a new career on
// each slot's offer screen (in SponsorSlot order).
struct Company {
  std::string_view key;
  std::string_view shown;
  std::array<int, kSlotCount> startingOffer;
};

inline constexpr int kCompanyCount = 16;
//                                                               Boots Jumper Major Shorts Socks
inline constexpr std::array<Company, kCompanyCount> kCompanies = {{
    {"BobsBakery", "Bob's Bakery", {100, 50, 500, 25, 20}},
    {"SmithPharmacy", "Smith Pharmacy", {200, 100, 600, 50, 30}},
    {"NotJustTennis", "Not Just Tennis", {300, 150, 700, 75, 40}},
    {"LightningAutoRepairs", "Lightning Auto Repairs", {400, 200, 800, 100, 50}},
    {"APA", "Australia Physio Association", {600, 600, 3000, 300, 150}},
    {"WorkSafe", "WorkSafe", {800, 700, 3200, 350, 175}},
    {"SportsWear", "SportsWear", {1000, 800, 3400, 400, 200}},
    {"BendigoBank", "Bendigo Bank", {1200, 900, 3600, 450, 225}},
    {"Mayne", "Mayne", {2000, 1000, 5200, 500, 250}},
    {"Woolworths", "Woolworths", {2400, 1200, 5600, 600, 300}},
    {"Puma", "Puma", {2800, 1400, 6000, 700, 350}},
    {"CommonwealthBank", "Commonwealth Bank", {3200, 1600, 6400, 800, 400}},
    {"Panadol", "Panadol", {4500, 1800, 9600, 900, 500}},
    {"Coles", "Coles", {5000, 2200, 10400, 1100, 600}},
    {"CocaCola", "Coca-Cola", {6000, 3000, 12000, 1500, 800}},
    {"Nike", "Nike", {5500, 2600, 11200, 1300, 700}},
}};

// The deal of every slot when a career starts, all with Bob's Bakery.
inline constexpr std::array<int, kSlotCount> kStartingDeals = {100, 100, 400, 50, 25};

// The ladder rows, top first.
inline constexpr int kLadderRows = 16;
inline constexpr std::array<std::string_view, kLadderRows> kOrdinalWords = {
    "First", "Second", "Third",    "Fourth",  "Fifth",      "Sixth",      "Seventh",   "Eighth",
    "Ninth", "Tenth",  "Eleventh", "Twelfth", "Thirteenth", "Fourteenth", "Fifteenth", "Sixteenth"};
inline constexpr std::array<std::string_view, kLadderRows> kOrdinals = {
    "1st", "2nd",  "3rd",  "4th",  "5th",  "6th",  "7th",  "8th",
    "9th", "10th", "11th", "12th", "13th", "14th", "15th", "16th"};

bool IsState(std::string_view text);
bool IsPosition(std::string_view text);

}  // namespace km
