// SPDX-License-Identifier: GPL-3.0-or-later
// Which screen follows which: start, setup, a new career's first contract,
// the hub, the week's round and match, the shops and the sponsorship screen,
// and back to the start screen when a career is quit. One screen is up at a
// time; the rules' messages, questions and stories come over it as modal
// dialogs.

import type { EngineClient, OpName, OpResult, Ops, Prompt, PromptAnswer, SponsorSlot, StateView } from '../engine/api';
import { careerScreen } from './career';
import { contractsScreen } from './contracts';
import type { Context, Screen, ScreenName } from './context';
import { answer } from './dialogs';
import { campScreen, draftScreen } from './draft';
import { clear, el } from './dom';
import { hubScreen } from './hub';
import { matchScreen } from './match';
import { recordsScreen } from './records';
import { roundScreen } from './round';
import { setupScreen } from './setup';
import { shopScreen } from './shop';
import { installTips } from './tips';
import { sponsorOffersScreen, sponsorshipScreen } from './sponsorship';
import { startScreen } from './start';
import { ladderScreen, resultsScreen, teamRecordsScreen, teamScreen, type TeamMemory } from './team';

const kTitles: Record<ScreenName, string> = {
  start: 'Kickmark',
  setup: 'Kickmark - Player Setup',
  contracts: 'Contract Offers',
  hub: 'Kickmark - Career',
  round: 'Kickmark - Round',
  match: 'Kickmark - Match',
  shop: 'Kickmark',
  sponsorship: 'Kickmark - Sponsorship',
  sponsorOffers: 'Kickmark - Sponsorship',
  camp: 'Kickmark - AFL Draft Camp',
  draft: 'Kickmark - AFL Draft',
  career: 'Kickmark - Career',
  team: 'Kickmark - Team',
  ladder: 'Kickmark - Ladder',
  results: 'Kickmark - Fixture and Results',
  teamRecords: 'Kickmark - Records and Statistics',
  records: 'Kickmark - Statistics and Records',
};

export function startApp(client: EngineClient, root: HTMLElement): void {
  let state: StateView | null = null;
  let screen: Screen | null = null;
  let screenName: ScreenName = 'start';
  let busy = 0;
  const round = { playingAll: false };
  let roundView: ReturnType<typeof roundScreen> | null = null;
  // The team page's league position, kept while the career is open.
  const team: TeamMemory = { position: '' };

  const stage = el('div', { class: 'stage', id: 'stage' });
  const status = el('p', { class: 'visually-hidden', role: 'status', id: 'status' });
  clear(root);
  // Another tab holds the careers: this one only says so.
  if (client.lockedOut) {
    root.append(el('p', { class: 'error locked-out', role: 'alert', text: client.lockedOut }));
    return;
  }
  root.append(stage, status);
  installTips();

  function setBusy(delta: number): void {
    busy += delta;
    // The page is still while the rules work: a test (or a reader) waits
    // for this before the next click.
    root.dataset.busy = busy > 0 ? 'true' : 'false';
  }
  setBusy(0);

  const ctx: Context = {
    state: () => state as StateView,
    async run<K extends OpName>(op: K, args?: Ops[K]['args']): Promise<OpResult<K>> {
      setBusy(1);
      try {
        const result = await client.call(op, args);
        state = result.state;
        screen?.update(state);
        return result;
      } finally {
        setBusy(-1);
      }
    },
    go,
    lastCareer: () => client.lastCareer(),
  };

  function show(name: ScreenName, next: Screen): void {
    screen?.leave?.();
    screen = next;
    screenName = name;
    clear(stage);
    stage.append(next.root);
    root.dataset.screen = name;
    document.title = kTitles[name];
    if (state) next.update(state);
    next.focus?.();
  }

  function go(name: ScreenName, option?: string): void {
    switch (name) {
      case 'start':
        round.playingAll = false;
        team.position = '';
        show(name, startScreen(ctx));
        break;
      case 'setup':
        show(name, setupScreen(ctx));
        break;
      case 'contracts':
        show(name, contractsScreen(ctx, option === 'first'));
        break;
      case 'hub':
        show(name, hubScreen(ctx));
        // A State League player invited to the draft camp goes there from
        // the hub, after a load or the round that ended his season; the hub
        // waits until the draft is over.
        void ctx.run('openCampIfDue', {}).then((r) => {
          if (r.open && screenName === 'hub') go('camp');
        });
        break;
      case 'camp':
        show(name, campScreen(ctx, () => go('draft')));
        break;
      case 'draft':
        show(name, draftScreen(ctx, () => go('hub')));
        break;
      case 'round':
        roundView = roundScreen(ctx, round);
        show(name, roundView);
        break;
      case 'match':
        show(
          name,
          matchScreen(ctx, {
            playThrough: round.playingAll,
            finished: () => {
              // The round takes over again with the player's score in its slot,
              // and Play all goes on with the rest.
              if (roundView) show('round', roundView);
              if (round.playingAll) void roundView?.playOn();
            },
          }),
        );
        break;
      case 'shop':
        show(name, shopScreen(ctx, (option as 'training' | 'health' | 'store') ?? 'training', () => go('hub')));
        break;
      case 'sponsorship':
        show(name, sponsorshipScreen(ctx, (slot) => go('sponsorOffers', slot), () => go('hub')));
        void ctx.run('sponsorOpen', {});
        break;
      case 'career':
        // The open career's (from the hub), or one of the hall of fame's by
        // name (from the start screen): Close goes back where it came from.
        show(name, careerScreen(ctx, option ?? null, () => go(option ? 'start' : 'hub')));
        break;
      case 'sponsorOffers':
        show(name, sponsorOffersScreen(ctx, option as SponsorSlot, () => backToSponsorship()));
        break;
      // The team page and what it opens; each hands back with its OK.
      case 'team':
        show(name, teamScreen(ctx, team));
        break;
      case 'ladder':
        show(name, ladderScreen(ctx, () => go('team')));
        break;
      case 'results':
        show(name, resultsScreen(ctx, () => go('team')));
        break;
      case 'teamRecords':
        show(name, teamRecordsScreen(() => go('team')));
        break;
      case 'records':
        show(name, recordsScreen(ctx, () => go('hub')));
        break;
    }
  }

  function backToSponsorship(): void {
    show('sponsorship', sponsorshipScreen(ctx, (slot) => go('sponsorOffers', slot), () => go('hub')));
  }

  // The rules' prompts. A screen the rules want up first comes up at once.
  client.setPromptHandler(async (prompt: Prompt): Promise<PromptAnswer> => {
    if (prompt.kind === 'shown') {
      state = prompt.view;
      if (prompt.screen === 'round' && screenName !== 'round') go('round');
      else screen?.update(state);
      return undefined;
    }
    return answer(prompt);
  });

  void (async () => {
    const first = await ctx.run('state', {});
    state = first.state;
    go('start');
  })();
}
