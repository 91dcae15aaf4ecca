#!/bin/bash
# Closing the window the way a window manager asks (WM_DELETE_WINDOW) ends the menu with
# status 0; Escape, which the menu ignores, does not.
. "$(dirname "$0")/lib.sh" "$@"

# A window manager's close request, in a few lines of Xlib: no manager runs on Xvfb.
cat >"$WORK/close.c" <<'C'
#include <X11/Xlib.h>
#include <stdlib.h>
int main(int argc, char** argv)
{
    Display* display = XOpenDisplay(NULL);
    if (!display || argc != 2) return 2;
    XEvent event = {0};
    event.xclient.type = ClientMessage;
    event.xclient.window = strtoul(argv[1], NULL, 0);
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
    XCloseDisplay(display);
    return 0;
}
C
cc -o "$WORK/close" "$WORK/close.c" -lX11 || fail "cannot build the close request"

start_x 96
make_disc
make_picture "$DISC/pelorine.bmp" 640 480
start_menu
wait_menu_window
press_on "$WIN" Escape
sleep 1
menu_running || fail "Escape ended the menu"
"$WORK/close" "$WIN" || fail "the close request could not be sent"
expect_exit 10 0 "the window manager's close request"
pass
