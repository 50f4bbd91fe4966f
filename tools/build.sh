#!/usr/bin/env bash
# Configures and builds every tree the project has, below build/:
#   build/native  the portable code, its unit tests and the data-file tool for Linux
#   build/win32   the product: the 32-bit setup.exe (and its Windows test programs)
#   build/win64   the same sources for x86_64, on machines whose Wine runs only 64-bit programs
# Prints the folder of the Windows build that runs here (the one to test) as its last line.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=${KORVENTA_JOBS:-2}

configure() {  # DIR [cmake options...]
  local dir=$1; shift
  [ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >"$dir.configure.log" 2>&1 \
    || { cat "$dir.configure.log" >&2; return 1; }
}

mkdir -p "$root/build"
configure "$root/build/native"
cmake --build "$root/build/native" -j"$jobs" >&2
configure "$root/build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-toolchain.cmake" -DMINGW_ARCH=i686

# The product is 32-bit; where this kernel runs no 32-bit program (so no 32-bit Wine), the
# Windows tests run the same sources built for x86_64 under the 64-bit Wine.
if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  cmake --build "$root/build/win32" -j"$jobs" >&2
  echo "$root/build/win32"
else
  cmake --build "$root/build/win32" -j"$jobs" --target setup datafile-tool >&2
  configure "$root/build/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-toolchain.cmake" -DMINGW_ARCH=x86_64
  cmake --build "$root/build/win64" -j"$jobs" >&2
  echo "$root/build/win64"
fi
