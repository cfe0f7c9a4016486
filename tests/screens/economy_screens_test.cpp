// The training centre, the health centre and the gear store, the
// sponsorship screen and its five offer screens: what they show from the
// record, what their controls buy, and how they hand back.

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <string>
#include <vector>

#include "game/game.h"
#include "screens/look.h"
#include "screens/main_screen.h"
#include "screens/screen_parts.h"
#include "screens/screen_test_support.h"
#include "screens/shop_screen.h"
#include "screens/sponsorship_screen.h"
#include "support/scripted_ports.h"
#include "week/sponsors.h"

namespace km::screens {
namespace {

using testing::Click;
using testing::Find;
using testing::Messages;
using testing::ShownWindow;
using testing::TextOf;

// A running game with scripted ports around one career.
struct Session {
  km::testing::ScriptedRandom random;
  km::testing::ScriptedPrompter prompter;
  Game game{random, prompter, DataFolder{"."}};
  explicit Session(Career career) { game.Adopt(std::move(career)); }
  Career& career() { return game.career(); }
};

Career SomeCareer() {
  Career career = Career::Create();
  career.Name = "Tony Lockett";
  for (int* skill :
       {&career.Kicking, &career.Handballing, &career.Tackling, &career.Marking, &career.Running}) {
    *skill = 50;
  }
  career.Overall = 0;  // stale on purpose: a purchase works it out again
  return career;
}

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

  void shopsOpenWithTheirRowsPricedByCompetition() {
    struct Row {
      const char* name;
      const char* units;
      const char* rate;
      const char* amount;
      const char* chosen;
    };
    struct Case {
      Shop shop;
      const char* screen;
      const char* title;
      const char* heading;
      const char* unitsColumn;
      const char* league;
      std::vector<std::pair<int Career::*, int>> values;
      const char* before;
      const char* after;
      bool max;
      std::vector<Row> rows;  // top to bottom
    };
    const Case cases[] = {
        {Shop::Training,
         "frmTraining",
         "Kickmark - Training Centre",
         "TRAINING CENTRE RATES",
         "Available Units",
         "AFL",
         {{&Career::Kicking, 150}, {&Career::Marking, 200}, {&Career::Tackling, 199}},
         "300000",
         "300000",
         true,
         {{"Kicking", "50", "5000", "250000", "0"},
          {"Handballing", "150", "5000", "750000", "0"},
          {"Marking", "0", "3500", "0", "0"},
          {"Tackling", "1", "3500", "3500", "0"},
          {"Running", "150", "3500", "525000", "0"}}},
        {Shop::Health,
         "frmHealth",
         "Kickmark - Health Care",
         "HEALTH CARE CENTRE",
         "Required Units",
         "State",
         {{&Career::Fitness, 40}, {&Career::Stamina, 95}},
         "30000",
         "7500",
         false,
         {{"Fitness", "60", "350", "21000", "60"},
          {"Health", "0", "500", "0", "0"},
          {"Stamina", "5", "300", "1500", "5"}}},
        {Shop::Store,
         "frmStore",
         "Kickmark - Football Store",
         "FOOTBALL GEAR STORE",
         "Required Units",
         "Local Reserves",
         {{&Career::Boots, 50}, {&Career::Jumper, 80}, {&Career::Other, 70}},
         "30000",
         "5250",
         false,
         {{"Boots", "50", "225", "11250", "50"},
          {"Jumper", "20", "150", "3000", "20"},
          {"Shorts", "0", "100", "0", "0"},
          {"Other", "30", "350", "10500", "30"}}},
    };
    for (const Case& c : cases) {
      Career career = SomeCareer();
      career.League = c.league;
      career.BankBalance = *Money::Parse(c.before);
      for (const auto& [field, value] : c.values) career.*field = value;
      Session s(career);
      ShopScreen screen(s.game, c.shop);
      screen.Open();
      QCOMPARE(screen.objectName(), QString::fromLatin1(c.screen));
      QCOMPARE(screen.windowTitle(), QString::fromLatin1(c.title));
      QCOMPARE(TextOf(&screen, "lblHeading"), QString::fromLatin1(c.heading));
      QCOMPARE(testing::CutLabels(&screen), QString());
      bool captioned = false;
      for (auto* label : screen.findChildren<QLabel*>()) {
        captioned = captioned || label->text() == QString::fromLatin1(c.unitsColumn);
      }
      QVERIFY2(captioned, c.unitsColumn);
      QCOMPARE(Find<QPushButton>(&screen, "cmdMax") != nullptr, c.max);
      QCOMPARE(TextOf(&screen, "lblBalanceBefore"), QString::fromLatin1(c.before));
      QCOMPARE(TextOf(&screen, "lblBalanceAfter"), QString::fromLatin1(c.after));
      int above = -1;
      for (const Row& row : c.rows) {
        const QString name = QString::fromLatin1(row.name);
        const auto text = [&](const QString& label) {
          return TextOf(&screen, label.toLatin1().constData());
        };
        QCOMPARE(text(QStringLiteral("lbl%1Units").arg(name)), QString::fromLatin1(row.units));
        QCOMPARE(text(QStringLiteral("lbl%1Rate").arg(name)), QString::fromLatin1(row.rate));
        QCOMPARE(text(QStringLiteral("lbl%1Amount").arg(name)), QString::fromLatin1(row.amount));
        QCOMPARE(text(QStringLiteral("lbl%1").arg(name)), QString::fromLatin1(row.chosen));
        auto* spinner =
            Find<QSpinBox>(&screen, QStringLiteral("ud%1").arg(name).toLatin1().constData());
        QVERIFY2(spinner, row.name);
        QCOMPARE(spinner->value(), QString::fromLatin1(row.chosen).toInt());
        // The rows stand in the listed order.
        const int top = Find(&screen, QStringLiteral("lbl%1Units").arg(name).toLatin1().constData())
                            ->mapTo(&screen, QPoint(0, 0))
                            .y();
        QVERIFY2(top > above, row.name);
        above = top;
      }
      // Opening buys nothing.
      QVERIFY(s.career() == career);
    }
  }

