#!/bin/sh
# Plays a hand by keys at the real table under Xvfb with the Orca screen
# reader listening (its speech output off, every utterance in its debug log),
# then checks that Orca spoke what happened. Skipped, with the reason, where
# Orca, Xvfb or a session bus is missing, or another Orca runs for this user
# (Orca refuses a second copy, and this test never stops someone's own).
#   usage: OrcaTest.sh <vemo_orca_tests executable>
player=$1
for tool in orca Xvfb dbus-run-session timeout; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIPPED: $tool is not installed (apt-get install orca xvfb dbus-x11 at-spi2-core)"
        exit 77
    fi
done
if pgrep -u "$(id -u)" -x orca >/dev/null 2>&1; then
    echo "SKIPPED: another Orca runs for this user; Orca allows one at a time"
    exit 77
fi

work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT INT TERM
# Xvfb picks a free display and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
if [ ! -s "$work/display" ]; then echo "FAILED: Xvfb did not start"; exit 1; fi
export DISPLAY=":$(cat "$work/display")"
# Orca's settings and the game's go to the work directory, not the user's.
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export VEMO_ORCA_LOG="$work/orca.log"

timeout -k 5 560 dbus-run-session -- sh -c '
    orca -u "$HOME/orca-prefs" -d speech --debug-file="$VEMO_ORCA_LOG" >"$HOME/orca.out" 2>&1 &
    orca=$!
    for _ in $(seq 120); do grep -q "Startup complete" "$VEMO_ORCA_LOG" 2>/dev/null && break; sleep 0.25; done
    if ! grep -q "Startup complete" "$VEMO_ORCA_LOG" 2>/dev/null; then
        echo "FAILED: Orca did not start"; cat "$HOME/orca.out"; kill $orca 2>/dev/null; exit 1
    fi
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 timeout -k 5 500 "$0"
    status=$?
    kill $orca 2>/dev/null
    wait $orca 2>/dev/null
    exit $status' "$player"
status=$?
if [ $status -ne 0 ]; then
    echo "--- what Orca said (last 60 utterances) ---"
    grep "SPEECH OUTPUT" "$VEMO_ORCA_LOG" 2>/dev/null | tail -n 60
fi
[ -n "$VEMO_ORCA_KEEP_LOG" ] && cp "$VEMO_ORCA_LOG" "$VEMO_ORCA_KEEP_LOG"
exit $status
