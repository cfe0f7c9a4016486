// SPDX-License-Identifier: GPL-3.0-or-later
// Driving the browser's screens as a player would: clicks, and the rules'
// dialogs answered as kickmark-sim's player answers them (OK, No, the paper
// closed), each written down as kickmark-sim's transcript writes it.

import { expect, type Page } from '@playwright/test';
import { op, zipOf } from '../support/engine';
import { escapeForTranscript, type Setup } from './sim';

const kProgramTitle = 'Kickmark';

function titleTag(title: string): string {
  return title === '' || title === kProgramTitle ? '' : ` [${escapeForTranscript(title)}]`;
}

// How long the page must stay still (the rules idle, no dialog) to count as
// at rest: a few turns of the page's event loop, as a screen starts its next
// op straight from the last one's answer; well short of a minute of the
// match clock.
const kQuietMilliseconds = 10;
// Longer than any one op of the rules takes on a loaded machine.
const kRestLimitMilliseconds = 120_000;

// A dialog of the rules' as the page shows it.
interface OpenDialog {
  serial: number;
  kind: string;
  title: string;
  text: string;
  masthead: string;
  headline: string;
  story: string;
}

// The page at rest, as far as the week's loop needs to know it: the screen
// in front, whether the round's Start is on, and his match's clock
// ("running", "break" or "fulltime").
export interface Rest {
  screen: string;
  roundStart: boolean;
  clock: string;
}

interface RestWait {
  quiet: number;
  answered: number | null;
  limit: number;
  target: string | null;
}

// Runs in the page: resolves with the rules' open dialog (the one just
// answered gone), or with the page at rest once the rules have been idle
// with no dialog open for `quiet` milliseconds and `target`, if named, is
// there to take a click (shown, not disabled). A box of the screens (an
// award list, the about box) is not the rules' to answer.
function waitForRest(args: RestWait): Promise<{ dialog: OpenDialog } | { rest: Rest }> {
  const started = performance.now();
  let stillSince: number | null = null;
  return new Promise((resolve, reject) => {
    const look = (): void => {
      const now = performance.now();
      const open = [...document.querySelectorAll<HTMLDialogElement>('dialog[open]:not([data-kind="box"])')];
      const fresh = open.find((d) => Number(d.dataset.serial) !== args.answered);
      if (fresh && open.length === 1) {
        const text = (selector: string): string => fresh.querySelector(selector)?.textContent ?? '';
        resolve({
          dialog: {
            serial: Number(fresh.dataset.serial),
            kind: fresh.dataset.kind ?? '',
            title: fresh.dataset.title ?? '',
            text: text('#dialogText'),
            masthead: text('.dialog-title'),
            headline: text('#lblHeadline'),
            story: text('#lblText'),
          },
        });
        return;
      }
      const app = document.getElementById('app');
      const busy = app?.dataset.busy === 'true';
      const target = args.target === null ? null : document.querySelector<HTMLButtonElement>(args.target);
      const ready = args.target === null || (target !== null && !target.disabled && target.getClientRects().length > 0);
      stillSince = busy || open.length > 0 ? null : (stillSince ?? now);
      if (stillSince !== null && now - stillSince >= args.quiet && ready) {
        const start = document.querySelector<HTMLButtonElement>('#frmMatchRound #cmdStart');
        const clock = document.getElementById('frmMatch')?.dataset.clock ?? '';
        resolve({ rest: { screen: app?.dataset.screen ?? '', roundStart: start !== null && !start.disabled, clock } });
        return;
      }
      if (now - started > args.limit) {
        reject(new Error(`the page never came to rest (busy ${busy}, ${open.length} dialogs open${args.target ? `, ${args.target} ready ${ready}` : ''})`));
        return;
      }
      setTimeout(look, 2);
    };
    look();
  });
}

export class Player {
  // What the player was shown and asked, as transcript lines.
  readonly shown: string[] = [];

  // Questions answered Yes (every other one No), and the position picked on
  // New Position (none: Cancel).
  answerYes: RegExp | null = null;
  newPosition: string | null = null;

  constructor(readonly page: Page) {}

  // Answers every dialog that comes until the page is still: the rules idle
  // and no dialog open for a quiet spell. Each wait is one evaluate in the
  // page, which reads the dialog it finds whole.
  async settle(): Promise<void> {
    await this.rest();
  }

