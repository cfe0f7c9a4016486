// The screens of the week: a new career's first contract, a round played
// through the round and match screens, the hub's look as the week leaves it,
// the finals weeks and the fixture and results browser.

#include <QImage>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "core/number_format.h"
#include "screens/look.h"
#include "screens/main_screen.h"
#include "screens/qt_text.h"
#include "screens/results_screen.h"
#include "screens/round_screen.h"
#include "screens/screen_test_support.h"
#include "season/fixture.h"
#include "season/results_browser.h"

namespace km::screens {
namespace {

using namespace testing;

constexpr const char* kPlayer = "Chris Judd";

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

std::array<std::string, 16> ClubNames() {
  std::array<std::string, 16> names;
  const ClubList& clubs = ClubsOf("Local Reserves", "Victoria");
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = std::string(clubs[i]);
  return names;
}

Career SomeCareer() {
  Career career = ACareer(kPlayer, "Rover", 60);
  SeatAt(career, "Local Reserves", 3);
  career.ContractMatches = 40;
  return career;
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
                 TextOf(contracts, "lblMatches"),
             club + "|" + offer + "|" + QString::number(seasons.toInt() * 26));
    QVERIFY(!IsEnabled(contracts, "cmdSign"));
    QCOMPARE(TextOf(hub, "lblWages"), offer);
    QVERIFY(Click(contracts, "cmdOK"));
    QCOMPARE(ShownWindows(), QStringLiteral("frmMain"));
    QVERIFY(prompter_->messages.empty());

    // Play: the round screen takes over from the hub, its pairs the
    // fixture's.
    QVERIFY(Click(hub, "cmdPlay"));
    QWidget* round = ShownWindow("frmMatchRound");
    QVERIFY(round);
    QVERIFY(!hub->isEnabled());
    const auto pairings = ReadRoundPairings(Folder(), game_->career(), 1);
    const auto& names = std::get<std::vector<std::string>>(pairings);
    int playersSlot = -1;
    for (int s = 0; s < 8; ++s) {
      const auto at = static_cast<std::size_t>(s) * 2;
      QCOMPARE(TextOf(round, SlotName("lblTeamOne", s)), ToQt(names[at]));
      QCOMPARE(TextOf(round, SlotName("lblTeamTwo", s)), ToQt(names[at + 1]));
      if (ToQt(names[at]) == club || ToQt(names[at + 1]) == club) playersSlot = s;
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
          const QColor expected = TextOf(round, name.constData()) == club ? kPlayerClubColour
                                  : s == press                            ? kNextMatchColour
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
        QVERIFY(PlayMatch(match));
        QVERIFY(!ShownWindow("frmMatch"));
        QVERIFY(round->isEnabled());
      }
      // The slot just played holds its final score.
      const QStringList shown = SlotShown(round, press);
      QVERIFY(PointsAddUp(shown));
      QVERIFY(shown[18] != shown[19] || shown[18] != QStringLiteral("0"));
    }
    QVERIFY(!IsEnabled(round, "cmdStart"));
    QVERIFY(IsShown(round, "cmdOK"));
    std::vector<QStringList> played;
    for (int s = 0; s < 8; ++s) played.push_back(SlotShown(round, s));

    QVERIFY(Click(round, "cmdOK"));
    QVERIFY(!ShownWindow("frmMatchRound"));
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

    QVERIFY(Click(hub, "cmdTeamDetails"));
    QWidget* team = ShownWindow("frmTeam");
    // The browser: round 1 as it was played, round 2 still to come.
    QVERIFY(Click(team, "cmdResults"));
    QWidget* results = ShownWindow("frmResults");
    QVERIFY(results);
    QVERIFY(!team->isEnabled());
    QCOMPARE(TextOf(results, "lblRound"), QStringLiteral("1"));
    for (int s = 0; s < 8; ++s) {
      QCOMPARE(SlotShown(results, s), played[static_cast<std::size_t>(s)]);
    }
    QCOMPARE(TextOf(results, "lblDisposals"), ToQt(kept.player.Disposals));
    QCOMPARE(TextOf(results, "lblGoals"), ToQt(kept.player.Goals));
    QCOMPARE(TextOf(results, "lblMatchRating"), ToQt(kept.player.MatchRating));
    QCOMPARE(TextOf(results, "lblPosition"), QStringLiteral("Wing"));
    auto* bar = Find<QScrollBar>(results, "hsbRound");
    QCOMPARE(bar->maximum(), 26);
    bar->setValue(2);
    QCOMPARE(TextOf(results, "lblRound"), QStringLiteral("2"));
    const auto second = ReadRoundPairings(Folder(), game_->career(), 2);
    const auto& secondNames = std::get<std::vector<std::string>>(second);
    for (int s = 0; s < 8; ++s) {
      const auto at = static_cast<std::size_t>(s) * 2;
      QCOMPARE(SlotShown(results, s), SlotOf(secondNames[at], secondNames[at + 1], RoundSlot{}));
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
    QCOMPARE(ShownWindows(), QStringLiteral("frmStart"));
  }

