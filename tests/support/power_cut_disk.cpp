// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/power_cut_disk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace km::testing {

namespace {

constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();

}  // namespace

PowerCutDisk::PowerCutDisk(std::filesystem::path folder, const FolderFiles& before)
    : folder_(std::move(folder)) {
  for (const auto& [name, bytes] : before) {
    names0_[name] = files_++;
    before_.push_back(bytes);
  }
  names_ = names0_;
}

std::string PowerCutDisk::NameIn(const std::string& path) const {
  const std::filesystem::path p(path);
  if (p.parent_path() != folder_) ADD_FAILURE() << path << " is not in the career's folder";
  return p.filename().string();
}

int PowerCutDisk::MakeTempFile(std::string& pattern, int& fd) {
  const int e = real_.MakeTempFile(pattern, fd);
  if (e == 0) {
    const std::string name = NameIn(pattern);
    const int file = files_++;
    names_[name] = file;
    open_[fd] = {file, 0};
    Add(Change::Kind::Make, file).name = name;
  }
  return e;
}

int PowerCutDisk::Write(int fd, std::string_view bytes) {
  const int e = real_.Write(fd, bytes);
  if (e == 0) {
    Open& open = open_.at(fd);
    Change& write = Add(Change::Kind::Write, open.file);
    write.at = open.position;
    write.bytes = bytes;
    open.position += bytes.size();
  }
  return e;
}

int PowerCutDisk::ChangeMode(int fd, unsigned mode) { return real_.ChangeMode(fd, mode); }

// The real disk need not flush: what a power cut leaves is worked out from
// the changes kept, and the flushes among them.
int PowerCutDisk::Sync(int fd) {
  Add(Change::Kind::FlushFile, open_.at(fd).file);
  return 0;
}

int PowerCutDisk::Close(int fd) {
  open_.erase(fd);
  folders_.erase(fd);
  return real_.Close(fd);
}

int PowerCutDisk::Rename(const std::string& from, const std::string& to) {
  const int e = real_.Rename(from, to);
  if (e == 0) {
    const std::string oldName = NameIn(from);
    const std::string newName = NameIn(to);
    const int file = names_.at(oldName);
    names_.erase(oldName);
    names_[newName] = file;
    Change& rename = Add(Change::Kind::Rename, file);
    rename.name = newName;
    rename.from = oldName;
  }
  return e;
}

int PowerCutDisk::OpenFolder(const std::string& folder, int& fd) {
  const int e = real_.OpenFolder(folder, fd);
  if (e == 0) {
    if (std::filesystem::path(folder) != folder_) {
      ADD_FAILURE() << folder << " is not the career's folder";
    }
    folders_.insert(fd);
  }
  return e;
}

int PowerCutDisk::SyncFolder(int fd) {
  EXPECT_TRUE(folders_.contains(fd)) << "a flush of no folder of the career's";
  Add(Change::Kind::FlushFolder, -1);
  return 0;
}

int PowerCutDisk::Unlink(const std::string& file) { return Delete(file, real_.Unlink(file)); }

int PowerCutDisk::Remove(const std::string& file) { return Delete(file, real_.Remove(file)); }

int PowerCutDisk::Delete(const std::string& file, int error) {
  if (error == 0) {
    const std::string name = NameIn(file);
    Add(Change::Kind::Delete, names_.at(name)).name = name;
    names_.erase(name);
  }
  return error;
}

int PowerCutDisk::ReadWholeFile(const std::string& file, std::uint64_t limit, std::string& bytes) {
  return real_.ReadWholeFile(file, limit, bytes);
}

int PowerCutDisk::CheckReplaceable(const std::string& file) { return real_.CheckReplaceable(file); }

int PowerCutDisk::OpenForUpdate(const std::string& file, int& fd) {
  const int e = real_.OpenForUpdate(file, fd);
  if (e == 0) open_[fd] = {names_.at(NameIn(file)), 0};
  return e;
}

int PowerCutDisk::OpenForReading(const std::string& file, int& fd) {
  return real_.OpenForReading(file, fd);
}

int PowerCutDisk::FileSize(int fd, std::uint64_t& size) { return real_.FileSize(fd, size); }

int PowerCutDisk::ReadAt(int fd, std::uint64_t offset, std::size_t count, std::string& bytes) {
  return real_.ReadAt(fd, offset, count, bytes);
}

