// SPDX-License-Identifier: GPL-3.0-or-later
// Every screen of the browser at every size and pixel ratio: a phone held
// upright, a tablet, a laptop, a desktop and a 4K screen. At each, nothing
// scrolls sideways, no text is cut, no control covers another and every
// control is big enough for a finger; on each screen axe-core finds no
// serious or critical fault for a reader. Each leaves its picture in
// build/web/screens/<screen>-<width>x<height>@<ratio>x.png.
//
// The walk is one career, screen after screen, in the order of kWalk. A
// screen is one line there: how to get to it from the screen before, what
// shows it is up, and how to get back.

import AxeBuilder from '@axe-core/playwright';
import { expect, test, type Page } from '@playwright/test';
import { readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { layoutProblems } from './helpers/layout';
import { scratch, simRun } from './helpers/sim';
import { importAndLoad, Player } from './helpers/ui';

const kPictures = fileURLToPath(new URL('../../build/web/screens/', import.meta.url));

// A control that never comes is a fault of the walk, found in seconds.
test.use({ actionTimeout: 20_000 });

// A step: a click (then every dialog it brings answered), or anything else.
type Step = string | ((player: Player) => Promise<void>);

interface Stop {
  screen: string;
  go: Step[];
  // What shows the screen is up.
  up: string;
  back?: Step[];
}

// Steps that are more than a click.
const visit = (url: string) => async (p: Player) => {
  await p.page.goto(url);
};
// A click that leaves the dialog it brings open.
const press = (selector: string) => async (p: Player) => {
  await p.page.locator(selector).click();
};
const key = (name: string) => async (p: Player) => {
  await p.page.keyboard.press(name);
};
const answerDialogs = async (p: Player) => p.settle();
const fillSetup = async (p: Player) => {
  await p.page.fill('#txtCareer', 'walk');
  await p.page.fill('#txtName', 'Wally Walker');
  await p.page.fill('#txtCity', 'Launceston');
  await p.page.selectOption('#txtState', 'Tasmania');
  await p.page.selectOption('#lstPosition', 'Wing');
};
const roundToHisMatch = async (p: Player) => {
  while ((await p.page.locator('#frmMatch').count()) === 0) await p.click('#frmMatchRound #cmdStart');
};
const quartersToFullTime = async (p: Player) => {
  for (let quarter = 0; quarter < 4; ++quarter) {
    await p.click('#frmMatch #cmdStart');
    await p.click('#cmdToSiren');
  }
};
const roundToItsEnd = async (p: Player) => {
  while (await p.page.locator('#frmMatchRound #cmdStart').isEnabled()) await p.click('#frmMatchRound #cmdStart');
};
const grandFinalWeek = async (p: Player) => {
  await p.click('#cmdPlay');
  await roundToItsEnd(p);
  await p.click('#frmMatchRound #cmdOK');
};
const campToItsEnd = async (p: Player) => {
  while (await p.page.locator('#frmDraftCamp #cmdStart').isEnabled()) await p.click('#frmDraftCamp #cmdStart');
};

// A first week, from the start screen to the hub after the round.
const kWalk: Stop[] = [
  { screen: 'start', go: [visit('/?seed=7')], up: '#frmStart' },
  { screen: 'help', go: [press('#cmdHelp')], up: '#frmGuide', back: [key('Escape')] },
  { screen: 'setup', go: ['#cmdNew'], up: '#frmSetup' },
  { screen: 'message', go: [press('#cmdStart')], up: 'dialog[open][data-kind="inform"]', back: [answerDialogs] },
  { screen: 'contracts', go: [fillSetup, '#cmdStart'], up: '#frmContracts' },
  { screen: 'newspaper', go: ['#cmdOffer1', press('#cmdSign')], up: 'dialog[open][data-kind="story"]', back: [answerDialogs] },
  { screen: 'hub', go: ['#cmdOK'], up: '#frmMain' },
  { screen: 'question', go: [press('#cmdExit')], up: 'dialog[open][data-kind="question"]', back: [answerDialogs] },
  { screen: 'training', go: ['#cmdTraining'], up: '#frmTraining', back: ['#cmdCancel'] },
  { screen: 'health', go: ['#cmdHealth'], up: '#frmHealth', back: ['#cmdCancel'] },
  { screen: 'store', go: ['#cmdStore'], up: '#frmStore', back: ['#cmdCancel'] },
  { screen: 'sponsorship', go: ['#cmdSponsorship'], up: '#frmSponsorship', back: ['#cmdClose'] },
  { screen: 'round', go: ['#cmdPlay'], up: '#frmMatchRound' },
  { screen: 'match', go: [roundToHisMatch], up: '#frmMatch' },
  { screen: 'match-fulltime', go: [quartersToFullTime], up: '#frmMatch[data-clock="fulltime"]' },
  { screen: 'round-over', go: ['#frmMatch #cmdOK', roundToItsEnd], up: '#frmMatchRound #cmdOK' },
  { screen: 'hub-week-one', go: ['#frmMatchRound #cmdOK'], up: '#frmMain' },
  { screen: 'team', go: ['#cmdTeamDetails'], up: '#frmTeam' },
  { screen: 'about-team', go: [press('#frmTeam #cmdAbout')], up: '#frmAboutTeam', back: ['#frmAboutTeam #cmdOK'] },
  { screen: 'ladder', go: ['#frmTeam #cmdLadder'], up: '#frmLadder', back: ['#frmLadder #cmdOK'] },
  { screen: 'results', go: ['#frmTeam #cmdResults'], up: '#frmResults', back: ['#frmResults #cmdOK'] },
  { screen: 'team-records', go: ['#frmTeam #cmdRecords'], up: '#frmRecordsTeam', back: ['#frmRecordsTeam #cmdOK', '#cmdCareerDetails'] },
  { screen: 'records', go: ['#frmMain #cmdRecords'], up: '#frmRecords' },
  { screen: 'awards', go: [press('#cmdLocalAwards')], up: '#frmLocalAwards', back: ['#frmLocalAwards #cmdOK', '#frmRecords #cmdOK'] },
  { screen: 'about', go: [press('#frmMain #cmdAbout')], up: '#frmAbout', back: ['#frmAbout #cmdOK'] },
  { screen: 'career', go: ['#frmMain #cmdCareer'], up: '#frmCareer', back: ['#frmCareer #cmdClose'] },
  { screen: 'hub-restored', go: ['#cmdStore', '#udBootsUp', '#cmdOK'], up: '#pbBoots[data-colour="restored"]' },
  // The start screen again, the career in its hall of fame.
  { screen: 'hall-of-fame', go: [visit('/?seed=7')], up: '#grdCareers tbody tr' },
];

// A State League career a week from its season's close (kickmark-sim's),
// brought in: the draft camp and the draft.
const kDraftWalk: Stop[] = [
  { screen: 'hub-veteran', go: [], up: '#frmMain' },
  { screen: 'camp', go: [grandFinalWeek], up: '#frmDraftCamp' },
  { screen: 'camp-over', go: [campToItsEnd], up: '#frmDraftCamp #cmdOK:enabled' },
  { screen: 'draft', go: ['#frmDraftCamp #cmdOK'], up: '#frmDraft' },
];

// A first season's career at its first sponsor window (kickmark-sim's),
// brought in: an offer screen.
const kSponsorWalk: Stop[] = [
  { screen: 'sponsorship-window', go: ['#cmdSponsorship'], up: '#frmSponsorship #cmdNegotiate:enabled' },
  { screen: 'sponsor-offers', go: ['#cmdNegotiate'], up: '#frmSponsorMajor', back: ['#cmdCancel', '#cmdClose'] },
];

interface Size {
  width: number;
  height: number;
}
const kPhone = { width: 360, height: 640 };
const kTablet = { width: 768, height: 1024 };
const kLaptop = { width: 1280, height: 720 };
const kDesktop = { width: 1920, height: 1080 };
const k4K = { width: 3840, height: 2160 };

// The sizes of each pixel ratio; each ratio is a browser window of its own.
const kRatios: [number, Size[]][] = [
  [1, [kPhone, kTablet, kLaptop, kDesktop, k4K]],
  [2, [kTablet, k4K]],
  [3, [kPhone]],
];
// Where axe-core reads each screen: its faults do not change with the ratio.
const kAxeSizes = [kPhone, kLaptop];

// Controls smaller than a finger, in the page as it stands. A link inside a
// sentence is the sentence's; a radio button or a box with its label is
// the label's size.
async function smallTargets(page: Page): Promise<string[]> {
  return page.evaluate(() => {
    const top = document.querySelector('dialog[open]:last-of-type') ?? document.body;
    const found: string[] = [];
    for (const e of Array.from(top.querySelectorAll<HTMLElement>('button, select, input, textarea, a[href], [role="button"]'))) {
      const style = getComputedStyle(e);
      if (style.display === 'none' || style.visibility === 'hidden' || e.closest('[hidden], .visually-hidden')) continue;
      if (e.tagName === 'A' && e.closest('p, li, td')) continue;
      const box = (e.closest('label') ?? e).getBoundingClientRect();
      if (box.width === 0 && box.height === 0) continue;
      if (box.width < 43.5 || box.height < 43.5) {
        found.push(`${e.tagName.toLowerCase()}#${e.id || e.getAttribute('name') || ''} "${(e.textContent ?? '').trim().slice(0, 20)}" is ${Math.round(box.width)}x${Math.round(box.height)}`);
      }
    }
    return found;
  });
}

// What axe-core found on each screen, by impact, for build/web/screens/axe.txt.
const axeCounts: string[] = [];

// The serious and critical faults axe-core finds, one line each.
async function axeFaults(page: Page, at: string): Promise<string[]> {
  const results = await new AxeBuilder({ page }).analyze();
  const counts: Record<string, number> = { critical: 0, serious: 0, moderate: 0, minor: 0 };
  for (const v of results.violations) counts[v.impact ?? 'minor'] += v.nodes.length;
  const named = results.violations.map((v) => `${v.id} (${v.impact})`).join(' ');
  axeCounts.push(
    `${at}: ${Object.entries(counts).map(([impact, n]) => `${impact} ${n}`).join(', ')}; rules passed ${results.passes.length}, to check by hand ${results.incomplete.length}${named ? `; ${named}` : ''}`,
  );
  return results.violations
    .filter((v) => v.impact === 'serious' || v.impact === 'critical')
    .flatMap((v) => v.nodes.map((n) => `${v.id} (${v.impact}): ${n.target.join(' ')} - ${n.failureSummary?.split('\n').slice(1, 2).join('') ?? ''}`));
}

async function look(page: Page, screen: string, ratio: number, sizes: Size[], problems: string[]): Promise<void> {
  for (const size of sizes) {
    await page.setViewportSize(size);
    // The page settles into its new width.
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
    const at = `${screen} at ${size.width}x${size.height}@${ratio}x`;
    const dialog = (await page.locator('dialog[open]').count()) > 0;
    await page.screenshot({
      path: path.join(kPictures, `${screen}-${size.width}x${size.height}@${ratio}x.png`),
      // A dialog stands in the window's middle: the window is its picture.
      fullPage: !dialog,
      // A 4K window's picture is kept at one dot a pixel.
      scale: size.width > 1920 ? 'css' : 'device',
    });
    for (const p of await layoutProblems(page)) problems.push(`${at}: ${p}`);
    for (const p of await smallTargets(page)) problems.push(`${at}: ${p}`);
    if (ratio === 1 && kAxeSizes.includes(size)) for (const p of await axeFaults(page, at)) problems.push(`${at}: ${p}`);
  }
}

test.afterAll(() => {
  if (axeCounts.length > 0) writeFileSync(path.join(kPictures, 'axe.txt'), `${axeCounts.join('\n')}\n`);
});

async function run(player: Player, steps: Step[]): Promise<void> {
  for (const step of steps) {
    if (typeof step === 'string') await player.click(step);
    else await step(player);
  }
}

async function walk(player: Player, stops: Stop[], ratio: number, sizes: Size[]): Promise<string[]> {
  const problems: string[] = [];
  for (const stop of stops) {
    await run(player, stop.go);
    await expect(player.page.locator(stop.up).first(), stop.screen).toBeVisible();
    if ((await player.page.locator('dialog[open]').count()) === 0) await player.page.locator('[data-busy="false"]').first().waitFor();
    await look(player.page, stop.screen, ratio, sizes, problems);
    await run(player, stop.back ?? []);
  }
  return problems;
}

for (const [ratio, sizes] of kRatios) {
  test(`every screen of a first week at ratio ${ratio} @slow`, async ({ browser }) => {
    test.setTimeout(10 * 60 * 1000);
    const context = await browser.newContext({ deviceScaleFactor: ratio, viewport: sizes[0] });
    const player = new Player(await context.newPage());
    const problems = await walk(player, kWalk, ratio, sizes);
    await context.close();
    expect(problems).toEqual([]);
  });
}

// A career kickmark-sim makes from seed 8 (a State League champion, all
// his skills at 100) and plays on for `seasons` whole seasons and `weeks`
// more: his files, for Import.
function simulatedCareer(seasons: number, weeks: number): Record<string, Uint8Array> {
  const folder = scratch();
  try {
    simRun(folder, ['--seed', '8', 'new', '--career', 'champion', '--name', 'Leigh Matthews', '--city', 'Perth', '--state', 'Western Australia', '--position', 'Centre', '--skills', '100,100,100,100,100']);
    if (seasons > 0) simRun(folder, ['--seed', '8', 'play', '--career', 'champion', '--seasons', String(seasons), '--policy', 'default']);
    simRun(folder, ['--seed', '8', 'play', '--career', 'champion', '--weeks', String(weeks), '--policy', 'default']);
    const files: Record<string, Uint8Array> = {};
    for (const name of readdirSync(folder)) {
      if (!name.endsWith('.lock') && !name.endsWith('.txt.tmp')) files[name] = new Uint8Array(readFileSync(path.join(folder, name)));
    }
    return files;
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}


const kBroughtIn: [string, number, number, Stop[]][] = [
  ['the draft camp and the draft', 5, 25, kDraftWalk],
  ['a sponsor window\'s offers', 0, 12, kSponsorWalk],
];
for (const [name, seasons, weeks, stops] of kBroughtIn) {
  test(`${name} at every size @slow`, async ({ browser }) => {
    test.setTimeout(10 * 60 * 1000);
    const files = simulatedCareer(seasons, weeks);
    const context = await browser.newContext({ viewport: kLaptop });
    const player = new Player(await context.newPage());
    await importAndLoad(player, files, 'champion', 9);
    const problems = await walk(player, stops, 1, kRatios[0][1]);
    await context.close();
    expect(problems).toEqual([]);
  });
}