  void trainingBuysWhatTheSpinnersChose() {
    Career career = SomeCareer();
    career.BankBalance = Money::Dollars(5000);
    Session s(career);
    ShopScreen screen(s.game, Shop::Training);
    QSignalSpy closed(&screen, &ShopScreen::closed);
    screen.Open();
    const QColor own = TextColour(&screen, "lblBalanceAfter");

    Step(&screen, "udMarking", Qt::Key_Up, 3);
    QCOMPARE(TextOf(&screen, "lblMarking"), QStringLiteral("3"));
    QCOMPARE(TextOf(&screen, "lblBalanceAfter"), QStringLiteral("2000"));
    QCOMPARE(TextColour(&screen, "lblBalanceAfter"), kInCreditText);
    Step(&screen, "udRunning", Qt::Key_Up, 2);
    QCOMPARE(TextOf(&screen, "lblRunning"), QStringLiteral("2"));
    // Spending every dollar leaves the colour as it was.
    QCOMPARE(TextOf(&screen, "lblBalanceAfter"), QStringLiteral("0"));
    QCOMPARE(TextColour(&screen, "lblBalanceAfter"), kInCreditText);
    QVERIFY(own != kInCreditText);
    QVERIFY(s.career() == career);

    QVERIFY(Click(&screen, "cmdOK"));
    QVERIFY(!screen.isVisible());
    QCOMPARE(closed.count(), 1);
    QVERIFY(s.prompter.messages.empty());
    QCOMPARE(s.career().BankBalance.cents(), 0);
    QCOMPARE(s.career().Marking, 53);
    QCOMPARE(s.career().Running, 52);
    QCOMPARE(s.career().Kicking, 50);
    QCOMPARE(s.career().Tackling, 50);
    // (50 × 1.25 × 2 + (50 + 53 + 52) × 0.833) / 5 = 50.82
    QCOMPARE(s.career().Overall, 51);
  }

