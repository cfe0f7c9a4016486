// SPDX-License-Identifier: GPL-3.0-or-later
// The setup screen: the career file name, the player and his five skills.
// The rules check the answers when Start is pressed and say what is wrong in
// their own sentences; nothing is checked here.

import type { SetupAnswers, StateView } from '../engine/api';
import type { Context, Screen } from './context';
import { button, el, setText } from './dom';

const kCareerNote =
  "You career will automatically be saved to a file with the above name after every match, so make sure it's unique (Eg. career1)";

type Skill = 'kicking' | 'handballing' | 'tackling' | 'marking' | 'running';
const kSkills: { key: Skill; caption: string; bar: string; label: string }[] = [
  { key: 'kicking', caption: 'Kicking:', bar: 'hsbKicking', label: 'lblKicking' },
  { key: 'handballing', caption: 'Handballing:', bar: 'hsbHandBalling', label: 'lblHandballing' },
  { key: 'tackling', caption: 'Tackling:', bar: 'hsbTackling', label: 'lblTackling' },
  { key: 'marking', caption: 'Marking:', bar: 'hsbMarking', label: 'lblMarking' },
  { key: 'running', caption: 'Running:', bar: 'hsbRunning', label: 'lblRunning' },
];

function field(caption: string, control: HTMLElement, unit = ''): HTMLElement {
  return el(
    'div',
    { class: 'field' },
    el('label', { for: control.id, text: caption }),
    control,
    unit ? el('span', { class: 'unit', text: unit }) : null,
  );
}

function list(name: string, items: (string | number)[], chosen: string | number | null): HTMLSelectElement {
  const select = el('select', { id: name, name });
  // A list with nothing chosen yet starts blank.
  if (chosen === null) select.append(el('option', { value: '', text: '' }));
  for (const item of items) {
    select.append(el('option', { value: String(item), text: String(item), selected: item === chosen }));
  }
  return select;
}

export function setupScreen(ctx: Context): Screen {
  const root = el('div', { class: 'screen screen-setup', id: 'frmSetup' });
  const txtCareer = el('input', { id: 'txtCareer', type: 'text', autocomplete: 'off' });
  const txtName = el('input', { id: 'txtName', type: 'text', autocomplete: 'off' });
  const txtCity = el('input', { id: 'txtCity', type: 'text', autocomplete: 'off' });
  const profile = el('section', { class: 'frame', id: 'fraPlayer', 'aria-label': 'Player' });
  const skills = el('section', { class: 'frame', id: 'fraSkills', 'aria-labelledby': 'fraSkills-title' });
  const lblOverall = el('output', { id: 'lblOverall', class: 'overall' });
  const bars = new Map<Skill, HTMLInputElement>();
  let selects: { state?: HTMLSelectElement; height?: HTMLSelectElement; weight?: HTMLSelectElement; position?: HTMLSelectElement } = {};

  skills.append(el('h2', { id: 'fraSkills-title', text: 'SKILLS' }));
  for (const skill of kSkills) {
    const bar = el('input', { id: skill.bar, type: 'range', min: 1, max: 100, step: 1, value: 1 });
    const shown = el('output', { id: skill.label, for: skill.bar, text: '1' });
    bar.addEventListener('input', () => {
      setText(shown, bar.value);
      void showOverall();
    });
    bars.set(skill.key, bar);
    skills.append(
      el('div', { class: 'skill' }, el('label', { for: skill.bar, text: skill.caption }), bar, shown),
    );
  }
  skills.append(
    el('div', { class: 'overall-row' }, el('label', { for: 'lblOverall', text: "Player's Overall Skill:" }), lblOverall),
  );

  function skillValues(): Pick<SetupAnswers, Skill> {
    const v = (k: Skill): number => Number(bars.get(k)?.value ?? 1);
    return { kicking: v('kicking'), handballing: v('handballing'), tackling: v('tackling'), marking: v('marking'), running: v('running') };
  }

  // The overall the rules make of the five skills, as the bars move.
  let asked = 0;
  async function showOverall(): Promise<void> {
    const mine = ++asked;
    const r = await ctx.run('setupOverall', skillValues());
    if (mine === asked) setText(lblOverall, r.overall);
  }

  function answers(): SetupAnswers {
    return {
      careerName: txtCareer.value,
      name: txtName.value,
      city: txtCity.value,
      state: selects.state?.value ?? '',
      height: Number(selects.height?.value ?? 0),
      weight: Number(selects.weight?.value ?? 0),
      position: selects.position?.value ?? '',
      ...skillValues(),
    };
  }

  async function start(): Promise<void> {
    // The rules check the answers and say what is wrong; a refused Start
    // leaves everything here as typed.
    const r = await ctx.run('startNewCareer', { answers: answers() });
    if (!r.ok) return;
    await ctx.run('prepareFirstContract', {});
    ctx.go('contracts', 'first');
  }

  // Start is the form's own button: Enter in any box presses it.
  const cmdStart = el('button', { type: 'submit', id: 'cmdStart', class: 'primary', text: 'Start' });
  const cmdBack = button('Back', 'cmdBack', () => ctx.go('start'));
  const form = el('form', { class: 'setup-form', id: 'setupForm' }, el('div', { class: 'panels' }, profile, skills));
  // Enter is Start.
  form.addEventListener('submit', (event) => {
    event.preventDefault();
    void start();
  });
  form.append(el('div', { class: 'buttons' }, cmdStart, cmdBack));
  root.append(el('h1', { text: 'Player Setup' }), form);

  async function fill(): Promise<void> {
    await ctx.run('beginSetup', {});
    const lists = await ctx.run('setupLists', {});
    const state = list('txtState', lists.states, null);
    const height = list('lstHeight', lists.heights, lists.height);
    const weight = list('lstWeight', lists.weights, lists.weight);
    const position = list('lstPosition', lists.positions, null);
    selects = { state, height, weight, position };
    profile.append(
      field('Career File Name:', txtCareer),
      el('p', { class: 'note', id: 'lblCareerNote', text: kCareerNote }),
      field('Name:', txtName),
      field('City:', txtCity),
      field('State:', state),
      field('Height:', height, 'cm'),
      field('Weight:', weight, 'kg'),
      field('Favoured Position:', position),
    );
    await showOverall();
    txtCareer.focus();
  }
  void fill();

  return { root, update(_state: StateView) {}, focus: () => txtCareer.focus() };
}
