#include "window/design.h"

#include <algorithm>
#include <stdexcept>

namespace discmenu {

namespace {

constexpr FontDesign kTitleFont{"Ariston", 56.25, 400, false, 0};
constexpr FontDesign kCreditFont{"Arial", 9.75, 700, true, 0};
constexpr Rgb kLightGreen{192, 255, 192};

constexpr ControlDesign kControls[] = {
    {ControlId::Command5, ControlKind::PushButton, "Command5", 5, {2160, 6360, 5295, 495}, "Command5", {}, {}},
    {ControlId::Command4, ControlKind::PushButton, "Command4", 4, {2160, 5760, 5295, 495}, "Command4", {}, {}},
    {ControlId::Command3, ControlKind::PushButton, "Command3", 3, {8160, 4560, 975, 2295}, "Quitter", {}, {}},
    {ControlId::Command2, ControlKind::PushButton, "Command2", 2, {2160, 5160, 5295, 495},
     "Visualiser les photos en mode diaporama", {}, {}},
    {ControlId::Command1, ControlKind::PushButton, "Command1", 1, {2160, 4560, 5295, 495},
     "Visualiser les photos en mode navigateur (n\u00e9cessite un navigateur)", {}, {}},
    {ControlId::Timer1, ControlKind::Timer, "Timer1", {}, {0, 0, 0, 0}, "", {}, {}},
    {ControlId::Label2, ControlKind::Label, "Label2", 6, {120, 6840, 2415, 255}, "Ombrelis Multim\u00e9dia ",
     kCreditFont, {}},
    {ControlId::Label4, ControlKind::Label, "Label4", 0, {240, 2400, 9135, 1815}, "0000", kTitleFont, kLightGreen},
};

constexpr ControlId kTabOrder[] = {ControlId::Command1, ControlId::Command2, ControlId::Command3,
                                   ControlId::Command4, ControlId::Command5};

} // namespace

const FormDesign kForm1Design{"Form1", {450, 1050, 9600, 7215}, {255, 255, 128}, kControls};

const ControlDesign& DesignOf(ControlId id)
{
    const auto found = std::find_if(std::begin(kControls), std::end(kControls),
                                    [id](const ControlDesign& c) { return c.Id == id; });
    if (found == std::end(kControls)) throw std::logic_error("not a control of Form1");
    return *found;
}

std::span<const ControlId> ButtonsInTabOrder() { return kTabOrder; }

} // namespace discmenu
