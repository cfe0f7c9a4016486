// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace km {

// The game's files are in Windows-1252; its strings are UTF-8.

// Whether a text is UTF-8 as the standard has it: every sequence whole, no
// overlong form, no surrogate, nothing beyond U+10FFFF.
bool IsUtf8(std::string_view bytes);
// Whether every character of a UTF-8 text can be written in Windows-1252.
bool FitsWindows1252(std::string_view utf8);
// The characters of a UTF-8 text that Windows-1252 cannot hold, each once
// (in UTF-8), in the order they first stand; none when it holds them all or
// the text is not UTF-8.
std::vector<std::string> CharactersOutsideWindows1252(std::string_view utf8);
// UTF-8 to Windows-1252. Characters that do not fit become '?'.
std::string ToWindows1252(std::string_view utf8);
// Windows-1252 to UTF-8.
std::string FromWindows1252(std::string_view bytes);
// The same, added to the end of `out`.
void AppendFromWindows1252(std::string& out, std::string_view bytes);

// How the text of a file the game reads is encoded. The game writes
// Windows-1252, but a text editor may save the file again as UTF-8, with
// or without a byte order mark, or as UTF-16.
enum class Encoding { Windows1252, Utf8, Utf16 };
struct DetectedEncoding {
  Encoding encoding = Encoding::Windows1252;
  std::size_t markLength = 0;  // the byte order mark's bytes at the start
};
// UTF-16 when the text starts with its byte order mark (FF FE or FE FF) or
// has a NUL byte every other byte at the start; UTF-8 when it starts with
// the mark EF BB BF, or is UTF-8 and has a byte of 0x80 or more (a
// Windows-1252 text that happens to be UTF-8 too reads as UTF-8);
// Windows-1252 otherwise, plain ASCII included.
DetectedEncoding DetectEncoding(std::string_view bytes);

// The temporary file WriteFileAtomically writes first is named
// kTemporaryFilePrefix + the file's name + kTemporaryFileSuffix, whose six
// X's mkstemp replaces.
inline constexpr std::string_view kTemporaryFilePrefix = ".";
inline constexpr std::string_view kTemporaryFileSuffix = ".XXXXXX";

// Writes a whole file so that a crash at any moment leaves either the old
// file or the new one, and the new one is on the disk before this returns:
// a temporary file in the same folder, flushed to disk, renamed over the old
// one, then the folder flushed. A flush that fails is not tried again on the
// same file (its bytes may be lost without a word): the write starts over
// once from a new temporary file. Returns a sentence naming the file and the
// reason when it could not. Every call goes through Files().
std::optional<std::string> WriteFileAtomically(const std::filesystem::path& file,
                                               std::string_view bytes);

// Deletes what writes of the named files (names within `folder`) left
// behind when the game was stopped part way: their temporary files, and
// nothing else. Best effort: a file that cannot be deleted stays.
void RemoveLeftoverTemporaries(const std::filesystem::path& folder,
                               const std::vector<std::string>& names);

// Reads a whole file (through Files()), or gives a sentence naming the file
// and the reason. A link, a folder, a pipe or a device in the file's place
// is refused with a sentence that says so, and so is a file of more than
// `limit` bytes (the limits of core/file_names.h), unread.
struct ReadResult {
  std::optional<std::string> bytes;
  std::string error;
  bool missing = false;  // the file is not there
};
ReadResult ReadWholeFile(const std::filesystem::path& file, std::uint64_t limit);

// The sentence for a file of the game's that could not be read (`read`) or
// written: its name and the reason, in the player's words for a link, a
// folder, a pipe or a device in its place and for a file too large to read.
std::string FileProblem(std::string_view name, int error, bool read, std::uint64_t limit = 0);

}  // namespace km
