// SPDX-License-Identifier: GPL-3.0-or-later
// A whole career by clicks alone, from the setup screen to his retirement,
// against kickmark-sim's transcript of the same career and seed: every
// week's scores and figures, every message, question and story in order,
// each contract and sponsor window as kickmark-sim's player meets them, and
// the record at the end; then the start screen's hall of fame and the
// Career screen of that career against kickmark-sim's reading of its files.

import { expect, test, type Page } from '@playwright/test';
import { asShown, expectCareerScreen, hallRows, type SimHallRow, type SimWeek } from './helpers/looking-back';
import { shownLines, simulate, weekLines, type Setup } from './helpers/sim';
import { expectHubRecord, expectWeekLines, Player } from './helpers/ui';

// A weak Rover who stays in the Local Reserves, signs there again, is
// asked in his twilight years about a new position, and retires at the
// close of his seventeenth season, 442 weeks: only a Local Reserves player
// of 30 or more retires, and one who spends nothing often wears his gear
// out before then.
const kSeed = 1;
const kSetup: Setup = {
  career: 'Lifetime',
  name: 'Ron Barassi',
  city: 'Geelong',
  state: 'Victoria',
  height: 185,
  weight: 85,
  position: 'Rover',
  skills: [20, 20, 20, 20, 20],
};
const kRetired = /^You have retired/;

// What the hub waits for before Play, read in one look.
async function hubWaits(page: Page): Promise<{ play: boolean; sponsorWindow: boolean; contract: boolean; retired: boolean }> {
  await expect(page.locator('#frmMain')).toBeVisible();
  return page.evaluate(() => {
    const on = (id: string): boolean => !(document.querySelector<HTMLButtonElement>(`#frmMain #${id}`)?.disabled ?? true);
    return {
      play: on('cmdPlay'),
      sponsorWindow: document.querySelector('#frmMain #cmdSponsorship')?.classList.contains('highlight') ?? false,
      contract: on('cmdContract'),
      retired: /^You have retired/.test(document.querySelector('#frmMain #lblWaiting')?.textContent ?? ''),
    };
  });
}

// On a phone held upright and on a laptop's page, each a test of its own.
for (const size of [
  { width: 360, height: 640 },
  { width: 1280, height: 720 },
]) {
  test(`a whole career by clicks at ${size.width}x${size.height}, setup to retirement, then its hall of fame and Career screen, as kickmark-sim has them @slow`, async ({ page }) => {
    test.setTimeout(25 * 60 * 1000);
    await page.setViewportSize(size);
    const sim = simulate(kSetup, kSeed, ['--to-end']);
    const expected = weekLines(sim.lines);
    expect(sim.lines[sim.lines.length - 1], 'kickmark-sim\'s career retires').toMatch(/\| retired$/);
    const player = new Player(page);

    // The setup screen and the first contract, with the seed kickmark-sim's
    // `new` had; then the page opened afresh with the seed its `play` had.
    await page.goto(`/?seed=${kSeed}`);
    await player.setUp(kSetup);
    await player.signBestOffer();
    await page.goto(`/?seed=${kSeed}`);
    await player.click('#cmdContinue');

    // Week after week as kickmark-sim's player goes: a sponsor window looked
    // at and closed, a contract that has run out signed again with the best
    // offer, then Play; until the hub says he has retired.
    const weeks: string[] = [];
    let windows = 0;
    let signings = 0;
    // One step for the lot: Playwright's runner looks through every step so
    // far for each call made outside a step, which over the thousands of
    // clicks of a career would cost more than the clicks.
    await test.step('week after week to his retirement', async () => {
      for (;;) {
        await player.settle();
        let hub = await hubWaits(page);
        if (hub.retired) break;
        expect(weeks.length, 'weeks played before he retires').toBeLessThan(expected.length);
        if (!hub.play && hub.sponsorWindow) {
          ++windows;
          await player.click('#cmdSponsorship');
          await player.click('#frmSponsorship #cmdClose');
          hub = await hubWaits(page);
        }
        if (!hub.play) {
          expect(hub.contract, `Play shut in week ${weeks.length + 1} with no contract to sign`).toBe(true);
          ++signings;
          await player.click('#cmdContract');
          await player.signBestOffer();
        }
        weeks.push(await player.playWeek({ playAll: true }));
      }
    });

    expectWeekLines(weeks, expected);
    expect(player.shown).toEqual(shownLines(sim.lines));
    // Each season's awards night, the contracts he signed again, and the end.
    const told = (start: string) => player.shown.filter((line) => line.startsWith(start)).length;
    const seasons = sim.lines.filter((line) => line.startsWith('season: ')).length;
    expect(told('message: The season is over and the annual awards night')).toBe(seasons);
    expect(signings).toBe(told('message: Your contract is over. Please negotiate a new one'));
    expect(windows).toBeGreaterThanOrEqual(seasons);
    expect(player.shown[player.shown.length - 1]).toMatch(/^message: After a long career, .* You retire /);
    await expectHubRecord(player, sim.show);
    await expect(page.locator('#lblWaiting')).toHaveText(kRetired);
    await expect(page.locator('#cmdPlay')).toBeDisabled();

    // Exit, Yes, to the start screen: his row in the hall of fame, retired.
    player.answerYes = /^Are you sure you want to quit/;
    await player.click('#cmdExit');
    await expect(page.locator('.hall')).toHaveAttribute('data-ready', 'true');
    const hall = sim.hall as SimHallRow[];
    expect(hall.map((r) => r.retired)).toEqual([true]);
    expect(await hallRows(page)).toEqual(hall.map(asShown));

    // His Career screen, opened from the hall of fame.
    await page.locator(`#grdCareers button[data-career="${kSetup.career}"]`).click();
    await expectCareerScreen(page, kSetup.name, sim.log.weeks as SimWeek[]);
  });
}
