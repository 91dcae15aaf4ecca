# Shared helpers for the X11 tests. A test script starts with
#     . "$(dirname "$0")/lib.sh" "$@"
# where $1 is the discmenu binary. Everything a test starts (X server, PulseAudio, discmenu,
# recorders) lives under one temporary directory and is ended by the EXIT trap, so tests can
# run side by side (ctest -j).
# The constants are used by the scripts that source this file.
# shellcheck shell=bash disable=SC2034

set -u

DISCMENU_BIN=${1:-}
if [ -z "$DISCMENU_BIN" ] || [ ! -x "$DISCMENU_BIN" ]; then
    echo "FAIL: usage: $0 PATH_TO_DISCMENU (got '${DISCMENU_BIN}', not an executable)" >&2
    exit 2
fi
DISCMENU_BIN=$(readlink -f "$DISCMENU_BIN")
TEST_NAME=$(basename "$0" .sh)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/discmenu-x11-$TEST_NAME.XXXXXX")
REC_LOG=$WORK/launches.log
export REC_LOG
: >"$REC_LOG"

# Pictures use these colours; the window's own background is light yellow.
PICTURE_HEX='#204060'
PICTURE_RGB='32 64 96'
BACKGROUND_RGB='255 255 128'

# Window-relative rectangles (x y w h) of the controls.
RECT_COMMAND1='144 304 353 33'
RECT_COMMAND2='144 344 353 33'
RECT_COMMAND4='144 384 353 33'
RECT_COMMAND5='144 424 353 33'
RECT_QUITTER='544 304 65 153'
RECT_TITLE='88 168 505 105'
RECT_CREDIT='8 456 161 17'
WIN_W=640
WIN_H=480
SCREEN_W=1024
SCREEN_H=768

_PIDS=()          # background processes of ours, ended by the trap
DM_PID=           # the running discmenu
DM_STATUS_FILE=   # gets discmenu's exit status when it ends
DM_OUT=
DM_ERR=
WIN=              # the menu window's id
WIN_X=
WIN_Y=

log() { printf '[%s] %s\n' "$TEST_NAME" "$*" >&2; }

_dump_diagnostics() {
    local f
    for f in "$DM_OUT" "$DM_ERR" "$REC_LOG"; do
        [ -n "$f" ] && [ -s "$f" ] || continue
        printf -- '--- %s\n' "$f" >&2
        tail -n 30 "$f" >&2
    done
}

fail() {
    printf 'FAIL [%s]: %s\n' "$TEST_NAME" "$*" >&2
    _dump_diagnostics
    # Inside $(...) exiting would only end the subshell: stop the test itself.
    [ "$BASHPID" = "$$" ] || kill -TERM "$$"
    exit 1
}

pass() {
    printf 'PASS [%s]%s\n' "$TEST_NAME" "${1:+: $1}"
    exit 0
}

