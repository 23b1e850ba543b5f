#!/bin/sh
# Fails when two units of the program include each other, directly or
# through others. A unit is a header with its source file (plot/PolarPlot.h
# and plot/PolarPlot.cpp); an include names the folder ("plot/PolarPlot.h")
# or, within the folder, the file alone, in quotes or in angle brackets
# (<plot/PolarPlot.h>: the compiler finds both through the same include
# paths). Includes of anything but the program's own files are passed over.
# tsort reports the units of a ring.
# Usage: include_rings.sh SOURCE_DIR
set -eu
cd "$1"
for folder in $(grep -l '^dipole_library(' */CMakeLists.txt | xargs -n1 dirname); do
    for file in "$folder"/*.h "$folder"/*.cpp; do
        [ -e "$file" ] || continue
        unit=${file%.*}
        echo "$unit $unit"
        sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]\([^">]*\)[">].*/\1/p' "$file" | while read -r included; do
            case $included in
            */*) target=${included%.*} ;;
            *) target=$folder/${included%.*} ;;
            esac
            [ "$target" != "$unit" ] || continue
            [ -e "$target.h" ] || [ -e "$target.cpp" ] || continue
            echo "$target $unit"
        done
    done
done | tsort >/dev/null
