// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/transcript.h"

namespace km::sim {

namespace {

// The box's title, when it is not the program's own.
std::string TitleTag(const std::string& title) {
  if (title.empty() || title == kProgramTitle) return "";
  return " [" + EscapeForTranscript(title) + "]";
}

}  // namespace

std::string EscapeForTranscript(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\r') {
      out += "\\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

void TranscriptPrompter::inform(const std::string& text, const std::string& title) {
  messages_.push_back(text);
  write("message" + TitleTag(title) + ": " + EscapeForTranscript(text));
}

bool TranscriptPrompter::askYesNo(const std::string& text, const std::string& title,
                                  Icon /*icon*/) {
  // No is every question's default button, and the simulator takes it.
  const bool answer = false;
  questions_.push_back(text);
  write("question" + TitleTag(title) + ": " + EscapeForTranscript(text) + " -> " +
        (answer ? "Yes" : "No"));
  return answer;
}

void TranscriptPrompter::publish(const Story& story) {
  write("story: " + EscapeForTranscript(story.masthead) + " | " +
        EscapeForTranscript(story.headline) + " | " + EscapeForTranscript(story.text));
}

std::optional<std::filesystem::path> TranscriptPrompter::chooseFileToOpen(
    const std::string& filter, const std::filesystem::path& /*folder*/) {
  write("open: " + EscapeForTranscript(filter) + " -> Cancel");
  return std::nullopt;
}

void TranscriptPrompter::note(std::string_view kind, std::string_view text) {
  write(std::string(kind) + ": " + EscapeForTranscript(text));
}

void TranscriptPrompter::write(const std::string& line) {
  if (transcript_ == nullptr) return;
  // Flushed at once, so the transcript shows how far a run got even if it
  // stops half way.
  *transcript_ << line << '\n' << std::flush;
}

}  // namespace km::sim
