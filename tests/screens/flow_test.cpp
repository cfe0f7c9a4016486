// The way through the game's screens: splash, start, setup and its answers,
// the hub and the screens it opens, loading a career and quitting back to
// the start screen; at the season's end the new position, the draft camp and
// the draft, run through their buttons until the hub has its AFL player.

#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "core/save_file.h"
#include "draft/draft.h"
#include "screens/qt_text.h"
#include "screens/screen_test_support.h"
#include "screens/setup_screen.h"
#include "season/fixture.h"

namespace km::screens {
namespace {

using namespace testing;

constexpr const char* kBars[] = {"hsbKicking", "hsbHandBalling", "hsbTackling", "hsbMarking",
                                 "hsbRunning"};
constexpr const char* kSkillLabels[] = {"lblKicking", "lblHandballing", "lblTackling", "lblMarking",
                                        "lblRunning"};

// The labels of the draft order, one a club.
QByteArray OrderLabel(std::size_t slot) {
  constexpr const char* kNames[] = {
      "lblFirst",      "lblSecond",     "lblThird",     "lblFourth",   "lblFifth",    "lblSixth",
      "lblSeventh",    "lblEighth",     "lblNinth",     "lblTenth",    "lblEleventh", "lblTwelfth",
      "lblThirteenth", "lblFourteenth", "lblFifteenth", "lblSixteenth"};
  return kNames[slot];
}

// The clubs of the draft order marked as on the clock.
QString Highlighted(const QWidget* draft) {
  QStringList marked;
  for (std::size_t slot = 0; slot < kDraftOrder.size(); ++slot) {
    const QWidget* club = Find(draft, OrderLabel(slot).constData());
    if (club && club->property("current").toBool()) marked << OrderLabel(slot);
  }
  return marked.join(QLatin1Char(','));
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
    game_ = std::make_unique<Game>(random_, *prompter_, DataFolder{Folder()});
    flow_ = std::make_unique<ScreenFlow>(*game_);
  }
  void cleanup() {
    flow_.reset();
    game_.reset();
    // Screens put away during the test are deleted here.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void splashGivesWayToTheStartScreen() {
    flow_->Begin();
    QWidget* splash = ShownWindow("frmSplash");
    QCOMPARE(ShownWindows(), QStringLiteral("frmSplash"));
    // The splash screen names the major and minor version only.
    QCOMPARE(
        TextOf(splash, "lblSplashVersion"),
        QStringLiteral("Version %1.%2").arg(KICKMARK_VERSION_MAJOR).arg(KICKMARK_VERSION_MINOR));
    // A click on any part of it, its labels included.
    QTest::mouseClick(Find(splash, "lblCredit"), Qt::LeftButton);
    QCOMPARE(ShownWindows(), QStringLiteral("frmStart"));
  }

  void refusedStartThenAcceptedReachesTheHub() {
    QWidget* setup = OpenSetup();
    QVERIFY(AnswerSetup(setup, QStringLiteral("career1"), QString()));

    QVERIFY(Click(setup, "cmdStart"));
    QCOMPARE(Messages(*prompter_), QStringList{kFillOutMessage});
    QCOMPARE(ShownWindows(), QStringLiteral("frmSetup"));
    QVERIFY(!game_->HasCareer());
    // The answers stay as typed.
    QCOMPARE(TextOf(setup, "lstPosition"), QStringLiteral("Wing"));

    QVERIFY(Type(setup, "txtName", QStringLiteral("Gary Ablett")));
    QVERIFY(Click(setup, "cmdStart"));
    // The offers come first; the hub once he has signed.
    QCOMPARE(ShownWindows(), QStringLiteral("frmContracts"));
    QWidget* hub = SignOffer();
    QVERIFY(hub);
    QCOMPARE(ShownWindows(), QStringLiteral("frmMain"));
    QCOMPARE(TextOf(hub, "lblName"), QStringLiteral("Gary Ablett"));
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
    QVERIFY(AnswerSetup(setup, QStringLiteral("Iron Bolt"),
                        accepted ? QStringLiteral("Gary Ablett") : QString()));
    QStringList windows;
    prompter_->onInform = [&windows](const auto&) { windows << ShownWindows(); };
    QVERIFY(Click(setup, "cmdStart"));
    QCOMPARE(Messages(*prompter_).last(), QStringLiteral("Nice try mate ;)"));
    QCOMPARE(windows, seen);
  }

