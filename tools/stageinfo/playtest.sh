#!/usr/bin/env bash
# Plays every stage with the simulator's automatic player, on each difficulty, with each ship and
# a few seeds, up to the boss record, and prints one line per stage and difficulty: the median
# destroy rate, lives lost (median and worst), how often the boss record was reached, and the
# median power at the end. Each stage starts with the power a careful player brings to it.
# usage: playtest.sh [BUILD_DIR [SEEDS [STAGE...]]]   (defaults: build, 3 seeds, stages 1 to 5)
set -euo pipefail
build="${1:-build}"
seeds="${2:-3}"
stages=(1 2 3 4 5)
if [ $# -gt 2 ]; then stages=("${@:3}"); fi
record="$(mktemp)"
trap 'rm -f "$record"' EXIT

power_for() { case "$1" in 1) echo 0 ;; 2) echo 2 ;; *) echo 3 ;; esac; }

printf '%-6s %-7s %6s %11s %8s %6s  %s\n' stage diff rate "lives lost" boss power "runs (ship/seed: rate lives)"
for stage in "${stages[@]}"; do
  for diff in 0 1 2; do
    lines=""
    for ship in 0 1 2 3; do
      for seed in $(seq 1 "$seeds"); do
        rm -f "$record"
        out=$("$build/korvaxion-sim" --start "$ship" --stage "$stage" --difficulty "$diff" \
              --power "$(power_for "$stage")" --seed "$seed" --frames 20000 --stop-at-boss --bot --report \
              --record "$record")
        lines+="$ship $seed $out"$'\n'
      done
    done
    printf '%s' "$lines" | awk -v stage="$stage" -v diff="$diff" '
      function median(a, n,   i, j, t) {
        for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
        return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
      }
      NF == 0 { next }
      {
        n++
        for (i = 1; i <= NF; i++) {
          if ($i == "rate") { r = $(i + 1); sub("%", "", r); rate[n] = r + 0 }
          if ($i == "lost") lost[n] = $(i + 1) + 0
          if ($i == "reached") reached += ($(i + 1) == "yes")
          if ($i == "power") power[n] = $(i + 1) + 0
        }
        if (lost[n] > worst) worst = lost[n]
        runs = runs sprintf(" %s/%s:%d%%,%d", $1, $2, rate[n], lost[n])
      }
      END {
        names[0] = "easy"; names[1] = "normal"; names[2] = "hard"
        printf "%-6s %-7s %5.0f%% %7.1f/%-3d %4d/%-3d %6.1f %s\n", stage, names[diff], median(rate, n),
               median(lost, n), worst, reached, n, median(power, n), runs
      }'
  done
done
