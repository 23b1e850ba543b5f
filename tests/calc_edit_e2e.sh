#!/usr/bin/env bash
# End to end through the real program: opens CalcEdit1's drop-down calculator
# with the mouse, types 1 +, clicks its key 2, types Enter (the field must
# keep the focus through the click), presses "Построить" and "Сохранить в
# файл", and expects dn1.bmp and dn2.bmp to be exactly what dipole-render
# writes for the length 3. Runs on its own Xvfb when no display is given;
# every wait is bounded.
# Usage: calc_edit_e2e.sh PROGRAM RENDER WORKDIR
set -euo pipefail

program=$1
render=$2
workdir=$3
title="Построение ДН СВ"

if [ -z "${DISPLAY:-}" ]; then
    exec timeout 90 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
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
click $((288 + 37)) $((518 + 12)) # Построить
click $((568 + 53)) $((518 + 12)) # Сохранить в файл

for f in dn1.bmp dn2.bmp; do
    for _ in $(seq 100); do [ -s "$f" ] && break; sleep 0.1; done
    [ -s "$f" ] || { echo "e2e: $f was not written" >&2; exit 1; }
done
sleep 0.3

(cd "$workdir/render" && "$render" 3)
status=0
for f in dn1.bmp dn2.bmp; do
    if cmp -s "$workdir/program/$f" "$workdir/render/$f"; then
        echo "e2e: $f shows the pattern for length 3"
    else
        echo "e2e: $f differs from what dipole-render 3 writes" >&2
        status=1
    fi
done

kill -TERM "$pid"
timeout 20 tail --pid="$pid" -f /dev/null || true
trap - EXIT
exit $status
