// SPDX-License-Identifier: GPL-3.0-or-later
//
// The one door from the page to the rules. The engine (the C++ rules built
// as WebAssembly) runs in a Web Worker; every operation below is one call of
// `Game`, made there, and answers with a `StateView`: everything the screens
// draw, read afresh after the operation. No rule of the game lives in
// TypeScript: a screen shows what a view says and calls an op when the
// player acts.
//
// While an op runs, the rules may ask the player something (a message box,
// a Yes/No question, a newspaper story, an open-file choice). The worker
// then waits, truly blocked, until the page's prompt handler answers; the op
// goes on from there. So an op's promise resolves only after every prompt it
// raised has been answered, in order.
//
// The page's address may carry ?seed=N: the rules' chance source is then
// TwisterRandom(N), as `kickmark-sim --seed N` seeds it (each page load
// seeds afresh, as each run of kickmark-sim does).
//
// Which desktop screen uses which op:
//   start screen (frmStart)      listCareers, load, deleteCareer, exportCareer, importCareer
//   setup (frmSetup)             setupLists, setupOverall, beginSetup, startNewCareer
//   contracts (frmContracts)     prepareFirstContract, clickOffer, sign, closeContracts
//   hub (frmMain, frmTeam)       state, play, save, quit, openCampIfDue
//   round (frmMatchRound)        startNextMatch, finishRound, changePosition, keepPosition
//   match (frmMatch)             matchStartQuarter, matchMinute, matchFinishQuarter,
//                                matchToFullTime, finishMatch
//   training/health/store        shopOpen, shopSpinner, shopMax, shopOK, shopCancel
//   sponsorship (frmSponsorship) sponsorOpen, sponsorSelect, sponsorConfirm, sponsorClose
//   draft camp, draft            campStep, goToDraft, draftPick
//   team page (frmTeam), ladder  ladder
//   results (frmResults)         browseRound
//   about boxes                  version, systemInfo
//   (tests and benchmarks)       autoNew, autoWeek, benchSeason, record, files

import type { LookingBackOps } from './api_looking_back';

// ---------------------------------------------------------------- prompts

/** What the rules ask of the player, or tell him, while an op runs. */
export type Prompt =
  /** An OK message box. Answer with `undefined` once it is dismissed. */
  | { kind: 'inform'; title: string; text: string }
  /** A Yes/No question, No the default. Answer true for Yes. */
  | { kind: 'askYesNo'; title: string; text: string; icon: 'none' | 'information' | 'exclamation' | 'question' | 'stop' }
  /** A story on the newspaper screen. Answer once the player closes it. */
  | { kind: 'story'; title: string; text: string; story: Story }
  /** The open-file choice: answer a career name from `careers` (its save file), or null for Cancel. */
  | { kind: 'chooseFile'; title: string; text: string; careers: string[] }
  /**
   * A screen the rules want up before what follows is said: 'career' (a new
   * career's first screen, before a special name's message), 'round' (the
   * round screen, before the injury count-down's messages), 'pick' (the
   * draft's pick, before the club's congratulations). `view` is the state at
   * that moment. Answer at once (undefined).
   */
  | { kind: 'shown'; title: string; text: string; screen: 'career' | 'round' | 'pick'; view: StateView };

export type PromptAnswer = boolean | string | null | undefined;
export type PromptHandler = (prompt: Prompt) => Promise<PromptAnswer>;

// ---------------------------------------------------------------- views

export interface Story {
  masthead: string;
  headline: string;
  text: string;
}

/** A career record field's kind: how its `value` text is to be read. */
export type FieldKind = 'text' | 'whole' | 'decimal' | 'money' | 'bar' | 'switch';

/** One field of the career record, named as the record names it (BankBalance, Matches...). */
export interface CareerField {
  name: string;
  kind: FieldKind;
  /** The value as the game shows it: "15000", "12.5", "Bob's Bakery"; a switch reads "True" or "False". */
  value: string;
}

/** The whole career record: every field in the record's order, and the same values by name. */
export interface CareerView {
  fields: CareerField[];
  /** field name -> shown value */
  values: Record<string, string>;
}