int PowerCutDisk::Truncate(int fd, std::uint64_t size) {
  const int e = real_.Truncate(fd, size);
  if (e == 0) Add(Change::Kind::Cut, open_.at(fd).file).at = size;
  return e;
}

int PowerCutDisk::WriteAt(int fd, std::uint64_t offset, std::string_view bytes) {
  const int e = real_.WriteAt(fd, offset, bytes);
  if (e == 0) {
    Change& write = Add(Change::Kind::Write, open_.at(fd).file);
    write.at = offset;
    write.bytes = bytes;
  }
  return e;
}

PowerCutDisk::Change& PowerCutDisk::Add(Change::Kind kind, int file) {
  changes_.emplace_back();
  changes_.back().kind = kind;
  changes_.back().file = file;
  return changes_.back();
}

FolderFiles PowerCutDisk::Final() const {
  return Apply(Mixture{changes_.size(), true}, std::vector<std::size_t>(changes_.size(), kNever));
}

std::optional<std::size_t> PowerCutDisk::FlushOf(const std::string& name) const {
  const auto named = names_.find(name);
  if (named == names_.end()) return std::nullopt;
  for (std::size_t i = changes_.size(); i-- > 0;) {
    if (changes_[i].kind == Change::Kind::FlushFile && changes_[i].file == named->second) return i;
  }
  return std::nullopt;
}

FolderFiles PowerCutDisk::Apply(const Mixture& m, const std::vector<std::size_t>& certainAt) const {
  std::vector<std::string> bytes = before_;
  bytes.resize(static_cast<std::size_t>(files_));
  std::map<std::string, int> names = names0_;
  const auto drop = [&](const std::string& name, int file) {
    const auto it = names.find(name);
    if (it != names.end() && it->second == file) names.erase(it);
  };
  for (std::size_t i = 0; i < m.cut; ++i) {
    const Change& c = changes_[i];
    const Fate fate = certainAt[i] < m.cut ? Fate::Kept
                      : m.alone == i       ? m.fate
                      : m.othersKept       ? Fate::Kept
                                           : Fate::Lost;
    if (fate == Fate::Lost) continue;
    std::string& data = bytes[static_cast<std::size_t>(c.file < 0 ? 0 : c.file)];
    switch (c.kind) {
      case Change::Kind::Make:
        names[c.name] = c.file;
        break;
      case Change::Kind::Rename:
        // The rename names the file itself: it reaches the disk whether or
        // not the file's own making did.
        drop(c.from, c.file);
        names[c.name] = c.file;
        break;
      case Change::Kind::Delete:
        drop(c.name, c.file);
        break;
      case Change::Kind::Cut:
        data.resize(c.at, '\0');
        break;
      case Change::Kind::Write: {
        // The new size is there; of the bytes, the blocks that reached the
        // disk. Elsewhere the file holds what it held, or zeros beyond its
        // old end.
        const std::uint64_t end = c.at + c.bytes.size();
        if (data.size() < end) data.resize(end, '\0');
        for (std::uint64_t from = c.at; from < end;) {
          const std::uint64_t block = from / kBlock;
          const std::uint64_t to = std::min(end, (block + 1) * kBlock);
          const bool there = fate == Fate::Kept || (fate == Fate::OnlyBlock && block == m.block) ||
                             (fate == Fate::AllButBlock && block != m.block);
          if (there) std::memcpy(data.data() + from, c.bytes.data() + (from - c.at), to - from);
          from = to;
        }
        break;
      }
      case Change::Kind::FlushFile:
      case Change::Kind::FlushFolder:
        break;
    }
  }
  FolderFiles folder;
  for (const auto& [name, file] : names) folder[name] = bytes[static_cast<std::size_t>(file)];
  return folder;
}

std::string PowerCutDisk::Describe(std::size_t change) const {
  const Change& c = changes_[change];
  // A file's name at the time: the name it was last made or renamed under.
  std::string name = c.name;
  if (name.empty()) {
    for (const auto& [entry, file] : names0_) {
      if (file == c.file) name = entry;
    }
    for (std::size_t i = 0; i < change; ++i) {
      const Change& earlier = changes_[i];
      if (earlier.file == c.file &&
          (earlier.kind == Change::Kind::Make || earlier.kind == Change::Kind::Rename)) {
        name = earlier.name;
      }
    }
  }
  switch (c.kind) {
    case Change::Kind::Make:
      return "make " + name;
    case Change::Kind::Write:
      return "write " + name + ", " + std::to_string(c.bytes.size()) + " bytes at " +
             std::to_string(c.at);
    case Change::Kind::Cut:
      return "cut " + name + " to " + std::to_string(c.at) + " bytes";
    case Change::Kind::FlushFile:
      return "flush " + name;
    case Change::Kind::Rename:
      return "rename " + c.from + " to " + name;
    case Change::Kind::Delete:
      return "delete " + name;
    case Change::Kind::FlushFolder:
      return "flush the folder";
  }
  return {};
}

