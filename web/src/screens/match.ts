// SPDX-License-Identifier: GPL-3.0-or-later
// The match screen: the live scoreboard, the clock, the player's figures and
// the commentators' verdict, quarter by quarter. Start plays a quarter; the
// clock runs it at the chosen pace (Pause, Watch, Normal, Fast) or straight
// to the siren; Finish books the match at full time.

import type { MatchView, StateView } from '../engine/api';
import type { Context, Screen } from './context';
import { button, el, frame, setText, valueRow } from './dom';

const kRatingCaption = 'Match Rating (Out of 10):';
const kQuarterHeads = ['1st', '2nd', '3rd', '4th'];
// A break of a match played through lasts this many clock minutes.
const kBreakMinutes = 3;

type Speed = 'watch' | 'normal' | 'fast';
// How long a clock minute takes at each pace: a quarter's thirty minutes take
// about thirty seconds at Watch, eight at Normal and two at Fast.
const kMinuteMilliseconds: Record<Speed, number> = { watch: 1000, normal: 267, fast: 67 };
const kSpeedKey = 'kickmark.matchSpeed';

function rememberedSpeed(): Speed {
  const word = localStorage.getItem(kSpeedKey);
  return word === 'watch' || word === 'fast' ? word : 'normal';
}

export interface MatchControl {
  // Play all plays his match through too, at the pace he chose.
  playThrough: boolean;
  // The match was finished: back to the round.
  finished(): void;
}

