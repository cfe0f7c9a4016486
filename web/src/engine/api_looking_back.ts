// SPDX-License-Identifier: GPL-3.0-or-later
//
// Looking back on careers: the start screen's hall of fame over every
// career in the browser's storage, and the Career screen's log of one
// career. Both ops only read: no file is written and no career is locked,
// so a career's log can be read while another career is open.

/** One career of the hall of fame, as `kickmark-sim hall-of-fame --format json` gives it. */
export interface HallOfFameRow {
  career: string;
  /** The sentence of a save or log that cannot be read; the row then holds nothing else. */
  damaged?: string;
  player?: string;
  /** Seasons begun. */
  seasons?: number;
  /** Matches he took the field in, every competition. */
  matches?: number;
  goals?: number;
  brownlows?: number;
  /** The highest competition he played a match in (while none, the one he is in). */
  highestCompetition?: string;
  /** Its level: 0 Local Reserves ... 3 AFL. */
  level?: number;
  peakOverall?: number;
  retired?: boolean;
  /** His log does not reach back to his first week. */
  logStartsLate?: boolean;
}

/** The career the log belongs to, as the Career screen and its page show it. */
export interface CareerSummary {
  name: string;
  careerName: string;
  team: string;
  league: string;
  state: string;
  position: string;
  /** Per competition, Local Reserves first: [matches, disposals, goals, behinds]. */
  levels: [number, number, number, number][];
}

/** The log's weeks, one array a figure, a week at each index. */
export interface LogColumns {
  season: number[];
  /** 1..26; 23 to 26 are the finals. */
  week: number[];
  /** Index into `competitions`. */
  competition: number[];
  /** 1 when he took the field. */
  played: number[];
  disposals: number[];
  goals: number[];
  behinds: number[];
  rating: number[];
  kicking: number[];
  handballing: number[];
  tackling: number[];
  marking: number[];
  running: number[];
  overall: number[];
  /** The bank balance in dollars (cents as a fraction). */
  bank: number[];
  /** 0 none, 1 injured, 2 suspended, 3 no match, 4 retired. */
  absence: number[];
  /** [first week index, club]: his club from that week on. */
  clubs: [number, string][];
}

/** A scrapbook event: season, week, kind ("story", "award", ...), title, text; in the order they came. */
export type LogEventRow = [number, number, string, string, string];

export interface CareerLogView {
  career: CareerSummary;
  weeks: LogColumns;
  events: LogEventRow[];
  startsLate: boolean;
  /** The weeks' names, week 1 first: "Round 1" ... "Grand Final". */
  weekNames: string[];
  /** "Local Reserves", "Local Firsts", "State", "AFL". */
  competitions: string[];
}

export interface LookingBackOps {
  /** Every career in the browser's storage, in the order of their names. */
  hallOfFame: { args: {}; result: { rows: HallOfFameRow[] } };
  /**
   * A career's log as far as its save has played: the open career's without
   * `career`, else that career's (read only). `error` is the sentence of a
   * save or log that cannot be read.
   */
  careerLog: { args: { career?: string }; result: Partial<CareerLogView> & { error?: string } };
}
