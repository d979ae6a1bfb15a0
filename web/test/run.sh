#!/usr/bin/env bash
# The browser test: the built page in headless Chromium against the native program.
# Usage: web/test/run.sh BUILT_PAGE_DIR NATIVE_MORVEK_BINARY   (needs: npm ci --prefix web)
set -euo pipefail
if (($# != 2)); then
  echo "usage: $0 BUILT_PAGE_DIR NATIVE_MORVEK_BINARY" >&2
  exit 2
fi
exec node "$(dirname "$0")/page.test.mjs" "$(realpath "$1")" "$(realpath "$2")"
