#!/usr/bin/env bash
# End-to-end smoke test: starts the real program on an X display (its own Xvfb
# when none is given), waits for the main window by its title, takes a
# screenshot, then asks the program to close (SIGTERM closes the main window)
# and expects a clean exit. Every wait is bounded.
# Usage: smoke_test.sh PROGRAM [SCREENSHOT]
set -euo pipefail

program=$1
shot=${2:-smoke.png}
title="Построение ДН СВ"

if [ -z "${DISPLAY:-}" ]; then
    exec timeout 90 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

start=$(date +%s%N)
"$program" &
pid=$!
trap 'kill -KILL $pid 2>/dev/null || true' EXIT

deadline=$((SECONDS + 30))
until xwininfo -name "$title" >/dev/null 2>&1; do
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "smoke: the program ended before showing its window" >&2
        exit 1
    fi
    if [ "$SECONDS" -ge "$deadline" ]; then
        echo "smoke: no window titled \"$title\" within 30 s" >&2
        exit 1
    fi
    sleep 0.05
done
echo "smoke: window shown after $(( ($(date +%s%N) - start) / 1000000 )) ms"

# Give the window a moment to paint, then check the screenshot shows more
# than a blank screen.
sleep 0.5
import -window root "$shot"
colours=$(convert "$shot" -format %k info:)
echo "smoke: screenshot $shot with $colours colours"
if [ "$colours" -lt 8 ]; then
    echo "smoke: the screenshot looks empty" >&2
    exit 1
fi

kill -TERM "$pid"
status=0
timeout 20 tail --pid="$pid" -f /dev/null || { echo "smoke: the program did not close" >&2; exit 1; }
wait "$pid" || status=$?
trap - EXIT
if [ "$status" -ne 0 ]; then
    echo "smoke: the program exited with status $status" >&2
    exit 1
fi
echo "smoke: closed cleanly"
