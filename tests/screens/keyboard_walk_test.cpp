// The game without a mouse: a new career through its first round with key
// presses alone, and what a screen reader hears of each screen's controls
// and values.

#include <QAccessible>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "screens/about_screen.h"
#include "screens/look.h"
#include "screens/main_screen.h"
#include "screens/position_screen.h"
#include "screens/qt_text.h"
#include "screens/records_screen.h"
#include "screens/results_screen.h"
#include "screens/screen_test_support.h"
#include "screens/shop_screen.h"
#include "screens/sponsorship_screen.h"
#include "screens/team_screen.h"

namespace km::screens {
namespace {

using namespace testing;

constexpr const char* kPlayer = "Chris Judd";

// Where the player's keys go: the control with the focus, or the active
// window when no control has it.
QWidget* KeyTarget() {
  QCoreApplication::processEvents();
  if (QWidget* focus = QApplication::focusWidget()) return focus;
  return QApplication::activeWindow();
}

QString FocusName() {
  const QWidget* target = KeyTarget();
  return target ? target->objectName() : QStringLiteral("<nothing>");
}

bool Press(Qt::Key key, int times = 1) {
  for (int i = 0; i < times; ++i) {
    QWidget* target = KeyTarget();
    if (!target) return false;
    QTest::keyClick(target, key);
  }
  return true;
}

bool TypeThenTab(const QString& text) {
  QWidget* target = KeyTarget();
  if (!target) return false;
  QTest::keyClicks(target, text);
  return Press(Qt::Key_Tab);
}

// What a screen reader names a control. A drop-down list's name on this
// desktop is its entry; the reader takes its caption from the label that
// goes with it.
QString ReadName(QWidget* widget) {
  QAccessibleInterface* read = QAccessible::queryAccessibleInterface(widget);
  if (!read) return {};
  if (!qobject_cast<QComboBox*>(widget)) return read->text(QAccessible::Name);
  const auto labels = read->relations(QAccessible::Label);
  return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

// The controls of a window a player can Tab to that a screen reader cannot
// name (or names with a keyboard letter's ampersand), or that show no green
// ring when they have the focus. The focus is
// put back where it was.
QString UnnamedOrUnringed(QWidget* window) {
  QCoreApplication::processEvents();
  QWidget* focus = window->focusWidget();
  QStringList faults;
  for (QWidget* control : window->findChildren<QWidget*>()) {
    // A spinner's text box hands its focus to the spinner.
    if (!(control->focusPolicy() & Qt::TabFocus) || control->focusProxy() ||
        !control->isVisible() || !control->isEnabled()) {
      continue;
    }
    // A keyboard letter's ampersand is not read out.
    const QString name = ReadName(control);
    if (name.isEmpty() || name.contains(QLatin1Char('&'))) {
      faults << control->objectName() + QStringLiteral(" named \"%1\"").arg(name);
    }
    control->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    const auto* ring = control->parentWidget()->findChild<QWidget*>(QStringLiteral("focusRing"),
                                                                    Qt::FindDirectChildrenOnly);
    if (!control->hasFocus() || !ring || !ring->isVisible() ||
        !ring->geometry().contains(control->geometry()) ||
        ring->geometry() == control->geometry()) {
      faults << control->objectName() + QStringLiteral(" unringed");
    }
  }
  if (focus) focus->setFocus();
  return faults.join(QStringLiteral(", "));
}

// The value labels of a window that a screen reader would read without a
// caption: each must be read as "Caption: value".
QString ValuesReadBare(const QWidget* window) {
  QStringList bare;
  for (QLabel* label : window->findChildren<QLabel*>()) {
    if (label->property("role").toString() != QStringLiteral("value") || !label->isVisible()) {
      continue;
    }
    const QString name = ReadName(label);
    const QString ending =
        label->text().isEmpty() ? QStringLiteral(":") : QStringLiteral(": ") + label->text();
    if (!name.endsWith(ending) || name.size() <= ending.size()) {
      bare << QStringLiteral("%1 \"%2\"").arg(label->objectName(), name);
    }
  }
  return bare.join(QStringLiteral(", "));
}

template <typename Screen>
std::unique_ptr<QWidget> Opened(std::unique_ptr<Screen> screen) {
  screen->Open();
  return screen;
}

// One of the game's screens, by a short name.
std::unique_ptr<QWidget> Make(const QByteArray& screen, Game& g) {
  if (screen == "hub") return std::make_unique<MainScreen>(g);
  if (screen == "training") return Opened(std::make_unique<ShopScreen>(g, Shop::Training));
  if (screen == "health") return Opened(std::make_unique<ShopScreen>(g, Shop::Health));
  if (screen == "store") return Opened(std::make_unique<ShopScreen>(g, Shop::Store));
  if (screen == "sponsorship") return Opened(std::make_unique<SponsorshipScreen>(g));
  if (screen == "sponsor offers") {
    return Opened(std::make_unique<SponsorOfferScreen>(g, SponsorSlot::Major));
  }
  if (screen == "records") return std::make_unique<RecordsScreen>(g.career());
  if (screen == "team") return std::make_unique<TeamScreen>(g);
  if (screen == "position") return std::make_unique<PositionScreen>(g.career(), g.prompter());
  if (screen == "about") return std::make_unique<AboutScreen>(g.prompter());
  auto results = std::make_unique<ResultsScreen>(g);
  results->refresh();
  return results;
}

}  // namespace

class KeyboardWalkTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { ApplyGameLook(*qApp); }
  void init() { prompter_ = std::make_unique<km::testing::ScriptedPrompter>(); }
  void cleanup() {
    flow_.reset();
    game_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  void aNewCareerPlaysItsFirstRoundByKeysAlone() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    TwisterRandom random(7);
    game_ = std::make_unique<Game>(random, *prompter_, DataFolder{PathFromQt(folder.path())});
    flow_ = std::make_unique<ScreenFlow>(*game_);
    flow_->Begin();

    // Any key puts the splash away.
    QVERIFY(ShownWindow("frmSplash"));
    QVERIFY(Press(Qt::Key_Space));
    QWidget* start = ShownWindow("frmStart");
    QVERIFY(start);
    QCOMPARE(UnnamedOrUnringed(start), QString());
    QCOMPARE(FocusName(), QStringLiteral("cmdNew"));
    QVERIFY(Press(Qt::Key_Return));

    // The answers typed in, Tab from box to box; a list takes the first
    // entry its typed letters begin, a skill moves ten with Page Up.
    QWidget* setup = ShownWindow("frmSetup");
    QVERIFY(setup);
    QCOMPARE(UnnamedOrUnringed(setup), QString());
    QCOMPARE(FocusName(), QStringLiteral("txtCareer"));
    for (const char* answer : {"walk", kPlayer, "Geelong", "Vic", "191", "", "Win"}) {
      QVERIFY(TypeThenTab(QString::fromLatin1(answer)));
    }
    QCOMPARE(FocusName(), QStringLiteral("hsbKicking"));
    QVERIFY(Press(Qt::Key_PageUp, 5));
    QVERIFY(Press(Qt::Key_Tab));
    QVERIFY(Press(Qt::Key_Right, 2));
    QVERIFY(Press(Qt::Key_Return));
    QVERIFY(!ShownWindow("frmSetup"));
    QVERIFY(game_->HasCareer());
    const Career& career = game_->career();
    QCOMPARE(
        ToQt(career.CareerName + "|" + career.Name + "|" + career.State + "|" + career.Position),
        QStringLiteral("walk|Chris Judd|Victoria|Wing"));
    QCOMPARE((std::array{career.Height, career.Kicking, career.Handballing}),
             (std::array{191, 51, 3}));

    // The offers: Escape is OK, refused without a contract; the arrows
    // move down the clubs and Enter picks one; Tab to Sign, then Enter on
    // OK.
    QWidget* contracts = ShownWindow("frmContracts");
    QVERIFY(contracts);
    QCOMPARE(UnnamedOrUnringed(contracts), QString());
    auto* grid = Find<QTableWidget>(contracts, "grdContracts");
    QCOMPARE(FocusName(), QStringLiteral("grdContracts"));
    QVERIFY(Press(Qt::Key_Escape));
    QCOMPARE(Messages(*prompter_), QStringList{QStringLiteral("Please sign a contract")});
    QVERIFY(Press(Qt::Key_Down, 2));
    QVERIFY(Press(Qt::Key_Return));
    QCOMPARE(TextOf(contracts, "lblTeamContract"), grid->item(2, 3)->text());
    QVERIFY(Press(Qt::Key_Tab));
    QCOMPARE(FocusName(), QStringLiteral("cmdSign"));
    QVERIFY(Press(Qt::Key_Return));
    QCOMPARE(ToQt(career.Team), grid->item(2, 3)->text());
    // The hub is up behind the offers now; its letters are its own.
    QVERIFY(ShownWindow("frmMain"));
    QVERIFY(Press(Qt::Key_S));
    QVERIFY(!ShownWindow("frmStore"));
    QVERIFY(Press(Qt::Key_Return));
    QVERIFY(!ShownWindow("frmContracts"));

    // The hub: Enter is PLAY.
    QWidget* hub = ShownWindow("frmMain");
    QVERIFY(hub);
    QCOMPARE(FocusName(), QStringLiteral("cmdPlay"));
    QVERIFY(Press(Qt::Key_Return));
    QWidget* round = ShownWindow("frmMatchRound");
    QVERIFY(round);
    QVERIFY(!hub->isEnabled());

    // Enter plays the round's matches; on the player's own Space starts
    // each quarter, whatever has the focus, and Enter is Finish.
    bool played = false;
    for (int press = 0; press < 8; ++press) {
      QVERIFY(Press(Qt::Key_Return));
      auto* match = qobject_cast<MatchScreen*>(ShownWindow("frmMatch"));
      if (!match) continue;
      played = true;
      QCOMPARE(UnnamedOrUnringed(match), QString());
      auto* clock = match->findChild<QTimer*>(QStringLiteral("tmrMatch"));
      for (int quarter = 0; quarter < 4; ++quarter) {
        QVERIFY(Press(Qt::Key_Space));
        QVERIFY(clock->isActive());
        for (int minute = 0; minute < 40 && clock->isActive(); ++minute) match->tmrMatch_Timer();
      }
      QCOMPARE(FocusName(), QStringLiteral("cmdOK"));
      QVERIFY(Press(Qt::Key_Return));
      QVERIFY(!ShownWindow("frmMatch"));
    }
    QVERIFY(played);
    QCOMPARE(FocusName(), QStringLiteral("cmdOK"));
    QVERIFY(Press(Qt::Key_Return));

    // Back at the hub with the round played. Enter presses the button Tab
    // went to, and the team page's own; the hub's letters still open the
    // records, and Escape puts them away.
    QVERIFY(!ShownWindow("frmMatchRound"));
    QVERIFY(hub->isEnabled());
    QCOMPARE(TextOf(hub, "lblMatches"), QStringLiteral("1"));
    QVERIFY(Press(Qt::Key_Tab));
    QVERIFY(Press(Qt::Key_Return));
    QVERIFY(ShownWindow("frmTeam"));
    QVERIFY(Press(Qt::Key_Return));
    QCOMPARE(ShownWindow("frmMain"), hub);
    QVERIFY(Press(Qt::Key_R));
    QVERIFY(ShownWindow("frmRecords"));
    QVERIFY(Press(Qt::Key_Escape));
    QVERIFY(!ShownWindow("frmRecords"));
    QVERIFY(hub->isEnabled());
  }

