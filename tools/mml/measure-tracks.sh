#!/bin/bash
# Renders every track the way the game loops it (twice, back to back, on one synthesiser) with
# the fluidsynth command line and measures it with sox: length, peak and RMS level of one pass,
# and the loop seam (level of the last and first 4 seconds, and the deepest 50 ms dip at the seam).
#
#   tools/mml/measure-tracks.sh build            (the folder holding the built .mid files)
#
# Not part of the build. GAIN must match the synthesiser gain of src/platform/sdl/SdlAudio.cpp.
set -euo pipefail
dir=${1:?usage: measure-tracks.sh game-folder}
gain=${GAIN:-0.4}
font=${SOUNDFONT:-/usr/share/sounds/sf2/TimGM6mb.sf2}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

db() { awk -v x="$1" 'BEGIN { if (x <= 0) print "-inf"; else printf "%.1f", 20 * log(x) / log(10) }'; }
stat() { sox "$1" -n trim "$2" "$3" stat 2>&1 | awk -v k="$4" '$0 ~ k { print $NF }'; }
render() { fluidsynth -ni -g "$gain" -r 44100 -o player.reset-synth=0 -F "$1" "$font" "${@:2}" >/dev/null 2>&1; }

printf '%-6s %9s %9s %9s %11s %11s %9s  %s\n' track length peak RMS "last 4 s" "first 4 s" dip loop
for mid in "$dir"/*.mid; do
  name=$(basename "$mid" .mid)
  render "$work/one.wav" "$mid"
  render "$work/two.wav" "$mid" "$mid"
  one=$(soxi -D "$work/one.wav")
  two=$(soxi -D "$work/two.wav")
  len=$(awk -v a="$one" -v b="$two" 'BEGIN { printf "%.3f", b - a }')
  peak=$(db "$(stat "$work/two.wav" 0 "$len" 'Maximum amplitude')")
  rms=$(db "$(stat "$work/two.wav" 0 "$len" 'RMS +amplitude')")
  before=$(db "$(stat "$work/two.wav" "$(awk -v l="$len" 'BEGIN { print l - 4 }')" 4 'RMS +amplitude')")
  after=$(db "$(stat "$work/two.wav" "$len" 4 'RMS +amplitude')")
  around=$(db "$(stat "$work/two.wav" "$(awk -v l="$len" 'BEGIN { print l - 2 }')" 4 'RMS +amplitude')")
  low=0
  for off in -0.1 -0.05 0 0.05; do
    w=$(stat "$work/two.wav" "$(awk -v l="$len" -v o="$off" 'BEGIN { print l + o }')" 0.05 'RMS +amplitude')
    low=$(awk -v a="$low" -v w="$w" 'BEGIN { print (a == 0 || w < a) ? w : a }')
  done
  dip=$(awk -v a="$around" -v l="$(db "$low")" 'BEGIN { printf "%.1f", a - l }')
  verdict=$(awk -v b="$before" -v a="$after" -v d="$dip" \
    'BEGIN { s = a - b; if (s < 0) s = -s; print (s <= 3 && d <= 10) ? "clean" : "check" }')
  printf '%-6s %8.1fs %6s dB %6s dB %8s dB %8s dB %6s dB  %s\n' "$name" "$len" "$peak" "$rms" "$before" "$after" "$dip" "$verdict"
done
