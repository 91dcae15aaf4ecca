#include "frontend/win32/win32_window.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "frontend/win32/resource.h"

namespace discmenu {

namespace {

constexpr wchar_t kClassName[] = L"discmenu.Form1";
constexpr UINT_PTR kTimerId = 1;
// Child ids stay clear of IDOK and IDCANCEL, which the dialog manager sends for Enter and Escape.
constexpr int kFirstButtonId = 100;
constexpr double kPointsPerInch = 72;
constexpr double kTwipsPerInch = 1440;
// Font sizes beyond this are of no use in a 480-pixel window and only strain the renderer.
constexpr long kLargestFontPixels = 2000;

// WS_POPUP removes every decoration: no title bar, no close box, nothing to move or size by.
constexpr DWORD kWindowStyle = WS_POPUP | WS_CLIPCHILDREN;
// Lets the dialog manager walk into the buttons for Tab.
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;
// A caption wider than its button wraps onto more lines.
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE;

// The title is wrapped and centred both ways in its box, the credit line starts at its top
// left, as the FLTK build draws them. Both are clipped to their box.
constexpr UINT kTitleFormat = DT_CENTER | DT_WORDBREAK;
constexpr UINT kCreditFormat = DT_LEFT | DT_TOP | DT_WORDBREAK;

COLORREF ToColorRef(Rgb color) { return RGB(color.Red, color.Green, color.Blue); }

HFONT CreateDesignFont(const FontDesign& font, long pixels)
{
    return CreateFontW(-pixels, 0, 0, 0, font.Weight, font.Italic, FALSE, FALSE, static_cast<DWORD>(font.CharSet),
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       Utf8ToWide(font.Name).c_str());
}

void RegisterWindowClass(HINSTANCE instance, HBRUSH background, WNDPROC procedure)
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_ICON1));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_ICON1), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExW(&windowClass)) throw HostError("Cannot create the window", {}, SystemReason(GetLastError()));
}

} // namespace

Win32Window::Win32Window(HINSTANCE instance, const ScreenMetrics& density)
    : density_(density), background_(CreateSolidBrush(ToColorRef(kForm1Design.Background)))
{
    RegisterWindowClass(instance, background_, WindowProc);
    // WM_NCCREATE stores `this` and WM_CREATE starts Timer1, both before this returns.
    CreateWindowExW(kWindowExStyle, kClassName, L"", kWindowStyle, 0, 0, kWindowWidthPixels, kWindowHeightPixels,
                    nullptr, nullptr, instance, this);
    if (!hwnd_) throw HostError("Cannot create the window", {}, SystemReason(GetLastError()));
    CreateControls(instance);
    for (Property p : kAllProperties) SetGeometry(ControlId::Form1, p, kForm1Design.Rect.Of(p));
}

Win32Window::~Win32Window()
{
    if (hwnd_) DestroyWindow(hwnd_);
    for (auto& [id, label] : labels_)
        if (label.Font) DeleteObject(label.Font);
    DeleteObject(background_);
}

void Win32Window::CreateControls(HINSTANCE instance)
{
    // Creation order is the dialog manager's tab order.
    int childId = kFirstButtonId;
    for (ControlId id : ButtonsInTabOrder()) AddButton(instance, DesignOf(id), childId++);
    for (const ControlDesign& control : kForm1Design.Controls)
        if (control.Kind == ControlKind::Label) AddLabel(control);
    for (const ControlDesign& control : kForm1Design.Controls) {
        if (control.Kind == ControlKind::Timer) continue;
        SetCaption(control.Id, std::string(control.Caption));
        if (control.Font) SetFontSize(control.Id, static_cast<float>(control.Font->Points));
        for (Property p : kAllProperties) SetGeometry(control.Id, p, control.Rect.Of(p));
    }
}

void Win32Window::AddButton(HINSTANCE instance, const ControlDesign& design, int childId)
{
    const HWND button = CreateWindowExW(0, L"BUTTON", L"", kButtonStyle, 0, 0, 1, 1, hwnd_,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId)), instance, nullptr);
    if (!button) throw HostError("Cannot create the window", {}, SystemReason(GetLastError()));
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    buttons_[design.Id] = button;
}

