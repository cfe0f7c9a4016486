#pragma once

#include <QObject>
#include <memory>

#include "core/game.h"

namespace km::screens {

class MainScreen;
class RecordsScreen;
class SetupScreen;
class SplashScreen;
class StartScreen;
class TeamScreen;

// Which screen follows which: splash, start, setup, the hub with its records
// and team pages, and back to the start screen when a career is quit. The game's ports come with
// the Game, so the flow runs the same with the real message boxes or a test script.
class ScreenFlow : public QObject {
  Q_OBJECT

 public:
  explicit ScreenFlow(Game& game, QObject* parent = nullptr);
  ~ScreenFlow() override;

  // The program starts: the splash screen, then the start screen.
  void Begin();

  // The screens of the moment; nothing when that screen is not up.
  [[nodiscard]] SplashScreen* splash() const { return splash_.get(); }
  [[nodiscard]] StartScreen* start() const { return start_.get(); }
  [[nodiscard]] SetupScreen* setup() const { return setup_.get(); }
  [[nodiscard]] MainScreen* hub() const { return hub_.get(); }
  [[nodiscard]] RecordsScreen* records() const { return records_.get(); }
  [[nodiscard]] TeamScreen* team() const { return team_.get(); }

 Q_SIGNALS:
  // The player chose to leave the game.
  void exitRequested();

 private:
  void ShowStart();
  void OpenSetup();
  void OpenHub();
  void OpenRecords();
  void OpenTeam();
  void BackToHub();
  void CloseCareer();
  // Puts away the screens that belong to the career of the moment.
  void RetireCareerScreens();

  Game& game_;
  std::unique_ptr<SplashScreen> splash_;
  std::unique_ptr<StartScreen> start_;
  std::unique_ptr<SetupScreen> setup_;
  std::unique_ptr<MainScreen> hub_;
  std::unique_ptr<RecordsScreen> records_;
  std::unique_ptr<TeamScreen> team_;
};

}  // namespace km::screens
