#pragma once
// Keeps the window at 640 x 480 pixels and every control on its design pixels on any
// display: design values in twips at 15 twips per pixel, rescaled to the real density.

#include <array>

#include "window/menu_window.h"

namespace discmenu {

struct LayoutRow {
    ControlId Control;
    Property Prop;
    double DesignTwips;
};

// Height, Left, Top, Width of the title and of each button, in the order applied.
extern const std::array<LayoutRow, 24> kLayoutTable;

// Window size and centred place, the title's scaled font size, then every row of the
// table. Arithmetic in double, product before quotient, each result held as a float.
void ApplyGeometry(MenuWindow& window, double pixelTwipsX, double pixelTwipsY, double screenWidth,
                   double screenHeight, double titleSize);

} // namespace discmenu
