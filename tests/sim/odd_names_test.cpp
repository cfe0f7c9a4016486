// kickmark-sim over a data folder, a career file name and a player name with
// spaces, apostrophes and Windows-1252 letters: new, three weeks of play and
// show, each file under its own name.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "sim_fixture.h"

namespace km::sim::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::UnorderedElementsAre;

using SimOddNames = SimTest;

TEST_F(SimOddNames, NewPlayAndShowInAFolderWithSpacesApostrophesAndAccents) {
  const fs::path folder = dir() / "Footy's F\xc3\xb6lder 1";
  fs::create_directories(folder);
  const std::string career = "Zo\xc3\xab's Career 1";
  const std::string name =
      "S\xc3\xa9"
      "an O'Dwyer-M\xc3\xbcller";

  auto args = With(With(NewArgs(career), "--name", name), "--city", "Coff's Harbour");
  args.insert(args.begin(), {"--seed", "4"});
  const SimRun made = Run(args, folder);
  ASSERT_EQ(made.code, kExitOk) << made.err;
  EXPECT_EQ(made.out, (folder / (career + ".kms")).string() + "\n");

  const SimRun played = Run({"--seed", "5", "play", "--career", career, "--weeks", "3"}, folder);
  ASSERT_EQ(played.code, kExitOk) << played.err;
  EXPECT_EQ(Lines(played.out).size(), 3u) << played.out;

  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    files.push_back(entry.path().filename().string());
  }
  EXPECT_THAT(files, UnorderedElementsAre(career + ".kms", career + "Fixture.kmf",
                                          career + "Results.kmr", career + ".lock"));

  const SimRun shown = Run({"show", "--career", career}, folder);
  ASSERT_EQ(shown.code, kExitOk) << shown.err;
  const auto record = nlohmann::ordered_json::parse(shown.out);
  EXPECT_EQ(record.at("Name"), name);
  EXPECT_EQ(record.at("CareerName"), career);
  EXPECT_EQ(record.at("Matches"), 3);
  // The save holds the names in Windows-1252, one byte a letter.
  const std::string save = ReadFile(folder / (career + ".kms"));
  EXPECT_TRUE(
      save.starts_with("\"S\xe9"
                       "an O'Dwyer-M\xfcller\"\r\n"));
}

}  // namespace
}  // namespace km::sim::testing
