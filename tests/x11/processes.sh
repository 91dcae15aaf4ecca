#!/bin/bash
# Fifty quick presses of a program button: fifty programs, each detached and without the
# menu's descriptors, none left as a zombie, and the menu still answers at once.
. "$(dirname "$0")/lib.sh" "$@"

PRESSES=50
start_x 96
make_disc
make_picture "$DISC/fond.bmp" 640 480
install_recorder prog.sh
write_ini image=fond.bmp exe1=prog.sh cmdexe1=Lancer "timer auto=25"
start_menu
wait_menu_window

read -r x y w h <<<"$RECT_COMMAND4"
timeout 60 xdotool mousemove $((WIN_X + x + w / 2)) $((WIN_Y + y + h / 2)) \
    click --repeat "$PRESSES" --delay 30 1 || fail "xdotool could not click"
wait_log prog 30 "$PRESSES" || fail "only $(log_count prog) of $PRESSES programs started"
[ "$(log_count prog)" = "$PRESSES" ] || fail "$(log_count prog) programs for $PRESSES presses"

while IFS= read -r line; do
    [ "$(field "$line" fds)" = 0,1,2 ] || fail "a program inherited descriptors $(field "$line" fd_targets)"
    [ "$(field "$line" sid)" = "$(field "$line" pid)" ] || fail "a program is not in its own session"
done < <(log_lines prog)

# Every program has ended; none may linger as the menu's zombie.
_no_zombie() { ! ps --ppid "$DM_PID" -o stat= | grep -q Z; }
wait_until 10 _no_zombie || fail "zombies left: $(ps --ppid "$DM_PID" -o pid=,stat=,comm= | tr '\n' ' ')"

menu_running || fail "the menu ended under the presses"
click_centre "$RECT_QUITTER"
expect_exit 10 0 "Quitter after $PRESSES presses"
pass
