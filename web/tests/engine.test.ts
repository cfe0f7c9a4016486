// SPDX-License-Identifier: GPL-3.0-or-later
// The rules' questions wait for the page: an op that asks stays open until
// the page answers, later ops wait behind it, and the answer decides what
// the rule does.

import { expect, test } from '@playwright/test';
import { answers, op, openEngine } from './support/engine';

const cases = [
  { answer: answers.careerName, outcome: 'loaded', hasCareer: true },
  { answer: null, outcome: 'cancelled', hasCareer: false },
  { answer: 'Nobody', outcome: 'failed', hasCareer: false },
];

for (const { answer, outcome, hasCareer } of cases) {
  test(`Load's file choice waits for the page, answered ${JSON.stringify(answer)}`, async ({ page }) => {
    await openEngine(page, 3);
    expect((await op(page, 'autoNew', { answers })).ok).toBe(true);
    await op(page, 'quit');
    await page.evaluate(() => {
      const w = window as any;
      w.prompts = [];
      w.settled = [];
      w.kickmark.setPromptHandler((prompt: any) => new Promise((resolve) => w.prompts.push({ prompt, resolve })));
      w.loading = w.kickmark.call('loadFromChoice', {}).then((r: any) => (w.settled.push('load'), r));
      w.after = w.kickmark.call('state', {}).then((r: any) => (w.settled.push('state'), r));
    });
    await page.waitForFunction(() => (window as any).prompts.length === 1);
    const prompt = await page.evaluate(() => (window as any).prompts[0].prompt);
    expect(prompt).toMatchObject({ kind: 'chooseFile', careers: [answers.careerName] });
    // Nothing goes ahead while the question is open.
    await page.waitForTimeout(300);
    expect(await page.evaluate(() => (window as any).settled)).toEqual([]);

    await page.evaluate((value) => (window as any).prompts[0].resolve(value), answer);
    const loaded = await page.evaluate(() => (window as any).loading);
    expect(loaded.outcome).toBe(outcome);
    if (outcome === 'failed') expect(loaded.error).not.toBe('');
    const after = await page.evaluate(() => (window as any).after);
    expect(after.state.hasCareer).toBe(hasCareer);
    expect(await page.evaluate(() => (window as any).settled)).toEqual(['load', 'state']);
  });
}

test('an op the game cannot take now is the page\'s fault, and the game goes on', async ({ page }) => {
  await openEngine(page, 3);
  const refused = await page.evaluate(() => (window as any).kickmark.call('play', {}).then(() => 'taken', (e: Error) => e.message));
  expect(refused).toBe('play needs a career');
  expect((await op(page, 'autoNew', { answers })).ok).toBe(true);
  expect((await op(page, 'autoWeek')).outcome).toBe('played');
});
