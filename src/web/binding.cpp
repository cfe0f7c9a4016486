// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/binding.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <stdexcept>
#include <system_error>

#include "core/career_fields.h"
#include "core/file_names.h"
#include "core/file_system.h"
#include "core/game_data.h"
#include "core/new_career.h"
#include "core/number_format.h"
#include "core/save_file.h"
#include "game/tips.h"
#include "match/match_reveal.h"
#include "season/career_log.h"
#include "season/fixture.h"
#include "season/ladder.h"
#include "season/results_browser.h"
#include "season/round.h"
#include "season/season_end.h"
#include "sim/autoplay.h"
#include "sim/record_json.h"
#include "sim/transcript.h"
#include "web/binding_looking_back.h"
#include "week/sponsors.h"

namespace km::web {

using nlohmann::json;

namespace {

const char* IconName(Icon icon) {
  switch (icon) {
    case Icon::None:
      return "none";
    case Icon::Information:
      return "information";
    case Icon::Exclamation:
      return "exclamation";
    case Icon::Question:
      return "question";
    case Icon::Stop:
      return "stop";
  }
  return "question";
}

const char* KindName(FieldKind kind) {
  switch (kind) {
    case FieldKind::Text:
      return "text";
    case FieldKind::Whole:
      return "whole";
    case FieldKind::Decimal:
      return "decimal";
    case FieldKind::Money:
      return "money";
    case FieldKind::Bar:
      return "bar";
    case FieldKind::Switch:
      return "switch";
  }
  return "text";
}

constexpr std::array<const char*, kHubBarCount> kHubBarNames = {
    "Boots",   "Jumper", "Shorts",  "Other",        "GearOverall",
    "Fitness", "Health", "Stamina", "HealthOverall"};

json StoryJson(const Story& story) {
  return {{"masthead", story.masthead}, {"headline", story.headline}, {"text", story.text}};
}

template <std::size_t N>
json Numbers(const std::array<int, N>& values) {
  json list = json::array();
  for (const int value : values) list.push_back(value);
  return list;
}

json CareerView(const Career& career) {
  json fields = json::array();
  json values = json::object();
  for (const CareerField& field : CareerFields()) {
    std::string value = field.get(career);
    fields.push_back({{"name", field.name}, {"kind", KindName(field.kind)}, {"value", value}});
    values[field.name] = std::move(value);
  }
  return {{"fields", std::move(fields)}, {"values", std::move(values)}};
}

// One slot of a round's scores: the two clubs, their goals and behinds by
// quarter, their points, and the colour each club's name is shown in.
json SlotJson(const RoundSlot& score, const std::string& one, const std::string& two,
              const char* colourOne, const char* colourTwo) {
  return {{"teamOne", one},
          {"teamTwo", two},
          {"goalsOne", Numbers(score.GoalsOne)},
          {"behindsOne", Numbers(score.BehindsOne)},
          {"goalsTwo", Numbers(score.GoalsTwo)},
          {"behindsTwo", Numbers(score.BehindsTwo)},
          {"pointsOne", score.PointsOne},
          {"pointsTwo", score.PointsTwo},
          {"colourOne", colourOne},
          {"colourTwo", colourTwo}};
}

json RunView(const Career* career, const RunState& run, const Round* round) {
  json barColours = json::object();
  json bars = json::object();
  for (std::size_t bar = 0; bar < kHubBarCount; ++bar) {
    barColours[kHubBarNames[bar]] = ColourName(run.barColours[bar]);
    bars[kHubBarNames[bar]] = career ? HubBarValue(*career, static_cast<HubBar>(bar)) : 0;
  }
  json slots = json::array();
  for (std::size_t slot = 0; slot < kMatchesPerRound; ++slot) {
    const RoundSlot& score = run.roundSlots[slot];
    const std::string& one = run.roundTeamOne[slot];
    const std::string& two = run.roundTeamTwo[slot];
    const int index = static_cast<int>(slot);
    slots.push_back(SlotJson(score, one, two,
                             round ? ColourName(round->colour(index, one)) : "other",
                             round ? ColourName(round->colour(index, two)) : "other"));
  }
  const PlayerLine& last = run.lastPlayer;
  return {{"newspaper", StoryJson(run.newspaper)},
          {"playColour", ColourName(run.playColour)},
          {"sponsorHighlight", run.sponsorHighlight},
          {"barColours", std::move(barColours)},
          {"bars", std::move(bars)},
          {"slots", std::move(slots)},
          {"lastPlayer",
           {{"disposals", last.Disposals},
            {"goals", last.Goals},
            {"behinds", last.Behinds},
            {"matchRating", last.MatchRating},
            {"position", last.Position}}},
          {"brownlowVotes", run.brownlowVotes},
          {"brownlowTopVotes", run.brownlowTopVotes},
          {"brownlowPosition", run.brownlowPosition},
          {"positionChangeDue", run.positionChangeDue}};
}

json RoundView(const Round& round) {
  const Scoreboard& board = round.scoreboard();
  return {{"title", round.title()},
          {"league", round.league()},
          {"roundNumber", round.roundNumber()},
          {"matchCount", round.matchCount()},
          {"next", round.next()},
          {"startEnabled", round.startEnabled()},
          {"okEnabled", round.okEnabled()},
          {"scoreboard",
           {{"teamOne", board.T1},
            {"teamTwo", board.T2},
            {"goalsOne", board.GoalsOne},
            {"behindsOne", board.BehindsOne},
            {"goalsTwo", board.GoalsTwo},
            {"behindsTwo", board.BehindsTwo},
            {"pointsOne", board.P1},
            {"pointsTwo", board.P2},
            {"quarter", board.Quarter},
            {"time", board.Time}}}};
}

// The match as the screen shows it: while a quarter is played, as much of
// it as has been seen by this minute.
json MatchView(const MatchState& s, bool playerIsOut) {
  return {{"quarter", s.Quarter},
          {"time", s.Time},
          {"quarterTitle", s.QuarterTitle},
          {"title", s.Title},
          {"teamOne", s.TeamOne},
          {"teamTwo", s.TeamTwo},
          {"goalsOne", s.GoalsOne},
          {"behindsOne", s.BehindsOne},
          {"goalsTwo", s.GoalsTwo},
          {"behindsTwo", s.BehindsTwo},
          {"pointsOne", s.PointsOne},
          {"pointsTwo", s.PointsTwo},
          {"goalsOneAt", Numbers(s.GoalsOneAt)},
          {"behindsOneAt", Numbers(s.BehindsOneAt)},
          {"goalsTwoAt", Numbers(s.GoalsTwoAt)},
          {"behindsTwoAt", Numbers(s.BehindsTwoAt)},
          {"disposals", s.Disposals},
          {"goals", s.Goals},
          {"behinds", s.Behinds},
          {"matchRating", FormatNumber(s.MatchRating, kMatchRatingPattern)},
          {"comments", s.Comments},
          {"position", s.Position},
          {"name", s.Name},
          {"team", s.Team},
          {"matchIndex", s.MatchIndex},
          {"startCaption", s.StartCaption},
          {"startEnabled", s.StartEnabled},
          {"clockRunning", s.ClockRunning},
          {"fullTime", s.FullTime},
          {"playerIsOut", playerIsOut}};
}

json ContractsView(const ContractOffers& offers) {
  json rows = json::array();
  for (const ContractOffer& row : offers.rows) {
    rows.push_back({{"club", row.club}, {"offer", row.offer.ToString()}, {"length", row.length}});
  }
  return {{"title", offers.title},
          {"rows", std::move(rows)},
          {"pendingTeam", offers.pendingTeam},
          {"pendingOffer", offers.pendingOffer.ToString()},
          {"pendingLength", offers.pendingLength}};
}

const char* ShopName(Shop shop) {
  switch (shop) {
    case Shop::Training:
      return "training";
    case Shop::Health:
      return "health";
    case Shop::Store:
      return "store";
  }
  return "training";
}

// The hub's tips: each figure's by its control, each bar's as the career
// stands, and Play's reason, with whether it holds or warns of the week.
json HubTips(const Game& game) {
  json figures = json::object();
  for (const std::string_view control : HubTipControls()) {
    figures[std::string(control)] = HubTip(control);
  }
  json bars = json::object();
  for (std::size_t bar = 0; bar < kHubBarCount; ++bar) {
    bars[kHubBarNames[bar]] = HubBarTip(game.career(), static_cast<HubBar>(bar));
  }
  std::string play = PlayReason(game);
  // Play goes ahead with nothing to say of the week.
  const bool plain = play == kPlaysTheRound;
  return {{"figures", std::move(figures)},
          {"bars", std::move(bars)},
          {"play", std::move(play)},
          {"playWarns", !plain}};
}

json ShopView(const ShopSession& shop) {
  const ShopTexts& texts = shop.Texts();
  json rows = json::array();
  for (const ShopRow& row : shop.Rows()) {
    ShopRowTips tips = ShopTips(row);
    rows.push_back({{"name", std::string(row.name)},
                    {"units", row.Units},
                    {"rate", row.Rate},
                    {"amount", row.Amount.ToString()},
                    {"chosen", row.Chosen},
                    {"spinner", row.Spinner},
                    {"tips",
                     {{"units", std::move(tips.units)},
                      {"rate", std::move(tips.rate)},
                      {"amount", std::move(tips.amount)},
                      {"chosen", std::move(tips.chosen)}}}});
  }
  const char* colour = shop.Colour() == BalanceColour::Short      ? "short"
                       : shop.Colour() == BalanceColour::InCredit ? "inCredit"
                                                                  : "unchanged";
  return {{"shop", ShopName(shop.shop())},
          {"windowTitle", std::string(texts.windowTitle)},
          {"heading", std::string(texts.heading)},
          {"unitsColumn", std::string(texts.unitsColumn)},
          {"spinnerBlock", std::string(texts.spinnerBlock)},
          {"hasMax", shop.HasMax()},
          {"rows", std::move(rows)},
          {"balanceBefore", shop.BalanceBefore().ToString()},
          {"balanceAfter", shop.BalanceAfter().ToString()},
          {"balanceBeforeTip", std::string(kBalanceBeforeTip)},
          {"balanceAfterTip", BalanceAfterTip(shop.BalanceAfter() < Money())},
          {"colour", colour}};
}

json SponsorshipJson(Career& career, const RunState& run) {
  json slots = json::array();
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const auto which = static_cast<SponsorSlot>(slot);
    const SponsorScreen& screen = career.Offers(which);
    json offers = json::array();
    for (std::size_t company = 0; company < kCompanyCount; ++company) {
      const SponsorOffer& offer = screen.Offers[company];
      offers.push_back({{"company", std::string(kCompanies[company].shown)},
                        {"enabled", offer.Enabled},
                        {"chosen", offer.Chosen},
                        {"amount", offer.Amount.ToString()}});
    }
    slots.push_back({{"slot", std::string(kSlotNames[static_cast<std::size_t>(slot)])},
                     {"label", SlotSponsorLabel(career, which)},
                     {"sponsor", screen.Sponsor},
                     {"offer", screen.Offer.ToString()},
                     {"offers", std::move(offers)}});
  }
  json remaining = nullptr;
  if (run.sponsorship.remaining) remaining = *run.sponsorship.remaining;
  return {{"remaining", remaining},
          {"windowOpen", run.sponsorship.windowOpen},
          {"slots", std::move(slots)}};
}

json CampView(const DraftCamp& camp) {
  const CampState& s = camp.state();
  json rows = json::array();
  for (std::size_t test = 0; test < kCampTests; ++test) {
    rows.push_back({{"activity", kCampTestList[test].activity},
                    {"unit", kCampTestList[test].unit},
                    {"result", s.Rows[test].Result},
                    {"rank", s.Rows[test].Rank}});
  }
  return {{"name", s.Name},
          {"test", s.Test},
          {"activity", s.Activity},
          {"result", s.Result},
          {"unit", s.Unit},
          {"rank", s.Rank},
          {"comments", s.Comments},
          {"rows", std::move(rows)},
          {"rankAverage", s.RankAverage},
          {"startCaption", s.StartCaption},
          {"startEnabled", s.StartEnabled},
          {"okEnabled", s.OkEnabled},
          {"finished", camp.Finished()}};
}

json DraftView(const Draft& draft) {
  const DraftState& s = draft.state();
  // The clubs' order of picking, the same every year; `slot` is the one
  // on the clock.
  json order = json::array();
  for (std::string_view club : kDraftOrder) order.push_back(std::string(club));
  return {{"name", s.Name},       {"pick", s.Pick},         {"round", s.Round},
          {"team", s.Team},       {"slot", s.Slot},         {"pickCaption", s.PickCaption},
          {"drafted", s.Drafted}, {"finished", s.Finished}, {"order", std::move(order)}};
}

// The information screens: the ladder, the results browser and the about
// box. They show the record and the season's files; only the team page's
// league position is worked out, by the ladder's rules.

// There is no system information tool to start in a browser.
constexpr const char* kNoSystemInfo = "System Information Is Unavailable At This Time";

json LadderJson(const Career& career, const std::string& previous) {
  const LadderView ladder = BuildLadder(career);
  json rows = json::array();
  for (const LadderLine& line : ladder) {
    rows.push_back({{"position", line.Position},
                    {"team", line.Team},
                    {"played", line.Played},
                    {"wins", line.Wins},
                    {"losses", line.Losses},
                    {"draws", line.Draws},
                    {"for", line.For},
                    {"against", line.Against},
                    {"percentage", line.Percentage},
                    {"points", line.Points},
                    {"own", line.Team == career.Team}});
  }
  return {{"title", LadderTitle(career.League)},
          {"rows", std::move(rows)},
          {"position", LeaguePosition(ladder, career.Team, previous)}};
}

// Round `round` of the season (1..26); without one, the round Play plays
// next (the grand final once the season is over).
json BrowseJson(const Career& career, const std::filesystem::path& folder, const json& args) {
  constexpr int kSeasonRounds = 26;
  const int round = std::clamp(args.value("round", career.Matches + 1), 1, kSeasonRounds);
  json result = {
      {"round", round}, {"roundTitle", RoundTitle(round - 1)}, {"rounds", kSeasonRounds}};
  auto browsed = BrowseRound(career, folder, round);
  if (const auto* error = std::get_if<FileError>(&browsed)) {
    result["error"] = error->message;
    return result;
  }
  const BrowsedRound& shown = std::get<BrowsedRound>(browsed);
  const PlayerLine& line = shown.record.player;
  json slots = json::array();
  for (std::size_t slot = 0; slot < kMatchesPerRound; ++slot) {
    const RoundSlot& score = shown.record.slots[slot];
    const std::string& one = shown.record.teamOne[slot];
    const std::string& two = shown.record.teamTwo[slot];
    // His club's matches stand out.
    const auto colour = [&](const std::string& team) {
      return ColourName(team == career.Team ? NameColour::PlayerClub : NameColour::Other);
    };
    slots.push_back(SlotJson(score, one, two, colour(one), colour(two)));
  }
  result["matchCount"] = shown.matchCount;
  result["played"] = shown.played;
  result["player"] = {{"disposals", line.Disposals},
                      {"goals", line.Goals},
                      {"behinds", line.Behinds},
                      {"matchRating", line.MatchRating},
                      {"position", line.Position}};
  result["slots"] = std::move(slots);
  return result;
}

SponsorSlot SlotNamed(const std::string& name) {
  for (std::size_t slot = 0; slot < kSlotNames.size(); ++slot) {
    if (kSlotNames[slot] == name) return static_cast<SponsorSlot>(slot);
  }
  throw std::invalid_argument("no sponsor slot is called " + name);
}

Shop ShopNamed(const std::string& name) {
  if (name == "training") return Shop::Training;
  if (name == "health") return Shop::Health;
  if (name == "store") return Shop::Store;
  throw std::invalid_argument("no shop is called " + name);
}

const char* OutcomeName(Game::LoadOutcome outcome) {
  switch (outcome) {
    case Game::LoadOutcome::Loaded:
      return "loaded";
    case Game::LoadOutcome::Cancelled:
      return "cancelled";
    case Game::LoadOutcome::Failed:
      return "failed";
  }
  return "failed";
}

const char* WeekOutcomeName(sim::Week::Outcome outcome) {
  switch (outcome) {
    case sim::Week::Outcome::Played:
      return "played";
    case sim::Week::Outcome::CannotAdvance:
      return "cannotAdvance";
    case sim::Week::Outcome::UnreadableFile:
      return "unreadableFile";
    case sim::Week::Outcome::NotWritten:
      return "notWritten";
  }
  return "cannotAdvance";
}

SetupAnswers AnswersFrom(const json& a) {
  SetupAnswers answers;
  answers.careerName = a.value("careerName", "");
  answers.name = a.value("name", "");
  answers.city = a.value("city", "");
  answers.state = a.value("state", "");
  answers.height = a.value("height", answers.height);
  answers.weight = a.value("weight", answers.weight);
  answers.position = a.value("position", "");
  answers.kicking = a.value("kicking", 1);
  answers.handballing = a.value("handballing", 1);
  answers.tackling = a.value("tackling", 1);
  answers.marking = a.value("marking", 1);
  answers.running = a.value("running", 1);
  return answers;
}

bool EndsWith(const std::string& text, std::string_view end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The files of a career that are there, by name: the save, fixture,
// results, log and the player's two histories.
std::vector<std::string> FilesOf(const std::filesystem::path& folder, const Career& career) {
  std::vector<std::filesystem::path> paths = {
      SaveFilePath(folder, career),      FixturePath(folder, career),
      ResultsPath(folder, career),       LogPath(folder, career),
      SeasonHistoryPath(folder, career), CareerHistoryPath(folder, career)};
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& path : paths) {
    if (std::filesystem::is_regular_file(path, error)) names.push_back(path.filename().string());
  }
  return names;
}

// The simulator's answers in place of the page's while it lives.
class AnsweredBy {
 public:
  AnsweredBy(PagePrompter& prompter, sim::TranscriptPrompter& answers) : prompter_(prompter) {
    prompter_.AnswerFrom(&answers);
  }
  ~AnsweredBy() { prompter_.AnswerFrom(nullptr); }
  AnsweredBy(const AnsweredBy&) = delete;
  AnsweredBy& operator=(const AnsweredBy&) = delete;

