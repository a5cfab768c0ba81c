#include "Moorlet/Views/CardLayout.h"
#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/CollapsedTileView.h"
#include "Moorlet/Views/TaskPickerPopover.h"
#include "Moorlet/Views/WidgetMetrics.h"
#include "VeltraneKit/Theme/DesignTokens.h"
#include "VeltraneKit/Widget/FloatingPanel.h"
#include "tests/Moorlet/Views/CardTest.h"

#include <QMouseEvent>
#include <QProcess>

#include <algorithm>
#include <functional>
#include <cmath>

using namespace moorlet;
using namespace std::chrono_literals;
using Kind = CardTarget::Kind;
namespace Colors = veltrane::DesignTokens::Colors;

namespace {

constexpr SessionPhase kPhases[] = { SessionPhase::idle, SessionPhase::focusing, SessionPhase::shortBreak,
    SessionPhase::longBreak };

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

TEST_F(WidgetRootViewTest, TheTileAndTheCardDrawTheirArcRingAndPlayButtonInThePhasesAccent)
{
    for (const SessionPhase phase : { SessionPhase::focusing, SessionPhase::shortBreak }) {
        SCOPED_TRACE(static_cast<int>(phase));
        resetSession();
        scene.enterPhase(phase);
        scene.run(120);
        scene.settle();
        const QColor accent = controller().accent();
        const QImage image = root.renderToImage(2);
        EXPECT_EQ(viewprobe::pixel(image, { 2, 2 }).alpha(), 0) << "outside the tile the panel stays clear";
        // The arc's track runs through the top of the tile, 6 points in.
        const QPointF top(root.tileRect().center().x(), root.tileRect().top());
        const QColor onArc = viewprobe::pixel(image, top + QPointF(0, 6));
        const QColor inside = viewprobe::pixel(image, top + QPointF(0, 16));
        EXPECT_LT(viewprobe::distance(onArc, accent), viewprobe::distance(inside, accent));
        EXPECT_EQ(root.tile().time().text(), controller().displayTime());

        // The card: the play button a disc of the accent, the ring's track 80 points from its centre.
        expand();
        const QImage cardImage = root.renderToImage(2);
        const QPointF primary = root.cardTargetRect({ Kind::primary }).center();
        EXPECT_LT(viewprobe::distance(viewprobe::pixel(cardImage, primary + QPointF(0, 20)), accent), 12);
        const QPointF ring = root.card().layout().rect(CardRow::ring)->center()
            + root.cardRect().topLeft();
        const QColor onTrack = viewprobe::pixel(cardImage, ring + QPointF(-80, 0));
        const QColor offTrack = viewprobe::pixel(cardImage, ring + QPointF(-70, 0));
        EXPECT_LT(viewprobe::distance(onTrack, accent), viewprobe::distance(offTrack, accent));
        EXPECT_EQ(root.card().time().text(), controller().displayTime());
        collapse();
        scene.fitPanel();
    }
}

TEST_F(WidgetRootViewTest, TheCardFitsItsRowsInItsPanelAndKeepsItsControlsStillWhenPlayIsPressed)
{
    // As rows come and go, in every phase and whichever edges it grows from, the card ends 24
    // points (its padding) under its last row, stays inside its panel, and pressing play moves
    // nothing under the pointer.
    const std::function<void()> changes[] = {
        [] {},
        [&] {
            scene.store->addDeadline("Thesis", scene.clock->now() + 3 * 86400);
            scene.logFocus(1500);
        },
        [&] { scene.store->deleteDeadline(scene.store->deadlines().front()); },
    };
    for (const auto& change : changes) {
        change();
        for (const SessionPhase phase : kPhases) {
            SCOPED_TRACE(static_cast<int>(phase));
            resetSession();
            scene.enterPhase(phase);
            expand();
            const QRectF primary = root.cardTargetRect({ Kind::primary });
            click({ Kind::primary });
            scene.settle();
            EXPECT_EQ(root.cardTargetRect({ Kind::primary }), primary);
            for (const auto horizontal : veltrane::kAllAnchorHorizontals) {
                for (const auto vertical : veltrane::kAllAnchorVerticals) {
                    controller().setWidgetAnchor({ horizontal, vertical });
                    const QRectF card = root.cardRect();
                    const QRectF lastRow = root.card().layout().rows().back().rect.translated(card.topLeft());
                    EXPECT_EQ(card.bottom() - lastRow.bottom(), 24);
                    EXPECT_EQ(card.height(), root.expandedHeight());
                    EXPECT_TRUE(QRectF(root.rect()).adjusted(24, 24, -24, -24).contains(card));
                }
            }
            collapse();
        }
    }
}

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
    scene.advance(0.3);
    EXPECT_GT(root.scale(), 1.0);
    EXPECT_GT(root.toast().presence(), 0.5);
    // Within two seconds all of it is gone again.
    scene.advance(2);
    EXPECT_FALSE(root.confettiShown());
    EXPECT_FALSE(root.celebration().has_value());
    scene.settle();
    EXPECT_EQ(root.toast().presence(), 0);
    EXPECT_EQ(root.scale(), 1.0);
    EXPECT_EQ(root.wiggle(), WiggleValues {});

    // The block that reaches the goal says so; past the goal a block is only a finished block.
    for (const QString& expected : { CardTexts::kDailyGoalReached, CardTexts::kSessionComplete }) {
        resetSession();
        finishBlock(1);
        EXPECT_EQ(root.celebration(), expected);
        scene.advance(2);
    }
}

