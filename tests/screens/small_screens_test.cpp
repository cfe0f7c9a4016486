// The position screen, the newspaper and its hand-back to the hub, the real
// Prompter's message boxes and the game's start-up options.

#include <QComboBox>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "core/game_data.h"
#include "core/new_career.h"
#include "game/game.h"
#include "screens/launch_options.h"
#include "screens/look.h"
#include "screens/main_screen.h"
#include "screens/newspaper_screen.h"
#include "screens/position_screen.h"
#include "screens/qt_prompter.h"
#include "screens/qt_text.h"
#include "screens/screen_test_support.h"
#include "support/scripted_ports.h"

Q_DECLARE_METATYPE(km::Icon)

namespace km::screens {
namespace {

using testing::Choose;
using testing::Click;
using testing::Find;
using testing::Messages;
using testing::TextOf;

Career CareerWithBaseSkills(int kicking, int handballing, int tackling, int marking, int running) {
  SetupAnswers answers;
  answers.careerName = "position";
  answers.name = "Paul Roos";
  answers.city = "Melbourne";
  answers.state = "Victoria";
  answers.position = "Full Back";
  answers.kicking = kicking;
  answers.handballing = handballing;
  answers.tackling = tackling;
  answers.marking = marking;
  answers.running = running;
  return CreateCareer(answers);
}

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

class SmallScreensTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // The game's own look is on, as in the game.
  void initTestCase() { ApplyGameLook(*qApp); }

  void positionScreenRefusesNoChoiceAndStaysOpen() {
    km::testing::ScriptedPrompter prompter;
    Career career = CareerWithBaseSkills(10, 10, 10, 10, 10);
    const Career before = career;
    PositionScreen screen(career, prompter);
    screen.show();
    auto* list = Find<QComboBox>(&screen, "lstPosition");
    QVERIFY(list);
    QCOMPARE(list->count(), static_cast<int>(kPositions.size()));
    for (int i = 0; i < list->count(); ++i) {
      QCOMPARE(list->itemText(i), ToQt(kPositions[static_cast<std::size_t>(i)]));
    }
    QCOMPARE(list->currentIndex(), -1);

    QVERIFY(Click(&screen, "cmdOK"));
    QCOMPARE(Messages(prompter), QStringList{kFillOutMessage});
    QVERIFY(screen.isVisible());
    QVERIFY(career == before);
  }

  void positionScreenAppliesTheChosenPosition() {
    km::testing::ScriptedPrompter prompter;
    Career career = CareerWithBaseSkills(50, 2, 1, 3, 100);
    PositionScreen screen(career, prompter);
    screen.show();
    QVERIFY(Choose(&screen, "lstPosition", QStringLiteral("Ruck Rover")));
    QVERIFY(Click(&screen, "cmdOK"));
    QVERIFY(!screen.isVisible());
    QCOMPARE(screen.result(), int(QDialog::Accepted));
    QCOMPARE(ToQt(career.Position), QStringLiteral("Ruck Rover"));
    // Two points off every base skill, never below 1; the live skills stay.
    QCOMPARE(career.SetupKicking, 48);
    QCOMPARE(career.SetupHandballing, 1);
    QCOMPARE(career.SetupTackling, 1);
    QCOMPARE(career.SetupMarking, 1);
    QCOMPARE(career.SetupRunning, 98);
    QCOMPARE(career.Kicking, 50);
    QVERIFY(prompter.messages.empty());
  }

  void positionScreenCancelChangesNothing() {
    km::testing::ScriptedPrompter prompter;
    Career career = CareerWithBaseSkills(50, 50, 50, 50, 50);
    const Career before = career;
    PositionScreen screen(career, prompter);
    screen.show();
    QVERIFY(Choose(&screen, "lstPosition", QStringLiteral("Wing")));
    QVERIFY(Click(&screen, "cmdCancel"));
    QVERIFY(!screen.isVisible());
    QCOMPARE(screen.result(), int(QDialog::Rejected));
    QVERIFY(career == before);
  }

