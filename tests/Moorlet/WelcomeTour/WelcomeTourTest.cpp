#include "Moorlet/WelcomeTour/WelcomeTourWindow.h"
#include "VeltraneKit/Settings/SettingsStore.h"
#include "tests/Moorlet/Views/WidgetScene.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace moorlet;
using Kind = WelcomeTourTarget::Kind;

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

} // namespace
