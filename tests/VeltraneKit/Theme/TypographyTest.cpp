#include "VeltraneKit/Theme/DesignTokens.h"
#include "VeltraneKit/Theme/RoundedTypeface.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
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
    QImage image(120, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(Typography::label().font());
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Ros\u00e9"));
    painter.end();
    EXPECT_TRUE(QFontMetricsF(Typography::label().font()).inFont(QChar(0x00E9)));
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            inked += qAlpha(image.pixel(x, y)) > 128;
    EXPECT_GT(inked, 40);
}
