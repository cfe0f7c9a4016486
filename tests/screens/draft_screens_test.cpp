// The draft camp and the draft: a State League player saved on his way to
// the camp is loaded, runs the camp through its buttons, goes to the draft
// and picks until a club takes him; the hub then has its AFL player back.

#include <QTemporaryDir>
#include <QTest>

#include "core/save_file.h"
#include "draft/draft.h"
#include "screens/qt_text.h"
#include "screens/screen_test_support.h"
#include "season/fixture.h"

namespace km::screens {
namespace {

using namespace testing;

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

class DraftScreensTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

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

    // The introduction, then a test a press; each test's line keeps its
    // result and rank, the lines to come stay 0.
    QVERIFY(Click(camp, "cmdStart"));
    for (int test = 1; test <= 6; ++test) {
      QVERIFY(!IsEnabled(camp, "cmdOK"));
      QVERIFY(Click(camp, "cmdStart"));
      QVERIFY(TextOf(camp, "lblComments").startsWith(QStringLiteral("Luke Hodge ")));
      const QByteArray row = QByteArray::number(test);
      QCOMPARE(TextOf(camp, "lblResult" + row), TextOf(camp, "lblResult"));
      QCOMPARE(TextOf(camp, "lblRank" + row), TextOf(camp, "lblRank"));
      if (test < 6) {
        QCOMPARE(TextOf(camp, "lblResult" + QByteArray::number(test + 1)), QStringLiteral("0"));
      }
    }
    // Every rank a place among the 70; the average their rounded mean.
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
};

}  // namespace km::screens

QTEST_MAIN(km::screens::DraftScreensTest)
#include "draft_screens_test.moc"
