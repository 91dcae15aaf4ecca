#pragma once
// A menu window for the unit tests: keeps what it is told and logs every call, in the
// same log as the fake host when given one, so tests can check the order across both.

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "window/menu_window.h"

namespace discmenu::testing {

inline std::string NameOf(ControlId id)
{
    static const char* const names[] = {"Form1",    "Label4",   "Label2",   "Command1", "Command2",
                                        "Command3", "Command4", "Command5", "Timer1"};
    return names[static_cast<int>(id)];
}

class FakeWindow : public MenuWindow {
public:
    explicit FakeWindow(std::vector<std::string>& log) : log_(log) {}

    std::map<ControlId, std::string> captions;
    std::map<std::pair<ControlId, Property>, float> geometry;
    std::set<ControlId> hidden;
    std::vector<float> fontSizes;
    std::shared_ptr<Picture> picture;
    bool timerRuns = true;

    void SetCaption(ControlId control, const std::string& text) override
    {
        log_.push_back("SetCaption " + NameOf(control) + " " + text);
        captions[control] = text;
    }
    std::string Caption(ControlId control) const override { return captions.count(control) ? captions.at(control) : ""; }
    void SetFontSize(ControlId control, float points) override
    {
        log_.push_back("SetFontSize " + NameOf(control));
        fontSizes.push_back(points);
    }
    void DisableAndHide(ControlId button) override
    {
        log_.push_back("DisableAndHide " + NameOf(button));
        hidden.insert(button);
    }
    void SetGeometry(ControlId control, Property property, float twips) override
    {
        geometry[{control, property}] = twips;
    }
    float Geometry(ControlId control, Property property) const override { return geometry.at({control, property}); }
    void SetPicture(std::shared_ptr<Picture> p) override
    {
        log_.push_back("SetPicture");
        picture = std::move(p);
    }
    void StopTimer() override
    {
        log_.push_back("StopTimer");
        timerRuns = false;
    }
    WindowHandle Handle() const override { return const_cast<FakeWindow*>(this); }

private:
    std::vector<std::string>& log_;
};

} // namespace discmenu::testing
