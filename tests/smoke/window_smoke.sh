#!/usr/bin/env bash
# Starts the real game in a real X window (Xvfb), plays it with typed keys and looks at the
# window: the title shows, Z starts a game, Shift pauses (caption), X returns to the title, Esc
# ends the program.
set -euo pipefail
game_dir="$1"
work="$(mktemp -d)"
trap 'kill "${game_pid:-}" "${xvfb_pid:-}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT

# A private copy of the game folder, so the test's record file stays out of the build.
for f in "$game_dir"/korvaxion "$game_dir"/*.kvx "$game_dir"/*.ttf "$game_dir"/*.dat "$game_dir"/*.wav \
         "$game_dir"/*.mid "$game_dir"/*.sf2; do
  [ -e "$f" ] && [ "$(basename "$f")" != Record.dat ] && cp "$f" "$work/"
done

# A display of our own, away from the low numbers other sessions use; retry if one is taken.
for attempt in $(seq 20); do
  n=$(( 200 + (RANDOM % 700) ))
  [ -e "/tmp/.X$n-lock" ] && continue
  # -noreset: the server must not restart when our probe disconnects, or the game may find no display.
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    kill -0 "$xvfb_pid" 2>/dev/null || break
    xdotool getmouselocation >/dev/null 2>&1 && break 2
    sleep 0.1
  done
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
done
[ -n "${xvfb_pid:-}" ] || { echo "no X display could be started" >&2; exit 1; }

export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=x11
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
"$work/korvaxion" 2>"$work/game.log" &
game_pid=$!

wait_for_title() { # caption, seconds
  for _ in $(seq $(( $2 * 10 ))); do
    xdotool search --name "^$1\$" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "no window captioned '$1' on $DISPLAY" >&2
  kill -0 "$game_pid" 2>/dev/null && echo "(the game is running)" >&2 || echo "(the game has ended)" >&2
  cat "$work/game.log" >&2
  xwininfo -root -tree 2>&1 | head -20 >&2 || true
  return 1
}
lit_fraction() {
  xwd -root -silent | /usr/bin/convert xwd:- -format '%[fx:mean]' info:
}

wait_for_title KORVAXION 20
sleep 1
[ "$(echo "$(lit_fraction) > 0.0005" | bc -l)" = 1 ] || { echo "the title window is black" >&2; exit 1; }

xdotool key z
sleep 1
xdotool key shift
wait_for_title "KORVAXION -Pause" 5
xdotool key x
wait_for_title KORVAXION 5
sleep 0.5
xdotool key Escape
for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$game_pid" 2>/dev/null; then echo "Esc on the title did not end the program" >&2; exit 1; fi
wait "$game_pid"
game_pid=""
echo "window smoke test passed"
