#!/bin/sh
# discmenu.exe carries its icon (id 1, one 32 x 32 image) and a manifest that asks for
# version 6 of the common controls and real pixels (dpiAware).
set -eu
: "${WINDRES:?}" "${DISCMENU_EXE:?}"

resources=$("$WINDRES" -i "$DISCMENU_EXE" -J coff -O rc)
status=0
expect() {
    if printf '%s\n' "$resources" | grep -q -- "$1"; then
        echo "ok: $2"
    else
        echo "FAIL: no $2 in discmenu.exe" >&2
        status=1
    fi
}
expect '^1 14 /\* RT_GROUP_ICON \*/' "icon group with id 1"
expect 'Has 1 elements' "single icon image"
expect '^1 24 /\* RT_MANIFEST \*/' "manifest with id 1"
expect 'name=""Microsoft.Windows.Common-Controls"" version=""6.0.0.0""' "common controls version 6"
expect '<dpiAware[^>]*>true</dpiAware>' "dpiAware true"
exit $status
