// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/sim.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <string_view>

#include "core/file_system.h"
#include "core/game_data.h"
#include "core/new_career.h"
#include "core/ports.h"
#include "core/save_file.h"
#include "game/game.h"
#include "season/career_log.h"
#include "season/hall_of_fame.h"
#include "season/season_end.h"
#include "sim/autoplay.h"
#include "sim/log_export.h"
#include "sim/record_json.h"
#include "sim/seasons.h"
#include "sim/soak.h"
#include "sim/transcript.h"
#include "week/week.h"

namespace km::sim {

namespace {

constexpr const char* kSkillsHelp =
    "--skills must be five whole numbers from 1 to 100 separated by commas, in the order "
    "Kicking,Handballing,Tackling,Marking,Running (for example 60,55,40,70,50)";

// The options every command shares.
struct CommonOptions {
  std::string dataDir = ".";
  std::uint64_t seed = 0;
  bool seeded = false;
  std::string transcript;
  bool noSync = false;
};

// The five skills as the setup screen's scroll bars hold them: each 1..100.
std::optional<std::array<int, 5>> ParseSkills(std::string_view text) {
  std::array<int, 5> skills{};
  std::size_t count = 0;
  while (true) {
    const std::size_t comma = text.find(',');
    const std::string_view part = text.substr(0, comma);
    int value = 0;
    const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (part.empty() || ec != std::errc() || end != part.data() + part.size()) return std::nullopt;
    if (value < 1 || value > 100 || count == skills.size()) return std::nullopt;
    skills[count++] = value;
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  if (count != skills.size()) return std::nullopt;
  return skills;
}

// Everything one run needs: the chance source, the player that answers the
// game, and the game itself over the data folder.
class Session {
 public:
  explicit Session(const CommonOptions& options, std::ostream* transcript)
      : random_(options.seeded ? std::make_unique<TwisterRandom>(options.seed)
                               : std::make_unique<TwisterRandom>()),
        prompter_(transcript),
        game_(*random_, prompter_, DataFolder{options.dataDir}) {}

  Game& game() { return game_; }
  TranscriptPrompter& prompter() { return prompter_; }

 private:
  std::unique_ptr<Random> random_;
  TranscriptPrompter prompter_;
  Game game_;
};

// The exit code of a career whose lock was refused, with the game's
// sentence on `err`.
int LockRefused(const LockRefusal& refusal, std::ostream& err) {
  err << refusal.message << '\n';
  return refusal.openElsewhere ? kExitOpenElsewhere : kExitNotWritten;
}

// `new`: the setup screen's Start with these answers, then the contract
// screen (the best offer signed), then the first save.
int RunNew(Session& session, const SetupAnswers& answers, std::ostream& out, std::ostream& err) {
  Game& game = session.game();
  const TranscriptPrompter& prompter = session.prompter();
  const std::size_t shownBefore = prompter.messages().size();
  if (!game.StartNewCareer(answers)) {
    if (const auto& refusal = game.lockRefusal()) return LockRefused(*refusal, err);
    // The refusal is the first failing check; a special career name's own
    // message may follow it in the transcript.
    std::string refusal = CheckSetupAnswers(answers).value_or("");
    const auto& shown = prompter.messages();
    if (refusal.empty() && shown.size() > shownBefore) refusal = shown[shownBefore];
    if (refusal.empty()) refusal = "The setup answers were refused";
    err << refusal << '\n';
    return kExitRefused;
  }
  // The fixture and the save: the first that cannot be written stops it.
  if (!SignFirstContract(game) || !game.Save() || game.writeFailure()) {
    err << game.writeFailure().value_or("The new career's files could not be written") << '\n';
    return kExitNotWritten;
  }
  out << SaveFilePath(game.folder().path, game.career()).string() << '\n';
  return kExitOk;
}

// The exit code of a career name the setup screen would refuse.
std::optional<int> RefusedCareerName(const std::string& careerName, std::ostream& err) {
  if (careerName.empty()) {
    err << kBadCareerNameMessage << '\n';
    return kExitRefused;
  }
  if (const auto problem = NameProblem(careerName, NameUse::Career)) {
    err << *problem << '\n';
    return kExitRefused;
  }
  return std::nullopt;
}

// Loads DIR/NAME.kms as the start screen's Load does. Gives the exit code of
// a career that cannot be loaded.
std::optional<int> LoadCareer(Session& session, const std::string& careerName, std::ostream& err) {
  if (const auto refused = RefusedCareerName(careerName, err)) return refused;
  Game& game = session.game();
  const auto result = game.LoadFrom(game.folder().file(careerName + kSaveExtension));
  if (result.outcome != Game::LoadOutcome::Loaded) {
    if (const auto& refusal = game.lockRefusal()) return LockRefused(*refusal, err);
    err << result.error << '\n';
    return kExitUnreadableFile;
  }
  return std::nullopt;
}

// `show`: load the career's save file and print the record.
int RunShow(Session& session, const std::string& careerName, std::ostream& out, std::ostream& err) {
  if (const auto failed = LoadCareer(session, careerName, err)) return *failed;
  out << CareerJson(session.game().career())
             .dump(2, ' ', false, nlohmann::json::error_handler_t::replace)
      << '\n';
  return kExitOk;
}

// `log`: the career's log as far as its save has played, as CSV or JSON.
// Only reads: the career may be open in a game meanwhile, so its lock is
// left alone, and a folder that cannot be written to is no matter.
int RunLog(const std::filesystem::path& folder, const std::string& careerName,
           const std::string& format, std::ostream& out, std::ostream& err) {
  if (const auto refused = RefusedCareerName(careerName, err)) return refused.value();
  const auto loaded = km::LoadCareer(folder / (careerName + kSaveExtension));
  if (const auto* error = std::get_if<FileError>(&loaded)) {
    err << error->message << '\n';
    return kExitUnreadableFile;
  }
  const Career& career = std::get<Career>(loaded);
  const auto log = ReadCareerLog(LogPath(folder, career), SavedPlace(career));
  if (const auto* error = std::get_if<FileError>(&log)) {
    err << error->message << '\n';
    return kExitUnreadableFile;
  }
  if (format == "json") {
    out << LogJson(career.CareerName, std::get<CareerLog>(log))
               .dump(2, ' ', false, nlohmann::json::error_handler_t::replace)
        << '\n';
  } else {
    out << LogCsv(std::get<CareerLog>(log));
  }
  return kExitOk;
}

// `hall-of-fame`: every career of the data folder with its totals. Only
// reads, as `log` does; a damaged career's row says why.
int RunHallOfFame(const std::filesystem::path& folder, const std::string& format,
                  std::ostream& out) {
  const auto rows = ReadHallOfFame(folder);
  if (format == "json") {
    out << HallOfFameJson(rows).dump(2, ' ', false, nlohmann::json::error_handler_t::replace)
        << '\n';
  } else if (format == "csv") {
    out << HallOfFameCsv(rows);
  } else {
    for (const std::string& line : HallOfFameLines(rows)) out << line << '\n';
  }
  return kExitOk;
}

// How far `play` goes: a number of weeks, a number of seasons closed, or
// the end of the career.
struct PlayGoal {
  int weeks = 0;
  int seasons = 0;
  bool toEnd = false;
};

// How many weeks a goal can take at most: a season is 26 weeks, and the
// run may start part way through one.
int MostWeeks(const PlayGoal& goal) {
  if (goal.weeks > 0) return goal.weeks;
  return (goal.toEnd ? kMostSeasons : goal.seasons) * kSeasonWeeks + kSeasonWeeks;
}

// `play`: load the career and play weeks, a summary line for each, until the
// goal is reached; then the table of the seasons that closed on the way.
// Each round saves the career as the game does; a week that cannot go ahead
// stops the run with the career as last saved.
int RunPlay(Session& session, const std::string& careerName, const PlayGoal& goal, Policy policy,
            std::optional<Reloads> reloads, std::ostream& out, std::ostream& err) {
  if (const auto failed = LoadCareer(session, careerName, err)) return *failed;
  Game& game = session.game();
  Player player(game, session.prompter(), policy);
  std::vector<SeasonSummary> seasons;
  const auto finish = [&](int code) {
    if (!seasons.empty()) {
      out << '\n';
      for (const std::string& line : SeasonTable(seasons)) out << line << '\n';
    }
    out << std::flush;
    return code;
  };
  const int mostWeeks = MostWeeks(goal);
  const auto seasonsWanted = static_cast<std::size_t>(goal.toEnd ? kMostSeasons : goal.seasons);
  for (int number = 1; goal.weeks == 0 || number <= goal.weeks; ++number) {
    if (goal.weeks == 0 && seasons.size() >= seasonsWanted) break;
    if (number > mostWeeks) {
      throw std::logic_error(std::to_string(mostWeeks) + " weeks went by without closing " +
                             std::to_string(seasonsWanted) + " seasons");
    }
    const Week week = player.PlayWeek();
    if (week.played) out << SummaryLine(week, game.career().Team) << '\n' << std::flush;
    if (week.season) seasons.push_back(*week.season);
    if (week.outcome == Week::Outcome::Played) {
      if (reloads && reloads->DueAfter(week)) {
        if (auto failed = player.Reload()) {
          err << *failed << '\n';
          return finish(kExitUnreadableFile);
        }
      }
      if (goal.weeks > 0 || !IsRetired(game.career())) continue;
      // His last season is over. That is the end a --to-end run plays for;
      // a --seasons run wanted more of him.
      if (goal.toEnd || seasons.size() >= seasonsWanted) break;
      err << "He retired after season " << seasons.back().season << ", " << seasons.size()
          << " of the " << seasonsWanted << " seasons asked for.\n";
      return finish(kExitCannotAdvance);
    }
    if (week.outcome == Week::Outcome::NotWritten) {
      err << week.reason << '\n';
      return finish(kExitNotWritten);
    }
    if (goal.toEnd && IsRetired(game.career())) break;  // loaded already retired
    err << "Week " << number;
    if (goal.weeks > 0) err << " of " << goal.weeks;
    if (!week.title.empty()) err << " (" << week.title << ")";
    err << " did not go ahead: " << week.reason << '\n';
    return finish(week.outcome == Week::Outcome::UnreadableFile ? kExitUnreadableFile
                                                                : kExitCannotAdvance);
  }
  return finish(kExitOk);
}

}  // namespace

int RunSim(std::vector<std::string> args, std::ostream& out, std::ostream& err) {
  CLI::App app{
      "Kickmark without its screens: creates careers, plays their weeks and shows their "
      "records.",
      "kickmark-sim"};
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string("kickmark-sim ") + KICKMARK_VERSION);

