// discmenu on Windows: the Win32 window over the Win32 host.

#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "frontend/win32/win32_window.h"
#include "window/form1.h"

namespace {

using namespace discmenu;

[[noreturn]] void ShowErrorAndExit(const std::exception& error)
{
    std::fprintf(stderr, "discmenu: %s\n", error.what());
    std::fflush(stderr);
    MessageBoxW(nullptr, Utf8ToWide(error.what()).c_str(), L"discmenu: error",
                MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
    ExitProcess(1);
}

// The one boundary of every event handler: an error is shown, then ends the program. No
// tick runs while the message is up, and the box keeps the window from being clicked.
template <typename Handler>
void Guarded(Win32Window& window, Handler&& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        window.StopTimer();
        ShowErrorAndExit(error);
    }
}

int Run(HINSTANCE instance)
{
    Win32Host host;
    const INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls); // loads version 6, which the manifest asks for
    Win32Window window(instance, host.GetScreenMetrics());
    Form1 menu(host, window);
    window.SetHandlers({[&](ControlId button) { Guarded(window, [&] { menu.Click(button); }); },
                        [&] { Guarded(window, [&] { menu.Tick(); }); },
                        [&] { host.EndProgram(); }});
    Guarded(window, [&] { menu.Load(); });
    window.Show();
    return RunMessageLoop();
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    try {
        return Run(instance);
    } catch (const std::exception& error) { // the window itself could not be made
        ShowErrorAndExit(error);
    }
}
