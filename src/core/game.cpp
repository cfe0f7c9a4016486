#include "core/game.h"

#include "match/after_match.h"

namespace km {

Game::Game(Random& random, Prompter& prompter, DataFolder folder)
    : random_(random), prompter_(prompter), folder_(std::move(folder)) {}

bool Game::StartNewCareer(const SetupAnswers& answers) {
  auto career = newCareer_.Start(answers, prompter_);
  if (!career) return false;
  career_ = std::move(*career);
  return true;
}

Game::LoadResult Game::LoadFromChoice() {
  const auto file = prompter_.chooseFileToOpen(kSaveFilter, folder_.path);
  if (!file) return {LoadOutcome::Cancelled, {}};
  return LoadFrom(*file);
}

Game::LoadResult Game::LoadFrom(const std::filesystem::path& file) {
  auto loaded = LoadCareer(file);
  if (auto* error = std::get_if<FileError>(&loaded)) {
    return {LoadOutcome::Failed, error->message};
  }
  career_ = std::move(std::get<Career>(loaded));
  return {LoadOutcome::Loaded, {}};
}

bool Game::Save() {
  const auto error = SaveCareer(folder_.path, *career_);
  if (!error) return true;
  prompter_.inform("Your career could not be saved. " + error->message +
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
  // The week's random event joins the match's consequences with the economy.
  km::FinishMatch(*career_, result, random_, prompter_, run_);
}

}  // namespace km
