#!/usr/bin/env bash
# Sets up what is missing, builds the program into build/ (the test command's build) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build.sh tavorin
exec build/tavorin "$@"
