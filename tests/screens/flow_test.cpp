// The way through the screens: setup's refusals, loading, quitting, the count-downs over a
// round, the season's end (the walk plays a first week, the camp and the draft).

#include <QFile>

#include "screens/screen_test_support.h"

namespace km::screens {

using namespace testing;

class FlowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() { MakeGame(7); }
  void cleanup() {
    flow_.reset();
    game_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Each message comes over the screen named beside it; a refused Start keeps the answers.
  void setupRefusalsAndTheirMessages_data() {
    QTest::addColumn<QString>("career");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("seen");  // "message | windows"
    const QString over = QStringLiteral(" | frmSetup");
    const QString lacks = QString::fromUtf8(
        "The name contains characters that cannot be saved (only the letters of Western European "
        "languages can be used): \xc5\x81");
    QTest::newRow("no name") << "career1" << QString() << QStringList{kFillOutMessage + over};
    QTest::newRow("special name") << "Iron Bolt"
                                  << "Gary Ablett"
                                  << QStringList{"Nice try mate ;) | frmContracts"};
    QTest::newRow("special name, no name")
        << "Iron Bolt" << QString()
        << QStringList{kFillOutMessage + over, "Nice try mate ;)" + over};
    QTest::newRow("a letter Windows-1252 lacks")
        << "career1" << QString::fromUtf8("\xc5\x81ukasz") << QStringList{lacks + over};
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

  // Back forgets the answers; Exit leaves from the start and setup screens unasked.
  void backForgetsAndExitLeaves() {
    QWidget* setup = OpenSetup();
    QVERIFY(AnswerSetup(setup, QStringLiteral("career1"), QStringLiteral("Gary Ablett")));
    QVERIFY(Click(setup, "cmdBack"));
    QCOMPARE(ShownWindows(), QStringLiteral("frmStart"));
    setup = OpenSetup();
    QCOMPARE(TextOf(setup, "txtName") + TextOf(setup, "txtCareer") + TextOf(setup, "txtState"),
             QString());
    QSignalSpy exits(flow_.get(), &ScreenFlow::exitRequested);
    QVERIFY(Click(setup, "cmdExit") && Click(setup, "cmdBack") &&
            Click(ShownWindow("frmStart"), "cmdExit"));
    QCOMPARE(exits.count(), 2);
    QVERIFY(prompter_->questions.empty() && !game_->HasCareer());
  }

  // A load shows the saved career on the hub; an unreadable file leaves the start screen up with
  // the game's own sentence for it, and a cancelled choice changes nothing.
  void loadShowsTheSavedCareerOrSaysWhyNot() {
    Career saved = ACareer("Nick Riewoldt");
    saved.BankBalance = Money::Cents(24750);
    saved.ContractOpen = false;
    QVERIFY(!SaveCareer(Folder(), saved).has_value());
    const QString broken = folder_->filePath(QStringLiteral("broken.kms"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("\"Half a career\"\r\n42\r\n") > 0);
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
    QVERIFY(Click(start, "cmdLoad"));  // cancelled
    QCOMPARE(ShownWindows(), QStringLiteral("frmStart"));
    QVERIFY(!game_->HasCareer() && prompter_->messages.empty() && Click(start, "cmdLoad"));
    QWidget* hub = ShownWindow("frmMain");
    QCOMPARE(ShownWindows(), QStringLiteral("frmMain"));
    QCOMPARE(TextOf(hub, "lblName") + "|" + TextOf(hub, "lblBankBalance"),
             QStringLiteral("Nick Riewoldt|247.5"));
    QVERIFY(!IsEnabled(hub, "cmdContract"));
  }

  // Exit asks first, from the hub and the team page alike; Yes goes back to the start screen.
  void quitAsksFirst_data() {
    QTest::addColumn<bool>("fromTeam");
    QTest::addColumn<bool>("answer");
    for (const bool fromTeam : {false, true}) {
      for (const bool answer : {false, true}) {
        QTest::addRow("%s, %s", fromTeam ? "team page" : "hub", answer ? "yes" : "no")
            << fromTeam << answer;
      }
    }
  }
  void quitAsksFirst() {
    QFETCH(bool, fromTeam);
    QFETCH(bool, answer);
    const QString shown = answer ? "frmStart" : fromTeam ? "frmTeam" : "frmMain";
    QWidget* hub = StartCareer(*flow_, QStringLiteral("Wayne Carey"));
    QVERIFY(hub && (!fromTeam || Click(hub, "cmdTeamDetails")));
    prompter_->answers.push_back(answer);
    QVERIFY(Click(ShownWindow(fromTeam ? "frmTeam" : "frmMain"), "cmdExit"));
    QCOMPARE(prompter_->questions.size(), std::size_t{1});
    QCOMPARE(ToQt(prompter_->questions.front().text + "|" + prompter_->questions.front().title),
             QStringLiteral("Are you sure you want to quit ?|Kickmark Exit"));
    QCOMPARE(ShownWindows(), shown);
    QCOMPARE(game_->HasCareer(), !answer);
    QVERIFY(ShownWindow(qPrintable(shown))->isEnabled());
  }

  // Injured and suspended this week only: both messages come over the round, played without him.
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

  // The grand final's OK, his contract's last match: a player of 20 or 30 who says Yes picks a new
  // position, saved at once; then a State League player the scouts liked goes to the camp, a
  // Local Reserves player of 30 after a poor season retires, anyone else back to the hub.
  void theSeasonsEnd_data() {
    QTest::addColumn<QString>("after");  // the league, age and rating follow from it
    for (const char* after : {"camp", "hub", "retired"}) QTest::newRow(after) << QString(after);
  }
  void theSeasonsEnd() {
    QFETCH(QString, after);
    MakeGame(17);
    const bool retires = after == "retired";
    Career saved = OnHisWayToTheCamp("Luke Hodge", 90, retires ? 2.4 : 6.5);
    SeatAt(saved, after == "camp" ? "State" : "Local Reserves", 15);
    saved.Age = retires ? 30 : 20;
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

    // The grand final is one match: one slot, and one Start brings OK.
    QVERIFY(Click(hub, "cmdPlay"));
    QWidget* round = ShownWindow("frmMatchRound");
    QVERIFY(IsShown(round, "fraSlot1") && !IsShown(round, "fraSlot2"));
    QVERIFY(!IsShown(round, "cmdOK") && Click(round, "cmdStart") && IsShown(round, "cmdOK"));
    QVERIFY(Click(round, "cmdOK") && !ShownWindow("frmMatchRound"));
    QCOMPARE(prompter_->questions.size(), std::size_t{1});  // asked once, young or old
    QWidget* screen = ShownWindow("frmPosition");
    QVERIFY(screen && !ShownWindow("frmDraftCamp") && !hub->isEnabled());
    const QString position = QStringLiteral("Full Forward");
    QVERIFY(Choose(screen, "lstPosition", position) && Click(screen, "cmdOK") &&
            !ShownWindow("frmPosition"));
    const auto onDisk = LoadCareer(SaveFilePath(Folder(), saved));
    QCOMPARE(ToQt(std::get<Career>(onDisk).Position), position);
    QCOMPARE(ShownWindow("frmDraftCamp") != nullptr, after == "camp");
    QCOMPARE(hub->isEnabled(), after != "camp");
    if (after == "camp") return;
    QCOMPARE(TextOf(hub, "lblPosition"), position);
    QCOMPARE(IsEnabled(hub, "cmdPlay") || IsEnabled(hub, "cmdContract"), after == "hub");
    QCOMPARE(Messages(*prompter_).last().startsWith(QStringLiteral("After a long career")),
             retires);
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