 private:
  PagePrompter& prompter_;
};

}  // namespace

void PagePrompter::inform(const std::string& text, const std::string& title) {
  if (answers_) return answers_->inform(text, title);
  ask_({{"kind", "inform"}, {"title", title}, {"text", text}});
}

bool PagePrompter::askYesNo(const std::string& text, const std::string& title, Icon icon) {
  if (answers_) return answers_->askYesNo(text, title, icon);
  const json answer =
      ask_({{"kind", "askYesNo"}, {"title", title}, {"text", text}, {"icon", IconName(icon)}});
  return answer.is_boolean() && answer.get<bool>();
}

void PagePrompter::publish(const Story& story) {
  if (answers_) return answers_->publish(story);
  ask_({{"kind", "story"},
        {"title", story.masthead},
        {"text", story.headline},
        {"story", StoryJson(story)}});
}

std::optional<std::filesystem::path> PagePrompter::chooseFileToOpen(
    const std::string& filter, const std::filesystem::path& folder) {
  if (answers_) return answers_->chooseFileToOpen(filter, folder);
  const json answer = ask_({{"kind", "chooseFile"},
                            {"title", "Load Career"},
                            {"text", filter},
                            {"careers", CareerNames(folder_)}});
  if (!answer.is_string()) return std::nullopt;
  return folder_ / (answer.get<std::string>() + kSaveExtension);
}

