// SPDX-License-Identifier: GPL-3.0-or-later
// Looking back in the browser, timed (nothing here passes or fails on a time):
//   - the Career screen of a 40-season career, from the hall of fame's click
//     to the charts drawn (the aim is within 200 ms);
//   - its scrapbook's tab, the first time (the table is made then);
//   - the start screen's hall of fame of 200 careers, from the Career
//     screen's Close to the table drawn (the aim is within 500 ms).
// Each is timed in the page, from the click to the first frame after the
// screen says it is ready, a few times over; the median is given.
//
//   node web/bench/career.mjs
// Environment: KICKMARK_SITE_DIR (build/web/site), KICKMARK_SIM (the debug
// build's kickmark-sim), KICKMARK_CHROMIUM (/usr/bin/chromium),
// KICKMARK_BENCH_CAREERS (a folder of careers kickmark-sim made, reused;
// build/web/bench-careers, made when missing: a few minutes),
// KICKMARK_BENCH_SOURCES (40: the careers played, copied to make 200).
//
// The careers are kickmark-sim's: career n is seeded n and asked for
// 1 + (7n mod 27) seasons (some retire before), and the 200 are the played
// careers again and again under new career names. The rules retire a player
// before his 40th season (the longest kickmark-sim plays is about 27), so
// the 40-season career is a career played to his retirement whose log goes
// on with his first seasons again, renumbered, up to season 40, with the
// save's age to match.

