// The records and award screens, the ladder, the team page and the club's
// records: what they show and how they hand over to the screen that opened
// them.

#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <functional>

#include "core/career_fields.h"
#include "core/new_career.h"
#include "game/game.h"
#include "screens/about_screen.h"
#include "screens/ladder_screen.h"
#include "screens/records_screen.h"
#include "screens/screen_test_support.h"
#include "screens/team_screen.h"
#include "support/scripted_ports.h"

namespace km::screens {
namespace {

using testing::Click;
using testing::Find;
using testing::ShownWindow;
using testing::TextOf;

Career SomeCareer() {
  SetupAnswers answers;
  answers.careerName = "info";
  answers.name = "Jim Stynes";
  answers.city = "Dublin";
  answers.state = "Victoria";
  answers.position = "Ruck";
  Career career = CreateCareer(answers);
  // Sixteen clubs; the fourth row has won the most.
  for (std::size_t i = 0; i < kLadderRows; ++i) {
    career.Ladder[i] = {"Club " + std::to_string(i + 1), 1, 3, 0, 200, 300};
  }
  career.Ladder[3] = {"Frankston", 3, 0, 1, 450, 300};
  career.Ladder[7] = {"Seaford", 2, 1, 1, 400, 300};
  return career;
}

bool Set(Career& career, const char* field, const char* value) {
  const CareerField* f = FindCareerField(field);
  return f && f->set(career, value);
}

}  // namespace

class InfoScreensTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void recordsShowEachCompetitionsFigures() {
    Career career = SomeCareer();
    struct Case {
      const char* field;
      const char* value;
      const char* label;
      const char* shown;
    };
    const Case cases[] = {
        {"LocalMatches", "12", "lblLocalMatches", "12"},
        {"StateMatches", "8", "lblStateMatches", "8"},
        {"AFLMatches", "20", "lblAFLMatches", "20"},
        {"RegionalDisposals", "301", "lblRegionalDisposals", "301"},
        {"StateMostGoals", "9", "lblStateMostGoals", "9"},
        {"AFLBOGs", "4", "lblAFLBOGs", "4"},
        // Career averages show one or two decimal places.
        {"StateAverageGoals", "2.125", "lblStateAverageGoals", "2.13"},
        {"AFLAverageDisposals", "20", "lblAFLAverageDisposals", "20.0"},
        {"LocalAverageDisposals", "16.75", "lblLocalAverageDisposals", "16.75"},
        // No match at a level yet: its averages are 0.
        {"RegionalAverageGoals", "0", "lblRegionalAverageGoals", "0"},
    };
    for (const Case& c : cases) QVERIFY2(Set(career, c.field, c.value), c.field);
    RecordsScreen records(career);
    records.show();
    QCOMPARE(records.windowTitle(), QStringLiteral("Kickmark - Statistics and Records"));
    QCOMPARE(TextOf(&records, "lblHeading"), QStringLiteral("CAREER STATISTICS AND RECORDS"));
    QCOMPARE(TextOf(&records, "lblName"), QStringLiteral("Jim Stynes"));
    for (const Case& c : cases) QCOMPARE(TextOf(&records, c.label), QString::fromLatin1(c.shown));
    // Figures written later show when the screen opens again.
    career.Levels[1].Goals = 7;
    records.refresh();
    QCOMPARE(TextOf(&records, "lblRegionalGoals"), QStringLiteral("7"));
  }

