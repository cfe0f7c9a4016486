// SPDX-License-Identifier: GPL-3.0-or-later
// The messages between the page and the engine's worker, and the layout of
// the shared memory the page answers the rules' questions in.

import type { Prompt } from './api';

// Int32 slots: answerReady (0 while the worker waits, 1 once the answer is
// there) and answerLength (its bytes); the answer's UTF-8 from answerBytes.
export const answerReady = 0;
export const answerLength = 1;
export const answerBytes = 8;
export const sharedSize = answerBytes + 64 * 1024;

export type ToWorker =
  | { type: 'init'; shared: SharedArrayBuffer; seed: number | null }
  | { type: 'call'; id: number; op: string; args?: unknown };

export type FromWorker =
  | { type: 'ready'; lockedOut: string | null }
  | { type: 'failed'; error: string }
  | { type: 'prompt'; prompt: Prompt }
  | { type: 'reply'; id: number; result: any };
