#!/usr/bin/env bash
# Rebuilds every formula picture of Images/ from formulas.tex:
#   TeX --(MathJax SVG output, render.mjs)--> SVG --(rsvg-convert)--> PNG --(ImageMagick)--> JPEG
# Each picture is rasterised at its final size (and again at twice the size for high-density
# screens), never scaled afterwards, and encoded with full-resolution chroma so the glyph edges
# stay sharp. Needs: node and npm, librsvg2-bin, imagemagick. The build does not run this.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
images="$(cd "$here/../.." && pwd)/Images"
# /usr/bin first: the real ImageMagick, not a stand-in of the same name elsewhere on PATH.
convert_cmd="${CONVERT:-$(PATH=/usr/bin:$PATH command -v convert)}"

for tool in node npm rsvg-convert; do
    command -v "$tool" >/dev/null || { echo "generate.sh: $tool is missing" >&2; exit 1; }
done
[ -x "$convert_cmd" ] || { echo "generate.sh: ImageMagick's convert is missing" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

if [ ! -d "$here/node_modules/mathjax-full" ]; then
    (cd "$here" && npm ci --no-audit --no-fund)
fi
node "$here/render.mjs" "$work/svg"

mkdir -p "$images"
count=0
for svg in "$work"/svg/*.svg; do
    name="$(basename "$svg" .svg)"
    for scale in 1 2; do
        suffix=""
        [ "$scale" = 2 ] && suffix="@2x"
        png="$work/$name$suffix.png"
        rsvg-convert --zoom "$scale" --background-color white --format png -o "$png" "$svg"
        # Write beside the target, then rename: a failed encode never leaves a broken picture.
        "$convert_cmd" "$png" -alpha remove -alpha off -colorspace sRGB -type TrueColor \
            -strip -sampling-factor 4:4:4 -quality 95 "JPEG:$images/.$name$suffix.jpg.tmp"
        mv -f "$images/.$name$suffix.jpg.tmp" "$images/$name$suffix.jpg"
    done
    count=$((count + 1))
done
echo "generate.sh: wrote $count pictures (and their @2x versions) to $images"