  void backDiscardsTheAnswers() {
    QWidget* setup = OpenSetup();
    QVERIFY(AnswerSetup(setup, QStringLiteral("career1"), QStringLiteral("Gary Ablett")));
    QVERIFY(Click(setup, "cmdBack"));
    QCOMPARE(ShownWindows(), QStringLiteral("frmStart"));
    QVERIFY(!game_->HasCareer());

    QVERIFY(Click(ShownWindow("frmStart"), "cmdNew"));
    setup = ShownWindow("frmSetup");
    QCOMPARE(TextOf(setup, "txtName") + TextOf(setup, "txtCareer") + TextOf(setup, "txtState"),
             QString());
  }

  void exitLeavesWithoutAQuestion_data() {
    QTest::addColumn<bool>("fromSetup");
    QTest::newRow("start screen") << false;
    QTest::newRow("setup screen") << true;
  }
  void exitLeavesWithoutAQuestion() {
    QFETCH(bool, fromSetup);
    QSignalSpy exits(flow_.get(), &ScreenFlow::exitRequested);
    QWidget* screen = fromSetup ? OpenSetup() : PastTheSplash(*flow_);
    QVERIFY(Click(screen, "cmdExit"));
    QCOMPARE(exits.count(), 1);
    QVERIFY(prompter_->questions.empty());
  }

  // The lists start with a height and a weight chosen and nothing else; each
  // skill bar runs from 1 to 100 in steps of 1 and 10 and shows its own
  // skill; the answers carry what was typed, the overall every bar.
  void theSetupScreensAnswers() {
    SetupScreen screen(*game_);
    screen.show();
    QCOMPARE(Find<QComboBox>(&screen, "txtState")->currentIndex(), -1);
    QCOMPARE(Find<QComboBox>(&screen, "lstPosition")->currentIndex(), -1);
    for (const auto& [list, shown] :
         {std::pair{"lstHeight", "185 of 205..160"}, {"lstWeight", "85 of 110..60"}}) {
      auto* box = Find<QComboBox>(&screen, list);
      QCOMPARE(QStringLiteral("%1 of %2..%3")
                   .arg(box->currentText(), box->itemText(0), box->itemText(box->count() - 1)),
               QString::fromLatin1(shown));
      QCOMPARE(box->count(),
               box->itemText(0).toInt() - box->itemText(box->count() - 1).toInt() + 1);
    }
    // Last first, so that Kicking's bar is the last to work out the overall.
    for (std::size_t i = std::size(kBars); i-- > 0;) {
      auto* bar = Find<QScrollBar>(&screen, kBars[i]);
      QCOMPARE(TextOf(&screen, kSkillLabels[i]), QStringLiteral("1"));
      bar->setValue(500);
      QCOMPARE(TextOf(&screen, kSkillLabels[i]), QStringLiteral("100"));
      bar->setValue(-3);
      bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
      bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      QCOMPARE(TextOf(&screen, kSkillLabels[i]), QStringLiteral("12"));
      bar->setValue(11 * static_cast<int>(i + 1));
    }
    QVERIFY(Type(&screen, "txtCareer", QStringLiteral("career1")));
    QVERIFY(Type(&screen, "txtName", QStringLiteral("Leigh Matthews")));
    QVERIFY(Type(&screen, "txtCity", QStringLiteral("Frankston")));
    QVERIFY(Choose(&screen, "txtState", QStringLiteral("Victoria")));
    QVERIFY(Choose(&screen, "lstHeight", QStringLiteral("178")));
    QVERIFY(Choose(&screen, "lstWeight", QStringLiteral("86")));
    QVERIFY(Choose(&screen, "lstPosition", QStringLiteral("Rover")));
    const SetupAnswers a = screen.answers();
    QCOMPARE(ToQt(a.careerName + "|" + a.name + "|" + a.city + "|" + a.state + "|" + a.position),
             QStringLiteral("career1|Leigh Matthews|Frankston|Victoria|Rover"));
    QCOMPARE((std::array{a.height, a.weight, a.kicking, a.handballing, a.tackling, a.marking,
                         a.running}),
             (std::array{178, 86, 11, 22, 33, 44, 55}));
    // Kicking and Handballing weigh 1.25, the others 0.833.
    QCOMPARE(TextOf(&screen, "lblOverall"), QStringLiteral("30"));
  }

