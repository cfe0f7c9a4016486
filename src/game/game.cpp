// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/game.h"

#include "core/file_names.h"
#include "core/file_system.h"
#include "core/new_career.h"
#include "core/number_format.h"
#include "core/text_file.h"
#include "match/after_match.h"
#include "season/finals.h"
#include "season/fixture.h"
#include "season/hall_of_fame.h"
#include "season/season_end.h"
#include "week/events.h"
#include "week/sponsors.h"
#include "week/week.h"

namespace km {

namespace {

// The names of the files a career writes: a game stopped while it wrote one
// may have left a temporary file of it behind.
std::vector<std::string> CareerFileNames(const Career& c) {
  std::vector<std::string> names;
  for (const auto& path : {SaveFilePath({}, c), FixturePath({}, c), ResultsPath({}, c),
                           LogPath({}, c), SeasonHistoryPath({}, c), CareerHistoryPath({}, c)}) {
    names.push_back(path.filename().string());
  }
  return names;
}

}  // namespace

std::string SharedHistoryMessage(const std::string& player, const std::string& otherCareer) {
  return "The career \"" + otherCareer + "\" in this folder has a player named " + player +
         ", and a player's history files are named after him (" + player +
         std::string(kSeasonHistoryEnding) + ", " + player + std::string(kCareerHistoryEnding) +
         "). Please give this player another name.";
}

Game::Game(Random& random, Prompter& prompter, DataFolder folder)
    : random_(random), outer_(prompter), folder_(std::move(folder)) {}

void LoggingPrompter::inform(const std::string& text, const std::string& title) {
  shown_.push_back({LogEventKind::Message, title == kProgramTitle ? "" : title, text});
  inner_.inform(text, title);
}

bool LoggingPrompter::askYesNo(const std::string& text, const std::string& title, Icon icon) {
  const bool yes = inner_.askYesNo(text, title, icon);
  shown_.push_back({LogEventKind::Question, yes ? "Yes" : "No", text});
  return yes;
}

void LoggingPrompter::publish(const Story& story) {
  // The paper brought up again with its last story is not news.
  const LogEvent event{LogEventKind::Story, story.headline, story.text};
  auto& milestones = run_.milestones;
  const auto milestone = std::find(milestones.begin(), milestones.end(), story.headline);
  if (milestone != milestones.end()) {
    milestones.erase(milestone);
    shown_.push_back({LogEventKind::Milestone, story.headline, story.text});
  } else if (shown_.empty() || shown_.back() != event) {
    shown_.push_back(event);
  }
  inner_.publish(story);
}

bool Game::StartNewCareer(const SetupAnswers& answers, const std::function<void()>& careerShown) {
  lockRefusal_.reset();
  // Answers that pass the checks name the career: one of that name open in
  // another game would have its files written over, so the Start is refused
  // before anything of the new career is written.
  std::shared_ptr<const CareerLock> lock;
  if (!CheckSetupAnswers(answers)) {
    // The player's history files are named after him: two careers of one
    // player's name would write their seasons into the same files.
    if (const auto other = OtherCareerOfPlayer(folder_.path, answers.name, answers.careerName)) {
      prompter_.inform(SharedHistoryMessage(answers.name, *other));
      return false;
    }
    auto taken = LockCareer(folder_.file(answers.careerName + std::string(kLockEnding)),
                            kNewCareerOpenElsewhereMessage);
    if (auto* refusal = std::get_if<LockRefusal>(&taken)) {
      lockRefusal_ = *refusal;
      prompter_.inform(refusal->message);
      return false;
    }
    lock = std::get<std::shared_ptr<const CareerLock>>(std::move(taken));
  }
  return newCareer_.Start(answers, prompter_, [&](Career career) {
    career_ = std::move(career);
    logged_ = career_;
    prompter_.shown().clear();
    lock_ = std::move(lock);
    writeFailure_.reset();
    behind_.reset();
    logProblem_.reset();
    // The log of an earlier career of this name is kept, not written over:
    // the first week sets it aside.
    std::error_code error;
    const auto log = LogPath(folder_.path, *career_);
    if (std::filesystem::exists(std::filesystem::symlink_status(log, error))) {
      logProblem_ = log.filename().string() + " is the log of an earlier career of this name";
    }
    if (careerShown) careerShown();
  });
}

std::variant<std::shared_ptr<const CareerLock>, LockRefusal> Game::LockCareer(
    const std::filesystem::path& file, const std::string& inUseMessage,
    const std::shared_ptr<const CareerLock>& alsoHeld) const {
  for (const auto* held : {&lock_, &alsoHeld}) {
    if (*held && (*held)->Holds(file)) return *held;
  }
  return CareerLock::Take(file, inUseMessage);
}

void Game::TellNotWritten(std::string sentence) {
  prompter_.inform(sentence);
  writeFailure_ = std::move(sentence);
}

void Game::LogHeldEvents() {
  if (!career_ || !logged_ || behind_ || logProblem_) return;
  // A career with no week logged yet keeps them for its first week.
  const LogPlace place = SavedPlace(*logged_);
  if (place.week == 0) return;
  std::vector<LogEvent> events = prompter_.shown();
  for (LogEvent& e : EventsBetween(*logged_, *career_)) events.push_back(std::move(e));
  if (!AppendLogEvents(folder_.path, *career_, place, events).written) return;
  prompter_.shown().clear();
  logged_ = career_;
}

Game::LoadResult Game::LoadFromChoice() {
  const auto file = prompter_.chooseFileToOpen(kSaveFilter, folder_.path);
  if (!file) return {LoadOutcome::Cancelled, {}};
  return LoadFrom(*file);
}

Game::LoadResult Game::LoadFrom(const std::filesystem::path& file) {
  lockRefusal_.reset();
  const auto refused = [&](LockRefusal refusal) {
    lockRefusal_ = std::move(refusal);
    return LoadResult{LoadOutcome::Failed, lockRefusal_->message};
  };
  // The save is read under the lock of the career it is named after, so
  // that no other game replaces it in the meantime; a save that is not
  // there has nothing to guard.
  std::shared_ptr<const CareerLock> readLock;
  if (std::error_code ignored; std::filesystem::exists(file, ignored)) {
    auto taken = LockCareer(file.parent_path() / (file.stem().string() + std::string(kLockEnding)),
                            kCareerOpenElsewhereMessage);
    if (auto* refusal = std::get_if<LockRefusal>(&taken)) return refused(std::move(*refusal));
    readLock = std::get<std::shared_ptr<const CareerLock>>(std::move(taken));
  }
  auto loaded = LoadCareer(file);
  if (auto* error = std::get_if<FileError>(&loaded)) {
    return {LoadOutcome::Failed, error->message};
  }
  // The career's files are written in the data folder under its own name,
  // which is the save's but for a save moved or renamed.
  auto taken =
      LockCareer(folder_.file(std::get<Career>(loaded).CareerName + std::string(kLockEnding)),
                 kCareerOpenElsewhereMessage, readLock);
  if (auto* refusal = std::get_if<LockRefusal>(&taken)) return refused(std::move(*refusal));
  auto lock = std::get<std::shared_ptr<const CareerLock>>(std::move(taken));
  // The save is what counts: the season's files beside it must hold what it
  // has played, or the load fails with what is wrong with them. Nothing is
  // written: what a crash left beyond the save is put right by the next
  // round's commit.
  if (auto error = CheckSeasonFiles(folder_.path, std::get<Career>(loaded))) {
    return {LoadOutcome::Failed, error->message};
  }
  career_ = std::move(std::get<Career>(loaded));
  lock_ = std::move(lock);
  // Held now, the career's folder can be tidied of what a stopped game left.
  RemoveLeftoverTemporaries(folder_.path, CareerFileNames(*career_));
  ForgetTheRunningCareer();
  // A log that cannot be read, or tells another story than the save, is not
  // written to: the next week sets it aside and starts a new one.
  logProblem_ = LogProblemAtLoad(folder_.path, *career_);
  ResumePendingDecisions();
  return {LoadOutcome::Loaded, {}};
}

bool Game::Save() {
  if (behind_) {
    TellNotWritten(NotSavedSentence());
    return false;
  }
  const auto error = SaveCareer(folder_.path, *career_);
  if (!error) return true;
  TellNotWritten("Your career could not be saved. " + error->message +
                 ". The last save on disk is unchanged.");
  return false;
}

Match& Game::BeginMatch(std::string teamOne, std::string teamTwo, int slot) {
  match_.emplace(*career_, random_, std::move(teamOne), std::move(teamTwo), slot);
  return *match_;
}

void Game::FinishMatch() {
  if (!match_ || !match_->state().FullTime) return;
  const MatchState result = match_->state();
  match_.reset();
  run_.lastPlayer = PlayerLineOf(result);
  km::FinishMatch(*career_, result, random_, prompter_, run_, [&] {
    RunWeeklyEvents(*career_, random_, prompter_, result.Disposals, result.Goals);
  });
}

bool Game::PrepareFirstContract() {
  // Play waits for the first signature. A results file left by an earlier
  // career of the same name is replaced by this one's first round.
  career_->PlayOpen = false;
  RemoveLeftoverTemporaries(folder_.path, CareerFileNames(*career_));
  PrepareFirstOffers(contracts_, random_);
  if (auto error = StartCompetitionSeason(folder_.path, *career_, random_,
                                          ClubsOf("Local Reserves", career_->State))) {
    TellNotWritten("The season's fixture could not be written. " + error->message + ".");
    return false;
  }
  return true;
}

bool Game::Play(const std::function<void()>& roundShown) {
  if (!career_ || !career_->PlayOpen || career_->DraftDue != 0 || round_) return false;
  writeFailure_.reset();
  // Nothing of the week is kept unless its round can be read.
  const Career before = *career_;
  const RunState runBefore = run_;
  if (!StartWeek(*career_, prompter_)) {
    // He stays on the hub, and the weeks of an injury or suspension still
    // count down.
    CountDownWeek(*career_, run_, prompter_);
    return false;
  }
  auto round = Round::Load(*career_, run_, folder_.path);
  if (auto* error = std::get_if<FileError>(&round)) {
    *career_ = before;
    run_ = runBefore;
    prompter_.inform("This week's round cannot be played. " + error->message + ".");
    return false;
  }
  round_ = std::move(std::get<Round>(round));
  if (roundShown) roundShown();
  CountDownWeek(*career_, run_, prompter_);
  return true;
}

bool Game::StartNextMatch() {
  if (!round_ || match_) return false;
  const auto slot = round_->Start(*career_, run_, random_);
  if (!slot) return false;
  const auto i = static_cast<std::size_t>(*slot);
  BeginMatch(run_.roundTeamOne[i], run_.roundTeamTwo[i], *slot);
  return true;
}

namespace {

// Files that are read as usual but never written: the round of a career
// whose save is behind its files is played out in memory only.
class DiscardingFileSystem final : public RealFileSystem {
 public:
  int MakeTempFile(std::string& /*pattern*/, int& fd) override {
    fd = -1;
    return 0;
  }
  int Write(int /*fd*/, std::string_view /*bytes*/) override { return 0; }
  int ChangeMode(int /*fd*/, unsigned /*mode*/) override { return 0; }
  int Sync(int /*fd*/) override { return 0; }
  int Close(int /*fd*/) override { return 0; }
  int Rename(const std::string& /*from*/, const std::string& /*to*/) override { return 0; }
  int OpenFolder(const std::string& /*folder*/, int& fd) override {
    fd = -1;
    return 0;
  }
  int Unlink(const std::string& /*file*/) override { return 0; }
  int Remove(const std::string& /*file*/) override { return 0; }
  int OpenForUpdate(const std::string& /*file*/, int& fd) override {
    fd = -1;
    return 0;
  }
  int FileSize(int fd, std::uint64_t& size) override {
    size = 0;
    return fd < 0 ? 0 : RealFileSystem::FileSize(fd, size);
  }
  int Truncate(int /*fd*/, std::uint64_t /*size*/) override { return 0; }
  int WriteAt(int /*fd*/, std::uint64_t /*offset*/, std::string_view /*bytes*/) override {
    return 0;
  }
};

}  // namespace

void Game::FinishRound() {
  if (!round_ || !round_->okEnabled() || match_) return;
  Career& c = *career_;
  const std::filesystem::path& folder = folder_.path;
  Round::Hooks hooks;
  hooks.finals = [&] { return DrawNextFinals(c, run_, folder); };
  hooks.seasonEnd = [&]() -> std::optional<FileError> {
    run_.newspaper = GrandFinalReport(c, run_, run_.newspaper);
    prompter_.publish(run_.newspaper);
    auto closed = CloseSeason(c, run_, random_, prompter_, folder);
    auto moved = MoveOn(c, run_, contracts_, random_, prompter_, folder);
    return closed ? closed : moved;
  };
  hooks.log = [&](const RoundRecord& record) {
    // Whether he took the field: his season's matches played went up (a
    // season's first week starts them from nothing).
    const int playedBefore = c.Matches == 1 || !logged_ ? 0 : logged_->MatchesPlayed;
    std::vector<LogEvent> events = std::move(prompter_.shown());
    prompter_.shown().clear();
    if (logged_) {
      for (LogEvent& e : EventsBetween(*logged_, c)) events.push_back(std::move(e));
    }
    LoggedWeek logged = AppendLogWeek(
        folder, c, WeekOf(c, record.player, c.MatchesPlayed > playedBefore, std::move(events)),
        logProblem_.has_value());
    if (!logged.setAsideAs.empty()) {
      setAsideNote_ = *logProblem_ + ". Your career log is kept as it was, as " +
                      logged.setAsideAs + ", and a new log starts with this week.";
      logProblem_.reset();
    }
    return logged.error;
  };
  hooks.weekly = [&] {
    AgeingDecline(c);
    ApplySponsorEffects(c, random_);
    PrepareSponsorOffers(c, run_, random_, prompter_);
  };
  if (behind_) {
    // A round whose record is not on the disk cannot be followed there by
    // the next: the week goes on in memory, and nothing of it is written.
    DiscardingFileSystem discard;
    const UseFileSystem nothingWritten(discard);
    round_->Finish(c, run_, folder, hooks);
    round_.reset();
    logged_ = c;
    TellNotWritten(NotSavedSentence());
    return;
  }
  const auto error = round_->Finish(c, run_, folder, hooks);
  round_.reset();
  logged_ = c;
  // The player hears once of a log that was set aside, after the week is saved.
  if (setAsideNote_) {
    outer_.inform(*setAsideNote_);
    setAsideNote_.reset();
  }
  if (!error) return;
  // The save may have reached the disk all the same (only the folder's
  // flush failed): then the round stands, and only the doubt is told.
  const auto saved = LoadCareer(SaveFilePath(folder, c));
  if (const auto* career = std::get_if<Career>(&saved);
      career && SaveFileText(*career) == SaveFileText(c)) {
    TellNotWritten("A file of your career could not be written. " + error->message + ".");
    return;
  }
  behind_ = error->message;
  TellNotWritten("A file of your career could not be written. " + error->message +
                 ". The save on disk still holds the career as it was before this round; load "
                 "it to go on from there, as nothing more of this game is saved.");
}

std::string Game::NotSavedSentence() const {
  return "Nothing of your career is saved since a file could not be written (" + *behind_ +
         "). Load your last save to go on from it.";
}

void Game::ResumePendingDecisions() {
  Career& c = *career_;
  // The contract screen is headed by the career's competition, offers or
  // not.
  contracts_.title = OffersTitle(c.League);
  if (IsRetired(c)) return;
  if (IsSponsorWindow(c.Matches) && !c.PlayOpen) run_.sponsorHighlight = true;
  if (c.Matches != 26 || c.ContractMatches >= 1 || c.PlayOpen) return;
  // A season closed with his contract over, and what followed is read from
  // the save: the League is already the one he goes on in, while Team is
  // still the club of the season just ended. The ladder's clubs are next
  // season's when he stays (shuffled) and when he is off to the draft camp
  // (as they were), and the new competition's when he moves (up or down).
  // No club plays in two competitions, so a Team among the ladder's clubs
  // means he stayed, and one from elsewhere means he moved to the League.
  const bool stayed = std::any_of(c.Ladder.begin(), c.Ladder.end(),
                                  [&](const LadderRow& row) { return row.Team == c.Team; });
  if (stayed && c.League == "State" && PassesPromotionTest(c)) {
    c.DraftDue = 1;  // he was on his way to the draft camp
    return;
  }
  // The clubs make their offers in the order the next season's fixture was
  // made from: a new competition's own order, or the ladder's before its
  // shuffle.
  std::array<std::string, 16> clubs;
  const auto fixture = ReadFixtureClubs(folder_.path, c);
  if (const auto* order = std::get_if<std::array<std::string, 16>>(&fixture)) {
    clubs = *order;
  } else if (stayed) {
    for (std::size_t k = 0; k < 16; ++k) clubs[k] = c.Ladder[k].Team;
  } else {
    const ClubList& own = ClubsOf(c.League, c.State);
    std::copy(own.begin(), own.end(), clubs.begin());
  }
  FillOffers(contracts_, clubs, c.League, stayed && c.League == "Local Reserves", random_);
  contracts_.title = OffersTitle(c.League);
}

Game::Waiting Game::WaitingFor() const {
  Waiting w;
  const Career& c = *career_;
  w.camp = c.DraftDue != 0;
  w.sponsorWindow = run_.sponsorHighlight;
  w.signature = !w.camp && !c.PlayOpen && c.ContractMatches < 1 && !IsRetired(c);
  if (w.signature) {
    w.offersTitle = contracts_.title;
    for (std::size_t k = 0; k < 16; ++k) w.offerClubs[k] = contracts_.rows[k].club;
  }
  return w;
}

std::string Game::Describe(const Waiting& w) {
  std::string text = w.camp ? "the draft camp" : w.sponsorWindow ? "a sponsor window" : "";
  if (w.signature) {
    if (!text.empty()) text += " and ";
    text += "a signature on the " + w.offersTitle + " of";
    for (const std::string& club : w.offerClubs) text += " " + club + ",";
    text.pop_back();
  }
  return text.empty() ? "nothing" : text;
}

DraftCamp* Game::OpenCampIfDue() {
  if (!career_ || career_->DraftDue == 0 || round_) return nullptr;
  if (!camp_) camp_.emplace(*career_);
  return &*camp_;
}

void Game::CampStep() {
  if (camp_) camp_->Step(random_);
}

bool Game::GoToDraft() {
  if (!camp_ || !camp_->Finished() || draft_) return false;
  auto opened = Draft::Open(*career_, contracts_, random_, folder_.path, camp_->AverageRank());
  if (auto* error = std::get_if<FileError>(&opened)) {
    TellNotWritten("The AFL season's fixture could not be written. " + error->message + ".");
    return false;
  }
  draft_ = std::move(std::get<Draft>(opened));
  return true;
}

namespace {

// Passes every message on, once the screen has been brought up to date with
// what led to it.
class ShowFirstPrompter final : public Prompter {
 public:
  ShowFirstPrompter(Prompter& inner, const std::function<void()>& show)
      : inner_(inner), show_(show) {}

