// The match clock's pace changes when the minutes come, never what they bring; Play all plays
// the round that pressing Start would.

#include "screens/screen_test_support.h"

namespace km::screens {
namespace {

using namespace testing;

// Every figure the screen shows, the scoreboard, his line and the comments.
QString Shown(const QWidget* screen) {
  QStringList shown;
  for (const QLabel* label : screen->findChildren<QLabel*>()) {
    if (label->objectName().startsWith(QLatin1String("lbl")))
      shown << label->objectName() + QLatin1Char('=') + label->text();
  }
  return shown.join(QLatin1Char('|'));
}

// A seeded match of a full-forward's: his club against the top of the ladder.
struct SeededMatch {
  TwisterRandom random{1907};
  km::testing::ScriptedPrompter prompter;
  Game game{random, prompter, DataFolder{"."}};
  SeededMatch() {
    Career career = ACareer("Matthew Richardson", "Full-Forward", 70);
    SeatAt(career, "AFL", 6);
    game.Adopt(std::move(career));
    game.BeginMatch(game.career().Ladder[0].Team, game.career().Team);
  }
};

int IntervalOf(const QByteArray& pace) {
  return pace == "cmdFast" ? kClockMinuteMilliseconds / kFastClockFactor : kClockMinuteMilliseconds;
}

}  // namespace

class MatchSpeedTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Each quarter at `pace`, the buttons pressed at minute `at`: the screen at every siren is
  // the engine's straight run, the clock held or going as chosen, the pace kept but no pause.
  void everyPacePlaysTheSameMatch_data() {
    QTest::addColumn<QByteArray>("pace");
    QTest::addColumn<int>("at");
    QTest::addColumn<QByteArrayList>("presses");
    QTest::newRow("normal") << QByteArray("cmdNormal") << -1 << QByteArrayList{};
    QTest::newRow("fast") << QByteArray("cmdFast") << -1 << QByteArrayList{};
    QTest::newRow("to the siren") << QByteArray("cmdNormal") << 0 << QByteArrayList{"cmdToSiren"};
    QTest::newRow("fast, to the siren")
        << QByteArray("cmdFast") << 17 << QByteArrayList{"cmdToSiren"};
    QTest::newRow("pause, fast") << QByteArray("cmdNormal") << 9
                                 << QByteArrayList{"cmdPause", "cmdFast"};
    QTest::newRow("pause, normal")
        << QByteArray("cmdFast") << 22 << QByteArrayList{"cmdPause", "cmdNormal"};
    QTest::newRow("pause, to the siren")
        << QByteArray("cmdFast") << 5 << QByteArrayList{"cmdPause", "cmdToSiren"};
  }
  void everyPacePlaysTheSameMatch() {
    QFETCH(QByteArray, pace);
    QFETCH(int, at);
    QFETCH(QByteArrayList, presses);
    RememberMatchSpeed(MatchSpeed::Normal);
    SeededMatch straight;
    MatchScreen expected(straight.game);
    SeededMatch seen;
    MatchScreen screen(seen.game);
    screen.show();
    auto* clock = screen.findChild<QTimer*>(QStringLiteral("tmrMatch"));
    bool held = false;
    const auto clockIsRight = [&] {
      const QByteArray checked = held ? QByteArray("cmdPause") : pace;
      return clock->isActive() == (seen.game.match()->state().ClockRunning && !held) &&
             clock->interval() == IntervalOf(pace) &&
             Find<QAbstractButton>(&screen, checked.constData())->isChecked();
    };
    QVERIFY(Click(&screen, pace.constData()) && clockIsRight());
    for (int quarter = 1; quarter <= kQuarters; ++quarter) {
      straight.game.match()->StartQuarter();
      straight.game.match()->FinishQuarter();
      expected.refresh();
      QVERIFY(Click(&screen, "cmdStart") && clockIsRight());
      for (int minute = 0; minute < 99 && seen.game.match()->state().ClockRunning; ++minute) {
        if (seen.game.match()->state().Time == at) {
          for (const QByteArray& press : presses) {
            QVERIFY(Click(&screen, press.constData()));
            held = press == "cmdPause";  // till a pace is chosen or the siren goes
            if (press != "cmdPause" && press != "cmdToSiren") pace = press;
            QVERIFY2(clockIsRight(), press.constData());
          }
        }
        if (clock->isActive()) screen.tmrMatch_Timer();
      }
      QCOMPARE(Shown(&screen), Shown(&expected));
    }
    QVERIFY(seen.game.match()->state().FullTime && !IsShown(&screen, "fraSpeed"));
    // The next match at the pace last chosen, the clock going at once.
    SeededMatch next;
    MatchScreen nextScreen(next.game);
    nextScreen.show();
    held = false;
    QVERIFY(Click(&nextScreen, "cmdStart"));
    clock = nextScreen.findChild<QTimer*>(QStringLiteral("tmrMatch"));
    QVERIFY(clock->isActive() && clock->interval() == IntervalOf(pace) &&
            Find<QAbstractButton>(&nextScreen, pace.constData())->isChecked());
  }

  // Play all from the first match, from his and after his plays the round Start would.
  void playAllPlaysTheRoundStartWould_data() {
    QTest::addColumn<int>("fromHis");  // matches from his when Play all is pressed
    QTest::newRow("from the first") << -8;
    QTest::newRow("from his") << 0;
    QTest::newRow("after his") << 1;
  }
  void playAllPlaysTheRoundStartWould() {
    QFETCH(int, fromHis);
    QCOMPARE(PlayRound(fromHis), PlayRound(8));
  }

 private:
  // A new career's first round: Start until `fromHis` matches from his (8: to the end), then
  // Play all; his match to the siren each quarter. The slots, and what has the focus.
  static QString PlayRound(int fromHis) {
    Played played(11);
    QWidget* hub = StartCareer(played.flow, QStringLiteral("Tony Lockett"));
    Career& career = played.game.career();
    career.Team = career.Ladder[7].Team;  // his match the fourth of the round
    if (!Click(hub, "cmdPlay") || !ShownWindow("frmMatchRound")) return QStringLiteral("no round");
    QWidget* round = ShownWindow("frmMatchRound");
    const RunState& run = played.game.run();
    const std::string& club = career.Team;
    int his = 0;
    while (run.roundTeamOne[std::size_t(his)] != club && run.roundTeamTwo[std::size_t(his)] != club)
      ++his;
    bool playedAll = false;  // nothing more is pressed on the round after Play all
    for (int press = 0; IsEnabled(round, "cmdStart") && !playedAll; ++press) {
      playedAll = press == std::max(0, his + fromHis);
      if (!Click(round, playedAll ? "cmdPlayAll" : "cmdStart")) return QStringLiteral("no button");
      if (QWidget* match = ShownWindow("frmMatch")) {
        for (int quarter = 1; quarter <= kQuarters; ++quarter)
          (void)(Click(match, "cmdStart") && Click(match, "cmdToSiren"));
        (void)Click(match, "cmdOK");
      }
    }
    const QWidget* focus = round->focusWidget();
    return Shown(Find(round, "fraSlots")) + QStringLiteral("|focus=") +
           (focus ? focus->objectName() : QString()) + (IsEnabled(round, "cmdPlayAll") ? "+" : "-");
  }
};

}  // namespace km::screens

QTEST_MAIN(km::screens::MatchSpeedTest)
#include "match_speed_test.moc"
