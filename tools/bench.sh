#!/usr/bin/env bash
# The speed benchmarks: each prints ratios measured side by side in one run. They time the x86_64
# build under the 64-bit Wine (build/win64); the 32-bit product's timings under an emulator mean
# nothing. The installation benchmark (tools/bench/setup_bench.cpp) writes about 2 GB and takes minutes.
#   bench.sh [crc|install]...   (default: both)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

bash "$root/tools/install-deps.sh"
bash "$root/tools/build.sh" --bench >/dev/null
export KORVENTA_WINE64=1 KORVENTA_RUN_TIMEOUT=3600
work=$(mktemp -d "${TMPDIR:-/tmp}/korventa-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

[ $# -gt 0 ] || set -- crc install
for bench in "$@"; do
  case $bench in
    crc)
      echo "== CRC and checks, native"
      "$root/build/native/crc_bench" "$work/crc.cab"
      echo "== CRC and checks, x86_64 build under Wine"
      bash "$root/tools/wine-run.sh" "$root/build/win64/crc_bench.exe" "Z:$(printf %s "$work/crc.cab" | tr / '\\')"
      rm -f "$work/crc.cab" ;;
    install)
      echo "== whole installations against plain copies, x86_64 build under Wine"
      bash "$root/tools/wine-run.sh" "$root/build/win64/setup_bench.exe" ;;
    *) echo "bench.sh: unknown benchmark '$bench' (crc, install)" >&2; exit 2 ;;
  esac
done
