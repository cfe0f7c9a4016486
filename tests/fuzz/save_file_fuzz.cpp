// SPDX-License-Identifier: GPL-3.0-or-later
// The career save file's reader on any bytes at all, in Windows-1252, UTF-8
// or UTF-16. A file it takes must save and read back as the same career: the
// text written (in Windows-1252) from what was read is read again and written
// again to the same bytes, so a career read from UTF-8 does not read back
// from its own save as other letters. What a load takes (ReadCareer) keeps
// every rule of a career between weeks.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "core/invariants.h"
#include "core/save_file.h"
#include "fuzz_support.h"

namespace {

constexpr const char* kFileName = "Fuzz Career.kms";
constexpr const char* kUtf16Refusal =
    " is saved as UTF-16 text, which the game cannot read: save it again as Windows-1252 (ANSI) "
    "or UTF-8";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using km::fuzz::Require;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto parsed = km::ParseSaveFile(bytes, kFileName);
  if (const auto* error = std::get_if<km::FileError>(&parsed)) {
    // A refusal names the file and the line that was wrong, or the file and
    // the encoding it cannot read.
    Require(error->message.starts_with(std::string(kFileName) + ", line ") ||
                error->message == std::string(kFileName) + kUtf16Refusal,
            "a refusal that does not name the file and line: " + error->message);
    return 0;
  }
  const std::string text = km::SaveFileText(std::get<km::Career>(parsed));
  const auto again = km::ParseSaveFile(text, kFileName);
  if (const auto* error = std::get_if<km::FileError>(&again)) {
    km::fuzz::Broken("a career read from a file cannot read its own save: " + error->message);
  }
  Require(km::SaveFileText(std::get<km::Career>(again)) == text,
          "a career read back from its save saves differently");

  // What a load takes is a career the game can go on with.
  const auto loaded = km::ReadCareer(bytes, kFileName);
  if (const auto* error = std::get_if<km::FileError>(&loaded)) {
    Require(error->message.starts_with(kFileName),
            "a refused load does not name the file: " + error->message);
  } else {
    Require(km::CheckInvariants(std::get<km::Career>(loaded)).empty(),
            "a load took a career that breaks a rule of the game");
  }
  return 0;
}
