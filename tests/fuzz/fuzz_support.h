// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the fuzz targets share: a way to stop on a broken property with a
// sentence that says which, and a scratch folder of the process's own.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace km::fuzz {

// Stops the run so that libFuzzer keeps the input that broke the property.
[[noreturn]] inline void Broken(std::string_view what) {
  std::fprintf(stderr, "property broken: %.*s\n", static_cast<int>(what.size()), what.data());
  std::abort();
}

inline void Require(bool holds, std::string_view what) {
  if (!holds) Broken(what);
}

// A folder for this process alone, in memory where /dev/shm exists, removed
// when the process ends. Made on the first call.
class ScratchFolder {
 public:
  static const std::filesystem::path& Path() {
    static const ScratchFolder folder;
    return folder.path_;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

 private:
  ScratchFolder() {
    // libFuzzer ends a timed run without running static destructors, so the
    // folder goes where whoever runs it can clear it: under TMPDIR when that
    // is set (scripts/fuzz sets it to a folder it removes), else in memory.
    std::error_code ec;
    const char* tmpdir = std::getenv("TMPDIR");
    const bool shm =
        (tmpdir == nullptr || *tmpdir == '\0') && std::filesystem::is_directory("/dev/shm", ec);
    path_ = (shm ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path()) /
            ("kickmark-fuzz-" + std::to_string(::getpid()));
    std::filesystem::remove_all(path_, ec);
    std::filesystem::create_directories(path_, ec);
    if (ec) Broken("the scratch folder cannot be made: " + ec.message());
  }
  std::filesystem::path path_;
};

}  // namespace km::fuzz
