// The career save file's reader on any bytes at all. A file it takes must
// save and read back as the same career: the text written from what was read
// is read again and written again to the same bytes. What a load takes
// (ReadCareer) keeps every rule of a career between weeks.

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using km::fuzz::Require;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto parsed = km::ParseSaveFile(bytes, kFileName);
  if (const auto* error = std::get_if<km::FileError>(&parsed)) {
    // A refusal names the file and the line that was wrong.
    Require(error->message.starts_with(std::string(kFileName) + ", line "),
            "a refusal that does not name the file and line: " + error->message);
    return 0;
  }
  const std::string text = km::SaveFileText(std::get<km::Career>(parsed));
  const auto again = km::ParseSaveFile(text, kFileName);
  if (const auto* error = std::get_if<km::FileError>(&again)) {
    km::fuzz::Broken("a career read from a file cannot read its own save: " + error->message);
  }
  const km::Career& back = std::get<km::Career>(again);
  Require(km::SaveFileText(back) == text, "a career read back from its save saves differently");

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
