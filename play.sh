#!/usr/bin/env bash
# Installs what is missing, builds the game with all its content, and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./tools/setup-debian.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DKORVAXION_BUILD_TESTS=OFF -DKORVAXION_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)"
exec ./build/korvaxion
