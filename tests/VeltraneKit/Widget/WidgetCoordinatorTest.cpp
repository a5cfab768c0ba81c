#include "VeltraneKit/Widget/WidgetCoordinator.h"

#include "VeltraneKit/Geometry/WidgetPlacement.h"
#include "VeltraneKit/Settings/MemoryUserDefaults.h"
#include "VeltraneKit/Widget/FloatingPanel.h"
#include "VeltraneKit/Time/ManualOneShotScheduler.h"
#include "VeltraneKit/Widget/QtOneShotScheduler.h"
#include "tests/VeltraneKit/Widget/FakeScreenProvider.h"
#include "tests/VeltraneKit/Widget/PanelEvents.h"
#include "tests/support/TestSupport.h"

#include <QPointer>

#include <string>
#include <tuple>

#include <gtest/gtest.h>

namespace veltrane {
namespace {

using testing::FakeScreenProvider;
using testing::PanelEvents;
using H = WidgetAnchor::Horizontal;
using V = WidgetAnchor::Vertical;
using Animation = WidgetCoordinator::Animation;

constexpr Size kCollapsed { 168, 168 };
constexpr Size kCard { 320, 600 };
const Rect kVisible(0, 0, 1440, 875);
const std::string kOriginKey = "com.veltrane.widget.origin";
const std::string kSideKey = "com.veltrane.widget.side";

class WidgetCoordinatorTest : public ::testing::Test {
protected:
    std::shared_ptr<FakeScreenProvider> screens = std::make_shared<FakeScreenProvider>(kVisible);
    std::shared_ptr<ManualOneShotScheduler> scheduler = std::make_shared<ManualOneShotScheduler>();
    std::shared_ptr<MemoryUserDefaults> defaults = std::make_shared<MemoryUserDefaults>();
    std::unique_ptr<WidgetCoordinator> coordinator;

    std::vector<DockSide> rootsBuiltFor;
    QPointer<QWidget> lastRoot;
    std::vector<Size> offsets;
    std::vector<WidgetAnchor> anchors;
    int widgetClicks = 0;

    WidgetCoordinator& make(DockSide side = DockSide::right)
    {
        coordinator = std::make_unique<WidgetCoordinator>(side, defaults,
            WidgetCoordinator::kApplicationKeyPrefix,
            [this](DockSide builtSide) {
                rootsBuiltFor.push_back(builtSide);
                lastRoot = new QWidget;
                return lastRoot.data();
            },
            screens, scheduler);
        coordinator->onClampingOffsetChanged = [this](Size offset) { offsets.push_back(offset); };
        coordinator->onAnchorChanged = [this](WidgetAnchor anchor) { anchors.push_back(anchor); };
        coordinator->onWidgetClicked = [this] { ++widgetClicks; };
        return *coordinator;
    }

    WidgetCoordinator& shown(DockSide side = DockSide::right)
    {
        make(side).show();
        return *coordinator;
    }

    Rect frame() const { return coordinator->panel()->frame(); }
    std::optional<std::string> storedOrigin() const { return defaults->string(kOriginKey); }

