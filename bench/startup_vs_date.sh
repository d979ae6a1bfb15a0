#!/usr/bin/env bash
# Whole-process start-up: times `morvek 01.01.2017` against GNU
# `date -u -d @1483228800` (the same moment), many runs each, interleaved,
# and prints the median of each and the ratio morvek / date.
#
#   bench/startup_vs_date.sh [MORVEK] [RUNS]
#
#   MORVEK      the binary to time (default: build/release/morvek)
#   RUNS        runs of each command (default: 2000)
#   SPAWN_TIMER the timing helper (default: bench/spawn_timer next to the
#               binary's build, else compiled into a temporary directory)
#   MAX_RATIO   if set, exit with code 1 when the ratio exceeds it
#
# Both commands run in the same environment (this shell's, locale included),
# with their output sent to /dev/null. The timing is done by spawn_timer,
# which starts each run with posix_spawn and reads CLOCK_MONOTONIC around it,
# so the shell's own cost of starting a process is not in the numbers.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
morvek=${1:-$root/build/release/morvek}
runs=${2:-2000}

if [[ ! -x $morvek ]]; then
  echo "startup_vs_date: no executable at $morvek (build it first)" >&2
  exit 2
fi
if ! date --version 2>/dev/null | grep -q 'GNU coreutils'; then
  echo "startup_vs_date: GNU date is needed as the baseline" >&2
  exit 2
fi

timer=${SPAWN_TIMER:-$(dirname "$morvek")/bench/spawn_timer}
if [[ ! -x $timer ]]; then
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  timer=$scratch/spawn_timer
  "${CXX:-c++}" -std=c++20 -O2 -o "$timer" "$root/bench/spawn_timer.cpp"
fi

# Both commands must print the same moment, or the comparison is meaningless.
if ! "$morvek" 01.01.2017 | grep -q 'Unix time:[[:space:]]*1483228800 '; then
  echo "startup_vs_date: $morvek 01.01.2017 does not report Unix time 1483228800" >&2
  exit 2
fi

echo "morvek: $morvek ($(file -b "$morvek" 2>/dev/null | grep -o -e "statically linked" -e "dynamically linked" || echo "linkage unknown"))"
echo "date:   $(command -v date) ($(date --version | head -n 1))"
echo "runs:   $runs of each, interleaved; machine load: $(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo '?')"

result=$("$timer" "$runs" "$morvek" 01.01.2017 -- date -u -d @1483228800)

median_morvek=$(awk '$1 == "A" { print $3 }' <<<"$result")
median_date=$(awk '$1 == "B" { print $3 }' <<<"$result")
ratio=$(awk '$1 == "ratio_A_over_B" { print $2 }' <<<"$result")
spread() { awk -v who="$1" '$1 == who { printf "p10 %.1f us, p90 %.1f us", $5 / 1000, $7 / 1000 }' <<<"$result"; }

printf 'morvek median: %8.1f us  (%s)\n' "$(awk -v n="$median_morvek" 'BEGIN { print n / 1000 }')" "$(spread A)"
printf 'date   median: %8.1f us  (%s)\n' "$(awk -v n="$median_date" 'BEGIN { print n / 1000 }')" "$(spread B)"
echo "ratio morvek/date: $ratio"
# Load from other processes adds about the same time to both commands and so
# pulls the ratio of medians towards 1; the ratio of the fast tenth shows less of it.
awk '$1 == "A" { a = $5 } $1 == "B" { b = $5 } END { printf "ratio at p10:      %.3f\n", a / b }' <<<"$result"

if [[ -n ${MAX_RATIO:-} ]] && awk -v r="$ratio" -v m="$MAX_RATIO" 'BEGIN { exit !(r > m) }'; then
  echo "startup_vs_date: ratio $ratio exceeds $MAX_RATIO" >&2
  exit 1
fi
