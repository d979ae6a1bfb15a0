#!/usr/bin/env bash
# The stream mode's speed and memory against GNU date -f and dateutils dconv,
# in one run on the same input: LINES random Unix times (fixed seed), each
# job run RUNS times, interleaved, the fastest run counted. Two jobs read
# named formats: as many random Unix milliseconds, and their ISO 8601 texts.
#
#   bench/batch.sh [MORVEK] [LINES] [RUNS]    (defaults: build/release/morvek 1000000 5)
set -euo pipefail
cd "$(dirname "$0")/.."
morvek=${1:-build/release/morvek}
lines=${2:-1000000}
runs=${3:-5}

# dconv comes with dateutils, the peak memory from GNU time; install them
# where the packages can be had.
dconv=$(command -v dateutils.dconv || command -v dconv || true)
if [[ -z $dconv || ! -x /usr/bin/time ]] && command -v apt-get >/dev/null && [[ $(id -u) == 0 ]]; then
  apt-get install -y -qq dateutils time >/dev/null 2>&1 || true
  dconv=$(command -v dateutils.dconv || command -v dconv || true)
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$lines" "$work" <<'PY'
import random, sys
count, work = int(sys.argv[1]), sys.argv[2]
random.seed(20261207)
times = [random.randint(-2**33, 2**33) for _ in range(count)]
with open(f"{work}/unix.txt", "w") as f:
    f.writelines(f"{t}\n" for t in times)
with open(f"{work}/unix_at.txt", "w") as f:  # date -f reads @N
    f.writelines(f"@{t}\n" for t in times)
import datetime
epoch = datetime.datetime(1970, 1, 1)
milliseconds = [t * 1000 + random.randrange(1000) for t in times]
with open(f"{work}/unix_ms.txt", "w") as f:
    f.writelines(f"{ms}\n" for ms in milliseconds)
with open(f"{work}/rows.csv", "w") as f:  # a 3-column export, the Unix time in the middle
    f.writelines(f"{i},{t},row {i}\n" for i, t in enumerate(times))
with open(f"{work}/iso.txt", "w") as f:  # the same moments as ISO 8601 texts
    for ms in milliseconds:
        moment = epoch + datetime.timedelta(milliseconds=ms)
        f.write(f"{moment:%Y-%m-%dT%H:%M:%S}.{ms % 1000:03d}Z\n")
PY

# name | command reading standard input | input
# Each morvek job on one thread (--jobs=1) and on every CPU (the default).
jobs=(
  "dconv narrow|${dconv:-false} -i %s -f '%d.%m.%Y %H:%M:%S'|unix.txt"
  "date -f narrow|date -u -f - '+%d.%m.%Y %H:%M:%S'|unix_at.txt"
)
for threads in 1 0; do
  label=$([[ $threads == 1 ]] && echo "1 thread" || echo "all CPUs")
  jobs+=(
    "morvek narrow, $label|$morvek --batch --jobs=$threads --from=/U --format=tsv --fields=date,time|unix.txt"
    "morvek tsv, all default fields, $label|$morvek --batch --jobs=$threads --from=/U --format=tsv|unix.txt"
    "morvek report, $label|$morvek --batch --jobs=$threads --from=/U|unix.txt"
    "morvek unix_ms to iso, $label|$morvek --batch --jobs=$threads --from=unix_ms --format=tsv --fields=iso|unix_ms.txt"
    "morvek iso to unix_ns, $label|$morvek --batch --jobs=$threads --from=iso --format=tsv --fields=unix_ns|iso.txt"
    "morvek csv column, $label|$morvek --batch --jobs=$threads --input=csv --column=2 --from=unix --fields=iso|rows.csv"
  )
done
declare -A best
for ((run = 0; run < runs; run++)); do
  for job in "${jobs[@]}"; do
    IFS='|' read -r name command input <<<"$job"
    [[ $name == dconv* && -z $dconv ]] && continue
    start=$(date +%s%N)
    eval "$command" <"$work/$input" >/dev/null 2>&1 || true
    elapsed=$(($(date +%s%N) - start))
    if [[ -z ${best[$name]:-} || $elapsed -lt ${best[$name]} ]]; then best[$name]=$elapsed; fi
  done
done

rate() { echo $((lines * 1000000000 / $1)); }
printf '%s lines of random Unix times, fastest of %s runs\n' "$lines" "$runs"
for job in "${jobs[@]}"; do
  name=${job%%|*}
  [[ -n ${best[$name]:-} ]] || { printf '  %-32s not installed\n' "$name"; continue; }
  printf '  %-44s %10s lines/s  (%d ms)\n' "$name" "$(rate "${best[$name]}")" $((best[$name] / 1000000))
done
ratio() { python3 -c "print(f'{$2 / $1:.2f}')"; }
if [[ -n ${best["dconv narrow"]:-} ]]; then
  for job in "${jobs[@]}"; do
    name=${job%%|*}
    [[ $name == morvek* ]] || continue
    printf '  %-44s %s times dconv\n' "$name" "$(ratio "${best[$name]}" "${best["dconv narrow"]}")"
  done
fi

# Peak memory of the whole default record, for LINES and ten times as many.
for ((i = 0; i < 10; i++)); do cat "$work/unix.txt"; done >"$work/unix10.txt"
peak() {
  [[ -x /usr/bin/time ]] || { echo "?"; return; }
  /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1
}
for threads in 1 2; do
  echo "  morvek peak memory, tsv, --jobs=$threads:  $(peak "$morvek" --batch --jobs=$threads --from=/U --format=tsv "$work/unix.txt") KB for $lines lines," \
       "$(peak "$morvek" --batch --jobs=$threads --from=/U --format=tsv "$work/unix10.txt") KB for $((10 * lines))"
done
