// SPDX-License-Identifier: GPL-3.0-or-later
// The team page (Team Details), the hub's other half: who he plays for and
// how the club's season goes, and from it the ladder, the team's records and
// the fixture and results. The club's own frames (its operation, its coach,
// its money) are not run by the player: they keep the blanks they have
// always had, and the club's PLAY, Training, Sponsorship and Management do
// nothing.

import type { BrowsedRoundView, LadderLineView, RoundSlotView, StateView } from '../engine/api';
import { openAbout } from './about';
import type { Context, Screen } from './context';
import { value } from './context';
import { askYesNo } from './dialogs';
import { button, el, frame, setText, valueRow } from './dom';
import './info.css';

const kQuitQuestion = 'Are you sure you want to quit ?';
const kQuitTitle = 'Kickmark Exit';
// The club's bank balance as the team page has always shown it.
const kClubBankBalance = '50000';

const kInformation: [string, string, string][] = [
  ['Name:', 'lblName', 'Name'],
  ['Team:', 'lblTeam', 'Team'],
  ['State:', 'lblState', 'State'],
  ['League:', 'lblLeague', 'League'],
];
const kSeason: [string, string, string][] = [
  ['Matches:', 'lblMatches', 'TeamMatches'],
  ['Wins:', 'lblWins', 'TeamWins'],
  ['Losses:', 'lblLosses', 'TeamLosses'],
  ['Draws:', 'lblDraws', 'TeamDraws'],
  ['Goals:', 'lblGoals', 'TeamGoals'],
  ['Behinds:', 'lblBehinds', 'TeamBehinds'],
];
const kTeamOperation: [string, string][] = [
  ['Training Setup:', 'pbTrainingSetup'],
  ['Match Gear:', 'pbMatchGear'],
  ['Dietary Plan:', 'pbDietryPlan'],
  ['Motivation:', 'pbMotivation'],
  ['Overall:', 'pbTeamOverall'],
];
const kCoachSkill: [string, string][] = [
  ['Training:', 'pbTraining'],
  ['Strategy:', 'pbStrategy'],
  ['Inspiration:', 'pbInspiration'],
  ['Overall:', 'pbCoachOverall'],
];
const kClubFinances: [string, string, string][] = [
  ['Match Earnings:', 'lblMatchEarnings', ''],
  ['Sponsorship:', 'lblSponsorship', ''],
  ['Other Income:', 'lblOtherIncome', ''],
  ['Bank Balance:', 'lblBankBalance', kClubBankBalance],
];

// The screens the team page opens hand back to it with OK; Enter on OK and
// Escape anywhere are OK, as on the desktop.
function okOnEscape(root: HTMLElement, ok: HTMLButtonElement): void {
  root.addEventListener('keydown', (event) => {
    if (event.key !== 'Escape' || document.querySelector('dialog[open]')) return;
    event.preventDefault();
    ok.click();
  });
}

// A bar that nothing fills in: it stands at nought.
function blankBars(rows: [string, string][]): HTMLElement {
  const dl = el('dl', { class: 'bars' });
  for (const [caption, name] of rows) {
    const meter = el(
      'span',
      { id: name, 'data-name': name, role: 'meter', 'aria-valuemin': 0, 'aria-valuemax': 100, 'aria-valuenow': 0, 'aria-labelledby': `${name}-caption`, class: 'bar' },
      el('span', { class: 'fill' }),
      el('span', { class: 'figure', text: '0' }),
    );
    // The bar stands inside its description, as the hub's do.
    dl.append(el('div', { class: 'row' }, el('dt', { id: `${name}-caption`, text: caption }), el('dd', {}, meter)));
  }
  return dl;
}

export interface TeamMemory {
  // The league position last shown: a club on no row of the ladder keeps it.
  position: string;
}

