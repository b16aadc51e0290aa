#!/usr/bin/env bash
# The Debian package as a player meets it: made from the build by cpack,
# installed with apt-get, started by a new user on a virtual screen until the
# setup dialog shows, and removed again, leaving that user's games in place.
# Needs root and apt; otherwise it is skipped (exit 77).
# Usage: PackageTest.sh BUILD_DIR [CPACK]
set -euo pipefail

build="$(cd "$1" && pwd)"
cpack="${2:-cpack}"

skip() {
  echo "SKIPPED: $*"
  exit 77
}
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
[ "$(id -u)" = 0 ] || skip "installing a package needs root"
for tool in apt-get dpkg-deb dpkg-shlibdeps useradd userdel runuser Xvfb xdotool sqlite3; do
  command -v "$tool" >/dev/null || skip "$tool is not available (scripts/package installs what is missing)"
done
installed() { dpkg-query -W -f='${Status}' vemo 2>/dev/null | grep -q "ok installed"; }
installed && skip "vemo is installed on this machine already, and this test removes the package"

work="$(mktemp -d "${TMPDIR:-/tmp}/vemo-package.XXXXXX")"
chmod 755 "$work"
user="vemotest$$"
program="" game="" xvfb="" ours=0

cleanup() {
  [ -n "$program" ] && [ -s "$work/home/vemo.pid" ] && game="$(cat "$work/home/vemo.pid")"
  for pid in $game $program $(ps -u "$user" -o pid= 2>/dev/null); do
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  # The screen is asked to end, so it takes its socket and lock file along.
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null || true
    timeout 10 tail --pid="$xvfb" -f /dev/null || kill -KILL "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
  fi
  if [ "$ours" = 1 ] && installed; then
    apt-get -o DPkg::Lock::Timeout=120 remove -y -qq vemo >/dev/null 2>&1 || true
  fi
  userdel "$user" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

apt() {
  DEBIAN_FRONTEND=noninteractive timeout 300 apt-get -o DPkg::Lock::Timeout=120 "$@" >"$work/apt.log" 2>&1 || {
    cat "$work/apt.log" >&2
    fail "apt-get $*"
  }
}

# --- The package --------------------------------------------------------------
(cd "$build" && timeout 300 "$cpack" -G DEB -B "$work/deb") >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log" >&2
  fail "cpack could not make the package"
}
deb="$(ls "$work"/deb/vemo_*_amd64.deb 2>/dev/null || true)"
[ -f "$deb" ] || fail "no vemo_<version>_amd64.deb was made: $(ls "$work/deb")"
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libqt6widgets6 libqt6sql6-sqlite libc6; do
  case "$depends" in *"$library"*) ;; *) fail "the package does not depend on $library: $depends" ;; esac
done
echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB; depends: $depends"

# --- Installed as a user would ------------------------------------------------
ours=1
apt install -y -qq --no-install-recommends "$deb"
installed || fail "apt-get did not install vemo"
[ -x /usr/games/vemo ] || fail "the program is not at /usr/games/vemo"

# --- A new user starts it -----------------------------------------------------
useradd --create-home --home-dir "$work/home" --shell /bin/sh "$user"
home="$work/home"
# -noreset: a server that resets as the last client leaves (the polling below)
# now and then refuses the game's connection.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "the virtual screen did not start: $(cat "$work/xvfb.log")"
display=":$(cat "$work/display")"

# As from the user's desktop: a fresh environment whose PATH holds /usr/games.
# No session bus: Qt would start one of its own that outlives the game.
runuser -u "$user" -- env -i HOME="$home" USER="$user" LOGNAME="$user" SHELL=/bin/sh \
  PATH=/usr/local/bin:/usr/bin:/bin:/usr/games DISPLAY="$display" VEMO_TIME_SCALE=0.001 \
  DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
  sh -c 'cd && echo $$ >vemo.pid && exec vemo' >"$work/program.log" 2>&1 &
program=$!
for _ in $(seq 300); do
  DISPLAY="$display" xdotool search --name "^Vemo Game Setup$" >/dev/null 2>&1 && break
  kill -0 "$program" 2>/dev/null || {
    cat "$work/program.log" >&2
    kill -0 "$xvfb" 2>/dev/null || fail "the virtual screen $display ended early: $(cat "$work/xvfb.log")"
    fail "the installed program ended before its setup dialog showed"
  }
  sleep 0.2
done
DISPLAY="$display" xdotool search --name "^Vemo Game Setup$" >/dev/null 2>&1 || {
  cat "$work/program.log" >&2
  fail "no setup dialog within 60 seconds"
}
database="$home/.local/share/Vemo/Vemo.mdb"
[ -f "$database" ] || fail "the new user has no $database"
[ "$(stat -c %U "$database")" = "$user" ] || fail "the user's database does not belong to the user"
[ "$(sqlite3 "file:$database?immutable=1" "PRAGMA integrity_check")" = ok ] || fail "the user's database is not sound"
# runuser waits for the game; the game is stopped by its own process id.
kill "$(cat "$home/vemo.pid")"
timeout 20 tail --pid="$program" -f /dev/null || fail "the game did not end when asked to"
wait "$program" 2>/dev/null || true
program=""
[ -z "$(ps -u "$user" -o pid= || true)" ] || fail "the game left processes behind: $(ps -u "$user" -o pid=,cmd=)"
sum="$(cksum <"$database")"

# --- Removed, the user's games stay ---------------------------------------------
apt remove -y -qq vemo
installed && fail "apt-get did not remove vemo"
[ ! -e /usr/games/vemo ] || fail "/usr/games/vemo is left behind"
[ "$(cksum <"$database" 2>/dev/null)" = "$sum" ] || fail "removing the package changed or deleted the user's database"
echo "package test passed"
