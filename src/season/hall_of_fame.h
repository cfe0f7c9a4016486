// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace km {

// One career of the data folder on the hall of fame: its totals from the
// save and the log. A career whose save or log cannot be read keeps its
// row, with the sentence saying why in place of the totals.
struct HallOfFameRow {
  std::filesystem::path saveFile;
  std::string careerName;  // the save's file name without ".kms"
  std::string player;
  int seasons = 0;  // seasons begun (Age - 13)
  int matches = 0;  // matches he took the field in, every competition
  int goals = 0;
  int brownlows = 0;
  // The highest competition he played a match in; while he has played none,
  // the one he is in.
  std::string highestCompetition;
  int peakOverall = 0;  // from the log, or the save's Overall when higher
  bool retired = false;
  bool logStartsLate = false;  // the log does not reach back to his first week
  std::string damaged;         // the sentence of a file that cannot be read
};

// Another career of the folder whose player has this name, and so the same
// history files (named after him): the first such career's name, in the
// order of their names, leaving out `careerName`'s own. Only reads.
std::optional<std::string> OtherCareerOfPlayer(const std::filesystem::path& folder,
                                               const std::string& player,
                                               const std::string& careerName);

// Every career in the folder (each save file), in the order of their names.
// Only reads: no file is changed and no career is locked.
std::vector<HallOfFameRow> ReadHallOfFame(const std::filesystem::path& folder);

}  // namespace km
