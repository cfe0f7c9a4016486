// The screens of the week: a new career's first contract, a round played
// through the round and match screens, the hub's look as the week leaves it,
// the finals weeks and the fixture and results browser.

#include <QImage>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <set>

#include "core/new_career.h"
#include "game/game.h"
#include "screens/look.h"
#include "screens/main_screen.h"
#include "screens/match_screen.h"
#include "screens/qt_text.h"
#include "screens/results_screen.h"
#include "screens/round_screen.h"
#include "screens/screen_flow.h"
#include "screens/screen_test_support.h"
#include "season/fixture.h"
#include "season/results_browser.h"
#include "support/scripted_ports.h"

namespace km::screens {
namespace {

using testing::Choose;
using testing::Click;
using testing::CutLabels;
using testing::Find;
using testing::Messages;
using testing::ShownWindow;
using testing::TextOf;
using testing::Type;

constexpr const char* kPlayer = "Chris Judd";

bool IsShown(const QWidget* root, const char* name) {
  const QWidget* widget = Find(root, name);
  return widget && widget->isVisible();
}

bool IsEnabled(const QWidget* root, const char* name) {
  const QWidget* widget = Find(root, name);
  return widget && widget->isEnabled();
}

// Slot 1's labels carry the bare names, slot K of 2..8 adds its number.
QByteArray SlotName(const char* base, int slot, int quarter = 0) {
  QByteArray name(base);
  if (quarter > 0) name += QByteArray::number(quarter);
  if (slot > 0) name += QByteArray::number(slot + 1);
  return name;
}

// A slot as the screen shows it, in the results file's order: the first
// club, its goals and behinds quarter by quarter, the second club likewise,
// then both points.
QStringList SlotShown(const QWidget* root, int slot) {
  QStringList shown;
  for (const char* side : {"One", "Two"}) {
    shown << TextOf(root, SlotName(QByteArray("lblTeam") + side, slot));
    for (int q = 1; q <= 4; ++q) {
      shown << TextOf(root, SlotName(QByteArray("lblGoals") + side, slot, q));
      shown << TextOf(root, SlotName(QByteArray("lblBehinds") + side, slot, q));
    }
  }
  shown << TextOf(root, SlotName("lblPointsOne", slot));
  shown << TextOf(root, SlotName("lblPointsTwo", slot));
  return shown;
}

QStringList SlotOf(const std::string& one, const std::string& two, const RoundSlot& score) {
  QStringList values;
  values << ToQt(one);
  for (std::size_t q = 0; q < 4; ++q) {
    values << QString::number(score.GoalsOne[q]) << QString::number(score.BehindsOne[q]);
  }
  values << ToQt(two);
  for (std::size_t q = 0; q < 4; ++q) {
    values << QString::number(score.GoalsTwo[q]) << QString::number(score.BehindsTwo[q]);
  }
  values << QString::number(score.PointsOne) << QString::number(score.PointsTwo);
  return values;
}

// The colour a widget is painted in, a little inside its top left corner.
QColor PaintedAt(QWidget* widget, QPoint at = {1, 1}) {
  return QColor(widget->grab().toImage().pixel(at));
}

// A club name's colour, right of the marker the next match carries.
QColor NameColourOf(const QWidget* root, const QByteArray& name) {
  auto* label = Find(root, name.constData());
  return label ? PaintedAt(label, {label->width() - 2, 1}) : QColor();
}

// Clicks the cell of the grid as the player would.
bool ClickCell(QTableWidget* grid, int row, int column) {
  QTableWidgetItem* item = grid ? grid->item(row, column) : nullptr;
  if (!item) return false;
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                    grid->visualItemRect(item).center());
  return true;
}

// A whole match on the match screen: four quarters, the clock run by the
// test, then Finish.
bool PlayMatchThroughItsButtons(QWidget* window) {
  auto* match = qobject_cast<MatchScreen*>(window);
  auto* clock = window ? window->findChild<QTimer*>(QStringLiteral("tmrMatch")) : nullptr;
  if (!match || !clock) return false;
  for (int quarter = 0; quarter < 4; ++quarter) {
    if (!Click(window, "cmdStart")) return false;
    for (int minute = 0; minute < 40 && clock->isActive(); ++minute) match->tmrMatch_Timer();
    if (clock->isActive()) return false;
  }
  return Click(window, "cmdOK");
}

// A fresh career at a Local Reserves club of a full ladder.
Career SomeCareer(const std::string& careerName) {
  SetupAnswers answers;
  answers.careerName = careerName;
  answers.name = kPlayer;
  answers.city = "Bendigo";
  answers.state = "Victoria";
  answers.position = "Centre";
  answers.kicking = answers.handballing = answers.tackling = answers.marking = answers.running = 60;
  Career career = CreateCareer(answers);
  const ClubList& clubs = ClubsOf("Local Reserves", career.State);
  for (std::size_t i = 0; i < kLadderRows; ++i) career.Ladder[i].Team = std::string(clubs[i]);
  career.Team = career.Ladder[3].Team;
  career.ContractMatches = 40;
  career.Injury = -3;
  career.Suspension = -3;
  return career;
}

std::array<std::string, 16> ClubNames() {
  std::array<std::string, 16> names;
  const ClubList& clubs = ClubsOf("Local Reserves", "Victoria");
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = std::string(clubs[i]);
  return names;
}

const QColor kPlayerClubColour(225, 128, 128);
const QColor kNextMatchColour(190, 190, 255);
const QColor kOtherColour(224, 224, 224);

}  // namespace

class WeekScreensTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // The colours under test are the game's own style sheet's.
  void initTestCase() { ApplyGameLook(*qApp); }
  void init() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    prompter_ = std::make_unique<km::testing::ScriptedPrompter>();
  }
  void cleanup() {
    flow_.reset();
    game_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void aNewCareerSignsThenPlaysItsFirstRound_data() {
    QTest::addColumn<quint64>("seed");
    QTest::newRow("seed 7") << quint64(7);
    QTest::newRow("seed 2024") << quint64(2024);
  }
  void aNewCareerSignsThenPlaysItsFirstRound() {
    QFETCH(quint64, seed);
    TwisterRandom random(seed);
    StartANewCareer(random, QStringLiteral("judd"));
    if (QTest::currentTestFailed()) return;

    // The offers come before the hub.
    QWidget* contracts = ShownWindow("frmContracts");
    QVERIFY(contracts);
    QVERIFY(!ShownWindow("frmMain"));
    QVERIFY(!ShownWindow("frmSetup"));
    QCOMPARE(contracts->windowTitle(), QStringLiteral("Contract Offers"));
    QCOMPARE(TextOf(contracts, "lblTitle"), QStringLiteral("LOCAL RESERVES CLUB OFFERS"));
    QCOMPARE(TextOf(contracts, "lblOfferContract"),
             QStringLiteral("Select Team By Clicking on Their Name"));
    QCOMPARE(TextOf(contracts, "lblTeam"), QStringLiteral("None"));
    QCOMPARE(TextOf(contracts, "lblMatches"), QStringLiteral("0"));
    QVERIFY(!IsEnabled(contracts, "cmdSign"));
    auto* grid = Find<QTableWidget>(contracts, "grdContracts");
    QVERIFY(grid);
    QCOMPARE(grid->rowCount(), 16);
    const QStringList headers{"Team", "Offer ($)", "Seasons", "Choice"};
    for (int column = 0; column < 4; ++column) {
      QCOMPARE(grid->horizontalHeaderItem(column)->text(), headers[column]);
    }
    const std::set<QString> amounts{"1500", "2000", "2500", "3000", "3500", "4000"};
    const ClubList& clubs = ClubsOf("Local Reserves", "Victoria");
    for (int row = 0; row < 16; ++row) {
      QCOMPARE(grid->item(row, 0)->text(), QStringLiteral("Team %1").arg(row + 1));
      QVERIFY2(amounts.count(grid->item(row, 1)->text()) == 1,
               qPrintable(grid->item(row, 1)->text()));
      const QString seasons = grid->item(row, 2)->text();
      QVERIFY2(seasons == QStringLiteral("1") || seasons == QStringLiteral("2"),
               qPrintable(seasons));
      QCOMPARE(grid->item(row, 3)->text(), ToQt(clubs[static_cast<std::size_t>(row)]));
    }

    // No leaving without a contract.
    QVERIFY(Click(contracts, "cmdOK"));
    QCOMPARE(Messages(*prompter_), QStringList{QStringLiteral("Please sign a contract")});
    QVERIFY(ShownWindow("frmContracts"));
    // A click on an amount or a length picks nothing.
    QVERIFY(ClickCell(grid, 8, 1));
    QVERIFY(ClickCell(grid, 8, 2));
    QVERIFY(!IsEnabled(contracts, "cmdSign"));
    QCOMPARE(TextOf(contracts, "lblTeamContract"), QString());
    // The club's name picks its row's offer.
    const QString offer = grid->item(8, 1)->text();
    const int seasons = grid->item(8, 2)->text().toInt();
    QVERIFY(ClickCell(grid, 8, 3));
    QCOMPARE(TextOf(contracts, "lblTeamContract"), QStringLiteral("Frankston"));
    QCOMPARE(TextOf(contracts, "lblOfferContract"), offer);
    QCOMPARE(TextOf(contracts, "lblLengthContract"), QString::number(seasons));
    QVERIFY(IsEnabled(contracts, "cmdSign"));

    // Sign: the papers have the rookie, then the hub comes up behind the
    // offers, its Play open.
    QVERIFY(prompter_->stories.empty());
    QVERIFY(Click(contracts, "cmdSign"));
    QCOMPARE(prompter_->stories.size(), std::size_t{1});
    QCOMPARE(ToQt(prompter_->stories.front().headline),
             QStringLiteral("Rookie Chris Judd Signs With Frankston"));
    QWidget* hub = ShownWindow("frmMain");
    QVERIFY(hub);
    QVERIFY(hub->isEnabled());
    QVERIFY(ShownWindow("frmContracts"));
    QCOMPARE(TextOf(contracts, "lblTeam"), QStringLiteral("Frankston"));
    QCOMPARE(TextOf(contracts, "lblCurrent"), offer);
    QCOMPARE(TextOf(contracts, "lblLength"), QString::number(seasons));
    QCOMPARE(TextOf(contracts, "lblMatches"), QString::number(seasons * 26));
    QVERIFY(!IsEnabled(contracts, "cmdSign"));
    QCOMPARE(TextOf(hub, "lblTeam"), QStringLiteral("Frankston"));
    QCOMPARE(TextOf(hub, "lblWages"), offer);
    QVERIFY(IsEnabled(hub, "cmdPlay"));
    QVERIFY(Click(contracts, "cmdOK"));
    QVERIFY(!ShownWindow("frmContracts"));
    QCOMPARE(prompter_->messages.size(), std::size_t{1});
    QVERIFY(hub->isEnabled());

    // Play: the round screen takes over from the hub.
    QVERIFY(Click(hub, "cmdPlay"));
    QWidget* round = ShownWindow("frmMatchRound");
    QVERIFY(round);
    QVERIFY(!hub->isEnabled());
    QCOMPARE(TextOf(round, "lblTitle"), QStringLiteral("ROUND ONE MATCHES"));
    QCOMPARE(TextOf(round, "lblRound"), QStringLiteral("1"));
    QCOMPARE(TextOf(round, "lblLeague"), QStringLiteral("Local Reserves"));
    QVERIFY(!IsShown(round, "cmdOK"));
    const auto pairings = ReadRoundPairings(Folder(), game_->career(), 1);
    QVERIFY(std::holds_alternative<std::vector<std::string>>(pairings));
    const auto& names = std::get<std::vector<std::string>>(pairings);
    int playersSlot = -1;
    for (int s = 0; s < 8; ++s) {
      QVERIFY(IsShown(round, "fraSlot" + QByteArray::number(s + 1)));
      const auto at = static_cast<std::size_t>(s) * 2;
      QCOMPARE(TextOf(round, SlotName("lblTeamOne", s)), ToQt(names[at]));
      QCOMPARE(TextOf(round, SlotName("lblTeamTwo", s)), ToQt(names[at + 1]));
      if (names[at] == "Frankston" || names[at + 1] == "Frankston") playersSlot = s;
    }
    QVERIFY(playersSlot >= 0);

    // Eight presses of Start; the player's match goes to the match screen.
    for (int press = 0; press < 8; ++press) {
      QVERIFY(IsEnabled(round, "cmdStart"));
      QVERIFY(!IsShown(round, "cmdOK"));
      // The next match is lavender, the player's club light red wherever
      // it is, the rest light grey.
      for (int s = 0; s < 8; ++s) {
        for (const char* side : {"lblTeamOne", "lblTeamTwo"}) {
          const QByteArray name = SlotName(side, s);
          const QColor expected = TextOf(round, name.constData()) == QStringLiteral("Frankston")
                                      ? kPlayerClubColour
                                  : s == press ? kNextMatchColour
                                               : kOtherColour;
          QCOMPARE(NameColourOf(round, name), expected);
        }
      }
      QVERIFY(Click(round, "cmdStart"));
      QWidget* match = ShownWindow("frmMatch");
      QCOMPARE(match != nullptr, press == playersSlot);
      if (match) {
        QVERIFY(!round->isEnabled());
        QCOMPARE(TextOf(match, "lblTeamOne"), TextOf(round, SlotName("lblTeamOne", press)));
        QVERIFY(PlayMatchThroughItsButtons(match));
        QVERIFY(!ShownWindow("frmMatch"));
        QVERIFY(round->isEnabled());
      }
      // The slot just played holds its final score.
      const QStringList shown = SlotShown(round, press);
      QCOMPARE(shown[18].toInt(), shown[7].toInt() * 6 + shown[8].toInt());
      QCOMPARE(shown[19].toInt(), shown[16].toInt() * 6 + shown[17].toInt());
      QVERIFY(shown[18] != shown[19] || shown[18] != QStringLiteral("0"));
    }
    QVERIFY(!IsEnabled(round, "cmdStart"));
    QVERIFY(IsShown(round, "cmdOK"));
    QVERIFY(!hub->isEnabled());
    std::vector<QStringList> played;
    int pointsScored = 0;
    for (int s = 0; s < 8; ++s) {
      played.push_back(SlotShown(round, s));
      pointsScored += played.back()[18].toInt() + played.back()[19].toInt();
    }

    QVERIFY(Click(round, "cmdOK"));
    QVERIFY(!ShownWindow("frmMatchRound"));
    QVERIFY(hub->isEnabled());
    QCOMPARE(TextOf(hub, "lblMatches"), QStringLiteral("1"));
    QCOMPARE(TextOf(hub, "lblBankBalance"), ToQt(game_->career().BankBalance.ToString()));
    QVERIFY(TextOf(hub, "lblBankBalance") != QStringLiteral("15000"));
    QVERIFY(IsEnabled(hub, "cmdPlay"));

    // The round's record in the results file is what the round screen showed.
    const auto record = ReadRoundResult(Folder(), game_->career(), 1);
    QVERIFY(std::holds_alternative<RoundRecord>(record));
    const RoundRecord& kept = std::get<RoundRecord>(record);
    for (std::size_t s = 0; s < 8; ++s) {
      QCOMPARE(SlotOf(kept.teamOne[s], kept.teamTwo[s], kept.slots[s]), played[s]);
    }
    const auto values = ReadQuotedValues(ResultsPath(Folder(), game_->career()));
    QVERIFY(std::holds_alternative<std::vector<std::string>>(values));
    QCOMPARE(std::get<std::vector<std::string>>(values).size(), std::size_t{149});

    // The ladder: every club has played once, and the points add up.
    QVERIFY(Click(hub, "cmdTeamDetails"));
    QWidget* team = ShownWindow("frmTeam");
    QVERIFY(team);
    QVERIFY(Click(team, "cmdLadder"));
    QWidget* ladder = ShownWindow("frmLadder");
    QVERIFY(ladder);
    auto* table = Find<QTableWidget>(ladder, "grdLadder");
    QVERIFY(table);
    int pointsFor = 0;
    for (int row = 0; row < 16; ++row) {
      QCOMPARE(table->item(row, 2)->text(), QStringLiteral("1"));
      pointsFor += table->item(row, 6)->text().toInt();
    }
    QCOMPARE(pointsFor, pointsScored);
    QVERIFY(Click(ladder, "cmdOK"));

    // The browser: round 1 as it was played, round 2 still to come.
    QVERIFY(team->isEnabled());
    QVERIFY(Click(team, "cmdResults"));
    QWidget* results = ShownWindow("frmResults");
    QVERIFY(results);
    QVERIFY(!team->isEnabled());
    QCOMPARE(results->windowTitle(), QStringLiteral("Kickmark - Fixture and Results"));
    QCOMPARE(TextOf(results, "lblName"), QString::fromLatin1(kPlayer));
    QCOMPARE(TextOf(results, "lblTeam"), QStringLiteral("Frankston"));
    QCOMPARE(TextOf(results, "lblRound"), QStringLiteral("1"));
    for (int s = 0; s < 8; ++s) {
      QVERIFY(IsShown(results, "fraSlot" + QByteArray::number(s + 1)));
      QCOMPARE(SlotShown(results, s), played[static_cast<std::size_t>(s)]);
    }
    QCOMPARE(TextOf(results, "lblDisposals"), ToQt(kept.player.Disposals));
    QCOMPARE(TextOf(results, "lblGoals"), ToQt(kept.player.Goals));
    QCOMPARE(TextOf(results, "lblMatchRating"), ToQt(kept.player.MatchRating));
    QCOMPARE(TextOf(results, "lblPosition"), QStringLiteral("Centre"));
    auto* bar = Find<QScrollBar>(results, "hsbRound");
    QVERIFY(bar);
    QCOMPARE(bar->minimum(), 1);
    QCOMPARE(bar->maximum(), 26);
    bar->setValue(2);
    QCOMPARE(TextOf(results, "lblRound"), QStringLiteral("2"));
    const auto second = ReadRoundPairings(Folder(), game_->career(), 2);
    const auto& secondNames = std::get<std::vector<std::string>>(second);
    for (int s = 0; s < 8; ++s) {
      const QStringList shown = SlotShown(results, s);
      const auto at = static_cast<std::size_t>(s) * 2;
      QCOMPARE(shown, SlotOf(secondNames[at], secondNames[at + 1], RoundSlot{}));
    }
    QCOMPARE(TextOf(results, "lblDisposals"), QStringLiteral("0"));
    QVERIFY(Click(results, "cmdOK"));
    QVERIFY(!ShownWindow("frmResults"));
    QVERIFY(team->isEnabled());

    // The contract page again from the hub's letter, then Quit closes it
    // with the rest of the career.
    QVERIFY(Click(team, "cmdCareerDetails"));
    QTest::keyClick(hub, Qt::Key_C);
    QVERIFY(ShownWindow("frmContracts"));
    QVERIFY(hub->isEnabled());
    prompter_->answers.push_back(true);
    QVERIFY(Click(hub, "cmdExit"));
    for (const char* gone : {"frmContracts", "frmMain", "frmTeam", "frmResults", "frmLadder"}) {
      QVERIFY2(!ShownWindow(gone), gone);
    }
    QVERIFY(ShownWindow("frmStart"));
  }

  void theCountDownsMessagesComeOverTheRound() {
    TwisterRandom random(5);
    StartANewCareer(random, QStringLiteral("hurt"));
    if (QTest::currentTestFailed()) return;
    QWidget* contracts = ShownWindow("frmContracts");
    QVERIFY(ClickCell(Find<QTableWidget>(contracts, "grdContracts"), 0, 3));
    QVERIFY(Click(contracts, "cmdSign"));
    QVERIFY(Click(contracts, "cmdOK"));
    QWidget* hub = ShownWindow("frmMain");
    QVERIFY(hub);
    // Injured and suspended, both for this week only.
    game_->career().Injury = 1;
    game_->career().Suspension = 1;
    QStringList seen;
    prompter_->onInform = [&seen](const auto& message) {
      seen << QString::fromStdString(message.text) + " | " + testing::ShownWindows();
    };
    QVERIFY(Click(hub, "cmdPlay"));
    const QStringList expected{
        QStringLiteral(
            "You are currently injured and will miss this match | frmMain,frmMatchRound"),
        QStringLiteral(
            "You are currently suspended and will miss this match | frmMain,frmMatchRound")};
    QCOMPARE(seen, expected);
  }

  void aRoundShowsOnlyItsOwnMatches_data() {
    QTest::addColumn<int>("matches");
    QTest::addColumn<int>("slots");
    QTest::addColumn<QString>("title");
    QTest::newRow("home and away") << 0 << 8 << "ROUND ONE MATCHES";
    QTest::newRow("last home and away") << 21 << 8 << "ROUND TWENTY-TWO MATCHES";
    QTest::newRow("qualifying finals") << 22 << 4 << "QUALIFYING FINALS MATCHES";
    QTest::newRow("semi finals") << 23 << 2 << "SEMI FINALS MATCHES";
    QTest::newRow("preliminary finals") << 24 << 2 << "PRELIMINARY FINALS MATCHES";
    QTest::newRow("grand final") << 25 << 1 << "GRAND FINAL";
  }
  void aRoundShowsOnlyItsOwnMatches() {
    QFETCH(int, matches);
    QFETCH(int, slots);
    QFETCH(QString, title);
    TwisterRandom random(11);
    MakeGame(random);
    Career career = SomeCareer("finals");
    // A club of another competition: every match is simulated.
    career.Team = "Sandringham";
    career.Matches = matches;
    const auto clubs = ClubNames();
    QVERIFY(!WriteSeasonFixture(Folder(), career, clubs));
    // The finals stages as the fixture gains them week by week.
    const std::vector<std::vector<std::string>> stages = {
        {clubs[0], clubs[3], clubs[1], clubs[2], clubs[4], clubs[7], clubs[5], clubs[6]},
        {clubs[3], clubs[4], clubs[2], clubs[5], clubs[0], clubs[1]},
        {clubs[0], clubs[5], clubs[1], clubs[4]},
        {clubs[0], clubs[1]}};
    for (const auto& stage : stages) QVERIFY(!AppendFinalsStage(Folder(), career, stage));
    game_->Adopt(career);
    QVERIFY(game_->Play());

    RoundScreen screen(*game_);
    screen.show();
    QCOMPARE(TextOf(&screen, "lblTitle"), title);
    QCOMPARE(TextOf(&screen, "lblRound"), QString::number(matches + 1));
    const std::vector<std::string>* stage =
        matches >= 22 ? &stages[static_cast<std::size_t>(matches - 22)] : nullptr;
    for (int s = 0; s < 8; ++s) {
      const QByteArray frame = "fraSlot" + QByteArray::number(s + 1);
      QCOMPARE(IsShown(&screen, frame.constData()), s < slots);
      const auto at = static_cast<std::size_t>(s) * 2;
      // The semi finals' third pair waits out of view.
      if (stage && at < stage->size()) {
        QCOMPARE(TextOf(&screen, SlotName("lblTeamOne", s)), ToQt((*stage)[at]));
        QCOMPARE(TextOf(&screen, SlotName("lblTeamTwo", s)), ToQt((*stage)[at + 1]));
      }
    }
    QCOMPARE(NameColourOf(&screen, "lblTeamOne"), kNextMatchColour);
    QCOMPARE(NameColourOf(&screen, "lblTeamTwo"), kNextMatchColour);

    // The round is over once its last match is played.
    for (int press = 0; press < slots; ++press) {
      QVERIFY(!IsShown(&screen, "cmdOK"));
      QVERIFY(IsEnabled(&screen, "cmdStart"));
      QVERIFY(Click(&screen, "cmdStart"));
      QVERIFY(!ShownWindow("frmMatch"));
      QCOMPARE(NameColourOf(&screen, SlotName("lblTeamOne", press)), kOtherColour);
      const QStringList shown = SlotShown(&screen, press);
      QCOMPARE(shown[18].toInt(), shown[7].toInt() * 6 + shown[8].toInt());
      // A final is never left level.
      if (matches >= 22) QVERIFY(shown[18] != shown[19]);
    }
    QVERIFY(!IsEnabled(&screen, "cmdStart"));
    QVERIFY(IsShown(&screen, "cmdOK"));
  }

  void thePlayButtonShowsWhyHeMissesOut_data() {
    QTest::addColumn<int>("colour");
    QTest::addColumn<QColor>("painted");
    QTest::newRow("injured") << int(PlayColour::Injured) << QColor(255, 255, 0);
    QTest::newRow("suspended") << int(PlayColour::Suspended) << QColor(255, 0, 0);
    QTest::newRow("last match missed") << int(PlayColour::LastMissed) << QColor(224, 224, 224);
  }
  void thePlayButtonShowsWhyHeMissesOut() {
    QFETCH(int, colour);
    QFETCH(QColor, painted);
    km::testing::ScriptedRandom random;
    MakeGame(random);
    game_->Adopt(SomeCareer("colours"));
    MainScreen hub(*game_);
    hub.show();
    auto* play = Find<QPushButton>(&hub, "cmdPlay");
    QVERIFY(play);
    const QPoint inside(6, play->height() / 2);
    const QColor normal = PaintedAt(play, inside);
    game_->run().playColour = static_cast<PlayColour>(colour);
    hub.refresh();
    QCOMPARE(PaintedAt(play, inside), painted);
    QVERIFY(normal != painted);
    // Back to normal once he plays again.
    game_->run().playColour = PlayColour::Normal;
    hub.refresh();
    QCOMPARE(PaintedAt(play, inside), normal);
  }

  void barsShowTheColourTheLastPurchaseOrMatchLeft_data() {
    QTest::addColumn<QByteArray>("bar");
    QTest::addColumn<int>("hubBar");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("colour");
    QTest::addColumn<QColor>("painted");  // invalid: the bar's plain colour
    const QColor yellow(255, 255, 0);
    const QColor darkBlue(0, 0, 198);
    const QColor darkRed(175, 0, 0);
    const auto row = [](const char* name, const char* bar, HubBar hubBar, int value,
                        BarColour colour, QColor painted) {
      QTest::newRow(name) << QByteArray(bar) << int(hubBar) << value << int(colour) << painted;
    };
    // Whatever its value, a bar is drawn as the last purchase or match left it.
    row("plain boots at 49", "pbBoots", HubBar::Boots, 49, BarColour::Plain, QColor());
    row("restored boots", "pbBoots", HubBar::Boots, 60, BarColour::Restored, yellow);
    row("restored fitness", "pbFitness", HubBar::Fitness, 49, BarColour::Restored, yellow);
    row("low stamina", "pbStamina", HubBar::Stamina, 40, BarColour::Low, darkRed);
    row("low other at 80", "pbOther", HubBar::Other, 80, BarColour::Low, darkRed);
    row("restored gear overall", "pbGearOverall", HubBar::GearOverall, 60, BarColour::Restored,
        darkBlue);
    row("restored health overall", "pbHealthOverall", HubBar::HealthOverall, 60,
        BarColour::Restored, darkBlue);
    row("low health overall", "pbHealthOverall", HubBar::HealthOverall, 49, BarColour::Low,
        darkRed);
  }
  void barsShowTheColourTheLastPurchaseOrMatchLeft() {
    QFETCH(QByteArray, bar);
    QFETCH(int, hubBar);
    QFETCH(int, value);
    QFETCH(int, colour);
    QFETCH(QColor, painted);
    km::testing::ScriptedRandom random;
    MakeGame(random);
    Career career = SomeCareer("bars");
    for (int Career::*field : {&Career::Boots, &Career::Other, &Career::GearOverall,
                               &Career::Fitness, &Career::Stamina, &Career::HealthOverall}) {
      career.*field = value;
    }
    game_->Adopt(career);
    MainScreen hub(*game_);
    hub.show();
    auto* shown = Find<QProgressBar>(&hub, bar.constData());
    QVERIFY(shown);
    QCOMPARE(shown->value(), value);
    const QPoint inside(4, shown->height() / 2);
    const QColor plain = PaintedAt(shown, inside);
    game_->run().barColours[static_cast<std::size_t>(hubBar)] = static_cast<BarColour>(colour);
    hub.refresh();
    QCOMPARE(PaintedAt(shown, inside), painted.isValid() ? painted : plain);
    for (const QColor& other : {QColor(255, 255, 0), QColor(0, 0, 198), QColor(175, 0, 0)}) {
      QVERIFY(plain != other);
    }
  }

  void bigFiguresStayWholeOnTheHub_data() {
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a billion") << qint64(100000000000) << QStringLiteral("1000000000");
    QTest::newRow("a veteran's cents") << qint64(175232950) << QStringLiteral("1752329.5");
  }
  void bigFiguresStayWholeOnTheHub() {
    QFETCH(qint64, cents);
    QFETCH(QString, shown);
    km::testing::ScriptedRandom random;
    MakeGame(random);
    Career career = SomeCareer("rich");
    career.BankBalance = Money::Cents(cents);
    career.Wages = career.Sponsorship = career.OtherIncome = Money::Cents(cents);
    game_->Adopt(career);
    MainScreen hub(*game_);
    hub.show();
    QCOMPARE(TextOf(&hub, "lblBankBalance"), shown);
    QCOMPARE(CutLabels(&hub), QString());
    if (qEnvironmentVariableIsSet("KICKMARK_GRAB")) {
      hub.grab().save(qEnvironmentVariable("KICKMARK_GRAB") + QString::number(cents) + ".png");
    }
    // A figure that grows while the hub is up widens it too.
    game_->career().BankBalance = Money::Cents(cents * 10);
    hub.refresh();
    QCOMPARE(CutLabels(&hub), QString());
  }

  void aRetiredPlayerOnlyLooksBack() {
    km::testing::ScriptedRandom random;
    MakeGame(random);
    Career career = SomeCareer("retired");
    career.PlayOpen = career.ContractOpen = career.SponsorshipOpen = false;
    game_->Adopt(career);
    MainScreen hub(*game_);
    hub.show();
    for (const char* closed :
         {"cmdPlay", "cmdContract", "cmdSponsorship", "cmdHealth", "cmdTraining", "cmdStore"}) {
      QVERIFY2(!IsEnabled(&hub, closed), closed);
    }
    for (const char* open : {"cmdTeamDetails", "cmdRecords", "cmdAbout", "cmdExit"}) {
      QVERIFY2(IsEnabled(&hub, open), open);
    }
    // The letters of the week's screens do nothing; Records still opens.
    int training = 0;
    int records = 0;
    connect(&hub, &MainScreen::trainingRequested, this, [&training] { ++training; });
    connect(&hub, &MainScreen::recordsRequested, this, [&records] { ++records; });
    auto* focused = Find<QPushButton>(&hub, "cmdExit");
    QTest::keyClick(focused, Qt::Key_T);
    QTest::keyClick(focused, Qt::Key_R);
    QCOMPARE(training, 0);
    QCOMPARE(records, 1);
    // A player who only waits for a contract has not retired.
    game_->career().ContractOpen = true;
    hub.refresh();
    QVERIFY(IsEnabled(&hub, "cmdTraining"));
    QVERIFY(IsEnabled(&hub, "cmdStore"));
    QVERIFY(!IsEnabled(&hub, "cmdPlay"));
  }

  void theBrowserNamesAFileItCannotRead() {
    km::testing::ScriptedRandom random;
    MakeGame(random);
    Career career = SomeCareer("nofixture");
    game_->Adopt(career);
    ResultsScreen results(*game_);
    results.refresh();
    results.show();
    const auto browsed = BrowseRound(career, Folder(), 1);
    QVERIFY(std::holds_alternative<FileError>(browsed));
    QCOMPARE(TextOf(&results, "lblError"), ToQt(std::get<FileError>(browsed).message));
    QVERIFY(IsShown(&results, "lblError"));
    QVERIFY(!IsShown(&results, "fraSlot1"));

    // Once the fixture is there, the same browser shows the round.
    QVERIFY(!WriteSeasonFixture(Folder(), career, ClubNames()));
    Find<QScrollBar>(&results, "hsbRound")->setValue(2);
    QVERIFY(!IsShown(&results, "lblError"));
    QVERIFY(IsShown(&results, "fraSlot8"));
    QCOMPARE(TextOf(&results, "lblTeamOne"), ToQt(ClubNames()[3]));
  }

 private:
  // From the splash screen to the setup screen's Start, with a Victorian
  // Centre of the given career name.
  void StartANewCareer(Random& random, const QString& careerName) {
    MakeGame(random);
    flow_->Begin();
    QTest::mouseClick(ShownWindow("frmSplash"), Qt::LeftButton);
    QVERIFY(Click(ShownWindow("frmStart"), "cmdNew"));
    QWidget* setup = ShownWindow("frmSetup");
    QVERIFY(setup);
    QVERIFY(Type(setup, "txtCareer", careerName));
    QVERIFY(Type(setup, "txtName", QString::fromLatin1(kPlayer)));
    QVERIFY(Type(setup, "txtCity", QStringLiteral("Melbourne")));
    QVERIFY(Choose(setup, "txtState", QStringLiteral("Victoria")));
    QVERIFY(Choose(setup, "lstPosition", QStringLiteral("Centre")));
    QVERIFY(Click(setup, "cmdStart"));
  }
  void MakeGame(Random& random) {
    game_ = std::make_unique<Game>(random, *prompter_, DataFolder{Folder()});
    flow_ = std::make_unique<ScreenFlow>(*game_);
  }
  std::filesystem::path Folder() const { return PathFromQt(folder_->path()); }

  std::unique_ptr<QTemporaryDir> folder_;
  std::unique_ptr<km::testing::ScriptedPrompter> prompter_;
  std::unique_ptr<Game> game_;
  std::unique_ptr<ScreenFlow> flow_;
};

}  // namespace km::screens

QTEST_MAIN(km::screens::WeekScreensTest)
#include "week_screens_test.moc"
