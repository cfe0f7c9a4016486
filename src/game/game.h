// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/career.h"
#include "core/career_lock.h"
#include "core/new_career.h"
#include "core/ports.h"
#include "core/run_state.h"
#include "core/save_file.h"
#include "draft/draft.h"
#include "draft/draft_camp.h"
#include "match/match.h"
#include "season/career_log.h"
#include "season/round.h"
#include "week/contracts.h"

namespace km {

// The prompter the rules talk through: it passes everything on to the front
// end's, and keeps what the player was shown for the career log.
class LoggingPrompter final : public Prompter {
 public:
  LoggingPrompter(Prompter& inner, RunState& run) : inner_(inner), run_(run) {}
  void inform(const std::string& text, const std::string& title = kProgramTitle) override;
  bool askYesNo(const std::string& text, const std::string& title = kProgramTitle,
                Icon icon = Icon::Question) override;
  void publish(const Story& story) override;
  std::optional<std::filesystem::path> chooseFileToOpen(
      const std::string& filter, const std::filesystem::path& folder) override {
    return inner_.chooseFileToOpen(filter, folder);
  }
  // What was shown since the last round's commit, in its order.
  std::vector<LogEvent>& shown() { return shown_; }

 private:
  Prompter& inner_;
  RunState& run_;
  std::vector<LogEvent> shown_;
};

// Why a new career's player may not have the name of another career's
// player in the same folder: their history files would be the same files.
std::string SharedHistoryMessage(const std::string& player, const std::string& otherCareer);

// One running game: the career record (when there is one) and the ports the
// rules talk through. Both front ends hold one and call its operations.
class Game {
 public:
  Game(Random& random, Prompter& prompter, DataFolder folder);

  [[nodiscard]] bool HasCareer() const { return career_.has_value(); }
  Career& career() { return *career_; }
  [[nodiscard]] const Career& career() const { return *career_; }
  Random& random() { return random_; }
  Prompter& prompter() { return prompter_; }
  [[nodiscard]] const DataFolder& folder() const { return folder_; }
  // What the game keeps while it runs besides the record: the newspaper's
  // last story, the Play button's colour, the round's scores.
  RunState& run() { return run_; }

  // A blank setup screen: a special career name typed at a refused Start on
  // an earlier one no longer counts.
  void BeginSetup() { newCareer_ = NewCareer{}; }

  // The setup screen's Start. True when a career was started. A career of
  // the same name open in another game refuses it, with a message. Once the
  // career is there, `careerShown` brings up its first screen, and a special
  // career name's message comes up over it.
  bool StartNewCareer(const SetupAnswers& answers, const std::function<void()>& careerShown = {});

  // The start screen's Load: asks for a save file and makes it the career.
  enum class LoadOutcome { Loaded, Cancelled, Failed };
  struct LoadResult {
    LoadOutcome outcome;
    std::string error;  // the sentence for the player when Failed
  };
  LoadResult LoadFromChoice();
  // Loads a named save file. On failure the running career is untouched.
  // A career open in another game fails with kCareerOpenElsewhereMessage.
  LoadResult LoadFrom(const std::filesystem::path& file);
  // Why the last new career or load was refused its career's lock: another
  // game has it open, or the lock file could not be made. Nothing when the
  // lock was taken or the attempt failed for another reason.
  [[nodiscard]] const std::optional<LockRefusal>& lockRefusal() const { return lockRefusal_; }

  // The sentence of the last career file that could not be written (shown
  // to the player as it happened) since the week's Play, or since the career
  // was started or loaded; nothing when every write went through. Whatever
  // the file, the save, a round's results or a fixture, and whether or not
  // the save itself reached the disk.
  [[nodiscard]] const std::optional<std::string>& writeFailure() const { return writeFailure_; }
  // A career saved while a decision waited (new offers to sign, the draft
  // camp, a sponsor window) picks it up again after a load: the offers the
  // save file does not keep are drawn again.
  void ResumePendingDecisions();

  // What the hub waits for before Play can go ahead: the draft camp, a
  // sponsor window, or a signature on one of the offers (their title and
  // clubs, in their order; the amounts and lengths are drawn again after a
  // load). A career loaded from its save waits for what it waited for when
  // the save was written.
  struct Waiting {
    bool camp = false;
    bool sponsorWindow = false;
    bool signature = false;
    std::string offersTitle;
    std::array<std::string, 16> offerClubs{};
    bool operator==(const Waiting&) const = default;
  };
  [[nodiscard]] Waiting WaitingFor() const;
  static std::string Describe(const Waiting& waiting);

  // Writes the career to CareerName + ".kms" in the data folder. A save that
  // cannot be written is reported in a message box naming the file and the
  // reason; the previous save stays whole. True when it was written.
  bool Save();

  // Quit to the start screen: the record is dropped, nothing is saved, and
  // the career is free for another game to open.
  void Quit() {
    lock_.reset();
    career_.reset();
    ForgetTheRunningCareer();
  }

