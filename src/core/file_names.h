// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The names of a career's files, and how long the names typed at setup may
// be for all of them to fit the file system.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "core/text_file.h"

namespace km {

// Every file of a career is named after the career file name or the
// player's name, with one of these endings.
inline constexpr std::string_view kSaveEnding = ".kms";
inline constexpr std::string_view kFixtureEnding = "Fixture.kmf";
inline constexpr std::string_view kResultsEnding = "Results.kmr";
// The career log, which keeps every week of the career.
inline constexpr std::string_view kLogEnding = "Log.kml";
// The lock file a game holds while the career is open.
inline constexpr std::string_view kLockEnding = ".lock";
inline constexpr std::string_view kSeasonHistoryEnding = " Season History.txt";
inline constexpr std::string_view kCareerHistoryEnding = " Career History.txt";

// The most bytes a career's file may hold for the game to read it. Each is
// far beyond what a career ever writes (a save is under 20 KB, a season's
// fixture and results under 100 KB, the log of forty seasons a few MB, the
// season history 2 KB a season), and small enough that a file that is no
// career's, or a device that never ends, is refused before it fills the
// memory.
inline constexpr std::uint64_t kMaxSaveBytes = std::uint64_t{1} << 20;        // 1 MB
inline constexpr std::uint64_t kMaxSeasonFileBytes = std::uint64_t{1} << 20;  // 1 MB
inline constexpr std::uint64_t kMaxLogBytes = std::uint64_t{64} << 20;        // 64 MB
inline constexpr std::uint64_t kMaxHistoryBytes = std::uint64_t{16} << 20;    // 16 MB

// The longest file name the file systems the game runs on take, in bytes
// (NAME_MAX of ext4, Btrfs, XFS, tmpfs and the rest).
inline constexpr std::size_t kLongestFileName = 255;

// How many bytes a name may have so that it, with the longest of the
// endings, and the atomic writer's temporary file of that, fits.
constexpr std::size_t LongestNameBefore(std::initializer_list<std::string_view> endings) {
  std::size_t longest = 0;
  for (const std::string_view ending : endings) longest = std::max(longest, ending.size());
  return kLongestFileName - kTemporaryFilePrefix.size() - longest - kTemporaryFileSuffix.size();
}

// The file names are the names' UTF-8 bytes, so these count bytes of UTF-8:
// an accented letter takes two, the euro sign three.
inline constexpr std::size_t kLongestCareerName =
    LongestNameBefore({kSaveEnding, kFixtureEnding, kResultsEnding, kLogEnding, kLockEnding});
inline constexpr std::size_t kLongestPlayerName =
    LongestNameBefore({kSeasonHistoryEnding, kCareerHistoryEnding});

}  // namespace km
