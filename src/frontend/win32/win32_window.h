#pragma once
// The menu window on Win32: a borderless popup built from the design table, with the
// picture and the two labels painted beneath five native push buttons, and Timer1.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "host/host_win32.h"
#include "window/design.h"
#include "window/menu_window.h"

namespace discmenu {

class Win32Window : public MenuWindow {
public:
    struct Handlers {
        std::function<void(ControlId)> onClick;
        std::function<void()> onTick;
        std::function<void()> onClose; // Alt+F4 and any other close request
    };

    // Creates the window hidden, with its design values, and starts Timer1.
    Win32Window(HINSTANCE instance, const ScreenMetrics& density);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    // Set before the first message is pumped: no handler runs before then.
    void SetHandlers(Handlers handlers) { handlers_ = std::move(handlers); }
    void Show();

    void SetCaption(ControlId control, const std::string& text) override;
    std::string Caption(ControlId control) const override;
    void SetFontSize(ControlId control, float points) override;
    void DisableAndHide(ControlId button) override;
    void SetGeometry(ControlId control, Property property, float twips) override;
    float Geometry(ControlId control, Property property) const override;
    void SetPicture(std::shared_ptr<Picture> picture) override;
    void StopTimer() override;
    WindowHandle Handle() const override { return hwnd_; }

private:
    struct PixelRect {
        int Left = 0, Top = 0, Width = 0, Height = 0;
    };
    // A label is text painted on the window; it has no window of its own.
    struct Label {
        FontDesign Design;
        HFONT Font = nullptr; // none: too small to draw
        COLORREF Color;
        UINT Format;
        bool VerticallyCentred;
    };

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCreate();
    LRESULT OnPaint();
    LRESULT OnPrintClient(HDC dc);
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM timerId);
    LRESULT OnClose();

    void CreateControls(HINSTANCE instance);
    void AddButton(HINSTANCE instance, const ControlDesign& design, int childId);
    void AddLabel(const ControlDesign& design);
    void MoveControl(ControlId control);
    void PaintSurface(HDC dc) const;
    void PaintLabel(HDC dc, ControlId control) const;
    void ClickFocusedButton();
    int ToPixels(Property property, float twips) const;
    double PixelTwips(Property property) const;

    ScreenMetrics density_;
    Handlers handlers_;
    HWND hwnd_ = nullptr;
    HBRUSH background_ = nullptr;
    std::shared_ptr<Win32Picture> picture_;
    std::map<ControlId, HWND> buttons_;
    std::map<ControlId, Label> labels_;
    std::map<ControlId, std::string> captions_;
    std::map<ControlId, PixelRect> pixels_;
    std::map<std::pair<ControlId, Property>, float> twips_;
};

// Runs the message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

} // namespace discmenu
