#!/usr/bin/env bash
# The Debian package as a user gets it: installs it with apt-get, checks that
# its files are in place, runs /usr/bin/dipole-render in a scratch folder and
# expects the files the build tree's dipole-render writes, starts
# /usr/bin/dipole-pattern on an X display (its own Xvfb when none is given)
# and finds its window by its title, then removes the package again. Needs
# root; every wait is bounded.
# Usage: package_install_test.sh PACKAGE BUILD_RENDER
set -euo pipefail

deb=$(realpath "$1")
render=$(realpath "$2")
title="Построение ДН СВ"

if [ "$(id -u)" -ne 0 ]; then
    echo "package: installing needs root" >&2
    exit 1
fi
if [ -z "${DISPLAY:-}" ]; then
    exec timeout 600 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

scratch=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
    DEBIAN_FRONTEND=noninteractive apt-get remove -y --purge dipole-pattern >/dev/null 2>&1 || true
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "package: $*" >&2
    exit 1
}

DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$deb"

for f in /usr/bin/dipole-pattern /usr/bin/dipole-render \
    /usr/share/applications/dipole-pattern.desktop \
    /usr/share/metainfo/org.example.dipole_pattern.metainfo.xml \
    /usr/share/icons/hicolor/{32x32,48x48,128x128,256x256}/apps/dipole-pattern.png \
    /usr/share/icons/hicolor/scalable/apps/dipole-pattern.svg \
    /usr/share/man/man1/dipole-pattern.1.gz /usr/share/man/man1/dipole-render.1.gz \
    /usr/share/doc/dipole-pattern/copyright /usr/share/doc/dipole-pattern/changelog.gz; do
    [ -s "$f" ] || fail "$f was not installed"
done
man -w dipole-render >/dev/null || fail "man does not find dipole-render(1)"
zcat /usr/share/doc/dipole-pattern/changelog.gz | head -1 | grep -q "^dipole-pattern ($(dpkg-query -W -f='${Version}' dipole-pattern))" ||
    fail "the changelog does not start with the package's version"
dpkg-query -W -f='${Depends}' dipole-pattern | grep -q 'qt6-translations-l10n' ||
    fail "the package does not depend on Qt's translations"
echo "package: installed $(dpkg-query -W -f='${Package} ${Version}, depends: ${Depends}' dipole-pattern)"

# The installed renderer writes what the build tree's writes, and nothing
# on stderr.
mkdir -p "$scratch/installed" "$scratch/built"
(cd "$scratch/installed" && /usr/bin/dipole-render 0.5 2>"$scratch/stderr")
[ -s "$scratch/stderr" ] && fail "/usr/bin/dipole-render 0.5 wrote to stderr: $(cat "$scratch/stderr")"
(cd "$scratch/built" && "$render" 0.5)
for f in dn1.bmp dn2.bmp; do
    cmp -s "$scratch/installed/$f" "$scratch/built/$f" || fail "/usr/bin/dipole-render 0.5 wrote a different $f"
done
echo "package: /usr/bin/dipole-render 0.5 writes the build tree's dn1.bmp and dn2.bmp"

# The installed program opens its window.
mkdir -p "$scratch/window"
(cd "$scratch/window" && exec /usr/bin/dipole-pattern) &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name "$title" | head -n 1 || true)
[ -n "$window" ] || fail "/usr/bin/dipole-pattern showed no window titled \"$title\""
echo "package: /usr/bin/dipole-pattern shows its window"
kill -TERM "$pid"
timeout 20 tail --pid="$pid" -f /dev/null || fail "/usr/bin/dipole-pattern did not close"
pid=""

DEBIAN_FRONTEND=noninteractive apt-get remove -y --purge dipole-pattern
[ -e /usr/bin/dipole-render ] && fail "/usr/bin/dipole-render is still there after the removal"
[ -e /usr/share/metainfo/org.example.dipole_pattern.metainfo.xml ] && fail "the metainfo file is still there after the removal"
echo "package: removed cleanly"
