// SPDX-License-Identifier: GPL-3.0-or-later
// The match clock's pace changes when the minutes come, never what they bring; his figures come
// out across the quarter and all of them at the siren; Play all plays the round that pressing
// Start would, his match through its breaks.

#include "match/match_reveal.h"
#include "screens/screen_test_support.h"

namespace km::screens {
namespace {

using namespace testing;

// Every figure the screen shows: the scoreboard, his line and the comments.
QString Shown(const QWidget* screen) {
  QStringList shown;
  for (const QLabel* label : screen->findChildren<QLabel*>()) shown << label->text();
  return shown.join(QLatin1Char('|'));
}

// A seeded match of a full-forward's against the top of the ladder.
struct SeededMatch {
  TwisterRandom random{1907};
  km::testing::ScriptedPrompter prompter;
  Game game{random, prompter, DataFolder{"."}};
  SeededMatch() {
    game.Adopt(ACareer("Matthew Richardson", "Full Forward", 70));
    SeatAt(game.career(), "AFL", 6);
    game.BeginMatch(game.career().Ladder[0].Team, game.career().Team);
  }
};

}  // namespace

class MatchSpeedTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // A pace chosen before the first Start, then buttons pressed at minute `at` of each quarter:
  // each siren shows the engine's straight run; the clock goes or waits as chosen; the next
  // match starts at the pace chosen last, never paused.
  void everyPacePlaysTheSameMatch_data() {
    QTest::addColumn<QByteArray>("presses");
    QTest::addColumn<int>("at");
    QTest::newRow("fast") << QByteArray("cmdFast") << -1;
    QTest::newRow("to the siren") << QByteArray("cmdNormal cmdToSiren") << 0;
    QTest::newRow("pause, fast") << QByteArray("cmdNormal cmdPause cmdFast") << 9;
    QTest::newRow("pause, normal") << QByteArray("cmdFast cmdPause cmdNormal") << 22;
    QTest::newRow("watch, then fast") << QByteArray("cmdWatch cmdFast") << 17;
    QTest::newRow("pause, watch") << QByteArray("cmdNormal cmdPause cmdWatch") << 3;
    QTest::newRow("pause, to the siren") << QByteArray("cmdFast cmdPause cmdToSiren") << 5;
  }
  void everyPacePlaysTheSameMatch() {
    QFETCH(QByteArray, presses);
    QFETCH(int, at);
    QByteArrayList atMinute = presses.split(' ');
    QByteArray pace = atMinute.takeFirst(), held;
    RememberMatchSpeed(MatchSpeed::Normal);
    SeededMatch straight, seen;
    MatchScreen expected(straight.game), screen(seen.game);
    screen.show();
    auto* clock = screen.findChild<QTimer*>(QStringLiteral("tmrMatch"));
    const auto clockIsRight = [&](const MatchScreen& on, bool running) {
      const MatchSpeed speed = pace == "cmdFast"    ? MatchSpeed::Fast
                               : pace == "cmdWatch" ? MatchSpeed::Watch
                                                    : MatchSpeed::Normal;
      return on.findChild<QTimer*>()->isActive() == (running && held.isEmpty()) &&
             on.findChild<QTimer*>()->interval() == MinuteMilliseconds(speed) &&
             Find<QAbstractButton>(&on, held.isEmpty() ? pace : held)->isChecked();
    };
    QVERIFY(Click(&screen, pace) && clockIsRight(screen, false));
    for (int quarter = 1; quarter <= kQuarters; ++quarter) {
      straight.game.match()->StartQuarter();
      straight.game.match()->FinishQuarter();
      expected.refresh();
      QVERIFY(Click(&screen, "cmdStart") && clockIsRight(screen, true));
      for (int minute = 0; minute < 99 && seen.game.match()->state().ClockRunning; ++minute) {
        for (const QByteArray& press :
             seen.game.match()->state().Time == at ? atMinute : QByteArrayList()) {
          QVERIFY(Click(&screen, press));
          held = press == "cmdPause" ? press : QByteArray();  // till a pace or the siren
          if (press != "cmdPause" && press != "cmdToSiren") pace = press;
          QVERIFY2(clockIsRight(screen, seen.game.match()->state().ClockRunning), press);
        }
        if (clock->isActive()) screen.tmrMatch_Timer();
      }
      QCOMPARE(Shown(&screen), Shown(&expected));
    }
    SeededMatch next;
    MatchScreen nextScreen(next.game);
    nextScreen.show();
    QVERIFY(Click(&nextScreen, "cmdStart") && clockIsRight(nextScreen, true));
  }

