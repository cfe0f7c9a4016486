// SPDX-License-Identifier: GPL-3.0-or-later
// Small helpers for building the screens out of plain elements.

type Child = Node | string | null | undefined | false;

export interface Props {
  id?: string;
  class?: string;
  text?: string;
  [attribute: string]: string | number | boolean | undefined;
}

// An element with its attributes and children: el('p', {class: 'note'}, 'Hello').
export function el<K extends keyof HTMLElementTagNameMap>(
  tag: K,
  props: Props = {},
  ...children: Child[]
): HTMLElementTagNameMap[K] {
  const node = document.createElement(tag);
  for (const [key, value] of Object.entries(props)) {
    if (value === undefined || value === false) continue;
    if (key === 'text') node.textContent = String(value);
    else if (key === 'class') node.className = String(value);
    else node.setAttribute(key, value === true ? '' : String(value));
  }
  append(node, ...children);
  return node;
}

export function append(parent: Node, ...children: Child[]): void {
  for (const child of children) {
    if (child === null || child === undefined || child === false) continue;
    parent.appendChild(typeof child === 'string' ? document.createTextNode(child) : child);
  }
}

// A button with its caption; `name` is the desktop control's name, kept as
// the element's id so that a test or a reader can find it by the same name.
export function button(caption: string, name: string, onClick: () => void): HTMLButtonElement {
  const b = el('button', { type: 'button', id: name, 'data-name': name, text: caption });
  b.addEventListener('click', () => {
    if (!b.disabled) onClick();
  });
  return b;
}

// A value shown beside its caption: <dt>Caption:</dt><dd id=name>value</dd>.
export function valueRow(caption: string, name: string, unit = ''): [HTMLElement, HTMLElement] {
  const value = el('dd', { id: name, 'data-name': name });
  const row = el(
    'div',
    { class: 'row' },
    el('dt', { text: caption }),
    value,
    // The unit is a second description of the caption: a list of values
    // holds nothing but captions and descriptions.
    unit ? el('dd', { class: 'unit', text: unit }) : null,
  );
  return [row, value];
}

// A framed group of values with its heading, as the desktop's frames.
export function frame(title: string, name: string, ...children: Child[]): HTMLElement {
  return el(
    'section',
    { class: 'frame', id: name, 'aria-labelledby': `${name}-title` },
    el('h2', { id: `${name}-title`, text: title }),
    ...children,
  );
}

export function setText(node: HTMLElement, text: string | number): void {
  const s = String(text);
  if (node.textContent !== s) node.textContent = s;
}

export function clear(node: HTMLElement): void {
  while (node.firstChild) node.removeChild(node.firstChild);
}

// A screen: a <main> region with its heading, replacing what was there.
export function screen(name: string, title: string): HTMLElement {
  const page = el('div', { class: 'screen', id: name, 'data-screen': name, 'aria-label': title });
  return page;
}
