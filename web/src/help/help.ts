// SPDX-License-Identifier: GPL-3.0-or-later
// Help on every screen: F1, or the Help button at the top of the page for a
// touch screen, opens the player's guide at the section of the screen in
// front.

import { guideSection, screenInFront } from './sections';

async function openGuide(): Promise<void> {
  const section = guideSection(screenInFront(document));
  const { showGuide } = await import('./guide');
  showGuide(section);
}

export function installHelp(helpButton: HTMLButtonElement): void {
  helpButton.addEventListener('click', () => void openGuide());
  window.addEventListener('keydown', (event) => {
    if (event.key !== 'F1' || event.ctrlKey || event.metaKey || event.altKey) return;
    event.preventDefault();
    void openGuide();
  });
}
