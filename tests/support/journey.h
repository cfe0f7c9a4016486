// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One career taken through every kind of step there is, with its folder kept
// before each: what the crash sweep and the power-cut test go through.

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "game/game.h"
#include "support/playing.h"

namespace km::testing {

// A folder's files by name, with their bytes.
using FolderFiles = std::map<std::string, std::string>;

FolderFiles Snapshot(const std::filesystem::path& folder);
// Makes the folder hold exactly `files`.
void Restore(const std::filesystem::path& folder, const FolderFiles& files);

// A game over the folder with its own random numbers and a prompter that says yes.
struct Session {
  TwisterRandom random;
  YesPrompter p;
  Game game;
  Session(const std::filesystem::path& folder, unsigned seed)
      : random(seed), game(random, p, DataFolder{folder}) {}
};

// The career every journey plays: its save is kCareer + ".kms".
inline constexpr const char* kCareer = "crash";
inline constexpr const char* kSave = "crash.kms";

// One step from the hub as a player takes it: whatever waits first (the draft
// camp and the draft, or a signature and the sponsor window), then the round.
void Step(Game& game);

// The setup screen's Start, its contract screen, the best offer signed and the first save.
void StartCareer(Game& game);

// A career of the first season saved after `weeks` rounds.
FolderFiles CareerAfter(const std::filesystem::path& folder, int weeks);

struct Moment {
  std::string label;
  FolderFiles files;  // the career's folder as saved before the step
};

// One career through every kind of step, from its first week to the AFL, the
// folder kept before each step worth sweeping (16 of them).
std::vector<Moment> Journey(const std::filesystem::path& folder);

// Whether the player was told, from message `from` on, that a file could not
// be written or read.
bool ToldOfAFile(const YesPrompter& p, std::size_t from);

}  // namespace km::testing
