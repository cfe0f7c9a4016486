// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/save_file.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "core/career_fields.h"
#include "core/file_names.h"
#include "core/game_data.h"
#include "core/invariants.h"
#include "core/new_career.h"
#include "core/text_file.h"

namespace km {
namespace {

// How a value stands on its line: quoted text, a bare whole number (a bar's
// value) or #TRUE#/#FALSE#.
enum class LineKind { Quoted, Bare, Switch };

struct SaveLine {
  const CareerField* field;
  LineKind kind;
};

void Add(std::vector<SaveLine>& lines, const std::string& name) {
  const CareerField* field = FindCareerField(name);
  switch (field->kind) {
    case FieldKind::Switch:
      lines.push_back({field, LineKind::Switch});
      break;
    case FieldKind::Bar:  // a bar is written twice: the text it shows, then its value
      lines.push_back({field, LineKind::Quoted});
      lines.push_back({field, LineKind::Bare});
      break;
    default:
      lines.push_back({field, LineKind::Quoted});
  }
}

// The 491 lines of the save file, in their order.
std::vector<SaveLine> BuildLayout() {
  std::vector<SaveLine> lines;
  lines.reserve(kSaveLines);
  for (const char* name : {"Name",
                           "Team",
                           "State",
                           "League",
                           "Height",
                           "Weight",
                           "Age",
                           "Position",
                           "Kicking",
                           "Handballing",
                           "Tackling",
                           "Marking",
                           "Running",
                           "Overall",
                           "Matches",
                           "Disposals",
                           "Goals",
                           "Behinds",
                           "MostDisposals",
                           "MostGoals",
                           "AverageDisposals",
                           "AverageGoals",
                           "BOGs",
                           "MatchRating",
                           "MatchRatingAverage",
                           "Wages",
                           "Sponsorship",
                           "OtherIncome",
                           "BankBalance",
                           "Boots",
                           "Jumper",
                           "Shorts",
                           "Other",
                           "GearOverall",
                           "Fitness",
                           "Health",
                           "Stamina",
                           "HealthOverall",
                           "ContractOpen",
                           "SponsorshipOpen",
                           "PlayOpen",
                           "OfferContract",
                           "SignOpen",
                           "ContractTeam",
                           "ContractCurrent",
                           "ContractLength",
                           "ContractMatches"}) {
    Add(lines, name);
  }
  // Each offer screen: every company's two switches, then every amount.
  for (const std::string_view slot : kSlotNames) {
    const std::string screen = "Sponsor" + std::string(slot);
    for (const Company& company : kCompanies) {
      Add(lines, screen + std::string(company.key) + "Enabled");
      Add(lines, screen + std::string(company.key) + "Chosen");
    }
    for (const Company& company : kCompanies) Add(lines, screen + std::string(company.key));
  }
  for (const std::string_view slot : kSlotNames) {
    Add(lines, "Sponsor" + std::string(slot) + "Sponsor");
    Add(lines, "Sponsor" + std::string(slot) + "Offer");
  }
  for (const std::string_view prefix : kLevelPrefixes) {
    for (const char* stat : {"Matches", "Disposals", "Goals", "Behinds", "MostDisposals",
                             "MostGoals", "AverageDisposals", "AverageGoals", "BOGs"}) {
      Add(lines, std::string(prefix) + stat);
    }
  }
  for (const char* name :
       {"LocalMVP", "LocalGoalsAward", "LocalRookie", "LocalU21", "LocalBestAndFairest",
        "LocalAllStar", "LocalCaptain", "RegionalMVP", "RegionalGoalsAward", "RegionalRookie",
        "RegionalU21", "RegionalBestAndFairest", "RegionalAllStar", "RegionalCaptain", "StateMVP",
        "StateGoalsAward", "StateRookie", "StateU21", "StateBestAndFairest", "StateVictorian",
        "StateCaptain", "StateMatchesAward", "AFLBrownlow", "AFLColeman", "AFLRisingStar", "AFLU21",
        "AFLBestAndFairest", "AFLAllAustralian", "AFLCaptain", "AFLMatchesAward", "MajorSponsor",
        "JumperSponsor", "ShortsSponsor", "BootsSponsor", "SocksSponsor",
        // The base skills keep Marking before Tackling.
        "SetupKicking", "SetupHandballing", "SetupMarking", "SetupTackling", "SetupRunning",
        "SetupOverall", "Suspension", "Injury", "Brownlow", "BrownlowEligible", "MatchesPlayed",
        "CareerName"}) {
    Add(lines, name);
  }
  for (const char* column : {"", "Wins", "Losses", "Draws", "For", "Against"}) {
    for (const std::string_view row : kOrdinalWords) {
      Add(lines, "Ladder" + std::string(row) + column);
    }
  }
  for (const char* name :
       {"TeamMatches", "TeamWins", "TeamLosses", "TeamDraws", "TeamGoals", "TeamBehinds"}) {
    Add(lines, name);
  }
  return lines;
}

static_assert(std::string_view(kSaveExtension) == kSaveEnding);

const std::vector<SaveLine>& Layout() {
  static const std::vector<SaveLine> layout = BuildLayout();
  return layout;
}

// The two texts that name files: the save and the season files are named
// after the career, the history files after the player.
bool NamesFiles(const SaveLine& line) {
  return line.field->name == "CareerName" || line.field->name == "Name";
}

// The rounds of the home-and-away season, before the finals.
constexpr int kHomeAndAwayMatches = 22;

// The 1-based line of a field's first line.
std::size_t LineOf(std::string_view fieldName) {
  const std::vector<SaveLine>& layout = Layout();
  for (std::size_t i = 0; i < layout.size(); ++i) {
    if (layout[i].field->name == fieldName) return i + 1;
  }
  return 0;
}

bool IsCompetition(std::string_view league) {
  return std::find(kCompetitionNames.begin(), kCompetitionNames.end(), league) !=
         kCompetitionNames.end();
}

// Until the finals every club of the ladder has played as often as every
// other; a name that stands twice is left out, as it cannot be told apart.
// Gives the first row that has not, or nothing.
std::optional<std::size_t> UnevenLadderRow(const Career& c) {
  if (c.Matches > kHomeAndAwayMatches) return std::nullopt;
  std::map<std::string, int> names;
  for (const LadderRow& row : c.Ladder) ++names[row.Team];
  std::optional<int> played;
  for (std::size_t k = 0; k < c.Ladder.size(); ++k) {
    const LadderRow& row = c.Ladder[k];
    if (names[row.Team] != 1) continue;
    const int p = row.Wins + row.Losses + row.Draws;
    if (played && p != *played) return k;
    played = p;
  }
  return std::nullopt;
}

bool IsHigh(char ch) { return static_cast<unsigned char>(ch) >= 0x80; }

std::string Expected(const SaveLine& line) {
  switch (line.kind) {
    case LineKind::Switch:
      return "expected #TRUE# or #FALSE#";
    case LineKind::Bare:
      return "expected a whole number from 0 to 100";
    case LineKind::Quoted:
      break;
  }
  switch (line.field->kind) {
    case FieldKind::Whole:
      return "expected a whole number in double quotes";
    case FieldKind::Bar:
      return "expected a whole number from 0 to 100 in double quotes";
    case FieldKind::Decimal:
      return "expected a number in double quotes";
    case FieldKind::Money:
      return "expected an amount of dollars in double quotes";
    default:
      return "expected a text in double quotes";
  }
}

}  // namespace

std::string SaveFileText(const Career& career) {
  std::string out;
  out.reserve(8 * 1024);
  std::string shown;  // a quoted field's value before it goes into Windows-1252
  for (const SaveLine& line : Layout()) {
    switch (line.kind) {
      case LineKind::Quoted: {
        shown.clear();
        line.field->append(career, shown);
        out += '"';
        const bool plain = std::all_of(shown.begin(), shown.end(), [](char ch) {
          return static_cast<unsigned char>(ch) < 0x80;
        });
        if (plain) {
          out += shown;
        } else {
          out += ToWindows1252(shown);
        }
        out += '"';
        break;
      }
      case LineKind::Bare:
        line.field->append(career, out);
        break;
      case LineKind::Switch:
        out += line.field->getSwitch(career) ? "#TRUE#" : "#FALSE#";
        break;
    }
    out += "\r\n";
  }
  return out;
}

std::variant<Career, FileError> ParseSaveFile(std::string_view bytes, const std::string& fileName) {
  // The game writes Windows-1252; a text editor may have saved the file
  // again as UTF-8 or UTF-16.
  const DetectedEncoding encoding = DetectEncoding(bytes);
  if (encoding.encoding == Encoding::Utf16) {
    return FileError{fileName +
                     " is saved as UTF-16 text, which the game cannot read: save it again as "
                     "Windows-1252 (ANSI) or UTF-8"};
  }
  bytes.remove_prefix(encoding.markLength);
  const bool utf8 = encoding.encoding == Encoding::Utf8;

  Career career;
  const std::vector<SaveLine>& layout = Layout();
  // The career's own save is written in Windows-1252. Were every text in it
  // with a byte of 0x80 or more UTF-8 as well, it would read back as UTF-8,
  // and as other letters: such a file is refused at its first such text.
  bool writtenUtf8 = true;
  std::optional<std::size_t> highLine;
  std::string highText;
  std::string highWritten;
  std::size_t pos = 0;
  for (std::size_t index = 0; index < layout.size(); ++index) {
    const auto where = [&] { return fileName + ", line " + std::to_string(index + 1) + ": "; };
    if (pos >= bytes.size()) {
      return FileError{where() + "the file ends here, but a career file has " +
                       std::to_string(kSaveLines) + " lines"};
    }
    auto end = bytes.find('\n', pos);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view value = bytes.substr(pos, end - pos);
    pos = end + 1;
    if (!value.empty() && value.back() == '\r') value.remove_suffix(1);
    if (value.size() > kMaxSaveLineLength) {
      return FileError{where() + "the line is " + std::to_string(value.size()) +
                       " characters long, but no value of a career file is longer than " +
                       std::to_string(kMaxSaveLineLength)};
    }

    const SaveLine& line = layout[index];
    bool ok = false;
    switch (line.kind) {
      case LineKind::Quoted:
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
          const std::string_view quoted = value.substr(1, value.size() - 2);
          std::string text;
          if (utf8) {
            // Only a file that starts with the byte order mark can break
            // UTF-8 here: without it, the whole file is UTF-8.
            if (!IsUtf8(quoted)) {
              return FileError{where() +
                               "expected UTF-8 text, as the file starts with the UTF-8 byte "
                               "order mark"};
            }
            const auto outside = CharactersOutsideWindows1252(quoted);
            if (!outside.empty()) {
              return FileError{where() + "the text holds " + outside.front() +
                               ", which the game cannot save: only the letters of Western "
                               "European languages (Windows-1252) can be used"};
            }
            text = quoted;
          } else {
            text = FromWindows1252(quoted);
          }
          // A name the setup screen would refuse cannot name a file either: a
          // career file name such as "../x" would save outside the folder.
          if (NamesFiles(line) && !IsFileNameSafe(text)) {
            return FileError{where() + R"(expected a name without any of \ / : * ? " < > |)" +
                             " or a control character"};
          }
          // Nor can a name too long for the files named after it, and
          // their temporary files, to fit the file system.
          if (NamesFiles(line)) {
            const std::size_t longest =
                line.field->name == "Name" ? kLongestPlayerName : kLongestCareerName;
            if (text.size() > longest) {
              return FileError{where() + "expected a name of at most " + std::to_string(longest) +
                               " bytes, so that the files named after it fit the file system, "
                               "but it has " +
                               std::to_string(text.size())};
            }
          }
          ok = line.field->set(career, text);
          // Numbers are written back in ASCII; a text as it is.
          if (ok && line.field->kind == FieldKind::Text &&
              std::any_of(quoted.begin(), quoted.end(), IsHigh)) {
            // What the career's own save holds on this line.
            std::string written = utf8 ? ToWindows1252(text) : std::string(quoted);
            writtenUtf8 = writtenUtf8 && IsUtf8(written);
            if (!highLine) {
              highLine = index + 1;
              highText = text;
              highWritten = std::move(written);
            }
          }
        }
        break;
      case LineKind::Bare:
        ok = line.field->set(career, value);
        break;
      case LineKind::Switch:
        ok = value == "#TRUE#" || value == "#FALSE#";
        if (ok) line.field->setSwitch(career, value == "#TRUE#");
        break;
    }
    if (!ok) return FileError{where() + Expected(line)};
  }
  if (highLine && writtenUtf8) {
    return FileError{fileName + ", line " + std::to_string(*highLine) + ": the game would save \"" +
                     highText + "\" as text that reads back as \"" + highWritten + "\""};
  }
  return career;
}

