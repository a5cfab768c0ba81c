#include "VeltraneKit/Motion/AnimatedValue.h"
#include "VeltraneKit/Motion/KeyframePlayer.h"
#include "VeltraneKit/Motion/KeyframeTrack.h"
#include "VeltraneKit/Motion/Motion.h"
#include "tests/VeltraneKit/Motion/ManualTicker.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace veltrane;

namespace {

// One animated value whose frames and outcomes the tests read.
class FrameTickerTest : public ::testing::Test, protected veltrane::testing::ManualTicker {
protected:
    FrameTickerTest()
        : ManualTicker(1000)
    {
        value.onFrame = [this] { ++frames; };
        value.onFinished = [this](AnimationOutcome outcome) { outcomes.push_back(outcome); };
    }

    AnimatedValue<double> value { *m_ticker, 0 };
    int frames = 0;
    std::vector<AnimationOutcome> outcomes;
};

// The card's wiggle: a rotation that swings and settles.
KeyframeTrack<double> angleTrack()
{
    return KeyframeTrack<double>(0).cubic(-3, 0.08).cubic(3, 0.1).cubic(-1.5, 0.1).cubic(0, 0.1);
}

} // namespace

TEST_F(FrameTickerTest, RunsOnlyWhileAnimatingThenStops)
{
    // Neither a jump nor a start toward the value it already has is an animation.
    value.jumpTo(5);
    value.start(5.0, Animation::easeInOut(1));
    EXPECT_FALSE(frame());
    EXPECT_EQ(m_driver->starts(), 0);
    outcomes.clear();
    frames = 0;

    value.start(10.0, Animation::linear(0.5));
    EXPECT_TRUE(m_driver->isRunning());
    m_clock->advance(0.25);
    EXPECT_NEAR(value.value(), 7.5, 1e-9);
    runToIdle();
    EXPECT_FALSE(m_driver->isRunning() || value.animating());
    EXPECT_EQ(value.value(), 10);
    EXPECT_EQ(outcomes, std::vector { AnimationOutcome::completed });
    EXPECT_TRUE(frames >= 15 && frames <= 17) << frames;
    const auto framesAtRest = m_ticker->frameCount();
    EXPECT_FALSE(frame());
    EXPECT_EQ(m_ticker->frameCount(), framesAtRest);
}

TEST_F(FrameTickerTest, ManyAnimationsShareOneDriverRunAndOneMayDestroyAnotherMidRun)
{
    auto doomed = std::make_unique<AnimatedValue<double>>(*m_ticker, 0);
    AnimatedValue<Vector2> longOne(*m_ticker, { 0, 0 });
    doomed->start(1.0, Animation::linear(1));
    longOne.start(Vector2 { 30, -30 }, Animation::easeOut(0.5));
    value.start(1.0, Animation::linear(0.1));
    EXPECT_EQ(m_ticker->animatorCount(), 3u);
    // A callback of one animator destroys another during the same frame.
    value.onFinished = [&](AnimationOutcome) { doomed.reset(); };
    runFor(1.0 / 6); // 10 frames
    EXPECT_FALSE(doomed);
    EXPECT_TRUE(longOne.animating());
    runToIdle();
    EXPECT_EQ(longOne.value(), (Vector2 { 30, -30 }));
    EXPECT_EQ(m_driver->starts(), 1);
    EXPECT_EQ(m_ticker->animatorCount(), 0u);
}

TEST_F(FrameTickerTest, InterruptedFinishedAndJumpedAnimationsSaySoAndLandRight)
{
    value.start(100.0, Animation::linear(1));
    runFor(0.5); // 30 frames
    EXPECT_NEAR(value.value(), 50, 1e-6);
    // Interrupted, it continues from where it was.
    value.start(0.0, Animation::linear(1));
    EXPECT_EQ(outcomes, std::vector { AnimationOutcome::interrupted });
    EXPECT_NEAR(value.value(), 50, 1e-6);
    runToIdle();
    EXPECT_EQ(value.value(), 0);
    EXPECT_EQ(outcomes.back(), AnimationOutcome::completed);

    value.start(1.0, Animation::easeInOut(2));
    frames = 0;
    frame();
    value.finish();
    EXPECT_EQ(value.value(), 1);
    EXPECT_FALSE(m_driver->isRunning());
    EXPECT_EQ(outcomes.back(), AnimationOutcome::skipped);
    EXPECT_EQ(frames, 2); // the frame delivered, and the final look

    value.start(3.0, Animation::easeInOut(2));
    value.jumpTo(-1);
    EXPECT_TRUE(value.value() == -1 && value.target() == -1);
    EXPECT_EQ(outcomes.size(), 4u);
    EXPECT_FALSE(m_driver->isRunning());
}

TEST_F(FrameTickerTest, RetargetedSpringKeepsItsMomentum)
{
    value.start(100.0, Motion::expand());
    runFor(0.1); // 6 frames
    const double before = value.value();
    m_clock->advance(0.001);
    const double speed = (value.value() - before) / 0.001;
    ASSERT_GT(speed, 100);

    // Retarget further along: the value keeps moving at about the same speed at first.
    value.start(200.0, Motion::expand());
    const double start = value.value();
    m_clock->advance(0.001);
    EXPECT_NEAR((value.value() - start) / 0.001, speed, speed * 0.05);
    runToIdle();
    EXPECT_EQ(value.value(), 200);
}

