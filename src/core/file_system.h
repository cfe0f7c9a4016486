// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace km {

// Every operating-system call the game's own files go through. Each returns
// 0 when it worked and the errno value when it did not, so that another
// file system (one that does not flush, or one in a test that fails a chosen
// call) can stand in for the real one.
class FileSystem {
 public:
  FileSystem() = default;
  FileSystem(const FileSystem&) = delete;
  FileSystem& operator=(const FileSystem&) = delete;
  virtual ~FileSystem() = default;

  // Makes and opens a new file from a mkstemp pattern (…XXXXXX), which is
  // rewritten to the file's name.
  virtual int MakeTempFile(std::string& pattern, int& fd) = 0;
  // Writes all of the bytes.
  virtual int Write(int fd, std::string_view bytes) = 0;
  virtual int ChangeMode(int fd, unsigned mode) = 0;
  // Flushes a file's bytes to the disk.
  virtual int Sync(int fd) = 0;
  virtual int Close(int fd) = 0;
  virtual int Rename(const std::string& from, const std::string& to) = 0;
  // Opens a folder so that it can be flushed. A file system that does not
  // flush may open nothing: fd is then -1, and there is nothing to flush or
  // close.
  virtual int OpenFolder(const std::string& folder, int& fd) = 0;
  // Flushes a folder's entries (a rename in it) to the disk.
  virtual int SyncFolder(int fd) = 0;
  // Deletes a temporary file.
  virtual int Unlink(const std::string& file) = 0;
  // Reads a whole plain file into `bytes`, without following a link and
  // without waiting on a pipe: ELOOP for a link, EISDIR for a folder, ESPIPE
  // for a pipe or socket, ENODEV for a device (kNotPlainFile below), and
  // EFBIG for a file of more than `limit` bytes, which is not read at all.
  virtual int ReadWholeFile(const std::string& file, std::uint64_t limit, std::string& bytes) = 0;
  // 0 when `file` is a plain file or is not there, else why it is no file
  // the game may replace: ELOOP, EISDIR, ESPIPE or ENODEV, as for a read.
  virtual int CheckReplaceable(const std::string& file) = 0;
  // Deletes a file of the game's.
  virtual int Remove(const std::string& file) = 0;
  // Opens a plain file that is there for reading and writing in place; a
  // link, folder, pipe or device is refused as a read refuses it.
  virtual int OpenForUpdate(const std::string& file, int& fd) = 0;
  // Opens a plain file for reading a piece at a time, refused as OpenForUpdate
  // refuses.
  virtual int OpenForReading(const std::string& file, int& fd) = 0;
  // The size of a file opened for update or reading.
  virtual int FileSize(int fd, std::uint64_t& size) = 0;
  // Reads up to `count` bytes at `offset` of an open file into
  // `bytes` (fewer where the file ends).
  virtual int ReadAt(int fd, std::uint64_t offset, std::size_t count, std::string& bytes) = 0;
  // Cuts a file opened for update to `size` bytes.
  virtual int Truncate(int fd, std::uint64_t size) = 0;
  // Writes all of the bytes at `offset` of a file opened for update.
  virtual int WriteAt(int fd, std::uint64_t offset, std::string_view bytes) = 0;
};

// The operating system's own files.
class RealFileSystem : public FileSystem {
 public:
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
};

// The real files without the two flushes (the file's and the folder's): a
// crash may then lose the last writes. For the simulator's runs and the
// benchmarks, where only the speed of the rest counts; the game never uses
// it.
class NoSyncFileSystem : public RealFileSystem {
 public:
  int Sync(int fd) override;
  int OpenFolder(const std::string& folder, int& fd) override;
  int SyncFolder(int fd) override;
};

// Makes the data folder and any folder above it that is missing, each new
// one flushed into its parent, so that a folder made just before a career's
// first save is still there after a power cut. Gives the reason when it
// could not.
std::optional<std::string> MakeDataFolder(const std::filesystem::path& folder);

// The file system of the calling thread: the one a UseFileSystem on this
// thread installed last, or the real one.
FileSystem& Files();

// Installs a file system for the calling thread while it lives, then puts
// back the one before. Other threads keep their own.
class UseFileSystem {
 public:
  explicit UseFileSystem(FileSystem& files);
  ~UseFileSystem();
  UseFileSystem(const UseFileSystem&) = delete;
  UseFileSystem& operator=(const UseFileSystem&) = delete;

 private:
  FileSystem* previous_;
};

}  // namespace km
