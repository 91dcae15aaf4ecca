# Shared by the Wine tests: a private copy of the Wine prefix, a private X display, the
# menu started in the background, and the small waits and checks around it.
# Sourced by the test scripts; CTest passes the paths in the environment (see CMakeLists.txt).

set -eu

: "${WINE64:?}" "${WINESERVER:?}" "${WINE_TEMPLATE:?}" "${WINE_WORK:?}"

# Quiet, and no offer to install Mono or Gecko; no sound device is needed either.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv="
export LC_ALL=C.UTF-8

kScreenWidth=1024
kScreenHeight=768
kLongWaitTenths=600 # an upper bound for anything to happen, never an expectation

fail() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}

# The Windows name of a Unix path: Wine maps "/" to drive Z:.
winpath() {
    printf 'Z:%s' "$1" | tr / '\\'
}

# A fresh directory for this test: $WORK.
make_work() {
    WORK=$WINE_WORK/$1
    rm -rf "$WORK"
    mkdir -p "$WORK"
}

# A private prefix: the large files are hard links to the template, the files Wine
# rewrites (registry, win.ini) are copies, so tests never change each other's.
use_prefix() {
    prefix=$WORK/prefix
    [ -f "$WINE_TEMPLATE/system.reg" ] || fail "no Wine prefix template at $WINE_TEMPLATE"
    cp -al "$WINE_TEMPLATE" "$prefix"
    for file in system.reg user.reg userdef.reg .update-timestamp wineserver drive_c/windows/win.ini \
        drive_c/windows/system.ini; do
        if [ -f "$WINE_TEMPLATE/$file" ]; then cp --remove-destination "$WINE_TEMPLATE/$file" "$prefix/$file"; fi
    done
    export WINEPREFIX=$prefix
    trap cleanup EXIT
}

# A private X server on a free display number.
start_display() {
    Xvfb -displayfd 3 -screen 0 ${kScreenWidth}x${kScreenHeight}x24 -nolisten tcp \
        3>"$WORK/display" 2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    tenths=0
    until [ -s "$WORK/display" ]; do
        tenths=$((tenths + 1))
        [ $tenths -lt $kLongWaitTenths ] || fail "Xvfb did not start"
        sleep 0.1
    done
    export DISPLAY=":$(cat "$WORK/display")"
}

cleanup() {
    [ -n "${MENU_PID:-}" ] && kill "$MENU_PID" 2>/dev/null || true
    [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k 2>/dev/null || true
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
}

# Starts the menu of disc directory $1 in the background, from $WORK/cwd, with its
# standard output and error in $WORK/menu.out and $WORK/menu.err.
start_menu() {
    mkdir -p "$WORK/cwd"
    (cd "$WORK/cwd" && exec "$WINE64" "$1/discmenu.exe" >"$WORK/menu.out" 2>"$WORK/menu.err") &
    MENU_PID=$!
}

menu_running() {
    kill -0 "$MENU_PID" 2>/dev/null
}

# Waits for the menu to end by itself and sets MENU_STATUS.
wait_menu_end() {
    tenths=0
    while menu_running; do
        tenths=$((tenths + 1))
        [ $tenths -lt $kLongWaitTenths ] || fail "the menu did not end"
        sleep 0.1
    done
    MENU_STATUS=0
    wait "$MENU_PID" || MENU_STATUS=$?
    MENU_PID=
}

# Prints the X window id of the first mapped window named exactly $1, once it is there.
wait_window() {
    tenths=0
    while :; do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
        if [ -n "$id" ]; then
            echo "$id"
            return
        fi
        menu_running || fail "the menu ended before a window named \"$1\" appeared"
        tenths=$((tenths + 1))
        [ $tenths -lt $kLongWaitTenths ] || fail "no window named \"$1\" appeared"
        sleep 0.1
    done
}

is_visible_window() {
    [ -n "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ]
}

# X, Y, WIDTH and HEIGHT of X window $1, on one line.
window_geometry() {
    xwininfo -id "$1" | awk '
        /Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'
}

# Clicks at window-relative point ($2, $3) of X window $1.
click_in() {
    set -- $(window_geometry "$1") "$2" "$3"
    xdotool mousemove $(($1 + $5)) $(($2 + $6)) click 1
}

# Presses keys with the pointer resting over X window $1, so the keys go to it.
keys_to() {
    window=$1
    shift
    set -- $(window_geometry "$window") "$@"
    xdotool mousemove $(($1 + 2)) $(($2 + 2))
    shift 4
    xdotool key "$@"
}

# A picture of one colour, so anything drawn over it stands out.
make_picture() {
    convert -size 640x480 "xc:$2" "bmp3:$1"
}

# A disc: discmenu.exe, the recorder under the given names and an auto.ini from stdin.
make_disc() {
    disc=$1
    shift
    mkdir -p "$disc"
    cp "$DISCMENU_EXE" "$disc/discmenu.exe"
    for name in "$@"; do cp "$RECORDER_EXE" "$disc/$name"; done
    cat >"$disc/auto.ini"
}

# A screenshot of the whole screen once drawing has settled: two shots in a row alike.
stable_screenshot() {
    previous=
    tenths=0
    while :; do
        import -window root "$1"
        current=$(convert "$1" rgb:- | md5sum)
        [ "$current" = "$previous" ] && return
        previous=$current
        tenths=$((tenths + 3))
        [ $tenths -lt $kLongWaitTenths ] || fail "the screen never settled"
        sleep 0.3
    done
}

# "name=value" lines of probe.exe about the running menu.
probe_window() {
    "$WINE64" "$PROBE_EXE" window | tr -d '\r'
}

# Fails unless probe output $1 holds the line $2 exactly.
expect_line() {
    printf '%s\n' "$1" | grep -qxF -- "$2" || fail "expected \"$2\" in:
$1"
}

# Twips of the design (15 to a pixel) to the nearest pixel.
design_pixels() {
    echo $((($1 + 7) / 15))
}
