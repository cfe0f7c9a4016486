// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Ports for tests: a Random that returns the draws a test lists, and a
// Prompter that records everything it is told and answers from a script.

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/ports.h"
#include "support/printers.h"

namespace km::testing {

class ScriptedRandom final : public Random {
 public:
  // Makes the next roll(n) give k.
  void next(int k, int n) { draws_.push_back((k - 0.5) / n); }
  // What draw() gives once the script is used up (else that is a failure).
  std::optional<double> fallback;
  double draw() override {
    if (draws_.empty() && fallback) return *fallback;
    if (draws_.empty()) throw std::runtime_error("ScriptedRandom: no draw left in the script");
    const double d = draws_.front();
    draws_.pop_front();
    return d;
  }
  [[nodiscard]] std::size_t left() const { return draws_.size(); }

 private:
  std::deque<double> draws_;
};

class ScriptedPrompter final : public Prompter {
 public:
  struct Message {
    std::string text;
    std::string title;
  };
  struct Question {
    std::string text;
    std::string title;
    Icon icon;
    bool answer;
  };

  // Answers for the next questions; beyond them, the default answer No.
  std::deque<bool> answers;
  // Answers for the next open-file choices; nothing means Cancel.
  std::deque<std::optional<std::filesystem::path>> files;

  std::vector<Message> messages;
  std::vector<Question> questions;
  std::vector<Story> stories;

  // Called with each message as it comes up, while the caller waits on it.
  std::function<void(const Message&)> onInform;

  void inform(const std::string& text, const std::string& title) override {
    messages.push_back({text, title});
    if (onInform) onInform(messages.back());
  }
  bool askYesNo(const std::string& text, const std::string& title, Icon icon) override {
    const bool answer = !answers.empty() && answers.front();
    if (!answers.empty()) answers.pop_front();
    questions.push_back({text, title, icon, answer});
    return answer;
  }
  void publish(const Story& story) override { stories.push_back(story); }
  std::optional<std::filesystem::path> chooseFileToOpen(const std::string&,
                                                        const std::filesystem::path&) override {
    const auto f = files.empty() ? std::nullopt : files.front();
    if (!files.empty()) files.pop_front();
    return f;
  }

  [[nodiscard]] std::vector<std::string> messageTexts() const {
    std::vector<std::string> out;
    for (const auto& m : messages) out.push_back(m.text);
    return out;
  }
};

}  // namespace km::testing
