// SPDX-License-Identifier: GPL-3.0-or-later
// The sponsorship screen: the five deals and the weeks to the next window;
// at a window the kit's pieces and Negotiate open each slot's offers. Close
// hands the hub back.

import type { SponsorSlot, SponsorshipView, StateView } from '../engine/api';
import type { Context, Screen } from './context';
import { button, el, setText } from './dom';

const kSlotLines: [SponsorSlot, string, string][] = [
  ['Major', 'Major Sponsor:', 'lblMajor'],
  ['Jumper', 'Jumper Sponsor:', 'lblJumper'],
  ['Shorts', 'Shorts Sponsor:', 'lblShorts'],
  ['Boots', 'Boots Sponsor:', 'lblBoots'],
  ['Socks', 'Socks Sponsor:', 'lblSocks'],
];

const kOfferTexts: Record<SponsorSlot, { screen: string; title: string; heading: string; line: string }> = {
  Boots: { screen: 'frmSponsorBoots', title: 'Boot Sponsorship', heading: 'BOOT SPONSORSHIP OFFERS', line: 'The following companies have offered money for you to display their logo on your boots' },
  Jumper: { screen: 'frmSponsorJumper', title: 'Jumper Sponsorship', heading: 'JUMPER SPONSORSHIP OFFERS', line: 'The following companies have offered money for you to display their logo on your jumper' },
  Major: { screen: 'frmSponsorMajor', title: 'Major Sponsor', heading: 'MAJOR SPONSOR OFFERS', line: 'The following companies have offered money for you to display their logo as your major sponsor' },
  Shorts: { screen: 'frmSponsorShorts', title: 'Shorts Sponsorship', heading: 'SHORTS SPONSORSHIP OFFERS', line: 'The following companies have offered money for you to display their logo on your shorts' },
  Socks: { screen: 'frmSponsorSocks', title: 'Sock Sponsorship', heading: 'SOCK SPONSORSHIP OFFERS', line: 'The following companies have offered money for you to display their logo on your socks' },
};

const kPieces: [SponsorSlot, string][] = [
  ['Jumper', 'shpJumper'],
  ['Shorts', 'shpShorts'],
  ['Socks', 'shpSocks'],
  ['Boots', 'shpBoots'],
];

export function sponsorshipScreen(ctx: Context, offers: (slot: SponsorSlot) => void, done: () => void): Screen {
  const root = el('div', { class: 'screen screen-sponsorship', id: 'frmSponsorship' });
  const labels = new Map<SponsorSlot, HTMLElement>();
  const list = el('dl', { class: 'sponsors', id: 'fraSponsors' });
  for (const [slot, caption, name] of kSlotLines) {
    const shown = el('dd', { id: name });
    labels.set(slot, shown);
    list.append(el('div', { class: 'row' }, el('dt', { text: caption }), shown));
  }
  const lblRemaining = el('dd', { id: 'lblRemaining' });
  list.append(el('div', { class: 'row remaining' }, el('dt', { text: 'Matches Remaining:' }), lblRemaining));
  const pieces = kPieces.map(([slot, name]) => {
    const b = button(kOfferTexts[slot].title, name, () => offers(slot));
    b.classList.add('kit-piece', `kit-${slot.toLowerCase()}`);
    return b;
  });
  const cmdNegotiate = button('Negotiate', 'cmdNegotiate', () => offers('Major'));
  const cmdClose = button('Close', 'cmdClose', () => void close());

  async function close(): Promise<void> {
    await ctx.run('sponsorClose', {});
    done();
  }

  root.append(
    el('h1', { text: 'Sponsorship' }),
    el(
      'div',
      { class: 'sponsorship-body' },
      el('div', { class: 'kit', id: 'fraKit', role: 'group', 'aria-label': 'Kit' }, ...pieces),
      el('div', { class: 'side' }, list, el('div', { class: 'buttons' }, cmdNegotiate, cmdClose)),
    ),
  );

  function update(state: StateView): void {
    const view = state.sponsorship;
    if (!view) return;
    for (const line of view.slots) setText(labels.get(line.slot)!, line.label);
    setText(lblRemaining, view.remaining === null ? '' : view.remaining);
    for (const p of pieces) p.disabled = !view.windowOpen;
    cmdNegotiate.disabled = !view.windowOpen;
  }

  return {
    root,
    update,
    focus: () => (ctx.state().sponsorship?.windowOpen ? pieces[0] : cmdClose).focus(),
  };
}

// One slot's offers: the sixteen companies, those that may be taken enabled,
// the deal of the moment chosen.
export function sponsorOffersScreen(ctx: Context, slot: SponsorSlot, done: () => void): Screen {
  const texts = kOfferTexts[slot];
  const root = el('div', { class: 'screen screen-offers', id: texts.screen });
  const fieldset = el('fieldset', { class: 'offers', id: 'fraOffers' }, el('legend', { class: 'visually-hidden', text: texts.heading }));
  const head = el('div', { class: 'offer-head', 'aria-hidden': 'true' }, el('span', { text: 'Company' }), el('span', { text: 'Offers ($)' }));
  fieldset.append(head);
  const options: HTMLInputElement[] = [];
  const amounts: HTMLElement[] = [];
  const view = (ctx.state().sponsorship as SponsorshipView).slots.find((s) => s.slot === slot)!;
  view.offers.forEach((offer, i) => {
    const id = `opt${slot}${i}`;
    const option = el('input', { type: 'radio', name: `offer${slot}`, id, value: i });
    const amount = el('span', { class: 'amount', id: `lbl${slot}${i}` });
    options.push(option);
    amounts.push(amount);
    fieldset.append(el('label', { class: 'offer', for: id }, option, el('span', { class: 'company', text: offer.company }), amount));
  });
  const cmdOK = button('OK', 'cmdOK', () => void ok());
  cmdOK.classList.add('primary');
  const cmdCancel = button('Cancel', 'cmdCancel', () => done());

  async function ok(): Promise<void> {
    const company = options.findIndex((o) => o.checked);
    if (company >= 0) await ctx.run('sponsorSelect', { slot, company });
    await ctx.run('sponsorConfirm', { slot });
    done();
  }

  root.append(el('h1', { id: 'lblHeading', text: texts.heading }), el('p', { id: 'lblMessage', text: texts.line }), fieldset, el('div', { class: 'buttons' }, cmdOK, cmdCancel));

  function update(state: StateView): void {
    const line = state.sponsorship?.slots.find((s) => s.slot === slot);
    if (!line) return;
    line.offers.forEach((offer, i) => {
      options[i].disabled = !offer.enabled;
      options[i].closest('label')?.classList.toggle('disabled', !offer.enabled);
      setText(amounts[i], offer.amount);
    });
  }
  // The deal of the moment is chosen as the screen opens.
  view.offers.forEach((offer, i) => (options[i].checked = offer.chosen));
  update(ctx.state());

  return {
    root,
    update,
    focus: () => (options.find((o) => o.checked && !o.disabled) ?? options.find((o) => !o.disabled) ?? cmdOK).focus(),
  };
}
