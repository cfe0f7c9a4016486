// SPDX-License-Identifier: GPL-3.0-or-later
// The site's service worker: after the first visit the game opens and plays
// without the network. At its install it keeps every file of its version of
// the site (the page, the screens, the engine's worker and WebAssembly, the
// icons and the guide's pictures), and from then on answers from them.
//
// A new version of the site installs beside the old one and waits: the page
// asks it to take over only as the game starts, and only when no other tab
// has the game open, so a week is never played half on one version and half
// on the next.
//
// The build (vite.config.ts) puts the version's files and its name in front
// of this script.

declare const kPrecache: string[];
declare const kVersion: string;

export {};

const sw = self as unknown as ServiceWorkerGlobalScope;
const kCachePrefix = 'kickmark-';
const kCache = `${kCachePrefix}${kVersion}`;

// The engine's worker waits for the page on shared memory, which a browser
// grants only to a page isolated from other origins: every answer carries
// the headers that isolate it, as the server's do.
const kIsolation: Record<string, string> = {
  'Cross-Origin-Opener-Policy': 'same-origin',
  'Cross-Origin-Embedder-Policy': 'require-corp',
  'Cross-Origin-Resource-Policy': 'same-origin',
};

function isolated(response: Response): Response {
  if (response.type === 'opaque' || response.type === 'opaqueredirect' || response.status === 0) return response;
  const headers = new Headers(response.headers);
  for (const [name, value] of Object.entries(kIsolation)) headers.set(name, value);
  // The body is kept as the browser unpacked it.
  headers.delete('Content-Encoding');
  headers.delete('Content-Length');
  return new Response(response.body, { status: response.status, statusText: response.statusText, headers });
}

sw.addEventListener('install', (event) => {
  event.waitUntil(
    (async () => {
      const cache = await caches.open(kCache);
      // Past the browser's own cache: this version's files exactly.
      await cache.addAll(kPrecache.map((file) => new Request(new URL(file, sw.registration.scope), { cache: 'reload' })));
    })(),
  );
});

sw.addEventListener('activate', (event) => {
  event.waitUntil(
    (async () => {
      for (const name of await caches.keys()) {
        if (name.startsWith(kCachePrefix) && name !== kCache) await caches.delete(name);
      }
    })(),
  );
});

// The page, as the game starts, asks a waiting version to take over. It
// does if that page is the only one open: another tab may be in the middle
// of a week.
sw.addEventListener('message', (event) => {
  if (event.data !== 'takeOver') return;
  const port = event.ports[0];
  event.waitUntil(
    (async () => {
      const pages = await sw.clients.matchAll({ type: 'window', includeUncontrolled: true });
      const alone = pages.length <= 1;
      if (alone) await sw.skipWaiting();
      port?.postMessage(alone);
    })(),
  );
});

sw.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== sw.location.origin) return;
  event.respondWith(
    (async () => {
      const cache = await caches.open(kCache);
      // The game's page, with its ?seed= or not, is the one page kept.
      const path = new URL(request.url).pathname;
      const scope = new URL(sw.registration.scope).pathname;
      const page = request.mode === 'navigate' && (path === scope || path === `${scope}index.html`);
      const kept = page
        ? await cache.match(new URL('index.html', sw.registration.scope).href)
        : await cache.match(request, { ignoreVary: true, ignoreSearch: false });
      return isolated(kept ?? (await fetch(request)));
    })(),
  );
});
