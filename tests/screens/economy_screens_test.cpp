// The training centre, the health centre and the gear store, the
// sponsorship screen and its five offer screens: what they show from the
// record, what their controls buy, and how they hand back.

#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include "screens/look.h"
#include "screens/main_screen.h"
#include "screens/qt_text.h"
#include "screens/screen_parts.h"
#include "screens/screen_test_support.h"
#include "screens/shop_screen.h"
#include "screens/sponsorship_screen.h"
#include "week/sponsors.h"

namespace km::screens {
namespace {

using namespace testing;

Career SomeCareer() { return ACareer("Tony Lockett"); }

// The colour a label's text is drawn in.
QColor TextColour(const QWidget* root, const char* name) {
  auto* label = Find<QLabel>(root, name);
  if (!label) return {};
  label->ensurePolished();
  return label->palette().color(label->foregroundRole());
}

// The balance after purchase's text: white on the red when the purchase is
// more than the bank holds, blue while money is left over.
const QColor kShortText(255, 255, 255);
const QColor kInCreditText(0x1f, 0x3a, 0x93);

// Steps a spinner with the keyboard's arrow keys, as the player would.
void Step(const QWidget* root, const char* name, Qt::Key key, int times = 1) {
  auto* spinner = Find<QSpinBox>(root, name);
  QVERIFY2(spinner, name);
  for (int i = 0; i < times; ++i) QTest::keyClick(spinner, key);
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

}  // namespace

class EconomyScreensTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // The game's style sheet is on, as in the game: the balance's colours must
  // come through it.
  void initTestCase() { ApplyGameLook(*qApp); }

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
    const QStringList marking{TextOf(&screen, "lblMarkingUnits"), TextOf(&screen, "lblMarkingRate"),
                              TextOf(&screen, "lblMarkingAmount"), TextOf(&screen, "lblMarking")};
    QCOMPARE(marking, (QStringList{"152", "1000", "152000", "0"}));
    int above = -1;
    for (const char* row : {"lblKickingUnits", "lblHandballingUnits", "lblMarkingUnits",
                            "lblTacklingUnits", "lblRunningUnits"}) {
      const int top = Find(&screen, row)->mapTo(&screen, QPoint(0, 0)).y();
      QVERIFY2(top > above, row);
      above = top;
    }
    const QColor own = TextColour(&screen, "lblBalanceAfter");

    Step(&screen, "udMarking", Qt::Key_Up, 5);
    QCOMPARE(TextOf(&screen, "lblMarking"), QStringLiteral("5"));
    QCOMPARE(TextOf(&screen, "lblBalanceAfter"), QStringLiteral("0"));
    // Spending every dollar keeps the colour of money left over.
    QCOMPARE(TextColour(&screen, "lblBalanceAfter"), kInCreditText);
    QVERIFY(own != kInCreditText);
    QVERIFY(s.career() == career);

    QVERIFY(Click(&screen, "cmdOK"));
    QVERIFY(!screen.isVisible());
    QCOMPARE(closed.count(), 1);
    QVERIFY(s.prompter.messages.empty());
    QCOMPARE(s.career().BankBalance.cents(), 0);
    QCOMPARE(s.career().Marking, 53);
    QCOMPARE(s.career().Kicking, 50);
    QCOMPARE(s.career().Overall, 50);
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
    QCOMPARE(TextOf(&screen, "lblStamina"), QStringLiteral("6"));
    QCOMPARE(TextOf(&screen, "lblBalanceAfter"), QStringLiteral("100"));
    QCOMPARE(TextColour(&screen, "lblBalanceAfter"), kInCreditText);
    QVERIFY(Click(&screen, "cmdOK"));
    QCOMPARE(closed.count(), 1);
    QCOMPARE(s.career().Stamina, 96);
    QCOMPARE(s.career().BankBalance.cents(), 100 * 100);
  }

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

