// The states a screen shows by colour, drawn as the player sees them: the
// balance after purchase, the hub's bars and its Sponsorship button, and a
// round's club names. Every state's text stands out from what is painted
// behind it, and every two states of one widget look different in greyscale,
// so that a player who cannot tell the colours apart still tells the states
// apart.

#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <memory>
#include <vector>

#include "screens/look.h"
#include "screens/main_screen.h"
#include "screens/round_screen.h"
#include "screens/screen_test_support.h"
#include "screens/shop_screen.h"

namespace km::screens {
namespace {

using testing::Find;
using testing::TextOf;

// The least contrast of a text with its background (WCAG's, for normal
// text), and the least share of a widget that changes visibly in greyscale
// from one state to another (by 24 of the 256 grey levels or more).
constexpr double kLeastContrast = 4.5;
constexpr double kLeastShareChanged = 0.05;
constexpr int kVisibleGreyStep = 24;

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
  if (label) label->clear();
  if (button) button->setText(QString());
  if (bar) bar->setTextVisible(false);
  drawn.bare = widget->grab().toImage();
  if (label) label->setText(text);
  if (button) button->setText(text);
  if (bar) bar->setTextVisible(true);
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

double Contrast(QRgb one, QRgb other) {
  const double a = Luminance(one);
  const double b = Luminance(other);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The contrast of a text with what is painted behind it. The pixels the text
// changes are its own; where a stroke covers a pixel whole, the pixel has the
// text's colour, and that pixel gives the strongest contrast.
double TextContrast(const Drawn& drawn) {
  double strongest = 0;
  for (int y = 0; y < drawn.shown.height(); ++y) {
    for (int x = 0; x < drawn.shown.width(); ++x) {
      const QRgb text = drawn.shown.pixel(x, y);
      const QRgb behind = drawn.bare.pixel(x, y);
      if (text != behind) strongest = std::max(strongest, Contrast(text, behind));
    }
  }
  return strongest;
}

// The share of two drawings of one widget that differs visibly in greyscale.
double ShareChangedInGrey(const QImage& one, const QImage& other) {
  const QImage a = one.convertToFormat(QImage::Format_Grayscale8);
  const QImage b = other.convertToFormat(QImage::Format_Grayscale8);
  if (a.size() != b.size() || a.isNull()) return 0;
  int changed = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) >= kVisibleGreyStep) ++changed;
    }
  }
  return static_cast<double>(changed) / (a.width() * a.height());
}

Career SomeCareer() { return testing::ACareer("Chris Judd", "Centre", 60); }

}  // namespace

class LookTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { ApplyGameLook(*qApp); }
  void init() {
    game_ = std::make_unique<Game>(random_, prompter_, DataFolder{"."});
    game_->Adopt(SomeCareer());
  }

  void everyStateReadsAndShowsWithoutHue_data() {
    QTest::addColumn<QByteArray>("widget");
    QTest::addColumn<int>("hubBar");  // the hub's bars only
    QTest::addColumn<int>("value");   // the hub's bars only
    QTest::newRow("balance after purchase") << QByteArray("lblBalanceAfter") << 0 << 0;
    // A full bar has its figure on the filled part, a bar at 30 or 0 on the
    // empty part.
    QTest::newRow("full boots bar") << QByteArray("pbBoots") << int(HubBar::Boots) << 100;
    QTest::newRow("full gear overall bar")
        << QByteArray("pbGearOverall") << int(HubBar::GearOverall) << 100;
    QTest::newRow("health overall bar at 30")
        << QByteArray("pbHealthOverall") << int(HubBar::HealthOverall) << 30;
    QTest::newRow("empty stamina bar") << QByteArray("pbStamina") << int(HubBar::Stamina) << 0;
    QTest::newRow("sponsorship button") << QByteArray("cmdSponsorship") << 0 << 0;
    QTest::newRow("round club name") << QByteArray("lblTeamOne") << 0 << 0;
  }
  void everyStateReadsAndShowsWithoutHue() {
    QFETCH(QByteArray, widget);
    QFETCH(int, hubBar);
    QFETCH(int, value);
    std::vector<Drawn> states;
    if (widget == "lblBalanceAfter") {
      DrawBalance(states);
    } else if (widget.startsWith("pb")) {
      DrawBar(states, widget, static_cast<HubBar>(hubBar), value);
    } else if (widget == "cmdSponsorship") {
      DrawSponsorship(states);
    } else {
      DrawClubName(states);
    }
    if (QTest::currentTestFailed()) return;
    QVERIFY(states.size() >= 2);
    for (const Drawn& drawn : states) {
      QCOMPARE(drawn.bare.size(), drawn.shown.size());
      const double contrast = TextContrast(drawn);
      QVERIFY2(contrast >= kLeastContrast,
               qPrintable(QStringLiteral("%1: %2").arg(drawn.state).arg(contrast)));
    }
    for (std::size_t i = 0; i < states.size(); ++i) {
      for (std::size_t j = i + 1; j < states.size(); ++j) {
        const double share = ShareChangedInGrey(states[i].shown, states[j].shown);
        QVERIFY2(share >= kLeastShareChanged, qPrintable(QStringLiteral("%1 and %2: %3")
                                                             .arg(states[i].state)
                                                             .arg(states[j].state)
                                                             .arg(share)));
      }
    }
  }

 private:
  // The training centre's balance after purchase in its three looks, each
  // showing 0: as the screen opened, short (below 0, then back to 0) and in
  // credit (above 0, then down to 0).
  void DrawBalance(std::vector<Drawn>& states) {
    struct Visit {
      const char* state;
      int bank;
      std::vector<Qt::Key> presses;
    };
    const Visit visits[] = {
        {"as opened", 0, {}},
        {"short", 0, {Qt::Key_Up, Qt::Key_Down}},
        {"in credit", 3000, {Qt::Key_Up, Qt::Key_Up}},
    };
    ShopScreen screen(*game_, Shop::Training);
    for (const Visit& visit : visits) {
      game_->career().BankBalance = Money::Dollars(visit.bank);
      screen.Open();
      for (const Qt::Key key : visit.presses) QTest::keyClick(Find(&screen, "udKicking"), key);
      QCOMPARE(TextOf(&screen, "lblBalanceAfter"), QStringLiteral("0"));
      states.push_back(Draw(QString::fromLatin1(visit.state), Find(&screen, "lblBalanceAfter")));
    }
  }

  // A bar of the hub at one value, restored, low and then plain again.
  void DrawBar(std::vector<Drawn>& states, const QByteArray& name, HubBar hubBar, int value) {
    Career career = SomeCareer();
    for (int Career::*field :
         {&Career::Boots, &Career::GearOverall, &Career::Stamina, &Career::HealthOverall}) {
      career.*field = value;
    }
    game_->Adopt(career);
    MainScreen hub(*game_);
    hub.show();
    auto* bar = Find(&hub, name.constData());
    QVERIFY(bar);
    for (const auto& [state, colour] :
         {std::pair{"restored", BarColour::Restored}, std::pair{"low", BarColour::Low},
          std::pair{"plain", BarColour::Plain}}) {
      game_->run().barColours[static_cast<std::size_t>(hubBar)] = colour;
      hub.refresh();
      states.push_back(Draw(QString::fromLatin1(state), bar));
    }
  }

  // The Sponsorship button while a sponsor window waits, and once it is
  // over.
  void DrawSponsorship(std::vector<Drawn>& states) {
    MainScreen hub(*game_);
    hub.show();
    auto* button = Find(&hub, "cmdSponsorship");
    QVERIFY(button);
    for (const bool waits : {true, false}) {
      game_->run().sponsorHighlight = waits;
      hub.refresh();
      states.push_back(
          Draw(waits ? QStringLiteral("highlighted") : QStringLiteral("plain"), button));
    }
  }

  // A club's name in a round's slot: the player's club, the next match's,
  // and any other.
  static void DrawClubName(std::vector<Drawn>& states) {
    MatchSlots slots;
    slots.ShowSlot(0, QStringLiteral("Frankston"), QStringLiteral("Sandringham"), RoundSlot{});
    slots.show();
    auto* name = Find(&slots, "lblTeamOne");
    QVERIFY(name);
    for (const auto& [state, colour] :
         {std::pair{"player's club", NameColour::PlayerClub},
          std::pair{"next match", NameColour::NextMatch}, std::pair{"other", NameColour::Other}}) {
      slots.Paint(0, 0, colour);
      states.push_back(Draw(QString::fromLatin1(state), name));
    }
  }

  km::testing::ScriptedRandom random_;
  km::testing::ScriptedPrompter prompter_;
  std::unique_ptr<Game> game_;
};

}  // namespace km::screens

QTEST_MAIN(km::screens::LookTest)
#include "look_test.moc"
