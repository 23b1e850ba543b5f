#!/usr/bin/env bash
# Takes the screenshots of docs/screenshots/ with the real program in the
# users' own locale, on an Xvfb display of its own: a length built in polar
# coordinates, a family of three lengths, the drop-down calculator of a
# family row, and the laboratory window's tabs. Run it again whenever the
# windows' look changes.
# Usage: screenshots.sh [PROGRAM]   (default build/app/dipole-pattern)
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/app/dipole-pattern}")
out=$PWD/docs/screenshots
title="Построение ДН СВ"

if [ -z "${DISPLAY:-}" ]; then
    export LANG=ru_RU.UTF-8
    unset LC_ALL LC_NUMERIC LC_CTYPE LANGUAGE
    exec timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$program"
fi

scratch=$(mktemp -d)
cd "$scratch"
"$program" &
pid=$!
trap 'kill -KILL $pid 2>/dev/null || true; rm -rf "$scratch"' EXIT

window=$(timeout 30 xdotool search --sync --onlyvisible --name "$title" | head -n 1)
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")" # X, Y, WIDTH, HEIGHT

# Clicks at a point of the form, in the form's own pixels (the left button,
# or the one given).
click() {
    xdotool mousemove --sync $((X + $1)) $((Y + $2)) click "${3:-1}"
    sleep 0.3
}

# The window's area of the screen, popups over it included; no pointer.
shoot() {
    xdotool mousemove 0 0
    sleep 0.5
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -strip "$out/$1"
    echo "screenshots: $out/$1"
}

# Types a length into the main field and presses "Построить".
build() {
    click $((8 + 40)) $((520 + 10))
    xdotool key ctrl+a
    xdotool type --delay 40 "$1"
    click $((288 + 37)) $((518 + 12))
}

# The family command reports with a message box: click into it so that it
# has the keyboard, and press its default button.
close_message_box() {
    local box=""
    for _ in $(seq 50); do
        box=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -vx "$window" | tail -n 1 || true)
        [ -n "$box" ] && break
        sleep 0.1
    done
    [ -n "$box" ] || { echo "screenshots: no message box after the family command" >&2; exit 1; }
    xdotool mousemove --window "$box" --sync 10 10 click 1
    xdotool key Return
    sleep 0.3
}

page_x=4  # the family page's origin within the form
page_y=26
tab_polar=110
tab_family=523

mkdir -p "$out"
build "1,5"
shoot polar.png

# Each build enters its length into the next free family row: 1,5 in row 2,
# 0,5 in row 3 and 1 in row 4. Tick them and draw the family.
build "0,5"
build "1"
click "$tab_family" 12
for row in 2 3 4; do
    click $((page_x + 312 + 8)) $((page_y + 32 + 32 * (row - 2) + 8))
done
click $((page_x + 104 + 48)) $((page_y + 264 + 12))
close_message_box
click "$tab_polar" 12
shoot family.png

# The calculator of row 5, with a computation under way.
click "$tab_family" 12
click $((page_x + 24 + 121 - 2 - 10)) $((page_y + 32 + 32 * 3 + 10))
xdotool type --delay 40 "2*0,75"
shoot calculator.png
xdotool key Escape

# The laboratory window, opened from the polar picture's menu (its fourth
# item), at its own default size: the pattern, impedance, solid and
# frequency tabs of the length built last.
click "$tab_polar" 12
build "1,5"
click 200 200 3
xdotool key Down Down Down Down Return
lab=$(timeout 30 xdotool search --sync --onlyvisible --name "Лаборатория" | head -n 1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$lab")"
shoot lab-pattern.png
for name in - lab-impedance.png lab-solid.png lab-frequency.png; do
    xdotool key --window "$lab" ctrl+Tab
    sleep 1
    [ "$name" = - ] || shoot "$name"
done

kill -TERM "$pid"
timeout 20 tail --pid="$pid" -f /dev/null || true
