#!/usr/bin/env bash
# Builds and runs every test: once as shipped, then the file-format fuzzers, then everything
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
./tools/setup-debian.sh
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# Every file reader against random bytes for a while.
./fuzz/run.sh 20

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DKORVAXION_SANITIZE=ON -DKORVAXION_BUILD_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs"
