// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader hears: a round and his match played by keys with Qt's accessibility events
// recorded (each siren and result announced once, the focus never on a disabled or unnamed
// control), values and controls named with their captions and units, choices that say so, grid
// cells that report the focus only with it, the newspaper read as it opens.

#include <QAccessible>

#include "screens/contracts_screen.h"
#include "screens/newspaper_screen.h"
#include "screens/screen_test_support.h"
#include "screens/setup_screen.h"

namespace km::screens {
namespace {

using namespace testing;

// What Qt tells a screen reader, as it tells it: announcements, focus, and the values changed.
struct Heard {
  QStringList announced;
  QStringList wrongFocus;  // "name (why)"
  QStringList valuesOf;    // the object names of the controls whose value changed
};
Heard* listening = nullptr;

void Record(QAccessibleEvent* event) {
  QAccessibleInterface* node = event->accessibleInterface();
  if (!listening || !node) return;
  const QString name = node->text(QAccessible::Name);
  switch (event->type()) {
    case QAccessible::ObjectShow:
      if (node->role() == QAccessible::Notification) listening->announced << name;
      break;
    case QAccessible::Focus:
      if (node->state().disabled || name.trimmed().isEmpty())
        listening->wrongFocus << event->object()->objectName() +
                                     QStringLiteral(" \"%1\"").arg(name) +
                                     QStringLiteral(" over ") + ShownWindows();
      break;
    case QAccessible::ValueChanged:
      listening->valuesOf << event->object()->objectName();
      break;
    default:
      break;
  }
}

// Listens while it lives; what was said, once the posted announcements are out.
class Listening {
 public:
  Listening() {
    listening = &heard_;
    QAccessible::installUpdateHandler(Record);
  }
  ~Listening() {
    QAccessible::installUpdateHandler(nullptr);
    listening = nullptr;
  }
  Listening(const Listening&) = delete;
  Listening& operator=(const Listening&) = delete;

  // What was announced since the last call.
  QStringList Said() {
    QCoreApplication::processEvents();
    return std::exchange(heard_.announced, {});
  }
  Heard& heard() { return heard_; }

