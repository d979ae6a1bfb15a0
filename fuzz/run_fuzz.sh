#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time on a
# copy of its seed corpus: morvek_fuzz on the command's arguments, batch_fuzz
# and stream_fuzz on the stream mode's input, sqlite_fuzz on the SQLite
# extension's functions, python_fuzz on the Python module's converter over
# NumPy-laid buffers. Usage: fuzz/run_fuzz.sh [seconds per target] (default
# 80). Exits non-zero when a fuzzer reports a finding; the input that caused
# it is left in build/fuzz-work/TARGET/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-80}"
build=build/fuzz

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DMORVEK_FUZZ=ON -DMORVEK_TESTS=OFF \
  -DMORVEK_BENCH=OFF -DMORVEK_INSTALL=OFF -DMORVEK_SQLITE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target morvek_fuzz batch_fuzz stream_fuzz sqlite_fuzz python_fuzz -j "${MORVEK_FUZZ_JOBS:-2}"

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:${UBSAN_OPTIONS:-}"

# target, corpus, longest input, extra flags
run_target() {
  local target=$1 corpus=$2 max_len=$3; shift 3
  local work=build/fuzz-work/$target
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/findings"
  cp "$corpus"/* "$work/corpus/"
  local status=0
  "$build/fuzz/$target" "$work/corpus" "$@" \
    -max_len="$max_len" \
    -max_total_time="$seconds" \
    -timeout=5 \
    -rss_limit_mb=2048 \
    -print_final_stats=1 \
    -artifact_prefix="$work/findings/" || status=$?
  if ((status != 0)) || compgen -G "$work/findings/*" >/dev/null; then
    echo "fuzzing $target found a problem (exit status $status); reproducers:" >&2
    ls -l "$work/findings" >&2
    return 1
  fi
  echo "fuzzing $target: no finding in ${seconds} s"
}

run_target morvek_fuzz fuzz/corpus 256 -dict=fuzz/morvek.dict
run_target batch_fuzz fuzz/batch_corpus 12000
run_target stream_fuzz fuzz/stream_corpus 20000
run_target sqlite_fuzz fuzz/sqlite_corpus 4200 -dict=fuzz/sqlite.dict
run_target python_fuzz fuzz/python_corpus 9000
