#include "core/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

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

std::string Reason(int error) { return std::strerror(error); }

}  // namespace

bool FitsWindows1252(std::string_view utf8) {
  std::size_t i = 0;
  while (i < utf8.size()) {
    const long cp = NextCodePoint(utf8, i);
    if (cp < 0 || ByteOf(static_cast<char32_t>(cp)) < 0) return false;
  }
  return true;
}

std::string ToWindows1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const long cp = NextCodePoint(utf8, i);
    const int byte = cp < 0 ? -1 : ByteOf(static_cast<char32_t>(cp));
    out += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return out;
}

std::string FromWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else if (b < 0xA0) {
      AppendUtf8(out, kHighControls[b - 0x80]);
    } else {
      AppendUtf8(out, b);
    }
  }
  return out;
}

std::optional<std::string> WriteFileAtomically(const std::filesystem::path& file,
                                               std::string_view bytes) {
  const std::string shown = file.filename().string();
  const std::filesystem::path folder =
      file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
  std::string temp = (folder / ("." + shown + ".XXXXXX")).string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return shown + " could not be written: " + Reason(errno);

  auto fail = [&](int error) -> std::optional<std::string> {
    ::close(fd);
    ::unlink(temp.c_str());
    return shown + " could not be written: " + Reason(error);
  };
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  // mkstemp makes the file readable by its owner only; a save is an ordinary
  // file like any other the player keeps.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  if (::fchmod(fd, 0666 & ~mask) != 0) return fail(errno);
  if (::fsync(fd) != 0) return fail(errno);
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    return shown + " could not be written: " + Reason(error);
  }
  if (::rename(temp.c_str(), file.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    return shown + " could not be written: " + Reason(error);
  }
  // The rename itself lives in the folder: flush it too.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return std::nullopt;
}

ReadResult ReadWholeFile(const std::filesystem::path& file) {
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) {
    return {std::nullopt, file.filename().string() + " is a folder, not a file"};
  }
  errno = 0;
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    const int error = errno;
    return {std::nullopt, file.filename().string() + " cannot be opened: " +
                              (error != 0 ? Reason(error) : std::string("unknown reason"))};
  }
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return {std::nullopt, file.filename().string() + " cannot be read"};
  return {content.str(), {}};
}

}  // namespace km
