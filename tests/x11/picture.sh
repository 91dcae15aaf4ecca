#!/bin/bash
# A picture smaller than the window is drawn unscaled from the top-left corner, in each
# supported format; the window's light yellow shows beyond it.
. "$(dirname "$0")/lib.sh" "$@"

# file name | convert's format | per-channel tolerance (JPEG is lossy)
CASES='
petit.bmp | bmp3 | 0
petit.png | png  | 0
petit.gif | gif  | 0
petit.jpg | jpg  | 6
'

# window-relative point | what it must show (the picture is 320x240)
PROBES='
5 5     | picture
319 50  | picture
50 239  | picture
319 239 | picture
320 50  | background
50 240  | background
320 240 | background
500 400 | background
630 20  | background
'

start_x 96
while IFS= read -r row; do
    split_row "$row" file format tolerance || continue
    log "case: $file"
    make_disc
    make_picture "$DISC/$file" 320 240 "$format"
    # A title of one blank keeps green text away from the probes.
    write_ini "titre= " "image=$file" "timer auto=25"
    start_menu
    wait_menu_window
    shot "$WORK/shot.ppm"
    while IFS= read -r probe; do
        split_row "$probe" point expected || continue
        read -r px py <<<"$point"
        got=$(wpixel "$WORK/shot.ppm" "$px" "$py")
        if [ "$expected" = picture ]; then
            near "$got" "$PICTURE_RGB" "$tolerance" ||
                fail "$file: pixel $px,$py is '$got', expected the picture's '$PICTURE_RGB'"
        else
            near "$got" "$BACKGROUND_RGB" 0 ||
                fail "$file: pixel $px,$py is '$got', expected the background '$BACKGROUND_RGB'"
        fi
    done <<<"$PROBES"
    click_centre "$RECT_QUITTER"
    expect_exit 10 0 "$file: Quitter"
done <<<"$CASES"

pass
