#!/usr/bin/env bash
# Prints where the test suite stands against the product, in lines of source that are neither blank
# nor a comment alone:
#   tests    tests/, the loader check (tools/pe-check/) and the test-only CMake files (cmake/*test*)
#   product  src/, resources/, the data-file tool and the product's CMake files (CMakeLists.txt and
#            the cmake/ files that are not test- or bench-only)
# The benchmarks (tools/bench/, cmake/*bench*), the scripts (*.sh outside tests/) and the other
# tools count on neither side, nor do prose, manifests, data lists and binary files. A line that
# starts with "#" counts on neither side: a comment in CMake, shell and Python, and the
# preprocessor's lines in C++. It only reports: it exits 0 whatever it finds, so that it can never
# fail the test command.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 0

# The files below the given places: those git knows (ignored ones left out), or all of them
# outside a checkout.
files() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -co --exclude-standard -- "$@"
  else
    find "$@" -type f 2>/dev/null
  fi
}
sources() { grep -E '\.(c|cc|cpp|h|hpp|py|sh|rc|cmake)$|(^|/)CMakeLists\.txt$'; }
# Lines of text files that are neither blank nor a comment alone.
lines() {
  local f n=0 c
  while IFS= read -r f; do
    grep -Iq . "$f" 2>/dev/null || continue
    c=$(grep -c -v -E '^[[:space:]]*($|//|#)' "$f")
    n=$((n + ${c:-0}))
  done
  echo "$n"
}

tests=$( { files tests tools/pe-check; files cmake | grep -E '^cmake/[^/]*test[^/]*$'; } | sources | lines)
product=$( { files src resources tools/datafile-tool CMakeLists.txt
  files cmake | grep -v -E '^cmake/[^/]*(test|bench)[^/]*$'; } | sources | lines)
if [ "${product:-0}" -gt 0 ]; then
  echo "test lines: $tests, product lines: $product, tests/product: $((100 * tests / product))%"
else
  echo "test lines: $tests, product lines: none found"
fi
exit 0
