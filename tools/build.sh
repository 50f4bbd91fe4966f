#!/usr/bin/env bash
# Configures and builds every tree the tests need, below build/:
#   build/native       the portable code, its unit tests and the data-file tool for Linux
#   build/win32        the product as it ships: the 32-bit setup.exe and datafile-tool.exe
#   build/win32-tests  the 32-bit Windows test programs, which test build/win32's programs
# With --bench it also builds build/win64, everything for x86_64, for the speed benchmarks only.
# Prints the folder of the Windows tests as its last line.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=${KORVENTA_JOBS:-2}
toolchain=$root/cmake/mingw-toolchain.cmake

configure() {  # DIR [cmake options...]
  local dir=$1; shift
  [ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >"$dir.configure.log" 2>&1 \
    || { cat "$dir.configure.log" >&2; return 1; }
}
build() {  # DIR [targets...]
  local dir=$1; shift
  cmake --build "$dir" -j"$jobs" ${1:+--target "$@"} >&2
}

mkdir -p "$root/build"
configure "$root/build/native"
build "$root/build/native"
configure "$root/build/win32" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DMINGW_ARCH=i686 -DMINGW_THREADS=win32 \
  -DKORVENTA_WIN_PARTS=product
build "$root/build/win32"
configure "$root/build/win32-tests" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DMINGW_ARCH=i686 -DMINGW_THREADS=posix \
  -DKORVENTA_WIN_PARTS=tests -DKORVENTA_PRODUCT_DIR="$root/build/win32"
build "$root/build/win32-tests"
if [ "${1:-}" = "--bench" ]; then
  configure "$root/build/win64" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DMINGW_ARCH=x86_64 -DMINGW_THREADS=posix \
    -DKORVENTA_WIN_PARTS=all
  build "$root/build/win64"
fi
echo "$root/build/win32-tests"
