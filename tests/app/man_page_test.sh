#!/usr/bin/env bash
# Keeps dipole-render's manual page and its --help from drifting apart: the
# options that --help lists (its lines indented by two spaces that start with
# a dash) must be the options that the page's OPTIONS section lists (the
# term line after each .TP), each with the same argument name. Every page
# given must also render through man without a warning.
# Usage: man_page_test.sh RENDER RENDER_PAGE [OTHER_PAGE...]
set -euo pipefail

render=$1
render_page=$2
shift 2

# "  --colour COLOUR  curve colour: ..." gives "--colour COLOUR".
help_options() {
    "$render" --help | sed -n 's/^  \(-[^ ].*\)$/\1/p' | sed 's/  .*//' | sort
}

# The term after each .TP in the OPTIONS section, with the font macros and
# escapes removed: '.BI \-\-colour " COLOUR"' gives "--colour COLOUR".
page_options() {
    awk '
        /^\.SH / { in_options = ($0 ~ /^\.SH "?OPTIONS"?$/); next }
        !in_options { next }
        /^\.TP/ { want_term = 1; next }
        want_term {
            want_term = 0
            line = $0
            sub(/^\.[A-Z]+[ \t]*/, "", line)
            gsub(/\\f[BIRP]/, "", line)
            gsub(/\\-/, "-", line)
            gsub(/"/, "", line)
            gsub(/[ \t]+/, " ", line)
            sub(/^ /, "", line); sub(/ $/, "", line)
            print line
        }' "$1" | { grep '^-' || true; } | sort
}

status=0
from_help=$(help_options)
from_page=$(page_options "$render_page")
if [ -z "$from_help" ]; then
    echo "man: no option lines found in dipole-render --help" >&2
    status=1
fi
if [ "$from_help" != "$from_page" ]; then
    echo "man: the options of dipole-render --help and of $render_page differ" >&2
    echo "     (< only in --help, > only in the page):" >&2
    diff <(echo "$from_help") <(echo "$from_page") | grep '^[<>]' >&2 || true
    status=1
else
    echo "man: --help and the page both list: $(echo "$from_help" | paste -sd ';' | sed 's/;/; /g')"
fi

for page in "$render_page" "$@"; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null || echo "man failed on $page")
    if [ -n "$warnings" ]; then
        echo "man: $page does not render cleanly:" >&2
        echo "$warnings" >&2
        status=1
    fi
done
exit $status
