// SPDX-License-Identifier: GPL-3.0-or-later
// The career statistics and records: a column for each competition he has
// played in or may, and under each its awards, counted on the awards nights.
// An award list opens over the records, which wait behind it.

import type { StateView } from '../engine/api';
import { openBox } from './about';
import type { Context, Screen } from './context';
import { value } from './context';
import { button, el, frame, setText, valueRow } from './dom';
import { competitionTable, kCompetitions } from './team';
import './info.css';

const kRecordRows: [string, string][] = [
  ['Matches:', 'Matches'],
  ['Disposals:', 'Disposals'],
  ['Goals:', 'Goals'],
  ['Behinds:', 'Behinds'],
  ['Most Disposals:', 'MostDisposals'],
  ['Average Disposals:', 'AverageDisposals'],
  ['Most Goals:', 'MostGoals'],
  ['Average Goals:', 'AverageGoals'],
  ["B.O.G.'s:", 'BOGs'],
];

// Each competition's award list: its box, title, heading, and its lines
// (the value's name, caption and record field).
interface AwardList {
  name: string;
  title: string;
  heading: string;
  lines: [string, string, string][];
}
export const kAwardLists: AwardList[] = [
  {
    name: 'frmLocalAwards',
    title: 'Local Reserves Awards',
    heading: 'Local Reserves League Awards',
    lines: [
      ['lblMVP', 'Most Valuable Player:', 'LocalMVP'],
      ['lblGoals', 'Most Goals:', 'LocalGoalsAward'],
      ['lblRookie', 'Best Rookie:', 'LocalRookie'],
      ['lblU21', 'Best Under-21 Player:', 'LocalU21'],
      ['lblBestAndFairest', 'Club Best and Fairest:', 'LocalBestAndFairest'],
      ['lblAllStar', 'League All-Star Team:', 'LocalAllStar'],
      ['lblCaptain', 'Captain of Club:', 'LocalCaptain'],
    ],
  },
  {
    name: 'frmRegionalAwards',
    title: 'Local Firsts Awards',
    heading: 'Local Firsts League Awards',
    lines: [
      ['lblMVP', 'C.R. Newbury Medal:', 'RegionalMVP'],
      ['lblGoals', 'Most Goals:', 'RegionalGoalsAward'],
      ['lblRookie', 'Best Rookie:', 'RegionalRookie'],
      ['lblU21', 'Best Under-21 Player:', 'RegionalU21'],
      ['lblBestAndFairest', 'Club Best and Fairest:', 'RegionalBestAndFairest'],
      ['lblAllStar', 'League All-Star Team:', 'RegionalAllStar'],
      ['lblCaptain', 'Captain of Club:', 'RegionalCaptain'],
    ],
  },
  {
    name: 'frmStateAwards',
    title: 'State Awards',
    heading: 'State League Awards',
    lines: [
      ['lblMVP', 'J.J. Liston Trophy:', 'StateMVP'],
      ['lblGoals', "'Frosty' Miller Medal:", 'StateGoalsAward'],
      ['lblRookie', 'Norm Goss Medal:', 'StateRookie'],
      ['lblU21', 'Best Under-21 Player:', 'StateU21'],
      ['lblBestAndFairest', 'Club Best and Fairest:', 'StateBestAndFairest'],
      ['lblVictorian', 'Victorian Team:', 'StateVictorian'],
      ['lblCaptain', 'Captain of Club:', 'StateCaptain'],
      ['lblMatches', 'Matches for Victoria:', 'StateMatchesAward'],
    ],
  },
  {
    name: 'frmAFLAwards',
    title: 'AFL Awards',
    heading: 'AFL League Awards',
    lines: [
      ['lblBrownlow', 'Brownlow Medal:', 'AFLBrownlow'],
      ['lblColeman', 'Coleman Medal:', 'AFLColeman'],
      ['lblRisingStar', 'Rising Star Award:', 'AFLRisingStar'],
      ['lblU21', 'Best Under-21 Player:', 'AFLU21'],
      ['lblBestAndFairest', 'Club Best and Fairest:', 'AFLBestAndFairest'],
      ['lblAllAustralian', 'All-Australian Team:', 'AFLAllAustralian'],
      ['lblCaptain', 'Captain of Club:', 'AFLCaptain'],
      ['lblMatches', 'Matches for Australia:', 'AFLMatchesAward'],
    ],
  },
];
const kAwardButtons = ['cmdLocalAwards', 'cmdRegionalAwards', 'cmdStateAwards', 'cmdAFLAwards'];

function openAwards(ctx: Context, owner: HTMLElement, list: AwardList): Promise<void> {
  const state = ctx.state();
  return openBox(owner, list.name, list.title, (ok) => {
    const dl = el('dl', { class: 'awards' });
    for (const [name, caption, field] of list.lines) {
      const [row, shown] = valueRow(caption, name);
      setText(shown, value(state, field));
      dl.append(row);
    }
    return [el('p', { class: 'awards-heading', id: 'lblHeading', text: list.heading }), frame('Awards Won', 'fraAwards', dl), el('div', { class: 'buttons' }, ok)];
  });
}

export function recordsScreen(ctx: Context, back: () => void): Screen {
  const root = el('div', { class: 'screen screen-records', id: 'frmRecords' });
  const lblName = el('dd', { id: 'lblName' });
  const values: [HTMLElement, string][] = [];
  const table = competitionTable('grdRecords', 'Career Statistics', kRecordRows, (prefix, field) => {
    const cell = el('td', { id: `lbl${prefix}${field}` });
    values.push([cell, `${prefix}${field}`]);
    return cell;
  });
  // Each column's awards are one button away, under the column.
  const awards = el('tr', { class: 'awards-row' }, el('td'));
  kCompetitions.forEach((_, c) => {
    const b = button('Awards', kAwardButtons[c], () => void openAwards(ctx, root, kAwardLists[c]));
    // Four buttons of one caption: each is named for its competition.
    b.setAttribute('aria-label', kAwardLists[c].title);
    awards.append(el('td', {}, b));
  });
  table.append(el('tfoot', {}, awards));

  const cmdOK = button('OK', 'cmdOK', back);
  root.addEventListener('keydown', (event) => {
    if (event.key !== 'Escape' || document.querySelector('dialog[open]')) return;
    event.preventDefault();
    cmdOK.click();
  });
  root.append(
    el('h1', { id: 'lblHeading', text: 'CAREER STATISTICS AND RECORDS' }),
    el('dl', { class: 'round-line' }, el('div', { class: 'row' }, el('dt', { text: 'Name:' }), lblName)),
    frame('Career Statistics', 'fraRecords', el('div', { class: 'table-wrap' }, table)),
    el('div', { class: 'buttons' }, cmdOK),
  );

  function update(state: StateView): void {
    setText(lblName, value(state, 'Name'));
    for (const [cell, field] of values) setText(cell, value(state, field));
  }
  return { root, update, focus: () => cmdOK.focus() };
}
