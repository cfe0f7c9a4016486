// SPDX-License-Identifier: GPL-3.0-or-later
// The browser's figures, in one run (benchmarks: nothing here passes or
// fails on a time):
//   - a season in headless Chromium: the work of BM_Season/sync:0 (a new
//     career's first season, the passive player, files unflushed) through
//     the WebAssembly, against the native kickmark_bench's BM_Season/sync:0
//     on the same machine, as a ratio;
//   - the first paint of the site from the local server;
//   - what a first visit downloads, compressed (help pictures excluded).
//
//   node web/bench/season.mjs        (scripts/web --bench builds what it needs first)
// Environment: KICKMARK_SITE_DIR (build/web/site), KICKMARK_NATIVE_BENCH
// (build/release/bench/kickmark_bench), KICKMARK_CHROMIUM (/usr/bin/chromium),
// KICKMARK_BENCH_SEASONS (9).

import { execFileSync } from 'node:child_process';
import { existsSync, readFileSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';
import { openSite } from './browser.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const site = process.env.KICKMARK_SITE_DIR ?? path.join(here, '../../build/web/site');
const nativeBench = process.env.KICKMARK_NATIVE_BENCH ?? path.join(here, '../../build/release/bench/kickmark_bench');
const seasons = Number(process.env.KICKMARK_BENCH_SEASONS ?? 9);

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const { url, browser, close } = await openSite(site);
try {
  // First visit: a fresh profile, nothing cached.
  const context = await browser.newContext();
  const page = await context.newPage();
  const downloads = [];
  // Each file fetched, at the size the server sends it (gzip -9).
  page.on('response', (response) => {
    const pathname = new URL(response.url()).pathname;
    const file = path.join(site, pathname.endsWith('/') ? `${pathname}index.html` : pathname);
    if (!existsSync(file)) return;
    downloads.push({ url: response.url(), type: response.headers()['content-type'] ?? '', bytes: gzipSync(readFileSync(file), { level: 9 }).length });
  });
  await page.goto(url);
  await page.waitForFunction(() => window.kickmark !== undefined, null, { timeout: 60_000 });
  await page.waitForLoadState('networkidle');
  const paint = await page.evaluate(() => {
    const entries = Object.fromEntries(performance.getEntriesByType('paint').map((e) => [e.name, e.startTime]));
    return { firstPaint: entries['first-paint'], firstContentfulPaint: entries['first-contentful-paint'] };
  });
  const counted = downloads.filter((d) => !(d.type.startsWith('image/') && /help/i.test(d.url)));
  const total = counted.reduce((sum, d) => sum + d.bytes, 0);

  // The season, a few times; the first compiles and warms the engine.
  const weeks = (await page.evaluate(() => window.kickmark.call('benchSeason', { seed: 7 }))).weeks;
  const browserMs = [];
  for (let run = 0; run < seasons; ++run) {
    browserMs.push((await page.evaluate(() => window.kickmark.call('benchSeason', { seed: 7 }))).ms);
  }
  // The same season as the player's page plays it: op by op through the
  // client, each week's files copied to IndexedDB before the next.
  const storedMs = [];
  for (let run = 0; run < Math.min(seasons, 3); ++run) {
    storedMs.push(
      await page.evaluate(async (run) => {
        const k = window.kickmark;
        const answers = { careerName: `Bench${run}`, name: `Jack Riley ${run}`, city: 'Ballarat', state: 'Victoria', position: 'Rover', kicking: 30, handballing: 30, tackling: 30, marking: 30, running: 30 };
        const started = performance.now();
        if (!(await k.call('autoNew', { answers })).ok) throw new Error('the career could not be made');
        for (let week = 0; week < 40; ++week) {
          const played = await k.call('autoWeek', { policy: 'passive' });
          if (played.outcome !== 'played') throw new Error(played.reason);
          if (played.seasonClosed) break;
        }
        return performance.now() - started;
      }, run),
    );
  }
  await context.close();

  console.log('First visit, compressed (gzip -9 as the local server sends it):');
  for (const d of counted) console.log(`  ${String(d.bytes).padStart(9)}  ${new URL(d.url).pathname}`);
  console.log(`  ${String(total).padStart(9)}  in all (${(total / 1024 / 1024).toFixed(2)} MB; the aim is at most 1 MB)`);
  console.log(`First paint: ${paint.firstPaint?.toFixed(0)} ms, first contentful paint: ${paint.firstContentfulPaint?.toFixed(0)} ms (the aim is within 1 s)`);
  const inBrowser = median(browserMs);
  console.log(`A season (${weeks} weeks) in Chromium (BM_Season/sync:0's work): median ${inBrowser.toFixed(1)} ms of ${seasons} (${browserMs.map((m) => m.toFixed(0)).join(', ')})`);
  console.log(`The same season op by op, each week into IndexedDB and the spare copy: median ${median(storedMs).toFixed(1)} ms (${storedMs.map((m) => m.toFixed(0)).join(', ')})`);
  if (existsSync(nativeBench)) {
    const report = JSON.parse(
      execFileSync(nativeBench, ['--benchmark_filter=^BM_Season/sync:0$', '--benchmark_format=json', '--benchmark_repetitions=5', '--benchmark_report_aggregates_only=true'], { encoding: 'utf8' }),
    );
    const row = report.benchmarks.find((b) => b.aggregate_name === 'median') ?? report.benchmarks[0];
    const nativeMs = row.real_time * ({ ns: 1e-6, us: 1e-3, ms: 1, s: 1e3 }[row.time_unit] ?? 1);
    console.log(`A season natively (kickmark_bench BM_Season/sync:0): median ${nativeMs.toFixed(1)} ms`);
    console.log(`Browser / native: ${(inBrowser / nativeMs).toFixed(2)}x (the aim is within 2x)`);
  } else {
    console.log(`No native figure: ${nativeBench} is not built (cmake --preset release && cmake --build --preset release --target kickmark_bench).`);
  }
} finally {
  await close();
}
