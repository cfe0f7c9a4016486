// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

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

// Why a file of this mode is not a plain file, or 0 when it is.
int NotPlainFile(mode_t mode) {
  if (S_ISREG(mode)) return 0;
  if (S_ISLNK(mode)) return ELOOP;
  if (S_ISDIR(mode)) return EISDIR;
  if (S_ISFIFO(mode) || S_ISSOCK(mode)) return ESPIPE;
  return ENODEV;
}

// Opens a plain file: never through a link (the last part of the path), and
// never waiting for a pipe's other end; what is opened must then be a plain
// file.
int OpenPlain(const std::string& file, int flags, int& fd) {
  do {
    fd = ::open(file.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return errno;
  struct stat info {};
  int error = ::fstat(fd, &info) != 0 ? errno : NotPlainFile(info.st_mode);
  if (error != 0) {
    ::close(fd);
    fd = -1;
  }
  return error;
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
  return OpenPlain(file, O_RDWR, fd);
}

int RealFileSystem::OpenForReading(const std::string& file, int& fd) {
  return OpenPlain(file, O_RDONLY, fd);
}

int RealFileSystem::FileSize(int fd, std::uint64_t& size) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) return errno;
  size = static_cast<std::uint64_t>(info.st_size > 0 ? info.st_size : 0);
  return 0;
}

int RealFileSystem::ReadAt(int fd, std::uint64_t offset, std::size_t count, std::string& bytes) {
  bytes.resize(count);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n =
        ::pread(fd, bytes.data() + done, count - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      bytes.clear();
      return error;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return 0;
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

int RealFileSystem::ReadWholeFile(const std::string& file, std::uint64_t limit,
                                  std::string& bytes) {
  bytes.clear();
  int fd = -1;
  if (const int e = OpenPlain(file, O_RDONLY, fd)) return e;
  std::uint64_t size = 0;
  if (const int e = FileSize(fd, size)) {
    ::close(fd);
    return e;
  }
  if (size > limit) {
    ::close(fd);
    return EFBIG;
  }
  // The size is a hint: the file is read to its end whatever it says, but
  // never past the limit, should it grow while it is read.
  bytes.resize(static_cast<std::size_t>(size) + 1);
  std::size_t done = 0;
  for (;;) {
    if (done == bytes.size()) {
      if (done > limit) break;
      bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(limit + 1, done * 2)));
    }
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
  ::close(fd);
  if (done > limit) {
    bytes.clear();
    return EFBIG;
  }
  bytes.resize(done);
  return 0;
}

int RealFileSystem::CheckReplaceable(const std::string& file) {
  struct stat info {};
  if (::lstat(file.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
  return NotPlainFile(info.st_mode);
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

std::optional<std::string> MakeDataFolder(const std::filesystem::path& folder) {
  std::error_code error;
  const std::filesystem::path whole = std::filesystem::absolute(folder, error);
  if (error) return error.message();
  // The folders to make, the outermost first.
  std::vector<std::filesystem::path> missing;
  for (std::filesystem::path at = whole; !at.empty() && !std::filesystem::exists(at, error);
       at = at.parent_path()) {
    missing.insert(missing.begin(), at);
    if (at == at.parent_path()) break;
  }
  for (const auto& made : missing) {
    if (::mkdir(made.c_str(), 0777) != 0 && errno != EEXIST) return std::strerror(errno);
    // The new folder's name lives in its parent: flushing the parent keeps it.
    int fd = -1;
    if (Files().OpenFolder(made.parent_path().native(), fd) == 0 && fd >= 0) {
      const int synced = Files().SyncFolder(fd);
      Files().Close(fd);
      if (synced != 0) return std::strerror(synced);
    }
  }
  if (!std::filesystem::is_directory(whole, error)) {
    return std::string(std::strerror(ENOTDIR));
  }
  return std::nullopt;
}

FileSystem& Files() {
  static RealFileSystem real;
  return current ? *current : real;
}

UseFileSystem::UseFileSystem(FileSystem& files) : previous_(current) { current = &files; }

UseFileSystem::~UseFileSystem() { current = previous_; }

}  // namespace km
