#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Kills kickmark-sim at random moments of careers and checks that the files
# left on the disk always load and play on:
#
#   kill_test.sh SIM [TRIALS] [SEED] [JOBS]
#
# Each trial makes a new career in a folder of its own, starts
# `play --to-end` and kills it with SIGKILL after a random delay: mostly
# within its first seasons, some later, so that kills land in home-and-away
# rounds, finals, a season's close and the draft. Then `show` must load what
# is on the disk (exit 0: the career's lock went with the killed process,
# and the season's files agree with the save), `log` must read the career
# log as far as the save has played, and `play --weeks 30` must
# go on from it (exit 0, or 5 for a career that cannot go on, such as a
# retired one), its invariants and its log checked after every week.
#
# The runs write without flushes (--no-sync): a killed process loses nothing
# the kernel already has, so this is the same test as with flushes, only
# quicker. A failed trial keeps its folder and prints how to look at it.
# The exit code is 0 when every trial passed, else 1.
set -uo pipefail

sim=${1:?usage: kill_test.sh SIM [TRIALS] [SEED] [JOBS]}
trials=${2:-300}
seed=${3:-1}
jobs=${4:-2}
work=$(mktemp -d "${TMPDIR:-/tmp}/kickmark-kill-XXXXXX") || exit 1
states=("Victoria" "New South Wales" "Queensland" "South Australia" "Western Australia"
        "Tasmania" "Northern Territory" "ACT")
positions=("Rover" "Wing" "Centre" "Full Forward" "Back Pocket" "Ruck" "Centre-Half-Forward")

