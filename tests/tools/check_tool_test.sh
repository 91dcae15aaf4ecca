#!/bin/bash
# discmenu-check: the state it prints, then each fault of a broken disc with its severity
# and the exit status (0 all well, 1 warnings only, 2 errors).
set -eu
check=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The state, for a directory without settings: every default.
mkdir "$work/empty"
status=0
"$check" "$work/empty" >"$work/out" || status=$?
cat >"$work/expected" <<EOT
BaseDir = $work/empty/
File1 = $work/empty/index.html
File2 = $work/empty/index.html
Exe1 = $work/empty/vardeline.exe
Exe2 = $work/empty/index.html
SoundFile = $work/empty/
AutoExe = 
AutoFile = $work/empty/index.html
TitleSize = 56
QuitAfter = 50
LaunchAfter = 5
NoSound = true
Title = Mes Photos
PicturePath = $work/empty/pelorine.bmp
Command1 = 
Command2 = 
Command4 = 
Command5 = 
EOT
head -n 18 "$work/out" | diff -u "$work/expected" - || fail "defaults"
[ "$status" = 2 ] || fail "no pelorine.bmp must be an error, status $status"

# The derived values of a settings file.
mkdir "$work/derived"
printf '[Parametres]\r\nTitre = "No\353l 2026"\r\ntaille police=12.5\r\nson=s.wav\r\ncmdexe1=Lancer\r\ntimer auto=2.5\r\narret auto=30.5\r\n' >"$work/derived/auto.ini"
"$check" "$work/derived" >"$work/out" || true
for line in "Title = Noël 2026" "TitleSize = 12.5" "SoundFile = $work/derived/s.wav" "NoSound = false" \
            "Command4 = Lancer" "LaunchAfter = 2" "QuitAfter = 30.5" "  tick 2: opens $work/derived/index.html" \
            "  tick 30: ends"; do
    grep -qxF "$line" "$work/out" || fail "derived: missing line: $line"
done

# A disc that is all well, for Linux (the menu's binary sits on it); each case below
# breaks one thing.
good=$work/good
mkdir -p "$good/photos"
convert -size 640x480 xc:'#336699' "bmp3:$good/fond.bmp"
sox -n -b 16 -r 22050 "$good/son.wav" synth 0.2 sine 440 2>/dev/null
printf '#!/bin/sh\n' >"$good/voir" && chmod +x "$good/voir"
printf '<html>' >"$good/photos/index.html"
: >"$good/discmenu"
base_ini='titre=Photos
image=fond.bmp
son=son.wav
fichier1=photos/index.html
cmdfich1=Voir
exe1=voir
cmdexe1=Lancer
autofich=photos/index.html
'

# name | extra settings (\n between lines) | shell commands run in the disc | status | expected line
CASES='
all well                | | | 0 | No problem found.
picture missing         | image=absent.bmp | | 2 | error: the menu will not start: Cannot load the picture
not a picture           | image=note.bmp | echo text >note.bmp | 2 | error: the menu will not start: Cannot load the picture
picture too small       | image=petit.bmp | convert -size 320x240 xc:red bmp3:petit.bmp | 1 | warning: the picture is 320 x 240 pixels, not 640 x 480: light-yellow bands
picture name cut        | image=fond-de-vacances.bmp | cp fond.bmp fond-de-vacances.bmp | 2 | warning: "image" is cut to its first 15 characters: "fond-de-vacances.bmp" is read as "fond-de-vacance"
timer overflow          | timer auto=40000 | | 2 | error: Overflow
delays clamped          | timer auto=1\narret auto=60 | | 1 | warning: "timer auto" "1" is out of 2..25: the automatic launch happens after 2 seconds
quit clamped            | arret auto=60 | | 1 | warning: "arret auto" "60" is out of 10..50: the menu ends itself after 50 seconds
Command5 without exe2   | cmdexe2=Encore | | 2 | error: Command5 is shown but "exe2" is not set
missing program         | exe1=absent | | 2 | error: Command4 starts
program not executable  | exe1=lisez-moi.txt | echo x >lisez-moi.txt | 2 | which is not executable (no x permission) on Linux
missing document        | fichier1=absent.html | | 1 | warning: Command1 opens
missing automatic prog  | autoexe=absent | | 2 | error: the automatic launch starts
missing automatic doc   | autofich=absent.html | | 1 | warning: the automatic launch opens
missing sound           | son=absent.wav | | 1 | warning: the sound
unplayable sound        | son=hifi.wav | sox -n -b 24 -r 22050 hifi.wav synth 0.2 sine 440 | 1 | not 8- or 16-bit PCM
title size not a number | taille police=grand | | 1 | warning: "taille police" "grand" is not a number
title size zero         | taille police=0 | | 1 | warning: "taille police" "0" is not above 0
title size absurd       | taille police=900 | | 1 | is far too large
absolute path           | fichier1=/photos/index.html | | 1 | looks absolute
Windows names           | fichier1=Photos\\Index.html | | 1 | is found only by ignoring case
long name               | | touch photos/un-nom-de-fichier-bien-trop-long-pour-un-disque-joliet-qui-coupe-a-64.jpg | 1 | than the 64 characters a Joliet disc keeps
Windows program         | | : >discmenu.exe | 2 | which is not a Windows program on Windows
program for both        | exe1=voir.exe | printf MZ >voir.exe && : >discmenu.exe | 0 | No problem found.
'
run_case() {
    local name=$1 extra=$2 setup=$3 expected_status=$4 expected=$5 disc=$work/case
    rm -rf "$disc" && cp -R "$good" "$disc"
    # First keys win: the case's own settings go before the good disc's.
    printf '[parametres]\n%b\n%s' "$extra" "$base_ini" >"$disc/auto.ini"
    [ -z "$setup" ] || (cd "$disc" && eval "$setup")
    local status=0
    "$check" "$disc" >"$work/out" 2>&1 || status=$?
    [ "$status" = "$expected_status" ] || fail "$name: status $status, expected $expected_status"
    grep -qF -- "$expected" "$work/out" || { fail "$name: no line with: $expected"; sed -n '/^Buttons/,$p' "$work/out"; }
}
while IFS='|' read -r name extra setup status expected; do
    name=$(echo $name)
    [ -n "$name" ] || continue
    run_case "$name" "$(echo $extra)" "$(echo "$setup" | sed 's/^ *//; s/ *$//')" $status "$(echo "$expected" | sed 's/^ *//; s/ *$//')"
done <<<"$CASES"

# Encodings: a byte-order mark Windows does not skip, and UTF-8 that Windows reads as 1252.
rm -rf "$work/case" && cp -R "$good" "$work/case"
printf '\357\273\277[parametres]\n%s' "$base_ini" >"$work/case/auto.ini"
status=0; "$check" "$work/case" >"$work/out" || status=$?
[ "$status" = 2 ] && grep -qF "UTF-8 byte-order mark" "$work/out" || fail "UTF-8 mark: status $status"
printf '[parametres]\ntitre=D\303\251j\303\240 vu\n%s' "$base_ini" >"$work/case/auto.ini"
status=0; "$check" "$work/case" >"$work/out" || status=$?
[ "$status" = 1 ] && grep -qF "UTF-8 without a byte-order mark" "$work/out" || fail "UTF-8 without mark: status $status"

# It never changes a file.
before=$(cd "$work" && find case -printf '%p %s %T@\n' | sort | md5sum)
"$check" "$work/case" >/dev/null || true
[ "$(cd "$work" && find case -printf '%p %s %T@\n' | sort | md5sum)" = "$before" ] || fail "the disc was changed"

[ "$failures" = 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "check tool: all passed"
