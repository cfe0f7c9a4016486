// SPDX-License-Identifier: GPL-3.0-or-later
// The start screen: Continue (the last career played in this browser), New
// Career and Load Career.

import type { StateView } from '../engine/api';
import type { Context, Screen } from './context';
import { button, el, setText } from './dom';

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
  );
  return {
    root,
    update(_state: StateView) {},
    focus: () => (last ? cmdContinue : cmdNew).focus(),
  };
}
