#!/usr/bin/env bash
# Runs the wizard, the 32-bit setup.exe as it ships, on the sample medium (setup.exe beside a sample
# KORVENTA.cab). With a DISPLAY: on that display, for you to click through. Without one: headless
# under Xvfb, walked through from the welcome page to the completion message, with a screenshot of
# every step written to build/sample-shots/. The Wine prefix it installed into stays; the script
# prints where.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

bash "$root/tools/install-deps.sh"
# The 32-bit Wine: where the kernel runs no 32-bit code, inside tools/i386-run.sh's namespace.
[ -n "${_KORVENTA_I386_READY:-}" ] ||
  exec env _KORVENTA_I386_READY=1 bash "$root/tools/i386-run.sh" bash "${BASH_SOURCE[0]}" "$@"
wintree=$(bash "$root/tools/build.sh" | tail -n 1)
medium=$root/build/sample-medium
bash "$root/tools/sample-medium.sh" "$medium" "$wintree" "$root/build/native" >&2

# shellcheck source=wine-env.sh
source "$root/tools/wine-env.sh"
headless=0
[ -z "${DISPLAY:-}" ] && headless=1
export KORVENTA_KEEP_PREFIX=1  # what the setup installed stays for you to look at
wine_env_start
trap 'wine_env_stop' EXIT
cd "$medium"
installed=$WINEPREFIX/drive_c/Program\ Files/KORVENTA/mv-t30582

if [ $headless -eq 0 ]; then
  set +e
  "$WINE" setup.exe
  rc=$?
  echo "setup.exe ended with exit code $rc; what it installed is in the Wine prefix $WINEPREFIX"
  echo "  (by default in $installed)"
  exit $rc
fi

shots=$root/build/sample-shots
rm -rf "$shots" && mkdir -p "$shots"
"$WINE" setup.exe &
setup_pid=$!
shot() { sleep "${2:-1}"; import -window root "$shots/$1.png"; echo "  $shots/$1.png"; }
key() { xdotool key --clearmodifiers "$1"; }
echo "walking the wizard headless (DISPLAY=$DISPLAY); screenshots:"
xdotool search --sync --onlyvisible --classname setup.exe >/dev/null
shot 1-welcome 2
key alt+n; shot 2-licence
key alt+y; shot 3-copyright
key alt+y; shot 4-destination
key alt+n; shot 5-installing 1
shot 6-complete 6
key alt+n
xdotool search --sync --onlyvisible --name 'KORVENTA ｾｯﾄｱｯﾌﾟ' >/dev/null
shot 7-completion-message 1
key Return
set +e
wait $setup_pid
rc=$?
echo "setup.exe ended with exit code $rc. What it installed stays in the Wine prefix $WINEPREFIX:"
ls -l "$installed" "$WINEPREFIX/drive_c/users/Public/Desktop" 2>/dev/null
echo "(delete $WINE_ENV_RUN when you are done with it)"
exit $rc
