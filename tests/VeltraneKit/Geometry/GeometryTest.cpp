#include "VeltraneKit/Geometry/DockSide.h"
#include "VeltraneKit/Geometry/EdgeSnap.h"
#include "VeltraneKit/Geometry/PointText.h"
#include "VeltraneKit/Geometry/ScreenProvider.h"
#include "VeltraneKit/Geometry/WidgetAnchor.h"
#include "VeltraneKit/Geometry/WidgetMode.h"
#include "VeltraneKit/Geometry/WidgetPlacement.h"
#include "tests/VeltraneKit/Widget/FakeScreenProvider.h"

#include <gtest/gtest.h>

#include <tuple>

namespace veltrane {
namespace {

using namespace WidgetPlacement;
using H = WidgetAnchor::Horizontal;
using V = WidgetAnchor::Vertical;

constexpr Size kCollapsed { 168, 168 };
const Rect kScreen(0, 0, 1440, 875);
// A visible frame away from the origin, so min and max edges cannot be confused.
const Rect kOffsetScreen(-1440, 100, 1440, 800);

TEST(WidgetPlacementTest, FirstShowCentresOnTheDockedEdgeAndASavedOriginIsKeptOrPulledInside)
{
    const std::tuple<Size, DockSide, std::optional<Point>, std::optional<Rect>, Point> cases[] = {
        { kCollapsed, DockSide::right, std::nullopt, kScreen, { 1272, 353.5 } },
        { kCollapsed, DockSide::left, std::nullopt, kScreen, { 0, 353.5 } },
        { kCollapsed, DockSide::top, std::nullopt, kScreen, { 636, 707 } },
        { kCollapsed, DockSide::bottom, std::nullopt, kScreen, { 636, 0 } },
        { kCollapsed, DockSide::right, std::nullopt, kOffsetScreen, { -168, 416 } },
        // Kept while it fits, flush with the top-right corner too.
        { kCollapsed, DockSide::right, Point { 10, 20 }, kScreen, { 10, 20 } },
        { kCollapsed, DockSide::left, Point { 1272, 707 }, kScreen, { 1272, 707 } },
        // Off screen: pulled inside without overhang.
        { kCollapsed, DockSide::right, Point { -5000, 99999 }, kScreen, { 0, 707 } },
        { kCollapsed, DockSide::right, Point { 0, 0 }, kOffsetScreen, { -168, 100 } },
        // Larger than the screen: its bottom-left stays on screen.
        { { 2000, 1000 }, DockSide::right, Point { 500, 500 }, kScreen, { 0, 0 } },
        // Without a screen the origin is zero.
        { kCollapsed, DockSide::right, Point { 40, 50 }, std::nullopt, {} },
    };
    for (const auto& [size, side, saved, screen, origin] : cases)
        EXPECT_EQ(initialOrigin(size, side, saved, screen), origin)
            << rawValue(side) << " saved " << (saved ? saved->x : -1) << "," << (saved ? saved->y : -1);
}

TEST(WidgetPlacementTest, TheTileSitsTwentyFourInFromAnchoredEdgesAndTheCardGrowsAwayFromThem)
{
    EXPECT_EQ(tileOffset({ H::leading, V::bottom }, kCollapsed), (Point { 24, 24 }));
    EXPECT_EQ(tileOffset({ H::center, V::center }, kCollapsed), (Point { 32, 32 }));
    EXPECT_EQ(tileOffset({ H::trailing, V::top }, kCollapsed), (Point { 40, 40 }));
    EXPECT_EQ(tileOffset({ H::leading, V::top }, { 200, 150 }), (Point { 24, 22 }));

    // The card grows away from the anchored edges.
    const Rect frame(1000, 300, 168, 168);
    EXPECT_EQ(desiredOrigin(frame, { 320, 600 }, { H::leading, V::bottom }), (Point { 1000, 300 }));
    EXPECT_EQ(desiredOrigin(frame, { 320, 600 }, { H::trailing, V::top }), (Point { 848, -132 }));
    EXPECT_EQ(desiredOrigin(frame, { 320, 600 }, { H::center, V::center }), (Point { 924, 84 }));
}

TEST(WidgetPlacementTest, FittingAnchorPrefersTheSmartChoiceHangingDownThenFallsBackToWhatFits)
{
    // Right edge, high up: the card hangs down from the tile's top and grows leftwards.
    EXPECT_EQ(fittingAnchor(Rect(1272, 600, 168, 168), { 320, 600 }, kScreen), (WidgetAnchor { H::trailing, V::top }));
    // Right edge, low down: it cannot hang down, so it grows up.
    EXPECT_EQ(fittingAnchor(Rect(1272, 100, 168, 168), { 320, 600 }, kScreen), (WidgetAnchor { H::trailing, V::bottom }));
    // Right edge, vertically centred: neither way fits in 875 points, the smart centre does.
    EXPECT_EQ(fittingAnchor(Rect(1272, 353.5, 168, 168), { 320, 600 }, kScreen), (WidgetAnchor { H::trailing, V::center }));
    // Hanging down needs maxY − 600 ≥ −12: exactly at the limit it fits.
    EXPECT_EQ(fittingAnchor(Rect(1272, 420, 168, 168), { 320, 600 }, kScreen).vertical, V::top);
    EXPECT_EQ(fittingAnchor(Rect(1272, 419.5, 168, 168), { 320, 600 }, kScreen).vertical, V::center);
    // In the middle third the smart choice is center; a card too wide to grow from the centre
    // grows leftwards when that fits…
    // Centre at 65.6 % of 1600.
    EXPECT_EQ(fittingAnchor(Rect(966, 400, 168, 168), { 1130, 300 }, Rect(0, 0, 1600, 875)).horizontal, H::trailing);
    // …rightwards when only that fits (centre at 34.4 %)…
    EXPECT_EQ(fittingAnchor(Rect(466, 400, 168, 168), { 1130, 300 }, Rect(0, 0, 1600, 875)).horizontal, H::leading);
    // …and keeps the smart choice when nothing fits.
    EXPECT_EQ(fittingAnchor(Rect(700, 400, 168, 168), { 3000, 300 }, Rect(0, 0, 1600, 875)).horizontal, H::center);
    // Vertically, nothing fitting keeps the smart choice too (here near the bottom).
    EXPECT_EQ(fittingAnchor(Rect(600, 20, 168, 168), { 320, 880 }, kScreen).vertical, V::bottom);
}

TEST(WidgetPlacementTest, ClampAllowsTwelvePointsOfOverhangAndKeepsTheLowerBoundOfAHugePanel)
{
    EXPECT_EQ(clampedOrigin({ 100, 100 }, { 320, 600 }, kScreen), (Point { 100, 100 }));
    EXPECT_EQ(clampedOrigin({ -50, -50 }, { 320, 600 }, kScreen), (Point { -12, -12 }));
    EXPECT_EQ(clampedOrigin({ 1300, 500 }, { 320, 600 }, kScreen), (Point { 1132, 287 }));
    EXPECT_EQ(clampedOrigin({ -2000, 200 }, { 320, 600 }, kOffsetScreen), (Point { -1452, 200 }));
    EXPECT_EQ(clampedOrigin({ 300, 300 }, { 1500, 900 }, kScreen), (Point { -12, -12 }));
    EXPECT_EQ(clampedOrigin({ -300, -300 }, { 1500, 900 }, kScreen), (Point { -12, -12 }));
}

TEST(WidgetPlacementTest, CollapsedOriginSitsOnTheCardEdgeFacingTheDock)
{
    Rect card(100, 200, 320, 648); // midX 260, midY 524
    EXPECT_EQ(collapsedOrigin(card, DockSide::left, kCollapsed), (Point { 100, 440 }));
    EXPECT_EQ(collapsedOrigin(card, DockSide::right, kCollapsed), (Point { 252, 440 }));
    EXPECT_EQ(collapsedOrigin(card, DockSide::top, kCollapsed), (Point { 176, 680 }));
    EXPECT_EQ(collapsedOrigin(card, DockSide::bottom, kCollapsed), (Point { 176, 200 }));
}

TEST(DockingTypesTest, RawValuesRoundTripAndOtherTextNamesNothing)
{
    for (DockSide side : kAllDockSides)
        EXPECT_EQ(dockSide(rawValue(side)), side);
    EXPECT_EQ(widgetMode(rawValue(WidgetMode::menuBar)), WidgetMode::menuBar);
    for (const char* text : { "auto", "Left", "", "left " })
        EXPECT_EQ(dockSide(text), std::nullopt) << text;
    // The "widgetMode" setting holds dock sides, which are no widget mode.
    EXPECT_FALSE(widgetMode("right") || widgetMode("menubar"));
}

// A 10 × 10 tile centred at the given fractions of a 1000 × 500 visible frame at (100, 50).
const Rect kAnchorFrame(100, 50, 1000, 500);
Rect tileAt(double fx, double fy) { return Rect(100 + fx * 1000 - 5, 50 + fy * 500 - 5, 10, 10); }

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
        EXPECT_EQ(WidgetAnchor::smart(tileAt(fx, fy), kAnchorFrame, zone), anchor) << fx << "," << fy;
    // Without a visible area: trailing centre.
    EXPECT_EQ(WidgetAnchor::smart(tileAt(0.1, 0.1), Rect(0, 0, 0, 500), 0.34), (WidgetAnchor { H::trailing, V::center }));
    EXPECT_EQ(WidgetAnchor::smart(tileAt(0.1, 0.1), Rect(0, 0, 800, -1), 0.34), (WidgetAnchor { H::trailing, V::center }));
}

TEST(PointTextTest, FormatsInShortestFormThatReadsBackAndParsesLenientlyButNeedsTwoFiniteNumbers)
{
    EXPECT_EQ(PointText::format({ 1272, 353.5 }), "{1272, 353.5}");
    EXPECT_EQ(PointText::format({ -0.0, -0.0 }), "{0, 0}");
    for (Point point : { Point { 0.1, 1.0 / 3 }, Point { -1e-7, 123456789.123 }, Point { 1e300, -5e-300 } })
        EXPECT_EQ(PointText::parse(PointText::format(point)), point);

    // Parsing is lenient but needs two finite numbers.
    const std::pair<const char*, std::optional<Point>> cases[] = {
        { "{1,2}", Point { 1, 2 } }, { "  3.5 -4 ", Point { 3.5, -4 } }, { "{.5, -.25}", Point { 0.5, -0.25 } },
        { "{1e3, 2E-1}", Point { 1000, 0.2 } }, { "", std::nullopt }, { "{5}", std::nullopt },
        { "origin", std::nullopt }, { "{1e999, 2}", std::nullopt }, { "{-1e999, 2}", std::nullopt },
    };
    for (const auto& [text, point] : cases)
        EXPECT_EQ(PointText::parse(text), point) << text;
}

// The main screen on the right of a second one; each loses a strip to a panel.
const ScreenFrames kMain { Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 875) };
const ScreenFrames kSecond { Rect(-1920, 0, 1920, 1080), Rect(-1920, 40, 1920, 1040) };

