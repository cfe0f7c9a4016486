// SPDX-License-Identifier: GPL-3.0-or-later
// The site's icons, from the desktop's icon tool: its scalable icon as it is,
// and the sizes a browser installs a web app with, drawn from it by Chromium.
// Run after a desktop build; the results are kept in web/public/icons/.
//
//   node web/scripts/icons.mjs [kickmark-icons binary]   (default: build/debug/src/app/kickmark-icons)

import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync, copyFileSync, mkdirSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from '@playwright/test';

const here = path.dirname(fileURLToPath(import.meta.url));
const tool = process.argv[2] ?? path.join(here, '../../build/debug/src/app/kickmark-icons');
const out = path.join(here, '../public/icons');
const work = mkdtempSync(path.join(tmpdir(), 'kickmark-icons-'));
try {
  execFileSync(tool, [work, 'kickmark'], { stdio: 'inherit', env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } });
  mkdirSync(out, { recursive: true });
  const svgFile = path.join(work, 'hicolor/scalable/apps/kickmark.svg');
  copyFileSync(svgFile, path.join(out, 'kickmark.svg'));
  // The tool's own pixels where it paints the size.
  copyFileSync(path.join(work, 'hicolor/32x32/apps/kickmark.png'), path.join(out, 'kickmark-32.png'));
  copyFileSync(path.join(work, 'hicolor/256x256/apps/kickmark.png'), path.join(out, 'kickmark-256.png'));
  const svg = readFileSync(svgFile, 'utf8');
  const browser = await chromium.launch({ executablePath: process.env.KICKMARK_CHROMIUM ?? '/usr/bin/chromium', args: ['--no-sandbox'] });
  try {
    for (const size of [180, 192, 512]) {
      const page = await browser.newPage({ viewport: { width: size, height: size } });
      const data = `data:image/svg+xml;base64,${Buffer.from(svg).toString('base64')}`;
      await page.setContent(`<html><body style="margin:0;background:transparent"><img src="${data}" width="${size}" height="${size}" style="display:block"></body></html>`);
      await page.locator('img').evaluate((img) => img.decode());
      writeFileSync(path.join(out, `kickmark-${size}.png`), await page.screenshot({ omitBackground: true }));
      await page.close();
    }
  } finally {
    await browser.close();
  }
} finally {
  rmSync(work, { recursive: true, force: true });
}
