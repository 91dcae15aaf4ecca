#pragma once
// What the core asks of the menu window. A front end realises it with a toolkit; the unit
// tests with a recording fake. Rectangles are in twips, as single-precision numbers.

#include <memory>
#include <string>

#include "host/host.h"
#include "window/controls.h"

namespace discmenu {

class MenuWindow {
public:
    virtual ~MenuWindow() = default;

    virtual void SetCaption(ControlId control, const std::string& text) = 0;
    virtual std::string Caption(ControlId control) const = 0;
    virtual void SetFontSize(ControlId control, float points) = 0;
    virtual void DisableAndHide(ControlId button) = 0;
    virtual void SetGeometry(ControlId control, Property property, float twips) = 0;
    virtual float Geometry(ControlId control, Property property) const = 0;
    virtual void SetPicture(std::shared_ptr<Picture> picture) = 0;
    // No tick follows, for the rest of the run.
    virtual void StopTimer() = 0;
    virtual WindowHandle Handle() const = 0;
};

} // namespace discmenu
