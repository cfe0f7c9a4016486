// The match screen: a whole match played through its buttons, with the clock
// run by the test instead of the wall clock.

#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "core/new_career.h"
#include "core/number_format.h"
#include "game/game.h"
#include "screens/match_screen.h"
#include "screens/qt_text.h"
#include "screens/screen_test_support.h"
#include "season/fixture.h"
#include "support/scripted_ports.h"

namespace km::screens {
namespace {

using testing::Click;
using testing::Find;
using testing::TextOf;

// A fit Rover of some skill, free to play, at a club of a full ladder.
Career ReadyToPlay() {
  SetupAnswers answers;
  answers.careerName = "match";
  answers.name = "Robert Harvey";
  answers.city = "Seaford";
  answers.state = "Victoria";
  answers.position = "Rover";
  answers.kicking = answers.handballing = answers.tackling = answers.marking = answers.running = 70;
  Career career = CreateCareer(answers);
  const ClubList& clubs = ClubsOf(career.League, career.State);
  for (std::size_t i = 0; i < kLadderRows; ++i) career.Ladder[i].Team = std::string(clubs[i]);
  career.Team = career.Ladder[5].Team;
  // Counted down by the week: neither injured nor suspended.
  career.Injury = -3;
  career.Suspension = -3;
  return career;
}

int Shown(const QWidget* screen, const char* name) { return TextOf(screen, name).toInt(); }

bool IsShown(const QWidget* screen, const char* name) {
  const QWidget* widget = Find(screen, name);
  return widget && widget->isVisible();
}

}  // namespace

class MatchScreenTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void aWholeMatchThroughTheButtons_data() {
    QTest::addColumn<quint64>("seed");
    QTest::newRow("seed 1") << quint64(1);
    QTest::newRow("seed 77") << quint64(77);
    QTest::newRow("seed 2024") << quint64(2024);
  }
  void aWholeMatchThroughTheButtons() {
    QFETCH(quint64, seed);
    TwisterRandom random(seed);
    km::testing::ScriptedPrompter prompter;
    Game game(random, prompter, DataFolder{"."});
    Career career = ReadyToPlay();
    // His 50th game here: the milestone's message and story at Finish.
    career.Levels[0].Matches = 49;
    game.Adopt(career);
    const std::string club = game.career().Team;
    game.BeginMatch(club, game.career().Ladder[9].Team);

    MatchScreen screen(game);
    screen.show();
    QSignalSpy finished(&screen, &MatchScreen::finished);
    auto* clock = screen.findChild<QTimer*>(QStringLiteral("tmrMatch"));
    QVERIFY(clock);
    QCOMPARE(TextOf(&screen, "lblTitle"), QStringLiteral("MATCH STATISTICS - GAME ONE"));
    QCOMPARE(TextOf(&screen, "lblQuarterTitle"), QStringLiteral("PRE-GAME"));
    QCOMPARE(TextOf(&screen, "lblComments"), QStringLiteral("None..."));
    QCOMPARE(TextOf(&screen, "lblTeamOne"), ToQt(club));
    QCOMPARE(TextOf(&screen, "lblName"), QStringLiteral("Robert Harvey"));
    QCOMPARE(TextOf(&screen, "cmdStart"), QStringLiteral("Start Match"));

    constexpr const char* kBreaks[] = {"QUARTER TIME", "HALF TIME", "THREE-QUARTER TIME",
                                       "FULL TIME"};
    for (int quarter = 1; quarter <= 4; ++quarter) {
      QVERIFY(Find<QPushButton>(&screen, "cmdStart")->isEnabled());
      QVERIFY(!IsShown(&screen, "cmdOK"));
      QVERIFY(!IsShown(&screen, "lblMatchRating"));
      QVERIFY(!IsShown(&screen, "Label7"));
      QVERIFY(Click(&screen, "cmdStart"));
      // The clock runs; Start waits for the quarter to end.
      QVERIFY(clock->isActive());
      QVERIFY(!Find<QPushButton>(&screen, "cmdStart")->isEnabled());
      QCOMPARE(Shown(&screen, "lblQuarter"), quarter);
      QCOMPARE(TextOf(&screen, "cmdStart"), QStringLiteral("Next Quarter"));
      if (quarter == 1) {
        // The real timer, with no pause between minutes.
        clock->setInterval(0);
        QTRY_VERIFY(!clock->isActive());
      } else {
        for (int minute = 0; minute < 40 && clock->isActive(); ++minute) screen.tmrMatch_Timer();
        QVERIFY(!clock->isActive());
      }
      QCOMPARE(Shown(&screen, "lblTime"), 30);
      QCOMPARE(TextOf(&screen, "lblQuarterTitle"), QString::fromLatin1(kBreaks[quarter - 1]));
      // The quarter's columns hold the score as it stood at its end.
      const QByteArray q = QByteArray::number(quarter);
      QCOMPARE(Shown(&screen, "lblGoalsTwo" + q), Shown(&screen, "lblGoalsTwo"));
      QCOMPARE(Shown(&screen, "lblBehindsTwo" + q), Shown(&screen, "lblBehindsTwo"));
      QCOMPARE(Shown(&screen, "lblGoalsOne" + q), Shown(&screen, "lblGoalsOne"));
      QCOMPARE(Shown(&screen, "lblPointsTwo"),
               Shown(&screen, "lblGoalsTwo") * 6 + Shown(&screen, "lblBehindsTwo"));
      // His club kicks at least as many goals as he does.
      QVERIFY(Shown(&screen, "lblGoalsOne") >= Shown(&screen, "lblGoals"));
      QVERIFY(TextOf(&screen, "lblComments") != QStringLiteral("None..."));
    }

    // Full time: the rating and Finish, and no more quarters.
    QVERIFY(!Find<QPushButton>(&screen, "cmdStart")->isEnabled());
    QVERIFY(IsShown(&screen, "cmdOK"));
    QCOMPARE(TextOf(&screen, "cmdOK"), QStringLiteral("Finish"));
    QVERIFY(IsShown(&screen, "Label7"));
    QCOMPARE(TextOf(&screen, "Label7"), QStringLiteral("Match Rating (Out of 10):"));
    QVERIFY(IsShown(&screen, "lblMatchRating"));
    const QString rating = TextOf(&screen, "lblMatchRating");
    QVERIFY2(QRegularExpression(QStringLiteral("^(10|\\d)\\.\\d$")).match(rating).hasMatch(),
             qPrintable(rating));
    QCOMPARE(rating, ToQt(FormatNumber(game.match()->state().MatchRating, "0.0")));
    QVERIFY(Shown(&screen, "lblDisposals") >= Shown(&screen, "lblGoals"));

    const int clubGoals = Shown(&screen, "lblGoalsOne4");
    const int clubBehinds = Shown(&screen, "lblBehindsOne4");
    // The match screen is put away before the booking's messages come up.
    QStringList seenOver;
    prompter.onInform = [&seenOver](const auto&) { seenOver << testing::ShownWindows(); };
    QVERIFY(Click(&screen, "cmdOK"));
    QVERIFY(!seenOver.isEmpty());
    for (const QString& over : seenOver) {
      QVERIFY2(!over.split(QLatin1Char(',')).contains(QStringLiteral("frmMatch")),
               qPrintable(over));
    }
    QCOMPARE(finished.count(), 1);
    QVERIFY(!screen.isVisible());
    QVERIFY(!game.match());
    const Career& booked = game.career();
    QCOMPARE(booked.TeamMatches, 1);
    QCOMPARE(booked.TeamGoals, clubGoals);
    QCOMPARE(booked.TeamBehinds, clubBehinds);
    QCOMPARE(booked.TeamWins + booked.TeamLosses + booked.TeamDraws, 1);
    QCOMPARE(booked.MatchesPlayed, 1);
  }
};

}  // namespace km::screens

QTEST_MAIN(km::screens::MatchScreenTest)
#include "match_screen_test.moc"
