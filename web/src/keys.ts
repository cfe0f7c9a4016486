// SPDX-License-Identifier: GPL-3.0-or-later
// Escape on a screen presses the button that puts it away, as on the
// desktop: Cancel on the shops and the sponsors' offers, Close on the
// sponsorship screen, OK on the contract offers and the information
// screens, OK on a finished round and Finish on a finished match. A dialog
// takes its own Escape first.

import { screenInFront } from './help/sections';

const kCancel = '#cmdCancel';
const kOK = '#cmdOK';
const kPutAway: Record<string, string> = {
  frmTraining: kCancel,
  frmHealth: kCancel,
  frmStore: kCancel,
  frmSponsorBoots: kCancel,
  frmSponsorJumper: kCancel,
  frmSponsorMajor: kCancel,
  frmSponsorShorts: kCancel,
  frmSponsorSocks: kCancel,
  frmSponsorship: '#cmdClose',
  frmContracts: kOK,
  frmMatchRound: kOK,
  frmMatch: kOK,
  frmRecords: kOK,
  frmLocalAwards: kOK,
  frmRegionalAwards: kOK,
  frmStateAwards: kOK,
  frmAFLAwards: kOK,
  frmLadder: kOK,
  frmResults: kOK,
  frmRecordsTeam: kOK,
};

// The button Escape presses on the screen in front, if it can be pressed now.
function putAwayButton(): HTMLButtonElement | null {
  if (document.querySelector('dialog[open]')) return null;
  const screen = screenInFront(document);
  const selector = kPutAway[screen];
  if (!selector) return null;
  const button = document.getElementById(screen)?.querySelector<HTMLButtonElement>(selector);
  if (!button || button.disabled || button.closest('[hidden]') || button.getClientRects().length === 0) return null;
  // The app is still: the screen is not between two of the rules' answers.
  if (document.getElementById('app')?.dataset.busy === 'true') return null;
  return button;
}

export function installEscape(): void {
  window.addEventListener('keydown', (event) => {
    if (event.key !== 'Escape' || event.defaultPrevented || event.repeat) return;
    const button = putAwayButton();
    if (!button) return;
    event.preventDefault();
    button.click();
  });
}
