#!/bin/bash
# Keyboard use: the focus starts on the first visible button, Tab moves it among the visible
# buttons only (tab order Command1, Command2, Quitter, Command4, Command5), Enter and Space
# press the focused button, Escape does nothing.
. "$(dirname "$0")/lib.sh" "$@"

start_x 96
make_disc
make_picture "$DISC/fond.bmp" 640 480
install_recorder prog4.sh
install_recorder prog5.sh
# Command2 and Command5 are hidden but have targets, so pressing them would show in the log.
write_ini image=fond.bmp "timer auto=25" fichier1=doc1.html fichier2=doc2.html \
    exe1=prog4.sh exe2=prog5.sh cmdfich1=Un cmdexe1=Quatre
start_menu
wait_menu_window

# Escape first: if it closed the window, the steps below would find no menu.
press_on "$WIN" Escape

# Command1 -> Quitter -> Command4, then Enter.
press_on "$WIN" Tab Tab Return
wait_log prog 10 || fail "Tab Tab Enter from the first button did not start Command4's program"
line=$(log_lines prog)
[ "$(field "$line" argv0)" = "$DISC/prog4.sh" ] ||
    fail "Tab Tab Enter started '$(field "$line" argv0)', expected Command4's $DISC/prog4.sh"
[ "$(log_count open)" = 0 ] || fail "a document was opened: $(log_lines open)"
menu_running || fail "the menu ended (Escape or Enter on the wrong button)"

# Command4 -> Command1 (wrapping around, skipping hidden Command5), then Space.
press_on "$WIN" Tab space
wait_log open 10 || fail "Tab Space after Command4 opened nothing"
line=$(log_lines open)
[ "$(field "$line" arg1)" = "$DISC/doc1.html" ] ||
    fail "Tab Space opened '$(field "$line" arg1)', expected Command1's $DISC/doc1.html"
[ "$(log_count prog)" = 1 ] || fail "another program was started: $(log_lines prog | tail -n +2)"
find_menu_window | grep -q . || fail "the menu window is gone"

# Command1 -> Quitter, then Enter.
press_on "$WIN" Tab Return
expect_exit 10 0 "Enter on Quitter"
[ "$(log_count open)" = 1 ] && [ "$(log_count prog)" = 1 ] || fail "extra launches: $(cat "$REC_LOG")"
pass
