#!/usr/bin/env bash
# End to end through the real program: opens CalcEdit1's drop-down calculator
# with the mouse, types 1 +, clicks its key 2, types Enter (the field must
# keep the focus through the click), presses "Построить" and "Сохранить в
# файл", and expects dn1.bmp and dn2.bmp to be exactly what dipole-render
# writes for the length 3. Then types a decimal length into the field with
# the user's decimal separator (TYPED, default 1.25), reads the field back
# through the clipboard, expects the same text, and builds and saves again:
# the files must be dipole-render's for LENGTH (default 1.25, with a dot).
# Runs on its own Xvfb when no display is given; every wait is bounded.
# Usage: calc_edit_e2e.sh PROGRAM RENDER WORKDIR [TYPED LENGTH]
set -euo pipefail

program=$1
render=$2
workdir=$3
typed=${4:-1.25}
length=${5:-1.25}
title="Построение ДН СВ"

if [ -z "${DISPLAY:-}" ]; then
    exec timeout 90 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

# A locale that the system has not generated leaves the C library in the C
# locale, which is not the setting this run is meant to check.
if [ -n "${LANG:-}" ] && ! locale -a | grep -qixF "${LANG/UTF-8/utf8}"; then
    echo "e2e: the locale $LANG is not generated (scripts/setup.sh does it)" >&2
    exit 1
fi

rm -rf "$workdir"
mkdir -p "$workdir/program" "$workdir/render"
cd "$workdir/program"

"$program" &
pid=$!
trap 'kill -KILL $pid 2>/dev/null || true' EXIT

window=$(timeout 30 xdotool search --sync --onlyvisible --name "$title" | head -n 1)
if [ -z "$window" ]; then
    echo "e2e: no window titled \"$title\"" >&2
    exit 1
fi
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")" # X, Y of the client area

# Clicks at a point of the form, in the form's own pixels.
click() {
    xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1
    sleep 0.3
}

# Presses "Построить" and "Сохранить в файл", waits for both files and
# compares them with what dipole-render writes for the length given.
build_save_compare() {
    rm -f dn1.bmp dn2.bmp
    click $((288 + 37)) $((518 + 12)) # Построить
    click $((568 + 53)) $((518 + 12)) # Сохранить в файл
    for f in dn1.bmp dn2.bmp; do
        for _ in $(seq 100); do [ -s "$f" ] && break; sleep 0.1; done
        [ -s "$f" ] || { echo "e2e: $f was not written" >&2; return 1; }
    done
    sleep 0.3
    (cd "$workdir/render" && rm -f dn1.bmp dn2.bmp && "$render" "$1")
    local result=0
    for f in dn1.bmp dn2.bmp; do
        if cmp -s "$workdir/program/$f" "$workdir/render/$f"; then
            echo "e2e: $f shows the pattern for length $1"
        else
            echo "e2e: $f differs from what dipole-render $1 writes" >&2
            result=1
        fi
    done
    return $result
}

status=0

# CalcEdit1 stands at (8, 520), 121 x 21; its button is the last 20 pixels
# inside the 2-pixel border.
click $((8 + 121 - 2 - 10)) $((520 + 10))
xdotool type --delay 60 "1+"
# The calculator (104 x 127) opens under the field with the right edges lined
# up, or above it when the screen ends; its key 2 stands at (29, 52), 21 x 21,
# inside a 1-pixel border.
eval "$(xdotool getdisplaygeometry | awk '{print "SCREEN_H=" $2}')"
popup_y=$((520 + 21))
[ $((Y + popup_y + 127)) -le "$SCREEN_H" ] || popup_y=$((520 - 127))
click $((8 + 121 - 104 + 1 + 29 + 10)) $((popup_y + 1 + 52 + 10))
xdotool key Return
sleep 0.3
build_save_compare 3 || status=1

# The field itself: select its text, type the length, and read back what it
# shows through the clipboard.
click $((8 + 40)) $((520 + 10))
xdotool key ctrl+a
xdotool type --delay 60 "$typed"
xdotool key ctrl+a ctrl+c
sleep 0.3
shown=$(timeout 5 xclip -selection clipboard -o 2>/dev/null || true)
if [ "$shown" = "$typed" ]; then
    echo "e2e: the field shows $shown"
else
    echo "e2e: typed \"$typed\" into the field, but it shows \"$shown\"" >&2
    status=1
fi
build_save_compare "$length" || status=1

kill -TERM "$pid"
timeout 20 tail --pid="$pid" -f /dev/null || true
trap - EXIT
exit $status
