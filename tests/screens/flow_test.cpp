// SPDX-License-Identifier: GPL-3.0-or-later
// The way through the screens: setup, loading, quitting, a round's count-downs, a season's end.

#include <fstream>

#include "screens/screen_test_support.h"

namespace km::screens {

using namespace testing;

class FlowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() { played_ = std::make_unique<Played>(7); }
  void cleanup() {
    played_.reset();
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
    Scripted().onInform = [&shown](const auto& m) {
      shown << QString::fromStdString(m.text) + " | " + ShownWindows();
    };
    QVERIFY(Click(setup, "cmdStart"));
    QCOMPARE(shown, seen);
    const bool accepted = seen.last().endsWith(QStringLiteral("frmContracts"));
    QCOMPARE(TheGame().HasCareer(), accepted);
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
    QSignalSpy exits(&Flow(), &ScreenFlow::exitRequested);
    QVERIFY(Click(setup, "cmdExit") && Click(setup, "cmdBack") &&
            Click(ShownWindow("frmStart"), "cmdExit"));
    QCOMPARE(exits.count(), 2);
    QVERIFY(Scripted().questions.empty() && !TheGame().HasCareer());
  }

  // A load shows the career; an unreadable file gets the game's sentence; cancelling, nothing.
  void loadShowsTheSavedCareerOrSaysWhyNot() {
    Career saved = ACareer("Nick Riewoldt");
    saved.BankBalance = Money::Cents(24750);
    saved.ContractOpen = false;
    QVERIFY(!SaveCareer(Folder(), saved).has_value());
    const QString broken = played_->folder.filePath(QStringLiteral("broken.kms"));
    std::ofstream(PathFromQt(broken), std::ios::binary) << "\"Half a career\"\r\n42\r\n";
    Scripted().files = {PathFromQt(broken), std::nullopt, SaveFilePath(Folder(), saved)};

    QWidget* start = PastTheSplash(Flow());
    QVERIFY(Click(start, "cmdLoad"));
    QCOMPARE(ShownWindows(), QStringLiteral("frmStart"));
    km::testing::ScriptedPrompter quiet;
    Game other(played_->random, quiet, DataFolder{Folder()});
    const QString expected = ToQt(other.LoadFrom(PathFromQt(broken)).error);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(TextOf(start, "lblLoadError"), expected);
    QVERIFY(Click(start, "cmdLoad"));  // cancelled
    QCOMPARE(ShownWindows(), QStringLiteral("frmStart"));
    QVERIFY(!TheGame().HasCareer() && Scripted().messages.empty() && Click(start, "cmdLoad"));
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
    for (int row = 0; row < 4; ++row) {  // from the team page: 2, yes: 1
      const bool fromTeam = row & 2, answer = row & 1;
      QTest::addRow("%s, %s", fromTeam ? "team page" : "hub", answer ? "yes" : "no")
          << fromTeam << answer;
    }
  }
  void quitAsksFirst() {
    QFETCH(bool, fromTeam);
    QFETCH(bool, answer);
    const QString shown = answer ? "frmStart" : fromTeam ? "frmTeam" : "frmMain";
    QWidget* hub = StartCareer(Flow(), QStringLiteral("Wayne Carey"));
    QVERIFY(hub && (!fromTeam || Click(hub, "cmdTeamDetails")));
    Scripted().answers.push_back(answer);
    QVERIFY(Click(ShownWindow(fromTeam ? "frmTeam" : "frmMain"), "cmdExit"));
    QCOMPARE(Scripted().questions.size(), std::size_t{1});
    QCOMPARE(ToQt(Scripted().questions.front().text + "|" + Scripted().questions.front().title),
             QStringLiteral("Are you sure you want to quit ?|Kickmark Exit"));
    QCOMPARE(ShownWindows(), shown);
    QCOMPARE(TheGame().HasCareer(), !answer);
    QVERIFY(ShownWindow(qPrintable(shown))->isEnabled());
  }

  // Back at the start screen, Continue names the career last played and opens its hub where
  // its window was; without a save to load it is not offered.
  void continueTakesBackToTheLastCareer() {
    QWidget* hub = StartCareer(Flow(), QStringLiteral("Wayne Carey"));
    QVERIFY(hub && TheGame().Save());
    hub->resize(hub->size() + QSize(40, 30));
    const QSize size = hub->size();
    Scripted().answers = {true, true};
    QVERIFY(Click(hub, "cmdExit"));
    QWidget* start = ShownWindow("frmStart");
    QVERIFY(IsShown(start, "cmdContinue"));
    QCOMPARE(TextOf(start, "lblContinue"),
             QStringLiteral("career1: Wayne Carey, season 1, week 0"));
    QVERIFY(Click(start, "cmdContinue"));
    hub = ShownWindow("frmMain");
    QVERIFY(hub && TextOf(hub, "lblName") == QStringLiteral("Wayne Carey"));
    QCOMPARE(hub->size(), size);
    QVERIFY(Click(hub, "cmdExit"));
    // The hall of fame opens the career's Career screen over the start screen, read only.
    Q_EMIT static_cast<StartScreen*>(start)->careerChosen(PathToQt(Folder() / "career1.kms"));
    QVERIFY(ShownWindow("frmCareer") && !start->isEnabled() && !TheGame().HasCareer());
    QVERIFY(Click(ShownWindow("frmCareer"), "cmdClose") && start->isEnabled());
    QVERIFY(!TheGame().HasCareer() && std::filesystem::remove(Folder() / "career1.kms"));
    start->hide();
    start->show();
    QVERIFY(!IsShown(start, "cmdContinue"));
  }

