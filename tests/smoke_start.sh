#!/usr/bin/env bash
# Starts the program once, offscreen and with a settings location of its own, and checks that it is
# still running after a few seconds and has written config.ini and the league database.
set -u
program="$1"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT

XDG_CONFIG_HOME="$home" QT_QPA_PLATFORM=offscreen timeout 3 "$program"
rc=$?
if [ "$rc" -ne 124 ]; then
    echo "the program ended by itself with exit code $rc"
    exit 1
fi
for f in config.ini tavorin.db; do
    if [ ! -s "$home/Tavorin/$f" ]; then
        echo "the program did not write $f"
        exit 1
    fi
done
echo "the program started and ran until it was stopped"