  // A name the save files cannot hold is refused with the game's sentence,
  // and the screen stays as typed; pasted, as the test's key clicks type
  // ASCII only.
  void aRefusedNameShowsTheGamesSentence() {
    const QString name = QString::fromUtf8("\xc5\x81ukasz");
    QWidget* setup = OpenSetup();
    QVERIFY(AnswerSetup(setup, QStringLiteral("career1"), QString()));
    Find<QLineEdit>(setup, "txtName")->setText(name);
    QVERIFY(Click(setup, "cmdStart"));
    QCOMPARE(Messages(*prompter_),
             QStringList{QString::fromUtf8(
                 "The name contains characters that cannot be saved (only the letters of Western "
                 "European languages can be used): \xc5\x81")});
    QVERIFY(!game_->HasCareer());
    QCOMPARE(TextOf(setup, "txtName"), name);
  }

  void loadShowsTheSavedCareerOnTheHub() {
    Career saved = ACareer("Nick Riewoldt");
    saved.Team = "Clarence";
    saved.BankBalance = Money::Cents(24750);
    saved.ContractOpen = false;
    QVERIFY(!SaveCareer(Folder(), saved).has_value());
    prompter_->files.emplace_back(SaveFilePath(Folder(), saved));

    QVERIFY(Click(PastTheSplash(*flow_), "cmdLoad"));
    QWidget* hub = ShownWindow("frmMain");
    QCOMPARE(ShownWindows(), QStringLiteral("frmMain"));
    QCOMPARE(TextOf(hub, "lblName") + "|" + TextOf(hub, "lblBankBalance"),
             QStringLiteral("Nick Riewoldt|247.5"));
    QVERIFY(!IsEnabled(hub, "cmdContract"));
  }

  void failedLoadStaysOnTheStartScreenAndSaysWhy() {
    const QString broken = folder_.filePath(QStringLiteral("broken.kms"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\"Half a career\"\r\n42\r\n");
    file.close();
    prompter_->files.emplace_back(PathFromQt(broken));

    QWidget* start = PastTheSplash(*flow_);
    QVERIFY(Click(start, "cmdLoad"));
    QCOMPARE(ShownWindows(), QStringLiteral("frmStart"));
    QVERIFY(!game_->HasCareer());
    // The sentence is the game's own, for this file.
    km::testing::ScriptedPrompter quiet;
    Game other(random_, quiet, DataFolder{Folder()});
    const QString expected = ToQt(other.LoadFrom(PathFromQt(broken)).error);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(TextOf(start, "lblLoadError"), expected);

    // A cancelled choice afterwards changes nothing.
    QVERIFY(Click(start, "cmdLoad"));
    QCOMPARE(ShownWindows(), QStringLiteral("frmStart"));
    QVERIFY(!game_->HasCareer());
    QVERIFY(prompter_->messages.empty());
  }

  // Exit asks first, from the hub and from the team page alike; Yes goes
  // back to the start screen, where the next career begins afresh.
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
    if (!answer) {
      QVERIFY(ShownWindow(qPrintable(shown))->isEnabled());
      return;
    }

    QVERIFY(Click(ShownWindow("frmStart"), "cmdNew"));
    QWidget* setup = ShownWindow("frmSetup");
    QCOMPARE(TextOf(setup, "txtName"), QString());
    QVERIFY(AnswerSetup(setup, QStringLiteral("career2"), QStringLiteral("Glenn Archer")));
    QVERIFY(Click(setup, "cmdStart"));
    QCOMPARE(TextOf(SignOffer(), "lblName"), QStringLiteral("Glenn Archer"));
  }

