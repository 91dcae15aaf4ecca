#!/bin/sh
# Geometry at a given density (96 or 120 DPI): the window is 640 x 480 pixels, centred on
# a 1024 x 768 screen, without decorations; every visible button sits on its design pixels,
# hidden buttons are absent, and the title is drawn in its box and its colour.
# Usage: geometry.sh DPI
. "$(dirname "$0")/wine-lib.sh"
: "${PROBE_EXE:?}" "${DISCMENU_EXE:?}" "${RECORDER_EXE:?}"
dpi=$1

make_work "geometry_${dpi}dpi"
use_prefix
# First the display: Wine's desktop belongs to the first program of the session.
start_display
"$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
density=$("$WINE64" "$PROBE_EXE" dpi | tr -d '\r')
[ "$density" = "dpi=$dpi,$dpi" ] || fail "the prefix does not give $dpi DPI: $density"

picture=204060
disc=$WORK/disc
make_disc "$disc" <<'INI'
[parametres]
titre=Geometrie
taille police=40
son=
image=fond.bmp
cmdfich1=Premier
cmdfich2=
cmdexe1=Quatrieme
cmdexe2=
timer auto=25
arret auto=50
INI
make_picture "$disc/fond.bmp" "#$picture"
start_menu "$disc"
window=$(wait_window Geometrie)

read -r wx wy ww wh <<GEOMETRY
$(window_geometry "$window")
GEOMETRY
[ "${ww}x$wh" = 640x480 ] || fail "the window is ${ww}x$wh pixels, not 640x480"
[ "$wx,$wy" = "$(((kScreenWidth - ww) / 2)),$(((kScreenHeight - wh) / 2))" ] ||
    fail "the window is at $wx,$wy, not centred"

facts=$(probe_window)
for line in visible=1 popup=1 caption=0 thickframe=0 sysmenu=0 controlparent=1; do expect_line "$facts" "$line"; done
# Z order is tab order, Command1 to Command5; the focus starts on the first visible button.
printf '%s\n' "$facts" | grep -q '^button1=Premier|visible=1|enabled=1|focus=1|' ||
    fail "the focus is not on the first button: $facts"
order=$(printf '%s\n' "$facts" | sed -n 's/^button[0-9]=\([^|]*\)|visible=\(.\).*/\1:\2/p' | tr '\n' ' ')
[ "$order" = "Premier:1 :0 Quitter:1 Quatrieme:1 :0 " ] || fail "buttons in tab order (caption:visible): $order"

# The icon Windows gives the window, as X sees it, is the XPM drawing pixel for pixel
# (at 96 DPI: a denser screen gets it scaled to its larger icon size).
here=$(dirname "$0")
if [ "$dpi" = 96 ]; then
    xprop -id "$window" -notype 32c _NET_WM_ICON | sed 's/^[^=]*= *//' | tr ',' '\n' | tr -d ' ' >"$WORK/icon"
    awk -f "$here/check-icon.awk" "$here/../../src/frontend/icon/discmenu_icon.xpm" "$WORK/icon" ||
        fail "the window's icon is not the drawing"
fi

stable_screenshot "$WORK/screen.png"
convert "$WORK/screen.png" -crop "${ww}x$wh+$wx+$wy" +repage -alpha off -depth 8 txt:- >"$WORK/window.txt"

# The layout in design twips (15 to a pixel): left, top, width, height.
rect() { echo "$(design_pixels $1) $(design_pixels $2) $(design_pixels $3) $(design_pixels $4)"; }
{
    echo "picture $picture"
    echo "visible Command1 $(rect 2160 4560 5295 495)"
    echo "hidden Command2 $(rect 2160 5160 5295 495)"
    echo "visible Command3 $(rect 8160 4560 975 2295)"
    echo "visible Command4 $(rect 2160 5760 5295 495)"
    echo "hidden Command5 $(rect 2160 6360 5295 495)"
    echo "text Label4 $(rect 1320 2520 7575 1575) C0FFC0 50"
    # The credit line is not rescaled: it stays on its design pixels only at 96 DPI.
    if [ "$dpi" = 96 ]; then echo "text Label2 $(rect 120 6840 2415 255) 000000 10"; fi
} >"$WORK/expected"
awk -f "$here/check-pixels.awk" "$WORK/expected" "$WORK/window.txt" ||
    fail "the window's pixels differ from the design (see $WORK/screen.png)"

keys_to "$window" alt+F4
wait_menu_end
[ "$MENU_STATUS" = 0 ] || fail "Alt+F4 ended the menu with status $MENU_STATUS"
echo "geometry at $dpi DPI: ok"
