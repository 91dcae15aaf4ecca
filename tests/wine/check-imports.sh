#!/bin/sh
# discmenu.exe imports only DLLs that every Windows has: nothing of the compiler's runtime
# (libstdc++, libgcc, winpthread) and no WIC DLL, which it reaches through COM.
set -eu
: "${OBJDUMP:?}" "${DISCMENU_EXE:?}"

allowed="kernel32.dll user32.dll gdi32.dll shell32.dll winmm.dll ole32.dll oleaut32.dll comctl32.dll msvcrt.dll"

imports=$("$OBJDUMP" -p "$DISCMENU_EXE" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$imports" ] || { echo "FAIL: no import table read from $DISCMENU_EXE" >&2; exit 1; }
status=0
for dll in $imports; do
    case " $allowed " in
        *" $dll "*) echo "ok: $dll" ;;
        *) echo "FAIL: discmenu.exe imports $dll, which is not on every Windows" >&2; status=1 ;;
    esac
done
"$OBJDUMP" -p "$DISCMENU_EXE" | grep -q 'Subsystem.*Windows GUI' || { echo "FAIL: not a GUI program" >&2; status=1; }
exit $status
