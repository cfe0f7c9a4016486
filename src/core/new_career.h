// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/career.h"
#include "core/ports.h"

namespace km {

// The answers on the setup screen, as they stand when Start is pressed.
struct SetupAnswers {
  std::string careerName;
  std::string name;
  std::string city;
  std::string state;
  int height = 185;  // preselected in the list, so there is always a choice
  int weight = 85;
  std::string position;
  int kicking = 1;
  int handballing = 1;
  int tackling = 1;
  int marking = 1;
  int running = 1;

  [[nodiscard]] int overall() const {
    return OverallOf(kicking, handballing, tackling, marking, running);
  }
};

inline constexpr const char* kFillOutMessage = "Please fill out the information correctly";
inline constexpr const char* kCareerNameMessage = "Please enter the career name you wish to use";
inline constexpr const char* kBadCareerNameMessage =
    R"(Please enter a career file name without any of \ / : * ? " < > |)";
inline constexpr const char* kBadNameMessage =
    R"(Please enter a name without any of \ / : * ? " < > |)";

// A name the files are named after may not start with a full stop: such a
// file is hidden from the player's file manager (and "." and ".." are the
// folder itself and the one above it).
inline constexpr const char* kDotCareerNameMessage =
    "Please enter a career file name that does not start with a full stop (.)";
inline constexpr const char* kDotNameMessage =
    "Please enter a name that does not start with a full stop (.): the player's history files "
    "are named after him";

// Whether a text can name a file of the game: none of \ / : * ? " < > |, no
// control character, and nothing Windows-1252 cannot hold.
bool IsFileNameSafe(std::string_view text);

// Which of the two names typed at setup a text is: the career file name
// names the save and the season files, the player's name the histories.
enum class NameUse { Career, Player };

// Why a text cannot be that name, as the setup screen says it, or nothing.
// In this order: a character no file name may hold (\ / : * ? " < > | or a
// control character: kBadCareerNameMessage or kBadNameMessage); a full stop
// first (kDotCareerNameMessage, kDotNameMessage); a text that
// is not UTF-8; characters Windows-1252 cannot hold, which are named; letters
// whose Windows-1252 bytes a load would read back as UTF-8 (DetectEncoding),
// so that the save would not hold the name; more bytes than the longest of
// the name's files and their temporary files leaves room for
// (kLongestCareerName, kLongestPlayerName in core/file_names.h).
std::optional<std::string> NameProblem(std::string_view text, NameUse use);

// The first message a press of Start would show for these answers, or
// nothing when they are all in order.
std::optional<std::string> CheckSetupAnswers(const SetupAnswers& answers);

// The setup screen's Start. Remembers the effect of a special career name
// typed at a refused press, so that the next accepted press applies it.
class NewCareer {
 public:
  // Checks the answers in order, showing the first failing check's message;
  // then shows the special career name's message, if any. Gives the new
  // career when the answers were accepted.
  std::optional<Career> Start(const SetupAnswers& answers, Prompter& prompter);
  // The same, handing an accepted career to `accepted` before the special
  // name's message, so that the screen it opens is up when the message
  // comes. True when the answers were accepted.
  bool Start(const SetupAnswers& answers, Prompter& prompter,
             const std::function<void(Career)>& accepted);

 private:
  std::vector<int> pendingSpecials_;
};

// What the hub does when it is made ready for a career: the profile comes
// from the setup answers, and the live skills and Overall from the base
// skills.
void CopySetupIntoLive(Career& career, const SetupAnswers& answers);

// The career a set of accepted answers makes: every field at its new-career
// value, the answers copied into the profile and into both the base and the
// live skills. No special name is applied here.
Career CreateCareer(const SetupAnswers& answers);

// The position screen's OK: a new preferred position costs 2 points of every
// base skill (never below 1). Refuses a text that is not one of the
// positions with the message box and returns false.
inline constexpr int kPositionChangeCost = 2;
bool ChangePosition(Career& career, std::string_view position, Prompter& prompter);

}  // namespace km