_cleanup() {
    local status=$? pid i
    # Programs started by discmenu run in their own sessions: end them by the pids they logged.
    if [ -s "$REC_LOG" ]; then
        for pid in $(sed -n 's/^prog\t.*\tpid=\([0-9]*\).*/\1/p' "$REC_LOG"); do
            kill -TERM "$pid" 2>/dev/null
        done
    fi
    [ -n "$DM_PID" ] && kill -TERM "$DM_PID" 2>/dev/null
    for ((i = ${#_PIDS[@]} - 1; i >= 0; i--)); do
        kill -TERM "${_PIDS[i]}" 2>/dev/null
    done
    for pid in "${_PIDS[@]}"; do
        # Bounded: a server that ignores TERM gets KILL after 5 s.
        for i in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    if [ "${X11_KEEP:-0}" = 1 ]; then
        echo "kept $WORK" >&2
    else
        rm -rf "$WORK"
    fi
    exit "$status"
}
trap _cleanup EXIT
trap 'exit 1' INT TERM

_track() { _PIDS+=("$1"); }

# wait_until SECONDS COMMAND...: polls COMMAND every 0.1 s; returns 1 once SECONDS have
# passed without it succeeding. A guard against hangs, not a measure of speed.
wait_until() {
    local end=$((SECONDS + $1 + 1))
    shift
    while ((SECONDS < end)); do
        "$@" && return 0
        sleep 0.1
    done
    "$@"
}

# trim TEXT: TEXT without its leading and trailing blanks.
trim() {
    local s=$1
    s=${s#"${s%%[![:space:]]*}"}
    printf '%s' "${s%"${s##*[![:space:]]}"}"
}

# split_row ROW VAR...: the |-separated cells of a table row, trimmed, into CELLS and
# into the named variables in turn. Returns 1 for a blank row.
split_row() {
    local row=$1 var i=0 raw
    shift
    [ -n "$(trim "$row")" ] || return 1
    IFS='|' read -r -a raw <<<"$row"
    CELLS=()
    for ((i = 0; i < ${#raw[@]}; i++)); do CELLS+=("$(trim "${raw[i]}")"); done
    i=0
    for var in "$@"; do
        printf -v "$var" '%s' "${CELLS[i]:-}"
        i=$((i + 1))
    done
}

uptime_now() { local up _; read -r up _ </proc/uptime; echo "$up"; }

# --- X server ---------------------------------------------------------------------------

# start_x DPI: a private Xvfb on a display number it picks itself; sets DISPLAY.
start_x() {
    local dpi=$1 fdfile=$WORK/displayfd.$RANDOM
    : >"$fdfile"
    # -noreset: the server must keep root properties (Xft.dpi) when clients come and go.
    Xvfb -displayfd 3 -screen 0 ${SCREEN_W}x${SCREEN_H}x24 -dpi "$dpi" -nolisten tcp -noreset \
        3>"$fdfile" >"$WORK/xvfb.log" 2>&1 </dev/null &
    XVFB_PID=$!
    _track "$XVFB_PID"
    _displayfd_written() { grep -q '^[0-9][0-9]*$' "$fdfile" 2>/dev/null || ! kill -0 "$XVFB_PID" 2>/dev/null; }
    wait_until 20 _displayfd_written
    kill -0 "$XVFB_PID" 2>/dev/null || { cat "$WORK/xvfb.log" >&2; fail "Xvfb did not start"; }
    grep -q '^[0-9][0-9]*$' "$fdfile" || fail "Xvfb did not report its display within 20 s"
    export DISPLAY=":$(head -n 1 "$fdfile")"
    unset XAUTHORITY
}

# stop_x: ends the current Xvfb (a test that needs a fresh server per case).
stop_x() {
    kill -TERM "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    unset DISPLAY
}

# set_xft_dpi N: the Xft.dpi resource, as xrdb -merge would set it.
set_xft_dpi() {
    xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	$1
" || fail "could not set Xft.dpi"
    xprop -root RESOURCE_MANAGER | grep -q "Xft.dpi:.*$1" || fail "Xft.dpi did not reach the server"
}

# --- PulseAudio -------------------------------------------------------------------------

# Clients never autospawn a daemon (a stray one would outlive the test); without
# start_pulse they find no server at all.
export PULSE_CLIENTCONFIG=$WORK/pulse-client.conf
printf 'autospawn = no\n' >"$PULSE_CLIENTCONFIG"
export PULSE_SERVER="unix:$WORK/no-pulse-server"

# start_pulse: a private PulseAudio with one null sink "testsink" (the default sink).
start_pulse() {
    local d=$WORK/pulse
    mkdir -p "$d/run" "$d/home" "$d/state" "$d/config"
    chmod 700 "$d/run"
    # As root PulseAudio warns but runs in user mode; its own HOME and runtime dirs keep
    # parallel tests apart.
    env HOME="$d/home" XDG_RUNTIME_DIR="$d/run" XDG_CONFIG_HOME="$d/config" \
        PULSE_RUNTIME_PATH="$d/run/pulse" PULSE_STATE_PATH="$d/state" \
        pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disallow-exit \
        --log-target=stderr -L "module-null-sink sink_name=testsink" \
        -L "module-native-protocol-unix socket=$d/socket auth-anonymous=1" \
        >"$d/log" 2>&1 </dev/null &
    PULSE_PID=$!
    _track "$PULSE_PID"
    export PULSE_SERVER="unix:$d/socket"
    wait_until 20 pactl info >/dev/null 2>&1 || { cat "$d/log" >&2; fail "PulseAudio did not start"; }
    pactl set-default-sink testsink || fail "no null sink"
}

# record_start FILE: records the null sink's monitor (s16le, 44100 Hz, stereo) into FILE.
record_start() {
    parec --raw -d testsink.monitor --format=s16le --rate=44100 --channels=2 --latency-msec=20 \
        >"$1" 2>"$WORK/parec.err" </dev/null &
    PAREC_PID=$!
    _track "$PAREC_PID"
    _recording() { pactl list short source-outputs 2>/dev/null | grep -q .; }
    wait_until 10 _recording || fail "parec did not connect"
}

record_stop() {
    kill -TERM "$PAREC_PID" 2>/dev/null
    wait "$PAREC_PID" 2>/dev/null
}

# peak_level FILE: the peak amplitude (0..1) of a raw recording made by record_start.
peak_level() {
    sox -t raw -r 44100 -e signed -b 16 -c 2 "$1" -n stat 2>&1 |
        awk '/^Maximum amplitude/ {print $3; found=1} END {if (!found) print "none"}'
}

# --- Disc directory, fixtures, recorders --------------------------------------------------

# make_picture FILE WIDTH HEIGHT [FORMAT]: a uniform picture of PICTURE_HEX.
make_picture() {
    local file=$1 w=$2 h=$3 format=${4:-bmp3}
    convert -size "${w}x${h}" "xc:$PICTURE_HEX" "$format:$file" || fail "convert could not make $file"
}

# make_disc [DIRNAME]: DISC = a fresh directory holding a copy of discmenu (a copy, since it
# finds its settings beside its own executable). Write the settings with write_ini.
make_disc() {
    DISC=$WORK/${1:-disc}
    rm -rf "$DISC"
    mkdir -p "$DISC"
    cp "$DISCMENU_BIN" "$DISC/discmenu"
}

# write_ini LINE...: auto.ini with section [parametres] and the given key=value lines.
write_ini() {
    { printf '[parametres]\r\n'; printf '%s\r\n' "$@"; } >"$DISC/auto.ini"
}

# A stand-in for xdg-open, first on PATH: logs its arguments and working directory.
mkdir -p "$WORK/bin"
cat >"$WORK/bin/xdg-open" <<'EOF'
#!/bin/sh
read -r up _ </proc/uptime
line="open	t=$up	pid=$$	argc=$#	cwd=$(pwd)"
i=1
for a in "$@"; do line="$line	arg$i=$a"; i=$((i + 1)); done
printf '%s\n' "$line" >>"$REC_LOG"
EOF
chmod 755 "$WORK/bin/xdg-open"
export PATH="$WORK/bin:$PATH"

# The recording program: logs its argv, cwd, session, open descriptors; then lingers
# REC_LINGER seconds (default 0) so a test can see that the menu does not wait for it.
cat >"$WORK/recorder" <<'EOF'
#!/bin/sh
argc=$#
read -r up _ </proc/uptime
# The session id: 4th field after "(comm)" in /proc/PID/stat (comm may hold spaces).
read -r stat </proc/$$/stat
set -f
set -- ${stat##*) }
sid=$4
set +f
self=$(readlink -f "$0")
# Listed from a subshell that redirects its own output: dash would otherwise shuffle this
# shell's descriptors around a redirected command.
(exec >"$REC_LOG.fd.$$" 2>/dev/null; ls -l /proc/$$/fd/)
fds=
targets=
while read -r _perms _links _owner _group _size _month _day _time fd arrow target; do
    [ "$arrow" = "->" ] || continue
    # The shell keeps this script open to read it.
    [ "$target" = "$self" ] && continue
    fds="${fds:+$fds,}$fd"
    targets="${targets:+$targets;}$fd:$target"
done <"$REC_LOG.fd.$$"
rm -f "$REC_LOG.fd.$$"
printf 'prog\tt=%s\tpid=%s\tsid=%s\targv0=%s\targc=%s\tcwd=%s\tfds=%s\tfd_targets=%s\n' \
    "$up" "$$" "$sid" "$0" "$argc" "$(pwd)" "$fds" "$targets" >>"$REC_LOG"
[ "${REC_LINGER:-0}" -gt 0 ] && exec sleep "$REC_LINGER"
exit 0
EOF
chmod 755 "$WORK/recorder"

# install_recorder NAME: the recording program as DISC/NAME.
install_recorder() {
    cp "$WORK/recorder" "$DISC/$1" && chmod 755 "$DISC/$1"
}

# log_lines KIND: the logged launches of one kind ("open" or "prog").
log_lines() { grep "^$1	" "$REC_LOG" || true; }
log_count() { log_lines "$1" | grep -c . || true; }
# field LINE KEY
field() { printf '%s\n' "$1" | tr '\t' '\n' | sed -n "s/^$2=//p" | head -n 1; }
wait_log() { # wait_log KIND SECONDS [COUNT]
    local kind=$1 limit=$2 count=${3:-1}
    _enough() { [ "$(log_count "$kind")" -ge "$count" ]; }
    wait_until "$limit" _enough
}

# --- discmenu -----------------------------------------------------------------------------

# start_menu: runs DISC/discmenu in the background; its output goes to files. With
# START_AS=USER set, it runs as that user instead.
start_menu() {
    local as=()
    [ -z "${START_AS:-}" ] || as=(setpriv --reuid="$START_AS" --regid=nogroup --clear-groups --)
    DM_OUT=$WORK/discmenu.out
    DM_ERR=$WORK/discmenu.err
    DM_STATUS_FILE=$WORK/discmenu.status
    rm -f "$DM_STATUS_FILE" "$WORK/discmenu.pid"
    : >"$DM_OUT"
    : >"$DM_ERR"
    (
        trap - EXIT INT TERM
        # fd 9 is one more inherited descriptor that must not reach what discmenu starts.
        "${as[@]}" "$DISC/discmenu" >"$DM_OUT" 2>"$DM_ERR" </dev/null 9<"$REC_LOG" &
        echo $! >"$WORK/discmenu.pid"
        wait $!
        echo $? >"$DM_STATUS_FILE.tmp"
        mv "$DM_STATUS_FILE.tmp" "$DM_STATUS_FILE"
    ) &
    _track $!
    wait_until 10 test -s "$WORK/discmenu.pid" || fail "discmenu did not start"
    DM_PID=$(cat "$WORK/discmenu.pid")
    DM_START=$(uptime_now)
}

menu_running() { [ -n "$DM_STATUS_FILE" ] && [ ! -e "$DM_STATUS_FILE" ]; }

# wait_exit SECONDS: waits for discmenu to end; sets DM_STATUS. Fails the test on timeout.
wait_exit() {
    local limit=$1
    _ended() { [ -s "$DM_STATUS_FILE" ]; }
    wait_until "$limit" _ended || fail "discmenu still running after $limit s"
    DM_STATUS=$(cat "$DM_STATUS_FILE")
    DM_EXIT_TIME=$(uptime_now)
    DM_PID=
}

# expect_exit SECONDS STATUS WHAT
expect_exit() {
    wait_exit "$1"
    [ "$DM_STATUS" = "$2" ] || fail "$3: exit status $DM_STATUS, expected $2"
}

# top_windows: "id<TAB>name<TAB>class<TAB>WxH+X+Y" for each viewable child of the root.
top_windows() {
    local id rest
    xwininfo -root -children 2>/dev/null | sed -n 's/^ *\(0x[0-9a-f]*\) \(.*\)$/\1 \2/p' |
        while read -r id rest; do
            xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
            local name='' class='' geom
            case $rest in \"*) name=${rest#\"}; name=${name%%\": *} ;; esac
            case $rest in *'("'*) class=${rest#*\(\"}; class=${class%%\"*} ;; esac
            geom=$(printf '%s\n' "$rest" | grep -o '[0-9]*x[0-9]*+-*[0-9]*+-*[0-9]*' | head -n 1)
            printf '%s\t%s\t%s\t%s\n' "$id" "$name" "$class" "$geom"
        done
}

# find_menu_window: the id of discmenu's visible window (not the error box), or nothing.
find_menu_window() {
    top_windows | awk -F'\t' '$3 == "discmenu" && $2 != "discmenu: error" {print $1; exit}'
}

# wait_menu_window [SECONDS]: sets WIN, WIN_X, WIN_Y (and WIN_SEEN, the uptime) once the menu
# window is viewable and fully painted.
wait_menu_window() {
    local limit=${1:-20}
    _have_menu() { WIN=$(find_menu_window); [ -n "$WIN" ]; }
    wait_until "$limit" _have_menu || fail "no menu window within $limit s"
    WIN_X=$(xwininfo -id "$WIN" | awk '/Absolute upper-left X/ {print $4}')
    WIN_Y=$(xwininfo -id "$WIN" | awk '/Absolute upper-left Y/ {print $4}')
    WIN_SEEN=$(uptime_now)
    # Painted: its top-left pixel is no longer the root's black.
    _painted() {
        shot "$WORK/paint-check.ppm"
        [ "$(pixel "$WORK/paint-check.ppm" $((WIN_X + 2)) $((WIN_Y + 2)))" != "0 0 0" ]
    }
    wait_until 10 _painted || fail "menu window never painted"
    # Painting is done once two screenshots in a row agree.
    _settled() {
        shot "$WORK/paint-check2.ppm"
        cmp -s "$WORK/paint-check.ppm" "$WORK/paint-check2.ppm" && return 0
        mv "$WORK/paint-check2.ppm" "$WORK/paint-check.ppm"
        return 1
    }
    wait_until 10 _settled || fail "menu window keeps changing"
}

# wait_window_named NAME [SECONDS]: prints the id of a viewable top-level window named NAME.
wait_window_named() {
    local name=$1 limit=${2:-20} id=
    _named() { id=$(top_windows | awk -F'\t' -v n="$name" '$2 == n {print $1; exit}'); [ -n "$id" ]; }
    wait_until "$limit" _named || return 1
    echo "$id"
}

# Window geometry: "X Y W H".
window_geometry() {
    xwininfo -id "$1" | awk '
        /Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /^ *Width:/ {w=$2} /^ *Height:/ {h=$2}
        END {print x, y, w, h}'
}

# click X Y: a left click at window-relative X Y.
click() {
    timeout 10 xdotool mousemove $((WIN_X + $1)) $((WIN_Y + $2)) click 1 || fail "xdotool click failed"
}

# click_centre RECT
click_centre() {
    local x y w h
    read -r x y w h <<<"$1"
    click $((x + w / 2)) $((y + h / 2))
}

# press_on WINDOW KEY...: gives WINDOW the keyboard focus, then types the keys.
press_on() {
    local window=$1
    shift
    if ! timeout 10 xdotool windowfocus "$window" 2>/dev/null; then
        menu_running || fail "window $window is gone: discmenu ended with status $(cat "$DM_STATUS_FILE")"
        fail "could not focus window $window"
    fi
    timeout 10 xdotool key --delay 80 "$@" || fail "xdotool key $* failed"
}

# --- Map watcher: did a 640x480 window ever get mapped? ------------------------------------

watch_maps_start() {
    MAPLOG=$WORK/maps.log
    xev -root -event substructure >"$MAPLOG" 2>/dev/null </dev/null &
    MAPWATCH_PID=$!
    _track "$MAPWATCH_PID"
    # xev is listening once it reports a marker window of ours being mapped; the marker is
    # mapped again until it does, since xev may have started listening after the first time.
    xmessage -name discmenu-test-marker -geometry 20x20+0+0 marker >/dev/null 2>&1 </dev/null &
    local marker=$! marker_id=
    _marker_up() { marker_id=$(wait_window_named discmenu-test-marker 1 2>/dev/null); [ -n "$marker_id" ]; }
    wait_until 10 _marker_up || fail "marker window did not appear"
    _marker_seen() {
        grep -q '^MapNotify' "$MAPLOG" && return 0
        timeout 5 xdotool windowunmap --sync "$marker_id" windowmap --sync "$marker_id" 2>/dev/null
        return 1
    }
    wait_until 10 _marker_seen || fail "xev saw no map event"
    kill "$marker" 2>/dev/null
    wait "$marker" 2>/dev/null
}

watch_maps_stop() {
    kill "$MAPWATCH_PID" 2>/dev/null
    wait "$MAPWATCH_PID" 2>/dev/null
}

# mapped_menu_sized: prints the ids of windows mapped at 640x480 since watch_maps_start.
mapped_menu_sized() {
    awk '
        /^(CreateNotify|ConfigureNotify|MapNotify)/ {ev=$1; next}
        ev != "" && match($0, /window 0x[0-9a-f]+/) {
            id = substr($0, RSTART + 7, RLENGTH - 7)
            if (ev != "MapNotify" && match($0, /width [0-9]+, height [0-9]+/)) {
                split(substr($0, RSTART, RLENGTH), p, /[ ,]+/); size[id] = p[2] "x" p[4]
            }
            if (ev == "MapNotify") mapped[id] = 1
            ev = ""
        }
        END { for (id in mapped) if (size[id] == "640x480") print id }' "$MAPLOG"
}

# --- Screenshots and pixels -----------------------------------------------------------------

# shot FILE: the whole screen as binary PPM.
shot() {
    import -window root -depth 8 "ppm:$1" 2>/dev/null || fail "screenshot failed"
}

# pixel FILE X Y: "R G B" at screen coordinates X Y of a PPM from shot.
pixel() {
    local file=$1 x=$2 y=$3 magic w h max header
    { read -r magic; read -r w h; read -r max; } <"$1"
    [ "$magic" = P6 ] && [ "$max" = 255 ] || fail "unexpected screenshot format in $file"
    header=$(( ${#magic} + ${#w} + ${#h} + ${#max} + 4 ))
    local rgb
    rgb=$(od -An -tu1 -v -j $((header + (y * w + x) * 3)) -N 3 "$file" | awk 'NF == 3 {print $1, $2, $3}')
    [ -n "$rgb" ] || fail "no pixel $x,$y in $file"
    echo "$rgb"
}

# wpixel FILE X Y: like pixel, window-relative.
wpixel() { pixel "$1" $((WIN_X + $2)) $((WIN_Y + $3)); }

# region_colours FILE X Y W H (window-relative): "count R G B" per colour in the rectangle.
region_colours() {
    local colours
    colours=$(convert "$1" -crop "$4x$5+$((WIN_X + $2))+$((WIN_Y + $3))" +repage -depth 8 \
        -format %c histogram:info:- |
        sed -n 's/^ *\([0-9]*\): *( *\([0-9.]*\), *\([0-9.]*\), *\([0-9.]*\)[,)].*/\1 \2 \3 \4/p')
    # A rectangle cut short (off the screen, unreadable file) would make every count pass.
    [ "$(printf '%s\n' "$colours" | awk '{n += $1} END {print n + 0}')" = $(($4 * $5)) ] ||
        fail "could not read the ${4}x$5 rectangle at $2,$3 of $1"
    printf '%s\n' "$colours"
}

# count_where FILE X Y W H AWK_CONDITION: pixels of the rectangle whose r, g, b meet the condition.
count_where() {
    region_colours "$1" "$2" "$3" "$4" "$5" |
        awk "{r=\$2; g=\$3; b=\$4; if ($6) n += \$1} END {print n + 0}"
}

# near RGB1 RGB2 TOLERANCE: whether two "R G B" colours differ by at most TOLERANCE per channel.
near() {
    local a b
    read -r -a a <<<"$1"
    read -r -a b <<<"$2"
    local i d
    for i in 0 1 2; do
        d=$((a[i] - b[i]))
        [ "${d#-}" -le "$3" ] || return 1
    done
}

IS_PICTURE='r == 32 && g == 64 && b == 96'
IS_TITLE_GREEN='r >= 176 && r <= 208 && g >= 240 && b >= 176 && b <= 208'
