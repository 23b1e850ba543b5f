#!/usr/bin/env bash
# Renders the application icon's bitmap sizes for the desktop's icon theme
# from resources/icons/dipole-pattern.svg. Run it after changing the drawing
# and commit the results; the build only installs them.
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
for size in 48 128 256; do
    rsvg-convert -w "$size" -h "$size" dipole-pattern.svg -o "dipole-pattern-$size.png"
done