  // The same wait (with `target`, also until that control is there to take
  // a click), and the page at rest as it ends.
  async rest(target: string | null = null, quiet = kQuietMilliseconds): Promise<Rest> {
    let answered: number | null = null;
    for (let dialogs = 0; ; ++dialogs) {
      if (dialogs > 20000) throw new Error('the page never came to rest');
      const wait: RestWait = { quiet, answered, limit: kRestLimitMilliseconds, target };
      const found = await this.page.evaluate(waitForRest, wait);
      if ('rest' in found) return found.rest;
      await this.answer(found.dialog);
      answered = found.dialog.serial;
    }
  }

  private async answer(d: OpenDialog): Promise<void> {
    const dialog = this.page.locator(`dialog[data-serial="${d.serial}"]`);
    if (d.kind === 'inform') {
      this.shown.push(`message${titleTag(d.title)}: ${escapeForTranscript(d.text)}`);
      await dialog.locator('#cmdMsgOK').click();
    } else if (d.kind === 'question') {
      const yes = this.answerYes?.test(d.text) ?? false;
      this.shown.push(`question${titleTag(d.title)}: ${escapeForTranscript(d.text)} -> ${yes ? 'Yes' : 'No'}`);
      await dialog.locator(yes ? '#cmdMsgYes' : '#cmdMsgNo').click();
    } else if (d.kind === 'story') {
      this.shown.push(`story: ${[d.masthead, d.headline, d.story].map(escapeForTranscript).join(' | ')}`);
      await dialog.locator('#frmNewspaper').click();
    } else if (d.kind === 'position') {
      if (this.newPosition === null) {
        await dialog.locator('#cmdCancel').click();
      } else {
        await dialog.locator('#lstPosition').selectOption(this.newPosition);
        await dialog.locator('#cmdOK').click();
      }
    } else if (d.kind === 'open') {
      await dialog.locator('#cmdCancelOpen').click();
    } else {
      throw new Error(`a dialog of an unknown kind: ${d.kind}`);
    }
  }

  // A click, then every dialog it brought answered; the page at rest after
  // it. The wait before it is for the page still (no op, no dialog) with the
  // control shown and enabled, in one look: a screen starts its next op
  // straight from the last one's answer, with no still moment between them.
  // The click then goes without Playwright's own checks; the mouse still
  // lands on whatever lies on top there.
  async click(selector: string): Promise<void> {
    await this.press(selector);
  }

  // A click, and the page at rest after it.
  async press(selector: string): Promise<Rest> {
    await this.rest(selector, 0);
    await this.page.locator(selector).click({ force: true });
    return this.rest();
  }

  // The texts of several controls at once, trimmed, in one look at the page.
  async texts(selectors: string[]): Promise<string[]> {
    return this.page.evaluate((all) => all.map((s) => (document.querySelector(s)?.textContent ?? '').trim()), selectors);
  }

  // The setup screen filled in as `setup` says, and Start.
  async setUp(setup: Setup): Promise<void> {
    const page = this.page;
    await this.click('#cmdNew');
    await page.fill('#txtCareer', setup.career);
    await page.fill('#txtName', setup.name);
    await page.fill('#txtCity', setup.city);
    await page.selectOption('#txtState', setup.state);
    await page.selectOption('#lstHeight', String(setup.height));
    await page.selectOption('#lstWeight', String(setup.weight));
    await page.selectOption('#lstPosition', setup.position);
    const bars = ['#hsbKicking', '#hsbHandBalling', '#hsbTackling', '#hsbMarking', '#hsbRunning'];
    for (let i = 0; i < bars.length; ++i) await page.fill(bars[i], String(setup.skills[i]));
    await this.click('#cmdStart');
  }

  // On the contract screen: the best weekly offer, the longer between
  // equals, the first between those, as kickmark-sim's player signs; then
  // OK, back to the hub.
  async signBestOffer(): Promise<void> {
    await expect(this.page.locator('#frmContracts')).toBeVisible();
    const offers = await this.page.locator('#grdContracts tbody tr').evaluateAll((rows) =>
      rows.map((r) => {
        const cells = r.querySelectorAll('td');
        return { club: (cells[2]?.textContent ?? '').trim(), offer: Number(cells[0]?.textContent), length: Number(cells[1]?.textContent) };
      }),
    );
    let best = -1;
    for (const [row, o] of offers.entries()) {
      if (o.club === '') continue;
      if (best < 0 || o.offer > offers[best].offer || (o.offer === offers[best].offer && o.length > offers[best].length)) best = row;
    }
    expect(best, 'an offer to sign').toBeGreaterThanOrEqual(0);
    await this.click(`#cmdOffer${best + 1}`);
    await this.click('#cmdSign');
    await this.click('#frmContracts #cmdOK');
    await expect(this.page.locator('#frmMain')).toBeVisible();
  }

