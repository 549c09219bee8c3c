#!/bin/bash
# Regenerates every picture the game shows from the SVG sources beside this
# script, and leaves the results here too (they are embedded by the build).
#
# Needs, on Debian 12:
#   librsvg2-bin  (rsvg-convert: SVG -> PNG)
#   imagemagick   (convert: mirroring, flattening, PNG clean-up)
#
# Usage:  res/pictures/make-pictures.sh      (from anywhere)
#
#   figure.svg   -> figure-fits.png, and figure-nofit.png (the same, mirrored)
#   icon.svg     -> icon-16.png ... icon-256.png
#   <button>.svg -> <button>.png, 32 x 32, except orario.png = anti.svg mirrored
#   altri.svg    -> altri.png, 16 x 16
set -euo pipefail

cd "$(dirname "$0")"

for tool in rsvg-convert convert; do
    command -v "$tool" >/dev/null || { echo "make-pictures.sh: $tool not found" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# PNG with alpha, no metadata or timestamps, so reruns give the same bytes.
png_out() {  # in.png out.png [extra convert options...]
    local in=$1 out=$2
    shift 2
    convert "$in" "$@" -strip -define png:exclude-chunks=date,time PNG32:"$out"
}

# --- the full-length figure: one drawing, two facings -----------------------
# Flat colours on a white ground: PNG keeps them exact and, unlike JPEG, needs
# no decoder beyond the one the button pictures already use.
rsvg-convert -w 161 -h 230 figure.svg -o "$work/figure.png"
convert "$work/figure.png" -background white -alpha remove -alpha off "$work/figure-flat.png"
figure_out() {  # out.png [extra convert options...]
    local out=$1
    shift
    convert "$work/figure-flat.png" "$@" -strip -define png:exclude-chunks=date,time PNG24:"$out"
}
figure_out figure-fits.png
figure_out figure-nofit.png -flop

# --- button pictures, 32 x 32 -----------------------------------------------
for name in nuovo anti oriz verti sposta assegna esci; do
    rsvg-convert -w 32 -h 32 "$name.svg" -o "$work/$name.png"
    png_out "$work/$name.png" "$name.png"
done
png_out "$work/anti.png" orario.png -flop

# --- the menu bar's "more commands" mark, 16 x 16 ----------------------------
rsvg-convert -w 16 -h 16 altri.svg -o "$work/altri.png"
png_out "$work/altri.png" altri.png

# --- window icon --------------------------------------------------------------
for size in 16 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" icon.svg -o "$work/icon-$size.png"
    png_out "$work/icon-$size.png" "icon-$size.png"
done

echo "make-pictures.sh: pictures written to $(pwd)"
