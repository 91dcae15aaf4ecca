#!/bin/sh
# The menu driven the way a person drives it: clicks and keys with xdotool on a private
# display, and the programs and documents it opens recorded by our recorder program.
# Usage: menu-case.sh CASE   (one of the case_* functions below)
. "$(dirname "$0")/wine-lib.sh"
: "${DISCMENU_EXE:?}" "${RECORDER_EXE:?}" "${PROBE_EXE:?}"

name=$1
make_work "$name"
use_prefix
start_display
record=$WORK/record.log
export DISCMENU_RECORD
DISCMENU_RECORD=$(winpath "$record")
disc=$WORK/disc

# Window-relative centre of a button, from its design twips (15 to a pixel).
kCommand1="$(design_pixels $((2160 + 5295 / 2))) $(design_pixels $((4560 + 495 / 2)))"
kCommand4="$(design_pixels $((2160 + 5295 / 2))) $(design_pixels $((5760 + 495 / 2)))"
kCommand5="$(design_pixels $((2160 + 5295 / 2))) $(design_pixels $((6360 + 495 / 2)))"

# auto.ini: the title, then the lines given, then defaults for the rest (the first
# occurrence of a key wins): no sound, a one-colour picture, every optional button hidden.
write_settings() {
    printf '[parametres]\r\ntitre=%s\r\n' "$1"
    shift
    for line in "$@"; do printf '%s\r\n' "$line"; done
    printf 'son=\r\nimage=fond.bmp\r\ncmdfich1=\r\ncmdfich2=\r\ncmdexe1=\r\ncmdexe2=\r\n'
}

# Starts the menu of $disc, as made by the caller, and waits for its window.
start_disc() {
    make_picture "$disc/fond.bmp" "#204060"
    started=$(date +%s)
    start_menu "$disc"
    window=$(wait_window "$1")
}

recorded() {
    [ -f "$record" ] && grep -qxF -- "$1" "$record"
}

# Waits until the recorder has written the line $1.
expect_recorded() {
    tenths=0
    until recorded "$1"; do
        tenths=$((tenths + 1))
        [ $tenths -lt $kLongWaitTenths ] || fail "never recorded: $1
$(cat "$record" 2>/dev/null)"
        sleep 0.1
    done
}

times_recorded() {
    if [ -f "$record" ]; then grep -cxF -- "$1" "$record" || true; else echo 0; fi
}

# Lets the menu run until $1 seconds after its start: a timer that was not stopped acts by then.
run_until() {
    while [ $(($(date +%s) - started)) -le "$1" ]; do
        menu_running || fail "the menu ended by itself"
        sleep 0.5
    done
}

end_with_alt_f4() {
    keys_to "$window" alt+F4
    wait_menu_end
    [ "$MENU_STATUS" = 0 ] || fail "Alt+F4 ended the menu with status $MENU_STATUS"
}

# The menu's standard error, without the CRs of Windows' text mode.
menu_errors() {
    tr -d '\r' <"$WORK/menu.err"
}

# The error box: titled "discmenu: error"; the same text on standard error (what failed,
# the full path, the system's reason); Return dismisses it and the menu ends with status 1.
expect_fatal_error() {
    box=$(wait_window "discmenu: error")
    menu_errors | grep -qxF -- "discmenu: $1" || fail "standard error does not say \"$1\": $(menu_errors)"
    menu_errors | grep -qxF -- "$2" || fail "standard error does not name \"$2\": $(menu_errors)"
    [ "$(menu_errors | grep -A 2 -xF -- "discmenu: $1" | grep -c .)" -eq 3 ] || fail "no reason given: $(menu_errors)"
    keys_to "$box" Return
    wait_menu_end
    [ "$MENU_STATUS" = 1 ] || fail "the menu ended with status $MENU_STATUS after an error, not 1"
}

wait_focus() {
    tenths=0
    until probe_window | grep -q "^button[0-9]=$1|visible=1|enabled=1|focus=1|"; do
        tenths=$((tenths + 3))
        [ $tenths -lt $kLongWaitTenths ] || fail "the focus never reached \"$1\""
        sleep 0.3
    done
}

# A launch button starts its program: full path as its only argument, started from the
# menu's own directory, shown normally; and the timer stops, so neither the automatic
# launch (tick 4) nor the automatic exit (tick 9) follows.
case_launch() {
    make_disc "$disc" view.exe auto.exe <<INI
$(write_settings Lancement exe1=view.exe cmdexe1=Lancer autoexe=auto.exe "timer auto=4" "arret auto=9")
INI
    start_disc Lancement
    click_in "$window" $kCommand4
    program=$(winpath "$disc/view.exe")
    expect_recorded "module=$program"
    expect_recorded "cmdline=\"$program\""
    expect_recorded "cwd=$(winpath "$WORK/cwd")"
    expect_recorded "show=1"
    run_until 10
    recorded "module=$(winpath "$disc/auto.exe")" && fail "the automatic launch followed a click"
    end_with_alt_f4
}

