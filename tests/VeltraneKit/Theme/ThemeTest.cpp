#include "VeltraneKit/Theme/ColorContrast.h"
#include "VeltraneKit/Theme/ColorHex.h"
#include "VeltraneKit/Theme/DesignTokens.h"
#include "VeltraneKit/Theme/RoundedTypeface.h"
#include "VeltraneKit/Theme/ThemeCatalog.h"

#include <QFontInfo>
#include <QFontMetricsF>

#include <gtest/gtest.h>

using namespace veltrane;
namespace Typography = DesignTokens::Typography;

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
    // Fractions round to the nearest step.
    EXPECT_EQ(hexString(QColor::fromRgbF(0.5f, 0.0f, 1.0f)), QStringLiteral("8000FF"));
    EXPECT_EQ(colorFromHexString(hexString(QColor(1, 254, 7))), QColor(1, 254, 7));
}

namespace {

Theme themed(const char* id, const char* name, QColor accent)
{
    return Theme { QString::fromUtf8(id), QString::fromUtf8(name), accent, Theme::Background::materialGradient,
        QColor(1, 2, 3) };
}

QStringList ids(const ThemeCatalog& catalog)
{
    QStringList result;
    for (const Theme& theme : catalog.themes())
        result << theme.id;
    return result;
}

} // namespace

TEST(ThemeCatalogTest, MonoComesFirstAndTheFirstOfEachIdWins)
{
    const ThemeCatalog catalog({ themed("ocean", "Ocean", Qt::blue), themed("default", "Impostor", Qt::red),
        themed("sand", "Sand", Qt::yellow), themed("ocean", "Second ocean", Qt::green) });
    EXPECT_EQ(ids(catalog), (QStringList { "default", "ocean", "sand" }));
    EXPECT_EQ(catalog.theme(u"default"), Theme::defaultTheme());
    EXPECT_EQ(catalog.theme(u"ocean").name, QStringLiteral("Ocean"));
    EXPECT_EQ(ids(ThemeCatalog({})), QStringList { "default" });
    // Unknown ids fall back to Mono.
    for (const char16_t* id : { u"", u"Ocean", u"OCEAN", u"ocean ", u"retired-theme" })
        EXPECT_EQ(catalog.theme(id), Theme::defaultTheme()) << QString::fromUtf16(id).toStdString();
}

TEST(TypographyTest, TokensUseTheBundledRoundedFaceInTheirWeightWithDigitsOfOneWidth)
{
    ASSERT_TRUE(RoundedTypeface::isAvailable());
    const QFont countdown = Typography::countdownExpanded().font();
    EXPECT_EQ(QFontInfo(countdown).family(), RoundedTypeface::family());
    EXPECT_EQ(QFontInfo(countdown).weight(), QFont::DemiBold);
    for (const QFont& font : { Typography::statValue().font(), Typography::metric(14, QFont::Normal).font(),
             countdown }) {
        const QFontMetricsF metrics(font);
        for (const QChar digit : QStringView(u"123456789"))
            EXPECT_NEAR(metrics.horizontalAdvance(digit), metrics.horizontalAdvance(u'0'), 0.01)
                << font.toString().toStdString();
    }
    // Theme names such as "Rosé" need the accented letters.
    EXPECT_TRUE(QFontMetricsF(Typography::label().font()).inFont(QChar(0x00E9)));
}
