#!/bin/bash
# The start-up sound ("son") reaches the default PulseAudio sink; without it the sink stays
# silent. A private PulseAudio with a null sink is recorded through its monitor.
. "$(dirname "$0")/lib.sh" "$@"

# setting | expected on the sink
CASES='
son=tone.wav | sound
son=         | silence
'

start_x 96
start_pulse
while IFS= read -r row; do
    split_row "$row" setting expected || continue
    log "case: $setting"
    make_disc
    make_picture "$DISC/fond.bmp" 640 480
    sox -n -r 44100 -c 2 -b 16 -e signed-integer "$DISC/tone.wav" synth 1.5 sine 440 vol 0.5 ||
        fail "sox could not make the tone"
    write_ini image=fond.bmp "timer auto=25" "$setting"
    record_start "$WORK/rec.raw"
    start_menu
    wait_menu_window
    if [ "$expected" = sound ]; then
        _loud() { awk -v p="$(peak_level "$WORK/rec.raw")" 'BEGIN {exit !(p != "none" && p > 0.1)}'; }
        wait_until 10 _loud || fail "$setting: the sink stayed silent (peak $(peak_level "$WORK/rec.raw"))"
    else
        # Long enough for a start-up sound to have begun.
        until_time=$(awk -v s="$WIN_SEEN" 'BEGIN {print s + 2}')
        while awk -v now="$(uptime_now)" -v end="$until_time" 'BEGIN {exit !(now < end)}'; do sleep 0.2; done
        peak=$(peak_level "$WORK/rec.raw")
        [ "$peak" != none ] || fail "$setting: nothing recorded"
        awk -v p="$peak" 'BEGIN {exit !(p < 0.01)}' || fail "$setting: the sink played something (peak $peak)"
    fi
    record_stop
    click_centre "$RECT_QUITTER"
    expect_exit 10 0 "$setting: Quitter"
done <<<"$CASES"

pass
