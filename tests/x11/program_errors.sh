#!/bin/bash
# A program that cannot be started (missing, not executable), from a button or from the
# automatic launch: the reason goes to stderr and to the error box; dismissing it ends the
# program with status 1.
. "$(dirname "$0")/lib.sh" "$@"

# case | settings (;-separated) | what to click (- = wait for the timer) | stderr must contain (@ = disc)
CASES='
missing program, Command4   | exe1=absent.sh;cmdexe1=Quatre              | 4 | @/absent.sh
missing program, Command4   | exe1=absent.sh;cmdexe1=Quatre              | 4 | No such file or directory
not executable, Command5    | exe2=plain.sh;cmdexe2=Cinq                 | 5 | @/plain.sh
not executable, Command5    | exe2=plain.sh;cmdexe2=Cinq                 | 5 | Permission denied
directory, Command5         | exe2=dossier;cmdexe2=Cinq                  | 5 | @/dossier
missing autoexe on its tick | autoexe=absent.sh;timer auto=2             | - | @/absent.sh
'

start_x 96
while IFS= read -r row; do
    split_row "$row" name settings button expected || continue
    log "case: $name"
    : >"$REC_LOG"
    make_disc
    make_picture "$DISC/fond.bmp" 640 480
    printf '#!/bin/sh\nexit 0\n' >"$DISC/plain.sh"
    chmod 644 "$DISC/plain.sh"
    mkdir "$DISC/dossier"
    IFS=';' read -r -a extra <<<"$settings"
    # Buttons stop the timer; until then it must stay clear of the click.
    case $settings in *"timer auto"*) ;; *) extra+=("timer auto=25") ;; esac
    write_ini image=fond.bmp "${extra[@]}"
    start_menu
    wait_menu_window
    [ "$button" = - ] || { rect_var=RECT_COMMAND$button; click_centre "${!rect_var}"; }

    box=$(wait_window_named "discmenu: error" 20) || fail "$name: no box titled 'discmenu: error'"
    expected=${expected//@/$DISC}
    grep -qF -- "$expected" "$DM_ERR" || fail "$name: stderr does not contain '$expected'"
    press_on "$box" Return
    expect_exit 10 1 "$name: after dismissing the box"
    [ ! -s "$REC_LOG" ] || fail "$name: something was launched: $(cat "$REC_LOG")"
done <<<"$CASES"

pass
