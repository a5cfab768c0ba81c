#include "VeltraneKit/Geometry/DockSide.h"
#include "VeltraneKit/Geometry/WidgetAnchor.h"
#include "VeltraneKit/Geometry/WidgetMode.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {

using H = WidgetAnchor::Horizontal;
using V = WidgetAnchor::Vertical;

TEST(DockSideTest, RawValuesRoundTripInDeclarationOrder)
{
    std::vector<std::string_view> names;
    for (DockSide side : kAllDockSides) {
        names.push_back(rawValue(side));
        EXPECT_EQ(dockSide(rawValue(side)), side);
    }
    EXPECT_EQ(names, (std::vector<std::string_view> { "left", "right", "top", "bottom" }));
}

TEST(DockSideTest, OtherTextNamesNoSide)
{
    EXPECT_EQ(dockSide("auto"), std::nullopt);
    EXPECT_EQ(dockSide("Left"), std::nullopt);
    EXPECT_EQ(dockSide(""), std::nullopt);
    EXPECT_EQ(dockSide("left "), std::nullopt);
}

TEST(DockSideTest, OnlySideEdgesExpandHorizontally)
{
    EXPECT_TRUE(expandsHorizontally(DockSide::left));
    EXPECT_TRUE(expandsHorizontally(DockSide::right));
    EXPECT_FALSE(expandsHorizontally(DockSide::top));
    EXPECT_FALSE(expandsHorizontally(DockSide::bottom));
}

TEST(WidgetModeTest, RawValues)
{
    ASSERT_EQ(kAllWidgetModes.size(), 2u);
    EXPECT_EQ(rawValue(WidgetMode::floating), "floating");
    EXPECT_EQ(rawValue(WidgetMode::menuBar), "menuBar");
    EXPECT_EQ(widgetMode("menuBar"), WidgetMode::menuBar);
    EXPECT_EQ(widgetMode("menubar"), std::nullopt);
    // The "widgetMode" setting holds dock sides, which are no widget mode.
    EXPECT_EQ(widgetMode("right"), std::nullopt);
}

TEST(WidgetAnchorTest, RawValuesRoundTrip)
{
    for (auto h : kAllAnchorHorizontals)
        EXPECT_EQ(anchorHorizontal(rawValue(h)), h);
    for (auto v : kAllAnchorVerticals)
        EXPECT_EQ(anchorVertical(rawValue(v)), v);
    EXPECT_EQ(rawValue(H::leading), "leading");
    EXPECT_EQ(rawValue(V::bottom), "bottom");
    EXPECT_EQ(anchorHorizontal("top"), std::nullopt);
    EXPECT_EQ(anchorVertical("leading"), std::nullopt);
}

TEST(WidgetAnchorTest, DefaultsToTrailingCenterAndComparesFieldByField)
{
    EXPECT_EQ(WidgetAnchor {}, (WidgetAnchor { H::trailing, V::center }));
    EXPECT_NE((WidgetAnchor { H::trailing, V::top }), (WidgetAnchor { H::trailing, V::center }));
    EXPECT_NE((WidgetAnchor { H::leading, V::center }), (WidgetAnchor { H::trailing, V::center }));
}

// A 10 × 10 tile centred at the given fractions of a 1000 × 500 visible frame at (100, 50).
Rect tileAt(double fx, double fy)
{
    return Rect(100 + fx * 1000 - 5, 50 + fy * 500 - 5, 10, 10);
}
const Rect kVisible(100, 50, 1000, 500);

TEST(WidgetAnchorTest, SmartAnchorsToTheNearEdges)
{
    EXPECT_EQ(WidgetAnchor::smart(tileAt(0.10, 0.50), kVisible, 0.33), (WidgetAnchor { H::leading, V::center }));
    EXPECT_EQ(WidgetAnchor::smart(tileAt(0.90, 0.80), kVisible, 0.33), (WidgetAnchor { H::trailing, V::top }));
    EXPECT_EQ(WidgetAnchor::smart(tileAt(0.50, 0.10), kVisible, 0.33), (WidgetAnchor { H::center, V::bottom }));
}

TEST(WidgetAnchorTest, SmartZoneBoundariesBelongToTheEdge)
{
    // Exactly at the zone's edge (0.25 and 0.75 are exact in binary) counts as inside the zone.
    EXPECT_EQ(WidgetAnchor::smart(tileAt(0.25, 0.75), kVisible, 0.25), (WidgetAnchor { H::leading, V::top }));
    EXPECT_EQ(WidgetAnchor::smart(tileAt(0.75, 0.25), kVisible, 0.25), (WidgetAnchor { H::trailing, V::bottom }));
    EXPECT_EQ(WidgetAnchor::smart(tileAt(0.26, 0.74), kVisible, 0.25), (WidgetAnchor { H::center, V::center }));
}

TEST(WidgetAnchorTest, SmartOutsideTheVisibleFrameStillPicksTheNearEdge)
{
    EXPECT_EQ(WidgetAnchor::smart(tileAt(-0.2, 1.3), kVisible, 0.34), (WidgetAnchor { H::leading, V::top }));
}

TEST(WidgetAnchorTest, SmartWithoutVisibleAreaGivesTrailingCenter)
{
    WidgetAnchor fallback { H::trailing, V::center };
    EXPECT_EQ(WidgetAnchor::smart(tileAt(0.1, 0.1), Rect(0, 0, 0, 500), 0.34), fallback);
    EXPECT_EQ(WidgetAnchor::smart(tileAt(0.1, 0.1), Rect(0, 0, 800, -1), 0.34), fallback);
}

} // namespace
} // namespace veltrane
