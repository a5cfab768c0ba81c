#include "VeltraneKit/Motion/Animation.h"
#include "VeltraneKit/Motion/Motion.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace veltrane;

TEST(AnimationTest, TimedRunsItsCurveAfterTheDelay)
{
    const AnimationTimeline timeline(Animation::easeIn(1.1).delayed(0.2));
    EXPECT_EQ(timeline.duration(), 1.3);
    EXPECT_EQ(timeline.sample(0.2).progress, 0);
    EXPECT_NEAR(timeline.sample(0.2 + 0.55).progress, TimingCurve::easeIn().value(0.5), 1e-9);
    EXPECT_FALSE(timeline.sample(1.29).finished);
    EXPECT_TRUE(timeline.sample(1.3).finished);
    EXPECT_EQ(timeline.sample(5).progress, 1);
}

TEST(AnimationTest, AutoreversingRepeatsGoBackAndForth)
{
    const AnimationTimeline timeline(Animation::linear(1).repeating(3, Animation::Reversal::autoreverses));
    EXPECT_NEAR(timeline.sample(0.25).progress, 0.25, 1e-9);
    EXPECT_NEAR(timeline.sample(1.25).progress, 0.75, 1e-9);
    EXPECT_LT(timeline.sample(1.25).velocity, 0);
    EXPECT_NEAR(timeline.sample(2.25).progress, 0.25, 1e-9);
    // However many cycles, it lands on the end value.
    EXPECT_TRUE(timeline.sample(3).finished);
    EXPECT_EQ(timeline.sample(3).progress, 1);

    const AnimationTimeline restarting(Animation::linear(1).repeating(2, Animation::Reversal::none));
    EXPECT_NEAR(restarting.sample(1.25).progress, 0.25, 1e-9);
}

TEST(AnimationTest, ForeverNeverFinishes)
{
    const auto breathing = Motion::breathing(false);
    ASSERT_TRUE(breathing);
    const AnimationTimeline timeline(*breathing);
    EXPECT_FALSE(timeline.duration());
    EXPECT_FALSE(timeline.sample(1e6).finished);
    // One breath out in 2 s, back in the next 2 s.
    for (auto [time, progress] : { std::pair { 1.0, 0.5 }, { 2.0, 1.0 }, { 3.0, 0.5 }, { 4.0, 0.0 } })
        EXPECT_NEAR(timeline.sample(time).progress, progress, 1e-9) << time;

    // An endless repeat of nothing ends at once instead of ticking forever.
    EXPECT_EQ(AnimationTimeline(Animation::linear(0).repeatingForever()).duration(), 0.0);
}

TEST(AnimationTest, SpringRunsUntilSettled)
{
    const AnimationTimeline timeline(Motion::expand());
    const auto duration = timeline.duration();
    ASSERT_TRUE(duration);
    EXPECT_TRUE(*duration > 0.3 && *duration < 1.5) << *duration;
    EXPECT_FALSE(timeline.sample(*duration - 0.01).finished);
    EXPECT_NEAR(timeline.sample(*duration - 0.01).progress, 1, 1e-3);
    EXPECT_TRUE(timeline.sample(*duration).finished);
}

TEST(MotionTest, ReduceMotionFallsBackToTheCrossfadeAndNonsenseRatesAskForEveryFrame)
{
    EXPECT_EQ(Motion::expandIfPossible(false), Motion::expand());
    EXPECT_EQ(Motion::expandIfPossible(true), Motion::reduceMotionCrossfade());
    EXPECT_EQ(Motion::collapseIfPossible(true), Motion::reduceMotionCrossfade());
    EXPECT_FALSE(Motion::breathing(true));
    // Rates the display cannot go beyond ask for every frame too.
    for (double rate : { 0.0, -5.0, std::nan(""), 60.0, 144.0 })
        EXPECT_EQ(Animation::linear(1).atFrameRate(rate).frameInterval(), 0) << rate;
}
