// SPDX-License-Identifier: GPL-3.0-or-later
// The start screen: Continue (the last career played in this browser), New
// Career and Load Career, and the hall of fame of every career in the
// browser's storage, each opening its Career screen.

import type { StateView } from '../engine/api';
import type { HallOfFameRow } from '../engine/api_looking_back';
import './career.css';
import type { Context, Screen } from './context';
import { button, clear, el, setText } from './dom';

// The hall of fame's columns: the longer headings take two lines, leaving
// the room to the names.
const kHallHeadings = ['Career', 'Player', 'Seasons', 'Matches', 'Goals', 'Brownlow\nMedals', 'Highest\ncompetition', 'Peak\nOverall'];
const kEmptyHall = 'No careers yet. Every career saved in the data folder, finished or not, is listed here.';
const kLateLog = 'His log begins after his first week: the peak is of the weeks it holds and of his overall now.';

// What a column sorts by: a number as a number, a competition by its level,
// a name without regard to case.
function sortKey(row: HallOfFameRow, column: number): string | number {
  switch (column) {
    case 0:
      return row.career;
    case 1:
      return row.damaged ? '' : (row.player ?? '');
    case 2:
      return row.seasons ?? -1;
    case 3:
      return row.matches ?? -1;
    case 4:
      return row.goals ?? -1;
    case 5:
      return row.brownlows ?? -1;
    case 6:
      return row.level ?? -1;
    default:
      return row.peakOverall ?? -1;
  }
}

export function sortHall(rows: HallOfFameRow[], column: number, ascending: boolean): HallOfFameRow[] {
  const sign = ascending ? 1 : -1;
  return [...rows].sort((a, b) => {
    const x = sortKey(a, column);
    const y = sortKey(b, column);
    const order = typeof x === 'number' && typeof y === 'number' ? x - y : String(x).localeCompare(String(y), undefined, { sensitivity: 'base' });
    return sign * order;
  });
}

// The hall of fame's table, sortable by a click on any heading.
function hallOfFame(ctx: Context): HTMLElement {
  const section = el('section', { class: 'hall', 'aria-labelledby': 'lblHallOfFame' });
  const heading = el('h2', { id: 'lblHallOfFame', text: 'Hall of Fame' });
  const body = el('tbody');
  const heads = kHallHeadings.map((h, i) => {
    const sort = el('button', { type: 'button', class: 'sort', text: h });
    sort.addEventListener('click', () => {
      ascending = column === i ? !ascending : true;
      column = i;
      draw();
    });
    return el('th', { scope: 'col' }, sort);
  });
  const table = el('table', { class: 'grid', id: 'grdCareers', 'aria-labelledby': 'lblHallOfFame' }, el('thead', {}, el('tr', {}, ...heads)), body);
  const empty = el('p', { class: 'hall-empty', id: 'lblNoCareers', text: kEmptyHall, hidden: true });
  section.append(heading, el('div', { class: 'table-wrap' }, table), empty);
  let rows: HallOfFameRow[] = [];
  let column = 0;
  let ascending = true;

  function draw(): void {
    heads.forEach((th, i) => {
      if (i === column) th.setAttribute('aria-sort', ascending ? 'ascending' : 'descending');
      else th.removeAttribute('aria-sort');
    });
    clear(body);
    const fragment = document.createDocumentFragment();
    for (const row of sortHall(rows, column, ascending)) {
      const open = el('button', { type: 'button', class: 'cell-button', text: row.career, 'data-career': row.career });
      open.addEventListener('click', () => ctx.go('career', row.career));
      const tr = el('tr', {}, el('th', { scope: 'row' }, open));
      if (row.damaged) {
        // Only the sentence: the totals of a file that cannot be read are not his.
        tr.append(el('td', { class: 'damaged', colspan: kHallHeadings.length - 1, text: row.damaged }));
      } else {
        // Each cell names its column, for the phone's rows of captioned values.
        const label = (column: number) => kHallHeadings[column].replace('\n', ' ');
        const number = (value: number | undefined, column: number) => el('td', { class: 'number', 'data-label': label(column), text: String(value ?? 0) });
        const peak = number(row.peakOverall, 7);
        if (row.logStartsLate) peak.title = kLateLog;
        tr.append(
          el('td', { class: 'player', 'data-label': label(1), text: row.retired ? `${row.player} (retired)` : (row.player ?? '') }),
          number(row.seasons, 2),
          number(row.matches, 3),
          number(row.goals, 4),
          number(row.brownlows, 5),
          el('td', { 'data-label': label(6), text: row.highestCompetition ?? '' }),
          peak,
        );
      }
      tr.addEventListener('dblclick', () => ctx.go('career', row.career));
      fragment.append(tr);
    }
    body.append(fragment);
    empty.hidden = rows.length > 0;
    table.hidden = rows.length === 0;
  }

  section.dataset.ready = 'false';
  void ctx.run('hallOfFame', {}).then((read) => {
    rows = read.rows;
    draw();
    section.dataset.ready = 'true';
  });
  return section;
}

export function startScreen(ctx: Context): Screen {
  const root = el('div', { class: 'screen screen-start', id: 'frmStart' });
  const last = ctx.lastCareer();
  const cmdContinue = button('Continue', 'cmdContinue', () => void load(last ?? ''));
  const lblContinue = el('p', { class: 'bare', id: 'lblContinue' });
  const lblLoadError = el('p', { class: 'error', id: 'lblLoadError', role: 'alert' });
  const cmdNew = button('New Career', 'cmdNew', () => ctx.go('setup'));
  cmdNew.classList.add('primary');
  const cmdLoad = button('Load Career', 'cmdLoad', () => void loadFromChoice());

  cmdContinue.hidden = !last;
  lblContinue.hidden = !last;
  if (last) setText(lblContinue, last);

  async function loaded(outcome: string, error: string): Promise<void> {
    if (outcome === 'loaded') {
      setText(lblLoadError, '');
      ctx.go('hub');
    } else if (outcome === 'failed') {
      setText(lblLoadError, error);
    }
  }
  async function load(name: string): Promise<void> {
    const r = await ctx.run('load', { career: name });
    await loaded(r.outcome, r.error);
  }
  async function loadFromChoice(): Promise<void> {
    const r = await ctx.run('loadFromChoice', {});
    await loaded(r.outcome, r.error);
  }

  root.append(
    el('h1', { id: 'lblTitle', text: 'Kickmark' }),
    el(
      'div',
      { class: 'start-buttons' },
      el('div', { class: 'continue' }, cmdContinue, lblContinue),
      cmdNew,
      cmdLoad,
    ),
    lblLoadError,
    hallOfFame(ctx),
  );
  return {
    root,
    update(_state: StateView) {},
    focus: () => (last ? cmdContinue : cmdNew).focus(),
  };
}