  void aPurchaseTheBankCannotMeetIsRefused() {
    struct Case {
      Shop shop;
      int Career::*worn;
      bool useMax;
      const char* refusal;
    };
    const Case cases[] = {
        {Shop::Training, &Career::Kicking, true,
         "You do not have enough cash for that amount of training!"},
        {Shop::Health, &Career::Fitness, false,
         "You do not have enough money to pay for that level of service!"},
        {Shop::Store, &Career::Shorts, false,
         "You do not have enough money to purchase that much gear!"},
    };
    for (const Case& c : cases) {
      Career career = SomeCareer();
      career.BankBalance = Money::Dollars(10);
      career.*c.worn = 60;
      Session s(career);
      ShopScreen screen(s.game, c.shop);
      QSignalSpy closed(&screen, &ShopScreen::closed);
      screen.Open();
      if (c.useMax) QVERIFY(Click(&screen, "cmdMax"));
      QVERIFY(TextOf(&screen, "lblBalanceAfter").startsWith(QLatin1Char('-')));
      QCOMPARE(TextColour(&screen, "lblBalanceAfter"), kShortText);

      QVERIFY(Click(&screen, "cmdOK"));
      QCOMPARE(Messages(s.prompter), QStringList{QString::fromLatin1(c.refusal)});
      QVERIFY(screen.isVisible());
      QCOMPARE(closed.count(), 0);
      QVERIFY(s.career() == career);

      QVERIFY(Click(&screen, "cmdCancel"));
      QVERIFY(!screen.isVisible());
      QCOMPARE(closed.count(), 1);
      QVERIFY(s.career() == career);
    }
  }

  void loweringTheRestoreBringsItWithinTheBank() {
    Career career = SomeCareer();
    career.BankBalance = Money::Dollars(1000);
    career.Stamina = 90;
    career.HealthOverall = 97;
    Session s(career);
    ShopScreen screen(s.game, Shop::Health);
    screen.Open();
    QCOMPARE(TextOf(&screen, "lblBalanceAfter"), QStringLiteral("-500"));
    QVERIFY(Click(&screen, "cmdOK"));
    QCOMPARE(s.prompter.messages.size(), std::size_t{1});

    Step(&screen, "udStamina", Qt::Key_Down, 4);
    QCOMPARE(TextOf(&screen, "lblStamina"), QStringLiteral("6"));
    QCOMPARE(TextOf(&screen, "lblBalanceAfter"), QStringLiteral("100"));
    QCOMPARE(TextColour(&screen, "lblBalanceAfter"), kInCreditText);
    QVERIFY(Click(&screen, "cmdOK"));
    QVERIFY(!screen.isVisible());
    QCOMPARE(s.career().Stamina, 96);
    QCOMPARE(s.career().BankBalance.cents(), 100 * 100);
    QCOMPARE(s.career().HealthOverall, 99);  // 296 / 3
  }

  void spinnersWrapAroundTheirUnits() {
    Career career = SomeCareer();
    career.Kicking = 198;
    career.Handballing = 200;
    Session s(career);
    ShopScreen screen(s.game, Shop::Training);
    screen.Open();
    struct Move {
      const char* spinner;
      Qt::Key key;
      const char* label;
      int shown;
    };
    const Move moves[] = {
        // Below 0 goes round to every unit, past them back to 0.
        {"udKicking", Qt::Key_Down, "lblKicking", 2},
        {"udKicking", Qt::Key_Down, "lblKicking", 1},
        {"udKicking", Qt::Key_Up, "lblKicking", 2},
        {"udKicking", Qt::Key_Up, "lblKicking", 0},
        {"udKicking", Qt::Key_Up, "lblKicking", 1},
        // A skill at its cap has nothing to take either way.
        {"udHandballing", Qt::Key_Up, "lblHandballing", 0},
        {"udHandballing", Qt::Key_Down, "lblHandballing", 0},
    };
    for (const Move& m : moves) {
      Step(&screen, m.spinner, m.key);
      QCOMPARE(SpinnerValue(&screen, m.spinner), m.shown);
      QCOMPARE(TextOf(&screen, m.label), QString::number(m.shown));
    }
    // One unit of kicking at the Local Reserves rate.
    QCOMPARE(TextOf(&screen, "lblBalanceAfter"), QStringLiteral("13500"));
  }