TEST_F(FrameTickerTest, DelayedStartHoldsTheOldValueAndAnAbsentAnimationJumps)
{
    value.start(-20.0, 300.0, Animation::easeIn(1.1).delayed(0.25));
    m_clock->advance(0.2);
    EXPECT_EQ(value.value(), -20);
    m_clock->advance(0.05 + 1.1);
    EXPECT_EQ(value.value(), 300);
    runToIdle();

    // Breathing with reduced motion is no animation at all.
    value.start(0.5, Motion::breathing(true));
    EXPECT_EQ(value.value(), 0.5);
    EXPECT_FALSE(m_driver->isRunning());
}

TEST_F(FrameTickerTest, ASlowAnimationSlowsTheDriverUnlessAQuickOneRuns)
{
    value.start(0.0, 1.0, Animation::linear(10).repeatingForever().atFrameRate(15));
    EXPECT_DOUBLE_EQ(m_driver->interval(), 1.0 / 15);
    // The first frame comes at once; over one second at 60 Hz, 15 frames.
    ASSERT_TRUE(frame());
    EXPECT_EQ(frames, 1);
    runFor(59.0 / 60);
    EXPECT_EQ(frames, 15);

    // Anything at the display's rate speeds the driver up for as long as it runs, without
    // speeding the slow ones up.
    AnimatedValue<double> quick(*m_ticker, 0);
    quick.start(1.0, Animation::linear(0.25));
    EXPECT_DOUBLE_EQ(m_driver->interval(), FrameDriver::kDisplayInterval);
    for (int i = 0; i < 16; ++i)
        ASSERT_TRUE(frame());
    EXPECT_FALSE(quick.animating());
    EXPECT_EQ(frames, 19);
    EXPECT_DOUBLE_EQ(m_driver->interval(), 1.0 / 15);

    // A driver at the slow rate that fires a little early or late never drops a frame.
    for (const double jitter : { -0.004, 0.006, -0.006, 0.0, 0.004 }) {
        m_clock->advance(1.0 / 15 + jitter);
        ASSERT_TRUE(m_driver->frame());
    }
    EXPECT_EQ(frames, 24);

    value.jumpTo(0);
    EXPECT_FALSE(m_driver->isRunning());
}

TEST(KeyframeTrackTest, ReachesEachKeyframeAtItsTimeSmoothly)
{
    const auto track = angleTrack();
    EXPECT_DOUBLE_EQ(track.duration(), 0.38);
    for (auto [time, value] : { std::pair { 0.0, 0.0 }, { 0.08, -3.0 }, { 0.18, 3.0 }, { 0.28, -1.5 },
             { 0.38, 0.0 }, { -1.0, 0.0 }, { 10.0, 0.0 } })
        EXPECT_NEAR(track.value(time), value, 1e-9) << time;
    // Between keyframes the cubic passes smoothly, not beyond its neighbours by much.
    EXPECT_LT(std::abs(track.value(0.13)), 3.5);
}

TEST(KeyframeTrackTest, SpringKeyframesPickUpWhereTheLastOneGotTo)
{
    // The card's squeeze that springs back.
    const auto track = KeyframeTrack<double>(1)
                           .spring(0.97, 0.12, Spring::withDuration(0.5, 0))
                           .spring(1.0, 0.3, Spring::withDuration(0.5, 0.3));
    EXPECT_DOUBLE_EQ(track.duration(), 0.42);
    // The first spring has not quite reached 0.97 when the second takes over at 0.12 s.
    const double handOver = track.value(0.12);
    EXPECT_TRUE(handOver > 0.97 && handOver < 0.995) << handOver;
    EXPECT_NEAR(track.value(0.12 + 1e-9), handOver, 1e-6);
    EXPECT_EQ(track.value(0.42), 1.0);
}

TEST_F(FrameTickerTest, KeyframePlayerPlaysOnTheTickerAndRestsOnTheFinalValue)
{
    KeyframePlayer<double> angle(*m_ticker, angleTrack());
    angle.onFinished = [&](AnimationOutcome outcome) { outcomes.push_back(outcome); };

    angle.play();
    EXPECT_TRUE(m_driver->isRunning());
    m_clock->advance(0.08);
    EXPECT_NEAR(angle.value(), -3, 1e-9);

    // Replaying mid-way restarts from the beginning.
    angle.play();
    EXPECT_EQ(outcomes, std::vector { AnimationOutcome::interrupted });
    EXPECT_EQ(angle.value(), 0);
    m_clock->advance(0.18);
    EXPECT_NEAR(angle.value(), 3, 1e-9);

    runToIdle(100);
    EXPECT_FALSE(m_driver->isRunning());
    EXPECT_EQ(angle.value(), 0);
    EXPECT_EQ(outcomes.back(), AnimationOutcome::completed);
}
