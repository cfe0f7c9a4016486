// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/screen_flow.h"

#include "screens/career_library.h"
#include "screens/contracts_screen.h"
#include "screens/draft_screens.h"
#include "screens/game_settings.h"
#include "screens/main_screen.h"
#include "screens/match_screen.h"
#include "screens/position_screen.h"
#include "screens/qt_text.h"
#include "screens/records_screen.h"
#include "screens/round_screen.h"
#include "screens/screen_parts.h"
#include "screens/setup_screen.h"
#include "screens/shop_screen.h"
#include "screens/splash_screen.h"
#include "screens/sponsorship_screen.h"
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

ScreenFlow::ScreenFlow(Game& game, QObject* parent) : QObject(parent), game_(game) {
  // The hub's window is where the player left it, the next time too.
  connect(qApp, &QCoreApplication::aboutToQuit, this, &ScreenFlow::RememberHubPlace);
}

void ScreenFlow::RememberHubPlace() {
  if (hub_) GameSettings().setValue(GameSettings::kHubPlace, hub_->saveGeometry());
}

ScreenFlow::~ScreenFlow() = default;

void ScreenFlow::Begin() {
  splash_ = std::make_unique<SplashScreen>();
  connect(splash_.get(), &SplashScreen::dismissed, this, [this] {
    ShowStart(splash_.get());
    Retire(splash_);
  });
  splash_->show();
}

void ScreenFlow::ShowStart(const QWidget* from) {
  if (!start_) {
    start_ = std::make_unique<StartScreen>(game_);
    connect(start_.get(), &StartScreen::newCareerChosen, this, &ScreenFlow::OpenSetup);
    connect(start_.get(), &StartScreen::careerLoaded, this, &ScreenFlow::OpenHub);
    connect(start_.get(), &StartScreen::exitChosen, this, &ScreenFlow::exitRequested);
    connect(start_.get(), &StartScreen::careerChosen, this, &ScreenFlow::OpenHallOfFameCareer);
  }
  PlaceOver(start_.get(), from);
  start_->show();
  start_->raise();
  start_->activateWindow();
}

void ScreenFlow::OpenSetup() {
  // Every new career starts from a blank setup screen.
  Retire(setup_);
  game_.BeginSetup();
  setup_ = std::make_unique<SetupScreen>(game_);
  connect(setup_.get(), &SetupScreen::careerStarted, this, &ScreenFlow::BeginCareer);
  connect(setup_.get(), &SetupScreen::backChosen, this, [this] {
    ShowStart(setup_.get());
    Retire(setup_);
  });
  connect(setup_.get(), &SetupScreen::exitChosen, this, &ScreenFlow::exitRequested);
  PlaceOver(setup_.get(), start_.get());
  setup_->show();
  if (start_) start_->hide();
}

void ScreenFlow::BeginCareer() {
  RetireCareerScreens();
  // A fixture that cannot be written has been reported: the offers stand,
  // and the first Play names the file again.
  game_.PrepareFirstContract();
  OpenContracts();
  // The setup screen keeps its answers while the career runs.
  if (setup_) setup_->hide();
  if (start_) start_->hide();
}

void ScreenFlow::OpenHub() {
  // The hub is made ready afresh for every career loaded.
  RetireCareerScreens();
  MakeHub(start_.get());
  hub_->show();
  if (setup_) setup_->hide();
  if (start_) start_->hide();
  OpenCampIfDue();
}

