// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Runs kickmark-sim in-process over a fresh data folder of its own.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "sim/sim.h"
#include "support/temp_folder.h"

namespace km::sim::testing {

struct SimRun {
  int code = -1;
  std::string out, err;
};

// A complete set of setup answers, to be changed one answer at a time.
// A career's own player, Jack Riley for the first ones: two careers of one
// folder may not have players of the same name.
inline std::vector<std::string> NewArgs(const std::string& career = "Test1") {
  const std::string player =
      career == "Test1" || career == "Alpha" ? "Jack Riley" : career + " Riley";
  return {"new",      "--career",   career,     "--name",   player,          "--city",
          "Ballarat", "--state",    "Victoria", "--height", "190",           "--weight",
          "84",       "--position", "Rover",    "--skills", "60,55,40,70,50"};
}
// Replaces the value of one option in a list of arguments.
inline std::vector<std::string> With(std::vector<std::string> args, const std::string& option,
                                     const std::string& value) {
  const auto at = std::find(args.begin(), args.end(), option);
  EXPECT_LT(at + 1, args.end()) << "no option " << option;
  if (at + 1 < args.end()) *(at + 1) = value;
  return args;
}

inline std::string ReadFile(const std::filesystem::path& f) { return km::testing::ReadBytes(f); }

inline std::vector<std::string> Lines(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

class SimTest : public ::testing::Test {
 protected:
  [[nodiscard]] const std::filesystem::path& dir() const { return folder_.path; }
  [[nodiscard]] std::filesystem::path transcriptPath() const { return dir() / "transcript.txt"; }

  // kickmark-sim in-process with a transcript, over `folder` (this test's own by default).
  SimRun Run(std::vector<std::string> args, const std::filesystem::path& folder = {}) const {
    args.insert(args.begin(), {"--data-dir", (folder.empty() ? dir() : folder).string(),
                               "--transcript", transcriptPath().string()});
    std::ostringstream out, err;
    const int code = RunSim(std::move(args), out, err);
    return {code, out.str(), err.str()};
  }
  [[nodiscard]] std::vector<std::string> TranscriptLines() const {
    return Lines(ReadFile(transcriptPath()));
  }
  // The files of a folder (this test's own by default) and their bytes, but the transcript.
  [[nodiscard]] std::map<std::string, std::string> Files(std::filesystem::path folder = {}) const {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder.empty() ? dir() : folder)) {
      if (entry.path() != transcriptPath())
        files[entry.path().filename().string()] = ReadFile(entry.path());
    }
    return files;
  }

 private:
  km::testing::TempFolder folder_;
};

}  // namespace km::sim::testing
