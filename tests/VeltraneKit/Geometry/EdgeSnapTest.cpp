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
double xWithTileFromRight(double distance)
{
    return kVisible.maxX() - distance + 32 - kPanel.width;
}

TEST(EdgeSnapTest, TileTwentyPointsFromTheRightSnapsRightOverhangingTwelve)
{
    EdgeSnap snap = drop({ xWithTileFromRight(20), 400 });
    EXPECT_EQ(snap.side, DockSide::right);
    EXPECT_EQ(snap.origin, (Point { kVisible.maxX() - kPanel.width + 12, 400 }));
}

TEST(EdgeSnapTest, SnappingLeavesTheTileTwentyPointsFromTheEdge)
{
    // Dropped with the tile 10 points from the right edge: the panel moves 10 points inwards.
    EdgeSnap closer = drop({ xWithTileFromRight(10), 400 });
    EXPECT_EQ(closer.side, DockSide::right);
    EXPECT_DOUBLE_EQ(closer.origin.x, xWithTileFromRight(10) - 10);
    // Dropped with the tile 23 points away: the panel moves 3 points outwards.
    EdgeSnap farther = drop({ xWithTileFromRight(23), 400 });
    EXPECT_DOUBLE_EQ(farther.origin.x, xWithTileFromRight(23) + 3);
}

TEST(EdgeSnapTest, ThresholdIsInclusive)
{
    EXPECT_EQ(drop({ xWithTileFromRight(24), 400 }).side, DockSide::right);
    EdgeSnap farther = drop({ xWithTileFromRight(24.5), 400 });
    EXPECT_EQ(farther.side, std::nullopt);
    EXPECT_EQ(farther.origin, (Point { xWithTileFromRight(24.5), 400 }));
}

TEST(EdgeSnapTest, EachEdgeSnapsItsOwnAxisOnly)
{
    // Tile 5 points from the left edge.
    EdgeSnap left = drop({ kVisible.minX() + 5 - 32, 400 });
    EXPECT_EQ(left.side, DockSide::left);
    EXPECT_EQ(left.origin, (Point { kVisible.minX() - 12, 400 }));

    EdgeSnap bottom = drop({ 700, kVisible.minY() + 5 - 32 });
    EXPECT_EQ(bottom.side, DockSide::bottom);
    EXPECT_EQ(bottom.origin, (Point { 700, kVisible.minY() - 12 }));

    EdgeSnap top = drop({ 700, kVisible.maxY() - 5 + 32 - kPanel.height });
    EXPECT_EQ(top.side, DockSide::top);
    EXPECT_EQ(top.origin, (Point { 700, kVisible.maxY() - kPanel.height + 12 }));
}

TEST(EdgeSnapTest, FarFromEveryEdgeNothingSnapsOrMoves)
{
    Point origin { kVisible.minX() + 100 - 32, kVisible.minY() + 100 - 32 };
    EdgeSnap snap = drop(origin);
    EXPECT_EQ(snap.side, std::nullopt);
    EXPECT_EQ(snap.origin, origin);
}

TEST(EdgeSnapTest, TiesGoLeftThenRightThenBottomThenTop)
{
    // Tile 22 points from both the left and the bottom edge.
    EdgeSnap corner = drop({ kVisible.minX() + 22 - 32, kVisible.minY() + 22 - 32 });
    EXPECT_EQ(corner.side, DockSide::left);
    // Only the snapped axis is set to the edge; the other stays as dropped (it is on screen).
    EXPECT_EQ(corner.origin, (Point { kVisible.minX() - 12, kVisible.minY() + 22 - 32 }));

    // Right and top tie: right wins.
    EXPECT_EQ(drop({ xWithTileFromRight(8), kVisible.maxY() - 8 + 32 - kPanel.height }).side, DockSide::right);
    // Bottom and top tie on a screen just taller than the tile: bottom wins.
    Rect flat(0, 0, 2000, 120);
    EdgeSnap tie = EdgeSnap::forDrop(Rect(900, -24, 168, 168), flat, kThreshold, true);
    EXPECT_EQ(tie.side, DockSide::bottom);
}

TEST(EdgeSnapTest, AStrictlyNearerEdgeWins)
{
    EdgeSnap snap = drop({ kVisible.minX() + 23 - 32, kVisible.minY() + 22 - 32 });
    EXPECT_EQ(snap.side, DockSide::bottom);
    EXPECT_EQ(snap.origin, (Point { kVisible.minX() + 23 - 32, kVisible.minY() - 12 }));
}

TEST(EdgeSnapTest, WithoutSnappingADropOffScreenIsStillPulledBack)
{
    EdgeSnap snap = drop({ kVisible.minX() - 400, kVisible.maxY() + 300 }, kPanel, false);
    EXPECT_EQ(snap.side, std::nullopt);
    EXPECT_EQ(snap.origin, (Point { kVisible.minX() - 12, kVisible.maxY() - kPanel.height + 12 }));

    // Close to an edge, nothing snaps either.
    EdgeSnap near = drop({ xWithTileFromRight(22), 400 }, kPanel, false);
    EXPECT_EQ(near.side, std::nullopt);
    EXPECT_EQ(near.origin, (Point { xWithTileFromRight(22), 400 }));
}

TEST(EdgeSnapTest, OffScreenWithSnappingSnapsToTheEdgeItLeftBy)
{
    // Far beyond the right edge and a little above the bottom.
    EdgeSnap snap = drop({ kVisible.maxX() + 500, kVisible.minY() + 200 });
    EXPECT_EQ(snap.side, DockSide::right);
    EXPECT_EQ(snap.origin, (Point { kVisible.maxX() - kPanel.width + 12, kVisible.minY() + 200 }));
}

TEST(EdgeSnapTest, APanelLargerThanTheScreenEndsAtTheUpperBound)
{
    Size huge { 2000, 1000 };
    EdgeSnap snap = drop({ 0, 0 }, huge, false);
    EXPECT_EQ(snap.origin, (Point { kVisible.maxX() - huge.width + 12, kVisible.maxY() - huge.height + 12 }));
}

} // namespace
} // namespace veltrane
