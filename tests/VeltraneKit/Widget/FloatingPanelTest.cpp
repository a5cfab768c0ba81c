#include "VeltraneKit/Widget/FloatingPanel.h"

#include "VeltraneKit/Widget/PanelHostingView.h"
#include "tests/VeltraneKit/Widget/FakeScreenProvider.h"
#include "tests/VeltraneKit/Widget/PanelEvents.h"

#include <QPointer>

#include <gtest/gtest.h>

namespace veltrane {
namespace {

using testing::FakeScreenProvider;
using testing::PanelEvents;

const Rect kVisible(0, 0, 1440, 875);

using Drop = std::pair<Point, std::optional<DockSide>>;

class FloatingPanelTest : public ::testing::Test {
protected:
    std::shared_ptr<FakeScreenProvider> screens = std::make_shared<FakeScreenProvider>(kVisible);
    FloatingPanel panel { Rect(600, 300, 168, 168), screens };
    PanelEvents events { *screens, panel };
    int clicks = 0;
    std::vector<Drop> drops;

    void SetUp() override
    {
        panel.onClicked = [this] { ++clicks; };
        panel.onMoved = [this](Point origin, std::optional<DockSide> side) { drops.emplace_back(origin, side); };
    }
};

TEST_F(FloatingPanelTest, FrameIsExactInYUpAndRoundedInQt)
{
    panel.setFrame(Rect(1272, 353.5, 168, 168));
    EXPECT_EQ(panel.frame(), Rect(1272, 353.5, 168, 168));
    // Qt's y grows downwards from the top of the 875-point screen: 875 − 521.5 rounds to 354.
    EXPECT_EQ(panel.geometry(), QRect(1272, 354, 168, 168));
    // When something else moves the window, the window system's frame wins.
    panel.move(100, 200);
    EXPECT_EQ(panel.frame(), Rect(100, 507, 168, 168));
}

TEST_F(FloatingPanelTest, OnlyALeftDragBeyondFourPointsMovesFollowingThePointerAndLessIsAClick)
{
    // A wiggle within four points is a click.
    events.drag({ 680, 380 }, { { 683, 380 }, { 680, 377 }, { 682, 382 } });
    events.drag({ 680, 380 }, { { 684, 380 } });
    EXPECT_EQ(clicks, 2);
    // Other buttons neither click nor drag, and a release without a press is no click.
    events.drag({ 680, 380 }, { { 780, 380 } }, Qt::RightButton);
    events.release();
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(drops.empty());
    EXPECT_EQ(panel.frame().origin, (Point { 600, 300 }));

    events.press({ 680, 380 });
    events.moveTo({ 683, 382.7 }); // 4.04 points
    EXPECT_TRUE(panel.isDragging());
    EXPECT_EQ(panel.frame().origin, (Point { 603, 302.7 }));
    // Moving back inside the threshold still moves: the press is a drag now.
    events.moveTo({ 681, 380 });
    EXPECT_EQ(panel.frame().origin, (Point { 601, 300 }));
    events.release();
    EXPECT_FALSE(panel.isDragging());
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(drops, (std::vector<Drop> { { { 601, 300 }, std::nullopt } }));
}

TEST_F(FloatingPanelTest, TheContentFillsThePanelAsItResizes)
{
    // Presses on the content and its buttons are checked on a real X server.
    auto* content = new QWidget;
    panel.setContentView(content);
    EXPECT_EQ(content->parentWidget(), &panel);
    // Resize events reach a hidden window only when it is shown.
    panel.show();
    panel.setFrame(Rect(600, 300, 320, 600));
    EXPECT_EQ(content->size(), QSize(320, 600));
}

TEST_F(FloatingPanelTest, AppearanceForcesAPaletteAndNothingFollowsTheApplication)
{
    panel.setAppearance(PanelAppearance::dark);
    EXPECT_LT(panel.palette().color(QPalette::Window).lightness(), 64);
    panel.setAppearance(PanelAppearance::light);
    EXPECT_GT(panel.palette().color(QPalette::Window).lightness(), 192);
    panel.setAppearance(std::nullopt);
    EXPECT_EQ(panel.palette().color(QPalette::Window), QApplication::palette().color(QPalette::Window));
}

// The panel's content in the program: it holds the root view built for the side docked to.
TEST(PanelHostingViewTest, TheRootViewFillsTheHostAndIsReplaceable)
{
    QPointer<QWidget> first = new QWidget;
    PanelHostingView host(first);
    host.resize(168, 168);
    // Resize events reach hidden widgets only when they are shown.
    host.show();
    EXPECT_EQ(first->parentWidget(), &host);
    EXPECT_EQ(first->geometry(), QRect(0, 0, 168, 168));

    auto* second = new QWidget;
    host.setRootView(second);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    host.resize(320, 648);
    EXPECT_EQ(second->size(), QSize(320, 648));
}

} // namespace
} // namespace veltrane
