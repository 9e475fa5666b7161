#!/usr/bin/env bash
# The automatic player flies every stage up to its boss on hard, one ship per stage: a long soak of
# the whole game (under the sanitizers in the sanitizer build). Any crash or finding fails it.
set -euo pipefail
game_dir="$1"
record="$(mktemp)"
trap 'rm -f "$record"' EXIT
for stage in 1 2 3 4 5; do
  ship=$(( (stage - 1) % 4 ))
  power=$(( stage == 1 ? 0 : 3 ))
  "$game_dir/korvaxion-sim" --start "$ship" --stage "$stage" --power "$power" --difficulty 2 --frames 6000 \
    --bot --stop-at-boss --report --record "$record" --seed "$stage"
done
