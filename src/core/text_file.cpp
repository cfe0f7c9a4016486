// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "core/file_system.h"

namespace km {
namespace {

// The characters Windows-1252 puts at 0x80..0x9F. The five places the code
// page leaves unused read as the control characters of the same number, so
// that any byte read can be written back unchanged.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The Windows-1252 byte of a character, or -1.
int ByteOf(char32_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<int>(ch);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == ch) return static_cast<int>(0x80 + i);
  }
  return -1;
}

// Decodes one UTF-8 character at `i`, moving `i` past it; -1 for a broken one.
long NextCodePoint(std::string_view s, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(s[i++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  long cp = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
  } else {
    return -1;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= s.size()) return -1;
    const auto cont = static_cast<unsigned char>(s[i]);
    if ((cont & 0xC0) != 0x80) return -1;
    cp = (cp << 6) | (cont & 0x3F);
    ++i;
  }
  // An overlong form (C0 AF for '/') is broken too: each character has one
  // spelling only.
  if (cp < (extra == 1 ? 0x80 : extra == 2 ? 0x800 : 0x10000)) return -1;
  return cp;
}

void AppendUtf8(std::string& out, char32_t ch) {
  if (ch < 0x80) {
    out += static_cast<char>(ch);
  } else if (ch < 0x800) {
    out += static_cast<char>(0xC0 | (ch >> 6));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (ch >> 12));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  }
}

// What stands in a file's place when it is no plain file (or one too
// large to read), in the player's words; nothing for any other error.
std::optional<std::string> NotAFile(int error, bool read, std::uint64_t limit) {
  switch (error) {
    case ELOOP:
      return "a symbolic link, and the game uses a career's own files, never links to them";
    case EISDIR:
      return "a folder, not a file";
    case ESPIPE:
      return "a pipe, not a file";
    case ENODEV:
      return "a device, not a file";
    case EFBIG:
      if (!read) return std::nullopt;  // a write's EFBIG is the disk's quota
      return "larger than any career's file can be (more than " + std::to_string(limit >> 20) +
             " MB)";
    default:
      return std::nullopt;
  }
}

// How far a text is plain ASCII, which reads the same in both encodings.
std::size_t AsciiPrefix(std::string_view s) {
  std::size_t i = 0;
  const std::size_t n = s.size();
  while (i + 8 <= n) {
    std::uint64_t word = 0;
    std::memcpy(&word, s.data() + i, sizeof word);
    if ((word & 0x8080808080808080ULL) != 0) break;
    i += 8;
  }
  while (i < n && static_cast<unsigned char>(s[i]) < 0x80) ++i;
  return i;
}

// The permissions a new file of the player's gets: everyone's read and
// write, less the process's umask. The umask can only be read by setting
// it, so that is done once.
unsigned NewFileMode() {
  static const unsigned mode = [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666U & ~static_cast<unsigned>(mask);
  }();
  return mode;
}

// One try at writing a file through a temporary one. `flushFailed` tells
// whether it was the flush (of the file or the folder) that failed: a file
// whose flush failed may have lost its bytes without saying so, and is never
// flushed again; the write starts over with a new temporary file instead.
struct Attempt {
  int error = 0;
  bool flushFailed = false;
};