void ScreenFlow::MakeHub(const QWidget* from) {
  hub_ = std::make_unique<MainScreen>(game_);
  GameSettings settings;
  // The hub is where the player last put it; the first time, over the screen
  // he was looking at.
  if (!hub_->restoreGeometry(settings.value(GameSettings::kHubPlace).toByteArray())) {
    PlaceOver(hub_.get(), from);
  }
  connect(hub_.get(), &MainScreen::careerClosed, this, &ScreenFlow::CloseCareer);
  connect(hub_.get(), &MainScreen::recordsRequested, this, &ScreenFlow::OpenRecords);
  connect(hub_.get(), &MainScreen::careerRequested, this, &ScreenFlow::OpenCareer);
  connect(hub_.get(), &MainScreen::teamDetailsRequested, this, &ScreenFlow::OpenTeam);
  connect(hub_.get(), &MainScreen::contractRequested, this, &ScreenFlow::OpenContracts);
  connect(hub_.get(), &MainScreen::playRequested, this, &ScreenFlow::OpenRound);
  connect(hub_.get(), &MainScreen::trainingRequested, this,
          [this] { OpenShop(static_cast<int>(Shop::Training)); });
  connect(hub_.get(), &MainScreen::healthRequested, this,
          [this] { OpenShop(static_cast<int>(Shop::Health)); });
  connect(hub_.get(), &MainScreen::storeRequested, this,
          [this] { OpenShop(static_cast<int>(Shop::Store)); });
  connect(hub_.get(), &MainScreen::sponsorshipRequested, this, &ScreenFlow::OpenSponsorship);
}

void ScreenFlow::RememberPlayed() {
  // The start screen's Continue takes the player back to the career he last
  // played: begun, or a round played in it. One only loaded to look at is
  // not it.
  if (!game_.HasCareer()) return;
  GameSettings().setValue(GameSettings::kLastCareer,
                          PathToQt(SaveFilePath(game_.folder().path, game_.career())));
}

void ScreenFlow::OpenShop(int shop) {
  if (!hub_ || !game_.HasCareer() || !hub_->isEnabled()) return;
  // Each visit prices the week afresh from the record.
  Retire(shop_);
  shop_ = std::make_unique<ShopScreen>(game_, static_cast<Shop>(shop));
  connect(shop_.get(), &ShopScreen::closed, this, [this] { HandBackTo(hub_.get()); });
  shop_->Open();
  OpenFrom(hub_.get(), shop_.get());
}

