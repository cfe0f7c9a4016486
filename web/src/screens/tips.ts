// SPDX-License-Identifier: GPL-3.0-or-later
// The tips of the hub's and the shops' figures, in the rules' words. A mouse
// rests on a figure to read its tip (the browser's own tool tip, which a
// screen reader reads as the figure's description); a finger taps it, and
// the tip shows beside it until the next tap, a scroll or Escape.

// Gives each node the tip.
export function setTip(nodes: HTMLElement | HTMLElement[], tip: string): void {
  for (const node of Array.isArray(nodes) ? nodes : [nodes]) {
    if (node.title !== tip) node.title = tip;
  }
}

let bubble: HTMLElement | null = null;
let shownFor: HTMLElement | null = null;

function hide(): void {
  bubble?.remove();
  bubble = null;
  shownFor = null;
}

// The tip under its figure, or above it where there is no room below, and
// within the page's width.
function show(target: HTMLElement): void {
  const tip = document.createElement('div');
  tip.id = 'tipBubble';
  tip.className = 'tip';
  tip.setAttribute('role', 'tooltip');
  tip.textContent = target.title;
  document.body.append(tip);
  const place = target.getBoundingClientRect();
  const left = Math.max(8, Math.min(place.left, window.innerWidth - tip.offsetWidth - 8));
  const below = place.bottom + 6;
  const top = below + tip.offsetHeight > window.innerHeight && place.top - 6 - tip.offsetHeight >= 0 ? place.top - 6 - tip.offsetHeight : below;
  tip.style.left = `${left + window.scrollX}px`;
  tip.style.top = `${top + window.scrollY}px`;
  bubble = tip;
  shownFor = target;
}

// A tap on a figure with a tip shows it, a second tap or one elsewhere puts
// it away. A tap on a control does what the control does.
export function installTips(): void {
  document.addEventListener('pointerup', (event) => {
    if (event.pointerType !== 'touch') return;
    const target = event.target instanceof Element ? event.target.closest<HTMLElement>('[title]') : null;
    const again = target !== null && target === shownFor;
    hide();
    if (!target || again || target.closest('button, a, input, select, textarea, summary')) return;
    show(target);
  });
  document.addEventListener('keydown', (event) => {
    if (event.key === 'Escape') hide();
  });
  window.addEventListener('scroll', hide, { passive: true });
  window.addEventListener('resize', hide);
}
