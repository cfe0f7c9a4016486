#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "game/game.h"

class QLabel;
class QPushButton;
class QShortcut;
class QTimer;

namespace km::screens {

// How long one minute of the match clock takes on screen: a quarter's thirty
// minutes run in about a second.
inline constexpr int kClockMinuteMilliseconds = 33;

// frmMatch: the player's match of the week, the one Game::BeginMatch made
// ready. Start plays a quarter: the player's figures come at once, then the
// clock runs the quarter's minutes on the timer while both teams score.
// After full time Finish books the match and hands over. Space presses
// Start wherever the focus is.
class MatchScreen : public QWidget {
  Q_OBJECT

 public:
  explicit MatchScreen(Game& game, QWidget* parent = nullptr);

  // Shows the match as it stands.
  void refresh();

 Q_SIGNALS:
  // Finish booked the match and put the screen away.
  void finished();

 public Q_SLOTS:
  void cmdStart_Click();
  void cmdOK_Click();
  // One minute of the clock.
  void tmrMatch_Timer();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* MakeScoreboard();
  QWidget* MakePlayer();
  QLabel* AddValue(const char* name, QWidget* parent,
                   std::function<QString(const MatchState&)> text, const char* role = "value");
  void Show(const MatchState& state);

  struct ShownText {
    QLabel* label;
    std::function<QString(const MatchState&)> text;
  };

  Game& game_;
  std::vector<ShownText> texts_;
  QTimer* tmrMatch_ = nullptr;
  QPushButton* cmdStart_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QShortcut* startKey_ = nullptr;
  QLabel* lblMatchRating_ = nullptr;
  QLabel* label7_ = nullptr;
};

}  // namespace km::screens
