#!/bin/bash
# Pressing a launch button before the automatic launch stops the timer for good: nothing is
# launched automatically and the menu does not end by itself.
. "$(dirname "$0")/lib.sh" "$@"

start_x 96
make_disc
make_picture "$DISC/fond.bmp" 640 480
write_ini image=fond.bmp "timer auto=4" "arret auto=9" fichier1=doc1.html cmdfich1=Ouvrir \
    autofich=auto.html
start_menu
wait_menu_window
click_centre "$RECT_COMMAND1"

wait_log open 10 || fail "the click on Command1 opened nothing"
line=$(log_lines open)
[ "$(field "$line" arg1)" = "$DISC/doc1.html" ] ||
    fail "first opening is '$(field "$line" arg1)', expected the click's $DISC/doc1.html"

# Watch past tick 9 (the configured end) with some margin.
until_time=$(awk -v s="$WIN_SEEN" 'BEGIN {print s + 11.5}')
while awk -v now="$(uptime_now)" -v end="$until_time" 'BEGIN {exit !(now < end)}'; do
    menu_running || fail "the menu ended by itself (status $(cat "$DM_STATUS_FILE")) after the click"
    sleep 0.2
done
[ "$(log_count open)" = 1 ] || fail "automatic opening after the click: $(log_lines open | tail -n +2)"
[ "$(log_count prog)" = 0 ] || fail "a program was started: $(log_lines prog)"
find_menu_window | grep -q . || fail "the menu window is gone"

click_centre "$RECT_QUITTER"
expect_exit 10 0 "Quitter"
pass
