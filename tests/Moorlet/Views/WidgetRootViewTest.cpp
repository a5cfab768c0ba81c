#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/TaskPickerPopover.h"
#include "Moorlet/Views/WidgetMetrics.h"
#include "VeltraneKit/Theme/DesignTokens.h"
#include "VeltraneKit/Widget/FloatingPanel.h"
#include "tests/Moorlet/Views/CardTest.h"

#include <QMouseEvent>
#include <QProcess>

using namespace moorlet;
using namespace std::chrono_literals;
using Kind = CardTarget::Kind;
namespace Colors = veltrane::DesignTokens::Colors;

namespace {

class WidgetRootViewTest : public CardTest {
protected:
    WidgetRootViewTest()
        : CardTest(true)
    {
    }

    // Runs a block of whole minutes to its end (into the break).
    void finishBlock(int minutes)
    {
        controller().startFocus(minutes);
        while (controller().phase() == SessionPhase::focusing)
            scene.run(0.5);
        // The celebrations look at the finished block on the next turn.
        scene.scheduler->advance(0);
    }

    // A press as the window system delivers it; returns whether the view took it.
    bool pressAccepted(QPointF point)
    {
        QMouseEvent press(QEvent::MouseButtonPress, point, root.mapToGlobal(point), Qt::LeftButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&root, &press);
        const bool accepted = press.isAccepted();
        QMouseEvent release(QEvent::MouseButtonRelease, point, root.mapToGlobal(point), Qt::LeftButton, Qt::NoButton, {});
        QCoreApplication::sendEvent(&root, &release);
        return accepted;
    }
};

} // namespace

TEST_F(WidgetRootViewTest, TheCardCollapsesFourTenthsOfASecondAfterThePointerLeavesUnlessThePickerIsOpen)
{
    expand();
    viewprobe::enter(root);
    EXPECT_TRUE(controller().isHovered());
    viewprobe::leave(root);
    EXPECT_FALSE(controller().isHovered());
    scene.advance(0.38);
    EXPECT_TRUE(controller().isExpanded());
    scene.advance(0.04);
    EXPECT_FALSE(controller().isExpanded());
    // A collapsed tile has nothing to collapse.
    viewprobe::leave(root);
    EXPECT_FALSE(root.hasPendingCollapse());

    // Coming back in time keeps the card open, and so does the task picker until it closes.
    expand();
    viewprobe::leave(root);
    scene.advance(0.2);
    viewprobe::enter(root);
    scene.advance(1);
    EXPECT_TRUE(controller().isExpanded());
    click({ Kind::taskPicker });
    TaskPickerPopover* popover = root.card().taskPicker().popover();
    ASSERT_TRUE(popover && popover->isVisible());
    viewprobe::leave(root);
    scene.advance(2);
    EXPECT_TRUE(controller().isExpanded());
    popover->hide();
    EXPECT_FALSE(controller().suppressCollapse());
    viewprobe::enter(root);
    viewprobe::leave(root);
    scene.advance(0.41);
    EXPECT_FALSE(controller().isExpanded());
}

// X11 has a pointer enter and leave where the panel's input shape lies: resting in the margin of a
// card opened before any paint, or where the tile's shape lands as the panel grows, it stays outside.
TEST_F(WidgetRootViewTest, APointerBesideTheOpeningCardNeitherHoversNorClosesIt)
{
    for (const auto& [pointer, painted] : { std::pair { "1130 472", 0ms }, { "1200 220", 50ms } }) {
        QProcess::execute("xdotool", QStringList { "mousemove", "--sync" } + QString(pointer).split(' '));
        WidgetRootView& view = scene.makeRoot();
        veltrane::FloatingPanel panel({ { 1272, 366 }, WidgetMetrics::collapsedPanel }); // docked right
        panel.setContentView(&view);
        panel.orderFront();
        testsupport::processEvents(painted);
        controller().setExpanded(true); // the panel grows, the controller publishes on the next turn
        panel.setFrame({ { 1120, 142 }, WidgetMetrics::expandedPanelSize(view.expandedHeight()) });
        scene.scheduler->advance(0);
        testsupport::processEvents();
        scene.advance(1);
        EXPECT_TRUE(controller().isExpanded() && !controller().isHovered()) << pointer;
        controller().setExpanded(false);
        view.setParent(nullptr); // the scene owns the view
    }
}

TEST_F(WidgetRootViewTest, TheCheerLineRotatesEverySixSecondsAndRestartsOnEveryPhaseChange)
{
    expand();
    const CheerLine& cheer = root.card().cheerLine();
    // The card has been shown for the length of its reveal; the phrase turns six seconds in.
    scene.advance(5);
    EXPECT_EQ(cheer.phrase(), "Ready when you are");
    scene.advance(2);
    EXPECT_EQ(cheer.phrase(), "Pick a time and dive in");

    controller().toggle();
    EXPECT_EQ(cheer.phrase(), "Deep work mode");
    scene.run(6.5);
    EXPECT_EQ(cheer.phrase(), "One thing at a time");
    // Pausing is no phase change: the rotation goes on in the paused phrases.
    controller().toggle();
    EXPECT_EQ(cheer.phrase(), "Resume when ready");

    // A collapsed card's line stops, and starts over when shown again.
    collapse();
    EXPECT_FALSE(cheer.isRotating());
    expand();
    EXPECT_EQ(cheer.index(), 0);
    EXPECT_TRUE(cheer.isRotating());
}