    // The cancelled choice is forgotten: the full repair is chosen again.
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
    QCOMPARE(TextOf(&screen, "lblBootsUnits"), QStringLiteral("7"));
    QCOMPARE(TextOf(&screen, "lblBalanceBefore"), QStringLiteral("777"));
    QCOMPARE(TextOf(&screen, "lblBalanceAfter"), QStringLiteral("-798"));
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
    QCOMPARE(TextOf(&screen, "lblKicking"), QStringLiteral("2"));
    QCOMPARE(TextOf(&screen, "lblRunning"), QStringLiteral("150"));
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
    QTest::newRow("jumper") << QByteArray("shpJumper") << QByteArray("frmSponsorJumper")
                            << QByteArray("lblJumper") << "1650";
    QTest::newRow("shorts") << QByteArray("shpShorts") << QByteArray("frmSponsorShorts")
                            << QByteArray("lblShorts") << "1677";
    QTest::newRow("boots") << QByteArray("shpBoots") << QByteArray("frmSponsorBoots")
                           << QByteArray("lblBoots") << "1595";
    QTest::newRow("socks") << QByteArray("shpSocks") << QByteArray("frmSponsorSocks")
                           << QByteArray("lblSocks") << "1694";
    QTest::newRow("major") << QByteArray("cmdNegotiate") << QByteArray("frmSponsorMajor")
                           << QByteArray("lblMajor") << "1595";
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
    QVERIFY(offers);
    QVERIFY(!sponsorship.isEnabled());
    // Each company's option and amount as the record holds them.
    const SponsorScreen& record = s.career().SponsorOffers[static_cast<std::size_t>(
        qobject_cast<SponsorOfferScreen*>(offers)->slot())];
    for (std::size_t i = 0; i < kCompanyCount; ++i) {
      const QByteArray key(kCompanies[i].key.data(),
                           static_cast<qsizetype>(kCompanies[i].key.size()));
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
    QCOMPARE(TextOf(&sponsorship, label.constData()), QStringLiteral("Not Just Tennis"));
    QCOMPARE(ToQt(s.career().Sponsorship.ToString()), weekly);
    // The other slots keep their deals.
    int others = 0;
    for (const char* slot : {"lblMajor", "lblJumper", "lblShorts", "lblBoots", "lblSocks"}) {
      if (TextOf(&sponsorship, slot) == QLatin1String("Lightning Auto Repairs")) ++others;
    }
    QCOMPARE(others, 4);
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

  void closeFreesPlayAtAWindow() {
    Career career = SomeCareer();
    career.Matches = 12;
    Session s(career);
    PrepareWindow(s, 1, 1);
    MainScreen hub(s.game);
    hub.show();
    QVERIFY(!IsEnabled(&hub, "cmdPlay"));
    SponsorshipScreen sponsorship(s.game);
    QObject::connect(&sponsorship, &SponsorshipScreen::closed, &hub, [&hub] { HandBackTo(&hub); });
    sponsorship.Open();
    OpenFrom(&hub, &sponsorship);
    QVERIFY(!hub.isEnabled());

    // No sponsor needs choosing.
    QVERIFY(Click(&sponsorship, "cmdClose"));
    QVERIFY(!sponsorship.isVisible());
    QVERIFY(hub.isEnabled());
    QVERIFY(IsEnabled(&hub, "cmdPlay"));
    QVERIFY(!s.game.run().sponsorHighlight);
  }

  void slotsOpenOnlyAtAWindow() {
    Session s(SomeCareer());
    SponsorshipScreen screen(s.game);
    // Outside the season the screen shows what it showed before.
    for (const auto& [week, remaining, open] :
         {std::tuple{13, "11", false}, {26, "11", false}, {12, "12", true}}) {
      s.career().Matches = week;
      screen.Open();
      QCOMPARE(TextOf(&screen, "lblRemaining"), QString::fromLatin1(remaining));
      for (const char* name : {"shpJumper", "shpShorts", "shpBoots", "shpSocks", "cmdNegotiate"}) {
        QVERIFY2(IsEnabled(&screen, name) == open, name);
      }
      QVERIFY(Click(&screen, "cmdClose"));
    }
    // A closed slot opens nothing.
    s.career().Matches = 13;
    screen.Open();
    QVERIFY(Click(&screen, "shpJumper"));
    QVERIFY(!ShownWindow("frmSponsorJumper"));
    QVERIFY(screen.isEnabled());
  }
};

}  // namespace km::screens

QTEST_MAIN(km::screens::EconomyScreensTest)
#include "economy_screens_test.moc"
