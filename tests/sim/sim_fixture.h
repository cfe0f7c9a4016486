#pragma once

// Runs kickmark-sim in-process over a fresh data folder of its own.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "sim/sim.h"

namespace km::sim::testing {

struct SimRun {
  int code = -1;
  std::string out;
  std::string err;
};

// A complete set of setup answers, to be changed one answer at a time.
inline std::vector<std::string> NewArgs(const std::string& career = "Test1") {
  return {"new",      "--career",   career,     "--name",   "Jack Riley",    "--city",
          "Ballarat", "--state",    "Victoria", "--height", "190",           "--weight",
          "84",       "--position", "Rover",    "--skills", "60,55,40,70,50"};
}
// Replaces the value of one option in a list of arguments.
inline std::vector<std::string> With(std::vector<std::string> args, const std::string& option,
                                     const std::string& value) {
  for (std::size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] == option) {
      args[i + 1] = value;
      return args;
    }
  }
  ADD_FAILURE() << "no option " << option;
  return args;
}

inline std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

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
  void SetUp() override {
    std::random_device seed;
    dir_ = std::filesystem::temp_directory_path() /
           ("kickmark-sim-test-" + std::to_string(seed()) + "-" + std::to_string(seed()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  [[nodiscard]] const std::filesystem::path& dir() const { return dir_; }
  [[nodiscard]] std::filesystem::path transcriptPath() const { return dir_ / "transcript.txt"; }

  // kickmark-sim in-process, with the data folder `folder` (this test's own
  // by default) and a transcript.
  SimRun Run(std::vector<std::string> args, const std::filesystem::path& folder = {}) const {
    args.insert(args.begin(), {"--data-dir", (folder.empty() ? dir_ : folder).string(),
                               "--transcript", transcriptPath().string()});
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunSim(std::move(args), out, err);
    return {code, out.str(), err.str()};
  }

  [[nodiscard]] std::vector<std::string> TranscriptLines() const {
    return Lines(ReadFile(transcriptPath()));
  }

  // The files in the data folder other than the transcript.
  [[nodiscard]] std::vector<std::string> DataFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
      if (entry.path() != transcriptPath()) names.push_back(entry.path().filename().string());
    }
    return names;
  }

 private:
  std::filesystem::path dir_;
};

}  // namespace km::sim::testing
