#!/bin/bash
# A failing start-up step is reported on stderr and in a box titled "discmenu: error"; the
# menu window is never mapped, and dismissing the box ends the program with status 1.
. "$(dirname "$0")/lib.sh" "$@"

# case | setting | stderr must contain (@ = the disc directory)
CASES='
missing picture    | image=absent.bmp  | @/absent.bmp
missing picture    | image=absent.bmp  | No such file or directory
not a picture      | image=texte.bmp   | @/texte.bmp
empty picture      | image=vide.png    | @/vide.png
timer out of range | timer auto=40000  | timer auto
'

start_x 96
while IFS= read -r row; do
    split_row "$row" name setting expected || continue
    log "case: $name ($setting)"
    make_disc
    make_picture "$DISC/fond.bmp" 640 480
    echo "this is no picture" >"$DISC/texte.bmp"
    : >"$DISC/vide.png"
    case $setting in image=*) write_ini "$setting" ;; *) write_ini image=fond.bmp "$setting" ;; esac
    watch_maps_start
    start_menu

    dismiss_at=$(wait_window_named "discmenu: error" 20) || fail "$name: no box titled 'discmenu: error'"
    expected=${expected//@/$DISC}
    grep -qF -- "$expected" "$DM_ERR" || fail "$name: stderr does not contain '$expected'"
    [ -z "$(find_menu_window)" ] || fail "$name: the menu window is shown with the error"
    press_on "$dismiss_at" Return
    expect_exit 10 1 "$name: after dismissing the box"
    watch_maps_stop
    mapped=$(mapped_menu_sized)
    [ -z "$mapped" ] || fail "$name: a 640x480 window was mapped ($mapped)"
done <<<"$CASES"

pass
