#include "VeltraneKit/Motion/Animation.h"
#include "VeltraneKit/Motion/Motion.h"
#include "VeltraneKit/Motion/Spring.h"
#include "VeltraneKit/Motion/TimingCurve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace veltrane;

namespace {

// The farthest the spring swings past its start over its settling time, sampled finely.
double highest(const Spring& spring, double initialVelocity = 0)
{
    double result = -1e9;
    for (Seconds t = 0; t <= spring.settlingDuration(initialVelocity); t += 0.001)
        result = std::max(result, spring.state(t, initialVelocity).progress);
    return result;
}

} // namespace

TEST(SpringTest, EverySpringSettlesAtItsTargetWithinItsSettlingDuration)
{
    for (const Spring spring : { Spring { 0.42, 0.82 }, Spring { 0.34, 0.9 }, Spring { 0.28, 0.65 },
             Spring { 0.5, 1.0 }, Spring { 0.5, 1.6 }, Spring::withDuration(0.5, 0.3) }) {
        const Seconds settle = spring.settlingDuration();
        EXPECT_GT(settle, 0.05) << spring.response << "/" << spring.dampingFraction;
        EXPECT_LT(settle, 3.0) << spring.response << "/" << spring.dampingFraction;
        // From the settling time on it stays on the target and at rest.
        for (Seconds t = settle; t < settle + 2; t += 0.01) {
            const auto state = spring.state(t);
            EXPECT_NEAR(state.progress, 1.0, 1e-3);
            EXPECT_NEAR(state.velocity, 0.0, 0.05);
        }
    }
}

TEST(SpringTest, UnderDampedOvershootsCriticalOrOverDampedDoNotAndResponseIsTheUndampedPeriod)
{
    // A damping fraction of 0.65 overshoots by e^(-πζ/√(1-ζ²)) ≈ 6.8 % of the distance.
    EXPECT_NEAR(highest(Spring { 0.28, 0.65 }), 1.068, 0.005);
    EXPECT_LE(highest(Spring { 0.4, 1.5 }), 1.0 + 1e-9);
    // Critically damped, it does not overshoot either.
    EXPECT_LE(highest(Spring { 0.3, 1.0 }), 1.0 + 1e-9);
    // Unless launched fast toward its target: then it overshoots.
    EXPECT_GT(highest(Spring { 0.4, 1.0 }, 60), 1.3);
    EXPECT_NEAR((Spring { 0.4, 1.0 }.state(0, 7).velocity), 7, 1e-12);

    // With no damping to speak of, the spring returns to its start after one response.
    const Spring spring { 0.5, 0.0 };
    EXPECT_NEAR(spring.state(0.5).progress, 0.0, 1e-9);
    EXPECT_NEAR(spring.state(0.25).progress, 2.0, 1e-9);
    EXPECT_EQ(Spring::withDuration(0.5, 0.3), (Spring { 0.5, 0.7, 0 }));
}

TEST(TimingCurveTest, StandardCurvesRiseSteadilyFromZeroToOne)
{
    for (const TimingCurve curve : { TimingCurve::linear(), TimingCurve::easeIn(), TimingCurve::easeOut(),
             TimingCurve::easeInOut() }) {
        for (auto [x, y] : { std::pair { 0.0, 0.0 }, { 1.0, 1.0 }, { -3.0, 0.0 }, { 7.0, 1.0 } })
            EXPECT_DOUBLE_EQ(curve.value(x), y) << x;
        for (double x = 0.01; x <= 1; x += 0.01)
            EXPECT_GE(curve.value(x), curve.value(x - 0.01)) << x;
    }
    EXPECT_NEAR(TimingCurve::easeInOut().value(0.5), 0.5, 1e-9);
    // Ease-in starts slow, ease-out starts fast, each the other turned round.
    EXPECT_LT(TimingCurve::easeIn().value(0.25), 0.15);
    EXPECT_NEAR(TimingCurve::easeIn().value(0.25), 1 - TimingCurve::easeOut().value(0.75), 1e-9);
    EXPECT_NEAR(TimingCurve::easeIn().slope(0), 0, 1e-6);
}

TEST(AnimationTest, ATimedRunPlaysItsCurveAfterTheDelayAndAForeverRunAutoreversesWithoutEnd)
{
    const AnimationTimeline timeline(Animation::easeIn(1.1).delayed(0.2));
    EXPECT_EQ(timeline.duration(), 1.3);
    EXPECT_EQ(timeline.sample(0.2).progress, 0);
    EXPECT_NEAR(timeline.sample(0.2 + 0.55).progress, TimingCurve::easeIn().value(0.5), 1e-9);
    EXPECT_FALSE(timeline.sample(1.29).finished);
    EXPECT_TRUE(timeline.sample(1.3).finished);
    EXPECT_EQ(timeline.sample(5).progress, 1);

    // Breathing runs forever, one breath out in 2 s and back in the next 2 s.
    const auto breathing = Motion::breathing(false);
    ASSERT_TRUE(breathing);
    const AnimationTimeline forever(*breathing);
    EXPECT_FALSE(forever.duration());
    EXPECT_FALSE(forever.sample(1e6).finished);
    for (auto [time, progress] : { std::pair { 1.0, 0.5 }, { 2.0, 1.0 }, { 3.0, 0.5 }, { 4.0, 0.0 } })
        EXPECT_NEAR(forever.sample(time).progress, progress, 1e-9) << time;

    // An endless repeat of nothing ends at once instead of ticking forever.
    EXPECT_EQ(AnimationTimeline(Animation::linear(0).repeatingForever()).duration(), 0.0);
}

TEST(MotionTest, ReduceMotionFallsBackToTheCrossfadeAndNonsenseRatesAskForEveryFrame)
{
    EXPECT_EQ(Motion::expandIfPossible(true), Motion::reduceMotionCrossfade());
    EXPECT_EQ(Motion::collapseIfPossible(true), Motion::reduceMotionCrossfade());
    EXPECT_FALSE(Motion::breathing(true));
    // Rates the display cannot go beyond ask for every frame too.
    for (double rate : { 0.0, -5.0, std::nan(""), 60.0, 144.0 })
        EXPECT_EQ(Animation::linear(1).atFrameRate(rate).frameInterval(), 0) << rate;
}
