// SPDX-License-Identifier: GPL-3.0-or-later
// What the match screen shows while a quarter is being played. The rules work
// out the player's disposals, goals and behinds, his rating and the
// commentators' verdict for the quarter when Start is pressed; the screen lets
// them out across the quarter's minutes, as a crowd would see them: his
// figures climb minute by minute, the quarter's own columns of the scoreboard
// fill as the goals and behinds are kicked, and the verdict waits for the
// siren. At the siren the screen shows the match exactly as it stands. Nothing
// here changes what happens, only when it is seen.

import type { MatchView } from '../engine/api';

const kQuarters = 4;
const kQuarterMinutes = 30;

// Where in its share of the quarter each figure's steps come, in hundredths,
// so that two figures seldom move in one minute.
const kDisposalPhase = 50;
const kGoalPhase = 35;
const kBehindPhase = 70;

const kPlayingTitles = ['1ST QUARTER', '2ND QUARTER', '3RD QUARTER', '4TH QUARTER'];

// How many of the `from`..`to` steps of a figure are shown at `minute` of the
// quarter: none at its start, every one by the siren, spread evenly between.
export function revealedCount(from: number, to: number, minute: number, phase: number): number {
  const steps = to - from;
  if (steps <= 0 || minute >= kQuarterMinutes) return to;
  // Step k of n (from 0) comes at minute 1 + 30 (k + phase) / n.
  let shown = 0;
  while (
    shown < steps &&
    1 + Math.trunc((kQuarterMinutes * (100 * shown + phase)) / (100 * steps)) <= minute
  ) {
    ++shown;
  }
  return from + shown;
}

// What the break label says while a quarter is played ("2ND QUARTER").
export function playingTitle(quarter: number): string {
  return quarter >= 1 && quarter <= kQuarters ? kPlayingTitles[quarter - 1] : '';
}

// The match as shown at this minute of the quarter: `atStart` is the match as
// it stood when Start was pressed (the last break), `now` as it stands.
// Outside a quarter, `now` as it is.
export function revealed(atStart: MatchView | null, now: MatchView): MatchView {
  if (!atStart || !now.clockRunning || now.quarter < 1 || now.quarter > kQuarters) return now;
  const q = now.quarter - 1;
  const at = (values: number[], value: number): number[] => values.map((v, i) => (i === q ? value : v));
  return {
    ...now,
    disposals: revealedCount(atStart.disposals, now.disposals, now.time, kDisposalPhase),
    goals: revealedCount(atStart.goals, now.goals, now.time, kGoalPhase),
    behinds: revealedCount(atStart.behinds, now.behinds, now.time, kBehindPhase),
    matchRating: atStart.matchRating,
    comments: atStart.comments,
    quarterTitle: playingTitle(now.quarter),
    // The quarter's own columns: the score as it stands, until the siren writes it in.
    goalsOneAt: at(now.goalsOneAt, now.goalsOne),
    behindsOneAt: at(now.behindsOneAt, now.behindsOne),
    goalsTwoAt: at(now.goalsTwoAt, now.goalsTwo),
    behindsTwoAt: at(now.behindsTwoAt, now.behindsTwo),
  };
}
