// The hub and the screens that show the record: what the hub shows of the
// career, which of its buttons and letters work, the about box and the
// newspaper over it; the records and their awards, the ladder and the team
// page, and how each hands back to the screen that opened it. Then the
// position screen, the real Prompter's message boxes and the game's start-up
// options.

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "core/career_fields.h"
#include "screens/about_screen.h"
#include "screens/ladder_screen.h"
#include "screens/launch_options.h"
#include "screens/look.h"
#include "screens/main_screen.h"
#include "screens/position_screen.h"
#include "screens/qt_prompter.h"
#include "screens/qt_text.h"
#include "screens/records_screen.h"
#include "screens/screen_test_support.h"
#include "screens/team_screen.h"

Q_DECLARE_METATYPE(km::Icon)

namespace km::screens {
namespace {

using namespace testing;

// Sixteen clubs; the fourth row has won the most, the eighth is second.
Career SomeCareer() {
  Career career = ACareer("Jim Stynes", "Ruck");
  for (std::size_t i = 0; i < kLadderRows; ++i) {
    career.Ladder[i] = {"Club " + std::to_string(i + 1), 1, 3, 0, 200, 300};
  }
  career.Ladder[3] = {"Frankston", 3, 0, 1, 450, 300};
  career.Ladder[7] = {"Seaford", 2, 1, 1, 400, 300};
  return career;
}

bool Set(Career& career, const char* field, const char* value) {
  const CareerField* f = FindCareerField(field);
  return f && f->set(career, value);
}

// Writes each entry's value to its field, refreshes the screen and gives the
// entries it shows otherwise, with what it shows. An entry is a label or a
// bar, named after its field with a lower-case prefix, "=" and the value
// written, and after ">" what is shown if that is not the value itself.
QString Misshown(Career& career, const QString& entries, QWidget* screen,
                 const std::function<void()>& refresh) {
  QStringList wrong;
  for (const QString& entry : entries.split(QLatin1Char('|'))) {
    const QString label = entry.section(QLatin1Char('='), 0, 0);
    const QString value = entry.section(QLatin1Char('='), 1).section(QLatin1Char('>'), 0, 0);
    const QString field = label.mid(label.indexOf(QRegularExpression(QStringLiteral("[A-Z]"))));
    if (!Set(career, qPrintable(field), qPrintable(value)))
      wrong << entry + QStringLiteral(": unset");
  }
  refresh();
  for (const QString& entry : entries.split(QLatin1Char('|'))) {
    const QString label = entry.section(QLatin1Char('='), 0, 0);
    const QString shown = TextOf(screen, qPrintable(label));
    if (shown != entry.section(QLatin1Char('='), 1).section(QLatin1Char('>'), -1)) {
      wrong << entry + QStringLiteral(": ") + shown;
    }
  }
  return wrong.join(QStringLiteral(", "));
}

// The signals of the buttons whose screens are opened elsewhere.
constexpr const char* kRequests[] = {
    "playRequested",  "teamDetailsRequested", "trainingRequested", "healthRequested",
    "storeRequested", "sponsorshipRequested", "contractRequested", "recordsRequested",
};

// What a message box looked like when it came up.
struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString defaultButton;
  int buttons = 0;
};

// Waits for the next modal message box, notes what it shows and presses
// Enter on it.
void PressEnterOnNextBox(SeenBox& seen) {
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
    seen.buttons = static_cast<int>(box->buttons().size());
    QTest::keyClick(box, Qt::Key_Return);
  });
}

// The colour a top-level window is painted in, just inside its top left
// corner.
QColor GroundOf(QWidget* window) { return QColor(window->grab().toImage().pixel(2, 2)); }

}  // namespace

class HubScreensTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // The game's own look is on, as in the game.
  void initTestCase() { ApplyGameLook(*qApp); }
  void init() {
    session_ = std::make_unique<Session>(SomeCareer());
    hub_ = std::make_unique<MainScreen>(session_->game);
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
    session_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Each label and bar shows its own field, in the game's patterns:
  // averages with one decimal place, money with cents only where it has them.
  void theHubShowsTheRecord() {
    QVERIFY(Set(session_->career(), "MatchesPlayed", "7"));
    const QString misshown = Misshown(
        session_->career(),
        QStringLiteral("lblName=Gary Ablett|lblTeam=Geelong|lblState=Tasmania|lblLeague=State|"
                       "lblPosition=Ruck Rover|lblHeight=203|lblWeight=61|lblAge=23|lblKicking=131|"
                       "lblHandballing=132|lblTackling=133|lblMarking=134|lblRunning=135|"
                       "lblOverall=97|lblMatches=21|lblDisposals=402|lblGoals=57|lblBehinds=31|"
                       "lblMostDisposals=38|lblMostGoals=9|lblBOGs=4|lblMatchRating=45.3|"
                       "lblWages=350|lblSponsorship=247.5|lblOtherIncome=78.75|"
                       "lblBankBalance=-1200|pbBoots=11|pbJumper=12|pbShorts=13|pbOther=14|"
                       "pbGearOverall=15|pbFitness=16|pbHealth=17|pbStamina=18|pbHealthOverall=19|"
                       "lblAverageDisposals=19.14285>19.1|lblAverageGoals=2.25>2.3|"
                       "lblMatchRatingAverage=6.95>7.0"),
        hub_.get(), [this] { hub_->refresh(); });
    QCOMPARE(misshown, QString());
  }

  void switchesDecideWhichButtonsCanBePressed_data() {
    QTest::addColumn<bool>("play");
    QTest::addColumn<bool>("sponsorship");
    QTest::addColumn<bool>("contract");
    QTest::newRow("all open") << true << true << true;
    // All three closed is a retired player: the week's shops close too.
    QTest::newRow("retired") << false << false << false;
    QTest::newRow("waiting for a contract") << false << false << true;
    QTest::newRow("sponsorship only") << false << true << false;
  }
  void switchesDecideWhichButtonsCanBePressed() {
    QFETCH(bool, play);
    QFETCH(bool, sponsorship);
    QFETCH(bool, contract);
    SetSwitches(play, sponsorship, contract);
    QCOMPARE(IsEnabled(hub_.get(), "cmdPlay"), play);
    QCOMPARE(IsEnabled(hub_.get(), "cmdSponsorship"), sponsorship);
    QCOMPARE(IsEnabled(hub_.get(), "cmdContract"), contract);
    // Nothing ever opens the ladder table.
    QVERIFY(!IsEnabled(hub_.get(), "cmdLadderStats"));
    for (const char* always : {"cmdTeamDetails", "cmdRecords", "cmdAbout", "cmdExit"}) {
      QVERIFY2(IsEnabled(hub_.get(), always), always);
    }
    const bool retired = !play && !sponsorship && !contract;
    for (const char* shop : {"cmdTraining", "cmdHealth", "cmdStore"}) {
      QVERIFY2(IsEnabled(hub_.get(), shop) == !retired, shop);
    }
  }

  // The letter runs the button's action whatever has the focus and even
  // when the button is disabled; once retired, only the screens that show
  // the career. (The flow test opens every screen of the week by its letter.)
  void letterKeysWorkWhereverTheFocusIs_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("retired");
    QTest::addColumn<QString>("request");
    const int none = Qt::NoModifier;
    QTest::newRow("T") << int(Qt::Key_T) << none << false << "trainingRequested";
    QTest::newRow("C, contract closed") << int(Qt::Key_C) << none << false << "contractRequested";
    QTest::newRow("shift R") << int(Qt::Key_R) << int(Qt::ShiftModifier) << false
                             << "recordsRequested";
    // Other keys do nothing; Ctrl belongs to shortcuts.
    QTest::newRow("P") << int(Qt::Key_P) << none << false << "";
    QTest::newRow("ctrl C") << int(Qt::Key_C) << int(Qt::ControlModifier) << false << "";
    for (const auto key : {Qt::Key_T, Qt::Key_C, Qt::Key_O, Qt::Key_S, Qt::Key_H}) {
      QTest::addRow("%c, retired", key) << int(key) << none << true << "";
    }
    QTest::newRow("R, retired") << int(Qt::Key_R) << none << true << "recordsRequested";
  }
  void letterKeysWorkWhereverTheFocusIs() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, retired);
    QFETCH(QString, request);
    SetSwitches(!retired, !retired, false);
    QTest::keyClick(Find(hub_.get(), "cmdExit"), static_cast<Qt::Key>(key),
                    static_cast<Qt::KeyboardModifiers>(modifiers));
    QCOMPARE(Requests(), request);
    QVERIFY(!ShownWindow("frmAbout"));
  }

  void aboutOpensFromItsLetterAndHoldsTheHubUntilOK() {
    auto* focused = Find(hub_.get(), "cmdTraining");
    QTest::keyClick(focused, Qt::Key_A);
    QWidget* about = ShownWindow("frmAbout");
    QVERIFY(about);
    QVERIFY(!hub_->isEnabled());
    QCOMPARE(TextOf(about, "lblVersion"), QStringLiteral("Version " KICKMARK_PROJECT_VERSION));
    // The hub takes no keys while the about box is up.
    QTest::keyClick(focused, Qt::Key_C);
    QCOMPARE(Requests(), QString());
    QVERIFY(Click(about, "cmdSysInfo"));
    QCOMPARE(Messages(session_->prompter),
             QStringList{QStringLiteral("System Information Is Unavailable At This Time")});
    QVERIFY(Click(about, "cmdOK"));
    QVERIFY(!ShownWindow("frmAbout"));
    QVERIFY(hub_->isEnabled());
    QTest::keyClick(focused, Qt::Key_C);
    QCOMPARE(Requests(), QStringLiteral("contractRequested"));
  }

  // Shown again after the team page, the hub shows the record as it was
  // left. (Enabled again after a screen over it, likewise: the week's test
  // finds the round on it.)
  void takingOverAgainShowsTheRecordAsLeft() {
    hub_->hide();
    session_->career().BankBalance = Money::Dollars(16125);
    hub_->show();
    QCOMPARE(TextOf(hub_.get(), "lblBankBalance"), QStringLiteral("16125"));
  }

  // The paper comes up over a disabled hub; a key or a click anywhere on it
  // puts it away, and the hub wakes unless the draft is due.
  void theNewspaperHandsBackToTheHubUnlessTheDraftIsDue_data() {
    QTest::addColumn<QByteArray>("clicked");  // empty: a key instead
    QTest::addColumn<int>("draftDue");
    QTest::newRow("key") << QByteArray() << 0;
    QTest::newRow("click on the headline") << QByteArray("lblHeadline") << 0;
    QTest::newRow("click on the paper") << QByteArray("frmNewspaper") << 0;
    QTest::newRow("click, draft due") << QByteArray("lblText") << 1;
  }
  void theNewspaperHandsBackToTheHubUnlessTheDraftIsDue() {
    QFETCH(QByteArray, clicked);
    QFETCH(int, draftDue);
    QtPrompter real;
    Game game(session_->random, real, DataFolder{"."});
    game.Adopt(SomeCareer());
    game.career().DraftDue = draftDue;
    MainScreen hub(game);
    hub.show();
    real.SetHub([&hub] { return &hub; });
    bool hubAwakeUnderThePaper = true;
    QStringList story;
    QTimer::singleShot(0, [&] {
      QWidget* paper = QApplication::activeModalWidget();
      if (!paper || paper->objectName() != QStringLiteral("frmNewspaper")) return;
      hubAwakeUnderThePaper = hub.isEnabled();
      story = QStringList{TextOf(paper, "lblNewspaperName"), TextOf(paper, "lblHeadline"),
                          TextOf(paper, "lblText")};
      if (clicked.isEmpty()) {
        QTest::keyClick(paper, Qt::Key_Space);
      } else {
        QTest::mouseClick(clicked == "frmNewspaper" ? paper : Find(paper, clicked.constData()),
                          Qt::LeftButton);
      }
    });
    static_cast<Prompter&>(real).publish({"The Age", "Roos Signs On", "A new contract."});
    QCOMPARE(story, (QStringList{"The Age", "Roos Signs On", "A new contract."}));
    QVERIFY(!hubAwakeUnderThePaper);
    QCOMPARE(hub.isEnabled(), draftDue == 0);
  }

  // The records show each competition's figures as they are when the
  // screen opens; each competition's awards open beside them, and OK puts
  // away the award list only.
  void recordsAndAwards() {
    Career career = SomeCareer();
    RecordsScreen records(career);
    records.show();
    QCOMPARE(TextOf(&records, "lblName"), QStringLiteral("Jim Stynes"));
    // Career averages show one or two decimal places once he has played.
    const QString misshown =
        Misshown(career,
                 QStringLiteral("lblLocalMatches=12|lblRegionalDisposals=301|lblStateMatches=8|"
                                "lblStateAverageGoals=2.125>2.13|lblAFLBOGs=4"),
                 &records, [&records] { records.refresh(); });
    QCOMPARE(misshown, QString());
    QVERIFY(Set(career, "StateMatchesAward", "3"));
    QVERIFY(Click(&records, "cmdStateAwards"));
    QWidget* awards = ShownWindow("frmStateAwards");
    QVERIFY(awards);
    QVERIFY(records.isEnabled());
    QCOMPARE(TextOf(awards, "lblMatches"), QStringLiteral("3"));
    QVERIFY(Click(awards, "cmdOK"));
    QVERIFY(!ShownWindow("frmStateAwards"));
    QVERIFY(records.isVisible());
  }

  // The ladder's rows in ladder order, titled after the competition he is
  // in now.
  void theLadder() {
    Career career = SomeCareer();
    LadderScreen ladder(career);
    career.League = "State";
    ladder.refresh();
    QCOMPARE(ladder.windowTitle() + "|" + TextOf(&ladder, "lblTitle"),
             QStringLiteral("State Ladder|State Ladder"));
    auto* grid = Find<QTableWidget>(&ladder, "grdLadder");
    QStringList cells;
    for (int column = 0; column < grid->columnCount(); ++column) {
      cells << grid->item(1, column)->text();
    }
    QCOMPARE(cells,
             (QStringList{"2nd", "Seaford", "4", "2", "1", "1", "400", "300", "133.3", "10"}));
  }

  void theTeamPageShowsTheClubAndItsLeaguePosition() {
    Career& career = session_->career();
    career.Team = "Seaford";
    career.TeamMatches = 4;
    career.TeamDraws = 1;
    career.TeamBehinds = 38;
    TeamScreen team(session_->game);
    team.show();
    QStringList shown;
    for (const char* label : {"lblTeam", "lblLeague", "lblMatches", "lblDraws", "lblBehinds"}) {
      shown << TextOf(&team, label);
    }
    QCOMPARE(shown, (QStringList{"Seaford", "Local Reserves", "4", "1", "38"}));
    // A club on no row keeps the position shown before.
    for (const auto& [club, position] :
         {std::pair{"Seaford", "2nd"}, {"Frankston", "1st"}, {"Nowhere", "1st"}}) {
      career.Team = club;
      team.refresh();
      QCOMPARE(TextOf(&team, "lblPosition"), QString::fromLatin1(position));
    }
    TeamScreen fresh(session_->game);
    QCOMPARE(TextOf(&fresh, "lblPosition"), QString());
  }

  void teamPageScreensHandBackToIt_data() {
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QByteArray>("screen");
    QTest::newRow("ladder") << QByteArray("cmdLadder") << QByteArray("frmLadder");
    QTest::newRow("records") << QByteArray("cmdRecords") << QByteArray("frmRecordsTeam");
    QTest::newRow("about") << QByteArray("cmdAbout") << QByteArray("frmAboutTeam");
  }
  void teamPageScreensHandBackToIt() {
    QFETCH(QByteArray, button);
    QFETCH(QByteArray, screen);
    TeamScreen team(session_->game);
    team.show();
    QVERIFY(Click(&team, button.constData()));
    QWidget* opened = ShownWindow(screen.constData());
    QVERIFY(opened && opened->isEnabled());
    QVERIFY(team.isVisible());
    QVERIFY(!team.isEnabled());
    QVERIFY(Click(opened, "cmdOK"));
    QVERIFY(!ShownWindow(screen.constData()));
    QVERIFY(team.isEnabled());
  }

  // OK without a choice is refused and Cancel changes nothing; OK with one
  // takes two points off every base skill, never below 1.
  void thePositionScreenWritesOnlyAChosenPosition() {
    km::testing::ScriptedPrompter prompter;
    Career career = CreateCareer(km::testing::Answers("position", "Paul Roos", "Melbourne",
                                                      "Victoria", "Full Back", {50, 2, 1, 3, 100}));
    const Career before = career;
    {
      PositionScreen screen(career, prompter);
      screen.show();
      QCOMPARE(Find<QComboBox>(&screen, "lstPosition")->currentIndex(), -1);
      QVERIFY(Click(&screen, "cmdOK"));
      QCOMPARE(Messages(prompter), QStringList{kFillOutMessage});
      QVERIFY(screen.isVisible());
      QVERIFY(Choose(&screen, "lstPosition", QStringLiteral("Wing")));
      QVERIFY(Click(&screen, "cmdCancel"));
      QCOMPARE(screen.result(), int(QDialog::Rejected));
      QVERIFY(career == before);
    }
    PositionScreen screen(career, prompter);
    screen.show();
    QVERIFY(Choose(&screen, "lstPosition", QStringLiteral("Ruck Rover")));
    QVERIFY(Click(&screen, "cmdOK"));
    QVERIFY(!screen.isVisible());
    QCOMPARE(screen.result(), int(QDialog::Accepted));
    QCOMPARE(ToQt(career.Position), QStringLiteral("Ruck Rover"));
    QCOMPARE((std::array{career.SetupKicking, career.SetupHandballing, career.SetupRunning,
                         career.Kicking}),
             (std::array{48, 1, 98, 50}));
    QCOMPARE(prompter.messages.size(), std::size_t{1});
  }

  void questionsDefaultToNoWithTheirIcon_data() {
    QTest::addColumn<km::Icon>("icon");
    QTest::addColumn<int>("shown");
    QTest::newRow("stop sign") << Icon::Stop << int(QMessageBox::Critical);
    QTest::newRow("question") << Icon::Question << int(QMessageBox::Question);
    QTest::newRow("exclamation") << Icon::Exclamation << int(QMessageBox::Warning);
    QTest::newRow("information") << Icon::Information << int(QMessageBox::Information);
    QTest::newRow("none") << Icon::None << int(QMessageBox::NoIcon);
  }
  void questionsDefaultToNoWithTheirIcon() {
    QFETCH(km::Icon, icon);
    QFETCH(int, shown);
    QtPrompter real;
    Prompter& prompter = real;
    SeenBox seen;
    PressEnterOnNextBox(seen);
    const bool answer = prompter.askYesNo("Do you wish to play this match ?", "Kickmark", icon);
    QVERIFY(!answer);
    QCOMPARE(seen.text, QStringLiteral("Do you wish to play this match ?"));
    QCOMPARE(seen.title, QStringLiteral("Kickmark"));
    QCOMPARE(int(seen.icon), shown);
    QCOMPARE(seen.buttons, 2);
    QCOMPARE(
        seen.defaultButton,
        QMessageBox(QMessageBox::NoIcon, {}, {}, QMessageBox::No).button(QMessageBox::No)->text());
  }

  // Message boxes, questions and the file dialog stand on the same ground as
  // the game's screens, not on the system's.
  void dialogsTakeTheGameLook_data() {
    QTest::addColumn<int>("dialog");
    QTest::newRow("message") << 0;
    QTest::newRow("question") << 1;
    QTest::newRow("file to open") << 2;
  }
  void dialogsTakeTheGameLook() {
    QFETCH(int, dialog);
    QWidget screen;
    screen.setObjectName(QStringLiteral("frmStart"));
    screen.resize(40, 40);
    const QColor game = GroundOf(&screen);
    QVERIFY(game != QApplication::style()->standardPalette().color(QPalette::Window));

    QColor ground;
    QTimer::singleShot(0, [&ground] {
      auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!shown) return;
      ground = GroundOf(shown);
      shown->reject();
    });
    QtPrompter real;
    Prompter& prompter = real;
    if (dialog == 0) prompter.inform("Please sign a contract", "Kickmark");
    if (dialog == 1) QVERIFY(!prompter.askYesNo("Are you sure ?", "Kickmark", Icon::Question));
    if (dialog == 2) QVERIFY(!prompter.chooseFileToOpen("Saves (*.kms)|*.kms", "."));
    QCOMPARE(ground, game);
  }

  void fileFiltersTurnIntoQtsForm_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("qt");
    QTest::newRow("the save filter") << "Kickmark Save files (*.kms)|*.kms"
                                     << "Kickmark Save files (*.kms)";
    QTest::newRow("patterns not named") << "Save files|*.kms"
                                        << "Save files (*.kms)";
    QTest::newRow("several patterns") << "Game files|*.kms;*.kmf;*.kmr"
                                      << "Game files (*.kms *.kmf *.kmr)";
    QTest::newRow("several entries") << "Saves (*.kms)|*.kms|All files|*"
                                     << "Saves (*.kms);;All files (*)";
    QTest::newRow("empty") << ""
                           << "";
  }
  void fileFiltersTurnIntoQtsForm() {
    QFETCH(QString, filter);
    QFETCH(QString, qt);
    QCOMPARE(QtFileFilter(ToStd(filter)), qt);
  }

  void launchOptions_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("seed");  // -1: none
    QTest::addColumn<bool>("hasFolder");
    QTest::newRow("nothing") << QStringList{"kickmark"} << true << qint64(-1) << false;
    QTest::newRow("seed joined") << QStringList{"kickmark", "--seed=7"} << true << qint64(7)
                                 << false;
    QTest::newRow("negative seed")
        << QStringList{"kickmark", "--seed", "-5"} << false << qint64(-1) << false;
    QTest::newRow("both") << QStringList{"kickmark", "--data-dir", "@TMP@", "--seed", "9"} << true
                          << qint64(9) << true;
    QTest::newRow("missing folder")
        << QStringList{"kickmark", "--data-dir", "@TMP@/not-there"} << false << qint64(-1) << false;
    QTest::newRow("unknown option")
        << QStringList{"kickmark", "--cheat"} << false << qint64(-1) << false;
  }
  void launchOptions() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, valid);
    QFETCH(qint64, seed);
    QFETCH(bool, hasFolder);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    arguments.replaceInStrings(QStringLiteral("@TMP@"), folder.path());

    const auto parsed = ParseLaunchOptions(arguments);
    QCOMPARE(std::holds_alternative<LaunchOptions>(parsed), valid);
    if (!valid) {
      QVERIFY(!std::get<QString>(parsed).isEmpty());
      return;
    }
    const auto& options = std::get<LaunchOptions>(parsed);
    QCOMPARE(options.seed.has_value(), seed >= 0);
    if (seed >= 0) QCOMPARE(*options.seed, static_cast<std::uint64_t>(seed));
    QCOMPARE(options.dataDir.has_value(), hasFolder);
    if (hasFolder) {
      QVERIFY(std::filesystem::equivalent(*options.dataDir, PathFromQt(folder.path())));
    }
  }

 private:
  void SetSwitches(bool play, bool sponsorship, bool contract) {
    session_->career().PlayOpen = play;
    session_->career().SponsorshipOpen = sponsorship;
    session_->career().ContractOpen = contract;
    hub_->refresh();
  }

  // The screens the hub asked for, in the order of kRequests.
  QString Requests() const {
    QStringList asked;
    for (std::size_t i = 0; i < spies_.size(); ++i) {
      for (qsizetype n = 0; n < spies_[i]->count(); ++n) asked << QString::fromLatin1(kRequests[i]);
    }
    return asked.join(QLatin1Char(','));
  }

  std::unique_ptr<Session> session_;
  std::unique_ptr<MainScreen> hub_;
  std::vector<std::unique_ptr<QSignalSpy>> spies_;
};

}  // namespace km::screens

QTEST_MAIN(km::screens::HubScreensTest)
#include "hub_screens_test.moc"