  void screensOpenOverTheHubAndHandBack_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QByteArray>("screen");
    QTest::addColumn<QByteArray>("close");
    QTest::newRow("records") << int(Qt::Key_R) << QByteArray("frmRecords") << QByteArray("cmdOK");
    QTest::newRow("training") << int(Qt::Key_T) << QByteArray("frmTraining")
                              << QByteArray("cmdCancel");
    QTest::newRow("health") << int(Qt::Key_H) << QByteArray("frmHealth") << QByteArray("cmdCancel");
    QTest::newRow("store") << int(Qt::Key_S) << QByteArray("frmStore") << QByteArray("cmdCancel");
    QTest::newRow("sponsorship") << int(Qt::Key_O) << QByteArray("frmSponsorship")
                                 << QByteArray("cmdClose");
  }
  void screensOpenOverTheHubAndHandBack() {
    QFETCH(int, key);
    QFETCH(QByteArray, screen);
    QFETCH(QByteArray, close);
    QWidget* hub = StartCareer(*flow_, QStringLiteral("Wayne Carey"));
    QVERIFY(hub);
    QTest::keyClick(hub, static_cast<Qt::Key>(key));
    QWidget* shown = ShownWindow(screen.constData());
    QVERIFY(shown);
    QVERIFY(ShownWindow("frmMain"));
    QVERIFY(!hub->isEnabled());
    QVERIFY(Click(shown, close.constData()));
    QVERIFY(!ShownWindow(screen.constData()));
    QVERIFY(hub->isEnabled());
  }

  void teamDetailsTakeTheHubsPlaceUntilCareerDetails() {
    QWidget* hub = StartCareer(*flow_, QStringLiteral("Wayne Carey"));
    QVERIFY(hub);
    for (int visit = 0; visit < 2; ++visit) {
      QVERIFY(Click(hub, "cmdTeamDetails"));
      QWidget* team = ShownWindow("frmTeam");
      QCOMPARE(ShownWindows(), QStringLiteral("frmTeam"));
      QCOMPARE(TextOf(team, "lblName"), QStringLiteral("Wayne Carey"));
      QVERIFY(Click(team, "cmdCareerDetails"));
      QCOMPARE(ShownWindows(), QStringLiteral("frmMain"));
      QCOMPARE(ShownWindow("frmMain"), hub);
      QVERIFY(hub->isEnabled());
    }
  }

