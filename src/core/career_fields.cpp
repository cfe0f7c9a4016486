// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/career_fields.h"

#include <charconv>
#include <limits>
#include <unordered_map>
#include <vector>

#include "core/number_format.h"

namespace km {
namespace {

// Each maker takes an accessor: a generic lambda that gives the field itself
// from a Career, const or not, so one lambda serves both reading and writing.

template <typename Ref>
CareerField Text(std::string name, Ref ref, bool saved = true) {
  return {std::move(name),
          FieldKind::Text,
          saved,
          [ref](const Career& c) { return std::string(ref(c)); },
          [ref](Career& c, std::string_view text) {
            ref(c) = std::string(text);
            return true;
          },
          nullptr,
          nullptr,
          [ref](const Career& c, std::string& out) { out += ref(c); }};
}

template <typename Ref>
CareerField Whole(std::string name, Ref ref, FieldKind kind = FieldKind::Whole, bool saved = true) {
  return {
      std::move(name),
      kind,
      saved,
      [ref](const Career& c) { return std::to_string(ref(c)); },
      [ref, kind](Career& c, std::string_view text) {
        const auto value = ParseWhole(text);
        if (!value) return false;
        if (kind == FieldKind::Bar && (*value < 0 || *value > 100)) return false;
        if (*value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max())
          return false;
        ref(c) = static_cast<int>(*value);
        return true;
      },
      nullptr,
      nullptr,
      [ref](const Career& c, std::string& out) {
        char digits[16];
        out.append(digits, std::to_chars(digits, digits + sizeof digits, ref(c)).ptr);
      }};
}

template <typename Ref>
CareerField Bar(std::string name, Ref ref) {
  return Whole(std::move(name), ref, FieldKind::Bar);
}

template <typename Ref>
CareerField Decimal(std::string name, Ref ref) {
  const std::string pattern(DecimalPattern(name));
  return {std::move(name),
          FieldKind::Decimal,
          true,
          [ref, pattern](const Career& c) {
            return pattern.empty() ? FormatGeneral(ref(c)) : FormatNumber(ref(c), pattern);
          },
          [ref](Career& c, std::string_view text) {
            const auto value = ParseDecimal(text);
            if (!value) return false;
            ref(c) = *value;
            return true;
          },
          nullptr,
          nullptr,
          [ref, pattern](const Career& c, std::string& out) {
            out += pattern.empty() ? FormatGeneral(ref(c)) : FormatNumber(ref(c), pattern);
          }};
}

// An average reads "0" until it is first worked out from matches (while
// the matches it is taken over number none: a new career, a new season),
// then as its pattern shows it.
template <typename Ref, typename Count>
CareerField Average(std::string name, Ref ref, Count count) {
  CareerField f = Decimal(std::move(name), ref);
  f.get = [count, shown = f.get](const Career& c) {
    return count(c) == 0 ? std::string("0") : shown(c);
  };
  f.append = [count, shown = f.append](const Career& c, std::string& out) {
    if (count(c) == 0) {
      out += '0';
    } else {
      shown(c, out);
    }
  };
  return f;
}

template <typename Ref>
CareerField Dollars(std::string name, Ref ref) {
  return {std::move(name),
          FieldKind::Money,
          true,
          [ref](const Career& c) { return ref(c).ToString(); },
          [ref](Career& c, std::string_view text) {
            const auto value = Money::Parse(text);
            if (!value) return false;
            ref(c) = *value;
            return true;
          },
          nullptr,
          nullptr,
          [ref](const Career& c, std::string& out) { out += ref(c).ToString(); }};
}

template <typename Ref>
CareerField Switch(std::string name, Ref ref) {
  return {std::move(name),
          FieldKind::Switch,
          true,
          [ref](const Career& c) { return std::string(ref(c) ? "True" : "False"); },
          [ref](Career& c, std::string_view text) {
            if (text != "True" && text != "False") return false;
            ref(c) = text == "True";
            return true;
          },
          [ref](const Career& c) { return static_cast<bool>(ref(c)); },
          [ref](Career& c, bool on) { ref(c) = on; },
          [ref](const Career& c, std::string& out) { out += ref(c) ? "True" : "False"; }};
}

#define KM_FIELD(member) \
  [](auto& c) -> auto& { return c.member; }

std::vector<CareerField> BuildFields() {
  std::vector<CareerField> f;
  f.reserve(520);

  // Identity and profile.
  f.push_back(Text("Name", KM_FIELD(Name)));
  f.push_back(Text("Team", KM_FIELD(Team)));
  f.push_back(Text("State", KM_FIELD(State)));
  f.push_back(Text("League", KM_FIELD(League)));
  f.push_back(Whole("Height", KM_FIELD(Height)));
  f.push_back(Whole("Weight", KM_FIELD(Weight)));
  f.push_back(Whole("Age", KM_FIELD(Age)));
  f.push_back(Text("Position", KM_FIELD(Position)));
  f.push_back(Whole("Kicking", KM_FIELD(Kicking)));
  f.push_back(Whole("Handballing", KM_FIELD(Handballing)));
  f.push_back(Whole("Tackling", KM_FIELD(Tackling)));
  f.push_back(Whole("Marking", KM_FIELD(Marking)));
  f.push_back(Whole("Running", KM_FIELD(Running)));
  f.push_back(Whole("Overall", KM_FIELD(Overall)));
  f.push_back(Whole("SetupKicking", KM_FIELD(SetupKicking)));
  f.push_back(Whole("SetupHandballing", KM_FIELD(SetupHandballing)));
  f.push_back(Whole("SetupTackling", KM_FIELD(SetupTackling)));
  f.push_back(Whole("SetupMarking", KM_FIELD(SetupMarking)));
  f.push_back(Whole("SetupRunning", KM_FIELD(SetupRunning)));
  f.push_back(Whole("SetupOverall", KM_FIELD(SetupOverall)));
  f.push_back(Text("CareerName", KM_FIELD(CareerName)));

  // Season statistics.
  f.push_back(Whole("Matches", KM_FIELD(Matches)));
  f.push_back(Whole("MatchesPlayed", KM_FIELD(MatchesPlayed)));
  f.push_back(Whole("Disposals", KM_FIELD(Disposals)));
  f.push_back(Whole("Goals", KM_FIELD(Goals)));
  f.push_back(Whole("Behinds", KM_FIELD(Behinds)));
  f.push_back(Whole("MostDisposals", KM_FIELD(MostDisposals)));
  f.push_back(Whole("MostGoals", KM_FIELD(MostGoals)));
  f.push_back(Average("AverageDisposals", KM_FIELD(AverageDisposals), KM_FIELD(MatchesPlayed)));
  f.push_back(Average("AverageGoals", KM_FIELD(AverageGoals), KM_FIELD(MatchesPlayed)));
  f.push_back(Whole("BOGs", KM_FIELD(BOGs)));
  f.push_back(Decimal("MatchRating", KM_FIELD(MatchRating)));
  f.push_back(Average("MatchRatingAverage", KM_FIELD(MatchRatingAverage), KM_FIELD(MatchesPlayed)));
  f.push_back(Whole("Brownlow", KM_FIELD(Brownlow)));
  f.push_back(Text("BrownlowEligible", KM_FIELD(BrownlowEligible)));
  f.push_back(Whole("Injury", KM_FIELD(Injury)));
  f.push_back(Whole("Suspension", KM_FIELD(Suspension)));
  f.push_back(Whole("DraftDue", KM_FIELD(DraftDue), FieldKind::Whole, false));

  // Finances.
  f.push_back(Dollars("Wages", KM_FIELD(Wages)));
  f.push_back(Dollars("Sponsorship", KM_FIELD(Sponsorship)));
  f.push_back(Dollars("OtherIncome", KM_FIELD(OtherIncome)));
  f.push_back(Dollars("BankBalance", KM_FIELD(BankBalance)));

  // Condition and gear.
  f.push_back(Bar("Fitness", KM_FIELD(Fitness)));
  f.push_back(Bar("Health", KM_FIELD(Health)));
  f.push_back(Bar("Stamina", KM_FIELD(Stamina)));
  f.push_back(Bar("HealthOverall", KM_FIELD(HealthOverall)));
  f.push_back(Bar("Boots", KM_FIELD(Boots)));
  f.push_back(Bar("Jumper", KM_FIELD(Jumper)));
  f.push_back(Bar("Shorts", KM_FIELD(Shorts)));
  f.push_back(Bar("Other", KM_FIELD(Other)));
  f.push_back(Bar("GearOverall", KM_FIELD(GearOverall)));

  // Hub switches.
  f.push_back(Switch("ContractOpen", KM_FIELD(ContractOpen)));
  f.push_back(Switch("SponsorshipOpen", KM_FIELD(SponsorshipOpen)));
  f.push_back(Switch("PlayOpen", KM_FIELD(PlayOpen)));

  // Contract.
  f.push_back(Text("OfferContract", KM_FIELD(OfferContract)));
  f.push_back(Switch("SignOpen", KM_FIELD(SignOpen)));
  f.push_back(Text("ContractTeam", KM_FIELD(ContractTeam)));
  f.push_back(Dollars("ContractCurrent", KM_FIELD(ContractCurrent)));
  f.push_back(Whole("ContractLength", KM_FIELD(ContractLength)));
  f.push_back(Whole("ContractMatches", KM_FIELD(ContractMatches)));

  // Sponsor offer screens: SponsorBootsNike (the amount), SponsorBootsNikeEnabled,
  // SponsorBootsNikeChosen, SponsorBootsSponsor, SponsorBootsOffer and so on.
  for (std::size_t s = 0; s < kSlotCount; ++s) {
    const std::string screen = "Sponsor" + std::string(kSlotNames[s]);
    for (std::size_t i = 0; i < kCompanyCount; ++i) {
      const std::string company = screen + std::string(kCompanies[i].key);
      f.push_back(Switch(
          company + "Enabled",
          [ s, i ](auto& c) -> auto& { return c.SponsorOffers[s].Offers[i].Enabled; }));
      f.push_back(Switch(
          company + "Chosen",
          [ s, i ](auto& c) -> auto& { return c.SponsorOffers[s].Offers[i].Chosen; }));
      f.push_back(Dollars(
          company, [ s, i ](auto& c) -> auto& { return c.SponsorOffers[s].Offers[i].Amount; }));
    }
    f.push_back(Text(
        screen + "Sponsor", [s](auto& c) -> auto& { return c.SponsorOffers[s].Sponsor; }));
    f.push_back(Dollars(
        screen + "Offer", [s](auto& c) -> auto& { return c.SponsorOffers[s].Offer; }));
  }

  // Current sponsors.
  f.push_back(Text("MajorSponsor", KM_FIELD(MajorSponsor)));
  f.push_back(Text("JumperSponsor", KM_FIELD(JumperSponsor)));
  f.push_back(Text("ShortsSponsor", KM_FIELD(ShortsSponsor)));
  f.push_back(Text("BootsSponsor", KM_FIELD(BootsSponsor)));
  f.push_back(Text("SocksSponsor", KM_FIELD(SocksSponsor)));

  // Career statistics per competition: LocalMatches .. AFLBOGs.
  for (std::size_t l = 0; l < kCompetitionCount; ++l) {
    const std::string p(kLevelPrefixes[l]);
    f.push_back(Whole(
        p + "Matches", [l](auto& c) -> auto& { return c.Levels[l].Matches; }));
    f.push_back(Whole(
        p + "Disposals", [l](auto& c) -> auto& { return c.Levels[l].Disposals; }));
    f.push_back(Whole(
        p + "Goals", [l](auto& c) -> auto& { return c.Levels[l].Goals; }));
    f.push_back(Whole(
        p + "Behinds", [l](auto& c) -> auto& { return c.Levels[l].Behinds; }));
    f.push_back(Whole(
        p + "MostDisposals", [l](auto& c) -> auto& { return c.Levels[l].MostDisposals; }));
    f.push_back(Whole(
        p + "MostGoals", [l](auto& c) -> auto& { return c.Levels[l].MostGoals; }));
    const auto matches = [l](auto& c) -> auto& { return c.Levels[l].Matches; };
    f.push_back(Average(
        p + "AverageDisposals", [l](auto& c) -> auto& { return c.Levels[l].AverageDisposals; },
        matches));
    f.push_back(Average(
        p + "AverageGoals", [l](auto& c) -> auto& { return c.Levels[l].AverageGoals; }, matches));
    f.push_back(Whole(
        p + "BOGs", [l](auto& c) -> auto& { return c.Levels[l].BOGs; }));
  }

  // Awards.
  f.push_back(Whole("LocalMVP", KM_FIELD(LocalMVP)));
  f.push_back(Whole("LocalGoalsAward", KM_FIELD(LocalGoalsAward)));
  f.push_back(Whole("LocalRookie", KM_FIELD(LocalRookie)));
  f.push_back(Whole("LocalU21", KM_FIELD(LocalU21)));
  f.push_back(Whole("LocalBestAndFairest", KM_FIELD(LocalBestAndFairest)));
  f.push_back(Whole("LocalAllStar", KM_FIELD(LocalAllStar)));
  f.push_back(Whole("LocalCaptain", KM_FIELD(LocalCaptain)));
  f.push_back(Whole("RegionalMVP", KM_FIELD(RegionalMVP)));
  f.push_back(Whole("RegionalGoalsAward", KM_FIELD(RegionalGoalsAward)));
  f.push_back(Whole("RegionalRookie", KM_FIELD(RegionalRookie)));
  f.push_back(Whole("RegionalU21", KM_FIELD(RegionalU21)));
  f.push_back(Whole("RegionalBestAndFairest", KM_FIELD(RegionalBestAndFairest)));
  f.push_back(Whole("RegionalAllStar", KM_FIELD(RegionalAllStar)));
  f.push_back(Whole("RegionalCaptain", KM_FIELD(RegionalCaptain)));
  f.push_back(Whole("StateMVP", KM_FIELD(StateMVP)));
  f.push_back(Whole("StateGoalsAward", KM_FIELD(StateGoalsAward)));
  f.push_back(Whole("StateRookie", KM_FIELD(StateRookie)));
  f.push_back(Whole("StateU21", KM_FIELD(StateU21)));
  f.push_back(Whole("StateBestAndFairest", KM_FIELD(StateBestAndFairest)));
  f.push_back(Whole("StateVictorian", KM_FIELD(StateVictorian)));
  f.push_back(Whole("StateCaptain", KM_FIELD(StateCaptain)));
  f.push_back(Whole("StateMatchesAward", KM_FIELD(StateMatchesAward)));
  f.push_back(Whole("AFLBrownlow", KM_FIELD(AFLBrownlow)));
  f.push_back(Whole("AFLColeman", KM_FIELD(AFLColeman)));
  f.push_back(Whole("AFLRisingStar", KM_FIELD(AFLRisingStar)));
  f.push_back(Whole("AFLU21", KM_FIELD(AFLU21)));
  f.push_back(Whole("AFLBestAndFairest", KM_FIELD(AFLBestAndFairest)));
  f.push_back(Whole("AFLAllAustralian", KM_FIELD(AFLAllAustralian)));
  f.push_back(Whole("AFLCaptain", KM_FIELD(AFLCaptain)));
  f.push_back(Whole("AFLMatchesAward", KM_FIELD(AFLMatchesAward)));

  // Ladder table: LadderFirst (the club), LadderFirstWins .. LadderSixteenthAgainst.
  for (std::size_t r = 0; r < kLadderRows; ++r) {
    const std::string row = "Ladder" + std::string(kOrdinalWords[r]);
    f.push_back(Text(
        row, [r](auto& c) -> auto& { return c.Ladder[r].Team; }));
    f.push_back(Whole(
        row + "Wins", [r](auto& c) -> auto& { return c.Ladder[r].Wins; }));
    f.push_back(Whole(
        row + "Losses", [r](auto& c) -> auto& { return c.Ladder[r].Losses; }));
    f.push_back(Whole(
        row + "Draws", [r](auto& c) -> auto& { return c.Ladder[r].Draws; }));
    f.push_back(Whole(
        row + "For", [r](auto& c) -> auto& { return c.Ladder[r].For; }));
    f.push_back(Whole(
        row + "Against", [r](auto& c) -> auto& { return c.Ladder[r].Against; }));
  }

  // The club's season record.
  f.push_back(Whole("TeamMatches", KM_FIELD(TeamMatches)));
  f.push_back(Whole("TeamWins", KM_FIELD(TeamWins)));
  f.push_back(Whole("TeamLosses", KM_FIELD(TeamLosses)));
  f.push_back(Whole("TeamDraws", KM_FIELD(TeamDraws)));
  f.push_back(Whole("TeamGoals", KM_FIELD(TeamGoals)));
  f.push_back(Whole("TeamBehinds", KM_FIELD(TeamBehinds)));

  // Season award flags, kept only while the game runs.
  f.push_back(Text("SeasonMVP", KM_FIELD(SeasonMVP), false));
  f.push_back(Text("SeasonBrownlow", KM_FIELD(SeasonBrownlow), false));
  f.push_back(Text("SeasonMostGoals", KM_FIELD(SeasonMostGoals), false));
  f.push_back(Text("SeasonColeman", KM_FIELD(SeasonColeman), false));
  f.push_back(Text("SeasonRookie", KM_FIELD(SeasonRookie), false));
  f.push_back(Text("SeasonRisingStar", KM_FIELD(SeasonRisingStar), false));
  f.push_back(Text("SeasonU21", KM_FIELD(SeasonU21), false));
  f.push_back(Text("SeasonBestAndFairest", KM_FIELD(SeasonBestAndFairest), false));
  f.push_back(Text("SeasonAllStar", KM_FIELD(SeasonAllStar), false));
  f.push_back(Text("SeasonVictoria", KM_FIELD(SeasonVictoria), false));
  f.push_back(Text("SeasonVictoriaMatches", KM_FIELD(SeasonVictoriaMatches), false));
  f.push_back(Text("SeasonAustralia", KM_FIELD(SeasonAustralia), false));
  f.push_back(Text("SeasonAustraliaMatches", KM_FIELD(SeasonAustraliaMatches), false));
  f.push_back(Text("SeasonCaptain", KM_FIELD(SeasonCaptain), false));
  return f;
}

#undef KM_FIELD

const std::vector<CareerField>& Fields() {
  static const std::vector<CareerField> fields = BuildFields();
  return fields;
}

}  // namespace

std::span<const CareerField> CareerFields() { return Fields(); }

const CareerField* FindCareerField(std::string_view name) {
  static const std::unordered_map<std::string_view, const CareerField*> index = [] {
    std::unordered_map<std::string_view, const CareerField*> map;
    for (const CareerField& field : Fields()) map.emplace(field.name, &field);
    return map;
  }();
  const auto it = index.find(name);
  return it == index.end() ? nullptr : it->second;
}

std::string_view DecimalPattern(std::string_view fieldName) {
  // The season's averages show one decimal place; the career averages per
  // competition one or two; the summed match ratings just as they add up.
  if (fieldName == "MatchRating") return "";
  for (const std::string_view prefix : kLevelPrefixes) {
    if (fieldName.starts_with(prefix) && fieldName.substr(prefix.size()).starts_with("Average")) {
      return "##0.0#";
    }
  }
  return "##0.0";
}

}  // namespace km
