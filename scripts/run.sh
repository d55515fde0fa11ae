#!/usr/bin/env bash
# Sets up what is missing, builds the program into build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build build --parallel "$(nproc)"
exec build/tavorin "$@"
