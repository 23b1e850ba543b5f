#!/usr/bin/env bash
# The source gate: clang-tidy's function size and cognitive complexity checks
# and its naming check over the program's own sources, failing on any
# finding. Reads the compile commands of an existing build (BUILD_DIR,
# default: build).
#
# The naming rule is the README's ("Names"). Its methods follow two
# conventions, PascalCase in the form types (T*) and camelCase in every other
# class, and clang-tidy names a method by its kind, never by its class. So
# the headers that declare a form type are checked apart: every source file
# is checked with camelCase methods, its findings in those headers left out,
# and those headers are checked again through their own source files with
# PascalCase methods, nothing else reported. Every other name has one rule in
# both runs.
# Usage: scripts/tidy.sh [FOLDER...]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build_dir="${BUILD_DIR:-build}"
tidy="$(command -v clang-tidy-14 || command -v clang-tidy)"
# The program's folders: those that define a library.
mapfile -t libraries < <(grep -l '^dipole_library(' */CMakeLists.txt | xargs -n1 dirname)
# Arguments narrow the check to those folders (default: every program folder).
folders=("$@")
[ ${#folders[@]} -eq 0 ] && folders=("${libraries[@]}")

mapfile -t program_files < <(for f in "${libraries[@]}"; do git ls-files "$f/*.h" "$f/*.cpp"; done)
# A form type's definition, not a declaration: "class TForm1 : public QWidget", "struct TFrameLook".
mapfile -t form_headers < <(for f in "${program_files[@]}"; do
    [[ $f == *.h ]] && grep -qE '^(class|struct) T[A-Z][A-Za-z0-9]*([[:space:]]*(final|:.*))?$' "$f" && echo "$f"
done)
is_form_header() {
    local h
    for h in "${form_headers[@]}"; do [ "$h" = "$1" ] && return 0; done
    return 1
}
# clang-tidy's line filter: only findings in the files listed are reported.
line_filter() {
    local f entries=()
    for f in "$@"; do entries+=("{\"name\":\"$root/$f\"}"); done
    local IFS=,
    echo "[${entries[*]}]"
}

config() {
    local method_case=$1
    local libraries_regexp
    libraries_regexp=$(IFS='|' && echo "${libraries[*]}")
    # A symbol of the theory's formulas keeps its letter: M, F, Fmax, X.
    local symbol='[A-Z](max)?'
    cat <<EOF
{Checks: "-*,readability-function-cognitive-complexity,readability-function-size,readability-identifier-naming",
 WarningsAsErrors: "*",
 HeaderFilterRegex: "^$root/($libraries_regexp)/",
 CheckOptions: [
  {key: readability-function-cognitive-complexity.Threshold, value: 25},
  {key: readability-function-cognitive-complexity.IgnoreMacros, value: true},
  {key: readability-function-size.LineThreshold, value: 80},
  {key: readability-identifier-naming.NamespaceCase, value: CamelCase},
  {key: readability-identifier-naming.ClassCase, value: CamelCase},
  {key: readability-identifier-naming.StructCase, value: CamelCase},
  {key: readability-identifier-naming.UnionCase, value: CamelCase},
  {key: readability-identifier-naming.EnumCase, value: CamelCase},
  {key: readability-identifier-naming.TypeAliasCase, value: CamelCase},
  {key: readability-identifier-naming.TypedefCase, value: CamelCase},
  {key: readability-identifier-naming.TemplateParameterCase, value: CamelCase},
  {key: readability-identifier-naming.EnumConstantCase, value: camelBack},
  {key: readability-identifier-naming.ScopedEnumConstantCase, value: CamelCase},
  {key: readability-identifier-naming.MethodCase, value: $method_case},
  {key: readability-identifier-naming.GlobalFunctionCase, value: CamelCase},
  {key: readability-identifier-naming.FunctionCase, value: camelBack},
  {key: readability-identifier-naming.PrivateMemberPrefix, value: m_},
  {key: readability-identifier-naming.PrivateMemberCase, value: camelBack},
  {key: readability-identifier-naming.PrivateMemberIgnoredRegexp, value: ui},
  {key: readability-identifier-naming.ProtectedMemberPrefix, value: m_},
  {key: readability-identifier-naming.ProtectedMemberCase, value: camelBack},
  {key: readability-identifier-naming.PublicMemberCase, value: camelBack},
  {key: readability-identifier-naming.PublicMemberIgnoredRegexp, value: "$symbol|On[A-Z][A-Za-z0-9]*"},
  {key: readability-identifier-naming.GlobalConstantPrefix, value: k},
  {key: readability-identifier-naming.GlobalConstantCase, value: CamelCase},
  {key: readability-identifier-naming.GlobalConstantIgnoredRegexp, value: "cl[A-Z][A-Za-z]*"},
  {key: readability-identifier-naming.ClassConstantPrefix, value: k},
  {key: readability-identifier-naming.ClassConstantCase, value: CamelCase},
  {key: readability-identifier-naming.StaticConstantCase, value: camelBack},
  {key: readability-identifier-naming.LocalConstantCase, value: camelBack},
  {key: readability-identifier-naming.LocalConstantIgnoredRegexp, value: "$symbol"},
  {key: readability-identifier-naming.GlobalVariablePrefix, value: g_},
  {key: readability-identifier-naming.GlobalVariableCase, value: camelBack},
  {key: readability-identifier-naming.VariableCase, value: camelBack},
  {key: readability-identifier-naming.VariableIgnoredRegexp, value: "$symbol"},
  {key: readability-identifier-naming.ParameterCase, value: camelBack},
  {key: readability-identifier-naming.ParameterIgnoredRegexp, value: "$symbol"}]}
EOF
}

mapfile -t files < <(for f in "${folders[@]}"; do git ls-files "$f/*.cpp"; done)
mapfile -t other_files < <(for f in "${program_files[@]}"; do is_form_header "$f" || echo "$f"; done)
status=0
printf '%s\0' "${files[@]}" |
    xargs -0 -P "$(nproc)" -n 4 "$tidy" -p "$build_dir" --quiet --config="$(config camelBack)" \
        --line-filter="$(line_filter "${other_files[@]}")" || status=1

# The form headers of these folders, each through its own source file or,
# lacking one, through the first source file that includes it.
checked_forms=()
form_sources=()
for h in "${form_headers[@]}"; do
    for f in "${folders[@]}"; do
        [ "${h%/*}" = "$f" ] || continue
        source=${h%.h}.cpp
        if [ ! -e "$source" ]; then
            source=$(for c in "${program_files[@]}"; do
                [[ $c == *.cpp ]] && grep -qF -e "\"$h\"" -e "\"${h##*/}\"" "$c" && echo "$c"
            done | head -n 1)
        fi
        checked_forms+=("$h")
        [ -n "$source" ] && form_sources+=("$source")
    done
done
if [ ${#form_sources[@]} -gt 0 ]; then
    printf '%s\0' "${form_sources[@]}" | sort -zu |
        xargs -0 -P "$(nproc)" -n 4 "$tidy" -p "$build_dir" --quiet --config="$(config CamelCase)" \
            --line-filter="$(line_filter "${checked_forms[@]}")" || status=1
fi
exit $status
