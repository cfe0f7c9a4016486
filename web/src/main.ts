// SPDX-License-Identifier: GPL-3.0-or-later
// The page: the engine's worker, then the screens over it.
import { createEngine } from './engine/client';
import { installHelp } from './help/help';
import { installEscape } from './keys';
import { keepForOffline, newVersionFirst } from './offline';
import { startApp } from './screens/app';
import './style.css';

// A browser short of disk may clear a site's storage unless the site asked
// to keep it. Once the browser holds a career, ask (Chromium answers by
// itself, from how the site is used; Firefox asks the player once).
async function keepCareers(client: Awaited<ReturnType<typeof createEngine>>): Promise<void> {
  if (!navigator.storage?.persist || (await navigator.storage.persisted())) return;
  const listed = await client.call('listCareers', {});
  if (Array.isArray(listed.careers) && listed.careers.length > 0) await navigator.storage.persist();
}

async function main(): Promise<void> {
  const root = document.getElementById('app')!;
  installHelp(document.getElementById('cmdHelp') as HTMLButtonElement);
  installEscape();
  if (await newVersionFirst()) return;
  const seedText = new URLSearchParams(location.search).get('seed');
  const seed = seedText !== null && /^\d+$/.test(seedText) ? Number(seedText) : null;
  try {
    const client = await createEngine({ seed });
    (window as unknown as { kickmark: unknown }).kickmark = client;
    if (client.lockedOut) {
      // One tab at a time holds the careers.
      root.textContent = client.lockedOut;
      root.setAttribute('role', 'alert');
      return;
    }
    startApp(client, root);
    keepForOffline();
    void keepCareers(client).catch(() => undefined);
  } catch (error) {
    root.textContent = error instanceof Error ? error.message : String(error);
    root.setAttribute('role', 'alert');
  }
}

void main();
