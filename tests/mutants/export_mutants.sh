#!/usr/bin/env bash
# Real faults in the graph export, the C locale's grouping and the graph panel, each of which
# the tests must catch. Applies one mutant at a time to the source tree, rebuilds the tests that
# should notice it, runs them and restores the file. Prints "caught" or "MISSED" per mutant;
# the exit status is the number missed.
#   tests/mutants/export_mutants.sh [BUILD_DIR]      (default build/release, configured)
set -uo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/release}
missed=0

# mutant FILE PYTHON_OLD PYTHON_NEW TARGETS CTEST_REGEX DESCRIPTION
mutant() {
    local file=$1 old=$2 new=$3 targets=$4 regex=$5 what=$6
    cp "$file" "$file.orig"
    if ! python3 - "$file" "$old" "$new" <<'PY'; then
import sys
path, old, new = sys.argv[1:4]
text = open(path).read()
if old not in text:
    sys.exit(1)
open(path, "w").write(text.replace(old, new, 1))
PY
        echo "stale mutant (text not found): $what"; mv "$file.orig" "$file"; missed=$((missed + 1)); return
    fi
    if cmake --build "$build" -j2 --target $targets >/dev/null 2>&1 &&
        (cd "$build" && ctest -j2 -R "$regex" >/dev/null 2>&1); then
        echo "MISSED: $what"; missed=$((missed + 1))
    else
        echo "caught: $what"
    fi
    mv "$file.orig" "$file"
    touch "$file"
}

mutant src/render/graph_painter.cpp 'if (!ClipSegment(clip, a, b)) {' 'if (false) {' \
    test_plot_render 'GraphFile' 'vector curve not clipped to the frame'
mutant src/render/graph_painter.cpp 'if (enter > 0.0) {' 'if (false) {' \
    test_plot_render 'GraphFile' 'clipping keeps the start of a segment entering the frame'
mutant src/render/graph_painter.cpp 'if (vector_) {' 'if (false) {' \
    test_plot_render 'GraphFile' 'vector curve drawn as separate clipped lines'
mutant src/render/graph_file.cpp 'if (!MayReplace(path, error)) {' 'if (false) {' \
    test_main_window 'test_main_window' 'a write-protected file is replaced'
mutant src/render/graph_file.cpp 'SetError(error, file.errorString());
        return false;
    }
    if (format' 'SetError(error, path + QStringLiteral(": ") + file.errorString());
        return false;
    }
    if (format' \
    test_main_window 'test_main_window' 'the reason names the file again'
mutant src/results/number_locale.cpp 'if (locale.language() == QLocale::C) {' 'if (false) {' \
    'test_plot_render kelvora-calc test_calc_binary' 'NumberLocale|KelvoraCalc' 'C locale groups digits'
mutant src/app/main_window_widgets.cpp 'Frame6->setStyle(unshaded);' '' \
    test_main_window 'test_main_window' "Frame6's panel shaded by the style"
mutant src/app/graph_export.cpp 'if (format != GraphFileFormat::Bmp && QFileInfo' 'if (QFileInfo' \
    test_main_window 'test_main_window' 'extension added under the BMP filter'
mutant src/cli/arguments.cpp 'if (!GraphFileFormatOf(QString::fromStdString(*raw.plot))) {' 'if (false) {' \
    'kelvora-calc test_calc_binary' 'PlotCommand' 'unknown --plot extension accepted'

cmake --build "$build" -j2 --target test_plot_render test_main_window kelvora-calc >/dev/null 2>&1
exit "$missed"
