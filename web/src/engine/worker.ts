// SPDX-License-Identifier: GPL-3.0-or-later
//
// The engine's worker: the rules (WebAssembly) over the careers' folder,
// which lives in the browser's IndexedDB.
//
// Storage. The careers' files sit in emscripten's in-memory file system,
// mounted over IndexedDB (IDBFS) at /careers. The rules write their files
// there as on the desktop (a temporary file renamed over the old one); once
// an op is over, if any file changed, before its answer goes to the page,
// FS.syncfs copies every file that changed to IndexedDB. IDBFS's reconcile
// puts all of those changes (the round's results, its log, the save) into
// ONE readwrite transaction (library_idbfs.js: reconcile opens a single
// db.transaction([DB_STORE_NAME], 'readwrite') for every create and
// remove), and an IndexedDB transaction is all or nothing. The
// transactions are asked for strict durability (flushed to the disk before
// they complete), as the desktop flushes its saves.
//
// IndexedDB alone is not enough: a browser killed while IndexedDB writes
// can lose the whole of it at the next start (see spare.ts). So after
// IndexedDB, the same files go to a spare copy in the private file system,
// and only then does the answer go to the page. Each copy carries the
// generation it holds (IndexedDB in the file .generation beside the
// careers, which the rules never list), and at the start the copy with the
// later generation is the careers, and the other is brought in step. So a
// tab closed, a browser killed or the power lost at any moment leaves the
// careers as they were after the op before or after this one: the career
// at the week before or the week after, never half of one, and a week the
// page was told is done is kept. An op that waits on the player (a question
// mid-week) has written nothing yet; a kill then leaves the week before.
//
// IDBFS and the spare copy tell a changed file by its time stamp (whole
// milliseconds) and size, and the rules rewrite a career's files by making
// a new file each time, which takes a new stamp.
//
// Questions. When the rules ask the player something, askPage posts the
// question to the page and blocks this worker (Atomics.wait on shared
// memory) until the page's dialog has put the answer there: the rule waits
// as it does on the desktop, with no change to the rules.

import { unzipSync, zipSync } from 'fflate';
import createKickmark from '@kickmark-build/kickmark-web.mjs';
import wasmUrl from '@kickmark-build/kickmark-web.wasm?url';
import { Spare, sameStamp, type FileStamp } from './spare';
import { answerBytes, answerLength, answerReady, type FromWorker, type ToWorker } from './protocol';

const FOLDER = '/careers';
const IMPORT_FOLDER = '/import';
const GENERATION = '.generation';

export const kOpenInAnotherTab =
  'Kickmark is open in another tab of this browser. Close it there first, then reload this page.';

interface KickmarkModule {
  FS: any;
  IDBFS: any;
  ccall: (name: string, ret: string | null, types: string[], args: unknown[]) => any;
  askPage?: (prompt: string) => string;
}

let engine: KickmarkModule;
let spare: Spare | null = null;
let shared: Int32Array;
let sharedBytes: Uint8Array;

const post = (message: FromWorker, transfer: Transferable[] = []): void =>
  (self as unknown as Worker).postMessage(message, transfer);

// Every readwrite transaction flushed to the disk before it completes.
function strictTransactions(): void {
  const open = IDBDatabase.prototype.transaction;
  IDBDatabase.prototype.transaction = function (this: IDBDatabase, stores: string | string[], mode?: IDBTransactionMode, options?: IDBTransactionOptions) {
    return open.call(this, stores, mode, mode === 'readwrite' ? { durability: 'strict', ...options } : options);
  } as typeof open;
}

function askPage(promptJson: string): string {
  Atomics.store(shared, answerReady, 0);
  post({ type: 'prompt', prompt: JSON.parse(promptJson) });
  while (Atomics.load(shared, answerReady) === 0) Atomics.wait(shared, answerReady, 0);
  const length = Atomics.load(shared, answerLength);
  return new TextDecoder().decode(sharedBytes.slice(0, length));
}

function sync(populate: boolean): Promise<void> {
  return new Promise((resolve, reject) =>
    engine.FS.syncfs(populate, (error: unknown) => (error ? reject(error) : resolve())),
  );
}

// The careers' files (not the generation) by name, with size and stamp.
function careerStamps(): Map<string, FileStamp> {
  const { FS } = engine;
  const stamps = new Map<string, FileStamp>();
  for (const name of FS.readdir(FOLDER) as string[]) {
    if (name === '.' || name === '..' || name === GENERATION) continue;
    const stat = FS.stat(`${FOLDER}/${name}`);
    if (FS.isFile(stat.mode)) stamps.set(name, { size: stat.size, mtime: new Date(stat.mtime).getTime() });
  }
  return stamps;
}

