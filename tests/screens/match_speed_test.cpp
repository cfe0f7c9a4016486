// SPDX-License-Identifier: GPL-3.0-or-later
// The match clock's pace changes when the minutes come, never what they bring; Play all plays
// the round that pressing Start would.

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
    game.Adopt(ACareer("Matthew Richardson", "Full-Forward", 70));
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