# One trial, its outcome written to its folder's "outcome" file:
#   ok <killed|finished> <Matches of the save> <League of the save>
#   FAIL <what went wrong>
trial() {
  local n=$1 folder="$work/trial $1"
  local trialSeed=$((seed * 100000 + n))
  RANDOM=$trialSeed
  mkdir -p "$folder"
  # Mostly strong players, who climb through the leagues to the draft; every
  # fifth an even spread of skills; every tenth plays spending nothing.
  local skills="$((80 + RANDOM % 21)),$((80 + RANDOM % 21)),$((80 + RANDOM % 21)),$((80 + RANDOM % 21)),$((80 + RANDOM % 21))"
  ((n % 5 == 0)) && skills="$((1 + RANDOM % 100)),$((1 + RANDOM % 100)),$((1 + RANDOM % 100)),$((1 + RANDOM % 100)),$((1 + RANDOM % 100))"
  local policy=default
  ((n % 10 == 3)) && policy=passive
  local state=${states[RANDOM % ${#states[@]}]} position=${positions[RANDOM % ${#positions[@]}]}
  # The delay in milliseconds: within the first seasons mostly, a few later.
  local pick=$((RANDOM % 100)) delay
  if ((pick < 60)); then
    delay=$((RANDOM % 200))
  elif ((pick < 85)); then
    delay=$((200 + RANDOM % 600))
  else
    delay=$((800 + (RANDOM * 32768 + RANDOM) % 1700))
  fi
  local sleepFor
  sleepFor=$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))
  local run=("$sim" --data-dir "$folder" --no-sync --seed "$trialSeed")
  local outcome="$folder/outcome"
  local created=("${run[@]}" new --career K --name "Kill $n" --city Ballarat --state "$state"
                 --height 185 --weight 85 --position "$position" --skills "$skills")
  {
    echo "seed $trialSeed, kill after ${delay} ms, policy $policy"
    printf '%q ' "${created[@]}"
    echo
  } >"$folder/trial"
  if ! "${created[@]}" >/dev/null 2>"$folder/new.err"; then
    echo "FAIL new: $(head -c 300 "$folder/new.err")" >"$outcome"
    return
  fi
  "${run[@]}" play --career K --to-end --policy "$policy" >/dev/null 2>"$folder/killed.err" &
  local pid=$! how=killed
  sleep "$sleepFor"
  kill -KILL "$pid" 2>/dev/null
  # (the shell's own word on the killed job is not wanted)
  { wait "$pid"; } 2>/dev/null
  local code=$?
  if ((code != 137)); then
    how=finished
    # A run that ended before the kill did so as play does: 0, or 5 when the
    # career could not go on.
    if ((code != 0 && code != 5)); then
      echo "FAIL play before the kill exited $code: $(head -c 300 "$folder/killed.err")" >"$outcome"
      return
    fi
  fi
  "${run[@]}" show --career K >"$folder/show.json" 2>"$folder/show.err"
  code=$?
  if ((code != 0)); then
    echo "FAIL show after the kill exited $code: $(head -c 300 "$folder/show.err")" >"$outcome"
    return
  fi
  # The career log reads as far as the save has played, whatever the kill
  # left at its end.
  if ! "${run[@]}" log --career K >/dev/null 2>"$folder/log.err"; then
    echo "FAIL log after the kill: $(head -c 300 "$folder/log.err")" >"$outcome"
    return
  fi
  local matches league
  matches=$(sed -n 's/^ *"Matches": \([0-9]*\),*$/\1/p' "$folder/show.json")
  league=$(sed -n 's/^ *"League": "\(.*\)",*$/\1/p' "$folder/show.json")
  "${run[@]}" play --career K --weeks 30 --policy "$policy" >/dev/null 2>"$folder/after.err"
  code=$?
  if ((code != 0 && code != 5)); then
    echo "FAIL play after the kill exited $code: $(head -c 300 "$folder/after.err")" >"$outcome"
    return
  fi
  echo "ok $how ${matches:-?} ${league// /_}" >"$outcome"
}

start=$SECONDS
for ((n = 1; n <= trials; ++n)); do
  while (($(jobs -rp | wc -l) >= jobs)); do wait -n; done
  trial "$n" &
done
wait

failures=0 killed=0 finished=0
# The week the run was in when it died, by the weeks the save had booked:
# home-and-away rounds (0..20 booked), the last of them, which draws the
# first finals (21), the finals (22..24), the grand final, whose round closes
# the season (25), and the draft or the next season's first week (26).
weeks=(0 0 0 0 0)
declare -A leagues=()
for ((n = 1; n <= trials; ++n)); do
  folder="$work/trial $n"
  read -r verdict how matches league <"$folder/outcome" 2>/dev/null || verdict="FAIL no outcome"
  if [[ $verdict != ok ]]; then
    ((++failures))
    echo "trial $n failed: $(cat "$folder/outcome" 2>/dev/null)" >&2
    echo "  $(head -n 1 "$folder/trial")" >&2
    echo "  its files: $folder" >&2
    echo "  made with: $(tail -n 1 "$folder/trial")" >&2
    continue
  fi
  leagues[$league]=$((${leagues[$league]:-0} + 1))
  if [[ $how != killed ]]; then
    ((++finished))
    rm -rf "$folder"
    continue
  fi
  ((++killed))
  if ((matches <= 20)); then
    ((++weeks[0]))
  elif ((matches == 21)); then
    ((++weeks[1]))
  elif ((matches <= 24)); then
    ((++weeks[2]))
  elif ((matches == 25)); then
    ((++weeks[3]))
  else
    ((++weeks[4]))
  fi
  rm -rf "$folder"
done
leagueList=""
for league in "${!leagues[@]}"; do leagueList+=" ${league//_/ } ${leagues[$league]},"; done
echo "kill: trials $trials, killed $killed, finished before the kill $finished, failures $failures," \
  "seconds $((SECONDS - start)); killed in: home-and-away rounds ${weeks[0]}, the last of them" \
  "${weeks[1]}, finals ${weeks[2]}, the grand final's close ${weeks[3]}, the draft or a new" \
  "season's first week ${weeks[4]}; leagues saved:${leagueList%,}"
((failures == 0)) && rm -rf "$work"
((failures == 0))
