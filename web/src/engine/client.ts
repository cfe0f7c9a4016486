// SPDX-License-Identifier: GPL-3.0-or-later
// The page's side of the engine: starts the worker, sends it one op at a
// time, and answers the rules' questions through the prompt handler,
// writing each answer into the shared memory the worker waits on.

import { EngineError, type EngineClient, type OpName, type OpResult, type Ops, type Prompt, type PromptAnswer, type PromptHandler } from './api';
import { answerBytes, answerLength, answerReady, sharedSize, type FromWorker, type ToWorker } from './protocol';

const kLastCareer = 'kickmark.lastCareer';

export const kNotIsolated =
  'This browser did not isolate the page (the server must send the Cross-Origin-Opener-Policy and Cross-Origin-Embedder-Policy headers), so Kickmark cannot run here.';

// Until the screens set a handler: messages and stories are acknowledged,
// questions answered No, and no file is chosen.
const defaultHandler: PromptHandler = async (prompt: Prompt) => (prompt.kind === 'askYesNo' ? false : prompt.kind === 'chooseFile' ? null : undefined);

export interface EngineOptions {
  /** The rules' chance source is TwisterRandom(seed) when given. */
  seed?: number | null;
  /** The worker to talk to (tests); a new one by default. */
  worker?: Worker;
}

export async function createEngine(options: EngineOptions = {}): Promise<EngineClient> {
  if (!globalThis.crossOriginIsolated) throw new EngineError(kNotIsolated);
  const worker = options.worker ?? new Worker(new URL('./worker.ts', import.meta.url), { type: 'module', name: 'kickmark-engine' });
  const shared = new SharedArrayBuffer(sharedSize);
  const slots = new Int32Array(shared, 0, 2);
  const bytes = new Uint8Array(shared, answerBytes);
  let handler = defaultHandler;
  let nextId = 1;
  const pending = new Map<number, { resolve: (value: any) => void; reject: (error: Error) => void }>();
  let ready!: (message: FromWorker) => void;
  const started = new Promise<FromWorker>((resolve) => (ready = resolve));

  const answer = (value: PromptAnswer): void => {
    const encoded = new TextEncoder().encode(JSON.stringify(value ?? null));
    if (encoded.length > bytes.length) throw new EngineError('the answer is too long');
    bytes.set(encoded);
    Atomics.store(slots, answerLength, encoded.length);
    Atomics.store(slots, answerReady, 1);
    Atomics.notify(slots, answerReady);
  };

  worker.onmessage = (event: MessageEvent<FromWorker>) => {
    const message = event.data;
    switch (message.type) {
      case 'ready':
      case 'failed':
        ready(message);
        return;
      case 'prompt':
        handler(message.prompt).then(answer, () => answer(null));
        return;
      case 'reply': {
        const waiting = pending.get(message.id);
        pending.delete(message.id);
        if (!waiting) return;
        if (message.result && typeof message.result.error === 'string' && !('state' in message.result)) {
          waiting.reject(new EngineError(message.result.error));
        } else {
          waiting.resolve(message.result);
        }
      }
    }
  };
  worker.onerror = (event) => {
    for (const waiting of pending.values()) waiting.reject(new EngineError(event.message));
    pending.clear();
  };
  worker.postMessage({ type: 'init', shared, seed: options.seed ?? null } satisfies ToWorker);
  const first = await started;
  if (first.type === 'failed') throw new EngineError(first.error);
  const lockedOut = first.type === 'ready' ? first.lockedOut : null;

  const client: EngineClient = {
    lockedOut,
    setPromptHandler(next: PromptHandler) {
      handler = next;
    },
    lastCareer() {
      try {
        return localStorage.getItem(kLastCareer);
      } catch {
        return null;
      }
    },
    call<K extends OpName>(op: K, args?: Ops[K]['args']): Promise<OpResult<K>> {
      if (lockedOut) return Promise.reject(new EngineError(lockedOut));
      const id = nextId++;
      return new Promise<OpResult<K>>((resolve, reject) => {
        pending.set(id, { resolve, reject });
        worker.postMessage({ type: 'call', id, op, args } satisfies ToWorker);
      }).then((result) => {
        remember(op, result);
        return result;
      });
    },
  };
  return client;
}

// The start screen's Continue: the career last loaded or started here.
function remember(op: OpName, result: any): void {
  const loaded = (op === 'load' || op === 'loadFromChoice') && result.outcome === 'loaded';
  const started = op === 'startNewCareer' && result.ok;
  const imported = op === 'importCareer' && result.ok;
  if (!loaded && !started && !imported) return;
  const name = imported ? result.career : result.state?.career?.values?.CareerName;
  try {
    if (name) localStorage.setItem(kLastCareer, name);
  } catch {
    // A page without local storage has no Continue.
  }
}