  CommonOptions common;
  auto* dataDirOption =
      app.add_option("--data-dir", common.dataDir,
                     "Folder of the save, fixture, results, log and history files (default: the "
                     "game's own, $XDG_DATA_HOME/Kickmark or ~/.local/share/Kickmark)")
          ->check(CLI::ExistingDirectory);
  auto* seed = app.add_option("--seed", common.seed,
                              "Seed of the random source (default: seeded from the clock)");
  app.add_flag("--no-sync", common.noSync,
               "Write the career's files without flushing them to disk: quicker, but a crash "
               "may lose the last week (the game itself always flushes)");
  app.add_option("--transcript", common.transcript,
                 "File that receives every message, question and story, one per line");

  SetupAnswers answers;
  std::string skillsText;
  auto* newCommand = app.add_subcommand("new", "Start a new career and write its save file");
  newCommand->add_option("--career", answers.careerName, "Career file name");
  newCommand->add_option("--name", answers.name, "The player's name");
  newCommand->add_option("--city", answers.city, "Home city");
  newCommand->add_option("--state", answers.state, "Home state, e.g. \"Victoria\"");
  newCommand->add_option("--height", answers.height, "Height in cm")
      ->check(CLI::Range(kShortest, kTallest))
      ->capture_default_str();
  newCommand->add_option("--weight", answers.weight, "Weight in kg")
      ->check(CLI::Range(kLightest, kHeaviest))
      ->capture_default_str();
  newCommand->add_option("--position", answers.position, "Favoured position, e.g. \"Rover\"");
  auto* skills = newCommand->add_option(
      "--skills", skillsText, "Kicking,Handballing,Tackling,Marking,Running, each 1..100");

