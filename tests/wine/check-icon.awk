# Compares the window's icon as X sees it (_NET_WM_ICON: width, height, then one ARGB
# number a pixel, one a line) with the XPM drawing it is made from, pixel for pixel.
# Usage: awk -f check-icon.awk discmenu_icon.xpm icon-numbers

function hex(text,    i, value) {
    value = 0
    text = toupper(text)
    for (i = 1; i <= length(text); i++) value = value * 16 + index("0123456789ABCDEF", substr(text, i, 1)) - 1
    return value
}

FNR == NR {
    if (match($0, /"[^"]*"/)) xpm[++lines] = substr($0, RSTART + 1, RLENGTH - 2)
    next
}
{ icon[++numbers] = $1 }

END {
    split(xpm[1], header, " ")
    width = header[1]; height = header[2]; colors = header[3]; cpp = header[4]
    for (i = 2; i <= colors + 1; i++) {
        n = split(substr(xpm[i], cpp + 1), word, " ")
        for (k = 1; k < n; k++) if (word[k] == "c") value = word[k + 1]
        # None is transparent; a colour is opaque: 0xFF000000 + RGB.
        argb[substr(xpm[i], 1, cpp)] = value == "None" ? 0 : 4278190080 + hex(substr(value, 2))
    }
    if (icon[1] != width || icon[2] != height) { print "FAIL: icon is " icon[1] "x" icon[2] ", drawing " width "x" height; exit 1 }
    wrong = 0
    for (y = 0; y < height; y++)
        for (x = 0; x < width; x++) {
            expected = argb[substr(xpm[2 + colors + y], x * cpp + 1, cpp)]
            got = icon[3 + y * width + x]
            # A transparent pixel's colour does not matter, only that it is transparent.
            if (expected == 0 ? got >= 16777216 : got != expected) wrong++
        }
    if (wrong) { print "FAIL: " wrong " icon pixels differ from the drawing"; exit 1 }
}
