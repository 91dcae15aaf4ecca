#pragma once
// The menu window on FLTK: a borderless, fixed-size window built from the design table,
// with the picture and two text labels painted beneath five push buttons, and Timer1.

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "frontend/fltk/fltk_host.h"
#include "window/menu_window.h"

class Fl_Widget;

namespace discmenu {

class MenuSurface;

class FltkWindow : public MenuWindow {
public:
    struct Handlers {
        std::function<void(ControlId)> onClick;
        std::function<void()> onTick;
        std::function<void()> onClose; // the window manager's close request
    };

    // Creates the window with its design values and starts Timer1; nothing is shown yet.
    FltkWindow(const ScreenMetrics& density, Handlers handlers);
    ~FltkWindow() override;

    void Show();

    void SetCaption(ControlId control, const std::string& text) override;
    std::string Caption(ControlId control) const override;
    void SetFontSize(ControlId control, float points) override;
    void DisableAndHide(ControlId button) override;
    void SetGeometry(ControlId control, Property property, float twips) override;
    float Geometry(ControlId control, Property property) const override;
    void SetPicture(std::shared_ptr<Picture> picture) override;
    void StopTimer() override;
    WindowHandle Handle() const override;

private:
    static void OnTimer(void* self);
    static void OnButton(Fl_Widget* widget, void* self);
    static void OnWindowCallback(Fl_Widget* widget, void* self);

    Fl_Widget& WidgetOf(ControlId control) const;
    int ToPixels(Property property, float twips) const;

    ScreenMetrics density_;
    Handlers handlers_;
    std::unique_ptr<MenuSurface> surface_;
    std::map<ControlId, Fl_Widget*> widgets_;
    std::map<ControlId, std::string> captions_;
    std::map<std::pair<ControlId, Property>, float> twips_;
};

} // namespace discmenu
