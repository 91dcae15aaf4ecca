// Looks at a running menu from outside, the way only Windows can tell: the screen's
// density, the window's styles and place, and each button with the focus.
//
// Usage: probe.exe dpi      prints "dpi=X,Y" as a DPI-aware program sees it
//        probe.exe window   prints the menu window's facts, one "name=value" a line

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "host/host_win32.h"

namespace {

using discmenu::WideToUtf8;

constexpr wchar_t kMenuClass[] = L"discmenu.Form1";

std::string Text(HWND window)
{
    wchar_t text[512];
    return WideToUtf8(std::wstring(text, static_cast<std::size_t>(GetWindowTextW(window, text, 512))));
}

void PrintFlag(const char* name, bool value) { std::printf("%s=%d\n", name, value ? 1 : 0); }


int PrintDpi()
{
    const HDC screen = GetDC(nullptr);
    std::printf("dpi=%d,%d\n", GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return 0;
}

// Children in Z order, which is the order Tab walks them in.
void PrintButtons(HWND menu, HWND focus)
{
    int index = 0;
    for (HWND child = GetWindow(menu, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, menu, reinterpret_cast<POINT*>(&rect), 2);
        std::printf("button%d=%s|visible=%d|enabled=%d|focus=%d|rect=%ld,%ld,%ld,%ld\n", ++index,
                    Text(child).c_str(), IsWindowVisible(child) ? 1 : 0, IsWindowEnabled(child) ? 1 : 0,
                    child == focus ? 1 : 0, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    }
}

int PrintWindow()
{
    const HWND menu = FindWindowW(kMenuClass, nullptr);
    if (!menu) {
        std::printf("window=none\n");
        return 1;
    }
    const LONG_PTR style = GetWindowLongPtrW(menu, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(menu, GWL_EXSTYLE);
    RECT rect;
    GetWindowRect(menu, &rect);
    std::printf("title=%s\n", Text(menu).c_str());
    PrintFlag("visible", IsWindowVisible(menu));
    PrintFlag("popup", style & WS_POPUP);
    PrintFlag("caption", style & WS_CAPTION);
    PrintFlag("thickframe", style & WS_THICKFRAME);
    PrintFlag("sysmenu", style & WS_SYSMENU);
    PrintFlag("controlparent", exStyle & WS_EX_CONTROLPARENT);
    std::printf("rect=%ld,%ld,%ld,%ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof(thread);
    GetGUIThreadInfo(GetWindowThreadProcessId(menu, nullptr), &thread);
    PrintButtons(menu, thread.hwndFocus);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    SetProcessDPIAware();
    if (argc == 2 && std::strcmp(argv[1], "dpi") == 0) return PrintDpi();
    if (argc == 2 && std::strcmp(argv[1], "window") == 0) return PrintWindow();
    std::fprintf(stderr, "usage: probe dpi|window\n");
    return 2;
}
