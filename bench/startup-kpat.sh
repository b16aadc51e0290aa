#!/usr/bin/env bash
# The yardstick for bench/startup.sh: the same two figures for KDE's kpat, a
# mature Qt card game, measured the same way under Xvfb. The time from the
# process start to its main window on screen (a Klondike deal, so no game
# chooser comes first), and the peak resident memory after the game has been
# dealt and has run about three seconds. Installs kpat when it is missing.
# Usage: bench/startup-kpat.sh [RUNS]   (run inside xvfb-run -a, or it starts one)
set -euo pipefail
missing=()
command -v kpat >/dev/null || [ -x /usr/games/kpat ] || missing+=(kpat)
command -v xdotool >/dev/null || missing+=(xdotool)
command -v xvfb-run >/dev/null || missing+=(xvfb xauth)
command -v dbus-run-session >/dev/null || missing+=(dbus-daemon)
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
# -noreset: a server that resets as each run's program leaves refuses, now and
# then, the next run's connection.
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$@"; fi
# kpat cannot run without a session bus; one bus serves every run, as the X server does.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then exec dbus-run-session -- "$0" "$@"; fi
program="$(command -v kpat || echo /usr/games/kpat)"
runs="${1:-5}"
# A home of its own, so every run starts from the same settings and nothing is left behind.
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/runtime"
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
       XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/runtime"
for run in $(seq 1 "$runs"); do
  start=$(date +%s%N)
  "$program" --gametype klondike >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --class "^kpat$" >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "run $run: kpat ended before its window showed" >&2; exit 1; }
    sleep 0.002
  done
  ready=$(date +%s%N)
  echo "run $run: main window after $(( (ready - start) / 1000000 )) ms"
  if [ "$run" = "$runs" ]; then
    # The deal is on the table; let it run, then read the peak.
    sleep 3
    [ -n "${VEMO_SHOT:-}" ] && import -window root "$VEMO_SHOT"
    echo "peak memory during a game: $(awk '/VmHWM/ {print $2 / 1024 " MB"}' /proc/$pid/status)"
  fi
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done
