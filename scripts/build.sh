#!/usr/bin/env bash
# The one build of the run, test and screenshot commands: sets up what is missing, configures build/ the
# same way for all of them (Debug, tests included, warnings as errors) and builds the targets named as
# arguments, or everything when none is named. So the second of these commands builds only what the
# first has not built yet.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DTAVORIN_WERROR=ON >/dev/null
targets=()
for t in "$@"; do
    targets+=(--target "$t")
done
cmake --build build --parallel "$(nproc)" "${targets[@]}"
