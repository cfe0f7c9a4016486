// SPDX-License-Identifier: GPL-3.0-or-later
// Each colour state's text stands out (4.5:1) and differs from the others in greyscale; dialogs
// stand on the game's ground.

#include <QImage>
#include <cmath>

#include "screens/round_screen.h"
#include "screens/screen_test_support.h"

namespace km::screens {
namespace {

using namespace testing;

// A widget in one state: as the player sees it, and without its text.
struct Drawn {
  QString state;
  QImage shown;
  QImage bare;
};

Drawn Draw(const QString& state, QWidget* widget) {
  Drawn drawn{state, widget->grab().toImage(), {}};
  auto* label = qobject_cast<QLabel*>(widget);
  auto* button = qobject_cast<QPushButton*>(widget);
  auto* bar = qobject_cast<QProgressBar*>(widget);
  const QString text = label ? label->text() : button ? button->text() : QString();
  for (const bool shown : {false, true}) {
    if (label) label->setText(shown ? text : QString());
    if (button) button->setText(shown ? text : QString());
    if (bar) bar->setTextVisible(shown);
    if (!shown) drawn.bare = widget->grab().toImage();
  }
  return drawn;
}

double Luminance(QRgb pixel) {
  const auto linear = [](int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(qRed(pixel)) + 0.7152 * linear(qGreen(pixel)) +
         0.0722 * linear(qBlue(pixel));
}

// A text's contrast with its ground (WCAG's), strongest where a stroke covers a pixel whole.
double TextContrast(const Drawn& drawn) {
  double strongest = 0;
  for (int y = 0; y < drawn.shown.height(); ++y) {
    for (int x = 0; x < drawn.shown.width(); ++x) {
      const double a = Luminance(drawn.shown.pixel(x, y));
      const double b = Luminance(drawn.bare.pixel(x, y));
      strongest = std::max(strongest, (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05));
    }
  }
  return strongest;
}

// The share of two drawings that differs visibly in greyscale (by 24 of 256 levels or more).
double ShareChangedInGrey(const QImage& one, const QImage& other) {
  const QImage a = one.convertToFormat(QImage::Format_Grayscale8);
  const QImage b = other.convertToFormat(QImage::Format_Grayscale8);
  if (a.size() != b.size() || a.isNull()) return 0;
  int changed = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      changed += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) >= 24;
  return static_cast<double>(changed) / (a.width() * a.height());
}

}  // namespace

class LookTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { ApplyGameLook(*qApp); }

