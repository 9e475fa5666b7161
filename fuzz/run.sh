#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each briefly over a seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-15}"
command -v clang++ >/dev/null || { echo "fuzz: clang++ not installed, skipped"; exit 0; }
cmake -S fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)" >/dev/null

corpus="build-fuzz/corpus"
mkdir -p "$corpus/sheet"
# Seeds: a tiny sheet and a real one from the build.
build/bin/kvx placeholder 5 3 "$corpus/sheet/tiny.kvx" 2 0 1 1 1
cp build/G1.kvx "$corpus/sheet/" 2>/dev/null || true

for target in sheet; do
  echo "fuzz_$target: ${seconds}s"
  "build-fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=65536 -print_final_stats=0 \
    "$corpus/$target" 2>&1 | tail -n 2
done