  std::string showCareer;
  auto* showCommand = app.add_subcommand("show", "Print a career's record as JSON");
  showCommand->add_option("--career", showCareer, "Career file name (without .kms)")->required();

  std::string playCareer;
  PlayGoal goal;
  std::string policyName = "default";
  auto* playCommand = app.add_subcommand(
      "play", "Play a career's weeks: Play, Start and OK, every question answered No");
  playCommand->add_option("--career", playCareer, "Career file name (without .kms)")->required();
  auto* weeksOption = playCommand->add_option("--weeks", goal.weeks, "How many weeks to play")
                          ->check(CLI::PositiveNumber);
  auto* seasonsOption =
      playCommand
          ->add_option("--seasons", goal.seasons, "Play until this many more seasons have closed")
          ->check(CLI::PositiveNumber);
  auto* toEndOption = playCommand->add_flag(
      "--to-end", goal.toEnd,
      "Play until he retires (at most " + std::to_string(kMostSeasons) + " seasons)");
  weeksOption->excludes(seasonsOption)->excludes(toEndOption);
  seasonsOption->excludes(toEndOption);
  playCommand
      ->add_option("--policy", policyName,
                   "How the player looks after his career: default (health, gear, training and "
                   "the best sponsors) or passive (spends nothing)")
      ->check(CLI::IsMember({"default", "passive"}))
      ->capture_default_str();
  bool reloads = false;
  playCommand->add_flag("--reloads", reloads,
                        "Quit the career and load it again from its files after every season's "
                        "close and after one week in ten, as a player coming back would, and "
                        "check that it comes back as it was");