Attempt WriteThroughTemporary(FileSystem& fs, const std::string& target, const std::string& folder,
                              const std::string& shown, std::string_view bytes) {
  std::string temp = folder;
  temp += '/';
  temp += kTemporaryFilePrefix;
  temp += shown;
  temp += kTemporaryFileSuffix;
  int fd = -1;
  if (const int e = fs.MakeTempFile(temp, fd)) return {e, false};
  auto dropTemp = [&](int error, bool flush) {
    fs.Close(fd);
    fs.Unlink(temp);
    return Attempt{error, flush};
  };
  if (const int e = fs.Write(fd, bytes)) return dropTemp(e, false);
  // mkstemp makes the file readable by its owner only; a save is an ordinary
  // file like any other the player keeps.
  if (const int e = fs.ChangeMode(fd, NewFileMode())) return dropTemp(e, false);
  if (const int e = fs.Sync(fd)) return dropTemp(e, true);
  // A close can report a write the disk refused after all.
  if (const int e = fs.Close(fd)) {
    fs.Unlink(temp);
    return {e, true};
  }
  if (const int e = fs.Rename(temp, target)) {
    fs.Unlink(temp);
    return {e, false};
  }
  // The rename itself lives in the folder: until the folder is flushed, a
  // crash may bring back the old file.
  int dir = -1;
  if (const int e = fs.OpenFolder(folder, dir)) return {e, true};
  if (dir < 0) return {};
  const int synced = fs.SyncFolder(dir);
  fs.Close(dir);
  return {synced, synced != 0};
}

}  // namespace

bool IsUtf8(std::string_view bytes) {
  std::size_t i = AsciiPrefix(bytes);
  const std::size_t n = bytes.size();
  while (i < n) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    // The second byte's range narrows for the leads where an overlong form,
    // a surrogate or a code point beyond U+10FFFF would start.
    std::size_t extra = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (n - i - 1 < extra) return false;
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    if (second < low || second > high) return false;
    for (std::size_t k = 2; k <= extra; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    i += extra + 1;
  }
  return true;
}

std::vector<std::string> CharactersOutsideWindows1252(std::string_view utf8) {
  std::vector<std::string> outside;
  if (!IsUtf8(utf8)) return outside;
  std::size_t i = AsciiPrefix(utf8);
  while (i < utf8.size()) {
    const std::size_t start = i;
    const long cp = NextCodePoint(utf8, i);
    if (ByteOf(static_cast<char32_t>(cp)) >= 0) continue;
    std::string character(utf8.substr(start, i - start));
    if (std::find(outside.begin(), outside.end(), character) == outside.end()) {
      outside.push_back(std::move(character));
    }
  }
  return outside;
}

DetectedEncoding DetectEncoding(std::string_view bytes) {
  const auto starts = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
  if (starts("\xFF\xFE") || starts("\xFE\xFF")) return {Encoding::Utf16, 2};
  if (starts("\xEF\xBB\xBF")) return {Encoding::Utf8, 3};
  // Without a mark, UTF-16 shows in the NUL byte that every ASCII letter
  // has beside it: at the odd places (little-endian) or the even ones.
  const std::size_t head = std::min<std::size_t>(bytes.size(), 64) & ~std::size_t{1};
  std::size_t nulsEven = 0;
  std::size_t nulsOdd = 0;
  for (std::size_t i = 0; i < head; ++i) {
    if (bytes[i] == '\0') ++(i % 2 == 0 ? nulsEven : nulsOdd);
  }
  const std::size_t pairs = head / 2;
  if (pairs > 0 &&
      ((nulsEven == 0 && nulsOdd * 2 >= pairs) || (nulsOdd == 0 && nulsEven * 2 >= pairs))) {
    return {Encoding::Utf16, 0};
  }
  if (AsciiPrefix(bytes) < bytes.size() && IsUtf8(bytes)) return {Encoding::Utf8, 0};
  return {};
}

bool FitsWindows1252(std::string_view utf8) {
  std::size_t i = AsciiPrefix(utf8);
  while (i < utf8.size()) {
    const long cp = NextCodePoint(utf8, i);
    if (cp < 0 || ByteOf(static_cast<char32_t>(cp)) < 0) return false;
  }
  return true;
}

