#include "VeltraneKit/Geometry/EdgeSnap.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {

// A visible frame away from the origin, so min and max edges cannot be confused.
const Rect kVisible(100, 40, 1440, 860); // x 100…1540, y 40…900
constexpr Size kPanel { 168, 168 };
constexpr double kThreshold = 24;

EdgeSnap drop(Point origin, Size size = kPanel, bool snapEnabled = true)
{
    return EdgeSnap::forDrop(Rect(origin, size), kVisible, kThreshold, snapEnabled);
}

// The panel's x for a tile (32 points inside the panel) `distance` points from the right edge.
double xWithTileFromRight(double distance) { return kVisible.maxX() - distance + 32 - kPanel.width; }

// Where a tile (32 points inside the panel) `distance` points inside the left or bottom edge
// puts the panel.
double fromLeft(double distance) { return kVisible.minX() + distance - 32; }
double fromBottom(double distance) { return kVisible.minY() + distance - 32; }
double fromTop(double distance) { return kVisible.maxY() - distance + 32 - kPanel.height; }

TEST(EdgeSnapTest, TheNearestEdgeWithinTheThresholdTakesTheTileTwentyPointsFromItOverhangingTwelve)
{
    const double right = kVisible.maxX() - kPanel.width + 12;
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
        { "left", { fromLeft(5), 400 }, DockSide::left, { kVisible.minX() - 12, 400 } },
        { "bottom", { 700, fromBottom(5) }, DockSide::bottom, { 700, kVisible.minY() - 12 } },
        { "top", { 700, fromTop(5) }, DockSide::top, { 700, kVisible.maxY() - kPanel.height + 12 } },
        { "far from every edge", { fromLeft(100), fromBottom(100) }, std::nullopt, { fromLeft(100), fromBottom(100) } },
        // Ties go left, then right, then bottom, then top; a strictly nearer edge wins. Only the
        // snapped axis moves; the other stays as dropped.
        { "left and bottom tie", { fromLeft(22), fromBottom(22) }, DockSide::left, { kVisible.minX() - 12, fromBottom(22) } },
        { "bottom nearer", { fromLeft(23), fromBottom(22) }, DockSide::bottom, { fromLeft(23), kVisible.minY() - 12 } },
        // Off screen with snapping: the edge it left by.
        { "beyond the right", { kVisible.maxX() + 500, fromBottom(232) }, DockSide::right, { right, fromBottom(232) } },
        // A panel larger than the screen ends at the upper bound.
        { "huge", { 0, 0 }, std::nullopt, { kVisible.maxX() - 2000 + 12, kVisible.maxY() - 1000 + 12 }, { 2000, 1000 }, false },
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        const EdgeSnap snap = drop(row.dropped, row.size, row.snapEnabled);
        EXPECT_EQ(snap.side, row.side);
        EXPECT_EQ(snap.origin, row.origin);
    }
    EXPECT_EQ(drop({ xWithTileFromRight(8), fromTop(8) }).side, DockSide::right) << "right and top tie";
    // Bottom and top tie on a screen just taller than the tile: bottom wins.
    EXPECT_EQ(EdgeSnap::forDrop(Rect(900, -24, 168, 168), Rect(0, 0, 2000, 120), kThreshold, true).side, DockSide::bottom);
}

} // namespace
} // namespace veltrane
