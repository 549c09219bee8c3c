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
#
# Each picture the window shows is also made for screens of 1.5 and 2 device
# pixels to the window pixel, as <name>@1.5x.png and <name>@2x.png, drawn
# from the source at that size rather than enlarged. The icon comes in the
# sizes those screens ask for instead: icon-24, icon-72 and icon-96 too.
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

# The densities the window draws at: zoom, and the file name's suffix.
densities=("1:" "1.5:@1.5x" "2:@2x")

# --- the full-length figure: one drawing, two facings -----------------------
# Flat colours on a white ground: PNG keeps them exact and, unlike JPEG, needs
# no decoder beyond the one the button pictures already use.
figure_out() {  # out.png [extra convert options...]
    local out=$1
    shift
    convert "$work/figure-flat.png" "$@" -strip -define png:exclude-chunks=date,time PNG24:"$out"
}
for density in "${densities[@]}"; do
    zoom=${density%%:*} suffix=${density#*:}
    rsvg-convert -z "$zoom" figure.svg -o "$work/figure.png"
    convert "$work/figure.png" -background white -alpha remove -alpha off "$work/figure-flat.png"
    figure_out "figure-fits$suffix.png"
    figure_out "figure-nofit$suffix.png" -flop
done

# --- button pictures, 32 x 32, and the menu bar's "more commands" mark, 16 x 16
for density in "${densities[@]}"; do
    zoom=${density%%:*} suffix=${density#*:}
    for name in nuovo anti oriz verti sposta assegna esci altri; do
        rsvg-convert -z "$zoom" "$name.svg" -o "$work/$name.png"
        png_out "$work/$name.png" "$name$suffix.png"
    done
    png_out "$work/anti.png" "orario$suffix.png" -flop
done

# --- window icon --------------------------------------------------------------
for size in 16 24 32 48 64 72 96 128 256; do
    rsvg-convert -w "$size" -h "$size" icon.svg -o "$work/icon-$size.png"
    png_out "$work/icon-$size.png" "icon-$size.png"
done

echo "make-pictures.sh: pictures written to $(pwd)"
