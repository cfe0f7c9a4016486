#include <gtest/gtest.h>

#include "core/new_career.h"
#include "game/game.h"
#include "support/playing.h"
#include "support/scripted_ports.h"
#include "support/temp_folder.h"

namespace km {
namespace {

using testing::ScriptedPrompter;

SetupAnswers GoodAnswers() {
  SetupAnswers a = testing::Answers("career1", "Jack Dyer", "Richmond", "Victoria", "Ruck Rover",
                                    {60, 55, 40, 50, 45});
  a.height = 188;
  a.weight = 90;
  return a;
}

TEST(NewCareer, ChecksRunInOrderWithTheirMessages) {
  const struct {
    const char* what;
    void (*spoil)(SetupAnswers&);
    const char* message;
  } cases[] = {
      {"everything empty", [](SetupAnswers& a) { a = SetupAnswers{}; },
       "Please fill out the information correctly"},
      {"name empty before career name empty",
       [](SetupAnswers& a) {
         a.name.clear();
         a.careerName.clear();
       },
       "Please fill out the information correctly"},
      {"name with a slash", [](SetupAnswers& a) { a.name = "Jack/Dyer"; },
       R"(Please enter a name without any of \ / : * ? " < > |)"},
      {"career name empty, city empty too",
       [](SetupAnswers& a) {
         a.careerName.clear();
         a.city.clear();
       },
       "Please enter the career name you wish to use"},
      {"career name with a quote", [](SetupAnswers& a) { a.careerName = "my \"career\""; },
       R"(Please enter a career file name without any of \ / : * ? " < > |)"},
      {"career name with a tab", [](SetupAnswers& a) { a.careerName = "a\tb"; },
       R"(Please enter a career file name without any of \ / : * ? " < > |)"},
      {"career name outside Windows-1252", [](SetupAnswers& a) { a.careerName = "\xe2\x98\x83"; },
       "The career file name contains characters that cannot be saved (only the letters of "
       "Western European languages can be used): \xe2\x98\x83"},
      {"city empty", [](SetupAnswers& a) { a.city.clear(); },
       "Please fill out the information correctly"},
      {"state empty", [](SetupAnswers& a) { a.state.clear(); },
       "Please fill out the information correctly"},
      {"state in lower case", [](SetupAnswers& a) { a.state = "victoria"; },
       "Please fill out the information correctly"},
      {"position empty", [](SetupAnswers& a) { a.position.clear(); },
       "Please fill out the information correctly"},
      {"position not listed", [](SetupAnswers& a) { a.position = "Half Forward"; },
       "Please fill out the information correctly"},
  };
  for (const auto& c : cases) {
    SetupAnswers a = GoodAnswers();
    c.spoil(a);
    ScriptedPrompter prompter;
    NewCareer flow;
    EXPECT_FALSE(flow.Start(a, prompter).has_value()) << c.what;
    ASSERT_EQ(prompter.messages.size(), 1u) << c.what;
    EXPECT_EQ(prompter.messages[0].text, c.message) << c.what;
    EXPECT_EQ(prompter.messages[0].title, "Kickmark") << c.what;
  }
}

TEST(NewCareer, AcceptedAnswersMakeTheCareer) {
  ScriptedPrompter prompter;
  NewCareer flow;
  const SetupAnswers a = GoodAnswers();
  const auto career = flow.Start(a, prompter);
  ASSERT_TRUE(career.has_value());
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(career->Name, "Jack Dyer");
  EXPECT_EQ(career->CareerName, "career1");
  EXPECT_EQ(career->State, "Victoria");
  EXPECT_EQ(career->Height, 188);
  EXPECT_EQ(career->Weight, 90);
  EXPECT_EQ(career->Position, "Ruck Rover");
  EXPECT_EQ(career->SetupTackling, 40);
  EXPECT_EQ(career->Marking, 50);
  EXPECT_EQ(career->SetupOverall, OverallOf(60, 55, 40, 50, 45));
  EXPECT_EQ(career->Overall, career->SetupOverall);
  EXPECT_EQ(career->BankBalance, Money::Dollars(15000));
  EXPECT_EQ(career->League, "Local Reserves");
}

TEST(NewCareer, SpecialCareerNames) {
  const struct {
    const char* careerName;
    const char* message;  // nullptr: none
    const char* league;
    int age;
    std::int64_t bank;
  } cases[] = {
      {"Cash Lord", "Dang... Well done", "Local Reserves", 14, 1000000000},
      {"Iron Bolt", "Nice try mate ;)", "Local Reserves", 14, 15000},
      {"Overnight Legend", nullptr, "AFL", 14, 15000},
      {"Old Timer Bloke", nullptr, "Local Reserves", 40, 1000000000},
      {"cash lord", nullptr, "Local Reserves", 14, 15000},  // letter case counts
  };
  for (const auto& c : cases) {
    SetupAnswers a = GoodAnswers();
    a.careerName = c.careerName;
    ScriptedPrompter prompter;
    NewCareer flow;
    const auto career = flow.Start(a, prompter);
    ASSERT_TRUE(career.has_value()) << c.careerName;
    if (c.message) {
      ASSERT_EQ(prompter.messageTexts(), std::vector<std::string>{c.message}) << c.careerName;
    } else {
      EXPECT_TRUE(prompter.messages.empty()) << c.careerName;
    }
    EXPECT_EQ(career->League, c.league) << c.careerName;
    EXPECT_EQ(career->Age, c.age) << c.careerName;
    EXPECT_EQ(career->BankBalance, Money::Dollars(c.bank)) << c.careerName;
  }
}

TEST(NewCareer, RefusedSpecialNameTakesEffectAtTheNextAcceptedStart) {
  ScriptedPrompter prompter;
  NewCareer flow;
  SetupAnswers a = GoodAnswers();
  a.careerName = "Cash Lord";
  a.name.clear();
  EXPECT_FALSE(flow.Start(a, prompter).has_value());
  // The check's message first, then the special name's, though refused.
  EXPECT_EQ(
      prompter.messageTexts(),
      (std::vector<std::string>{"Please fill out the information correctly", "Dang... Well done"}));

  a.name = "Kevin Bartlett";
  a.careerName = "career2";
  const auto career = flow.Start(a, prompter);
  ASSERT_TRUE(career.has_value());
  EXPECT_EQ(career->Name, "Kevin Bartlett");
  EXPECT_EQ(career->BankBalance, Money::Dollars(1000000000));

  // Once applied, the effect is spent.
  const auto next = flow.Start(a, prompter);
  ASSERT_TRUE(next.has_value());
  EXPECT_EQ(next->BankBalance, Money::Dollars(15000));
}

TEST(NewCareer, PositionChangeCostsTwoBaseSkillPointsNeverBelowOne) {
  Career c = CreateCareer(GoodAnswers());
  c.SetupKicking = 1;
  c.SetupHandballing = 2;
  c.SetupTackling = 3;
  c.SetupMarking = 50;
  c.SetupRunning = 100;
  c.Kicking = 120;
  ScriptedPrompter prompter;
  ASSERT_TRUE(ChangePosition(c, "Full Forward", prompter));
  EXPECT_EQ(c.Position, "Full Forward");
  EXPECT_EQ(c.SetupKicking, 1);
  EXPECT_EQ(c.SetupHandballing, 1);
  EXPECT_EQ(c.SetupTackling, 1);
  EXPECT_EQ(c.SetupMarking, 48);
  EXPECT_EQ(c.SetupRunning, 98);
  EXPECT_EQ(c.SetupOverall, OverallOf(1, 1, 1, 48, 98));
  EXPECT_EQ(c.Kicking, 120);  // the live skills are not touched
  EXPECT_TRUE(prompter.messages.empty());

  const Career before = c;
  EXPECT_FALSE(ChangePosition(c, "full forward", prompter));
  EXPECT_EQ(prompter.messageTexts(),
            std::vector<std::string>{"Please fill out the information correctly"});
  EXPECT_EQ(c, before);
}

TEST(Game, StartAndQuit) {
  testing::ScriptedRandom random;
  ScriptedPrompter prompter;
  const testing::TempFolder folder;
  Game game(random, prompter, DataFolder{folder.path});
  EXPECT_FALSE(game.HasCareer());
  SetupAnswers a = GoodAnswers();
  a.city.clear();
  EXPECT_FALSE(game.StartNewCareer(a));
  EXPECT_FALSE(game.HasCareer());
  a.city = "Richmond";
  EXPECT_TRUE(game.StartNewCareer(a));
  EXPECT_EQ(game.career().Name, "Jack Dyer");
  game.Quit();

  // A special name typed on a setup screen the player left by Back counts
  // no more on the next one.
  a.careerName = "Cash Lord";
  a.city.clear();
  EXPECT_FALSE(game.StartNewCareer(a));
  game.BeginSetup();
  a.careerName = "career1";
  a.city = "Richmond";
  EXPECT_TRUE(game.StartNewCareer(a));
  EXPECT_EQ(game.career().BankBalance, Money::Dollars(15000));
  game.Quit();
  EXPECT_FALSE(game.HasCareer());
}

}  // namespace
}  // namespace km
