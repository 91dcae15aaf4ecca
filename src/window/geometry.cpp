#include "window/geometry.h"

#include "window/design.h"

namespace discmenu {

namespace {

constexpr double kCentringDivisor = 2;

bool IsVertical(Property property) { return property == Property::Height || property == Property::Top; }

} // namespace

const std::array<LayoutRow, 24> kLayoutTable = {{
    {ControlId::Label4, Property::Height, 1575},   {ControlId::Label4, Property::Left, 1320},
    {ControlId::Label4, Property::Top, 2520},      {ControlId::Label4, Property::Width, 7575},
    {ControlId::Command1, Property::Height, 495},  {ControlId::Command1, Property::Left, 2160},
    {ControlId::Command1, Property::Top, 4560},    {ControlId::Command1, Property::Width, 5295},
    {ControlId::Command2, Property::Height, 495},  {ControlId::Command2, Property::Left, 2160},
    {ControlId::Command2, Property::Top, 5160},    {ControlId::Command2, Property::Width, 5295},
    {ControlId::Command3, Property::Height, 2295}, {ControlId::Command3, Property::Left, 8160},
    {ControlId::Command3, Property::Top, 4560},    {ControlId::Command3, Property::Width, 975},
    {ControlId::Command4, Property::Height, 495},  {ControlId::Command4, Property::Left, 2160},
    {ControlId::Command4, Property::Top, 5760},    {ControlId::Command4, Property::Width, 5295},
    {ControlId::Command5, Property::Height, 495},  {ControlId::Command5, Property::Left, 2160},
    {ControlId::Command5, Property::Top, 6360},    {ControlId::Command5, Property::Width, 5295},
}};

void ApplyGeometry(MenuWindow& window, double pixelTwipsX, double pixelTwipsY, double screenWidth,
                   double screenHeight, double titleSize)
{
    window.SetGeometry(ControlId::Form1, Property::Height, static_cast<float>(kWindowHeightPixels * pixelTwipsY));
    window.SetGeometry(ControlId::Form1, Property::Width, static_cast<float>(kWindowWidthPixels * pixelTwipsX));
    const double height = window.Geometry(ControlId::Form1, Property::Height);
    window.SetGeometry(ControlId::Form1, Property::Top, static_cast<float>((screenHeight - height) / kCentringDivisor));
    const double width = window.Geometry(ControlId::Form1, Property::Width);
    window.SetGeometry(ControlId::Form1, Property::Left, static_cast<float>((screenWidth - width) / kCentringDivisor));
    window.SetFontSize(ControlId::Label4, static_cast<float>(pixelTwipsX * titleSize / kDesignTwipsPerPixel));
    for (const LayoutRow& row : kLayoutTable) {
        const double scale = IsVertical(row.Prop) ? pixelTwipsY : pixelTwipsX;
        window.SetGeometry(row.Control, row.Prop, static_cast<float>(scale * row.DesignTwips / kDesignTwipsPerPixel));
    }
}

} // namespace discmenu