  // The hub's Play, the round's matches (one Start at a time, or with Play
  // all), his own quarter by quarter, each to the siren, then the round's
  // OK: the week as kickmark-sim's transcript line has it, or "TITLE | no
  // match".
  async playWeek(how: { playAll: boolean } = { playAll: false }): Promise<string> {
    let rest = await this.press('#cmdPlay');
    expect(rest.screen, 'the round after Play').toBe('round');
    const title = await this.text('#frmMatchRound #lblTitle');
    if (how.playAll) rest = await this.press('#cmdPlayAll');
    let line = '';
    for (let presses = 0; ; ++presses) {
      expect(presses, 'presses of Start in a round').toBeLessThan(20);
      if (rest.screen === 'match') {
        [line, rest] = await this.playMatch(rest);
        line = `${title} | ${line}`;
      } else if (rest.roundStart) {
        rest = await this.press('#frmMatchRound #cmdStart');
      } else {
        break;
      }
    }
    expect((await this.press('#frmMatchRound #cmdOK')).screen, 'the hub after the round').toBe('hub');
    return line || `${title} | no match`;
  }

  // His match, each quarter started (unless the clock starts it, as when the
  // round is played all) and played to the siren; its line, his club's score
  // first: "Club 12.10 (82) v Other 9.8 (62), won | disposals 18, goals 2, rating 7.2".
  private async playMatch(at: Rest): Promise<[string, Rest]> {
    let rest = at;
    for (let presses = 0; rest.clock !== 'fulltime'; ++presses) {
      expect(presses, 'presses in his match').toBeLessThan(20);
      rest = await this.press(rest.clock === 'running' ? '#cmdToSiren' : '#frmMatch #cmdStart');
    }
    const [team, one, two, goals1, behinds1, points1, goals2, behinds2, points2, disposals, goals, rating] = await this.texts([
      '#frmMatch #lblTeam', '#lblTeamOne', '#lblTeamTwo', '#lblGoalsOne4', '#lblBehindsOne4', '#lblPointsOne',
      '#lblGoalsTwo4', '#lblBehindsTwo4', '#lblPointsTwo', '#frmMatch #lblDisposals', '#frmMatch #lblGoals', '#lblMatchRating',
    ]);
    const sides = [`${one} ${goals1}.${behinds1} (${points1})`, `${two} ${goals2}.${behinds2} (${points2})`];
    const first = one === team;
    const [mine, theirs] = first ? sides : [sides[1], sides[0]];
    const [myPoints, theirPoints] = (first ? [points1, points2] : [points2, points1]).map(Number);
    const result = myPoints > theirPoints ? 'won' : myPoints < theirPoints ? 'lost' : 'drew';
    return [`${mine} v ${theirs}, ${result} | disposals ${disposals}, goals ${goals}, rating ${rating}`, await this.press('#frmMatch #cmdOK')];
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

// The weeks played by clicks against kickmark-sim's week lines: the same
// scores, figures and rating every week. A week he missed reads "injured,
// did not play" there; its scores still count.
export function expectWeekLines(weeks: string[], expected: string[]): void {
  const want = expected.map((line) => line.replace(/ \| no match for .*$/, ' | no match'));
  const missed = expected.map((line) => line.endsWith(', did not play'));
  const cut = (line: string, i: number): string => (missed[i] ? line.slice(0, line.lastIndexOf(' | ')) : line);
  expect(weeks.map(cut)).toEqual(want.map(cut));
}

// The hub's values the test holds against `kickmark-sim show`.
const kHubFields: [string, string][] = [
  ['#lblTeam', 'Team'],
  ['#lblLeague', 'League'],
  ['#lblAge', 'Age'],
  ['#lblKicking', 'Kicking'],
  ['#lblHandballing', 'Handballing'],
  ['#lblTackling', 'Tackling'],
  ['#lblMarking', 'Marking'],
  ['#lblRunning', 'Running'],
  ['#lblBankBalance', 'BankBalance'],
  ['#lblWages', 'Wages'],
  ['#lblSponsorship', 'Sponsorship'],
];

// The hub shows the record kickmark-sim saved (`show`).
export async function expectHubRecord(player: Player, show: Record<string, unknown>): Promise<void> {
  const shown = await player.texts(kHubFields.map(([selector]) => `#frmMain ${selector}`));
  expect(Object.fromEntries(kHubFields.map(([, field], i) => [field, shown[i]]))).toEqual(Object.fromEntries(kHubFields.map(([, field]) => [field, String(show[field])])));
}
