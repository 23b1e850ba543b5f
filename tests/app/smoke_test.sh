#!/usr/bin/env bash
# End-to-end smoke test: starts the real program on an X display (its own Xvfb
# when none is given), waits for the main window by its title, takes a
# screenshot, then asks the program to close (SIGTERM closes the main window)
# and expects a clean exit. Every wait is bounded.
#
# Two more starts must show the very same window: one with Qt options on the
# command line (the program takes none, so Qt must not see them), and one
# with the system's font configuration pointed at an empty folder (the
# program carries its faces with it).
# Usage: smoke_test.sh PROGRAM [SCREENSHOT]
set -euo pipefail

program=$1
shot=${2:-smoke.png}
title="Построение ДН СВ"

if [ -z "${DISPLAY:-}" ]; then
    exec timeout 90 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

work=$(mktemp -d)
pid=
trap 'if [ -n "$pid" ]; then kill -KILL $pid 2>/dev/null || true; fi; rm -rf "$work"' EXIT

# start_program WINDOW_IMAGE [ENV=VALUE...] -- [ARGUMENTS...]: starts the
# program, waits for its window and saves the window's picture.
start_program() {
    local image=$1
    shift
    local environment=()
    while [ "$1" != "--" ]; do
        environment+=("$1")
        shift
    done
    shift
    start=$(date +%s%N)
    env "${environment[@]}" "$program" "$@" 2>"$work/stderr" &
    pid=$!
    local deadline=$((SECONDS + 30))
    until xwininfo -name "$title" >/dev/null 2>&1; do
        if ! kill -0 "$pid" 2>/dev/null; then
            local status=0
            wait "$pid" || status=$?
            echo "smoke: the program ended with status $status before showing its window:" >&2
            cat "$work/stderr" >&2
            exit 1
        fi
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "smoke: no window titled \"$title\" within 30 s" >&2
            exit 1
        fi
        sleep 0.05
    done
    echo "smoke: window shown after $(( ($(date +%s%N) - start) / 1000000 )) ms"
    # Give the window a moment to paint.
    sleep 0.5
    import -window "$(xwininfo -name "$title" | awk '/Window id:/ {print $4}')" "$image"
}

# close_program: asks the program to close and expects a clean exit.
close_program() {
    kill -TERM "$pid"
    local status=0
    timeout 20 tail --pid="$pid" -f /dev/null || { echo "smoke: the program did not close" >&2; exit 1; }
    wait "$pid" || status=$?
    pid=
    if [ "$status" -ne 0 ]; then
        echo "smoke: the program exited with status $status" >&2
        cat "$work/stderr" >&2
        exit 1
    fi
}

start_program "$work/window.png" --
# The screenshot must show more than a blank screen.
import -window root "$shot"
colours=$(convert "$shot" -format %k info:)
echo "smoke: screenshot $shot with $colours colours"
if [ "$colours" -lt 8 ]; then
    echo "smoke: the screenshot looks empty" >&2
    exit 1
fi
close_program
echo "smoke: closed cleanly"

mkdir "$work/no-fonts"
start_program "$work/options.png" -- -reverse -style fusion
close_program
start_program "$work/no-fonts.png" "FONTCONFIG_FILE=$work/no-fonts" --
close_program
for variant in options no-fonts; do
    differing=$(compare -metric AE "$work/window.png" "$work/$variant.png" null: 2>&1 || true)
    if [ "$differing" != "0" ]; then
        echo "smoke: the window started with $variant differs in $differing pixels" >&2
        exit 1
    fi
done
echo "smoke: the same window with Qt options on the command line and without the system's fonts"
