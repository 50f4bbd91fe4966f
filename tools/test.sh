#!/usr/bin/env bash
# Runs every test: installs what is missing, builds everything, checks the shipped programs' imports,
# header and manifest, runs the native unit tests and then the Windows tests of the 32-bit programs
# under the 32-bit Wine. Exits non-zero when any test fails.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

bash "$root/tools/install-deps.sh"
# Where the kernel runs no 32-bit code, everything runs inside tools/i386-run.sh's namespace.
[ -n "${_KORVENTA_I386_READY:-}" ] ||
  exec env _KORVENTA_I386_READY=1 bash "$root/tools/i386-run.sh" bash "${BASH_SOURCE[0]}" "$@"
wintree=$(bash "$root/tools/build.sh" | tail -n 1)

status=0
echo "== native tests"
ctest --test-dir "$root/build/native" --output-on-failure --no-tests=error -j2 || status=1
echo "== Windows tests of the 32-bit programs under Wine"
ctest --test-dir "$wintree" --output-on-failure --no-tests=error -j2 --timeout 900 || status=1
bash "$root/tools/test-ratio.sh" || true  # a report only
exit $status
