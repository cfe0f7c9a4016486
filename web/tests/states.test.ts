// SPDX-License-Identifier: GPL-3.0-or-later
// Each state a control is painted in keeps its text readable (4.5:1, by
// axe-core) and differs from the control's other states in grey as well as
// in colour: a low bar is hatched and a restored one framed, a waiting
// sponsor window has its dot.

import AxeBuilder from '@axe-core/playwright';
import { expect, test, type Page } from '@playwright/test';
import { Player } from './helpers/ui';

test.use({ actionTimeout: 20_000 });

// Each control's states, as the hub paints them: the attribute or class
// that carries the state, its values, and the element whose text is read.
const kStates: { control: string; text: string; set: (e: HTMLElement, state: string) => void; states: string[] }[] = [
  { control: '#pbBoots', text: '#pbBoots .figure', set: (e, s) => (e.dataset.colour = s), states: ['plain', 'restored', 'low'] },
  { control: '#pbGearOverall', text: '#pbGearOverall .figure', set: (e, s) => (e.dataset.colour = s), states: ['plain', 'restored', 'low'] },
  { control: '#pbStamina', text: '#pbStamina .figure', set: (e, s) => (e.dataset.colour = s), states: ['plain', 'restored', 'low'] },
  { control: '#pbHealthOverall', text: '#pbHealthOverall .figure', set: (e, s) => (e.dataset.colour = s), states: ['plain', 'restored', 'low'] },
  { control: '#cmdSponsorship', text: '#cmdSponsorship', set: (e, s) => e.classList.toggle('highlight', s === 'highlighted'), states: ['plain', 'highlighted'] },
  { control: '#cmdPlay', text: '#cmdPlay', set: (e, s) => (e.dataset.colour = s), states: ['plain', 'injured', 'suspended', 'lastMissed'] },
];

// The contrast of a text with what is behind it, from two pictures of the
// control, with its text and without: the pixels the text covers are read in
// the picture without it, and the tenth of them nearest the text's colour
// gives the figure (the glyphs' soft edges aside).
async function textContrast(page: Page, withText: Buffer, without: Buffer, colour: string): Promise<number> {
  return page.evaluate(
    async ([a, b, colour]) => {
      const pixels = async (data: string): Promise<ImageData> => {
        const img = new Image();
        img.src = `data:image/png;base64,${data}`;
        await img.decode();
        const canvas = document.createElement('canvas');
        canvas.width = img.width;
        canvas.height = img.height;
        const g = canvas.getContext('2d')!;
        g.drawImage(img, 0, 0);
        return g.getImageData(0, 0, img.width, img.height);
      };
      const channel = (c: number): number => {
        const v = c / 255;
        return v <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4;
      };
      const luminance = (r: number, g: number, b: number): number => 0.2126 * channel(r) + 0.7152 * channel(g) + 0.0722 * channel(b);
      const [r, g, bl] = colour.match(/\d+/g)!.map(Number);
      const ink = luminance(r, g, bl);
      const [pa, pb] = [await pixels(a), await pixels(b)];
      const ratios: number[] = [];
      for (let i = 0; i < pa.data.length; i += 4) {
        const moved = Math.abs(pa.data[i] - pb.data[i]) + Math.abs(pa.data[i + 1] - pb.data[i + 1]) + Math.abs(pa.data[i + 2] - pb.data[i + 2]);
        if (moved < 60) continue;
        const ground = luminance(pb.data[i], pb.data[i + 1], pb.data[i + 2]);
        ratios.push((Math.max(ink, ground) + 0.05) / (Math.min(ink, ground) + 0.05));
      }
      if (ratios.length === 0) return 0;
      ratios.sort((x, y) => x - y);
      return ratios[Math.floor(ratios.length / 10)];
    },
    [withText.toString('base64'), without.toString('base64'), colour] as const,
  );
}

// The share of two pictures' pixels that differ in grey by more than a little.
async function greyChange(page: Page, a: Buffer, b: Buffer): Promise<number> {
  return page.evaluate(
    async ([a, b]) => {
      const pixels = async (data: string): Promise<ImageData> => {
        const img = new Image();
        img.src = `data:image/png;base64,${data}`;
        await img.decode();
        const canvas = document.createElement('canvas');
        canvas.width = img.width;
        canvas.height = img.height;
        const g = canvas.getContext('2d')!;
        g.drawImage(img, 0, 0);
        return g.getImageData(0, 0, img.width, img.height);
      };
      const [pa, pb] = [await pixels(a), await pixels(b)];
      if (pa.width !== pb.width || pa.height !== pb.height) return 1;
      const grey = (d: Uint8ClampedArray, i: number): number => 0.2126 * d[i] + 0.7152 * d[i + 1] + 0.0722 * d[i + 2];
      let changed = 0;
      for (let i = 0; i < pa.data.length; i += 4) if (Math.abs(grey(pa.data, i) - grey(pb.data, i)) > 12) ++changed;
      return changed / (pa.width * pa.height);
    },
    [a.toString('base64'), b.toString('base64')] as const,
  );
}

test('every painted state reads at 4.5:1 and differs from the others without colour @slow', async ({ page }) => {
  test.setTimeout(120_000);
  const player = new Player(page);
  await page.goto('/?seed=31');
  await player.click('#cmdNew');
  await page.fill('#txtCareer', 'states');
  await page.fill('#txtName', 'Stan States');
  await page.fill('#txtCity', 'Cairns');
  await page.selectOption('#txtState', 'Queensland');
  await page.selectOption('#lstPosition', 'Centre');
  await player.click('#cmdStart');
  await player.click('#cmdOffer1');
  await player.click('#cmdSign');
  await player.click('#cmdOK');
  await expect(page.locator('#frmMain')).toBeVisible();
  // Half-full bars, so that both the filled and the empty part show.
  await page.evaluate(() => {
    for (const fill of Array.from(document.querySelectorAll<HTMLElement>('.bar .fill'))) fill.style.width = '55%';
  });

  const faults: string[] = [];
  for (const { control, text, set, states } of kStates) {
    const shots: [string, Buffer][] = [];
    for (const state of states) {
      await page.locator(control).evaluate(set, state);
      // The pointer away, and no focus ring: the state alone.
      await page.mouse.move(0, 0);
      await page.evaluate(() => (document.activeElement as HTMLElement | null)?.blur());
      const shot = await page.locator(control).screenshot();
      shots.push([state, shot]);
      const read = await new AxeBuilder({ page }).include(control).withRules(['color-contrast']).analyze();
      for (const v of read.violations) faults.push(`${control} ${state}: ${v.nodes.map((n) => n.failureSummary).join(' ')}`);
      // The same, its text gone.
      const colour = await page.locator(text).evaluate((e) => getComputedStyle(e).color);
      const hide = await page.addStyleTag({ content: `${text}, ${text} * { color: transparent !important; }` });
      const bare = await page.locator(control).screenshot();
      await hide.evaluate((e) => (e as Element).remove());
      const contrast = await textContrast(page, shot, bare, colour);
      if (contrast < 4.5) faults.push(`${text} ${state}: its text at ${contrast.toFixed(2)}:1`);
    }
    for (let i = 0; i < shots.length; ++i) {
      for (let j = i + 1; j < shots.length; ++j) {
        const share = await greyChange(page, shots[i][1], shots[j][1]);
        if (share < 0.05) faults.push(`${control}: ${shots[i][0]} and ${shots[j][0]} differ in grey in ${(share * 100).toFixed(1)}% of the pixels`);
      }
    }
  }
  expect(faults).toEqual([]);
});