void ScreenFlow::OpenSponsorship() {
  if (!hub_ || !game_.HasCareer() || !hub_->isEnabled()) return;
  if (!sponsorship_) {
    sponsorship_ = std::make_unique<SponsorshipScreen>(game_);
    connect(sponsorship_.get(), &SponsorshipScreen::closed, this,
            [this] { HandBackTo(hub_.get()); });
  }
  sponsorship_->Open();
  OpenFrom(hub_.get(), sponsorship_.get());
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

void ScreenFlow::OpenCareer() {
  if (!hub_ || !game_.HasCareer()) return;
  // The log grows with every round: the screen reads it afresh each time.
  auto read =
      ReadCareerLog(LogPath(game_.folder().path, game_.career()), SavedPlace(game_.career()));
  if (const auto* error = std::get_if<FileError>(&read)) {
    game_.prompter().inform(error->message);
    return;
  }
  const auto* maker = CareerMaker();
  if (!maker) return;
  Retire(career_);
  career_ = maker->Make(game_.career(), std::get<CareerLog>(std::move(read)), game_.folder().path,
                        this, [this] { HandBackTo(hub_.get()); });
  OpenFrom(hub_.get(), career_.get());
}

void ScreenFlow::OpenHallOfFameCareer(const QString& saveFile) {
  if (!start_ || !start_->isVisible() || !start_->isEnabled()) return;
  // Read only, as the hall of fame reads it: the career may be open in
  // another game, and nothing of it is locked or written.
  const std::filesystem::path save = PathFromQt(saveFile);
  auto loaded = LoadCareer(save);
  if (const auto* error = std::get_if<FileError>(&loaded)) {
    game_.prompter().inform(error->message);
    return;
  }
  const Career& career = std::get<Career>(loaded);
  auto read = ReadCareerLog(LogPath(save.parent_path(), career), SavedPlace(career));
  if (const auto* error = std::get_if<FileError>(&read)) {
    game_.prompter().inform(error->message);
    return;
  }
  const auto* maker = CareerMaker();
  if (!maker) return;
  Retire(career_);
  career_ = maker->Make(career, std::get<CareerLog>(std::move(read)), save.parent_path(), this,
                        [this] { HandBackTo(start_.get()); });
  OpenFrom(start_.get(), career_.get());
}

const CareerScreenMaker* ScreenFlow::CareerMaker() {
  // The Career screen's library is loaded the first time the screen opens.
  auto loaded = CareerLibrary();
  if (const auto* why = std::get_if<QString>(&loaded)) {
    game_.prompter().inform(ToStd(*why));
    return nullptr;
  }
  return std::get<const CareerScreenMaker*>(loaded);
}

void ScreenFlow::OpenTeam() {
  if (!hub_ || !game_.HasCareer()) return;
  if (!team_) {
    team_ = std::make_unique<TeamScreen>(game_);
    connect(team_.get(), &TeamScreen::careerDetailsRequested, this, &ScreenFlow::BackToHub);
    // Leaving from the team page asks the hub's own quit question.
    connect(team_.get(), &TeamScreen::exitRequested, hub_.get(), &MainScreen::cmdExit_Click);
  }
  // The team page takes the hub's place, over it; the hub comes back where
  // it was.
  team_->refresh();
  PlaceOver(team_.get(), hub_.get());
  hubPlace_ = hub_->pos();
  team_->show();
  team_->raise();
  team_->activateWindow();
  hub_->hide();
}

void ScreenFlow::BackToHub() {
  if (team_) team_->hide();
  if (!hub_) return;
  if (!hub_->isVisible()) hub_->move(hubPlace_);
  hub_->show();
  hub_->raise();
  hub_->activateWindow();
}

void ScreenFlow::OpenContracts() {
  if (!game_.HasCareer()) return;
  if (!contracts_) {
    contracts_ = std::make_unique<ContractsScreen>(game_);
    connect(contracts_.get(), &ContractsScreen::contractSigned, this, &ScreenFlow::ContractSigned);
    connect(contracts_.get(), &ContractsScreen::closed, this, &ScreenFlow::ContractsClosed);
  }
  // The hub stays usable beside the offers; a new career's come over the
  // setup screen.
  contracts_->refresh();
  if (hub_ && hub_->isVisible()) {
    OpenBeside(hub_.get(), contracts_.get());
    return;
  }
  PlaceOver(contracts_.get(), setup_.get());
  contracts_->show();
  contracts_->raise();
  contracts_->activateWindow();
}

void ScreenFlow::ContractSigned() {
  if (!game_.HasCareer()) return;
  if (hub_) {
    hub_->refresh();
  } else if (game_.career().ContractMatches != 0) {
    // A new career's hub comes up once he has signed and the papers have
    // had the story; the offers stay in front until OK.
    MakeHub(contracts_.get());
    RememberPlayed();
    hub_->show();
  }
  if (contracts_ && contracts_->isVisible()) {
    contracts_->raise();
    contracts_->activateWindow();
  }
}

void ScreenFlow::ContractsClosed() {
  if (!game_.HasCareer()) return;
  if (!hub_) {
    MakeHub(contracts_.get());
    RememberPlayed();
    hub_->show();
  }
  hub_->refresh();
  // The team page may have taken the hub's place meanwhile.
  if (hub_->isVisible()) HandBackTo(hub_.get());
}

void ScreenFlow::OpenRound() {
  if (!hub_ || !game_.round()) return;
  // The week is under way: the offers are put away with the hub.
  if (contracts_) contracts_->hide();
  Retire(round_);
  round_ = std::make_unique<RoundScreen>(game_);
  connect(round_.get(), &RoundScreen::matchDue, this, &ScreenFlow::OpenMatch);
  connect(round_.get(), &RoundScreen::finished, this, &ScreenFlow::RoundFinished);
  OpenFrom(hub_.get(), round_.get());
}

void ScreenFlow::OpenMatch() {
  if (!round_ || !game_.match()) return;
  Retire(match_);
  match_ = std::make_unique<MatchScreen>(game_);
  connect(match_.get(), &MatchScreen::leaving, this, [this] { HandBackTo(round_.get()); });
  connect(match_.get(), &MatchScreen::finished, this, &ScreenFlow::MatchFinished);
  // Beside the round's scores when the desktop has room, else over them.
  PlaceSideBySide(round_.get(), match_.get());
  OpenFrom(round_.get(), match_.get());
  // Play all plays his match through too, at the pace he chose.
  if (round_->playingAll()) match_->PlayThrough();
}

void ScreenFlow::MatchFinished() {
  Retire(match_);
  // The round screen takes over again with the player's score in its slot.
  if (round_) round_->MatchFinished();
}

void ScreenFlow::RoundFinished() {
  Retire(match_);
  if (!game_.HasCareer()) {
    Retire(round_);
    return;
  }
  RememberPlayed();
  if (hub_) hub_->refresh();
  // He said Yes to a new position at the season's end: he picks it now.
  RunState& run = game_.run();
  if (run.positionChangeDue) {
    run.positionChangeDue = false;
    position_ = std::make_unique<PositionScreen>(game_.career(), game_.prompter());
    connect(position_.get(), &QDialog::finished, this, [this](int result) {
      Retire(position_);
      // The round was saved before he chose: the new position is kept at
      // once, not only with the next round.
      if (result == QDialog::Accepted) game_.Save();
      AfterRound();
    });
    PlaceOver(position_.get(), hub_.get());
    KeepAbove(position_.get(), hub_.get());
    position_->show();
    position_->raise();
    position_->activateWindow();
    Retire(round_);
    return;
  }
  // What comes next takes over before the round goes, so that the focus
  // never returns to a window that is still held.
  AfterRound();
  Retire(round_);
}

void ScreenFlow::AfterRound() {
  if (OpenCampIfDue()) return;
  WakeHub();
}

bool ScreenFlow::OpenCampIfDue() {
  if (!hub_ || !game_.OpenCampIfDue()) return false;
  if (!camp_) {
    camp_ = std::make_unique<DraftCampScreen>(game_);
    connect(camp_.get(), &DraftCampScreen::draftRequested, this, &ScreenFlow::OpenDraft);
  }
  // The hub stays in view but takes no input until the draft is over.
  camp_->refresh();
  OpenFrom(hub_.get(), camp_.get());
  return true;
}

void ScreenFlow::OpenDraft() {
  if (!game_.draft()) return;
  Retire(draft_);
  draft_ = std::make_unique<DraftScreen>(game_);
  connect(draft_.get(), &DraftScreen::finished, this, &ScreenFlow::DraftFinished);
  // The draft takes the camp's place, over the hub that waits for it.
  PlaceOver(draft_.get(), camp_.get());
  KeepAbove(draft_.get(), hub_.get());
  if (camp_) camp_->hide();
  draft_->show();
  draft_->raise();
  draft_->activateWindow();
}

void ScreenFlow::DraftFinished() {
  // The papers have had the story: the hub is back and both screens close.
  WakeHub();
  Retire(draft_);
  Retire(camp_);
}

void ScreenFlow::WakeHub() {
  if (!hub_ || !game_.HasCareer()) return;
  // The draft camp and the draft wake the hub themselves.
  if (game_.career().DraftDue != 0) {
    Hold(hub_.get());
    return;
  }
  hub_->refresh();
  HandBackTo(hub_.get());
}

void ScreenFlow::CloseCareer() {
  ShowStart(hub_.get());
  Retire(setup_);
  RetireCareerScreens();
}

void ScreenFlow::RetireCareerScreens() {
  RememberHubPlace();
  // The screens opened from others go first.
  Retire(position_);
  Retire(draft_);
  Retire(camp_);
  Retire(match_);
  Retire(round_);
  Retire(contracts_);
  Retire(shop_);
  Retire(sponsorship_);
  Retire(records_);
  Retire(career_);
  Retire(team_);
  Retire(hub_);
}

}  // namespace km::screens