void Win32Window::AddLabel(const ControlDesign& design)
{
    if (!design.Font) throw std::logic_error("a label without a font");
    const COLORREF color = design.TextColor ? ToColorRef(*design.TextColor) : GetSysColor(COLOR_BTNTEXT);
    const UINT format = design.Id == ControlId::Label4 ? kTitleFormat : kCreditFormat;
    labels_[design.Id] = Label{*design.Font, nullptr, color, format, design.Id == ControlId::Label4};
}

void Win32Window::Show()
{
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
    SetForegroundWindow(hwnd_);
    for (ControlId id : ButtonsInTabOrder()) {
        if (IsWindowVisible(buttons_.at(id))) {
            SetFocus(buttons_.at(id));
            break;
        }
    }
}

LRESULT CALLBACK Win32Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->Dispatch(message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Win32Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: return OnCreate();
    case WM_PAINT: return OnPaint();
    case WM_PRINTCLIENT: return OnPrintClient(reinterpret_cast<HDC>(wParam));
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_TIMER: return OnTimer(wParam);
    case WM_CLOSE: return OnClose();
    default: return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

LRESULT Win32Window::OnCreate()
{
    SetTimer(hwnd_, kTimerId, kTimerPeriodMs, nullptr);
    return 0;
}

LRESULT Win32Window::OnPaint()
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(hwnd_, &paint);
    PaintSurface(dc);
    EndPaint(hwnd_, &paint);
    return 0;
}

// Themed buttons ask for what lies beneath their rounded corners: the picture, not the
// bare background colour.
LRESULT Win32Window::OnPrintClient(HDC dc)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, background_);
    PaintSurface(dc);
    return 0;
}

void Win32Window::PaintSurface(HDC dc) const
{
    if (picture_) {
        const HDC source = CreateCompatibleDC(dc);
        const HGDIOBJ previous = SelectObject(source, picture_->Bitmap());
        BitBlt(dc, 0, 0, picture_->WidthPixels(), picture_->HeightPixels(), source, 0, 0, SRCCOPY);
        SelectObject(source, previous);
        DeleteDC(source);
    }
    SetBkMode(dc, TRANSPARENT);
    // The design lists the topmost control first: paint from the bottom up.
    std::for_each(kForm1Design.Controls.rbegin(), kForm1Design.Controls.rend(), [&](const ControlDesign& control) {
        if (control.Kind == ControlKind::Label) PaintLabel(dc, control.Id);
    });
}

void Win32Window::PaintLabel(HDC dc, ControlId control) const
{
    const Label& label = labels_.at(control);
    if (!label.Font) return;
    const PixelRect& box = pixels_.at(control);
    const RECT clip = {box.Left, box.Top, box.Left + box.Width, box.Top + box.Height};
    const std::wstring text = Utf8ToWide(captions_.at(control));
    const HGDIOBJ previous = SelectObject(dc, label.Font);
    RECT place = clip;
    if (label.VerticallyCentred) {
        // DT_VCENTER works on single lines only: measure the wrapped block and move it.
        RECT measured = clip;
        DrawTextW(dc, text.c_str(), -1, &measured, label.Format | DT_CALCRECT);
        const int height = measured.bottom - measured.top;
        place.top += (box.Height - height) / 2;
        place.bottom = place.top + height;
    }
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    SetTextColor(dc, label.Color);
    DrawTextW(dc, text.c_str(), -1, &place, label.Format | DT_NOCLIP);
    RestoreDC(dc, saved);
    SelectObject(dc, previous);
}

LRESULT Win32Window::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    // Enter with no default button arrives as IDOK: it presses the focused button.
    if (id == IDOK) ClickFocusedButton();
    // Escape arrives as IDCANCEL; the menu has no cancel button, so it does nothing.
    if (id == IDOK || id == IDCANCEL || HIWORD(wParam) != BN_CLICKED) return 0;
    for (const auto& [control, button] : buttons_)
        if (button == reinterpret_cast<HWND>(lParam)) handlers_.onClick(control);
    return 0;
}

void Win32Window::ClickFocusedButton()
{
    const HWND focus = GetFocus();
    for (const auto& [control, button] : buttons_)
        if (button == focus && IsWindowEnabled(button)) handlers_.onClick(control);
}

