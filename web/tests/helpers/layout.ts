// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen must never do at any size: scroll sideways, cut a text, or
// put one control over another.

import type { Page } from '@playwright/test';

// The problems of the page as it stands, one sentence each; none is right.
export async function layoutProblems(page: Page): Promise<string[]> {
  return page.evaluate(() => {
    const problems: string[] = [];
    const width = window.innerWidth;
    const name = (e: Element): string =>
      `${e.tagName.toLowerCase()}${e.id ? '#' + e.id : ''}${e.textContent ? ` "${e.textContent.trim().slice(0, 30)}"` : ''}`;
    const shown = (e: Element): boolean => {
      const r = e.getBoundingClientRect();
      if (r.width === 0 || r.height === 0) return false;
      const style = getComputedStyle(e);
      return style.visibility !== 'hidden' && style.display !== 'none' && !e.closest('.visually-hidden');
    };
    if (document.documentElement.scrollWidth > width + 1) {
      problems.push(`the page scrolls sideways: ${document.documentElement.scrollWidth} wide in ${width}`);
    }
    // The open dialog, if any, is the page: what is under it does not count.
    const top = document.querySelector('dialog[open]') ?? document.body;
    // Text cut: an element whose text runs past its own box, or past the window.
    for (const e of Array.from(top.querySelectorAll('*'))) {
      if (!shown(e) || e.closest('.table-wrap') !== null) continue;
      const hasText = Array.from(e.childNodes).some((n) => n.nodeType === Node.TEXT_NODE && (n.textContent ?? '').trim() !== '');
      if (!hasText) continue;
      const r = e.getBoundingClientRect();
      if (r.left < -1 || r.right > width + 1) problems.push(`${name(e)} runs outside the window (${Math.round(r.left)}..${Math.round(r.right)} of ${width})`);
      const el = e as HTMLElement;
      if (el.scrollWidth > el.clientWidth + 1 && el.clientWidth > 0) {
        problems.push(`${name(e)} is cut: ${el.scrollWidth} wide in ${el.clientWidth}`);
      }
    }
    // A table that scrolls inside its frame is allowed to, but not to hide its text behind the window.
    for (const wrap of Array.from(top.querySelectorAll('.table-wrap'))) {
      const w = wrap as HTMLElement;
      if (shown(w) && w.scrollWidth > w.clientWidth + 1) problems.push(`${name(w)} scrolls sideways: ${w.scrollWidth} wide in ${w.clientWidth}`);
    }
    // Controls over each other.
    const controls = Array.from(top.querySelectorAll('button, input, select, textarea, [role="meter"]')).filter(shown);
    const boxes = controls.map((c) => c.getBoundingClientRect());
    for (let i = 0; i < boxes.length; ++i) {
      for (let j = i + 1; j < boxes.length; ++j) {
        const a = boxes[i];
        const b = boxes[j];
        const overlapX = Math.min(a.right, b.right) - Math.max(a.left, b.left);
        const overlapY = Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top);
        if (overlapX > 1 && overlapY > 1 && !controls[i].contains(controls[j]) && !controls[j].contains(controls[i])) {
          problems.push(`${name(controls[i])} and ${name(controls[j])} overlap`);
        }
      }
    }
    return problems;
  });
}
