#!/bin/bash
# Each launch button: Command1/2 open their document with xdg-open from the program's
# directory, Command4/5 start their program itself (no shell: blanks, quotes and ';' in its
# name are literal), detached, and the menu goes on while it runs.
. "$(dirname "$0")/lib.sh" "$@"

# button | what it launches | file (relative to the disc)
CASES='
1 | open | doc un.html
2 | open | doc2.html
4 | prog | prog4.sh
5 | prog | mon "prog";x'"'"'y.sh
'

start_x 96
make_disc "mon disque"
make_picture "$DISC/fond.bmp" 640 480
ini=(image=fond.bmp "timer auto=25")
while IFS= read -r row; do
    split_row "$row" button kind file || continue
    case $button in
        1) ini+=("fichier1=$file" "cmdfich1=Un") ;;
        2) ini+=("fichier2=$file" "cmdfich2=Deux") ;;
        4) ini+=("exe1=$file" "cmdexe1=Quatre") && install_recorder "$file" ;;
        5) ini+=("exe2=$file" "cmdexe2=Cinq") && install_recorder "$file" ;;
    esac
done <<<"$CASES"
write_ini "${ini[@]}"

# Started programs stay alive long enough to outlive the menu.
export REC_LINGER=60
start_menu
wait_menu_window

prog_pids=()
while IFS= read -r row; do
    split_row "$row" button kind file || continue
    rect_var=RECT_COMMAND$button
    before_open=$(log_count open) before_prog=$(log_count prog)
    click_centre "${!rect_var}"
    if [ "$kind" = open ]; then
        wait_log open 10 $((before_open + 1)) || fail "Command$button opened nothing"
        line=$(log_lines open | tail -n 1)
        [ "$(field "$line" argc)" = 1 ] || fail "Command$button: xdg-open got $(field "$line" argc) arguments"
        [ "$(field "$line" arg1)" = "$DISC/$file" ] ||
            fail "Command$button opened '$(field "$line" arg1)', expected '$DISC/$file'"
        [ "$(field "$line" cwd)" = "$DISC" ] || fail "Command$button: xdg-open ran in '$(field "$line" cwd)'"
    else
        wait_log prog 10 $((before_prog + 1)) || fail "Command$button started nothing"
        line=$(log_lines prog | tail -n 1)
        [ "$(field "$line" argv0)" = "$DISC/$file" ] ||
            fail "Command$button started '$(field "$line" argv0)', expected '$DISC/$file'"
        [ "$(field "$line" argc)" = 0 ] || fail "Command$button: program got $(field "$line" argc) arguments"
        [ "$(field "$line" sid)" = "$(field "$line" pid)" ] || fail "Command$button: program not in its own session"
        [ "$(field "$line" fds)" = 0,1,2 ] ||
            fail "Command$button: program inherited descriptors $(field "$line" fd_targets)"
        prog_pids+=("$(field "$line" pid)")
    fi
    # Exactly one launch per click.
    [ $(($(log_count open) + $(log_count prog))) = $((before_open + before_prog + 1)) ] ||
        fail "Command$button launched more than one thing"
    menu_running || fail "the menu ended after Command$button"
done <<<"$CASES"

click_centre "$RECT_QUITTER"
expect_exit 10 0 "Quitter"
for pid in "${prog_pids[@]}"; do
    kill -0 "$pid" 2>/dev/null || fail "started program $pid ended with the menu"
done
[ ! -s "$DM_ERR" ] || fail "unexpected error output"
pass
