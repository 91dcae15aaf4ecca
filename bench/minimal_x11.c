/* The bare Linux platform for comparison: a 640x480 window, centred, painted one colour
 * when exposed; with --text, also one line of Xft text, which brings in fontconfig and
 * FreeType as every Xft program does. discmenu's time beyond these is our own code's. */
#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>
#include <string.h>

#define WIDTH 640
#define HEIGHT 480
#define COLOUR 0x2060a0 /* bench/run looks for this colour on the screen */

int main(int argc, char **argv)
{
    const int text = argc > 1 && strcmp(argv[1], "--text") == 0;
    Display *display = XOpenDisplay(NULL);
    if (!display) return 1;
    const int screen = DefaultScreen(display);
    const int x = (DisplayWidth(display, screen) - WIDTH) / 2, y = (DisplayHeight(display, screen) - HEIGHT) / 2;
    XSetWindowAttributes attributes = {.background_pixel = COLOUR, .event_mask = ExposureMask};
    Window window = XCreateWindow(display, RootWindow(display, screen), x, y, WIDTH, HEIGHT, 0, CopyFromParent,
                                  InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    XMapWindow(display, window);
    XftDraw *draw = NULL;
    XftFont *font = NULL;
    XftColor ink;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != Expose || !text) continue;
        if (!draw) {
            Visual *visual = DefaultVisual(display, screen);
            Colormap colours = DefaultColormap(display, screen);
            draw = XftDrawCreate(display, window, visual, colours);
            font = XftFontOpen(display, screen, XFT_FAMILY, XftTypeString, "sans", XFT_PIXEL_SIZE, XftTypeDouble,
                               40.0, NULL);
            XftColorAllocName(display, visual, colours, "white", &ink);
        }
        const char *line = "Nos photos de vacances";
        XftDrawStringUtf8(draw, &ink, font, 40, 200, (const FcChar8 *)line, (int)strlen(line));
        XFlush(display);
    }
}