/** What the hub waits for before Play can go ahead (Game::WaitingFor). */
export interface WaitingView {
  camp: boolean;
  sponsorWindow: boolean;
  signature: boolean;
  offersTitle: string;
  offerClubs: string[];
  /** The hub's sentence for it (Game::Describe); empty when nothing waits. */
  describe: string;
}

export type BarColour = 'plain' | 'restored' | 'low';
export type HubBar = 'Boots' | 'Jumper' | 'Shorts' | 'Other' | 'GearOverall' | 'Fitness' | 'Health' | 'Stamina' | 'HealthOverall';

/** One match's row on the round screen. */
export interface RoundSlotView {
  teamOne: string;
  teamTwo: string;
  goalsOne: number[]; // at the end of each quarter
  behindsOne: number[];
  goalsTwo: number[];
  behindsTwo: number[];
  pointsOne: number;
  pointsTwo: number;
  /** How each name is painted: the player's club, the next match to play, or other. */
  colourOne: 'player' | 'next' | 'other';
  colourTwo: 'player' | 'next' | 'other';
}

/** What the game keeps while it runs besides the record (not saved). */
export interface RunView {
  newspaper: Story;
  playColour: 'normal' | 'injured' | 'suspended' | 'lastMissed';
  sponsorHighlight: boolean;
  /** The hub's bars' colours, by bar. */
  barColours: Record<HubBar, BarColour>;
  /** The hub's bars' values, by bar. */
  bars: Record<HubBar, number>;
  /** The round screen's eight slots as last written. */
  slots: RoundSlotView[];
  lastPlayer: { disposals: string; goals: string; behinds: string; matchRating: string; position: string };
  brownlowVotes: number;
  brownlowTopVotes: number;
  brownlowPosition: number;
  positionChangeDue: boolean;
}

/** The other clubs' match being played on the round screen. */
export interface ScoreboardView {
  teamOne: string;
  teamTwo: string;
  goalsOne: number;
  behindsOne: number;
  goalsTwo: number;
  behindsTwo: number;
  pointsOne: number;
  pointsTwo: number;
  quarter: number;
  time: number;
}

/** The round screen of the week, while it is up. */
export interface RoundView {
  title: string;
  league: string;
  roundNumber: number;
  matchCount: number;
  /** The slot (0..8) of the next match to play. */
  next: number;
  startEnabled: boolean;
  okEnabled: boolean;
  scoreboard: ScoreboardView;
}

/** The match screen as it stands (MatchState, field for field). */
export interface MatchView {
  quarter: number;
  time: number;
  quarterTitle: string;
  title: string;
  teamOne: string;
  teamTwo: string;
  goalsOne: number;
  behindsOne: number;
  goalsTwo: number;
  behindsTwo: number;
  pointsOne: number;
  pointsTwo: number;
  goalsOneAt: number[];
  behindsOneAt: number[];
  goalsTwoAt: number[];
  behindsTwoAt: number[];
  disposals: number;
  goals: number;
  behinds: number;
  /** As the screen shows it: one decimal ("7.0"). */
  matchRating: string;
  comments: string;
  position: string;
  name: string;
  team: string;
  matchIndex: number;
  startCaption: string;
  startEnabled: boolean;
  clockRunning: boolean;
  fullTime: boolean;
  playerIsOut: boolean;
}

/** The contract screen's grid and pending choice. Money is shown text ("450"). */
export interface ContractsView {
  title: string;
  rows: { club: string; offer: string; length: number }[];
  pendingTeam: string;
  pendingOffer: string;
  pendingLength: number;
}

/** One opening of the training centre, health centre or store. */
export interface ShopView {
  shop: 'training' | 'health' | 'store';
  windowTitle: string;
  heading: string;
  unitsColumn: string;
  spinnerBlock: string;
  hasMax: boolean;
  rows: {
    name: string;
    units: number;
    rate: number;
    amount: string;
    chosen: number;
    spinner: number;
    /** What the row's units, rate, amount and units chosen are (the rules' tips). */
    tips: { units: string; rate: string; amount: string; chosen: string };
  }[];
  balanceBefore: string;
  balanceAfter: string;
  balanceBeforeTip: string;
  balanceAfterTip: string;
  colour: 'unchanged' | 'short' | 'inCredit';
}

