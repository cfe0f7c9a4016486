// The draft camp and the draft: a State League player saved on his way to
// the camp is loaded, runs the camp through its buttons, goes to the draft
// and picks until a club takes him; the hub then has its AFL player back.

#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/new_career.h"
#include "core/save_file.h"
#include "draft/draft.h"
#include "game/game.h"
#include "screens/qt_text.h"
#include "screens/screen_flow.h"
#include "screens/screen_test_support.h"
#include "season/fixture.h"
#include "support/scripted_ports.h"

namespace km::screens {
namespace {

using testing::Choose;
using testing::Click;
using testing::Find;
using testing::ShownWindow;
using testing::TextOf;

constexpr const char* kOrderNames[] = {
    "lblFirst",      "lblSecond",     "lblThird",     "lblFourth",   "lblFifth",    "lblSixth",
    "lblSeventh",    "lblEighth",     "lblNinth",     "lblTenth",    "lblEleventh", "lblTwelfth",
    "lblThirteenth", "lblFourteenth", "lblFifteenth", "lblSixteenth"};

constexpr const char* kActivities[] = {"20m Sprint",  "Standing Jump", "Running Jump",
                                       "Agility Run", "Shuttle Run",   "3km Time-Trial"};

// A State League player at the season's end, his contract run out and his
// season good enough for the AFL scouts: loading him takes him to the camp.
Career OnHisWayToTheCamp(int skill, double ratingAverage) {
  SetupAnswers answers;
  answers.careerName = "draftee";
  answers.name = "Luke Hodge";
  answers.city = "Colac";
  answers.state = "Victoria";
  answers.position = "Centre-Half-Back";
  answers.kicking = answers.handballing = answers.tackling = answers.marking = answers.running =
      std::min(skill, 100);
  Career career = CreateCareer(answers);
  career.League = "State";
  career.Team = "Geelong Falcons";
  // The season's ladder: he goes on with the clubs he played with.
  const ClubList& clubs = ClubsOf("State", "Victoria");
  for (std::size_t k = 0; k < clubs.size(); ++k) career.Ladder[k].Team = clubs[k];
  career.Age = 18;
  career.Kicking = career.Handballing = career.Tackling = career.Marking = career.Running = skill;
  career.Overall = OverallOf(skill, skill, skill, skill, skill);
  career.Matches = 26;
  career.ContractMatches = 0;
  career.PlayOpen = false;
  career.MatchesPlayed = 20;
  career.MatchRatingAverage = ratingAverage;
  return career;
}

bool IsEnabled(const QWidget* root, const char* name) {
  const QWidget* widget = Find(root, name);
  return widget && widget->isEnabled();
}

// The clubs of the draft order marked as on the clock.
QStringList Highlighted(const QWidget* draft) {
  QStringList marked;
  for (const char* name : kOrderNames) {
    const QWidget* club = Find(draft, name);
    if (club && club->property("current").toBool()) marked << QString::fromLatin1(name);
  }
  return marked;
}

}  // namespace

class DraftScreensTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void theCampAndTheDraftThroughTheirButtons_data() {
    QTest::addColumn<int>("skill");
    QTest::addColumn<double>("rating");
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<int>("lastPick");  // he goes at this pick or earlier
    QTest::addColumn<int>("firstPick");
    // Too little skill for any tier before the last pick.
    QTest::newRow("a battler") << 60 << 6.5 << quint64(3) << 80 << 80;
    // The best there is: the camp puts him in the top ten, the first round
    // takes him at once.
    QTest::newRow("a champion") << 200 << 9.0 << quint64(3) << 2 << 1;
    QTest::newRow("a champion, another camp") << 200 << 9.0 << quint64(99) << 2 << 1;
  }
  void theCampAndTheDraftThroughTheirButtons() {
    QFETCH(int, skill);
    QFETCH(double, rating);
    QFETCH(quint64, seed);
    QFETCH(int, lastPick);
    QFETCH(int, firstPick);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const std::filesystem::path data = PathFromQt(folder.path());
    const Career saved = OnHisWayToTheCamp(skill, rating);
    QVERIFY(!SaveCareer(data, saved));
    TwisterRandom random(seed);
    km::testing::ScriptedPrompter prompter;
    prompter.files.emplace_back(SaveFilePath(data, saved));
    Game game(random, prompter, DataFolder{data});
    ScreenFlow flow(game);
    flow.Begin();
    QTest::mouseClick(ShownWindow("frmSplash"), Qt::LeftButton);
    QVERIFY(Click(ShownWindow("frmStart"), "cmdLoad"));

    // The hub is in view but waits for the draft.
    QWidget* hub = ShownWindow("frmMain");
    QVERIFY(hub);
    QVERIFY(!hub->isEnabled());
    QWidget* camp = ShownWindow("frmDraftCamp");
    QVERIFY(camp);
    QCOMPARE(camp->windowTitle(), QStringLiteral("Kickmark - AFL Draft Camp"));
    QCOMPARE(TextOf(camp, "lblHeading"), QStringLiteral("AFL DRAFT CAMP"));
    QCOMPARE(TextOf(camp, "lblName"), QStringLiteral("Luke Hodge"));
    QCOMPARE(TextOf(camp, "lblComments"), QStringLiteral("Camp not yet started..."));
    QCOMPARE(TextOf(camp, "lblActivity"), QStringLiteral("20m Sprint"));
    QCOMPARE(TextOf(camp, "cmdStart"), QStringLiteral("Begin Camp"));
    QCOMPARE(TextOf(camp, "cmdOK"), QStringLiteral("Go to Draft!"));
    QVERIFY(!IsEnabled(camp, "cmdOK"));
    // The camp is not left half way.
    camp->close();
    QVERIFY(ShownWindow("frmDraftCamp"));

    QVERIFY(Click(camp, "cmdStart"));
    QCOMPARE(TextOf(camp, "lblActivity"), QStringLiteral("Introduction"));
    QCOMPARE(TextOf(camp, "cmdStart"), QStringLiteral("Next Session"));
    QVERIFY(
        TextOf(camp, "lblComments").startsWith(QStringLiteral("Welcome to the AFL Draft Camp.")));
    for (int test = 1; test <= 6; ++test) {
      QVERIFY(!IsEnabled(camp, "cmdOK"));
      QVERIFY(Click(camp, "cmdStart"));
      QCOMPARE(TextOf(camp, "lblActivity"), QString::fromLatin1(kActivities[test - 1]));
      QVERIFY(TextOf(camp, "lblComments").startsWith(QStringLiteral("Luke Hodge ")));
      const QByteArray row = QByteArray::number(test);
      // The test's line keeps its result and rank; the lines to come are 0.
      QCOMPARE(TextOf(camp, "lblResult" + row), TextOf(camp, "lblResult"));
      QCOMPARE(TextOf(camp, "lblRank" + row), TextOf(camp, "lblRank"));
      if (test < 6)
        QCOMPARE(TextOf(camp, "lblResult" + QByteArray::number(test + 1)), QStringLiteral("0"));
    }
    // After the last test every rank is a place among the 70, and the
    // average is their rounded mean.
    int sum = 0;
    for (int test = 1; test <= 6; ++test) {
      const int rank = TextOf(camp, "lblRank" + QByteArray::number(test)).toInt();
      QVERIFY2(rank >= 1 && rank <= 70, qPrintable(QString::number(rank)));
      sum += rank;
    }
    const int average = TextOf(camp, "lblRankAverage").toInt();
    QVERIFY(std::abs(average * 6 - sum) <= 3);
    QVERIFY(Click(camp, "cmdStart"));
    QCOMPARE(TextOf(camp, "lblActivity"), QStringLiteral("Conclusion"));
    QCOMPARE(TextOf(camp, "lblRank"), TextOf(camp, "lblRankAverage"));
    QVERIFY(TextOf(camp, "lblComments").startsWith(QStringLiteral("Luke Hodge ")));
    QVERIFY(!IsEnabled(camp, "cmdStart"));
    QVERIFY(IsEnabled(camp, "cmdOK"));
    QVERIFY(!hub->isEnabled());

    QVERIFY(Click(camp, "cmdOK"));
    QVERIFY(!ShownWindow("frmDraftCamp"));
    QWidget* draft = ShownWindow("frmDraft");
    QVERIFY(draft);
    QVERIFY(!hub->isEnabled());
    QCOMPARE(draft->windowTitle(), QStringLiteral("Kickmark - AFL Draft"));
    QCOMPARE(TextOf(draft, "lblHeading"), QStringLiteral("AFL DRAFT"));
    QCOMPARE(TextOf(draft, "lblName"), QStringLiteral("Luke Hodge"));
    QCOMPARE(TextOf(draft, "lblPick"), QStringLiteral("0"));
    QCOMPARE(TextOf(draft, "lblRound"), QStringLiteral("0"));
    QCOMPARE(TextOf(draft, "lblTeam"), QStringLiteral("Draft Not Yet Started"));
    QCOMPARE(TextOf(draft, "cmdPick"), QStringLiteral("Begin Draft"));
    QCOMPARE(Highlighted(draft), QStringList{});
    for (std::size_t i = 0; i < kDraftOrder.size(); ++i) {
      QCOMPARE(TextOf(draft, kOrderNames[i]), ToQt(kDraftOrder[i]));
    }

    // The club's congratulations come up over the pick that made them.
    QStringList seenAtMessage;
    prompter.onInform = [&](const km::testing::ScriptedPrompter::Message&) {
      const QWidget* shown = ShownWindow("frmDraft");
      seenAtMessage = shown ? QStringList{TextOf(shown, "lblPick"), TextOf(shown, "lblTeam"),
                                          TextOf(shown, "lblRound"), Highlighted(shown).join(',')}
                            : QStringList{QStringLiteral("no draft screen")};
    };

    // Pick after pick, the club on the clock is marked, until one takes him.
    int pick = 0;
    while (ShownWindow("frmDraft")) {
      QVERIFY(pick < 80);
      const std::size_t messages = prompter.messages.size();
      QVERIFY(Click(draft, "cmdPick"));
      ++pick;
      if (!ShownWindow("frmDraft")) break;
      QCOMPARE(prompter.messages.size(), messages);
      QCOMPARE(TextOf(draft, "lblPick"), QString::number(pick));
      const std::size_t slot = static_cast<std::size_t>((pick - 1) % 16);
      QCOMPARE(TextOf(draft, "lblTeam"), ToQt(kDraftOrder[slot]));
      QCOMPARE(Highlighted(draft), QStringList{QString::fromLatin1(kOrderNames[slot])});
      QCOMPARE(TextOf(draft, "cmdPick"), QStringLiteral("Next Pick"));
    }
    QVERIFY2(pick >= firstPick && pick <= lastPick, qPrintable(QString::number(pick)));
    const QString club = ToQt(kDraftOrder[static_cast<std::size_t>((pick - 1) % 16)]);
    QCOMPARE(ToQt(prompter.messages.back().text),
             QStringLiteral("Congratulations! You have been drafted by %1!").arg(club));
    const QStringList taken{
        QString::number(pick), club, QString::number((pick - 1) / 16 + 1),
        QString::fromLatin1(kOrderNames[static_cast<std::size_t>((pick - 1) % 16)])};
    QCOMPARE(seenAtMessage, taken);
    QCOMPARE(prompter.stories.size(), std::size_t{1});
    QCOMPARE(ToQt(prompter.stories.back().headline),
             QStringLiteral("Rookie Luke Hodge Signs With %1").arg(club));
    QVERIFY(ToQt(prompter.stories.back().text)
                .contains(QStringLiteral("picked at pick number %1,").arg(pick)));

    // Both screens are gone and the hub has its AFL player.
    QVERIFY(!ShownWindow("frmDraft"));
    QVERIFY(!ShownWindow("frmDraftCamp"));
    QVERIFY(!flow.camp());
    QVERIFY(hub->isEnabled());
    QCOMPARE(TextOf(hub, "lblTeam"), club);
    QCOMPARE(TextOf(hub, "lblLeague"), QStringLiteral("AFL"));
    QVERIFY(IsEnabled(hub, "cmdPlay"));
    if (pick == 80) QCOMPARE(TextOf(hub, "lblWages"), QStringLiteral("14000"));
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
    QVERIFY(folder.isValid());
    const std::filesystem::path data = PathFromQt(folder.path());
    Career saved = OnHisWayToTheCamp(90, 6.5);
    saved.Age = 20;
    saved.League = ToStd(league);
    saved.Matches = 25;
    saved.PlayOpen = true;
    // The grand final is his contract's last match.
    saved.ContractLength = 1;
    saved.ContractMatches = 1;
    saved.Injury = saved.Suspension = -3;
    std::array<std::string, 16> clubs;
    const ClubList& listed = ClubsOf(saved.League, saved.State);
    for (std::size_t i = 0; i < clubs.size(); ++i) {
      clubs[i] = std::string(listed[i]);
      saved.Ladder[i].Team = clubs[i];
    }
    saved.Team = clubs[15];
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
    flow.Begin();
    QTest::mouseClick(ShownWindow("frmSplash"), Qt::LeftButton);
    QVERIFY(Click(ShownWindow("frmStart"), "cmdLoad"));
    QWidget* hub = ShownWindow("frmMain");
    QVERIFY2(hub, qPrintable(TextOf(ShownWindow("frmStart"), "lblLoadError")));
    QVERIFY(hub->isEnabled());
    QVERIFY(!ShownWindow("frmDraftCamp"));

    QVERIFY(Click(hub, "cmdPlay"));
    QWidget* round = ShownWindow("frmMatchRound");
    QVERIFY(round);
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
