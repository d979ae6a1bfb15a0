#!/usr/bin/env bash
# Builds the morvek program as it was at a commit, beside the working tree,
# for compare_programs.py. Usage: build_program_at.sh COMMIT WORK_DIR
# Prints the path of the built program. Exits 77 when the commit is not in
# this clone (a shallow one, say).
set -euo pipefail
commit=$1 work=$2
root="$(cd "$(dirname "$0")/../.." && pwd)"
if ! git -C "$root" cat-file -e "$commit^{commit}" 2>/dev/null; then
  echo "commit $commit is not in this clone" >&2
  exit 77
fi
rm -rf "$work"
mkdir -p "$work/source"
git -C "$root" archive "$commit" | tar -x -C "$work/source"
cmake -S "$work/source" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVEK_TESTS=OFF \
  -DMORVEK_BENCH=OFF -DMORVEK_INSTALL=OFF >/dev/null
cmake --build "$work/build" --target morvek >/dev/null
echo "$work/build/morvek"
