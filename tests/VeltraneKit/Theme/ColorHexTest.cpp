#include "VeltraneKit/Theme/ColorHex.h"

#include <gtest/gtest.h>

using namespace veltrane;

TEST(ColorHexTest, ParsesSixDigitsWithHashAndSurroundingBlanks)
{
    const auto ocean = colorFromHexString(u"  #46b8c6 ");
    ASSERT_TRUE(ocean);
    EXPECT_EQ(*ocean, QColor(70, 184, 198));
    EXPECT_EQ(ocean->alpha(), 255);
    EXPECT_EQ(colorFromHexString(u"\t46B8C6\t"), QColor(70, 184, 198));
    EXPECT_EQ(colorFromHexString(u"000000"), QColor(0, 0, 0));
    EXPECT_EQ(colorFromHexString(u"FFFFFF"), QColor(255, 255, 255));
    EXPECT_EQ(colorFromHexString(u"aBcDeF"), QColor(0xAB, 0xCD, 0xEF));
}

TEST(ColorHexTest, RejectsAnythingButSixHexDigits)
{
    for (const char16_t* text : { u"", u"#", u"46b8c", u"#46b8c", u"46b8c6a", u"##46b8c6", u"46b8cg", u"46 8c6",
             u"+46b8c", u"-46b8c", u"0x46b8", u"46b8c6\n", u"\n46b8c6", u"４６b8c6", u"#46b8c6#" }) {
        EXPECT_FALSE(colorFromHexString(text)) << QString::fromUtf16(text).toStdString();
    }
}

TEST(ColorHexTest, FormatsUpperCaseWithoutHash)
{
    const auto parsed = colorFromHexString(u"5b6cff");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(hexString(*parsed), QStringLiteral("5B6CFF"));
    EXPECT_EQ(hexString(QColor(0, 0, 0)), QStringLiteral("000000"));
    EXPECT_EQ(hexString(QColor(1, 2, 3)), QStringLiteral("010203"));
    // Colours given in other models convert to sRGB first.
    EXPECT_EQ(hexString(QColor::fromHsv(0, 255, 255)), QStringLiteral("FF0000"));
    // Fractions round to the nearest step.
    EXPECT_EQ(hexString(QColor::fromRgbF(0.5f, 0.0f, 1.0f)), QStringLiteral("8000FF"));
}

TEST(ColorHexTest, ExtendedRangeColoursClampToValidText)
{
    const QColor beyond = QColor::fromRgbF(1.4f, -0.2f, 0.5f);
    const QString text = hexString(beyond);
    EXPECT_EQ(text, QStringLiteral("FF0080"));
    EXPECT_TRUE(colorFromHexString(text));
}

TEST(ColorHexTest, RoundTripsEveryComponentValue)
{
    for (int v = 0; v < 256; ++v) {
        const QColor color(v, 255 - v, (v * 7) % 256);
        const auto back = colorFromHexString(hexString(color));
        ASSERT_TRUE(back);
        EXPECT_EQ(*back, color);
    }
}
