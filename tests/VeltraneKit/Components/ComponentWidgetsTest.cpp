#include "PaintProbe.h"

#include "VeltraneKit/Components/ConfettiPainter.h"
#include "VeltraneKit/Components/ConfettiView.h"
#include "VeltraneKit/Components/PillButton.h"
#include "VeltraneKit/Components/ProgressRing.h"
#include "VeltraneKit/Components/StateDot.h"
#include "VeltraneKit/Components/StateDotPainter.h"
#include "VeltraneKit/Components/VisualEffectView.h"
#include "tests/VeltraneKit/Motion/ManualTicker.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QTest>

#include <gtest/gtest.h>

using namespace veltrane;

namespace {

class ComponentWidgetsTest : public ::testing::Test, protected veltrane::testing::ManualTicker { };

QImage render(QWidget& widget) { return PaintProbe::render(widget); }
QColor colourAt(const QImage& image, QPointF at) { return PaintProbe::colorAt(image, at); }

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
}

TEST_F(ComponentWidgetsTest, PillGrowsWhileHoveredAndRunsItsActionOnlyInsideTheDisc)
{
    int taps = 0;
    PillButton button(QStringLiteral("play.fill"), Qt::red, true, [&] { ++taps; }, nullptr, m_ticker.get());
    button.show();
    const QPointF center = button.buttonRect().center();
    QEnterEvent enter(center, center, center);
    QCoreApplication::sendEvent(&button, &enter);
    runFor(0.075);
    EXPECT_GT(button.hoverScale(), 1.02);
    runFor(0.1);
    EXPECT_DOUBLE_EQ(button.hoverScale(), 1.05);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
    runFor(0.2);
    EXPECT_DOUBLE_EQ(button.hoverScale(), 1.0);

    QTest::mouseClick(&button, Qt::LeftButton, {}, center.toPoint());
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(taps, 1);
}

TEST_F(ComponentWidgetsTest, StateDotPulsesLargerWithAWiderGlow)
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
        return double(PaintProbe::count(probe.image(), [&](const QColor& pixel) { return pixel == green; }));
    };
    const PaintProbe rest = paintDot(0);
    const PaintProbe pulsing = paintDot(1);
    // The solid dot's area grows with the square of the 1.25 scale.
    EXPECT_NEAR(solid(pulsing) / solid(rest), 1.5625, 0.25);
    EXPECT_GT(pulsing.countOpaque(5), rest.countOpaque(5));

    StateDot dot(green, 10, false, nullptr, m_ticker.get());
    dot.setPulsing(true);
    runFor(0.25);
    EXPECT_NEAR(dot.displayedPulse(), 0.5, 0.05);
    runFor(0.3);
    EXPECT_EQ(dot.displayedPulse(), 1.0);
}

TEST_F(ComponentWidgetsTest, ConfettiFallsOnceEachPieceAfterItsDelayFromAboveToBelowAndFades)
{
    ConfettiPiece early;
    early.x = 0.5;
    early.color = Qt::red;
    ConfettiPiece late = early;
    late.delay = 0.25;
    ConfettiView view({ early, late }, nullptr, m_ticker.get());
    view.resize(272, 300);
    const auto visible = [&] {
        return PaintProbe::count(render(view), [](const QColor& pixel) { return pixel.alpha() > 0; });
    };
    // Before the fall every piece waits above the top edge: nothing shows.
    EXPECT_EQ(visible(), 0);
    EXPECT_FALSE(view.falling());

    view.show();
    EXPECT_TRUE(view.falling());
    runFor(0.2);
    EXPECT_GT(view.progress()[0], 0);
    EXPECT_EQ(view.progress()[1], 0);
    EXPECT_GT(visible(), 0);
    runFor(1.2);
    EXPECT_EQ(view.progress(), (std::vector<double> { 1, 1 }));
    EXPECT_FALSE(m_driver->isRunning());
    EXPECT_EQ(visible(), 0);

    // It never falls again.
    view.hide();
    view.show();
    EXPECT_FALSE(m_driver->isRunning());
    EXPECT_EQ(ConfettiPainter::position(QRectF(0, 0, 272, 300), early, 0).y(), -20);
    EXPECT_EQ(ConfettiPainter::position(QRectF(0, 0, 272, 300), early, 1), QPointF(136, 320));
}

TEST_F(ComponentWidgetsTest, VisualEffectCornerRadiusEasesToTheNewRadiusAndClipsTheCorners)
{
    VisualEffectView backdrop(Material::popover, BlendingMode::behindWindow, MaterialState::active, 18, nullptr,
        m_ticker.get());
    backdrop.resize(100, 100);
    for (const double radius : { 22.0, 18.0 }) {
        backdrop.update(Material::popover, BlendingMode::behindWindow, MaterialState::active, radius);
        runFor(0.1);
        EXPECT_NE(backdrop.displayedCornerRadius(), radius);
        runFor(0.4);
        EXPECT_EQ(backdrop.displayedCornerRadius(), radius);
    }
    // The corner outside the radius stays clear; the middle is the material.
    const QImage image = render(backdrop);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_NEAR(qAlpha(image.pixel(50, 50)), qRound(0.82 * 255), 2);
}

TEST_F(ComponentWidgetsTest, AtomsAtRestRunNoFrames)
{
    PillButton pill(QStringLiteral("play.fill"), Qt::red, true, {}, nullptr, m_ticker.get());
    StateDot dot(Qt::green, 8, true, nullptr, m_ticker.get());
    ProgressRing ring(Qt::blue, 6, 0.15, nullptr, m_ticker.get());
    ring.resize(180, 180);
    VisualEffectView backdrop(Material::popover, BlendingMode::behindWindow, MaterialState::active, 22, nullptr,
        m_ticker.get());
    ring.setProgress(0.4);
    dot.setPulsing(true);
    backdrop.update(Material::thin, BlendingMode::withinWindow, MaterialState::inactive, 22);
    for (QWidget* widget : std::initializer_list<QWidget*> { &pill, &dot, &ring })
        render(*widget);
    EXPECT_EQ(m_driver->starts(), 0);

    // An animated change runs frames only until it lands.
    ring.setProgress(0.8, Animation::easeInOut(0.3));
    EXPECT_EQ(ring.displayedProgress(), 0.4);
    runFor(0.31);
    EXPECT_EQ(ring.displayedProgress(), 0.8);
    EXPECT_FALSE(m_driver->isRunning());
}
