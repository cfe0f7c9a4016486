// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's module as emscripten makes it (src/web, the web preset).
declare module '@kickmark-build/kickmark-web.mjs' {
  const createKickmark: (options: Record<string, unknown>) => Promise<any>;
  export default createKickmark;
}
declare module '@kickmark-build/kickmark-web.wasm?url' {
  const url: string;
  export default url;
}
