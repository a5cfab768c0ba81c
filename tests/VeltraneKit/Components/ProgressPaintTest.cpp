#include "PaintProbe.h"

#include "VeltraneKit/Components/ProgressArcPainter.h"
#include "VeltraneKit/Components/ProgressRingPainter.h"

#include <gtest/gtest.h>

#include <limits>

using namespace veltrane;

namespace {

const QRectF kFrame(20, 20, 160, 160);
const QPointF kCenter(100, 100);
constexpr double kRadius = 80;

PaintProbe ring(double progress)
{
    PaintProbe probe(200, 200);
    probe.paint([&](QPainter& painter) { ProgressRingPainter { progress, QColor(255, 0, 0), 6, 0.15 }.paint(painter, kFrame); });
    return probe;
}

PaintProbe arc(double progress)
{
    PaintProbe probe(200, 200);
    probe.paint([&](QPainter& painter) { ProgressArcPainter { progress, QColor(0, 0, 255), 4 }.paint(painter, kFrame); });
    return probe;
}

} // namespace

TEST(ProgressRingTest, QuarterProgressColoursTheFirstQuadrantOnly)
{
    const PaintProbe probe = ring(0.25);
    // Clear of the round caps at both ends, the stroke is strong from twelve to three o'clock…
    for (double degrees = 12; degrees <= 78; degrees += 6)
        EXPECT_GT(probe.alphaAt(PaintProbe::onCircle(kCenter, kRadius, degrees)), 140) << degrees;
    // …and elsewhere only the faint track (and a trace of glow) shows.
    for (double degrees = 110; degrees <= 340; degrees += 10) {
        const int alpha = probe.alphaAt(PaintProbe::onCircle(kCenter, kRadius, degrees));
        EXPECT_GT(alpha, 25) << degrees;
        EXPECT_LT(alpha, 80) << degrees;
    }
    // The inside of the ring stays clear.
    EXPECT_EQ(probe.alphaAt(kCenter), 0);
}

TEST(ProgressRingTest, ShadingDeepensClockwise)
{
    const PaintProbe probe = ring(1.0);
    // Half the tint just after twelve, the full tint at six o'clock.
    const int early = probe.alphaAt(PaintProbe::onCircle(kCenter, kRadius, 20));
    const int half = probe.alphaAt(PaintProbe::onCircle(kCenter, kRadius, 180));
    EXPECT_LT(early, half);
    EXPECT_GT(half, 240);
    EXPECT_EQ(probe.colorAt(PaintProbe::onCircle(kCenter, kRadius, 180)).red(), 255);
}

TEST(ProgressRingTest, ProgressIsClampedAndNotANumberIsNothing)
{
    const PaintProbe none = ring(std::numeric_limits<double>::quiet_NaN());
    const PaintProbe zero = ring(0);
    EXPECT_EQ(none.image(), zero.image());
    EXPECT_LT(zero.alphaAt(PaintProbe::onCircle(kCenter, kRadius, 45)), 60);
    EXPECT_EQ(ring(-1).image(), zero.image());
    EXPECT_EQ(ring(7).image(), ring(1).image());
}

TEST(ProgressArcTest, GapSitsAtTheBottomAndProgressRunsClockwiseFromItsLeftEnd)
{
    const auto alpha = [](const PaintProbe& probe, double degrees) {
        return probe.alphaAt(PaintProbe::onCircle(kCenter, kRadius, degrees));
    };
    // The track runs round the top and sides, not across the bottom, even when full.
    const PaintProbe empty = arc(0);
    const PaintProbe half = arc(0.5);
    const PaintProbe full = arc(1);
    for (const double degrees : { 170.0, 180.0, 190.0 })
        EXPECT_EQ(alpha(empty, degrees) + alpha(full, degrees), 0) << degrees;
    for (const double degrees : { 0.0, 90.0, 270.0, 215.0, 145.0 })
        EXPECT_NEAR(alpha(empty, degrees), 38, 6) << degrees;
    // Half the open ring ends exactly at twelve o'clock.
    for (const double degrees : { 215.0, 270.0 })
        EXPECT_EQ(alpha(half, degrees), 255) << degrees;
    for (const double degrees : { 30.0, 90.0 })
        EXPECT_NEAR(alpha(half, degrees), 38, 6) << degrees;
    for (const double degrees : { 90.0, 150.0 })
        EXPECT_EQ(alpha(full, degrees), 255) << degrees;
}
