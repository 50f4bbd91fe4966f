#!/usr/bin/env bash
# A private, headless, Japanese Wine environment for one test run.
#
# Sourced: defines wine_env_start (fresh prefix, X display, exported variables: WINE, WINESERVER,
# WINEPREFIX, WINEARCH, DISPLAY, LC_ALL, LOCPATH, WINEDEBUG, WINEDLLOVERRIDES) and wine_env_stop
# (ends every process of the prefix, the X server it started, and removes the prefix).
# Run: `wine-env.sh` only prepares the cached template; `wine-env.sh COMMAND ARGS...` runs COMMAND in a
# fresh environment and passes its exit code on.
#
# Settings: KORVENTA_WINE_CACHE (template cache, default /tmp/korventa-wine-<uid>), KORVENTA_KEEP_PREFIX=1
# (keep the run's prefix for a post-mortem), KORVENTA_WINEARCH=win64 (the 32-bit programs on a 64-bit
# prefix, as on 64-bit Windows), KORVENTA_WINE64=1 (the 64-bit loader and prefix, for x86_64 programs).
# A DISPLAY given by the caller is used as it is.

# Bump when the template's recipe changes, so that old caches are not reused.
_wine_env_recipe=5

_wine_env_log() { echo "wine-env: $*" >&2; }

