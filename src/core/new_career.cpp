// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/new_career.h"

#include <algorithm>
#include <array>

#include "core/file_names.h"
#include "core/game_data.h"
#include "core/text_file.h"

namespace km {
namespace {

// Four career file names change the new career. They must match exactly,
// letter case and all.
struct SpecialName {
  std::string_view careerName;
  std::string_view message;  // empty: no message
  void (*apply)(Career&);
};

constexpr std::array<SpecialName, 4> kSpecialNames = {{
    {"Cash Lord", "Dang... Well done",
     [](Career& c) { c.BankBalance = Money::Dollars(1000000000); }},
    {"Iron Bolt", "Nice try mate ;)", [](Career&) {}},
    {"Overnight Legend", "", [](Career& c) { c.League = "AFL"; }},
    {"Old Timer Bloke", "",
     [](Career& c) {
       c.Age = 40;
       c.BankBalance = Money::Dollars(1000000000);
     }},
}};

int SpecialIndex(std::string_view careerName) {
  for (std::size_t i = 0; i < kSpecialNames.size(); ++i) {
    if (kSpecialNames[i].careerName == careerName) return static_cast<int>(i);
  }
  return -1;
}

// A character no file name of the game's may hold: \ / : * ? " < > |, or a
// control character (C0, DEL, or C1, written in UTF-8 as C2 80..C2 9F).
bool HasForbiddenCharacter(std::string_view text) {
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) return true;
    if (std::string_view(R"(\/:*?"<>|)").find(c) != std::string_view::npos) return true;
  }
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const auto next = static_cast<unsigned char>(text[i + 1]);
    if (lead == 0xC2 && next >= 0x80 && next <= 0x9F) return true;
  }
  return false;
}

// A load reads a save that is UTF-8 as UTF-8 (DetectEncoding). A name whose
// Windows-1252 bytes are UTF-8 would make the save that, and read back as
// other letters: "Ã©" is written C3 A9 and read as "é". Gives the first
// letters that would, or nothing.
std::string LettersReadBackAsUtf8(std::string_view text) {
  const std::string written = ToWindows1252(text);
  const auto high = std::find_if(written.begin(), written.end(),
                                 [](char ch) { return static_cast<unsigned char>(ch) >= 0x80; });
  if (high == written.end() || !IsUtf8(written)) return {};
  const auto lead = static_cast<unsigned char>(*high);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  return FromWindows1252(
      std::string_view(written).substr(static_cast<std::size_t>(high - written.begin()), length));
}

}  // namespace

bool IsFileNameSafe(std::string_view text) {
  // Strict UTF-8 gives each character one spelling only: an overlong form
  // (C0 AF for '/') would read as a letter but be written as another, or as
  // a path separator.
  return !HasForbiddenCharacter(text) && !text.starts_with('.') && IsUtf8(text) &&
         FitsWindows1252(text);
}

std::optional<std::string> NameProblem(std::string_view text, NameUse use) {
  const bool career = use == NameUse::Career;
  if (HasForbiddenCharacter(text)) {
    return std::string(career ? kBadCareerNameMessage : kBadNameMessage);
  }
  if (text.starts_with('.')) return std::string(career ? kDotCareerNameMessage : kDotNameMessage);
  const std::string subject = career ? "The career file name" : "The name";
  if (!IsUtf8(text)) {
    return subject + " is not valid UTF-8 text, so it cannot be saved. Please type it again.";
  }
  if (const auto outside = CharactersOutsideWindows1252(text); !outside.empty()) {
    std::string listed;
    for (const std::string& character : outside) {
      if (!listed.empty()) listed += ' ';
      listed += character;
    }
    return subject +
           " contains characters that cannot be saved (only the letters of Western European "
           "languages can be used): " +
           listed;
  }
  if (const std::string letters = LettersReadBackAsUtf8(text); !letters.empty()) {
    return subject + " cannot be saved as typed: the save file would read the letters \"" +
           letters + "\" in it back as other letters. Please write them another way.";
  }
  const std::size_t longest = career ? kLongestCareerName : kLongestPlayerName;
  if (text.size() > longest) {
    return (career ? "The career file name is too long to be used as the name of a file."
                   : "The name is too long to be used as a file name (the player's history "
                     "files are named after him).") +
           std::string(" Please use a shorter name: at most ") + std::to_string(longest) +
           " characters, fewer with accented letters or symbols.";
  }
  return std::nullopt;
}