  void aWholeMatchThroughTheButtons() {
    TwisterRandom random(77);
    MakeGame(random);
    Career career = SomeCareer();
    // His 50th game here: the milestone's message and story at Finish.
    career.Levels[0].Matches = 49;
    game_->Adopt(career);
    game_->BeginMatch(career.Team, career.Ladder[9].Team);
    MatchScreen screen(*game_);
    screen.show();
    QSignalSpy finished(&screen, &MatchScreen::finished);
    auto* clock = screen.findChild<QTimer*>(QStringLiteral("tmrMatch"));
    const auto shown = [&screen](const char* name) { return TextOf(&screen, name).toInt(); };
    for (int quarter = 1; quarter <= 4; ++quarter) {
      QVERIFY(!IsShown(&screen, "cmdOK"));
      QVERIFY(!IsShown(&screen, "lblMatchRating"));
      QVERIFY(Click(&screen, "cmdStart"));
      // The clock runs; Start waits for the quarter to end.
      QVERIFY(clock->isActive());
      QVERIFY(!IsEnabled(&screen, "cmdStart"));
      QCOMPARE(shown("lblQuarter"), quarter);
      if (quarter == 1) {
        // The real timer, with no pause between minutes.
        clock->setInterval(0);
        QTRY_VERIFY(!clock->isActive());
      } else {
        for (int minute = 0; minute < 40 && clock->isActive(); ++minute) screen.tmrMatch_Timer();
      }
      QVERIFY(!clock->isActive());
      QVERIFY(IsEnabled(&screen, "cmdStart") == (quarter < 4));
      // The quarter's columns hold the score as it stood at its end.
      const QByteArray q = QByteArray::number(quarter);
      QCOMPARE(shown("lblGoalsTwo" + q), shown("lblGoalsTwo"));
      QCOMPARE(shown("lblBehindsTwo" + q), shown("lblBehindsTwo"));
      QCOMPARE(shown("lblGoalsOne" + q), shown("lblGoalsOne"));
      QCOMPARE(shown("lblPointsTwo"), shown("lblGoalsTwo") * 6 + shown("lblBehindsTwo"));
    }

    // Full time: the rating and Finish.
    QVERIFY(IsShown(&screen, "cmdOK"));
    QVERIFY(IsShown(&screen, "Label7"));
    QCOMPARE(TextOf(&screen, "lblMatchRating"),
             ToQt(FormatNumber(game_->match()->state().MatchRating, "0.0")));
    const int clubGoals = shown("lblGoalsOne4");
    // The match screen is put away before the booking's messages come up.
    QStringList seenOver;
    prompter_->onInform = [&seenOver](const auto&) { seenOver << ShownWindows(); };
    QVERIFY(Click(&screen, "cmdOK"));
    QVERIFY(!seenOver.isEmpty());
    QVERIFY2(!seenOver.join(',').contains(QStringLiteral("frmMatch")), qPrintable(seenOver[0]));
    QCOMPARE(finished.count(), 1);
    QVERIFY(!game_->match());
    QCOMPARE(game_->career().TeamMatches, 1);
    QCOMPARE(game_->career().TeamGoals, clubGoals);
  }

  void theCountDownsMessagesComeOverTheRound() {
    TwisterRandom random(5);
    QVERIFY(ToTheOffers(random));
    QWidget* hub = SignOffer();
    QVERIFY(hub);
    // Injured and suspended, both for this week only.
    game_->career().Injury = 1;
    game_->career().Suspension = 1;
    QStringList seen;
    prompter_->onInform = [&seen](const auto& message) {
      seen << QString::fromStdString(message.text) + " | " + ShownWindows();
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
    QCOMPARE(TextOf(&screen, "lblTitle"), title);
    QCOMPARE(TextOf(&screen, "lblRound"), QString::number(matches + 1));
    const std::vector<std::string>* stage =
        matches >= 22 ? &stages[static_cast<std::size_t>(matches - 22)] : nullptr;
    for (int s = 0; s < 8; ++s) {
      QCOMPARE(IsShown(&screen, "fraSlot" + QByteArray::number(s + 1)), s < slots);
      // The semi finals' third pair waits out of view.
      if (const auto at = static_cast<std::size_t>(s) * 2; stage && at < stage->size()) {
        QCOMPARE(TextOf(&screen, SlotName("lblTeamOne", s)), ToQt((*stage)[at]));
        QCOMPARE(TextOf(&screen, SlotName("lblTeamTwo", s)), ToQt((*stage)[at + 1]));
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

  // The Play button shows why he misses out, and each bar of the hub is
  // drawn as the last purchase or match left it, whatever its value; both
  // go back to their plain look.
  void theHubPaintsWhatTheWeekLeft_data() {
    QTest::addColumn<QByteArray>("widget");
    QTest::addColumn<int>("bar");  // -1: the Play button
    QTest::addColumn<int>("colour");
    QTest::addColumn<QColor>("painted");  // invalid: the plain look
    const QColor yellow(255, 255, 0);
    const QColor darkBlue(0, 0, 198);
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
        int(BarColour::Restored), darkBlue);
    row("low health overall", "pbHealthOverall", int(HubBar::HealthOverall), int(BarColour::Low),
        darkRed);
  }
  void theHubPaintsWhatTheWeekLeft() {
    QFETCH(QByteArray, widget);
    QFETCH(int, bar);
    QFETCH(int, colour);
    QFETCH(QColor, painted);
    Session s(SomeCareer());
    for (int Career::*field :
         {&Career::Boots, &Career::GearOverall, &Career::Stamina, &Career::HealthOverall}) {
      s.career().*field = 49;
    }
    MainScreen hub(s.game);
    hub.show();
    auto* shown = Find(&hub, widget.constData());
    QVERIFY(shown);
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

 private:
  // From the splash screen through the setup screen's Start to the offers.
  QWidget* ToTheOffers(Random& random) {
    MakeGame(random);
    if (!Click(PastTheSplash(*flow_), "cmdNew")) return nullptr;
    QWidget* setup = ShownWindow("frmSetup");
    if (!AnswerSetup(setup, QStringLiteral("judd"), QString::fromLatin1(kPlayer)) ||
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
