#!/bin/sh
# discmenu-check prints the defaults for a directory without settings, the derived values
# for one with settings, and refuses a launch delay that does not fit 16 bits.
set -eu
check=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir "$work/empty"
"$check" "$work/empty" >"$work/out"
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
diff -u "$work/expected" "$work/out" || fail "defaults"

mkdir "$work/disc"
printf '[Parametres]\r\nTitre = "No\353l 2026"\r\ntaille police=12.5\r\nson=s.wav\r\ncmdexe1=Lancer\r\ntimer auto=2.5\r\narret auto=30.5\r\n' >"$work/disc/auto.ini"
"$check" "$work/disc" >"$work/out"
for line in "Title = Noël 2026" "TitleSize = 12.5" "SoundFile = $work/disc/s.wav" "NoSound = false" \
            "Command4 = Lancer" "LaunchAfter = 2" "QuitAfter = 30.5"; do
    grep -qxF "$line" "$work/out" || fail "missing line: $line"
done

printf '[parametres]\ntimer auto=40000\n' >"$work/disc/auto.ini"
status=0
"$check" "$work/disc" >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 2 ] || fail "overflow exit status $status"
grep -q "timer auto" "$work/err" || fail "overflow message: $(cat "$work/err")"
echo "check tool: all passed"