export function matchScreen(ctx: Context, control: MatchControl): Screen {
  const root = el('div', { class: 'screen screen-match', id: 'frmMatch' });
  const lblTitle = el('h1', { id: 'lblTitle' });
  const lblQuarterTitle = el('p', { id: 'lblQuarterTitle', class: 'break', 'aria-live': 'polite' });
  const [quarterRow, lblQuarter] = valueRow('Quarter:', 'lblQuarter');
  const [timeRow, lblTime] = valueRow('Time:', 'lblTime');

  // The scoreboard: the quarters over their goals and behinds, then the score.
  const board = el('table', { class: 'scoreboard', id: 'fraScoreboard' });
  board.append(el('caption', { class: 'visually-hidden', text: 'Scoreboard' }));
  const top = el('tr', {}, el('td', { class: 'blank' }));
  const sub = el('tr', {}, el('th', { scope: 'col' }, el('span', { class: 'visually-hidden', text: 'Club' })));
  for (const q of kQuarterHeads) {
    top.append(el('th', { scope: 'colgroup', colspan: 2, text: q }));
    sub.append(el('th', { scope: 'col', 'aria-label': `${q} quarter goals`, text: 'G' }));
    sub.append(el('th', { scope: 'col', 'aria-label': `${q} quarter behinds`, text: 'B' }));
  }
  top.append(el('td', { class: 'blank', colspan: 3 }));
  sub.append(el('th', { scope: 'col', text: 'Goals' }), el('th', { scope: 'col', text: 'Behinds' }), el('th', { scope: 'col', text: 'Points' }));
  board.append(el('thead', {}, top, sub));
  const boardBody = el('tbody');
  const sides = ['One', 'Two'].map((which) => {
    const team = el('th', { scope: 'row', id: `lblTeam${which}`, class: 'team' });
    const goalsAt = [1, 2, 3, 4].map((q) => el('td', { id: `lblGoals${which}${q}`, class: 'quarter' }));
    const behindsAt = [1, 2, 3, 4].map((q) => el('td', { id: `lblBehinds${which}${q}`, class: 'quarter' }));
    const goals = el('td', { id: `lblGoals${which}`, class: 'score' });
    const behinds = el('td', { id: `lblBehinds${which}`, class: 'score' });
    const points = el('td', { id: `lblPoints${which}`, class: 'points' });
    const tr = el('tr', {}, team);
    for (let q = 0; q < 4; ++q) tr.append(goalsAt[q], behindsAt[q]);
    tr.append(goals, behinds, points);
    boardBody.append(tr);
    return { team, goalsAt, behindsAt, goals, behinds, points };
  });
  board.append(boardBody);

  const [nameRow, lblName] = valueRow('Name:', 'lblName');
  const [teamRow, lblTeam] = valueRow('Team:', 'lblTeam');
  const [positionRow, lblPosition] = valueRow('Position:', 'lblPosition');
  const [disposalsRow, lblDisposals] = valueRow('Disposals:', 'lblDisposals');
  const [goalsRow, lblGoals] = valueRow('Goals:', 'lblGoals');
  const [behindsRow, lblBehinds] = valueRow('Behinds:', 'lblBehinds');
  const lblComments = el('p', { id: 'lblComments', class: 'comments' });
  const player = frame(
    'Player',
    'fraMatchPlayer',
    el('div', { class: 'player-grid' }, el('dl', {}, nameRow, teamRow, positionRow), el('dl', { class: 'figures' }, disposalsRow, goalsRow, behindsRow)),
    el('div', { class: 'comments-row' }, el('span', { class: 'caption', id: 'lblCommentsCaption', text: 'Comments:' }), lblComments),
  );
  lblComments.setAttribute('aria-labelledby', 'lblCommentsCaption lblComments');

  // The clock's paces while the match is on; the rating takes their place at full time.
  let speed = rememberedSpeed();
  let paused = false;
  let breakMinutes = 0;
  let timer: number | undefined;
  let ticking = false;

  const cmdPause = button('Pause', 'cmdPause', () => pause());
  const cmdWatch = button('Watch', 'cmdWatch', () => choose('watch'));
  const cmdNormal = button('Normal', 'cmdNormal', () => choose('normal'));
  const cmdFast = button('Fast (4\u00d7)', 'cmdFast', () => choose('fast'));
  const cmdToSiren = button('To the siren', 'cmdToSiren', () => void toSiren());
  cmdPause.setAttribute('aria-label', 'Pause the clock');
  cmdWatch.setAttribute('aria-label', 'Watch, about thirty seconds a quarter');
  cmdNormal.setAttribute('aria-label', 'Normal speed');
  cmdFast.setAttribute('aria-label', 'Fast, four times normal speed');
  cmdToSiren.setAttribute('aria-label', 'Play to the siren');
  const paces = el('div', { class: 'paces', id: 'fraSpeed', role: 'group', 'aria-label': 'Clock' }, el('span', { class: 'caption', text: 'Clock:' }), cmdPause, cmdWatch, cmdNormal, cmdFast, cmdToSiren);
  const lblMatchRating = el('output', { id: 'lblMatchRating', class: 'rating', 'aria-labelledby': 'Label7 lblMatchRating' });
  const ratingRow = el('div', { class: 'rating-row' }, el('span', { id: 'Label7', class: 'caption', text: kRatingCaption }), lblMatchRating);
  const cmdStart = button('Start Match', 'cmdStart', () => void startQuarter());
  cmdStart.classList.add('primary');
  const cmdOK = button('Finish', 'cmdOK', () => void finish());

  root.append(
    lblTitle,
    el('div', { class: 'clock-row' }, lblQuarterTitle, el('dl', { class: 'clock' }, quarterRow, timeRow)),
    el('div', { class: 'table-wrap board-wrap' }, board),
    player,
    el('div', { class: 'match-bottom' }, paces, ratingRow, el('div', { class: 'buttons' }, cmdStart, cmdOK)),
  );

  function match(): MatchView | undefined {
    return ctx.state().match;
  }

  function stopTimer(): void {
    if (timer !== undefined) window.clearInterval(timer);
    timer = undefined;
  }

  // The clock runs through the quarter, and through a break when the match
  // is played through.
  function runClock(): void {
    const m = match();
    const due = !!m && (m.clockRunning || (control.playThrough && m.startEnabled));
    stopTimer();
    if (due && !paused) timer = window.setInterval(() => void tick(), kMinuteMilliseconds[speed]);
  }

  async function tick(): Promise<void> {
    // A minute still with the rules waits; the next tick comes after it.
    if (ticking) return;
    const m = match();
    if (!m) return stopTimer();
    ticking = true;
    try {
      if (!m.clockRunning) {
        // A break of a match played through: the next quarter after a few minutes.
        if (control.playThrough && m.startEnabled && ++breakMinutes >= kBreakMinutes) await startQuarter();
        else if (!control.playThrough || !m.startEnabled) stopTimer();
        return;
      }
      await ctx.run('matchMinute', { minutes: 1 });
      if (!match()?.clockRunning) {
        // The siren: a pause ends with it.
        paused = false;
        breakMinutes = 0;
        runClock();
      }
    } finally {
      ticking = false;
    }
  }

  async function startQuarter(): Promise<void> {
    const m = match();
    if (!m || !m.startEnabled) return;
    await ctx.run('matchStartQuarter', {});
    paused = false;
    breakMinutes = 0;
    show(ctx.state());
    runClock();
  }

  function choose(pace: Speed): void {
    speed = pace;
    localStorage.setItem(kSpeedKey, pace);
    paused = false;
    runClock();
    show(ctx.state());
  }

  function pause(): void {
    const m = match();
    paused = !!m && (m.clockRunning || control.playThrough);
    runClock();
    show(ctx.state());
  }

  async function toSiren(): Promise<void> {
    stopTimer();
    while (ticking) await new Promise((r) => setTimeout(r, 5));
    if (!match()?.clockRunning) return;
    await ctx.run('matchFinishQuarter', {});
    paused = false;
    breakMinutes = 0;
    runClock();
  }

  async function finish(): Promise<void> {
    if (!match()?.fullTime) return;
    stopTimer();
    await ctx.run('finishMatch', {});
    control.finished();
  }

  function show(state: StateView): void {
    // While the clock runs the rules send his figures as they have come out
    // so far across the quarter's minutes.
    const s = state.match;
    if (!s) return;
    setText(lblTitle, s.title);
    setText(lblQuarterTitle, s.quarterTitle);
    setText(lblQuarter, s.quarter);
    setText(lblTime, s.time);
    const byside = [
      [s.teamOne, s.goalsOneAt, s.behindsOneAt, s.goalsOne, s.behindsOne, s.pointsOne],
      [s.teamTwo, s.goalsTwoAt, s.behindsTwoAt, s.goalsTwo, s.behindsTwo, s.pointsTwo],
    ] as const;
    byside.forEach(([team, goalsAt, behindsAt, goals, behinds, points], i) => {
      const side = sides[i];
      setText(side.team, team);
      for (let q = 0; q < 4; ++q) {
        setText(side.goalsAt[q], goalsAt[q] ?? 0);
        setText(side.behindsAt[q], behindsAt[q] ?? 0);
      }
      setText(side.goals, goals);
      setText(side.behinds, behinds);
      setText(side.points, points);
    });
    setText(lblName, s.name);
    setText(lblTeam, s.team);
    setText(lblPosition, s.position);
    setText(lblDisposals, s.disposals);
    setText(lblGoals, s.goals);
    setText(lblBehinds, s.behinds);
    setText(lblComments, s.comments);
    setText(lblMatchRating, s.matchRating);
    // The chosen pace, Pause while the clock is held.
    const chosen = paused ? cmdPause : speed === 'watch' ? cmdWatch : speed === 'fast' ? cmdFast : cmdNormal;
    for (const b of [cmdPause, cmdWatch, cmdNormal, cmdFast]) b.setAttribute('aria-pressed', String(b === chosen));
    const startHadFocus = document.activeElement === cmdStart;
    setText(cmdStart, s.startCaption);
    cmdStart.disabled = !s.startEnabled;
    cmdOK.hidden = !s.fullTime;
    // Pausing and playing to the siren are for a running clock; the paces
    // make way for the rating at full time.
    cmdPause.disabled = !s.clockRunning;
    cmdToSiren.disabled = !s.clockRunning;
    paces.hidden = s.fullTime;
    ratingRow.hidden = !s.fullTime;
    if (s.fullTime && (startHadFocus || paces.contains(document.activeElement))) cmdOK.focus();
    else if (!s.startEnabled && startHadFocus) chosen.focus();
    root.dataset.clock = s.fullTime ? 'fulltime' : s.clockRunning ? 'running' : 'break';
  }

  // At a break Space starts the next quarter whatever has the focus (a
  // button's own Space, which comes as the key goes up, is the quarter's
  // too); while the clock runs it goes to the control with the focus.
  let spaceTaken = false;
  const onKey = (event: KeyboardEvent): void => {
    if (event.key !== ' ' || document.querySelector('dialog[open]')) return;
    if (!match()?.startEnabled && !(event.repeat && spaceTaken)) return;
    event.preventDefault();
    event.stopPropagation();
    if (event.repeat) return;
    spaceTaken = true;
    void startQuarter();
  };
  const onKeyUp = (event: KeyboardEvent): void => {
    if (event.key !== ' ' || !spaceTaken) return;
    spaceTaken = false;
    event.preventDefault();
    event.stopPropagation();
  };
  document.addEventListener('keydown', onKey, true);
  document.addEventListener('keyup', onKeyUp, true);

  // Play all: the match goes through on its own, at the pace chosen.
  if (control.playThrough) queueMicrotask(() => void (match()?.startEnabled ? startQuarter() : runClock()));

  return {
    root,
    update: show,
    focus: () => cmdStart.focus(),
    leave: () => {
      stopTimer();
      document.removeEventListener('keydown', onKey, true);
      document.removeEventListener('keyup', onKeyUp, true);
    },
  };
}
