#pragma once

// A fresh, empty folder for one test's files, removed when the test ends.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace km::testing {

struct TempFolder {
  std::filesystem::path path;
  TempFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path = std::filesystem::temp_directory_path() /
           ("kickmark-" + std::string(test->test_suite_name()) + "-" + test->name());
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~TempFolder() { std::filesystem::remove_all(path); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
};

}  // namespace km::testing
