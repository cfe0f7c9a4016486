// SPDX-License-Identifier: GPL-3.0-or-later
// Which section of the player's guide (docs/playing.md) each screen opens
// at: the same screens and sections as the desktop's F1. A screen the table
// does not name opens the guide at its top.

export const kGuideTitle = 'Kickmark - Guide';

const kSections: Record<string, string> = {
  frmSplash: 'Starting out',
  frmStart: 'Starting out',
  frmSetup: 'Setting up your player',
  frmMain: 'The hub',
  frmMatchRound: 'A week: Play, the round and the match',
  frmMatch: 'A week: Play, the round and the match',
  frmNewspaper: 'A week: Play, the round and the match',
  frmTraining: 'Training, health and gear',
  frmHealth: 'Training, health and gear',
  frmStore: 'Training, health and gear',
  frmSponsorship: 'Sponsors',
  frmSponsorBoots: 'Sponsors',
  frmSponsorJumper: 'Sponsors',
  frmSponsorMajor: 'Sponsors',
  frmSponsorShorts: 'Sponsors',
  frmSponsorSocks: 'Sponsors',
  frmContracts: 'Contracts',
  frmTeam: 'The ladder, the fixture and the finals',
  frmLadder: 'The ladder, the fixture and the finals',
  frmResults: 'The ladder, the fixture and the finals',
  frmRecordsTeam: 'The ladder, the fixture and the finals',
  frmRecords: 'Records and the Career screen',
  frmCareer: 'Records and the Career screen',
  frmLocalAwards: 'The awards night',
  frmRegionalAwards: 'The awards night',
  frmStateAwards: 'The awards night',
  frmAFLAwards: 'The awards night',
  frmPosition: 'Moving between competitions',
  frmDraftCamp: 'The draft camp and the draft',
  frmDraft: 'The draft camp and the draft',
};

// The guide's section for a screen, or null for its top.
export function guideSection(screen: string): string | null {
  return kSections[screen] ?? null;
}

// A heading's anchor as the guide's own links write it: lower case, its
// words joined by hyphens, without punctuation ("Your careers' files" is
// #your-careers-files).
export function anchorOf(heading: string): string {
  return heading
    .trim()
    .toLowerCase()
    .replace(/[^\p{L}\p{N}\s_-]/gu, '')
    .replace(/\s/g, '-');
}

// The screen in front: the last dialog of the rules' opened over the page
// (the newspaper, New Position), else the screen on the stage.
export function screenInFront(doc: Document): string {
  const dialogs = Array.from(doc.querySelectorAll('dialog[open]')).filter((d) => !d.classList.contains('dialog-guide'));
  for (const dialog of dialogs.reverse()) {
    if (dialog.id.startsWith('frm')) return dialog.id;
    const named = dialog.querySelector('[id^="frm"]');
    if (named) return named.id;
    if (dialog.getAttribute('data-kind') === 'position') return 'frmPosition';
  }
  return doc.querySelector('#stage [id^="frm"]')?.id ?? '';
}
