// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/career.h"
#include "core/clubs.h"
#include "core/ports.h"
#include "core/run_state.h"
#include "core/save_file.h"

namespace km {

// The 22 home-and-away rounds over slots 1..16: each round eight matches,
// the first-named slot first.
using Pairing = std::array<int, 2>;
using TemplateRound = std::array<Pairing, 8>;
const std::array<TemplateRound, 22>& ScheduleTemplate();

inline constexpr int kFixtureValues = 352;  // 22 rounds of 16 names
inline constexpr int kResultValues = 149;   // one round's record
inline constexpr int kSeasonRounds = 26;    // 22 home-and-away rounds and four of finals

// The files that carry a season beside the save file.
std::filesystem::path FixturePath(const std::filesystem::path& folder, const Career& career);
std::filesystem::path ResultsPath(const std::filesystem::path& folder, const Career& career);

// Reads a file of quoted values, one to a line. The values come back without
// their quotes; a missing file or a line that is not a quoted value gives the
// sentence that says so.
std::variant<std::vector<std::string>, FileError> ReadQuotedValues(
    const std::filesystem::path& file);

// Writes the season's fixture: the template with slot s replaced by
// clubs[s - 1]. The file is rewritten whole.
std::optional<FileError> WriteSeasonFixture(const std::filesystem::path& folder,
                                            const Career& career,
                                            const std::array<std::string, 16>& clubs);

// Adds a finals stage's names (8, 6, 4 or 2) to the fixture at the stage's
// place (after the 352 names of the home-and-away rounds and the stages
// before it): a stage written there before, by a round whose save never
// followed, is replaced.
std::optional<FileError> AppendFinalsStage(const std::filesystem::path& folder,
                                           const Career& career,
                                           const std::vector<std::string>& names);

// The names of a round's matches, first-named club first: 16 names for the
// home-and-away rounds 1..22, then 8, 6, 4 and 2 for rounds 23..26. The
// grand final of a career saved before it, whose fixture is already the
// next season's (the close was cut short), comes from the preliminary
// finals' record.
std::variant<std::vector<std::string>, FileError> ReadRoundPairings(
    const std::filesystem::path& folder, const Career& career, int round);

// Whether a round's names (as ReadRoundPairings gives them) are the ladder's
// clubs: each of them once in a home-and-away round, and in a final none
// that is not one of them, nor any twice. The sentence names the fixture's
// line of the first name that is not.
std::optional<FileError> CheckRoundClubs(const std::filesystem::path& folder, const Career& career,
                                         int round, const std::vector<std::string>& names);

// One round's record of the results file.
struct RoundRecord {
  PlayerLine player;
  std::array<std::string, 8> teamOne;
  std::array<std::string, 8> teamTwo;
  std::array<RoundSlot, 8> slots;
};

// The 149 values of a round record in their file order.
std::vector<std::string> RoundRecordValues(const RoundRecord& record);

// Adds a round's record to the end of the results file (creating it if need
// be).
std::optional<FileError> AppendRoundResult(const std::filesystem::path& folder,
                                           const Career& career, const RoundRecord& record);

// Writes the record of the round just finished, round career.Matches: the
// records of the rounds before it are kept, and anything beyond them (left
// by a round whose save never followed) gives way.
std::optional<FileError> StoreRoundResult(const std::filesystem::path& folder, const Career& career,
                                          const RoundRecord& record);

// Rewrites a file whole through the atomic writer as its first `keep`
// lines followed by `lines`. A file with fewer lines keeps them all; a
// missing one is made.
std::optional<FileError> KeepAndAdd(const std::filesystem::path& file, std::size_t keep,
                                    std::string_view lines);
// The same in place, for a file that grows by a record at a time: cut after
// the lines kept, the new lines written and flushed. A crash part way leaves
// the lines kept whole and part of the new ones after them, a torn tail that
// its readers must drop. A missing file is made whole as KeepAndAdd makes it.
std::optional<FileError> KeepAndAddInPlace(const std::filesystem::path& file, std::size_t keep,
                                           std::string_view lines);

// Round r's record (1-based) from the results file.
std::variant<RoundRecord, FileError> ReadRoundResult(const std::filesystem::path& folder,
                                                     const Career& career, int round);

// Checks the season's files beside a loaded save, which is what counts, and
// writes nothing: a load must work from a folder it cannot write to. The
// results file must hold a record for each round the save has played;
// records beyond those (left by a round whose save never followed) are left
// for the next round's record to replace. A season that is over needs none.
// Returns the sentence that names the file and what is wrong with it.
std::optional<FileError> CheckSeasonFiles(const std::filesystem::path& folder,
                                          const Career& career);

// The sixteen clubs of the season's fixture in their slot order (the order
// the season's clubs were in when the fixture was made).
std::variant<std::array<std::string, 16>, FileError> ReadFixtureClubs(
    const std::filesystem::path& folder, const Career& career);

// A season in a new competition: its clubs make the fixture, and the ladder
// table takes them rotated by a draw c of 1..16 (row k gets slot
// ((k - 1 + c) mod 16) + 1).
std::optional<FileError> StartCompetitionSeason(const std::filesystem::path& folder, Career& career,
                                                Random& random, const ClubList& clubs);

// Another season in the same competition: the fixture is made from the
// ladder rows as they stand, then the rows are shuffled by one of four fixed
// orders.
std::optional<FileError> StayInCompetitionSeason(const std::filesystem::path& folder,
                                                 Career& career, Random& random);

}  // namespace km
