#!/bin/bash
# The window and its controls land on the same pixels whatever the density; shown and hidden
# buttons, the title and the credit line (which only fits at 96 DPI) are where they belong.
. "$(dirname "$0")/lib.sh" "$@"

# server DPI | Xft.dpi | density in force | buttons with a caption
CASES='
96  | -   | 96  | 1 2 4 5
120 | -   | 120 | 1 4
96  | 120 | 120 | 2 5
120 | 96  | 96  | 1 5
'

rect_of() {
    case $1 in
        1) echo "$RECT_COMMAND1" ;; 2) echo "$RECT_COMMAND2" ;;
        4) echo "$RECT_COMMAND4" ;; 5) echo "$RECT_COMMAND5" ;; Q) echo "$RECT_QUITTER" ;;
    esac
}

# non_picture FILE X Y W H: pixels of the rectangle that are not the picture's colour.
non_picture() { count_where "$1" "$2" "$3" "$4" "$5" "!($IS_PICTURE)"; }

check_button_shown() { # FILE BUTTON CASE
    local x y w h outside
    read -r x y w h <<<"$(rect_of "$2")"
    # The face is opaque up to its edges: no picture pixel inside, nor on its outermost
    # rows and columns (corners aside: the toolkit may round them).
    local through=$(($(count_where "$1" $((x + 2)) $((y + 2)) $((w - 4)) $((h - 4)) "$IS_PICTURE") +
        $(count_where "$1" $((x + 3)) "$y" $((w - 6)) 1 "$IS_PICTURE") +
        $(count_where "$1" $((x + 3)) $((y + h - 1)) $((w - 6)) 1 "$IS_PICTURE") +
        $(count_where "$1" "$x" $((y + 3)) 1 $((h - 6)) "$IS_PICTURE") +
        $(count_where "$1" $((x + w - 1)) $((y + 3)) 1 $((h - 6)) "$IS_PICTURE")))
    [ "$through" = 0 ] ||
        fail "$3: button $2 at $x,$y ${w}x$h shows $through picture pixels (missing or misplaced)"
    # It ends on its edges: a 2-pixel frame around it is all picture.
    outside=$(($(non_picture "$1" $((x - 2)) $((y - 2)) $((w + 4)) 2) +
        $(non_picture "$1" $((x - 2)) $((y + h)) $((w + 4)) 2) +
        $(non_picture "$1" $((x - 2)) "$y" 2 "$h") +
        $(non_picture "$1" $((x + w)) "$y" 2 "$h")))
    [ "$outside" = 0 ] || fail "$3: button $2 spills $outside pixels outside $x,$y ${w}x$h"
}

check_button_hidden() { # FILE BUTTON CASE
    local x y w h
    read -r x y w h <<<"$(rect_of "$2")"
    [ "$(non_picture "$1" "$x" "$y" "$w" "$h")" = 0 ] || fail "$3: hidden button $2 is drawn"
}

while IFS= read -r row; do
    split_row "$row" server xft density visible || continue
    case_name="server $server dpi, Xft.dpi $xft"
    log "case: $case_name"
    start_x "$server"
    [ "$xft" = - ] || set_xft_dpi "$xft"
    make_disc
    make_picture "$DISC/fond.bmp" 640 480
    ini=(titre=Essai image=fond.bmp "timer auto=25")
    for b in $visible; do
        case $b in
            1) ini+=("cmdfich1=Premier") ;; 2) ini+=("cmdfich2=Deuxieme") ;;
            4) ini+=("cmdexe1=Quatrieme") ;; 5) ini+=("cmdexe2=Cinquieme") ;;
        esac
    done
    write_ini "${ini[@]}"
    : >"$REC_LOG"
    start_menu
    wait_menu_window

    geometry=$(window_geometry "$WIN")
    expected="$(((SCREEN_W - WIN_W) / 2)) $(((SCREEN_H - WIN_H) / 2)) $WIN_W $WIN_H"
    [ "$geometry" = "$expected" ] || fail "$case_name: window at '$geometry' (x y w h), expected '$expected'"
    name=$(xprop -id "$WIN" WM_NAME | sed -n 's/^WM_NAME([A-Z_0-9]*) = "\(.*\)"$/\1/p')
    [ "$name" = Essai ] || fail "$case_name: WM_NAME '$name', expected the title 'Essai'"
    xprop -id "$WIN" WM_CLASS | grep -q '"discmenu"' || fail "$case_name: WM_CLASS lacks discmenu"
    # Borderless: either the window bypasses the window manager or asks for no decorations.
    if ! xwininfo -id "$WIN" | grep -q 'Override Redirect State: yes'; then
        hints=$(xprop -id "$WIN" _MOTIF_WM_HINTS | sed -n 's/.* = //p' | tr -d ' ')
        flags=${hints%%,*}
        decorations=$(echo "$hints" | cut -d, -f3)
        [ -n "$hints" ] && (( (flags & 2) != 0 && decorations == 0 )) ||
            fail "$case_name: window asks for decorations (_MOTIF_WM_HINTS '$hints')"
    fi

    shot "$WORK/shot.ppm"
    for b in 1 2 4 5; do
        case " $visible " in
            *" $b "*) check_button_shown "$WORK/shot.ppm" "$b" "$case_name" ;;
            *) check_button_hidden "$WORK/shot.ppm" "$b" "$case_name" ;;
        esac
    done
    check_button_shown "$WORK/shot.ppm" Q "$case_name"

    read -r tx ty tw th <<<"$RECT_TITLE"
    inside=$(count_where "$WORK/shot.ppm" "$tx" "$ty" "$tw" "$th" "$IS_TITLE_GREEN")
    [ "$inside" -gt 50 ] || fail "$case_name: no light green title inside its box ($inside pixels)"
    m=24
    around=$(($(count_where "$WORK/shot.ppm" $((tx - m)) $((ty - m)) $((tw + 2 * m)) "$m" "$IS_TITLE_GREEN") +
        $(count_where "$WORK/shot.ppm" $((tx - m)) $((ty + th)) $((tw + 2 * m)) "$m" "$IS_TITLE_GREEN") +
        $(count_where "$WORK/shot.ppm" $((tx - m)) "$ty" "$m" "$th" "$IS_TITLE_GREEN") +
        $(count_where "$WORK/shot.ppm" $((tx + tw)) "$ty" "$m" "$th" "$IS_TITLE_GREEN")))
    [ "$around" = 0 ] || fail "$case_name: $around light green pixels outside the title box"

    # The credit line's left part, clear of Command5's bottom edge.
    read -r cx cy _ _ <<<"$RECT_CREDIT"
    credit=$(non_picture "$WORK/shot.ppm" "$cx" $((cy + 2)) 130 15)
    if [ "$density" = 96 ]; then
        [ "$credit" -gt 20 ] || fail "$case_name: no credit line at $cx,$cy at 96 DPI"
    else
        [ "$credit" = 0 ] || fail "$case_name: credit line drawn inside the window at $density DPI"
    fi

    click_centre "$RECT_QUITTER"
    expect_exit 10 0 "$case_name: Quitter"
    [ ! -s "$REC_LOG" ] || fail "$case_name: something was launched: $(cat "$REC_LOG")"
    stop_x
done <<<"$CASES"

pass