export function teamScreen(ctx: Context, memory: TeamMemory): Screen {
  const root = el('div', { class: 'screen screen-team', id: 'frmTeam' });
  const values: [HTMLElement, string][] = [];
  const list = (rows: [string, string, string][]): HTMLElement => {
    const dl = el('dl');
    for (const [caption, name, field] of rows) {
      const [row, shown] = valueRow(caption, name);
      values.push([shown, field]);
      dl.append(row);
    }
    return dl;
  };
  const season = list(kSeason);
  const [positionRow, lblPosition] = valueRow('League Position:', 'lblPosition');
  season.append(positionRow);
  setText(lblPosition, memory.position);

  const finances = el('dl', { class: 'money' });
  for (const [caption, name, shown] of kClubFinances) {
    finances.append(
      el('div', { class: 'row' }, el('dt', { text: caption }), el('dd', { class: 'dollar', text: '$' }), el('dd', { id: name, 'data-name': name, text: shown })),
    );
  }

  // The club's buttons: there for the club, nothing for the player to do.
  const idle = (caption: string, name: string): HTMLButtonElement => {
    const b = button(caption, name, () => undefined);
    b.title = 'The club runs this: nothing happens.';
    return b;
  };
  const cmdCareerDetails = button('CAREER DETAILS', 'cmdCareerDetails', () => ctx.go('hub'));
  const cmdLadder = button('Ladder', 'cmdLadder', () => ctx.go('ladder'));
  const cmdResults = button('Fixture and Results', 'cmdResults', () => ctx.go('results'));
  const cmdRecords = button('Records', 'cmdRecords', () => ctx.go('teamRecords'));
  const cmdAbout = button('About', 'cmdAbout', () => void openAbout(ctx, root, 'frmAboutTeam'));
  const cmdExit = button('Exit', 'cmdExit', () => void exit());
  async function exit(): Promise<void> {
    if (!(await askYesNo(kQuitQuestion, kQuitTitle))) return;
    await ctx.run('quit', {});
    ctx.go('start');
  }

  root.append(
    el('h1', { id: 'lblHeading', text: 'Team Details' }),
    el(
      'div',
      { class: 'team-frames' },
      el(
        'div',
        { class: 'column' },
        frame('Team Information', 'fraTeamInformation', list(kInformation)),
        frame('Season Statistics', 'fraSeasonStatistics', season),
        el('div', { class: 'hub-play' }, idle('PLAY', 'cmdPlay'), cmdCareerDetails),
      ),
      el(
        'div',
        { class: 'column' },
        frame('Team Operation', 'fraTeamOperation', blankBars(kTeamOperation)),
        frame('Coach Skill', 'fraCoachSkill', blankBars(kCoachSkill)),
        frame('Finances', 'fraFinances', finances),
      ),
    ),
    el(
      'nav',
      { class: 'hub-week', 'aria-label': 'The club' },
      idle('Training', 'cmdStore'),
      idle('Sponsorship', 'cmdSponsorship'),
      idle('Management', 'cmdManagement'),
      cmdLadder,
      cmdResults,
      cmdRecords,
      cmdAbout,
      cmdExit,
    ),
  );

  // The underlined letters of the desktop's buttons, wherever the focus is.
  const letters: Record<string, HTMLButtonElement> = { l: cmdLadder, f: cmdResults, r: cmdRecords, a: cmdAbout };
  root.addEventListener('keydown', (event) => {
    if (event.ctrlKey || event.metaKey || event.altKey || event.repeat) return;
    const target = letters[event.key.toLowerCase()];
    if (!target || document.querySelector('dialog[open]')) return;
    event.preventDefault();
    target.click();
  });
  root.tabIndex = -1;

  function update(state: StateView): void {
    if (!state.career) return;
    for (const [shown, field] of values) setText(shown, value(state, field));
  }

  // The league position from the ladder as it stands now.
  void ctx.run('ladder', { previous: memory.position }).then((r) => {
    memory.position = r.position;
    setText(lblPosition, r.position);
  });

  return { root, update, focus: () => cmdCareerDetails.focus() };
}

