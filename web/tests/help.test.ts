// SPDX-License-Identifier: GPL-3.0-or-later
// Help: F1, or the Help button on a touch screen, opens the player's guide
// at the section of the screen in front, with its pictures; Escape or Close
// puts it away and the focus goes back where it was.

import { expect, test } from '@playwright/test';
import { readFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';
import { anchorOf, guideSection } from '../src/help/sections';
import { Player } from './helpers/ui';
import { op } from './support/engine';

test.use({ actionTimeout: 20_000 });

const kGuide = readFileSync(fileURLToPath(new URL('../../docs/playing.md', import.meta.url)), 'utf8');
const kHeadings = [...kGuide.matchAll(/^#+ (.+)$/gm)].map((m) => m[1].trim());

test('every section a screen opens at, and every link of the guide, is one of its headings', () => {
  const anchors = new Set(kHeadings.map(anchorOf));
  const screens = ['frmStart', 'frmSetup', 'frmMain', 'frmMatchRound', 'frmMatch', 'frmNewspaper', 'frmTraining', 'frmHealth', 'frmStore',
    'frmSponsorship', 'frmSponsorMajor', 'frmContracts', 'frmTeam', 'frmLadder', 'frmResults', 'frmRecordsTeam', 'frmRecords', 'frmCareer',
    'frmLocalAwards', 'frmAFLAwards', 'frmPosition', 'frmDraftCamp', 'frmDraft'];
  for (const screen of screens) {
    const section = guideSection(screen);
    expect(section, screen).not.toBeNull();
    expect(kHeadings, screen).toContain(section);
  }
  const links = [...kGuide.matchAll(/\]\(#([^)]+)\)/g)].map((m) => m[1]);
  expect(links.length).toBeGreaterThan(0);
  for (const link of links) expect(anchors.has(link), `#${link}`).toBe(true);
});

test('anchors are written as the guide links them', () => {
  const cases: [string, string][] = [
    ["Your careers' files", 'your-careers-files'],
    ['A week: Play, the round and the match', 'a-week-play-the-round-and-the-match'],
    ["Why can't I press Play?", 'why-cant-i-press-play'],
    ['The draft camp and the draft', 'the-draft-camp-and-the-draft'],
    ['  Contracts ', 'contracts'],
  ];
  for (const [heading, anchor] of cases) expect(anchorOf(heading), heading).toBe(anchor);
  // A screen the guide has no section for opens it at the top.
  expect(guideSection('frmNoSuchScreen')).toBeNull();
});

test('F1 and Help open the guide at the screen in front, with its pictures, and Escape puts it away', async ({ page }) => {
  test.setTimeout(120_000);
  const player = new Player(page);
  await page.goto('/?seed=3');
  await expect(page.locator('#frmStart')).toBeVisible();

  // The start screen by the Help button (a tap on a touch screen).
  await page.locator('#cmdHelp').click();
  const guide = page.locator('dialog[open]#frmGuide');
  await expect(guide).toBeVisible();
  await expect(guide).toHaveAttribute('data-section', 'starting-out');
  await expect(guide.locator('#starting-out')).toBeInViewport();
  // Its picture is the guide's, served by the site.
  const picture = guide.locator('img[alt="The start screen with its hall of fame"]');
  await picture.scrollIntoViewIfNeeded();
  await expect.poll(() => picture.evaluate((img: HTMLImageElement) => img.complete && img.naturalWidth > 0)).toBe(true);
  await page.keyboard.press('Escape');
  await expect(guide).toHaveCount(0);
  await expect(page.locator('#cmdHelp')).toBeFocused();

  // The setup screen by F1, from the field being typed in.
  await player.click('#cmdNew');
  await page.locator('#txtName').focus();
  await page.keyboard.press('F1');
  await expect(guide).toHaveAttribute('data-section', 'setting-up-your-player');
  await expect(guide.locator('#setting-up-your-player')).toBeInViewport();
  await expect(guide.locator('#starting-out')).not.toBeInViewport();
  // A link of the guide goes to its section.
  await guide.locator('a[href="#contracts"]').first().click();
  await expect(guide.locator('#contracts')).toBeInViewport();
  await guide.locator('#cmdCloseGuide').click();
  await expect(guide).toHaveCount(0);
  await expect(page.locator('#txtName')).toBeFocused();

  // The newspaper in front of the hub: the week's section, and the paper
  // stays until the guide is put away.
  await page.fill('#txtCareer', 'helped');
  await page.fill('#txtName', 'Hal Helper');
  await page.fill('#txtCity', 'Darwin');
  await page.selectOption('#txtState', 'Northern Territory');
  await page.selectOption('#lstPosition', 'Ruck');
  await player.click('#cmdStart');
  await player.click('#cmdOffer1');
  await page.locator('#cmdSign').click();
  await page.locator('dialog[open][data-kind="story"]').waitFor();
  await page.keyboard.press('F1');
  await expect(guide).toHaveAttribute('data-section', 'a-week-play-the-round-and-the-match');
  await page.keyboard.press('Escape');
  await expect(guide).toHaveCount(0);
  await expect(page.locator('dialog[open][data-kind="story"]')).toHaveCount(1);
  await player.settle();
  await player.click('#cmdOK');
  await page.keyboard.press('F1');
  await expect(guide).toHaveAttribute('data-section', 'the-hub');
  await page.keyboard.press('Escape');

  // The hub's figures and bars, with their captions, carry the rules' tips,
  // and Play its reason and F1 (the desktop's dead LS button is not here).
  const { tips } = (await op(page, 'state')).state;
  for (const [control, tip] of Object.entries(tips.figures)) {
    if (control !== 'cmdLadderStats') await expect(page.locator(`#frmMain #${control}`), control).toHaveAttribute('title', tip as string);
  }
  await expect(page.locator('#lblBankBalance').locator('xpath=preceding-sibling::dt')).toHaveAttribute('title', tips.figures.lblBankBalance);
  for (const bar of ['pbHealthOverall', 'pbHealthOverall-caption']) await expect(page.locator(`#${bar}`)).toHaveAttribute('title', tips.bars.HealthOverall);
  expect(tips.bars.HealthOverall).toMatch(/^Health overall: \d+ of 100\. /);
  await expect(page.locator('#cmdPlay')).toHaveAttribute('title', `${tips.play} Press F1 for help.`);

  // A finger taps a figure for its tip, beside it and within the page, and
  // taps it again to put it away; a tap on a control shows none.
  const tap = (selector: string) => page.locator(selector).dispatchEvent('pointerup', { pointerType: 'touch', bubbles: true });
  const bubble = page.locator('#tipBubble');
  await page.setViewportSize({ width: 360, height: 640 });
  await tap('#lblBankBalance');
  await expect(bubble).toHaveText(tips.figures.lblBankBalance);
  const box = await bubble.boundingBox();
  expect(box !== null && box.x >= 0 && box.x + box.width <= 360).toBe(true);
  await tap('#lblBankBalance');
  await expect(bubble).toHaveCount(0);
  await page.locator('#pbBoots').scrollIntoViewIfNeeded();
  await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
  await tap('#pbBoots');
  await expect(bubble).toHaveText(tips.bars.Boots);
  await page.screenshot({ path: fileURLToPath(new URL('../../build/web/screens/hub-tip-360x640@1x.png', import.meta.url)) });
  await tap('#cmdStore');
  await expect(bubble).toHaveCount(0);

  // The store's rows and balances say what they are, in the rules' words.
  await player.click('#cmdStore');
  const { shop } = (await op(page, 'state')).state;
  const boots = shop.rows.find((r: { name: string }) => r.name === 'Boots');
  expect(boots.tips.units).toMatch(/^Units boots needs to be back at 100\. Boots: \d+ of 100\./);
  await expect(page.locator('#lblBootsUnits')).toHaveAttribute('title', boots.tips.units);
  await expect(page.locator('#udBootsUp')).toHaveAttribute('title', boots.tips.chosen);
  await expect(page.locator('#lblBalanceAfter')).toHaveAttribute('title', shop.balanceAfterTip);
});
