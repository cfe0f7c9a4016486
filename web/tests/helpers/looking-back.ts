// SPDX-License-Identifier: GPL-3.0-or-later
// The start screen's hall of fame and the Career screen held against what
// kickmark-sim reads of the same files (`hall-of-fame` and `log`, as JSON).

import { expect, type Page } from '@playwright/test';

export interface SimHallRow {
  career: string;
  damaged?: string;
  player: string;
  seasons: number;
  matches: number;
  goals: number;
  brownlows: number;
  highestCompetition: string;
  peakOverall: number;
  retired: boolean;
}

export interface SimWeek {
  season: number;
  played: boolean;
  competition: string;
  club: string;
  disposals: number;
  goals: number;
  overall: number;
  bankBalance: number;
  events: { kind: string; title: string; text: string }[];
}

// The hall of fame's rows as the page shows them, cell by cell.
export async function hallRows(page: Page): Promise<string[][]> {
  return page.locator('#grdCareers tbody tr').evaluateAll((rows) => rows.map((r) => [...r.children].map((c) => (c.textContent ?? '').trim())));
}

// A row of kickmark-sim's hall of fame as the page shows it.
export const asShown = (r: SimHallRow): string[] =>
  r.damaged ? [r.career, r.damaged] : [r.career, r.retired ? `${r.player} (retired)` : r.player, ...[r.seasons, r.matches, r.goals, r.brownlows].map(String), r.highestCompetition, String(r.peakOverall)];

// The stories, awards and moves of a log: what the scrapbook keeps.
export function scrapbookOf(log: SimWeek[]): SimWeek['events'] {
  return log.flatMap((w) => w.events).filter((e) => e.kind !== 'message' && e.kind !== 'question');
}

// The open Career screen against the career's log: his name, the charts
// season by season with End on each telling his last season, by week his
// last three seasons, and a scrapbook of every story, award and move.
export async function expectCareerScreen(page: Page, name: string, log: SimWeek[]): Promise<void> {
  await expect(page.locator('#frmCareer')).toHaveAttribute('data-ready', 'true');
  const last = log[log.length - 1];
  await expect(page.locator('#lblName')).toHaveText(name);
  // A long career opens season by season; End on a chart tells its last season.
  await expect(page.locator('#optBySeason')).toBeChecked();
  const played = log.filter((w) => w.season === last.season && w.played);
  const figures: [string, string][] = [
    ['#chtDisposals', `Disposals ${played.reduce((s, w) => s + w.disposals, 0)}, Goals ${played.reduce((s, w) => s + w.goals, 0)}`],
    ['#chtSkills', `Overall ${last.overall}`],
    ['#chtBank', `Bank balance $${last.bankBalance}`],
  ];
  for (const [chart, told] of figures) {
    await page.locator(chart).focus();
    await page.keyboard.press('End');
    await expect(page.locator('#lblPoint')).toContainText(`Season ${last.season} (${last.competition}, ${last.club}): `);
    await expect(page.locator('#lblPoint')).toContainText(told);
  }
  // By week: his last three seasons, the last week's own figures.
  await page.locator('#optByWeek').check();
  await expect(page.locator('#spnFrom')).toHaveValue(String(last.season - 2));
  await page.locator('#chtSkills').focus();
  await page.keyboard.press('End');
  await expect(page.locator('#lblPoint')).toContainText(`Overall ${last.overall}`);

  const kept = scrapbookOf(log);
  await page.locator('#tabScrapbook').click();
  await expect(page.locator('#lblFound')).toHaveText(`${kept.length} of ${kept.length}`);
}
