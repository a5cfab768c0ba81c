#include "VeltraneKit/Theme/DesignTokens.h"
#include "VeltraneKit/Theme/RoundedTypeface.h"

#include <QFontInfo>
#include <QFontMetricsF>

#include <gtest/gtest.h>

using namespace veltrane;
namespace Typography = DesignTokens::Typography;

TEST(TypographyTest, TokensUseTheBundledRoundedFaceInTheirWeightWithDigitsOfOneWidth)
{
    ASSERT_TRUE(RoundedTypeface::isAvailable());
    const QFont countdown = Typography::countdownExpanded().font();
    EXPECT_EQ(QFontInfo(countdown).family(), RoundedTypeface::family());
    EXPECT_EQ(QFontInfo(countdown).weight(), QFont::DemiBold);
    EXPECT_EQ(QFontInfo(Typography::sectionLabel().font()).weight(), QFont::Bold);
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
