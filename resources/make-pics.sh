#!/bin/sh
# Draws the program's own pictures under pics/ (ImageMagick). Run from this
# folder after changing a picture; the PNGs are kept in the repository.
set -e
cd "$(dirname "$0")/pics"
FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
GREEN='#2e7d32'

# Application icon: a green rounded square with "ZRN".
convert -size 256x256 xc:none -fill "$GREEN" -draw "roundrectangle 8,8 247,247 40,40" \
    -font "$FONT" -pointsize 92 -fill white -gravity center -annotate +0+4 'ZRN' zrn.png

# Splash screen.
convert -size 480x280 gradient:'#43a047'-'#1b5e20' \
    -font "$FONT" -fill white -pointsize 96 -gravity center -annotate +0-30 'ZRN' \
    -pointsize 20 -annotate +0+50 'Evidence zákazníků' \
    -pointsize 14 -gravity southeast -annotate +12+10 'verze 3.12' splash.png

# Add / remove (48 x 48).
convert -size 48x48 xc:none -fill "$GREEN" -draw "circle 24,24 24,3" \
    -fill white -draw "rectangle 12,21 36,27" -draw "rectangle 21,12 27,36" add-48.png
convert -size 48x48 xc:none -fill '#c62828' -draw "circle 24,24 24,3" \
    -fill white -draw "rectangle 12,21 36,27" remove48.png

# Export of the map image: a picture frame with an arrow.
convert -size 32x32 xc:none -fill white -stroke '#37474f' -strokewidth 2 -draw "rectangle 3,5 28,26" \
    -stroke none -fill '#66bb6a' -draw "polygon 5,24 13,14 19,20 23,16 27,24" \
    -fill '#fbc02d' -draw "circle 21,10 23,10" exportjpg.png

# To-do list, and all ticked.
todo() {
    convert -size 32x32 xc:none -fill white -stroke '#37474f' -strokewidth 2 -draw "rectangle 4,3 27,29" \
        -stroke '#37474f' -strokewidth 2 -draw "line 9,10 22,10" -draw "line 9,16 22,16" -draw "line 9,22 22,22" \
        "$@"
}
todo to_do_list.png
todo -stroke "$GREEN" -strokewidth 3 -fill none -draw "polyline 6,16 12,23 26,6" to_do_list_cheked_all.png
