// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>

#include "core/career.h"

namespace km {

inline constexpr int kSaveLines = 491;
// No value the game writes comes near this; a longer line is not a career's.
inline constexpr std::size_t kMaxSaveLineLength = 1000;
inline constexpr const char* kSaveExtension = ".kms";
inline constexpr const char* kSaveFilter = "Kickmark Save files (*.kms)|*.kms";

// Why a file could not be read or written: a sentence for the player that
// says which file, which line and what was expected.
struct FileError {
  std::string message;
};

// The 491 lines of a career's save file, CRLF-ended, in Windows-1252.
std::string SaveFileText(const Career& career);

// The career read back from the text of a save file. The game writes it in
// Windows-1252; a file a text editor saved again as UTF-8 reads as UTF-8:
// one that starts with the UTF-8 byte order mark, or is UTF-8 and has a byte
// of 0x80 or more (DetectEncoding). A UTF-16 file is refused with a sentence
// that names the encoding. Lines may end in CRLF or LF. Nothing is returned
// but the error when any of the first 491 lines does not fit its field: a
// line longer than kMaxSaveLineLength, a text with a character Windows-1252
// cannot hold, or a Name or CareerName with a character that cannot name a
// file or too long for the files named after it (core/file_names.h), does
// not fit. Refused too, at the first text with a byte of 0x80 or more, is a
// career whose own save would read back as other letters: one whose every
// such text is UTF-8 in Windows-1252 too ("Ã©" is written C3 A9, read "é").
// Lines after 491 are ignored. `fileName` names the file in the error: the
// file and the line, or for UTF-16 the file alone.
std::variant<Career, FileError> ParseSaveFile(std::string_view bytes, const std::string& fileName);

// A career the game can play on, read from the text of a save file: what
// ParseSaveFile reads, refused with the line besides when its League is no
// competition or, before the finals, its ladder's clubs have not all played
// as often as each other, and refused naming the rule when it breaks any
// other rule that holds between weeks (CheckInvariants).
std::variant<Career, FileError> ReadCareer(std::string_view bytes, const std::string& fileName);

// The save file's path: CareerName + ".kms" in the data folder.
std::filesystem::path SaveFilePath(const std::filesystem::path& folder, const Career& career);

// Writes the career to its save file, atomically: the old save stays whole
// until the new one is safely on disk. Returns the error when it could not.
std::optional<FileError> SaveCareer(const std::filesystem::path& folder, const Career& career);

// Reads a save file with ReadCareer. The running career is not touched by
// this: the caller replaces it with the result only on success.
std::variant<Career, FileError> LoadCareer(const std::filesystem::path& file);

}  // namespace km
