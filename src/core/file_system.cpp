// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace km {
namespace {

thread_local FileSystem* current = nullptr;

// The errno of a call that returned -1, retried while a signal interrupts it.
template <typename Call>
int Checked(Call call) {
  while (call() < 0) {
    if (errno != EINTR) return errno;
  }
  return 0;
}

}  // namespace

int RealFileSystem::MakeTempFile(std::string& pattern, int& fd) {
  fd = ::mkstemp(pattern.data());
  return fd < 0 ? errno : 0;
}

int RealFileSystem::Write(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

int RealFileSystem::ChangeMode(int fd, unsigned mode) {
  return Checked([&] { return ::fchmod(fd, static_cast<mode_t>(mode)); });
}

int RealFileSystem::Sync(int fd) {
  return Checked([&] { return ::fsync(fd); });
}

int RealFileSystem::Close(int fd) {
  // A close interrupted by a signal has closed the descriptor all the same.
  if (::close(fd) != 0 && errno != EINTR) return errno;
  return 0;
}

int RealFileSystem::Rename(const std::string& from, const std::string& to) {
  return Checked([&] { return ::rename(from.c_str(), to.c_str()); });
}

int RealFileSystem::OpenFolder(const std::string& folder, int& fd) {
  do {
    fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  return fd < 0 ? errno : 0;
}

int RealFileSystem::SyncFolder(int fd) { return Sync(fd); }

int RealFileSystem::Unlink(const std::string& file) {
  return Checked([&] { return ::unlink(file.c_str()); });
}

int RealFileSystem::OpenForUpdate(const std::string& file, int& fd) {
  do {
    fd = ::open(file.c_str(), O_RDWR | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  return fd < 0 ? errno : 0;
}

int RealFileSystem::Truncate(int fd, std::uint64_t size) {
  return Checked([&] { return ::ftruncate(fd, static_cast<off_t>(size)); });
}

int RealFileSystem::WriteAt(int fd, std::uint64_t offset, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

int RealFileSystem::ReadWholeFile(const std::string& file, std::string& bytes) {
  int fd = -1;
  do {
    fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return errno;
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    const int error = errno;
    ::close(fd);
    return error;
  }
  if (S_ISDIR(info.st_mode)) {
    ::close(fd);
    return EISDIR;
  }
  // The size is a hint: the file is read to its end whatever it says.
  bytes.resize(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 0) + 1);
  std::size_t done = 0;
  for (;;) {
    if (done == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      bytes.clear();
      return error;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  ::close(fd);
  return 0;
}

int RealFileSystem::Remove(const std::string& file) {
  return Checked([&] { return ::unlink(file.c_str()); });
}

int NoSyncFileSystem::Sync(int /*fd*/) { return 0; }

int NoSyncFileSystem::OpenFolder(const std::string& /*folder*/, int& fd) {
  fd = -1;
  return 0;
}

int NoSyncFileSystem::SyncFolder(int /*fd*/) { return 0; }

FileSystem& Files() {
  static RealFileSystem real;
  return current ? *current : real;
}

UseFileSystem::UseFileSystem(FileSystem& files) : previous_(current) { current = &files; }

UseFileSystem::~UseFileSystem() { current = previous_; }

}  // namespace km