void PagePrompter::shown(const std::string& screen, json view) {
  if (answers_) return;
  ask_({{"kind", "shown"},
        {"title", ""},
        {"text", ""},
        {"screen", screen},
        {"view", std::move(view)}});
}

std::vector<std::string> CareerNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (it->is_regular_file(error) && EndsWith(name, kSaveEnding)) {
      names.push_back(name.substr(0, name.size() - kSaveEnding.size()));
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

Session::Session(AskPage ask, std::filesystem::path folder, std::optional<std::uint64_t> seed)
    : random_(seed ? std::make_unique<TwisterRandom>(*seed) : std::make_unique<TwisterRandom>()),
      prompter_(std::move(ask), folder),
      game_(*random_, prompter_, DataFolder{std::move(folder)}) {}

Session::~Session() = default;

json Session::State() {
  json state;
  const bool has = game_.HasCareer();
  state["hasCareer"] = has;
  if (has) {
    Career& career = game_.career();
    state["career"] = CareerView(career);
    state["retired"] = IsRetired(career);
    const LogPlace place = SavedPlace(career);
    state["place"] = {{"season", place.season}, {"week", place.week}};
    const Game::Waiting waiting = game_.WaitingFor();
    json clubs = json::array();
    for (const std::string& club : waiting.offerClubs) clubs.push_back(club);
    state["waiting"] = {{"camp", waiting.camp},           {"sponsorWindow", waiting.sponsorWindow},
                        {"signature", waiting.signature}, {"offersTitle", waiting.offersTitle},
                        {"offerClubs", std::move(clubs)}, {"describe", Game::Describe(waiting)}};
    if (sponsorshipOpen_) state["sponsorship"] = SponsorshipJson(career, game_.run());
    state["tips"] = HubTips(game_);
  }
  state["run"] = RunView(has ? &game_.career() : nullptr, game_.run(), game_.round());
  if (const Round* round = game_.round()) state["round"] = RoundView(*round);
  if (const Match* match = game_.match()) {
    state["match"] = MatchView(Revealed(quarterStart_, match->state()), match->PlayerIsOut());
  }
  state["contracts"] = ContractsView(game_.contracts());
  if (shop_) state["shop"] = ShopView(*shop_);
  if (const DraftCamp* camp = game_.camp()) state["camp"] = CampView(*camp);
  if (const Draft* draft = game_.draft()) state["draft"] = DraftView(*draft);
  if (const auto& failure = game_.writeFailure()) state["writeFailure"] = *failure;
  return state;
}

json Session::Call(const json& request) {
  json result;
  try {
    const std::string op = request.value("op", "");
    const json args =
        request.contains("args") && request["args"].is_object() ? request["args"] : json::object();
    result = Dispatch(op, args);
  } catch (const std::exception& error) {
    return {{"error", error.what()}};
  }
  result["state"] = State();
  return result;
}

json Session::Dispatch(const std::string& op, const json& args) {
  const auto needCareer = [&] {
    if (!game_.HasCareer()) throw std::logic_error(op + " needs a career");
  };
  if (op == "state") return json::object();
  if (op == "listCareers") return {{"careers", CareerNames(game_.folder().path)}};
  if (op == "setupLists") {
    const SetupAnswers blank;
    json heights = json::array();
    json weights = json::array();
    for (int height = kTallest; height >= kShortest; --height) heights.push_back(height);
    for (int weight = kHeaviest; weight >= kLightest; --weight) weights.push_back(weight);
    json states = json::array();
    json positions = json::array();
    for (const std::string_view state : kStates) states.push_back(std::string(state));
    for (const std::string_view position : kPositions) positions.push_back(std::string(position));
    return {{"states", std::move(states)},   {"positions", std::move(positions)},
            {"heights", std::move(heights)}, {"weights", std::move(weights)},
            {"height", blank.height},        {"weight", blank.weight}};
  }
  if (op == "setupOverall") return {{"overall", AnswersFrom(args).overall()}};
  if (op == "beginSetup") {
    game_.BeginSetup();
    return json::object();
  }
  if (op == "startNewCareer") {
    shop_.reset();
    sponsorshipOpen_ = false;
    const bool ok = game_.StartNewCareer(AnswersFrom(args.value("answers", json::object())),
                                         [&] { prompter_.shown("career", State()); });
    json result = {{"ok", ok}};
    if (const auto& refusal = game_.lockRefusal()) result["lockRefused"] = refusal->message;
    return result;
  }
  if (op == "autoNew") {
    // kickmark-sim new: Start with these answers, the best offer signed, the
    // first save; every question answered as the simulator answers it.
    shop_.reset();
    sponsorshipOpen_ = false;
    sim::TranscriptPrompter answers(nullptr);
    const AnsweredBy answered(prompter_, answers);
    const bool ok = game_.StartNewCareer(AnswersFrom(args.value("answers", json::object())));
    const bool saved = ok && sim::SignFirstContract(game_) && game_.Save() && !game_.writeFailure();
    const auto& shown = answers.messages();
    return {{"ok", saved}, {"messages", shown}};
  }
  if (op == "load" || op == "loadFromChoice") {
    shop_.reset();
    sponsorshipOpen_ = false;
    const Game::LoadResult loaded =
        op == "load"
            ? game_.LoadFrom(game_.folder().file(args.value("career", "") + kSaveExtension))
            : game_.LoadFromChoice();
    return {{"outcome", OutcomeName(loaded.outcome)}, {"error", loaded.error}};
  }
  if (op == "quit") {
    shop_.reset();
    sponsorshipOpen_ = false;
    game_.Quit();
    return json::object();
  }
  if (op == "deleteCareer") {
    const std::string name = args.value("career", "");
    if (name.empty() || (game_.HasCareer() && game_.career().CareerName == name)) {
      throw std::invalid_argument("a career that is open cannot be deleted");
    }
    const std::filesystem::path save = game_.folder().file(name + kSaveExtension);
    std::error_code error;
    if (const auto loaded = LoadCareer(save); std::holds_alternative<Career>(loaded)) {
      for (const std::string& file : FilesOf(game_.folder().path, std::get<Career>(loaded))) {
        std::filesystem::remove(game_.folder().file(file), error);
      }
    }
    for (const std::string_view ending :
         {kSaveEnding, kFixtureEnding, kResultsEnding, kLogEnding, kLockEnding}) {
      std::filesystem::remove(game_.folder().file(name + std::string(ending)), error);
    }
    return json::object();
  }
  if (op == "careerFiles") {
    const std::string name = args.value("career", "");
    const auto loaded = LoadCareer(game_.folder().file(name + kSaveExtension));
    if (const auto* error = std::get_if<FileError>(&loaded)) return {{"error", error->message}};
    return {{"files", FilesOf(game_.folder().path, std::get<Career>(loaded))}};
  }
  if (op == "careerFilesIn") {
    const std::filesystem::path folder = args.value("folder", "");
    const auto loaded = LoadCareer(folder / (args.value("career", "") + kSaveExtension));
    if (const auto* error = std::get_if<FileError>(&loaded)) return {{"error", error->message}};
    return {{"files", FilesOf(folder, std::get<Career>(loaded))}};
  }
  if (op == "checkCareer") {
    const auto problem = CheckCareer(args.value("folder", ""), args.value("career", ""));
    return {{"ok", !problem}, {"error", problem.value_or("")}};
  }
  if (op == "benchSeason") {
    const auto start = std::chrono::steady_clock::now();
    const int weeks = PlayBenchSeason(args.value("folder", "/bench"), args.value("seed", 7));
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return {{"ms", took.count()}, {"weeks", weeks}};
  }

  if (auto answer = LookingBackOp(op, args, game_)) return std::move(*answer);
  needCareer();
  // The record as kickmark-sim's show prints it, key for key.
  if (op == "record") return {{"record", sim::CareerJson(game_.career())}};
  if (op == "save") return {{"ok", game_.Save()}};
  if (op == "prepareFirstContract") return {{"ok", game_.PrepareFirstContract()}};
  if (op == "clickOffer") {
    game_.ClickOffer(args.value("row", 0), args.value("text", ""));
    return json::object();
  }
  if (op == "sign") {
    game_.Sign();
    return json::object();
  }
  if (op == "closeContracts") return {{"ok", game_.CloseContracts()}};
  if (op == "play") {
    shop_.reset();
    sponsorshipOpen_ = false;
    return {{"ok", game_.Play([&] { prompter_.shown("round", State()); })}};
  }
  if (op == "startNextMatch") {
    if (!game_.round() || !game_.round()->startEnabled() || game_.match()) {
      throw std::logic_error("the round's Start is not available");
    }
    return {{"matchOpened", game_.StartNextMatch()}};
  }
  if (op.rfind("match", 0) == 0 || op == "finishMatch") {
    Match* match = game_.match();
    if (!match) throw std::logic_error(op + " needs a match on the match screen");
    if (op == "matchStartQuarter") {
      if (match->state().StartEnabled) {
        quarterStart_ = match->state();
        match->StartQuarter();
      }
      return json::object();
    }
    if (op == "matchMinute") {
      bool over = false;
      for (int minutes = std::max(1, args.value("minutes", 1));
           minutes > 0 && match->state().ClockRunning && !over; --minutes) {
        over = match->PlayMinute();
      }
      return {{"quarterOver", over}};
    }
    if (op == "matchFinishQuarter") {
      if (match->state().ClockRunning) match->FinishQuarter();
      return json::object();
    }
    if (op == "matchToFullTime") {
      match->PlayToFullTime();
      return json::object();
    }
    if (op == "finishMatch") {
      game_.FinishMatch();
      return json::object();
    }
  }
  if (op == "finishRound") {
    if (!game_.round() || !game_.round()->okEnabled() || game_.match()) {
      throw std::logic_error("the round's OK is not available");
    }
    game_.FinishRound();
    return json::object();
  }
  // New Position, after a Yes at the season's end: OK takes one of the
  // positions (the rules refuse anything else with their own message) and
  // keeps it at once, since the round was saved before he chose; Cancel
  // leaves him where he plays.
  if (op == "changePosition") {
    if (!ChangePosition(game_.career(), args.value("position", ""), game_.prompter())) {
      return {{"ok", false}};
    }
    game_.run().positionChangeDue = false;
    return {{"ok", game_.Save()}};
  }
  if (op == "keepPosition") {
    game_.run().positionChangeDue = false;
    return json::object();
  }
  // The information screens: team page, ladder, results browser, about box.
  if (op == "version") {
    return {{"title", std::string("About ") + kProgramTitle}, {"version", KICKMARK_VERSION}};
  }
  if (op == "systemInfo") {
    game_.prompter().inform(kNoSystemInfo);
    return json::object();
  }
  if (op == "ladder") return LadderJson(game_.career(), args.value("previous", ""));
  if (op == "browseRound") return BrowseJson(game_.career(), game_.folder().path, args);
  if (op == "openCampIfDue") return {{"open", game_.OpenCampIfDue() != nullptr}};
  if (op == "campStep") {
    if (!game_.camp()) throw std::logic_error("the draft camp is not open");
    game_.CampStep();
    return json::object();
  }
  if (op == "goToDraft") return {{"ok", game_.GoToDraft()}};
  if (op == "draftPick") {
    if (!game_.draft()) throw std::logic_error("the draft is not open");
    game_.DraftPick([&] { prompter_.shown("pick", State()); });
    return json::object();
  }
  if (op == "shopOpen") {
    shop_ = ShopSession::Open(ShopNamed(args.value("shop", "")), game_.career());
    return json::object();
  }
  if (op.rfind("shop", 0) == 0) {
    if (!shop_) throw std::logic_error(op + " needs an open shop");
    if (op == "shopSpinner") {
      return {{"value", shop_->ChangeSpinner(args.value("row", 0), args.value("value", 0))}};
    }
    if (op == "shopMax") {
      if (shop_->HasMax()) shop_->Max();
      return json::object();
    }
    if (op == "shopOK") {
      const bool ok = shop_->OK(game_.career(), game_.run(), game_.prompter());
      if (ok) shop_.reset();
      return {{"ok", ok}};
    }
    if (op == "shopCancel") {
      shop_->Cancel();
      shop_.reset();
      return json::object();
    }
  }
  if (op == "sponsorOpen") {
    RunState& run = game_.run();
    run.sponsorship = OpenSponsorship(game_.career(), run.sponsorship);
    sponsorshipOpen_ = true;
    return json::object();
  }
  if (op == "sponsorSelect") {
    SelectSponsorOffer(game_.career(), SlotNamed(args.value("slot", "")), args.value("company", 0));
    return json::object();
  }
  if (op == "sponsorConfirm") {
    ConfirmSponsorOffer(game_.career(), SlotNamed(args.value("slot", "")));
    return json::object();
  }
  if (op == "sponsorClose") {
    CloseSponsorship(game_.career(), game_.run());
    sponsorshipOpen_ = false;
    return json::object();
  }
  if (op == "autoWeek") {
    shop_.reset();
    sponsorshipOpen_ = false;
    sim::TranscriptPrompter answers(nullptr);
    const AnsweredBy answered(prompter_, answers);
    const auto policy =
        args.value("policy", "default") == "passive" ? sim::Policy::Passive : sim::Policy::Default;
    sim::Player player(game_, answers, policy);
    const sim::Week week = player.PlayWeek();
    return {{"outcome", WeekOutcomeName(week.outcome)},
            {"reason", week.reason},
            {"line", week.played ? sim::SummaryLine(week, game_.career().Team) : ""},
            {"seasonClosed", week.season.has_value()}};
  }
  throw std::invalid_argument("no op is called " + op);
}

std::optional<std::string> CheckCareer(const std::filesystem::path& folder,
                                       const std::string& career) {
  TwisterRandom random(1);
  sim::TranscriptPrompter answers(nullptr);
  Game game(random, answers, DataFolder{folder});
  const auto loaded = game.LoadFrom(folder / (career + kSaveExtension));
  if (loaded.outcome != Game::LoadOutcome::Loaded) return loaded.error;
  if (game.career().CareerName != career) {
    return "The save file " + career + kSaveExtension + " holds the career " +
           game.career().CareerName + ".";
  }
  game.Quit();
  return std::nullopt;
}

int PlayBenchSeason(const std::filesystem::path& folder, std::uint64_t seed) {
  std::error_code error;
  std::filesystem::remove_all(folder, error);
  std::filesystem::create_directories(folder, error);
  NoSyncFileSystem noSync;
  const UseFileSystem use(noSync);
  SetupAnswers answers;
  answers.careerName = "Bench";
  answers.name = "Jack Riley";
  answers.city = "Ballarat";
  answers.state = "Victoria";
  answers.position = "Rover";
  answers.kicking = answers.handballing = answers.tackling = answers.marking = answers.running = 30;
  TwisterRandom random(seed);
  sim::TranscriptPrompter prompter(nullptr);
  Game game(random, prompter, DataFolder{folder});
  if (!game.StartNewCareer(answers) || !sim::SignFirstContract(game) || !game.Save()) {
    throw std::runtime_error("the benchmark's career could not be made");
  }
  sim::Player player(game, prompter, sim::Policy::Passive);
  player.CheckEachWeek(false);
  int weeks = 0;
  for (bool closed = false; !closed; ++weeks) {
    const sim::Week played = player.PlayWeek();
    if (played.outcome != sim::Week::Outcome::Played) throw std::runtime_error(played.reason);
    closed = played.season.has_value();
  }
  game.Quit();
  std::filesystem::remove_all(folder, error);
  return weeks;
}

}  // namespace km::web