    void dragPanel(Point from, Point to) { PanelEvents(*screens, *coordinator->panel()).drag(from, { to }); }
};

TEST_F(WidgetCoordinatorTest, FirstLaunchDocksCentredOnTheRightEdgeAndShowingAgainReusesThePanel)
{
    WidgetCoordinator& widget = make();
    // Nothing happens before the panel exists.
    widget.setContentSize(kCard, Animation::immediate);
    EXPECT_EQ(widget.panel(), nullptr);
    EXPECT_FALSE(storedOrigin());

    widget.show();
    ASSERT_NE(widget.panel(), nullptr);
    EXPECT_EQ(frame(), Rect(1272, 353.5, 168, 168));
    EXPECT_EQ(rootsBuiltFor, std::vector { DockSide::right });
    EXPECT_EQ(widget.hostingView()->rootView(), lastRoot);

    // Hiding keeps the panel; showing again brings back the same one where it was.
    FloatingPanel* panel = widget.panel();
    panel->setFrameOrigin({ 500, 500 });
    widget.hide();
    EXPECT_FALSE(panel->isVisible());
    widget.show();
    EXPECT_EQ(widget.panel(), panel);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(frame().origin, (Point { 500, 500 }));
    EXPECT_EQ(rootsBuiltFor.size(), 1u);
}

TEST_F(WidgetCoordinatorTest, ASavedOriginIsUsedUnlessUnreadableOrZero)
{
    const std::pair<const char*, Point> cases[] = {
        { "{100.25, 200}", { 100.25, 200 } },
        // Zero, or nothing that reads as a point: the first-launch place.
        { "{0, 0}", { 1272, 353.5 } },
        { "somewhere", { 1272, 353.5 } },
    };
    for (const auto& [stored, origin] : cases) {
        defaults->setString(kOriginKey, stored);
        shown();
        EXPECT_EQ(frame().origin, origin) << stored;
    }
}

TEST_F(WidgetCoordinatorTest, AStoredSideOverridesTheGivenOne)
{
    defaults->setString(kSideKey, "top");
    shown(DockSide::right);
    EXPECT_EQ(coordinator->dockSide(), DockSide::top);
    EXPECT_EQ(frame().origin, (Point { 636, 707 }));
    EXPECT_EQ(rootsBuiltFor, std::vector { DockSide::top });
    // Text that names no side leaves the given one.
    defaults->setString(kSideKey, "auto");
    EXPECT_EQ(make(DockSide::left).dockSide(), DockSide::left);
}

TEST_F(WidgetCoordinatorTest, ExpansionGrowsAwayFromTheNearEdgesKeepingTheTileInPlace)
{
    // Where the collapsed panel sits, the expanded size, then the anchor, expanded origin, clamping
    // offset and collapsed origin that follow.
    const std::tuple<const char*, Point, Size, WidgetAnchor, Point, Size, Point> rows[] = {
        { "RightCentre", { 1272, 353.5 }, kCard, { H::trailing, V::center }, { 1120, 137.5 }, {}, { 1272, 353.5 } },
        { "TopLeft", { -12, 719 }, kCard, { H::leading, V::top }, { 4, 279 }, {}, { 4, 711 } },
        // Too tall to hang down or grow up: the smart anchor, pushed down to the screen.
        { "TooTallNearTheBottom", { 600, 20 }, { 320, 880 }, { H::center, V::bottom }, { 532, 7 }, { 0, -21 }, { 608, 28 } },
    };
    for (const auto& [name, collapsedAt, size, anchor, expandedOrigin, offset, collapsedOrigin] : rows) {
        SCOPED_TRACE(name);
        anchors.clear();
        offsets.clear();
        defaults = std::make_shared<MemoryUserDefaults>();
        WidgetCoordinator& widget = shown();
        widget.panel()->setFrameOrigin(collapsedAt);
        const Point tileBefore = collapsedAt + WidgetPlacement::tileOffset(widget.currentAnchor(), kCollapsed);

        widget.setContentSize(size, Animation::immediate);
        EXPECT_EQ(anchors, std::vector { anchor });
        EXPECT_EQ(frame(), Rect(expandedOrigin, size));
        EXPECT_EQ(offsets, std::vector { offset });

        // Collapsing lands exactly where the collapsed panel belongs, and the tile, now aligned by
        // the new anchor, is where it was before the expansion.
        widget.setContentSize(kCollapsed, Animation::immediate);
        EXPECT_EQ(frame(), Rect(collapsedOrigin, kCollapsed));
        EXPECT_EQ(offsets.back(), Size {});
        EXPECT_EQ(collapsedOrigin + WidgetPlacement::tileOffset(anchor, kCollapsed), tileBefore);
    }
}

TEST_F(WidgetCoordinatorTest, ResizingWhileExpandedKeepsTheCornerAndCollapseReturnsExactlyBeyondTheScreen)
{
    WidgetCoordinator& widget = shown();
    widget.panel()->setFrameOrigin({ 1284, 719 }); // snapped: 12 points beyond the top-right corner
    widget.setContentSize(kCard, Animation::immediate);
    ASSERT_EQ(frame(), Rect(1132, 279, 320, 600));
    widget.setContentSize({ 320, 654 }, Animation::immediate);
    // Only expansions from the collapsed state choose an anchor; the top-right corner stays.
    EXPECT_EQ(anchors.size(), 1u);
    EXPECT_EQ(frame(), Rect(1132, 225, 320, 654));
    widget.setContentSize({ 168.6, 167.2 }, Animation::immediate); // within a point counts
    EXPECT_EQ(frame().origin, (Point { 1284, 711 }));
    EXPECT_EQ(storedOrigin(), "{1284, 711}");
}

TEST_F(WidgetCoordinatorTest, AnAnimatedCollapseWaitsItsDelayUnlessReExpandedOrDestroyedBefore)
{
    WidgetCoordinator& widget = shown();
    widget.setContentSize(kCard, Animation::immediate);
    widget.setContentSize(kCollapsed, Animation::animated);
    scheduler->advance(0.3);
    widget.setContentSize(kCard, Animation::animated);
    scheduler->advance(5);
    EXPECT_EQ(frame(), Rect(1120, 137.5, 320, 600));
    // The expansion came from the expanded frame, so no new anchor was chosen.
    EXPECT_EQ(anchors.size(), 1u);

    // A collapse asked for again waits its own full delay.
    offsets.clear();
    widget.setContentSize(kCollapsed, Animation::animated);
    scheduler->advance(0.3);
    widget.setContentSize(kCollapsed, Animation::animated);
    scheduler->advance(0.44);
    EXPECT_EQ(frame(), Rect(1120, 137.5, 320, 600));
    EXPECT_TRUE(offsets.empty());
    EXPECT_EQ(storedOrigin(), "{1120, 137.5}");
    scheduler->advance(0.02);
    EXPECT_EQ(frame(), Rect(1272, 353.5, 168, 168));
    EXPECT_EQ(offsets, std::vector { Size {} });
    EXPECT_EQ(storedOrigin(), "{1272, 353.5}");

    // A shrink still pending when the coordinator goes dies with it.
    widget.setContentSize(kCard, Animation::immediate);
    widget.setContentSize(kCollapsed, Animation::animated);
    coordinator.reset();
    scheduler->advance(1);
    EXPECT_EQ(offsets.size(), 2u);
}

TEST_F(WidgetCoordinatorTest, DroppingTheCollapsedTileRemembersWhereAndWhichSide)
{
    WidgetCoordinator& widget = shown();
    // A click is reported and moves nothing.
    dragPanel({ 1356, 437 }, { 1358, 438 });
    EXPECT_EQ(widgetClicks, 1);
    EXPECT_FALSE(storedOrigin());

    dragPanel({ 1356, 437 }, { 756, 337 });
    EXPECT_EQ(widget.collapsedOrigin(), (Point { 672, 253.5 }));
    EXPECT_EQ(storedOrigin(), "{672, 253.5}");

    // Onto the left edge: the side is stored and the root view rebuilt for it.
    dragPanel({ 756, 337 }, { 60, 337 });
    EXPECT_EQ(widget.dockSide(), DockSide::left);
    EXPECT_EQ(defaults->string(kSideKey), "left");
    EXPECT_EQ(rootsBuiltFor.back(), DockSide::left);
    EXPECT_EQ(storedOrigin(), "{-12, 253.5}");

    // A refresh rebuilds the root view for the current side.
    widget.refresh();
    EXPECT_EQ(rootsBuiltFor, (std::vector { DockSide::right, DockSide::left, DockSide::left }));
    EXPECT_EQ(widget.hostingView()->rootView(), lastRoot);
}

TEST_F(WidgetCoordinatorTest, ACardSnappedLeftDuringThePendingShrinkShrinksToTheTileOnItsLeftEdge)
{
    WidgetCoordinator& widget = shown();
    widget.setContentSize(kCard, Animation::immediate);
    ASSERT_EQ(frame(), Rect(1120, 137.5, 320, 600));
    widget.setContentSize(kCollapsed, Animation::animated);

    dragPanel({ 1200, 400 }, { 60, 400 });
    EXPECT_EQ(frame(), Rect(-12, 137.5, 320, 600));
    EXPECT_EQ(storedOrigin(), "{-12, 137.5}");
    EXPECT_EQ(widget.collapsedOrigin(), (Point { -12, 353.5 }));
    // Where the collapsed panel belongs is read when it shrinks, after the drop.
    scheduler->advance(0.45);
    EXPECT_EQ(frame(), Rect(-12, 353.5, 168, 168));
}

TEST_F(WidgetCoordinatorTest, SurfaceAndAppearanceReachThePanelWhenEverSet)
{
    WidgetCoordinator& widget = make();
    widget.applySurface(0.4);
    widget.applyAppearance(PanelAppearance::dark);
    widget.show();
    EXPECT_DOUBLE_EQ(widget.hostingView()->opacity(), 0.4);
    EXPECT_EQ(widget.panel()->appearance(), PanelAppearance::dark);

    widget.applySurface(0.9);
    widget.applyAppearance(std::nullopt);
    EXPECT_DOUBLE_EQ(widget.hostingView()->opacity(), 0.9);
    EXPECT_EQ(widget.panel()->appearance(), std::nullopt);
}

TEST_F(WidgetCoordinatorTest, WithoutAnyScreenTheCardStaysNearTheOrigin)
{
    WidgetCoordinator& widget = shown();
    screens->setScreens({});
    widget.setContentSize(kCard, Animation::immediate);
    EXPECT_EQ(frame().size, kCard);
    EXPECT_GE(frame().minX(), -12);
    EXPECT_LE(frame().minX(), 12);
}

// The schedulers the delayed shrink runs on: the test's own, and the event loop's.
TEST(ManualOneShotSchedulerTest, RunsDueWorkInOrderIncludingWorkScheduledByWorkButNotCancelled)
{
    ManualOneShotScheduler scheduler;
    std::string log;
    scheduler.schedule(0.45, [&] { log += "b"; });
    scheduler.schedule(0.2, [&] {
        log += "a";
        scheduler.schedule(0.1, [&] { log += "d"; });
        scheduler.schedule(5, [&] { log += "e"; });
    });
    scheduler.schedule(0.45, [&] { log += "c"; });
    // Cancelling any copy of a task cancels it.
    ScheduledTask task = scheduler.schedule(0.3, [&] { log += "cancelled"; });
    ScheduledTask(task).cancel();
    EXPECT_FALSE(task.isPending());
    for (auto [step, expected] : { std::pair { 0.1, "" }, { 0.1, "a" }, { 0.25, "adbc" } }) {
        scheduler.advance(step);
        EXPECT_EQ(log, expected);
    }
    EXPECT_EQ(scheduler.queuedCount(), 1u);
}

TEST(QtOneShotSchedulerTest, RunsOnTheEventLoopUnlessCancelledOrItsSchedulerIsGone)
{
    std::string log;
    {
        QtOneShotScheduler gone;
        gone.schedule(0, [&] { log += "gone"; });
    }
    QtOneShotScheduler scheduler;
    ScheduledTask cancelled = scheduler.schedule(0, [&] { log += "cancelled"; });
    ScheduledTask kept = scheduler.schedule(0.02, [&] { log += "kept"; });
    cancelled.cancel();
    // The earlier timers fire first, so once the later one has run the others had their turn.
    ASSERT_TRUE(testsupport::waitUntil([&] { return !log.empty(); }));
    EXPECT_EQ(log, "kept");
    EXPECT_FALSE(kept.isPending());
}

} // namespace
} // namespace veltrane
