#include "Moorlet/Views/CardLayout.h"
#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/CollapsedTileView.h"
#include "Moorlet/Views/ExpandedCardView.h"
#include "Moorlet/Views/ReduceMotion.h"
#include "Moorlet/Views/TaskPickerPopover.h"
#include "Moorlet/Views/WidgetMetrics.h"
#include "VeltraneKit/Motion/Spring.h"
#include "VeltraneKit/Theme/DesignTokens.h"
#include "VeltraneKit/Widget/FloatingPanel.h"
#include "tests/Moorlet/Views/ViewProbe.h"
#include "tests/Moorlet/Views/WidgetScene.h"
#include "tests/support/TestSupport.h"

#include <QMouseEvent>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <cmath>
#include <numbers>

using namespace moorlet;
using namespace std::chrono_literals;
using veltrane::WidgetAnchor;
using Kind = CardTarget::Kind;
namespace Colors = veltrane::DesignTokens::Colors;

namespace {

constexpr SessionPhase kPhases[] = { SessionPhase::idle, SessionPhase::focusing, SessionPhase::shortBreak,
    SessionPhase::longBreak };

class WidgetRootViewTest : public ::testing::Test {
protected:
    WidgetRootViewTest()
        : scene({ .soundsFolder = sounds.path(), .chooseFiles = {}, .applicationsFolder = {}, .dataFolder = {} })
        , root(&scene.makeRoot())
    {
        root->show();
    }

    FocusController& controller() { return *scene.controller; }

    void expand()
    {
        scene.expand();
        scene.settle();
    }

