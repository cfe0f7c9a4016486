// One career, one game at a time: a second game is refused a career that is
// open, and gets it once the first lets go of it by quitting, loading
// another or ending. (cli_exit_codes.cmake holds a career's lock from another
// process while each command tries it.)

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/career_lock.h"
#include "core/save_file.h"
#include "game/game.h"
#include "sim_fixture.h"
#include "support/playing.h"
#include "support/scripted_ports.h"

namespace km::sim::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

// A game over the test's folder, with its own prompter.
struct Window {
  TwisterRandom random{1};
  km::testing::ScriptedPrompter prompter;
  Game game;
  explicit Window(const fs::path& folder) : game(random, prompter, DataFolder{folder}) {}
  Game::LoadOutcome Load(const fs::path& save) { return game.LoadFrom(save).outcome; }
};

SetupAnswers AnswersFor(const std::string& career) {
  return km::testing::Answers(career, "Jack Riley", "Ballarat", "Victoria", "Rover",
                              {60, 55, 40, 70, 50});
}

class SimLock : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    for (const char* career : {"Alpha", "Beta"}) ASSERT_EQ(Run(NewArgs(career)).code, kExitOk);
  }
  [[nodiscard]] fs::path Save(const std::string& career) const {
    return dir() / (career + kSaveExtension);
  }
  // Whether another game is refused the career because it is open.
  [[nodiscard]] bool Held(const std::string& career) const {
    Window other(dir());
    const auto result = other.game.LoadFrom(Save(career));
    return result.outcome == Game::LoadOutcome::Failed && other.game.lockRefusal() &&
           other.game.lockRefusal()->openElsewhere && result.error == kCareerOpenElsewhereMessage;
  }
};

TEST_F(SimLock, AnOpenCareerIsHeldUntilTheGameLetsGoOfIt) {
  constexpr auto kLoaded = Game::LoadOutcome::Loaded;
  Window first(dir());
  ASSERT_EQ(first.Load(Save("Alpha")), kLoaded);
  EXPECT_TRUE(Held("Alpha"));
  EXPECT_FALSE(Held("Beta"));
  // The same game loads its own career again, under another spelling of
  // the path too.
  EXPECT_EQ(first.Load(dir() / "." / ".." / dir().filename() / "Alpha.kms"), kLoaded);
  EXPECT_TRUE(Held("Alpha"));
  // A load that fails, or is refused for a career open elsewhere, keeps the
  // running career and its lock.
  std::ofstream(dir() / "Broken.kms") << "\"Jack\"\r\n";
  const Career before = first.game.career();
  EXPECT_EQ(first.Load(dir() / "Broken.kms"), Game::LoadOutcome::Failed);
  {
    Window second(dir());
    ASSERT_EQ(second.Load(Save("Beta")), kLoaded);
    EXPECT_EQ(first.Load(Save("Beta")), Game::LoadOutcome::Failed);
  }
  EXPECT_EQ(first.game.career(), before);
  EXPECT_TRUE(Held("Alpha"));
  // Loading another career lets go of the first; quitting lets go.
  ASSERT_EQ(first.Load(Save("Beta")), kLoaded);
  EXPECT_FALSE(Held("Alpha"));
  EXPECT_TRUE(Held("Beta"));
  first.game.Quit();
  EXPECT_FALSE(Held("Beta"));
  // The lock is the career's own name, whatever its save file is called.
  fs::copy_file(Save("Alpha"), Save("Copy of Alpha"));
  ASSERT_EQ(first.Load(Save("Copy of Alpha")), kLoaded);
  EXPECT_TRUE(Held("Alpha"));
}

TEST_F(SimLock, ANewCareerOverOneThatIsOpenIsRefusedBeforeAnyFileIsWritten) {
  Window first(dir());
  ASSERT_EQ(first.Load(Save("Alpha")), Game::LoadOutcome::Loaded);
  const auto files = Files();
  Window second(dir());
  // The setup screen's checks come first.
  SetupAnswers noCity = AnswersFor("Alpha");
  noCity.city.clear();
  EXPECT_FALSE(second.game.StartNewCareer(noCity));
  EXPECT_FALSE(second.game.lockRefusal());
  EXPECT_FALSE(second.game.StartNewCareer(AnswersFor("Alpha")));
  EXPECT_THAT(second.prompter.messageTexts(),
              ElementsAre(kFillOutMessage, kNewCareerOpenElsewhereMessage));
  ASSERT_TRUE(second.game.lockRefusal());
  EXPECT_TRUE(second.game.lockRefusal()->openElsewhere);
  EXPECT_FALSE(second.game.HasCareer());
  EXPECT_EQ(Files(), files);
  // The game that holds it may start it afresh.
  EXPECT_TRUE(first.game.StartNewCareer(AnswersFor("Alpha")));
  EXPECT_TRUE(Held("Alpha"));
}

}  // namespace
}  // namespace km::sim::testing
