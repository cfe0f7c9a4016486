// SPDX-License-Identifier: GPL-3.0-or-later
// The round screen: the round's matches with their quarter scores, the other
// clubs' match as it is played out, Start (the next match), Play all, and OK
// once every match has been played.

import type { RoundSlotView, StateView } from '../engine/api';
import type { Context, Screen } from './context';
import { button, el, setText } from './dom';
import { choosePosition } from './dialogs';

const kQuarterHeads = ['1st', '2nd', '3rd', '4th'];
const kMatchesPerRound = 8;

interface SlotCells {
  row: HTMLElement[];
  team: HTMLElement[];
  goals: HTMLElement[][];
  behinds: HTMLElement[][];
  points: HTMLElement[];
}

const kBlank: RoundSlotView = {
  teamOne: '',
  teamTwo: '',
  goalsOne: [0, 0, 0, 0],
  behindsOne: [0, 0, 0, 0],
  goalsTwo: [0, 0, 0, 0],
  behindsTwo: [0, 0, 0, 0],
  pointsOne: 0,
  pointsTwo: 0,
  colourOne: 'other',
  colourTwo: 'other',
};

export interface RoundControl {
  // Play all goes on once the player's match is back in its slot.
  playingAll: boolean;
}

export function roundScreen(ctx: Context, control: RoundControl): Screen & { playOn(): Promise<void> } {
  const root = el('div', { class: 'screen screen-round', id: 'frmMatchRound' });
  const lblTitle = el('h1', { id: 'lblTitle' });
  const lblLeague = el('dd', { id: 'lblLeague' });
  const lblRound = el('dd', { id: 'lblRound' });

  // One table of the round: a row for each club, two rows a match.
  const table = el('table', { class: 'grid round-table', id: 'fraSlots' });
  table.append(el('caption', { class: 'visually-hidden', text: 'The round' }));
  const top = el('tr', {}, el('td', { class: 'blank' }));
  const sub = el('tr', {}, el('th', { scope: 'col', text: 'Club' }));
  for (const q of kQuarterHeads) {
    top.append(el('th', { scope: 'colgroup', colspan: 2, text: q }));
    sub.append(el('th', { scope: 'col', 'aria-label': `${q} quarter goals`, text: 'G' }));
    sub.append(el('th', { scope: 'col', 'aria-label': `${q} quarter behinds`, text: 'B' }));
  }
  top.append(el('td', { class: 'blank' }));
  sub.append(el('th', { scope: 'col', text: 'Points' }));
  table.append(el('thead', {}, top, sub));
  const slots: SlotCells[] = [];
  for (let s = 0; s < kMatchesPerRound; ++s) {
    const body = el('tbody', { id: `fraSlot${s + 1}`, class: 'slot' });
    const cells: SlotCells = { row: [], team: [], goals: [[], []], behinds: [[], []], points: [] };
    const suffix = s === 0 ? '' : String(s + 1);
    for (const [side, which] of [[0, 'One'], [1, 'Two']] as [number, string][]) {
      const tr = el('tr');
      const team = el('th', { scope: 'row', id: `lblTeam${which}${suffix}`, class: 'team' });
      tr.append(team);
      for (let q = 0; q < 4; ++q) {
        const g = el('td', { id: `lblGoals${which}${q + 1}${suffix}` });
        const b = el('td', { id: `lblBehinds${which}${q + 1}${suffix}` });
        cells.goals[side].push(g);
        cells.behinds[side].push(b);
        tr.append(g, b);
      }
      const p = el('td', { id: `lblPoints${which}${suffix}`, class: 'points' });
      tr.append(p);
      cells.row.push(tr);
      cells.team.push(team);
      cells.points.push(p);
      body.append(tr);
    }
    slots.push(cells);
    table.append(body);
  }

  // The other clubs' match while it is played out.
  const board = el('table', { class: 'grid round-board', id: 'fraRoundScoreboard' });
  board.append(el('caption', { class: 'visually-hidden', text: 'Match being played' }));
  board.append(
    el(
      'thead',
      {},
      el('tr', {}, el('th', { scope: 'col', text: 'Club' }), el('th', { scope: 'col', text: 'G' }), el('th', { scope: 'col', text: 'B' }), el('th', { scope: 'col', text: 'Points' })),
    ),
  );
  const boardCells: HTMLElement[][] = [];
  const boardBody = el('tbody');
  for (const which of ['1', '2']) {
    const line = [el('th', { scope: 'row', id: `lblT${which}` }), el('td', { id: `lblGoals${which === '1' ? 'One' : 'Two'}` }), el('td', { id: `lblBehinds${which === '1' ? 'One' : 'Two'}` }), el('td', { id: `lblP${which}` })];
    boardCells.push(line);
    boardBody.append(el('tr', {}, ...line));
  }
  board.append(boardBody);
  const lblQuarter = el('dd', { id: 'lblQuarter' });
  const lblTime = el('dd', { id: 'lblTime' });
  const boardWrap = el(
    'div',
    { class: 'round-board-wrap' },
    board,
    el('dl', { class: 'clock' }, el('div', { class: 'row' }, el('dt', { text: 'Quarter:' }), lblQuarter), el('div', { class: 'row' }, el('dt', { text: 'Time:' }), lblTime)),
  );

  const cmdPlayAll = button('Play all', 'cmdPlayAll', () => void playAll());
  const cmdStart = button('Start', 'cmdStart', () => void start());
  const cmdOK = button('OK', 'cmdOK', () => void ok());
  cmdStart.classList.add('primary');

  async function start(): Promise<boolean> {
    const state = ctx.state();
    if (!state.round?.startEnabled || state.match) return false;
    const r = await ctx.run('startNextMatch', {});
    if (r.matchOpened) {
      ctx.go('match');
      return true;
    }
    return false;
  }
  async function playOn(): Promise<void> {
    // Start, match after match, as the player would press it; his own match
    // goes to the match screen and the rest follow once he is back.
    while (control.playingAll) {
      const state = ctx.state();
      if (!state.round?.startEnabled) {
        control.playingAll = false;
      } else if (state.match) {
        return;
      } else if (await start()) {
        return;
      }
    }
  }
  async function playAll(): Promise<void> {
    if (!ctx.state().round?.startEnabled || ctx.state().match) return;
    control.playingAll = true;
    await playOn();
  }
  async function ok(): Promise<void> {
    if (!ctx.state().round?.okEnabled || ctx.state().match) return;
    // The ladder, the season's end, the results and the save; messages and
    // the papers may come on the way.
    await ctx.run('finishRound', {});
    // He said Yes to a new position at the season's end: he picks it now,
    // until the rules take his pick or he cancels.
    if (ctx.state().run.positionChangeDue) {
      const { positions } = await ctx.run('setupLists', {});
      for (;;) {
        const position = await choosePosition(positions);
        if (position === null) {
          await ctx.run('keepPosition', {});
          break;
        }
        if ((await ctx.run('changePosition', { position })).ok) break;
      }
    }
    ctx.go('hub');
  }

  root.append(
    lblTitle,
    el('dl', { class: 'round-line' }, el('div', { class: 'row' }, el('dt', { text: 'League:' }), lblLeague), el('div', { class: 'row' }, el('dt', { text: 'Round:' }), lblRound)),
    el('div', { class: 'table-wrap' }, table),
    el('div', { class: 'round-bottom' }, boardWrap, el('div', { class: 'buttons' }, cmdPlayAll, cmdStart, cmdOK)),
  );

  function update(state: StateView): void {
    const round = state.round;
    if (!round) return;
    setText(lblTitle, round.title);
    setText(lblLeague, round.league);
    setText(lblRound, round.roundNumber);
    // The player's match while the match screen has it is not played yet.
    const playingSlot = state.match ? state.match.matchIndex : -1;
    for (let s = 0; s < kMatchesPerRound; ++s) {
      const cells = slots[s];
      const slot = state.run.slots[s] ?? kBlank;
      const played = s < round.next && s !== playingSlot;
      const shown = played ? slot : { ...kBlank, teamOne: slot.teamOne, teamTwo: slot.teamTwo };
      cells.row[0].parentElement!.hidden = s >= round.matchCount;
      const sides = [
        [shown.teamOne, shown.goalsOne, shown.behindsOne, shown.pointsOne, slot.colourOne],
        [shown.teamTwo, shown.goalsTwo, shown.behindsTwo, shown.pointsTwo, slot.colourTwo],
      ] as const;
      sides.forEach(([team, goals, behinds, points, colour], side) => {
        setText(cells.team[side], team);
        for (let q = 0; q < 4; ++q) {
          setText(cells.goals[side][q], goals[q] ?? 0);
          setText(cells.behinds[side][q], behinds[q] ?? 0);
        }
        setText(cells.points[side], points);
        cells.team[side].dataset.colour = colour;
        // Colour is not the only sign: the player's club and the next match are marked.
        cells.team[side].dataset.mark = colour === 'player' ? 'your club' : colour === 'next' ? 'next match' : '';
      });
    }
    const b = round.scoreboard;
    const rows = [
      [b.teamOne, b.goalsOne, b.behindsOne, b.pointsOne],
      [b.teamTwo, b.goalsTwo, b.behindsTwo, b.pointsTwo],
    ];
    rows.forEach((line, side) => line.forEach((v, i) => setText(boardCells[side][i], v)));
    setText(lblQuarter, b.quarter);
    setText(lblTime, b.time);
    boardWrap.hidden = b.teamOne === '';
    cmdOK.hidden = !round.okEnabled;
    cmdOK.disabled = !round.okEnabled;
    cmdStart.disabled = !round.startEnabled;
    cmdPlayAll.disabled = !round.startEnabled;
    if (round.okEnabled && document.activeElement === cmdStart) cmdOK.focus();
  }

  return { root, update, playOn, focus: () => (ctx.state().round?.okEnabled ? cmdOK : cmdStart).focus() };
}
