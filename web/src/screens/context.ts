// SPDX-License-Identifier: GPL-3.0-or-later
// What every screen gets from the app: the state of the moment, the rules'
// ops, and the way to the next screen.

import type { OpName, OpResult, Ops, StateView } from '../engine/api';

export type ScreenName =
  | 'start'
  | 'setup'
  | 'contracts'
  | 'hub'
  | 'round'
  | 'match'
  | 'shop'
  | 'sponsorship'
  | 'sponsorOffers'
  | 'camp'
  | 'draft'
  | 'career'
  // The information screens: the team page and what it opens, the records.
  | 'team'
  | 'ladder'
  | 'results'
  | 'teamRecords'
  | 'records';

export interface Screen {
  root: HTMLElement;
  // Draws the state; called after every op while the screen is up.
  update(state: StateView): void;
  // Where the focus goes when the screen comes up.
  focus?(): void;
  // The screen goes away (a timer to stop).
  leave?(): void;
}

export interface Context {
  state(): StateView;
  run<K extends OpName>(op: K, args?: Ops[K]['args']): Promise<OpResult<K>>;
  go(screen: ScreenName, option?: string): void;
  // The career the start screen's Continue goes back to.
  lastCareer(): string | null;
}

// A switch of the record as the views carry it ("True" or "False").
export function isOn(state: StateView, field: string): boolean {
  return state.career?.values[field] === 'True';
}

export function value(state: StateView, field: string): string {
  return state.career?.values[field] ?? '';
}
