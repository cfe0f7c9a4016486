#include "core/new_career.h"

#include <algorithm>
#include <array>

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

}  // namespace

bool IsFileNameSafe(std::string_view text) {
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) return false;
    if (std::string_view(R"(\/:*?"<>|)").find(c) != std::string_view::npos) return false;
  }
  if (!FitsWindows1252(text)) return false;
  // The save holds the name in Windows-1252, so it must come back from there
  // byte for byte: an overlong UTF-8 form (C0 AF for '/') reads as a letter
  // but is written as another, or as a path separator.
  if (FromWindows1252(ToWindows1252(text)) != text) return false;
  // The control characters 0x80..0x9F, written in UTF-8 as C2 80..C2 9F.
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const auto next = static_cast<unsigned char>(text[i + 1]);
    if (lead == 0xC2 && next >= 0x80 && next <= 0x9F) return false;
  }
  return true;
}

std::optional<std::string> CheckSetupAnswers(const SetupAnswers& a) {
  // The checks run in this order; the first that fails is the one reported.
  if (a.name.empty()) return kFillOutMessage;
  if (!IsFileNameSafe(a.name)) return kBadNameMessage;
  if (a.careerName.empty()) return kCareerNameMessage;
  if (!IsFileNameSafe(a.careerName)) return kBadCareerNameMessage;
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
  const auto problem = CheckSetupAnswers(answers);
  if (problem) prompter.inform(*problem);

  // A special career name has its say whether the answers passed or not.
  const int special = SpecialIndex(answers.careerName);
  if (special >= 0 && !kSpecialNames[static_cast<std::size_t>(special)].message.empty()) {
    prompter.inform(std::string(kSpecialNames[static_cast<std::size_t>(special)].message));
  }
  if (problem) {
    // No career yet: the name's effect waits for the next accepted Start.
    if (special >= 0) pendingSpecials_.push_back(special);
    return std::nullopt;
  }

  Career career = CreateCareer(answers);
  if (special >= 0) pendingSpecials_.push_back(special);
  for (const int index : pendingSpecials_) {
    kSpecialNames[static_cast<std::size_t>(index)].apply(career);
  }
  pendingSpecials_.clear();
  return career;
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
    *skill = std::max(1, *skill - 2);
  }
  career.SetupOverall = OverallOf(career.SetupKicking, career.SetupHandballing,
                                  career.SetupTackling, career.SetupMarking, career.SetupRunning);
  return true;
}

}  // namespace km
