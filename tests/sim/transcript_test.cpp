// The transcript: one line per message, question and story, in the format
// the README documents.

#include "sim/transcript.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace km::sim {
namespace {

TEST(SimTranscript, EveryEntryIsOneLine) {
  struct Case {
    const char* text;
    const char* written;
  };
  for (const Case& c :
       {Case{"plain", "plain"}, Case{"two\r\nlines", "two\\nlines"},
        Case{"two\nlines", "two\\nlines"}, Case{"two\rlines", "two\\nlines"},
        Case{"end\r\n\r\n", "end\\n\\n"}, Case{"C:\\kick", "C:\\\\kick"}, Case{"", ""}}) {
    EXPECT_EQ(EscapeForTranscript(c.text), c.written) << c.text;
  }
}

TEST(SimTranscript, WritesEachKindOfEntryInItsFormat) {
  std::ostringstream out;
  TranscriptPrompter prompter(&out);
  prompter.inform("Dang... Well done", kProgramTitle);
  prompter.inform("You are injured", "Injury");
  EXPECT_FALSE(prompter.askYesNo("Do you want to make the change?", kProgramTitle, Icon::Stop));
  EXPECT_FALSE(prompter.askYesNo("Bet $50?", "Bet", Icon::Question));
  prompter.publish(Story{"The Herald", "Rookie signs", "Line one\r\nLine two"});
  EXPECT_FALSE(prompter.chooseFileToOpen("Kickmark Save files (*.kms)|*.kms", ".").has_value());

  EXPECT_EQ(out.str(),
            "message: Dang... Well done\n"
            "message [Injury]: You are injured\n"
            "question: Do you want to make the change? -> No\n"
            "question [Bet]: Bet $50? -> No\n"
            "story: The Herald | Rookie signs | Line one\\nLine two\n"
            "open: Kickmark Save files (*.kms)|*.kms -> Cancel\n");
  EXPECT_EQ(prompter.messages(),
            (std::vector<std::string>{"Dang... Well done", "You are injured"}));
}

TEST(SimTranscript, WithoutAFileMessagesAreStillKept) {
  TranscriptPrompter prompter(nullptr);
  prompter.inform("Nice try mate ;)", kProgramTitle);
  EXPECT_EQ(prompter.messages(), std::vector<std::string>{"Nice try mate ;)"});
}

}  // namespace
}  // namespace km::sim
