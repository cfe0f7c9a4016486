// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <variant>

namespace km {

// What a second game is told when it tries to load a career another game
// has open, or to start a new career over it.
inline constexpr const char* kCareerOpenElsewhereMessage =
    "This career is open in another window. Close it there first, then load it here.";
inline constexpr const char* kNewCareerOpenElsewhereMessage =
    "A career of this name is open in another window. Close it there first, or choose another "
    "career name.";

// Why a career's lock was not taken.
struct LockRefusal {
  bool openElsewhere = false;  // another game holds it; otherwise the lock file could not be made
  std::string message;         // the sentence for the player
};

// A career is played by one game at a time, so that two of them never write
// its files over each other. The game holds an exclusive lock (flock) on the
// career's lock file for as long as the career is open. The operating system
// lets go of it when the game ends, however it ends: a game that was killed
// leaves no lock behind. The empty file stays in the folder and is never
// deleted, as another game may be about to lock it.
class CareerLock {
 public:
  // Locks `file`, made empty when it is not there, without waiting. A lock
  // held through another open of the same file, in this process or another,
  // refuses it: `openElsewhere` then, with `inUseMessage` as the sentence.
  static std::variant<std::shared_ptr<const CareerLock>, LockRefusal> Take(
      const std::filesystem::path& file, const std::string& inUseMessage);

  ~CareerLock();
  CareerLock(const CareerLock&) = delete;
  CareerLock& operator=(const CareerLock&) = delete;

  // Whether `file` is the file this lock holds, under whatever path.
  [[nodiscard]] bool Holds(const std::filesystem::path& file) const;

 private:
  explicit CareerLock(int fd) : fd_(fd) {}
  int fd_;
};

}  // namespace km
