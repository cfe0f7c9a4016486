// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "game/game.h"

class QButtonGroup;
class QLabel;
class QPushButton;
class QShortcut;
class QStackedLayout;
class QTimer;
class QToolButton;

namespace km::screens {

// The pace the player chose for the match clock. It is kept for his next
// match, and for the next time he plays; a pause lasts only till the siren.
// Watch gives a quarter about thirty seconds, Normal about eight and Fast a
// quarter of Normal's.
enum class MatchSpeed { Watch, Normal, Fast };

// How long one minute of the match clock takes on screen at a pace.
int MinuteMilliseconds(MatchSpeed speed);

// The clock minutes a break lasts when the match is played through.
inline constexpr int kBreakMinutes = 3;

// A club's score as a screen reader says it: "West Coburg: 3 goals, 2
// behinds, 20 points."
QString ScoreWords(const QString& team, int goals, int behinds, int points);

// The pace he chose last (Normal before he ever chose), and keeping a new one.
MatchSpeed RememberedMatchSpeed();
void RememberMatchSpeed(MatchSpeed speed);

// frmMatch: the player's match of the week, the one Game::BeginMatch made
// ready. Start plays a quarter: the clock runs the quarter's minutes on the
// timer while both teams score, and the player's figures (worked out by the
// rules at the start) come out across them; the comment comes at the siren
// (see match_reveal.h). After full time Finish books the match and hands
// over. Space presses Start wherever the focus is. Until full time, where
// the rating comes, the bottom row sets the clock's pace: Pause, Watch,
// Normal, Fast (4x), or To the siren, which plays the rest of the quarter at
// once. The pace changes only how soon each minute comes, never what
// happens in it. Each siren is announced to a screen reader once: the break,
// the score, his figures and the comment, and at full time his rating.
class MatchScreen : public QWidget {
  Q_OBJECT

 public:
  explicit MatchScreen(Game& game, QWidget* parent = nullptr);

  // Shows the match as it stands.
  void refresh();

  // Plays the match through: each quarter starts by itself after a short
  // break, at the pace chosen, up to full time (the round's Play all).
  void PlayThrough();

 Q_SIGNALS:
  // Finish was pressed: whoever opened the screen takes input again, before
  // the screen goes and the match is booked.
  void leaving();
  // Finish booked the match and put the screen away.
  void finished();

 public Q_SLOTS:
  void cmdStart_Click();
  void cmdOK_Click();
  // One minute of the clock.
  void tmrMatch_Timer();
  // The clock's pace; Pause holds the clock till a pace is chosen again.
  void cmdPause_Click();
  void cmdWatch_Click();
  void cmdNormal_Click();
  void cmdFast_Click();
  // The rest of the quarter's minutes at once, up to the siren.
  void cmdToSiren_Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* MakeScoreboard();
  QWidget* MakePlayer();
  QWidget* MakeSpeed();
  // Chooses a pace (and keeps it); the clock goes on at it if it was held.
  void ChooseSpeed(MatchSpeed speed);
  // The timer at the pace chosen, running while the clock runs unpaused.
  void RunClock();
  QLabel* AddValue(const char* name, QWidget* parent,
                   std::function<QString(const MatchState&)> text, const char* role = "value");
  void Show(const MatchState& state);
  // The scoreboard's cells named for a screen reader after the two clubs.
  void NameCells(const MatchState& state);

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
  QStackedLayout* lead_ = nullptr;
  QWidget* speedRow_ = nullptr;
  QWidget* ratingRow_ = nullptr;
  QButtonGroup* speeds_ = nullptr;
  QToolButton* cmdPause_ = nullptr;
  QToolButton* cmdWatch_ = nullptr;
  QToolButton* cmdNormal_ = nullptr;
  QToolButton* cmdFast_ = nullptr;
  QToolButton* cmdToSiren_ = nullptr;
  MatchSpeed speed_ = MatchSpeed::Normal;
  bool paused_ = false;
  // The match as it stood when Start was last pressed.
  MatchState atStart_;
  // Played through to full time, and the minutes of the break so far.
  bool playingThrough_ = false;
  int breakMinutes_ = 0;
  // The clubs the scoreboard's cells are named after.
  std::string namedFor_;
  QLabel* lblMatchRating_ = nullptr;
  QLabel* label7_ = nullptr;
};

}  // namespace km::screens