# The 32-bit Wine where 32-bit programs run (natively or through tools/i386-run.sh), on a 32-bit
# prefix unless KORVENTA_WINEARCH asks for a 64-bit one; elsewhere the 64-bit loader and prefix,
# which run only x86_64 programs (the speed benchmarks).
_wine_env_pick_wine() {
  if [ "${KORVENTA_WINE64:-0}" != 1 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1 && command -v wine >/dev/null 2>&1; then
    WINE=$(command -v wine)
    WINEARCH=${KORVENTA_WINEARCH:-win32}
  elif [ -x /usr/lib/wine/wine64 ]; then
    WINE=/usr/lib/wine/wine64
    WINEARCH=win64
  elif command -v wine64 >/dev/null 2>&1; then
    WINE=$(command -v wine64)
    WINEARCH=win64
  else
    _wine_env_log "no usable Wine loader found"
    return 1
  fi
  if [ -x /usr/lib/wine/wineserver ]; then
    WINESERVER=/usr/lib/wine/wineserver
  else
    WINESERVER=$(command -v wineserver) || { _wine_env_log "no wineserver found"; return 1; }
  fi
  export WINE WINEARCH WINESERVER
}

# Without a generated glibc locale Wine's Unix code page falls back to ASCII and Japanese file names fail.
_wine_env_locale() {
  local dir=$1/locale
  if [ ! -e "$dir/ja_JP.UTF-8/LC_CTYPE" ]; then
    mkdir -p "$dir"
    localedef -i ja_JP -f UTF-8 "$dir/ja_JP.UTF-8.tmp$$" 2>/dev/null
    if [ ! -e "$dir/ja_JP.UTF-8.tmp$$/LC_CTYPE" ]; then
      _wine_env_log "localedef could not generate ja_JP.UTF-8"
      rm -rf "$dir/ja_JP.UTF-8.tmp$$"
      return 1
    fi
    rm -rf "$dir/ja_JP.UTF-8"
    mv "$dir/ja_JP.UTF-8.tmp$$" "$dir/ja_JP.UTF-8"
  fi
  export LOCPATH=$dir
  export LC_ALL=ja_JP.UTF-8 2>/dev/null  # bash itself may not load it; its children do
}

_wine_env_registry() {
  cat <<'EOF'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS PGothic"="IPAPGothic"
"MS UI Gothic"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS Gothic"="IPAGothic"

[HKEY_LOCAL_MACHINE\Software\Wine\Drives]
"d:"="cdrom"
EOF
}

_wine_env_build_template() {
  local template=$1 work=$1.tmp$$
  rm -rf "$work"
  WINEPREFIX=$work "$WINE" wineboot -i </dev/null >/dev/null 2>&1
  WINEPREFIX=$work "$WINESERVER" -w
  local fonts=$work/drive_c/windows/Fonts f
  mkdir -p "$fonts"
  for f in marlett.ttf tahoma.ttf tahomabd.ttf; do
    if [ -e "/usr/share/wine/fonts/$f" ]; then
      cp "/usr/share/wine/fonts/$f" "$fonts/"
    else
      _wine_env_log "missing /usr/share/wine/fonts/$f (package fonts-wine); dialogs will lack glyphs"
    fi
  done
  # regedit wants UTF-16 for the Japanese value names.
  { printf '\xff\xfe'; _wine_env_registry | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } >"$work/korventa.reg"
  WINEPREFIX=$work "$WINE" regedit /S "Z:$(printf %s "$work/korventa.reg" | tr / '\\')" </dev/null >/dev/null 2>&1
  WINEPREFIX=$work "$WINESERVER" -w
  if ! grep -q '"Managed"="N"' "$work/user.reg"; then
    _wine_env_log "the registry settings did not reach the template prefix"
    rm -rf "$work"
    return 1
  fi
  rm -f "$work/korventa.reg"
  mv "$work" "$template"
}

# The template: built once per cache, Wine version and recipe; concurrent first runs wait for one builder.
wine_env_prepare() {
  _wine_env_pick_wine || return 1
  local cache=${KORVENTA_WINE_CACHE:-/tmp/korventa-wine-$(id -u)}
  mkdir -p "$cache" || return 1
  _wine_env_locale "$cache" || return 1
  local version
  version=$("$WINE" --version 2>/dev/null | tr -c 'A-Za-z0-9.\n-' '_')
  # Keyed by loader too: a 64-bit prefix that the 64-bit loader made alone lacks its 32-bit half.
  WINE_ENV_TEMPLATE=$cache/template-$WINEARCH-$(basename "$WINE")-$version-r$_wine_env_recipe
  export WINEDEBUG=-all
  # No Mono or Gecko installers, and no menu integration (see wine_env_start).
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
  export WINEARCH
  (
    flock 9
    [ -d "$WINE_ENV_TEMPLATE" ] || _wine_env_build_template "$WINE_ENV_TEMPLATE"
  ) 9>"$cache/template.lock" || return 1
  [ -d "$WINE_ENV_TEMPLATE" ]
}

# A run's prefix shares the template's program files through hard links (nothing writes to them) and
# gets real copies of everything else, so runs cannot change the template or each other.
_wine_env_copy_prefix() {
  local from=$1 to=$2
  # Hard links need one file system; otherwise a full copy (about 700 MB for a 64-bit prefix).
  cp -a --link "$from/." "$to/" 2>/dev/null || { rm -rf "${to:?}/"* && cp -a "$from/." "$to/"; } || return 1
  (cd "$to" && find . -type f ! -iregex '.*\.\(dll\|exe\|drv\|sys\|ocx\|acm\|cpl\|tlb\|ttf\|fon\|nls\|ax\|ds\|ime\|msstyles\|mui\|vxd\|dll16\|exe16\|drv16\|mod16\)' \
    -exec sh -c 'for f; do cp -p "$f" "$f.copy" && mv -f "$f.copy" "$f"; done' sh {} +)
}

_wine_env_start_x() {
  local log=$WINE_ENV_RUN/xvfb.log ready=$WINE_ENV_RUN/xvfb.ready n=
  # Xvfb picks a free display itself and writes its number once it accepts clients: no polling,
  # and no clash with a display that another run starts at the same moment.
  mkfifo "$ready" || return 1
  Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$ready" </dev/null >"$log" 2>&1 &
  WINE_ENV_XVFB_PID=$!
  read -r -t 30 n <"$ready"  # an Xvfb that dies first closes the pipe: the read ends empty
  rm -f "$ready"
  if [ -n "$n" ]; then
    export DISPLAY=:$n
    return 0
  fi
  kill "$WINE_ENV_XVFB_PID" 2>/dev/null
  wait "$WINE_ENV_XVFB_PID" 2>/dev/null
  WINE_ENV_XVFB_PID=
  _wine_env_log "could not start Xvfb (last log: $(tail -n 2 "$log" 2>/dev/null))"
  return 1
}

# Ends what a run left behind; safe to call twice.
_wine_env_cleanup() {
  local prefix=$1 run=$2 xvfb=$3
  if [ -n "$prefix" ] && [ -d "$prefix" ]; then
    WINEPREFIX=$prefix "$WINESERVER" -k >/dev/null 2>&1
    WINEPREFIX=$prefix timeout 10 "$WINESERVER" -w >/dev/null 2>&1
  fi
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null
  fi
  if [ -n "$run" ] && [ "${KORVENTA_KEEP_PREFIX:-0}" != 1 ]; then
    rm -rf "$run"
  fi
}

wine_env_start() {
  wine_env_prepare || return 1
  local cache=${KORVENTA_WINE_CACHE:-/tmp/korventa-wine-$(id -u)}
  WINE_ENV_RUN=$(mktemp -d "$cache/run.XXXXXX") || return 1
  export WINEPREFIX=$WINE_ENV_RUN/prefix
  mkdir "$WINEPREFIX"
  _wine_env_copy_prefix "$WINE_ENV_TEMPLATE" "$WINEPREFIX" || { _wine_env_log "could not copy the template prefix"; return 1; }
  # Wine's menu integration is not Windows: without it the host user's menus stay untouched, and
  # a saved shortcut no longer starts a helper process and waits for it (10 to 15 ms a shortcut).
  rm -f "$WINEPREFIX"/drive_c/windows/system32/winemenubuilder.exe "$WINEPREFIX"/drive_c/windows/syswow64/winemenubuilder.exe
  # D: is a CD-ROM drive (the template's registry says so) over a folder of the run's own, for a
  # setup started from its medium. Only in a 32-bit prefix: in a 64-bit one the 32-bit regedit
  # writes the drive's type where the 64-bit mount manager does not look.
  mkdir "$WINE_ENV_RUN/cd" && ln -s "$WINE_ENV_RUN/cd" "$WINEPREFIX/dosdevices/d:"
  WINE_ENV_XVFB_PID=
  if [ -z "${DISPLAY:-}" ]; then
    _wine_env_start_x || { _wine_env_cleanup "" "$WINE_ENV_RUN" ""; return 1; }
  fi
  # The server outlives the first program; it must not hold the caller's output pipes open.
  "$WINESERVER" </dev/null >/dev/null 2>&1
  # Should the caller die without wine_env_stop, the watchdog ends the prefix's processes and the X server.
  local owner=$$ prefix=$WINEPREFIX run=$WINE_ENV_RUN xvfb=$WINE_ENV_XVFB_PID
  (
    trap '' HUP INT
    while kill -0 "$owner" 2>/dev/null && [ -d "$run" ]; do sleep 1; done
    [ -d "$run" ] && _wine_env_cleanup "$prefix" "$run" "$xvfb"
  ) </dev/null >/dev/null 2>&1 &
  WINE_ENV_WATCHDOG_PID=$!
  disown "$WINE_ENV_WATCHDOG_PID" 2>/dev/null
  return 0
}

wine_env_stop() {
  [ -n "${WINE_ENV_WATCHDOG_PID:-}" ] && kill "$WINE_ENV_WATCHDOG_PID" 2>/dev/null
  _wine_env_cleanup "${WINEPREFIX:-}" "${WINE_ENV_RUN:-}" "${WINE_ENV_XVFB_PID:-}"
  WINE_ENV_WATCHDOG_PID=
  WINE_ENV_XVFB_PID=
  WINE_ENV_RUN=
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  if [ $# -eq 0 ]; then
    wine_env_prepare && echo "template: $WINE_ENV_TEMPLATE ($WINEARCH, $WINE)"
    exit $?
  fi
  wine_env_start || exit 125
  trap 'wine_env_stop' EXIT
  trap 'exit 130' INT TERM
  "$@"
  exit $?
fi
