// SPDX-License-Identifier: GPL-3.0-or-later
// The contract screen: the clubs' offers, the contract in force and the
// player's choice. A click on a club's name picks its offer; Sign signs it;
// OK closes the screen once a contract is in force.

import type { StateView } from '../engine/api';
import type { Context, Screen } from './context';
import { isOn, value } from './context';
import { button, el, frame, setText, valueRow } from './dom';

const kHeaders = ['Team', 'Offer ($)', 'Seasons', 'Choice'];
const kOfferRows = 16;

// `firstContract`: a brand-new career's offers, made from the setup screen.
export function contractsScreen(ctx: Context, firstContract = false): Screen {
  const root = el('div', { class: 'screen screen-contracts', id: 'frmContracts' });
  const lblTitle = el('h1', { id: 'lblTitle' });
  const table = el('table', { class: 'grid', id: 'grdContracts' });
  table.append(el('caption', { class: 'visually-hidden', text: 'Contract Offers' }));
  const head = el('tr');
  for (const h of kHeaders) head.append(el('th', { scope: 'col', text: h }));
  table.append(el('thead', {}, head));
  const body = el('tbody');
  table.append(body);
  const cells: HTMLElement[][] = [];
  for (let row = 0; row < kOfferRows; ++row) {
    const tr = el('tr', { id: `rowOffer${row + 1}` });
    const line: HTMLElement[] = [];
    for (let column = 0; column < kHeaders.length; ++column) {
      // Every cell takes a click, as the desktop's grid does; the club's
      // name is the one that picks the offer, so it is a button.
      const cell = column === 0 ? el('th', { scope: 'row', text: `Team ${row + 1}` }) : el('td');
      if (column === 3) {
        const pick = el('button', { type: 'button', class: 'cell-button', id: `cmdOffer${row + 1}` });
        pick.addEventListener('click', () => void click(row, pick.textContent ?? ''));
        cell.append(pick);
        line.push(pick);
      } else {
        cell.addEventListener('click', () => void click(row, cell.textContent ?? ''));
        line.push(cell);
      }
      tr.append(cell);
    }
    cells.push(line);
    body.append(tr);
  }

  const [teamRow, lblTeam] = valueRow('Team:', 'lblTeam');
  const [currentRow, lblCurrent] = valueRow('Current Contract:', 'lblCurrent');
  const [lengthRow, lblLength] = valueRow('Length:', 'lblLength');
  const [matchesRow, lblMatches] = valueRow('Matches Left:', 'lblMatches');
  const [choiceTeamRow, lblTeamContract] = valueRow('Team:', 'lblTeamContract');
  const [choiceOfferRow, lblOfferContract] = valueRow('Offer:', 'lblOfferContract');
  const [choiceLengthRow, lblLengthContract] = valueRow('Seasons:', 'lblLengthContract');

  const cmdSign = button('Sign', 'cmdSign', () => void sign());
  const cmdOK = button('OK', 'cmdOK', () => void ok());

  async function click(row: number, text: string): Promise<void> {
    // The rules count the rows from 1, below the headings.
    await ctx.run('clickOffer', { row: row + 1, text });
  }
  async function sign(): Promise<void> {
    await ctx.run('sign', {});
  }
  async function ok(): Promise<void> {
    // Refused, with the rules' message, while no contract is in force.
    const r = await ctx.run('closeContracts', {});
    if (!r.ok) return;
    // A new career is kept from its first contract on, as kickmark-sim's
    // `new` keeps it: a tab closed before the first round does not lose it.
    if (firstContract) await ctx.run('save', {});
    ctx.go('hub');
  }

  root.append(
    lblTitle,
    el(
      'div',
      { class: 'contracts-body' },
      el('div', { class: 'table-wrap' }, table),
      el(
        'div',
        { class: 'side' },
        frame('CURRENT CONTRACT', 'fraCurrentContract', el('dl', {}, teamRow, currentRow, lengthRow, matchesRow)),
        frame('YOUR CHOICE', 'fraChoice', el('dl', {}, choiceTeamRow, choiceOfferRow, choiceLengthRow)),
        el('div', { class: 'buttons' }, cmdSign, cmdOK),
      ),
    ),
  );

  function update(state: StateView): void {
    const offers = state.contracts;
    setText(lblTitle, offers.title);
    for (let row = 0; row < kOfferRows; ++row) {
      const offer = offers.rows[row] ?? { club: '', offer: '', length: 0 };
      const filled = offer.club !== '';
      setText(cells[row][1], filled ? offer.offer : '');
      setText(cells[row][2], filled ? String(offer.length) : '');
      setText(cells[row][3], offer.club);
      (cells[row][3] as HTMLButtonElement).disabled = !filled;
      // The offer waiting to be signed stands out.
      const picked = filled && isOn(state, 'SignOpen') && offer.club === offers.pendingTeam;
      cells[row][0].parentElement?.classList.toggle('picked', picked);
      cells[row][3].setAttribute('aria-pressed', String(picked));
    }
    setText(lblTeam, value(state, 'ContractTeam'));
    setText(lblCurrent, value(state, 'ContractCurrent'));
    setText(lblLength, value(state, 'ContractLength'));
    setText(lblMatches, value(state, 'ContractMatches'));
    const pending = offers.pendingTeam !== '';
    setText(lblTeamContract, offers.pendingTeam);
    setText(lblOfferContract, value(state, 'OfferContract'));
    setText(lblLengthContract, pending ? String(offers.pendingLength) : '');
    cmdSign.disabled = !isOn(state, 'SignOpen');
  }

  return { root, update, focus: () => cells[0][3].focus() };
}
