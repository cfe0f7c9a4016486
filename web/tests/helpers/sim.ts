// SPDX-License-Identifier: GPL-3.0-or-later
// The native kickmark-sim, run for the same career and seed as a browser
// test, and what its transcript says.

import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

// The simulator of the native debug build, or the one KICKMARK_SIM names.
export function simPath(): string {
  const named = process.env.KICKMARK_SIM;
  if (named) return named;
  const built = fileURLToPath(new URL('../../../build/debug/src/sim/kickmark-sim', import.meta.url));
  if (!existsSync(built)) {
    throw new Error(`kickmark-sim not found at ${built}: build it (cmake --build --preset debug --target kickmark-sim) or set KICKMARK_SIM`);
  }
  return built;
}

export interface Setup {
  career: string;
  name: string;
  city: string;
  state: string;
  height: number;
  weight: number;
  position: string;
  skills: [number, number, number, number, number];
}

export interface SimRun {
  // Every line of `new`'s transcript, then every line of `play`'s.
  lines: string[];
  show: Record<string, unknown>;
  // `hall-of-fame` and `log` of the folder, as JSON.
  hall: unknown[];
  log: { weeks: unknown[] };
}

function run(folder: string, seed: number, transcript: string, args: string[]): void {
  execFileSync(simPath(), ['--data-dir', folder, '--no-sync', '--seed', String(seed), '--transcript', transcript, ...args], {
    stdio: ['ignore', 'pipe', 'pipe'],
  });
}

function read(folder: string, args: string[], encoding: 'latin1' | 'utf8'): unknown {
  return JSON.parse(execFileSync(simPath(), ['--data-dir', folder, ...args], { encoding, maxBuffer: 256 << 20 }));
}

// `new`, then `play` with `play` (`--policy passive` and how far), each a
// process of its own seeded with `seed`, as the browser test makes the
// career and then comes back to it with the same seed.
export function simulate(setup: Setup, seed: number, play: string[]): SimRun {
  const folder = mkdtempSync(path.join(tmpdir(), 'kickmark-season-'));
  const first = path.join(folder, 'new.txt');
  const second = path.join(folder, 'play.txt');
  run(folder, seed, first, [
    'new',
    '--career', setup.career,
    '--name', setup.name,
    '--city', setup.city,
    '--state', setup.state,
    '--height', String(setup.height),
    '--weight', String(setup.weight),
    '--position', setup.position,
    '--skills', setup.skills.join(','),
  ]);
  run(folder, seed, second, ['play', '--career', setup.career, '--policy', 'passive', ...play]);
  const lines = [first, second].flatMap((file) => readFileSync(file, 'latin1').split('\n').filter((l) => l !== ''));
  const show = read(folder, ['show', '--career', setup.career], 'latin1') as Record<string, unknown>;
  const hall = read(folder, ['hall-of-fame', '--format', 'json'], 'utf8') as unknown[];
  const log = read(folder, ['log', '--career', setup.career, '--format', 'json'], 'utf8') as { weeks: unknown[] };
  rmSync(folder, { recursive: true, force: true });
  return { lines, show, hall, log };
}

export function simulateFirstSeason(setup: Setup, seed: number): SimRun {
  return simulate(setup, seed, ['--seasons', '1']);
}

// The lines of what the player was shown and asked, in order.
export function shownLines(lines: string[]): string[] {
  return lines.filter((l) => /^(message|question|story)[ :]/.test(l));
}

// The week lines: "ROUND ONE MATCHES | Club 12.10 (82) v Other 9.8 (62), won | disposals 18, goals 2, rating 7.2".
export function weekLines(lines: string[]): string[] {
  return lines.filter((l) => l.startsWith('week: ')).map((l) => l.slice('week: '.length));
}

// A text made fit for one transcript line, as kickmark-sim writes it.
export function escapeForTranscript(text: string): string {
  return text.replace(/\\/g, '\\\\').replace(/\r\n|\r|\n/g, '\\n');
}

// Runs kickmark-sim with these arguments in `folder`; its transcript's lines
// when `transcript` is given.
export function simRun(folder: string, args: string[], transcript?: string): string[] {
  const t = transcript ? path.join(folder, transcript) : null;
  execFileSync(simPath(), ['--data-dir', folder, ...(t ? ['--transcript', t] : []), ...args], { stdio: ['ignore', 'pipe', 'pipe'] });
  return t ? readFileSync(t, 'latin1').split('\n').filter((l) => l !== '') : [];
}

export function scratch(): string {
  return mkdtempSync(path.join(tmpdir(), 'kickmark-draft-'));
}
