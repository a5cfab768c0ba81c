#pragma once

#include "VeltraneKit/Time/Clock.h"

namespace veltrane {

// A damped spring of unit mass pulling a value toward its target, described the way designers
// tune it: `response` is the period of the undamped oscillation in seconds and
// `dampingFraction` the damping ratio (below 1 it overshoots, 1 is critical, above 1 it creeps).
struct Spring {
    double response = 0.5;
    double dampingFraction = 0.825;
    // Kept for completeness of the description; every spring of this program blends over 0 s.
    Seconds blendDuration = 0;

    // Where the spring is along its way, in units of the distance to travel: 0 at the start,
    // 1 at the target.
    struct State {
        double progress = 0;
        double velocity = 0; // progress per second
    };

    // The duration-and-bounce form: `duration` is the perceptual duration (the response) and
    // `bounce` 0 for no overshoot, up to 1 for more; a negative bounce gives an overdamped spring.
    static Spring withDuration(Seconds duration, double bounce);

    double angularFrequency() const;

    // The state `elapsed` seconds after leaving progress 0 with `initialVelocity`.
    State state(Seconds elapsed, double initialVelocity = 0) const;

    // How long until the spring stays within `tolerance` of the target (in units of the
    // distance) with a velocity that small too. Computed from the decay envelope, so it never
    // reports rest while a later swing would still be visible.
    Seconds settlingDuration(double initialVelocity = 0, double tolerance = 1e-3) const;

    friend constexpr bool operator==(const Spring&, const Spring&) = default;
};

} // namespace veltrane
