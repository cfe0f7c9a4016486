// SPDX-License-Identifier: GPL-3.0-or-later
// The fixture and results readers on any file at all. The first byte picks
// the round asked for (0 and 27 are no rounds); the rest is the file, written
// both as the career's fixture and as its results.

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/career.h"
#include "core/text_file.h"
#include "fuzz_support.h"
#include "season/fixture.h"

namespace {

namespace fs = std::filesystem;
using km::fuzz::Require;

void Write(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  Require(static_cast<bool>(out.flush()), "the scratch file cannot be written");
}

bool NamesFile(const km::FileError& error, const fs::path& file) {
  return error.message.find(file.filename().string()) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const fs::path& folder = km::fuzz::ScratchFolder::Path();
  const int round = data[0] % 28;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  km::Career career;
  career.CareerName = "Fuzz Career";
  const fs::path fixture = km::FixturePath(folder, career);
  const fs::path results = km::ResultsPath(folder, career);
  Write(fixture, bytes);
  Write(results, bytes);

  // Every value the reader takes is written back as a quoted line of its
  // own and read again unchanged.
  const auto values = km::ReadQuotedValues(fixture);
  if (const auto* error = std::get_if<km::FileError>(&values)) {
    Require(NamesFile(*error, fixture), "a refused file is not named: " + error->message);
  } else {
    std::string text;
    for (const std::string& value : std::get<std::vector<std::string>>(values)) {
      text += '"' + km::ToWindows1252(value) + "\"\r\n";
    }
    Write(folder / "copy.kmf", text);
    const auto again = km::ReadQuotedValues(folder / "copy.kmf");
    Require(
        std::holds_alternative<std::vector<std::string>>(again) &&
            std::get<std::vector<std::string>>(again) == std::get<std::vector<std::string>>(values),
        "quoted values written back do not read the same");
  }

  const auto pairings = km::ReadRoundPairings(folder, career, round);
  if (const auto* names = std::get_if<std::vector<std::string>>(&pairings)) {
    Require(round >= 1 && round <= 26, "pairings given for no round");
    // Sixteen names a home-and-away round, then 8, 6, 4 and 2 for the finals.
    const int expected = round <= km::kHomeAndAwayRounds ? 16 : 2 * (27 - round);
    Require(names->size() == static_cast<std::size_t>(expected), "a round of the wrong size");
  }

  const auto record = km::ReadRoundResult(folder, career, round);
  if (std::holds_alternative<km::RoundRecord>(record)) {
    Require(round >= 1, "a record given for no round");
    Require(km::RoundRecordValues(std::get<km::RoundRecord>(record)).size() ==
                static_cast<std::size_t>(km::kResultValues),
            "a round record of the wrong size");
  } else {
    const auto& error = std::get<km::FileError>(record);
    Require(NamesFile(error, results), "a refused results file is not named: " + error.message);
  }
  return 0;
}
