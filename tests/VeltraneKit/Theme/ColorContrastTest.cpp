#include "VeltraneKit/Theme/ColorContrast.h"

#include <gtest/gtest.h>

using namespace veltrane;

TEST(ColorContrast, MeasuresRatiosAsTheAccessibilityGuidelinesDo)
{
    EXPECT_NEAR(ColorContrast::ratio(Qt::black, Qt::white), 21, 1e-9);
    EXPECT_NEAR(ColorContrast::ratio(QColor(118, 118, 118), Qt::white), 4.54, 0.01);
    EXPECT_NEAR(ColorContrast::ratio(QColor(156, 163, 175), Qt::white), 2.54, 0.01);
    EXPECT_EQ(ColorContrast::composited(QColor(0, 0, 0, 128), Qt::white).red(), 127);
    // The shade found reads, and lies no further from the tint than it must.
    const QColor shade = ColorContrast::readableShade(QColor(199, 210, 222), QColor(236, 236, 236), 3);
    EXPECT_NEAR(ColorContrast::ratio(shade, QColor(236, 236, 236)), 3, 0.05);
}
