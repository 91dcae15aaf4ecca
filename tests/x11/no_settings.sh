#!/bin/bash
# Without auto.ini: the default picture and title, only "Quitter", and on tick 5 the default
# document index.html is opened from the program's directory.
. "$(dirname "$0")/lib.sh" "$@"

start_x 96
make_disc
make_picture "$DISC/pelorine.bmp" 640 480
start_menu
wait_menu_window

name=$(xprop -id "$WIN" WM_NAME | sed -n 's/^WM_NAME([A-Z_0-9]*) = "\(.*\)"$/\1/p')
[ "$name" = "Mes Photos" ] || fail "WM_NAME '$name', expected the default title 'Mes Photos'"

shot "$WORK/shot.ppm"
for rect in "$RECT_COMMAND1" "$RECT_COMMAND2" "$RECT_COMMAND4" "$RECT_COMMAND5"; do
    read -r x y w h <<<"$rect"
    n=$(count_where "$WORK/shot.ppm" "$x" "$y" "$w" "$h" "!($IS_PICTURE)")
    [ "$n" = 0 ] || fail "a button without caption shows at $x,$y ($n pixels not the picture's)"
done
read -r x y w h <<<"$RECT_QUITTER"
n=$(count_where "$WORK/shot.ppm" $((x + 2)) $((y + 2)) $((w - 4)) $((h - 4)) "$IS_PICTURE")
[ "$n" = 0 ] || fail "Quitter is not drawn at $x,$y"

wait_log open 20 || fail "index.html was not opened on tick 5"
menu_running || fail "discmenu ended (status $(cat "$DM_STATUS_FILE")) instead of opening index.html"
line=$(log_lines open)
[ "$(log_count open)" = 1 ] || fail "expected one opening, got: $line"
[ "$(field "$line" argc)" = 1 ] || fail "xdg-open got $(field "$line" argc) arguments: $line"
[ "$(field "$line" arg1)" = "$DISC/index.html" ] || fail "opened '$(field "$line" arg1)', expected '$DISC/index.html'"
[ "$(field "$line" cwd)" = "$DISC" ] || fail "xdg-open ran in '$(field "$line" cwd)', expected '$DISC'"

# Opening did not end the menu; its default end is far off.
click_centre "$RECT_QUITTER"
expect_exit 10 0 "Quitter"
pass
