#!/usr/bin/env bash
# Installs the Debian packages needed to build, run, test and package the
# program, and generates the Russian UTF-8 locale that the end-to-end tests
# run under. Safe to run again: apt-get skips what is already installed.
set -euo pipefail

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libxcb1-dev libfontconfig-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libjpeg62-turbo-dev libspng-dev
    libgsl-dev nec2c
    fonts-liberation
    xvfb xauth x11-apps x11-utils imagemagick xdotool poppler-utils
    clang clang-format clang-tidy-14 libclang-rt-14-dev
    locales xclip
    libseccomp-dev strace
    appstream desktop-file-utils man-db groff-base librsvg2-bin
    qt6-l10n-tools qt6-translations-l10n
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The users' own locale, for the end-to-end tests of the real program.
if ! locale -a 2>/dev/null | grep -qix 'ru_RU.utf8'; then
    $SUDO sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -qx 'ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen
fi
