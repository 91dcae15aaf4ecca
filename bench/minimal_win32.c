/* The bare platform for comparison: a 640x480 popup window, centred, painted one colour.
 * Under Wine its start-up time is what any Win32 window costs; discmenu.exe's time beyond
 * it is the cost of our own code. Built with x86_64-w64-mingw32-gcc -static -mwindows.
 * With --text it also draws one line of text, which starts Wine's font system as any window
 * with text does. With --hold it shows nothing and waits: bench/run keeps Wine's services
 * running with it. */
#include <string.h>
#include <windows.h>

#define WIDTH 640
#define HEIGHT 480
#define COLOUR RGB(0x20, 0x60, 0xa0) /* bench/run looks for this colour on the screen */

static int with_text;

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HBRUSH brush = CreateSolidBrush(COLOUR);
        FillRect(dc, &paint.rcPaint, brush);
        DeleteObject(brush);
        if (with_text) {
            HFONT font = CreateFontA(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
            HGDIOBJ previous = SelectObject(dc, font);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, RGB(0xff, 0xff, 0xff));
            TextOutA(dc, 40, 170, "Nos photos de vacances", 22);
            DeleteObject(SelectObject(dc, previous));
        }
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, w, l);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command, int show)
{
    (void)previous;
    if (strstr(command, "--hold")) {
        Sleep(INFINITE);
        return 0;
    }
    with_text = strstr(command, "--text") != NULL;
    WNDCLASSA type = {0};
    type.lpfnWndProc = WindowProc;
    type.hInstance = instance;
    type.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    type.lpszClassName = "minimal";
    RegisterClassA(&type);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - WIDTH) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - HEIGHT) / 2;
    HWND window = CreateWindowExA(0, "minimal", "minimal", WS_POPUP, x, y, WIDTH, HEIGHT, NULL, NULL, instance, NULL);
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