 private:
  Heard heard_;
};

QWidget* KeyTarget() {
  QCoreApplication::processEvents();
  return QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
}
void Press(Qt::Key key) {
  if (QWidget* target = KeyTarget()) QTest::keyClick(target, key);
}

QAccessibleInterface* Read(const QWidget* root, const char* name) {
  QWidget* widget = Find(root, name);
  return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
}
QString ReadName(const QWidget* root, const char* name) {
  QAccessibleInterface* read = Read(root, name);
  return read ? read->text(QAccessible::Name) : QStringLiteral("<no %1>").arg(name);
}

// The Local Reserves clubs' offers, $400 and `step` more a row, for two seasons.
const ClubList& Offered(Session& session, int step) {
  const ClubList& clubs = ClubsOf("Local Reserves", session.career().State);
  ContractOffers& offers = session.game.contracts();
  for (std::size_t k = 0; k < offers.rows.size(); ++k)
    offers.rows[k] = {std::string(clubs[k]), Money::Dollars(400 + step * int(k)), 2};
  return clubs;
}

// "Carlton: 12 goals, 10 behinds, 82 points." as the rules left a club's score.
QString ScoreSaid(const std::string& club, int goals, int behinds, int points) {
  const auto counted = [](int n, const char* one) {
    return QStringLiteral("%1 %2%3").arg(n).arg(QLatin1String(one)).arg(n == 1 ? "" : "s");
  };
  return QStringLiteral("%1: %2, %3, %4.")
      .arg(ToQt(club), counted(goals, "goal"), counted(behinds, "behind"),
           counted(points, "point"));
}

}  // namespace

class ReaderTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // Qt speaks to a reader once the desktop's accessibility bus has answered (with_reader.sh).
  void initTestCase() {
    QTRY_VERIFY2_WITH_TIMEOUT(QAccessible::isActive(),
                              "no accessibility bus: run the test through with_reader.sh", 5000);
  }
  void cleanup() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  // A new career's first round by keys, his match at Watch: every result and each siren of his
  // match said once, with its figures, nothing said while a quarter is played, the round's end
  // said once; the focus never on a control that is disabled or unnamed.
  void aRoundAndHisMatchAreSaidOncePerSirenAndResult() {
    Played played(7);
    QWidget* hub = StartCareer(played.flow, QStringLiteral("Tony Lockett"));
    QVERIFY(hub);
    QCoreApplication::processEvents();  // the offers' last word
    Listening reader;
    const RunState& run = played.game.run();
    const std::string club = played.game.career().Team;
    QVERIFY(Click(hub, "cmdPlay"));
    QWidget* round = ShownWindow("frmMatchRound");
    QVERIFY(round);
    QStringList said, match;
    for (int slot = 0; slot < kMatchesPerRound; ++slot) {
      const auto at = static_cast<std::size_t>(slot);
      const QByteArray team =
          slot == 0 ? QByteArray("lblTeamOne") : "lblTeamOne" + QByteArray::number(slot + 1);
      const bool his = run.roundTeamOne[at] == club || run.roundTeamTwo[at] == club;
      // The slot's first club is named with its match, and the next match or his club.
      QCOMPARE(ReadName(round, team.constData()),
               QStringLiteral("Match %1, %2: %3")
                   .arg(slot + 1)
                   .arg(run.roundTeamOne[at] == club ? "your club" : "next match")
                   .arg(ToQt(run.roundTeamOne[at])));
      Press(Qt::Key_Return);
      if (auto* screen = qobject_cast<MatchScreen*>(ShownWindow("frmMatch"))) {
        QVERIFY(his && Click(screen, "cmdWatch"));
        for (int quarter = 1; quarter <= kQuarters; ++quarter) {
          Press(Qt::Key_Space);
          const QStringList atStart = reader.Said();
          QVERIFY2(atStart.isEmpty(), qPrintable(atStart.join('|')));
          for (int minute = 1; minute < kQuarterMinutes; ++minute) screen->tmrMatch_Timer();
          QCOMPARE(reader.Said(), QStringList());  // nothing while the clock runs
          screen->tmrMatch_Timer();
          const QStringList siren = reader.Said();
          QCOMPARE(siren.size(), 1);
          const MatchState& s = played.game.match()->state();
          for (const QString& part : {ToQt(s.QuarterTitle) + QStringLiteral(". "),
                                      ScoreSaid(s.TeamOne, s.GoalsOne, s.BehindsOne, s.PointsOne),
                                      ScoreSaid(s.TeamTwo, s.GoalsTwo, s.BehindsTwo, s.PointsTwo),
                                      QStringLiteral("Disposals: %1, Goals: %2, Behinds: %3.")
                                          .arg(s.Disposals)
                                          .arg(s.Goals)
                                          .arg(s.Behinds),
                                      QStringLiteral("Comments: ") + ToQt(s.Comments)})
            QVERIFY2(siren.first().contains(part), qPrintable(siren.first() + " lacks " + part));
          QCOMPARE(siren.first().contains(QStringLiteral("Match Rating (Out of 10): ") +
                                          TextOf(screen, "lblMatchRating") + "."),
                   s.FullTime);
          match << siren;
        }
        Press(Qt::Key_Return);  // Finish
      } else {
        QVERIFY(!his);
      }
      // The result just in, said at once (his after Finish), and only then.
      const QStringList now = reader.Said();
      const auto& score = run.roundSlots[at];
      QCOMPARE(now.size(), 1);
      QVERIFY2(now.first().startsWith(QStringLiteral("Match %1: ").arg(slot + 1) +
                                      ScoreSaid(run.roundTeamOne[at], score.GoalsOne[3],
                                                score.BehindsOne[3], score.PointsOne) +
                                      QLatin1Char(' ') +
                                      ScoreSaid(run.roundTeamTwo[at], score.GoalsTwo[3],
                                                score.BehindsTwo[3], score.PointsTwo)),
               qPrintable(now.first()));
      said << now;
    }
    // Every result once, and the round's end once, with the last result.
    const QString all = said.join(QLatin1Char(' '));
    for (int slot = 1; slot <= kMatchesPerRound; ++slot)
      QCOMPARE(all.count(QStringLiteral("Match %1: ").arg(slot)), 1);
    const QString end =
        QStringLiteral("Every match of the round has been played: OK finishes the round.");
    QCOMPARE(all.count(end), 1);
    QVERIFY(said.last().endsWith(end));
    QCOMPARE(match.size(), kQuarters);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdOK"));
    QCOMPARE(reader.heard().wrongFocus.join(QLatin1Char('|')), QString());
    qInfo().noquote() << "His match, as a reader hears it:\n" + match.join(QLatin1Char('\n'));
  }

