// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's client driven from a test: the page's own window.kickmark,
// every question answered as kickmark-sim answers it (No), and the files
// kickmark-sim keeps on the desktop.

import { execFileSync, spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readdirSync, readFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import type { Page } from '@playwright/test';
import { unzipSync, zipSync } from 'fflate';

export const answers = {
  careerName: 'Riley',
  name: 'Jack Riley',
  city: 'Ballarat',
  state: 'Victoria',
  position: 'Rover',
  height: 185,
  weight: 85,
  kicking: 60,
  handballing: 55,
  tackling: 40,
  marking: 70,
  running: 50,
};

// Opens the site with the rules seeded, once the engine is ready.
export async function openEngine(page: Page, seed: number): Promise<void> {
  await page.goto(`/?seed=${seed}`);
  await page.waitForFunction(() => (window as any).kickmark !== undefined, null, { timeout: 60_000 });
  await page.evaluate(() => {
    (window as any).kickmark.setPromptHandler(async (p: any) => (p.kind === 'askYesNo' ? false : p.kind === 'chooseFile' ? null : undefined));
  });
}

// One op; an exported zip comes back as base64, and a zip to import goes as base64.
export async function op(page: Page, name: string, args: Record<string, unknown> = {}): Promise<any> {
  return page.evaluate(
    async ([name, args]) => {
      const a: any = { ...args };
      if (typeof a.zipBase64 === 'string') {
        a.zip = Uint8Array.from(atob(a.zipBase64), (c) => c.charCodeAt(0));
        delete a.zipBase64;
      }
      const result: any = await (window as any).kickmark.call(name, a);
      if (result.zip instanceof Uint8Array) {
        let text = '';
        for (const byte of result.zip) text += String.fromCharCode(byte);
        result.zipBase64 = btoa(text);
        delete result.zip;
      }
      return result;
    },
    [name, args] as const,
  );
}

export async function exportFiles(page: Page, career: string): Promise<Record<string, Uint8Array>> {
  const exported = await op(page, 'exportCareer', { career });
  return unzipSync(Buffer.from(exported.zipBase64, 'base64'));
}

export function zipOf(files: Record<string, Uint8Array>): string {
  return Buffer.from(zipSync(files)).toString('base64');
}

// The native kickmark-sim: KICKMARK_SIM, or the debug build's.
export function simPath(): string {
  const named = process.env.KICKMARK_SIM ?? path.resolve(fileURLToPath(new URL('.', import.meta.url)), '../../../build/debug/src/sim/kickmark-sim');
  if (!existsSync(named)) throw new Error(`kickmark-sim not found at ${named}: build the debug preset or set KICKMARK_SIM`);
  return named;
}

export function sim(args: string[]): { code: number; out: string; err: string } {
  const run = spawnSync(simPath(), args, { encoding: 'utf8' });
  return { code: run.status ?? -1, out: run.stdout, err: run.stderr };
}

export function scratchFolder(): string {
  return mkdtempSync(path.join(tmpdir(), 'kickmark-web-'));
}

export function folderFiles(folder: string): Record<string, Uint8Array> {
  const files: Record<string, Uint8Array> = {};
  for (const name of readdirSync(folder)) {
    if (!name.endsWith('.lock')) files[name] = new Uint8Array(readFileSync(path.join(folder, name)));
  }
  return files;
}

export { execFileSync };
