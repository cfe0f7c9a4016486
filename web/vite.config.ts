// SPDX-License-Identifier: GPL-3.0-or-later
// The site: index.html, the screens and the engine's worker, with the
// WebAssembly that the web preset built (build/web/src/web, or the folder
// KICKMARK_WASM_DIR names).
import { createHash } from 'node:crypto';
import { readdirSync, readFileSync } from 'node:fs';
import path from 'node:path';
import { defineConfig, transformWithEsbuild, type Plugin } from 'vite';

const wasmDir = path.resolve(process.env.KICKMARK_WASM_DIR ?? path.join(__dirname, '../build/web/src/web'));

// The worker waits for the page's answers on shared memory, which a browser
// grants only to a page isolated from other origins.
export const isolationHeaders = {
  'Cross-Origin-Opener-Policy': 'same-origin',
  'Cross-Origin-Embedder-Policy': 'require-corp',
  'Cross-Origin-Resource-Policy': 'same-origin',
};

// Every file under `folder`, as paths relative to it.
function filesUnder(folder: string, prefix = ''): string[] {
  const found: string[] = [];
  for (const entry of readdirSync(path.join(folder, prefix), { withFileTypes: true })) {
    const name = prefix ? `${prefix}/${entry.name}` : entry.name;
    if (entry.isDirectory()) found.push(...filesUnder(folder, name));
    else found.push(name);
  }
  return found;
}

// The service worker (src/sw.ts) as sw.js at the site's root, with the list
// of the build's files it keeps for playing offline and a version named by
// their contents: a new build is a new version.
function offline(): Plugin {
  let publicDir = '';
  return {
    name: 'kickmark-offline',
    apply: 'build',
    enforce: 'post',
    configResolved(config) {
      publicDir = config.publicDir;
    },
    async generateBundle(_options, bundle) {
      const source = readFileSync(path.join(__dirname, 'src/sw.ts'), 'utf8');
      const version = createHash('sha256').update(source);
      const files = new Map<string, string | Uint8Array>();
      for (const [name, item] of Object.entries(bundle)) files.set(name, item.type === 'chunk' ? item.code : item.source);
      if (publicDir) for (const name of filesUnder(publicDir)) files.set(name, readFileSync(path.join(publicDir, name)));
      const kept = [...files.keys()].filter((name) => name !== 'sw.js' && !name.endsWith('.map')).sort();
      for (const name of kept) version.update(name).update(files.get(name)!);
      const { code } = await transformWithEsbuild(source, 'sw.ts', { loader: 'ts', format: 'iife', target: 'es2022' });
      this.emitFile({
        type: 'asset',
        fileName: 'sw.js',
        source: `const kPrecache = ${JSON.stringify(kept)};\nconst kVersion = ${JSON.stringify(version.digest('hex').slice(0, 16))};\n${code}`,
      });
    },
  };
}

const docsDir = path.resolve(__dirname, '../docs');

export default defineConfig({
  base: './',
  resolve: {
    alias: {
      '@kickmark-build': wasmDir,
    },
  },
  plugins: [offline()],
  worker: { format: 'es' },
  build: {
    outDir: process.env.KICKMARK_SITE_DIR ?? path.join(__dirname, '../build/web/site'),
    emptyOutDir: true,
    target: 'es2022',
    assetsInlineLimit: 0,
  },
  server: { headers: isolationHeaders, fs: { allow: [__dirname, wasmDir, docsDir] } },
  preview: { headers: isolationHeaders },
});
