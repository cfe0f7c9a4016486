// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/invariants.h"

#include <algorithm>
#include <map>

#include "core/career_fields.h"
#include "core/game_data.h"
#include "core/save_file.h"

namespace km {
namespace {

void Within(std::vector<std::string>& broken, const char* name, long long value, long long low,
            long long high) {
  if (value < low || value > high) {
    broken.push_back(std::string(name) + " is " + std::to_string(value) + ", outside " +
                     std::to_string(low) + ".." + std::to_string(high));
  }
}

}  // namespace

std::vector<std::string> CheckInvariants(const Career& c) {
  std::vector<std::string> broken;
  const std::pair<const char*, int> bars[] = {{"Fitness", c.Fitness},
                                              {"Health", c.Health},
                                              {"Stamina", c.Stamina},
                                              {"HealthOverall", c.HealthOverall},
                                              {"Boots", c.Boots},
                                              {"Jumper", c.Jumper},
                                              {"Shorts", c.Shorts},
                                              {"Other", c.Other},
                                              {"GearOverall", c.GearOverall}};
  for (const auto& [name, value] : bars) Within(broken, name, value, 0, 100);
  const std::pair<const char*, int> skills[] = {{"Kicking", c.Kicking},
                                                {"Handballing", c.Handballing},
                                                {"Tackling", c.Tackling},
                                                {"Marking", c.Marking},
                                                {"Running", c.Running},
                                                {"SetupKicking", c.SetupKicking},
                                                {"SetupHandballing", c.SetupHandballing},
                                                {"SetupTackling", c.SetupTackling},
                                                {"SetupMarking", c.SetupMarking},
                                                {"SetupRunning", c.SetupRunning}};
  for (const auto& [name, value] : skills) Within(broken, name, value, 1, 200);
  // The setup skills start at 1..100 and only ever go down (a new position
  // costs two points each, never below 1).
  for (const auto& [name, value] :
       {std::pair{"SetupKicking", c.SetupKicking},
        std::pair{"SetupHandballing", c.SetupHandballing},
        std::pair{"SetupTackling", c.SetupTackling}, std::pair{"SetupMarking", c.SetupMarking},
        std::pair{"SetupRunning", c.SetupRunning}}) {
    Within(broken, name, value, 1, 100);
  }
  // A player starts at 14 (the Old Timer Bloke at 40) and grows older a year
  // a season; no one plays past kOldestAge. He is measured at setup (160..205
  // cm, 60..110 kg) and grows up to ten more of each while he is 14 to 17.
  Within(broken, "Age", c.Age, kStartingAge, kOldestAge);
  Within(broken, "Height", c.Height, kShortest, kTallest + kMostGrowth);
  Within(broken, "Weight", c.Weight, kLightest, kHeaviest + kMostGrowth);
  if (!IsState(c.State)) broken.push_back("State is \"" + c.State + "\", no home state");
  if (!IsPosition(c.Position)) broken.push_back("Position is \"" + c.Position + "\", no position");
  Within(broken, "Matches", c.Matches, 0, 26);
  const std::pair<const char*, int> counts[] = {{"MatchesPlayed", c.MatchesPlayed},
                                                {"Disposals", c.Disposals},
                                                {"Goals", c.Goals},
                                                {"Behinds", c.Behinds},
                                                {"BOGs", c.BOGs},
                                                {"Brownlow", c.Brownlow},
                                                {"TeamMatches", c.TeamMatches},
                                                {"TeamWins", c.TeamWins},
                                                {"TeamLosses", c.TeamLosses},
                                                {"TeamDraws", c.TeamDraws},
                                                {"TeamGoals", c.TeamGoals},
                                                {"TeamBehinds", c.TeamBehinds}};
  for (const auto& [name, value] : counts) Within(broken, name, value, 0, 1 << 30);
  for (std::size_t l = 0; l < c.Levels.size(); ++l) {
    const LevelRecord& level = c.Levels[l];
    for (const int value : {level.Matches, level.Disposals, level.Goals, level.Behinds,
                            level.MostDisposals, level.MostGoals, level.BOGs}) {
      if (value < 0) {
        broken.push_back(std::string(kLevelPrefixes[l]) + " career figures hold " +
                         std::to_string(value));
      }
    }
  }
  if (std::find(kCompetitionNames.begin(), kCompetitionNames.end(), c.League) ==
      kCompetitionNames.end()) {
    broken.push_back("League is \"" + c.League + "\", no competition");
  }
  if (c.ContractMatches > c.ContractLength * 26) {
    broken.push_back("ContractMatches " + std::to_string(c.ContractMatches) + " exceeds a " +
                     std::to_string(c.ContractLength) + "-season contract");
  }
  // In the home-and-away season every club has played as often as every
  // other (a name that stands twice in the ladder is counted twice).
  if (c.Matches <= 22) {
    std::map<std::string, int> names;
    for (const LadderRow& row : c.Ladder) ++names[row.Team];
    int played = -1;
    for (const LadderRow& row : c.Ladder) {
      if (names[row.Team] != 1) continue;
      const int p = row.Wins + row.Losses + row.Draws;
      if (played >= 0 && p != played) {
        broken.push_back("the ladder's clubs have played " + std::to_string(played) + " and " +
                         std::to_string(p) + " matches");
        break;
      }
      played = p;
    }
  }
  // The save file holds the career exactly: saved, read and saved again it
  // is the same to the byte.
  const std::string text = SaveFileText(c);
  const auto back = ParseSaveFile(text, "the save");
  if (const auto* error = std::get_if<FileError>(&back)) {
    broken.push_back("the career's own save cannot be read back: " + error->message);
  } else {
    const Career& read = std::get<Career>(back);
    std::string shownRead;
    std::string shownHeld;
    for (const CareerField& field : CareerFields()) {
      if (!field.saved) continue;
      shownRead.clear();
      shownHeld.clear();
      field.append(read, shownRead);
      field.append(c, shownHeld);
      if (shownRead != shownHeld) {
        broken.push_back("the career's " + field.name + " does not read back from its save");
        break;
      }
    }
    // Every saved field shows the same, so the career read back saves to
    // the same bytes: its save is made of nothing else.
  }
  return broken;
}

std::optional<std::string> CheckOverallBar(const Career& c, OverallBar bar) {
  struct Worked {
    const char* name;
    int held;
    int members;
  };
  const Worked worked =
      bar == OverallBar::Skills
          ? Worked{"Overall", c.Overall,
                   OverallOf(c.Kicking, c.Handballing, c.Tackling, c.Marking, c.Running)}
      : bar == OverallBar::Health
          ? Worked{"HealthOverall", c.HealthOverall, BarMean(c.Fitness, c.Health, c.Stamina)}
          : Worked{"GearOverall", c.GearOverall, BarMean(c.Boots, c.Jumper, c.Shorts, c.Other)};
  if (worked.held == worked.members) return std::nullopt;
  return std::string(worked.name) + " is " + std::to_string(worked.held) +
         " where its members make it " + std::to_string(worked.members);
}

}  // namespace km