std::string ToWindows1252(std::string_view utf8) {
  const std::size_t plain = AsciiPrefix(utf8);
  if (plain == utf8.size()) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  out.append(utf8.data(), plain);
  std::size_t i = plain;
  while (i < utf8.size()) {
    const long cp = NextCodePoint(utf8, i);
    const int byte = cp < 0 ? -1 : ByteOf(static_cast<char32_t>(cp));
    out += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return out;
}

void AppendFromWindows1252(std::string& out, std::string_view bytes) {
  const std::size_t plain = AsciiPrefix(bytes);
  out.append(bytes.data(), plain);
  for (std::size_t i = plain; i < bytes.size(); ++i) {
    const char c = bytes[i];
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else if (b < 0xA0) {
      AppendUtf8(out, kHighControls[b - 0x80]);
    } else {
      AppendUtf8(out, b);
    }
  }
}

std::string FromWindows1252(std::string_view bytes) {
  if (AsciiPrefix(bytes) == bytes.size()) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  AppendFromWindows1252(out, bytes);
  return out;
}

std::optional<std::string> WriteFileAtomically(const std::filesystem::path& file,
                                               std::string_view bytes) {
  FileSystem& fs = Files();
  const std::string& target = file.native();
  // The name and the folder straight from the path's text: this runs for
  // every file of every week.
  const std::size_t slash = target.rfind('/');
  const std::string shown = slash == std::string::npos ? target : target.substr(slash + 1);
  const std::string folder = slash == std::string::npos ? std::string(".")
                             : slash == 0               ? std::string("/")
                                                        : target.substr(0, slash);
  // A link, folder, pipe or device in the file's place is not replaced: the
  // player may have put it there, and the game writes only its own files.
  if (const int e = fs.CheckReplaceable(target)) return FileProblem(shown, e, false);
  Attempt attempt = WriteThroughTemporary(fs, target, folder, shown, bytes);
  if (attempt.flushFailed) attempt = WriteThroughTemporary(fs, target, folder, shown, bytes);
  if (attempt.error == 0) return std::nullopt;
  return FileProblem(shown, attempt.error, false);
}

void RemoveLeftoverTemporaries(const std::filesystem::path& folder,
                               const std::vector<std::string>& names) {
  // A temporary file is the prefix, the file's name and the suffix with its
  // X's made letters or digits (mkstemp's), in the file's own folder.
  auto isTemporary = [&](std::string_view entry) {
    const std::size_t head = kTemporaryFilePrefix.size();
    const std::size_t tail = kTemporaryFileSuffix.size();
    const std::size_t random = tail - kTemporaryFileSuffix.find('X');
    if (entry.size() <= head + tail || !entry.starts_with(kTemporaryFilePrefix) ||
        entry.substr(entry.size() - tail, tail - random) !=
            kTemporaryFileSuffix.substr(0, tail - random)) {
      return false;
    }
    for (const char ch : entry.substr(entry.size() - random)) {
      // mkstemp's letters and digits are ASCII, whatever the locale.
      if (!((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'))) {
        return false;
      }
    }
    const std::string_view name = entry.substr(head, entry.size() - head - tail);
    return std::find(names.begin(), names.end(), name) != names.end();
  };
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    if (isTemporary(it->path().filename().string()) && it->is_regular_file(error)) {
      Files().Unlink(it->path().native());
    }
  }
}

ReadResult ReadWholeFile(const std::filesystem::path& file, std::uint64_t limit) {
  ReadResult result;
  std::string bytes;
  const int error = Files().ReadWholeFile(file.native(), limit, bytes);
  if (error == 0) {
    result.bytes = std::move(bytes);
    return result;
  }
  result.missing = error == ENOENT;
  result.error = FileProblem(file.filename().string(), error, true, limit);
  return result;
}

std::string FileProblem(std::string_view name, int error, bool read, std::uint64_t limit) {
  const auto what = NotAFile(error, read, limit);
  std::string sentence(name);
  if (what) {
    sentence += read ? " is " : " could not be written: it is ";
    sentence += *what;
  } else {
    sentence += read ? " cannot be opened: " : " could not be written: ";
    sentence += std::strerror(error);
  }
  return sentence;
}

}  // namespace km
