#include "Moorlet/WelcomeTour/WelcomeTourWindow.h"
#include "VeltraneKit/Settings/SettingsStore.h"
#include "tests/Moorlet/Views/ViewProbe.h"
#include "tests/Moorlet/Views/WidgetScene.h"

#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace moorlet;
using Kind = WelcomeTourTarget::Kind;
namespace Metrics = WelcomeTourMetrics;

namespace {

class WelcomeTourTest : public ::testing::Test {
protected:
    WelcomeTourTest()
        : window(*scene.controller, QColor(0x5B, 0x6C, 0xFF), [this] { ++finished; },
              [this] {
                  // What the host does: close the tour, then start the demo.
                  window.close();
                  scene.controller->startDemo(25);
              },
              ViewEnvironment { scene.ticker.get(), scene.scheduler, scene.clock, nullptr })
    {
        window.showFromStart();
    }

    WelcomeTourLayout layout() { return window.view().layout(window.size()); }

    void click(const QRectF& area)
    {
        QTest::mouseClick(&window, Qt::LeftButton, {}, area.center().toPoint());
        scene.settle();
    }

    WidgetScene scene;
    int finished = 0;
    WelcomeTourWindow window;
};

TEST_F(WelcomeTourTest, TheDotsJumpAndTheButtonsAndArrowKeysStepThroughThePages)
{
    // Skip on the first page, Try Demo on the last, Back and Next between.
    const int last = static_cast<int>(WelcomeTourView::steps().size()) - 1;
    for (int step = 0; step <= last; ++step) {
        SCOPED_TRACE(step);
        click(layout().dots()[static_cast<std::size_t>(step)]);
        EXPECT_EQ(window.view().step(), step);
        EXPECT_EQ(layout().leftTarget().kind, step == 0 ? Kind::skip : Kind::back);
        EXPECT_EQ(layout().rightTarget().kind, step == last ? Kind::tryDemo : Kind::next);
        // The current page's dot is the wide one.
        EXPECT_EQ(layout().dots()[static_cast<std::size_t>(step)].width(), Metrics::currentDotWidth);
    }

    // Back and Next step, and so do the arrow keys, never past either end; Skip leaves.
    click(layout().dots()[1]);
    click(layout().leftButton());
    EXPECT_EQ(window.view().step(), 0);
    for (const auto& [key, step] : { std::pair { Qt::Key_Left, 0 }, { Qt::Key_Right, 1 } }) {
        QTest::keyClick(&window, key);
        EXPECT_EQ(window.view().step(), step);
    }
    click(layout().rightButton());
    EXPECT_EQ(window.view().step(), 2);
    window.view().goTo(last);
    QTest::keyClick(&window, Qt::Key_Right);
    EXPECT_EQ(window.view().step(), last);
    window.showFromStart();
    click(layout().leftButton());
    EXPECT_EQ(finished, 1);
}

TEST_F(WelcomeTourTest, EveryPageFitsAndReadsInBothAppearances)
{
    const QString shots = qEnvironmentVariable("MOORLET_TOUR_SHOTS");
    if (!shots.isEmpty())
        QDir().mkpath(shots);
    for (const auto appearance : { veltrane::AppearancePreference::light, veltrane::AppearancePreference::dark }) {
        scene.settings->setAppearance(appearance);
        const bool dark = appearance == veltrane::AppearancePreference::dark;
        for (int step = 0; step < static_cast<int>(WelcomeTourView::steps().size()); ++step) {
            SCOPED_TRACE(step);
            window.view().goTo(step);
            scene.settle();
            const auto geometry = layout();
            EXPECT_LE(window.view().contentBottom(step, geometry.content()), geometry.content().bottom());

            const QImage image = window.renderToImage();
            if (!shots.isEmpty())
                image.save(QStringLiteral("%1/step%2-%3.png").arg(shots).arg(step + 1).arg(dark ? "dark" : "light"));
            // The window's ground follows the appearance, and the title stands out from it.
            const QColor ground = image.pixelColor(geometry.content().bottomRight().toPoint());
            EXPECT_EQ(ground.lightnessF() < 0.5, dark);
            const QRectF title = geometry.content().adjusted(0, 0, 0, -geometry.content().height() + 28);
            EXPECT_GE(viewprobe::strongestContrast(image, title, ground), 4.5);
            // The hero is the page's colour.
            const QColor hero = image.pixelColor(geometry.hero().bottomRight().toPoint() - QPoint(2, 2));
            EXPECT_LT(std::abs(hero.hueF() - WelcomeTourView::steps()[static_cast<std::size_t>(step)].tint.hueF()), 0.02);
        }
    }
}

} // namespace
