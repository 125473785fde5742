#!/bin/bash
# Runs the mutants of tools/mutants/tools_ui_mutants.tsv (faults in the window's side of the
# precise readout, the values table, the interval dialog and the graph's shading) one at a time:
# applies a mutant by exact text replacement, rebuilds the tests that cover these parts in the
# release preset, runs them (each with a time limit), records killed or survived, and restores
# the source file, also when interrupted.
#
#   tools/mutants/run-tools-ui-mutants.sh [ID...]
#
# Exit status: 0 when every mutant is killed, 1 when some survive, 2 when the tree is not ready.
set -u

here=$(cd "$(dirname "$0")" && pwd)
tree=$(cd "$here/../.." && pwd)
list="$here/tools_ui_mutants.tsv"
build="$tree/build/release"
targets=(test_tools test_plot_render)
tests='test_tools|DrawGraph'

if [ ! -f "$build/CMakeCache.txt" ]; then
    echo "run-tools-ui-mutants: $build is not configured (cmake --preset release)" >&2
    exit 2
fi

backup=""
target=""
restore() {
    if [ -n "$backup" ]; then
        cp -p "$backup" "$target"
        rm -f "$backup"
        backup=""
        touch "$target" # the restored file keeps its old time stamp: the next build must see it
    fi
}
trap 'restore; exit 130' INT TERM
trap restore EXIT

# apply FILE ORIGINAL REPLACEMENT: replaces the one occurrence; status 3 when there is none or
# more than one. The texts are escaped as in the list (\n, \t, \\).
apply() {
    /usr/bin/python3 - "$@" <<'PY'
import re, sys
unescape = lambda s: re.sub(r'\\(.)', lambda m: {'n': '\n', 't': '\t'}.get(m[1], m[1]), s)
path, original, replacement = sys.argv[1], unescape(sys.argv[2]), unescape(sys.argv[3])
text = open(path, encoding='utf-8').read()
if text.count(original) != 1:
    sys.exit(3)
open(path, 'w', encoding='utf-8').write(text.replace(original, replacement))
PY
}

build_targets() {
    cmake --build "$build" -j2 --target "${targets[@]}" >/dev/null 2>&1
}

build_targets || { echo "run-tools-ui-mutants: the unmutated tree does not build" >&2; exit 2; }

killed=0 survived=0 skipped=0
while IFS=$'\t' read -r -u 3 id file original replacement description; do
    case "$id" in '#'* | '') continue ;; esac
    if [ $# -gt 0 ] && ! printf '%s\n' "$@" | grep -qx "$id"; then
        continue
    fi
    target="$tree/$file"
    backup=$(mktemp)
    cp -p "$target" "$backup"
    if ! apply "$target" "$original" "$replacement"; then
        verdict="not applicable"
    elif ! build_targets; then
        verdict="build failed"
    elif (cd "$build" && ctest -j2 --timeout 120 -R "$tests" </dev/null >/dev/null 2>&1); then
        verdict="survived"
    else
        verdict="killed"
    fi
    restore
    case "$verdict" in
    killed) killed=$((killed + 1)) ;;
    survived) survived=$((survived + 1)) ;;
    *) skipped=$((skipped + 1)) ;;
    esac
    printf '%s\t%s\t%s\n' "$id" "$verdict" "$description"
done 3<"$list"

build_targets
echo "killed $killed, survived $survived, not run $skipped"
[ "$survived" -eq 0 ] && [ "$skipped" -eq 0 ]
