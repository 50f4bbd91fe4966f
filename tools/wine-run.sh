#!/usr/bin/env bash
# ctest's emulator for the Windows build: runs PROGRAM ARGS... under Wine in a fresh private prefix (and a
# private Xvfb unless DISPLAY is given), then passes the program's exit code on.
# KORVENTA_RUN_TIMEOUT (seconds, default 600) bounds the run so that a hung program cannot hold ctest.
# Screenshots that the program left as .ppm in KORVENTA_SHOTS are converted to .png afterwards.
set -u
if [ $# -eq 0 ]; then
  echo "usage: wine-run.sh PROGRAM [ARGS...]" >&2
  exit 2
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"

wine_env_start || exit 125
trap 'wine_env_stop' EXIT
trap 'exit 130' INT TERM

timeout --kill-after=10 "${KORVENTA_RUN_TIMEOUT:-600}" "$WINE" "$@"
rc=$?
[ $rc -eq 124 ] && echo "wine-run: $1 timed out after ${KORVENTA_RUN_TIMEOUT:-600} s" >&2

shots=${KORVENTA_SHOTS:-}
if [ -n "$shots" ] && [ -d "$shots" ] && compgen -G "$shots/*.ppm" >/dev/null && command -v mogrify >/dev/null 2>&1; then
  (cd "$shots" && mogrify -format png ./*.ppm) &&
    for ppm in "$shots"/*.ppm; do [ -e "${ppm%.ppm}.png" ] && rm -f "$ppm"; done
fi
exit $rc
