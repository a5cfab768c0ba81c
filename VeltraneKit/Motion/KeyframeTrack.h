#pragma once

#include "VeltraneKit/Motion/Spring.h"
#include "VeltraneKit/Motion/TimingCurve.h"
#include "VeltraneKit/Motion/Vector2.h"
#include "VeltraneKit/Time/Clock.h"

#include <algorithm>
#include <vector>

namespace veltrane {

// A sequence of keyframes for one value, each reached over its own duration in its own way:
// along a timing curve, along a smooth cubic through its neighbours, by a spring, or by a jump.
// The track is a plain value; KeyframePlayer plays it over time.
template <typename T>
class KeyframeTrack {
public:
    explicit KeyframeTrack(T initial)
        : m_initial(initial)
    {
    }

    KeyframeTrack& linear(T to, Seconds duration, TimingCurve curve = TimingCurve::linear())
    {
        return add({ Kind::curve, to, duration, curve, {} });
    }
    KeyframeTrack& cubic(T to, Seconds duration) { return add({ Kind::cubic, to, duration, TimingCurve::linear(), {} }); }
    // The spring runs from the previous keyframe's value for `duration`; the next keyframe
    // starts wherever it got to.
    KeyframeTrack& spring(T to, Seconds duration, Spring spring)
    {
        return add({ Kind::spring, to, duration, TimingCurve::linear(), spring });
    }
    KeyframeTrack& move(T to) { return add({ Kind::move, to, 0, TimingCurve::linear(), {} }); }

    T initial() const { return m_initial; }
    // The value once the track has played: its last keyframe's.
    T final() const { return m_keyframes.empty() ? m_initial : m_keyframes.back().value; }
    Seconds duration() const
    {
        Seconds total = 0;
        for (const Keyframe& keyframe : m_keyframes)
            total += keyframe.duration;
        return total;
    }

    // The value `time` seconds into the track; before it the initial value, after it the final.
    T value(Seconds time) const
    {
        if (time <= 0 || m_keyframes.empty())
            return time >= duration() ? final() : m_initial;
        T start = m_initial;
        Seconds segmentStart = 0;
        for (std::size_t i = 0; i < m_keyframes.size(); ++i) {
            const Keyframe& keyframe = m_keyframes[i];
            const Seconds segmentEnd = segmentStart + keyframe.duration;
            if (time < segmentEnd)
                return segmentValue(i, start, time - segmentStart);
            start = segmentValue(i, start, keyframe.duration);
            segmentStart = segmentEnd;
        }
        return final();
    }

private:
    enum class Kind { curve, cubic, spring, move };
    struct Keyframe {
        Kind kind;
        T value;
        Seconds duration;
        TimingCurve curve;
        Spring spring;
    };

    KeyframeTrack& add(Keyframe keyframe)
    {
        keyframe.duration = std::max(keyframe.duration, 0.0);
        m_keyframes.push_back(keyframe);
        return *this;
    }

    T valueBefore(std::size_t index) const { return index == 0 ? m_initial : m_keyframes[index - 1].value; }

    // The Catmull-Rom tangent at the end of keyframe `index` (value per second); zero at the
    // ends of a run of cubic keyframes so the motion eases in and out there.
    T tangentAfter(std::size_t index) const
    {
        const std::size_t next = index + 1;
        if (next >= m_keyframes.size() || m_keyframes[next].kind != Kind::cubic
            || m_keyframes[index].kind != Kind::cubic)
            return T {};
        const Seconds span = m_keyframes[index].duration + m_keyframes[next].duration;
        if (span <= 0)
            return T {};
        return (m_keyframes[next].value - valueBefore(index)) * (1 / span);
    }
    T tangentBefore(std::size_t index) const
    {
        if (index == 0 || m_keyframes[index - 1].kind != Kind::cubic)
            return T {};
        return tangentAfter(index - 1);
    }

    T segmentValue(std::size_t index, T start, Seconds local) const
    {
        const Keyframe& keyframe = m_keyframes[index];
        const T distance = keyframe.value - start;
        switch (keyframe.kind) {
        case Kind::move:
            return keyframe.value;
        case Kind::curve:
            return keyframe.duration <= 0 ? keyframe.value
                                          : start + distance * keyframe.curve.value(local / keyframe.duration);
        case Kind::spring:
            return start + distance * keyframe.spring.state(local).progress;
        case Kind::cubic: {
            if (keyframe.duration <= 0)
                return keyframe.value;
            // Cubic Hermite between start and the keyframe with the neighbours' tangents.
            const double d = keyframe.duration;
            const double s = local / d;
            const double s2 = s * s;
            const double s3 = s2 * s;
            const T m0 = tangentBefore(index) * d;
            const T m1 = tangentAfter(index) * d;
            return start * (2 * s3 - 3 * s2 + 1) + m0 * (s3 - 2 * s2 + s) + keyframe.value * (-2 * s3 + 3 * s2)
                + m1 * (s3 - s2);
        }
        }
        return keyframe.value;
    }

    T m_initial;
    std::vector<Keyframe> m_keyframes;
};

} // namespace veltrane
