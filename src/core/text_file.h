#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace km {

// The game's files are in Windows-1252; its strings are UTF-8.

// Whether every character of a UTF-8 text can be written in Windows-1252.
bool FitsWindows1252(std::string_view utf8);
// UTF-8 to Windows-1252. Characters that do not fit become '?'.
std::string ToWindows1252(std::string_view utf8);
// Windows-1252 to UTF-8.
std::string FromWindows1252(std::string_view bytes);

// Writes a whole file so that a crash at any moment leaves either the old
// file or the new one: a temporary file in the same folder, flushed to disk,
// renamed over the old one, then the folder flushed. Returns a sentence
// naming the file and the reason when it could not.
std::optional<std::string> WriteFileAtomically(const std::filesystem::path& file,
                                               std::string_view bytes);

// Reads a whole file, or gives a sentence naming the file and the reason.
struct ReadResult {
  std::optional<std::string> bytes;
  std::string error;
};
ReadResult ReadWholeFile(const std::filesystem::path& file);

}  // namespace km
