// The screen walk: every screen of the game in a realistic state, at its
// natural size and at the windows of a 1280x720 and a 1920x1080 desktop,
// checked for cut texts, widgets outside the window and widgets on top of
// each other, and written out as pictures for a person to look at.
//
// CTest runs it at scale 1, 1.5 and 2 (a 4K desktop at 200%) on an offscreen
// desktop large enough for every window, and once on a 1280x720 desktop at
// 150%, too small for most screens, where the windows must fit the desktop
// and their pages scroll.

#include <QDir>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "core/career_fields.h"
#include "core/save_file.h"
#include "game/game.h"
#include "screens/about_screen.h"
#include "screens/contracts_screen.h"
#include "screens/look.h"
#include "screens/main_screen.h"
#include "screens/match_screen.h"
#include "screens/newspaper_screen.h"
#include "screens/position_screen.h"
#include "screens/qt_text.h"
#include "screens/records_screen.h"
#include "screens/screen_flow.h"
#include "screens/screen_test_support.h"
#include "screens/shop_screen.h"
#include "screens/sponsorship_screen.h"
#include "screens/team_screen.h"
#include "season/season_end.h"
#include "support/scripted_ports.h"
#include "week/sponsors.h"

namespace km::screens {
namespace {

using testing::Click;
using testing::Find;
using testing::ShownWindow;

// The window a player gets on each desktop: the whole width, and the height
// left by a title bar and a taskbar.
struct WindowSize {
  const char* name;
  QSize size;  // empty: as the screen opens
};
constexpr WindowSize kSizes[] = {
    {"natural", {}}, {"1280x720", {1280, 680}}, {"1920x1080", {1920, 1040}}};

// A laptop's 1280x720 desktop at 150%: only the natural size is tried.
bool SmallDesktop() { return qEnvironmentVariableIsSet("KICKMARK_WALK_SMALL_DESKTOP"); }

// True when `widget` lies inside a list, a table or a text box of the
// screen: such a view scrolls its own contents.
bool InsideAView(const QWidget* widget, const QWidget* window) {
  for (const QWidget* up = widget->parentWidget(); up && up != window; up = up->parentWidget()) {
    // On a desktop too small for it, the page itself scrolls.
    if (qobject_cast<const QAbstractScrollArea*>(up) &&
        (SmallDesktop() || up->objectName() != QLatin1String("scrScreen"))) {
      return true;
    }
  }
  return false;
}

QString NameOf(const QWidget* widget) {
  return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                        : widget->objectName();
}

// What is wrong with the window as it stands: texts cut short, a page that
// needs its scroll bars, widgets outside the window or on top of a sibling.
QStringList Faults(QWidget* window, QSize asked) {
  QStringList faults;
  for (int pass = 0; pass < 3; ++pass) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  }
  if (!asked.isEmpty() && window->size() != asked) {
    faults << QStringLiteral("the window cannot be %1x%2: it is %3x%4")
                  .arg(asked.width())
                  .arg(asked.height())
                  .arg(window->width())
                  .arg(window->height());
  }
  if (const QString cut = testing::CutLabels(window); !cut.isEmpty()) faults << cut;
  auto* area = window->findChild<QScrollArea*>(QStringLiteral("scrScreen"));
  if (SmallDesktop()) {
    // Too small for the page: the window fits the desktop, and the page
    // scrolls within it.
    const QSize desktop = window->screen()->availableGeometry().size();
    if (window->width() > desktop.width() || window->height() > desktop.height()) {
      faults << QStringLiteral("the window is larger than the desktop");
    }
  } else if (area &&
             (area->verticalScrollBar()->isVisible() || area->horizontalScrollBar()->isVisible())) {
    faults << QStringLiteral("the page scrolls");
  }
  QList<QWidget*> shown;
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (widget->isVisibleTo(window) && !widget->isWindow() && !InsideAView(widget, window)) {
      shown << widget;
    }
  }
  for (const QWidget* widget : shown) {
    const QRect at(widget->mapTo(window, QPoint()), widget->size());
    if (!window->rect().contains(at)) {
      faults << QStringLiteral("%1 lies outside the window").arg(NameOf(widget));
    }
    if (const auto* button = qobject_cast<const QPushButton*>(widget);
        button && button->width() < button->minimumSizeHint().width()) {
      faults << QStringLiteral("%1 \"%2\" is cut").arg(NameOf(widget), button->text());
    }
  }
  // The keyboard's focus ring is drawn over the control it rings.
  shown.removeIf([](const QWidget* widget) {
    return widget->testAttribute(Qt::WA_TransparentForMouseEvents);
  });
  for (qsizetype i = 0; i < shown.size(); ++i) {
    for (qsizetype j = i + 1; j < shown.size(); ++j) {
      if (shown[i]->parentWidget() == shown[j]->parentWidget() &&
          shown[i]->geometry().intersects(shown[j]->geometry())) {
        faults << QStringLiteral("%1 overlaps %2").arg(NameOf(shown[i]), NameOf(shown[j]));
      }
    }
  }
  return faults;
}

