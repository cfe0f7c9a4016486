// SPDX-License-Identifier: GPL-3.0-or-later
// Careers that move between the browser and the desktop: the same seed
// gives kickmark-sim's files byte for byte in either direction, an export
// is what `kickmark-sim show` reads, and a file that is no career is
// refused with its sentence, leaving the browser's careers as they were.

import { expect, test } from '@playwright/test';
import { mkdirSync, writeFileSync } from 'node:fs';
import path from 'node:path';
import { answers, exportFiles, folderFiles, op, openEngine, scratchFolder, sim, zipOf } from './support/engine';

const skills = [answers.kicking, answers.handballing, answers.tackling, answers.marking, answers.running].join(',');
const newArgs = ['new', '--career', answers.careerName, '--name', answers.name, '--city', answers.city, '--state', answers.state, '--position', answers.position, '--skills', skills];

function writeFiles(folder: string, files: Record<string, Uint8Array>): void {
  for (const [name, bytes] of Object.entries(files)) writeFileSync(path.join(folder, name), bytes);
}

function expectSameFiles(browser: Record<string, Uint8Array>, desktop: Record<string, Uint8Array>): void {
  expect(Object.keys(browser).sort()).toEqual(Object.keys(desktop).sort());
  for (const name of Object.keys(desktop)) {
    expect(Buffer.from(browser[name]).equals(Buffer.from(desktop[name])), `${name} differs`).toBe(true);
  }
}

// Weeks enough to close the first season: its histories are written then.
const kWeeks = 28;

test('a career played in the browser is kickmark-sim\'s, file for file, and show prints its record', async ({ page }) => {
  await openEngine(page, 41);
  expect((await op(page, 'autoNew', { answers })).ok).toBe(true);
  // kickmark-sim seeds each run afresh: so does each load of the page.
  await openEngine(page, 42);
  expect(await op(page, 'load', { career: answers.careerName })).toMatchObject({ outcome: 'loaded' });
  for (let week = 0; week < kWeeks; ++week) expect((await op(page, 'autoWeek')).outcome).toBe('played');
  const browser = await exportFiles(page, answers.careerName);
  expect(Object.keys(browser).some((name) => name.endsWith('Season History.txt'))).toBe(true);

  const desktop = scratchFolder();
  expect(sim(['--data-dir', desktop, '--seed', '41', ...newArgs]).code).toBe(0);
  expect(sim(['--data-dir', desktop, '--seed', '42', 'play', '--career', answers.careerName, '--weeks', String(kWeeks)]).code).toBe(0);
  expectSameFiles(browser, folderFiles(desktop));

  // The export, unpacked on the desktop, shows what the browser shows.
  const unpacked = scratchFolder();
  writeFiles(unpacked, browser);
  const shown = sim(['--data-dir', unpacked, 'show', '--career', answers.careerName]);
  expect(shown.err).toBe('');
  expect(JSON.parse(shown.out)).toEqual((await op(page, 'record')).record);
});

test('a career made by kickmark-sim imports and plays on in the browser as it would on the desktop', async ({ page }) => {
  const desktop = scratchFolder();
  expect(sim(['--data-dir', desktop, '--seed', '7', ...newArgs]).code).toBe(0);
  expect(sim(['--data-dir', desktop, '--seed', '8', 'play', '--career', answers.careerName, '--weeks', '5']).code).toBe(0);
  const made = folderFiles(desktop);

  await openEngine(page, 9);
  const imported = await op(page, 'importCareer', { zipBase64: zipOf(made) });
  expect(imported).toMatchObject({ ok: true, career: answers.careerName });
  expect((await op(page, 'listCareers')).careers).toEqual([answers.careerName]);
  expect((await op(page, 'load', { career: answers.careerName })).outcome).toBe('loaded');
  for (let week = 0; week < 3; ++week) expect((await op(page, 'autoWeek')).outcome).toBe('played');

  expect(sim(['--data-dir', desktop, '--seed', '9', 'play', '--career', answers.careerName, '--weeks', '3']).code).toBe(0);
  expectSameFiles(await exportFiles(page, answers.careerName), folderFiles(desktop));
});

test('a damaged or foreign file is refused with its sentence and changes nothing', async ({ page }) => {
  const desktop = scratchFolder();
  expect(sim(['--data-dir', desktop, '--seed', '3', ...newArgs]).code).toBe(0);
  const good = folderFiles(desktop);
  const save = `${answers.careerName}.kms`;
  // A save cut short: the rules' own sentence for it is kickmark-sim's.
  const cut = { ...good, [save]: good[save].slice(0, good[save].length >> 1) };
  const cutFolder = scratchFolder();
  writeFiles(cutFolder, cut);
  const cutSentence = sim(['--data-dir', cutFolder, 'show', '--career', answers.careerName]).err.trim();
  expect(cutSentence).not.toBe('');
  const zipBytes = Buffer.from(zipOf(good), 'base64');

  const refusals: { what: string; zip: string; sentence: string | RegExp }[] = [
    { what: 'not a zip', zip: Buffer.from('Kickmark career, honest').toString('base64'), sentence: 'This file is damaged or is not a zip file: no career can be read from it.' },
    { what: 'a zip cut short', zip: zipBytes.subarray(0, zipBytes.length - 30).toString('base64'), sentence: 'This file is damaged or is not a zip file: no career can be read from it.' },
    { what: 'no save in it', zip: zipOf({ 'notes.txt': new TextEncoder().encode('hello') }), sentence: 'This file holds no Kickmark career: there is no save file (.kms) in it.' },
    { what: 'two saves', zip: zipOf({ ...good, 'Other.kms': good[save] }), sentence: /^This file holds more than one career \(.*\): import one career at a time\.$/ },
    { what: 'a save cut short', zip: zipOf(cut), sentence: cutSentence },
    { what: 'a stranger among its files', zip: zipOf({ ...good, 'notes.txt': new Uint8Array([1]) }), sentence: `This file holds files that are not the career ${answers.careerName}'s: notes.txt.` },
  ];

  await openEngine(page, 1);
  // A career of the browser's own, which no refusal may touch.
  const mine = { ...answers, careerName: 'Mine', name: 'Tom Wills' };
  expect((await op(page, 'autoNew', { answers: mine })).ok).toBe(true);
  await op(page, 'quit');
  const before = await exportFiles(page, 'Mine');
  for (const refusal of refusals) {
    const result = await op(page, 'importCareer', { zipBase64: refusal.zip });
    expect(result.ok, refusal.what).toBe(false);
    if (typeof refusal.sentence === 'string') expect(result.error, refusal.what).toBe(refusal.sentence);
    else expect(result.error, refusal.what).toMatch(refusal.sentence);
    expect((await op(page, 'listCareers')).careers, refusal.what).toEqual(['Mine']);
  }
  expectSameFiles(await exportFiles(page, 'Mine'), before);

  // A career of a name the browser has already is kept apart until asked to replace it.
  const again = await op(page, 'importCareer', { zipBase64: zipOf(good) });
  expect(again.ok).toBe(true);
  const twice = await op(page, 'importCareer', { zipBase64: zipOf(good) });
  expect(twice).toMatchObject({ ok: false, error: `A career called ${answers.careerName} is in this browser already. Delete it first, or import it to replace it.` });
  expect((await op(page, 'importCareer', { zipBase64: zipOf(good), replace: true })).ok).toBe(true);
  mkdirSync(desktop, { recursive: true });
});
