#include "VeltraneKit/Motion/Spring.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace veltrane {

namespace {

// Settling is searched at this step, and never beyond the cap: a spring so soft that it needs
// longer is cut short and lands on its target, as every transition must end.
constexpr Seconds kSettleStep = 1.0 / 240;
constexpr Seconds kSettleCap = 30;

// Displacement from the target and its velocity, with the closed-form solution of
// x'' + 2ζω x' + ω² x = 0 for x(0) = x0, x'(0) = v0.
struct Oscillation {
    double displacement;
    double velocity;
    // An upper bound of |x| + |x'|/ω from t on, for the settling search.
    double envelope;
};

Oscillation oscillate(double omega, double zeta, double x0, double v0, double t)
{
    if (zeta < 1) {
        const double dampedOmega = omega * std::sqrt(1 - zeta * zeta);
        const double a = x0;
        const double b = (v0 + zeta * omega * x0) / dampedOmega;
        const double decay = std::exp(-zeta * omega * t);
        const double c = std::cos(dampedOmega * t);
        const double s = std::sin(dampedOmega * t);
        const double x = decay * (a * c + b * s);
        const double v = decay * ((b * dampedOmega - zeta * omega * a) * c - (a * dampedOmega + zeta * omega * b) * s);
        return { x, v, 2 * decay * std::hypot(a, b) };
    }
    if (zeta == 1) {
        const double a = x0;
        const double b = v0 + omega * x0;
        const double decay = std::exp(-omega * t);
        const double x = decay * (a + b * t);
        const double v = decay * (b - omega * (a + b * t));
        return { x, v, decay * (2 * std::abs(a) + std::abs(b) * (2 * t + 1 / omega)) };
    }
    const double root = std::sqrt(zeta * zeta - 1);
    const double r1 = -omega * (zeta - root); // the slow mode
    const double r2 = -omega * (zeta + root);
    const double c2 = (v0 - r1 * x0) / (r2 - r1);
    const double c1 = x0 - c2;
    const double e1 = std::exp(r1 * t);
    const double e2 = std::exp(r2 * t);
    const double x = c1 * e1 + c2 * e2;
    const double v = c1 * r1 * e1 + c2 * r2 * e2;
    const double envelope = std::abs(c1) * e1 * (1 - r1 / omega) + std::abs(c2) * e2 * (1 - r2 / omega);
    return { x, v, envelope };
}

} // namespace

Spring Spring::withDuration(Seconds duration, double bounce)
{
    const double damping = bounce >= 0 ? 1 - bounce : 1 / (1 + bounce);
    return Spring { duration, damping, 0 };
}

double Spring::angularFrequency() const
{
    return 2 * std::numbers::pi / std::max(response, 1e-3);
}

Spring::State Spring::state(Seconds elapsed, double initialVelocity) const
{
    const double omega = angularFrequency();
    const double zeta = std::max(dampingFraction, 0.0);
    const Oscillation o = oscillate(omega, zeta, -1, initialVelocity, std::max(elapsed, 0.0));
    return { 1 + o.displacement, o.velocity };
}

Seconds Spring::settlingDuration(double initialVelocity, double tolerance) const
{
    const double omega = angularFrequency();
    const double zeta = std::max(dampingFraction, 0.0);
    if (zeta == 0)
        return kSettleCap;
    for (Seconds t = 0; t < kSettleCap; t += kSettleStep) {
        if (oscillate(omega, zeta, -1, initialVelocity, t).envelope < tolerance)
            return t;
    }
    return kSettleCap;
}

} // namespace veltrane