TEST(ScreenProviderTest, WindowsBelongToTheScreenShowingMostOfThemOrElseTheMainOne)
{
    testing::FakeScreenProvider screens(kMain.visibleFrame);
    screens.setScreens({ kMain, kSecond });
    EXPECT_EQ(screens.mainVisibleFrame(), kMain.visibleFrame);
    EXPECT_EQ(screens.visibleFrameForWindow(Rect(100, 100, 168, 168)), kMain.visibleFrame);
    EXPECT_EQ(screens.visibleFrameForWindow(Rect(-300, 100, 168, 168)), kSecond.visibleFrame);
    // Straddling the seam: 100 points on the main screen, 68 on the other.
    EXPECT_EQ(screens.visibleFrameForWindow(Rect(-68, 100, 168, 168)), kMain.visibleFrame);
    EXPECT_EQ(screens.visibleFrameForWindow(Rect(-100, 100, 168, 168)), kSecond.visibleFrame);
    // On no screen at all.
    EXPECT_EQ(screens.visibleFrameForWindow(Rect(5000, 5000, 168, 168)), kMain.visibleFrame);

    screens.setScreens({});
    EXPECT_EQ(screens.mainVisibleFrame(), std::nullopt);
    EXPECT_EQ(screens.visibleFrameForWindow(Rect(0, 0, 10, 10)), std::nullopt);
}