  void newspaperShowsTheStoryUntilAKeyOrAClick_data() {
    QTest::addColumn<QByteArray>("clicked");  // empty: a key instead
    QTest::newRow("any key") << QByteArray();
    QTest::newRow("click on the story") << QByteArray("lblText");
    QTest::newRow("click on the masthead") << QByteArray("lblNewspaperName");
    QTest::newRow("click on the paper") << QByteArray("frmNewspaper");
  }
  void newspaperShowsTheStoryUntilAKeyOrAClick() {
    QFETCH(QByteArray, clicked);
    const Story story{"Herald Sun", "Roos Rookie Stars", "A debut to remember."};
    NewspaperScreen paper(story);
    paper.show();
    QCOMPARE(TextOf(&paper, "lblNewspaperName"), QStringLiteral("Herald Sun"));
    QCOMPARE(TextOf(&paper, "lblHeadline"), QStringLiteral("Roos Rookie Stars"));
    QCOMPARE(TextOf(&paper, "lblText"), QStringLiteral("A debut to remember."));
    QCOMPARE(TextOf(&paper, "lblPressKey"), QStringLiteral("Press any key to continue"));
    if (clicked.isEmpty()) {
      QTest::keyClick(&paper, Qt::Key_Q);
    } else {
      QWidget* target =
          clicked == "frmNewspaper" ? static_cast<QWidget*>(&paper) : Find(&paper, clicked);
      QVERIFY(target);
      QTest::mouseClick(target, Qt::LeftButton);
    }
    QVERIFY(!paper.isVisible());
  }

  void newspaperHandsBackToTheHubUnlessTheDraftIsDue_data() {
    QTest::addColumn<QByteArray>("clicked");  // empty: a key instead
    QTest::addColumn<int>("draftDue");
    QTest::addColumn<bool>("hubAwake");
    QTest::newRow("key") << QByteArray() << 0 << true;
    QTest::newRow("click on the headline") << QByteArray("lblHeadline") << 0 << true;
    QTest::newRow("click on the paper") << QByteArray("frmNewspaper") << 0 << true;
    QTest::newRow("key, draft due") << QByteArray() << 1 << false;
    QTest::newRow("click, draft due") << QByteArray("lblText") << 1 << false;
  }
  void newspaperHandsBackToTheHubUnlessTheDraftIsDue() {
    QFETCH(QByteArray, clicked);
    QFETCH(int, draftDue);
    QFETCH(bool, hubAwake);
    km::testing::ScriptedRandom random;
    QtPrompter real;
    Game game(random, real, DataFolder{"."});
    game.Adopt(CareerWithBaseSkills(10, 10, 10, 10, 10));
    game.career().DraftDue = draftDue;
    MainScreen hub(game);
    hub.show();
    real.SetHub([&hub] { return &hub; });

    bool hubAwakeUnderThePaper = true;
    QString headline;
    QTimer::singleShot(0, [&] {
      QWidget* paper = QApplication::activeModalWidget();
      if (!paper || paper->objectName() != QStringLiteral("frmNewspaper")) return;
      hubAwakeUnderThePaper = hub.isEnabled();
      headline = TextOf(paper, "lblHeadline");
      if (clicked.isEmpty()) {
        QTest::keyClick(paper, Qt::Key_Space);
      } else {
        QWidget* target = clicked == "frmNewspaper" ? paper : Find(paper, clicked);
        if (target) QTest::mouseClick(target, Qt::LeftButton);
      }
    });
    Prompter& prompter = real;
    prompter.publish({"The Age", "Roos Signs On", "A new contract."});
    QCOMPARE(headline, QStringLiteral("Roos Signs On"));
    QVERIFY(!hubAwakeUnderThePaper);
    QCOMPARE(hub.isEnabled(), hubAwake);
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
    QTest::newRow("seed") << QStringList{"kickmark", "--seed", "42"} << true << qint64(42) << false;
    QTest::newRow("seed joined") << QStringList{"kickmark", "--seed=7"} << true << qint64(7)
                                 << false;
    QTest::newRow("seed not a number")
        << QStringList{"kickmark", "--seed", "lucky"} << false << qint64(-1) << false;
    QTest::newRow("negative seed")
        << QStringList{"kickmark", "--seed", "-5"} << false << qint64(-1) << false;
    QTest::newRow("seed without value")
        << QStringList{"kickmark", "--seed"} << false << qint64(-1) << false;
    QTest::newRow("data folder") << QStringList{"kickmark", "--data-dir", "@TMP@"} << true
                                 << qint64(-1) << true;
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
};

}  // namespace km::screens

QTEST_MAIN(km::screens::SmallScreensTest)
#include "small_screens_test.moc"
