#include "VeltraneKit/Theme/ColorContrast.h"

#include <gtest/gtest.h>

using namespace veltrane;

TEST(ColorContrast, MeasuresRatiosAsTheAccessibilityGuidelinesDo)
{
    EXPECT_NEAR(ColorContrast::ratio(Qt::black, Qt::white), 21, 1e-9);
    EXPECT_NEAR(ColorContrast::ratio(QColor(118, 118, 118), Qt::white), 4.54, 0.01);
    EXPECT_NEAR(ColorContrast::ratio(QColor(156, 163, 175), Qt::white), 2.54, 0.01);
    EXPECT_EQ(ColorContrast::composited(QColor(0, 0, 0, 128), Qt::white).red(), 127);
}

TEST(ColorContrast, FindsTheNearestShadeThatReads)
{
    const QColor grey(156, 163, 175);
    const QColor paper(236, 236, 236);
    const QColor night(40, 40, 42);
    EXPECT_EQ(ColorContrast::readableShade(grey, night, 3), grey) << "already readable: unchanged";
    for (const auto& [tint, background, minimum] : { std::tuple { grey, paper, 4.5 }, { QColor(199, 210, 222), paper, 3.0 },
             { QColor(28, 33, 66), night, 3.0 }, { QColor(52, 224, 161), QColor(52, 224, 161), 3.0 } }) {
        const QColor shade = ColorContrast::readableShade(tint, background, minimum);
        EXPECT_GE(ColorContrast::ratio(shade, background), minimum);
        EXPECT_LT(ColorContrast::ratio(shade, background), minimum + 0.1) << "no further from the tint than needed";
    }
    EXPECT_EQ(ColorContrast::contentOn(QColor(110, 108, 255), 3), QColor(Qt::white));
    EXPECT_NE(ColorContrast::contentOn(QColor(156, 163, 175), 3), QColor(Qt::white));
}
