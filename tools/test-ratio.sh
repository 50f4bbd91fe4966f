#!/usr/bin/env bash
# Prints where the test suite stands against the code, in non-blank lines that are not comments only:
# tests are everything under tests/ (scenario data included), code is src/, resources/, tools/, cmake/
# and the CMake files. Binary files do not count.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# Files of text only; lines that are neither blank nor a comment alone.
lines() { while IFS= read -r f; do grep -Iq . "$f" 2>/dev/null && printf '%s\0' "$f"; done |
  xargs -0 -r cat | grep -c -v -E '^[[:space:]]*($|//|#[^a-z!]|#$|<!--)' || true; }
tests=$(git ls-files -co --exclude-standard -- tests | lines)
code=$(git ls-files -co --exclude-standard -- src resources tools cmake CMakeLists.txt |
  grep -E '\.(c|cc|cpp|h|hpp|py|sh|rc|cmake|manifest)$|CMakeLists\.txt$' | lines)
echo "test lines: $tests, code lines: $code, tests/code: $((100 * tests / code))%"
