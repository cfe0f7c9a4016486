// SPDX-License-Identifier: GPL-3.0-or-later
// The about box, from the hub and from the team page, and the small boxes
// that stand over a screen while it waits behind them (the award lists over
// the records). A box of this kind is a screen of the game, not a message
// of the rules: the screen under it takes no input until its OK, and a
// message of the rules may come over it.

import type { Context } from './context';
import { button, el } from './dom';
import './info.css';

const kDescription = 'A career simulation of Australian rules football: from the Local Reserves to the AFL.';

let boxes = 0;

// A modal box with its title and OK; Enter on OK and Escape are OK.
// Resolves once it has closed. `owner` is the screen under it, which takes
// no input while the box is open.
export function openBox(owner: HTMLElement, name: string, title: string, build: (ok: HTMLButtonElement) => HTMLElement[]): Promise<void> {
  return new Promise((resolve) => {
    const titleId = `${name}-title-${++boxes}`;
    const cmdOK = button('OK', 'cmdOK', () => close());
    const box = el('dialog', { class: 'info-box', id: name, 'data-kind': 'box', 'aria-labelledby': titleId });
    box.append(el('h2', { class: 'dialog-title', id: titleId, text: title }), ...build(cmdOK));
    const before = document.activeElement instanceof HTMLElement ? document.activeElement : owner;
    function close(): void {
      box.close();
      box.remove();
      before.focus();
      resolve();
    }
    box.addEventListener('cancel', (event) => {
      event.preventDefault();
      close();
    });
    document.body.append(box);
    box.showModal();
    cmdOK.focus();
  });
}

// The about box: the program, its version, and the System Info button.
export async function openAbout(ctx: Context, owner: HTMLElement, name: 'frmAbout' | 'frmAboutTeam'): Promise<void> {
  const { title, version } = await ctx.run('version', {});
  await openBox(owner, name, title, (ok) => {
    const cmdSysInfo = button('System Info...', 'cmdSysInfo', () => void ctx.run('systemInfo', {}));
    return [
      el('div', { class: 'about-body' }, el('p', { class: 'about-title', id: 'lblTitle', text: 'Kickmark' }), el('p', { id: 'lblVersion', text: `Version ${version}` }), el('p', { class: 'caption', id: 'lblDescription', text: kDescription })),
      el('div', { class: 'buttons' }, ok, cmdSysInfo),
    ];
  });
}
