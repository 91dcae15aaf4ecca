# Checks a screenshot of the menu window (ImageMagick "txt:" pixels, window-relative)
# against a list of expectations, read first:
#   picture RRGGBB                 the picture's one colour
#   visible NAME X Y W H           a button whose four edges fall on exactly these pixels
#   hidden NAME X Y W H            nothing but picture inside this box
#   text NAME X Y W H RRGGBB MIN   at least MIN pixels of this colour inside the box, and
#                                  none of it elsewhere outside the visible buttons
#   absent NAME RRGGBB             not one pixel of this colour anywhere
# Prints each failed check; exits 1 if any.

FNR == NR {
    if ($1 == "picture") picture = "#" $2
    else expected[++expectations] = $0
    next
}
/^#/ { next }
{
    split($1, xy, /[,:]/)
    color[xy[1] "," xy[2]] = substr($3, 1, 7)
    pixels++
}

function is_picture(x, y) { return color[x "," y] == picture }

# How many pixels of the span are picture: a column (x fixed) or a row (y fixed).
function picture_in_column(x, y0, y1,    y, n) { for (y = y0; y <= y1; y++) n += is_picture(x, y); return n }
function picture_in_row(y, x0, x1,    x, n) { for (x = x0; x <= x1; x++) n += is_picture(x, y); return n }

function problem(text) { print "FAIL: " text; failed = 1 }

# Corners are left out: themes round them and blend them with what lies beneath.
function check_visible(name, x, y, w, h,    top, bottom, left, right, rows, cols) {
    top = y + 3; bottom = y + h - 4; left = x + 3; right = x + w - 4
    rows = bottom - top + 1; cols = right - left + 1
    if (picture_in_column(x - 1, top, bottom) != rows) problem(name ": column " x - 1 " (left of it) is not all picture")
    if (picture_in_column(x, top, bottom) != 0) problem(name ": its left edge is not at column " x)
    if (picture_in_column(x + w, top, bottom) != rows) problem(name ": column " x + w " (right of it) is not all picture")
    if (picture_in_column(x + w - 1, top, bottom) != 0) problem(name ": its right edge is not at column " x + w - 1)
    if (picture_in_row(y - 1, left, right) != cols) problem(name ": row " y - 1 " (above it) is not all picture")
    if (picture_in_row(y, left, right) != 0) problem(name ": its top edge is not at row " y)
    if (picture_in_row(y + h, left, right) != cols) problem(name ": row " y + h " (below it) is not all picture")
    if (picture_in_row(y + h - 1, left, right) != 0) problem(name ": its bottom edge is not at row " y + h - 1)
}

function check_hidden(name, x, y, w, h,    row, cols) {
    cols = w - 6
    for (row = y + 3; row <= y + h - 4; row++)
        if (picture_in_row(row, x + 3, x + w - 4) != cols) { problem(name ": drawn although hidden (row " row ")"); return }
}

function within(px, py, box,    b) {
    split(box, b, " ")
    return px >= b[1] && px < b[1] + b[3] && py >= b[2] && py < b[2] + b[4]
}

function on_a_button(px, py,    i) {
    for (i = 1; i <= buttons; i++) if (within(px, py, button[i])) return 1
    return 0
}

function check_text(name, x, y, w, h, rgb, least,    key, inside, outside, p) {
    for (key in color) {
        if (color[key] != "#" rgb) continue
        split(key, p, ",")
        if (within(p[1], p[2], x " " y " " w " " h)) inside++
        else if (!on_a_button(p[1], p[2])) outside++
    }
    if (inside < least) problem(name ": " inside + 0 " pixels of #" rgb " inside its box, expected at least " least)
    if (outside > 0) problem(name ": " outside " pixels of #" rgb " outside its box")
}

function check_absent(name, rgb,    key, found) {
    for (key in color) if (color[key] == "#" rgb) found++
    if (found) problem(name ": " found " pixels of #" rgb " drawn")
}

END {
    if (picture == "" || pixels == 0) problem("no expectations or no pixels read")
    for (i = 1; i <= expectations; i++) {
        n = split(expected[i], f, " ")
        if (f[1] == "visible") button[++buttons] = f[3] " " f[4] " " f[5] " " f[6]
    }
    for (i = 1; i <= expectations; i++) {
        n = split(expected[i], f, " ")
        if (f[1] == "visible") check_visible(f[2], f[3], f[4], f[5], f[6])
        else if (f[1] == "hidden") check_hidden(f[2], f[3], f[4], f[5], f[6])
        else if (f[1] == "text") check_text(f[2], f[3], f[4], f[5], f[6], f[7], f[8])
        else if (f[1] == "absent") check_absent(f[2], f[3])
        else problem("unknown expectation: " expected[i])
    }
    exit failed
}