std::variant<Career, FileError> ReadCareer(std::string_view bytes, const std::string& fileName) {
  auto parsed = ParseSaveFile(bytes, fileName);
  if (std::holds_alternative<FileError>(parsed)) return parsed;
  const Career& career = std::get<Career>(parsed);
  const auto at = [&](std::string_view field) {
    return fileName + ", line " + std::to_string(LineOf(field)) + ": ";
  };
  // The competition picks the clubs and the rules of every week.
  if (!IsCompetition(career.League)) {
    return FileError{at("League") +
                     "expected the competition in double quotes: Local Reserves, Local Firsts, "
                     "State or AFL"};
  }
  // The player himself: a home state and a position of the game's lists, an
  // age, height and weight a career can reach, and base skills that started
  // at 1..100 and only ever go down.
  if (!IsState(career.State)) {
    return FileError{at("State") +
                     "expected a home state in double quotes: ACT, New South Wales, "
                     "Northern Territory, Queensland, South Australia, Tasmania, "
                     "Victoria or Western Australia"};
  }
  if (!IsPosition(career.Position)) {
    return FileError{at("Position") + "expected one of the thirteen positions in double quotes"};
  }
  const std::tuple<std::string_view, int, int, int> ranges[] = {
      {"Age", career.Age, kStartingAge, kOldestAge},
      {"Height", career.Height, kShortest, kTallest + kMostGrowth},
      {"Weight", career.Weight, kLightest, kHeaviest + kMostGrowth},
      {"SetupKicking", career.SetupKicking, 1, 100},
      {"SetupHandballing", career.SetupHandballing, 1, 100},
      {"SetupTackling", career.SetupTackling, 1, 100},
      {"SetupMarking", career.SetupMarking, 1, 100},
      {"SetupRunning", career.SetupRunning, 1, 100},
  };
  for (const auto& [field, value, low, high] : ranges) {
    if (value < low || value > high) {
      return FileError{at(field) + "expected a whole number from " + std::to_string(low) + " to " +
                       std::to_string(high) + ", not " + std::to_string(value)};
    }
  }
  if (const auto row = UnevenLadderRow(career)) {
    const std::string rowName(kOrdinalWords[*row]);
    const LadderRow& r = career.Ladder[*row];
    return FileError{at("Ladder" + rowName + "Wins") + "the ladder's " + rowName + " row, " +
                     r.Team + ", has played " + std::to_string(r.Wins + r.Losses + r.Draws) +
                     " matches, not as many as the clubs above it"};
  }
  // Whatever else the game's weeks rely on (bars, skills, counts, the
  // contract) holds too, or the file is not a career's.
  if (const auto broken = CheckInvariants(career); !broken.empty()) {
    return FileError{fileName + " is no career the game can go on with: " + broken.front()};
  }
  return parsed;
}

std::filesystem::path SaveFilePath(const std::filesystem::path& folder, const Career& career) {
  return folder / (career.CareerName + kSaveExtension);
}

std::optional<FileError> SaveCareer(const std::filesystem::path& folder, const Career& career) {
  const auto error = WriteFileAtomically(SaveFilePath(folder, career), SaveFileText(career));
  if (error) return FileError{*error};
  return std::nullopt;
}

std::variant<Career, FileError> LoadCareer(const std::filesystem::path& file) {
  const ReadResult read = ReadWholeFile(file, kMaxSaveBytes);
  if (!read.bytes) return FileError{read.error};
  return ReadCareer(*read.bytes, file.filename().string());
}

}  // namespace km
