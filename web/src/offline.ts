// SPDX-License-Identifier: GPL-3.0-or-later
// The page's side of playing offline (see sw.ts): the service worker is
// registered once the game is up, and a new version of the site that has
// installed itself meanwhile takes over the next time the game starts,
// before anything of the game has run.

// True when the page is about to reload into the new version.
export async function newVersionFirst(): Promise<boolean> {
  if (!import.meta.env.PROD || !('serviceWorker' in navigator) || !navigator.serviceWorker.controller) return false;
  const registration = await navigator.serviceWorker.getRegistration();
  const waiting = registration?.waiting;
  if (!waiting) return false;
  const channel = new MessageChannel();
  const taking = new Promise<boolean>((resolve) => {
    channel.port1.onmessage = (event) => resolve(event.data === true);
    // A worker that does not answer leaves this start to the old version.
    setTimeout(() => resolve(false), 3000);
  });
  waiting.postMessage('takeOver', [channel.port2]);
  if (!(await taking)) return false;
  await new Promise<void>((resolve) => {
    if (navigator.serviceWorker.controller === waiting) resolve();
    navigator.serviceWorker.addEventListener('controllerchange', () => resolve(), { once: true });
    setTimeout(resolve, 3000);
  });
  location.reload();
  return true;
}

// Keeps this version of the site for offline play, and looks for a new one.
export function keepForOffline(): void {
  if (!import.meta.env.PROD || !('serviceWorker' in navigator)) return;
  const register = (): void => {
    navigator.serviceWorker.register('./sw.js', { scope: './', updateViaCache: 'none' }).catch(() => {
      // Without it the game still plays, online.
    });
  };
  if (document.readyState === 'complete') register();
  else window.addEventListener('load', register, { once: true });
}
