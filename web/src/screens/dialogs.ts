// SPDX-License-Identifier: GPL-3.0-or-later
// The rules' questions as the browser's own modal dialogs: message boxes
// (OK), Yes/No questions (No the default), the newspaper (closed by a click
// or a key) and the choice of a career to open.

import type { Prompt, PromptAnswer, Story } from '../engine/api';
import { button, el } from './dom';

const kProgramTitle = 'Kickmark';
const kPressAnyKey = 'Press any key to continue';

// Each dialog's number, so that one can be told from the next that takes its place.
let serial = 0;

// A modal dialog over the page; `settle` closes it with its answer.
function open<T>(
  kind: string,
  title: string,
  build: (settle: (answer: T) => void) => HTMLElement[],
  onCancel: T,
): Promise<T> {
  return new Promise((resolve) => {
    // A box without a title of its own shows the program's title.
    const heading = el('h2', { class: 'dialog-title', id: 'dialogTitle', text: title || kProgramTitle });
    const dialog = el('dialog', {
      class: `dialog dialog-${kind}`,
      'data-kind': kind,
      'data-title': title,
      'data-serial': ++serial,
      'aria-labelledby': 'dialogTitle',
    });
    let done = false;
    // The focus goes back where it was when the box is answered.
    const before = document.activeElement as HTMLElement | null;
    const settle = (answer: T): void => {
      if (done) return;
      done = true;
      dialog.close();
      dialog.remove();
      if (before?.isConnected && document.activeElement === document.body) before.focus();
      resolve(answer);
    };
    dialog.append(heading, ...build(settle));
    // Escape is the box's Cancel: OK for a message, No for a question.
    dialog.addEventListener('cancel', (event) => {
      event.preventDefault();
      settle(onCancel);
    });
    document.body.append(dialog);
    dialog.showModal();
    const focus = dialog.querySelector<HTMLElement>('[autofocus]');
    focus?.focus();
  });
}

export function inform(text: string, title: string): Promise<void> {
  return open<void>(
    'inform',
    title,
    (settle) => {
      const ok = button('OK', 'cmdMsgOK', () => settle());
      ok.autofocus = true;
      return [el('p', { class: 'dialog-text', id: 'dialogText', text }), el('div', { class: 'buttons' }, ok)];
    },
    undefined,
  );
}

export function askYesNo(text: string, title: string): Promise<boolean> {
  return open<boolean>(
    'question',
    title,
    (settle) => {
      const yes = button('Yes', 'cmdMsgYes', () => settle(true));
      const no = button('No', 'cmdMsgNo', () => settle(false));
      // No is the default button.
      no.autofocus = true;
      return [el('p', { class: 'dialog-text', id: 'dialogText', text }), el('div', { class: 'buttons' }, yes, no)];
    },
    false,
  );
}

// The newspaper: the masthead, the headline and the story, until a click or a key.
export function newspaper(story: Story): Promise<void> {
  return open<void>(
    'story',
    story.masthead,
    (settle) => {
      const paper = el(
        'div',
        { class: 'paper', id: 'frmNewspaper', tabindex: 0, autofocus: true },
        el('p', { class: 'headline', id: 'lblHeadline', text: story.headline }),
        el('p', { class: 'story', id: 'lblText', text: story.text }),
        el('p', { class: 'press-key', id: 'lblPressKey', text: kPressAnyKey }),
      );
      queueMicrotask(() => {
        const dialog = paper.closest('dialog');
        dialog?.addEventListener('click', () => settle());
        dialog?.addEventListener('keydown', (event) => {
          // Escape is the box's own; F1 opens the guide over the paper.
          if (event.key === 'Escape' || event.key === 'F1') return;
          event.preventDefault();
          settle();
        });
      });
      return [paper];
    },
    undefined,
  );
}

// Load Career's choice of a saved career, or Cancel.
export function chooseCareer(title: string, careers: string[]): Promise<string | null> {
  return open<string | null>(
    'open',
    title || 'Load Career',
    (settle) => {
      const list = el('select', { id: 'lstCareers', size: Math.min(8, Math.max(2, careers.length)) });
      for (const name of careers) list.append(el('option', { value: name, text: name }));
      if (careers.length > 0) list.selectedIndex = 0;
      list.autofocus = true;
      const openButton = button('Open', 'cmdOpen', () => settle(list.value || null));
      openButton.disabled = careers.length === 0;
      list.addEventListener('dblclick', () => list.value && settle(list.value));
      return [
        el('label', { for: 'lstCareers', text: careers.length ? 'Career:' : 'No careers are saved in this browser.' }),
        list,
        el('div', { class: 'buttons' }, openButton, button('Cancel', 'cmdCancelOpen', () => settle(null))),
      ];
    },
    null,
  );
}

// New Position (frmPosition), after a Yes at the season's end: OK with the
// position picked (none picked at first, as on the desktop), or Cancel (null).
export function choosePosition(positions: string[]): Promise<string | null> {
  return open<string | null>(
    'position',
    'New Position',
    (settle) => {
      const list = el('select', { id: 'lstPosition' });
      for (const name of positions) list.append(el('option', { value: name, text: name }));
      list.selectedIndex = -1;
      list.autofocus = true;
      return [
        el('label', { for: 'lstPosition', id: 'lblChoose', text: 'Choose your new position' }),
        list,
        el(
          'div',
          { class: 'buttons' },
          button('OK', 'cmdOK', () => settle(list.value)),
          button('Cancel', 'cmdCancel', () => settle(null)),
        ),
      ];
    },
    null,
  );
}

// Answers one of the rules' prompts; 'shown' is the app's own business.
export async function answer(prompt: Prompt): Promise<PromptAnswer> {
  switch (prompt.kind) {
    case 'inform':
      await inform(prompt.text, prompt.title);
      return undefined;
    case 'askYesNo':
      return askYesNo(prompt.text, prompt.title);
    case 'story':
      await newspaper(prompt.story);
      return undefined;
    case 'chooseFile':
      return chooseCareer(prompt.title, prompt.careers);
    default:
      return undefined;
  }
}
