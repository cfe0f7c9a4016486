// SPDX-License-Identifier: GPL-3.0-or-later
#include "season/hall_of_fame.h"

#include <algorithm>
#include <system_error>

#include "core/file_names.h"
#include "core/game_data.h"
#include "core/save_file.h"
#include "core/text_file.h"
#include "season/career_log.h"
#include "season/season_end.h"

namespace km {

namespace {

HallOfFameRow RowOf(const std::filesystem::path& folder, const std::filesystem::path& save) {
  HallOfFameRow row;
  row.saveFile = save;
  row.careerName = save.stem().string();
  const auto loaded = LoadCareer(save);
  if (const auto* error = std::get_if<FileError>(&loaded)) {
    row.damaged = error->message;
    return row;
  }
  const Career& c = std::get<Career>(loaded);
  row.player = c.Name;
  row.seasons = SavedPlace(c).season;
  row.brownlows = c.AFLBrownlow;
  row.retired = IsRetired(c);
  row.peakOverall = c.Overall;
  row.highestCompetition = c.League;
  for (std::size_t level = 0; level < c.Levels.size(); ++level) {
    const LevelRecord& record = c.Levels[level];
    row.matches += record.Matches;
    row.goals += record.Goals;
    if (record.Matches > 0) row.highestCompetition = std::string(kCompetitionNames[level]);
  }
  const auto log = ReadCareerLog(LogPath(folder, c), SavedPlace(c), LogDetail::WeeksOnly);
  if (const auto* error = std::get_if<FileError>(&log)) {
    row.damaged = error->message;
    return row;
  }
  const CareerLog& weeks = std::get<CareerLog>(log);
  for (const LogWeek& w : weeks.weeks) row.peakOverall = std::max(row.peakOverall, w.overall);
  row.logStartsLate = weeks.weeks.empty() ? c.Matches > 0 || c.Age > 14 : weeks.StartsLate();
  return row;
}

// The save files of the folder in the order of their names: every entry
// named so but a folder, so that a link or a pipe in a save's place is
// listed, with the sentence its read gives.
std::vector<std::filesystem::path> SaveFiles(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> saves;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const auto& path = it->path();
    std::error_code typeError;
    if (path.extension() == kSaveExtension && !it->is_directory(typeError)) {
      saves.push_back(path);
    }
  }
  std::sort(saves.begin(), saves.end());
  return saves;
}

}  // namespace

std::optional<std::string> OtherCareerOfPlayer(const std::filesystem::path& folder,
                                               const std::string& player,
                                               const std::string& careerName) {
  for (const auto& save : SaveFiles(folder)) {
    if (save.stem().string() == careerName) continue;
    const ReadResult read = ReadWholeFile(save, kMaxSaveBytes);
    if (!read.bytes) continue;
    const auto parsed = ParseSaveFile(*read.bytes, save.filename().string());
    if (const auto* c = std::get_if<Career>(&parsed); c && c->Name == player) {
      return c->CareerName;
    }
  }
  return std::nullopt;
}

std::vector<HallOfFameRow> ReadHallOfFame(const std::filesystem::path& folder) {
  const auto saves = SaveFiles(folder);
  std::vector<HallOfFameRow> rows;
  rows.reserve(saves.size());
  for (const auto& save : saves) rows.push_back(RowOf(folder, save));
  return rows;
}

}  // namespace km
