// SPDX-License-Identifier: GPL-3.0-or-later
// The site: index.html, the screens and the engine's worker, with the
// WebAssembly that the web preset built (build/web/src/web, or the folder
// KICKMARK_WASM_DIR names).
import path from 'node:path';
import { defineConfig } from 'vite';

const wasmDir = path.resolve(process.env.KICKMARK_WASM_DIR ?? path.join(__dirname, '../build/web/src/web'));

// The worker waits for the page's answers on shared memory, which a browser
// grants only to a page isolated from other origins.
export const isolationHeaders = {
  'Cross-Origin-Opener-Policy': 'same-origin',
  'Cross-Origin-Embedder-Policy': 'require-corp',
  'Cross-Origin-Resource-Policy': 'same-origin',
};

export default defineConfig({
  base: './',
  resolve: {
    alias: {
      '@kickmark-build': wasmDir,
    },
  },
  worker: { format: 'es' },
  build: {
    outDir: process.env.KICKMARK_SITE_DIR ?? path.join(__dirname, '../build/web/site'),
    emptyOutDir: true,
    target: 'es2022',
    assetsInlineLimit: 0,
  },
  server: { headers: isolationHeaders, fs: { allow: [__dirname, wasmDir] } },
  preview: { headers: isolationHeaders },
});
