// SPDX-License-Identifier: GPL-3.0-or-later
// The training centre, the health care centre and the football store: the
// rows with their units, rates and amounts, the units to buy with their
// arrows, the balance before and after, Max where there is one, OK and Cancel.

import type { ShopView, StateView } from '../engine/api';
import type { Context, Screen } from './context';
import { button, el, setText } from './dom';
import { setTip } from './tips';

type ShopName = ShopView['shop'];

// The training centre lists the skills in its own order; the other shops
// show their rows as they come.
const kTrainingOrder = ['Kicking', 'Handballing', 'Marking', 'Tackling', 'Running'];

function shownOrder(view: ShopView): number[] {
  const order: number[] = [];
  if (view.shop === 'training') {
    for (const name of kTrainingOrder) {
      const row = view.rows.findIndex((r) => r.name === name);
      if (row >= 0) order.push(row);
    }
  }
  view.rows.forEach((_r, row) => {
    if (!order.includes(row)) order.push(row);
  });
  return order;
}

const kScreenNames: Record<ShopName, string> = { training: 'frmTraining', health: 'frmHealth', store: 'frmStore' };

export function shopScreen(ctx: Context, shop: ShopName, done: () => void): Screen {
  const root = el('div', { class: 'screen screen-shop', id: kScreenNames[shop] });
  const heading = el('h1', { id: 'lblHeading' });
  const table = el('table', { class: 'grid shop-table', id: 'fraRates' });
  const lblBalanceBefore = el('dd', { id: 'lblBalanceBefore' });
  const lblBalanceAfter = el('dd', { id: 'lblBalanceAfter' });
  const cmdMax = button('Max', 'cmdMax', () => void ctx.run('shopMax', {}));
  const cmdOK = button('OK', 'cmdOK', () => void ok());
  cmdOK.classList.add('primary');
  const cmdCancel = button('Cancel', 'cmdCancel', () => void cancel());
  let built = false;
  const rows: { index: number; units: HTMLElement; rate: HTMLElement; amount: HTMLElement; chosen: HTMLElement; up: HTMLButtonElement; down: HTMLButtonElement }[] = [];

  async function ok(): Promise<void> {
    const r = await ctx.run('shopOK', {});
    if (r.ok) done();
  }
  async function cancel(): Promise<void> {
    await ctx.run('shopCancel', {});
    done();
  }
  async function spin(index: number, step: number): Promise<void> {
    const row = ctx.state().shop?.rows[index];
    if (!row) return;
    await ctx.run('shopSpinner', { row: index, value: row.spinner + step });
  }

  function build(view: ShopView): void {
    built = true;
    document.title = view.windowTitle;
    setText(heading, view.heading);
    table.append(el('caption', { class: 'visually-hidden', text: view.heading }));
    table.append(
      el(
        'thead',
        {},
        el(
          'tr',
          {},
          el('th', { scope: 'col', text: 'Particulars' }),
          el('th', { scope: 'col', text: view.unitsColumn }),
          el('th', { scope: 'col', text: 'Rate ($)' }),
          el('th', { scope: 'col', text: 'Amount ($)' }),
          el('th', { scope: 'col', colspan: 2, text: view.spinnerBlock }),
        ),
      ),
    );
    const body = el('tbody');
    for (const index of shownOrder(view)) {
      const name = view.rows[index].name;
      const units = el('td', { id: `lbl${name}Units` });
      const rate = el('td', { id: `lbl${name}Rate` });
      const amount = el('td', { id: `lbl${name}Amount` });
      const chosen = el('output', { id: `lbl${name}` });
      const up = button('\u25b2', `ud${name}Up`, () => void spin(index, 1));
      const down = button('\u25bc', `ud${name}Down`, () => void spin(index, -1));
      up.setAttribute('aria-label', `${name}: one more`);
      down.setAttribute('aria-label', `${name}: one fewer`);
      up.classList.add('spin');
      down.classList.add('spin');
      body.append(
        el('tr', {}, el('th', { scope: 'row', text: `${name}:` }), units, rate, amount, el('td', { class: 'chosen' }, chosen), el('td', { class: 'spinner', id: `ud${name}` }, up, down)),
      );
      rows.push({ index, units, rate, amount, chosen, up, down });
    }
    table.append(body);
    cmdMax.hidden = !view.hasMax;
  }

  root.append(
    heading,
    el('div', { class: 'table-wrap' }, table),
    el(
      'dl',
      { class: 'balances', id: 'fraBalances' },
      el('div', { class: 'row' }, el('dt', { text: 'Balance before purchase:' }), lblBalanceBefore),
      el('div', { class: 'row' }, el('dt', { text: 'Balance after purchase:' }), lblBalanceAfter),
    ),
    el('div', { class: 'buttons' }, cmdMax, el('span', { class: 'grow' }), cmdOK, cmdCancel),
  );

  function update(state: StateView): void {
    const view = state.shop;
    if (!view) return;
    if (!built) build(view);
    for (const r of rows) {
      const row = view.rows[r.index];
      setText(r.units, row.units);
      setText(r.rate, row.rate);
      setText(r.amount, row.amount);
      setText(r.chosen, row.chosen);
      setTip(r.units, row.tips.units);
      setTip(r.rate, row.tips.rate);
      setTip(r.amount, row.tips.amount);
      setTip([r.chosen, r.up, r.down], row.tips.chosen);
    }
    setText(lblBalanceBefore, view.balanceBefore);
    setText(lblBalanceAfter, view.balanceAfter);
    setTip(lblBalanceBefore, view.balanceBeforeTip);
    setTip(lblBalanceAfter, view.balanceAfterTip);
    // In the red when the purchase is more than the bank holds.
    lblBalanceAfter.dataset.balance = view.colour;
  }

  void ctx.run('shopOpen', { shop });
  return { root, update, focus: () => rows[0]?.up.focus() };
}
