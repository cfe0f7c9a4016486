#include "core/game.h"

#include "core/file_system.h"
#include "core/new_career.h"
#include "core/number_format.h"
#include "match/after_match.h"
#include "season/finals.h"
#include "season/fixture.h"
#include "season/season_end.h"
#include "week/events.h"
#include "week/sponsors.h"
#include "week/week.h"

namespace km {

Game::Game(Random& random, Prompter& prompter, DataFolder folder)
    : random_(random), prompter_(prompter), folder_(std::move(folder)) {}

bool Game::StartNewCareer(const SetupAnswers& answers) {
  lockRefusal_.reset();
  // Answers that pass the checks name the career: one of that name open in
  // another game would have its files written over, so the Start is refused
  // before anything of the new career is written.
  std::shared_ptr<const CareerLock> lock;
  if (!CheckSetupAnswers(answers)) {
    auto taken = LockCareer(folder_.file(answers.careerName + kLockExtension),
                            kNewCareerOpenElsewhereMessage);
    if (auto* refusal = std::get_if<LockRefusal>(&taken)) {
      lockRefusal_ = *refusal;
      prompter_.inform(refusal->message);
      return false;
    }
    lock = std::get<std::shared_ptr<const CareerLock>>(std::move(taken));
  }
  auto career = newCareer_.Start(answers, prompter_);
  if (!career) return false;
  career_ = std::move(*career);
  lock_ = std::move(lock);
  writeFailure_.reset();
  behind_.reset();
  return true;
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
    auto taken = LockCareer(file.parent_path() / (file.stem().string() + kLockExtension),
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
  auto taken = LockCareer(folder_.file(std::get<Career>(loaded).CareerName + kLockExtension),
                          kCareerOpenElsewhereMessage, readLock);
  if (auto* refusal = std::get_if<LockRefusal>(&taken)) return refused(std::move(*refusal));
  auto lock = std::get<std::shared_ptr<const CareerLock>>(std::move(taken));
  // The save is what counts: the season's files beside it are brought in
  // line with it, or the load fails with what is wrong with them.
  if (auto error = SettleSeasonFiles(folder_.path, std::get<Career>(loaded))) {
    return {LoadOutcome::Failed, error->message};
  }
  career_ = std::move(std::get<Career>(loaded));
  lock_ = std::move(lock);
  writeFailure_.reset();
  match_.reset();
  round_.reset();
  camp_.reset();
  draft_.reset();
  contracts_ = ContractOffers{};
  run_ = RunState{};
  behind_.reset();
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
  run_.lastPlayer = {std::to_string(result.Disposals), std::to_string(result.Goals),
                     std::to_string(result.Behinds), FormatGeneral(result.MatchRating),
                     result.Position};
  km::FinishMatch(*career_, result, random_, prompter_, run_, [&] {
    RunWeeklyEvents(*career_, random_, prompter_, result.Disposals, result.Goals);
  });
}

bool Game::PrepareFirstContract() {
  // Play waits for the first signature, and a results file left by an
  // earlier career of the same name is no part of this one.
  career_->PlayOpen = false;
  DeleteResults(folder_.path, *career_);
  PrepareFirstOffers(contracts_, random_);
  if (auto error = StartCompetitionSeason(folder_.path, *career_, random_,
                                          ClubsOf("Local Reserves", career_->State))) {
    TellNotWritten("The season's fixture could not be written. " + error->message + ".");
    return false;
  }
  return true;
}

bool Game::Play() {
  if (!career_ || !career_->PlayOpen || career_->DraftDue != 0 || round_) return false;
  writeFailure_.reset();
  // Nothing of the week is kept unless its round can be read.
  const Career before = *career_;
  const RunState runBefore = run_;
  if (!AdvanceWeek(*career_, run_, prompter_, folder_.path)) return false;
  auto round = Round::Load(*career_, run_, folder_.path);
  if (auto* error = std::get_if<FileError>(&round)) {
    *career_ = before;
    run_ = runBefore;
    prompter_.inform("This week's round cannot be played. " + error->message + ".");
    return false;
  }
  round_ = std::move(std::get<Round>(round));
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
    TellNotWritten(NotSavedSentence());
    return;
  }
  const auto error = round_->Finish(c, run_, folder, hooks);
  round_.reset();
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
  if (IsRetired(c)) return;
  if (IsSponsorWindow(c.Matches) && !c.PlayOpen) run_.sponsorHighlight = true;
  if (c.Matches != 26 || c.ContractMatches >= 1 || c.PlayOpen) return;
  const bool promoted =
      (c.MatchRatingAverage > 5.7 && c.Goals > 59) || c.MatchRatingAverage > 6.2 || c.Goals > 89;
  if (c.League == "State" && promoted) {
    c.DraftDue = 1;  // he was on his way to the draft camp
    return;
  }
  std::array<std::string, 16> clubs;
  for (std::size_t k = 0; k < 16; ++k) clubs[k] = c.Ladder[k].Team;
  FillOffers(contracts_, clubs, c.League, c.League == "Local Reserves", random_);
  contracts_.title = OffersTitle(c.League);
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

void Game::DraftPick() {
  if (!draft_) return;
  draft_->Pick(*career_, contracts_, run_, prompter_);
  if (draft_->state().Finished) {
    draft_.reset();
    camp_.reset();
    // The draft has already written the AFL season's fixture: the save
    // follows at once, so the files on disk always tell one story.
    Save();
  }
}

}  // namespace km
