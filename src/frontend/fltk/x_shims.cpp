// What the statically linked FLTK asks of X that the menu answers itself.
//
// FLTK was built to use four small X libraries (Xinerama, Xfixes, Xcursor, and Xdbe in
// Xext). Linking them would make the binary refuse to start wherever one is missing, so
// each function is looked up when first called: with the library, FLTK gets the real
// answer; without it, the answer of a server that lacks the extension.

#include <X11/Xcursor/Xcursor.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <X11/extensions/Xdbe.h>
#include <X11/extensions/Xfixes.h>
#include <X11/extensions/Xinerama.h>
#include <dlfcn.h>

namespace {

template <typename Function>
Function* Lookup(const char* library, const char* name)
{
    void* handle = dlopen(library, RTLD_LAZY | RTLD_LOCAL); // loaded once; later calls share it
    return handle ? reinterpret_cast<Function*>(dlsym(handle, name)) : nullptr;
}

constexpr const char* kXinerama = "libXinerama.so.1";
constexpr const char* kXfixes = "libXfixes.so.3";
constexpr const char* kXcursor = "libXcursor.so.1";
constexpr const char* kXext = "libXext.so.6";

} // namespace

extern "C" {

// The menu has no text field, so it needs no input method; opening one parses the
// locale's whole compose table, about 10 ms of every start (linked with --wrap=XOpenIM).
// FLTK then reads keys without one, which is all that buttons need.
XIM __wrap_XOpenIM(Display*, XrmDatabase, char*, char*) { return nullptr; }

Bool XineramaIsActive(Display* display)
{
    static const auto real = Lookup<decltype(XineramaIsActive)>(kXinerama, "XineramaIsActive");
    return real ? real(display) : False;
}

XineramaScreenInfo* XineramaQueryScreens(Display* display, int* number)
{
    static const auto real = Lookup<decltype(XineramaQueryScreens)>(kXinerama, "XineramaQueryScreens");
    if (real) return real(display, number);
    *number = 0;
    return nullptr;
}

Bool XFixesQueryExtension(Display* display, int* eventBase, int* errorBase)
{
    static const auto real = Lookup<decltype(XFixesQueryExtension)>(kXfixes, "XFixesQueryExtension");
    return real ? real(display, eventBase, errorBase) : False;
}

void XFixesSelectSelectionInput(Display* display, Window window, Atom selection, unsigned long mask)
{
    static const auto real = Lookup<decltype(XFixesSelectSelectionInput)>(kXfixes, "XFixesSelectSelectionInput");
    if (real) real(display, window, selection, mask);
}

XcursorImage* XcursorImageCreate(int width, int height)
{
    static const auto real = Lookup<decltype(XcursorImageCreate)>(kXcursor, "XcursorImageCreate");
    return real ? real(width, height) : nullptr;
}

void XcursorImageDestroy(XcursorImage* image)
{
    static const auto real = Lookup<decltype(XcursorImageDestroy)>(kXcursor, "XcursorImageDestroy");
    if (real) real(image);
}

Cursor XcursorImageLoadCursor(Display* display, const XcursorImage* image)
{
    static const auto real = Lookup<decltype(XcursorImageLoadCursor)>(kXcursor, "XcursorImageLoadCursor");
    return real ? real(display, image) : None;
}

Status XdbeQueryExtension(Display* display, int* major, int* minor)
{
    static const auto real = Lookup<decltype(XdbeQueryExtension)>(kXext, "XdbeQueryExtension");
    return real ? real(display, major, minor) : 0;
}

XdbeScreenVisualInfo* XdbeGetVisualInfo(Display* display, Drawable* screens, int* count)
{
    static const auto real = Lookup<decltype(XdbeGetVisualInfo)>(kXext, "XdbeGetVisualInfo");
    return real ? real(display, screens, count) : nullptr;
}

void XdbeFreeVisualInfo(XdbeScreenVisualInfo* info)
{
    static const auto real = Lookup<decltype(XdbeFreeVisualInfo)>(kXext, "XdbeFreeVisualInfo");
    if (real) real(info);
}

XdbeBackBuffer XdbeAllocateBackBufferName(Display* display, Window window, XdbeSwapAction action)
{
    static const auto real = Lookup<decltype(XdbeAllocateBackBufferName)>(kXext, "XdbeAllocateBackBufferName");
    return real ? real(display, window, action) : None;
}

Status XdbeDeallocateBackBufferName(Display* display, XdbeBackBuffer buffer)
{
    static const auto real = Lookup<decltype(XdbeDeallocateBackBufferName)>(kXext, "XdbeDeallocateBackBufferName");
    return real ? real(display, buffer) : 0;
}

Status XdbeSwapBuffers(Display* display, XdbeSwapInfo* info, int count)
{
    static const auto real = Lookup<decltype(XdbeSwapBuffers)>(kXext, "XdbeSwapBuffers");
    return real ? real(display, info, count) : 0;
}

} // extern "C"
