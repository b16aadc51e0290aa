#!/usr/bin/env bash
# Builds the game's sound clips 1.wav .. 16.wav next to this script.
# Needs espeak-ng and sox. Output: PCM 16-bit mono 22050 Hz WAV, peaks at -3 dBFS.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$here"

for tool in espeak-ng sox; do
    command -v "$tool" >/dev/null || { echo "make-sounds.sh: $tool not found" >&2; exit 1; }
done

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

RATE=22050
# -R keeps noise and dither repeatable between runs.
SOX=(sox -R -V1)
OUT=(-b 16 -e signed-integer -c 1 -r "$RATE")

# Phoneme input so every voice says VEE-mo regardless of its spelling rules.
WORD="[[v'i:moU]]!"

# Cut silence from both ends, leaving a few ms so the attack is not clipped.
TRIM=(silence 1 0.005 0.3% reverse silence 1 0.005 0.3% reverse pad 0.01 0.02)

# voice n  espeak-voice  pitch  speed  amplitude  pitch-range  [sox effects...]
# A wide pitch range makes the exclamation sound excited rather than flat.
voice() {
    local n=$1 v=$2 p=$3 s=$4 a=$5 r=$6
    shift 6
    espeak-ng -m -z -v "$v" -p "$p" -s "$s" -a "$a" -w "$tmp/raw$n.wav" \
        "<speak><prosody range=\"$r\">$WORD</prosody></speak>"
    "${SOX[@]}" "$tmp/raw$n.wav" "${OUT[@]}" "$n.wav" \
        "${TRIM[@]}" "$@" rate -v "$RATE" gain -n -3
}

# Men.
voice 1 en+m1             50 170 130 x-high  treble +2
voice 2 en-us+m3          10 145 140 high    pitch -200 bass +3
voice 3 en-gb-scotland+m2 65 160 130 x-high
voice 4 en+m7             22 160 130 high    echo 0.8 0.7 60 0.35
voice 5 en-029+m4         80 185 140 x-high  tremolo 16 30

# Women (clip 7 is followed by the longest pause, so it may run longest).
voice 6 en+f1             55 170 130 high
voice 7 en-us+f2          80 110 140 x-high  echo 0.8 0.6 90 0.3
voice 8 en-gb-x-rp+f3     60 135 130 x-high  pitch +100
voice 9 en+f4             95 180 130 x-high  tremolo 9 25
voice 10 en-us+f5         70 140 130 high    pitch +250 treble +2

# The Experts' voices (11 to 13 are other sounds): a man, then two women.
voice 14 en-gb+m6         30 150 135 high    echo 0.8 0.5 40 0.25
voice 15 en+f2            75 155 130 x-high  treble +1
voice 16 en-us+f4         60 165 130 x-high  pitch +150

# 11: card laid on the table - a short filtered noise slap with a fast decay.
"${SOX[@]}" -n "${OUT[@]}" 11.wav \
    synth 0.12 pinknoise \
    highpass 400 lowpass 3500 \
    fade p 0.003 0.12 0.105 \
    gain -n -3

# 12: window opening/closing - a soft rising two-tone chime (D5 then A5).
"${SOX[@]}" -n "${OUT[@]}" "$tmp/a.wav" synth 0.25 sine 587.33 fade q 0.005 0.25 0.2
"${SOX[@]}" -n "${OUT[@]}" "$tmp/b.wav" synth 0.17 sine 880 fade q 0.005 0.17 0.15 pad 0.08
"${SOX[@]}" -m "$tmp/a.wav" "$tmp/b.wav" "${OUT[@]}" 12.wav gain -n -3

# 13: leaving the game - three descending plucked notes (G5 E5 C5), overlapping.
"${SOX[@]}" -n "${OUT[@]}" "$tmp/n1.wav" synth 0.6 pluck G5 fade q 0.005 0.6 0.4
"${SOX[@]}" -n "${OUT[@]}" "$tmp/n2.wav" synth 0.55 pluck E5 fade q 0.005 0.55 0.4 pad 0.18
"${SOX[@]}" -n "${OUT[@]}" "$tmp/n3.wav" synth 0.6 pluck C5 fade q 0.005 0.6 0.45 pad 0.36
"${SOX[@]}" -m "$tmp/n1.wav" "$tmp/n2.wav" "$tmp/n3.wav" "${OUT[@]}" 13.wav \
    reverb 20 50 40 gain -n -3

echo "make-sounds.sh: wrote 1.wav .. 16.wav in $here"
