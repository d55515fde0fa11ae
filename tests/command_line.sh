#!/usr/bin/env bash
# The command line: --help and --version answer without a display, a mistake ends unsuccessfully, and
# --demo writes a league file and works on it for this run only, leaving config.ini as it was.
set -u
program="$1"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
fail() {
    echo "$*"
    exit 1
}
# Without a display the window's platform cannot start, so only an answer without a window passes.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb)

out="$("${nodisplay[@]}" "$program" --version)" || fail "--version ended with exit code $?"
[[ "$out" == "Tavorin "[0-9]* ]] || fail "--version printed: $out"
out="$("${nodisplay[@]}" "$program" --help)" || fail "--help ended with exit code $?"
grep -q -- "--demo <DATEI>" <<<"$out" || fail "--help printed: $out"
"${nodisplay[@]}" "$program" --unbekannt 2>/dev/null && fail "an unknown option was accepted"

XDG_CONFIG_HOME="$home" QT_QPA_PLATFORM=offscreen timeout 3 "$program" --demo "$home/demo.db"
rc=$?
[ "$rc" -eq 124 ] || fail "the program on the demo league ended by itself with exit code $rc"
[ -s "$home/demo.db" ] || fail "--demo wrote no league file"
grep -qx "dbpfad=$home/Tavorin/tavorin.db" "$home/Tavorin/config.ini" || fail "config.ini changed: $(cat "$home/Tavorin/config.ini")"
[ ! -e "$home/Tavorin/tavorin.db" ] || fail "the program opened the remembered league file, not the demo"
echo "help, version and the demo league work"