# A document button opens the document through its type's association, from BaseDir.
case_document() {
    make_disc "$disc" <<INI
$(write_settings Document fichier1=notes.discdoc cmdfich1=Ouvrir)
INI
    echo "notes" >"$disc/notes.discdoc"
    start_disc Document
    click_in "$window" $kCommand1
    expect_recorded "arg1=$(winpath "$disc/notes.discdoc")"
    expect_recorded "module=$(winpath "$RECORDER_EXE")"
    expect_recorded "cwd=$(winpath "$disc")"
    expect_recorded "show=1"
    end_with_alt_f4
}

# "timer auto=2" launches on tick 2; "arret auto=7.5" rounds to 8 and ends the menu then.
case_auto_program() {
    make_disc "$disc" auto.exe <<INI
$(write_settings Automatique autoexe=auto.exe "timer auto=2" "arret auto=7.5")
INI
    start_disc Automatique
    wait_menu_end
    [ "$MENU_STATUS" = 0 ] || fail "the automatic exit ended with status $MENU_STATUS"
    [ "$(times_recorded "module=$(winpath "$disc/auto.exe")")" = 1 ] || fail "auto.exe was not started once"
    expect_recorded "cwd=$(winpath "$WORK/cwd")"
}

# Without "autoexe", the automatic launch opens "autofich".
case_auto_document() {
    make_disc "$disc" <<INI
$(write_settings Automatique autoexe= autofich=notes.discdoc "timer auto=2" "arret auto=7.5")
INI
    echo "notes" >"$disc/notes.discdoc"
    start_disc Automatique
    wait_menu_end
    [ "$MENU_STATUS" = 0 ] || fail "the automatic exit ended with status $MENU_STATUS"
    [ "$(times_recorded "arg1=$(winpath "$disc/notes.discdoc")")" = 1 ] || fail "the document was not opened once"
}

# A picture that cannot be loaded ends the start-up: the window is never shown.
case_missing_picture() {
    make_disc "$disc" <<INI
$(write_settings Image image=absente.bmp)
INI
    make_picture "$disc/fond.bmp" "#204060"
    start_menu "$disc"
    box=$(wait_window "discmenu: error")
    is_visible_window Image && fail "the menu window was shown despite the error"
    expect_fatal_error "Cannot load the picture" "$(winpath "$disc/absente.bmp")"
}

case_missing_program() {
    make_disc "$disc" <<INI
$(write_settings Absent exe1=absent.exe cmdexe1=Lancer)
INI
    start_disc Absent
    click_in "$window" $kCommand4
    expect_fatal_error "Cannot start the program" "$(winpath "$disc/absent.exe")"
}

case_not_a_program() {
    make_disc "$disc" <<INI
$(write_settings Page exe2=page.html cmdexe2=Page)
INI
    echo "<p>not a program</p>" >"$disc/page.html"
    start_disc Page
    click_in "$window" $kCommand5
    expect_fatal_error "Cannot start the program" "$(winpath "$disc/page.html")"
    [ -f "$record" ] && fail "something was started: $(cat "$record")"
    true
}

# "My.exe" beside "My Photos" must never be started in place of "My Photos\view.exe".
case_space_in_name() {
    disc="$WORK/My Photos"
    make_disc "$disc" view.exe <<INI
$(write_settings Espace exe1=view.exe cmdexe1=Lancer)
INI
    cp "$RECORDER_EXE" "$WORK/My.exe"
    start_disc Espace
    click_in "$window" $kCommand4
    expect_recorded "module=$(winpath "$disc/view.exe")"
    recorded "module=$(winpath "$WORK/My.exe")" && fail "My.exe was started"
    end_with_alt_f4
}

# Names a stranger's disc may hold, each started or opened as exactly that file: nothing
# between the menu and the system reads blanks, ";", "&", "$(...)", quotes or a leading "-"
# as anything but characters. The settings file is Windows-1252, as Windows tools write it.
case_hostile_names() {
    for name in 'mon prog;x.exe' 'a&b ^c.exe' '$(touch pwned).exe' '-rf.exe' "l'été.exe"; do
        rm -rf "$disc" "$record"
        make_disc "$disc" "$name" <<INI
$(write_settings Noms "exe1=$name" cmdexe1=Lancer "fichier1=$name.discdoc" cmdfich1=Ouvrir | iconv -f UTF-8 -t CP1252)
INI
        echo "notes" >"$disc/$name.discdoc"
        start_disc Noms
        click_in "$window" $kCommand4
        expect_recorded "module=$(winpath "$disc/$name")"
        expect_recorded "cmdline=\"$(winpath "$disc/$name")\""
        click_in "$window" $kCommand1
        expect_recorded "arg1=$(winpath "$disc/$name.discdoc")"
        end_with_alt_f4
        [ "$(grep -c '^module=' "$record")" = 2 ] || fail "$name: more than the two launches
$(cat "$record")"
    done
    [ ! -e "$WORK/cwd/pwned" ] && [ ! -e "$disc/pwned" ] || fail "a name was run through a shell"
}