// A visible frame away from the origin, so min and max edges cannot be confused.
const Rect kSnapFrame(100, 40, 1440, 860); // x 100…1540, y 40…900
constexpr Size kPanel { 168, 168 };
constexpr double kThreshold = 24;

EdgeSnap drop(Point origin, Size size = kPanel, bool snapEnabled = true)
{
    return EdgeSnap::forDrop(Rect(origin, size), kSnapFrame, kThreshold, snapEnabled);
}

// The panel's x for a tile (32 points inside the panel) `distance` points from the right edge.
double xWithTileFromRight(double distance) { return kSnapFrame.maxX() - distance + 32 - kPanel.width; }

// Where a tile (32 points inside the panel) `distance` points inside the left or bottom edge
// puts the panel.
double fromLeft(double distance) { return kSnapFrame.minX() + distance - 32; }
double fromBottom(double distance) { return kSnapFrame.minY() + distance - 32; }
double fromTop(double distance) { return kSnapFrame.maxY() - distance + 32 - kPanel.height; }

TEST(EdgeSnapTest, TheNearestEdgeWithinTheThresholdTakesTheTileTwentyPointsFromItOverhangingTwelve)
{
    const double right = kSnapFrame.maxX() - kPanel.width + 12;
    struct Case {
        const char* name;
        Point dropped;
        std::optional<DockSide> side;
        Point origin;
        Size size = kPanel;
        bool snapEnabled = true;
    };
    const Case cases[] = {
        { "right at 20", { xWithTileFromRight(20), 400 }, DockSide::right, { right, 400 } },
        // Closer or farther than 20: the panel moves in or out to put the tile at 20.
        { "right at 10", { xWithTileFromRight(10), 400 }, DockSide::right, { xWithTileFromRight(10) - 10, 400 } },
        { "right at 23", { xWithTileFromRight(23), 400 }, DockSide::right, { xWithTileFromRight(23) + 3, 400 } },
        // The threshold is inclusive.
        { "right at 24", { xWithTileFromRight(24), 400 }, DockSide::right, { xWithTileFromRight(24) + 4, 400 } },
        { "right at 24.5", { xWithTileFromRight(24.5), 400 }, std::nullopt, { xWithTileFromRight(24.5), 400 } },
        // Each edge snaps its own axis only.
        { "left", { fromLeft(5), 400 }, DockSide::left, { kSnapFrame.minX() - 12, 400 } },
        { "bottom", { 700, fromBottom(5) }, DockSide::bottom, { 700, kSnapFrame.minY() - 12 } },
        { "top", { 700, fromTop(5) }, DockSide::top, { 700, kSnapFrame.maxY() - kPanel.height + 12 } },
        { "far from every edge", { fromLeft(100), fromBottom(100) }, std::nullopt, { fromLeft(100), fromBottom(100) } },
        // A tie goes to the side edge; a strictly nearer edge wins. Only the snapped axis moves;
        // the other stays as dropped.
        { "left and bottom tie", { fromLeft(22), fromBottom(22) }, DockSide::left, { kSnapFrame.minX() - 12, fromBottom(22) } },
        { "bottom nearer", { fromLeft(23), fromBottom(22) }, DockSide::bottom, { fromLeft(23), kSnapFrame.minY() - 12 } },
        // Off screen with snapping: the edge it left by.
        { "beyond the right", { kSnapFrame.maxX() + 500, fromBottom(232) }, DockSide::right, { right, fromBottom(232) } },
        // A panel larger than the screen ends at the upper bound.
        { "huge", { 0, 0 }, std::nullopt, { kSnapFrame.maxX() - 2000 + 12, kSnapFrame.maxY() - 1000 + 12 }, { 2000, 1000 }, false },
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        const EdgeSnap snap = drop(row.dropped, row.size, row.snapEnabled);
        EXPECT_EQ(snap.side, row.side);
        EXPECT_EQ(snap.origin, row.origin);
    }
}

} // namespace
} // namespace veltrane