  void inform(const std::string& text, const std::string& title) override {
    Show();
    inner_.inform(text, title);
  }
  bool askYesNo(const std::string& text, const std::string& title, Icon icon) override {
    Show();
    return inner_.askYesNo(text, title, icon);
  }
  void publish(const Story& story) override {
    Show();
    inner_.publish(story);
  }
  std::optional<std::filesystem::path> chooseFileToOpen(
      const std::string& filter, const std::filesystem::path& folder) override {
    return inner_.chooseFileToOpen(filter, folder);
  }

 private:
  void Show() {
    if (show_) show_();
  }

  Prompter& inner_;
  const std::function<void()>& show_;
};

}  // namespace

void Game::Sign() {
  const bool unsigned_ = career_->ContractMatches == 0;
  SignContract(*career_, contracts_, run_.newspaper, prompter_);
  const Career& c = *career_;
  if (unsigned_ && c.ContractMatches > 0) {
    prompter_.shown().push_back({LogEventKind::Contract, c.ContractTeam,
                                 std::to_string(c.ContractLength) +
                                     (c.ContractLength == 1 ? " season" : " seasons") + " with " +
                                     c.ContractTeam + " (" + c.League + ") at $" +
                                     c.ContractCurrent.ToString() + " a week."});
  }
}

void Game::DraftPick(const std::function<void()>& showPick) {
  if (!draft_) return;
  ShowFirstPrompter prompter(prompter_, showPick);
  const bool drafted = draft_->state().Drafted;
  draft_->Pick(*career_, contracts_, run_, prompter);
  if (const DraftState& s = draft_->state(); !drafted && s.Drafted) {
    prompter_.shown().push_back({LogEventKind::DraftPick,
                                 "Pick " + std::to_string(s.Pick) + ": " + s.Team,
                                 "Drafted by " + s.Team + " at pick " + std::to_string(s.Pick) +
                                     " in round " + std::to_string(s.Round) + "."});
  }
  if (draft_->state().Finished) {
    draft_.reset();
    camp_.reset();
    // The draft has already written the AFL season's fixture: the save
    // follows at once, so the files on disk always tell one story.
    if (Save()) LogHeldEvents();
  }
}

}  // namespace km
