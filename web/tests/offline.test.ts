// SPDX-License-Identifier: GPL-3.0-or-later
// The game offline: after one visit the site opens with the network cut and
// a week plays; a new version of the site waits for the next start, and does
// not take over while another tab has the game open.
//
// Each test serves its own copy of the built site, so that it can cut the
// server off for good and put a new version in its place.

import { expect, test, type BrowserContext, type Page } from '@playwright/test';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import type { Server } from 'node:http';
import type { AddressInfo } from 'node:net';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { Player } from './helpers/ui';

const kSite = process.env.KICKMARK_SITE_DIR ?? fileURLToPath(new URL('../../build/web/site', import.meta.url));

interface Site {
  folder: string;
  url: string;
  stop(): Promise<void>;
  // Serves the folder afresh on the same port (the server keeps what it packed).
  restart(): Promise<void>;
}

// A copy of the built site, served as scripts/web serves it.
async function serveCopy(): Promise<Site> {
  const folder = mkdtempSync(path.join(tmpdir(), 'kickmark-offline-'));
  cpSync(kSite, folder, { recursive: true });
  const serveModule = new URL('../bench/serve.mjs', import.meta.url).href;
  const { serve } = (await import(serveModule)) as { serve(folder: string, port: number): Promise<Server> };
  let server = await serve(folder, 0);
  const port = (server.address() as AddressInfo).port;
  const site: Site = {
    folder,
    url: `http://127.0.0.1:${port}/`,
    async stop() {
      server.closeAllConnections();
      await new Promise((resolve) => server.close(resolve));
    },
    async restart() {
      await site.stop();
      server = await serve(folder, port);
    },
  };
  return site;
}

// The service worker of the page has kept its files and answers the site.
async function keptForOffline(page: Page): Promise<void> {
  await expect
    .poll(() => page.evaluate(async () => (await navigator.serviceWorker.getRegistration())?.active?.state ?? 'none'), { timeout: 60_000 })
    .toBe('activated');
}

async function cacheNames(page: Page): Promise<string[]> {
  return page.evaluate(async () => (await caches.keys()).filter((name) => name.startsWith('kickmark-')).sort());
}

// A new career and its first week, by clicks: the hub counts the match.
async function playFirstWeek(page: Page): Promise<void> {
  const player = new Player(page);
  await player.click('#cmdNew');
  await page.fill('#txtCareer', 'offline');
  await page.fill('#txtName', 'Ollie Offline');
  await page.fill('#txtCity', 'Geelong');
  await page.selectOption('#txtState', 'Victoria');
  await page.selectOption('#lstPosition', 'Rover');
  await player.click('#cmdStart');
  await player.click('#cmdOffer1');
  await player.click('#cmdSign');
  await player.click('#cmdOK');
  await expect(page.locator('#frmMain')).toBeVisible();
  await player.click('#cmdPlay');
  while ((await page.locator('#frmMatch').count()) === 0) await player.click('#frmMatchRound #cmdStart');
  for (let quarter = 0; quarter < 4; ++quarter) {
    await player.click('#frmMatch #cmdStart');
    await player.click('#cmdToSiren');
  }
  await player.click('#frmMatch #cmdOK');
  while (await page.locator('#frmMatchRound #cmdStart').isEnabled()) await player.click('#frmMatchRound #cmdStart');
  await player.click('#frmMatchRound #cmdOK');
  await expect(page.locator('#frmMain')).toBeVisible();
  expect(await player.text('#lblMatches')).toBe('1');
}

let site: Site;
test.beforeEach(async () => {
  site = await serveCopy();
});
test.afterEach(async () => {
  await site.stop().catch(() => {});
  rmSync(site.folder, { recursive: true, force: true });
});

