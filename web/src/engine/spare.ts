// SPDX-License-Identifier: GPL-3.0-or-later
//
// The careers' spare copy, in the origin's private file system (OPFS).
//
// Why a second copy: when the browser is killed (a crash, a phone that
// kills it, the power lost) while its IndexedDB is writing, Chromium can
// find IndexedDB's log torn at the next start ("Corruption: partial record
// without end") and then deletes the site's whole IndexedDB, every career
// in it. The private file system is a separate store, written only after
// IndexedDB's copy of the same moment has gone to the disk, so one kill can
// tear at most one of the two, and the other holds the careers as they were
// after the op before or after this one.
//
// The copy is written so that a kill in the middle of writing it leaves the
// copy before: the changed files go, one after another, to a new blob
// named by the generation that writes it, flushed to the disk, and only
// then the
// manifest naming every file's blob, into the one of two manifest files
// that does not hold the latest generation. A torn manifest fails its check and
// the other names the generation before, whose blobs are all still there:
// a blob is deleted only when neither manifest names it.

export interface FileStamp {
  size: number;
  mtime: number;
}

interface Entry extends FileStamp {
  name: string;
  blob: string;
  offset: number; // where the file starts in its blob
  hash: number;
}

interface Manifest {
  gen: number;
  slot?: number; // which of the two manifest files holds it (not written)
  files: Entry[];
  check: number;
}

// A file is unchanged while its size and time stamp are.
export const sameStamp = (a: FileStamp | undefined, b: FileStamp): boolean => a !== undefined && a.size === b.size && a.mtime === b.mtime;

// FNV-1a, 32 bits: a torn or damaged blob or manifest fails it.
export function fnv1a(bytes: Uint8Array): number {
  let hash = 0x811c9dc5;
  for (let i = 0; i < bytes.length; ++i) {
    hash ^= bytes[i];
    hash = Math.imul(hash, 0x01000193) >>> 0;
  }
  return hash;
}

const textHash = (text: string): number => fnv1a(new TextEncoder().encode(text));
const kManifests = ['manifest-0', 'manifest-1'];

function parseManifest(text: string): Manifest | null {
  try {
    const parsed = JSON.parse(text) as Manifest;
    if (!Number.isSafeInteger(parsed.gen) || !Array.isArray(parsed.files)) return null;
    if (textHash(JSON.stringify(parsed.files)) !== parsed.check) return null;
    return parsed;
  } catch {
    return null;
  }
}

async function readBytes(dir: FileSystemDirectoryHandle, name: string): Promise<Uint8Array | null> {
  try {
    const file = await (await dir.getFileHandle(name)).getFile();
    return new Uint8Array(await file.arrayBuffer());
  } catch {
    return null;
  }
}

async function writeBytes(dir: FileSystemDirectoryHandle, name: string, bytes: Uint8Array): Promise<void> {
  const handle = await (await dir.getFileHandle(name, { create: true })).createSyncAccessHandle();
  try {
    handle.truncate(0);
    handle.write(bytes, { at: 0 });
    handle.flush();
  } finally {
    handle.close();
  }
}

export class Spare {
  private constructor(
    private readonly dir: FileSystemDirectoryHandle,
    // The newest whole generation, and the one before it (whose blobs are
    // kept until a newer manifest is on the disk).
    private latest: Manifest | null,
    private previous: Manifest | null,
  ) {}

  // The spare copy, or null where this browser has no private file system.
  static async open(): Promise<Spare | null> {
    if (typeof FileSystemFileHandle === 'undefined' || !('createSyncAccessHandle' in FileSystemFileHandle.prototype)) return null;
    let dir: FileSystemDirectoryHandle;
    try {
      dir = await (await navigator.storage.getDirectory()).getDirectoryHandle('careers-spare', { create: true });
    } catch {
      return null;
    }
    const whole: Manifest[] = [];
    for (const [slot, name] of kManifests.entries()) {
      const bytes = await readBytes(dir, name);
      const manifest = bytes && parseManifest(new TextDecoder().decode(bytes));
      if (manifest && (await Spare.blobsWhole(dir, manifest))) whole.push({ ...manifest, slot });
    }
    whole.sort((a, b) => b.gen - a.gen);
    const spare = new Spare(dir, whole[0] ?? null, whole[1] ?? null);
    // Blobs neither manifest names: left by a torn write, or older than both.
    const named = spare.blobs();
    const names: string[] = [];
    for await (const name of (dir as unknown as { keys(): AsyncIterable<string> }).keys()) names.push(name);
    for (const name of names) {
      if (!kManifests.includes(name) && !named.has(name)) await dir.removeEntry(name).catch(() => undefined);
    }
    return spare;
  }

