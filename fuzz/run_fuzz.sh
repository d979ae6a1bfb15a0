#!/usr/bin/env bash
# Builds the fuzz target with clang and runs it for a bounded time on a copy
# of the seed corpus. Usage: fuzz/run_fuzz.sh [seconds]   (default 120)
# Exits non-zero when the fuzzer reports a finding; the input that caused it
# is left in build/fuzz-work/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-120}"
build=build/fuzz
work=build/fuzz-work

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DMORVEK_FUZZ=ON -DMORVEK_TESTS=OFF \
  -DMORVEK_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target morvek_fuzz -j "${MORVEK_FUZZ_JOBS:-2}"

rm -rf "$work"
mkdir -p "$work/corpus" "$work/findings"
cp fuzz/corpus/* "$work/corpus/"

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:${UBSAN_OPTIONS:-}"

status=0
"$build/fuzz/morvek_fuzz" "$work/corpus" \
  -dict=fuzz/morvek.dict \
  -max_len=256 \
  -max_total_time="$seconds" \
  -timeout=5 \
  -rss_limit_mb=2048 \
  -print_final_stats=1 \
  -artifact_prefix="$work/findings/" || status=$?

if ((status != 0)) || compgen -G "$work/findings/*" >/dev/null; then
  echo "fuzzing found a problem (exit status $status); reproducers:" >&2
  ls -l "$work/findings" >&2
  exit 1
fi
echo "fuzzing: no finding in ${seconds} s"
