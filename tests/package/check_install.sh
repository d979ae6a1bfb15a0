#!/usr/bin/env bash
# The installed package as a C++ user meets it: the files in their places,
# the README's example built against it with find_package, with
# add_subdirectory and with pkg-config, each printing the same text.
# Usage: check_install.sh SOURCE_DIR BUILD_DIR WORK_DIR CXX_COMPILER
set -euo pipefail
source_dir=$1 build_dir=$2 work=$3 cxx=$4
consumer=$source_dir/tests/package/consumer
rm -rf "$work"
mkdir -p "$work"
prefix=$work/prefix

cmake --install "$build_dir" --prefix "$prefix" >"$work/install.log"
libdir=$(cd "$prefix" && dirname "$(find . -name libmorvek.a | head -n 1)")
for file in bin/morvek share/man/man1/morvek.1 include/morvek/morvek.h include/morvek/version.h \
            "$libdir/libmorvek.a" "$libdir/cmake/morvek/morvek-config.cmake" \
            "$libdir/cmake/morvek/morvek-config-version.cmake" "$libdir/cmake/morvek/morvek-targets.cmake" \
            "$libdir/pkgconfig/morvek.pc"; do
  [[ -f $prefix/$file ]] || { echo "not installed: $file" >&2; exit 1; }
done
# The library holds what include/morvek declares and nothing of the program:
# no stream mode, no file or terminal input and output of its own.
if nm -C "$prefix/$libdir/libmorvek.a" | grep -E ' U (open|read|write|close|isatty|fwrite|setvbuf)$| morvek::stream::'; then
  echo "the installed library carries the program's input and output" >&2; exit 1
fi
# The SQLite extension, where it was built, lies beside the library and
# shows SQLite its entry point alone: the library inside it stays hidden.
if [[ -f $build_dir/sqlite/morvek.so ]]; then
  extension=$prefix/$libdir/morvek.so
  [[ -f $extension ]] || { echo "not installed: $libdir/morvek.so" >&2; exit 1; }
  exported=$(nm -D --defined-only "$extension" | awk '{print $NF}')
  [[ $exported == sqlite3_morvek_init ]] || { echo "morvek.so exports: $exported" >&2; exit 1; }
fi
# The internal headers stay behind.
if [[ -e $prefix/include/morvek/conversion_state.h || -e $prefix/include/cli ]]; then
  echo "internal headers installed" >&2; exit 1
fi

build_consumer() {  # name, extra cmake arguments...
  local name=$1; shift
  cmake -S "$consumer" -B "$work/$name" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=Release "$@" \
    >"$work/$name.configure.log"
  cmake --build "$work/$name" >"$work/$name.build.log"
  "$work/$name/consumer" >"$work/$name.out"
}

build_consumer package -DCMAKE_PREFIX_PATH="$prefix"
build_consumer subdirectory -DMORVEK_SOURCE_DIR="$source_dir"
diff "$work/package.out" "$work/subdirectory.out"

flags=$(PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig pkg-config --cflags --libs morvek)
version=$("$prefix/bin/morvek" --version | cut -d' ' -f2)
[[ $(PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig pkg-config --modversion morvek) == "$version" ]]
# shellcheck disable=SC2086  # the flags are words
"$cxx" -Wall -Wextra -Wpedantic -Werror "$consumer/main.cpp" $flags -o "$work/pkg-config-consumer"
"$work/pkg-config-consumer" >"$work/pkg-config.out"
diff "$work/package.out" "$work/pkg-config.out"

# The report the example prints is the program's own.
"$prefix/bin/morvek" 730000 /J >"$work/program.out"
tail -c "$(wc -c <"$work/program.out")" "$work/package.out" | cmp - "$work/program.out"
grep -qx "Julian 05.10.1582 = Gregorian 15.10.1582, a Friday, Era Day 577736, JDN 2299161" "$work/package.out"

# Another major version is not this one, older or newer.
major=${version%%.*}
for wanted in "$((major - 1)).0" "$((major + 1)).0"; do
  if cmake -S "$consumer" -B "$work/other-$wanted" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
       -DMORVEK_WANTED_VERSION="$wanted" >"$work/other-$wanted.log" 2>&1; then
    echo "find_package(morvek $wanted) accepted version $version" >&2; exit 1
  fi
done
echo "installed package: find_package, add_subdirectory and pkg-config consumers agree"
