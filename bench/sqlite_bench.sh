#!/usr/bin/env bash
# The SQLite extension's speed against SQLite's own date function, in one
# run of the sqlite3 shell: a table of ROWS WebKit times (microseconds from
# 1601, as a browser history holds them; fixed, spread over 2010 to 2022),
# then each query RUNS times, interleaved, the fastest run counted.
#
#   bench/sqlite_bench.sh [EXTENSION] [ROWS] [RUNS]
#     (defaults: build/release/sqlite/morvek 10000000 3)
#
# Each query is timed twice: as an analyst writes it, its rows printed (to
# /dev/null), and inside count(), which reads every answer and prints one
# row. The scan alone and a call of a function that does nothing give the
# scale. Needs cc and SQLite's headers (libsqlite3-dev) for that function.
set -euo pipefail
cd "$(dirname "$0")/.."
extension=${1:-build/release/sqlite/morvek}
rows=${2:-10000000}
runs=${3:-3}
sqlite3=${SQLITE3:-sqlite3}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -shared -fPIC -o "$work/noop.so" bench/sqlite_noop.c

# label | expression of the column t
queries=(
  "scan alone|t"
  "noop(t), a function that does nothing|noop(t)"
  "datetime(t / 1000000 - 11644473600, 'unixepoch')|datetime(t / 1000000 - 11644473600, 'unixepoch')"
  "morvek(t, 'webkit', 'iso')|morvek(t, 'webkit', 'iso')"
  "morvek(t, 'webkit', 'unix')|morvek(t, 'webkit', 'unix')"
)

{
  echo ".load $extension"
  echo ".load $work/noop"
  echo ".output /dev/null"
  echo "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;"
  echo ".output stdout"
  echo "CREATE TABLE t(t INTEGER);"
  echo "INSERT INTO t SELECT 12900000000000000 + (value * 2654435761) % 400000000000000 FROM generate_series(1, $rows);"
  echo "SELECT count(*), min(t), max(t) FROM t;"
  echo ".timer on"
  for ((run = 0; run < runs; run++)); do
    for ((i = 0; i < ${#queries[@]}; i++)); do
      expression=${queries[i]#*|}
      echo ".print @$i|rows"
      echo ".output /dev/null"
      echo "SELECT $expression FROM t;"
      echo ".output stdout"
      echo ".print @$i|count"
      echo "SELECT count($expression) FROM t;"
    done
  done
} >"$work/script.sql"

"$sqlite3" "$work/bench.db" <"$work/script.sql" >"$work/output.txt"
head -n 1 "$work/output.txt" | awk -F'|' -v rows="$rows" \
  '$1 != rows { print "the table has " $1 " rows" > "/dev/stderr"; exit 1 } { print "rows: " $1 ", WebKit times from " $2 " to " $3 }'

# The fastest time of each query in each form: the time that passed, and
# the processor time (user and system) that the shell used, which other
# work on a shared machine disturbs less.
printf '%s\n' "${queries[@]%%|*}" >"$work/labels.txt"
awk -F'|' '
  FNR == NR { label[FNR - 1] = $0; count = FNR; next }
  /^@[0-9]+\|/ { query = substr($1, 2); form = $2; next }
  /^Run Time: real/ {
    split($0, word, " "); real = word[4]; cpu = word[6] + word[8]
    key = query "|" form
    if (!(key in best_real) || real < best_real[key]) best_real[key] = real
    if (!(key in best_cpu) || cpu < best_cpu[key]) best_cpu[key] = cpu
  }
  END {
    printf "%-50s %21s %21s\n", "", "rows printed (s)", "in count() (s)"
    printf "%-50s %10s %10s %10s %10s\n", "expression, fastest of the runs", "real", "cpu", "real", "cpu"
    for (i = 0; i < count; i++) {
      r = i "|rows"; c = i "|count"
      printf "%-50s %10.3f %10.3f %10.3f %10.3f\n", label[i], best_real[r], best_cpu[r], best_real[c], best_cpu[c]
    }
  }' "$work/labels.txt" "$work/output.txt"
