#!/usr/bin/env bash
# Runs COMMAND where i386 ELF programs (the 32-bit Wine above all) can run, and passes its exit code on.
#
# Where the kernel runs 32-bit code, COMMAND is simply executed. Where it does not, COMMAND runs inside a
# new user and mount namespace whose own binfmt_misc hands i386 ELF files to qemu-i386 user-mode
# emulation. Nothing outside that namespace changes, and it ends with COMMAND. Needs Linux 6.7+
# (binfmt_misc per user namespace) and user namespaces. Everything that must run 32-bit code has to be
# started below one call of this script.
#
# Usage: tools/i386-run.sh COMMAND ARGS...
# Exit code: COMMAND's, or 125 when i386 programs cannot be made to run here (the reason goes to stderr).
# Settings: KORVENTA_QEMU_CACHE (where qemu-i386 is kept, default /var/cache/korventa-qemu);
# KORVENTA_I386_EMULATE=1 emulates even where the kernel runs 32-bit code (to reproduce CI's path).
#
# qemu-i386 comes from Debian 13's qemu-user package (10.0, static): Debian 12's 7.2 takes about a
# minute to start each 32-bit process, 10.0 a few seconds. Only the one binary is extracted, nothing is
# installed, and apt runs on private lists and caches so the system's apt state stays as it was.
set -euo pipefail

rule=korventa-i386
binfmt=/proc/sys/fs/binfmt_misc
loader=/lib/ld-linux.so.2
cache=${KORVENTA_QEMU_CACHE:-/var/cache/korventa-qemu}
qemu=$cache/qemu-i386

log() { echo "i386-run: $*" >&2; }
die() { log "$*"; exit 125; }
runs_i386() { "$loader" --version >/dev/null 2>&1; }

[ $# -gt 0 ] || { echo "usage: $0 COMMAND ARGS..." >&2; exit 2; }

# Second stage, as root of the new namespace: register qemu for i386 ELF files, then become COMMAND.
if [ -n "${_KORVENTA_I386_QEMU:-}" ]; then
  interp=$_KORVENTA_I386_QEMU
  unset _KORVENTA_I386_QEMU
  mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null ||
    die "cannot mount binfmt_misc in a user namespace (needs Linux 6.7+; this is $(uname -r))"
  # Debian's qemu-user-binfmt pattern for i386 ELF; byte 16 is masked so ET_EXEC and ET_DYN (ld.so,
  # PIE loaders) both match. O: qemu gets an open fd. P: argv[0] stays, qemu >= 6 reads that from
  # AT_FLAGS itself. F: the interpreter is opened now, so later changes to the cache cannot break us.
  magic='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\xfc\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  printf ':%s:M::%s:%s:%s:OPF' "$rule" "$magic" "$mask" "$interp" 2>/dev/null >"$binfmt/register" ||
    die "cannot register qemu-i386 with binfmt_misc in the namespace"
  runs_i386 || die "$loader still does not run under qemu-i386 ($interp)"
  exec "$@"
fi

# Already fine: the kernel runs 32-bit code, or we are inside such a namespace already.
if [ -e "$binfmt/$rule" ] || { [ "${KORVENTA_I386_EMULATE:-0}" != 1 ] && runs_i386; }; then
  exec "$@"
fi

[ -e "$loader" ] || die "no $loader (package libc6:i386): nothing 32-bit to run"

fetch_qemu() {
  local tmp arch apt_opts
  { mkdir -p "$cache" && exec 9>"$cache/.lock"; } 2>/dev/null ||
    die "cannot write to $cache (set KORVENTA_QEMU_CACHE to a writable folder)"
  flock 9
  if [ -x "$qemu" ]; then exec 9>&-; return; fi  # another run fetched it while we waited
  log "fetching qemu-i386 from Debian 13 into $cache"
  rm -rf "$cache"/fetch.*  # left by a run that was killed; we hold the lock
  tmp=$(mktemp -d "$cache/fetch.XXXXXX")
  trap "rm -rf $(printf %q "$tmp")" EXIT
  mkdir -p "$tmp/sources" "$tmp/prefs" "$tmp/lists/partial" "$tmp/cache/archives/partial" "$tmp/deb"
  arch=$(dpkg --print-architecture)
  echo "deb [arch=$arch signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
    "http://deb.debian.org/debian trixie main" >"$tmp/sources/trixie.list"
  apt_opts=(
    -o Dir::Etc::sourcelist=/dev/null -o Dir::Etc::sourceparts="$tmp/sources"
    -o Dir::Etc::preferences=/dev/null -o Dir::Etc::preferencesparts="$tmp/prefs"
    -o Dir::State::Lists="$tmp/lists" -o Dir::Cache="$tmp/cache"
    -o APT::Sandbox::User=root
  )
  # The keyring must know Debian 13's keys: debian-archive-keyring 2023.3+deb12u2 or later does.
  apt-get -q "${apt_opts[@]}" update >"$tmp/apt.log" 2>&1 &&
    (cd "$tmp/deb" && apt-get -q "${apt_opts[@]}" download qemu-user) >>"$tmp/apt.log" 2>&1 || {
    tail -n 5 "$tmp/apt.log" >&2
    die "could not download qemu-user from Debian 13 (network, or debian-archive-keyring too old?)"
  }
  dpkg-deb --fsys-tarfile "$tmp"/deb/qemu-user_*.deb | tar -x -C "$tmp" ./usr/bin/qemu-i386 ||
    die "qemu-user package has no usr/bin/qemu-i386"
  "$tmp/usr/bin/qemu-i386" --version >/dev/null 2>&1 || die "the downloaded qemu-i386 does not run here"
  mv -f "$tmp/usr/bin/qemu-i386" "$qemu.new" && mv -f "$qemu.new" "$qemu"
  log "$("$qemu" --version | head -n 1)"
  rm -rf "$tmp"
  trap - EXIT
  exec 9>&-
}

[ -x "$qemu" ] || fetch_qemu
case $qemu in *:*) die "the qemu path must not contain ':' ($qemu)" ;; esac

unshare --user --map-root-user --mount --propagation private true 2>/dev/null ||
  die "cannot create a user namespace (unshare --user --map-root-user --mount failed)"
export _KORVENTA_I386_QEMU=$qemu
exec unshare --user --map-root-user --mount --propagation private "$BASH" "$(readlink -f "$0")" "$@"
