#!/bin/bash
# Runs the mutants of tools/mutants/mutants.tsv against the test suite, one at a time: applies a
# mutant by exact text replacement, rebuilds the release preset incrementally, runs ctest (each
# test with a time limit, so a hang counts as killed), records killed or survived, and restores
# the source file, also when interrupted.
#
#   tools/mutants/run-mutants.sh [--dry] [TREE] [ID...]
#
# TREE is the source tree to mutate (default: this repository), configured with the release
# preset (build/release); give it a scratch worktree to keep editing this one meanwhile. IDs
# pick mutants (default: all). The results go to standard output and TREE/build/mutants.tsv.
# --dry only checks that each original text occurs exactly once in TREE, building nothing.
# Exit status: 0 when every applicable mutant is killed, 1 when some survive (or, with --dry,
# when some do not apply), 2 when the unmutated tree does not build or its suite fails.
set -u

here=$(cd "$(dirname "$0")" && pwd)
list="$here/mutants.tsv"
dry=0
if [ "${1:-}" = --dry ]; then
    dry=1
    shift
fi
tree=$(cd "${1:-$here/../..}" && pwd)
shift || true
build="$tree/build/release"
results="$tree/build/mutants.tsv"
timeout=${MUTANT_TEST_TIMEOUT:-60}

if [ "$dry" -eq 0 ] && [ ! -f "$build/CMakeCache.txt" ]; then
    echo "run-mutants: $build is not configured (cmake --preset release in $tree)" >&2
    exit 2
fi

backup=""
target=""
restore() {
    if [ -n "$backup" ]; then
        cp -p "$backup" "$target"
        rm -f "$backup"
        backup=""
    fi
}
trap 'restore; exit 130' INT TERM
trap restore EXIT

# apply FILE ORIGINAL REPLACEMENT: replaces the one occurrence; status 3 when there is none or
# more than one. The texts are escaped as in mutants.tsv (\n, \t, \\).
apply() {
    /usr/bin/python3 - "$@" <<'EOF'
import re, sys
unescape = lambda s: re.sub(r'\\(.)', lambda m: {'n': '\n', 't': '\t'}.get(m[1], m[1]), s)
path, original, replacement = sys.argv[1], unescape(sys.argv[2]), unescape(sys.argv[3])
text = open(path, encoding='utf-8').read()
if text.count(original) != 1:
    sys.exit(3)
open(path, 'w', encoding='utf-8').write(text.replace(original, replacement))
EOF
}

if [ "$dry" -eq 1 ]; then
    stale=0
    while IFS=$'\t' read -r -u 3 id file original replacement description; do
        case "$id" in '#'* | '') continue ;; esac
        scratch=$(mktemp)
        cp "$tree/$file" "$scratch" 2>/dev/null || : >"$scratch"
        if ! apply "$scratch" "$original" "$replacement"; then
            echo "$id	not applicable	$file	$description"
            stale=$((stale + 1))
        fi
        rm -f "$scratch"
    done 3<"$list"
    echo "$stale not applicable"
    [ "$stale" -eq 0 ]
    exit
fi

# Build the unmutated tree first, so that each mutant's build is incremental, and make sure its
# suite passes: otherwise every mutant would count as killed.
cmake --build "$build" -j2 >/dev/null || { echo "run-mutants: the unmutated tree does not build" >&2; exit 2; }
(cd "$build" && ctest -j2 --timeout "$timeout" </dev/null >/dev/null 2>&1) ||
    { echo "run-mutants: the unmutated suite fails" >&2; exit 2; }

printf '# id\tverdict\tseconds\tdescription\n' >"$results"
killed=0 survived=0 skipped=0
while IFS=$'\t' read -r -u 3 id file original replacement description; do
    case "$id" in '#'* | '') continue ;; esac
    if [ $# -gt 0 ] && ! printf '%s\n' "$@" | grep -qx "$id"; then
        continue
    fi
    start=$(date +%s)
    target="$tree/$file"
    backup=$(mktemp)
    cp -p "$target" "$backup"
    if ! apply "$target" "$original" "$replacement"; then
        verdict="not applicable"
    elif ! cmake --build "$build" -j2 >/dev/null 2>&1; then
        verdict="build failed"
    elif (cd "$build" && ctest -j2 --timeout "$timeout" --stop-on-failure </dev/null >/dev/null 2>&1); then
        verdict="survived"
    else
        verdict="killed"
    fi
    restore
    # The restored file keeps its old time stamp: make sure the next build sees it.
    touch "$target"
    case "$verdict" in
    killed) killed=$((killed + 1)) ;;
    survived) survived=$((survived + 1)) ;;
    *) skipped=$((skipped + 1)) ;;
    esac
    line=$(printf '%s\t%s\t%s\t%s' "$id" "$verdict" "$(($(date +%s) - start))" "$description")
    echo "$line"
    echo "$line" >>"$results"
done 3<"$list"

cmake --build "$build" -j2 >/dev/null 2>&1
echo "killed $killed, survived $survived, not run $skipped (results in $results)"
[ "$survived" -eq 0 ]