  // Whether every blob the manifest names is there and long enough (and,
  // when `read` is given, every file in it passes its check).
  private static async blobsWhole(dir: FileSystemDirectoryHandle, manifest: Manifest, read?: Map<string, Uint8Array>): Promise<boolean> {
    const sizes = new Map<string, number>();
    for (const entry of manifest.files) {
      if (!sizes.has(entry.blob)) {
        if (read) {
          const bytes = await readBytes(dir, entry.blob);
          if (bytes) read.set(entry.blob, bytes);
          sizes.set(entry.blob, bytes?.length ?? -1);
        } else {
          sizes.set(entry.blob, await dir.getFileHandle(entry.blob).then((handle) => handle.getFile()).then((file) => file.size, () => -1));
        }
      }
      if (sizes.get(entry.blob)! < entry.offset + entry.size) return false;
      if (read && fnv1a(read.get(entry.blob)!.subarray(entry.offset, entry.offset + entry.size)) !== entry.hash) return false;
    }
    return true;
  }

  get generation(): number {
    return this.latest?.gen ?? -1;
  }

  // True when the copy holds these files, by size and time stamp, and no
  // other.
  holds(files: Map<string, FileStamp>, gen: number): boolean {
    if (!this.latest || this.latest.gen !== gen || this.latest.files.length !== files.size) return false;
    return this.latest.files.every((entry) => sameStamp(files.get(entry.name), entry));
  }

  // The newest generation whose every file reads back whole, by name.
  async restore(): Promise<{ gen: number; files: Map<string, { bytes: Uint8Array; mtime: number }> } | null> {
    for (const manifest of [this.latest, this.previous]) {
      const blobs = new Map<string, Uint8Array>();
      if (!manifest || !(await Spare.blobsWhole(this.dir, manifest, blobs))) continue;
      const files = new Map<string, { bytes: Uint8Array; mtime: number }>();
      for (const entry of manifest.files) {
        files.set(entry.name, { bytes: blobs.get(entry.blob)!.slice(entry.offset, entry.offset + entry.size), mtime: entry.mtime });
      }
      return { gen: manifest.gen, files };
    }
    return null;
  }

  // Writes generation `gen` of the careers: `files` are all of them, and
  // `read` gives a file's bytes. A file unchanged since the latest
  // generation stays where it is.
  async write(gen: number, files: Map<string, FileStamp>, read: (name: string) => Uint8Array): Promise<void> {
    const before = new Map((this.latest?.files ?? []).map((entry) => [entry.name, entry]));
    const entries: Entry[] = [];
    const changed: Uint8Array[] = [];
    let offset = 0;
    const blob = `g${gen}`;
    for (const [name, stamp] of [...files].sort(([a], [b]) => (a < b ? -1 : a > b ? 1 : 0))) {
      const old = before.get(name);
      if (old && sameStamp(old, stamp)) {
        entries.push(old);
        continue;
      }
      const bytes = read(name);
      entries.push({ name, blob, offset, size: bytes.length, mtime: stamp.mtime, hash: fnv1a(bytes) });
      changed.push(bytes);
      offset += bytes.length;
    }
    if (changed.length > 0) {
      const joined = new Uint8Array(offset);
      let at = 0;
      for (const bytes of changed) {
        joined.set(bytes, at);
        at += bytes.length;
      }
      await writeBytes(this.dir, blob, joined);
    }
    const manifest: Manifest = { gen, files: entries, check: textHash(JSON.stringify(entries)) };
    // Never over the latest: a torn write must leave it whole.
    const slot = this.latest?.slot === 0 ? 1 : 0;
    await writeBytes(this.dir, kManifests[slot], new TextEncoder().encode(JSON.stringify(manifest)));
    const dropped = this.previous;
    this.previous = this.latest;
    this.latest = { ...manifest, slot };
    // The blobs only the generation now overwritten named.
    const named = this.blobs();
    for (const entry of dropped?.files ?? []) {
      if (!named.has(entry.blob)) {
        named.add(entry.blob);
        await this.dir.removeEntry(entry.blob).catch(() => undefined);
      }
    }
  }

  private blobs(): Set<string> {
    return new Set([...(this.latest?.files ?? []), ...(this.previous?.files ?? [])].map((entry) => entry.blob));
  }
}
