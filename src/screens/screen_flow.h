// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPoint>
#include <memory>

#include "game/game.h"

class QWidget;

namespace km::screens {

class CareerScreenMaker;
class ContractsScreen;
class DraftCampScreen;
class DraftScreen;
class MainScreen;
class MatchScreen;
class PositionScreen;
class RecordsScreen;
class RoundScreen;
class SetupScreen;
class ShopScreen;
class SponsorshipScreen;
class SplashScreen;
class StartScreen;
class TeamScreen;

// Which screen follows which: splash, start, setup, a new career's first
// contract, the hub with its records, career, team and contract pages, the week's
// round and match, a new position, the draft camp and the draft, and back to
// the start screen when a career is quit. The game's ports come with the
// Game, so the flow runs the same with the real message boxes or a test
// script.
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
  [[nodiscard]] QWidget* careerScreen() const { return career_.get(); }
  [[nodiscard]] TeamScreen* team() const { return team_.get(); }
  [[nodiscard]] ContractsScreen* contracts() const { return contracts_.get(); }
  [[nodiscard]] RoundScreen* round() const { return round_.get(); }
  [[nodiscard]] MatchScreen* match() const { return match_.get(); }
  [[nodiscard]] PositionScreen* position() const { return position_.get(); }
  [[nodiscard]] DraftCampScreen* camp() const { return camp_.get(); }
  [[nodiscard]] DraftScreen* draft() const { return draft_.get(); }

 Q_SIGNALS:
  // The player chose to leave the game.
  void exitRequested();

 private:
  // The start screen, over the window the player leaves for it.
  void ShowStart(const QWidget* from);
  void OpenSetup();
  // The setup screen's Start was accepted: the first contract comes first.
  void BeginCareer();
  // A loaded career's hub, and the draft camp if he was on his way there.
  void OpenHub();
  // The hub, where it was last put, or over `from` the first time.
  void MakeHub(const QWidget* from);
  // Has Continue offer the running career: it has been begun or played.
  void RememberPlayed();
  // Keeps where the hub's window is for the next time it opens.
  void RememberHubPlace();
  void OpenRecords();
  void OpenCareer();
  // A career of the start screen's hall of fame: its Career screen, read
  // from its files.
  void OpenHallOfFameCareer(const QString& saveFile);
  // The maker of Career screens from the screen's library, loaded the first
  // time; nothing, once the player has been told why, when it cannot be.
  const CareerScreenMaker* CareerMaker();
  void OpenTeam();
  void BackToHub();
  void OpenContracts();
  void OpenShop(int shop);
  void OpenSponsorship();
  void ContractSigned();
  void ContractsClosed();
  void OpenRound();
  void OpenMatch();
  void MatchFinished();
  void RoundFinished();
  // After the round and a new position: the draft camp, or the hub again.
  void AfterRound();
  bool OpenCampIfDue();
  void OpenDraft();
  void DraftFinished();
  // The hub takes input again, unless the draft is due.
  void WakeHub();
  void CloseCareer();
  // Puts away the screens that belong to the career of the moment.
  void RetireCareerScreens();

  Game& game_;
  std::unique_ptr<SplashScreen> splash_;
  std::unique_ptr<StartScreen> start_;
  std::unique_ptr<SetupScreen> setup_;
  std::unique_ptr<MainScreen> hub_;
  std::unique_ptr<RecordsScreen> records_;
  std::unique_ptr<QWidget> career_;
  std::unique_ptr<TeamScreen> team_;
  std::unique_ptr<ContractsScreen> contracts_;
  std::unique_ptr<ShopScreen> shop_;
  std::unique_ptr<SponsorshipScreen> sponsorship_;
  std::unique_ptr<RoundScreen> round_;
  std::unique_ptr<MatchScreen> match_;
  std::unique_ptr<PositionScreen> position_;
  std::unique_ptr<DraftCampScreen> camp_;
  std::unique_ptr<DraftScreen> draft_;
  // Where the hub was when the team page took its place.
  QPoint hubPlace_;
};

}  // namespace km::screens
