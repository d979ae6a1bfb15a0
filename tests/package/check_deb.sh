#!/usr/bin/env bash
# The Debian package: cpack makes it from the build tree; it holds the
# program, the manual page, the headers, the library and both package
# descriptions, and the program it holds prints what the built one prints.
# Usage: check_deb.sh BUILD_DIR WORK_DIR MORVEK CXX_COMPILER SOURCE_DIR
set -euo pipefail
build_dir=$1 work=$2 morvek=$3 cxx=$4 source_dir=$5
rm -rf "$work"
mkdir -p "$work"
(cd "$build_dir" && cpack -G DEB -B "$work/out" >"$work/cpack.log")
deb=$(find "$work/out" -maxdepth 1 -name 'morvek_*.deb' | head -n 1)
[[ -n $deb ]] || { echo "no package made" >&2; cat "$work/cpack.log" >&2; exit 1; }
version=$("$morvek" --version | cut -d' ' -f2)
[[ $(dpkg-deb -f "$deb" Package) == morvek && $(dpkg-deb -f "$deb" Version) == "$version" ]]

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/contents"
for path in /usr/bin/morvek /usr/share/man/man1/morvek.1 /usr/include/morvek/morvek.h /usr/include/morvek/version.h \
            /usr/lib/libmorvek.a /usr/lib/cmake/morvek/morvek-config.cmake /usr/lib/cmake/morvek/morvek-targets.cmake \
            /usr/lib/pkgconfig/morvek.pc; do
  grep -qx "$path" "$work/contents" || { echo "not in the package: $path" >&2; exit 1; }
done

# The SQLite extension, where it was built, is in the package and loads.
if [[ -f $build_dir/sqlite/morvek.so ]]; then
  grep -qx /usr/lib/morvek.so "$work/contents" || { echo "not in the package: /usr/lib/morvek.so" >&2; exit 1; }
fi

dpkg-deb -x "$deb" "$work/root"
if [[ -f $build_dir/sqlite/morvek.so ]] && command -v sqlite3 >/dev/null; then
  answer=$(sqlite3 :memory: ".load $work/root/usr/lib/morvek" "SELECT morvek(131277024000000000, 'file_time', 'iso')")
  [[ $answer == 2017-01-01T00:00:00Z ]] || { echo "the packaged extension answers: $answer" >&2; exit 1; }
fi
for arguments in "01.01.2017" "31.12.2016 23:59:60" "730000 /J" "--version"; do
  # shellcheck disable=SC2086  # the arguments are words
  cmp <("$work/root/usr/bin/morvek" $arguments) <("$morvek" $arguments)
done
# The pkg-config file finds its prefix from its own place.
flags=$(PKG_CONFIG_PATH=$work/root/usr/lib/pkgconfig pkg-config --cflags --libs morvek)
# shellcheck disable=SC2086
"$cxx" -Wall -Wextra -Wpedantic -Werror "$source_dir/tests/package/consumer/main.cpp" $flags -o "$work/consumer"
"$work/consumer" >"$work/consumer.out"
grep -q "^Julian Date:" "$work/consumer.out"
echo "Debian package: $(basename "$deb") holds and runs what was built"
