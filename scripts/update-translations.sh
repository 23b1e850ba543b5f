#!/bin/sh
# Brings the translation catalogues up to date with the code, after texts
# were added or changed:
#   - app/translations/dipole_en.ts: the windows' texts (Russian in the code,
#     tr() and QCoreApplication::translate) and their English translations;
#   - labelled/translations/dipole_ru.ts: the labelled pictures' and the
#     reports' texts (English in the code, context "Labelled") and their
#     Russian translations.
# New texts come in with an empty translation marked unfinished: fill it in
# (with Qt Linguist or a text editor) and remove the mark. Texts gone from
# the code are dropped. The build compiles the catalogues.
#
# With --check the tree is left as it is: the catalogues are brought up to
# date in a scratch copy, and the script fails naming every text without a
# translation and every English translation with Russian letters in it.
set -eu
cd "$(dirname "$0")/.."
lupdate=/usr/lib/qt6/bin/lupdate
[ -x "$lupdate" ] || lupdate=$(command -v lupdate)

windows=app/translations/dipole_en.ts
pictures=labelled/translations/dipole_ru.ts
check=false
if [ "${1-}" = --check ]; then
    check=true
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    cp "$windows" "$scratch/dipole_en.ts"
    cp "$pictures" "$scratch/dipole_ru.ts"
    windows=$scratch/dipole_en.ts
    pictures=$scratch/dipole_ru.ts
fi

"$lupdate" -silent -locations none -no-obsolete -no-ui-lines -source-language ru_RU -target-language en_GB \
    app widgets readouts wirewindow base resources/MainWindow.ui resources/About.ui -ts "$windows"
"$lupdate" -silent -locations none -no-obsolete -target-language ru_RU \
    labelled render -ts "$pictures"

$check || exit 0
# The source of every message whose translation is unfinished or empty.
untranslated()
{
    awk '/<source>/ { source = $0 }
         /<translation type="unfinished"|<translation><\/translation>|<translation\/>/ { print FILENAME ": " source }' "$1" \
        | sed 's/ *<\/\{0,1\}source>//g'
}
status=0
for catalogue in "$windows" "$pictures"; do
    missing=$(untranslated "$catalogue")
    if [ -n "$missing" ]; then
        printf 'No translation:\n%s\n' "$missing" >&2
        status=1
    fi
done
# Russian letters are two bytes in UTF-8, the first 0xD0 or 0xD1.
russian=$(LC_ALL=C grep "$(printf '<translation>.*[\320\321]')" "$windows" || true)
if [ -n "$russian" ]; then
    printf 'Russian letters in an English translation:\n%s\n' "$russian" >&2
    status=1
fi
exit $status