LRESULT Win32Window::OnTimer(WPARAM timerId)
{
    if (timerId == kTimerId) handlers_.onTick();
    return 0;
}

LRESULT Win32Window::OnClose()
{
    handlers_.onClose();
    return 0;
}

int Win32Window::ToPixels(Property property, float twips) const
{
    return static_cast<int>(std::floor(twips / PixelTwips(property) + 0.5));
}

double Win32Window::PixelTwips(Property property) const
{
    const bool vertical = property == Property::Top || property == Property::Height;
    return vertical ? density_.TwipsPerPixelY : density_.TwipsPerPixelX;
}

void Win32Window::SetCaption(ControlId control, const std::string& text)
{
    captions_[control] = text;
    if (const auto button = buttons_.find(control); button != buttons_.end())
        SetWindowTextW(button->second, Utf8ToWide(text).c_str());
    // The title also names the window for the task bar and Alt+Tab.
    if (control == ControlId::Label4) SetWindowTextW(hwnd_, Utf8ToWide(text).c_str());
    if (labels_.count(control)) InvalidateRect(hwnd_, nullptr, TRUE);
}

std::string Win32Window::Caption(ControlId control) const { return captions_.at(control); }

void Win32Window::SetFontSize(ControlId control, float points)
{
    Label& label = labels_.at(control);
    if (label.Font) DeleteObject(label.Font);
    label.Font = nullptr;
    const double pixels = points * kTwipsPerInch / density_.TwipsPerPixelY / kPointsPerInch;
    // Nothing sensible to draw at zero or below (a height of 0 would even mean "default").
    if (pixels >= 1) label.Font = CreateDesignFont(label.Design, std::min(std::lround(pixels), kLargestFontPixels));
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32Window::DisableAndHide(ControlId button)
{
    EnableWindow(buttons_.at(button), FALSE);
    ShowWindow(buttons_.at(button), SW_HIDE);
}

void Win32Window::SetGeometry(ControlId control, Property property, float twips)
{
    twips_[{control, property}] = twips;
    PixelRect& rect = pixels_[control];
    const int pixels = ToPixels(property, twips);
    switch (property) {
    case Property::Left: rect.Left = pixels; break;
    case Property::Top: rect.Top = pixels; break;
    case Property::Width: rect.Width = std::max(pixels, 0); break;
    case Property::Height: rect.Height = std::max(pixels, 0); break;
    }
    MoveControl(control);
}

void Win32Window::MoveControl(ControlId control)
{
    const PixelRect& rect = pixels_.at(control);
    const auto button = buttons_.find(control);
    const HWND target = control == ControlId::Form1 ? hwnd_ : button != buttons_.end() ? button->second : nullptr;
    if (target) SetWindowPos(target, nullptr, rect.Left, rect.Top, rect.Width, rect.Height,
                             SWP_NOZORDER | SWP_NOACTIVATE);
    else InvalidateRect(hwnd_, nullptr, TRUE); // a label: repainted in its new place
}

// The window and the buttons report their real size: whole pixels, in twips.
float Win32Window::Geometry(ControlId control, Property property) const
{
    if (property == Property::Left || property == Property::Top) return twips_.at({control, property});
    const PixelRect& rect = pixels_.at(control);
    const auto button = buttons_.find(control);
    const HWND target = control == ControlId::Form1 ? hwnd_ : button != buttons_.end() ? button->second : nullptr;
    RECT real = {0, 0, rect.Width, rect.Height};
    if (target) GetWindowRect(target, &real);
    const int pixels = property == Property::Width ? real.right - real.left : real.bottom - real.top;
    return static_cast<float>(pixels * PixelTwips(property));
}

void Win32Window::SetPicture(std::shared_ptr<Picture> picture)
{
    picture_ = std::dynamic_pointer_cast<Win32Picture>(picture);
    if (picture_) picture_->FlattenOnto(ToColorRef(kForm1Design.Background));
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32Window::StopTimer() { KillTimer(hwnd_, kTimerId); }

int RunMessageLoop()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchWithDialogKeys(message);
    return static_cast<int>(message.wParam);
}

} // namespace discmenu
