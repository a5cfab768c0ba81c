#include "VeltraneKit/Components/ConfettiPainter.h"
#include "VeltraneKit/Components/PillButton.h"
#include "VeltraneKit/Components/ProgressArcPainter.h"
#include "VeltraneKit/Components/ProgressRingPainter.h"
#include "VeltraneKit/Components/ShadowPainter.h"
#include "VeltraneKit/Components/StateDotPainter.h"
#include "VeltraneKit/Components/VisualEffectView.h"
#include "tests/VeltraneKit/Motion/ManualTicker.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

using namespace veltrane;

namespace {

// A widget and its children as they paint themselves over transparency.
QImage render(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, {}, {}, QWidget::DrawChildren);
    return image;
}

// A pixel's colour, unpremultiplied.
QColor colourAt(const QImage& image, QPointF point)
{
    return QColor::fromRgba(qUnpremultiply(image.pixel(point.toPoint())));
}

// The pixels of `image` whose colour passes `test`.
int countPixels(const QImage& image, const std::function<bool(const QColor&)>& test)
{
    int result = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            result += test(colourAt(image, QPointF(x, y)));
    return result;
}

// Paints into a transparent image and reads it back, for pixel checks of painters.
class PaintProbe {
public:
    PaintProbe(int width, int height)
        : m_image(width, height, QImage::Format_ARGB32_Premultiplied)
    {
        m_image.fill(Qt::transparent);
    }

    void paint(const std::function<void(QPainter&)>& draw)
    {
        QPainter painter(&m_image);
        draw(painter);
    }

    // The point at `degrees` clockwise from twelve o'clock on a circle about `center`.
    static QPointF onCircle(QPointF center, double radius, double degrees)
    {
        const double radians = degrees * std::numbers::pi / 180;
        return { center.x() + radius * std::sin(radians), center.y() - radius * std::cos(radians) };
    }

    const QImage& image() const { return m_image; }
    int alphaAt(QPointF point) const { return qAlpha(m_image.pixel(point.toPoint())); }
    QColor colorAt(QPointF point) const { return colourAt(m_image, point); }
    // Pixels whose opacity is above `limit`.
    int countOpaque(int limit = 128) const
    {
        return countPixels(m_image, [limit](const QColor& pixel) { return pixel.alpha() > limit; });
    }

private:
    QImage m_image;
};

class ComponentWidgetsTest : public ::testing::Test, protected veltrane::testing::ManualTicker { };

// Whether a pixel within six points left or right of `center` is opaque ink, light or dark: the
// symbol.
bool inkAcross(const QImage& image, QPointF center, bool light)
{
    bool ink = false;
    for (int dx = -6; dx <= 6; ++dx) {
        const QColor pixel = colourAt(image, center + QPointF(dx, 0));
        ink |= pixel.alpha() > 200 && (light ? pixel.lightness() > 200 : pixel.lightness() < 80);
    }
    return ink;
}

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

TEST_F(ComponentWidgetsTest, ProminentPillIsATintedDiscWithAShadowBelow)
{
    const QColor tint(110, 108, 255);
    PillButton button(QStringLiteral("play.fill"), tint, true, {}, nullptr, m_ticker.get());
    const QRectF disc = button.buttonRect();
    EXPECT_EQ(disc.size(), QSizeF(54, 54));
    const QImage image = render(button);
    const QPointF center = disc.center();
    // The disc is the tint; the symbol at its middle is white.
    EXPECT_EQ(image.pixel(QPointF(center.x() - 20, center.y()).toPoint()), tint.rgb());
    EXPECT_GT(colourAt(image, center + QPointF(1, 0)).lightness(), 230);
    // The shadow falls below the disc, not above it.
    EXPECT_GT(colourAt(image, { center.x(), disc.bottom() + 5 }).alpha(),
        colourAt(image, { center.x(), disc.top() - 5 }).alpha() + 10);
}

TEST_F(ComponentWidgetsTest, PlainPillsAndBackdropsPaintFromThePaletteTheyAreGiven)
{
    PillButton pill(QStringLiteral("forward.fill"), QColor(156, 163, 175), false, {}, nullptr, m_ticker.get());
    const QPointF center = pill.buttonRect().center();
    // On the light desktop the symbol is drawn in the dark primary text colour.
    ASSERT_GT(QGuiApplication::palette().color(QPalette::Window).lightness(), 200);
    EXPECT_TRUE(inkAcross(render(pill), center, false));

    // Forced dark: the material beside the symbol is the dark window colour, the symbol light.
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(28, 28, 30));
    dark.setColor(QPalette::WindowText, QColor(255, 255, 255));
    pill.setPalette(dark);
    const QImage pillImage = render(pill);
    EXPECT_LT(colourAt(pillImage, center - QPointF(13, 0)).lightness(), 60);
    EXPECT_TRUE(inkAcross(pillImage, center, true));

    VisualEffectView backdrop(Material::windowBackground, BlendingMode::withinWindow, MaterialState::active, 0,
        nullptr, m_ticker.get());
    backdrop.resize(20, 20);
    backdrop.setPalette(dark);
    EXPECT_EQ(render(backdrop).pixel(10, 10), QColor(28, 28, 30).rgb());

    // A translucent material, clear outside its rounded corners.
    VisualEffectView popover(Material::popover, BlendingMode::behindWindow, MaterialState::active, 22, nullptr,
        m_ticker.get());
    popover.resize(100, 100);
    const QImage image = render(popover);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_NEAR(qAlpha(image.pixel(50, 50)), qRound(0.82 * 255), 2);
}

TEST(StateDotPainterTest, PulsesLargerWithAWiderGlow)
{
    const QColor green(52, 224, 161);
    const auto paintDot = [&](double pulse) {
        PaintProbe probe(60, 60);
        probe.paint([&](QPainter& painter) {
            StateDotPainter { green, 10, pulse }.paint(painter, QRectF(0, 0, 60, 60));
        });
        return probe;
    };
    const auto solid = [&](const PaintProbe& probe) {
        return double(countPixels(probe.image(), [&](const QColor& pixel) { return pixel == green; }));
    };
    const PaintProbe rest = paintDot(0);
    const PaintProbe pulsing = paintDot(1);
    // The solid dot's area grows with the square of the 1.25 scale.
    EXPECT_NEAR(solid(pulsing) / solid(rest), 1.5625, 0.25);
    EXPECT_GT(pulsing.countOpaque(5), rest.countOpaque(5));
}

TEST(ConfettiPainterTest, APieceShowsOnlyWhileFallingFromAboveTheTopToBelowTheBottom)
{
    ConfettiPiece piece;
    piece.x = 0.5;
    piece.color = Qt::red;
    const QRectF area(0, 0, 272, 300);
    const auto inked = [&](double progress) {
        PaintProbe probe(272, 300);
        probe.paint([&](QPainter& p) { ConfettiPainter::paint(p, area, { piece }, { progress }); });
        return probe.countOpaque(0);
    };
    EXPECT_EQ(inked(0), 0);
    EXPECT_GT(inked(0.5), 10);
    EXPECT_EQ(inked(1), 0);
    EXPECT_EQ(ConfettiPainter::position(area, piece, 0).y(), -20);
    EXPECT_EQ(ConfettiPainter::position(area, piece, 1), QPointF(136, 320));
}

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