std::optional<std::string> CheckSetupAnswers(const SetupAnswers& a) {
  // The checks run in this order; the first that fails is the one reported.
  if (a.name.empty()) return kFillOutMessage;
  if (auto problem = NameProblem(a.name, NameUse::Player)) return problem;
  if (a.careerName.empty()) return kCareerNameMessage;
  if (auto problem = NameProblem(a.careerName, NameUse::Career)) return problem;
  if (a.city.empty()) return kFillOutMessage;
  if (a.state.empty()) return kFillOutMessage;
  if (!IsState(a.state)) return kFillOutMessage;
  if (!IsPosition(a.position)) return kFillOutMessage;
  return std::nullopt;
}

void CopySetupIntoLive(Career& c, const SetupAnswers& a) {
  c.Name = a.name;
  c.State = a.state;
  c.Height = a.height;
  c.Weight = a.weight;
  c.Position = a.position;
  c.Kicking = c.SetupKicking;
  c.Handballing = c.SetupHandballing;
  c.Tackling = c.SetupTackling;
  c.Marking = c.SetupMarking;
  c.Running = c.SetupRunning;
  c.Overall = c.SetupOverall;
}

Career CreateCareer(const SetupAnswers& a) {
  Career c = Career::Create();
  c.CareerName = a.careerName;
  c.SetupKicking = a.kicking;
  c.SetupHandballing = a.handballing;
  c.SetupTackling = a.tackling;
  c.SetupMarking = a.marking;
  c.SetupRunning = a.running;
  c.SetupOverall = a.overall();
  CopySetupIntoLive(c, a);
  return c;
}

std::optional<Career> NewCareer::Start(const SetupAnswers& answers, Prompter& prompter) {
  std::optional<Career> made;
  Start(answers, prompter, [&made](Career career) { made = std::move(career); });
  return made;
}

bool NewCareer::Start(const SetupAnswers& answers, Prompter& prompter,
                      const std::function<void(Career)>& accepted) {
  const auto problem = CheckSetupAnswers(answers);
  if (problem) prompter.inform(*problem);

  // A special career name has its say whether the answers passed or not:
  // over the setup screen when they did not, over the new career's first
  // screen when they did.
  const int special = SpecialIndex(answers.careerName);
  const auto tellSpecial = [&] {
    if (special >= 0 && !kSpecialNames[static_cast<std::size_t>(special)].message.empty()) {
      prompter.inform(std::string(kSpecialNames[static_cast<std::size_t>(special)].message));
    }
  };
  if (problem) {
    tellSpecial();
    // No career yet: the name's effect waits for the next accepted Start.
    if (special >= 0) pendingSpecials_.push_back(special);
    return false;
  }

  Career career = CreateCareer(answers);
  if (special >= 0) pendingSpecials_.push_back(special);
  for (const int index : pendingSpecials_) {
    kSpecialNames[static_cast<std::size_t>(index)].apply(career);
  }
  pendingSpecials_.clear();
  accepted(std::move(career));
  tellSpecial();
  return true;
}

bool ChangePosition(Career& career, std::string_view position, Prompter& prompter) {
  if (!IsPosition(position)) {
    prompter.inform(kFillOutMessage);
    return false;
  }
  career.Position = std::string(position);
  // Learning a new position costs every base skill two points, never below 1.
  for (int* skill : {&career.SetupKicking, &career.SetupHandballing, &career.SetupTackling,
                     &career.SetupMarking, &career.SetupRunning}) {
    *skill = std::max(1, *skill - kPositionChangeCost);
  }
  career.SetupOverall = OverallOf(career.SetupKicking, career.SetupHandballing,
                                  career.SetupTackling, career.SetupMarking, career.SetupRunning);
  return true;
}

}  // namespace km
