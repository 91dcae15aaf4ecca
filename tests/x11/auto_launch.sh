#!/bin/bash
# The automatic sequence with the smallest delays: the document (or, when set, the program
# "autoexe" instead) is launched first, then the menu ends by itself with status 0.
. "$(dirname "$0")/lib.sh" "$@"

# what is launched | settings
CASES='
open | timer auto=2 | arret auto=7.5 | autofich=doc.html
prog | timer auto=2 | arret auto=7   | autofich=doc.html | autoexe=auto.sh
'

start_x 96
while IFS= read -r row; do
    split_row "$row" kind || continue
    settings=("${CELLS[@]:1}")
    log "case: $row"
    : >"$REC_LOG"
    make_disc
    make_picture "$DISC/fond.bmp" 640 480
    install_recorder auto.sh
    write_ini image=fond.bmp "${settings[@]}"
    start_menu
    wait_menu_window

    wait_log "$kind" 20 || fail "$row: nothing launched"
    launched_at=$(uptime_now)
    menu_running || fail "$row: the menu ended (status $(cat "$DM_STATUS_FILE")) before launching"
    line=$(log_lines "$kind")
    if [ "$kind" = open ]; then
        [ "$(field "$line" arg1)" = "$DISC/doc.html" ] || fail "$row: opened '$(field "$line" arg1)'"
        [ "$(field "$line" argc)" = 1 ] || fail "$row: xdg-open got $(field "$line" argc) arguments"
        [ "$(field "$line" cwd)" = "$DISC" ] || fail "$row: xdg-open ran in '$(field "$line" cwd)'"
    else
        [ "$(field "$line" argv0)" = "$DISC/auto.sh" ] || fail "$row: started '$(field "$line" argv0)'"
        [ "$(field "$line" argc)" = 0 ] || fail "$row: program got $(field "$line" argc) arguments"
        [ "$(field "$line" sid)" = "$(field "$line" pid)" ] || fail "$row: program not in its own session"
        [ "$(field "$line" fds)" = 0,1,2 ] || fail "$row: program inherited descriptors $(field "$line" fds)"
    fi

    wait_exit 40
    [ "$DM_STATUS" = 0 ] || fail "$row: ended with status $DM_STATUS, expected 0"
    awk -v a="$(field "$line" t)" -v b="$DM_EXIT_TIME" 'BEGIN {exit !(a < b)}' ||
        fail "$row: launch logged at $(field "$line" t), after the end seen at $DM_EXIT_TIME"
    [ "$(log_count "$kind")" = 1 ] || fail "$row: launched more than once"
    other=open
    [ "$kind" = open ] && other=prog
    [ "$(log_count "$other")" = 0 ] || fail "$row: also launched: $(log_lines "$other")"
    [ ! -s "$DM_ERR" ] || fail "$row: unexpected error output"
    log "launched, then ended $(awk -v a="$launched_at" -v b="$DM_EXIT_TIME" 'BEGIN {printf "%.1f", b - a}') s later"
done <<<"$CASES"

pass