  void awardScreensOpenBesideTheRecords_data() {
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QByteArray>("screen");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QByteArray>("label");
    QTest::newRow("local") << QByteArray("cmdLocalAwards") << QByteArray("frmLocalAwards")
                           << "Local Reserves Awards"
                           << "Local Reserves League Awards" << QByteArray("LocalGoalsAward")
                           << QByteArray("lblGoals");
    QTest::newRow("regional") << QByteArray("cmdRegionalAwards") << QByteArray("frmRegionalAwards")
                              << "Local Firsts Awards"
                              << "Local Firsts League Awards" << QByteArray("RegionalMVP")
                              << QByteArray("lblMVP");
    QTest::newRow("state") << QByteArray("cmdStateAwards") << QByteArray("frmStateAwards")
                           << "State Awards"
                           << "State League Awards" << QByteArray("StateMatchesAward")
                           << QByteArray("lblMatches");
    QTest::newRow("afl") << QByteArray("cmdAFLAwards") << QByteArray("frmAFLAwards") << "AFL Awards"
                         << "AFL League Awards" << QByteArray("AFLAllAustralian")
                         << QByteArray("lblAllAustralian");
  }
  void awardScreensOpenBesideTheRecords() {
    QFETCH(QByteArray, button);
    QFETCH(QByteArray, screen);
    QFETCH(QString, title);
    QFETCH(QString, heading);
    QFETCH(QByteArray, field);
    QFETCH(QByteArray, label);
    Career career = SomeCareer();
    QVERIFY(Set(career, field.constData(), "3"));
    RecordsScreen records(career);
    records.show();
    QVERIFY(Click(&records, button.constData()));
    QWidget* awards = ShownWindow(screen.constData());
    QVERIFY(awards);
    QVERIFY(records.isVisible());
    QVERIFY(records.isEnabled());
    QCOMPARE(awards->windowTitle(), title);
    QCOMPARE(TextOf(awards, "lblHeading"), heading);
    QCOMPARE(TextOf(awards, label.constData()), QStringLiteral("3"));
    // OK puts away the award list only.
    QVERIFY(Click(awards, "cmdOK"));
    QVERIFY(!ShownWindow(screen.constData()));
    QVERIFY(records.isVisible());
  }

  void ladderIsTitledAfterTheCompetition_data() {
    QTest::addColumn<QString>("league");
    QTest::addColumn<QString>("title");
    QTest::newRow("afl") << "AFL"
                         << "AFL Ladder";
    QTest::newRow("state") << "State"
                           << "State Ladder";
    QTest::newRow("local firsts") << "Local Firsts"
                                  << "Local Firsts Ladder";
    QTest::newRow("local reserves") << "Local Reserves"
                                    << "Local Reserves Ladder";
  }
  void ladderIsTitledAfterTheCompetition() {
    QFETCH(QString, league);
    QFETCH(QString, title);
    // A player back in a lower competition sees that competition's ladder.
    Career career = SomeCareer();
    career.League = "AFL";
    LadderScreen ladder(career);
    career.League = league.toStdString();
    ladder.refresh();
    QCOMPARE(ladder.windowTitle(), title);
    QCOMPARE(TextOf(&ladder, "lblTitle"), title);
  }

  void ladderRowsInLadderOrder() {
    Career career = SomeCareer();
    LadderScreen ladder(career);
    auto* grid = Find<QTableWidget>(&ladder, "grdLadder");
    QVERIFY(grid);
    QCOMPARE(grid->rowCount(), 16);
    QStringList headers;
    for (int column = 0; column < grid->columnCount(); ++column) {
      headers << grid->horizontalHeaderItem(column)->text();
    }
    QCOMPARE(headers, (QStringList{"Position", "Team", "Played", "Wins", "Losses", "Draws", "For",
                                   "Against", "%", "Points"}));
    const auto row = [grid](int r) {
      QStringList cells;
      for (int column = 0; column < grid->columnCount(); ++column) {
        cells << grid->item(r, column)->text();
      }
      return cells;
    };
    QCOMPARE(row(0),
             (QStringList{"1st", "Frankston", "4", "3", "0", "1", "450", "300", "150.0", "14"}));
    QCOMPARE(row(1),
             (QStringList{"2nd", "Seaford", "4", "2", "1", "1", "400", "300", "133.3", "10"}));
    QCOMPARE(row(15).at(0), QStringLiteral("16th"));
  }

