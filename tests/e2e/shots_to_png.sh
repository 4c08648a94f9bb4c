#!/usr/bin/env bash
# Converts the end-to-end tests' screen captures (BMP, as the Windows side writes
# them) to PNG beside them, for looking at; the BMPs are removed.
set -euo pipefail
folder=${1:?usage: shots_to_png.sh FOLDER}
command -v convert >/dev/null || { echo "no ImageMagick convert: captures left as BMP"; exit 0; }
shopt -s nullglob
for bmp in "$folder"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
ls "$folder"
