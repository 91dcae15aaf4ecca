#!/bin/bash
# scripts/make-disc on the demo disc: the image holds both menus, the settings, the demo's
# files, autorun.inf and the Linux autorun script, with Joliet and Rock Ridge names; its
# extracted copy passes the checker. A disc with errors gets no image.
set -eu
linux=$1 windows=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
[ -f "$windows" ] || { echo "SKIP: no Windows build at $windows"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$root/scripts/make-disc" --label VACANCES --out "$work/dist" --linux "$linux" --windows "$windows" \
    "$root/demo/disc" >"$work/make.log" 2>&1 || { cat "$work/make.log"; fail "make-disc refused the demo disc"; }
iso=$work/dist/discmenu.iso
[ -s "$iso" ] || { echo "FAIL: no image"; exit 1; }

listing() { xorriso -read_fs "$1" -indev "$iso" -find / -type f 2>/dev/null | tr -d "'" | sort; }
rock=$(listing any)
joliet=$(listing norock)
for file in /discmenu /discmenu.exe /auto.ini /autorun.inf /autorun /fond.bmp /bienvenue.wav \
            /photos.html /diaporama.html /visionneuse /visionneuse.bat /photos/01-coucher-de-soleil.png; do
    grep -qxF "$file" <<<"$rock" || fail "Rock Ridge tree lacks $file"
    grep -qxF "$file" <<<"$joliet" || fail "Joliet tree lacks $file"
done
xorriso -indev "$iso" -pvd_info 2>/dev/null | grep -q "Volume Id    : VACANCES" || fail "volume label"

mkdir "$work/extracted"
xorriso -osirrox on -indev "$iso" -extract / "$work/extracted" >/dev/null 2>&1 || fail "extraction"
for program in discmenu autorun visionneuse; do
    [ -x "$work/extracted/$program" ] || fail "$program lost its x permission"
done
cmp -s "$linux" "$work/extracted/discmenu" || fail "the Linux menu differs"
cmp -s "$windows" "$work/extracted/discmenu.exe" || fail "the Windows menu differs"
tr -d '\r' <"$work/extracted/autorun.inf" >"$work/autorun.inf"
for line in "[autorun]" "open=discmenu.exe" "icon=discmenu.exe,0" "label=VACANCES"; do
    grep -qxF "$line" "$work/autorun.inf" || fail "autorun.inf lacks $line"
done
status=0
"$work/extracted/../dist/disc/discmenu" --version >/dev/null 2>&1 || true # never started: no display
"$(dirname "$linux")/discmenu-check" "$work/extracted" >"$work/check.log" || status=$?
[ "$status" = 0 ] || { cat "$work/check.log"; fail "the checker's verdict on the extracted copy: status $status"; }

# Errors on the author's disc: no image.
mkdir "$work/broken"
printf '[parametres]\nimage=absent.bmp\n' >"$work/broken/auto.ini"
if "$root/scripts/make-disc" --out "$work/broken-dist" --linux "$linux" --windows "$windows" "$work/broken" \
       >"$work/broken.log" 2>&1; then
    fail "make-disc accepted a disc whose picture is missing"
fi
[ ! -e "$work/broken-dist/discmenu.iso" ] || fail "an image was written for a broken disc"

[ "$failures" = 0 ] || exit 1
echo "disc image: all passed"
