#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace km {

// The game's files are in Windows-1252; its strings are UTF-8.

// Whether every character of a UTF-8 text can be written in Windows-1252.
bool FitsWindows1252(std::string_view utf8);
// UTF-8 to Windows-1252. Characters that do not fit become '?'.
std::string ToWindows1252(std::string_view utf8);
// Windows-1252 to UTF-8.
std::string FromWindows1252(std::string_view bytes);
// The same, added to the end of `out`.
void AppendFromWindows1252(std::string& out, std::string_view bytes);

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
// and the reason.
struct ReadResult {
  std::optional<std::string> bytes;
  std::string error;
  bool missing = false;  // the file is not there
};
ReadResult ReadWholeFile(const std::filesystem::path& file);

}  // namespace km
