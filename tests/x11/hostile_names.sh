#!/bin/bash
# Names a stranger's disc may hold: each program is started, and each document opened, as
# exactly the file named; no shell or path search ever sees the name.
. "$(dirname "$0")/lib.sh" "$@"

NAMES=(
    'mon prog;x'
    '$(touch pwned)'
    '`touch pwned`'
    '*'
    '-rf'
    "l'été \"2026\""
    'a|b&c>d'
)

start_x 96
for name in "${NAMES[@]}"; do
    log "name: $name"
    make_disc case
    make_picture "$DISC/fond.bmp" 640 480
    install_recorder "$name"
    printf '<html>' >"$DISC/$name.html"
    # Windows-1252, as Windows tools write the settings.
    write_ini image=fond.bmp "exe1=$name" cmdexe1=Lancer "fichier1=$name.html" cmdfich1=Ouvrir "timer auto=25"
    iconv -f UTF-8 -t CP1252 "$DISC/auto.ini" >"$DISC/auto.tmp" && mv "$DISC/auto.tmp" "$DISC/auto.ini"
    start_menu
    wait_menu_window
    click_centre "$RECT_COMMAND4"
    wait_log prog 10 || fail "$name: nothing started"
    [ "$(field "$(log_lines prog)" argv0)" = "$DISC/$name" ] || fail "$name: started $(field "$(log_lines prog)" argv0)"
    click_centre "$RECT_COMMAND1"
    wait_log open 10 || fail "$name: nothing opened"
    [ "$(field "$(log_lines open)" arg1)" = "$DISC/$name.html" ] || fail "$name: opened $(field "$(log_lines open)" arg1)"
    click_centre "$RECT_QUITTER"
    expect_exit 10 0 "$name"
    [ "$(log_count prog)$(log_count open)" = 11 ] || fail "$name: launches: $(cat "$REC_LOG")"
    [ ! -e "$DISC/pwned" ] && [ ! -e pwned ] || fail "$name: a shell ran the name"
    : >"$REC_LOG"
done
pass
