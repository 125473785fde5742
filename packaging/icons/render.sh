#!/usr/bin/env bash
# Rasterises kelvora.svg into the committed 16, 32 and 48 pixel icons (needs librsvg2-bin).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
for size in 16 32 48; do
    rsvg-convert --width "$size" --height "$size" --format png -o "kelvora-$size.png" kelvora.svg
done