# Tab walks the visible buttons in tab order and wraps; Escape does nothing; Enter and
# Space press the focused button; Alt+F4 ends the menu with status 0.
case_keys() {
    make_disc "$disc" view.exe <<INI
$(write_settings Clavier fichier1=notes.discdoc cmdfich1=Ouvrir exe1=view.exe cmdexe1=Lancer)
INI
    echo "notes" >"$disc/notes.discdoc"
    start_disc Clavier
    wait_focus Ouvrir
    keys_to "$window" Escape
    wait_focus Ouvrir
    keys_to "$window" Tab
    wait_focus Quitter
    keys_to "$window" Tab
    wait_focus Lancer
    keys_to "$window" Return
    expect_recorded "module=$(winpath "$disc/view.exe")"
    keys_to "$window" Tab
    wait_focus Ouvrir
    keys_to "$window" space
    expect_recorded "arg1=$(winpath "$disc/notes.discdoc")"
    menu_running || fail "the menu ended before Alt+F4"
    end_with_alt_f4
}

# Prints the colour of window pixel ($2, $3) in screenshot $1 as "R G B".
pixel_at() {
    convert "$1" -crop "1x1+$(($wx + $2))+$(($wy + $3))" +repage -alpha off -depth 8 txt:- |
        sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}

# Fails unless colour "$1" ("R G B") is within $3 of colour "$2" on every channel.
expect_colour() {
    set -- $1 $2 "$3" "$4"
    for channel in 1 2 3; do
        eval "got=\$$channel want=\$$((channel + 3))"
        difference=$((got > want ? got - want : want - got))
        [ $difference -le $7 ] || fail "$8: colour $1 $2 $3, expected $4 $5 $6"
    done
}

# Picture file $1, made by ImageMagick from colour $2 at 320 x 240, is drawn at its own size
# from the window's corner over the background: its colour $3 at (20, 20), within $4 per
# channel, and the background (255, 255, 128) beyond it, at (20, 300).
expect_picture() {
    make_disc "$disc" <<INI
$(write_settings Image "image=$1")
INI
    convert -size 320x240 "xc:$2" "$disc/$1"
    start_menu "$disc"
    window=$(wait_window Image)
    read -r wx wy ww wh <<GEOMETRY
$(window_geometry "$window")
GEOMETRY
    stable_screenshot "$WORK/screen.png"
    expect_colour "$(pixel_at "$WORK/screen.png" 20 20)" "$3" "$4" "the picture"
    expect_colour "$(pixel_at "$WORK/screen.png" 20 300)" "255 255 128" 0 "the background beside the picture"
    end_with_alt_f4
}

case_picture_bmp() { expect_picture image.bmp "#306090" "48 96 144" 0; }
case_picture_jpeg() { expect_picture image.jpg "#306090" "48 96 144" 6; }
case_picture_gif() { expect_picture image.gif "#306090" "48 96 144" 0; }
case_picture_png() { expect_picture image.png "#306090" "48 96 144" 0; }
# Half-transparent blue over the yellow background: half of each.
case_picture_transparent_png() { expect_picture image.png "rgba(0,0,255,0.5)" "128 128 192" 2; }

# A title size of 0 draws no title at all (the caption is there, in the window's name).
case_no_title() {
    make_disc "$disc" <<INI
$(write_settings Invisible "taille police=0")
INI
    start_disc Invisible
    read -r wx wy ww wh <<GEOMETRY
$(window_geometry "$window")
GEOMETRY
    stable_screenshot "$WORK/screen.png"
    convert "$WORK/screen.png" -crop "${ww}x$wh+$wx+$wy" +repage -alpha off -depth 8 txt:- >"$WORK/window.txt"
    printf 'picture 204060\nabsent Label4 C0FFC0\n' >"$WORK/expected"
    awk -f "$(dirname "$0")/check-pixels.awk" "$WORK/expected" "$WORK/window.txt" || fail "a title was drawn"
    end_with_alt_f4
}

case_not_a_picture() {
    make_disc "$disc" <<INI
$(write_settings Image image=texte.png)
INI
    echo "not a picture" >"$disc/texte.png"
    start_menu "$disc"
    expect_fatal_error "Cannot load the picture" "$(winpath "$disc/texte.png")"
    menu_errors | grep -qxF "Not a picture in a known format (BMP, JPEG, PNG, GIF)" || fail "wrong reason: $(menu_errors)"
}

"case_$name"
echo "$name: ok"