import { execFileSync } from 'node:child_process';
import { existsSync, mkdirSync, readFileSync, readdirSync, writeFileSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { zipSync } from 'fflate';
import { openSite } from './browser.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const site = process.env.KICKMARK_SITE_DIR ?? path.join(here, '../../build/web/site');
const simulator = process.env.KICKMARK_SIM ?? path.join(here, '../../build/debug/src/sim/kickmark-sim');
const careers = process.env.KICKMARK_BENCH_CAREERS ?? path.join(here, '../../build/web/bench-careers');
const sources = Number(process.env.KICKMARK_BENCH_SOURCES ?? 40);
const kCareers = 200;
const kSeasons = 40;
const kAgeLine = 6; // of the save, from 0
const kCareerNameLine = 388;

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const sim = (args) => execFileSync(simulator, ['--data-dir', careers, '--no-sync', ...args], { stdio: ['ignore', 'pipe', 'pipe'] });

function make() {
  mkdirSync(careers, { recursive: true });
  const made = (name) => existsSync(path.join(careers, `${name}.kms`));
  const setup = (name, player, seed, skills) => ['--seed', String(seed), 'new', '--career', name, '--name', player, '--city', 'Ballarat', '--state', 'Victoria', '--position', 'Rover', '--skills', skills];
  if (!made('legend')) {
    sim(setup('legend', 'Gary Ablett', 5, '100,100,100,100,100'));
    sim(['--seed', '5', 'play', '--career', 'legend', '--to-end', '--policy', 'default']);
  }
  for (let n = 1; n <= sources; ++n) {
    if (made(`c${n}`)) continue;
    sim(setup(`c${n}`, `Player ${n}`, n, '60,60,60,60,60'));
    try {
      sim(['--seed', String(n), 'play', '--career', `c${n}`, '--seasons', String(1 + ((n * 7) % 27)), '--policy', 'default']);
    } catch {
      // He retired before the seasons asked for: the career is as long as he played.
    }
  }
}

// A career's files by name: the save, fixture, results and log, and the player's histories.
function filesOf(name) {
  const save = readFileSync(path.join(careers, `${name}.kms`), 'latin1');
  const player = JSON.parse(save.split(/\r?\n/)[0]);
  const files = {};
  for (const file of readdirSync(careers)) {
    if (file.startsWith(name) && /^(\.kms|Fixture\.kmf|Results\.kmr|Log\.kml)$/.test(file.slice(name.length))) files[file] = readFileSync(path.join(careers, file));
    if (file === `${player} Season History.txt` || file === `${player} Career History.txt`) files[file] = readFileSync(path.join(careers, file));
  }
  return files;
}

// The same career under another career name.
function renamed(files, from, to) {
  const out = {};
  for (const [file, bytes] of Object.entries(files)) {
    let name = file.startsWith(from) ? to + file.slice(from.length) : file;
    let data = bytes;
    if (file === `${from}.kms`) {
      const lines = bytes.toString('latin1').split('\r\n');
      lines[kCareerNameLine] = `"${to}"`;
      data = Buffer.from(lines.join('\r\n'), 'latin1');
    }
    out[name] = new Uint8Array(data);
  }
  return out;
}

// The retired legend's log stretched to 40 seasons: his first seasons again
// after his last, renumbered; the save aged to match.
function fortySeasons(files) {
  const log = Buffer.from(files['legendLog.kml']).toString('utf8').split('\n');
  const records = log.filter((l) => l.startsWith('W\t') || l.startsWith('E\t'));
  const last = Math.max(...records.map((l) => Number(l.split('\t')[1])));
  const more = [];
  for (let season = last + 1; season <= kSeasons; ++season) {
    const from = season - last;
    for (const l of records) {
      const fields = l.split('\t');
      if (Number(fields[1]) !== from) continue;
      fields[1] = String(season);
      more.push(fields.join('\t'));
    }
  }
  const text = `${log.filter((l) => l !== '').join('\n')}\n${more.join('\n')}\n`;
  const save = Buffer.from(files['legend.kms']).toString('latin1').split('\r\n');
  save[kAgeLine] = `"${13 + kSeasons}"`;
  return { ...files, 'legendLog.kml': new Uint8Array(Buffer.from(text, 'utf8')), 'legend.kms': new Uint8Array(Buffer.from(save.join('\r\n'), 'latin1')) };
}

make();
const played = [];
for (let n = 1; n <= sources; ++n) played.push(filesOf(`c${n}`));
const zips = [zipSync(fortySeasons(filesOf('legend')))];
for (let i = 1; i <= kCareers - 1; ++i) zips.push(zipSync(renamed(played[(i - 1) % sources], `c${((i - 1) % sources) + 1}`, `Career ${i}`)));

const { url, browser, close } = await openSite(site);
try {
  const page = await (await browser.newContext({ viewport: { width: 1280, height: 720 } })).newPage();
  await page.goto(url);
  await page.waitForFunction(() => window.kickmark !== undefined, null, { timeout: 60_000 });
  for (const zip of zips) {
    const imported = await page.evaluate(async (bytes) => window.kickmark.call('importCareer', { zip: new Uint8Array(bytes) }), [...zip]);
    if (!imported.ok) throw new Error(imported.error);
  }
  await page.goto(url);
  await page.waitForSelector('.hall[data-ready="true"]', { timeout: 120_000 });
  const rows = await page.locator('#grdCareers tbody tr').count();
  const seasons = await page.locator('#grdCareers button[data-career="legend"]').locator('xpath=../..').locator('td').nth(1).textContent();

  // In the page: from a click to the first frame after `ready` is on screen.
  const timed = (click, ready) =>
    page.evaluate(
      ([click, ready]) =>
        new Promise((resolve) => {
          const started = performance.now();
          document.querySelector(click).click();
          const check = () => (document.querySelector(ready) ? requestAnimationFrame(() => resolve(performance.now() - started)) : requestAnimationFrame(check));
          check();
        }),
      [click, ready],
    );
  const careerMs = [];
  const scrapbookMs = [];
  const hallMs = [];
  for (let run = 0; run < 7; ++run) {
    careerMs.push(await timed('#grdCareers button[data-career="legend"]', '#frmCareer[data-ready="true"]'));
    scrapbookMs.push(await timed('#tabScrapbook', '#pgeScrapbook:not([hidden]) #grdScrapbook tbody tr'));
    hallMs.push(await timed('#cmdClose', '.hall[data-ready="true"]'));
  }
  // Of which the rules' part: the op alone, read in the worker and carried back.
  const opMs = await page.evaluate(async () => {
    const times = [];
    for (let run = 0; run < 7; ++run) {
      const started = performance.now();
      await window.kickmark.call('hallOfFame', {});
      times.push(performance.now() - started);
    }
    return times;
  });
  const entries = await page.evaluate(async () => {
    document.querySelector('#grdCareers button[data-career="legend"]').click();
    while (!document.querySelector('#frmCareer[data-ready="true"]')) await new Promise((r) => setTimeout(r, 10));
    document.querySelector('#tabScrapbook').click();
    return document.querySelector('#lblFound').textContent;
  });
  console.log(`Hall of fame: ${rows} careers; the Career screen's career: ${seasons} seasons.`);
  console.log(`The Career screen of a ${kSeasons}-season career: median ${median(careerMs).toFixed(1)} ms (${careerMs.map((m) => m.toFixed(0)).join(', ')}; the aim is within 200 ms)`);
  console.log(`Its scrapbook (${entries}), the tab opened the first time: median ${median(scrapbookMs).toFixed(1)} ms (${scrapbookMs.map((m) => m.toFixed(0)).join(', ')})`);
  console.log(`The hall of fame of ${rows} careers: median ${median(hallMs).toFixed(1)} ms (${hallMs.map((m) => m.toFixed(0)).join(', ')}; the aim is within 500 ms), of which the hallOfFame op alone: median ${median(opMs).toFixed(1)} ms`);
} finally {
  await close();
}