  void teamPageShowsTheClubAndItsLeaguePosition() {
    km::testing::ScriptedRandom random;
    km::testing::ScriptedPrompter prompter;
    Game game(random, prompter, DataFolder{"."});
    game.Adopt(SomeCareer());
    game.career().Team = "Seaford";
    game.career().TeamMatches = 4;
    game.career().TeamDraws = 1;
    game.career().TeamBehinds = 38;
    TeamScreen team(game);
    team.show();
    QCOMPARE(team.windowTitle(), QStringLiteral("Kickmark - Team"));
    QCOMPARE(TextOf(&team, "lblHeading"), QStringLiteral("Team Details"));
    QCOMPARE(TextOf(&team, "lblTeam"), QStringLiteral("Seaford"));
    QCOMPARE(TextOf(&team, "lblState"), QStringLiteral("Victoria"));
    QCOMPARE(TextOf(&team, "lblLeague"), QStringLiteral("Local Reserves"));
    QCOMPARE(TextOf(&team, "lblMatches"), QStringLiteral("4"));
    QCOMPARE(TextOf(&team, "lblDraws"), QStringLiteral("1"));
    QCOMPARE(TextOf(&team, "lblBehinds"), QStringLiteral("38"));
    QCOMPARE(TextOf(&team, "lblBankBalance"), QStringLiteral("50000"));
    QCOMPARE(TextOf(&team, "lblPosition"), QStringLiteral("2nd"));

    struct Step {
      const char* team;
      const char* position;
    };
    // A club on no row keeps the position shown before.
    const Step steps[] = {{"Frankston", "1st"}, {"Club 16", "16th"}, {"Nowhere", "16th"}};
    for (const Step& step : steps) {
      game.career().Team = step.team;
      team.refresh();
      QCOMPARE(TextOf(&team, "lblPosition"), QString::fromLatin1(step.position));
    }
    game.career().Team = "Nowhere";
    TeamScreen fresh(game);
    QCOMPARE(TextOf(&fresh, "lblPosition"), QString());
  }

  void teamPageScreensHandBackToIt_data() {
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QByteArray>("screen");
    QTest::addColumn<QString>("title");
    QTest::newRow("ladder") << QByteArray("cmdLadder") << QByteArray("frmLadder")
                            << "Local Reserves Ladder";
    QTest::newRow("records") << QByteArray("cmdRecords") << QByteArray("frmRecordsTeam")
                             << "Kickmark - Records and Statistics";
    QTest::newRow("about") << QByteArray("cmdAbout") << QByteArray("frmAboutTeam")
                           << "About Kickmark";
  }
  void teamPageScreensHandBackToIt() {
    QFETCH(QByteArray, button);
    QFETCH(QByteArray, screen);
    QFETCH(QString, title);
    km::testing::ScriptedRandom random;
    km::testing::ScriptedPrompter prompter;
    Game game(random, prompter, DataFolder{"."});
    game.Adopt(SomeCareer());
    TeamScreen team(game);
    team.show();
    QVERIFY(Click(&team, button.constData()));
    QWidget* opened = ShownWindow(screen.constData());
    QVERIFY(opened);
    QCOMPARE(opened->windowTitle(), title);
    QVERIFY(opened->isEnabled());
    QVERIFY(team.isVisible());
    QVERIFY(!team.isEnabled());
    QVERIFY(Click(opened, "cmdOK"));
    QVERIFY(!ShownWindow(screen.constData()));
    QVERIFY(team.isEnabled());
  }

  void buttonsThatDoNothingLeaveThePageAsItIs() {
    km::testing::ScriptedRandom random;
    km::testing::ScriptedPrompter prompter;
    Game game(random, prompter, DataFolder{"."});
    game.Adopt(SomeCareer());
    const Career before = game.career();
    TeamScreen team(game);
    team.show();
    for (const char* button : {"cmdPlay", "cmdStore", "cmdSponsorship", "cmdManagement"}) {
      QVERIFY2(Click(&team, button), button);
    }
    QVERIFY(team.isVisible());
    QVERIFY(team.isEnabled());
    QVERIFY(game.career() == before);
    QVERIFY(prompter.messages.empty());
  }

  void teamRecordsStandBlank() {
    TeamRecordsScreen records;
    QCOMPARE(TextOf(&records, "lblHeading"), QStringLiteral("TEAM STATISTICS AND RECORDS"));
    for (const char* blank : {"lblLocalMatches", "lblStatePremierships", "lblAFLBiggestWin"}) {
      QCOMPARE(TextOf(&records, blank), QString());
    }
  }
};

}  // namespace km::screens

QTEST_MAIN(km::screens::InfoScreensTest)
#include "info_screens_test.moc"
