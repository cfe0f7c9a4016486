// SPDX-License-Identifier: GPL-3.0-or-later
// The hub (Career Details): the player, his season, his money, his gear and
// his health, and the buttons of the week.

import type { HubBar, StateView } from '../engine/api';
import type { Context, Screen } from './context';
import { isOn, value } from './context';
import { openAbout } from './about';
import { askYesNo } from './dialogs';
import { button, el, frame, setText, valueRow } from './dom';
import { setTip } from './tips';

const kQuitQuestion = 'Are you sure you want to quit ?';
const kQuitTitle = 'Kickmark Exit';

// The values of each frame: caption, control, record field, unit.
const kProfile: [string, string, string, string][] = [
  ['Name:', 'lblName', 'Name', ''],
  ['Team:', 'lblTeam', 'Team', ''],
  ['State:', 'lblState', 'State', ''],
  ['Height:', 'lblHeight', 'Height', 'cm'],
  ['Weight:', 'lblWeight', 'Weight', 'kg'],
  ['Preferred Position:', 'lblPosition', 'Position', ''],
  ['Age:', 'lblAge', 'Age', ''],
  ['League:', 'lblLeague', 'League', ''],
  ['Kicking:', 'lblKicking', 'Kicking', ''],
  ['Handballing:', 'lblHandballing', 'Handballing', ''],
  ['Tackling:', 'lblTackling', 'Tackling', ''],
  ['Marking:', 'lblMarking', 'Marking', ''],
  ['Running:', 'lblRunning', 'Running', ''],
  ['Overall:', 'lblOverall', 'Overall', ''],
];
const kSeason: [string, string, string, string][] = [
  ['Matches:', 'lblMatches', 'Matches', ''],
  ['Disposals:', 'lblDisposals', 'Disposals', ''],
  ['Goals:', 'lblGoals', 'Goals', ''],
  ['Behinds:', 'lblBehinds', 'Behinds', ''],
  ['Most Disposals:', 'lblMostDisposals', 'MostDisposals', ''],
  ['Average Disposals:', 'lblAverageDisposals', 'AverageDisposals', ''],
  ['Most Goals:', 'lblMostGoals', 'MostGoals', ''],
  ['Average Goals:', 'lblAverageGoals', 'AverageGoals', ''],
  ["B.O.G.'s:", 'lblBOGs', 'BOGs', ''],
];
const kFinances: [string, string, string][] = [
  ['Wages:', 'lblWages', 'Wages'],
  ['Sponsorship:', 'lblSponsorship', 'Sponsorship'],
  ['Other Income:', 'lblOtherIncome', 'OtherIncome'],
  ['Bank Balance:', 'lblBankBalance', 'BankBalance'],
];
const kGear: [string, string, HubBar][] = [
  ['Boots:', 'pbBoots', 'Boots'],
  ['Jumper:', 'pbJumper', 'Jumper'],
  ['Shorts:', 'pbShorts', 'Shorts'],
  ['Other:', 'pbOther', 'Other'],
  ['Overall:', 'pbGearOverall', 'GearOverall'],
];
const kHealth: [string, string, HubBar][] = [
  ['Fitness:', 'pbFitness', 'Fitness'],
  ['Health:', 'pbHealth', 'Health'],
  ['Stamina:', 'pbStamina', 'Stamina'],
  ['Overall:', 'pbHealthOverall', 'HealthOverall'],
];

interface Bar {
  bar: HubBar;
  caption: HTMLElement;
  meter: HTMLElement;
  fill: HTMLElement;
  figure: HTMLElement;
}

