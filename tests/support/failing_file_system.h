// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The real files, but the Nth call (counted from 1) fails with a chosen
// errno, once or from then on; every call is counted and named.

#include <cerrno>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/file_system.h"

namespace km::testing {

class FailingFileSystem final : public FileSystem {
 public:
  enum class Mode { Once, FromThenOn };

  // Fails nothing until told to; counts all the same.
  FailingFileSystem() = default;
  FailingFileSystem(int failAt, Mode mode, int error = EIO)
      : failAt_(failAt), mode_(mode), error_(error) {}

  // The calls made so far, by name ("write", "fsync", "rename", ...).
  [[nodiscard]] const std::vector<std::string>& calls() const { return calls_; }
  [[nodiscard]] int count() const { return static_cast<int>(calls_.size()); }

  int MakeTempFile(std::string& pattern, int& fd) override {
    return Pass<&RealFileSystem::MakeTempFile>("mkstemp", pattern, fd);
  }
  int Write(int fd, std::string_view bytes) override {
    return Pass<&RealFileSystem::Write>("write", fd, bytes);
  }
  int ChangeMode(int fd, unsigned mode) override {
    return Pass<&RealFileSystem::ChangeMode>("fchmod", fd, mode);
  }
  int Sync(int fd) override { return Pass<&RealFileSystem::Sync>("fsync", fd); }
  int Close(int fd) override {
    // A failed close has still let the descriptor go.
    const int e = Next("close");
    const int closed = real_.Close(fd);
    return e != 0 ? e : closed;
  }
  int Rename(const std::string& from, const std::string& to) override {
    return Pass<&RealFileSystem::Rename>("rename", from, to);
  }
  int OpenFolder(const std::string& folder, int& fd) override {
    fd = -1;
    return Pass<&RealFileSystem::OpenFolder>("open folder", folder, fd);
  }
  int SyncFolder(int fd) override { return Pass<&RealFileSystem::SyncFolder>("fsync folder", fd); }
  int Unlink(const std::string& file) override {
    return Pass<&RealFileSystem::Unlink>("unlink", file);
  }
  int ReadWholeFile(const std::string& file, std::uint64_t limit, std::string& bytes) override {
    return Pass<&RealFileSystem::ReadWholeFile>("read", file, limit, bytes);
  }
  int CheckReplaceable(const std::string& file) override {
    return Pass<&RealFileSystem::CheckReplaceable>("lstat", file);
  }
  int Remove(const std::string& file) override {
    return Pass<&RealFileSystem::Remove>("remove", file);
  }
  int OpenForUpdate(const std::string& file, int& fd) override {
    fd = -1;
    return Pass<&RealFileSystem::OpenForUpdate>("open for update", file, fd);
  }
  int OpenForReading(const std::string& file, int& fd) override {
    fd = -1;
    return Pass<&RealFileSystem::OpenForReading>("open for reading", file, fd);
  }
  int FileSize(int fd, std::uint64_t& size) override {
    return Pass<&RealFileSystem::FileSize>("fstat", fd, size);
  }
  int ReadAt(int fd, std::uint64_t offset, std::size_t count, std::string& bytes) override {
    return Pass<&RealFileSystem::ReadAt>("pread", fd, offset, count, bytes);
  }
  int Truncate(int fd, std::uint64_t size) override {
    return Pass<&RealFileSystem::Truncate>("ftruncate", fd, size);
  }
  int WriteAt(int fd, std::uint64_t offset, std::string_view bytes) override {
    return Pass<&RealFileSystem::WriteAt>("pwrite", fd, offset, bytes);
  }

 private:
  // The real call, unless it is the one to fail.
  template <auto Call, typename... Args>
  int Pass(const char* name, Args&&... args) {
    if (const int e = Next(name)) return e;
    return (real_.*Call)(std::forward<Args>(args)...);
  }
  int Next(const char* name) {
    calls_.emplace_back(name);
    const int n = count();
    const bool fails = failAt_ > 0 && (n == failAt_ || (mode_ == Mode::FromThenOn && n > failAt_));
    return fails ? error_ : 0;
  }

  RealFileSystem real_;
  int failAt_ = 0;
  Mode mode_ = Mode::Once;
  int error_ = EIO;
  std::vector<std::string> calls_;
};

}  // namespace km::testing
