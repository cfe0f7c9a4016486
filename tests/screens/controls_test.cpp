// SPDX-License-Identifier: GPL-3.0-or-later
// What the hub's and the week's screens show of the career and what their controls do to it.

#include <QChartView>
#include <QDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolTip>
#include <QUrl>
#include <QValueAxis>
#include <QXYSeries>

#include "game/tips.h"
#include "screens/help_screen.h"
#include "screens/ladder_screen.h"
#include "screens/results_screen.h"
#include "screens/screen_parts.h"
#include "screens/screen_test_support.h"
#include "screens/splash_screen.h"
#include "season/results_browser.h"

namespace km::screens {
namespace {

using namespace testing;

// The entries of "name=text|..." a window does not show as written, with what it shows.
QString Misshown(const QWidget* root, const QString& entries) {
  QStringList wrong;
  for (const QString& entry : entries.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
    const QByteArray name = entry.section(QLatin1Char('='), 0, 0).toLatin1();
    const auto* spinner = Find<QSpinBox>(root, name.constData());
    const QString shown = spinner ? QString::number(spinner->value()) : TextOf(root, name);
    if (shown != entry.section(QLatin1Char('='), 1)) wrong << entry + QStringLiteral(": ") + shown;
  }
  return wrong.join(QStringLiteral(", "));
}

// Fields written and read back through labels named "prefixField": "label=value[>shown]".
QString RecordMisshown(Career& career, const QString& entries, QWidget* screen,
                       const std::function<void()>& refresh) {
  QString fields, shown;
  for (const QString& entry : entries.split(QLatin1Char('|'))) {
    const QString label = entry.section(QLatin1Char('='), 0, 0);
    const QString value = entry.section(QLatin1Char('='), 1).section(QLatin1Char('>'), 0, 0);
    fields +=
        label.mid(label.indexOf(QRegularExpression(QStringLiteral("[A-Z]")))) + "=" + value + "|";
    shown += label + "=" + entry.section(QLatin1Char('>'), -1).section(QLatin1Char('='), -1) + "|";
  }
  if (!Set(career, fields)) return QStringLiteral("unset: ") + fields;
  refresh();
  return Misshown(screen, shown);
}

Career SomeCareer() {
  Career career = ACareer("Jim Stynes", "Ruck");
  SeatAt(career, "Local Reserves", 3);
  career.ContractMatches = 40;
  for (std::size_t i = 0; i < kLadderRows; ++i)
    career.Ladder[i] = {"Club " + std::to_string(i + 1), 1, 3, 0, 200, 300};
  career.Ladder[3] = {"Frankston", 3, 0, 1, 450, 300};
  career.Ladder[7] = {"Seaford", 2, 1, 1, 400, 300};
  return career;
}

// Spending every dollar; refused until lowered; cancelled, each opening from the record; spinners
// going round below 0 and past every unit, and Max leaving them be.
struct ShopScript {
  const char* name;
  Shop shop;
  const char* script;
  int closings;
} constexpr kShopScripts[] = {
    {"training", Shop::Training,
     "set BankBalance=5000|Marking=48|Overall=0; open; shows "
     "lblMarkingUnits=152|lblMarkingRate=1000|lblMarkingAmount=152000; udMarking+5; shows "
     "lblMarking=5|lblBalanceAfter=0; record Marking=48; cmdOK; shut; record "
     "BankBalance=0|Marking=53|Kicking=50|Overall=50",
     1},
    {"health, short", Shop::Health,
     "set BankBalance=1000|Stamina=90|HealthOverall=97; open; shows lblBalanceAfter=-500; cmdOK; "
     "up; says You do not have enough money to pay for that level of service!; record "
     "Stamina=90|BankBalance=1000; udStamina-4; shows lblStamina=6|lblBalanceAfter=100; cmdOK; "
     "shut; record Stamina=96|BankBalance=100",
     1},
    {"store, cancelled", Shop::Store,
     "set Boots=90; open; udBoots-4; shows lblBoots=6; cmdCancel; shut; record Boots=90; open; "
     "shows lblBoots=10|udBoots=10; udBoots-6; cmdOK; record Boots=94|BankBalance=14100; set "
     "BankBalance=777|Boots=93; open; shows "
     "lblBootsUnits=7|lblBalanceBefore=777|lblBalanceAfter=-798",
     2},
    {"training, wrapped", Shop::Training,
     "set Kicking=198|Handballing=200; open; udKicking-1; shows lblKicking=2|udKicking=2; "
     "udKicking+1; shows udKicking=0; udHandballing+1; shows udHandballing=0; cmdMax; up; shows "
     "lblKicking=2|lblRunning=150|udKicking=0",
     0}};

// The signals of the hub's buttons whose screens are opened elsewhere.
constexpr const char* kRequests[] = {
    "playRequested",     "teamDetailsRequested", "trainingRequested",
    "healthRequested",   "storeRequested",       "sponsorshipRequested",
    "contractRequested", "recordsRequested",     "careerRequested",
};

}  // namespace

class ControlsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { ApplyGameLook(*qApp); }
  void init() {
    session_ = std::make_unique<Session>(SomeCareer());
    hub_ = std::make_unique<MainScreen>(session_->game);
    hub_->show();
    for (const char* request : kRequests)  // cleanup() empties spies_
      spies_.push_back(std::make_unique<QSignalSpy>(hub_.get(), QByteArray("2") + request + "()"));
  }
  void cleanup() {
    spies_.clear();
    hub_.reset();
    session_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Each label and bar shows its own field: averages to one or two places, cents only if any.
  void theHubAndTheRecordsShowTheRecord() {
    Career& career = session_->career();
    QVERIFY(Set(career, QStringLiteral("MatchesPlayed=7")));
    const QString onHub = QStringLiteral(
        "lblName=Gary Ablett|lblTeam=Geelong|lblState=Tasmania|lblLeague=State|lblPosition=Ruck "
        "Rover|lblHeight=203|lblWeight=61|lblAge=23|lblKicking=131|lblHandballing=132|lblTackling="
        "133|lblMarking=134|lblRunning=135|lblOverall=97|lblMatches=21|lblDisposals=402|"
        "lblGoals=57|lblBehinds=31|lblMostDisposals=38|lblMostGoals=9|lblBOGs=4|lblMatchRating=45."
        "3|lblWages="
        "350|lblSponsorship=247.5|lblOtherIncome=78.75|lblBankBalance=-1200|pbBoots=11|pbJumper=12|"
        "pbShorts=13|pbOther=14|pbGearOverall=15|pbFitness=16|pbHealth=17|pbStamina=18|"
        "pbHealthOverall=19|lblAverageDisposals=19.14285>19.1|lblAverageGoals=2.25>2.3|"
        "lblMatchRatingAverage=6.95>7.0");
    QCOMPARE(RecordMisshown(career, onHub, hub_.get(), [this] { hub_->refresh(); }), QString());
    RecordsScreen records(career);
    records.show();
    const QString onRecords = QStringLiteral(
        "lblName=Jim Stynes|lblLocalMatches=12|lblRegionalDisposals=301|lblStateMatches=8|"
        "lblStateAverageGoals=2.125>2.13|lblAFLBOGs=4");
    QCOMPARE(RecordMisshown(career, onRecords, &records, [&records] { records.refresh(); }),
             QString());
    // Each competition's awards open beside the records; OK puts them away.
    QVERIFY(Set(career, QStringLiteral("StateMatchesAward=3")) &&
            Click(&records, "cmdStateAwards"));
    QWidget* awards = ShownWindow("frmStateAwards");
    QVERIFY(awards && records.isEnabled());
    QCOMPARE(TextOf(awards, "lblMatches"), QStringLiteral("3"));
    QVERIFY(Click(awards, "cmdOK") && !ShownWindow("frmStateAwards") && records.isVisible());
  }

  // The record's switches decide the buttons; all three closed (retired) close the shops too.
  void switchesDecideWhichButtonsCanBePressed() {
    for (const int open : {0b111, 0b000, 0b001, 0b010}) {  // play, sponsorship, contract
      const bool play = open & 4, sponsorship = open & 2, contract = open & 1;
      SetSwitches(play, sponsorship, contract);
      const bool retired = !play && !sponsorship && !contract;
      QCOMPARE(
          (std::array{IsEnabled(hub_.get(), "cmdPlay"), IsEnabled(hub_.get(), "cmdSponsorship"),
                      IsEnabled(hub_.get(), "cmdContract")}),
          (std::array{play, sponsorship, contract}));
      for (const char* shop : {"cmdTraining", "cmdHealth", "cmdStore"})
        QVERIFY2(IsEnabled(hub_.get(), shop) == !retired, shop);
      for (const char* always :
           {"cmdTeamDetails", "cmdRecords", "cmdCareer", "cmdAbout", "cmdExit"})
        QVERIFY2(IsEnabled(hub_.get(), always), always);
      QVERIFY(!IsEnabled(hub_.get(), "cmdLadderStats"));  // nothing ever opens the ladder table
    }
  }

  // A letter works wherever the focus, even disabled; retired, only the career's screens.
  void letterKeysWorkWhereverTheFocusIs() {
    const auto none = Qt::NoModifier;
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, bool, const char*> cases[] = {
        {Qt::Key_C, none, false, "contractRequested"},  // the button is disabled
        {Qt::Key_R, Qt::ShiftModifier, false, "recordsRequested"},
        {Qt::Key_C, Qt::ControlModifier, false, ""},
        {Qt::Key_R, none, true, "recordsRequested"},
        {Qt::Key_E, none, true, "careerRequested"},
        {Qt::Key_T, none, true, ""},
        {Qt::Key_O, none, true, ""}};
    for (const auto& [key, modifiers, retired, request] : cases) {
      SetSwitches(!retired, !retired, false);
      for (auto& spy : spies_) spy->clear();
      QTest::keyClick(Find(hub_.get(), "cmdExit"), key, modifiers);
      QStringList asked;
      for (std::size_t i = 0; i < spies_.size(); ++i)
        if (spies_[i]->count() > 0) asked << QString::fromLatin1(kRequests[i]);
      QCOMPARE(asked.join(QLatin1Char(',')), QString::fromLatin1(request));
    }
    QVERIFY(Click(hub_.get(), "cmdCareer") && spies_.back()->count() == 1);
  }

  // F1 wherever the focus is: the guide at the window's section (a message at its owner's), one
  // guide reused; a window without a section opens the guide's top; Escape closes it.
  void f1OpensTheGuideAtTheScreensSection() {
    ShopScreen store(session_->game, Shop::Store);
    TeamScreen team(session_->game);
    QMessageBox message(QMessageBox::NoIcon, {}, {}, QMessageBox::Ok, hub_.get());
    QWidget elsewhere;
    auto* box = new QLineEdit(&elsewhere);
    const std::tuple<QWidget*, QWidget*, QString> cases[] = {
        {hub_.get(), Find(hub_.get(), "cmdExit"), QStringLiteral("The hub")},
        {&store, Find(&store, "udBoots"), QStringLiteral("Training, health and gear")},
        {&team, &team, QStringLiteral("The ladder, the fixture and the finals")},
        {&message, &message, QStringLiteral("The hub")},
        {&elsewhere, box, QStringLiteral("Playing Kickmark")}};
    QPointer<HelpScreen> first;
    for (const auto& [window, focus, heading] : cases) {
      window->show();
      QTest::keyClick(focus, Qt::Key_F1);
      auto* guide = Find<QTextBrowser>(GuideWindow(), "txtGuide");
      QVERIFY(guide && GuideWindow()->isVisible());
      if (!first) first = GuideWindow();
      QCOMPARE(GuideWindow(), first.data());
      QCOMPARE(guide->textCursor().block().text(), heading);
      QVERIFY(guide->viewport()->rect().contains(guide->cursorRect()));
    }
    QTest::keyClick(Find(GuideWindow(), "txtGuide"), Qt::Key_Escape);
    QVERIFY(!GuideWindow()->isVisible());
    // Over the newspaper, which holds every other window, the guide comes up over it.
    QString over;
    QTimer::singleShot(0, [&over] {
      QWidget* paper = QApplication::activeModalWidget();
      QTest::keyClick(paper, Qt::Key_F1);
      over = QApplication::activeModalWidget()->objectName();
      QTest::keyClick(Find(GuideWindow(), "txtGuide"), Qt::Key_Escape);
      QTest::keyClick(paper, Qt::Key_Space);
    });
    QtPrompter real;
    static_cast<Prompter&>(real).publish({"The Age", "Roos Signs On", "A new contract."});
    QCOMPARE(over, QStringLiteral("frmHelp"));
    QCOMPARE(Find<QTextBrowser>(GuideWindow(), "txtGuide")->textCursor().block().text(),
             QStringLiteral("A week: Play, the round and the match"));
  }

  // Every section the screens and Play send the player to is a heading of the guide.
  void everySectionTheHelpNamesIsInTheGuide() {
    QStringList headings;
    for (const QString& line : GuideText().split(QLatin1Char('\n')))
      if (line.startsWith(QLatin1String("## "))) headings << line.mid(3).trimmed();
    for (const QString& named : GuideHeadings())
      QVERIFY2(headings.contains(named), qPrintable(named));
  }

  // The hub and the store show the rules' tips: each figure's, each bar's as the career stands
  // (its caption's too), and Play's reason with F1, on hover and to a reader, while disabled.
  void theScreensShowTheRulesTips() {
    QVERIFY(Set(session_->career(), QStringLiteral("HealthOverall=77|Fitness=75|Health=75|"
                                                   "Stamina=90|Injury=3|Other=49|PlayOpen=False")));
    hub_->refresh();
    for (std::string_view control : HubTipControls()) {
      QCOMPARE(Find(hub_.get(), std::string(control).c_str())->toolTip(), ToQt(HubTip(control)));
    }
    const std::pair<const char*, HubBar> bars[] = {{"pbOther", HubBar::Other},
                                                   {"pbHealthOverall", HubBar::HealthOverall}};
    for (const auto& [name, bar] : bars) {
      QWidget* shown = Find(hub_.get(), name);
      QCOMPARE(shown->toolTip(), ToQt(HubBarTip(session_->career(), bar)));
      const QList<QLabel*> labels = hub_->findChildren<QLabel*>();
      const auto caption = std::find_if(labels.begin(), labels.end(),
                                        [shown](QLabel* l) { return l->buddy() == shown; });
      QVERIFY(caption != labels.end());
      QCOMPARE((*caption)->toolTip(), shown->toolTip());
    }
    auto* play = Find<QPushButton>(hub_.get(), "cmdPlay");
    const QString tip = ToQt(PlayReason(session_->game)) + QStringLiteral(" Press F1 for help.");
    QVERIFY(!play->isEnabled() && tip.startsWith(QStringLiteral("Play is closed")));
    QCOMPARE(play->toolTip(), tip);
    QCOMPARE(play->accessibleDescription(), tip);
    QHelpEvent hover(QEvent::ToolTip, play->rect().center(),
                     play->mapToGlobal(play->rect().center()));
    QApplication::sendEvent(play, &hover);
    QCOMPARE(QToolTip::text(), tip);
    // The store's row says where its bar stands.
    ShopScreen store(session_->game, Shop::Store);
    store.Open();
    const ShopSession session = ShopSession::Open(Shop::Store, session_->career());
    QCOMPARE(Find(&store, "lblOtherUnits")->toolTip(),
             ToQt(ShopTips(session.Row(session.RowIndex("Other"))).units));
  }

  // The scrapbook newest first, searched as one types (headline and story, any case, no messages
  // or questions), the story below the row picked; the exported page carries the stories and its
  // charts within itself.
  void theCareerScreensScrapbookAndPage() {
    CareerLog log = ALog(1, 4);
    log.weeks[2].events.push_back({LogEventKind::Milestone, "Fifty & Counting", "At Frankston."});
    log.weeks[3].events.push_back({LogEventKind::Question, "Retire?", "Frankston asks. No."});
    CareerScreen screen(session_->career(), log);
    screen.show();
    auto* grid = Find<QTableWidget>(&screen, "grdScrapbook");
    QCOMPARE(grid->item(0, 1)->text() + "|" + grid->item(grid->rowCount() - 1, 3)->text(),
             QStringLiteral("Grand Final|Fifty & Counting"));
    for (const auto& [words, found] : {std::pair{"", 7},
                                       {"FIFTY", 1},
                                       {"frankston", 1},
                                       {"story 1", 2},
                                       {"note", 0},
                                       {"retire", 0},
                                       {"", 7}}) {
      Find<QLineEdit>(&screen, "txtSearch")->setText(QString::fromLatin1(words));
      int shown = 0;
      for (int row = 0; row < grid->rowCount(); ++row) shown += grid->isRowHidden(row) ? 0 : 1;
      QVERIFY2(shown == found, words);
      // The story below is the current row's, or says nothing matches.
      const QString story = Find<QTextBrowser>(&screen, "txtStory")->toPlainText();
      const QString headline = found == 0 ? QStringLiteral("Nothing matches the search.")
                                          : grid->item(grid->currentRow(), 3)->text();
      QVERIFY2(story.startsWith(headline), qPrintable(story));
    }

    QTemporaryDir folder;
    QCOMPARE(screen.ExportTo(folder.filePath(QStringLiteral("page.html"))), QString());
    QFile file(folder.filePath(QStringLiteral("page.html")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());
    QCOMPARE(
        (std::array{page.count(QStringLiteral("<img ")),
                    page.count(QStringLiteral("src=\"data:image/png;base64,")),
                    page.count(QStringLiteral("Fifty &amp; Counting")),
                    page.count(QStringLiteral("Headline 24")), page.count(QStringLiteral("Note ")),
                    page.count(QStringLiteral("http")), page.count(QStringLiteral("href"))}),
        (std::array<qsizetype, 7>{4, 4, 1, 1, 0, 0, 0}));
  }

  // The charts: counts up the side at whole numbers, ratings at round tenths, with room above the
  // highest point; by week the last three seasons at first, zoomed by the spinners and moved along
  // the career by the scroll bar, each view keeping its own seasons. The pictures Export and Print
  // take leave out the slot picked, and Export says where it wrote, with a link that opens it.
  void theCareerScreensCharts() {
    CareerScreen screen(session_->career(), ALog(28));
    screen.resize(1280, 680);
    screen.show();
    const auto charts = screen.findChildren<QChartView*>();
    QCOMPARE(charts.size(), 4);
    const auto shown = [&] {
      QStringList faults;
      for (QChartView* view : charts) {
        const auto* x = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Horizontal).first());
        faults << QStringLiteral("%1-%2").arg(x->min()).arg(x->max());
        for (QAbstractAxis* side : view->chart()->axes(Qt::Vertical)) {
          auto* axis = qobject_cast<QValueAxis*>(side);
          double highest = axis->min();
          for (QAbstractSeries* series : view->chart()->series()) {
            auto* points = qobject_cast<QXYSeries*>(series);
            if (!points || points->name().isEmpty() || !series->attachedAxes().contains(axis))
              continue;
            for (const QPointF& p : points->points()) highest = std::max(highest, p.y());
          }
          // Whole numbers, or tenths; the foot on a tick.
          const double unit = axis->labelFormat() == QStringLiteral("%.0f") ? 1 : 0.1;
          const double step = axis->tickInterval(), steps = step / unit;
          if (axis->tickType() != QValueAxis::TicksDynamic || steps < 0.999 ||
              std::abs(steps - std::round(steps)) > 1e-6 ||
              std::abs(std::remainder(axis->min(), step)) > 1e-6)
            faults << view->objectName() + " " + axis->titleText() + " ticks between units";
          if (highest > axis->max() - step * 0.1)
            faults << view->objectName() + " " + axis->titleText() + " has no room above";
        }
      }
      const auto* scroll = Find<QScrollBar>(&screen, "hsbSeasons");
      faults << QStringLiteral("%1 to %2, ")
                        .arg(Find<QSpinBox>(&screen, "spnFrom")->value())
                        .arg(Find<QSpinBox>(&screen, "spnTo")->value()) +
                    (scroll->isVisible() ? QString::number(scroll->value()) : QStringLiteral("-"));
      return faults.join(QLatin1Char('|'));
    };
    const auto seasons = [](const char* range, const char* spinners) {
      const QString x = QString::fromLatin1(range);
      return QStringList{x, x, x, x, QString::fromLatin1(spinners)}.join(QLatin1Char('|'));
    };
    QCOMPARE(shown(), seasons("0.5-28.5", "1 to 28, -"));
    screen.ShowByWeek(true);
    QCOMPARE(shown(), seasons("25.5-28.5", "26 to 28, 25"));
    Find<QScrollBar>(&screen, "hsbSeasons")->setValue(0);
    QCOMPARE(shown(), seasons("0.5-3.5", "1 to 3, 0"));
    Find<QSpinBox>(&screen, "spnTo")->setValue(5);
    QCOMPARE(shown(), seasons("0.5-5.5", "1 to 5, 0"));
    Find<QSpinBox>(&screen, "spnFrom")->setValue(9);  // past the last: the last follows
    QCOMPARE(shown(), seasons("8.5-9.5", "9 to 9, 8"));
    screen.ShowByWeek(false);
    QCOMPARE(shown(), seasons("0.5-28.5", "1 to 28, -"));
    screen.ShowByWeek(true);
    QCOMPARE(shown(), seasons("8.5-9.5", "9 to 9, 8"));

    const QString page = screen.html();
    charts[1]->setFocus();
    QTest::keyClick(charts[1], Qt::Key_Left);
    QVERIFY(!TextOf(&screen, "lblPoint").startsWith(QStringLiteral("Point at")));
    QVERIFY(screen.html() == page);

    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("a page.html"));
    QCOMPARE(screen.ExportTo(file), QString());
    auto* said = screen.findChild<QMessageBox*>(QStringLiteral("msgWritten"));
    QVERIFY(said && said->isVisible());
    QVERIFY2(said->text().contains(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded)),
             qPrintable(said->text()));
    QCOMPARE(QFileInfo(screen.FileFor("html")).completeBaseName() + "|" +
                 QFileInfo(screen.FileFor("pdf")).path(),
             QStringLiteral("screens Career|") +
                 QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  }

  // A key or click puts the paper away; the hub wakes unless the draft is due.
  void theNewspaperHandsBackToTheHubUnlessTheDraftIsDue() {
    for (const int draftDue : {0, 1}) {
      QtPrompter real;
      Game game(session_->random, real, DataFolder{"."});
      game.Adopt(SomeCareer());
      game.career().DraftDue = draftDue;
      MainScreen hub(game);
      hub.show();
      real.SetHub([&hub] { return &hub; });
      QString seen;
      QTimer::singleShot(0, [&] {
        QWidget* paper = QApplication::activeModalWidget();
        if (!paper || paper->objectName() != QStringLiteral("frmNewspaper")) return;
        seen = TextOf(paper, "lblNewspaperName") + "|" + TextOf(paper, "lblHeadline") + "|" +
               TextOf(paper, "lblText") + "|" + (hub.isEnabled() ? "awake" : "asleep");
        if (draftDue == 0) QTest::keyClick(paper, Qt::Key_Space);
        if (draftDue == 1) QTest::mouseClick(Find(paper, "lblHeadline"), Qt::LeftButton);
      });
      static_cast<Prompter&>(real).publish({"The Age", "Roos Signs On", "A new contract."});
      QCOMPARE(seen, QStringLiteral("The Age|Roos Signs On|A new contract.|asleep"));
      QCOMPARE(hub.isEnabled(), draftDue == 0);
    }
  }

  // His club's season and ladder place (a club on no row keeps the place shown before); CAREER
  // DETAILS has the focus; the buttons' letters work without Alt wherever the focus is, Fixture
  // and Results opening at this week's round (the grand final once the season is over).
  void theTeamPage() {
    Career& career = session_->career();
    QVERIFY(Set(career, QStringLiteral("Team=Seaford|TeamMatches=4|TeamDraws=1|TeamBehinds=38")));
    TeamScreen team(session_->game);
    team.show();
    QCOMPARE(Misshown(&team, QStringLiteral("lblTeam=Seaford|lblLeague=Local Reserves|lblMatches=4|"
                                            "lblDraws=1|lblBehinds=38|lblPosition=2nd")),
             QString());
    for (const auto& [club, position] : {std::pair{"Frankston", "1st"}, {"Nowhere", "1st"}}) {
      career.Team = club;
      team.refresh();
      QCOMPARE(TextOf(&team, "lblPosition"), QString::fromLatin1(position));
    }
    QCOMPARE(team.focusWidget(), Find(&team, "cmdCareerDetails"));
    for (const auto& [matches, round] : {std::pair{0, "1"}, {12, "13"}, {26, "26"}}) {
      career.Matches = matches;
      QTest::keyClick(Find(&team, "cmdPlay"), Qt::Key_F);
      QVERIFY(team.results() && team.results()->isVisible() && !team.isEnabled());
      QCOMPARE(TextOf(team.results(), "lblRound"), QString::fromLatin1(round));
      QTest::keyClick(team.results(), Qt::Key_L);  // the browser's own keys are its own
      QVERIFY(!team.ladder() && Click(team.results(), "cmdOK") && team.isEnabled());
    }
    QTest::keyClick(Find(&team, "cmdExit"), Qt::Key_L, Qt::ShiftModifier);
    QVERIFY(team.ladder() && team.ladder()->isVisible());
  }

  // The splash and the about box show one version.
  void oneVersion() {
    SplashScreen splash;
    AboutScreen about(session_->prompter);
    QCOMPARE(TextOf(&splash, "lblSplashVersion"), TextOf(&about, "lblVersion"));
  }

  // OK without a choice is refused and Cancel changes nothing (flow_test takes one through OK).
  void thePositionScreenWritesOnlyAChosenPosition() {
    Career& career = session_->career();
    const Career before = career;
    PositionScreen screen(career, session_->prompter);
    screen.show();
    QVERIFY(Click(&screen, "cmdOK"));
    QCOMPARE(Messages(session_->prompter), QStringList{kFillOutMessage});
    QVERIFY(screen.isVisible() && Choose(&screen, "lstPosition", QStringLiteral("Wing")) &&
            Click(&screen, "cmdCancel"));
    QCOMPARE(screen.result(), int(QDialog::Rejected));
    QVERIFY(career == before);
  }

  // A shop's script of steps ("udX+N" arrow keys, "cmdX" clicks, "set", "open"; checks "shows",
  // "record", "says", "up", "shut"), then how often it closed.
  void shopsBuyWhatTheSpinnersChose_data() {
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(std::size(kShopScripts)); ++row)
      QTest::newRow(kShopScripts[row].name) << row;
  }
  void shopsBuyWhatTheSpinnersChose() {
    QFETCH(int, row);
    const ShopScript& c = kShopScripts[row];
    Session& s = *session_;
    ShopScreen screen(s.game, c.shop);
    QSignalSpy closed(&screen, &ShopScreen::closed);
    for (const QString& step : QString::fromLatin1(c.script).split(QStringLiteral("; "))) {
      const QString rest = step.section(QLatin1Char(' '), 1);
      const QRegularExpression sign(QStringLiteral("[+-]"));
      const auto is = [&step](const char* word) { return step.startsWith(QLatin1String(word)); };
      if (is("set ")) QVERIFY(Set(s.career(), rest));
      if (step == QLatin1String("open")) screen.Open(), screen.show();
      if (is("shows ")) QCOMPARE(Misshown(&screen, rest), QString());
      if (is("says ")) QCOMPARE(Messages(s.prompter).last(), rest);
      if (is("cmd")) QVERIFY(Click(&screen, qPrintable(step)));
      const bool up = step == QLatin1String("up");
      if (up || step == QLatin1String("shut")) QCOMPARE(screen.isVisible(), up);
      for (int i = 0; i < (is("ud") ? step.section(sign, 1).toInt() : 0); ++i) {
        QTest::keyClick(Find<QSpinBox>(&screen, qPrintable(step.section(sign, 0, 0))),
                        step.contains(QLatin1Char('+')) ? Qt::Key_Up : Qt::Key_Down);
      }
      for (const QString& entry : is("record ") ? rest.split(QLatin1Char('|')) : QStringList()) {
        const QString field = entry.section(QLatin1Char('='), 0, 0);
        QCOMPARE(field + "=" + ToQt(FindCareerField(ToStd(field))->get(s.career())), entry);
      }
    }
    QCOMPARE(closed.count(), c.closings);
  }

  // Slots shut outside a sponsor window; in one, Play waits, a slot's offers show the record,
  // Cancel changes nothing, OK takes the choice for that slot alone, Close frees Play.
  void sponsorOffersTakeTheChosenCompany_data() {
    QTest::addColumn<QByteArray>("slot");
    for (const char* slot : {"Jumper", "Shorts", "Boots", "Socks", "Major"})
      QTest::newRow(slot) << QByteArray(slot);
  }
  void sponsorOffersTakeTheChosenCompany() {
    QFETCH(QByteArray, slot);
    const QByteArray opener = slot == "Major" ? QByteArray("cmdNegotiate") : "shp" + slot;
    Session& s = *session_;
    SponsorshipScreen sponsorship(s.game);
    QObject::connect(&sponsorship, &SponsorshipScreen::closed, hub_.get(),
                     [this] { HandBackTo(hub_.get()); });
    QVERIFY(Set(s.career(), QStringLiteral("Matches=13|MatchRatingAverage=8")));
    sponsorship.Open();
    sponsorship.show();
    QVERIFY(!IsEnabled(&sponsorship, opener.constData()) &&
            Click(&sponsorship, opener.constData()) && !ShownWindow("frmSponsor" + slot) &&
            Click(&sponsorship, "cmdClose"));
    s.career().Matches = 12;
    s.random.next(2, 3);  // the message roll, then the market's
    s.random.next(4, 7);
    PrepareSponsorOffers(s.career(), s.game.run(), s.random, s.prompter);
    const Career prepared = s.career();
    hub_->refresh();
    QVERIFY(!IsEnabled(hub_.get(), "cmdPlay"));
    sponsorship.Open();
    OpenFrom(hub_.get(), &sponsorship);
    for (const bool ok : {false, true}) {
      QVERIFY(Click(&sponsorship, opener.constData()));
      QWidget* offers = ShownWindow("frmSponsor" + slot);
      QVERIFY(offers && !sponsorship.isEnabled());
      const SponsorScreen& record = s.career().SponsorOffers[static_cast<std::size_t>(
          qobject_cast<SponsorOfferScreen*>(offers)->slot())];
      for (std::size_t i = 0; i < kCompanyCount; ++i) {
        const QByteArray key(kCompanies[i].key.data(), qsizetype(kCompanies[i].key.size()));
        auto* option = Find<QRadioButton>(offers, ("opt" + key).constData());
        QVERIFY2(option, key.constData());
        QCOMPARE(
            QStringLiteral("%1 %2 ").arg(option->isEnabled()).arg(option->isChecked()) +
                TextOf(offers, ("lbl" + key).constData()),
            QStringLiteral("%1 %2 ").arg(record.Offers[i].Enabled).arg(record.Offers[i].Chosen) +
                ToQt(record.Offers[i].Amount.ToString()));
      }
      QVERIFY(Click(offers, "optNike") &&
              Find<QRadioButton>(offers, "optLightningAutoRepairs")->isChecked() &&
              Click(offers, "optNotJustTennis") && Click(offers, ok ? "cmdOK" : "cmdCancel"));
      QVERIFY(!ShownWindow("frmSponsor" + slot) && sponsorship.isEnabled());
      if (!ok) QVERIFY(s.career() == prepared);
    }
    QVERIFY(s.career().Sponsorship != prepared.Sponsorship);
    for (const char* other : {"Major", "Jumper", "Shorts", "Boots", "Socks"}) {
      QCOMPARE(TextOf(&sponsorship, ("lbl" + QByteArray(other)).constData()),
               slot == other ? QStringLiteral("Not Just Tennis")
                             : QStringLiteral("Lightning Auto Repairs"));
    }
    QVERIFY(Click(&sponsorship, "cmdClose") && !sponsorship.isVisible() && hub_->isEnabled() &&
            IsEnabled(hub_.get(), "cmdPlay"));
    QVERIFY(!s.game.run().sponsorHighlight);
  }

  // The browser names a file it cannot read, and shows the round once the fixture is there.
  void theBrowserNamesAFileItCannotRead() {
    QTemporaryDir folder;
    const std::filesystem::path data = PathFromQt(folder.path());
    km::testing::ScriptedPrompter prompter;
    Game game(session_->random, prompter, DataFolder{data});
    game.Adopt(SomeCareer());
    ResultsScreen results(game);
    results.refresh();
    results.show();
    const auto browsed = BrowseRound(game.career(), data, 1);
    QCOMPARE(TextOf(&results, "lblError"), ToQt(std::get<FileError>(browsed).message));
    QVERIFY(IsShown(&results, "lblError") && !IsShown(&results, "fraSlot1"));
    std::array<std::string, 16> clubs;
    for (std::size_t i = 0; i < clubs.size(); ++i) clubs[i] = "Club " + std::to_string(i);
    QVERIFY(!WriteSeasonFixture(data, game.career(), clubs));
    Find<QScrollBar>(&results, "hsbRound")->setValue(2);
    QVERIFY(!IsShown(&results, "lblError") && IsShown(&results, "fraSlot8"));
    QCOMPARE(TextOf(&results, "lblTeamOne"), ToQt(clubs[3]));
  }

  // A question's default is No: Enter answers it so.
  void aQuestionDefaultsToNo() {
    QString seen;
    QTimer::singleShot(0, [&seen] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      seen = box->windowTitle() + "|" + box->text() + "|" + box->defaultButton()->text();
      QTest::keyClick(box, Qt::Key_Return);
    });
    QtPrompter real;
    QVERIFY(!static_cast<Prompter&>(real).askYesNo("Quit ?", "Kickmark", Icon::Question));
    QMessageBox plain(QMessageBox::NoIcon, {}, {}, QMessageBox::No);
    QCOMPARE(seen, "Kickmark|Quit ?|" + plain.button(QMessageBox::No)->text());
  }

 private:
  void SetSwitches(bool play, bool sponsorship, bool contract) {
    std::tie(session_->career().PlayOpen, session_->career().SponsorshipOpen,
             session_->career().ContractOpen) = std::tie(play, sponsorship, contract);
    hub_->refresh();
  }

  std::unique_ptr<Session> session_;
  std::unique_ptr<MainScreen> hub_;
  std::vector<std::unique_ptr<QSignalSpy>> spies_;
};

}  // namespace km::screens

QTEST_MAIN(km::screens::ControlsTest)
#include "controls_test.moc"