TEST_F(WidgetRootViewTest, ExpandingGrowsTheBackdropOutOfTheTileAndCollapsingBringsTheTileBack)
{
    scene.expand();
    EXPECT_EQ(root.backgroundRect(), root.tileRect());
    // Docked right, centred: the backdrop keeps the tile's right edge and vertical centre.
    scene.advance(0.1);
    EXPECT_NEAR(root.backgroundRect().right(), root.cardRect().right(), 1e-9);
    EXPECT_NEAR(root.backgroundRect().center().y(), root.cardRect().center().y(), 1e-9);
    scene.settle();
    EXPECT_EQ(root.backgroundRect(), root.cardRect());

    controller().setExpanded(false);
    scene.advance(0.1);
    EXPECT_TRUE(root.card().isShown()) << "the card fades out inside the expanded panel";
    scene.settle();
    EXPECT_FALSE(root.card().isShown());
    EXPECT_EQ(root.backgroundRect().size(), root.tileRect().size());
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

    // The morph is a crossfade: the backdrop takes the card's size at once, rows fade in place.
    collapse();
    scene.expand();
    EXPECT_EQ(root.backgroundRect(), root.cardRect());
    scene.advance(0.05);
    const StaggeredReveal& reveal = root.card().reveal(CardRow::controls);
    EXPECT_GT(reveal.opacity(), 0);
    EXPECT_LT(reveal.opacity(), 1);
    EXPECT_EQ(reveal.offset(true), 0);
    EXPECT_EQ(reveal.blur(true), 0);
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

TEST_F(WidgetRootViewTest, TheWidgetDrawsAtItsOpacityAndInTheChosenAppearance)
{
    expand();
    // The idle card's free space under its rows.
    const QPointF empty(root.cardRect().center().x(), root.cardRect().bottom() - 12);
    const QColor full = viewprobe::pixel(root.renderToImage(), empty);
    scene.settings->setWidgetOpacity(0.5);
    const QColor half = viewprobe::pixel(root.renderToImage(), empty);
    EXPECT_NEAR(half.alpha(), full.alpha() / 2.0, 3);

    scene.settings->setWidgetOpacity(1);
    scene.settings->setAppearance(veltrane::AppearancePreference::dark);
    EXPECT_LT(viewprobe::pixel(root.renderToImage(), empty).lightness(), 80);
    scene.settings->setAppearance(veltrane::AppearancePreference::light);
    EXPECT_GT(viewprobe::pixel(root.renderToImage(), empty).lightness(), 200);
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

namespace {

// Collects the areas the view paints, as the window system asks for them.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget& widget) { widget.installEventFilter(this); }
    std::vector<QRect> areas;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            areas.push_back(static_cast<QPaintEvent*>(event)->region().boundingRect());
        return false;
    }
};

} // namespace

TEST_F(WidgetRootViewTest, ARunningSecondPaintsOnlyTheTimeAndTheBreathOnlyTheRing)
{
    controller().startFocus(25);
    scene.settle();
    // What the window system asks to paint when a window appears or changes size is not ours to
    // count: let it arrive first.
    testsupport::processEvents(std::chrono::milliseconds(200));
    PaintRecorder recorder(root);
    // Frame by frame, as the screen would: time moves, the ticker fires every half second, and
    // whatever was asked to paint is painted.
    const auto play = [&](veltrane::Seconds seconds) {
        recorder.areas.clear();
        for (veltrane::Seconds passed = 0; passed < seconds; passed += WidgetScene::kFrame) {
            scene.advance(WidgetScene::kFrame);
            if (std::fmod(passed + WidgetScene::kFrame / 2, 0.5) < WidgetScene::kFrame)
                controller().tickerFired();
            QCoreApplication::processEvents();
        }
    };

    play(3);
    // Collapsed: the digits roll in their own line at half the display's rate, and the arc of a
    // 25-minute block is painted again only when it has grown by half a point (every 2.5 s).
    ASSERT_FALSE(recorder.areas.empty());
    EXPECT_LE(recorder.areas.size(), 3u * 12);
    const QRect tile = root.tileRect().toAlignedRect();
    const auto tall = std::count_if(recorder.areas.begin(), recorder.areas.end(),
        [&](const QRect& area) { return area.height() > tile.height() * 2 / 3; });
    EXPECT_LE(tall, 2);
    for (const QRect& area : recorder.areas)
        EXPECT_TRUE(tile.contains(area)) << area.y() << " " << area.height();

    expand();
    testsupport::processEvents(std::chrono::milliseconds(200));
    play(6);
    // Expanded: the breathing glow and ring are painted ten times a second, the rolling time
    // fifteen, the cheer line's new phrase in its own line; the hidden tile no longer rolls, and
    // nothing paints the whole card.
    EXPECT_FALSE(root.tile().time().isRolling());
    EXPECT_LE(recorder.areas.size(), 6u * (10 + 15 + 2));
    const QRectF card = root.cardRect();
    for (const QRect& area : recorder.areas)
        EXPECT_LT(area.height(), card.height() * 2 / 3) << area.y() << " " << area.height();
    // The tile took every second as it went, without animating, and shows the time on return.
    EXPECT_EQ(root.tile().time().text(), controller().displayTime());
}
