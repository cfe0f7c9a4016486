// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/game.h"
#include "screens/about_screen.h"

class QLabel;
class QPushButton;

namespace km::screens {

class LadderScreen;
class ResultsScreen;
class TeamRecordsScreen;

// frmTeam: the club's page. It shows the player's club and its season, and
// opens the about box, the ladder, the club's records and the fixture and
// results; CAREER DETAILS goes back to the hub, and has the focus when the
// page comes up. A button's underlined letter works without Alt.
class TeamScreen : public QWidget {
  Q_OBJECT

 public:
  explicit TeamScreen(Game& game, QWidget* parent = nullptr);
  ~TeamScreen() override;

  // Copies the player's club details in and works out the league position.
  void refresh();

  // The screens opened from here, once they have been.
  [[nodiscard]] AboutScreen* aboutBox() const { return aboutBox_; }
  [[nodiscard]] LadderScreen* ladder() const { return ladder_.get(); }
  [[nodiscard]] TeamRecordsScreen* records() const { return records_.get(); }
  [[nodiscard]] ResultsScreen* results() const { return results_.get(); }

 Q_SIGNALS:
  // CAREER DETAILS: back to the hub.
  void careerDetailsRequested();
  // Exit: the hub asks the quit question.
  void exitRequested();

 public Q_SLOTS:
  void cmdCareerDetails_Click();
  void cmdAbout_Click();
  void cmdLadder_Click();
  void cmdRecords_Click();
  void cmdResults_Click();
  void cmdExit_Click();
  void cmdPlay_Click();
  void cmdStore_Click();
  void cmdSponsorship_Click();
  void cmdManagement_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* MakeTeamInformation();
  QWidget* MakeSeasonStatistics();
  QWidget* MakeTeamOperation();
  QWidget* MakeCoachSkill();
  QWidget* MakeFinances();
  QLabel* AddValue(const char* name, QWidget* parent,
                   std::function<std::string(const Career&)> text);

  struct ShownText {
    QLabel* label;
    std::function<std::string(const Career&)> text;
  };

  Game& game_;
  std::vector<ShownText> texts_;
  QLabel* lblPosition_ = nullptr;
  QPushButton* cmdCareerDetails_ = nullptr;
  QPointer<AboutScreen> aboutBox_;
  std::unique_ptr<LadderScreen> ladder_;
  std::unique_ptr<TeamRecordsScreen> records_;
  std::unique_ptr<ResultsScreen> results_;
};

}  // namespace km::screens
