#!/bin/bash
# Settings files a stranger's disc may hold: the menu reads each without crashing or
# waiting, and shows the title it should (the value when it can be read, else the default).
. "$(dirname "$0")/lib.sh" "$@"

# Each makes auto.ini in the current directory.
garbage() { head -c 65536 /dev/urandom >auto.ini; }
nul_values() { printf '[parametres]\ntitre=Avant\0apres\nti\0tre=x\n' >auto.ini; }
huge_line() { { printf '[autre]\n'; head -c 6M /dev/zero | tr '\0' x; printf '\n[parametres]\ntitre=Long\n'; } >auto.ini; }
huge_file() { { printf '[autre]\n'; yes 'cle=une valeur de remplissage' | head -c 200M; printf '\n[parametres]\ntitre=Fin\n'; } >auto.ini; }
utf16le() { { printf '\377\376'; printf '[parametres]\r\ntitre=Seize\r\n' | iconv -t UTF-16LE; } >auto.ini; }
utf16be() { { printf '\376\377'; printf '[parametres]\r\ntitre=Seize BE\r\n' | iconv -t UTF-16BE; } >auto.ini; }
utf8_mark() { printf '\357\273\277[parametres]\ntitre=Huit\n' >auto.ini; }
cr_only() { printf '[parametres]\rtitre=Retours\rson=\r' >auto.ini; }
no_newline() { printf '[parametres]\ntitre=Sans fin' >auto.ini; }
open_header() { printf '[parametres\ntitre=Non\n[parametres]\ntitre=Oui\n' >auto.ini; }
directory() { mkdir auto.ini; }
dangling() { ln -s nulle-part.ini auto.ini; }
fifo() { mkfifo auto.ini; }
unreadable() { printf '[parametres]\ntitre=Secret\n' >auto.ini && chmod 000 auto.ini; }

# name | maker | the title the menu must show
CASES='
binary garbage         | garbage     | Mes Photos
NUL inside values      | nul_values  | Avant
a line of megabytes    | huge_line   | Long
two hundred megabytes  | huge_file   | Fin
UTF-16 LE with mark    | utf16le     | Seize
UTF-16 BE with mark    | utf16be     | Seize BE
UTF-8 with mark        | utf8_mark   | Huit
CR-only endings        | cr_only     | Retours
no final newline       | no_newline  | Sans fin
header without bracket | open_header | Oui
a directory            | directory   | Mes Photos
a dangling link        | dangling    | Mes Photos
a FIFO                 | fifo        | Mes Photos
unreadable             | unreadable  | Mes Photos
'

start_x 96
while IFS= read -r row; do
    split_row "$row" name make title || continue
    log "case: $name"
    make_disc case
    make_picture "$DISC/pelorine.bmp" 640 480
    (cd "$DISC" && "$make") || fail "$name: could not make the settings file"
    if [ "$name" = unreadable ] && [ "$(id -u)" = 0 ]; then
        # Permissions do not stop root: run this one menu as an ordinary user.
        chmod 755 "$WORK"
        START_AS=nobody start_menu
    else
        start_menu
    fi
    wait_menu_window 60
    shown=$(xprop -id "$WIN" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME([A-Z_0-9]*) = "\(.*\)"$/\1/p')
    [ "$shown" = "$title" ] || fail "$name: the title is '$shown', expected '$title'"
    click_centre "$RECT_QUITTER"
    expect_exit 10 0 "$name"
    rm -rf "$DISC"
done <<<"$CASES"
pass
