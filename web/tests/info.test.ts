// SPDX-License-Identifier: GPL-3.0-or-later
// The screens that only show a career: the team page, its ladder, results
// and records, the career's records with their four award lists, and the
// about boxes. Careers made by kickmark-sim come in through Import; each
// screen is reached by clicks as a player reaches it, and its values are
// held against what kickmark-sim says of the same career.

import { expect, test, type Page } from '@playwright/test';
import { execFileSync } from 'node:child_process';
import { readFileSync, rmSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { layoutProblems } from './helpers/layout';
import { scratch, shownLines, simPath, simRun, weekLines } from './helpers/sim';
import { importAndLoad, Player } from './helpers/ui';
import { folderFiles } from './support/engine';

const kPictures = fileURLToPath(new URL('../../build/web/screens/', import.meta.url));
const kSizes: [number, number][] = [
  [360, 640],
  [1280, 720],
];
const kOrdinals = ['First', 'Second', 'Third', 'Fourth', 'Fifth', 'Sixth', 'Seventh', 'Eighth', 'Ninth', 'Tenth', 'Eleventh', 'Twelfth', 'Thirteenth', 'Fourteenth', 'Fifteenth', 'Sixteenth'];
const kPrefixes = ['Local', 'Regional', 'State', 'AFL'];

interface Made {
  show: Record<string, any>;
  weeks: string[];
  files: Record<string, Uint8Array>;
}

// A career kickmark-sim makes and plays (`play` arguments), with its files,
// record and week lines; with `next`, what kickmark-sim's next week of it
// shows and asks (seeded `next`), the files staying those before that week.
function make(seed: number, skills: string, play: string[], next?: number): Made & { next: string[] } {
  const folder = scratch();
  simRun(folder, ['--seed', String(seed), 'new', '--career', 'info', '--name', 'Ian Info', '--city', 'Geelong', '--state', 'Victoria', '--position', 'Rover', '--skills', skills]);
  const lines = simRun(folder, ['--seed', String(seed), 'play', '--career', 'info', ...play], 'play.txt');
  rmSync(path.join(folder, 'play.txt'));
  const files = folderFiles(folder);
  const after = next === undefined ? [] : simRun(folder, ['--seed', String(next), 'play', '--career', 'info', '--weeks', '1', '--policy', 'passive'], 'next.txt');
  const show = JSON.parse(execFileSync(simPath(), ['--data-dir', folder, 'show', '--career', 'info'], { encoding: 'latin1' }));
  rmSync(folder, { recursive: true, force: true });
  return { show, weeks: weekLines(lines), files, next: after };
}


// The screen at a phone's size and a laptop's: nothing cut, nothing over another.
async function look(page: Page, name: string): Promise<void> {
  await page.locator('[data-busy="false"]').first().waitFor();
  for (const [w, h] of kSizes) {
    await page.setViewportSize({ width: w, height: h });
    await page.screenshot({ path: path.join(kPictures, `${name}-${w}x${h}.png`), fullPage: true });
    expect(await layoutProblems(page), `${name} at ${w}x${h}`).toEqual([]);
  }
}

const text = async (page: Page, selector: string): Promise<string> => ((await page.locator(selector).textContent()) ?? '').trim();

test('the team page, ladder, results, records and about boxes show the career kickmark-sim played', async ({ page }) => {
  test.setTimeout(4 * 60 * 1000);
  const made = make(31, '50,50,50,50,50', ['--weeks', '8', '--policy', 'passive']);
  const { show, weeks } = made;
  const player = new Player(page);
  await importAndLoad(player, made.files, 'info', 3);
  await look(page, 'hub');

  // Team Details: who he plays for and the club's season.
  await player.click('#cmdTeamDetails');
  await expect(page.locator('#frmTeam')).toBeVisible();
  for (const [selector, field] of [
    ['#lblName', 'Name'],
    ['#lblTeam', 'Team'],
    ['#lblState', 'State'],
    ['#lblLeague', 'League'],
    ['#lblMatches', 'TeamMatches'],
    ['#lblWins', 'TeamWins'],
    ['#lblLosses', 'TeamLosses'],
    ['#lblDraws', 'TeamDraws'],
    ['#lblGoals', 'TeamGoals'],
    ['#lblBehinds', 'TeamBehinds'],
  ]) {
    expect(await text(page, `#frmTeam ${selector}`), field).toBe(String(show[field]));
  }
  await look(page, 'team');

  // The ladder: every club's line as the record keeps it, in order of
  // points, his club marked; his own line is what his weeks made it.
  await player.click('#cmdLadder');
  await expect(page.locator('#lblTitle')).toHaveText(`${show.League} Ladder`);
  const rows = await page.locator('#grdLadder tbody tr').evaluateAll((trs) =>
    trs.map((tr) => ({ own: tr.classList.contains('own'), cells: Array.from(tr.children).map((c) => c.textContent ?? '') })),
  );
  expect(rows.length).toBe(16);
  const kept = new Map(kOrdinals.map((o) => [show[`Ladder${o}`], o]));
  let lastPoints = Infinity;
  rows.forEach(({ own, cells }, i) => {
    const [position, team, played, wins, losses, draws, pointsFor, against, , points] = cells;
    const o = kept.get(team);
    expect(o, team).toBeDefined();
    expect([wins, losses, draws, pointsFor, against].map(Number)).toEqual(['Wins', 'Losses', 'Draws', 'For', 'Against'].map((f) => show[`Ladder${o}${f}`]));
    expect(Number(played)).toBe(Number(wins) + Number(losses) + Number(draws));
    expect(Number(points)).toBeLessThanOrEqual(lastPoints);
    lastPoints = Number(points);
    expect(position).toBe(`${i + 1}${['st', 'nd', 'rd'][i] ?? 'th'}`);
    expect(own).toBe(team === show.Team);
  });
  const ownRow = rows.find((r) => r.own)!.cells;
  const scores = weeks.map((w) => w.split(' | ')[1]);
  // A week line has his club's score first.
  const ours = scores.map((s) => Number(/^.*? [0-9]+\.[0-9]+ \((\d+)\) v /.exec(s)![1]));
  expect(Number(ownRow[6]), 'points for over his weeks').toBe(ours.reduce((a, b) => a + b, 0));
  expect(Number(ownRow[3])).toBe(scores.filter((s) => s.endsWith(', won')).length);
  await look(page, 'ladder');
  await player.click('#cmdOK');
  // Back on the team page, which has the club's place from the ladder.
  await expect(page.locator('#frmTeam #lblPosition')).toHaveText(ownRow[0]);

  // The fixture and results open at the week Play plays next; each round
  // before it is the week kickmark-sim played.
  await player.click('#cmdResults');
  await expect(page.locator('#lblRound')).toHaveText(String(show.Matches + 1));
  await expect(page.locator('#frmResults #lblTeam')).toHaveText(show.Team);
  // The round to come: its clubs, no scores yet.
  expect(await page.locator('#fraSlots td.points').allTextContents()).toEqual(expect.arrayContaining(['0']));
  expect(new Set(await page.locator('#fraSlots td.points').allTextContents())).toEqual(new Set(['0']));
  await look(page, 'results');
  for (let round = show.Matches; round >= 1; --round) {
    await player.click('#cmdPreviousRound');
    await expect(page.locator('#lblRound')).toHaveText(String(round));
    const week = weeks[round - 1];
    const [title, score, line] = week.split(' | ');
    expect(await text(page, '#lblRoundTitle')).toBe(title);
    const [, disposals, goals, rating] = /disposals (\d+), goals (\d+), rating ([0-9.]+)/.exec(line)!;
    expect([await text(page, '#fraResultsPlayer #lblDisposals'), await text(page, '#fraResultsPlayer #lblGoals'), await text(page, '#fraResultsPlayer #lblMatchRating')]).toEqual([disposals, goals, rating]);
    // His club's match, marked, with the score of the week.
    const [one, two] = score.replace(/, (won|lost|drew)$/, '').split(' v ');
    const slot = page.locator('#fraSlots tbody', { has: page.locator(`th[data-colour="player"]`) });
    const sides = await slot.locator('tr').evaluateAll((trs) =>
      trs.map((tr) => {
        const c = Array.from(tr.children).map((x) => x.textContent ?? '');
        return `${c[0]} ${c[7]}.${c[8]} (${c[9]})`;
      }),
    );
    // The week line has his club first; the round, the fixture's order.
    expect(sides.sort()).toEqual([one, two].sort());
  }
  await expect(page.locator('#cmdPreviousRound')).toBeDisabled();
  await player.click('#cmdOK');

  // The club's records: the captions under the four levels, and no figures.
  await player.click('#frmTeam #cmdRecords');
  await expect(page.locator('#frmRecordsTeam')).toBeVisible();
  expect(await page.locator('#grdTeamRecords thead th').allTextContents()).toEqual(['Level:', 'Local Reserves', 'Local Firsts', 'State', 'AFL']);
  expect(await page.locator('#grdTeamRecords tbody th').allTextContents()).toEqual(['Matches:', 'Wins:', 'Losses:', 'Draws:', 'Biggest Win:', 'Accuracy %:', 'Biggest Loss:', 'Finals Series:', 'Premierships:']);
  expect(new Set(await page.locator('#grdTeamRecords tbody td').allTextContents())).toEqual(new Set(['']));
  await look(page, 'team-records');
  await page.keyboard.press('Escape');
  await expect(page.locator('#frmTeam')).toBeVisible();

  // The team page's about box: the version the build carries, and System
  // Info's message over it.
  const version = /project\(Kickmark VERSION ([0-9.]+)/.exec(readFileSync(fileURLToPath(new URL('../../CMakeLists.txt', import.meta.url)), 'utf8'))![1];
  await player.click('#frmTeam #cmdAbout');
  const about = page.locator('#frmAboutTeam');
  await expect(about).toBeVisible();
  await expect(about.locator('.dialog-title')).toHaveText('About Kickmark');
  await expect(about.locator('#lblVersion')).toHaveText(`Version ${version}`);
  await look(page, 'about');
  await about.locator('#cmdSysInfo').click();
  await player.settle();
  expect(player.shown.at(-1)).toBe('message: System Information Is Unavailable At This Time');
  await expect(about).toBeVisible();
  await about.locator('#cmdOK').click();
  await expect(about).toHaveCount(0);
  await player.click('#cmdCareerDetails');
  await expect(page.locator('#frmMain')).toBeVisible();
  // The hub's own about box, by its letter; Escape closes it.
  await page.locator('#frmMain').focus();
  await page.keyboard.press('a');
  await expect(page.locator('#frmAbout #lblVersion')).toHaveText(`Version ${version}`);
  await page.keyboard.press('Escape');
  await expect(page.locator('#frmAbout')).toHaveCount(0);
});

// The career's records and the award lists, for a career played to its
// end: the hub keeps the screens that show it, and they show what
// kickmark-sim's record holds.
test('a retired champion\'s records and awards are kickmark-sim\'s, and his hub shows them @slow', async ({ page }) => {
  test.setTimeout(4 * 60 * 1000);
  const made = make(8, '100,100,100,100,100', ['--to-end', '--policy', 'default']);
  const { show } = made;
  expect(show.PlayOpen).toBe(false);
  const player = new Player(page);
  await importAndLoad(player, made.files, 'info', 3);
  // Retired: no Play, no shops; Records, Team Details and About still open.
  for (const b of ['#cmdPlay', '#cmdTraining', '#cmdHealth', '#cmdStore']) await expect(page.locator(`#frmMain ${b}`)).toBeDisabled();
  for (const b of ['#cmdRecords', '#cmdTeamDetails', '#cmdAbout']) await expect(page.locator(`#frmMain ${b}`)).toBeEnabled();
  await expect(page.locator('#lblWaiting')).toHaveText(/^You have retired: your career is over/);
  await look(page, 'hub-retired');

  await page.locator('#frmMain').focus();
  await page.keyboard.press('r');
  await expect(page.locator('#frmRecords')).toBeVisible();
  await expect(page.locator('#frmRecords #lblName')).toHaveText(show.Name);
  const fields = ['Matches', 'Disposals', 'Goals', 'Behinds', 'MostDisposals', 'AverageDisposals', 'MostGoals', 'AverageGoals', 'BOGs'];
  for (const prefix of kPrefixes) {
    for (const field of fields) {
      expect(Number(await text(page, `#lbl${prefix}${field}`)), `${prefix}${field}`).toBeCloseTo(Number(show[`${prefix}${field}`]), 1);
    }
  }
  await look(page, 'records');

  // Each level's awards over the records, which wait behind.
  const awards: [string, string, [string, string][]][] = [
    ['#cmdLocalAwards', '#frmLocalAwards', [['#lblMVP', 'LocalMVP'], ['#lblGoals', 'LocalGoalsAward'], ['#lblRookie', 'LocalRookie'], ['#lblU21', 'LocalU21'], ['#lblBestAndFairest', 'LocalBestAndFairest'], ['#lblAllStar', 'LocalAllStar'], ['#lblCaptain', 'LocalCaptain']]],
    ['#cmdRegionalAwards', '#frmRegionalAwards', [['#lblMVP', 'RegionalMVP'], ['#lblGoals', 'RegionalGoalsAward'], ['#lblRookie', 'RegionalRookie'], ['#lblU21', 'RegionalU21'], ['#lblBestAndFairest', 'RegionalBestAndFairest'], ['#lblAllStar', 'RegionalAllStar'], ['#lblCaptain', 'RegionalCaptain']]],
    ['#cmdStateAwards', '#frmStateAwards', [['#lblMVP', 'StateMVP'], ['#lblGoals', 'StateGoalsAward'], ['#lblRookie', 'StateRookie'], ['#lblU21', 'StateU21'], ['#lblBestAndFairest', 'StateBestAndFairest'], ['#lblVictorian', 'StateVictorian'], ['#lblCaptain', 'StateCaptain'], ['#lblMatches', 'StateMatchesAward']]],
    ['#cmdAFLAwards', '#frmAFLAwards', [['#lblBrownlow', 'AFLBrownlow'], ['#lblColeman', 'AFLColeman'], ['#lblRisingStar', 'AFLRisingStar'], ['#lblU21', 'AFLU21'], ['#lblBestAndFairest', 'AFLBestAndFairest'], ['#lblAllAustralian', 'AFLAllAustralian'], ['#lblCaptain', 'AFLCaptain'], ['#lblMatches', 'AFLMatchesAward']]],
  ];
  let won = 0;
  for (const [open, box, lines] of awards) {
    await page.locator(open).click();
    await expect(page.locator(box)).toBeVisible();
    for (const [selector, field] of lines) {
      expect(await text(page, `${box} ${selector}`), field).toBe(String(show[field]));
      won += Number(show[field]);
    }
    if (box === '#frmAFLAwards') await look(page, 'awards');
    // The records wait behind the box until its OK.
    await expect(page.locator('#frmRecords')).toBeVisible();
    await page.locator(`${box} #cmdOK`).click();
    await expect(page.locator(box)).toHaveCount(0);
  }
  // A champion's career wins something: the lists are not all noughts.
  expect(won).toBeGreaterThan(0);
  await player.click('#frmRecords #cmdOK');

  // He ended where he retired: that competition's ladder, whatever he played before.
  await player.click('#cmdTeamDetails');
  await player.click('#cmdLadder');
  await expect(page.locator('#lblTitle')).toHaveText(`${show.League} Ladder`);
});

// A modest player's last week, the grand final he has no part in, by
// clicks: the awards night, the twilight question and his retirement as
// kickmark-sim's same week has them, and then a hub with Play shut that
// still shows his career.
test('his last week by clicks retires him as kickmark-sim retires him @slow', async ({ page }) => {
  test.setTimeout(3 * 60 * 1000);
  const made = make(3, '1,1,1,1,1', ['--weeks', '441', '--policy', 'passive'], 9);
  expect(made.next.at(-1)).toMatch(/\| retired$/);
  const player = new Player(page);
  await importAndLoad(player, made.files, 'info', 9);
  await expect(page.locator('#lblWaiting')).toHaveText('');
  await player.click('#cmdPlay');
  await expect(page.locator('#frmMatchRound')).toBeVisible();
  while (await page.locator('#frmMatchRound #cmdStart').isEnabled()) await player.click('#frmMatchRound #cmdStart');
  await player.click('#frmMatchRound #cmdOK');
  await expect(page.locator('#frmMain')).toBeVisible();
  expect(player.shown).toEqual(shownLines(made.next));
  expect(player.shown.at(-1)).toMatch(/^message: After a long career, .* You retire and finish a long career/);
  await expect(page.locator('#lblWaiting')).toHaveText(/^You have retired/);
  await expect(page.locator('#cmdPlay')).toBeDisabled();
  await player.click('#cmdRecords');
  expect(Number(await text(page, '#lblLocalMatches'))).toBe(made.show.LocalMatches);
});
