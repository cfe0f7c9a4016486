// SPDX-License-Identifier: GPL-3.0-or-later
// Driving the browser's screens as a player would: clicks, and the rules'
// dialogs answered as kickmark-sim's player answers them (OK, No, the paper
// closed), each written down as kickmark-sim's transcript writes it.

import { expect, type Locator, type Page } from '@playwright/test';
import { op, zipOf } from '../support/engine';
import { escapeForTranscript } from './sim';

const kProgramTitle = 'Kickmark';

function titleTag(title: string): string {
  return title === '' || title === kProgramTitle ? '' : ` [${escapeForTranscript(title)}]`;
}

export class Player {
  // What the player was shown and asked, as transcript lines.
  readonly shown: string[] = [];

  // Questions answered Yes (every other one No), and the position picked on
  // New Position (none: Cancel).
  answerYes: RegExp | null = null;
  newPosition: string | null = null;

  constructor(readonly page: Page) {}

  // Answers every dialog that comes until the page is still: no op with the
  // rules and no dialog open, twice in a row.
  async settle(): Promise<void> {
    let still = 0;
    for (let rounds = 0; still < 2; ++rounds) {
      if (rounds > 20000) throw new Error('the page never came to rest');
      // A box of the screens (an award list, the about box) is not the rules' to answer.
      const dialog = this.page.locator('dialog[open]:not([data-kind="box"])');
      if ((await dialog.count()) > 0) {
        still = 0;
        await this.answer(dialog.first());
        continue;
      }
      const busy = await this.page.locator('#app, [data-busy]').first().getAttribute('data-busy');
      if (busy === 'true') {
        still = 0;
        await this.page.waitForTimeout(5);
        continue;
      }
      ++still;
      await this.page.waitForTimeout(10);
    }
  }

  private async answer(dialog: Locator): Promise<void> {
    const kind = await dialog.getAttribute('data-kind');
    const serial = await dialog.getAttribute('data-serial');
    const title = (await dialog.getAttribute('data-title')) ?? '';
    if (kind === 'inform') {
      this.shown.push(`message${titleTag(title)}: ${escapeForTranscript(await dialog.locator('#dialogText').textContent() ?? '')}`);
      await dialog.locator('#cmdMsgOK').click();
    } else if (kind === 'question') {
      const text = (await dialog.locator('#dialogText').textContent()) ?? '';
      const yes = this.answerYes?.test(text) ?? false;
      this.shown.push(`question${titleTag(title)}: ${escapeForTranscript(text)} -> ${yes ? 'Yes' : 'No'}`);
      await dialog.locator(yes ? '#cmdMsgYes' : '#cmdMsgNo').click();
    } else if (kind === 'story') {
      const masthead = (await dialog.locator('.dialog-title').textContent()) ?? '';
      const headline = (await dialog.locator('#lblHeadline').textContent()) ?? '';
      const text = (await dialog.locator('#lblText').textContent()) ?? '';
      this.shown.push(`story: ${[masthead, headline, text].map(escapeForTranscript).join(' | ')}`);
      await dialog.locator('#frmNewspaper').click();
    } else if (kind === 'position') {
      if (this.newPosition === null) {
        await dialog.locator('#cmdCancel').click();
      } else {
        await dialog.locator('#lstPosition').selectOption(this.newPosition);
        await dialog.locator('#cmdOK').click();
      }
    } else if (kind === 'open') {
      await dialog.locator('#cmdCancelOpen').click();
    } else {
      throw new Error(`a dialog of an unknown kind: ${kind}`);
    }
    await expect(this.page.locator(`dialog[data-serial="${serial}"]`)).toHaveCount(0);
  }

  // A click, then every dialog it brought answered.
  async click(selector: string): Promise<void> {
    await this.settle();
    await this.page.locator(selector).click();
    await this.settle();
  }

  async text(selector: string): Promise<string> {
    return ((await this.page.locator(selector).textContent()) ?? '').trim();
  }

  async screen(): Promise<string> {
    return (await this.page.locator('[data-screen]').first().getAttribute('data-screen')) ?? '';
  }
}

// A career's files brought in through Import; then the page, opened afresh
// with `seed`, loads it through Load Career's choice and shows the hub.
export async function importAndLoad(player: Player, files: Record<string, Uint8Array>, career: string, seed: number): Promise<void> {
  const page = player.page;
  await page.goto(`/?seed=${seed}`);
  await page.locator('#cmdNew').waitFor();
  expect((await op(page, 'importCareer', { zipBase64: zipOf(files) })).error ?? '').toBe('');
  await page.goto(`/?seed=${seed}`);
  await player.settle();
  await page.locator('#cmdLoad').click();
  await page.locator('dialog[open] #lstCareers').selectOption(career);
  await page.locator('dialog[open] #cmdOpen').click();
  await player.settle();
  await expect(page.locator('#frmMain')).toBeVisible();
}