  // The contract screen's offers and pending choice.
  ContractOffers& contracts() { return contracts_; }
  // A brand-new career's contract screen: the sixteen Local Reserves offers
  // and the first season's fixture and ladder. A fixture that cannot be
  // written is reported; false then.
  bool PrepareFirstContract();
  // The contract screen's grid click, Sign and OK.
  void ClickOffer(int row, std::string_view text) {
    ClickOfferCell(*career_, contracts_, row, text);
  }
  void Sign();
  bool CloseContracts() { return km::CloseContracts(*career_, prompter_); }

  // The hub's Play: the week goes ahead and its round opens, or the player
  // stays on the hub (worn gear answered No, or a season file that cannot be
  // read, which is reported and leaves the career as it was). Once the round
  // is open `roundShown` brings up its screen, and the injury and suspension
  // count-down's messages come up over it.
  bool Play(const std::function<void()>& roundShown = {});
  // The round of the week, while its screen is up.
  Round* round() { return round_ ? &*round_ : nullptr; }
  // The round screen's Start: plays the next match. When it is the player's,
  // the match is made ready for the match screen and true is returned.
  bool StartNextMatch();
  // The round screen's OK: books the round, writes the results and saves.
  // A file that cannot be written is reported; the round closes either way.
  // Unless the save itself reached the disk, the save is then behind the
  // career the game holds, and nothing more is written (each round and
  // save says so) until a career is loaded or started: the files on disk
  // stay those of the last round that was saved whole.
  void FinishRound();

  // The week's match of the player's: made ready for the match screen with
  // the two clubs of the fixture and its row on the round screen.
  Match& BeginMatch(std::string teamOne, std::string teamTwo, int slot = 0);
  // The match being played, or nothing.
  Match* match() { return match_ ? &*match_ : nullptr; }
  // Finish on the match screen after full time: books the match into the
  // career. Does nothing before full time.
  void FinishMatch();

  // The draft camp, once a State League player has been invited: it opens
  // when the round that ended his season is closed.
  DraftCamp* camp() { return camp_ ? &*camp_ : nullptr; }
  // Opens the camp when the draft is due and it is not open yet.
  DraftCamp* OpenCampIfDue();
  // The camp's Start.
  void CampStep();
  // The camp's "Go to Draft!": the draft screen opens and the AFL season is
  // made ready. False (with the reason reported) when it cannot be.
  bool GoToDraft();
  // The draft, while its screen is up.
  Draft* draft() { return draft_ ? &*draft_ : nullptr; }
  // The draft's pick button; once the player is taken, both screens close.
  // `showPick` puts the pick on the screen before any message about it, so
  // that the club's congratulations come up over the pick that made them.
  void DraftPick(const std::function<void()>& showPick = {});

  // For tests and tools: make this the running career.
  void Adopt(Career career) {
    career_ = std::move(career);
    logged_ = career_;
  }

 private:
  // Drops what the game holds beside the record: the week's match, round,
  // camp, draft and offers, the run state and any failed write.
  void ForgetTheRunningCareer() {
    writeFailure_.reset();
    match_.reset();
    round_.reset();
    camp_.reset();
    draft_.reset();
    contracts_ = ContractOffers{};
    run_ = RunState{};
    behind_.reset();
    logProblem_.reset();
    setAsideNote_.reset();
    prompter_.shown().clear();
    logged_ = career_;
  }

  Random& random_;
  Prompter& outer_;  // the front end's
  RunState run_;
  LoggingPrompter prompter_{outer_, run_};
  DataFolder folder_;
  NewCareer newCareer_;
  std::optional<Career> career_;
  // The career as the log last saw it (at the last round's commit, or where
  // the career was started or loaded): what the week's events are told
  // from.
  std::optional<Career> logged_;
  std::optional<Match> match_;
  std::optional<Round> round_;
  std::optional<DraftCamp> camp_;
  std::optional<Draft> draft_;
  ContractOffers contracts_;
  // Why the save on disk is behind the career held here, once a round could
  // not be saved.
  std::optional<std::string> behind_;
  [[nodiscard]] std::string NotSavedSentence() const;
  // The lock of the career being played, released when the game lets go of
  // the career or ends.
  std::shared_ptr<const CareerLock> lock_;
  std::optional<LockRefusal> lockRefusal_;
  // What is wrong with the career's log, found when it was loaded: the next
  // week's commit sets the log aside and starts a new one, and the player is
  // told so once, in `setAsideNote_`, when the week is saved.
  std::optional<std::string> logProblem_;
  std::optional<std::string> setAsideNote_;
  std::optional<std::string> writeFailure_;
  // The lock of `file`: the one this game holds already (or `alsoHeld`)
  // when it is the same file, else a new one.
  std::variant<std::shared_ptr<const CareerLock>, LockRefusal> LockCareer(
      const std::filesystem::path& file, const std::string& inUseMessage,
      const std::shared_ptr<const CareerLock>& alsoHeld = nullptr) const;
  // Tells the player that a file could not be written, and remembers it.
  void TellNotWritten(std::string sentence);
  // Once the career is saved with what has happened since the last logged
  // week (the draft's pick, his move to the AFL), adds it to that week's
  // records in the log, so that a career left before its next week keeps
  // it. What cannot be added there waits for the next week, as before.
  void LogHeldEvents();
};

}  // namespace km
