// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "core/new_career.h"
#include "core/save_file.h"
#include "season/career_log.h"
#include "season/hall_of_fame.h"
#include "support/temp_folder.h"

namespace km {
namespace {

namespace fs = std::filesystem;

Career ACareer(const std::string& careerName, const std::string& name) {
  SetupAnswers answers;
  answers.careerName = careerName;
  answers.name = name;
  answers.city = "Ballarat";
  answers.state = "Victoria";
  answers.position = "Rover";
  return CreateCareer(answers);
}

LogWeek Week(int season, int week, int overall) {
  LogWeek w;
  w.season = season;
  w.week = week;
  w.overall = overall;
  return w;
}

std::map<std::string, std::string> FilesOf(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    files[entry.path().filename().string()] = testing::ReadBytes(entry.path());
  }
  return files;
}

// Good careers beside a damaged save and a damaged log: every career keeps
// its row, in the order of the names, and reading changes no file.
TEST(HallOfFame, EveryCareerHasItsRowAndNothingIsWritten) {
  const testing::TempFolder folder;
  // Drafted to the AFL without a match there yet; a week beyond his save
  // (torn off by a crash) is not his peak.
  Career drafted = ACareer("Alpha", "Jack Riley");
  drafted.Age = 16;
  drafted.Matches = 10;
  drafted.League = "AFL";
  drafted.Overall = 60;
  drafted.AFLBrownlow = 2;
  drafted.Level(Competition::LocalReserves) = {.Matches = 20, .Goals = 10};
  drafted.Level(Competition::State) = {.Matches = 5, .Goals = 2};
  ASSERT_FALSE(SaveCareer(folder.path, drafted));
  std::ofstream(LogPath(folder.path, drafted), std::ios::binary)
      << CareerLogText({{Week(1, 1, 50), Week(2, 5, 75), Week(3, 10, 70), Week(3, 11, 99)}});
  // Retired, and begun before the game kept a log.
  Career retired = ACareer("Bravo", "Sean O'Dwyer");
  retired.Age = 20;
  retired.Overall = 81;
  retired.PlayOpen = retired.ContractOpen = retired.SponsorshipOpen = false;
  ASSERT_FALSE(SaveCareer(folder.path, retired));
  std::ofstream(folder.path / "Charlie.kms", std::ios::binary) << "\"Jack\"\r\n";
  const Career badLog = ACareer("Delta", "Tom Hill");
  ASSERT_FALSE(SaveCareer(folder.path, badLog));
  std::ofstream(LogPath(folder.path, badLog), std::ios::binary) << "Kickmark career log 1\nW\t1\n";
  std::ofstream(folder.path / "notes.txt") << "not a save";

  const auto before = FilesOf(folder.path);
  const auto rows = ReadHallOfFame(folder.path);
  EXPECT_EQ(FilesOf(folder.path), before);

  std::vector<std::string> shown;
  for (const HallOfFameRow& r : rows) {
    shown.push_back(r.damaged.empty()
                        ? r.careerName + "|" + r.player + "|" + std::to_string(r.seasons) + " " +
                              std::to_string(r.matches) + " " + std::to_string(r.goals) + " " +
                              std::to_string(r.brownlows) + "|" + r.highestCompetition + "|" +
                              std::to_string(r.peakOverall) + (r.retired ? "|retired" : "") +
                              (r.logStartsLate ? "|late" : "")
                        : r.careerName + ": " + r.damaged);
  }
  const auto log = ReadCareerLog(LogPath(folder.path, badLog), SavedPlace(badLog));
  EXPECT_EQ(shown,
            (std::vector<std::string>{
                "Alpha|Jack Riley|3 25 12 2|State|75",
                "Bravo|Sean O'Dwyer|7 0 0 0|Local Reserves|81|retired|late",
                "Charlie: " + std::get<FileError>(LoadCareer(folder.path / "Charlie.kms")).message,
                "Delta: " + std::get<FileError>(log).message}));
  EXPECT_EQ(rows.front().saveFile, folder.path / "Alpha.kms");
}

}  // namespace
}  // namespace km
