// The screens of the week: a new career's first contract, a round played
// through the round and match screens, the finals weeks and the fixture and
// results browser; the hub's look as the week leaves it; the training
// centre, the health centre and the gear store, the sponsorship screen and
// its offer screens, what they show from the record, what their controls
// buy, and how they hand back.

#include <QImage>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "core/number_format.h"
#include "screens/look.h"
#include "screens/main_screen.h"
#include "screens/qt_text.h"
#include "screens/results_screen.h"
#include "screens/round_screen.h"
#include "screens/screen_parts.h"
#include "screens/screen_test_support.h"
#include "screens/shop_screen.h"
#include "screens/sponsorship_screen.h"
#include "season/fixture.h"
#include "season/results_browser.h"
#include "week/sponsors.h"

namespace km::screens {
namespace {

using namespace testing;

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
  return shown << TextOf(root, SlotName("lblPointsOne", slot))
               << TextOf(root, SlotName("lblPointsTwo", slot));
}

QStringList SlotOf(const std::string& one, const std::string& two, const RoundSlot& score) {
  QStringList values{ToQt(one)};
  for (std::size_t q = 0; q < 4; ++q) {
    values << QString::number(score.GoalsOne[q]) << QString::number(score.BehindsOne[q]);
  }
  values << ToQt(two);
  for (std::size_t q = 0; q < 4; ++q) {
    values << QString::number(score.GoalsTwo[q]) << QString::number(score.BehindsTwo[q]);
  }
  return values << QString::number(score.PointsOne) << QString::number(score.PointsTwo);
}

// A played slot's points are its goals and behinds at the last quarter.
bool PointsAddUp(const QStringList& slot) {
  return slot[18].toInt() == slot[7].toInt() * 6 + slot[8].toInt() &&
         slot[19].toInt() == slot[16].toInt() * 6 + slot[17].toInt();
}

// The colour a widget is painted in at a point.
QColor PaintedAt(QWidget* widget, QPoint at) { return QColor(widget->grab().toImage().pixel(at)); }

// A club name's colour, right of the marker the next match carries.
QColor NameColourOf(const QWidget* root, const QByteArray& name) {
  auto* label = Find(root, name.constData());
  return label ? PaintedAt(label, {label->width() - 2, 1}) : QColor();
}

// The colour a label's text is drawn in.
QColor TextColour(const QWidget* root, const char* name) {
  auto* label = Find<QLabel>(root, name);
  if (!label) return {};
  label->ensurePolished();
  return label->palette().color(label->foregroundRole());
}

// Steps a spinner with the keyboard's arrow keys, as the player would.
void Step(const QWidget* root, const char* name, Qt::Key key, int times = 1) {
  for (int i = 0; i < times; ++i) QTest::keyClick(Find<QSpinBox>(root, name), key);
}

int SpinnerValue(const QWidget* root, const char* name) {
  auto* spinner = Find<QSpinBox>(root, name);
  return spinner ? spinner->value() : -99;
}

// A sponsor window (week 12 or 24): the offers are prepared with the message
// roll and the market roll given, before the screen opens.
void PrepareWindow(Session& s, int message, int market) {
  s.random.next(message, 3);
  s.random.next(market, 7);
  PrepareSponsorOffers(s.career(), s.game.run(), s.random, s.prompter);
}

std::array<std::string, 16> ClubNames() {
  std::array<std::string, 16> names;
  const ClubList& clubs = ClubsOf("Local Reserves", "Victoria");
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = std::string(clubs[i]);
  return names;
}

Career SomeCareer() {
  Career career = ACareer("Chris Judd", "Rover");
  SeatAt(career, "Local Reserves", 3);
  career.ContractMatches = 40;
  return career;
}

const QColor kPlayerClubColour(225, 128, 128);
const QColor kNextMatchColour(190, 190, 255);
const QColor kOtherColour(224, 224, 224);
// The balance after purchase's text: white on the red when the purchase is
// more than the bank holds, blue while money is left over.
const QColor kShortText(255, 255, 255);
const QColor kInCreditText(0x1f, 0x3a, 0x93);

}  // namespace

class WeekScreensTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // The colours under test are the game's own style sheet's.
  void initTestCase() { ApplyGameLook(*qApp); }
  void init() {
    folder_ = std::make_unique<QTemporaryDir>();
    prompter_ = std::make_unique<km::testing::ScriptedPrompter>();
  }
  void cleanup() {
    flow_.reset();
    game_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void aNewCareerSignsThenPlaysItsFirstRound() {
    TwisterRandom random(7);
    QWidget* contracts = ToTheOffers(random);
    QVERIFY(contracts);
    // The club's name picks its row's offer. Sign: the papers have the
    // rookie, then the hub comes up behind the offers, its Play open.
    auto* grid = Find<QTableWidget>(contracts, "grdContracts");
    const QString club = grid->item(8, 3)->text();
    const QString offer = grid->item(8, 1)->text();
    const QString seasons = grid->item(8, 2)->text();
    QVERIFY(ClickCell(grid, 8, 3));
    QCOMPARE(TextOf(contracts, "lblTeamContract") + "|" + TextOf(contracts, "lblOfferContract") +
                 "|" + TextOf(contracts, "lblLengthContract"),
             club + "|" + offer + "|" + seasons);
    QVERIFY(Click(contracts, "cmdSign"));
    QCOMPARE(prompter_->stories.size(), std::size_t{1});
    QWidget* hub = ShownWindow("frmMain");
    QVERIFY(hub && hub->isEnabled());
    QCOMPARE(TextOf(contracts, "lblTeam") + "|" + TextOf(contracts, "lblCurrent") + "|" +
                 TextOf(contracts, "lblMatches") + "|" + TextOf(hub, "lblWages"),
             club + "|" + offer + "|" + QString::number(seasons.toInt() * 26) + "|" + offer);
    QVERIFY(!IsEnabled(contracts, "cmdSign"));
    QVERIFY(Click(contracts, "cmdOK"));
    QCOMPARE(ShownWindows(), QStringLiteral("frmMain"));
    QVERIFY(prompter_->messages.empty());

    // His 50th game here: the milestone's message and story come at the
    // match's Finish.
    game_->career().Levels[0].Matches = 49;

    // Play: the round screen takes over from the hub. Eight presses of
    // Start; only the player's match goes to the match screen. The next
    // match is lavender, the player's club light red wherever it is, the
    // rest light grey.
    QVERIFY(Click(hub, "cmdPlay"));
    QWidget* round = ShownWindow("frmMatchRound");
    QVERIFY(round && !hub->isEnabled());
    int matchesOfHis = 0;
    for (int press = 0; press < 8; ++press) {
      QVERIFY(!IsShown(round, "cmdOK"));
      bool his = false;
      for (int s = 0; s < 8; ++s) {
        for (const char* side : {"lblTeamOne", "lblTeamTwo"}) {
          const QByteArray name = SlotName(side, s);
          const bool ours = TextOf(round, name.constData()) == club;
          his = his || (ours && s == press);
          QCOMPARE(NameColourOf(round, name), ours         ? kPlayerClubColour
                                              : s == press ? kNextMatchColour
                                                           : kOtherColour);
        }
      }
      QVERIFY(Click(round, "cmdStart"));
      QWidget* match = ShownWindow("frmMatch");
      QCOMPARE(match != nullptr, his);
      if (match) {
        ++matchesOfHis;
        QVERIFY(!round->isEnabled());
        QCOMPARE(TextOf(match, "lblTeamOne"), TextOf(round, SlotName("lblTeamOne", press)));
        PlayTheMatchQuarterByQuarter(qobject_cast<MatchScreen*>(match));
        if (QTest::currentTestFailed()) return;
        QVERIFY(round->isEnabled());
      }
      // The slot just played holds its final score.
      const QStringList shown = SlotShown(round, press);
      QVERIFY(PointsAddUp(shown));
      QVERIFY(shown[18] != shown[19] || shown[18] != QStringLiteral("0"));
    }
    QCOMPARE(matchesOfHis, 1);
    QVERIFY(!IsEnabled(round, "cmdStart"));
    std::vector<QStringList> played;
    for (int s = 0; s < 8; ++s) played.push_back(SlotShown(round, s));
    QVERIFY(Click(round, "cmdOK"));
    QCOMPARE(ShownWindows(), QStringLiteral("frmMain"));
    QVERIFY(hub->isEnabled());
    QCOMPARE(TextOf(hub, "lblMatches"), QStringLiteral("1"));
    QCOMPARE(TextOf(hub, "lblBankBalance"), ToQt(game_->career().BankBalance.ToString()));
    QVERIFY(TextOf(hub, "lblBankBalance") != QStringLiteral("15000"));

    // The round's one record in the results file is what the round screen
    // showed.
    const auto record = ReadRoundResult(Folder(), game_->career(), 1);
    const RoundRecord& kept = std::get<RoundRecord>(record);
    for (std::size_t s = 0; s < 8; ++s) {
      QCOMPARE(SlotOf(kept.teamOne[s], kept.teamTwo[s], kept.slots[s]), played[s]);
    }
    const auto values = ReadQuotedValues(ResultsPath(Folder(), game_->career()));
    QCOMPARE(std::get<std::vector<std::string>>(values).size(), std::size_t{149});

    // The browser: round 1 as it was played, his line with it; round 2
    // still to come.
    QVERIFY(Click(hub, "cmdTeamDetails"));
    QWidget* team = ShownWindow("frmTeam");
    QVERIFY(Click(team, "cmdResults"));
    QWidget* results = ShownWindow("frmResults");
    QVERIFY(results && !team->isEnabled());
    for (int s = 0; s < 8; ++s) QCOMPARE(SlotShown(results, s), played[std::size_t(s)]);
    QCOMPARE(TextOf(results, "lblDisposals") + "|" + TextOf(results, "lblGoals") + "|" +
                 TextOf(results, "lblMatchRating") + "|" + TextOf(results, "lblPosition"),
             ToQt(kept.player.Disposals + "|" + kept.player.Goals + "|" + kept.player.MatchRating +
                  "|Wing"));
    Find<QScrollBar>(results, "hsbRound")->setValue(2);
    const auto second =
        std::get<std::vector<std::string>>(ReadRoundPairings(Folder(), game_->career(), 2));
    QCOMPARE(TextOf(results, "lblRound") + "|" + TextOf(results, "lblDisposals"),
             QStringLiteral("2|0"));
    QCOMPARE(SlotShown(results, 7), SlotOf(second[14], second[15], RoundSlot{}));
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
    QCOMPARE(ShownWindows(), QStringLiteral("frmStart"));
  }

  void theCountDownsMessagesComeOverTheRound() {
    TwisterRandom random(5);
    QVERIFY(ToTheOffers(random));
    QWidget* hub = SignOffer();
    QVERIFY(hub);
    // Injured and suspended, both for this week only.
    game_->career().Injury = game_->career().Suspension = 1;
    QStringList seen;
    prompter_->onInform = [&seen](const auto& message) {
      seen << QString::fromStdString(message.text) + " | " + ShownWindows();
    };
    QVERIFY(Click(hub, "cmdPlay"));
    QCOMPARE(seen, (QStringList{
                       "You are currently injured and will miss this match | frmMain,frmMatchRound",
                       "You are currently suspended and will miss this match | "
                       "frmMain,frmMatchRound"}));
  }

  void aRoundShowsOnlyItsOwnMatches_data() {
    QTest::addColumn<int>("matches");
    QTest::addColumn<int>("slots");
    QTest::addColumn<QString>("title");
    QTest::newRow("home and away") << 0 << 8 << "ROUND ONE MATCHES";
    QTest::newRow("semi finals") << 23 << 2 << "SEMI FINALS MATCHES";
    QTest::newRow("grand final") << 25 << 1 << "GRAND FINAL";
  }
  void aRoundShowsOnlyItsOwnMatches() {
    QFETCH(int, matches);
    QFETCH(int, slots);
    QFETCH(QString, title);
    TwisterRandom random(11);
    MakeGame(random);
    Career career = SomeCareer();
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
    QCOMPARE(TextOf(&screen, "lblTitle") + "|" + TextOf(&screen, "lblRound"),
             title + "|" + QString::number(matches + 1));
    for (int s = 0; s < 8; ++s) {
      QCOMPARE(IsShown(&screen, "fraSlot" + QByteArray::number(s + 1)), s < slots);
      // The semi finals' third pair waits out of view.
      if (const auto at = std::size_t(s) * 2; matches >= 22 && s < slots) {
        const auto& stage = stages[std::size_t(matches - 22)];
        QCOMPARE(TextOf(&screen, SlotName("lblTeamOne", s)), ToQt(stage[at]));
        QCOMPARE(TextOf(&screen, SlotName("lblTeamTwo", s)), ToQt(stage[at + 1]));
      }
    }
    QCOMPARE(NameColourOf(&screen, "lblTeamTwo"), kNextMatchColour);
    // The round is over once its last match is played.
    for (int press = 0; press < slots; ++press) {
      QVERIFY(!IsShown(&screen, "cmdOK"));
      QVERIFY(Click(&screen, "cmdStart"));
      QVERIFY(!ShownWindow("frmMatch"));
      QCOMPARE(NameColourOf(&screen, SlotName("lblTeamOne", press)), kOtherColour);
      const QStringList shown = SlotShown(&screen, press);
      QVERIFY(PointsAddUp(shown));
      // A final is never left level.
      if (matches >= 22) QVERIFY(shown[18] != shown[19]);
    }
    QVERIFY(!IsEnabled(&screen, "cmdStart"));
    QVERIFY(IsShown(&screen, "cmdOK"));
  }

  void theBrowserNamesAFileItCannotRead() {
    km::testing::ScriptedRandom random;
    MakeGame(random);
    const Career career = SomeCareer();
    game_->Adopt(career);
    ResultsScreen results(*game_);
    results.refresh();
    results.show();
    const auto browsed = BrowseRound(career, Folder(), 1);
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

  // The Play button shows why he misses out, and each bar of the hub is
  // drawn as the last purchase or match left it, whatever its value; both
  // go back to their plain look.
  void theHubPaintsWhatTheWeekLeft_data() {
    QTest::addColumn<QByteArray>("widget");
    QTest::addColumn<int>("bar");  // -1: the Play button
    QTest::addColumn<int>("colour");
    QTest::addColumn<QColor>("painted");  // invalid: the plain look
    const QColor yellow(255, 255, 0);
    const QColor darkRed(175, 0, 0);
    const auto row = [](const char* name, const char* widget, int bar, int colour, QColor painted) {
      QTest::newRow(name) << QByteArray(widget) << bar << colour << painted;
    };
    row("injured", "cmdPlay", -1, int(PlayColour::Injured), yellow);
    row("suspended", "cmdPlay", -1, int(PlayColour::Suspended), QColor(255, 0, 0));
    row("last match missed", "cmdPlay", -1, int(PlayColour::LastMissed), QColor(224, 224, 224));
    row("plain boots at 49", "pbBoots", int(HubBar::Boots), int(BarColour::Plain), QColor());
    row("restored boots", "pbBoots", int(HubBar::Boots), int(BarColour::Restored), yellow);
    row("low stamina", "pbStamina", int(HubBar::Stamina), int(BarColour::Low), darkRed);
    row("restored gear overall", "pbGearOverall", int(HubBar::GearOverall),
        int(BarColour::Restored), QColor(0, 0, 198));
    row("low health overall", "pbHealthOverall", int(HubBar::HealthOverall), int(BarColour::Low),
        darkRed);
  }
  void theHubPaintsWhatTheWeekLeft() {
    QFETCH(QByteArray, widget);
    QFETCH(int, bar);
    QFETCH(int, colour);
    QFETCH(QColor, painted);
    Session s(SomeCareer());
    s.career().Boots = s.career().GearOverall = s.career().Stamina = s.career().HealthOverall = 49;
    MainScreen hub(s.game);
    hub.show();
    auto* shown = Find(&hub, widget.constData());
    const QPoint inside(6, shown->height() / 2);
    const QColor plain = PaintedAt(shown, inside);
    const auto paint = [&](int state) {
      if (bar < 0) s.game.run().playColour = static_cast<PlayColour>(state);
      if (bar >= 0) s.game.run().barColours[static_cast<std::size_t>(bar)] = BarColour(state);
      hub.refresh();
    };
    paint(colour);
    QCOMPARE(PaintedAt(shown, inside), painted.isValid() ? painted : plain);
    for (const QColor& other : {painted, QColor(175, 0, 0)}) QVERIFY(plain != other);
    paint(0);
    QCOMPARE(PaintedAt(shown, inside), plain);
  }

  // A figure that grows while the hub is up widens it too.
  void bigFiguresStayWholeOnTheHub() {
    Career career = SomeCareer();
    career.BankBalance = career.Wages = career.Sponsorship = career.OtherIncome =
        Money::Cents(100000000000);
    Session s(career);
    MainScreen hub(s.game);
    hub.show();
    QCOMPARE(TextOf(&hub, "lblBankBalance"), QStringLiteral("1000000000"));
    s.career().BankBalance = Money::Cents(1000000000050);
    hub.refresh();
    QCOMPARE(CutLabels(&hub), QString());
  }

  void trainingShowsItsRowsAndBuysWhatTheSpinnersChose() {
    Career career = SomeCareer();
    career.BankBalance = Money::Dollars(5000);
    career.Marking = 48;
    career.Overall = 0;  // stale on purpose: a purchase works it out again
    Session s(career);
    ShopScreen screen(s.game, Shop::Training);
    QSignalSpy closed(&screen, &ShopScreen::closed);
    screen.Open();
    // A row's units, rate, amount and choice; the rows stand in the
    // centre's order, which is not the record's.
    QCOMPARE(TextOf(&screen, "lblMarkingUnits") + "|" + TextOf(&screen, "lblMarkingRate") + "|" +
                 TextOf(&screen, "lblMarkingAmount") + "|" + TextOf(&screen, "lblMarking"),
             QStringLiteral("152|1000|152000|0"));
    int above = -1;
    for (const char* row : {"lblKickingUnits", "lblHandballingUnits", "lblMarkingUnits",
                            "lblTacklingUnits", "lblRunningUnits"}) {
      const int top = Find(&screen, row)->mapTo(&screen, QPoint(0, 0)).y();
      QVERIFY2(top > above, row);
      above = top;
    }
    const QColor own = TextColour(&screen, "lblBalanceAfter");
    Step(&screen, "udMarking", Qt::Key_Up, 5);
    QCOMPARE(TextOf(&screen, "lblMarking") + "|" + TextOf(&screen, "lblBalanceAfter"),
             QStringLiteral("5|0"));
    // Spending every dollar keeps the colour of money left over.
    QCOMPARE(TextColour(&screen, "lblBalanceAfter"), kInCreditText);
    QVERIFY(own != kInCreditText);
    QVERIFY(s.career() == career);
    QVERIFY(Click(&screen, "cmdOK"));
    QVERIFY(!screen.isVisible());
    QCOMPARE(closed.count(), 1);
    QVERIFY(s.prompter.messages.empty());
    QCOMPARE((std::array{s.career().BankBalance.cents(), std::int64_t{s.career().Marking},
                         std::int64_t{s.career().Kicking}, std::int64_t{s.career().Overall}}),
             (std::array<std::int64_t, 4>{0, 53, 50, 50}));
  }

  void aPurchaseTheBankCannotMeetIsRefusedUntilLowered() {
    Career career = SomeCareer();
    career.BankBalance = Money::Dollars(1000);
    career.Stamina = 90;
    career.HealthOverall = 97;
    Session s(career);
    ShopScreen screen(s.game, Shop::Health);
    QSignalSpy closed(&screen, &ShopScreen::closed);
    screen.Open();
    QCOMPARE(TextOf(&screen, "lblBalanceAfter"), QStringLiteral("-500"));
    QCOMPARE(TextColour(&screen, "lblBalanceAfter"), kShortText);
    QVERIFY(Click(&screen, "cmdOK"));
    QCOMPARE(Messages(s.prompter),
             QStringList{"You do not have enough money to pay for that level of service!"});
    QVERIFY(screen.isVisible());
    QCOMPARE(closed.count(), 0);
    QVERIFY(s.career() == career);
    Step(&screen, "udStamina", Qt::Key_Down, 4);
    QCOMPARE(TextOf(&screen, "lblStamina") + "|" + TextOf(&screen, "lblBalanceAfter"),
             QStringLiteral("6|100"));
    QCOMPARE(TextColour(&screen, "lblBalanceAfter"), kInCreditText);
    QVERIFY(Click(&screen, "cmdOK"));
    QCOMPARE(closed.count(), 1);
    QCOMPARE(s.career().Stamina, 96);
    QCOMPARE(s.career().BankBalance.cents(), 100 * 100);
  }

  // Cancel leaves the record as it was, and every opening starts from the
  // record, not from the last choice.
  void everyOpeningStartsFromTheRecord() {
    Career career = SomeCareer();
    career.Boots = 90;
    Session s(career);
    ShopScreen screen(s.game, Shop::Store);
    screen.Open();
    Step(&screen, "udBoots", Qt::Key_Down, 4);
    QCOMPARE(TextOf(&screen, "lblBoots"), QStringLiteral("6"));
    QVERIFY(Click(&screen, "cmdCancel"));
    QVERIFY(!screen.isVisible());
    QVERIFY(s.career() == career);
    screen.Open();
    QCOMPARE(TextOf(&screen, "lblBoots"), QStringLiteral("10"));
    QCOMPARE(SpinnerValue(&screen, "udBoots"), 10);
    Step(&screen, "udBoots", Qt::Key_Down, 6);
    QVERIFY(Click(&screen, "cmdOK"));
    QCOMPARE(s.career().Boots, 94);
    QCOMPARE(s.career().BankBalance.cents(), (15000 - 4 * 225) * 100);
    // A week later the bank and the wear have moved on.
    s.career().BankBalance = Money::Dollars(777);
    s.career().Boots = 93;
    screen.Open();
    QCOMPARE(TextOf(&screen, "lblBootsUnits") + "|" + TextOf(&screen, "lblBalanceBefore") + "|" +
                 TextOf(&screen, "lblBalanceAfter"),
             QStringLiteral("7|777|-798"));
  }

  // Below 0 a spinner goes round to every unit, past them back to 0; Max
  // chooses every unit and leaves the spinners where they were.
  void spinnersWrapAndMaxLeavesThem() {
    Career career = SomeCareer();
    career.Kicking = 198;
    career.Handballing = 200;
    Session s(career);
    ShopScreen screen(s.game, Shop::Training);
    screen.Open();
    Step(&screen, "udKicking", Qt::Key_Down);
    QCOMPARE(TextOf(&screen, "lblKicking"), QStringLiteral("2"));
    QCOMPARE(SpinnerValue(&screen, "udKicking"), 2);
    Step(&screen, "udKicking", Qt::Key_Up);
    QCOMPARE(SpinnerValue(&screen, "udKicking"), 0);
    Step(&screen, "udHandballing", Qt::Key_Up);
    QCOMPARE(SpinnerValue(&screen, "udHandballing"), 0);
    QVERIFY(Click(&screen, "cmdMax"));
    QCOMPARE(TextOf(&screen, "lblKicking") + "|" + TextOf(&screen, "lblRunning"),
             QStringLiteral("2|150"));
    QCOMPARE(SpinnerValue(&screen, "udKicking"), 0);
  }

  void offerScreensTakeTheChosenCompany_data() {
    QTest::addColumn<QByteArray>("opener");
    QTest::addColumn<QByteArray>("screen");
    QTest::addColumn<QByteArray>("label");
    QTest::addColumn<QString>("weekly");
    // The tier's deals (boots 440, jumper 220, major 880, shorts 110,
    // socks 55) with one slot's deal swapped for Not Just Tennis's offer,
    // its base amount times 1.1.
    const auto row = [](const char* slot, const char* opener, const char* weekly) {
      QTest::newRow(slot) << QByteArray(opener) << "frmSponsor" + QByteArray(slot)
                          << "lbl" + QByteArray(slot) << QString::fromLatin1(weekly);
    };
    row("Jumper", "shpJumper", "1650");
    row("Shorts", "shpShorts", "1677");
    row("Boots", "shpBoots", "1595");
    row("Socks", "shpSocks", "1694");
    row("Major", "cmdNegotiate", "1595");
  }
  void offerScreensTakeTheChosenCompany() {
    QFETCH(QByteArray, opener);
    QFETCH(QByteArray, screen);
    QFETCH(QByteArray, label);
    QFETCH(QString, weekly);
    Career career = SomeCareer();
    career.Matches = 12;
    career.MatchRatingAverage = 8;
    Session s(career);
    PrepareWindow(s, 2, 4);
    SponsorshipScreen sponsorship(s.game);
    sponsorship.Open();
    // Good form in the Local Reserves: the tier's company holds every slot.
    QCOMPARE(TextOf(&sponsorship, label.constData()), QStringLiteral("Lightning Auto Repairs"));
    QVERIFY(Click(&sponsorship, opener.constData()));
    QWidget* offers = ShownWindow(screen.constData());
    QVERIFY(offers && !sponsorship.isEnabled());
    // Each company's option and amount as the record holds them.
    const SponsorScreen& record = s.career().SponsorOffers[static_cast<std::size_t>(
        qobject_cast<SponsorOfferScreen*>(offers)->slot())];
    for (std::size_t i = 0; i < kCompanyCount; ++i) {
      const QByteArray key(kCompanies[i].key.data(), qsizetype(kCompanies[i].key.size()));
      auto* option = Find<QRadioButton>(offers, ("opt" + key).constData());
      QVERIFY2(option, key.constData());
      QCOMPARE(option->isEnabled(), record.Offers[i].Enabled);
      QCOMPARE(option->isChecked(), record.Offers[i].Chosen);
      QCOMPARE(TextOf(offers, ("lbl" + key).constData()), ToQt(record.Offers[i].Amount.ToString()));
    }
    // A company without an offer cannot be taken.
    QVERIFY(Click(offers, "optNike"));
    QVERIFY(Find<QRadioButton>(offers, "optLightningAutoRepairs")->isChecked());
    QVERIFY(Click(offers, "optNotJustTennis"));
    QVERIFY(Click(offers, "cmdOK"));
    QVERIFY(!ShownWindow(screen.constData()));
    QVERIFY(sponsorship.isEnabled());
    QCOMPARE(ToQt(s.career().Sponsorship.ToString()), weekly);
    // That slot takes the new company, the others keep their deals.
    for (const char* slot : {"lblMajor", "lblJumper", "lblShorts", "lblBoots", "lblSocks"}) {
      QCOMPARE(TextOf(&sponsorship, slot), label == slot
                                               ? QStringLiteral("Not Just Tennis")
                                               : QStringLiteral("Lightning Auto Repairs"));
    }
  }

  void cancelledOffersChangeNothing() {
    Career career = SomeCareer();
    career.Matches = 24;
    career.MatchRatingAverage = 6;  // the second tier
    Session s(career);
    PrepareWindow(s, 3, 7);
    const Career prepared = s.career();
    SponsorshipScreen sponsorship(s.game);
    sponsorship.Open();
    QVERIFY(Click(&sponsorship, "shpJumper"));
    QWidget* offers = ShownWindow("frmSponsorJumper");
    QVERIFY(Click(offers, "optBobsBakery"));
    QVERIFY(Click(offers, "cmdCancel"));
    QVERIFY(!ShownWindow("frmSponsorJumper"));
    QVERIFY(sponsorship.isEnabled());
    QVERIFY(s.career() == prepared);
    QCOMPARE(TextOf(&sponsorship, "lblJumper"), QStringLiteral("Not Just Tennis"));
    // Opened again, the screen shows the deal, not the cancelled click.
    QVERIFY(Click(&sponsorship, "shpJumper"));
    QVERIFY(Find<QRadioButton>(offers, "optNotJustTennis")->isChecked());
    QVERIFY(!Find<QRadioButton>(offers, "optBobsBakery")->isChecked());
  }

  // Outside a sponsor window the slots stay shut; at one they open, and
  // Close hands back to the hub with Play free again.
  void slotsOpenOnlyAtAWindowAndCloseFreesPlay() {
    Career career = SomeCareer();
    career.Matches = 13;
    Session s(career);
    SponsorshipScreen sponsorship(s.game);
    sponsorship.Open();
    QCOMPARE(TextOf(&sponsorship, "lblRemaining"), QStringLiteral("11"));
    for (const char* slot : {"shpJumper", "shpShorts", "shpBoots", "shpSocks", "cmdNegotiate"}) {
      QVERIFY2(!IsEnabled(&sponsorship, slot), slot);
    }
    QVERIFY(Click(&sponsorship, "shpJumper"));
    QVERIFY(!ShownWindow("frmSponsorJumper"));
    QVERIFY(Click(&sponsorship, "cmdClose"));

    s.career().Matches = 12;
    PrepareWindow(s, 1, 1);
    MainScreen hub(s.game);
    hub.show();
    QVERIFY(!IsEnabled(&hub, "cmdPlay"));
    QObject::connect(&sponsorship, &SponsorshipScreen::closed, &hub, [&hub] { HandBackTo(&hub); });
    sponsorship.Open();
    OpenFrom(&hub, &sponsorship);
    QVERIFY(!hub.isEnabled());
    QCOMPARE(TextOf(&sponsorship, "lblRemaining"), QStringLiteral("12"));
    for (const char* slot : {"shpJumper", "shpShorts", "shpBoots", "shpSocks", "cmdNegotiate"}) {
      QVERIFY2(IsEnabled(&sponsorship, slot), slot);
    }
    // No sponsor needs choosing.
    QVERIFY(Click(&sponsorship, "cmdClose"));
    QVERIFY(!sponsorship.isVisible());
    QVERIFY(hub.isEnabled());
    QVERIFY(IsEnabled(&hub, "cmdPlay"));
    QVERIFY(!s.game.run().sponsorHighlight);
  }

 private:
  // The player's match, through its buttons: each quarter the clock runs
  // (the first on the real timer, without a pause between minutes) while
  // Start waits, and the quarter's columns keep the score as it stood at
  // its end; at full time the rating and Finish, and the match screen is
  // put away before the booking's messages come up.
  void PlayTheMatchQuarterByQuarter(MatchScreen* screen) {
    QVERIFY(screen);
    auto* clock = screen->findChild<QTimer*>(QStringLiteral("tmrMatch"));
    const auto shown = [screen](const char* name) { return TextOf(screen, name).toInt(); };
    for (int quarter = 1; quarter <= 4; ++quarter) {
      QVERIFY(!IsShown(screen, "cmdOK"));
      QVERIFY(!IsShown(screen, "lblMatchRating"));
      QVERIFY(Click(screen, "cmdStart"));
      QVERIFY(clock->isActive());
      QVERIFY(!IsEnabled(screen, "cmdStart"));
      QCOMPARE(shown("lblQuarter"), quarter);
      if (quarter == 1) {
        clock->setInterval(0);
        QTRY_VERIFY(!clock->isActive());
      }
      for (int minute = 0; minute < 40 && clock->isActive(); ++minute) screen->tmrMatch_Timer();
      QVERIFY(!clock->isActive());
      QCOMPARE(IsEnabled(screen, "cmdStart"), quarter < 4);
      const QByteArray q = QByteArray::number(quarter);
      QCOMPARE(shown("lblGoalsTwo" + q), shown("lblGoalsTwo"));
      QCOMPARE(shown("lblBehindsTwo" + q), shown("lblBehindsTwo"));
      QCOMPARE(shown("lblGoalsOne" + q), shown("lblGoalsOne"));
      QCOMPARE(shown("lblPointsTwo"), shown("lblGoalsTwo") * 6 + shown("lblBehindsTwo"));
    }
    QVERIFY(IsShown(screen, "cmdOK"));
    QCOMPARE(TextOf(screen, "lblMatchRating"),
             ToQt(FormatNumber(game_->match()->state().MatchRating, "0.0")));
    QSignalSpy finished(screen, &MatchScreen::finished);
    QStringList seenOver;
    prompter_->onInform = [&seenOver](const auto&) { seenOver << ShownWindows(); };
    QVERIFY(Click(screen, "cmdOK"));
    prompter_->onInform = nullptr;
    QVERIFY(!seenOver.isEmpty());
    QVERIFY2(!seenOver.join(QLatin1Char(','))
                  .split(QLatin1Char(','))
                  .contains(QStringLiteral("frmMatch")),
             qPrintable(seenOver.join(QLatin1Char(' '))));
    QCOMPARE(finished.count(), 1);
    QVERIFY(!game_->match());
  }
  // From the splash screen through the setup screen's Start to the offers.
  QWidget* ToTheOffers(Random& random) {
    MakeGame(random);
    if (!Click(PastTheSplash(*flow_), "cmdNew")) return nullptr;
    QWidget* setup = ShownWindow("frmSetup");
    if (!AnswerSetup(setup, QStringLiteral("judd"), QStringLiteral("Chris Judd")) ||
        !Click(setup, "cmdStart")) {
      return nullptr;
    }
    return ShownWindow("frmContracts");
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
