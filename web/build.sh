#!/usr/bin/env bash
# Builds the page into build/web/: the library through Emscripten, the glue
# linked against it into one script with the WebAssembly inside (so that the
# page also works from file://), and the page's static files beside it. The
# WebAssembly is compiled as the script runs: a fetch of the embedded module
# would wait for the browser's network service, which costs the first result
# about a tenth of a second.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
lib="$root/build/web-lib"
out="$root/build/web"

# Debian's Emscripten ships its system libraries prebuilt in a frozen cache
# that every user can read. An Emscripten whose cache this user cannot write
# builds them once into our build tree instead.
if [[ -z "${EM_CACHE:-}" && "$(em-config FROZEN_CACHE 2>/dev/null)" != True && ! -w "$(em-config CACHE 2>/dev/null)" ]]; then
  export EM_CACHE="$root/build/em-cache"
fi
# The JavaScript optimizer needs acorn: from web/node_modules, or Debian's node-acorn.
export NODE_PATH="$root/web/node_modules:/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"

emcmake cmake -S "$root" -B "$lib" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DMORVEK_TESTS=OFF -DMORVEK_BENCH=OFF -DMORVEK_INSTALL=OFF -DMORVEK_STATIC=OFF -DMORVEK_SQLITE=OFF -DMORVEK_PYTHON=OFF >/dev/null
cmake --build "$lib" --target morvek_lib

mkdir -p "$out"
em++ -std=c++20 -Oz -fno-exceptions -Wall -Wextra -Wpedantic -Werror \
  -I "$root/include" -I "$lib/include" \
  "$root/web/morvek_web.cpp" "$lib/libmorvek.a" \
  -sENVIRONMENT=web -sSINGLE_FILE=1 -sFILESYSTEM=0 -sMODULARIZE=1 -sEXPORT_NAME=createMorvek \
  -sEXPORTED_FUNCTIONS=_morvek_run,_morvek_formats -sEXPORTED_RUNTIME_METHODS=cwrap \
  -sINITIAL_MEMORY=2MB -sTOTAL_STACK=128KB -sMALLOC=emmalloc -sDYNAMIC_EXECUTION=0 \
  -sWASM_ASYNC_COMPILATION=0 \
  -o "$out/morvek.js"
cp "$root/web/page/index.html" "$root/web/page/style.css" "$root/web/page/app.js" "$out/"
echo "page: $out/index.html ($(du -cb "$out"/index.html "$out"/style.css "$out"/app.js "$out"/morvek.js | tail -1 | cut -f1) bytes)"
