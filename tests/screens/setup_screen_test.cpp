// The setup screen: its lists and skill bars, the overall they give, and the
// answers it hands to the game.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include "core/game_data.h"
#include "core/new_career.h"
#include "game/game.h"
#include "screens/qt_text.h"
#include "screens/screen_test_support.h"
#include "screens/setup_screen.h"
#include "support/scripted_ports.h"

namespace km::screens {
namespace {

using testing::Choose;
using testing::Click;
using testing::Find;
using testing::Messages;
using testing::TextOf;
using testing::Type;

constexpr const char* kBars[] = {"hsbKicking", "hsbHandBalling", "hsbTackling", "hsbMarking",
                                 "hsbRunning"};
constexpr const char* kSkillLabels[] = {"lblKicking", "lblHandballing", "lblTackling", "lblMarking",
                                        "lblRunning"};

template <typename Texts>
QStringList ToList(const Texts& texts) {
  QStringList list;
  for (const auto& text : texts) list << ToQt(text);
  return list;
}

QStringList Entries(const QComboBox* list) {
  QStringList entries;
  for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
  return entries;
}

QStringList CountingDown(int from, int to) {
  QStringList list;
  for (int value = from; value >= to; --value) list << QString::number(value);
  return list;
}

}  // namespace

class SetupScreenTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    prompter_ = std::make_unique<km::testing::ScriptedPrompter>();
    game_ = std::make_unique<Game>(random_, *prompter_, DataFolder{"."});
    screen_ = std::make_unique<SetupScreen>(*game_);
    screen_->show();
  }
  void cleanup() {
    screen_.reset();
    game_.reset();
  }

  void listsStartWithHeightAndWeightChosenAndNothingElse() {
    auto* state = Find<QComboBox>(screen_.get(), "txtState");
    auto* position = Find<QComboBox>(screen_.get(), "lstPosition");
    auto* height = Find<QComboBox>(screen_.get(), "lstHeight");
    auto* weight = Find<QComboBox>(screen_.get(), "lstWeight");
    QVERIFY(state && position && height && weight);

    QCOMPARE(Entries(state), ToList(kStates));
    QCOMPARE(Entries(position), ToList(kPositions));
    QCOMPARE(Entries(height), CountingDown(205, 160));
    QCOMPARE(Entries(weight), CountingDown(110, 60));
    // A state and a position must be chosen; height and weight always are.
    QCOMPARE(state->currentIndex(), -1);
    QCOMPARE(position->currentIndex(), -1);
    QCOMPARE(height->currentText(), QStringLiteral("185"));
    QCOMPARE(weight->currentText(), QStringLiteral("85"));
  }

  void skillBarsRunFromOneToAHundredInStepsOfOneAndTen() {
    for (std::size_t i = 0; i < std::size(kBars); ++i) {
      auto* bar = Find<QScrollBar>(screen_.get(), kBars[i]);
      QVERIFY2(bar, kBars[i]);
      QCOMPARE(bar->value(), 1);
      QCOMPARE(TextOf(screen_.get(), kSkillLabels[i]), QStringLiteral("1"));
      bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
      bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      QCOMPARE(TextOf(screen_.get(), kSkillLabels[i]), QStringLiteral("12"));
      bar->setValue(500);
      QCOMPARE(TextOf(screen_.get(), kSkillLabels[i]), QStringLiteral("100"));
      bar->setValue(-3);
      QCOMPARE(TextOf(screen_.get(), kSkillLabels[i]), QStringLiteral("1"));
    }
    QCOMPARE(TextOf(screen_.get(), "lblOverall"), QStringLiteral("1"));
  }

  void eachBarShowsItsOwnSkill() {
    const int values[] = {11, 22, 33, 44, 55};
    for (std::size_t i = 0; i < std::size(kBars); ++i) {
      Find<QScrollBar>(screen_.get(), kBars[i])->setValue(values[i]);
    }
    for (std::size_t i = 0; i < std::size(kBars); ++i) {
      QCOMPARE(TextOf(screen_.get(), kSkillLabels[i]), QString::number(values[i]));
    }
    const SetupAnswers answers = screen_->answers();
    QCOMPARE(answers.kicking, 11);
    QCOMPARE(answers.handballing, 22);
    QCOMPARE(answers.tackling, 33);
    QCOMPARE(answers.marking, 44);
    QCOMPARE(answers.running, 55);
  }

  void overallFollowsEveryBar_data() {
    QTest::addColumn<QList<int>>("skills");
    QTest::addColumn<QString>("overall");
    QTest::newRow("all at 1") << QList<int>{1, 1, 1, 1, 1} << "1";
    QTest::newRow("all at 100") << QList<int>{100, 100, 100, 100, 100} << "100";
    QTest::newRow("ball use at 100") << QList<int>{100, 100, 1, 1, 1} << "50";
    QTest::newRow("the other three at 100") << QList<int>{1, 1, 100, 100, 100} << "50";
    // Kicking weighs 1.25, Running 0.833.
    QTest::newRow("kicking alone") << QList<int>{100, 1, 1, 1, 1} << "26";
    QTest::newRow("running alone") << QList<int>{1, 1, 1, 1, 100} << "17";
  }
  void overallFollowsEveryBar() {
    QFETCH(QList<int>, skills);
    QFETCH(QString, overall);
    // Move the bars one by one, last first, so every handler has its turn.
    for (std::size_t i = std::size(kBars); i-- > 0;) {
      Find<QScrollBar>(screen_.get(), kBars[i])->setValue(skills[static_cast<qsizetype>(i)]);
    }
    QCOMPARE(TextOf(screen_.get(), "lblOverall"), overall);
  }

  void answersCarryWhatWasTyped() {
    QVERIFY(Type(screen_.get(), "txtCareer", QStringLiteral("career1")));
    QVERIFY(Type(screen_.get(), "txtName", QStringLiteral("Leigh Matthews")));
    QVERIFY(Type(screen_.get(), "txtCity", QStringLiteral("Frankston")));
    QVERIFY(Choose(screen_.get(), "txtState", QStringLiteral("Victoria")));
    QVERIFY(Choose(screen_.get(), "lstHeight", QStringLiteral("178")));
    QVERIFY(Choose(screen_.get(), "lstWeight", QStringLiteral("86")));
    QVERIFY(Choose(screen_.get(), "lstPosition", QStringLiteral("Rover")));

    const SetupAnswers answers = screen_->answers();
    QCOMPARE(ToQt(answers.careerName), QStringLiteral("career1"));
    QCOMPARE(ToQt(answers.name), QStringLiteral("Leigh Matthews"));
    QCOMPARE(ToQt(answers.city), QStringLiteral("Frankston"));
    QCOMPARE(ToQt(answers.state), QStringLiteral("Victoria"));
    QCOMPARE(answers.height, 178);
    QCOMPARE(answers.weight, 86);
    QCOMPARE(ToQt(answers.position), QStringLiteral("Rover"));
  }

  // A refused Start shows the game's own sentence for the name in its
  // message box, and the screen stays as typed.
  void refusedNameShowsTheGamesSentence_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("a slash") << QStringLiteral("Jack/Dyer") << QString::fromUtf8(kBadNameMessage);
    QTest::newRow("a letter Windows-1252 lacks")
        << QString::fromUtf8("\xc5\x81ukasz")
        << QString::fromUtf8(
               "The name contains characters that cannot be saved (only the letters of Western "
               "European languages can be used): \xc5\x81");
    QTest::newRow("too long for the history files")
        << QString(229, QLatin1Char('n'))
        << QStringLiteral(
               "The name is too long to be used as a file name (the player's history files are "
               "named after him). Please use a shorter name: at most 228 characters, fewer with "
               "accented letters or symbols.");
  }
  void refusedNameShowsTheGamesSentence() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    QVERIFY(Type(screen_.get(), "txtCareer", QStringLiteral("career1")));
    // Pasted: the test's key clicks type ASCII only.
    auto* nameBox = Find<QLineEdit>(screen_.get(), "txtName");
    QVERIFY(nameBox);
    nameBox->setText(name);
    QVERIFY(Type(screen_.get(), "txtCity", QStringLiteral("Frankston")));
    QVERIFY(Choose(screen_.get(), "txtState", QStringLiteral("Victoria")));
    QVERIFY(Choose(screen_.get(), "lstPosition", QStringLiteral("Rover")));

    QVERIFY(Click(screen_.get(), "cmdStart"));
    QCOMPARE(Messages(*prompter_), QStringList{message});
    QVERIFY(!game_->HasCareer());
    QCOMPARE(TextOf(screen_.get(), "txtName"), name);
  }

 private:
  km::testing::ScriptedRandom random_;
  std::unique_ptr<km::testing::ScriptedPrompter> prompter_;
  std::unique_ptr<Game> game_;
  std::unique_ptr<SetupScreen> screen_;
};

}  // namespace km::screens

QTEST_MAIN(km::screens::SetupScreenTest)
#include "setup_screen_test.moc"
