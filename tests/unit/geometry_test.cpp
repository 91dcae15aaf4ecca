#include <gtest/gtest.h>

#include <cmath>

#include "fake_window.h"
#include "window/geometry.h"

namespace discmenu {
namespace {

using testing::FakeWindow;

struct Placed {
    std::vector<std::string> log;
    FakeWindow window{log};
};

TEST(ApplyGeometryTest, WindowIsSizedAndCentred)
{
    const struct {
        double twipsPerPixel, screenWidthPixels, screenHeightPixels;
        float width, height, left, top;
    } cases[] = {
        {15, 800, 600, 9600, 7200, 1200, 900},
        {12, 1024, 768, 7680, 5760, 2304, 1728},
        {15, 640, 480, 9600, 7200, 0, 0},
        {15, 1365, 768, 9600, 7200, 5437.5f, 2160},
        {15, 320, 240, 9600, 7200, -2400, -1800}, // a smaller screen: overhangs evenly
    };
    for (const auto& c : cases) {
        Placed placed;
        const double tpp = c.twipsPerPixel;
        ApplyGeometry(placed.window, tpp, tpp, c.screenWidthPixels * tpp, c.screenHeightPixels * tpp, 56);
        auto at = [&](Property p) { return placed.window.Geometry(ControlId::Form1, p); };
        EXPECT_EQ(at(Property::Width), c.width) << c.screenWidthPixels;
        EXPECT_EQ(at(Property::Height), c.height) << c.screenWidthPixels;
        EXPECT_EQ(at(Property::Left), c.left) << c.screenWidthPixels;
        EXPECT_EQ(at(Property::Top), c.top) << c.screenWidthPixels;
    }
}

TEST(ApplyGeometryTest, ControlsLandOnTheirDesignPixelsAtAnyDensity)
{
    for (double tpp : {15.0, 12.0, 14.4, 10.0, 1440.0 / 110}) {
        Placed placed;
        ApplyGeometry(placed.window, tpp, tpp, 1024 * tpp, 768 * tpp, 56);
        for (const LayoutRow& row : kLayoutTable) {
            const float twips = placed.window.Geometry(row.Control, row.Prop);
            EXPECT_NEAR(twips / tpp, row.DesignTwips / 15, 1e-3) << testing::NameOf(row.Control) << " at " << tpp;
        }
    }
}

TEST(ApplyGeometryTest, AtTwelveTwipsPerPixel)
{
    Placed placed;
    ApplyGeometry(placed.window, 12, 12, 12288, 9216, 56);
    const struct {
        ControlId control;
        Property property;
        float twips;
    } expected[] = {
        {ControlId::Label4, Property::Height, 1260}, {ControlId::Label4, Property::Left, 1056},
        {ControlId::Label4, Property::Top, 2016},    {ControlId::Label4, Property::Width, 6060},
        {ControlId::Command3, Property::Height, 1836}, {ControlId::Command3, Property::Left, 6528},
        {ControlId::Command3, Property::Top, 3648},    {ControlId::Command3, Property::Width, 780},
    };
    for (const auto& e : expected) EXPECT_EQ(placed.window.Geometry(e.control, e.property), e.twips);
    ASSERT_EQ(placed.window.fontSizes.size(), 1u);
    EXPECT_EQ(placed.window.fontSizes[0], 44.8f); // the nearest float, not the double
}

TEST(ApplyGeometryTest, FontSizeKeepsItsFraction)
{
    Placed placed;
    ApplyGeometry(placed.window, 15, 15, 12000, 9000, 12.5);
    EXPECT_EQ(placed.window.fontSizes.at(0), 12.5f);
}

TEST(ApplyGeometryTest, EveryButtonIsPlacedEvenWhenHidden)
{
    Placed placed;
    ApplyGeometry(placed.window, 15, 15, 12000, 9000, 56);
    for (ControlId button : {ControlId::Command1, ControlId::Command2, ControlId::Command3, ControlId::Command4,
                             ControlId::Command5})
        for (Property p : {Property::Left, Property::Top, Property::Width, Property::Height})
            EXPECT_TRUE(placed.window.geometry.count({button, p})) << testing::NameOf(button);
    EXPECT_FALSE(placed.window.geometry.count({ControlId::Label2, Property::Top})); // keeps its design place
}

} // namespace
} // namespace discmenu
