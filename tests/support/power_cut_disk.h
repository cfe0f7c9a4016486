// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A disk that loses its power part way through a step of a career.
//
// PowerCutDisk stands behind the file system seam while the game takes one
// step (a week, a season's close, the draft): it passes every call but the
// flushes on to the real files, so that the step goes as it always does,
// and keeps each change the step makes to the career's folder, and each
// flush. It can then make every folder a power cut during the step may
// leave behind.
//
// What reaches the disk, and when:
//  - What the folder held before the step is on the disk for good.
//  - A file's bytes and its size go to the disk whenever the disk gets round
//    to them, in any order and a block of 4 KiB at a time, unless the game
//    flushes the file (fsync): then everything written to it, and every cut,
//    before the flush is there for good.
//  - The folder's entries (a file made, a file renamed over another, a file
//    deleted) are held in the air in the same way until the folder is
//    flushed. Flushing a file does nothing for its name, and flushing the
//    folder nothing for the bytes of its files.
//
// So when the power goes after some of the step's calls, the changes a later
// flush made certain are on the disk, and of the others, those still in the
// air, any mixture may be. There are too many mixtures to try them all; for
// every point of the step at which the power may go, the disk makes:
//  - the folder with every change in the air lost, and with every one kept;
//  - each change in the air alone lost, the others kept; and each alone
//    kept, the others lost;
//  - each write in the air whose file's new size reached the disk but not
//    its bytes (zero bytes where the file had none before; where it had,
//    they are as they were), and, for a write across more than one block,
//    each of its blocks alone there and each alone missing: each time with
//    the other changes in the air kept, and again lost.
// A rename that reached the disk before its file's bytes is one of these:
// the rename alone kept, the writes lost. Folders that come out the same
// are made once.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_system.h"
#include "support/journey.h"

namespace km::testing {

class PowerCutDisk final : public FileSystem {
 public:
  static constexpr std::uint64_t kBlock = 4096;

  // The step's calls go to the files of `folder`, which holds `before`.
  PowerCutDisk(std::filesystem::path folder, const FolderFiles& before);

  int MakeTempFile(std::string& pattern, int& fd) override;
  int Write(int fd, std::string_view bytes) override;
  int ChangeMode(int fd, unsigned mode) override;
  int Sync(int fd) override;
  int Close(int fd) override;
  int Rename(const std::string& from, const std::string& to) override;
  int OpenFolder(const std::string& folder, int& fd) override;
  int SyncFolder(int fd) override;
  int Unlink(const std::string& file) override;
  int ReadWholeFile(const std::string& file, std::uint64_t limit, std::string& bytes) override;
  int CheckReplaceable(const std::string& file) override;
  int Remove(const std::string& file) override;
  int OpenForUpdate(const std::string& file, int& fd) override;
  int OpenForReading(const std::string& file, int& fd) override;
  int FileSize(int fd, std::uint64_t& size) override;
  int ReadAt(int fd, std::uint64_t offset, std::size_t count, std::string& bytes) override;
  int Truncate(int fd, std::uint64_t size) override;
  int WriteAt(int fd, std::uint64_t offset, std::string_view bytes) override;

  // How many changes the step made to the folder.
  [[nodiscard]] std::size_t changes() const { return changes_.size(); }

  // The folder with every change on the disk: what the step left.
  [[nodiscard]] FolderFiles Final() const;

  // The flush of the file now called `name` (of its temporary file, for a
  // file written whole), the last one when there are several.
  [[nodiscard]] std::optional<std::size_t> FlushOf(const std::string& name) const;

  // Calls `visit` with every distinct folder a power cut may leave, and a
  // sentence saying how it came about, in the order of the points at which
  // the power goes. The flushes among `neverDone` are taken as never made.
  // Gives the number of folders visited.
  using Visit = std::function<void(const FolderFiles& folder, const std::string& how)>;
  std::size_t ForEachState(const Visit& visit, const std::set<std::size_t>& neverDone = {}) const;

 private:
  struct Change {
    enum class Kind { Make, Write, Cut, FlushFile, Rename, Delete, FlushFolder };
    Kind kind = Kind::Make;
    int file = -1;         // the file changed, by its number on the disk
    std::string name;      // its name then (the new one, for a rename)
    std::string from;      // a rename's old name
    std::uint64_t at = 0;  // where a write starts, or the size a file is cut to
    std::string bytes;     // what a write writes
  };
  // What becomes of a change in the air.
  enum class Fate { Lost, Kept, Zeros, OnlyBlock, AllButBlock };
  struct Mixture {
    std::size_t cut;  // the power goes after changes [0, cut)
    bool othersKept;  // the changes in the air all kept, or all lost
    std::optional<std::size_t> alone = std::nullopt;  // but this one, with its own fate
    Fate fate = Fate::Lost;
    std::uint64_t block = 0;  // the block OnlyBlock and AllButBlock name
  };

  Change& Add(Change::Kind kind, int file);
  std::string NameIn(const std::string& path) const;
  int Delete(const std::string& file, int error);
  std::string Describe(std::size_t change) const;
  std::string Describe(const Mixture& mixture) const;
  FolderFiles Apply(const Mixture& mixture, const std::vector<std::size_t>& certainAt) const;

  std::filesystem::path folder_;
  RealFileSystem real_;
  std::vector<std::string> before_;    // each file's bytes before the step, by number
  std::map<std::string, int> names0_;  // the folder's entries before the step
  std::map<std::string, int> names_;   // and as they are now
  struct Open {
    int file;
    std::uint64_t position;
  };
  std::map<int, Open> open_;
  std::set<int> folders_;  // descriptors of the folder itself
  std::vector<Change> changes_;
  int files_ = 0;
};

}  // namespace km::testing
