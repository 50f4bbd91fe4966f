#!/usr/bin/env bash
# Runs every test: installs what is missing, builds everything, runs the native unit tests
# and then the Windows tests under Wine. Exits non-zero when any test fails.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

bash "$root/tools/install-deps.sh"
wintree=$(bash "$root/tools/build.sh" | tail -n 1)

status=0
echo "== native tests"
ctest --test-dir "$root/build/native" --output-on-failure -j2 || status=1
echo "== Windows tests under Wine ($(basename "$wintree"))"
ctest --test-dir "$wintree" --output-on-failure -j2 --timeout 900 || status=1
exit $status
