#!/usr/bin/env bash
# Sets up what is missing (with Xvfb, xdotool, xwd and netpbm), builds the program into build/, starts it
# on a new demo league under a virtual display and writes PNG screenshots of the main tabs and of the
# forum-code window into docs/. The clicks go to fixed places of the window (the tab titles, the menus, a
# table's first row), which has a fixed size.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh xvfb xdotool x11-apps netpbm fonts-dejavu-core
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build build --parallel "$(nproc)"

work="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and tells its number.
Xvfb -displayfd 3 -screen 0 1400x1000x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
export DISPLAY=":$(cat "$work/display")"

XDG_CONFIG_HOME="$work" LANG=C.UTF-8 build/tavorin --demo "$work/demo.db" 2>/dev/null &
pids+=($!)
window="$(xdotool search --sync --onlyvisible --name '^Brenvik - Tavorin' | head -1)"
sleep 1

shoot() { # window, name
    xwd -silent -id "$1" | xwdtopnm 2>/dev/null | pnmtopng -compression 9 >"docs/$2.png"
    echo "docs/$2.png"
}
click() { # x, y within the main window
    xdotool mousemove --window "$window" "$1" "$2" click 1
    sleep 0.7
}
menu() { # x of the menu's title; takes the first entry that is enabled
    click "$1" 8
    xdotool key Down Return
    sleep 1
}
newest_window() { # the program's window that is not the main window
    for _ in $(seq 50); do
        for w in $(xdotool search --onlyvisible --class tavorin); do
            [ "$w" != "$window" ] && echo "$w" && return
        done
        sleep 0.1
    done
    echo "no second window appeared" >&2
    return 1
}

mkdir -p docs
click 480 106 # the first match of the first match day, so that the form shows its result
shoot "$window" ergebnisse
click 145 32
shoot "$window" tabelle
menu 88 # "Bearbeiten": on this tab "Tabelle als Foren-Code" is the first enabled entry
dialog="$(newest_window)"
sleep 0.5
shoot "$dialog" forencode
xdotool mousemove --window "$dialog" 300 775 click 1 # "Fenster schließen"
sleep 0.7
click 230 32
shoot "$window" statistik
menu 160 # "Ansicht" → "Verwaltung einblenden" shows the administration tabs, "Spieler" first
shoot "$window" spieler
click 392 32
shoot "$window" ligen
click 481 32
shoot "$window" zuordnung
click 582 32
click 480 106 # a match of the schedule, so that the pairing groups show its players
shoot "$window" spieltage
