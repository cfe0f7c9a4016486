// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

#include "core/run_state.h"
#include "game/game.h"
#include "season/round.h"

class QFrame;
class QLabel;
class QPushButton;

namespace km::screens {

// The eight match slots of a round, as the round screen and the results
// browser show them: both clubs of each match, their goals and behinds at
// the end of every quarter and their points. Slot 1's labels carry the bare
// names (lblTeamOne, lblGoalsOne1 for its first quarter, lblPointsOne);
// slot K of 2..8 adds its number (lblTeamOne2, lblGoalsOne12, lblPointsOne2).
class MatchSlots : public QWidget {
  Q_OBJECT

 public:
  explicit MatchSlots(QWidget* parent = nullptr);

  // Slot 0..7: its two clubs and its score.
  void ShowSlot(int slot, const QString& teamOne, const QString& teamTwo, const RoundSlot& score);
  // Only the first `count` slots are in view; the others keep what they show.
  void ShowCount(int count);
  // How a club's name is painted: its own club, the next match or the rest.
  void Paint(int slot, int side, NameColour colour);
  // All names in the plain colour.
  void PaintPlain();

 private:
  struct Slot {
    QFrame* frame = nullptr;
    // What a reader says of each club beside its name ("your club", "next match").
    std::array<QString, 2> marks{};
    std::array<QLabel*, 2> team{};
    std::array<std::array<QLabel*, 4>, 2> goals{};
    std::array<std::array<QLabel*, 4>, 2> behinds{};
    std::array<QLabel*, 2> points{};
  };
  QWidget* MakeHeader(int nameWidth, int cellWidth, int pointsWidth);
  // Names a slot's cells for a screen reader after its match and clubs.
  void NameSlot(int slot);
  std::array<Slot, kMatchesPerRound> slots_;
};

// frmMatchRound: the week's round. Start plays the next match: another
// clubs' match is played out at once, the player's own opens the match
// screen. Play all presses Start for each match left in turn, waiting on
// the match screen while the player's own is played. Once every match has
// been played OK finishes the round.
class RoundScreen : public QWidget {
  Q_OBJECT

 public:
  explicit RoundScreen(Game& game, QWidget* parent = nullptr);

  // Shows the round as it stands.
  void refresh();

  // Play all was pressed and the round is not over yet.
  [[nodiscard]] bool playingAll() const { return playingAll_; }

  // The match screen has booked his match: its score goes in its slot, and
  // Play all goes on.
  void MatchFinished();

 Q_SIGNALS:
  // The player's match is ready for the match screen.
  void matchDue();
  // OK finished the round and put the screen away.
  void finished();

 public Q_SLOTS:
  void cmdStart_Click();
  void cmdPlayAll_Click();
  void cmdOK_Click();

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* MakeScoreboard();
  // Play all's presses of Start, up to the player's match or the round's end.
  void PlayOn();
  // Tells a screen reader each result as it comes, and the round's end.
  void AnnounceResults();

  Game& game_;
  QLabel* lblTitle_ = nullptr;
  QLabel* lblLeague_ = nullptr;
  QLabel* lblRound_ = nullptr;
  QLabel* lblMatch_ = nullptr;
  MatchSlots* slots_ = nullptr;
  QFrame* fraScoreboard_ = nullptr;
  std::array<QLabel*, 2> lblT_{};
  std::array<QLabel*, 2> lblGoals_{};
  std::array<QLabel*, 2> lblBehinds_{};
  std::array<std::array<QLabel*, 4>, 2> lblG_{};
  std::array<std::array<QLabel*, 4>, 2> lblB_{};
  std::array<QLabel*, 2> lblP_{};
  QLabel* lblQuarter_ = nullptr;
  QLabel* lblTime_ = nullptr;
  QPushButton* cmdStart_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdPlayAll_ = nullptr;
  // Play all was pressed and the round is not over yet.
  bool playingAll_ = false;
  // The results a reader has been told, and whether it heard the round's end.
  std::array<bool, kMatchesPerRound> told_{};
  bool toldEnd_ = false;
};

}  // namespace km::screens
