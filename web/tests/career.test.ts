// SPDX-License-Identifier: GPL-3.0-or-later
// Looking back: the start screen's hall of fame and the Career screen, over
// careers kickmark-sim made and Import brought in, against what kickmark-sim
// reads of the same files (hall-of-fame and log, as JSON).

import { mkdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import path from 'node:path';
import { expect, test, type Page } from '@playwright/test';
import { layoutProblems } from './helpers/layout';
import { asShown, expectCareerScreen, hallRows, scrapbookOf, type SimHallRow, type SimWeek } from './helpers/looking-back';
import { folderFiles, op, scratchFolder, sim, zipOf } from './support/engine';

// Three careers: a long one played to his retirement, one of two seasons and
// one of a few weeks, each in a folder of its own for Import.
const careers = [
  { career: 'legend', name: 'Gary Ablett', skills: '100,100,100,100,100', play: ['--to-end'] },
  { career: 'Journeyman', name: 'Bob Smith', skills: '50,50,50,50,50', play: ['--seasons', '2'] },
  { career: 'apprentice', name: 'Ted Whitten', skills: '70,40,60,30,80', play: ['--weeks', '5'] },
  { career: 'wreck', name: 'Sam Newman', skills: '30,30,30,30,30', play: ['--weeks', '3'] },
];
const folder = scratchFolder();
let hall: SimHallRow[] = [];
let legendLog: SimWeek[] = [];
const zips: Record<string, Record<string, Uint8Array>> = {};

test.beforeAll(() => {
  for (const [i, c] of careers.entries()) {
    const own = path.join(folder, c.career);
    mkdirSync(own);
    const made = [['new', '--career', c.career, '--name', c.name, '--city', 'Geelong', '--state', 'Victoria', '--position', 'Rover', '--skills', c.skills], ['play', '--career', c.career, '--policy', 'default', ...c.play]];
    for (const args of made) expect(sim(['--data-dir', own, '--no-sync', '--seed', String(5 + i), ...args]).code).toBe(0);
    zips[c.career] = folderFiles(own);
  }
  // A log with a line no reader takes: the row keeps only the sentence.
  const log = Buffer.from(zips.wreck['wreckLog.kml']).toString('utf8').split('\n');
  log.splice(1, 1, 'X\tnot a record');
  zips.wreck['wreckLog.kml'] = new Uint8Array(Buffer.from(log.join('\n'), 'utf8'));
  // The hall of fame of all three, as the native game reads them from one folder.
  for (const c of careers) for (const [name, bytes] of Object.entries(zips[c.career])) writeFileSync(path.join(folder, name), bytes);
  const read = sim(['--data-dir', folder, 'hall-of-fame', '--format', 'json']);
  hall = JSON.parse(read.out);
  legendLog = JSON.parse(sim(['--data-dir', folder, 'log', '--career', 'legend', '--format', 'json']).out).weeks;
});
test.afterAll(() => rmSync(folder, { recursive: true, force: true }));

async function importAll(page: Page): Promise<void> {
  await page.goto('/');
  await page.locator('#cmdNew').waitFor();
  for (const c of careers) {
    expect((await op(page, 'importCareer', { zipBase64: zipOf(zips[c.career]) })).error ?? '').toBe('');
  }
  await page.goto('/');
  await expect(page.locator('.hall')).toHaveAttribute('data-ready', 'true');
}

const kLevels = ['Local Reserves', 'Local Firsts', 'State', 'AFL'];

test('the hall of fame shows every career as kickmark-sim reads it, sorted by any column', async ({ page }) => {
  await importAll(page);
  expect(hall).toHaveLength(4);
  expect(hall.find((r) => r.career === 'wreck')?.damaged).toContain('wreckLog.kml');
  // First by career name, without regard to case.
  const byName = [...hall].sort((a, b) => a.career.localeCompare(b.career, undefined, { sensitivity: 'base' }));
  expect(await hallRows(page)).toEqual(byName.map(asShown));
  // A damaged row sorts as nobody, with nothing.
  const keys: [number, (r: SimHallRow) => number | string][] = [
    [0, (r) => r.career],
    [1, (r) => (r.damaged ? '' : r.player)],
    [2, (r) => r.seasons ?? -1],
    [3, (r) => r.matches ?? -1],
    [4, (r) => r.goals ?? -1],
    [5, (r) => r.brownlows ?? -1],
    [6, (r) => (r.damaged ? -1 : kLevels.indexOf(r.highestCompetition))],
    [7, (r) => r.peakOverall ?? -1],
  ];
  for (const [column, key] of keys) {
    const up = [...hall].sort((a, b) => {
      const x = key(a);
      const y = key(b);
      return typeof x === 'number' && typeof y === 'number' ? x - y : String(x).localeCompare(String(y), undefined, { sensitivity: 'base' });
    });
    const sort = page.locator('#grdCareers thead th').nth(column);
    if (column !== 0) await sort.locator('button').click();
    await expect(sort).toHaveAttribute('aria-sort', 'ascending');
    expect((await hallRows(page)).map((r) => r[column])).toEqual(up.map(asShown).map((r) => r[column]));
    await sort.locator('button').click();
    await expect(sort).toHaveAttribute('aria-sort', 'descending');
    expect((await hallRows(page)).map((r) => r[column])).toEqual(up.reverse().map(asShown).map((r) => r[column]));
  }
});

test('a career whose log cannot be read says why and stays on the start screen', async ({ page }) => {
  await importAll(page);
  await page.locator('#grdCareers button[data-career="wreck"]').click();
  await expect(page.locator('dialog[open] #dialogText')).toHaveText(hall.find((r) => r.career === 'wreck')!.damaged!);
  await page.locator('dialog[open] #cmdMsgOK').click();
  await expect(page.locator('#frmStart')).toBeVisible();
});

test('a career opened from the hall of fame: its charts, scrapbook, search, export and print', async ({ page }) => {
  await importAll(page);
  await page.locator('#grdCareers button[data-career="legend"]').click();
  // The scrapbook holds every story, award and move, and the search narrows it.
  await expectCareerScreen(page, 'Gary Ablett', legendLog);
  const kept = scrapbookOf(legendLog);
  // Words in a few of his stories (the second found in their texts, not their headlines), and in none.
  for (const [words, some] of [['Brownlow', true], ['kicked', true], ['no such words at all', false]] as const) {
    const found = kept.filter((e) => `${e.title}\n${e.text}`.toLowerCase().includes(words.toLowerCase()));
    expect(found.length > 0 && found.length < kept.length).toBe(some);
    await page.locator('#txtSearch').fill(words);
    await expect(page.locator('#lblFound')).toHaveText(`${found.length} of ${kept.length}`);
    await expect(page.locator('#grdScrapbook tbody tr:not([hidden])')).toHaveCount(found.length);
    if (found.length === 0) await expect(page.locator('#txtStory')).toHaveText('Nothing matches the search.');
    if (found.length < 2) continue;
    // Newest first; the arrow key steps to the one before, over the rows the search hid.
    await page.locator('#grdScrapbook tbody tr:not([hidden])').first().click();
    await expect(page.locator('#txtStory h3')).toHaveText(found[found.length - 1].title);
    await page.keyboard.press('ArrowDown');
    await expect(page.locator('#txtStory h3')).toHaveText(found[found.length - 2].title);
  }

  // Export: one page, needing nothing beside it, with his figures and every story.
  const [download] = await Promise.all([page.waitForEvent('download'), page.locator('#cmdExport').click()]);
  expect(download.suggestedFilename()).toBe('legend Career.html');
  const html = readFileSync((await download.path())!, 'utf8');
  const legend = hall.find((r) => r.career === 'legend')!;
  expect(html.match(/<html/g)).toHaveLength(1);
  expect(html).not.toMatch(/(src|href)="(?!data:)/);
  expect(html.match(/<img src="data:image\/png;base64,/g)).toHaveLength(4);
  expect(html).toContain(`<tr><th>Total</th><th>${legend.matches}</th>`);
  expect(html.match(/<h3>/g)).toHaveLength(kept.length);

  // Paper: the screen's controls and the charts' pointer stay off it.
  await page.emulateMedia({ media: 'print' });
  for (const hidden of ['#cmdExport', '#txtSearch', '#hsbSeasons', '.u-cursor-x']) await expect(page.locator(hidden).first()).toBeHidden();
  await expect(page.locator('#chtRating canvas')).toBeVisible();
  await page.emulateMedia({ media: 'screen' });

  // Close goes back to the start screen.
  await page.locator('#cmdClose').click();
  await expect(page.locator('#frmStart')).toBeVisible();

  // The open career's log (the hub's way in) is the same log.
  expect((await op(page, 'load', { career: 'legend' })).outcome).toBe('loaded');
  const running = await op(page, 'careerLog', {});
  expect(running.career.careerName).toBe('legend');
  expect(running.weeks.overall).toEqual(legendLog.map((w) => w.overall));
});

// At each size, nothing scrolls sideways, no text is cut and no control
// lies over another; the pictures are for the eye.
test('the hall of fame and the Career screen at a phone, a tablet and two laptops @slow', async ({ page }) => {
  await importAll(page);
  const look = async (picture: string, size: string) => {
    expect(await layoutProblems(page), `${picture} at ${size}`).toEqual([]);
    await page.screenshot({ path: `../build/web/screens/${picture}-${size}@1x.png`, fullPage: true });
  };
  for (const [width, height] of [[360, 640], [768, 1024], [1280, 720], [1920, 1080]]) {
    const size = `${width}x${height}`;
    await page.setViewportSize({ width, height });
    await page.goto('/');
    await expect(page.locator('.hall')).toHaveAttribute('data-ready', 'true');
    await look('hall-of-fame', size);
    for (const career of ['Journeyman', 'legend']) {
      await page.locator(`#grdCareers button[data-career="${career}"]`).click();
      await expect(page.locator('#frmCareer')).toHaveAttribute('data-ready', 'true');
      await look(`career-${career}`, size);
      await page.locator('#tabScrapbook').click();
      await look(`scrapbook-${career}`, size);
      await page.locator('#cmdClose').click();
    }
  }
  // On paper.
  await page.locator('#grdCareers button[data-career="legend"]').click();
  await expect(page.locator('#frmCareer')).toHaveAttribute('data-ready', 'true');
  await page.emulateMedia({ media: 'print' });
  await page.screenshot({ path: '../build/web/screens/career-print-1920x1080@1x.png', fullPage: true });
});