  // Injured and suspended this week only: both messages come over the round, played without him.
  void theCountDownsMessagesComeOverTheRound() {
    QWidget* hub = StartCareer(Flow(), QStringLiteral("Wayne Carey"));
    QVERIFY(hub);
    TheGame().career().Injury = TheGame().career().Suspension = 1;
    QStringList seen;
    Scripted().onInform = [&seen](const auto& message) {
      seen << QString::fromStdString(message.text) + " | " + ShownWindows();
    };
    QVERIFY(Click(hub, "cmdPlay"));
    const QString over = QStringLiteral(" and will miss this match | frmMain,frmMatchRound");
    QCOMPARE(seen, (QStringList{"You are currently injured" + over,
                                "You are currently suspended" + over}));
  }

  // After the grand final, his contract's last match, a new position (saved at once); then the
  // camp, retirement at 30 after a poor season, or the hub.
  void theSeasonsEnd_data() {
    QTest::addColumn<QString>("after");  // the league, age and rating follow from it
    for (const char* after : {"camp", "hub", "retired"}) QTest::newRow(after) << QString(after);
  }
  void theSeasonsEnd() {
    QFETCH(QString, after);
    played_ = std::make_unique<Played>(17);
    const bool retires = after == "retired";
    Career saved = OnHisWayToTheCamp("Luke Hodge", 90, retires ? 2.4 : 6.5);
    SeatAt(saved, after == "camp" ? "State" : "Local Reserves", 15);
    saved.Age = retires ? 30 : 20;
    saved.PlayOpen = true;
    QVERIFY(Set(saved, QStringLiteral("Matches=25|ContractLength=1|ContractMatches=1")));
    std::array<std::string, 16> clubs;
    for (std::size_t i = 0; i < clubs.size(); ++i) clubs[i] = saved.Ladder[i].Team;
    QVERIFY(!WriteSeasonFixture(Folder(), saved, clubs));
    for (std::size_t names : {8u, 6u, 4u, 2u})
      QVERIFY(!AppendFinalsStage(Folder(), saved, {clubs.begin(), clubs.begin() + names}));
    for (int round = 1; round <= saved.Matches; ++round)
      QVERIFY(!AppendRoundResult(Folder(), saved, RoundRecord{}));
    QVERIFY(!SaveCareer(Folder(), saved));
    Scripted().files.emplace_back(SaveFilePath(Folder(), saved));
    Scripted().answers.push_back(true);  // a new position
    QVERIFY(Click(PastTheSplash(Flow()), "cmdLoad"));
    QWidget* hub = ShownWindow("frmMain");
    QVERIFY2(hub, qPrintable(TextOf(ShownWindow("frmStart"), "lblLoadError")));

    // The grand final is one match: one slot, and one Start brings OK.
    QVERIFY(Click(hub, "cmdPlay"));
    QWidget* round = ShownWindow("frmMatchRound");
    QVERIFY(IsShown(round, "fraSlot1") && !IsShown(round, "fraSlot2") && !IsShown(round, "cmdOK"));
    QVERIFY(Click(round, "cmdStart") && IsShown(round, "cmdOK") && Click(round, "cmdOK") &&
            !ShownWindow("frmMatchRound"));
    QCOMPARE(Scripted().questions.size(), std::size_t{1});  // asked once, young or old
    QWidget* screen = ShownWindow("frmPosition");
    QVERIFY(screen && !ShownWindow("frmDraftCamp") && !hub->isEnabled());
    const QString position = QStringLiteral("Full Forward");
    QVERIFY(Choose(screen, "lstPosition", position) && Click(screen, "cmdOK") &&
            !ShownWindow("frmPosition"));
    QCOMPARE(ToQt(std::get<Career>(LoadCareer(SaveFilePath(Folder(), saved))).Position), position);
    QCOMPARE(ShownWindow("frmDraftCamp") != nullptr, after == "camp");
    QCOMPARE(hub->isEnabled(), after != "camp");
    if (after == "camp") return;
    QCOMPARE(TextOf(hub, "lblPosition"), position);
    QCOMPARE(IsEnabled(hub, "cmdPlay") || IsEnabled(hub, "cmdContract"), after == "hub");
    QCOMPARE(Messages(Scripted()).last().startsWith(QStringLiteral("After a long career")),
             retires);
  }

 private:
  QWidget* OpenSetup() {
    QWidget* start = ShownWindow("frmStart") ? ShownWindow("frmStart") : PastTheSplash(Flow());
    return Click(start, "cmdNew") ? ShownWindow("frmSetup") : nullptr;
  }
  std::filesystem::path Folder() const { return played_->data; }
  ScreenFlow& Flow() { return played_->flow; }
  km::testing::ScriptedPrompter& Scripted() { return played_->prompter; }
  Game& TheGame() { return played_->game; }

  std::unique_ptr<Played> played_;
};

}  // namespace km::screens

QTEST_MAIN(km::screens::FlowTest)
#include "flow_test.moc"