function storedGeneration(): number {
  const path = `${FOLDER}/${GENERATION}`;
  if (!engine.FS.analyzePath(path).exists) return -1;
  const gen = Number(engine.FS.readFile(path, { encoding: 'utf8' }));
  return Number.isSafeInteger(gen) ? gen : -1;
}

// What both copies were last given, or null when they may differ from the
// files in memory.
let kept: Map<string, FileStamp> | null = null;

function sameStamps(a: Map<string, FileStamp>, b: Map<string, FileStamp>): boolean {
  return a.size === b.size && [...a].every(([name, stamp]) => sameStamp(b.get(name), stamp));
}

// After an op: when any career file changed, the next generation goes to
// IndexedDB and then to the spare copy.
async function keep(): Promise<void> {
  const stamps = careerStamps();
  if (kept && sameStamps(stamps, kept)) return;
  const next = Math.max(storedGeneration(), spare?.generation ?? -1) + 1;
  engine.FS.writeFile(`${FOLDER}/${GENERATION}`, String(next));
  await sync(false);
  // IndexedDB holds the careers now; a spare copy the browser will not
  // take (its storage full, say) is a warning, not a lost week.
  try {
    await spare?.write(next, stamps, (name) => engine.FS.readFile(`${FOLDER}/${name}`));
  } catch (error) {
    console.warn(`kickmark: the spare copy of the careers could not be written: ${String(error)}`);
  }
  kept = stamps;
}

// At the start: the copy with the later generation is the careers. The
// spare copy is later only when IndexedDB lost what it had (or never had
// it); its files then replace IndexedDB's.
async function recover(): Promise<void> {
  if (!spare || spare.generation <= storedGeneration()) return;
  const copy = await spare.restore();
  if (!copy || copy.gen <= storedGeneration()) return;
  const { FS } = engine;
  for (const name of FS.readdir(FOLDER) as string[]) {
    if (name !== '.' && name !== '..' && FS.isFile(FS.stat(`${FOLDER}/${name}`).mode)) FS.unlink(`${FOLDER}/${name}`);
  }
  for (const [name, { bytes, mtime }] of copy.files) {
    FS.writeFile(`${FOLDER}/${name}`, bytes);
    FS.utime(`${FOLDER}/${name}`, mtime, mtime);
  }
  FS.writeFile(`${FOLDER}/${GENERATION}`, String(copy.gen));
  await sync(false);
  console.warn(`kickmark: the careers came back from the spare copy (generation ${copy.gen})`);
}

function call(op: string, args: unknown = {}): any {
  const text = engine.ccall('km_call', 'string', ['string'], [JSON.stringify({ op, args })]);
  return JSON.parse(text);
}

function removeTree(path: string): void {
  const { FS } = engine;
  if (!FS.analyzePath(path).exists) return;
  for (const name of FS.readdir(path)) {
    if (name === '.' || name === '..') continue;
    const child = `${path}/${name}`;
    if (FS.isDir(FS.stat(child).mode)) removeTree(child);
    else FS.unlink(child);
  }
  FS.rmdir(path);
}

function exportCareer(career: string): any {
  const listed = call('careerFiles', { career });
  if (listed.error) return listed;
  const files: Record<string, Uint8Array> = {};
  for (const name of listed.files as string[]) files[name] = engine.FS.readFile(`${FOLDER}/${name}`);
  const zip = zipSync(files, { level: 6 });
  return { fileName: `${career}.zip`, zip, state: call('state').state };
}

// A zip's files by name, or the sentence that refuses it.
function careerFilesIn(zip: Uint8Array): { files: Map<string, Uint8Array> } | { error: string } {
  let entries: Record<string, Uint8Array>;
  try {
    entries = unzipSync(zip);
  } catch {
    return { error: 'This file is damaged or is not a zip file: no career can be read from it.' };
  }
  const files = new Map<string, Uint8Array>();
  for (const [path, bytes] of Object.entries(entries)) {
    if (path.endsWith('/')) continue; // a folder's own entry
    const name = path.slice(path.lastIndexOf('/') + 1);
    if (name === '' || name === '.' || name === '..' || files.has(name)) {
      return { error: `This file is not a Kickmark career: it holds "${path}" more than once or under no name.` };
    }
    files.set(name, bytes);
  }
  const saves = [...files.keys()].filter((name) => name.endsWith('.kms'));
  if (saves.length === 0) return { error: 'This file holds no Kickmark career: there is no save file (.kms) in it.' };
  if (saves.length > 1) return { error: `This file holds more than one career (${saves.join(', ')}): import one career at a time.` };
  return { files };
}