    void resetSession()
    {
        controller().engine().reset();
        controller().sync();
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

    void clickTarget(const CardTarget& target)
    {
        viewprobe::click(*root, root->cardTargetRect(target).center());
    }

    // A press as the window system delivers it; returns whether the view took it.
    bool pressAccepted(QPointF point)
    {
        QMouseEvent press(QEvent::MouseButtonPress, point, root->mapToGlobal(point), Qt::LeftButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(root, &press);
        const bool accepted = press.isAccepted();
        QMouseEvent release(QEvent::MouseButtonRelease, point, root->mapToGlobal(point), Qt::LeftButton, Qt::NoButton, {});
        QCoreApplication::sendEvent(root, &release);
        return accepted;
    }

    testsupport::TemporaryFolder sounds;
    WidgetScene scene;
    WidgetRootView* root;
};

} // namespace

TEST_F(WidgetRootViewTest, TheTileAndTheCardShowTheirArcRingAndControlsInEveryPhase)
{
    for (const SessionPhase phase : kPhases) {
        SCOPED_TRACE(static_cast<int>(phase));
        resetSession();
        scene.enterPhase(phase);
        scene.run(120);
        scene.settle();
        ASSERT_EQ(root->size(), QSize(168, 168));
        // Docked right and vertically centred: 24 points in from the right edge, centred.
        EXPECT_EQ(root->tileRect(), QRectF(40, 32, 104, 104));

        const QImage image = root->renderToImage(2);
        EXPECT_EQ(viewprobe::pixel(image, { 2, 2 }).alpha(), 0) << "outside the tile the panel stays clear";
        EXPECT_GT(viewprobe::pixel(image, { 50, 84 }).alpha(), 200) << "the tile's backdrop is nearly opaque";
        // The arc's track runs through the top of the tile, 6 points in.
        const QColor onArc = viewprobe::pixel(image, { 92, 32 + 6 });
        const QColor inside = viewprobe::pixel(image, { 92, 32 + 16 });
        EXPECT_LT(viewprobe::distance(onArc, controller().accent()), viewprobe::distance(inside, controller().accent()));
        EXPECT_EQ(root->tile().time().text(), controller().displayTime());

        // The card: its ring and controls in the phase's accent.
        expand();
        ASSERT_EQ(root->width(), 320);
        const QRectF card = root->cardRect();
        EXPECT_EQ(card.width(), 272);
        EXPECT_EQ(card.height(), WidgetMetrics::expandedHeight(OptionalCardRows::current(controller(), nullptr, *scene.store)));
        EXPECT_EQ(root->height(), card.height() + 48);
        EXPECT_EQ(card.topLeft(), QPointF(24, 24));

        const QImage cardImage = root->renderToImage(2);
        const QColor accent = controller().accent();
        // The prominent button is a disc of the accent in the middle of the controls row.
        const QRectF primary = root->cardTargetRect({ Kind::primary });
        EXPECT_EQ(primary.center().x(), card.center().x());
        EXPECT_LT(viewprobe::distance(viewprobe::pixel(cardImage, primary.center() + QPointF(0, 20)), accent), 12);
        EXPECT_NEAR(primary.left() - root->cardTargetRect({ Kind::reset }).right(), 16, 1e-9);
        EXPECT_NEAR(root->cardTargetRect({ Kind::skip }).left() - primary.right(), 16, 1e-9);

        // The ring: 160 points across, centred in its row under the header.
        const QRectF ringRow = *root->card().layout().rect(CardRow::ring);
        const QPointF ringCenter = ringRow.center() + card.topLeft();
        const QColor onTrack = viewprobe::pixel(cardImage, ringCenter + QPointF(-80, 0));
        const QColor offTrack = viewprobe::pixel(cardImage, ringCenter + QPointF(-70, 0));
        EXPECT_LT(viewprobe::distance(onTrack, accent), viewprobe::distance(offTrack, accent));
        EXPECT_EQ(root->card().time().text(), controller().displayTime());

        controller().setExpanded(false);
        scene.settle();
        scene.fitPanel();
    }
}

TEST_F(WidgetRootViewTest, TheCardEndsWithItsLastRowAndKeepsItsControlsStillWhenPlayIsPressed)
{
    // The rows the scene can show come and go; in every phase the card ends 24 points (its
    // padding) under its last row, and pressing play moves nothing under the pointer.
    const std::function<void()> changes[] = {
        [] {},
        [&] { scene.store->addDeadline("Thesis", scene.clock->now() + 3 * 86400); },
        [&] { scene.logFocus(1500); },
        [&] { scene.store->deleteDeadline(scene.store->deadlines().front()); },
    };
    for (const auto& change : changes) {
        change();
        for (const SessionPhase phase : kPhases) {
            SCOPED_TRACE(static_cast<int>(phase));
            resetSession();
            scene.enterPhase(phase);
            expand();
            const QRectF card = root->cardRect();
            const QRectF lastRow = root->card().layout().rows().back().rect.translated(card.topLeft());
            EXPECT_EQ(card.bottom() - lastRow.bottom(), 24);
            const QRectF primary = root->cardTargetRect({ Kind::primary });
            clickTarget({ Kind::primary });
            scene.settle();
            EXPECT_EQ(root->cardTargetRect({ Kind::primary }), primary);
            controller().setExpanded(false);
            scene.settle();
        }
    }

    // With every row the scene can show, the card stays inside its panel whichever edges it
    // grows from, and its rows inside the card.
    scene.logFocus(1500);
    scene.store->addDeadline("Thesis", scene.clock->now() + 3 * 86400);
    for (const SessionPhase phase : { SessionPhase::idle, SessionPhase::focusing }) {
        resetSession();
        scene.enterPhase(phase);
        expand();
        for (const auto horizontal : veltrane::kAllAnchorHorizontals) {
            for (const auto vertical : veltrane::kAllAnchorVerticals) {
                controller().setWidgetAnchor({ horizontal, vertical });
                const QRectF card = root->cardRect();
                EXPECT_EQ(card.height(), root->expandedHeight());
                EXPECT_TRUE(QRectF(root->rect()).adjusted(24, 24, -24, -24).contains(card));
                EXPECT_LE(root->card().layout().requiredHeight(), card.height());
            }
        }
        controller().setExpanded(false);
        scene.settle();
    }
}

TEST_F(WidgetRootViewTest, TheCardCollapsesFourTenthsOfASecondAfterThePointerLeaves)
{
    expand();
    viewprobe::enter(*root);
    EXPECT_TRUE(controller().isHovered());
    viewprobe::leave(*root);
    EXPECT_FALSE(controller().isHovered());
    EXPECT_TRUE(root->hasPendingCollapse());
    scene.advance(0.38);
    EXPECT_TRUE(controller().isExpanded());
    scene.advance(0.04);
    EXPECT_FALSE(controller().isExpanded());

    // Coming back in time keeps the card open.
    expand();
    viewprobe::leave(*root);
    scene.advance(0.2);
    viewprobe::enter(*root);
    scene.advance(1);
    EXPECT_TRUE(controller().isExpanded());

    // A collapsed tile has nothing to collapse.
    controller().setExpanded(false);
    viewprobe::leave(*root);
    EXPECT_FALSE(root->hasPendingCollapse());
}

TEST_F(WidgetRootViewTest, TheOpenTaskPickerKeepsTheCardOpenUntilItCloses)
{
    expand();
    viewprobe::enter(*root);
    clickTarget({ Kind::taskPicker });
    TaskPickerPopover* popover = root->card().taskPicker().popover();
    ASSERT_NE(popover, nullptr);
    EXPECT_TRUE(popover->isVisible());
    EXPECT_TRUE(controller().suppressCollapse());

    viewprobe::leave(*root);
    scene.advance(2);
    EXPECT_TRUE(controller().isExpanded());

    popover->hide();
    EXPECT_FALSE(controller().suppressCollapse());
    EXPECT_FALSE(root->card().taskPicker().isShowing());
    viewprobe::enter(*root);
    viewprobe::leave(*root);
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
    const CheerLine& cheer = root->card().cheerLine();
    EXPECT_EQ(cheer.phrase(), "Ready when you are");
    // The card has been shown for the length of its reveal; the phrase turns six seconds in.
    scene.advance(5);
    EXPECT_EQ(cheer.index(), 0);
    for (int step = 0; step < 40 && cheer.index() == 0; ++step)
        scene.advance(0.05);
    EXPECT_EQ(cheer.phrase(), "Pick a time and dive in");
    EXPECT_TRUE(cheer.text().isRolling());
    EXPECT_EQ(cheer.text().outgoingText(), QStringLiteral("Ready when you are"));
    scene.advance(6);
    EXPECT_EQ(cheer.phrase(), "One small start");

    controller().toggle();
    EXPECT_EQ(cheer.index(), 0);
    EXPECT_EQ(cheer.phrase(), "Deep work mode");
    scene.run(6.5);
    EXPECT_EQ(cheer.phrase(), "One thing at a time");
    // Pausing is no phase change: the rotation goes on in the paused phrases.
    controller().toggle();
    EXPECT_EQ(cheer.phrase(), "Resume when ready");
    controller().toggle();
    controller().engine().skip();
    controller().sync();
    EXPECT_EQ(cheer.phrase(), "Stretch a little");
    controller().engine().reset();
    controller().sync();
    EXPECT_EQ(cheer.phrase(), "Ready when you are");

    // A collapsed card's line stops, and starts over when shown again.
    scene.advance(6.05);
    controller().setExpanded(false);
    scene.settle();
    EXPECT_FALSE(cheer.isRotating());
    expand();
    EXPECT_EQ(cheer.index(), 0);
    EXPECT_TRUE(cheer.isRotating());
}

TEST_F(WidgetRootViewTest, AFinishedFocusBlockIsCelebratedWithToastConfettiAndSwell)
{
    expand();
    const int wiggles = root->wiggleTrigger();
    finishBlock(1);
    ASSERT_EQ(controller().phase(), SessionPhase::shortBreak);
    EXPECT_EQ(root->celebration(), QStringLiteral("Session complete"));
    EXPECT_TRUE(root->confettiShown());
    ASSERT_NE(root->confetti(), nullptr);
    EXPECT_EQ(root->confetti()->pieces().size(), 28u);
    EXPECT_TRUE(root->celebrateScale());
    // Idle to focus and focus to break each wiggle.
    EXPECT_EQ(root->wiggleTrigger(), wiggles + 2);

    // The swell springs up briskly.
    const veltrane::Spring up { 0.35, 0.55 };
    for (const veltrane::Seconds at : { 0.1, 0.2, 0.3 }) {
        scene.advance(0.1);
        EXPECT_NEAR(root->scale(), 1 + (WidgetRootView::kCelebrationScale - 1) * up.state(at).progress, 2e-4) << at;
    }
    EXPECT_GT(root->toast().presence(), 0.5);
    scene.advance(0.2);
    EXPECT_FALSE(root->celebrateScale());
    scene.advance(0.95);
    EXPECT_FALSE(root->confettiShown());
    EXPECT_TRUE(root->celebration().has_value());
    scene.advance(0.4);
    EXPECT_FALSE(root->celebration().has_value());
    scene.settle();
    EXPECT_EQ(root->toast().presence(), 0);
    EXPECT_EQ(root->scale(), 1.0);
    EXPECT_EQ(root->wiggle(), WiggleValues {});
}

TEST_F(WidgetRootViewTest, OnTheTileTheToastFitsAndLeavesThePhaseWordInSight)
{
    const QRectF tile = root->tileRect();
    const QRectF word = CollapsedTileView::phaseWordBox().translated(tile.topLeft());
    for (const QString& text : { CardTexts::kSessionComplete, CardTexts::kDailyGoalReached }) {
        root->celebrate(text);
        scene.advance(0.5);
        const QRectF toast = root->toastRect();
        EXPECT_TRUE(tile.adjusted(4, 4, -4, -4).contains(toast)) << text.toStdString() << " " << toast.width();
        EXPECT_FALSE(toast.intersects(word)) << text.toStdString();
        scene.settle();
    }
}

TEST_F(WidgetRootViewTest, AStoppedBlockOnlyWigglesAndTheBlockThatReachesTheGoalShowsItOnce)
{
    // Stopping a block early is no celebration, but still wiggles.
    controller().toggle();
    const int wiggles = root->wiggleTrigger();
    resetSession();
    scene.scheduler->advance(0);
    EXPECT_FALSE(root->celebration().has_value());
    EXPECT_EQ(root->wiggleTrigger(), wiggles + 1);
    scene.advance(0.1);
    EXPECT_NE(root->wiggle().angle, 0);
    scene.settle();

    scene.focusSettings->setDailyGoalMinutes(2);
    finishBlock(1);
    EXPECT_EQ(root->celebration(), QStringLiteral("Session complete"));
    scene.advance(2);
    resetSession();

    finishBlock(1);
    EXPECT_GE(controller().goalProgress(), 1.0);
    EXPECT_EQ(root->celebration(), QStringLiteral("Daily goal reached"));
    scene.advance(2);
    resetSession();

    // Already past the goal: the next block is only a finished block.
    finishBlock(1);
    EXPECT_EQ(root->celebration(), QStringLiteral("Session complete"));
}

TEST_F(WidgetRootViewTest, ExpandingGrowsTheBackdropOutOfTheTileAndCollapsingBringsTheTileBack)
{
    scene.expand();
    EXPECT_EQ(root->backgroundRect(), root->tileRect());
    scene.advance(0.1);
    const QRectF midway = root->backgroundRect();
    EXPECT_GT(midway.width(), 104);
    EXPECT_LT(midway.width(), 272);
    // Docked right, centred: the backdrop keeps the tile's right edge and vertical centre.
    EXPECT_NEAR(midway.right(), root->cardRect().right(), 1e-9);
    EXPECT_NEAR(midway.center().y(), root->cardRect().center().y(), 1e-9);
    EXPECT_TRUE(root->card().isShown());
    scene.settle();
    EXPECT_EQ(root->backgroundRect(), root->cardRect());

    controller().setExpanded(false);
    scene.advance(0.1);
    EXPECT_TRUE(root->card().isShown()) << "the card fades out inside the expanded panel";
    EXPECT_GT(root->expansion(), 0);
    scene.settle();
    EXPECT_FALSE(root->card().isShown());
    EXPECT_EQ(root->backgroundRect().size(), QSizeF(104, 104));
}

TEST_F(WidgetRootViewTest, ReduceMotionReplacesEveryAnimationWithAQuietOne)
{
    scene.settings->setForceReduceMotion(true);
    ASSERT_TRUE(root->reduceMotion().isOn());

    // The morph is a crossfade: the backdrop takes the card's size at once.
    scene.expand();
    EXPECT_EQ(root->backgroundRect(), root->cardRect());
    scene.advance(0.05);
    const StaggeredReveal& reveal = root->card().reveal(CardRow::controls);
    EXPECT_GT(reveal.opacity(), 0);
    EXPECT_LT(reveal.opacity(), 1);
    EXPECT_EQ(reveal.offset(true), 0);
    EXPECT_EQ(reveal.blur(true), 0);
    scene.advance(0.11);
    EXPECT_EQ(root->expansion(), 1);

    // The first phrase stays, the mascot switches at once, nothing breathes.
    scene.advance(13);
    EXPECT_EQ(root->card().cheerLine().index(), 0);
    const int wiggles = root->wiggleTrigger();
    controller().toggle();
    EXPECT_EQ(root->card().mascot().symbol(), "leaf.fill");
    EXPECT_FALSE(root->card().mascot().outgoingSymbol().has_value());
    EXPECT_FALSE(root->card().isRingBreathing());
    EXPECT_FALSE(root->card().aura().isBreathing());
    EXPECT_EQ(root->card().aura().scale(), 1.0);
    EXPECT_FALSE(root->card().dotPulse());
    EXPECT_EQ(root->wiggleTrigger(), wiggles);

    // A celebration is only its toast.
    root->celebrate(QStringLiteral("Session complete"));
    EXPECT_FALSE(root->confettiShown());
    EXPECT_FALSE(root->celebrateScale());
    EXPECT_EQ(root->celebration(), QStringLiteral("Session complete"));
    scene.advance(0.16);
    EXPECT_EQ(root->toast().presence(), 1);
}

TEST_F(WidgetRootViewTest, WithMotionThePhaseChangeBreathesPulsesAndReplacesTheMascot)
{
    expand();
    controller().toggle();
    EXPECT_EQ(root->card().mascot().outgoingSymbol(), QStringLiteral("moon.fill"));
    EXPECT_TRUE(root->card().dotPulse());
    EXPECT_TRUE(root->card().isRingBreathing());
    EXPECT_TRUE(root->card().aura().isBreathing());
    scene.advance(0.51);
    EXPECT_FALSE(root->card().dotPulse());
    scene.advance(1.0);
    EXPECT_GT(root->card().ringScale(), 1.0);
    EXPECT_LE(root->card().ringScale(), 1.02);
    EXPECT_GE(root->card().aura().scale(), 0.92);
    EXPECT_LE(root->card().aura().scale(), 1.12);

    // Turning reduce motion on mid-way lands everything at rest.
    scene.settings->setForceReduceMotion(true);
    EXPECT_FALSE(root->card().isRingBreathing());
    EXPECT_EQ(root->card().ringScale(), 1.0);
}

TEST_F(WidgetRootViewTest, TheStreakBadgeAppearsWithAStreakAndBouncesWhenItGrows)
{
    scene.focusSettings->setDailyGoalMinutes(25);
    expand();
    // The badge's flame, left of the header buttons, comes with the first day of a streak.
    const QRectF share = root->cardTargetRect({ Kind::share });
    const QRectF badge(share.left() - 44, share.top(), 36, share.height());
    const auto flame = [&] { return viewprobe::closest(root->renderToImage(), badge, Colors::streak()); };
    const int withoutStreak = flame();
    scene.logFocus(1500);
    ASSERT_EQ(controller().streak(), 1);
    EXPECT_TRUE(root->card().streakBounce());
    scene.advance(0.51);
    EXPECT_FALSE(root->card().streakBounce());
    EXPECT_LT(flame(), withoutStreak - 30) << "no streak, no badge";
}

TEST_F(WidgetRootViewTest, TheWidgetDrawsAtItsOpacityAndInTheChosenAppearance)
{
    expand();
    // The idle card's free space under its rows.
    const QPointF empty(root->cardRect().center().x(), root->cardRect().bottom() - 12);
    const QColor full = viewprobe::pixel(root->renderToImage(), empty);
    scene.settings->setWidgetOpacity(0.5);
    const QColor half = viewprobe::pixel(root->renderToImage(), empty);
    EXPECT_NEAR(half.alpha(), full.alpha() / 2.0, 3);

    scene.settings->setWidgetOpacity(1);
    scene.settings->setAppearance(veltrane::AppearancePreference::dark);
    EXPECT_LT(viewprobe::pixel(root->renderToImage(), empty).lightness(), 80);
    EXPECT_GT(root->palette().color(QPalette::WindowText).lightness(), 200);
    // The plain pills are dark material with light symbols, though the desktop is light.
    const QImage dark = root->renderToImage();
    const QRectF reset = root->cardTargetRect({ Kind::reset });
    EXPECT_LT(viewprobe::pixel(dark, reset.center() - QPointF(reset.width() / 2 - 5, 0)).lightness(), 60);
    EXPECT_LE(viewprobe::closest(dark, reset, QColor(255, 255, 255)), 50);
    scene.settings->setAppearance(veltrane::AppearancePreference::light);
    EXPECT_GT(viewprobe::pixel(root->renderToImage(), empty).lightness(), 200);
}

TEST_F(WidgetRootViewTest, TheCardsButtonsActOnTheControllerAndTheRestIsLeftToThePanel)
{
    // On the tile every press belongs to the panel (a click expands, a drag moves).
    EXPECT_FALSE(pressAccepted(root->tileRect().center()));

    expand();
    clickTarget({ Kind::settings });
    clickTarget({ Kind::insights });
    clickTarget({ Kind::share });
    EXPECT_EQ(scene.settingsOpened, 1);
    EXPECT_EQ(scene.insightsOpened, 1);
    EXPECT_EQ(scene.shareOpened, 1);

    clickTarget({ Kind::primary });
    EXPECT_TRUE(controller().isRunning());
    EXPECT_EQ(controller().primaryIcon(), "pause.fill");
    clickTarget({ Kind::skip });
    EXPECT_EQ(controller().phase(), SessionPhase::shortBreak);
    clickTarget({ Kind::reset });
    EXPECT_EQ(controller().phase(), SessionPhase::idle);

    clickTarget({ Kind::quickStart, 1 });
    EXPECT_EQ(controller().phase(), SessionPhase::focusing);
    EXPECT_EQ(controller().displayTime(), "45:00");

    // The card's background and the gaps between its rows move the panel.
    const QRectF card = root->cardRect();
    EXPECT_FALSE(pressAccepted(QPointF(card.left() + 8, card.center().y())));
    EXPECT_TRUE(pressAccepted(root->cardTargetRect({ Kind::primary }).center()));
}

TEST_F(WidgetRootViewTest, PillsGrowUnderThePointer)
{
    expand();
    const QPointF primary = root->cardTargetRect({ Kind::primary }).center();
    // Sent straight to the view: moving the X pointer would race with the server's own events.
    QMouseEvent move(QEvent::MouseMove, primary, root->mapToGlobal(primary), Qt::NoButton, Qt::NoButton, {});
    QCoreApplication::sendEvent(root, &move);
    scene.advance(0.2);
    EXPECT_NEAR(root->card().pillScale(Kind::primary), 1.05, 1e-9);
    EXPECT_EQ(root->card().pillScale(Kind::skip), 1.0);
    viewprobe::leave(*root);
    scene.advance(0.2);
    EXPECT_EQ(root->card().pillScale(Kind::primary), 1.0);
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
    PaintRecorder recorder(*root);
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
    const QRect tile = root->tileRect().toAlignedRect();
    const auto tall = std::count_if(recorder.areas.begin(), recorder.areas.end(),
        [&](const QRect& area) { return area.height() > tile.height() * 2 / 3; });
    EXPECT_LE(tall, 2);
    for (const QRect& area : recorder.areas)
        EXPECT_TRUE(tile.contains(area)) << area.x() << "," << area.y() << " " << area.width() << "x" << area.height();

    expand();
    testsupport::processEvents(std::chrono::milliseconds(200));
    play(6);
    // Expanded: the breathing glow and ring are painted ten times a second, the rolling time
    // fifteen, the cheer line's new phrase in its own line; the hidden tile no longer rolls, and
    // nothing paints the whole card.
    EXPECT_FALSE(root->tile().time().isRolling());
    EXPECT_LE(recorder.areas.size(), 6u * (10 + 15 + 2));
    const QRectF card = root->cardRect();
    for (const QRect& area : recorder.areas)
        EXPECT_LT(area.height(), card.height() * 2 / 3) << area.y() << " " << area.height();
    // The tile took every second as it went, without animating, and shows the time on return.
    EXPECT_EQ(root->tile().time().text(), controller().displayTime());
}
