// SPDX-License-Identifier: GPL-3.0-or-later
// Every screen of a first week at a phone's, a laptop's and a desktop's size:
// nothing scrolls sideways, no text is cut, no control covers another. Each
// leaves its picture in build/web/screens/<screen>-<width>x<height>.png.

import { expect, test, type Page } from '@playwright/test';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { layoutProblems } from './helpers/layout';
import { Player } from './helpers/ui';

const kSizes: [number, number][] = [
  [360, 640],
  [1280, 720],
  [1920, 1080],
];
const kPictures = fileURLToPath(new URL('../../build/web/screens/', import.meta.url));

// A screen at rest, or the dialog that holds it.
async function look(page: Page, screen: string, size: [number, number]): Promise<void> {
  const dialog = (await page.locator('dialog[open]').count()) > 0;
  if (!dialog) await page.locator('[data-busy="false"]').first().waitFor();
  // A dialog stands in the window's middle: the window is its picture.
  await page.screenshot({ path: path.join(kPictures, `${screen}-${size[0]}x${size[1]}.png`), fullPage: !dialog });
  expect(await layoutProblems(page), `${screen} at ${size[0]}x${size[1]}`).toEqual([]);
}

for (const size of kSizes) {
  test(`every screen of a first week at ${size[0]}x${size[1]}`, async ({ page }) => {
    test.setTimeout(Number(process.env.KICKMARK_SCREENS_TIMEOUT ?? 5 * 60 * 1000));
    await page.setViewportSize({ width: size[0], height: size[1] });
    const player = new Player(page);
    await page.goto('/?seed=7');
    await look(page, 'start', size);

    await player.click('#cmdNew');
    await expect(page.locator('#txtState')).toBeVisible();
    await look(page, 'setup', size);

    // A refused Start: the rules' sentence in a message box.
    await page.locator('#cmdStart').click();
    await page.locator('dialog[open]').waitFor();
    await look(page, 'message', size);
    await player.settle();

    await page.fill('#txtCareer', `screens${size[0]}`);
    await page.fill('#txtName', 'Sam Screens');
    await page.fill('#txtCity', 'Bendigo');
    await page.selectOption('#txtState', 'Victoria');
    await page.selectOption('#lstPosition', 'Centre-Half-Forward');
    await player.click('#cmdStart');
    await expect(page.locator('#frmContracts')).toBeVisible();
    await look(page, 'contracts', size);

    await player.click('#cmdOffer1');
    await page.locator('#cmdSign').click();
    await page.locator('dialog[open][data-kind="story"]').waitFor();
    await look(page, 'newspaper', size);
    await player.settle();
    await player.click('#cmdOK');
    await expect(page.locator('#frmMain')).toBeVisible();
    await look(page, 'hub', size);

    for (const [button, screen] of [
      ['#cmdTraining', 'training'],
      ['#cmdHealth', 'health'],
      ['#cmdStore', 'store'],
    ]) {
      await player.click(button);
      await expect(page.locator('.screen-shop')).toBeVisible();
      await look(page, screen, size);
      await player.click('#cmdCancel');
    }
    // A unit of marking bought: the arrow of the row it is on, OK, and the
    // hub shows the skill one up and the bank the row's rate down.
    const marking = Number(await player.text('#lblMarking'));
    const bank = Number(await player.text('#lblBankBalance'));
    // The training centre by its letter, as on the desktop.
    await player.settle();
    await page.keyboard.press('t');
    await expect(page.locator('#frmTraining')).toBeVisible();
    await player.click('#udMarkingUp');
    await expect(page.locator('#lblMarking')).toHaveText('1');
    const rate = Number(await player.text('#lblMarkingRate'));
    expect(Number(await player.text('#lblBalanceAfter'))).toBe(bank - rate);
    await player.click('#cmdOK');
    await expect(page.locator('#frmMain')).toBeVisible();
    expect(Number(await player.text('#lblMarking'))).toBe(marking + 1);
    expect(Number(await player.text('#lblBankBalance'))).toBe(bank - rate);

    await player.click('#cmdSponsorship');
    await look(page, 'sponsorship', size);
    await player.click('#cmdClose');

    await player.click('#cmdPlay');
    await expect(page.locator('#frmMatchRound')).toBeVisible();
    await look(page, 'round', size);
    while ((await page.locator('#frmMatch').count()) === 0) await player.click('#frmMatchRound #cmdStart');
    await look(page, 'match', size);
    for (let quarter = 0; quarter < 4; ++quarter) {
      await player.click('#frmMatch #cmdStart');
      await player.click('#cmdToSiren');
    }
    await look(page, 'match-fulltime', size);
    await player.click('#frmMatch #cmdOK');
    while (await page.locator('#frmMatchRound #cmdStart').isEnabled()) await player.click('#frmMatchRound #cmdStart');
    await look(page, 'round-over', size);
    await player.click('#frmMatchRound #cmdOK');
    await expect(page.locator('#frmMain')).toBeVisible();
    expect(await player.text('#lblMatches')).toBe('1');

    // The second week with Play all, his match at the Fast pace: it goes
    // through its quarters and breaks on its own and the round comes back
    // to its OK.
    if (size[0] !== 1920) return;
    await player.click('#cmdPlay');
    await player.click('#cmdPlayAll');
    await expect(page.locator('#frmMatch')).toBeVisible();
    await player.click('#cmdFast');
    await expect(page.locator('#cmdFast')).toHaveAttribute('aria-pressed', 'true');
    await expect(page.locator('#frmMatch')).toHaveAttribute('data-clock', 'fulltime', { timeout: 60_000 });
    await look(page, 'match-played-through', size);
    await player.click('#frmMatch #cmdOK');
    await expect(page.locator('#frmMatchRound #cmdOK')).toBeVisible({ timeout: 30_000 });
    await expect(page.locator('#frmMatchRound #cmdStart')).toBeDisabled();
  });
}