  std::string logCareer;
  std::string logFormat = "csv";
  auto* logCommand = app.add_subcommand(
      "log", "Print a career's log, week by week, as far as its save has played (reads only)");
  logCommand->add_option("--career", logCareer, "Career file name (without .kms)")->required();
  logCommand
      ->add_option("--format", logFormat,
                   "csv: one row a week; json: the weeks with what happened in each")
      ->check(CLI::IsMember({"csv", "json"}))
      ->capture_default_str();

  std::string hallFormat = "text";
  auto* hallCommand = app.add_subcommand(
      "hall-of-fame", "Print every career of the data folder with its totals (reads only)");
  hallCommand->add_option("--format", hallFormat, "text (aligned columns), csv or json")
      ->check(CLI::IsMember({"text", "csv", "json"}))
      ->capture_default_str();

  SoakOptions soak;
  auto* soakCommand = app.add_subcommand(
      "soak",
      "Play many careers to their end on worker threads, with varied setup answers and both "
      "policies, checking the career's invariants after every week");
  soakCommand->add_option("--careers", soak.careers, "How many careers")
      ->required()
      ->check(CLI::PositiveNumber);
  soakCommand->add_option("--jobs", soak.jobs, "How many careers are played at once")
      ->check(CLI::PositiveNumber)
      ->capture_default_str();

  try {
    std::reverse(args.begin(), args.end());  // CLI11 takes the arguments last first
    app.parse(args);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e, out, err);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e, out, err);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e, out, err);
  } catch (const CLI::ParseError& e) {
    app.exit(e, out, err);
    return kExitRefused;
  }
  common.seeded = seed->count() > 0;
  if (dataDirOption->count() == 0) {
    // The game's own folder, made on first use as the game makes it.
    common.dataDir = DefaultDataFolder().string();
    MakeDataFolder(common.dataDir);  // a folder that cannot be made fails at its first file
  }
  if (*playCommand && weeksOption->count() + seasonsOption->count() + toEndOption->count() == 0) {
    err << "play needs one of --weeks N, --seasons N or --to-end\n";
    return kExitRefused;
  }

  if (*soakCommand) {
    // A soak's careers are its own: its seed picks their setups and seeds,
    // and each plays in a folder of its own under the data folder when one
    // was given.
    soak.seed = common.seed;
    if (dataDirOption->count() > 0) soak.folder = common.dataDir;
    try {
      return RunSoak(soak, out, err);
    } catch (const std::exception& e) {
      err << "kickmark-sim: " << e.what() << '\n';
      return kExitInternal;
    }
  }

  // The commands that only read take no lock and write no transcript.
  if (*logCommand || *hallCommand) {
    try {
      if (*logCommand) return RunLog(common.dataDir, logCareer, logFormat, out, err);
      return RunHallOfFame(common.dataDir, hallFormat, out);
    } catch (const std::exception& e) {
      err << "kickmark-sim: " << e.what() << '\n';
      return kExitInternal;
    }
  }

  if (skills->count() > 0) {
    const auto parsed = ParseSkills(skillsText);
    if (!parsed) {
      err << kSkillsHelp << '\n';
      return kExitRefused;
    }
    answers.kicking = (*parsed)[0];
    answers.handballing = (*parsed)[1];
    answers.tackling = (*parsed)[2];
    answers.marking = (*parsed)[3];
    answers.running = (*parsed)[4];
  }

  try {
    std::ofstream transcriptFile;
    if (!common.transcript.empty()) {
      transcriptFile.open(common.transcript, std::ios::out | std::ios::trunc | std::ios::binary);
      if (!transcriptFile) {
        err << "The transcript file " << common.transcript << " cannot be written\n";
        return kExitRefused;
      }
    }
    NoSyncFileSystem noSync;
    std::optional<UseFileSystem> useNoSync;
    if (common.noSync) useNoSync.emplace(noSync);
    Session session(common, transcriptFile.is_open() ? &transcriptFile : nullptr);
    if (*newCommand) return RunNew(session, answers, out, err);
    if (*playCommand) {
      std::optional<Reloads> reloadPlan;
      if (reloads) reloadPlan.emplace(common.seeded ? common.seed : std::random_device{}());
      return RunPlay(session, playCareer, goal,
                     policyName == "passive" ? Policy::Passive : Policy::Default, reloadPlan, out,
                     err);
    }
    return RunShow(session, showCareer, out, err);
  } catch (const std::exception& e) {
    err << "kickmark-sim: " << e.what() << '\n';
    return kExitInternal;
  }
}

}  // namespace km::sim