  void theCampAndTheDraftThroughTheirButtons_data() {
    QTest::addColumn<int>("skill");
    QTest::addColumn<double>("rating");
    QTest::addColumn<int>("firstPick");  // he goes at this pick or later
    QTest::addColumn<int>("lastPick");
    // Too little skill for any tier before the last pick.
    QTest::newRow("a battler") << 60 << 6.5 << 80 << 80;
    // The best there is: the first round takes him at once.
    QTest::newRow("a champion") << 200 << 9.0 << 1 << 2;
  }
  void theCampAndTheDraftThroughTheirButtons() {
    QFETCH(int, skill);
    QFETCH(double, rating);
    QFETCH(int, firstPick);
    QFETCH(int, lastPick);
    QTemporaryDir folder;
    const std::filesystem::path data = PathFromQt(folder.path());
    const Career saved = OnHisWayToTheCamp("Luke Hodge", skill, rating);
    QVERIFY(!SaveCareer(data, saved));
    TwisterRandom random(3);
    km::testing::ScriptedPrompter prompter;
    prompter.files.emplace_back(SaveFilePath(data, saved));
    Game game(random, prompter, DataFolder{data});
    ScreenFlow flow(game);
    QVERIFY(Click(PastTheSplash(flow), "cmdLoad"));

    // The hub is in view but waits for the draft; the camp is not left
    // half way.
    QWidget* hub = ShownWindow("frmMain");
    QVERIFY(hub && !hub->isEnabled());
    QWidget* camp = ShownWindow("frmDraftCamp");
    QVERIFY(camp);
    QCOMPARE(TextOf(camp, "lblName"), QStringLiteral("Luke Hodge"));
    camp->close();
    QVERIFY(ShownWindow("frmDraftCamp"));

    // The introduction, then a test a press: each test's line keeps its
    // result and rank, the lines to come stay 0.
    QVERIFY(Click(camp, "cmdStart"));
    for (int test = 1; test <= 6; ++test) {
      QVERIFY(!IsEnabled(camp, "cmdOK"));
      QVERIFY(Click(camp, "cmdStart"));
      QVERIFY(TextOf(camp, "lblComments").startsWith(QStringLiteral("Luke Hodge ")));
      const QByteArray row = QByteArray::number(test);
      QCOMPARE(TextOf(camp, "lblResult" + row) + "|" + TextOf(camp, "lblRank" + row),
               TextOf(camp, "lblResult") + "|" + TextOf(camp, "lblRank"));
      QVERIFY(test == 6 || TextOf(camp, "lblResult" + QByteArray::number(test + 1)) == "0");
    }
    // At the end every rank is a place among the 70, and the average is
    // their rounded mean.
    int sum = 0;
    for (int test = 1; test <= 6; ++test) {
      const int rank = TextOf(camp, "lblRank" + QByteArray::number(test)).toInt();
      QVERIFY2(rank >= 1 && rank <= 70, qPrintable(QString::number(rank)));
      sum += rank;
    }
    QVERIFY(std::abs(TextOf(camp, "lblRankAverage").toInt() * 6 - sum) <= 3);
    QVERIFY(Click(camp, "cmdStart"));
    QCOMPARE(TextOf(camp, "lblRank"), TextOf(camp, "lblRankAverage"));
    QVERIFY(!IsEnabled(camp, "cmdStart"));
    QVERIFY(IsEnabled(camp, "cmdOK"));
    QVERIFY(!hub->isEnabled());

    QVERIFY(Click(camp, "cmdOK"));
    QVERIFY(!ShownWindow("frmDraftCamp"));
    QWidget* draft = ShownWindow("frmDraft");
    QVERIFY(draft);
    QVERIFY(!hub->isEnabled());
    QCOMPARE(Highlighted(draft), QString());

    // The club's congratulations come up over the pick that made them.
    QStringList seenAtMessage;
    prompter.onInform = [&](const auto&) {
      const QWidget* shown = ShownWindow("frmDraft");
      seenAtMessage << (shown ? QStringList{TextOf(shown, "lblPick"), TextOf(shown, "lblTeam"),
                                            TextOf(shown, "lblRound"), Highlighted(shown)}
                                    .join(QLatin1Char('|'))
                              : QStringLiteral("no draft screen"));
    };
    // Pick after pick, the club on the clock is marked, until one takes him.
    int pick = 0;
    while (ShownWindow("frmDraft") && pick < 80) {
      QVERIFY(Click(draft, "cmdPick"));
      const std::size_t slot = static_cast<std::size_t>(pick++ % 16);
      if (!ShownWindow("frmDraft")) break;
      QVERIFY(seenAtMessage.isEmpty());
      QCOMPARE(TextOf(draft, "lblPick"), QString::number(pick));
      QCOMPARE(TextOf(draft, "lblTeam"), ToQt(kDraftOrder[slot]));
      QCOMPARE(Highlighted(draft), OrderLabel(slot));
    }
    QVERIFY(!ShownWindow("frmDraft"));
    QVERIFY2(pick >= firstPick && pick <= lastPick, qPrintable(QString::number(pick)));
    const std::size_t slot = static_cast<std::size_t>((pick - 1) % 16);
    const QString club = ToQt(kDraftOrder[slot]);
    QCOMPARE(Messages(prompter).last(),
             QStringLiteral("Congratulations! You have been drafted by %1!").arg(club));
    QCOMPARE(seenAtMessage, QStringList{QStringLiteral("%1|%2|%3|%4")
                                            .arg(pick)
                                            .arg(club)
                                            .arg((pick - 1) / 16 + 1)
                                            .arg(OrderLabel(slot))});
    QCOMPARE(prompter.stories.size(), std::size_t{1});
    QVERIFY(ToQt(prompter.stories.back().text)
                .contains(QStringLiteral("picked at pick number %1,").arg(pick)));

    // Both screens are gone and the hub has its AFL player.
    QVERIFY(!flow.camp());
    QVERIFY(hub->isEnabled());
    QCOMPARE(TextOf(hub, "lblTeam"), club);
    QCOMPARE(TextOf(hub, "lblLeague"), QStringLiteral("AFL"));
    QVERIFY(IsEnabled(hub, "cmdPlay"));
  }