std::string PowerCutDisk::Describe(const Mixture& m) const {
  std::string how = "the power goes ";
  how += m.cut == 0 ? std::string("before the first change")
                    : "after change " + std::to_string(m.cut) + " of " +
                          std::to_string(changes_.size()) + " (" + Describe(m.cut - 1) + ")";
  const std::string others = m.othersKept ? "kept" : "lost";
  if (!m.alone) return how + "; every change in the air " + others;
  how += "; change " + std::to_string(*m.alone + 1) + " (" + Describe(*m.alone) + ") ";
  switch (m.fate) {
    case Fate::Lost:
      how += "lost";
      break;
    case Fate::Kept:
      how += "kept";
      break;
    case Fate::Zeros:
      how += "with its size on the disk but none of its bytes";
      break;
    case Fate::OnlyBlock:
      how += "with only its block " + std::to_string(m.block) + " on the disk";
      break;
    case Fate::AllButBlock:
      how += "with all its blocks on the disk but " + std::to_string(m.block);
      break;
  }
  return how + ", the other changes in the air " + others;
}

std::size_t PowerCutDisk::ForEachState(const Visit& visit,
                                       const std::set<std::size_t>& neverDone) const {
  using Kind = Change::Kind;
  const std::size_t n = changes_.size();
  // The change each change is certain on the disk after: the next flush of
  // its file (for its bytes and size) or of the folder (for an entry).
  std::vector<std::size_t> certainAt(n, kNever);
  for (std::size_t i = 0; i < n; ++i) {
    const bool entry = changes_[i].kind == Kind::Make || changes_[i].kind == Kind::Rename ||
                       changes_[i].kind == Kind::Delete;
    const bool data = changes_[i].kind == Kind::Write || changes_[i].kind == Kind::Cut;
    for (std::size_t j = i + 1; j < n && (entry || data); ++j) {
      const Change& flush = changes_[j];
      const bool covers = entry ? flush.kind == Kind::FlushFolder
                                : flush.kind == Kind::FlushFile && flush.file == changes_[i].file;
      if (covers && !neverDone.contains(j)) {
        certainAt[i] = j;
        break;
      }
    }
  }
  std::set<std::size_t> seen;
  std::size_t visited = 0;
  const auto offer = [&](const Mixture& m) {
    const FolderFiles folder = Apply(m, certainAt);
    std::size_t hash = folder.size();
    for (const auto& [name, bytes] : folder) {
      hash = hash * 1000003 ^ std::hash<std::string>{}(name);
      hash = hash * 1000003 ^ std::hash<std::string>{}(bytes);
    }
    if (!seen.insert(hash).second) return;
    ++visited;
    visit(folder, Describe(m));
  };
  for (std::size_t cut = 0; cut <= n; ++cut) {
    for (const bool kept : {false, true}) offer({cut, kept});
    for (std::size_t i = 0; i < cut; ++i) {
      const Change& c = changes_[i];
      if (certainAt[i] < cut || c.kind == Kind::FlushFile || c.kind == Kind::FlushFolder) continue;
      offer({cut, true, i, Fate::Lost});
      offer({cut, false, i, Fate::Kept});
      if (c.kind != Kind::Write || c.bytes.empty()) continue;
      const std::uint64_t first = c.at / kBlock;
      const std::uint64_t last = (c.at + c.bytes.size() - 1) / kBlock;
      for (const bool kept : {true, false}) {
        offer({cut, kept, i, Fate::Zeros});
        for (std::uint64_t b = first; last > first && b <= last; ++b) {
          offer({cut, kept, i, Fate::OnlyBlock, b});
          offer({cut, kept, i, Fate::AllButBlock, b});
        }
      }
    }
  }
  return visited;
}

}  // namespace km::testing