// While the clock runs the verdict waits for the siren and his figures only
// climb; the siren shows the match as it stands.
test('the match screen lets a quarter out minute by minute', async ({ page }) => {
  test.setTimeout(120_000);
  const player = new Player(page);
  await page.goto('/?seed=11');
  await player.click('#cmdNew');
  await page.fill('#txtCareer', 'reveal');
  await page.fill('#txtName', 'Ray Reveal');
  await page.fill('#txtCity', 'Hobart');
  await page.selectOption('#txtState', 'Tasmania');
  await page.selectOption('#lstPosition', 'Rover');
  for (const bar of ['#hsbKicking', '#hsbHandBalling', '#hsbTackling', '#hsbMarking', '#hsbRunning']) await page.fill(bar, '100');
  await player.click('#cmdStart');
  await player.click('#cmdOffer1');
  await player.click('#cmdSign');
  await player.click('#cmdOK');
  await player.click('#cmdPlay');
  while ((await page.locator('#frmMatch').count()) === 0) await player.click('#frmMatchRound #cmdStart');
  await player.click('#cmdNormal');
  const verdictBefore = await player.text('#lblComments');
  await page.locator('#frmMatch #cmdStart').click();
  await expect(page.locator('#frmMatch')).toHaveAttribute('data-clock', 'running');
  const seen: { time: number; disposals: number; comments: string; title: string }[] = [];
  while ((await page.locator('#frmMatch').getAttribute('data-clock')) !== 'break') {
    // One look at the screen as it stands, all its figures at once.
    seen.push(
      await page.evaluate(() => {
        const text = (selector: string): string => document.querySelector(selector)?.textContent?.trim() ?? '';
        return {
          time: Number(text('#frmMatch #lblTime')),
          disposals: Number(text('#frmMatch #lblDisposals')),
          comments: text('#lblComments'),
          title: text('#lblQuarterTitle'),
        };
      }),
    );
  }
  await player.settle();
  const atSiren = Number(await player.text('#frmMatch #lblDisposals'));
  const running = seen.filter((s) => s.time > 0 && s.time < 30);
  expect(running.length).toBeGreaterThan(5);
  for (let i = 1; i < running.length; ++i) expect(running[i].disposals).toBeGreaterThanOrEqual(running[i - 1].disposals);
  for (const s of running) {
    expect(s.comments).toBe(verdictBefore);
    expect(s.title).toBe('1ST QUARTER');
    expect(s.disposals).toBeLessThanOrEqual(atSiren);
  }
  // A player of every skill at 100 has the ball in the first quarter, so it climbs in view.
  expect(atSiren).toBeGreaterThan(0);
  expect(running[0].disposals).toBeLessThan(atSiren);
  expect(await player.text('#lblComments')).not.toBe(verdictBefore);
});
