#include "VeltraneKit/Theme/DesignTokens.h"
#include "VeltraneKit/Theme/RoundedTypeface.h"
#include "tests/VeltraneKit/Components/PaintProbe.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

using namespace veltrane;
namespace Typography = DesignTokens::Typography;

namespace {

bool tabular(const QFont& font)
{
    const QFontMetricsF metrics(font);
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (std::abs(metrics.horizontalAdvance(QLatin1Char(digit)) - metrics.horizontalAdvance(QLatin1Char('0'))) > 0.01)
            return false;
    }
    return true;
}

} // namespace

TEST(TypographyTest, BundledRoundedFaceLoadsInFourWeights)
{
    ASSERT_TRUE(RoundedTypeface::isAvailable());
    const QString family = RoundedTypeface::family();
    for (const QFont::Weight weight : { QFont::Normal, QFont::Medium, QFont::DemiBold, QFont::Bold }) {
        QFont font(family);
        font.setWeight(weight);
        const QFontInfo info(font);
        EXPECT_EQ(info.family(), family);
        EXPECT_EQ(info.weight(), weight);
    }
}

TEST(TypographyTest, TokensBecomeRoundedFontsOfTheirWeightWithMonospacedDigits)
{
    const QFont countdown = Typography::countdownExpanded().font();
    EXPECT_EQ(QFontInfo(countdown).family(), RoundedTypeface::family());
    EXPECT_EQ(QFontInfo(countdown).weight(), QFont::DemiBold);
    EXPECT_EQ(QFontInfo(Typography::sectionLabel().font()).weight(), QFont::Bold);
    for (const QFont& font : { Typography::statValue().font(), Typography::metric(14, QFont::Normal).font(), countdown })
        EXPECT_TRUE(tabular(font)) << font.toString().toStdString();
}

TEST(TypographyTest, RoundedFaceDrawsTheAccentedThemeName)
{
    PaintProbe probe(120, 40);
    probe.paint([](QPainter& painter) {
        painter.setFont(Typography::label().font());
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, 0, 120, 40), Qt::AlignCenter, QStringLiteral("Ros\u00e9"));
    });
    EXPECT_TRUE(QFontMetricsF(Typography::label().font()).inFont(QChar(0x00E9)));
    EXPECT_GT(probe.countOpaque(128), 40);
}
