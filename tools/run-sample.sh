#!/usr/bin/env bash
# Runs the wizard on the sample medium (setup.exe beside a sample KORVENTA.cab).
# With a DISPLAY: on that display, for you to click through. Without one: headless under
# Xvfb, walked through from the welcome page to the completion message, with a screenshot
# of every step written to build/sample-shots/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

bash "$root/tools/install-deps.sh"
wintree=$(bash "$root/tools/build.sh" | tail -n 1)
medium=$root/build/sample-medium
bash "$root/tools/sample-medium.sh" "$medium" "$wintree" "$root/build/native" >&2

# shellcheck source=wine-env.sh
source "$root/tools/wine-env.sh"
headless=0
[ -z "${DISPLAY:-}" ] && headless=1
wine_env_start
trap 'wine_env_stop' EXIT
cd "$medium"

if [ $headless -eq 0 ]; then
  set +e
  "$WINE" setup.exe
  rc=$?
  echo "setup.exe ended with exit code $rc"
  exit $rc
fi

shots=$root/build/sample-shots
rm -rf "$shots" && mkdir -p "$shots"
"$WINE" setup.exe &
setup_pid=$!
shot() { sleep "${2:-1}"; import -window root "$shots/$1.png"; echo "  $shots/$1.png"; }
key() { xdotool key --clearmodifiers "$1"; }
echo "walking the wizard headless (DISPLAY=$DISPLAY); screenshots:"
shot 1-welcome 4
key alt+n; shot 2-licence
key alt+y; shot 3-copyright
key alt+y; shot 4-destination
key alt+n; shot 5-installing 1
shot 6-complete 6
key alt+n; shot 7-completion-message 2
key Return
set +e
wait $setup_pid
rc=$?
echo "setup.exe ended with exit code $rc; the installed files are in $WINEPREFIX/drive_c/Program Files/KORVENTA/mv-t30582 until this script ends"
ls -l "$WINEPREFIX/drive_c/Program Files/KORVENTA/mv-t30582" "$WINEPREFIX/drive_c/users/Public/Desktop" 2>/dev/null
exit $rc
