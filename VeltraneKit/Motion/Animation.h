#pragma once

#include "VeltraneKit/Motion/Spring.h"
#include "VeltraneKit/Motion/TimingCurve.h"
#include "VeltraneKit/Time/Clock.h"

#include <optional>
#include <variant>

namespace veltrane {

// How a change of value plays out over time: a timing curve over a fixed duration or a spring,
// optionally delayed and repeated. A plain value: views keep them as constants and hand them to
// AnimatedValue::start.
class Animation {
public:
    struct Timed {
        TimingCurve curve = TimingCurve::linear();
        Seconds duration = 0;
        friend constexpr bool operator==(const Timed&, const Timed&) = default;
    };
    using Timing = std::variant<Timed, Spring>;

    enum class Reversal {
        none,         // every cycle runs from start to end
        autoreverses, // odd cycles run back from end to start
    };

    static Animation timed(TimingCurve curve, Seconds duration);
    static Animation linear(Seconds duration);
    static Animation easeIn(Seconds duration);
    static Animation easeOut(Seconds duration);
    static Animation easeInOut(Seconds duration);
    static Animation spring(Spring spring);
    static Animation spring(double response, double dampingFraction, Seconds blendDuration = 0);

    // Copies with a start delay, or repeated: `count` cycles in all, or forever.
    Animation delayed(Seconds delay) const;
    Animation repeating(int count, Reversal reversal = Reversal::autoreverses) const;
    Animation repeatingForever(Reversal reversal = Reversal::autoreverses) const;
    // A copy that asks for no more than `framesPerSecond` frames: slow, endless motion (a glow
    // breathing over seconds) looks the same at a fraction of the display rate and costs that
    // fraction of the paints. Values at or above the display rate, or not above 0, ask for every
    // display frame.
    Animation atFrameRate(double framesPerSecond) const;

    const Timing& timing() const { return m_timing; }
    Seconds delay() const { return m_delay; }
    // Cycles in all; none when the animation repeats forever.
    std::optional<int> cycles() const { return m_cycles; }
    Reversal reversal() const { return m_reversal; }
    bool isSpring() const { return std::holds_alternative<Spring>(m_timing); }
    // The time between the frames it asks for; 0 for every display frame.
    Seconds frameInterval() const { return m_frameInterval; }

    friend bool operator==(const Animation&, const Animation&) = default;

private:
    explicit Animation(Timing timing)
        : m_timing(timing)
    {
    }

    Timing m_timing;
    Seconds m_delay = 0;
    std::optional<int> m_cycles = 1;
    Reversal m_reversal = Reversal::none;
    Seconds m_frameInterval = 0;
};

// One run of an Animation from the moment it starts: maps the time since the start to the
// progress from the old value (0) to the new one (1). Springs may pass 1 on the way.
class AnimationTimeline {
public:
    struct Sample {
        double progress = 0;
        double velocity = 0; // progress per second
        bool finished = false;
    };

    // A spring counts as settled once it stays this close to its target (in units of the
    // distance travelled).
    static constexpr double kDefaultTolerance = 1e-3;

    // `initialVelocity` (progress per second) carries a retargeted spring's momentum into its
    // first cycle; timing curves ignore it. `tolerance` ends a spring sooner when the distance
    // is so short that its last thousandths would not show.
    explicit AnimationTimeline(const Animation& animation, double initialVelocity = 0,
        double tolerance = kDefaultTolerance);

    Sample sample(Seconds elapsed) const;
    // The whole run including the delay; none for an endless one.
    std::optional<Seconds> duration() const;

private:
    Sample sampleCycle(Seconds local, bool first) const;

    Animation m_animation;
    double m_initialVelocity;
    Seconds m_firstCycle;
    Seconds m_cycle;
};

} // namespace veltrane
