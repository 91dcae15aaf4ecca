#include "frontend/fltk/fltk_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Pixmap.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>

#include "frontend/icon/discmenu_icon.xpm"
#include "window/design.h"

namespace discmenu {

namespace {

constexpr double kPointsPerInch = 72;
constexpr double kTwipsPerInch = 1440;
// Font sizes beyond this are of no use in a 480-pixel window and only strain the renderer.
constexpr int kLargestFontPixels = 2000;

// Captions are shown as written: "@" is an ordinary character, not an FLTK symbol.
constexpr Fl_Labeltype kPlainLabel = FL_FREE_LABELTYPE;

void DrawPlainLabel(const Fl_Label* label, int x, int y, int w, int h, Fl_Align align)
{
    fl_font(label->font, label->size);
    fl_color(static_cast<Fl_Color>(label->color));
    fl_draw(label->value, x, y, w, h, align, label->image, 0);
}

void MeasurePlainLabel(const Fl_Label* label, int& w, int& h)
{
    fl_font(label->font, label->size);
    fl_measure(label->value, w, h, 0);
}

// FLTK's font names carry the style in their first character.
Fl_Font RegisterFont(Fl_Font slot, const FontDesign& font)
{
    const bool bold = font.Weight >= 600;
    const char style = bold && font.Italic ? 'P' : bold ? 'B' : font.Italic ? 'I' : ' ';
    static std::string names[2];
    std::string& name = names[slot - FL_FREE_FONT];
    name = style + std::string(font.Name);
    Fl::set_font(slot, name.c_str());
    return slot;
}

// The same drawing the Windows build turns into its icon resource.
void SetIcon(Fl_Window& window)
{
    Fl_Pixmap pixmap(discmenu_icon_xpm);
    Fl_RGB_Image image(&pixmap, FL_GRAY);
    window.icon(&image); // copied by FLTK
}

Fl_Color ToFl(Rgb color) { return fl_rgb_color(color.Red, color.Green, color.Blue); }

bool IsButton(ControlId id) { return DesignOf(id).Kind == ControlKind::PushButton; }

} // namespace

// The window's own surface: background colour, then the picture, then the controls.
class MenuSurface : public Fl_Double_Window {
public:
    MenuSurface() : Fl_Double_Window(kWindowWidthPixels, kWindowHeightPixels) {}
    std::shared_ptr<FltkPicture> picture;

    // Tells the window manager the place is ours, even when it is the screen's corner.
    void KeepPosition() { force_position(1); }

    void draw() override
    {
        fl_color(color());
        fl_rectf(0, 0, w(), h());
        if (picture) picture->Image()->draw(0, 0);
        draw_children();
    }

