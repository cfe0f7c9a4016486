// The way through the game's screens: the setup screen's refusals, loading
// a career, quitting back to the start screen, the count-down messages over
// a round, and at the season's end the new position, the camp or
// retirement. (The screen walk plays a new career's first week, opening
// every screen of the hub and the team page, then the camp and the draft.)

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "core/save_file.h"
#include "screens/qt_text.h"
#include "screens/screen_test_support.h"
#include "season/fixture.h"

namespace km::screens {
namespace {

using namespace testing;

}  // namespace

class FlowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() { MakeGame(7); }
  void cleanup() {
    flow_.reset();
    game_.reset();
    // Screens put away during the test are deleted here.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Each message comes up over the screen named beside it; a refused Start
  // keeps the answers as typed. Names are pasted, as key clicks type ASCII.
  void setupRefusalsAndTheirMessages_data() {
    QTest::addColumn<QString>("career");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("seen");  // "message | windows"
    const QString over = QStringLiteral(" | frmSetup");
    QTest::newRow("no name") << "career1"
                             << "" << QStringList{kFillOutMessage + over};
    QTest::newRow("special name") << "Iron Bolt"
                                  << "Gary Ablett"
                                  << QStringList{"Nice try mate ;) | frmContracts"};
    QTest::newRow("special name, no name")
        << "Iron Bolt"
        << "" << QStringList{kFillOutMessage + over, "Nice try mate ;)" + over};
    QTest::newRow("a letter Windows-1252 lacks")
        << "career1" << QString::fromUtf8("\xc5\x81ukasz")
        << QStringList{QString::fromUtf8(
                           "The name contains characters that cannot be saved (only the letters "
                           "of Western European languages can be used): \xc5\x81") +
                       over};
  }
  void setupRefusalsAndTheirMessages() {
    QFETCH(QString, career);
    QFETCH(QString, name);
    QFETCH(QStringList, seen);
    QWidget* setup = OpenSetup();
    QVERIFY(AnswerSetup(setup, career, name));
    QStringList shown;
    prompter_->onInform = [&shown](const auto& m) {
      shown << QString::fromStdString(m.text) + " | " + ShownWindows();
    };
    QVERIFY(Click(setup, "cmdStart"));
    QCOMPARE(shown, seen);
    const bool accepted = seen.last().endsWith(QStringLiteral("frmContracts"));
    QCOMPARE(game_->HasCareer(), accepted);
    if (!accepted) QCOMPARE(TextOf(setup, "txtName") + TextOf(setup, "lstPosition"), name + "Wing");
  }

  // Back forgets the answers; Exit leaves from the start and setup screens
  // without a question.
  void backForgetsAndExitLeaves() {
    QWidget* setup = OpenSetup();
    QVERIFY(AnswerSetup(setup, QStringLiteral("career1"), QStringLiteral("Gary Ablett")));
    QVERIFY(Click(setup, "cmdBack"));
    QCOMPARE(ShownWindows(), QStringLiteral("frmStart"));
    setup = OpenSetup();
    QCOMPARE(TextOf(setup, "txtName") + TextOf(setup, "txtCareer") + TextOf(setup, "txtState"),
             QString());
    QSignalSpy exits(flow_.get(), &ScreenFlow::exitRequested);
    QVERIFY(Click(setup, "cmdExit"));
    QVERIFY(Click(setup, "cmdBack"));
    QVERIFY(Click(ShownWindow("frmStart"), "cmdExit"));
    QCOMPARE(exits.count(), 2);
    QVERIFY(prompter_->questions.empty());
    QVERIFY(!game_->HasCareer());
  }

  // A load shows the saved career on the hub; a file that cannot be read
  // leaves the start screen up with the game's own sentence for it, and a
  // cancelled choice changes nothing.
  void loadShowsTheSavedCareerOrSaysWhyNot() {
    Career saved = ACareer("Nick Riewoldt");
    saved.BankBalance = Money::Cents(24750);
    saved.ContractOpen = false;
    QVERIFY(!SaveCareer(Folder(), saved).has_value());
    const QString broken = folder_->filePath(QStringLiteral("broken.kms"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\"Half a career\"\r\n42\r\n");
    file.close();
    prompter_->files = {PathFromQt(broken), std::nullopt, SaveFilePath(Folder(), saved)};

    QWidget* start = PastTheSplash(*flow_);
    QVERIFY(Click(start, "cmdLoad"));
    QCOMPARE(ShownWindows(), QStringLiteral("frmStart"));
    km::testing::ScriptedPrompter quiet;
    Game other(*random_, quiet, DataFolder{Folder()});
    const QString expected = ToQt(other.LoadFrom(PathFromQt(broken)).error);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(TextOf(start, "lblLoadError"), expected);
    QVERIFY(Click(start, "cmdLoad"));
    QCOMPARE(ShownWindows(), QStringLiteral("frmStart"));
    QVERIFY(!game_->HasCareer());
    QVERIFY(prompter_->messages.empty());

    QVERIFY(Click(start, "cmdLoad"));
    QWidget* hub = ShownWindow("frmMain");
    QCOMPARE(ShownWindows(), QStringLiteral("frmMain"));
    QCOMPARE(TextOf(hub, "lblName") + "|" + TextOf(hub, "lblBankBalance"),
             QStringLiteral("Nick Riewoldt|247.5"));
    QVERIFY(!IsEnabled(hub, "cmdContract"));
  }

  // Exit asks first, from the hub and from the team page alike; Yes goes
  // back to the start screen.
  void quitAsksFirst_data() {
    QTest::addColumn<bool>("fromTeam");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("shown");
    QTest::newRow("hub, no") << false << false << "frmMain";
    QTest::newRow("hub, yes") << false << true << "frmStart";
    QTest::newRow("team page, no") << true << false << "frmTeam";
    QTest::newRow("team page, yes") << true << true << "frmStart";
  }
  void quitAsksFirst() {
    QFETCH(bool, fromTeam);
    QFETCH(bool, answer);
    QFETCH(QString, shown);
    QWidget* hub = StartCareer(*flow_, QStringLiteral("Wayne Carey"));
    QVERIFY(hub);
    if (fromTeam) QVERIFY(Click(hub, "cmdTeamDetails"));
    prompter_->answers.push_back(answer);
    QVERIFY(Click(ShownWindow(fromTeam ? "frmTeam" : "frmMain"), "cmdExit"));
    QCOMPARE(prompter_->questions.size(), std::size_t{1});
    QCOMPARE(ToQt(prompter_->questions.front().text + "|" + prompter_->questions.front().title),
             QStringLiteral("Are you sure you want to quit ?|Kickmark Exit"));
    QCOMPARE(ShownWindows(), shown);
    QCOMPARE(game_->HasCareer(), !answer);
    QVERIFY(ShownWindow(qPrintable(shown))->isEnabled());
  }

  // Injured and suspended for this week only: both messages come up over
  // the round screen, which then plays on without him.
  void theCountDownsMessagesComeOverTheRound() {
    QWidget* hub = StartCareer(*flow_, QStringLiteral("Wayne Carey"));
    QVERIFY(hub);
    game_->career().Injury = game_->career().Suspension = 1;
    QStringList seen;
    prompter_->onInform = [&seen](const auto& message) {
      seen << QString::fromStdString(message.text) + " | " + ShownWindows();
    };
    QVERIFY(Click(hub, "cmdPlay"));
    QCOMPARE(seen, (QStringList{
                       "You are currently injured and will miss this match | frmMain,frmMatchRound",
                       "You are currently suspended and will miss this match | "
                       "frmMain,frmMatchRound"}));
  }

  // The grand final's OK, his contract's last match: a player of 20 or 30
  // who says Yes to a new position picks it first, and it is saved at once;
  // then a
  // State League player with the scouts' eye goes to the camp, a Local
  // Reserves player of 30 whose season was poor retires, anyone else goes
  // back to the hub.
  void theSeasonsEnd_data() {
    QTest::addColumn<QString>("league");
    QTest::addColumn<int>("age");
    QTest::addColumn<double>("rating");
    QTest::addColumn<QString>("after");
    QTest::newRow("to the camp") << "State" << 20 << 6.5 << "camp";
    QTest::newRow("back to the hub") << "Local Reserves" << 20 << 6.5 << "hub";
    QTest::newRow("retires") << "Local Reserves" << 30 << 2.4 << "retired";
  }
  void theSeasonsEnd() {
    QFETCH(QString, league);
    QFETCH(int, age);
    QFETCH(double, rating);
    QFETCH(QString, after);
    MakeGame(17);
    Career saved = OnHisWayToTheCamp("Luke Hodge", 90, rating);
    SeatAt(saved, ToStd(league), 15);
    saved.Age = age;
    saved.Matches = 25;
    saved.PlayOpen = true;
    saved.ContractLength = saved.ContractMatches = 1;
    std::array<std::string, 16> clubs;
    for (std::size_t i = 0; i < clubs.size(); ++i) clubs[i] = saved.Ladder[i].Team;
    QVERIFY(!WriteSeasonFixture(Folder(), saved, clubs));
    for (std::size_t names : {8u, 6u, 4u, 2u}) {
      QVERIFY(!AppendFinalsStage(Folder(), saved, {clubs.begin(), clubs.begin() + names}));
    }
    for (int round = 1; round <= saved.Matches; ++round) {
      QVERIFY(!AppendRoundResult(Folder(), saved, RoundRecord{}));
    }
    QVERIFY(!SaveCareer(Folder(), saved));
    prompter_->files.emplace_back(SaveFilePath(Folder(), saved));
    prompter_->answers.push_back(true);  // a new position
    QVERIFY(Click(PastTheSplash(*flow_), "cmdLoad"));
    QWidget* hub = ShownWindow("frmMain");
    QVERIFY2(hub, qPrintable(TextOf(ShownWindow("frmStart"), "lblLoadError")));

    QVERIFY(Click(hub, "cmdPlay"));
    // The grand final is one match: one slot, and one Start brings OK.
    QWidget* round = ShownWindow("frmMatchRound");
    QVERIFY(IsShown(round, "fraSlot1") && !IsShown(round, "fraSlot2"));
    QVERIFY(!IsShown(round, "cmdOK") && Click(round, "cmdStart") && IsShown(round, "cmdOK"));
    QVERIFY(Click(round, "cmdOK"));
    QVERIFY(!ShownWindow("frmMatchRound"));
    // He is asked once, young or in his twilight years.
    QCOMPARE(prompter_->questions.size(), std::size_t{1});
    QWidget* screen = ShownWindow("frmPosition");
    QVERIFY(screen && !ShownWindow("frmDraftCamp") && !hub->isEnabled());
    const QString position = QStringLiteral("Full Forward");
    QVERIFY(Choose(screen, "lstPosition", position));
    QVERIFY(Click(screen, "cmdOK"));
    QVERIFY(!ShownWindow("frmPosition"));
    // Kept on disk at once, not only with the next round.
    const auto onDisk = LoadCareer(SaveFilePath(Folder(), saved));
    QCOMPARE(ToQt(std::get<Career>(onDisk).Position), position);
    QCOMPARE(ShownWindow("frmDraftCamp") != nullptr, after == "camp");
    QCOMPARE(hub->isEnabled(), after != "camp");
    if (after == "camp") return;
    QCOMPARE(TextOf(hub, "lblPosition"), position);
    QCOMPARE(IsEnabled(hub, "cmdPlay") || IsEnabled(hub, "cmdContract"), after == "hub");
    QCOMPARE(Messages(*prompter_).last().startsWith(QStringLiteral("After a long career")),
             after == "retired");
  }

 private:
  void MakeGame(int seed) {
    flow_.reset();
    game_.reset();
    folder_ = std::make_unique<QTemporaryDir>();
    random_ = std::make_unique<TwisterRandom>(seed);
    prompter_ = std::make_unique<km::testing::ScriptedPrompter>();
    game_ = std::make_unique<Game>(*random_, *prompter_, DataFolder{Folder()});
    flow_ = std::make_unique<ScreenFlow>(*game_);
  }
  QWidget* OpenSetup() {
    QWidget* start = ShownWindow("frmStart") ? ShownWindow("frmStart") : PastTheSplash(*flow_);
    return Click(start, "cmdNew") ? ShownWindow("frmSetup") : nullptr;
  }
  std::filesystem::path Folder() const { return PathFromQt(folder_->path()); }

  std::unique_ptr<QTemporaryDir> folder_;
  std::unique_ptr<TwisterRandom> random_;
  std::unique_ptr<km::testing::ScriptedPrompter> prompter_;
  std::unique_ptr<Game> game_;
  std::unique_ptr<ScreenFlow> flow_;
};

}  // namespace km::screens

QTEST_MAIN(km::screens::FlowTest)
#include "flow_test.moc"
