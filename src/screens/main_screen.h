// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "game/game.h"
#include "screens/about_screen.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace km::screens {

// The Play button's tool tip: the rules' reason for Play's state, and F1.
QString PlayTip(const Game& game);

// frmMain: the career hub. It shows the career record and opens the screens
// of the week. The letters A, C, O, T, S, H, R and E work like the About,
// Contract, Sponsorship, Training, Store, Health, Records and Career buttons
// wherever the focus is, even while the button itself is disabled; once the
// player has retired only the letters of the screens that show his career
// still work.
class MainScreen : public QWidget {
  Q_OBJECT

 public:
  explicit MainScreen(Game& game, QWidget* parent = nullptr);
  ~MainScreen() override;

  // Shows the career record as it is now.
  void refresh();

  // The newspaper was put away: the hub takes input again, unless the draft
  // is due, which wakes the hub itself when it is over.
  void NewspaperClosed();

  // The about box while it is open.
  [[nodiscard]] AboutScreen* aboutBox() const { return aboutBox_; }

 Q_SIGNALS:
  // Play took the week ahead: its round waits for the round screen.
  void playRequested();
  // The other buttons ask for the screens of the week.
  void teamDetailsRequested();
  void trainingRequested();
  void healthRequested();
  void storeRequested();
  void sponsorshipRequested();
  void contractRequested();
  void recordsRequested();
  void careerRequested();
  // The player quit this career: the game holds no career any more.
  void careerClosed();

 public Q_SLOTS:
  void cmdPlay_Click();
  void cmdTeamDetails_Click();
  void cmdTraining_Click();
  void cmdHealth_Click();
  void cmdStore_Click();
  void cmdSponsorship_Click();
  void cmdContract_Click();
  void cmdRecords_Click();
  void cmdCareer_Click();
  void cmdAbout_Click();
  void cmdExit_Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // The keyboard letters of the hub.
  bool Form_KeyDown(int key);

  QWidget* MakeProfile();
  QWidget* MakeSeasonStatistics();
  QWidget* MakeFinances();
  // A frame of bars: its caption, object name and bar each.
  struct BarRow;
  QWidget* MakeBars(const char* title, const char* frameName, std::span<const BarRow> rows);
  QWidget* MakeGear();
  QWidget* MakeHealth();
  QLabel* AddValue(const char* name, QWidget* parent,
                   std::function<std::string(const Career&)> text);
  QProgressBar* AddBar(const char* name, QWidget* parent, HubBar bar);
  QPushButton* AddButton(const char* caption, const char* name, void (MainScreen::*slot)());

  struct ShownText {
    QLabel* label;
    std::function<std::string(const Career&)> text;
  };
  struct ShownBar {
    QProgressBar* widget;
    HubBar bar;
    QLabel* caption;  // "Boots:", which shows the bar's tool tip too
  };

  Game& game_;
  std::vector<ShownText> texts_;
  std::vector<ShownBar> bars_;
  QPushButton* cmdPlay_ = nullptr;
  QPushButton* cmdSponsorship_ = nullptr;
  QPushButton* cmdContract_ = nullptr;
  QPushButton* cmdTraining_ = nullptr;
  QPushButton* cmdHealth_ = nullptr;
  QPushButton* cmdStore_ = nullptr;
  QPushButton* cmdLadderStats_ = nullptr;
  QPointer<AboutScreen> aboutBox_;
};

}  // namespace km::screens
