// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <tuple>

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
  std::tie(a.height, a.weight) = std::tuple(188, 90);
  return a;
}

// The setup screen's checks run in order: the first that fails is told.
TEST(NewCareer, ChecksRunInOrderWithTheirMessages) {
  const char* fill = "Please fill out the information correctly";
  const char* badName = R"(Please enter a name without any of \ / : * ? " < > |)";
  const char* badFile = R"(Please enter a career file name without any of \ / : * ? " < > |)";
  const char* o = nullptr;  // the good answer
  const std::array<const char*, 6> cases[] = {
      // name, career, city, state, position, message
      // clang-format off
      {"", "", "", "", "", fill}, {"", "", o, o, o, fill}, {"Jack/Dyer", o, o, o, o, badName},
      {o, "", "", o, o, "Please enter the career name you wish to use"},
      {o, "my \"career\"", o, o, o, badFile}, {o, "a\tb", o, o, o, badFile},
      {o, "\xe2\x98\x83", o, o, o, "The career file name contains characters that cannot be saved "
                                   "(only the letters of Western European languages can be used): "
                                   "\xe2\x98\x83"},
      {o, o, "", o, o, fill}, {o, o, o, "", o, fill}, {o, o, o, "victoria", o, fill},
      {o, o, o, o, "", fill}, {o, o, o, o, "Half Forward", fill},
      // clang-format on
  };
  for (const auto& row : cases) {
    SetupAnswers a = GoodAnswers();
    std::string* answers[] = {&a.name, &a.careerName, &a.city, &a.state, &a.position};
    for (std::size_t i = 0; i < 5; ++i)
      if (row[i] != nullptr) *answers[i] = row[i];
    const char* message = row[5];
    ScriptedPrompter prompter;
    NewCareer flow;
    EXPECT_FALSE(flow.Start(a, prompter).has_value()) << message;
    ASSERT_EQ(prompter.messages.size(), 1u) << message;
    EXPECT_EQ(std::tie(prompter.messages[0].text, prompter.messages[0].title),
              std::tuple(message, "Kickmark"));
  }
}

TEST(NewCareer, SpecialCareerNames) {
  // message: nullptr: none
  const std::tuple<const char*, const char*, const char*, int, std::int64_t> cases[] = {
      // clang-format off
      {"Cash Lord", "Dang... Well done", "Local Reserves", 14, 1000000000},
      {"Iron Bolt", "Nice try mate ;)", "Local Reserves", 14, 15000},
      {"Overnight Legend", nullptr, "AFL", 14, 15000},
      {"Old Timer Bloke", nullptr, "Local Reserves", 40, 1000000000},
      {"cash lord", nullptr, "Local Reserves", 14, 15000},  // letter case counts
      // clang-format on
  };
  for (const auto& [careerName, message, league, age, bank] : cases) {
    SetupAnswers a = GoodAnswers();
    a.careerName = careerName;
    ScriptedPrompter prompter;
    NewCareer flow;
    const auto career = flow.Start(a, prompter);
    ASSERT_TRUE(career.has_value()) << careerName;
    EXPECT_EQ(prompter.messageTexts(),
              message ? std::vector<std::string>{message} : std::vector<std::string>{});
    EXPECT_EQ(std::tie(career->League, career->Age, career->BankBalance),
              std::tuple(league, age, Money::Dollars(bank)))
        << careerName;
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
  EXPECT_EQ(std::tie(career->Name, career->BankBalance),
            std::tuple("Kevin Bartlett", Money::Dollars(1000000000)));

  // Once applied, the effect is spent.
  const auto next = flow.Start(a, prompter);
  ASSERT_TRUE(next.has_value());
  EXPECT_EQ(next->BankBalance, Money::Dollars(15000));
}

TEST(NewCareer, PositionChangeCostsTwoBaseSkillPointsNeverBelowOne) {
  Career c = CreateCareer(GoodAnswers());
  std::tie(c.SetupKicking, c.SetupHandballing, c.SetupTackling, c.SetupMarking, c.SetupRunning) =
      std::tuple(1, 2, 3, 50, 100);
  Career expected = c;
  ScriptedPrompter prompter;
  ASSERT_TRUE(ChangePosition(c, "Full Forward", prompter));
  expected.Position = "Full Forward";
  std::tie(expected.SetupHandballing, expected.SetupTackling, expected.SetupMarking,
           expected.SetupRunning) = std::tuple(1, 1, 48, 98);
  expected.SetupOverall = OverallOf(1, 1, 1, 48, 98);
  EXPECT_EQ(c, expected);  // the live skills are not touched
  EXPECT_TRUE(prompter.messages.empty());

  for (const char* unlisted : {"full forward", ""}) {
    EXPECT_FALSE(ChangePosition(c, unlisted, prompter));
    EXPECT_EQ(prompter.messageTexts().back(), "Please fill out the information correctly");
    EXPECT_EQ(c, expected);
  }
}

// A special name typed on a setup screen the player left by Back counts no more on the next.
TEST(Game, BackForgetsASpecialName) {
  testing::ScriptedRandom random;
  ScriptedPrompter prompter;
  const testing::TempFolder folder;
  Game game(random, prompter, DataFolder{folder.path});
  SetupAnswers a = GoodAnswers();
  a.careerName = "Cash Lord";
  a.city.clear();
  EXPECT_FALSE(game.StartNewCareer(a));
  EXPECT_FALSE(game.HasCareer());
  game.BeginSetup();
  a.careerName = "career1";
  a.city = "Richmond";
  EXPECT_TRUE(game.StartNewCareer(a));
  EXPECT_EQ(game.career().BankBalance, Money::Dollars(15000));
}

}  // namespace
}  // namespace km
