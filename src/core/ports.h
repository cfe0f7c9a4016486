// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <random>
#include <string>

namespace km {

// The game's source of chance. Every random decision of the rules goes
// through draw(), a uniform value in [0, 1).
class Random {
 public:
  virtual ~Random() = default;
  virtual double draw() = 0;
  // A whole number from 1 to n with equal chances: int(draw() * n) + 1.
  int roll(int n);
};

// The real source: one Mersenne Twister, seeded from the clock unless a seed
// is given.
class TwisterRandom final : public Random {
 public:
  TwisterRandom();
  explicit TwisterRandom(std::uint64_t seed);
  double draw() override;

 private:
  std::mt19937_64 engine_;
};

// The icon of a Yes/No question.
enum class Icon { None, Information, Exclamation, Question, Stop };

// A newspaper story as the newspaper screen shows it.
struct Story {
  std::string masthead;
  std::string headline;
  std::string text;
  bool operator==(const Story&) const = default;
};

inline constexpr const char* kProgramTitle = "Kickmark";

// Everything the rules ask of the player or tell him. The game shows message
// boxes and the newspaper; the simulator answers from its policy and keeps a
// transcript; tests answer from a script.
class Prompter {
 public:
  virtual ~Prompter() = default;
  // An OK message box.
  virtual void inform(const std::string& text, const std::string& title = kProgramTitle) = 0;
  // A Yes/No question with No as the default answer. True means Yes.
  virtual bool askYesNo(const std::string& text, const std::string& title = kProgramTitle,
                        Icon icon = Icon::Question) = 0;
  // A story on the newspaper screen.
  virtual void publish(const Story& story) = 0;
  // The open-file choice for a career: the chosen save file, or nothing when
  // the player cancels. `filter` is the dialog's filter text, `folder` where
  // it starts.
  virtual std::optional<std::filesystem::path> chooseFileToOpen(
      const std::string& filter, const std::filesystem::path& folder) = 0;
};

// Where careers live unless the player names a folder: the game's own
// folder in the user's data location, $XDG_DATA_HOME/Kickmark, or
// ~/.local/share/Kickmark when XDG_DATA_HOME is unset or not absolute (as
// the desktop's rules for that variable have it). Not created here.
std::filesystem::path DefaultDataFolder();

// The folder where the save, fixture, results and history files live.
struct DataFolder {
  std::filesystem::path path;
  [[nodiscard]] std::filesystem::path file(const std::string& name) const { return path / name; }
};

}  // namespace km
