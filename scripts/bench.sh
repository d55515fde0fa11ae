#!/usr/bin/env bash
# Sets up what is missing, builds the benchmarks with optimisation into build-bench/ and runs each.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTAVORIN_BENCH=ON >/dev/null
cmake --build build-bench --parallel "$(nproc)"
for b in build-bench/bench/bench_*; do
    [ -f "$b" ] && [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    "$b"
done