test('after one visit the game opens with the network cut and a week plays', async ({ page, context }) => {
  test.setTimeout(180_000);
  await page.goto(`${site.url}?seed=5`);
  await expect(page.locator('#frmStart')).toBeVisible();
  await keptForOffline(page);
  // A browser that installs web apps finds nothing missing to install it.
  const devtools = await context.newCDPSession(page);
  const { installabilityErrors } = (await devtools.send('Page.getInstallabilityErrors')) as { installabilityErrors: { errorId: string }[] };
  // (The test's own browser window is a private one, which installs nothing.)
  expect(installabilityErrors.map((e) => e.errorId).filter((id) => id !== 'in-incognito')).toEqual([]);
  const manifest = (await devtools.send('Page.getAppManifest')) as { errors: { message: string }[] };
  expect(manifest.errors.map((e) => e.message)).toEqual([]);

  // No server and no network: everything comes from the service worker.
  await site.stop();
  await context.setOffline(true);
  await page.reload();
  await expect(page.locator('#frmStart')).toBeVisible();
  expect(await page.evaluate(() => navigator.serviceWorker.controller !== null)).toBe(true);
  // Its answers keep the page isolated: the engine's shared memory works.
  expect(await page.evaluate(() => crossOriginIsolated)).toBe(true);
  await playFirstWeek(page);

  // The week was kept in the browser: the next start goes on with it.
  await page.reload();
  await new Player(page).click('#cmdContinue');
  await expect(page.locator('#frmMain')).toBeVisible();
  expect(await new Player(page).text('#lblMatches')).toBe('1');
});

// Counts, in each page, the times another version of the site took it over.
async function watchTakeOvers(context: BrowserContext): Promise<void> {
  await context.addInitScript(() => {
    const w = window as unknown as { takeOvers: number };
    w.takeOvers = 0;
    navigator.serviceWorker?.addEventListener('controllerchange', () => ++w.takeOvers);
  });
}

test('a new version of the site waits for the next start, and for the last other tab to close @slow', async ({ context }) => {
  test.setTimeout(180_000);
  await watchTakeOvers(context);
  const first = await context.newPage();
  await first.goto(site.url);
  await keptForOffline(first);
  const [oldCache] = await cacheNames(first);
  expect(oldCache).toMatch(/^kickmark-/);
  await first.reload();
  await expect(first.locator('#frmStart')).toBeVisible();

  // A new version is put on the server while the game is open: it installs
  // beside the old one and waits; the open game keeps the old one.
  const swFile = path.join(site.folder, 'sw.js');
  writeFileSync(swFile, readFileSync(swFile, 'utf8').replace(/const kVersion = "[^"]*";/, 'const kVersion = "next";'));
  await site.restart();
  await first.evaluate(async () => (await navigator.serviceWorker.getRegistration())!.update());
  await expect.poll(() => first.evaluate(async () => (await navigator.serviceWorker.getRegistration())?.waiting?.state ?? 'none')).toBe('installed');
  expect(await cacheNames(first)).toEqual([oldCache, 'kickmark-next'].sort());
  expect(await first.evaluate(() => (window as unknown as { takeOvers: number }).takeOvers)).toBe(0);

  // A second tab starting while the first is open: the old version still,
  // in both.
  const second = await context.newPage();
  await second.goto(site.url);
  await expect(second.locator('#app[role="alert"]')).toBeVisible();
  await expect.poll(() => second.evaluate(async () => (await navigator.serviceWorker.getRegistration())?.waiting?.state ?? 'none')).toBe('installed');
  for (const page of [first, second]) expect(await page.evaluate(() => (window as unknown as { takeOvers: number }).takeOvers)).toBe(0);

  // Both closed, the next start is the new version's, and the old one's files go.
  await first.close();
  await second.close();
  const next = await context.newPage();
  await next.goto(site.url);
  await expect(next.locator('#frmStart')).toBeVisible();
  await expect.poll(() => cacheNames(next)).toEqual(['kickmark-next']);
  expect(await next.evaluate(async () => (await navigator.serviceWorker.getRegistration())?.waiting ?? null)).toBeNull();
  expect(await next.evaluate(() => crossOriginIsolated)).toBe(true);
});
