// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/ports.h"

namespace km::sim {

// The simulator's player: it answers every question with its default, No,
// never picks a file, and writes everything the game says to the transcript,
// one line each:
//
//   message: <text>
//   message [<title>]: <text>          (a box with a title of its own)
//   question: <text> -> No
//   question [<title>]: <text> -> No
//   story: <masthead> | <headline> | <text>
//   open: <filter> -> Cancel
//
// and, through note(), what the simulator's player does himself: his
// purchases, sponsor choices, the draft camp's sessions, each week and season.
//
// A line break inside a text is written as \n and a backslash as \\, so every
// entry stays on one line.
class TranscriptPrompter final : public Prompter {
 public:
  // `transcript` may be null: then nothing is written, but the messages are
  // still remembered.
  explicit TranscriptPrompter(std::ostream* transcript) : transcript_(transcript) {}

  void inform(const std::string& text, const std::string& title) override;
  bool askYesNo(const std::string& text, const std::string& title, Icon icon) override;
  void publish(const Story& story) override;
  std::optional<std::filesystem::path> chooseFileToOpen(
      const std::string& filter, const std::filesystem::path& folder) override;

  // A line of the player's own: "<kind>: <text>".
  void note(std::string_view kind, std::string_view text);

  // Every message box text shown so far, in order.
  [[nodiscard]] const std::vector<std::string>& messages() const { return messages_; }
  // Every question asked so far, in order (each answered No).
  [[nodiscard]] const std::vector<std::string>& questions() const { return questions_; }

 private:
  void write(const std::string& line);

  std::ostream* transcript_;
  std::vector<std::string> messages_;
  std::vector<std::string> questions_;
};

// A text made fit for one transcript line: CR LF, LF and CR become \n, and a
// backslash becomes \\.
std::string EscapeForTranscript(std::string_view text);

}  // namespace km::sim