export type SponsorSlot = 'Boots' | 'Jumper' | 'Major' | 'Shorts' | 'Socks';

/** The sponsorship screen and its five offer screens. */
export interface SponsorshipView {
  /** Weeks to the next window; null before the screen was first opened. */
  remaining: number | null;
  windowOpen: boolean;
  slots: {
    slot: SponsorSlot;
    /** The slot's label on the sponsorship screen (its current deal). */
    label: string;
    sponsor: string;
    offer: string;
    /** The sixteen companies' lines, in company order. */
    offers: { company: string; enabled: boolean; chosen: boolean; amount: string }[];
  }[];
}

/** The draft camp screen (CampState). */
export interface CampView {
  name: string;
  test: number;
  activity: string;
  result: string;
  unit: string;
  rank: number;
  comments: string;
  rows: { activity: string; unit: string; result: string; rank: number }[];
  rankAverage: number;
  startCaption: string;
  startEnabled: boolean;
  okEnabled: boolean;
  finished: boolean;
}

/** The draft screen (DraftState). */
export interface DraftView {
  name: string;
  pick: number;
  round: number;
  team: string;
  slot: number;
  pickCaption: string;
  drafted: boolean;
  finished: boolean;
  /** The clubs' order of picking; `slot` (from 1) is the one on the clock. */
  order: string[];
}

/** Everything the screens draw, after any op. Absent parts are not up now. */
export interface StateView {
  hasCareer: boolean;
  career?: CareerView;
  /** Where the career stands: its season (1 for the first) and the week played in it. */
  place?: { season: number; week: number };
  /** He has retired: the career is over (the hub keeps its shops shut). */
  retired?: boolean;
  waiting?: WaitingView;
  /**
   * The hub's tips, in the rules' words: each figure's by its control, each bar's, and Play's
   * reason, with whether it holds Play or warns of the week (else it only says Play plays the round).
   */
  tips?: { figures: Record<string, string>; bars: Record<HubBar, string>; play: string; playWarns: boolean };
  run: RunView;
  round?: RoundView;
  match?: MatchView;
  contracts: ContractsView;
  shop?: ShopView;
  sponsorship?: SponsorshipView;
  camp?: CampView;
  draft?: DraftView;
  /** The sentence of the last career file that could not be written (Game::writeFailure). */
  writeFailure?: string;
}

/** One club's line of the ladder, in ladder order. */
export interface LadderLineView {
  position: string; // "1st" .. "16th"
  team: string;
  played: number;
  wins: number;
  losses: number;
  draws: number;
  for: number;
  against: number;
  /** For / Against x 100 as the ladder shows it ("112.5"). */
  percentage: string;
  points: number;
  /** The player's own club. */
  own: boolean;
}

/** One round of the season in the results browser. */
export interface BrowsedRoundView {
  /** The round shown (1..rounds). */
  round: number;
  rounds: number;
  roundTitle: string;
  /** The sentence of a season file that cannot be read; nothing else then. */
  error?: string;
  matchCount?: number;
  played?: boolean;
  player?: { disposals: string; goals: string; behinds: string; matchRating: string; position: string };
  /** The eight slots; a round not yet played has its clubs and no scores. */
  slots?: RoundSlotView[];
}

// ---------------------------------------------------------------- ops

/** The setup screen's answers (skills 1..100 as the scroll bars hold them). */
export interface SetupAnswers {
  careerName: string;
  name: string;
  city: string;
  state: string;
  /** cm, from the setup list (kTallest..kShortest); 185 unless chosen */
  height: number;
  /** kg (kHeaviest..kLightest); 85 unless chosen */
  weight: number;
  position: string;
  kicking: number;
  handballing: number;
  tackling: number;
  marking: number;
  running: number;
}

/** A career's file, by its name in the data folder. */
export interface CareerFile {
  name: string;
  bytes: Uint8Array;
}

