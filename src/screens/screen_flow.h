#pragma once

#include <QObject>
#include <memory>

#include "core/game.h"

namespace km::screens {

class MainScreen;
class SetupScreen;
class SplashScreen;
class StartScreen;

// Which screen follows which: splash, start, setup, the hub, and back to the
// start screen when a career is quit. The game's ports come with the Game,
// so the flow runs the same with the real message boxes or a test script.
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

 signals:
  // The player chose to leave the game.
  void exitRequested();

 private:
  void ShowStart();
  void OpenSetup();
  void OpenHub();
  void CloseCareer();

  Game& game_;
  std::unique_ptr<SplashScreen> splash_;
  std::unique_ptr<StartScreen> start_;
  std::unique_ptr<SetupScreen> setup_;
  std::unique_ptr<MainScreen> hub_;
};

}  // namespace km::screens