  // Each value and control as a reader has it: its caption, its unit, its role.
  void namesCarryCaptionsAndUnits() {
    using A = QAccessible;
    const struct {
      const char *screen, *name;
      int role;
      const char* read;
    } rows[] = {
        {"hub", "lblBankBalance", A::StaticText, "Bank Balance: $15000"},
        {"hub", "lblHeight", A::StaticText, "Height: 191 cm"},
        {"hub", "frmMain", A::Window, "Kickmark - Career"},
        {"hub", "lblHeading", A::Heading, "Career Details"},
        {"setup", "lstHeight", A::ComboBox, "Height: 185 cm"},
        {"setup", "lstWeight", A::ComboBox, "Weight: 85 kg"},
        {"match", "lblGoalsTwo3", A::StaticText, "Carlton, 3rd quarter goals: 0"},
        {"match", "lblPointsOne", A::StaticText, "Collingwood, points: 0"},
        {"match", "cmdWatch", A::RadioButton, "Watch, about thirty seconds a quarter"},
        {"shop", "udKicking", A::SpinBox, "Kicking, UNITS YOU INTEND TO DEVELOP"},
    };
    for (const auto& [screen, name, role, read] : rows) {
      Career career = ACareer("Jack Dyer");
      career.Height = 191;
      career.BankBalance = Money::Dollars(15000);
      Session session(career);
      const std::string_view on(screen);
      std::unique_ptr<QWidget> shown;
      if (on == "hub") shown = std::make_unique<MainScreen>(session.game);
      if (on == "setup") {
        session.game.BeginSetup();
        shown = std::make_unique<SetupScreen>(session.game);
      }
      if (on == "shop") {
        auto shop = std::make_unique<ShopScreen>(session.game, Shop::Training);
        shop->Open();
        shown = std::move(shop);
      }
      if (on == "match") {
        session.game.BeginMatch("Collingwood", "Carlton");
        shown = std::make_unique<MatchScreen>(session.game);
      }
      shown->show();
      QWidget* widget =
          shown->objectName() == QLatin1String(name) ? shown.get() : Find(shown.get(), name);
      QAccessibleInterface* node = widget ? A::queryAccessibleInterface(widget) : nullptr;
      const auto heard = [name](const QString& text, int as) {
        return QStringLiteral("%1 reads \"%2\" as %3").arg(QLatin1String(name), text).arg(as);
      };
      QCOMPARE(node ? heard(node->text(A::Name), int(node->role())) : heard({}, -1),
               heard(QString::fromUtf8(read), role));
    }
  }

  // The paces are one group of options: the one chosen is checked, the others not; a shop's
  // arrows are worth the units chosen, and only the row whose units changed says so.
  void optionsAndValuesSayWhatTheyHold() {
    Session session(ACareer("Jack Dyer"));
    session.game.BeginMatch("Collingwood", "Carlton");
    MatchScreen match(session.game);
    match.show();
    QVERIFY(Click(&match, "cmdFast"));
    QString checked;
    for (const char* pace : {"cmdPause", "cmdWatch", "cmdNormal", "cmdFast"}) {
      const QAccessible::State state = Read(&match, pace)->state();
      QVERIFY(state.checkable);
      if (state.checked) checked += QLatin1String(pace);
    }
    QCOMPARE(checked, QStringLiteral("cmdFast"));

    session.career().BankBalance = Money::Dollars(100000);
    ShopScreen shop(session.game, Shop::Training);
    shop.Open();
    shop.show();
    Listening reader;
    QTest::keyClick(Find(&shop, "udKicking"), Qt::Key_Up);
    QCOMPARE(Read(&shop, "udKicking")->valueInterface()->currentValue().toInt(),
             TextOf(&shop, "lblKicking").toInt());
    QCOMPARE(reader.heard().valuesOf, QStringList{QStringLiteral("udKicking")});
    reader.heard().valuesOf.clear();
    QVERIFY(Click(&shop, "cmdMax"));
    QStringList changed;
    for (const char* row : {"Kicking", "Handballing", "Tackling", "Marking", "Running"}) {
      const QByteArray arrows = QByteArray("ud") + row;
      if (Read(&shop, arrows)->valueInterface()->currentValue().toInt() !=
          (QByteArray(row) == "Kicking" ? 1 : 0))
        changed << QString::fromLatin1(arrows);
    }
    QVERIFY(!changed.isEmpty());
    reader.heard().valuesOf.sort();
    changed.sort();
    QCOMPARE(reader.heard().valuesOf, changed);
  }

