#!/bin/sh
# Fixture: the Wine prefix every Wine test copies, made once per test run. Besides what
# wineboot creates, it knows one document type, ".discdoc", opened by our recorder.
. "$(dirname "$0")/wine-lib.sh"

rm -rf "$WINE_TEMPLATE"
mkdir -p "$WINE_WORK"
export WINEPREFIX=$WINE_TEMPLATE
unset DISPLAY # nothing to show: wineboot works without a display
trap '"$WINESERVER" -k 2>/dev/null || true' EXIT

"$WINE64" wineboot --init >"$WINE_WORK/wineboot.log" 2>&1 || fail "wineboot failed: $(cat "$WINE_WORK/wineboot.log")"

# The recorder keeps its place in the build tree; its command line gets the document's path.
# Registered for the whole machine: Wine's ShellExecute does not read the per-user classes.
recorder=$(winpath "$RECORDER_EXE" | sed 's/\\/\\\\/g')
cat >"$WINE_WORK/discdoc.reg" <<REG
REGEDIT4

[HKEY_CLASSES_ROOT\\.discdoc]
@="discmenu.testdoc"

[HKEY_CLASSES_ROOT\\discmenu.testdoc\\shell\\open\\command]
@="\\"$recorder\\" \\"%1\\""
REG
"$WINE64" reg import "$(winpath "$WINE_WORK/discdoc.reg")" >/dev/null 2>&1 || fail "cannot register .discdoc"

# The registry reaches its files when the server ends; the copies are made from those.
"$WINESERVER" -w
grep -q 'discmenu.testdoc' "$WINE_TEMPLATE/system.reg" || fail "the .discdoc association is not in the prefix"
echo "Wine prefix ready: $WINE_TEMPLATE"
