// One career, one game at a time: a second game (in this process or
// another) is refused a career that is open, and gets it once the first
// lets go of it by quitting, loading another, ending or being killed.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <map>
#include <string>
#include <vector>

#include "core/career_lock.h"
#include "core/save_file.h"
#include "game/game.h"
#include "sim/autoplay.h"
#include "sim_fixture.h"
#include "support/playing.h"
#include "support/scripted_ports.h"

namespace km::sim::testing {
namespace {

namespace fs = std::filesystem;
using km::testing::ScriptedPrompter;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A game over the test's folder, with its own prompter.
struct Window {
  TwisterRandom random{1};
  ScriptedPrompter prompter;
  Game game;
  explicit Window(const fs::path& folder) : game(random, prompter, DataFolder{folder}) {}
  Game::LoadResult Load(const std::string& career, const fs::path& folder) {
    return game.LoadFrom(folder / (career + kSaveExtension));
  }
};

SetupAnswers AnswersFor(const std::string& career) {
  return km::testing::Answers(career, "Jack Riley", "Ballarat", "Victoria", "Rover",
                              {60, 55, 40, 70, 50});
}

class SimLock : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    for (const char* career : {"Alpha", "Beta"}) {
      ASSERT_EQ(Run(NewArgs(career)).code, kExitOk);
    }
  }
  bool LoadedIn(Window& window, const std::string& career) const {
    return window.Load(career, dir()).outcome == Game::LoadOutcome::Loaded;
  }
  // Whether another game is refused the career because it is open.
  bool Held(const std::string& career) const {
    Window other(dir());
    const auto result = other.Load(career, dir());
    return result.outcome == Game::LoadOutcome::Failed && other.game.lockRefusal() &&
           other.game.lockRefusal()->openElsewhere && result.error == kCareerOpenElsewhereMessage;
  }
  // The data folder's files and their bytes, the transcript left out.
  std::map<std::string, std::string> Files() const {
    std::map<std::string, std::string> files;
    for (const std::string& name : DataFiles()) files[name] = ReadFile(dir() / name);
    return files;
  }
};

TEST_F(SimLock, AnOpenCareerIsHeldUntilTheGameLetsGoOfIt) {
  Window first(dir());
  ASSERT_TRUE(LoadedIn(first, "Alpha"));
  EXPECT_TRUE(Held("Alpha"));
  EXPECT_FALSE(Held("Beta"));
  // The same game loads its own career again, under another spelling of
  // the path too.
  EXPECT_EQ(first.Load("Alpha", dir() / "." / ".." / dir().filename()).outcome,
            Game::LoadOutcome::Loaded);
  EXPECT_TRUE(Held("Alpha"));
  // A load that fails keeps the running career and its lock.
  std::ofstream(dir() / "Broken.kms") << "\"Jack\"\r\n";
  const Career before = first.game.career();
  EXPECT_EQ(first.Load("Broken", dir()).outcome, Game::LoadOutcome::Failed);
  EXPECT_EQ(first.game.career(), before);
  EXPECT_TRUE(Held("Alpha"));
  // Loading another career lets go of the first.
  ASSERT_TRUE(LoadedIn(first, "Beta"));
  EXPECT_FALSE(Held("Alpha"));
  EXPECT_TRUE(Held("Beta"));
  // Quitting lets go, and so does a game that ends.
  first.game.Quit();
  EXPECT_FALSE(Held("Beta"));
  {
    Window second(dir());
    ASSERT_TRUE(LoadedIn(second, "Beta"));
    EXPECT_TRUE(Held("Beta"));
  }
  EXPECT_FALSE(Held("Beta"));
}

TEST_F(SimLock, ARefusedLoadLeavesTheRunningCareerAsItWas) {
  Window first(dir());
  Window second(dir());
  ASSERT_TRUE(LoadedIn(first, "Alpha"));
  ASSERT_TRUE(LoadedIn(second, "Beta"));
  const Career before = second.game.career();
  const auto refused = second.Load("Alpha", dir());
  EXPECT_EQ(refused.error, kCareerOpenElsewhereMessage);
  EXPECT_EQ(second.game.career(), before);
  EXPECT_TRUE(Held("Beta"));
}

// The lock is the career's own name in the data folder, whatever the save
// file it was loaded from is called.
TEST_F(SimLock, ARenamedSaveHoldsTheCareerItsFilesBelongTo) {
  fs::copy_file(dir() / "Alpha.kms", dir() / "Copy of Alpha.kms");
  Window first(dir());
  ASSERT_TRUE(LoadedIn(first, "Copy of Alpha"));
  EXPECT_TRUE(Held("Alpha"));
}

TEST_F(SimLock, ANewCareerOverOneThatIsOpenIsRefusedBeforeAnyFileIsWritten) {
  Window first(dir());
  ASSERT_TRUE(LoadedIn(first, "Alpha"));
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

// A process that has the career open in a game until it is killed.
class OtherProcess {
 public:
  OtherProcess(const fs::path& folder, const std::string& career) {
    int ready[2];
    if (::pipe(ready) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::prctl(PR_SET_PDEATHSIG, SIGKILL);
      ::close(ready[0]);
      Window window(folder);
      const char loaded =
          window.Load(career, folder).outcome == Game::LoadOutcome::Loaded ? 'y' : 'n';
      if (::write(ready[1], &loaded, 1) != 1) ::_exit(1);
      for (;;) ::pause();
    }
    ::close(ready[1]);
    char loaded = 'n';
    holding_ = pid_ > 0 && ::read(ready[0], &loaded, 1) == 1 && loaded == 'y';
    ::close(ready[0]);
  }
  ~OtherProcess() { Kill(); }
  OtherProcess(const OtherProcess&) = delete;
  OtherProcess& operator=(const OtherProcess&) = delete;

  [[nodiscard]] bool holding() const { return holding_; }
  void Kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  bool holding_ = false;
};

TEST_F(SimLock, EveryCommandExitsSixWhileAnotherProcessHoldsTheCareerAndAKilledOneHoldsNothing) {
  OtherProcess other(dir(), "Alpha");
  ASSERT_TRUE(other.holding());
  const auto files = Files();
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"play", "--career", "Alpha", "--weeks", "1"}, kCareerOpenElsewhereMessage},
      {{"show", "--career", "Alpha"}, kCareerOpenElsewhereMessage},
      {NewArgs("Alpha"), kNewCareerOpenElsewhereMessage},
  };
  for (const auto& c : cases) {
    const SimRun run = Run(c.args);
    EXPECT_EQ(run.code, kExitOpenElsewhere) << c.args[0];
    EXPECT_EQ(run.err, std::string(c.message) + "\n") << c.args[0];
    EXPECT_THAT(run.out, IsEmpty()) << c.args[0];
    EXPECT_EQ(Files(), files) << c.args[0];
  }
  EXPECT_EQ(Run({"play", "--career", "Beta", "--weeks", "1"}).code, kExitOk);

  other.Kill();
  const SimRun after = Run({"play", "--career", "Alpha", "--weeks", "1"});
  EXPECT_EQ(after.code, kExitOk) << after.err;
}

}  // namespace
}  // namespace km::sim::testing
