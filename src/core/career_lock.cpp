// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/career_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/text_file.h"

namespace km {

std::variant<std::shared_ptr<const CareerLock>, LockRefusal> CareerLock::Take(
    const std::filesystem::path& file, const std::string& inUseMessage) {
  int fd = -1;
  do {
    // Read-only is enough for flock; the file is made readable and writable
    // by all (less the umask), so that whoever may play the career can lock it.
    // Never through a link (a dangling one would make a file where it
    // points), and never waiting on a pipe.
    fd = ::open(file.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  // A folder nothing can be made in is one no game can write the career's
  // files to either: it is loaded without a lock, as a load needs no write.
  if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
    return std::shared_ptr<const CareerLock>(new CareerLock(-1));
  }
  if (fd < 0) {
    const int error = errno;
    // A link or a folder in its place: the sentence of any career file's.
    if (error == ELOOP || error == EISDIR) {
      return LockRefusal{false, FileProblem(file.filename().string(), error, true) + "."};
    }
    return LockRefusal{false, "The career's lock file " + file.filename().string() +
                                  " could not be made: " + std::strerror(error) + "."};
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const int error = S_ISDIR(info.st_mode)                              ? EISDIR
                      : S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode) ? ESPIPE
                                                                         : ENODEV;
    ::close(fd);
    return LockRefusal{false, FileProblem(file.filename().string(), error, true) + "."};
  }
  int locked = 0;
  do {
    locked = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (locked < 0 && errno == EINTR);
  if (locked < 0) {
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK) return LockRefusal{true, inUseMessage};
    return LockRefusal{false, "The career's lock file " + file.filename().string() +
                                  " could not be locked: " + std::strerror(error) + "."};
  }
  return std::shared_ptr<const CareerLock>(new CareerLock(fd));
}

CareerLock::~CareerLock() {
  if (fd_ >= 0) ::close(fd_);
}

bool CareerLock::Holds(const std::filesystem::path& file) const {
  struct stat there {};
  struct stat held {};
  if (fd_ < 0 || ::stat(file.c_str(), &there) != 0 || ::fstat(fd_, &held) != 0) return false;
  return there.st_dev == held.st_dev && there.st_ino == held.st_ino;
}

}  // namespace km