/**
 * Every op: its arguments and what it answers besides the state. Every
 * answer also carries `state: StateView`.
 */
export interface Ops extends LookingBackOps {
  /** Just the state. */
  state: { args: {}; result: {} };
  /** The careers whose save files are in the browser's storage, by career name, sorted. */
  listCareers: { args: {}; result: { careers: string[] } };
  /** The setup screen's lists from the rules' tables, and its defaults. */
  setupLists: {
    args: {};
    result: { states: string[]; positions: string[]; heights: number[]; weights: number[]; height: number; weight: number };
  };
  /** "Player's Overall Skill:" for five skills as the scroll bars hold them. */
  setupOverall: { args: { kicking: number; handballing: number; tackling: number; marking: number; running: number }; result: { overall: number } };
  /** A blank setup screen. */
  beginSetup: { args: {}; result: {} };
  /** Setup's Start: ok when the career was made (the contract screen is next). */
  startNewCareer: { args: { answers: SetupAnswers }; result: { ok: boolean; lockRefused?: string } };
  /** Load Career by name (NAME.kms). `error` is the sentence shown when it failed. */
  load: { args: { career: string }; result: { outcome: 'loaded' | 'cancelled' | 'failed'; error: string } };
  /** Load Career through the open-file choice (a 'chooseFile' prompt). */
  loadFromChoice: { args: {}; result: { outcome: 'loaded' | 'cancelled' | 'failed'; error: string } };
  /** Exit to the start screen: nothing is saved. */
  quit: { args: {}; result: {} };
  /** The record exactly as `kickmark-sim show` prints it (keys in the record's order). */
  record: { args: {}; result: { record: Record<string, string | number | boolean> } };
  /** Writes the save. */
  save: { args: {}; result: { ok: boolean } };
  /** A brand-new career's contract screen. ok false: the fixture could not be written. */
  prepareFirstContract: { args: {}; result: { ok: boolean } };
  /** The contract grid's click on `row` (1..16) with the cell's `text` (club name or offer). */
  clickOffer: { args: { row: number; text: string }; result: {} };
  sign: { args: {}; result: {} };
  /** The contract screen's OK: ok when it may close. */
  closeContracts: { args: {}; result: { ok: boolean } };
  /** The hub's Play: ok when the round screen opened. */
  play: { args: {}; result: { ok: boolean } };
  /** The round screen's Start: matchOpened when the match is the player's (the match screen is next). */
  startNextMatch: { args: {}; result: { matchOpened: boolean } };
  /** The match screen's Start: one quarter begins (the figures for it are worked out at once). */
  matchStartQuarter: { args: {}; result: {} };
  /** `minutes` minutes of the clock (default 1); quarterOver when the quarter ended. */
  matchMinute: { args: { minutes?: number }; result: { quarterOver: boolean } };
  /** The rest of the quarter at once (To the siren). */
  matchFinishQuarter: { args: {}; result: {} };
  /** Every remaining quarter. */
  matchToFullTime: { args: {}; result: {} };
  /** The match screen's Finish after full time. */
  finishMatch: { args: {}; result: {} };
  /** The round screen's OK: books, writes and saves the round. */
  finishRound: { args: {}; result: {} };
  /**
   * New Position (frmPosition), after a Yes at the season's end
   * (`run.positionChangeDue`): OK with the chosen position. `ok` is false
   * when the rules refused it (their message comes as a prompt first).
   */
  changePosition: { args: { position: string }; result: { ok: boolean } };
  /** New Position's Cancel: he keeps his position. */
  keepPosition: { args: {}; result: {} };
  /**
   * Opens the draft camp when it is due. The desktop calls it when the hub
   * comes up after a load and after every round's OK; the camp screen then
   * takes the hub's place until the draft is over.
   */
  openCampIfDue: { args: {}; result: { open: boolean } };
  campStep: { args: {}; result: {} };
  /** The camp's "Go to Draft!". */
  goToDraft: { args: {}; result: { ok: boolean } };
  draftPick: { args: {}; result: {} };
  /**
   * The ladder of his competition with its title; `position` is his club's
   * place on it ("1st" .. "16th"), or `previous` when his club is on no row.
   */
  ladder: { args: { previous?: string }; result: { title: string; rows: LadderLineView[]; position: string } };
  /** Round `round` (1..26) of the season; without one, the round Play plays next. */
  browseRound: { args: { round?: number }; result: BrowsedRoundView };
  /** The about box's title and the program's version ("1.4.0"). */
  version: { args: {}; result: { title: string; version: string } };
  /** The about box's System Info: the rules say it is not there (a message). */
  systemInfo: { args: {}; result: {} };
  shopOpen: { args: { shop: 'training' | 'health' | 'store' }; result: {} };
  /** A row's spinner moved; answers the value the spinner must show. */
  shopSpinner: { args: { row: number; value: number }; result: { value: number } };
  shopMax: { args: {}; result: {} };
  /** ok when the purchase went through and the shop closed. */
  shopOK: { args: {}; result: { ok: boolean } };
  shopCancel: { args: {}; result: {} };
  /** Opens the sponsorship screen. */
  sponsorOpen: { args: {}; result: {} };
  /** `company` is 0..15 in the offers' order. */
  sponsorSelect: { args: { slot: SponsorSlot; company: number }; result: {} };
  sponsorConfirm: { args: { slot: SponsorSlot }; result: {} };
  sponsorClose: { args: {}; result: {} };
  /**
   * One week as kickmark-sim's player plays it (the Passive or Default
   * policy: every question No, no prompt reaches the page). For tests and
   * benchmarks. `line` is kickmark-sim's summary line.
   */
  autoWeek: {
    args: { policy?: 'default' | 'passive' };
    result: { outcome: 'played' | 'cannotAdvance' | 'unreadableFile' | 'notWritten'; reason: string; line: string; seasonClosed: boolean };
  };
  /**
   * `kickmark-sim new` in the browser: Start with these answers, the best
   * offer signed and OK, the first save; questions answered as the
   * simulator answers them (tests). `messages` are the message boxes shown.
   */
  autoNew: { args: { answers: SetupAnswers }; result: { ok: boolean; messages: string[] } };
  /** The work of one BM_Season/sync:0 iteration (a new career's first season) in a scratch folder; milliseconds in the worker. */
  benchSeason: { args: { seed?: number }; result: { ms: number; weeks: number } };
  /** Deletes a career's files: save, fixture, results, log, lock and the player's two histories. Not the open career's. */
  deleteCareer: { args: { career: string }; result: {} };
  /** One zip of the career's files (save, fixture, results, log, both histories). */
  exportCareer: { args: { career: string }; result: { fileName: string; zip: Uint8Array } };
  /**
   * Takes a zip made by exportCareer (or by hand from kickmark-sim's files).
   * Refused with a sentence when it is damaged, holds no career, or its save
   * does not load; nothing in the storage changes then.
   */
  importCareer: { args: { zip: Uint8Array; replace?: boolean }; result: { ok: boolean; career?: string; error?: string } };
  /** The files in the data folder (tests). */
  files: { args: {}; result: { files: { name: string; size: number }[] } };
}

export type OpName = keyof Ops;
export type OpResult<K extends OpName> = Ops[K]['result'] & { state: StateView };

/** The page's side of the engine. */
export interface EngineClient {
  /** Runs one op in the worker; ops run one after another in call order. */
  call<K extends OpName>(op: K, args?: Ops[K]['args']): Promise<OpResult<K>>;
  /** Who answers the rules' prompts. Until one is set, informs/stories are acknowledged and questions answered No. */
  setPromptHandler(handler: PromptHandler): void;
  /**
   * Null while this tab holds the careers; else the sentence to show
   * (another tab of Kickmark has them: one tab plays at a time).
   */
  readonly lockedOut: string | null;
  /** The career the start screen's Continue loads (the last one loaded or started here), or null. */
  lastCareer(): string | null;
}

/** A failure of the engine itself (not a refusal): the op's promise rejects with it. */
export class EngineError extends Error {}