function importCareer(zip: Uint8Array, replace: boolean): any {
  const found = careerFilesIn(zip);
  if ('error' in found) return { ok: false, error: found.error, state: call('state').state };
  const { FS } = engine;
  const save = [...found.files.keys()].find((name) => name.endsWith('.kms'))!;
  const career = save.slice(0, -'.kms'.length);
  removeTree(IMPORT_FOLDER);
  FS.mkdir(IMPORT_FOLDER);
  for (const [name, bytes] of found.files) FS.writeFile(`${IMPORT_FOLDER}/${name}`, bytes);
  // The files are kept only when the rules load them as the start screen's
  // Load would, and each is one of that career's own.
  const checked = call('checkCareer', { folder: IMPORT_FOLDER, career });
  let error: string | undefined = checked.ok ? undefined : checked.error;
  if (!error) {
    const own = new Set<string>(call('careerFilesIn', { folder: IMPORT_FOLDER, career }).files);
    const foreign = [...found.files.keys()].filter((name) => !own.has(name));
    if (foreign.length > 0) error = `This file holds files that are not the career ${career}'s: ${foreign.join(', ')}.`;
  }
  const state = call('state').state;
  if (!error && state.hasCareer && state.career.values.CareerName === career) {
    error = `The career ${career} is open. Exit it first, then import it again.`;
  }
  if (!error && !replace && FS.analyzePath(`${FOLDER}/${save}`).exists) {
    error = `A career called ${career} is in this browser already. Delete it first, or import it to replace it.`;
  }
  if (error) {
    removeTree(IMPORT_FOLDER);
    return { ok: false, error, state };
  }
  if (FS.analyzePath(`${FOLDER}/${save}`).exists) call('deleteCareer', { career });
  for (const [name, bytes] of found.files) FS.writeFile(`${FOLDER}/${name}`, bytes);
  removeTree(IMPORT_FOLDER);
  return { ok: true, career, state: call('state').state };
}

function files(): any {
  const { FS } = engine;
  const list = (FS.readdir(FOLDER) as string[])
    .filter((name) => name !== '.' && name !== '..' && name !== GENERATION)
    .map((name) => ({ name, size: FS.stat(`${FOLDER}/${name}`).size as number }));
  return { files: list, state: call('state').state };
}

async function run(op: string, args: any): Promise<{ result: any; transfer: Transferable[] }> {
  let result: any;
  if (op === 'exportCareer') result = exportCareer(args.career);
  else if (op === 'importCareer') result = importCareer(args.zip, args.replace === true);
  else if (op === 'files') result = files();
  else result = call(op, args);
  await keep();
  return { result, transfer: result.zip ? [result.zip.buffer] : [] };
}

async function start(seed: number | null): Promise<FromWorker> {
  const held = await new Promise<boolean>((resolve) => {
    navigator.locks.request('kickmark-careers', { ifAvailable: true }, (lock) => {
      resolve(lock !== null);
      // Held for as long as this worker lives.
      return lock ? new Promise<void>(() => {}) : undefined;
    });
  });
  if (!held) return { type: 'ready', lockedOut: kOpenInAnotherTab };
  strictTransactions();
  engine = await createKickmark({
    locateFile: (file: string) => (file.endsWith('.wasm') ? wasmUrl : file),
    askPage,
    print: (text: string) => console.log(text),
    printErr: (text: string) => console.error(text),
  });
  const { FS, IDBFS } = engine;
  FS.mkdir(FOLDER);
  FS.mount(IDBFS, {}, FOLDER);
  await sync(true);
  spare = await Spare.open().catch(() => null);
  await recover();
  // In step already when both copies hold this generation.
  const stamps = careerStamps();
  if (spare ? spare.holds(stamps, storedGeneration()) : storedGeneration() >= 0) kept = stamps;
  await keep();
  engine.ccall('km_init', null, ['string', 'number'], [FOLDER, seed ?? -1]);
  return { type: 'ready', lockedOut: null };
}

let queue = Promise.resolve();

self.onmessage = (event: MessageEvent<ToWorker>) => {
  const message = event.data;
  if (message.type === 'init') {
    shared = new Int32Array(message.shared, 0, 2);
    sharedBytes = new Uint8Array(message.shared, answerBytes);
    queue = queue.then(async () => {
      try {
        post(await start(message.seed));
      } catch (error) {
        post({ type: 'failed', error: String(error) });
      }
    });
    return;
  }
  queue = queue.then(async () => {
    try {
      const { result, transfer } = await run(message.op, message.args ?? {});
      post({ type: 'reply', id: message.id, result }, transfer);
    } catch (error) {
      post({ type: 'reply', id: message.id, result: { error: String(error) } });
    }
  });
};