  // A figure's steps from `from` to `to`: none at the quarter's start, all by the siren, never
  // back, and spread: some but not all of two or more steps by half time of the quarter.
  void aFiguresStepsComeAcrossTheQuarter_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("phase");
    QTest::addColumn<QList<int>>("minutes");  // the minute each step comes
    QTest::newRow("one disposal") << 4 << 5 << 50 << QList<int>{16};
    QTest::newRow("one goal") << 0 << 1 << 35 << QList<int>{11};
    QTest::newRow("two behinds") << 1 << 3 << 70 << QList<int>{11, 26};
    QTest::newRow("three disposals") << 6 << 9 << 50 << QList<int>{6, 16, 26};
    QTest::newRow("nothing new") << 7 << 7 << 50 << QList<int>{};
    QTest::newRow("fewer, as when he is out") << 7 << 0 << 50 << QList<int>{};
  }
  void aFiguresStepsComeAcrossTheQuarter() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, phase);
    QFETCH(QList<int>, minutes);
    QList<int> came;
    for (int minute = 1, before = RevealedCount(from, to, 0, phase); minute <= kQuarterMinutes;
         ++minute) {
      const int now = RevealedCount(from, to, minute, phase);
      for (int step = before; step < now; ++step) came << minute;
      before = now;
    }
    QCOMPARE(came, minutes);
    QCOMPARE(RevealedCount(from, to, 0, phase), to > from ? from : to);
    QCOMPARE(RevealedCount(from, to, kQuarterMinutes, phase), to);
  }
  void everyFigureIsSpreadOverTheQuarter() {
    for (int steps = 0; steps <= 40; ++steps) {
      for (int phase : {0, 35, 50, 70, 99}) {
        int before = 10;
        for (int minute = 0; minute <= kQuarterMinutes; ++minute) {
          const int now = RevealedCount(10, 10 + steps, minute, phase);
          QVERIFY(now >= before && now <= 10 + steps);
          before = now;
        }
        QCOMPARE(before, 10 + steps);
        const int half = RevealedCount(10, 10 + steps, kQuarterMinutes / 2, phase);
        if (steps >= 2)
          QVERIFY2(half > 10 && half < 10 + steps, qPrintable(QString::number(steps)));
      }
    }
  }

  // At Watch, mid-quarter, the screen shows part of his quarter, the quarter's column as it
  // stands and the last break's comment, and names no break; at every siren it shows the match.
  void watchLetsTheQuarterOutMinuteByMinute() {
    RememberMatchSpeed(MatchSpeed::Normal);
    SeededMatch seen;
    MatchScreen screen(seen.game);
    screen.show();
    QVERIFY(Click(&screen, "cmdWatch"));
    QCOMPARE(Find<QTimer>(&screen, "tmrMatch")->interval(), MinuteMilliseconds(MatchSpeed::Watch));
    QCOMPARE(RememberedMatchSpeed(), MatchSpeed::Watch);
    const auto figures = [&screen] {
      return QList<int>{TextOf(&screen, "lblDisposals").toInt(),
                        TextOf(&screen, "lblGoals").toInt(), TextOf(&screen, "lblBehinds").toInt()};
    };
    int partly = 0;
    for (int quarter = 1; quarter <= kQuarters; ++quarter) {
      const MatchState before = seen.game.match()->state();
      QVERIFY(Click(&screen, "cmdStart"));
      const MatchState& now = seen.game.match()->state();
      const QList<int> atStart{before.Disposals, before.Goals, before.Behinds};
      const QList<int> atSiren{now.Disposals, now.Goals, now.Behinds};
      QCOMPARE(figures(), atStart);
      const QByteArray q = QByteArray::number(quarter);
      while (now.ClockRunning) {
        const QList<int> shown = figures();
        for (int i = 0; i < 3; ++i) QVERIFY(shown[i] >= atStart[i] && shown[i] <= atSiren[i]);
        if (shown != atStart && shown != atSiren) ++partly;
        QCOMPARE(TextOf(&screen, "lblComments"), ToQt(before.Comments));
        QCOMPARE(TextOf(&screen, "lblQuarterTitle"), ToQt(PlayingTitle(quarter)));
        QCOMPARE(TextOf(&screen, "lblGoalsOne" + q) + TextOf(&screen, "lblBehindsTwo" + q),
                 QString::number(now.GoalsOne) + QString::number(now.BehindsTwo));
        screen.tmrMatch_Timer();
      }
      QCOMPARE(figures(), atSiren);
      QCOMPARE(TextOf(&screen, "lblComments"), ToQt(now.Comments));
      QCOMPARE(TextOf(&screen, "lblQuarterTitle"), ToQt(now.QuarterTitle));
    }
    QVERIFY2(partly >= 8, qPrintable(QString::number(partly)));
  }

  // Play all plays his match through: no Start pressed, each break a few minutes of the clock,
  // the pace he chose; it waits for Finish at full time, then plays the rest of the round.
  void playAllPlaysHisMatchThroughItsBreaks() {
    Played played(11);
    RememberMatchSpeed(MatchSpeed::Fast);
    QWidget* hub = StartCareer(played.flow, QStringLiteral("Tony Lockett"));
    QWidget* round = Click(hub, "cmdPlay") ? ShownWindow("frmMatchRound") : nullptr;
    QVERIFY(round && Click(round, "cmdPlayAll"));
    auto* match = qobject_cast<MatchScreen*>(ShownWindow("frmMatch"));
    QVERIFY(match && !round->isEnabled());
    auto* clock = Find<QTimer>(match, "tmrMatch");
    QCOMPARE(clock->interval(), MinuteMilliseconds(MatchSpeed::Fast));
    QStringList breaks;
    for (int tick = 0; tick < 200 && clock->isActive(); ++tick) {
      const MatchState& state = played.game.match()->state();
      if (!state.ClockRunning)
        breaks << ToQt(state.QuarterTitle) + QLatin1Char('@') + TextOf(match, "lblTime");
      match->tmrMatch_Timer();
    }
    QStringList expected;
    for (const char* title : {"QUARTER TIME", "HALF TIME", "THREE-QUARTER TIME"})
      for (int minute = 0; minute < kBreakMinutes; ++minute)
        expected << title + QStringLiteral("@30");
    QCOMPARE(breaks, expected);
    QVERIFY(played.game.match()->state().FullTime && IsShown(match, "cmdOK"));
    QVERIFY(Click(match, "cmdOK"));
    QVERIFY(!IsEnabled(round, "cmdStart") && IsShown(round, "cmdOK"));
  }

  // Play all pressed at the first match, at his (the fourth) and after his: the round Start plays.
  void playAllPlaysTheRoundStartWould() {
    const QString started = PlayRound(8);
    for (int at : {0, 3, 4}) QVERIFY2(PlayRound(at) == started, qPrintable(QString::number(at)));
  }

 private:
  // A new career's first round, his match the fourth: Start until press `at` (8: to the end),
  // then Play all alone; his match to the siren each quarter. The slots as shown.
  static QString PlayRound(int at) {
    Played played(11);
    QWidget* hub = StartCareer(played.flow, QStringLiteral("Tony Lockett"));
    played.game.career().Team = played.game.career().Ladder[7].Team;
    QWidget* round = Click(hub, "cmdPlay") ? ShownWindow("frmMatchRound") : nullptr;
    for (int press = 0; round && IsEnabled(round, "cmdStart") && press <= at; ++press) {
      (void)Click(round, press == at ? "cmdPlayAll" : "cmdStart");
      if (QWidget* match = ShownWindow("frmMatch")) {
        for (int quarter = 1; quarter <= kQuarters; ++quarter)
          (void)(Click(match, "cmdStart") && Click(match, "cmdToSiren"));
        (void)Click(match, "cmdOK");
      }
    }
    return round ? Shown(Find(round, "fraSlots")) : QStringLiteral("no round");
  }
};

}  // namespace km::screens

QTEST_MAIN(km::screens::MatchSpeedTest)
#include "match_speed_test.moc"
