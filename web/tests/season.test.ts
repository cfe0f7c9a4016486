// SPDX-License-Identifier: GPL-3.0-or-later
// A first season played by clicks alone, from setup to the awards night,
// against kickmark-sim's transcript of the same career and seed: the same
// scores, figures and ratings every week, the same messages, questions and
// stories in the same order, and the same record at the end.

import { expect, test } from '@playwright/test';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { layoutProblems } from './helpers/layout';
import { readdirSync, readFileSync, rmSync } from 'node:fs';
import { scratch, shownLines, simRun, simulateFirstSeason, weekLines, type Setup } from './helpers/sim';
import { op } from './support/engine';
import { expectHubRecord, expectWeekLines, importAndLoad, Player } from './helpers/ui';

const kSeed = 20261206;
const kSetup: Setup = {
  career: 'clickseason',
  name: 'Joe Clicker',
  city: 'Ballarat',
  state: 'Victoria',
  height: 188,
  weight: 82,
  position: 'Rover',
  skills: [60, 55, 40, 70, 50],
};
const kSeasonWeeks = 26;
const kPictures = fileURLToPath(new URL('../../build/web/screens/', import.meta.url));

test('a first season by clicks gives kickmark-sim\'s scores, ratings and messages @slow', async ({ page }) => {
  test.setTimeout(15 * 60 * 1000);
  const sim = simulateFirstSeason(kSetup, kSeed);
  const player = new Player(page);

  // The setup screen, with the seed kickmark-sim's `new` had, and the first contract.
  await page.goto(`/?seed=${kSeed}`);
  await player.setUp(kSetup);
  await player.signBestOffer();

  // Back with the seed kickmark-sim's `play` had: the page opened afresh and Continue.
  await page.goto(`/?seed=${kSeed}`);
  await player.click('#cmdContinue');
  await expect(page.locator('#frmMain')).toBeVisible();
  await expect(page.locator('#lblName')).toHaveText(kSetup.name);

  const weeks: string[] = [];
  let lookedAtOffers = false;
  for (let week = 0; week < kSeasonWeeks; ++week) {
    await player.settle();
    // A sponsor window holds Play: the sponsorship screen looked at and
    // closed. The first time, one slot's offers are looked at too, and left
    // with Cancel, which changes nothing.
    if (await page.locator('#cmdPlay').isDisabled()) {
      await player.click('#cmdSponsorship');
      if (!lookedAtOffers) {
        lookedAtOffers = true;
        await player.click('#shpJumper');
        await expect(page.locator('#frmSponsorJumper')).toBeVisible();
        await expect(page.locator('#frmSponsorJumper input[type="radio"]:checked')).toHaveCount(1);
        await page.screenshot({ path: path.join(kPictures, 'sponsor-offers-1280x720.png'), fullPage: true });
        expect(await layoutProblems(page), 'the offers screen').toEqual([]);
        await player.click('#frmSponsorJumper #cmdCancel');
      }
      await player.click('#cmdClose');
    }
    weeks.push(await player.playWeek());
  }
  const expected = weekLines(sim.lines);
  expectWeekLines(weeks, expected);

  // The same messages, questions and stories, in the same order, the awards night's among them.
  expect(player.shown).toEqual(shownLines(sim.lines));
  expect(player.shown.some((line) => line.includes('annual awards night'))).toBe(true);
  expect(expected.length).toBe(kSeasonWeeks);

  // The hub at the end shows the record kickmark-sim saved.
  await expectHubRecord(player, sim.show);
});

// The State League champion kickmark-sim makes from seed 8, played on to
// `seasons` whole seasons and `weeks` more: his files, for Import.
function champion(seasons: number, weeks: number, folder: string): Record<string, Uint8Array> {
  simRun(folder, ['--seed', '8', 'new', '--career', 'champion', '--name', 'Leigh Matthews', '--city', 'Perth', '--state', 'Western Australia', '--position', 'Centre', '--skills', '100,100,100,100,100']);
  simRun(folder, ['--seed', '8', 'play', '--career', 'champion', '--seasons', String(seasons), '--policy', 'default']);
  simRun(folder, ['--seed', '8', 'play', '--career', 'champion', '--weeks', String(weeks), '--policy', 'default']);
  const files: Record<string, Uint8Array> = {};
  for (const name of readdirSync(folder)) {
    if (!name.endsWith('.lock') && !name.endsWith('.txt.tmp')) files[name] = new Uint8Array(readFileSync(path.join(folder, name)));
  }
  return files;
}