  void everyStateReadsAndShowsWithoutHue_data() {
    QTest::addColumn<QByteArray>("widget");
    QTest::addColumn<int>("value");  // the hub's bars only
    QTest::newRow("balance after purchase") << QByteArray("lblBalanceAfter") << 0;
    // A full bar has its figure on the filled part, a bar at 30 or 0 on the empty part.
    QTest::newRow("full boots bar") << QByteArray("pbBoots") << 100;
    QTest::newRow("full gear overall bar") << QByteArray("pbGearOverall") << 100;
    QTest::newRow("health overall bar at 30") << QByteArray("pbHealthOverall") << 30;
    QTest::newRow("empty stamina bar") << QByteArray("pbStamina") << 0;
    QTest::newRow("sponsorship button") << QByteArray("cmdSponsorship") << 0;
    QTest::newRow("round club name") << QByteArray("lblTeamOne") << 0;
  }
  void everyStateReadsAndShowsWithoutHue() {
    QFETCH(QByteArray, widget);
    QFETCH(int, value);
    Session s(ACareer("Chris Judd", "Centre", 60));
    QVERIFY(Set(s.career(),
                QStringLiteral("Boots=%1|GearOverall=%1|Stamina=%1|HealthOverall=%1").arg(value)));
    std::vector<Drawn> states;
    MainScreen hub(s.game);
    hub.show();
    QWidget* shown = Find(&hub, widget.constData());
    if (widget == "lblBalanceAfter") {
      // The balance after purchase at 0 as opened, short (below 0 and back), in credit (above).
      ShopScreen shop(s.game, Shop::Training);
      const std::tuple<const char*, int, std::vector<Qt::Key>> visits[] = {
          {"as opened", 0, {}},
          {"short", 0, {Qt::Key_Up, Qt::Key_Down}},
          {"in credit", 3000, {Qt::Key_Up, Qt::Key_Up}}};
      for (const auto& [state, bank, keys] : visits) {
        s.career().BankBalance = Money::Dollars(bank);
        shop.Open();
        shop.show();
        for (const Qt::Key key : keys) QTest::keyClick(Find(&shop, "udKicking"), key);
        QCOMPARE(TextOf(&shop, "lblBalanceAfter"), QStringLiteral("0"));
        states.push_back(Draw(QString::fromLatin1(state), Find(&shop, "lblBalanceAfter")));
      }
    } else if (widget.startsWith("pb")) {
      // A bar restored, low and plain again.
      const auto bar = widget == "pbBoots"         ? HubBar::Boots
                       : widget == "pbGearOverall" ? HubBar::GearOverall
                       : widget == "pbStamina"     ? HubBar::Stamina
                                                   : HubBar::HealthOverall;
      for (const auto& [state, colour] : {std::pair{"restored", BarColour::Restored},
                                          {"low", BarColour::Low},
                                          {"plain", BarColour::Plain}}) {
        s.game.run().barColours[static_cast<std::size_t>(bar)] = colour;
        hub.refresh();
        states.push_back(Draw(QString::fromLatin1(state), shown));
      }
    } else if (widget == "cmdSponsorship") {
      // While a sponsor window waits, and once it is over.
      for (const bool waits : {true, false}) {
        s.game.run().sponsorHighlight = waits;
        hub.refresh();
        states.push_back(Draw(QLatin1String(waits ? "highlighted" : "plain"), shown));
      }
    } else {
      // The player's club, the next match's, and any other.
      MatchSlots slots;
      slots.ShowSlot(0, QStringLiteral("Frankston"), QStringLiteral("Sandringham"), RoundSlot{});
      slots.show();
      for (const auto& [state, colour] : {std::pair{"player's club", NameColour::PlayerClub},
                                          {"next match", NameColour::NextMatch},
                                          {"other", NameColour::Other}}) {
        slots.Paint(0, 0, colour);
        states.push_back(Draw(QString::fromLatin1(state), Find(&slots, "lblTeamOne")));
      }
    }
    QVERIFY(states.size() >= 2);
    for (const Drawn& drawn : states) {
      const double contrast = TextContrast(drawn);
      QVERIFY2(contrast >= 4.5,
               qPrintable(QStringLiteral("%1: %2").arg(drawn.state).arg(contrast)));
    }
    for (std::size_t i = 0; i < states.size(); ++i) {
      for (std::size_t j = i + 1; j < states.size(); ++j) {
        const double share = ShareChangedInGrey(states[i].shown, states[j].shown);
        const QString pair = states[i].state + " and " + states[j].state + ": ";
        QVERIFY2(share >= 0.05, qPrintable(pair + QString::number(share)));
      }
    }
  }

  // A message, a question and the file to open, each on the screens' ground.
  void dialogsTakeTheGameLook() {
    QWidget screen;
    screen.setObjectName(QStringLiteral("frmStart"));
    screen.resize(40, 40);
    const QColor game(screen.grab().toImage().pixel(2, 2));
    QVERIFY(game != QApplication::style()->standardPalette().color(QPalette::Window));
    QtPrompter real;
    Prompter& prompter = real;
    for (int dialog = 0; dialog < 3; ++dialog) {
      QColor ground;
      QTimer::singleShot(0, [&ground] {
        auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!shown) return;
        ground = QColor(shown->grab().toImage().pixel(2, 2));
        shown->reject();
      });
      if (dialog == 0) prompter.inform("Please sign a contract", "Kickmark");
      if (dialog == 1) QVERIFY(!prompter.askYesNo("Are you sure ?", "Kickmark", Icon::Question));
      if (dialog == 2) QVERIFY(!prompter.chooseFileToOpen("Saves (*.kms)|*.kms", "."));
      QCOMPARE(ground, game);
    }
  }
};

}  // namespace km::screens

QTEST_MAIN(km::screens::LookTest)
#include "look_test.moc"
