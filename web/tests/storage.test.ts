// SPDX-License-Identifier: GPL-3.0-or-later
// Careers kept in the browser and lost never: the tab closed or the whole
// browser killed at a random moment of a week leaves the career at the
// week before or the week after, file for file, and it plays on; a week
// the page was told is done is never lost, even to a kill the moment the
// answer comes. Which of
// the two is checked exactly: the week before is the export taken before
// the week; the week after is what the same week, from the same files and
// seed, gives in a browser of its own that nobody kills.

import { chromium, expect, test, type BrowserContext, type Page } from '@playwright/test';
import { appendFileSync, cpSync, mkdtempSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { answers, exportFiles, op, openEngine, zipOf } from './support/engine';

const kTrials = Number(process.env.KICKMARK_KILL_TRIALS ?? 50);
const kSeed = 77;
const career = answers.careerName;
const port = Number(process.env.KICKMARK_TEST_PORT ?? 4780);
const baseURL = `http://127.0.0.1:${port}/`;
const launchArgs = ['--no-sandbox', '--disable-dev-shm-usage'];
const executablePath = process.env.KICKMARK_CHROMIUM ?? '/usr/bin/chromium';

type Files = Record<string, Uint8Array>;

function same(a: Files, b: Files): boolean {
  const names = Object.keys(a).sort();
  if (names.join('\n') !== Object.keys(b).sort().join('\n')) return false;
  return names.every((name) => Buffer.from(a[name]).equals(Buffer.from(b[name])));
}

// The processes of the browser running on `profile`: its own first, then
// its renderers, storage and other helpers (those with a --type).
function profileProcesses(profile: string): { pid: number; main: boolean }[] {
  const found: { pid: number; main: boolean }[] = [];
  for (const entry of readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    let line = '';
    try {
      line = readFileSync(`/proc/${entry}/cmdline`, 'latin1');
    } catch {
      continue;
    }
    const args = line.split('\0');
    if (args.some((a) => a === `--user-data-dir=${profile}`)) found.push({ pid: Number(entry), main: !args.some((a) => a.startsWith('--type=')) });
  }
  return found.sort((a, b) => Number(b.main) - Number(a.main));
}

// The whole browser killed at once, its storage and renderers with it, as
// a crash of the machine or the system's out-of-memory killer would: what
// they had not written yet is lost, and a write half done stays half done.
// The processes are found before the week starts: looking through /proc
// at the moment of the kill would make the kill late on a busy machine.
function killBrowser(pids: number[]): void {
  for (const pid of pids) {
    try {
      process.kill(pid, 'SIGKILL');
    } catch {
      // gone already
    }
  }
}

// A killed browser's helpers end when they find it gone, which on a busy
// machine takes a moment; a browser started again meanwhile would find its
// storage still held by them. A player starts it again after they are gone.
async function allGone(profile: string): Promise<void> {
  for (let tries = 0; tries < 200 && profileProcesses(profile).length > 0; ++tries) {
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  for (const { pid } of profileProcesses(profile)) {
    try {
      process.kill(pid, 'SIGKILL');
    } catch {
      // gone already
    }
  }
}

async function launch(profile: string): Promise<{ context: BrowserContext; page: Page }> {
  const context = await chromium.launchPersistentContext(profile, { executablePath, args: launchArgs, headless: true, baseURL });
  const page = context.pages()[0] ?? (await context.newPage());
  return { context, page };
}

async function loaded(page: Page, at = ''): Promise<void> {
  await openEngine(page, kSeed);
  const result = await op(page, 'load', { career });
  // On a failure, the files the browser kept say which copy was lost.
  const kept = result.outcome === 'loaded' ? '' : ` (files kept: ${JSON.stringify((await op(page, 'files')).files)})`;
  expect(result, `${at}${result.error}${kept}`).toMatchObject({ outcome: 'loaded' });
}

test('the tab closed or the browser killed at any moment of a week leaves the week before or after @slow', async () => {
  test.setTimeout(kTrials * 20_000 + 60_000);
  const profile = mkdtempSync(path.join(tmpdir(), 'kickmark-profile-'));
  // Clean browsers for the week after, each with storage of its own.
  const reference = await chromium.launch({ executablePath, args: launchArgs, headless: true });
  try {
    let { context, page } = await launch(profile);
    await openEngine(page, kSeed);
    expect((await op(page, 'autoNew', { answers })).ok).toBe(true);
    await loaded(page);
    // How long a week takes in the page, its files' copy to IndexedDB
    // included, to spread the kills over it.
    const weekMs = await page.evaluate(async () => {
      const started = performance.now();
      await (window as any).kickmark.call('autoWeek', {});
      return performance.now() - started;
    });
    // Every trial's week is the first of a page load, as the clean browser's is.
    await loaded(page);

    const tally = { before: 0, after: 0, tabClosed: 0, browserKilled: 0, atAnswer: 0 };
    for (let trial = 0; trial < kTrials; ++trial) {
      const before = await exportFiles(page, career);
      const placeBefore = (await op(page, 'state')).state.place;
      // In turn: the tab closed at a random moment, the browser killed at
      // a random moment, the browser killed the moment the page is told the
      // week is done.
      const kind = (['tab', 'browser', 'atAnswer'] as const)[trial % 3];
      const wholeBrowser = kind !== 'tab';
      const processes = profileProcesses(profile);
      expect(processes.some((p) => p.main), 'the browser process').toBe(true);
      const pids = processes.map((p) => p.pid);
      // Squared, so that kills fall more often early in the week, before its
      // files are in: on a busy machine the rest of the week takes longer
      // than its measured length.
      const delay = kind === 'atAnswer' ? weekMs * 10 : Math.random() ** 2 * weekMs * 1.2;
      // The week is under way once this comes back; nobody waits for its
      // end, but the page says when it was told the week is done.
      let told = false;
      let killed = false;
      page.on('console', (message) => {
        if (message.text() !== 'kickmark: week done') return;
        told = true;
        if (kind === 'atAnswer' && !killed) {
          killed = true;
          killBrowser(pids);
        }
      });
      await page.evaluate(() => {
        (window as any).kickmark.call('autoWeek', {}).then(() => console.debug('kickmark: week done'), () => undefined);
      });
      await new Promise((resolve) => setTimeout(resolve, delay));
      // A week the page was told is done is kept, whatever comes after.
      const toldBeforeKill = told;
      if (wholeBrowser) {
        if (!killed) killBrowser(pids);
        killed = true;
        await context.close().catch(() => undefined);
        await allGone(profile);
        ({ context, page } = await launch(profile));
        tally[kind === 'atAnswer' ? 'atAnswer' : 'browserKilled']++;
      } else {
        await page.close({ runBeforeUnload: false });
        page = await context.newPage();
        tally.tabClosed++;
      }
      await loaded(page, `trial ${trial} (${kind}): `);
      const now = await exportFiles(page, career);
      const place = (await op(page, 'state')).state.place;
      if (same(now, before)) {
        expect(toldBeforeKill, `trial ${trial}: a week the page was told is done was lost`).toBe(false);
        expect(place).toEqual(placeBefore);
        tally.before++;
        continue;
      }
      // The week after: the same week played from the week before's files,
      // with the same seed, in a browser nobody touches.
      const clean = await reference.newContext({ baseURL });
      const other = await clean.newPage();
      await openEngine(other, kSeed);
      expect((await op(other, 'importCareer', { zipBase64: zipOf(before) })).ok).toBe(true);
      expect(await op(other, 'load', { career })).toMatchObject({ outcome: 'loaded' });
      expect((await op(other, 'autoWeek')).outcome).toBe('played');
      const after = await exportFiles(other, career);
      await clean.close();
      expect(same(now, after), `trial ${trial}: neither the week before (${JSON.stringify(placeBefore)}) nor the week after; now at ${JSON.stringify(place)}`).toBe(true);
      tally.after++;
    }
    // And it plays on.
    expect((await op(page, 'autoWeek')).outcome).toBe('played');
    console.log(`kill trials: ${JSON.stringify(tally)}, a week took ${Math.round(weekMs)} ms`);
    // Both outcomes happen: kills land before and after a week's files go
    // in (over enough trials for chance not to leave one out).
    if (kTrials >= 30) {
      expect(tally.before).toBeGreaterThan(0);
      expect(tally.after).toBeGreaterThan(0);
    }
    await context.close();
  } finally {
    await reference.close();
    rmSync(profile, { recursive: true, force: true });
  }
});

// The profile's two copies of the careers: IndexedDB's folder for this
// site, and the private file system's.
const indexedDb = (profile: string): string => path.join(profile, 'Default', 'IndexedDB', `http_127.0.0.1_${port}.indexeddb.leveldb`);
const fileSystem = (profile: string): string => path.join(profile, 'Default', 'File System');

// Each way one copy can be lost while the browser is down: the careers come
// back at their latest week, and the copy lost is made again (so that
// losing the other copy next loses nothing either).
const losses: { name: string; lose: (profile: string, weekBefore: string) => void; other: (profile: string) => void }[] = [
  {
    // A kill in the middle of IndexedDB's log: a record whose check fails
    // at the end of it. Chromium answers it at the start by deleting the
    // site's IndexedDB ("IndexedDB recovering from a corrupted (and
    // deleted) database" in its log).
    name: "IndexedDB's log torn",
    lose: (profile) => {
      const folder = indexedDb(profile);
      const log = readdirSync(folder).filter((name) => name.endsWith('.log')).sort().at(-1)!;
      appendFileSync(path.join(folder, log), Buffer.from([0xde, 0xad, 0xbe, 0xef, 4, 0, 1, 0x61, 0x62, 0x63, 0x64]));
    },
    other: (profile) => rmSync(fileSystem(profile), { recursive: true }),
  },
  {
    name: 'the private file system deleted',
    lose: (profile) => rmSync(fileSystem(profile), { recursive: true }),
    other: (profile) => rmSync(indexedDb(profile), { recursive: true }),
  },
  {
    name: 'IndexedDB a week behind the spare copy',
    lose: (profile, weekBefore) => {
      rmSync(indexedDb(profile), { recursive: true });
      cpSync(weekBefore, indexedDb(profile), { recursive: true });
    },
    other: (profile) => rmSync(fileSystem(profile), { recursive: true }),
  },
];

for (const { name, lose, other } of losses) {
  test(`${name} while the browser is down loses no week`, async () => {
    const profile = mkdtempSync(path.join(tmpdir(), 'kickmark-profile-'));
    const weekBefore = mkdtempSync(path.join(tmpdir(), 'kickmark-idb-'));
    try {
      let { context, page } = await launch(profile);
      await openEngine(page, kSeed);
      expect((await op(page, 'autoNew', { answers })).ok).toBe(true);
      await loaded(page);
      expect((await op(page, 'autoWeek')).outcome).toBe('played');
      await context.close();
      cpSync(indexedDb(profile), weekBefore, { recursive: true });
      ({ context, page } = await launch(profile));
      await loaded(page);
      expect((await op(page, 'autoWeek')).outcome).toBe('played');
      const latest = await exportFiles(page, career);
      await context.close();

      for (const [step, damage] of [lose, other].entries()) {
        damage(profile, weekBefore);
        ({ context, page } = await launch(profile));
        await loaded(page, `after loss ${step + 1}: `);
        expect(same(await exportFiles(page, career), latest), `after loss ${step + 1}: the latest week`).toBe(true);
        await context.close();
      }
      ({ context, page } = await launch(profile));
      await loaded(page);
      expect((await op(page, 'autoWeek')).outcome).toBe('played');
      await context.close();
    } finally {
      rmSync(profile, { recursive: true, force: true });
      rmSync(weekBefore, { recursive: true, force: true });
    }
  });
}

test('a second tab is told the careers are open in the first, and the first plays on', async ({ browser }) => {
  const context = await browser.newContext();
  const first = await context.newPage();
  await openEngine(first, 5);
  expect((await op(first, 'autoNew', { answers })).ok).toBe(true);
  const second = await context.newPage();
  await second.goto('/?seed=5');
  await second.waitForFunction(() => (window as any).kickmark !== undefined);
  expect(await second.evaluate(() => (window as any).kickmark.lockedOut)).toBe(
    'Kickmark is open in another tab of this browser. Close it there first, then reload this page.',
  );
  expect((await op(first, 'autoWeek')).outcome).toBe('played');
  // Closing the first tab frees the careers for the second, on a reload.
  await first.close();
  await openEngine(second, 5);
  expect(await second.evaluate(() => (window as any).kickmark.lockedOut)).toBeNull();
  expect(await op(second, 'listCareers')).toMatchObject({ careers: [career] });
  await context.close();
});
