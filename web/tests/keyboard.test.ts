// SPDX-License-Identifier: GPL-3.0-or-later
// A week by the keyboard alone: Tab to a control (its focus ring showing)
// and Enter, the hub's letters, Escape for a question's No, a key for the
// newspaper and Space for each quarter.

import { expect, test, type Page } from '@playwright/test';
import { Player } from './helpers/ui';

test.use({ actionTimeout: 20_000 });

// Tabs forward until `selector` has the focus; the focus ring shows on
// every control it passes.
async function tabTo(page: Page, selector: string): Promise<void> {
  for (let presses = 0; presses < 80; ++presses) {
    const there = await page.evaluate((s) => {
      const focused = document.activeElement;
      if (!focused || focused === document.body) return { matches: false, ring: 'none', name: 'the page' };
      return { matches: focused.matches(s), ring: getComputedStyle(focused).outlineStyle, name: `${focused.tagName}#${focused.id}` };
    }, selector);
    // Past the last control the focus leaves the page, and comes back at the first.
    if (presses > 0 && there.name !== 'the page') expect(there.ring, `the focus ring on ${there.name} on the way to ${selector}`).not.toBe('none');
    if (there.matches) return;
    await page.keyboard.press('Tab');
  }
  throw new Error(`Tab never reaches ${selector}`);
}

async function still(player: Player): Promise<void> {
  await player.page.locator('#app[data-busy="false"]').waitFor();
}

test('a week plays by the keyboard alone', async ({ page }) => {
  test.setTimeout(180_000);
  const player = new Player(page);
  await page.goto('/?seed=21');
  await expect(page.locator('#cmdNew')).toBeFocused();
  await page.keyboard.press('Enter');

  await expect(page.locator('#frmSetup')).toBeVisible();
  await tabTo(page, '#txtCareer');
  await page.keyboard.type('keys');
  await tabTo(page, '#txtName');
  await page.keyboard.type('Kit Keys');
  await tabTo(page, '#txtCity');
  await page.keyboard.type('Adelaide');
  await tabTo(page, '#txtState');
  await page.keyboard.type('South');
  await tabTo(page, '#lstPosition');
  await page.keyboard.type('Rover');
  await expect(page.locator('#txtState')).toHaveValue('South Australia');
  await expect(page.locator('#lstPosition')).toHaveValue('Rover');
  await tabTo(page, '#cmdStart');
  await page.keyboard.press('Enter');

  await expect(page.locator('#frmContracts')).toBeVisible();
  await tabTo(page, '#cmdOffer1');
  await page.keyboard.press('Enter');
  await tabTo(page, '#cmdSign');
  await page.keyboard.press('Enter');
  // The paper goes with any key.
  await page.locator('dialog[open][data-kind="story"]').waitFor();
  await page.keyboard.press('x');
  await expect(page.locator('dialog[open]')).toHaveCount(0);
  await still(player);
  await tabTo(page, '#frmContracts #cmdOK');
  await page.keyboard.press('Enter');

  // The hub: a letter opens the training centre.
  await expect(page.locator('#frmMain')).toBeVisible();
  await still(player);
  await page.keyboard.press('t');
  await expect(page.locator('#frmTraining')).toBeVisible();
  await tabTo(page, '#cmdCancel');
  await page.keyboard.press('Enter');
  await expect(page.locator('#frmMain')).toBeVisible();
  // Escape is a screen's Cancel or Close.
  for (const [letter, screen] of [['h', '#frmHealth'], ['s', '#frmStore'], ['o', '#frmSponsorship']]) {
    await still(player);
    await page.keyboard.press(letter);
    await expect(page.locator(screen)).toBeVisible();
    await still(player);
    await page.keyboard.press('Escape');
    await expect(page.locator('#frmMain')).toBeVisible();
  }
  // Exit asks first; Escape is its No.
  await still(player);
  await tabTo(page, '#cmdExit');
  await page.keyboard.press('Enter');
  await page.locator('dialog[open][data-kind="question"]').waitFor();
  await page.keyboard.press('Escape');
  await expect(page.locator('dialog[open]')).toHaveCount(0);
  await expect(page.locator('#frmMain')).toBeVisible();

  // Play, and the round's matches up to his.
  await tabTo(page, '#cmdPlay');
  await page.keyboard.press('Enter');
  await expect(page.locator('#frmMatchRound')).toBeVisible();
  while ((await page.locator('#frmMatch').count()) === 0) {
    await still(player);
    await tabTo(page, '#frmMatchRound #cmdStart');
    await page.keyboard.press('Enter');
    await player.settle();
  }

  // Space for each quarter, wherever the focus is, and To the siren.
  for (let quarter = 1; quarter <= 4; ++quarter) {
    await still(player);
    if (quarter === 3) await page.locator('#cmdWatch').focus();
    await page.keyboard.press(' ');
    await expect(page.locator('#lblQuarter')).toHaveText(String(quarter));
    await tabTo(page, '#cmdToSiren');
    await page.keyboard.press('Enter');
    await player.settle();
    await expect(page.locator('#frmMatch')).not.toHaveAttribute('data-clock', 'running');
  }
  // Space on a paused pace was the quarter's, not the pace's.
  await expect(page.locator('#cmdWatch')).toHaveAttribute('aria-pressed', 'false');
  await expect(page.locator('#frmMatch')).toHaveAttribute('data-clock', 'fulltime');
  // Escape is Finish at full time.
  await page.keyboard.press('Escape');
  await expect(page.locator('#frmMatchRound')).toBeVisible();

  while (await page.locator('#frmMatchRound #cmdStart').isEnabled()) {
    await tabTo(page, '#frmMatchRound #cmdStart');
    await page.keyboard.press('Enter');
    await player.settle();
  }
  await tabTo(page, '#frmMatchRound #cmdOK');
  await page.keyboard.press('Enter');
  await player.settle();
  await expect(page.locator('#frmMain')).toBeVisible();
  await expect(page.locator('#lblMatches')).toHaveText('1');
});
