// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The real files, but the Nth call (counted from 1) fails with a chosen
// errno, once or from then on; every call is counted and named.

#include <cerrno>
#include <cstdint>
#include <string>
#include <string_view>
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
    if (const int e = Next("mkstemp")) return e;
    return real_.MakeTempFile(pattern, fd);
  }
  int Write(int fd, std::string_view bytes) override {
    if (const int e = Next("write")) return e;
    return real_.Write(fd, bytes);
  }
  int ChangeMode(int fd, unsigned mode) override {
    if (const int e = Next("fchmod")) return e;
    return real_.ChangeMode(fd, mode);
  }
  int Sync(int fd) override {
    if (const int e = Next("fsync")) return e;
    return real_.Sync(fd);
  }
  int Close(int fd) override {
    // A failed close has still let the descriptor go.
    const int e = Next("close");
    const int closed = real_.Close(fd);
    return e != 0 ? e : closed;
  }
  int Rename(const std::string& from, const std::string& to) override {
    if (const int e = Next("rename")) return e;
    return real_.Rename(from, to);
  }
  int OpenFolder(const std::string& folder, int& fd) override {
    fd = -1;
    if (const int e = Next("open folder")) return e;
    return real_.OpenFolder(folder, fd);
  }
  int SyncFolder(int fd) override {
    if (const int e = Next("fsync folder")) return e;
    return real_.SyncFolder(fd);
  }
  int Unlink(const std::string& file) override {
    if (const int e = Next("unlink")) return e;
    return real_.Unlink(file);
  }
  int ReadWholeFile(const std::string& file, std::uint64_t limit, std::string& bytes) override {
    if (const int e = Next("read")) return e;
    return real_.ReadWholeFile(file, limit, bytes);
  }
  int CheckReplaceable(const std::string& file) override {
    if (const int e = Next("lstat")) return e;
    return real_.CheckReplaceable(file);
  }
  int Remove(const std::string& file) override {
    if (const int e = Next("remove")) return e;
    return real_.Remove(file);
  }
  int OpenForUpdate(const std::string& file, int& fd) override {
    fd = -1;
    if (const int e = Next("open for update")) return e;
    return real_.OpenForUpdate(file, fd);
  }
  int OpenForReading(const std::string& file, int& fd) override {
    fd = -1;
    if (const int e = Next("open for reading")) return e;
    return real_.OpenForReading(file, fd);
  }
  int FileSize(int fd, std::uint64_t& size) override {
    if (const int e = Next("fstat")) return e;
    return real_.FileSize(fd, size);
  }
  int ReadAt(int fd, std::uint64_t offset, std::size_t count, std::string& bytes) override {
    if (const int e = Next("pread")) return e;
    return real_.ReadAt(fd, offset, count, bytes);
  }
  int Truncate(int fd, std::uint64_t size) override {
    if (const int e = Next("ftruncate")) return e;
    return real_.Truncate(fd, size);
  }
  int WriteAt(int fd, std::uint64_t offset, std::string_view bytes) override {
    if (const int e = Next("pwrite")) return e;
    return real_.WriteAt(fd, offset, bytes);
  }

 private:
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