  // Values read out exactly, as "label=caption": those without a caption
  // of their own, and a shop's, by row and column.
  void screensNameTheirControlsAndReadValuesWithCaptions_data() {
    QTest::addColumn<QByteArray>("screen");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("hub") << QByteArray("hub")
                         << QStringList{"lblMatchRating=Match ratings this season",
                                        "lblMatchRatingAverage=Average match rating"};
    QTest::newRow("training") << QByteArray("training")
                              << QStringList{"lblKickingRate=Kicking, Rate ($)"};
    for (const char* screen : {"health", "store", "sponsorship", "sponsor offers", "records",
                               "team", "results", "position", "about"}) {
      QTest::newRow(screen) << QByteArray(screen) << QStringList{};
    }
  }
  void screensNameTheirControlsAndReadValuesWithCaptions() {
    QFETCH(QByteArray, screen);
    QFETCH(QStringList, captions);
    km::testing::ScriptedRandom random;
    random.fallback = 0.5;
    Game game(random, *prompter_, DataFolder{"."});
    game.Adopt(ACareer(kPlayer));
    std::unique_ptr<QWidget> shown = Make(screen, game);
    shown->show();
    QVERIFY(QTest::qWaitForWindowActive(shown.get()));
    QCOMPARE(UnnamedOrUnringed(shown.get()), QString());
    QCOMPARE(ValuesReadBare(shown.get()), QString());
    for (const QString& pair : captions) {
      const QString name = pair.section(QLatin1Char('='), 0, 0);
      QString caption = pair.section(QLatin1Char('='), 1);
      if (!caption.endsWith(QLatin1Char(':'))) caption += QLatin1Char(':');
      auto* label = Find<QLabel>(shown.get(), name.toLatin1().constData());
      QVERIFY2(label, qPrintable(name));
      QCOMPARE(ReadName(label), caption + QLatin1Char(' ') + label->text());
    }
  }

 private:
  std::unique_ptr<km::testing::ScriptedPrompter> prompter_;
  std::unique_ptr<Game> game_;
  std::unique_ptr<ScreenFlow> flow_;
};

}  // namespace km::screens

QTEST_MAIN(km::screens::KeyboardWalkTest)
#include "keyboard_walk_test.moc"
