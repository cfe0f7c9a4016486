// The hub: what it shows of the career record, which buttons it lets the
// player press, its letter keys, the about box and the quit question.

#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>

#include "core/new_career.h"
#include "game/game.h"
#include "screens/about_screen.h"
#include "screens/main_screen.h"
#include "screens/screen_test_support.h"
#include "support/scripted_ports.h"

namespace km::screens {
namespace {

using testing::Click;
using testing::Find;
using testing::Messages;
using testing::ShownWindow;
using testing::TextOf;

Career SomeCareer() {
  SetupAnswers answers;
  answers.careerName = "hub";
  answers.name = "Tony Lockett";
  answers.city = "Ballarat";
  answers.state = "Victoria";
  answers.position = "Full Forward";
  return CreateCareer(answers);
}

// The signals of the buttons whose screens are opened elsewhere.
constexpr const char* kRequests[] = {
    "playRequested",  "teamDetailsRequested", "trainingRequested", "healthRequested",
    "storeRequested", "sponsorshipRequested", "contractRequested", "recordsRequested",
};

}  // namespace

class MainScreenTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    prompter_ = std::make_unique<km::testing::ScriptedPrompter>();
    game_ = std::make_unique<Game>(random_, *prompter_, DataFolder{"."});
    game_->Adopt(SomeCareer());
    hub_ = std::make_unique<MainScreen>(*game_);
    hub_->show();
    spies_.clear();
    for (const char* request : kRequests) {
      const QByteArray signal = QByteArray("2") + request + "()";
      spies_.push_back(std::make_unique<QSignalSpy>(hub_.get(), signal.constData()));
    }
  }
  void cleanup() {
    spies_.clear();
    hub_.reset();
    game_.reset();
  }

  void showsTheRecordInTheGamesPatterns() {
    struct Case {
      const char* label;
      std::function<void(Career&)> set;
      const char* shown;
    };
    const Case cases[] = {
        {"lblName", [](Career& c) { c.Name = "Gary Ablett"; }, "Gary Ablett"},
        {"lblTeam", [](Career& c) { c.Team = "Geelong"; }, "Geelong"},
        {"lblState", [](Career& c) { c.State = "Tasmania"; }, "Tasmania"},
        {"lblLeague", [](Career& c) { c.League = "State"; }, "State"},
        {"lblPosition", [](Career& c) { c.Position = "Ruck Rover"; }, "Ruck Rover"},
        {"lblHeight", [](Career& c) { c.Height = 203; }, "203"},
        {"lblWeight", [](Career& c) { c.Weight = 61; }, "61"},
        {"lblAge", [](Career& c) { c.Age = 23; }, "23"},
        {"lblKicking", [](Career& c) { c.Kicking = 131; }, "131"},
        {"lblHandballing", [](Career& c) { c.Handballing = 132; }, "132"},
        {"lblTackling", [](Career& c) { c.Tackling = 133; }, "133"},
        {"lblMarking", [](Career& c) { c.Marking = 134; }, "134"},
        {"lblRunning", [](Career& c) { c.Running = 135; }, "135"},
        {"lblOverall", [](Career& c) { c.Overall = 97; }, "97"},
        {"lblMatches", [](Career& c) { c.Matches = 21; }, "21"},
        {"lblDisposals", [](Career& c) { c.Disposals = 402; }, "402"},
        {"lblGoals", [](Career& c) { c.Goals = 57; }, "57"},
        {"lblBehinds", [](Career& c) { c.Behinds = 31; }, "31"},
        {"lblMostDisposals", [](Career& c) { c.MostDisposals = 38; }, "38"},
        {"lblMostGoals", [](Career& c) { c.MostGoals = 9; }, "9"},
        {"lblBOGs", [](Career& c) { c.BOGs = 4; }, "4"},
        // Averages worked out from matches keep one decimal place, halves
        // away from zero; before his first match of the season they are 0.
        {"lblAverageDisposals",
         [](Career& c) {
           c.MatchesPlayed = 7;
           c.AverageDisposals = 19.14285;
         },
         "19.1"},
        {"lblAverageGoals",
         [](Career& c) {
           c.MatchesPlayed = 4;
           c.AverageGoals = 2.25;
         },
         "2.3"},
        {"lblAverageGoals",
         [](Career& c) {
           c.MatchesPlayed = 3;
           c.AverageGoals = 0;
         },
         "0.0"},
        {"lblAverageGoals", [](Career& c) { c.MatchesPlayed = 0; }, "0"},
        {"lblMatchRatingAverage",
         [](Career& c) {
           c.MatchesPlayed = 2;
           c.MatchRatingAverage = 6.95;
         },
         "7.0"},
        // The summed ratings are shown as they add up.
        {"lblMatchRating", [](Career& c) { c.MatchRating = 45.3; }, "45.3"},
        // Money: whole dollars, and cents only where a deal has them.
        {"lblWages", [](Career& c) { c.Wages = Money::Dollars(350); }, "350"},
        {"lblSponsorship", [](Career& c) { c.Sponsorship = Money::Cents(24750); }, "247.5"},
        {"lblOtherIncome", [](Career& c) { c.OtherIncome = Money::Cents(7875); }, "78.75"},
        {"lblBankBalance", [](Career& c) { c.BankBalance = Money::Dollars(-1200); }, "-1200"},
    };
    for (const Case& test : cases) {
      test.set(game_->career());
      hub_->refresh();
      QCOMPARE(TextOf(hub_.get(), test.label), QString::fromUtf8(test.shown));
    }
  }

  void barsShowTheirNumbers() {
    struct Case {
      const char* bar;
      int Career::*field;
    };
    const Case cases[] = {
        {"pbBoots", &Career::Boots},
        {"pbJumper", &Career::Jumper},
        {"pbShorts", &Career::Shorts},
        {"pbOther", &Career::Other},
        {"pbGearOverall", &Career::GearOverall},
        {"pbFitness", &Career::Fitness},
        {"pbHealth", &Career::Health},
        {"pbStamina", &Career::Stamina},
        {"pbHealthOverall", &Career::HealthOverall},
    };
    int value = 11;
    for (const Case& test : cases) {
      game_->career().*test.field = value;
      hub_->refresh();
      auto* bar = Find<QProgressBar>(hub_.get(), test.bar);
      QVERIFY2(bar, test.bar);
      QCOMPARE(bar->value(), value);
      QCOMPARE(bar->text(), QString::number(value));
      value += 7;
    }
    // An empty bar still shows its number.
    game_->career().Fitness = 0;
    hub_->refresh();
    QCOMPARE(TextOf(hub_.get(), "pbFitness"), QStringLiteral("0"));
  }

  void switchesDecideWhichButtonsCanBePressed_data() {
    QTest::addColumn<bool>("play");
    QTest::addColumn<bool>("sponsorship");
    QTest::addColumn<bool>("contract");
    QTest::newRow("all open") << true << true << true;
    QTest::newRow("all closed") << false << false << false;
    QTest::newRow("play and contract") << true << false << true;
    QTest::newRow("sponsorship only") << false << true << false;
  }
  void switchesDecideWhichButtonsCanBePressed() {
    QFETCH(bool, play);
    QFETCH(bool, sponsorship);
    QFETCH(bool, contract);
    game_->career().PlayOpen = play;
    game_->career().SponsorshipOpen = sponsorship;
    game_->career().ContractOpen = contract;
    hub_->refresh();
    QCOMPARE(Find<QPushButton>(hub_.get(), "cmdPlay")->isEnabled(), play);
    QCOMPARE(Find<QPushButton>(hub_.get(), "cmdSponsorship")->isEnabled(), sponsorship);
    QCOMPARE(Find<QPushButton>(hub_.get(), "cmdContract")->isEnabled(), contract);
    // Nothing ever opens the ladder table.
    QVERIFY(!Find<QPushButton>(hub_.get(), "cmdLadderStats")->isEnabled());
    for (const char* always : {"cmdTeamDetails", "cmdRecords", "cmdAbout", "cmdExit"}) {
      QVERIFY2(Find<QPushButton>(hub_.get(), always)->isEnabled(), always);
    }
    // All three closed is a retired player: the week's shops close too.
    const bool retired = !play && !sponsorship && !contract;
    for (const char* shop : {"cmdTraining", "cmdHealth", "cmdStore"}) {
      QVERIFY2(Find<QPushButton>(hub_.get(), shop)->isEnabled() == !retired, shop);
    }
  }

  void letterKeysWorkWhereverTheFocusIs_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("contractOpen");
    QTest::addColumn<QStringList>("requests");
    const auto none = static_cast<int>(Qt::NoModifier);
    const auto shift = static_cast<int>(Qt::ShiftModifier);
    QTest::newRow("T") << int(Qt::Key_T) << none << true << QStringList{"trainingRequested"};
    QTest::newRow("H") << int(Qt::Key_H) << none << true << QStringList{"healthRequested"};
    QTest::newRow("S") << int(Qt::Key_S) << none << true << QStringList{"storeRequested"};
    QTest::newRow("O") << int(Qt::Key_O) << none << true << QStringList{"sponsorshipRequested"};
    QTest::newRow("C") << int(Qt::Key_C) << none << true << QStringList{"contractRequested"};
    QTest::newRow("R") << int(Qt::Key_R) << none << true << QStringList{"recordsRequested"};
    QTest::newRow("shift R") << int(Qt::Key_R) << shift << true << QStringList{"recordsRequested"};
    // The letter runs the button's action although the button is disabled.
    QTest::newRow("C, contract closed")
        << int(Qt::Key_C) << none << false << QStringList{"contractRequested"};
    QTest::newRow("shift C, contract closed")
        << int(Qt::Key_C) << shift << false << QStringList{"contractRequested"};
    // Other keys do nothing; Ctrl belongs to shortcuts.
    QTest::newRow("P") << int(Qt::Key_P) << none << true << QStringList{};
    QTest::newRow("X") << int(Qt::Key_X) << none << true << QStringList{};
    QTest::newRow("ctrl C") << int(Qt::Key_C) << int(Qt::ControlModifier) << true << QStringList{};
  }
  void letterKeysWorkWhereverTheFocusIs() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, contractOpen);
    QFETCH(QStringList, requests);
    game_->career().ContractOpen = contractOpen;
    hub_->refresh();
    // The key goes to a button inside a frame-less corner of the hub, not to
    // the hub itself.
    auto* focused = Find<QPushButton>(hub_.get(), "cmdExit");
    QTest::keyClick(focused, static_cast<Qt::Key>(key),
                    static_cast<Qt::KeyboardModifiers>(modifiers));
    QCOMPARE(Requests(), requests);
    QVERIFY(!ShownWindow("frmAbout"));
  }

  void aboutOpensFromItsLetterAndHoldsTheHubUntilOK() {
    auto* focused = Find<QPushButton>(hub_.get(), "cmdTraining");
    QTest::keyClick(focused, Qt::Key_A);
    QWidget* about = ShownWindow("frmAbout");
    QVERIFY(about);
    QVERIFY(!hub_->isEnabled());
    QCOMPARE(about->windowTitle(), QStringLiteral("About Kickmark"));
    QCOMPARE(TextOf(about, "lblVersion"), QStringLiteral("Version " KICKMARK_PROJECT_VERSION));

    // The hub takes no keys while the about box is up.
    QTest::keyClick(focused, Qt::Key_C);
    QCOMPARE(Requests(), QStringList{});

    QVERIFY(Click(about, "cmdSysInfo"));
    QCOMPARE(Messages(*prompter_),
             QStringList{QStringLiteral("System Information Is Unavailable At This Time")});

    QVERIFY(Click(about, "cmdOK"));
    QVERIFY(!ShownWindow("frmAbout"));
    QVERIFY(hub_->isEnabled());
    QTest::keyClick(focused, Qt::Key_C);
    QCOMPARE(Requests(), QStringList{QStringLiteral("contractRequested")});
  }

  void takingOverAgainShowsTheRecordAsLeft_data() {
    QTest::addColumn<bool>("hidden");  // or only disabled
    QTest::newRow("after a screen opened over it") << false;
    QTest::newRow("after the team page") << true;
  }
  void takingOverAgainShowsTheRecordAsLeft() {
    QFETCH(bool, hidden);
    if (hidden) {
      hub_->hide();
    } else {
      hub_->setEnabled(false);
    }
    // What a finished match leaves in the record.
    game_->career().BankBalance = Money::Dollars(16125);
    game_->career().Disposals = 23;
    if (hidden) {
      hub_->show();
    } else {
      hub_->setEnabled(true);
    }
    QCOMPARE(TextOf(hub_.get(), "lblBankBalance"), QStringLiteral("16125"));
    QCOMPARE(TextOf(hub_.get(), "lblDisposals"), QStringLiteral("23"));
  }

 private:
  // The screens the hub asked for, in the order of kRequests.
  QStringList Requests() const {
    QStringList asked;
    for (std::size_t i = 0; i < spies_.size(); ++i) {
      for (qsizetype n = 0; n < spies_[i]->count(); ++n) asked << QString::fromLatin1(kRequests[i]);
    }
    return asked;
  }

  km::testing::ScriptedRandom random_;
  std::unique_ptr<km::testing::ScriptedPrompter> prompter_;
  std::unique_ptr<Game> game_;
  std::unique_ptr<MainScreen> hub_;
  std::vector<std::unique_ptr<QSignalSpy>> spies_;
};

}  // namespace km::screens

QTEST_MAIN(km::screens::MainScreenTest)
#include "main_screen_test.moc"