// Career figures of a long AFL career: seven-figure money, wide figures.
Career Veteran() {
  Career career = testing::ACareer("Maximilian Featherstonehaugh", "Centre-Half-Forward", 90);
  testing::SeatAt(career, "AFL", 6);
  career.Age = 33;
  career.Kicking = career.Handballing = career.Tackling = career.Marking = career.Running = 188;
  career.Overall = OverallOf(188, 188, 188, 188, 188);
  career.BankBalance = Money::Cents(987654321);
  career.Matches = 18;
  career.Disposals = 612;
  career.Goals = 74;
  career.Behinds = 51;
  career.ContractMatches = 44;
  for (const char* field :
       {"LocalGoalsAward", "RegionalMVP", "StateMatchesAward", "AFLAllAustralian", "AFLBrownlow"}) {
    if (const CareerField* f = FindCareerField(field)) (void)f->set(career, "3");
  }
  return career;
}

}  // namespace

class ScreenWalkTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    // The offscreen desktop cannot raise a window or pass on its size hints.
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
          if (!text.startsWith(QLatin1String("This plugin does not support"))) {
            qt_message_output(type, context, text);
          }
        });
    ApplyGameLook(*qApp);
    pictures_ = QStringLiteral(KICKMARK_SCREENS_DIR);
    QVERIFY(QDir().mkpath(pictures_));
    scale_ = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
  }
  void cleanup() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  void aNewCareerThroughItsFirstRound() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    km::testing::ScriptedRandom random;
    random.fallback = 0.5;
    km::testing::ScriptedPrompter prompter;
    Game game(random, prompter, DataFolder{PathFromQt(folder.path())});
    ScreenFlow flow(game);
    flow.Begin();
    Look("splash", ShownWindow("frmSplash"));
    QTest::mouseClick(ShownWindow("frmSplash"), Qt::LeftButton);
    QWidget* start = ShownWindow("frmStart");
    Look("start", start);
    QVERIFY(Click(start, "cmdNew"));
    QWidget* setup = ShownWindow("frmSetup");
    QVERIFY(testing::Type(setup, "txtCareer", QStringLiteral("walk")));
    QVERIFY(testing::Type(setup, "txtName", QStringLiteral("Alastair Lynch-Worthington")));
    QVERIFY(testing::Type(setup, "txtCity", QStringLiteral("Warrnambool")));
    QVERIFY(testing::Choose(setup, "txtState", QStringLiteral("Victoria")));
    QVERIFY(testing::Choose(setup, "lstPosition", QStringLiteral("Centre-Half-Forward")));
    QVERIFY(testing::Choose(setup, "lstHeight", QStringLiteral("191")));
    Look("setup", setup);
    QVERIFY(Click(setup, "cmdStart"));

    QWidget* contracts = ShownWindow("frmContracts");
    Look("contracts", contracts);
    QWidget* hub = testing::SignOffer();
    Look("hub-new", hub);
    for (const auto& [button, screen] : {std::pair{"cmdTraining", "frmTraining"},
                                         {"cmdHealth", "frmHealth"},
                                         {"cmdStore", "frmStore"}}) {
      QVERIFY2(Click(hub, button), button);
      Look(screen, ShownWindow(screen));
      QVERIFY(Click(ShownWindow(screen), "cmdCancel"));
    }
    QVERIFY(Click(hub, "cmdTeamDetails"));
    QWidget* team = ShownWindow("frmTeam");
    Look("team", team);
    for (const auto& [button, screen] : {std::pair{"cmdLadder", "frmLadder"},
                                         {"cmdRecords", "frmRecordsTeam"},
                                         {"cmdAbout", "frmAboutTeam"}}) {
      QVERIFY2(Click(team, button), button);
      Look(screen, ShownWindow(screen));
      QVERIFY(Click(ShownWindow(screen), "cmdOK"));
    }
    QVERIFY(Click(team, "cmdCareerDetails"));

    // The week: the round, the player's match a few minutes into a quarter
    // and at full time, the round played.
    QVERIFY(Click(hub, "cmdPlay"));
    QWidget* round = ShownWindow("frmMatchRound");
    Look("round", round);
    auto* match = qobject_cast<MatchScreen*>(ShownWindow("frmMatch"));
    while (!match && Find<QPushButton>(round, "cmdStart")->isEnabled()) {
      QVERIFY(Click(round, "cmdStart"));
      match = qobject_cast<MatchScreen*>(ShownWindow("frmMatch"));
    }
    QVERIFY(match);
    auto* clock = match->findChild<QTimer*>(QStringLiteral("tmrMatch"));
    for (int quarter = 0; quarter < 4; ++quarter) {
      QVERIFY(Click(match, "cmdStart"));
      for (int minute = 0; minute < 40 && clock->isActive(); ++minute) {
        match->tmrMatch_Timer();
        if (quarter == 2 && minute == 6) Look("match-quarter", match);
      }
    }
    Look("match-fulltime", match);
    QVERIFY(Click(match, "cmdOK"));
    while (Find<QPushButton>(round, "cmdStart")->isEnabled()) QVERIFY(Click(round, "cmdStart"));
    Look("round-played", round);
    QVERIFY(Click(round, "cmdOK"));

    QVERIFY(Click(hub, "cmdTeamDetails"));
    QVERIFY(Click(team, "cmdResults"));
    Look("results", ShownWindow("frmResults"));
  }

  // A veteran's screens, and those opened from the hub's frames.
  void aVeteransScreens() {
    testing::Session session(Veteran());
    auto& [random, prompter, game] = session;
    {
      MainScreen hub(game);
      hub.show();
      Look("hub-veteran", &hub);
    }
    RecordsScreen records(game.career());
    records.show();
    Look("records", &records);
    for (const auto& [button, screen] : {std::pair{"cmdLocalAwards", "frmLocalAwards"},
                                         {"cmdRegionalAwards", "frmRegionalAwards"},
                                         {"cmdStateAwards", "frmStateAwards"},
                                         {"cmdAFLAwards", "frmAFLAwards"}}) {
      QVERIFY2(Click(&records, button), button);
      Look(screen, ShownWindow(screen));
      QVERIFY(Click(ShownWindow(screen), "cmdOK"));
    }
    {
      TeamScreen team(game);
      team.show();
      Look("team-veteran", &team);
    }
    {
      // A re-signing: the AFL clubs' offers, the longest names among them.
      ContractOffers& offers = game.contracts();
      offers.title = OffersTitle(game.career().League);
      const ClubList& clubs = ClubsOf("AFL", "Victoria");
      for (std::size_t k = 0; k < offers.rows.size(); ++k) {
        offers.rows[k] = {std::string(clubs[k]), Money::Dollars(32000), 5};
      }
      game.career().ContractMatches = 0;
      game.ClickOffer(15, offers.rows[14].club);  // rows count from 1
      ContractsScreen contracts(game);
      contracts.refresh();
      contracts.show();
      Look("contracts-afl", &contracts);
    }
    // A sponsor window with offers in every slot.
    game.career().Matches = 12;
    game.career().MatchRatingAverage = 9;
    random.next(2, 3);
    random.next(4, 7);
    PrepareSponsorOffers(game.career(), game.run(), random, prompter);
    SponsorshipScreen sponsorship(game);
    sponsorship.Open();
    Look("sponsorship", &sponsorship);
    QVERIFY(Click(&sponsorship, "shpJumper"));
    Look("sponsor-offers", ShownWindow("frmSponsorJumper"));
    QVERIFY(Click(ShownWindow("frmSponsorJumper"), "cmdCancel"));

    PositionScreen position(game.career(), prompter);
    position.show();
    Look("position", &position);
    NewspaperScreen paper(Story{"THE HERALD SUN", "FEATHERSTONEHAUGH WINS THE BROWNLOW MEDAL",
                                "Maximilian Featherstonehaugh has won the Brownlow Medal with "
                                "a record tally of votes, the best and fairest player of the "
                                "competition in a season few will forget."});
    paper.show();
    Look("newspaper", &paper);
    AboutScreen about(prompter);
    about.show();
    Look("about", &about);
  }

  void theDraftCampAndTheDraft() {
    QTemporaryDir folder;
    const std::filesystem::path data = PathFromQt(folder.path());
    const Career career = testing::OnHisWayToTheCamp("Maximilian Featherstonehaugh", 188, 8.5);
    QVERIFY(!SaveCareer(data, career));
    km::testing::ScriptedRandom random;
    random.fallback = 0.5;
    km::testing::ScriptedPrompter prompter;
    prompter.files.emplace_back(SaveFilePath(data, career));
    Game game(random, prompter, DataFolder{data});
    ScreenFlow flow(game);
    QVERIFY(Click(testing::PastTheSplash(flow), "cmdLoad"));
    QWidget* camp = ShownWindow("frmDraftCamp");
    QVERIFY(camp);
    QVERIFY(Click(camp, "cmdStart"));
    Look("camp", camp);
    while (Find<QPushButton>(camp, "cmdStart")->isEnabled()) QVERIFY(Click(camp, "cmdStart"));
    Look("camp-done", camp);
    QVERIFY(Click(camp, "cmdOK"));
    Look("draft", ShownWindow("frmDraft"));
  }

  // Every fault the walk met, screen by screen.
  void cleanupTestCase() { QCOMPARE(faults_.join(QLatin1Char('\n')), QString()); }

 private:
  // Checks one screen at every window size and writes its pictures.
  void Look(const QString& screen, QWidget* window) {
    if (!window) {
      faults_ << screen + QStringLiteral(": not in view");
      return;
    }
    window->activateWindow();
    QCoreApplication::processEvents();
    const QSize natural = window->size();
    for (const WindowSize& size : kSizes) {
      if (SmallDesktop() && !size.size.isEmpty()) continue;
      if (!size.size.isEmpty()) window->resize(size.size);
      const QString name =
          QStringLiteral("%1-%2@%3x")
              .arg(screen, SmallDesktop() ? QStringLiteral("laptop") : QLatin1String(size.name),
                   scale_);
      for (const QString& fault : Faults(window, size.size))
        faults_ << name + QStringLiteral(": ") + fault;
      window->grab().save(QDir(pictures_).filePath(name + QStringLiteral(".png")));
    }
    window->resize(natural);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  }

  QString pictures_;
  QString scale_;
  QStringList faults_;
};

}  // namespace km::screens

QTEST_MAIN(km::screens::ScreenWalkTest)
#include "screen_walk_test.moc"