// A State League career one week from its season's close, made by
// kickmark-sim and brought into the browser: the grand final's week by
// clicks, the awards night, the invitation, the draft camp session by
// session and the draft pick by pick, against kickmark-sim's transcript of
// the same week from the same files and seed.
test('the draft camp and the draft by clicks give kickmark-sim\'s sessions and pick', async ({ page }) => {
  test.setTimeout(3 * 60 * 1000);
  const folder = scratch();
  const files = champion(5, 25, folder);
  const lines = simRun(folder, ['--seed', '9', 'play', '--career', 'champion', '--weeks', '1', '--policy', 'passive'], 'last.txt');
  rmSync(folder, { recursive: true, force: true });
  const camp = lines.filter((l) => l.startsWith('camp: '));
  const draft = lines.filter((l) => l.startsWith('draft: '));
  expect(camp.length).toBeGreaterThan(6);
  expect(draft).toHaveLength(1);

  const player = new Player(page);
  await importAndLoad(player, files, 'champion', 9);
  await expect(page.locator('#lblLeague')).toHaveText('State');

  // The grand final's week: not his club's match.
  await player.click('#cmdPlay');
  while (await page.locator('#frmMatchRound #cmdStart').isEnabled()) await player.click('#frmMatchRound #cmdStart');
  await player.click('#frmMatchRound #cmdOK');

  // The camp comes up over the hub, and each Start is a session.
  await expect(page.locator('#frmDraftCamp')).toBeVisible();
  const sessions: string[] = [];
  while (await page.locator('#frmDraftCamp #cmdStart').isEnabled()) {
    await player.click('#frmDraftCamp #cmdStart');
    const test = Number(await player.text('#lblTest'));
    let line = await player.text('#lblActivity');
    if (test >= 1 && test <= 6) {
      line += `: ${await player.text('#lblResult')} ${await player.text('#lblUnit')}, rank ${await player.text('#lblRank')}`;
    } else if (test > 6) {
      line += `: average rank ${await player.text('#lblRankAverage')}`;
    }
    sessions.push(`camp: ${line} | ${await player.text('#frmDraftCamp #lblComments')}`);
  }
  expect(sessions).toEqual(camp);
  await page.screenshot({ path: path.join(kPictures, 'camp-1280x720.png'), fullPage: true });
  expect(await layoutProblems(page), 'the camp').toEqual([]);

  // The draft, pick after pick until a club takes him.
  await player.click('#frmDraftCamp #cmdOK');
  await expect(page.locator('#frmDraft')).toBeVisible();
  await page.screenshot({ path: path.join(kPictures, 'draft-1280x720.png'), fullPage: true });
  expect(await layoutProblems(page), 'the draft').toEqual([]);
  // The clubs' order of picking, as the rules keep it, the club on the
  // clock marked as each pick is made.
  const order = await page.locator('#lstDraftOrder li').allTextContents();
  expect(new Set(order).size).toBe(16);
  let pick = 0;
  while ((await page.locator('#frmDraft').count()) > 0) {
    pick = Number(await player.text('#lblPick')) + 1;
    await player.click('#cmdPick');
    if ((await page.locator('#frmDraft').count()) === 0) break;
    await expect(page.locator('#lstDraftOrder li[aria-current]')).toHaveText(order[(pick - 1) % 16]);
  }
  await expect(page.locator('#frmMain')).toBeVisible();
  expect(`draft: pick ${pick} by ${await player.text('#lblTeam')}`).toBe(draft[0]);
  await expect(page.locator('#lblLeague')).toHaveText('AFL');
  await expect(page.locator('#cmdPlay')).toBeEnabled();
  expect(player.shown).toEqual(shownLines(lines));
});

// A career at the close where his body has matured: a Yes to the question
// brings New Position up over the hub, and the position picked is the one
// the hub shows and the save keeps; a load finds it there.
test('a Yes at the season\'s close lets him pick his new position @slow', async ({ page }) => {
  test.setTimeout(3 * 60 * 1000);
  const folder = scratch();
  const files = champion(6, 25, folder);
  rmSync(folder, { recursive: true, force: true });
  const player = new Player(page);
  player.answerYes = /fully matured/;
  player.newPosition = 'Full Forward';
  await importAndLoad(player, files, 'champion', 9);
  await expect(page.locator('#lblPosition')).toHaveText('Centre');

  await player.click('#cmdPlay');
  while (await page.locator('#frmMatchRound #cmdStart').isEnabled()) {
    await player.click('#frmMatchRound #cmdStart');
    if ((await page.locator('#frmMatch').count()) === 0) continue;
    for (let quarter = 0; quarter < 4; ++quarter) {
      await player.click('#frmMatch #cmdStart');
      await player.click('#cmdToSiren');
    }
    await player.click('#frmMatch #cmdOK');
  }
  await player.click('#frmMatchRound #cmdOK');
  expect(player.shown.some((line) => line.includes('fully matured') && line.endsWith('-> Yes'))).toBe(true);
  await expect(page.locator('#lblPosition')).toHaveText('Full Forward');
  expect((await op(page, 'record', {})).record.Position).toBe('Full Forward');
});
