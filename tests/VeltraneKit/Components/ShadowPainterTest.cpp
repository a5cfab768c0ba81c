#include "PaintProbe.h"

#include "VeltraneKit/Components/ShadowPainter.h"

#include <gtest/gtest.h>

using namespace veltrane;

namespace {

PaintProbe squareShadow(const ShadowStyle& style)
{
    PaintProbe probe(120, 120);
    const QRectF square(40, 40, 40, 40);
    probe.paint([&](QPainter& painter) {
        ShadowPainter::paint(painter, square, style, [&](QPainter& silhouette) { silhouette.fillRect(square, Qt::black); });
    });
    return probe;
}

} // namespace

TEST(ShadowPainterTest, BlursTheSilhouetteInTheShadowColourBelowItsOffset)
{
    const PaintProbe probe = squareShadow({ QColor(0, 0, 255, 128), 8, { 0, 0 } });
    // Deep inside the shape the shadow has the colour's full opacity; it fades out beyond.
    EXPECT_NEAR(probe.alphaAt({ 60, 60 }), 128, 3);
    EXPECT_EQ(probe.colorAt({ 60, 60 }).blue(), 255);
    EXPECT_NEAR(probe.alphaAt({ 40, 60 }), 64, 10);
    EXPECT_GT(probe.alphaAt({ 36, 60 }), 10);
    EXPECT_EQ(probe.alphaAt({ 40 - 13, 60 }), 0);
    EXPECT_EQ(probe.alphaAt({ 5, 5 }), 0);

    // An offset moves the shadow down, and a clear shadow draws nothing.
    const PaintProbe offset = squareShadow({ QColor(0, 0, 0, 255), 4, { 0, 8 } });
    EXPECT_GT(offset.alphaAt({ 60, 84 }), offset.alphaAt({ 60, 36 }) + 100);
    EXPECT_DOUBLE_EQ(ShadowPainter::extent({ Qt::black, 4, { 0, 8 } }), 14);
    EXPECT_EQ(squareShadow({ QColor(0, 0, 0, 0), 8, { 0, 0 } }).countOpaque(0), 0);
}
