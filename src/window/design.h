#pragma once
// The menu window as it is created, before start-up fills it: its eight controls with
// their kinds, rectangles, captions, fonts and tab order. Front ends build from this table.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "window/controls.h"

namespace discmenu {

inline constexpr double kDesignTwipsPerPixel = 15; // the layout was drawn at 96 pixels per inch
inline constexpr int kWindowWidthPixels = 640;
inline constexpr int kWindowHeightPixels = 480;
inline constexpr int kTimerPeriodMs = 1000;

struct Rgb {
    std::uint8_t Red, Green, Blue;
};

struct TwipsRect {
    float Left, Top, Width, Height;

    constexpr float Of(Property property) const
    {
        switch (property) {
        case Property::Left: return Left;
        case Property::Top: return Top;
        case Property::Width: return Width;
        case Property::Height: return Height;
        }
        return 0;
    }
};

inline constexpr Property kAllProperties[] = {Property::Left, Property::Top, Property::Width, Property::Height};

struct FontDesign {
    std::string_view Name;
    double Points;
    int Weight; // 400 regular, 700 bold
    bool Italic;
    int CharSet; // 0: ANSI
};

enum class ControlKind { PushButton, Label, Timer };

struct ControlDesign {
    ControlId Id;
    ControlKind Kind;
    std::string_view Name;
    std::optional<int> TabIndex;
    TwipsRect Rect;
    std::string_view Caption;
    std::optional<FontDesign> Font;     // none: the window's default font
    std::optional<Rgb> TextColor;       // none: the toolkit's default
};

struct FormDesign {
    std::string_view Name;
    TwipsRect Rect;
    Rgb Background;
    // In the window's order: buttons first, so they cover the labels painted beneath them.
    std::span<const ControlDesign> Controls;
};

extern const FormDesign kForm1Design;

const ControlDesign& DesignOf(ControlId id);

// The buttons in tab order, the order in which Tab moves the focus.
std::span<const ControlId> ButtonsInTabOrder();

} // namespace discmenu
