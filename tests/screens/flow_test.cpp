// The way through the game's screens: splash, start, setup, hub, the records
// and team pages, loading a career and quitting back to the start screen.

#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "core/new_career.h"
#include "core/save_file.h"
#include "game/game.h"
#include "screens/main_screen.h"
#include "screens/qt_text.h"
#include "screens/screen_flow.h"
#include "screens/screen_test_support.h"
#include "screens/setup_screen.h"
#include "screens/splash_screen.h"
#include "screens/start_screen.h"
#include "support/scripted_ports.h"

namespace km::screens {
namespace {

using testing::Choose;
using testing::Click;
using testing::Messages;
using testing::ShownWindow;
using testing::TextOf;
using testing::Type;

// Fills in every answer but the player's name.
bool AnswerAllButTheName(QWidget* setup, const QString& careerName) {
  return Type(setup, "txtCareer", careerName) &&
         Type(setup, "txtCity", QStringLiteral("Geelong")) &&
         Choose(setup, "txtState", QStringLiteral("Victoria")) &&
         Choose(setup, "lstPosition", QStringLiteral("Wing")) &&
         Choose(setup, "lstHeight", QStringLiteral("191"));
}

}  // namespace

class FlowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    QVERIFY(folder_.isValid());
    // A new career's offers and fixture draw from it.
    random_.fallback = 0.5;
    prompter_ = std::make_unique<km::testing::ScriptedPrompter>();
    game_ = std::make_unique<Game>(random_, *prompter_, DataFolder{PathFromQt(folder_.path())});
    flow_ = std::make_unique<ScreenFlow>(*game_);
  }
  void cleanup() {
    flow_.reset();
    game_.reset();
    // Screens put away during the test are deleted here.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // A key puts it away too: the keyboard walk starts so.
  void splashGivesWayToTheStartScreen() {
    flow_->Begin();
    QWidget* splash = ShownWindow("frmSplash");
    QVERIFY(splash);
    QVERIFY(!ShownWindow("frmStart"));
    QCOMPARE(TextOf(splash, "lblClick"), QStringLiteral("Click to Continue..."));
    // The splash screen names the major and minor version only.
    QCOMPARE(
        TextOf(splash, "lblSplashVersion"),
        QStringLiteral("Version %1.%2").arg(KICKMARK_VERSION_MAJOR).arg(KICKMARK_VERSION_MINOR));
    // A click on any part of it, its labels included.
    QTest::mouseClick(testing::Find(splash, "lblCredit"), Qt::LeftButton);
    QVERIFY(!ShownWindow("frmSplash"));
    QWidget* start = ShownWindow("frmStart");
    QVERIFY(start);
    QCOMPARE(start->windowTitle(), QStringLiteral("Kickmark"));
  }

  void refusedStartThenAcceptedReachesTheHub() {
    QWidget* setup = OpenSetup();
    QVERIFY(setup);
    QVERIFY(!ShownWindow("frmStart"));
    QVERIFY(AnswerAllButTheName(setup, QStringLiteral("career1")));
    testing::Find<QScrollBar>(setup, "hsbKicking")->setValue(80);

    QVERIFY(Click(setup, "cmdStart"));
    QCOMPARE(Messages(*prompter_), QStringList{kFillOutMessage});
    QVERIFY(ShownWindow("frmSetup"));
    QVERIFY(!ShownWindow("frmMain"));
    QVERIFY(!game_->HasCareer());
    // The answers stay as typed.
    QCOMPARE(TextOf(setup, "txtCity"), QStringLiteral("Geelong"));
    QCOMPARE(TextOf(setup, "lstPosition"), QStringLiteral("Wing"));

    QVERIFY(Type(setup, "txtName", QStringLiteral("Gary Ablett")));
    QVERIFY(Click(setup, "cmdStart"));
    // The offers come first; the hub once he has signed.
    QVERIFY(ShownWindow("frmContracts"));
    QVERIFY(!ShownWindow("frmMain"));
    QWidget* hub = SignFirstOffer();
    QVERIFY(hub);
    QVERIFY(!ShownWindow("frmSetup"));
    QCOMPARE(hub->windowTitle(), QStringLiteral("Kickmark - Career"));
    QCOMPARE(TextOf(hub, "lblName"), QStringLiteral("Gary Ablett"));
    QCOMPARE(TextOf(hub, "lblTeam"), QStringLiteral("West Coburg"));
    QCOMPARE(TextOf(hub, "lblState"), QStringLiteral("Victoria"));
    QCOMPARE(TextOf(hub, "lblPosition"), QStringLiteral("Wing"));
    QCOMPARE(TextOf(hub, "lblHeight"), QStringLiteral("191"));
    QCOMPARE(TextOf(hub, "lblKicking"), QStringLiteral("80"));
    QCOMPARE(TextOf(hub, "lblBankBalanceDollar"), QStringLiteral("$"));
    QCOMPARE(TextOf(hub, "lblBankBalance"), QStringLiteral("15000"));
    QCOMPARE(Messages(*prompter_), QStringList{kFillOutMessage});
  }

  void aSpecialNamesMessageComesOverTheScreenOfTheStart_data() {
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("seen");
    // Accepted: the offers are up, the setup screen put away.
    QTest::newRow("accepted") << true << QStringList{QStringLiteral("frmContracts")};
    // Refused for the missing name: both messages over the setup screen.
    QTest::newRow("refused") << false
                             << QStringList{QStringLiteral("frmSetup"), QStringLiteral("frmSetup")};
  }
  void aSpecialNamesMessageComesOverTheScreenOfTheStart() {
    QFETCH(bool, accepted);
    QFETCH(QStringList, seen);
    QWidget* setup = OpenSetup();
    QVERIFY(setup);
    QVERIFY(AnswerAllButTheName(setup, QStringLiteral("Iron Bolt")));
    if (accepted) QVERIFY(Type(setup, "txtName", QStringLiteral("Gary Ablett")));
    QStringList windows;
    prompter_->onInform = [&windows](const auto&) { windows << testing::ShownWindows(); };
    QVERIFY(Click(setup, "cmdStart"));
    QCOMPARE(Messages(*prompter_).last(), QStringLiteral("Nice try mate ;)"));
    QCOMPARE(windows, seen);
  }

  void backDiscardsTheAnswers() {
    QWidget* setup = OpenSetup();
    QVERIFY(setup);
    QVERIFY(AnswerAllButTheName(setup, QStringLiteral("career1")));
    QVERIFY(Type(setup, "txtName", QStringLiteral("Gary Ablett")));
    QVERIFY(Click(setup, "cmdBack"));
    QVERIFY(ShownWindow("frmStart"));
    QVERIFY(!ShownWindow("frmSetup"));
    QVERIFY(!game_->HasCareer());

    QVERIFY(Click(ShownWindow("frmStart"), "cmdNew"));
    setup = ShownWindow("frmSetup");
    QVERIFY(setup);
    QCOMPARE(TextOf(setup, "txtName"), QString());
    QCOMPARE(TextOf(setup, "txtCareer"), QString());
    QCOMPARE(TextOf(setup, "txtState"), QString());
  }

  void exitLeavesWithoutAQuestion_data() {
    QTest::addColumn<bool>("fromSetup");
    QTest::newRow("start screen") << false;
    QTest::newRow("setup screen") << true;
  }
  void exitLeavesWithoutAQuestion() {
    QFETCH(bool, fromSetup);
    QSignalSpy exits(flow_.get(), &ScreenFlow::exitRequested);
    QWidget* screen = fromSetup ? OpenSetup() : OpenStart();
    QVERIFY(screen);
    QVERIFY(Click(screen, "cmdExit"));
    QCOMPARE(exits.count(), 1);
    QVERIFY(prompter_->questions.empty());
  }

  void loadShowsTheSavedCareerOnTheHub() {
    SetupAnswers answers;
    answers.careerName = "saved";
    answers.name = "Nick Riewoldt";
    answers.city = "Hobart";
    answers.state = "Tasmania";
    answers.position = "Centre-Half-Forward";
    Career saved = CreateCareer(answers);
    saved.Team = "Clarence";
    saved.BankBalance = Money::Cents(24750);
    saved.ContractOpen = false;
    QVERIFY(!SaveCareer(PathFromQt(folder_.path()), saved).has_value());
    prompter_->files.emplace_back(SaveFilePath(PathFromQt(folder_.path()), saved));

    QWidget* start = OpenStart();
    QVERIFY(start);
    QVERIFY(Click(start, "cmdLoad"));
    QWidget* hub = ShownWindow("frmMain");
    QVERIFY(hub);
    QVERIFY(!ShownWindow("frmStart"));
    QCOMPARE(TextOf(hub, "lblName"), QStringLiteral("Nick Riewoldt"));
    QCOMPARE(TextOf(hub, "lblTeam"), QStringLiteral("Clarence"));
    QCOMPARE(TextOf(hub, "lblBankBalance"), QStringLiteral("247.5"));
    QVERIFY(!testing::Find<QPushButton>(hub, "cmdContract")->isEnabled());
  }

  void failedLoadStaysOnTheStartScreenAndSaysWhy() {
    const QString broken = folder_.filePath(QStringLiteral("broken.kms"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\"Half a career\"\r\n42\r\n");
    file.close();
    prompter_->files.emplace_back(PathFromQt(broken));

    QWidget* start = OpenStart();
    QVERIFY(start);
    QVERIFY(Click(start, "cmdLoad"));
    QVERIFY(ShownWindow("frmStart"));
    QVERIFY(!ShownWindow("frmMain"));
    QVERIFY(!game_->HasCareer());

    // The sentence is the game's own, for this file.
    km::testing::ScriptedPrompter quiet;
    Game other(random_, quiet, DataFolder{PathFromQt(folder_.path())});
    const QString expected = ToQt(other.LoadFrom(PathFromQt(broken)).error);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(TextOf(start, "lblLoadError"), expected);

    // A cancelled choice afterwards changes nothing.
    QVERIFY(Click(start, "cmdLoad"));
    QVERIFY(ShownWindow("frmStart"));
    QVERIFY(!ShownWindow("frmMain"));
    QVERIFY(!game_->HasCareer());
    QVERIFY(prompter_->messages.empty());
  }

  void quitAnsweredNoStaysOnTheHub() {
    QWidget* hub = StartCareer(QStringLiteral("Wayne Carey"));
    QVERIFY(hub);
    prompter_->answers.push_back(false);
    QVERIFY(Click(hub, "cmdExit"));
    QCOMPARE(prompter_->questions.size(), std::size_t{1});
    QCOMPARE(ToQt(prompter_->questions.front().text),
             QStringLiteral("Are you sure you want to quit ?"));
    QCOMPARE(ToQt(prompter_->questions.front().title), QStringLiteral("Kickmark Exit"));
    QVERIFY(ShownWindow("frmMain"));
    QVERIFY(hub->isEnabled());
    QVERIFY(!ShownWindow("frmStart"));
    QVERIFY(game_->HasCareer());
  }

  void quitAnsweredYesReturnsToStartAndASecondCareerBeginsAfresh() {
    QWidget* hub = StartCareer(QStringLiteral("Wayne Carey"));
    QVERIFY(hub);
    prompter_->answers.push_back(true);
    QVERIFY(Click(hub, "cmdExit"));
    QCOMPARE(prompter_->questions.size(), std::size_t{1});
    QVERIFY(ShownWindow("frmStart"));
    QVERIFY(!ShownWindow("frmMain"));
    QVERIFY(!ShownWindow("frmSetup"));
    QVERIFY(!game_->HasCareer());

    // The next career gets a blank setup screen and a hub of its own.
    QVERIFY(Click(ShownWindow("frmStart"), "cmdNew"));
    QWidget* setup = ShownWindow("frmSetup");
    QVERIFY(setup);
    QCOMPARE(TextOf(setup, "txtName"), QString());
    QVERIFY(AnswerAllButTheName(setup, QStringLiteral("career2")));
    QVERIFY(Type(setup, "txtName", QStringLiteral("Glenn Archer")));
    QVERIFY(Click(setup, "cmdStart"));
    hub = SignFirstOffer();
    QVERIFY(hub);
    QCOMPARE(TextOf(hub, "lblName"), QStringLiteral("Glenn Archer"));
  }

  // The letter R opens them too: the keyboard walk ends so.
  void recordsOpenOverTheHubAndHandBack() {
    QWidget* hub = StartCareer(QStringLiteral("Wayne Carey"));
    QVERIFY(hub);
    QVERIFY(Click(hub, "cmdRecords"));
    QWidget* records = ShownWindow("frmRecords");
    QVERIFY(records);
    QCOMPARE(TextOf(records, "lblName"), QStringLiteral("Wayne Carey"));
    QVERIFY(ShownWindow("frmMain"));
    QVERIFY(!hub->isEnabled());
    QVERIFY(Click(records, "cmdOK"));
    QVERIFY(!ShownWindow("frmRecords"));
    QVERIFY(hub->isEnabled());
  }

  void economyScreensOpenOverTheHubAndHandBack_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("close");
    QTest::newRow("training") << int(Qt::Key_T) << "frmTraining"
                              << "cmdCancel";
    QTest::newRow("health") << int(Qt::Key_H) << "frmHealth"
                            << "cmdCancel";
    QTest::newRow("store") << int(Qt::Key_S) << "frmStore"
                           << "cmdCancel";
    QTest::newRow("sponsorship") << int(Qt::Key_O) << "frmSponsorship"
                                 << "cmdClose";
  }
  void economyScreensOpenOverTheHubAndHandBack() {
    QFETCH(int, key);
    QFETCH(QString, screen);
    QFETCH(QString, close);
    QWidget* hub = StartCareer(QStringLiteral("Wayne Carey"));
    QVERIFY(hub);
    QTest::keyClick(hub, static_cast<Qt::Key>(key));
    QWidget* shown = ShownWindow(screen.toLatin1().constData());
    QVERIFY(shown);
    QVERIFY(!hub->isEnabled());
    QVERIFY(Click(shown, close.toLatin1().constData()));
    QVERIFY(!ShownWindow(screen.toLatin1().constData()));
    QVERIFY(hub->isEnabled());
  }

  void teamDetailsTakeTheHubsPlaceUntilCareerDetails() {
    QWidget* hub = StartCareer(QStringLiteral("Wayne Carey"));
    QVERIFY(hub);
    for (int visit = 0; visit < 2; ++visit) {
      QVERIFY(Click(hub, "cmdTeamDetails"));
      QWidget* team = ShownWindow("frmTeam");
      QVERIFY(team);
      QVERIFY(!ShownWindow("frmMain"));
      QCOMPARE(TextOf(team, "lblName"), QStringLiteral("Wayne Carey"));
      QCOMPARE(TextOf(team, "lblState"), QStringLiteral("Victoria"));
      QVERIFY(Click(team, "cmdCareerDetails"));
      QVERIFY(!ShownWindow("frmTeam"));
      QCOMPARE(ShownWindow("frmMain"), hub);
      QVERIFY(hub->isEnabled());
    }
  }

  void exitFromTheTeamPageAsksTheHubsQuestion_data() {
    QTest::addColumn<bool>("answer");
    QTest::newRow("no") << false;
    QTest::newRow("yes") << true;
  }
  void exitFromTheTeamPageAsksTheHubsQuestion() {
    QFETCH(bool, answer);
    QWidget* hub = StartCareer(QStringLiteral("Wayne Carey"));
    QVERIFY(hub);
    QVERIFY(Click(hub, "cmdTeamDetails"));
    QWidget* team = ShownWindow("frmTeam");
    QVERIFY(team);
    prompter_->answers.push_back(answer);
    QVERIFY(Click(team, "cmdExit"));
    QCOMPARE(prompter_->questions.size(), std::size_t{1});
    QCOMPARE(ToQt(prompter_->questions.front().text),
             QStringLiteral("Are you sure you want to quit ?"));
    QCOMPARE(game_->HasCareer(), !answer);
    QCOMPARE(ShownWindow("frmTeam") != nullptr, !answer);
    QCOMPARE(ShownWindow("frmStart") != nullptr, answer);
    QVERIFY(!ShownWindow("frmMain"));
  }

 private:
  QWidget* OpenStart() {
    flow_->Begin();
    if (auto* splash = ShownWindow("frmSplash")) QTest::mouseClick(splash, Qt::LeftButton);
    return ShownWindow("frmStart");
  }

  QWidget* OpenSetup() {
    QWidget* start = OpenStart();
    if (!start || !Click(start, "cmdNew")) return nullptr;
    return ShownWindow("frmSetup");
  }

  QWidget* StartCareer(const QString& name) {
    QWidget* setup = OpenSetup();
    if (!setup || !AnswerAllButTheName(setup, QStringLiteral("career1")) ||
        !Type(setup, "txtName", name) || !Click(setup, "cmdStart")) {
      return nullptr;
    }
    return SignFirstOffer();
  }

  // A new career's first stop: the offers. He signs the first club's and
  // puts them away.
  QWidget* SignFirstOffer() {
    QWidget* contracts = ShownWindow("frmContracts");
    auto* grid = contracts ? testing::Find<QTableWidget>(contracts, "grdContracts") : nullptr;
    QTableWidgetItem* club = grid ? grid->item(0, 3) : nullptr;
    if (!club) return nullptr;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                      grid->visualItemRect(club).center());
    if (!Click(contracts, "cmdSign") || !Click(contracts, "cmdOK")) return nullptr;
    return ShownWindow("frmMain");
  }

  QTemporaryDir folder_;
  km::testing::ScriptedRandom random_;
  std::unique_ptr<km::testing::ScriptedPrompter> prompter_;
  std::unique_ptr<Game> game_;
  std::unique_ptr<ScreenFlow> flow_;
};

}  // namespace km::screens

QTEST_MAIN(km::screens::FlowTest)
#include "flow_test.moc"