  void maxChoosesEveryUnitAndLeavesTheSpinners() {
    Career career = SomeCareer();
    career.BankBalance = Money::Dollars(2000000);
    career.Kicking = 190;
    career.Handballing = 195;
    career.Tackling = 199;
    career.Marking = 200;
    career.Running = 180;
    Session s(career);
    ShopScreen screen(s.game, Shop::Training);
    screen.Open();
    Step(&screen, "udRunning", Qt::Key_Up, 3);
    QVERIFY(Click(&screen, "cmdMax"));
    const std::pair<const char*, const char*> chosen[] = {
        {"lblKicking", "10"}, {"lblHandballing", "5"}, {"lblTackling", "1"},
        {"lblMarking", "0"},  {"lblRunning", "20"},
    };
    for (const auto& [label, units] : chosen) {
      QCOMPARE(TextOf(&screen, label), QString::fromLatin1(units));
    }
    QCOMPARE(SpinnerValue(&screen, "udKicking"), 0);
    QCOMPARE(SpinnerValue(&screen, "udRunning"), 3);
    // 15 × 1500 + 21 × 1000 = 43500
    QCOMPARE(TextOf(&screen, "lblBalanceAfter"), QStringLiteral("1956500"));
    QVERIFY(Click(&screen, "cmdOK"));
    QCOMPARE(s.career().Kicking, 200);
    QCOMPARE(s.career().Running, 200);
    QCOMPARE(s.career().BankBalance.cents(), 1956500 * 100);
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

  void offerScreensTakeTheChosenCompany_data() {
    QTest::addColumn<QByteArray>("opener");
    QTest::addColumn<QByteArray>("screen");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QByteArray>("label");
    QTest::addColumn<QString>("weekly");
    // The tier's deals (boots 440, jumper 220, major 880, shorts 110,
    // socks 55) with one slot's deal swapped for Not Just Tennis's offer,
    // its base amount times 1.1.
    QTest::newRow("jumper") << QByteArray("shpJumper") << QByteArray("frmSponsorJumper")
                            << "Jumper Sponsorship"
                            << "JUMPER SPONSORSHIP OFFERS"
                            << "on your jumper" << QByteArray("lblJumper") << "1650";
    QTest::newRow("shorts") << QByteArray("shpShorts") << QByteArray("frmSponsorShorts")
                            << "Shorts Sponsorship"
                            << "SHORTS SPONSORSHIP OFFERS"
                            << "on your shorts" << QByteArray("lblShorts") << "1677";
    QTest::newRow("boots") << QByteArray("shpBoots") << QByteArray("frmSponsorBoots")
                           << "Boot Sponsorship"
                           << "BOOT SPONSORSHIP OFFERS"
                           << "on your boots" << QByteArray("lblBoots") << "1595";
    QTest::newRow("socks") << QByteArray("shpSocks") << QByteArray("frmSponsorSocks")
                           << "Sock Sponsorship"
                           << "SOCK SPONSORSHIP OFFERS"
                           << "on your socks" << QByteArray("lblSocks") << "1694";
    QTest::newRow("major") << QByteArray("cmdNegotiate") << QByteArray("frmSponsorMajor")
                           << "Major Sponsor"
                           << "MAJOR SPONSOR OFFERS"
                           << "major sponsor" << QByteArray("lblMajor") << "1595";
  }
  void offerScreensTakeTheChosenCompany() {
    QFETCH(QByteArray, opener);
    QFETCH(QByteArray, screen);
    QFETCH(QString, title);
    QFETCH(QString, heading);
    QFETCH(QString, item);
    QFETCH(QByteArray, label);
    QFETCH(QString, weekly);
    Career career = SomeCareer();
    career.Matches = 12;
    career.MatchRatingAverage = 8;
    Session s(career);
    PrepareWindow(s, 2, 4);
    SponsorshipScreen sponsorship(s.game);
    sponsorship.Open();
    QCOMPARE(sponsorship.windowTitle(), QStringLiteral("Kickmark - Sponsorship"));
    QCOMPARE(TextOf(&sponsorship, "lblRemaining"), QStringLiteral("12"));
    // Good form in the Local Reserves: the tier's company holds every slot.
    QCOMPARE(TextOf(&sponsorship, label.constData()), QStringLiteral("Lightning Auto Repairs"));

    QVERIFY(Click(&sponsorship, opener.constData()));
    QWidget* offers = ShownWindow(screen.constData());
    QVERIFY(offers);
    QVERIFY(!sponsorship.isEnabled());
    QCOMPARE(offers->windowTitle(), title);
    QCOMPARE(TextOf(offers, "lblHeading"), heading);
    QVERIFY(TextOf(offers, "lblMessage")
                .startsWith(QStringLiteral(
                    "The following companies have offered money for you to display their logo")));
    QVERIFY(TextOf(offers, "lblMessage").endsWith(item));

    // Each company's option and amount as the record holds them.
    const SponsorScreen& record = s.career().SponsorOffers[static_cast<std::size_t>(
        qobject_cast<SponsorOfferScreen*>(offers)->slot())];
    int enabled = 0;
    for (std::size_t i = 0; i < kCompanyCount; ++i) {
      const QByteArray key(kCompanies[i].key.data(),
                           static_cast<qsizetype>(kCompanies[i].key.size()));
      auto* option = Find<QRadioButton>(offers, ("opt" + key).constData());
      QVERIFY2(option, key.constData());
      QCOMPARE(option->text(), QString::fromStdString(std::string(kCompanies[i].shown)));
      QCOMPARE(option->isEnabled(), record.Offers[i].Enabled);
      QCOMPARE(option->isChecked(), record.Offers[i].Chosen);
      QCOMPARE(TextOf(offers, ("lbl" + key).constData()),
               QString::fromStdString(record.Offers[i].Amount.ToString()));
      enabled += option->isEnabled() ? 1 : 0;
    }
    QCOMPARE(enabled, 4);
    QVERIFY(Find<QRadioButton>(offers, "optLightningAutoRepairs")->isChecked());

    // A company without an offer cannot be taken.
    QVERIFY(Click(offers, "optNike"));
    QVERIFY(Find<QRadioButton>(offers, "optLightningAutoRepairs")->isChecked());

    QVERIFY(Click(offers, "optNotJustTennis"));
    QVERIFY(Click(offers, "cmdOK"));
    QVERIFY(!ShownWindow(screen.constData()));
    QVERIFY(sponsorship.isEnabled());
    QCOMPARE(TextOf(&sponsorship, label.constData()), QStringLiteral("Not Just Tennis"));
    QCOMPARE(QString::fromStdString(s.career().Sponsorship.ToString()), weekly);
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
    QCOMPARE(TextOf(&sponsorship, "lblRemaining"), QStringLiteral("13"));
    QVERIFY(Click(&sponsorship, "shpJumper"));
    QWidget* offers = ShownWindow("frmSponsorJumper");
    QVERIFY(offers);
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
    QVERIFY(!Find(&hub, "cmdPlay")->isEnabled());
    SponsorshipScreen sponsorship(s.game);
    QObject::connect(&sponsorship, &SponsorshipScreen::closed, &hub, [&hub] { HandBackTo(&hub); });
    sponsorship.Open();
    OpenFrom(&hub, &sponsorship);
    QVERIFY(!hub.isEnabled());

    // No sponsor needs choosing.
    QVERIFY(Click(&sponsorship, "cmdClose"));
    QVERIFY(!sponsorship.isVisible());
    QVERIFY(hub.isEnabled());
    QVERIFY(Find(&hub, "cmdPlay")->isEnabled());
    QVERIFY(!s.game.run().sponsorHighlight);
  }

  void slotsOpenOnlyAtAWindow() {
    Career career = SomeCareer();
    Session s(career);
    SponsorshipScreen screen(s.game);
    struct Visit {
      int week;
      const char* remaining;
      bool open;
    };
    const Visit visits[] = {
        {13, "11", false},
        // Outside the season the screen shows what it showed before.
        {26, "11", false},
        {12, "12", true},
        {0, "12", true},
        {23, "1", false},
        {25, "12", false},
    };
    for (const Visit& v : visits) {
      s.career().Matches = v.week;
      screen.Open();
      const QByteArray week = QByteArray::number(v.week);
      QVERIFY2(TextOf(&screen, "lblRemaining") == QLatin1String(v.remaining), week.constData());
      for (const char* name : {"shpJumper", "shpShorts", "shpBoots", "shpSocks", "cmdNegotiate"}) {
        QVERIFY2(Find(&screen, name)->isEnabled() == v.open, (week + " " + name).constData());
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
