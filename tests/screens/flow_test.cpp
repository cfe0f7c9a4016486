// SPDX-License-Identifier: GPL-3.0-or-later
// The way through the screens: setup, loading, quitting, a round's count-downs, a season's end;
// where each window opens.

#include <QWindow>
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

  // Back at the start screen, Continue names the career last played (not one only loaded to look
  // at) and opens its hub where its window was; without a save to load it is not offered.
  void continueTakesBackToTheLastCareer() {
    QWidget* hub = StartCareer(Flow(), QStringLiteral("Wayne Carey"));
    QVERIFY(hub && TheGame().Save());
    hub->resize(hub->size() + QSize(40, 30));
    const QSize size = hub->size();
    Scripted().answers = {true, true, true};
    QVERIFY(Click(hub, "cmdExit"));
    QWidget* start = ShownWindow("frmStart");
    Career looked = ACareer("Nick Riewoldt");
    looked.CareerName = "looked";
    QVERIFY(!SaveCareer(Folder(), looked).has_value());
    Scripted().files = {SaveFilePath(Folder(), looked)};
    QVERIFY(Click(start, "cmdLoad") && Click(ShownWindow("frmMain"), "cmdExit"));
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

  // Each screen opens centred over the window it came from (kept within the desktop) and, when
  // that window waits for it, kept above it; the match beside the round where the desktop has
  // room; the team page over the hub, and the hub back where it was.
  void screensOpenOverTheirOpeners_data() {
    QTest::addColumn<QByteArrayList>("presses");  // "window:button", in turn
    QTest::addColumn<QByteArray>("opened");
    QTest::addColumn<QByteArray>("over");
    QTest::addColumn<bool>("kept");  // kept above the opener
    QTest::newRow("a shop") << QByteArrayList{"frmMain:cmdTraining"} << QByteArray("frmTraining")
                            << QByteArray("frmMain") << true;
    QTest::newRow("the records") << QByteArrayList{"frmMain:cmdRecords"} << QByteArray("frmRecords")
                                 << QByteArray("frmMain") << true;
    QTest::newRow("an awards list")
        << QByteArrayList{"frmMain:cmdRecords", "frmRecords:cmdLocalAwards"}
        << QByteArray("frmLocalAwards") << QByteArray("frmRecords") << true;
    QTest::newRow("the round") << QByteArrayList{"frmMain:cmdPlay"} << QByteArray("frmMatchRound")
                               << QByteArray("frmMain") << true;
    QTest::newRow("the team page") << QByteArrayList{"frmMain:cmdTeamDetails"}
                                   << QByteArray("frmTeam") << QByteArray("frmMain") << false;
    QTest::newRow("the ladder") << QByteArrayList{"frmMain:cmdTeamDetails", "frmTeam:cmdLadder"}
                                << QByteArray("frmLadder") << QByteArray("frmTeam") << true;
  }
  void screensOpenOverTheirOpeners() {
    QFETCH(QByteArrayList, presses);
    QFETCH(QByteArray, opened);
    QFETCH(QByteArray, over);
    QFETCH(bool, kept);
    QWidget* hub = StartCareer(Flow(), QStringLiteral("Wayne Carey"));
    QVERIFY(hub);
    hub->move(hub->pos() + QPoint(140, 90));  // where the player put it
    const QPoint hubPlace = hub->pos();
    for (const QByteArray& press : presses) {
      const QByteArrayList at = press.split(':');
      QVERIFY2(Click(ShownWindow(at[0].constData()), at[1].constData()), press.constData());
    }
    QWidget* screen = ShownWindow(opened.constData());
    QWidget* owner = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
      if (window->objectName() == QLatin1String(over)) owner = window;
    QVERIFY(screen && owner);
    const QPoint off = screen->frameGeometry().center() - owner->frameGeometry().center();
    QVERIFY2(off.manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2 off").arg(off.x()).arg(off.y())));
    QCOMPARE(screen->windowHandle()->transientParent() == owner->windowHandle(), kept);
    if (opened == "frmTeam") {
      QVERIFY(Click(screen, "cmdCareerDetails") && hub->isVisible());
      QCOMPARE(hub->pos(), hubPlace);
    }
  }

  // The match beside the round, both moved no more than it takes to fit the desktop; where the
  // two cannot stand side by side, neither moves.
  void twoWindowsSideBySide_data() {
    QTest::addColumn<QRect>("left");
    QTest::addColumn<QSize>("right");
    QTest::addColumn<QPoint>("leftAt");  // where the left one ends up; none: nothing moved
    QTest::newRow("room to its right")
        << QRect(100, 200, 900, 600) << QSize(800, 500) << QPoint(100, 200);
    QTest::newRow("slid left to make room")
        << QRect(2600, 200, 900, 600) << QSize(800, 500) << QPoint(3840 - 1708, 200);
    QTest::newRow("slid up when the taller is low")
        << QRect(100, 1800, 900, 300) << QSize(800, 900) << QPoint(100, 2160 - 900);
    QTest::newRow("too wide for the desktop")
        << QRect(100, 200, 2000, 600) << QSize(1900, 500) << QPoint();
  }
  void twoWindowsSideBySide() {
    QFETCH(QRect, left);
    QFETCH(QSize, right);
    QFETCH(QPoint, leftAt);
    // The rectangles are the windows' frames, as the desktop has them.
    QWidget one, two;
    one.show();
    const QSize frame = one.frameGeometry().size() - one.size();
    one.resize(left.size() - frame);
    one.move(left.topLeft());
    two.resize(right - frame);
    const QPoint twoBefore = two.pos();
    const bool placed = PlaceSideBySide(&one, &two);
    QCOMPARE(placed, !leftAt.isNull());
    QCOMPARE(one.pos(), placed ? leftAt : left.topLeft());
    if (placed) {
      QCOMPARE(two.pos(), leftAt + QPoint(left.width() + 8, 0));
    } else {
      QCOMPARE(two.pos(), twoBefore);
    }
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
