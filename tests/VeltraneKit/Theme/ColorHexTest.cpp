#include "VeltraneKit/Theme/ColorHex.h"

#include <gtest/gtest.h>

using namespace veltrane;

TEST(ColorHexTest, ParsesSixDigitsWithHashAndBlanksAndFormatsUpperCaseSrgbThatReadsBack)
{
    EXPECT_EQ(colorFromHexString(u"  #46b8c6 "), QColor(70, 184, 198));
    EXPECT_EQ(colorFromHexString(u"\t46B8C6\t"), QColor(70, 184, 198));
    EXPECT_EQ(colorFromHexString(u"aBcDeF"), QColor(0xAB, 0xCD, 0xEF));
    for (const char16_t* text : { u"", u"#", u"46b8c", u"#46b8c", u"46b8c6a", u"##46b8c6", u"46b8cg", u"46 8c6",
             u"+46b8c", u"-46b8c", u"0x46b8", u"46b8c6\n", u"\n46b8c6", u"４６b8c6", u"#46b8c6#" }) {
        EXPECT_FALSE(colorFromHexString(text)) << QString::fromUtf16(text).toStdString();
    }

    // Formatting: upper-case sRGB without a hash, which reads back.
    EXPECT_EQ(hexString(QColor(0x5B, 0x6C, 0xFF)), QStringLiteral("5B6CFF"));
    EXPECT_EQ(hexString(QColor(1, 2, 3)), QStringLiteral("010203"));
    // Colours given in other models convert to sRGB first; fractions round to the nearest step.
    EXPECT_EQ(hexString(QColor::fromHsv(0, 255, 255)), QStringLiteral("FF0000"));
    EXPECT_EQ(hexString(QColor::fromRgbF(0.5f, 0.0f, 1.0f)), QStringLiteral("8000FF"));
    // Extended-range colours clamp to valid text.
    EXPECT_EQ(hexString(QColor::fromRgbF(1.4f, -0.2f, 0.5f)), QStringLiteral("FF0080"));
    EXPECT_EQ(colorFromHexString(hexString(QColor(1, 254, 7))), QColor(1, 254, 7));
}
