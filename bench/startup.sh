#!/usr/bin/env bash
# Start-up time and memory of the game under Xvfb: the time from the process
# start to the setup dialog on screen (the two-second splash hold scaled away),
# and the peak resident memory after a game has been dealt and played a while.
# Usage: bench/startup.sh [RUNS]   (run inside xvfb-run -a, or it starts one)
# VEMO_PROGRAM names the program to measure; build/app/vemo by default.
set -euo pipefail
# -noreset: a server that resets as each run's program leaves refuses, now and
# then, the next run's connection.
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$@"; fi
root="$(cd "$(dirname "$0")/.." && pwd)"
program="${VEMO_PROGRAM:-$root/build/app/vemo}"
runs="${1:-5}"
data="$(mktemp -d)"
trap 'rm -rf "$data"' EXIT
export VEMO_DATA_DIR="$data" VEMO_TIME_SCALE=0.001
for run in $(seq 1 "$runs"); do
  start=$(date +%s%N)
  "$program" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --name "^Vemo Game Setup$" >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "run $run: the program ended before its setup dialog showed" >&2; exit 1; }
    sleep 0.002
  done
  ready=$(date +%s%N)
  echo "run $run: setup dialog after $(( (ready - start) / 1000000 )) ms"
  if [ "$run" = "$runs" ]; then
    # Start a game and let it play (the human's turn waits), then read the peak.
    window=$(xdotool search --name "^Vemo Game Setup$" | head -1)
    xdotool windowfocus "$window" key Return
    sleep 3
    [ -n "${VEMO_SHOT:-}" ] && import -window root "$VEMO_SHOT"
    echo "peak memory during a game: $(awk '/VmHWM/ {print $2 / 1024 " MB"}' /proc/$pid/status)"
  fi
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done
