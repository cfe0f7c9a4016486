// SPDX-License-Identifier: GPL-3.0-or-later
// The AFL draft camp and the draft. The camp's Start runs its sessions one at
// a time, each test's result and rank with the recruiters' comments; "Go to
// Draft!" opens the draft, whose button takes the picks until a club takes
// the player. The hub waits for both.

import type { StateView } from '../engine/api';
import type { Context, Screen } from './context';
import { button, el, frame, setText, valueRow } from './dom';

const kTestCaptions = ['Sprints:', 'Standing Jump:', 'Running Jump:', 'Agility:', 'Shuttle:', 'Time Trial:'];

export function campScreen(ctx: Context, toDraft: () => void): Screen {
  const root = el('div', { class: 'screen screen-camp', id: 'frmDraftCamp' });
  const lblName = el('p', { id: 'lblName', class: 'subheading' });
  const lblTest = el('dd', { id: 'lblTest' });
  const [activityRow, lblActivity] = valueRow('Activity:', 'lblActivity');
  const [resultRow, lblResult] = valueRow('Result:', 'lblResult');
  const lblUnit = el('dd', { id: 'lblUnit', class: 'unit' });
  resultRow.append(lblUnit);
  const [rankRow, lblRank] = valueRow('Rank:', 'lblRank', '(Out of 70)');
  const lblComments = el('p', { id: 'lblComments', class: 'comments', 'aria-live': 'polite' });

  const table = el('table', { class: 'grid', id: 'fraTests' });
  table.append(
    el('caption', { class: 'visually-hidden', text: 'Tests' }),
    el('thead', {}, el('tr', {}, el('th', { scope: 'col', text: 'Test' }), el('th', { scope: 'col', text: 'Result' }), el('th', { scope: 'col', text: 'Rank' }))),
  );
  const body = el('tbody');
  const results: HTMLElement[] = [];
  const ranks: HTMLElement[] = [];
  kTestCaptions.forEach((caption, t) => {
    const result = el('td', { id: `lblResult${t + 1}` });
    const rank = el('td', { id: `lblRank${t + 1}` });
    results.push(result);
    ranks.push(rank);
    body.append(el('tr', {}, el('th', { scope: 'row', text: caption }), result, rank));
  });
  table.append(body);
  const lblRankAverage = el('dd', { id: 'lblRankAverage' });

  const cmdStart = button('Begin Camp', 'cmdStart', () => void ctx.run('campStep', {}));
  cmdStart.classList.add('primary');
  const cmdOK = button('Go to Draft!', 'cmdOK', () => void goToDraft());
  cmdOK.classList.add('primary');

  async function goToDraft(): Promise<void> {
    if (!ctx.state().camp?.okEnabled) return;
    // The AFL season is made ready; when it cannot be, the rules say why and the camp stays.
    const r = await ctx.run('goToDraft', {});
    if (r.ok) toDraft();
  }

  root.append(
    el('h1', { text: 'AFL DRAFT CAMP' }),
    lblName,
    el(
      'div',
      { class: 'camp-body' },
      frame(
        'Session',
        'fraSession',
        el('dl', {}, el('div', { class: 'row' }, el('dt', { text: 'Test:' }), lblTest), activityRow, resultRow, rankRow),
        el('p', { class: 'caption', text: "Recruiters' Comments:" }),
        lblComments,
      ),
      el('div', { class: 'side' }, el('div', { class: 'table-wrap' }, table), el('dl', {}, el('div', { class: 'row' }, el('dt', { text: 'Average Rank:' }), lblRankAverage))),
    ),
    el('div', { class: 'buttons' }, cmdStart, cmdOK),
  );

  function update(state: StateView): void {
    const s = state.camp;
    if (!s) return;
    setText(lblName, s.name);
    setText(lblTest, s.test);
    setText(lblActivity, s.activity);
    setText(lblResult, s.result);
    setText(lblUnit, s.unit);
    setText(lblRank, s.rank);
    setText(lblComments, s.comments);
    s.rows.forEach((row, t) => {
      if (!results[t]) return;
      setText(results[t], row.result ? `${row.result} ${row.unit}` : '');
      setText(ranks[t], row.result ? row.rank : '');
    });
    setText(lblRankAverage, s.rankAverage);
    setText(cmdStart, s.startCaption);
    cmdStart.disabled = !s.startEnabled;
    cmdOK.disabled = !s.okEnabled;
    if (s.okEnabled && document.activeElement === cmdStart) cmdOK.focus();
  }

  return { root, update, focus: () => cmdStart.focus() };
}

export function draftScreen(ctx: Context, finished: () => void): Screen {
  const root = el('div', { class: 'screen screen-draft', id: 'frmDraft' });
  const lblName = el('p', { id: 'lblName', class: 'subheading' });
  const [pickRow, lblPick] = valueRow('Pick:', 'lblPick');
  const [roundRow, lblRound] = valueRow('Round:', 'lblRound');
  const [teamRow, lblTeam] = valueRow('Team:', 'lblTeam');
  const cmdPick = button('Begin Draft', 'cmdPick', () => void pick());
  cmdPick.classList.add('primary');

  async function pick(): Promise<void> {
    if (!ctx.state().draft) return;
    // A pick may bring the club's message; the last brings the papers.
    await ctx.run('draftPick', {});
    if (!ctx.state().draft) finished();
  }

  // The clubs' order of picking, the club on the clock in bold and read as
  // picking now.
  const orderList = el('ol', { class: 'draft-order', id: 'lstDraftOrder' });
  const orderRows: HTMLLIElement[] = [];

  root.append(
    el('h1', { text: 'AFL DRAFT' }),
    lblName,
    el('div', { class: 'draft-frames' }, frame('Pick', 'fraPick', el('dl', {}, pickRow, roundRow, teamRow)), frame('Draft Order', 'fraDraftOrder', orderList)),
    el('div', { class: 'buttons' }, cmdPick),
  );

  function update(state: StateView): void {
    const s = state.draft;
    if (!s) return;
    if (s.name) setText(lblName, s.name);
    setText(lblPick, s.pick);
    setText(lblRound, s.round);
    setText(lblTeam, s.team);
    setText(cmdPick, s.pickCaption);
    s.order.forEach((club, i) => {
      if (!orderRows[i]) {
        orderRows[i] = el('li', {});
        orderList.append(orderRows[i]);
      }
      const row = orderRows[i];
      setText(row, club);
      const current = i + 1 === s.slot;
      row.classList.toggle('current', current);
      if (current) row.setAttribute('aria-current', 'true');
      else row.removeAttribute('aria-current');
    });
  }

  return { root, update, focus: () => cmdPick.focus() };
}