export function hubScreen(ctx: Context): Screen {
  const root = el('div', { class: 'screen screen-hub', id: 'frmMain' });
  const values: [HTMLElement, string][] = [];
  // Each figure with its caption, by the control's name, for their tips.
  const figures: [string, HTMLElement[]][] = [];
  const bars: Bar[] = [];

  function valueList(rows: [string, string, string, string][]): HTMLElement {
    const dl = el('dl');
    for (const [caption, name, field, unit] of rows) {
      const [row, shown] = valueRow(caption, name, unit);
      values.push([shown, field]);
      figures.push([name, [shown, row.querySelector('dt') as HTMLElement]]);
      dl.append(row);
    }
    return dl;
  }

  function barList(rows: [string, string, HubBar][]): HTMLElement {
    const dl = el('dl', { class: 'bars' });
    for (const [caption, name, bar] of rows) {
      const figure = el('span', { class: 'figure' });
      const fill = el('span', { class: 'fill' });
      // A bar that shows its number, read as "Boots: 87 of 100".
      const meter = el(
        'span',
        { id: name, 'data-name': name, role: 'meter', 'aria-valuemin': 0, 'aria-valuemax': 100, 'aria-labelledby': `${name}-caption`, class: 'bar' },
        fill,
        figure,
      );
      const label = el('dt', { id: `${name}-caption`, text: caption });
      dl.append(el('div', { class: 'row' }, label, el('dd', {}, meter)));
      bars.push({ bar, caption: label, meter, fill, figure });
    }
    return dl;
  }

  const finances = el('dl', { class: 'money' });
  for (const [caption, name, field] of kFinances) {
    const shown = el('dd', { id: name, 'data-name': name });
    const label = el('dt', { text: caption });
    finances.append(el('div', { class: 'row' }, label, el('dd', { class: 'dollar', id: `${name}Dollar`, text: '$' }), shown));
    values.push([shown, field]);
    figures.push([name, [shown, label]]);
  }

  // The season's match ratings, summed and averaged, stand without captions.
  const lblMatchRating = el('span', { id: 'lblMatchRating', class: 'bare', 'aria-label': 'Season rating sum' });
  const lblMatchRatingAverage = el('span', { id: 'lblMatchRatingAverage', class: 'bare', 'aria-label': 'Season rating average' });
  figures.push(['lblMatchRating', [lblMatchRating]], ['lblMatchRatingAverage', [lblMatchRatingAverage]]);

  const cmdPlay = button('PLAY', 'cmdPlay', () => void play());
  // What holds Play or warns of the week, in the rules' words, where the
  // player looks for it: a finger cannot rest on Play for its tip.
  const lblWaiting = el('p', { id: 'lblWaiting', class: 'waiting', 'aria-live': 'polite' });
  cmdPlay.setAttribute('aria-describedby', 'lblWaiting');
  const cmdTraining = button('Training', 'cmdTraining', () => ctx.go('shop', 'training'));
  const cmdHealth = button('Health', 'cmdHealth', () => ctx.go('shop', 'health'));
  const cmdStore = button('Store', 'cmdStore', () => ctx.go('shop', 'store'));
  const cmdSponsorship = button('Sponsorship', 'cmdSponsorship', () => ctx.go('sponsorship'));
  const cmdContract = button('Contract', 'cmdContract', () => ctx.go('contracts'));
  const cmdExit = button('Exit', 'cmdExit', () => void exit());
  // The hub's other half and the screens that only show the career.
  const cmdTeamDetails = button('TEAM DETAILS', 'cmdTeamDetails', () => ctx.go('team'));
  const cmdRecords = button('Records', 'cmdRecords', () => ctx.go('records'));
  const cmdCareer = button('Career', 'cmdCareer', () => ctx.go('career'));
  const cmdAbout = button('About', 'cmdAbout', () => void openAbout(ctx, root, 'frmAbout'));

  async function play(): Promise<void> {
    // The week goes ahead and the round comes up, or he stays here (worn
    // gear answered No, a season file that cannot be read).
    const r = await ctx.run('play', {});
    if (r.ok) ctx.go('round');
  }
  async function exit(): Promise<void> {
    if (!(await askYesNo(kQuitQuestion, kQuitTitle))) return;
    // Everything since the last save is dropped.
    await ctx.run('quit', {});
    ctx.go('start');
  }

  root.append(
    el('h1', { id: 'lblHeading', text: 'Career Details' }),
    el(
      'div',
      { class: 'hub-frames' },
      frame('Profile', 'fraProfile', valueList(kProfile)),
      el(
        'div',
        { class: 'column' },
        frame(
          'Season Statistics',
          'fraSeasonStatistics',
          valueList(kSeason),
          el('p', { class: 'ratings' }, lblMatchRating, lblMatchRatingAverage),
        ),
        frame('Finances', 'fraFinances', finances),
      ),
      el('div', { class: 'column' }, frame('Match Gear', 'fraMatchGear', barList(kGear)), frame('Health', 'fraHealth', barList(kHealth))),
    ),
    el('div', { class: 'hub-play' }, cmdPlay, cmdTeamDetails, lblWaiting),
    el('nav', { class: 'hub-week', 'aria-label': 'The week' }, cmdTraining, cmdHealth, cmdStore, cmdSponsorship, cmdContract, cmdRecords, cmdCareer, cmdAbout, cmdExit),
  );

  // The letters of the week's screens, as on the desktop, wherever the
  // focus is on the hub; a retired player's letters do nothing (their
  // buttons are shut).
  const letters: Record<string, HTMLButtonElement> = {
    t: cmdTraining,
    h: cmdHealth,
    s: cmdStore,
    o: cmdSponsorship,
    c: cmdContract,
    r: cmdRecords,
    e: cmdCareer,
    a: cmdAbout,
  };
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
    setText(lblMatchRating, value(state, 'MatchRating'));
    setText(lblMatchRatingAverage, value(state, 'MatchRatingAverage'));
    const run = state.run;
    const tips = state.tips;
    for (const [name, nodes] of figures) setTip(nodes, tips?.figures[name] ?? '');
    for (const b of bars) {
      setTip([b.meter, b.caption], tips?.bars[b.bar] ?? '');
      const v = run.bars[b.bar];
      setText(b.figure, v);
      b.fill.style.width = `${Math.max(0, Math.min(100, v))}%`;
      b.meter.setAttribute('aria-valuenow', String(Math.max(0, Math.min(100, v))));
      // Each bar keeps the colour the last purchase or match gave it.
      b.meter.dataset.colour = run.barColours[b.bar];
    }
    cmdPlay.dataset.colour = run.playColour;
    // A sponsor window waits: Sponsorship is marked.
    cmdSponsorship.classList.toggle('highlight', run.sponsorHighlight);
    cmdPlay.disabled = !isOn(state, 'PlayOpen');
    setTip(cmdPlay, tips ? `${tips.play} Press F1 for help.` : '');
    setText(lblWaiting, tips?.playWarns ? tips.play : '');
    cmdSponsorship.disabled = !isOn(state, 'SponsorshipOpen');
    cmdContract.disabled = !isOn(state, 'ContractOpen');
    // A retired player's career is over: only the screens that show it open.
    const retired = state.retired === true;
    for (const b of [cmdTraining, cmdHealth, cmdStore]) b.disabled = retired;
  }

  return { root, update, focus: () => (cmdPlay.disabled ? cmdTraining : cmdPlay).focus() };
}
