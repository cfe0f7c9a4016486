// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "core/game_data.h"
#include "core/money.h"

namespace km {

// A new career: a fourteen-year-old with a little money in the bank.
inline constexpr int kStartingAge = 14;
inline constexpr int kStartingBank = 15000;
// The club a new career shows until his first contract is signed.
inline constexpr const char* kNoClubYet = "Club Here";
// Condition and gear bars run to this; new gear and a full restore bring them
// back to it.
inline constexpr int kFullBar = 100;
// A skill is trained, and grows, up to this.
inline constexpr int kSkillCap = 200;
// Gear whose overall bar is below this is too worn for a match: Play asks
// whether to play in it, and a match played in it counts half.
inline constexpr int kGearTooWorn = 50;

// One company's line on a sponsor offer screen.
struct SponsorOffer {
  bool Enabled = false;  // its choice can be taken
  bool Chosen = false;   // it is the chosen one
  Money Amount;          // what it offers a week
  bool operator==(const SponsorOffer&) const = default;
};

// One sponsor offer screen: the sixteen companies and the current deal.
struct SponsorScreen {
  std::array<SponsorOffer, kCompanyCount> Offers;
  std::string Sponsor;  // lblSponsor
  Money Offer;          // lblOffer
  bool operator==(const SponsorScreen&) const = default;
};

// Career figures at one competition (the records screen's columns).
struct LevelRecord {
  int Matches = 0;
  int Disposals = 0;
  int Goals = 0;
  int Behinds = 0;
  int MostDisposals = 0;
  int MostGoals = 0;
  double AverageDisposals = 0;
  double AverageGoals = 0;
  int BOGs = 0;
  bool operator==(const LevelRecord&) const = default;
};

// One row of the ladder table of the current competition.
struct LadderRow {
  std::string Team;
  int Wins = 0;
  int Losses = 0;
  int Draws = 0;
  int For = 0;
  int Against = 0;
  bool operator==(const LadderRow&) const = default;
};

// Everything the game keeps about one footballer's career. Each field is
// named after the control that shows it. Create() gives the new-career values.
struct Career {
  // Identity and profile.
  std::string Name;
  std::string Team = kNoClubYet;
  std::string State;
  std::string League = "Local Reserves";
  int Height = 0;
  int Weight = 0;
  int Age = kStartingAge;
  std::string Position;
  int Kicking = 1;
  int Handballing = 1;
  int Tackling = 1;
  int Marking = 1;
  int Running = 1;
  int Overall = 1;
  int SetupKicking = 1;
  int SetupHandballing = 1;
  int SetupTackling = 1;
  int SetupMarking = 1;
  int SetupRunning = 1;
  int SetupOverall = 1;
  std::string CareerName;

  // Season statistics.
  int Matches = 0;
  int MatchesPlayed = 0;
  int Disposals = 0;
  int Goals = 0;
  int Behinds = 0;
  int MostDisposals = 0;
  int MostGoals = 0;
  double AverageDisposals = 0;
  double AverageGoals = 0;
  int BOGs = 0;
  double MatchRating = 0;
  double MatchRatingAverage = 0;
  int Brownlow = 0;
  std::string BrownlowEligible = "Y";
  int Injury = 0;
  int Suspension = 0;
  int DraftDue = 0;  // not saved

  // Finances.
  Money Wages;
  Money Sponsorship = Money::Dollars(775);
  Money OtherIncome;
  Money BankBalance = Money::Dollars(kStartingBank);

  // Condition and gear, 0..100.
  int Fitness = 100;
  int Health = 100;
  int Stamina = 100;
  int HealthOverall = 100;
  int Boots = 100;
  int Jumper = 100;
  int Shorts = 100;
  int Other = 100;
  int GearOverall = 100;

  // Hub switches.
  bool ContractOpen = true;
  bool SponsorshipOpen = true;
  bool PlayOpen = true;

  // Contract.
  std::string OfferContract = "Select Team By Clicking on Their Name";
  bool SignOpen = false;
  std::string ContractTeam = "None";
  Money ContractCurrent;
  int ContractLength = 0;
  int ContractMatches = 0;

  // Sponsor offer screens, in SponsorSlot order.
  std::array<SponsorScreen, kSlotCount> SponsorOffers;

  // Current sponsors (the sponsorship screen).
  std::string MajorSponsor = "Bob's Bakery";
  std::string JumperSponsor = "Bob's Bakery";
  std::string ShortsSponsor = "Bob's Bakery";
  std::string BootsSponsor = "Bob's Bakery";
  std::string SocksSponsor = "Bob's Bakery";

  // Career statistics per competition, in Competition order.
  std::array<LevelRecord, kCompetitionCount> Levels;

  // Awards: counts of times won.
  int LocalMVP = 0, LocalGoalsAward = 0, LocalRookie = 0, LocalU21 = 0, LocalBestAndFairest = 0,
      LocalAllStar = 0, LocalCaptain = 0;
  int RegionalMVP = 0, RegionalGoalsAward = 0, RegionalRookie = 0, RegionalU21 = 0,
      RegionalBestAndFairest = 0, RegionalAllStar = 0, RegionalCaptain = 0;
  int StateMVP = 0, StateGoalsAward = 0, StateRookie = 0, StateU21 = 0, StateBestAndFairest = 0,
      StateVictorian = 0, StateCaptain = 0, StateMatchesAward = 0;
  int AFLBrownlow = 0, AFLColeman = 0, AFLRisingStar = 0, AFLU21 = 0, AFLBestAndFairest = 0,
      AFLAllAustralian = 0, AFLCaptain = 0, AFLMatchesAward = 0;

  // Ladder table of the current competition, rows First to Sixteenth.
  std::array<LadderRow, kLadderRows> Ladder;

  // The club's season record (team screen).
  int TeamMatches = 0;
  int TeamWins = 0;
  int TeamLosses = 0;
  int TeamDraws = 0;
  int TeamGoals = 0;
  int TeamBehinds = 0;

  // Season award flags, "N" or "Y"; not saved.
  std::string SeasonMVP = "N", SeasonBrownlow = "N", SeasonMostGoals = "N", SeasonColeman = "N",
              SeasonRookie = "N", SeasonRisingStar = "N", SeasonU21 = "N",
              SeasonBestAndFairest = "N", SeasonAllStar = "N", SeasonVictoria = "N",
              SeasonVictoriaMatches = "N", SeasonAustralia = "N", SeasonAustraliaMatches = "N",
              SeasonCaptain = "N";

  Career();
  bool operator==(const Career&) const = default;

  [[nodiscard]] LevelRecord& Level(Competition c) { return Levels[static_cast<int>(c)]; }
  [[nodiscard]] SponsorScreen& Offers(SponsorSlot s) { return SponsorOffers[static_cast<int>(s)]; }

  // The new-career values, before any setup answer is applied.
  static Career Create();

  // The season reset: the season statistics go back to 0, the season award
  // flags to "N", and the player is a year older. The club's season record is
  // cleared too, except when the player takes the field in worn-out gear.
  void ResetSeason(bool resetClubRecord = true);
};

// The overall rating of five skills: the two ball-use skills weigh 1.25, the
// other three 0.833, the sum is divided by 5 and rounded to a whole number.
int OverallOf(int kicking, int handballing, int tackling, int marking, int running);

// The rounded mean of a group of bars ("##0").
int BarMean(int a, int b, int c);
int BarMean(int a, int b, int c, int d);

}  // namespace km
