#!/usr/bin/env bash
# The README's install section, run as written by a new user with a fresh
# home: the shell block under "### Install", then, in the environment it
# leaves, the README's example program built through find_package and
# pkg-config with nothing else given.
# Usage: check_readme_install.sh SOURCE_DIR BUILD_DIR WORK_DIR CXX_COMPILER
set -euo pipefail
source_dir=$1 build_dir=$2 work=$3 cxx=$4
rm -rf "$work"
mkdir -p "$work/home" "$work/app"

block=$(awk '/^### Install$/ {found = 1} found && /^```sh$/ {inside = 1; next} inside && /^```$/ {exit} inside' \
  "$source_dir/README.md")
[[ -n $block ]] || { echo "README.md has no sh block under ### Install" >&2; exit 1; }
# The section names the build tree of the README's first command.
block=${block//build\/release/$build_dir}

cat >"$work/run.sh" <<SCRIPT
set -euo pipefail
cd "$source_dir"
$block
cd "$work/app"
cp "$source_dir/tests/package/consumer/main.cpp" app.cpp
"$cxx" -std=c++20 -o app-pkg-config app.cpp \$(pkg-config --cflags --libs morvek)
./app-pkg-config > pkg-config.out
cat > CMakeLists.txt <<'CMAKE'
cmake_minimum_required(VERSION 3.25)
project(app LANGUAGES CXX)
find_package(morvek 2.0 CONFIG REQUIRED)
add_executable(app app.cpp)
target_link_libraries(app PRIVATE morvek::morvek)
CMAKE
cmake -S . -B build -G Ninja -DCMAKE_CXX_COMPILER="$cxx" > cmake.log
cmake --build build > build.log
build/app > find-package.out
cmp pkg-config.out find-package.out
SCRIPT
env -i HOME="$work/home" PATH=/usr/local/bin:/usr/bin:/bin TERM=dumb MANPAGER=cat PAGER=cat \
  bash "$work/run.sh" >"$work/output" 2>&1 || { cat "$work/output" >&2; exit 1; }
grep -q "^RD Gregorian:" "$work/output" || { echo "the program did not run from PATH" >&2; exit 1; }
grep -qi "morvek" <(grep -A3 -i "^NAME" "$work/output") || { echo "man morvek found no page" >&2; exit 1; }
echo "README install section: program, manual, find_package and pkg-config work as written"