// The ladder of his competition, his club marked.
export function ladderScreen(ctx: Context, back: () => void): Screen {
  const root = el('div', { class: 'screen screen-ladder', id: 'frmLadder' });
  const lblTitle = el('h1', { id: 'lblTitle' });
  const heads: [string, string][] = [
    ['Position', 'Pos'],
    ['Team', 'Team'],
    ['Played', 'P'],
    ['Wins', 'W'],
    ['Losses', 'L'],
    ['Draws', 'D'],
    ['For', 'F'],
    ['Against', 'A'],
    ['%', '%'],
    ['Points', 'Pts'],
  ];
  const table = el('table', { class: 'grid ladder-table', id: 'grdLadder', 'aria-labelledby': 'lblTitle' });
  // A phone shows the columns' short names; a reader hears the long ones.
  table.append(
    el(
      'thead',
      {},
      el(
        'tr',
        {},
        ...heads.map(([long, short]) =>
          el('th', { scope: 'col', 'aria-label': long }, el('span', { class: 'long', text: long }), el('span', { class: 'short', 'aria-hidden': 'true', text: short })),
        ),
      ),
    ),
  );
  const body = el('tbody');
  table.append(body);
  const cmdOK = button('OK', 'cmdOK', back);
  okOnEscape(root, cmdOK);
  root.append(lblTitle, el('div', { class: 'table-wrap' }, table), el('div', { class: 'buttons' }, cmdOK));

  function show(title: string, rows: LadderLineView[]): void {
    setText(lblTitle, title);
    document.title = title;
    body.replaceChildren(
      ...rows.map((r) => {
        const cells = [r.played, r.wins, r.losses, r.draws, r.for, r.against, r.percentage, r.points];
        const tr = el(
          'tr',
          { class: r.own ? 'own' : undefined },
          el('td', { text: r.position }),
          el('th', { scope: 'row', class: 'team', text: r.team }),
          ...cells.map((c) => el('td', { text: String(c) })),
        );
        // Bold is not the only sign: a reader hears it is his club.
        if (r.own) tr.setAttribute('aria-label', `${r.team}, your club`);
        return tr;
      }),
    );
  }
  void ctx.run('ladder', {}).then((r) => show(r.title, r.rows));
  return { root, update: () => undefined, focus: () => cmdOK.focus() };
}

// The club's records: captions and blanks, as the club keeps none.
const kTeamRecordRows: [string, string][] = [
  ['Matches:', 'Matches'],
  ['Wins:', 'Wins'],
  ['Losses:', 'Losses'],
  ['Draws:', 'Draws'],
  ['Biggest Win:', 'BiggestWin'],
  ['Accuracy %:', 'Accuracy'],
  ['Biggest Loss:', 'BiggestLoss'],
  ['Finals Series:', 'FinalsSeries'],
  ['Premierships:', 'Premierships'],
];
export const kCompetitions: [string, string][] = [
  ['Local Reserves', 'Local'],
  ['Local Firsts', 'Regional'],
  ['State', 'State'],
  ['AFL', 'AFL'],
];

// A table of the four competitions' columns under "Level:".
export function competitionTable(name: string, title: string, rows: [string, string][], cell: (prefix: string, field: string) => HTMLElement): HTMLTableElement {
  const table = el('table', { class: 'grid records-table', id: name }, el('caption', { class: 'visually-hidden', text: title }));
  table.append(
    el('thead', {}, el('tr', {}, el('th', { scope: 'col', text: 'Level:' }), ...kCompetitions.map(([level]) => el('th', { scope: 'col', text: level })))),
  );
  const body = el('tbody');
  for (const [caption, field] of rows) {
    body.append(el('tr', {}, el('th', { scope: 'row', text: caption }), ...kCompetitions.map(([, prefix]) => cell(prefix, field))));
  }
  table.append(body);
  return table;
}

