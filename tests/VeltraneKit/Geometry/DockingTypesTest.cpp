#include "VeltraneKit/Geometry/DockSide.h"
#include "VeltraneKit/Geometry/WidgetAnchor.h"
#include "VeltraneKit/Geometry/WidgetMode.h"

#include <gtest/gtest.h>

#include <tuple>

namespace veltrane {
namespace {

using H = WidgetAnchor::Horizontal;
using V = WidgetAnchor::Vertical;

TEST(DockingTypesTest, RawValuesRoundTripAndOtherTextNamesNothing)
{
    for (DockSide side : kAllDockSides)
        EXPECT_EQ(dockSide(rawValue(side)), side);
    for (auto h : kAllAnchorHorizontals)
        EXPECT_EQ(anchorHorizontal(rawValue(h)), h);
    for (auto v : kAllAnchorVerticals)
        EXPECT_EQ(anchorVertical(rawValue(v)), v);
    EXPECT_EQ(widgetMode(rawValue(WidgetMode::menuBar)), WidgetMode::menuBar);
    for (const char* text : { "auto", "Left", "", "left " })
        EXPECT_EQ(dockSide(text), std::nullopt) << text;
    // The "widgetMode" setting holds dock sides, which are no widget mode.
    EXPECT_FALSE(widgetMode("right") || widgetMode("menubar") || anchorHorizontal("top") || anchorVertical("leading"));
    EXPECT_TRUE(expandsHorizontally(DockSide::left) && expandsHorizontally(DockSide::right));
    EXPECT_FALSE(expandsHorizontally(DockSide::top) || expandsHorizontally(DockSide::bottom));
}

// A 10 × 10 tile centred at the given fractions of a 1000 × 500 visible frame at (100, 50).
Rect tileAt(double fx, double fy) { return Rect(100 + fx * 1000 - 5, 50 + fy * 500 - 5, 10, 10); }
const Rect kVisible(100, 50, 1000, 500);

TEST(WidgetAnchorTest, SmartAnchorsToTheNearEdgesWithBoundariesInsideTheZone)
{
    const std::tuple<double, double, double, WidgetAnchor> cases[] = {
        { 0.10, 0.50, 0.33, { H::leading, V::center } },
        { 0.90, 0.80, 0.33, { H::trailing, V::top } },
        { 0.50, 0.10, 0.33, { H::center, V::bottom } },
        // Exactly at the zone's edge (0.25 and 0.75 are exact in binary) counts as inside the zone.
        { 0.25, 0.75, 0.25, { H::leading, V::top } },
        { 0.75, 0.25, 0.25, { H::trailing, V::bottom } },
        { 0.26, 0.74, 0.25, { H::center, V::center } },
        // Outside the visible frame it still picks the near edge.
        { -0.2, 1.3, 0.34, { H::leading, V::top } },
    };
    for (const auto& [fx, fy, zone, anchor] : cases)
        EXPECT_EQ(WidgetAnchor::smart(tileAt(fx, fy), kVisible, zone), anchor) << fx << "," << fy;
    // Without a visible area: trailing centre.
    EXPECT_EQ(WidgetAnchor::smart(tileAt(0.1, 0.1), Rect(0, 0, 0, 500), 0.34), (WidgetAnchor { H::trailing, V::center }));
    EXPECT_EQ(WidgetAnchor::smart(tileAt(0.1, 0.1), Rect(0, 0, 800, -1), 0.34), (WidgetAnchor { H::trailing, V::center }));
}

} // namespace
} // namespace veltrane