  // The grand final's OK: a 20-year-old who said Yes to a new position picks
  // it first; then a State League player with the scouts' eye goes to the
  // camp, anyone else back to the hub.
  void theSeasonsEndBringsTheNewPositionThenTheCamp_data() {
    QTest::addColumn<QString>("league");
    QTest::addColumn<bool>("campDue");
    QTest::newRow("to the camp") << "State" << true;
    QTest::newRow("back to the hub") << "Local Reserves" << false;
  }
  void theSeasonsEndBringsTheNewPositionThenTheCamp() {
    QFETCH(QString, league);
    QFETCH(bool, campDue);
    QTemporaryDir folder;
    const std::filesystem::path data = PathFromQt(folder.path());
    Career saved = OnHisWayToTheCamp("Luke Hodge", 90, 6.5);
    SeatAt(saved, ToStd(league), 15);
    saved.Age = 20;
    saved.Matches = 25;
    saved.PlayOpen = true;
    // The grand final is his contract's last match.
    saved.ContractLength = saved.ContractMatches = 1;
    std::array<std::string, 16> clubs;
    for (std::size_t i = 0; i < clubs.size(); ++i) clubs[i] = saved.Ladder[i].Team;
    QVERIFY(!WriteSeasonFixture(data, saved, clubs));
    for (std::size_t names : {8u, 6u, 4u, 2u}) {
      QVERIFY(!AppendFinalsStage(data, saved, {clubs.begin(), clubs.begin() + names}));
    }
    // The results file holds a record for each of the 25 rounds played.
    for (int round = 1; round <= saved.Matches; ++round) {
      QVERIFY(!AppendRoundResult(data, saved, RoundRecord{}));
    }
    QVERIFY(!SaveCareer(data, saved));

    TwisterRandom random(17);
    km::testing::ScriptedPrompter prompter;
    prompter.files.emplace_back(SaveFilePath(data, saved));
    prompter.answers.push_back(true);  // a new position
    Game game(random, prompter, DataFolder{data});
    ScreenFlow flow(game);
    QVERIFY(Click(PastTheSplash(flow), "cmdLoad"));
    QWidget* hub = ShownWindow("frmMain");
    QVERIFY2(hub, qPrintable(TextOf(ShownWindow("frmStart"), "lblLoadError")));
    QVERIFY(hub->isEnabled());

    QVERIFY(Click(hub, "cmdPlay"));
    QWidget* round = ShownWindow("frmMatchRound");
    QCOMPARE(TextOf(round, "lblTitle"), QStringLiteral("GRAND FINAL"));
    QVERIFY(Click(round, "cmdStart"));
    QVERIFY(Click(round, "cmdOK"));
    QVERIFY(!ShownWindow("frmMatchRound"));
    QCOMPARE(prompter.questions.size(), std::size_t{1});
    QVERIFY(ToQt(prompter.questions.front().text).startsWith(QStringLiteral("You have reached")));

    QWidget* position = ShownWindow("frmPosition");
    QVERIFY(position);
    QVERIFY(!ShownWindow("frmDraftCamp"));
    QVERIFY(!hub->isEnabled());
    QVERIFY(Choose(position, "lstPosition", QStringLiteral("Full Forward")));
    QVERIFY(Click(position, "cmdOK"));
    QVERIFY(!ShownWindow("frmPosition"));
    QCOMPARE(ToQt(game.career().Position), QStringLiteral("Full Forward"));
    QVERIFY(!game.run().positionChangeDue);
    // Kept on disk at once, not only with the next round.
    const auto onDisk = LoadCareer(SaveFilePath(data, saved));
    QVERIFY(std::holds_alternative<Career>(onDisk));
    QCOMPARE(ToQt(std::get<Career>(onDisk).Position), QStringLiteral("Full Forward"));

    QCOMPARE(ShownWindow("frmDraftCamp") != nullptr, campDue);
    QCOMPARE(hub->isEnabled(), !campDue);
    if (!campDue) QCOMPARE(TextOf(hub, "lblPosition"), QStringLiteral("Full Forward"));
  }

 private:
  QWidget* OpenSetup() {
    QWidget* start = PastTheSplash(*flow_);
    return Click(start, "cmdNew") ? ShownWindow("frmSetup") : nullptr;
  }
  std::filesystem::path Folder() const { return PathFromQt(folder_.path()); }

  QTemporaryDir folder_;
  km::testing::ScriptedRandom random_;
  std::unique_ptr<km::testing::ScriptedPrompter> prompter_;
  std::unique_ptr<Game> game_;
  std::unique_ptr<ScreenFlow> flow_;
};

}  // namespace km::screens

QTEST_MAIN(km::screens::FlowTest)
#include "flow_test.moc"