export function teamRecordsScreen(back: () => void): Screen {
  const root = el('div', { class: 'screen screen-records', id: 'frmRecordsTeam' });
  const cmdOK = button('OK', 'cmdOK', back);
  okOnEscape(root, cmdOK);
  root.append(
    el('h1', { id: 'lblHeading', text: 'TEAM STATISTICS AND RECORDS' }),
    frame(
      'Team Statistics',
      'fraRecords',
      el('div', { class: 'table-wrap' }, competitionTable('grdTeamRecords', 'Team Statistics', kTeamRecordRows, (prefix, field) => el('td', { id: `lbl${prefix}${field}` }))),
    ),
    el('div', { class: 'buttons' }, cmdOK),
  );
  return { root, update: () => undefined, focus: () => cmdOK.focus() };
}

const kQuarterHeads = ['1st', '2nd', '3rd', '4th'];

// The fixture and results: a round of the season at a time, his line of it
// and its matches, his club's marked.
export function resultsScreen(ctx: Context, back: () => void): Screen {
  const root = el('div', { class: 'screen screen-results', id: 'frmResults' });
  const lblName = el('dd', { id: 'lblName' });
  const lblTeam = el('dd', { id: 'lblTeam' });
  const hsbRound = el('input', { type: 'range', id: 'hsbRound', min: 1, max: 26, step: 1, 'aria-labelledby': 'lblRoundCaption' });
  const lblRound = el('output', { id: 'lblRound', for: 'hsbRound' });
  const lblRoundTitle = el('p', { id: 'lblRoundTitle', class: 'bare', 'aria-live': 'polite' });
  const cmdPrevious = button('<', 'cmdPreviousRound', () => step(-1));
  const cmdNext = button('>', 'cmdNextRound', () => step(1));
  cmdPrevious.setAttribute('aria-label', 'Previous round');
  cmdNext.setAttribute('aria-label', 'Next round');
  const lblError = el('p', { id: 'lblError', class: 'error', role: 'alert', hidden: true });

  const figures: [string, string, keyof NonNullable<BrowsedRoundView['player']>][] = [
    ['Disposals:', 'lblDisposals', 'disposals'],
    ['Goals:', 'lblGoals', 'goals'],
    ['Behinds:', 'lblBehinds', 'behinds'],
    ['Rating:', 'lblMatchRating', 'matchRating'],
    ['Position:', 'lblPosition', 'position'],
  ];
  const playerValues: [HTMLElement, keyof NonNullable<BrowsedRoundView['player']>][] = [];
  const playerList = el('dl', { class: 'results-player' });
  for (const [caption, name, key] of figures) {
    const [row, shown] = valueRow(caption, name);
    playerValues.push([shown, key]);
    playerList.append(row);
  }
  const fraPlayer = frame('Player', 'fraResultsPlayer', playerList);

  // The round's matches, two rows a match, as the round screen has them.
  const table = el('table', { class: 'grid round-table', id: 'fraSlots' });
  table.append(el('caption', { class: 'visually-hidden', text: 'The round\u2019s matches' }));
  const top = el('tr', {}, el('td', { class: 'blank' }));
  const sub = el('tr', {}, el('th', { scope: 'col', text: 'Club' }));
  for (const q of kQuarterHeads) {
    top.append(el('th', { scope: 'colgroup', colspan: 2, text: q }));
    sub.append(el('th', { scope: 'col', 'aria-label': `${q} quarter goals`, text: 'G' }), el('th', { scope: 'col', 'aria-label': `${q} quarter behinds`, text: 'B' }));
  }
  top.append(el('td', { class: 'blank' }));
  sub.append(el('th', { scope: 'col', text: 'Points' }));
  table.append(el('thead', {}, top, sub));
  const slotBodies: HTMLTableSectionElement[] = [];
  for (let s = 0; s < 8; ++s) {
    const tbody = el('tbody', { class: 'slot', id: `fraSlot${s + 1}` });
    slotBodies.push(tbody);
    table.append(tbody);
  }
  const tableWrap = el('div', { class: 'table-wrap' }, table);

  const cmdOK = button('OK', 'cmdOK', back);
  okOnEscape(root, cmdOK);

  root.append(
    el('div', { class: 'results-head' }, el('h1', { id: 'lblHeading', text: 'Fixture and Results' }), el('dl', { class: 'round-line' }, el('div', { class: 'row' }, el('dt', { text: 'Name:' }), lblName), el('div', { class: 'row' }, el('dt', { text: 'Team:' }), lblTeam))),
    el(
      'div',
      { class: 'results-round' },
      el('span', { class: 'results-round-number' }, el('span', { id: 'lblRoundCaption', class: 'caption', text: 'Round:' }), lblRound),
      el('span', { class: 'results-stepper' }, cmdPrevious, hsbRound, cmdNext),
      lblRoundTitle,
    ),
    fraPlayer,
    lblError,
    tableWrap,
    el('div', { class: 'buttons' }, cmdOK),
  );

  function sideRow(slot: RoundSlotView, side: 0 | 1, played: boolean, suffix: string): HTMLTableRowElement {
    const which = side === 0 ? 'One' : 'Two';
    const team = side === 0 ? slot.teamOne : slot.teamTwo;
    const goals = side === 0 ? slot.goalsOne : slot.goalsTwo;
    const behinds = side === 0 ? slot.behindsOne : slot.behindsTwo;
    const colour = side === 0 ? slot.colourOne : slot.colourTwo;
    const th = el('th', { scope: 'row', class: 'team', id: `lblTeam${which}${suffix}`, text: team, 'data-colour': colour, 'data-mark': colour === 'player' ? 'your club' : '' });
    const tr = el('tr', {}, th);
    for (let q = 0; q < 4; ++q) {
      tr.append(el('td', { id: `lblGoals${which}${q + 1}${suffix}`, text: String(goals[q] ?? 0) }), el('td', { id: `lblBehinds${which}${q + 1}${suffix}`, text: String(behinds[q] ?? 0) }));
    }
    tr.append(el('td', { class: 'points', id: `lblPoints${which}${suffix}`, text: String(side === 0 ? slot.pointsOne : slot.pointsTwo) }));
    tr.dataset.played = played ? 'true' : 'false';
    return tr;
  }

  let shownRound = 0;
  async function browse(round?: number): Promise<void> {
    const r = await ctx.run('browseRound', round === undefined ? {} : { round });
    shownRound = r.round;
    hsbRound.max = String(r.rounds);
    hsbRound.value = String(r.round);
    hsbRound.setAttribute('aria-valuetext', `${r.round}, ${r.roundTitle}`);
    setText(lblRound, r.round);
    setText(lblRoundTitle, r.roundTitle);
    cmdPrevious.disabled = r.round <= 1;
    cmdNext.disabled = r.round >= r.rounds;
    // A season file that cannot be read is named here; nothing else shows.
    lblError.hidden = r.error === undefined;
    setText(lblError, r.error ?? '');
    fraPlayer.hidden = r.error !== undefined;
    tableWrap.hidden = r.error !== undefined;
    if (r.error !== undefined || !r.player || !r.slots) return;
    for (const [shown, key] of playerValues) setText(shown, r.player[key]);
    r.slots.forEach((slot, s) => {
      const suffix = s === 0 ? '' : String(s + 1);
      slotBodies[s].replaceChildren(sideRow(slot, 0, r.played === true, suffix), sideRow(slot, 1, r.played === true, suffix));
      slotBodies[s].hidden = s >= (r.matchCount ?? 8);
    });
  }
  function step(by: number): void {
    const next = shownRound + by;
    if (next >= 1 && next <= Number(hsbRound.max)) void browse(next);
  }
  hsbRound.addEventListener('input', () => {
    const round = Number(hsbRound.value);
    if (round !== shownRound) void browse(round);
  });

  function update(state: StateView): void {
    setText(lblName, value(state, 'Name'));
    setText(lblTeam, value(state, 'Team'));
  }
  // It opens at this week's round.
  void browse();
  return { root, update, focus: () => hsbRound.focus() };
}
