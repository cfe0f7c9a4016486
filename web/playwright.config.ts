// SPDX-License-Identifier: GPL-3.0-or-later
// The browser tests: Debian's chromium, headless, against the built site
// served as scripts/web serves it (with the isolation headers).
import { defineConfig } from '@playwright/test';

const port = Number(process.env.KICKMARK_TEST_PORT ?? 4780);

export default defineConfig({
  testDir: './tests',
  timeout: 120_000,
  // Two at a time: much of a browser test is the page waiting on the
  // match clock or the rules' worker, so a second test fills the gaps even
  // on two cores. Each test has a browser context, and so a storage, of its
  // own.
  fullyParallel: true,
  workers: Number(process.env.KICKMARK_BROWSER_WORKERS ?? 2),
  retries: 0,
  reporter: process.env.CI ? [['list']] : [['list']],
  use: {
    baseURL: `http://127.0.0.1:${port}/`,
    headless: true,
    launchOptions: {
      executablePath: process.env.KICKMARK_CHROMIUM ?? '/usr/bin/chromium',
      // CI runs as root, where chromium's sandbox cannot start.
      args: ['--no-sandbox', '--disable-dev-shm-usage'],
    },
  },
  webServer: {
    command: `node bench/serve.mjs ${process.env.KICKMARK_SITE_DIR ?? '../build/web/site'} ${port}`,
    url: `http://127.0.0.1:${port}/`,
    reuseExistingServer: !process.env.CI,
    timeout: 60_000,
  },
});
