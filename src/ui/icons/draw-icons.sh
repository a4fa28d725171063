#!/bin/sh
# Draws the window's 16 x 16 menu and button pictures with ImageMagick.
# Run from this folder; the PNG files are committed beside it.
set -e
# A red cross (menu "Exit").
convert -size 16x16 xc:none -stroke '#a01010' -strokewidth 4 \
  -draw 'line 3,3 12,12' -draw 'line 12,3 3,12' \
  -stroke '#e83030' -strokewidth 2 -draw 'line 3,3 12,12' -draw 'line 12,3 3,12' \
  exit.png
# A printer (the Print button); draw_printer BODY PAPER OUT
draw_printer() {
  convert -size 16x16 xc:none \
    -fill "$2" -stroke '#606060' -strokewidth 1 -draw 'rectangle 4,1 11,6' \
    -fill "$1" -stroke '#303030' -draw 'rectangle 1,6 14,12' \
    -fill "$2" -stroke '#606060' -draw 'rectangle 4,10 11,15' \
    -stroke '#303030' -draw 'line 5,12 10,12' -draw 'line 5,14 9,14' \
    -fill '#30c030' -stroke none -draw 'rectangle 12,8 13,9' \
    "$3"
}
draw_printer '#8c9cb4' white print.png
draw_printer '#c0c0c0' '#e8e8e8' print-disabled.png
convert print-disabled.png -colorspace Gray print-disabled.png
