// SPDX-License-Identifier: GPL-3.0-or-later
// The browser benchmarks' stage: the built site served as scripts/web
// serves it, on a free port, and Debian's chromium, headless, to open it.

import { chromium } from '@playwright/test';
import { serve } from './serve.mjs';

// Serves `site` and starts the browser. Resolves to the site's address, the
// browser, and `close()`, which stops both.
export async function openSite(site) {
  const server = await serve(site, 0);
  const url = `http://127.0.0.1:${server.address().port}/`;
  const browser = await chromium.launch({
    executablePath: process.env.KICKMARK_CHROMIUM ?? '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-dev-shm-usage'],
    headless: true,
  });
  return {
    url,
    browser,
    async close() {
      await browser.close();
      server.close();
    },
  };
}
