#include "screens/screen_flow.h"

#include "screens/main_screen.h"
#include "screens/records_screen.h"
#include "screens/screen_parts.h"
#include "screens/setup_screen.h"
#include "screens/splash_screen.h"
#include "screens/start_screen.h"
#include "screens/team_screen.h"

namespace km::screens {

namespace {

// A screen that is no longer needed is hidden at once and deleted once the
// event that closed it has been handled (it may be inside one of its own
// slots right now).
template <typename Screen>
void Retire(std::unique_ptr<Screen>& screen) {
  if (!screen) return;
  screen->hide();
  screen.release()->deleteLater();
}

}  // namespace

ScreenFlow::ScreenFlow(Game& game, QObject* parent) : QObject(parent), game_(game) {}

ScreenFlow::~ScreenFlow() = default;

void ScreenFlow::Begin() {
  splash_ = std::make_unique<SplashScreen>();
  connect(splash_.get(), &SplashScreen::dismissed, this, [this] {
    ShowStart();
    Retire(splash_);
  });
  splash_->show();
}

void ScreenFlow::ShowStart() {
  if (!start_) {
    start_ = std::make_unique<StartScreen>(game_);
    connect(start_.get(), &StartScreen::newCareerChosen, this, &ScreenFlow::OpenSetup);
    connect(start_.get(), &StartScreen::careerLoaded, this, &ScreenFlow::OpenHub);
    connect(start_.get(), &StartScreen::exitChosen, this, &ScreenFlow::exitRequested);
  }
  start_->show();
  start_->raise();
  start_->activateWindow();
}

void ScreenFlow::OpenSetup() {
  // Every new career starts from a blank setup screen.
  Retire(setup_);
  game_.BeginSetup();
  setup_ = std::make_unique<SetupScreen>(game_);
  connect(setup_.get(), &SetupScreen::careerStarted, this, &ScreenFlow::OpenHub);
  connect(setup_.get(), &SetupScreen::backChosen, this, [this] {
    ShowStart();
    Retire(setup_);
  });
  connect(setup_.get(), &SetupScreen::exitChosen, this, &ScreenFlow::exitRequested);
  setup_->show();
  if (start_) start_->hide();
}

void ScreenFlow::OpenHub() {
  // The hub is made ready afresh for every career, started or loaded.
  RetireCareerScreens();
  hub_ = std::make_unique<MainScreen>(game_);
  connect(hub_.get(), &MainScreen::careerClosed, this, &ScreenFlow::CloseCareer);
  connect(hub_.get(), &MainScreen::recordsRequested, this, &ScreenFlow::OpenRecords);
  connect(hub_.get(), &MainScreen::teamDetailsRequested, this, &ScreenFlow::OpenTeam);
  hub_->show();
  // The setup screen keeps its answers while the career runs.
  if (setup_) setup_->hide();
  if (start_) start_->hide();
}

void ScreenFlow::OpenRecords() {
  if (!hub_ || !game_.HasCareer()) return;
  if (!records_) {
    records_ = std::make_unique<RecordsScreen>(game_.career());
    connect(records_.get(), &InfoScreen::closed, this, [this] { HandBackTo(hub_.get()); });
  }
  records_->refresh();
  OpenFrom(hub_.get(), records_.get());
}

void ScreenFlow::OpenTeam() {
  if (!hub_ || !game_.HasCareer()) return;
  if (!team_) {
    team_ = std::make_unique<TeamScreen>(game_);
    connect(team_.get(), &TeamScreen::careerDetailsRequested, this, &ScreenFlow::BackToHub);
    // Leaving from the team page asks the hub's own quit question.
    connect(team_.get(), &TeamScreen::exitRequested, hub_.get(), &MainScreen::cmdExit_Click);
  }
  // The team page takes the hub's place.
  team_->refresh();
  team_->show();
  team_->raise();
  team_->activateWindow();
  hub_->hide();
}

void ScreenFlow::BackToHub() {
  if (team_) team_->hide();
  if (!hub_) return;
  hub_->show();
  hub_->raise();
  hub_->activateWindow();
}

void ScreenFlow::CloseCareer() {
  ShowStart();
  Retire(setup_);
  RetireCareerScreens();
}

void ScreenFlow::RetireCareerScreens() {
  Retire(records_);
  Retire(team_);
  Retire(hub_);
}

}  // namespace km::screens
