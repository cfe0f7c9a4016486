// The position screen, the real Prompter's message boxes and the game's
// start-up options.

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "screens/launch_options.h"
#include "screens/look.h"
#include "screens/position_screen.h"
#include "screens/qt_prompter.h"
#include "screens/qt_text.h"
#include "screens/screen_test_support.h"

Q_DECLARE_METATYPE(km::Icon)

namespace km::screens {
namespace {

using namespace testing;

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
    QTest::newRow("seed not a number")
        << QStringList{"kickmark", "--seed", "lucky"} << false << qint64(-1) << false;
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
};

}  // namespace km::screens

QTEST_MAIN(km::screens::SmallScreensTest)
#include "small_screens_test.moc"
