#!/usr/bin/env bash
# Sets up what is missing, builds everything with warnings as errors into build-test/ and runs every
# test headless (the offscreen platform), including one start of the program itself.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DTAVORIN_WERROR=ON >/dev/null
cmake --build build-test --parallel "$(nproc)"
ctest --test-dir build-test --output-on-failure --parallel "$(nproc)"
