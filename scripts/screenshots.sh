#!/usr/bin/env bash
# Sets up what is missing (with the fonts of the pictures), builds the screenshot helper into build/ (the
# build of the run and test commands) and writes the pictures of the guide and the README into docs/:
# the main window on a new demo league, maximised on a laptop screen (1366x768) of Qt's offscreen
# platform, each page reached through the object names of its widgets. Ends with an error when a picture
# that docs/Anleitung.md or README.md shows was not written.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh fonts-dejavu-core
scripts/build.sh tavorin_screenshots

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p docs
XDG_CONFIG_HOME="$work" LANG=C.UTF-8 LC_ALL=C.UTF-8 \
    QT_QPA_PLATFORM="offscreen:configfile=$PWD/tests/data/screen-1366x768.json" \
    build/tavorin_screenshots docs | tee "$work/written"

missing=0
for picture in $( (grep -oE '\]\([a-z]+\.png\)' docs/Anleitung.md | sed 's/^](/docs\//; s/)$//'
    grep -oE '\]\(docs/[a-z]+\.png\)' README.md | sed 's/^](//; s/)$//') | sort -u); do
    if ! grep -qx "$picture" "$work/written"; then
        echo "not written: $picture" >&2
        missing=1
    fi
done
exit "$missing"
