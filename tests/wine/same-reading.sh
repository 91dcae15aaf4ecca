#!/bin/sh
# Same reading as Windows: same_reading.exe compares GetPrivateProfileStringA with our
# reader inside one Windows process (no display needed).
. "$(dirname "$0")/wine-lib.sh"
: "${SAME_READING_EXE:?}"

make_work same_reading
use_prefix
mkdir -p "$WORK/corpus"
"$WINE64" "$SAME_READING_EXE" "$(winpath "$WORK/corpus")"
