#include "VeltraneKit/Motion/KeyframePlayer.h"
#include "VeltraneKit/Motion/KeyframeTrack.h"
#include "tests/VeltraneKit/Motion/ManualTicker.h"

#include <gtest/gtest.h>


using namespace veltrane;

namespace {

// The card's wiggle: a rotation that swings and settles.
KeyframeTrack<double> angleTrack()
{
    return KeyframeTrack<double>(0).cubic(-3, 0.08).cubic(3, 0.1).cubic(-1.5, 0.1).cubic(0, 0.1);
}

} // namespace

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

class KeyframePlayerTest : public ::testing::Test, protected veltrane::testing::ManualTicker { };

TEST_F(KeyframePlayerTest, PlaysOnTheTickerAndRestsOnTheFinalValue)
{
    KeyframePlayer<double> angle(*m_ticker, angleTrack());
    std::vector<AnimationOutcome> outcomes;
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
