#!/bin/bash
# Runs the mutants of tools_ui_mutants.tsv (faults in the window's precise readout, the values
# table window, the interval dialog and the graph's shading) one at a time: applies one by exact
# text replacement (\n, \t, \\ escaped), rebuilds the covering tests in build/release, runs
# them, prints killed or survived, and restores the file, also when interrupted.
#   tools/mutants/run-tools-ui-mutants.sh [ID...]
# Exit status 0 when every mutant is killed.
set -u
here=$(cd "$(dirname "$0")" && pwd)
tree=$(cd "$here/../.." && pwd)
build="$tree/build/release"
tests='test_tools|DrawGraph'
rebuild() { cmake --build "$build" -j2 --target test_tools test_plot_render >/dev/null 2>&1; }
backup="" target=""
restore() { [ -n "$backup" ] && cp "$backup" "$target" && rm -f "$backup" && backup=""; }
trap 'restore; exit 130' INT TERM
trap restore EXIT
rebuild || { echo "run-tools-ui-mutants: the unmutated tree does not build in $build" >&2; exit 2; }
bad=0
while IFS=$'\t' read -r -u 3 id file original replacement description; do
    case "$id" in '#'* | '') continue ;; esac
    [ $# -gt 0 ] && ! printf '%s\n' "$@" | grep -qx "$id" && continue
    target="$tree/$file" backup=$(mktemp)
    cp "$target" "$backup"
    if ! /usr/bin/python3 - "$target" "$original" "$replacement" <<'PY'; then
import re, sys
unescape = lambda s: re.sub(r'\\(.)', lambda m: {'n': '\n', 't': '\t'}.get(m[1], m[1]), s)
path, original, replacement = sys.argv[1], unescape(sys.argv[2]), unescape(sys.argv[3])
text = open(path, encoding='utf-8').read()
if text.count(original) != 1:
    sys.exit(3)
open(path, 'w', encoding='utf-8').write(text.replace(original, replacement))
PY
        verdict="not applicable"
    elif ! rebuild; then
        verdict="build failed"
    elif (cd "$build" && ctest -j2 --timeout 120 -R "$tests" </dev/null >/dev/null 2>&1); then
        verdict="survived"
    else
        verdict="killed"
    fi
    restore
    [ "$verdict" = killed ] || bad=$((bad + 1))
    printf '%s\t%s\t%s\n' "$id" "$verdict" "$description"
done 3<"$here/tools_ui_mutants.tsv"
rebuild
[ "$bad" -eq 0 ]
