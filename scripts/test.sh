#!/usr/bin/env bash
# Sets up what is missing, builds everything with warnings as errors into build/ (the run command's build)
# and runs every test headless (the offscreen platform), including one start of the program itself.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build.sh
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
