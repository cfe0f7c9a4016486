// SPDX-License-Identifier: GPL-3.0-or-later
// The match screen and the shops as a player uses them in a first week and
// the second: a unit bought, Play all at the Fast pace, and a quarter let
// out minute by minute. (Every screen at every size is the walk's.)

import { expect, test } from '@playwright/test';
import { Player } from './helpers/ui';

// A new career's first week as a player makes it: a unit of marking bought
// by its row's arrow, then the week with Play all, his match at the Fast
// pace going through its quarters and breaks on its own.
test('a unit bought, and Play all plays his match through @slow', async ({ page }) => {
  test.setTimeout(Number(process.env.KICKMARK_SCREENS_TIMEOUT ?? 5 * 60 * 1000));
  const player = new Player(page);
  await page.goto('/?seed=7');
  await player.click('#cmdNew');
  await page.fill('#txtCareer', 'shopper');
  await page.fill('#txtName', 'Sam Shopper');
  await page.fill('#txtCity', 'Bendigo');
  await page.selectOption('#txtState', 'Victoria');
  await page.selectOption('#lstPosition', 'Centre-Half-Forward');
  await player.click('#cmdStart');
  await player.click('#cmdOffer1');
  await player.click('#cmdSign');
  await player.click('#cmdOK');
  await expect(page.locator('#frmMain')).toBeVisible();

  // The hub shows the skill one up and the bank the row's rate down.
  const marking = Number(await player.text('#lblMarking'));
  const bank = Number(await player.text('#lblBankBalance'));
  await player.click('#cmdTraining');
  await player.click('#udMarkingUp');
  await expect(page.locator('#lblMarking')).toHaveText('1');
  const rate = Number(await player.text('#lblMarkingRate'));
  expect(Number(await player.text('#lblBalanceAfter'))).toBe(bank - rate);
  await player.click('#cmdOK');
  await expect(page.locator('#frmMain')).toBeVisible();
  expect(Number(await player.text('#lblMarking'))).toBe(marking + 1);
  expect(Number(await player.text('#lblBankBalance'))).toBe(bank - rate);

  await player.click('#cmdPlay');
  await player.click('#cmdPlayAll');
  await expect(page.locator('#frmMatch')).toBeVisible();
  await player.click('#cmdFast');
  await expect(page.locator('#cmdFast')).toHaveAttribute('aria-pressed', 'true');
  await expect(page.locator('#frmMatch')).toHaveAttribute('data-clock', 'fulltime', { timeout: 60_000 });
  await player.click('#frmMatch #cmdOK');
  await expect(page.locator('#frmMatchRound #cmdOK')).toBeVisible({ timeout: 30_000 });
  await expect(page.locator('#frmMatchRound #cmdStart')).toBeDisabled();
  await player.click('#frmMatchRound #cmdOK');
  await expect(page.locator('#frmMain')).toBeVisible();
  expect(await player.text('#lblMatches')).toBe('1');
});

// While the clock runs the verdict waits for the siren and his figures only
// climb; the siren shows the match as it stands.
test('the match screen lets a quarter out minute by minute @slow', async ({ page }) => {
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
