// SPDX-License-Identifier: GPL-3.0-or-later
#include "season/fixture.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>

#include "core/file_names.h"
#include "core/file_system.h"
#include "core/number_format.h"
#include "core/text_file.h"

namespace km {
namespace {

// The largest goals or behinds count a results file may hold.
constexpr int kMostScore = 999;

// clang-format off
constexpr std::array<TemplateRound, 22> kTemplate = {{
    {{{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}, {11, 12}, {13, 14}, {15, 16}}},
    {{{4, 8}, {3, 9}, {16, 7}, {12, 14}, {6, 1}, {2, 5}, {15, 11}, {10, 13}}},
    {{{7, 14}, {4, 15}, {2, 3}, {5, 12}, {1, 9}, {11, 6}, {8, 10}, {16, 13}}},
    {{{3, 15}, {10, 1}, {12, 16}, {14, 8}, {6, 4}, {9, 11}, {13, 5}, {2, 7}}},
    {{{6, 14}, {5, 4}, {3, 10}, {9, 7}, {16, 11}, {1, 12}, {2, 13}, {8, 15}}},
    {{{4, 10}, {11, 3}, {7, 5}, {12, 9}, {8, 1}, {14, 16}, {15, 2}, {13, 6}}},
    {{{7, 11}, {14, 2}, {13, 4}, {1, 16}, {9, 8}, {10, 12}, {6, 3}, {5, 15}}},
    {{{4, 14}, {10, 7}, {12, 2}, {11, 1}, {3, 16}, {9, 6}, {15, 13}, {8, 5}}},
    {{{2, 11}, {4, 7}, {15, 12}, {1, 13}, {6, 8}, {16, 9}, {14, 3}, {5, 10}}},
    {{{7, 13}, {14, 5}, {10, 15}, {1, 3}, {2, 9}, {11, 4}, {8, 16}, {12, 6}}},
    {{{15, 14}, {4, 9}, {13, 12}, {5, 1}, {11, 8}, {3, 7}, {2, 6}, {16, 10}}},
    {{{12, 8}, {10, 2}, {4, 1}, {6, 16}, {9, 5}, {14, 11}, {3, 13}, {7, 15}}},
    {{{6, 10}, {7, 12}, {13, 11}, {16, 4}, {1, 14}, {5, 3}, {8, 2}, {9, 15}}},
    {{{15, 6}, {13, 9}, {12, 4}, {8, 3}, {7, 1}, {11, 5}, {14, 10}, {16, 2}}},
    {{{3, 12}, {6, 7}, {13, 8}, {1, 15}, {9, 14}, {10, 11}, {2, 4}, {5, 16}}},
    {{{15, 8}, {14, 6}, {13, 2}, {12, 1}, {7, 9}, {11, 16}, {4, 5}, {10, 3}}},
    {{{2, 15}, {10, 4}, {16, 14}, {1, 8}, {6, 13}, {9, 12}, {3, 11}, {5, 7}}},
    {{{8, 14}, {7, 2}, {12, 10}, {11, 9}, {16, 1}, {3, 6}, {4, 13}, {15, 5}}},
    {{{2, 14}, {11, 7}, {16, 12}, {5, 13}, {8, 9}, {1, 10}, {4, 6}, {15, 3}}},
    {{{12, 5}, {3, 2}, {14, 7}, {15, 4}, {6, 11}, {9, 1}, {10, 8}, {13, 16}}},
    {{{5, 2}, {11, 15}, {14, 12}, {1, 6}, {7, 16}, {9, 3}, {8, 4}, {13, 10}}},
    {{{16, 15}, {10, 9}, {12, 11}, {6, 5}, {2, 1}, {14, 13}, {4, 3}, {8, 7}}},
}};

// The four orders a competition's ladder rows are shuffled into between two
// seasons in it.
constexpr std::array<std::array<int, 16>, 4> kStayOrders = {{
    {3, 5, 7, 2, 1, 10, 13, 4, 14, 16, 6, 15, 8, 9, 12, 11},
    {4, 5, 8, 3, 1, 10, 2, 13, 15, 7, 16, 14, 9, 6, 12, 11},
    {5, 6, 7, 10, 2, 9, 1, 3, 12, 13, 15, 14, 16, 4, 11, 8},
    {6, 13, 12, 8, 3, 1, 14, 10, 16, 11, 4, 15, 2, 5, 9, 7},
}};
// clang-format on

// Where each finals round's names start in the fixture, and how many.
struct Stage {
  int skip;
  int count;
};
constexpr std::array<Stage, 4> kFinalsStages = {{{352, 8}, {360, 6}, {366, 4}, {370, 2}}};

// Adds a value as a line of the file: in double quotes, CRLF-ended.
void AppendQuoted(std::string& out, std::string_view utf8) {
  out += '"';
  out += ToWindows1252(utf8);
  out += "\"\r\n";
}

void AppendQuoted(std::string& out, int value) {
  // Scores are small: the line is built whole and added at once.
  std::array<char, 24> line{};
  std::size_t n = 0;
  line[n++] = '"';
  if (value >= 0 && value < 100) {
    if (value >= 10) line[n++] = static_cast<char>('0' + value / 10);
    line[n++] = static_cast<char>('0' + value % 10);
  } else {
    const auto done = std::to_chars(line.data() + n, line.data() + line.size() - 3, value);
    n = static_cast<std::size_t>(done.ptr - line.data());
  }
  line[n++] = '"';
  line[n++] = '\r';
  line[n++] = '\n';
  out.append(line.data(), n);
}

std::string QuotedLines(const std::vector<std::string>& values) {
  std::string out;
  out.reserve(values.size() * 24);
  for (const std::string& v : values) AppendQuoted(out, v);
  return out;
}

// The line ends among eight bytes, one high bit each.
std::uint64_t LineEnds(std::uint64_t word) {
  constexpr std::uint64_t kNewlines = 0x0A0A0A0A0A0A0A0AULL;
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  const std::uint64_t x = word ^ kNewlines;  // a zero byte where a '\n' was
  return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// Moves past up to `lines` line ends from `pos`, eight bytes at a time.
// Returns where it stopped and leaves in `lines` how many were left to pass.
std::size_t PassLineEnds(std::string_view bytes, std::size_t pos, std::size_t& lines) {
  const char* data = bytes.data();
  const std::size_t n = bytes.size();
  while (lines > 0 && pos + 8 <= n) {
    std::uint64_t word = 0;
    std::memcpy(&word, data + pos, sizeof word);
    // One bit a byte, summed into the top byte by the multiply.
    const auto ends =
        static_cast<std::size_t>(((LineEnds(word) >> 7) * 0x0101010101010101ULL) >> 56);
    if (ends >= lines) break;  // the last one is among these eight
    lines -= ends;
    pos += 8;
  }
  for (; lines > 0 && pos < n; ++pos) {
    if (data[pos] == '\n') --lines;
  }
  return pos;
}

// How many lines a file's text has; a last line without its end counts.
std::size_t CountLines(std::string_view bytes) {
  std::size_t lines = std::numeric_limits<std::size_t>::max();
  PassLineEnds(bytes, 0, lines);
  const std::size_t ends = std::numeric_limits<std::size_t>::max() - lines;
  return ends + (!bytes.empty() && bytes.back() != '\n' ? 1 : 0);
}

// Where line `line` (0-based) starts, or npos when the file has fewer lines.
std::size_t LineStart(std::string_view bytes, std::size_t line) {
  std::size_t left = line;
  const std::size_t pos = PassLineEnds(bytes, 0, left);
  if (left > 0) return std::string_view::npos;
  return pos < bytes.size() || line == 0 ? pos : std::string_view::npos;
}

// Reads the quoted values of a file's text one line at a time.
class QuotedReader {
 public:
  QuotedReader(std::string_view bytes, std::string name) : bytes_(bytes), name_(std::move(name)) {}

  // Moves to line `line` (0-based); false when the text ends before it.
  bool Seek(std::size_t line) {
    pos_ = LineStart(bytes_, line);
    line_ = line;
    return pos_ != std::string_view::npos;
  }
  [[nodiscard]] bool AtEnd() const { return pos_ >= bytes_.size(); }
  [[nodiscard]] std::size_t line() const { return line_; }

  // The next line's value, its quotes taken off and still in Windows-1252;
  // nothing (with error() telling why) when the line is not a quoted value.
  std::optional<std::string_view> Next() {
    if (pos_ >= bytes_.size()) {
      // The text has ended: there is no value on the line asked for.
      pos_ = bytes_.size();
      ++line_;
      return std::nullopt;
    }
    auto end = bytes_.find('\n', pos_);
    if (end == std::string_view::npos) end = bytes_.size();
    std::string_view line = bytes_.substr(pos_, end - pos_);
    pos_ = end + 1;
    ++line_;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() < 2 || line.front() != '"' || line.back() != '"') return std::nullopt;
    return line.substr(1, line.size() - 2);
  }
  [[nodiscard]] FileError NotQuoted() const {
    return FileError{name_ + ", line " + std::to_string(line_) +
                     ": expected a value in double quotes"};
  }
  [[nodiscard]] FileError NotWhole() const {
    return FileError{name_ + ", line " + std::to_string(line_) +
                     ": expected a whole number from 0 to " + std::to_string(kMostScore)};
  }

 private:
  std::string_view bytes_;
  std::string name_;
  std::size_t pos_ = 0;
  std::size_t line_ = 0;
};

// Reads one round's record from where the reader stands.
std::optional<FileError> ReadRecord(QuotedReader& in, RoundRecord& r) {
  auto text = [&](std::string& into) -> bool {
    const auto value = in.Next();
    if (!value) return false;
    into.clear();
    AppendFromWindows1252(into, *value);
    return true;
  };
  auto number = [&](int& into, std::optional<FileError>& error) -> bool {
    const auto value = in.Next();
    if (!value) {
      error = in.NotQuoted();
      return false;
    }
    // A score of a quarter: no club kicks a thousand goals, and nothing
    // larger may reach the points worked out from it.
    const auto n = ParseWhole(*value);
    if (!n || *n < 0 || *n > kMostScore) {
      error = in.NotWhole();
      return false;
    }
    into = static_cast<int>(*n);
    return true;
  };
  for (std::string* field : {&r.player.Disposals, &r.player.Goals, &r.player.Behinds,
                             &r.player.MatchRating, &r.player.Position}) {
    if (!text(*field)) return in.NotQuoted();
  }
  std::optional<FileError> error;
  for (std::size_t s = 0; s < 8; ++s) {
    RoundSlot& slot = r.slots[s];
    for (int side = 0; side < 2; ++side) {
      if (!text((side == 0 ? r.teamOne : r.teamTwo)[s])) return in.NotQuoted();
      auto& goals = side == 0 ? slot.GoalsOne : slot.GoalsTwo;
      auto& behinds = side == 0 ? slot.BehindsOne : slot.BehindsTwo;
      for (std::size_t q = 0; q < 4; ++q) {
        if (!number(goals[q], error) || !number(behinds[q], error)) return error;
      }
    }
    slot.PointsOne = 6 * slot.GoalsOne[3] + slot.BehindsOne[3];
    slot.PointsTwo = 6 * slot.GoalsTwo[3] + slot.BehindsTwo[3];
  }
  return std::nullopt;
}

// A round's record as the lines of the results file.
void AppendRecordLines(std::string& out, const RoundRecord& r) {
  for (const std::string* field : {&r.player.Disposals, &r.player.Goals, &r.player.Behinds,
                                   &r.player.MatchRating, &r.player.Position}) {
    AppendQuoted(out, *field);
  }
  for (std::size_t s = 0; s < 8; ++s) {
    const RoundSlot& slot = r.slots[s];
    AppendQuoted(out, r.teamOne[s]);
    for (std::size_t q = 0; q < 4; ++q) {
      AppendQuoted(out, slot.GoalsOne[q]);
      AppendQuoted(out, slot.BehindsOne[q]);
    }
    AppendQuoted(out, r.teamTwo[s]);
    for (std::size_t q = 0; q < 4; ++q) {
      AppendQuoted(out, slot.GoalsTwo[q]);
      AppendQuoted(out, slot.BehindsTwo[q]);
    }
  }
}

}  // namespace

// Rewrites a file whole (through the atomic writer, so a crash leaves it as
// it was or as it is meant to be) as its first `keep` lines followed by
// `lines`. A file with fewer lines keeps them all; a missing one is made.
std::optional<FileError> KeepAndAdd(const std::filesystem::path& file, std::size_t keep,
                                    std::string_view lines) {
  std::string bytes;
  ReadResult read = ReadWholeFile(file, kMaxSeasonFileBytes);
  if (read.bytes) {
    bytes = std::move(*read.bytes);
    const std::size_t cut = LineStart(bytes, keep);
    if (cut != std::string::npos) bytes.resize(cut);
    if (!bytes.empty() && bytes.back() != '\n') bytes += "\r\n";
  } else if (!read.missing) {
    return FileError{read.error};
  }
  bytes += lines;
  if (auto error = WriteFileAtomically(file, bytes)) return FileError{*error};
  return std::nullopt;
}

// As KeepAndAdd, but in place: the file is opened, cut after the lines kept
// and the new lines written after them, then flushed. The results file grows
// by a round every week, and this spares rewriting all of it (and a rename)
// each time. It is safe because of how the file is read: a crash part way
// leaves the records kept whole and part of the new one after them, a torn
// tail beyond the rounds the save has played, which a load drops. A file
// that is not there yet is made whole through the atomic writer.
std::optional<FileError> KeepAndAddInPlace(const std::filesystem::path& file, std::size_t keep,
                                           std::string_view lines) {
  const ReadResult read = ReadWholeFile(file, kMaxSeasonFileBytes);
  if (!read.bytes) {
    if (!read.missing) return FileError{read.error};
    return KeepAndAdd(file, keep, lines);
  }
  const std::string& bytes = *read.bytes;
  std::size_t cut = LineStart(bytes, keep);
  if (cut == std::string::npos) cut = bytes.size();
  std::string added;
  if (cut > 0 && bytes[cut - 1] != '\n') added = "\r\n";
  added += lines;

  FileSystem& fs = Files();
  int fd = -1;
  const auto failed = [&](int error) {
    return FileError{file.filename().string() + " could not be written: " + std::strerror(error)};
  };
  if (const int e = fs.OpenForUpdate(file.native(), fd)) return failed(e);
  int error = 0;
  if (cut < bytes.size()) error = fs.Truncate(fd, cut);
  if (error == 0) error = fs.WriteAt(fd, cut, added);
  if (error == 0) error = fs.Sync(fd);
  // A failed close has let the descriptor go all the same.
  if (const int closed = fs.Close(fd); error == 0) error = closed;
  if (error != 0) return failed(error);
  return std::nullopt;
}

namespace {

constexpr std::size_t kEverything = std::numeric_limits<std::size_t>::max();

}  // namespace

const std::array<TemplateRound, 22>& ScheduleTemplate() { return kTemplate; }

std::filesystem::path FixturePath(const std::filesystem::path& folder, const Career& career) {
  return folder / (career.CareerName + std::string(kFixtureEnding));
}

std::filesystem::path ResultsPath(const std::filesystem::path& folder, const Career& career) {
  return folder / (career.CareerName + std::string(kResultsEnding));
}

std::variant<std::vector<std::string>, FileError> ReadQuotedValues(
    const std::filesystem::path& file) {
  ReadResult read = ReadWholeFile(file, kMaxSeasonFileBytes);
  if (!read.bytes) return FileError{read.error};
  QuotedReader in(*read.bytes, file.filename().string());
  std::vector<std::string> values;
  while (!in.AtEnd()) {
    const auto value = in.Next();
    if (!value) return in.NotQuoted();
    values.push_back(FromWindows1252(*value));
  }
  return values;
}

std::optional<FileError> WriteSeasonFixture(const std::filesystem::path& folder,
                                            const Career& career,
                                            const std::array<std::string, 16>& clubs) {
  std::string bytes;
  bytes.reserve(kFixtureValues * 24);
  for (const TemplateRound& round : kTemplate) {
    for (const Pairing& match : round) {
      AppendQuoted(bytes, clubs[static_cast<std::size_t>(match[0] - 1)]);
      AppendQuoted(bytes, clubs[static_cast<std::size_t>(match[1] - 1)]);
    }
  }
  if (auto error = WriteFileAtomically(FixturePath(folder, career), bytes)) {
    return FileError{*error};
  }
  return std::nullopt;
}

std::optional<FileError> AppendFinalsStage(const std::filesystem::path& folder,
                                           const Career& career,
                                           const std::vector<std::string>& names) {
  // A stage goes to its own place: whatever stands there or beyond (a stage
  // drawn in a round that was never saved) gives way to it.
  const auto stage = std::find_if(kFinalsStages.begin(), kFinalsStages.end(), [&](const Stage& s) {
    return static_cast<std::size_t>(s.count) == names.size();
  });
  const std::size_t keep =
      stage == kFinalsStages.end() ? kEverything : static_cast<std::size_t>(stage->skip);
  return KeepAndAdd(FixturePath(folder, career), keep, QuotedLines(names));
}

namespace {

// The grand final of a season whose close was cut short: the close writes
// the next season's fixture before the save, so a career saved before the
// grand final may find the next season's fixture beside it. Its grand final
// is then the two preliminary finals' winners, from round 25's record.
std::variant<std::vector<std::string>, FileError> GrandFinalFromResults(
    const std::filesystem::path& folder, const Career& career) {
  auto prelims = ReadRoundResult(folder, career, kSeasonRounds - 1);
  if (auto* error = std::get_if<FileError>(&prelims)) return *error;
  const RoundRecord& r = std::get<RoundRecord>(prelims);
  std::vector<std::string> names;
  for (std::size_t s = 0; s < 2; ++s) {
    const RoundSlot& slot = r.slots[s];
    names.push_back(slot.PointsOne > slot.PointsTwo ? r.teamOne[s] : r.teamTwo[s]);
  }
  return names;
}

}  // namespace

std::variant<std::vector<std::string>, FileError> ReadRoundPairings(
    const std::filesystem::path& folder, const Career& career, int round) {
  const auto path = FixturePath(folder, career);
  ReadResult read = ReadWholeFile(path, kMaxSeasonFileBytes);
  if (!read.bytes) return FileError{read.error};
  if (round < 1 || round > 26) {
    return FileError{"There is no round " + std::to_string(round) + " in a season"};
  }
  const Stage stage = round <= kHomeAndAwayRounds
                          ? Stage{16 * (round - 1), 16}
                          : kFinalsStages[static_cast<std::size_t>(round - 23)];
  // Only the round's own lines are read.
  const std::string_view bytes = *read.bytes;
  QuotedReader in(bytes, path.filename().string());
  std::vector<std::string> names;
  if (in.Seek(static_cast<std::size_t>(stage.skip))) {
    names.reserve(static_cast<std::size_t>(stage.count));
    while (!in.AtEnd() && static_cast<int>(names.size()) < stage.count) {
      const auto value = in.Next();
      if (!value) return in.NotQuoted();
      names.push_back(FromWindows1252(*value));
    }
  }
  if (static_cast<int>(names.size()) < stage.count) {
    if (round == kSeasonRounds && career.Matches == kSeasonRounds - 1) {
      return GrandFinalFromResults(folder, career);
    }
    return FileError{path.filename().string() + " ends at line " +
                     std::to_string(CountLines(bytes)) + ", before the matches of round " +
                     std::to_string(round) + " (lines " + std::to_string(stage.skip + 1) + " to " +
                     std::to_string(stage.skip + stage.count) + ")"};
  }
  return names;
}

std::optional<FileError> CheckRoundClubs(const std::filesystem::path& folder, const Career& career,
                                         int round, const std::vector<std::string>& names) {
  // How often each of the ladder's clubs may play in the round: once each
  // (a name the competition lists twice, twice).
  std::vector<std::pair<std::string_view, int>> left;
  for (const LadderRow& row : career.Ladder) {
    const auto it = std::find_if(left.begin(), left.end(),
                                 [&](const auto& club) { return club.first == row.Team; });
    if (it == left.end()) {
      left.emplace_back(row.Team, 1);
    } else {
      ++it->second;
    }
  }
  const Stage stage = round <= kHomeAndAwayRounds
                          ? Stage{16 * (round - 1), 16}
                          : kFinalsStages[static_cast<std::size_t>(round - 23)];
  const std::string file = FixturePath(folder, career).filename().string();
  for (std::size_t i = 0; i < names.size(); ++i) {
    const auto it = std::find_if(left.begin(), left.end(),
                                 [&](const auto& club) { return club.first == names[i]; });
    const std::string where = file + ", line " +
                              std::to_string(static_cast<std::size_t>(stage.skip) + i + 1) +
                              ": \"" + names[i] + "\"";
    if (it == left.end()) {
      return FileError{where + " is not one of the clubs of the " + career.League + " ladder"};
    }
    if (it->second-- == 0) {
      return FileError{where + " plays twice in round " + std::to_string(round)};
    }
  }
  return std::nullopt;
}

std::variant<std::array<std::string, 16>, FileError> ReadFixtureClubs(
    const std::filesystem::path& folder, const Career& career) {
  auto first = ReadRoundPairings(folder, career, 1);
  if (auto* error = std::get_if<FileError>(&first)) return *error;
  const auto& names = std::get<std::vector<std::string>>(first);
  std::array<std::string, 16> clubs;
  for (std::size_t m = 0; m < 8; ++m) {
    for (std::size_t side = 0; side < 2; ++side) {
      clubs[static_cast<std::size_t>(kTemplate[0][m][side] - 1)] = names[2 * m + side];
    }
  }
  return clubs;
}

std::vector<std::string> RoundRecordValues(const RoundRecord& r) {
  std::vector<std::string> v = {r.player.Disposals, r.player.Goals, r.player.Behinds,
                                r.player.MatchRating, r.player.Position};
  v.reserve(kResultValues);
  for (std::size_t s = 0; s < 8; ++s) {
    const RoundSlot& slot = r.slots[s];
    v.push_back(r.teamOne[s]);
    for (std::size_t q = 0; q < 4; ++q) {
      v.push_back(std::to_string(slot.GoalsOne[q]));
      v.push_back(std::to_string(slot.BehindsOne[q]));
    }
    v.push_back(r.teamTwo[s]);
    for (std::size_t q = 0; q < 4; ++q) {
      v.push_back(std::to_string(slot.GoalsTwo[q]));
      v.push_back(std::to_string(slot.BehindsTwo[q]));
    }
  }
  return v;
}

std::optional<FileError> AppendRoundResult(const std::filesystem::path& folder,
                                           const Career& career, const RoundRecord& record) {
  std::string lines;
  lines.reserve(kResultValues * 8);
  AppendRecordLines(lines, record);
  return KeepAndAdd(ResultsPath(folder, career), kEverything, lines);
}

std::optional<FileError> StoreRoundResult(const std::filesystem::path& folder, const Career& career,
                                          const RoundRecord& record) {
  std::string lines;
  lines.reserve(kResultValues * 8);
  AppendRecordLines(lines, record);
  // A season's first round starts the file anew through the atomic writer:
  // until that round is saved, the file on disk is last season's whole, or
  // this one's first record alone, never a mixture.
  if (career.Matches <= 1) {
    if (auto error = WriteFileAtomically(ResultsPath(folder, career), lines)) {
      return FileError{*error};
    }
    return std::nullopt;
  }
  const auto before = static_cast<std::size_t>(career.Matches - 1);
  return KeepAndAddInPlace(ResultsPath(folder, career), before * kResultValues, lines);
}

std::variant<RoundRecord, FileError> ReadRoundResult(const std::filesystem::path& folder,
                                                     const Career& career, int round) {
  const auto path = ResultsPath(folder, career);
  ReadResult read = ReadWholeFile(path, kMaxSeasonFileBytes);
  if (!read.bytes) return FileError{read.error};
  const std::string name = path.filename().string();
  QuotedReader in(*read.bytes, name);
  const auto start = static_cast<std::size_t>(kResultValues) * static_cast<std::size_t>(round - 1);
  const std::size_t lines = CountLines(*read.bytes);
  if (round < 1 || lines < start + kResultValues) {
    // The sentence of a damaged line comes first, as reading every value would have found it.
    for (std::size_t k = 0; k < lines; ++k) {
      if (!in.Next()) return in.NotQuoted();
    }
    return FileError{name + " ends at line " + std::to_string(lines) +
                     ", before the record of round " + std::to_string(round)};
  }
  in.Seek(start);
  RoundRecord r;
  if (auto error = ReadRecord(in, r)) return *error;
  return r;
}

std::optional<FileError> CheckSeasonFiles(const std::filesystem::path& folder,
                                          const Career& career) {
  const int played = career.Matches;
  const auto path = ResultsPath(folder, career);
  const std::string name = path.filename().string();
  // Before a season's first round nothing is read from the results file.
  if (played == 0) return std::nullopt;
  ReadResult read = ReadWholeFile(path, kMaxSeasonFileBytes);
  if (!read.bytes && !read.missing) return FileError{read.error};
  // A season that is over needs nothing more from its results, and the next
  // season's first round starts the file anew: a crash after that round's
  // record and before its save leaves that record alone beside a save of
  // the season before.
  if (played == kSeasonRounds) return std::nullopt;
  if (read.missing) {
    return FileError{name + " is missing, but the career has played " + std::to_string(played) +
                     " rounds of its season"};
  }

  // The records of the rounds played must all be there and whole. Anything
  // beyond them was written by a round whose save never followed: it is no
  // part of the career, and the next round's record takes its place.
  QuotedReader in(*read.bytes, name);
  RoundRecord record;
  for (int r = 0; r < played; ++r) {
    if (in.AtEnd()) {
      return FileError{name + " ends at line " + std::to_string(in.line()) +
                       ", but the career has played " + std::to_string(played) +
                       " rounds: the record of round " + std::to_string(r + 1) + " is missing"};
    }
    if (auto error = ReadRecord(in, record)) return *error;
  }
  // A round whose save never followed leaves one record at most: more than
  // that beyond the rounds played says the save and its results tell two
  // different seasons. Only line ends are counted: what is there is not
  // read.
  const std::size_t lines = CountLines(*read.bytes);
  const std::size_t needed = static_cast<std::size_t>(played) * kResultValues;
  if (lines > needed + kResultValues) {
    return FileError{name + " holds " + std::to_string(lines / kResultValues) +
                     " rounds' results, but the career's save has played " +
                     std::to_string(played) + " rounds of its season"};
  }
  return std::nullopt;
}

std::optional<FileError> StartCompetitionSeason(const std::filesystem::path& folder, Career& career,
                                                Random& random, const ClubList& list) {
  std::array<std::string, 16> clubs;
  std::copy(list.begin(), list.end(), clubs.begin());
  if (auto error = WriteSeasonFixture(folder, career, clubs)) return error;
  const int c = random.roll(16);
  for (std::size_t k = 0; k < 16; ++k) {
    career.Ladder[k].Team = clubs[(k + static_cast<std::size_t>(c)) % 16];
  }
  return std::nullopt;
}

std::optional<FileError> StayInCompetitionSeason(const std::filesystem::path& folder,
                                                 Career& career, Random& random) {
  std::array<std::string, 16> old;
  for (std::size_t k = 0; k < 16; ++k) old[k] = career.Ladder[k].Team;
  const auto& order = kStayOrders[static_cast<std::size_t>(random.roll(4) - 1)];
  for (std::size_t k = 0; k < 16; ++k) {
    career.Ladder[k].Team = old[static_cast<std::size_t>(order[k] - 1)];
  }
  return WriteSeasonFixture(folder, career, old);
}

}  // namespace km