TEST_F(WidgetRootViewTest, AFinishedBlockIsCelebratedAStoppedOneOnlyWigglesAndTheGoalShowsOnce)
{
    // Stopping a block early is no celebration, but still wiggles.
    controller().toggle();
    int wiggles = root.wiggleTrigger();
    resetSession();
    scene.scheduler->advance(0);
    EXPECT_FALSE(root.celebration().has_value());
    EXPECT_EQ(root.wiggleTrigger(), wiggles + 1);
    scene.advance(0.1);
    EXPECT_NE(root.wiggle().angle, 0);
    scene.settle();

    // A finished block: toast, confetti and a swell, and a wiggle each from idle and into the break.
    scene.focusSettings->setDailyGoalMinutes(2);
    wiggles = root.wiggleTrigger();
    finishBlock(1);
    ASSERT_EQ(controller().phase(), SessionPhase::shortBreak);
    EXPECT_EQ(root.celebration(), QStringLiteral("Session complete"));
    EXPECT_TRUE(root.confettiShown());
    EXPECT_TRUE(root.celebrateScale());
    EXPECT_EQ(root.wiggleTrigger(), wiggles + 2);
    // Within two seconds all of it is gone again.
    scene.advance(2);
    EXPECT_FALSE(root.confettiShown());
    EXPECT_FALSE(root.celebration().has_value());

    // The block that reaches the goal says so; past the goal a block is only a finished block.
    for (const QString& expected : { CardTexts::kDailyGoalReached, CardTexts::kSessionComplete }) {
        resetSession();
        finishBlock(1);
        EXPECT_EQ(root.celebration(), expected);
        scene.advance(2);
    }
}

TEST_F(WidgetRootViewTest, ReduceMotionLandsEveryAnimationAtRestAndReplacesItWithAQuietOne)
{
    // With motion a phase change swaps the mascot, pulses the dot and breathes ring and aura.
    expand();
    controller().toggle();
    EXPECT_EQ(root.card().mascot().outgoingSymbol(), QStringLiteral("moon.fill"));
    EXPECT_TRUE(root.card().dotPulse());
    EXPECT_TRUE(root.card().aura().isBreathing());
    scene.advance(1.5);
    EXPECT_GT(root.card().ringScale(), 1.0);
    // Turning reduce motion on mid-way lands everything at rest.
    scene.settings->setForceReduceMotion(true);
    EXPECT_FALSE(root.card().isRingBreathing());
    EXPECT_EQ(root.card().ringScale(), 1.0);

    // Then the mascot switches at once, and nothing breathes, pulses or wiggles.
    const int wiggles = root.wiggleTrigger();
    resetSession();
    controller().toggle();
    EXPECT_EQ(root.card().mascot().symbol(), "leaf.fill");
    EXPECT_FALSE(root.card().mascot().outgoingSymbol().has_value());
    EXPECT_FALSE(root.card().isRingBreathing());
    EXPECT_FALSE(root.card().aura().isBreathing());
    EXPECT_FALSE(root.card().dotPulse());
    EXPECT_EQ(root.wiggleTrigger(), wiggles);

    // The first phrase stays, and a celebration is only its toast.
    scene.advance(13);
    EXPECT_EQ(root.card().cheerLine().index(), 0);
    root.celebrate(CardTexts::kSessionComplete);
    EXPECT_FALSE(root.confettiShown());
    EXPECT_FALSE(root.celebrateScale());
    scene.advance(0.16);
    EXPECT_EQ(root.toast().presence(), 1);
}

TEST_F(WidgetRootViewTest, TheStreakBadgeAppearsWithAStreakAndBouncesWhenItGrows)
{
    scene.focusSettings->setDailyGoalMinutes(25);
    expand();
    // The badge's flame, left of the header buttons, comes with the first day of a streak.
    const QRectF share = root.cardTargetRect({ Kind::share });
    const QRectF badge(share.left() - 44, share.top(), 36, share.height());
    const auto flame = [&] { return viewprobe::closest(root.renderToImage(), badge, Colors::streak()); };
    const int withoutStreak = flame();
    scene.logFocus(1500);
    ASSERT_EQ(controller().streak(), 1);
    EXPECT_TRUE(root.card().streakBounce());
    scene.advance(0.51);
    EXPECT_FALSE(root.card().streakBounce());
    EXPECT_LT(flame(), withoutStreak - 30) << "no streak, no badge";
}

TEST_F(WidgetRootViewTest, TheCardsButtonsActOnTheControllerAndTheRestIsLeftToThePanel)
{
    // On the tile every press belongs to the panel (a click expands, a drag moves).
    EXPECT_FALSE(pressAccepted(root.tileRect().center()));

    expand();
    for (const auto& [kind, opened] : { std::pair { Kind::settings, &scene.settingsOpened },
             { Kind::insights, &scene.insightsOpened }, { Kind::share, &scene.shareOpened } }) {
        click({ kind });
        EXPECT_EQ(*opened, 1);
    }

    click({ Kind::primary });
    EXPECT_TRUE(controller().isRunning());
    EXPECT_EQ(controller().primaryIcon(), "pause.fill");
    click({ Kind::skip });
    EXPECT_EQ(controller().phase(), SessionPhase::shortBreak);
    click({ Kind::reset });
    EXPECT_EQ(controller().phase(), SessionPhase::idle);

    click({ Kind::quickStart, 1 });
    EXPECT_EQ(controller().phase(), SessionPhase::focusing);
    EXPECT_EQ(controller().displayTime(), "45:00");

    // The card's background and the gaps between its rows move the panel.
    const QRectF card = root.cardRect();
    EXPECT_FALSE(pressAccepted(QPointF(card.left() + 8, card.center().y())));
    EXPECT_TRUE(pressAccepted(root.cardTargetRect({ Kind::primary }).center()));
}
