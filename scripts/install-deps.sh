#!/usr/bin/env bash
# Installs the Debian 12 packages Kelvora needs to build, run and test.
# Nothing is installed when every package is already present.
set -euo pipefail

packages=(
    # build
    cmake make g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    # build: Qt SVG writes the graph's SVG export
    qt6-svg-dev
    # build: Boost.Math (header-only) checks and completes the numeric results
    libboost-math-dev
    # run: the interface is Chinese, and formula pictures are JPEG
    # (Qt's JPEG plugin ships in libqt6gui6, pulled in by qt6-base-dev)
    fonts-noto-cjk fonts-dejavu-core fonts-liberation2
    # run: Qt's own dialogs and context menus in Chinese
    qt6-translations-l10n
    # test: library tests and benchmarks
    libgtest-dev libgmock-dev libbenchmark-dev
    # test: fuzz targets (libFuzzer ships with clang)
    clang libclang-rt-14-dev
    # packaging
    dpkg-dev file
    # test: the installed menu entry is checked with desktop-file-validate
    desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