  // Picking an offer says YOUR CHOICE; pressing anything else in the row says how to pick;
  // offers screen without offers says there are none.
  void aChoiceIsNeverMadeInSilence() {
    Session session(ACareer("Jack Dyer"));
    const ClubList& clubs = Offered(session, 10);
    session.career().ContractMatches = 0;
    Listening reader;
    ContractsScreen screen(session.game);
    screen.show();
    auto* grid = Find<QTableWidget>(&screen, "grdContracts");
    grid->setFocus();
    grid->setCurrentCell(2, 0);
    QTest::keyClick(grid, Qt::Key_Space);
    QCOMPARE(reader.Said(),
             QStringList{"Enter or Space on the club's name, under Choice, picks its offer."});
    grid->setCurrentCell(2, 3);
    QTest::keyClick(grid, Qt::Key_Space);
    QCOMPARE(reader.Said(),
             QStringList{QStringLiteral("YOUR CHOICE: Team: %1, Offer: 420, Seasons: "
                                        "2. Sign is ready.")
                             .arg(ToQt(clubs[2]))});
    QCOMPARE(grid->item(2, 0)->data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("Team 3: ") + ToQt(clubs[2]));

    for (ContractOffer& row : session.game.contracts().rows) row = {};
    ContractsScreen empty(session.game);
    empty.show();
    QCOMPARE(reader.Said(), QStringList{"No club has made an offer."});
    QCOMPARE(Read(&empty, "grdContracts")->text(QAccessible::Description),
             QStringLiteral("No club has made an offer."));
  }

  // A grid's current cell reports the focus only while the grid has it, and is the same cell
  // when the focus comes back.
  void aGridCellIsFocusedOnlyWithTheGrid() {
    Session session(ACareer("Jack Dyer"));
    Offered(session, 0);
    ContractsScreen screen(session.game);
    screen.show();
    QApplication::setActiveWindow(&screen);
    auto* grid = Find<QTableWidget>(&screen, "grdContracts");
    QAccessibleTableInterface* table = Read(&screen, "grdContracts")->tableInterface();
    const auto focusedCells = [table] {
      QStringList focused;
      for (int row = 0; row < table->rowCount(); ++row)
        for (int column = 0; column < table->columnCount(); ++column)
          if (table->cellAt(row, column)->state().focused)
            focused << QStringLiteral("%1,%2").arg(row).arg(column);
      return focused;
    };
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(focusedCells(), QStringList{"1,3"});
    Find(&screen, "cmdOK")->setFocus();
    QCOMPARE(focusedCells(), QStringList());
    grid->setFocus(Qt::TabFocusReason);
    QCOMPARE(focusedCells(), QStringList{"1,3"});
  }

  // The paper holds the focus and is named by its masthead and headline, its story described.
  void theNewspaperIsReadAsItOpens() {
    NewspaperScreen paper(Story{"THE AGE", "DYER SIGNS", "Jack Dyer has signed with Richmond."});
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(&paper);
    QCOMPARE(read->text(QAccessible::Name), QStringLiteral("THE AGE: DYER SIGNS"));
    QCOMPARE(read->text(QAccessible::Description),
             QStringLiteral("Jack Dyer has signed with Richmond. Press any key to continue"));
    QVERIFY(paper.focusPolicy() & Qt::TabFocus);
  }
};

}  // namespace km::screens

QTEST_MAIN(km::screens::ReaderTest)
#include "reader_test.moc"
