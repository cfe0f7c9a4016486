// SPDX-License-Identifier: GPL-3.0-or-later
// The page: the engine's worker, then the screens over it.
import { createEngine } from './engine/client';
import { installHelp } from './help/help';
import { installEscape } from './keys';
import { keepForOffline, newVersionFirst } from './offline';
import { startApp } from './screens/app';
import './style.css';

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
  } catch (error) {
    root.textContent = error instanceof Error ? error.message : String(error);
    root.setAttribute('role', 'alert');
  }
}

void main();
