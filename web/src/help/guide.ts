// SPDX-License-Identifier: GPL-3.0-or-later
// The player's guide in the page: docs/playing.md with its pictures, in a
// dialog over the game, open at a section. Loaded the first time Help is
// asked for, so that it weighs nothing on the game's start.

import { marked } from 'marked';
import guideText from '../../../docs/playing.md?raw';
import { el } from '../screens/dom';
import { anchorOf, kGuideTitle } from './sections';

// The guide's pictures, as the build put them in the site.
const kPictures = import.meta.glob<string>('../../../docs/pictures/*.png', { eager: true, query: '?url', import: 'default' });

function pictureUrl(src: string): string | null {
  const name = src.replace(/^\.?\//, '');
  for (const [file, url] of Object.entries(kPictures)) if (file.endsWith(`/docs/${name}`)) return url;
  return null;
}

// The guide as elements: headings with their anchors, pictures from the
// site, tables that scroll inside their own box on a narrow screen.
function render(): HTMLElement {
  const article = el('article', { class: 'guide', id: 'txtGuide', tabindex: 0, 'aria-label': 'Kickmark guide' });
  article.innerHTML = marked.parse(guideText, { async: false, gfm: true });
  for (const heading of Array.from(article.querySelectorAll('h1, h2, h3'))) {
    heading.id = anchorOf(heading.textContent ?? '');
    heading.setAttribute('tabindex', '-1');
  }
  for (const img of Array.from(article.querySelectorAll('img'))) {
    const url = pictureUrl(img.getAttribute('src') ?? '');
    if (url) img.src = url;
    img.loading = 'lazy';
  }
  for (const table of Array.from(article.querySelectorAll('table'))) {
    const wrap = el('div', { class: 'table-wrap' });
    table.replaceWith(wrap);
    wrap.append(table);
  }
  return article;
}

let open: HTMLDialogElement | null = null;

// Opens the guide at the section named (its top for null); Close, Escape or
// a second Help put it away and give the focus back.
export function showGuide(section: string | null): HTMLDialogElement {
  if (open) {
    goTo(open, section);
    return open;
  }
  const before = document.activeElement as HTMLElement | null;
  const article = render();
  const close = el('button', { type: 'button', id: 'cmdCloseGuide', class: 'primary', text: 'Close' });
  const dialog = el(
    'dialog',
    { class: 'dialog dialog-guide', id: 'frmGuide', 'data-kind': 'guide', 'aria-labelledby': 'lblGuideTitle' },
    el('div', { class: 'guide-bar' }, el('h2', { class: 'dialog-title', id: 'lblGuideTitle', text: kGuideTitle }), close),
    article,
  );
  const shut = (): void => {
    dialog.close();
    dialog.remove();
    open = null;
    before?.focus?.();
  };
  close.addEventListener('click', shut);
  dialog.addEventListener('cancel', (event) => {
    event.preventDefault();
    shut();
  });
  // The guide's own links go to its sections.
  article.addEventListener('click', (event) => {
    const link = (event.target as Element).closest('a');
    const href = link?.getAttribute('href') ?? '';
    if (!href.startsWith('#')) {
      if (link) link.target = '_blank';
      return;
    }
    event.preventDefault();
    const target = article.querySelector<HTMLElement>(`[id="${CSS.escape(href.slice(1))}"]`);
    target?.scrollIntoView({ block: 'start' });
    target?.focus({ preventScroll: true });
  });
  document.body.append(dialog);
  dialog.showModal();
  open = dialog;
  goTo(dialog, section);
  return dialog;
}

function goTo(dialog: HTMLDialogElement, section: string | null): void {
  const article = dialog.querySelector<HTMLElement>('.guide')!;
  const heading = section ? article.querySelector<HTMLElement>(`[id="${CSS.escape(anchorOf(section))}"]`) : null;
  if (heading) {
    article.scrollTop = heading.offsetTop - article.offsetTop;
    heading.focus({ preventScroll: true });
  } else {
    article.scrollTop = 0;
    article.focus({ preventScroll: true });
  }
  dialog.dataset.section = heading?.id ?? '';
}