    int handle(int event) override
    {
        // Enter presses the focused button, as in a dialog; Escape has no cancel button.
        if (event == FL_KEYBOARD || event == FL_SHORTCUT) {
            const int key = Fl::event_key();
            if (key == FL_Escape) return 1;
            Fl_Widget* focus = Fl::focus();
            if ((key == FL_Enter || key == FL_KP_Enter) && focus && focus->window() == this &&
                dynamic_cast<Fl_Button*>(focus)) {
                focus->do_callback();
                return 1;
            }
        }
        return Fl_Double_Window::handle(event);
    }
};

FltkWindow::FltkWindow(const ScreenMetrics& density, Handlers handlers)
    : density_(density), handlers_(std::move(handlers)), surface_(std::make_unique<MenuSurface>())
{
    Fl::set_labeltype(kPlainLabel, DrawPlainLabel, MeasurePlainLabel);
    Fl::scheme("gtk+"); // rounded, shaded buttons: closer to today's desktops than FLTK's default
    const FormDesign& form = kForm1Design;
    surface_->color(ToFl(form.Background));
    surface_->xclass("discmenu");
    SetIcon(*surface_);
    surface_->callback(OnWindowCallback, this);
    Fl_Font nextFont = FL_FREE_FONT;
    // The design lists the topmost control first; FLTK draws its children in order.
    std::for_each(form.Controls.rbegin(), form.Controls.rend(), [&](const ControlDesign& control) {
        Fl_Widget* widget = nullptr;
        if (control.Kind == ControlKind::Timer) return;
        if (control.Kind == ControlKind::PushButton) {
            widget = new Fl_Button(0, 0, 1, 1);
            widget->callback(OnButton, this);
        } else {
            widget = new Fl_Box(0, 0, 1, 1);
            const bool title = control.Id == ControlId::Label4;
            widget->align(title ? FL_ALIGN_CENTER | FL_ALIGN_INSIDE | FL_ALIGN_WRAP | FL_ALIGN_CLIP
                                : FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_WRAP | FL_ALIGN_CLIP);
        }
        widget->labeltype(kPlainLabel);
        if (control.Font) widget->labelfont(RegisterFont(nextFont++, *control.Font));
        if (control.TextColor) widget->labelcolor(ToFl(*control.TextColor));
        widgets_[control.Id] = widget;
        SetCaption(control.Id, std::string(control.Caption));
        if (control.Font) SetFontSize(control.Id, static_cast<float>(control.Font->Points));
        for (Property p : kAllProperties) SetGeometry(control.Id, p, control.Rect.Of(p));
    });
    surface_->end();
    for (Property p : kAllProperties) SetGeometry(ControlId::Form1, p, form.Rect.Of(p));
    Fl::add_timeout(kTimerPeriodMs / 1000.0, OnTimer, this);
}

FltkWindow::~FltkWindow() { Fl::remove_timeout(OnTimer, this); }

void FltkWindow::Show()
{
    const int width = surface_->w(), height = surface_->h();
    surface_->size_range(width, height, width, height); // neither resizable nor maximisable
    surface_->border(0);
    surface_->KeepPosition();
    surface_->show();
    for (ControlId id : ButtonsInTabOrder()) {
        if (WidgetOf(id).visible()) {
            WidgetOf(id).take_focus();
            break;
        }
    }
}

Fl_Widget& FltkWindow::WidgetOf(ControlId control) const
{
    if (control == ControlId::Form1) return *surface_;
    return *widgets_.at(control);
}

int FltkWindow::ToPixels(Property property, float twips) const
{
    const bool vertical = property == Property::Top || property == Property::Height;
    return static_cast<int>(std::floor(twips / (vertical ? density_.TwipsPerPixelY : density_.TwipsPerPixelX) + 0.5));
}

void FltkWindow::SetCaption(ControlId control, const std::string& text)
{
    captions_[control] = text;
    WidgetOf(control).copy_label(text.c_str());
    // The title also names the window for the task bar and the window list.
    if (control == ControlId::Label4) surface_->copy_label(text.c_str());
}

std::string FltkWindow::Caption(ControlId control) const { return captions_.at(control); }

void FltkWindow::SetFontSize(ControlId control, float points)
{
    Fl_Widget& widget = WidgetOf(control);
    const double pixels = points * kTwipsPerInch / density_.TwipsPerPixelY / kPointsPerInch;
    if (!(pixels >= 1)) { // nothing sensible to draw at zero or below
        widget.labeltype(FL_NO_LABEL);
        return;
    }
    widget.labeltype(kPlainLabel);
    widget.labelsize(static_cast<int>(std::min<double>(std::lround(pixels), kLargestFontPixels)));
}

void FltkWindow::DisableAndHide(ControlId button)
{
    WidgetOf(button).deactivate();
    WidgetOf(button).hide();
}

void FltkWindow::SetGeometry(ControlId control, Property property, float twips)
{
    twips_[{control, property}] = twips;
    Fl_Widget& widget = WidgetOf(control);
    const int pixels = ToPixels(property, twips);
    int x = widget.x(), y = widget.y(), w = widget.w(), h = widget.h();
    if (control == ControlId::Form1) {
        // Positions count from the primary screen, which need not start at the root's corner.
        const ScreenArea screen = PrimaryScreen();
        if (property == Property::Left) x = screen.X + pixels;
        if (property == Property::Top) y = screen.Y + pixels;
    } else {
        if (property == Property::Left) x = pixels;
        if (property == Property::Top) y = pixels;
    }
    if (property == Property::Width) w = std::max(pixels, 1);
    if (property == Property::Height) h = std::max(pixels, 1);
    widget.resize(x, y, w, h);
}

// The window reports its real size: whole pixels, in twips.
float FltkWindow::Geometry(ControlId control, Property property) const
{
    const Fl_Widget& widget = WidgetOf(control);
    const double pixelTwips = property == Property::Width || property == Property::Left ? density_.TwipsPerPixelX
                                                                                        : density_.TwipsPerPixelY;
    switch (property) {
    case Property::Width: return static_cast<float>(widget.w() * pixelTwips);
    case Property::Height: return static_cast<float>(widget.h() * pixelTwips);
    default: return twips_.at({control, property});
    }
}

void FltkWindow::SetPicture(std::shared_ptr<Picture> picture)
{
    surface_->picture = std::dynamic_pointer_cast<FltkPicture>(picture);
    surface_->redraw();
}

void FltkWindow::StopTimer() { Fl::remove_timeout(OnTimer, this); }

WindowHandle FltkWindow::Handle() const { return surface_.get(); }

void FltkWindow::OnTimer(void* self)
{
    Fl::repeat_timeout(kTimerPeriodMs / 1000.0, OnTimer, self);
    static_cast<FltkWindow*>(self)->handlers_.onTick();
}

void FltkWindow::OnButton(Fl_Widget* widget, void* self)
{
    auto* window = static_cast<FltkWindow*>(self);
    for (const auto& [id, w] : window->widgets_)
        if (w == widget && IsButton(id)) window->handlers_.onClick(id);
}

// Only the window manager's close request reaches here; Escape is swallowed above.
void FltkWindow::OnWindowCallback(Fl_Widget*, void* self) { static_cast<FltkWindow*>(self)->handlers_.onClose(); }

} // namespace discmenu
