#include "screens/screen_flow.h"

#include "screens/main_screen.h"
#include "screens/setup_screen.h"
#include "screens/splash_screen.h"
#include "screens/start_screen.h"

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
  Retire(hub_);
  hub_ = std::make_unique<MainScreen>(game_);
  connect(hub_.get(), &MainScreen::careerClosed, this, &ScreenFlow::CloseCareer);
  hub_->show();
  // The setup screen keeps its answers while the career runs.
  if (setup_) setup_->hide();
  if (start_) start_->hide();
}

void ScreenFlow::CloseCareer() {
  ShowStart();
  Retire(setup_);
  Retire(hub_);
}

}  // namespace km::screens
