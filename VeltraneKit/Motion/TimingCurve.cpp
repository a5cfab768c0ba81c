#include "VeltraneKit/Motion/TimingCurve.h"

#include <algorithm>
#include <cmath>

namespace veltrane {

namespace {

// One coordinate of the cubic Bézier with end points 0 and 1 and control values c1 and c2.
double bezier(double t, double c1, double c2)
{
    const double u = 1 - t;
    return 3 * u * u * t * c1 + 3 * u * t * t * c2 + t * t * t;
}

double bezierDerivative(double t, double c1, double c2)
{
    const double u = 1 - t;
    return 3 * u * u * c1 + 6 * u * t * (c2 - c1) + 3 * t * t * (1 - c2);
}

} // namespace

double TimingCurve::parameterFor(double fraction) const
{
    // Newton's method converges in a few steps on these gentle curves; bisection takes over
    // where the slope flattens out.
    double t = fraction;
    for (int i = 0; i < 8; ++i) {
        const double error = bezier(t, m_x1, m_x2) - fraction;
        if (std::abs(error) < 1e-9)
            return t;
        const double derivative = bezierDerivative(t, m_x1, m_x2);
        if (std::abs(derivative) < 1e-6)
            break;
        t = std::clamp(t - error / derivative, 0.0, 1.0);
    }
    double low = 0;
    double high = 1;
    t = fraction;
    for (int i = 0; i < 60; ++i) {
        const double x = bezier(t, m_x1, m_x2);
        if (std::abs(x - fraction) < 1e-9)
            break;
        (x < fraction ? low : high) = t;
        t = (low + high) / 2;
    }
    return t;
}

double TimingCurve::value(double fraction) const
{
    fraction = std::clamp(fraction, 0.0, 1.0);
    if (fraction == 0 || fraction == 1)
        return fraction;
    return bezier(parameterFor(fraction), m_y1, m_y2);
}

double TimingCurve::slope(double fraction) const
{
    fraction = std::clamp(fraction, 0.0, 1.0);
    const double t = parameterFor(fraction);
    const double dx = bezierDerivative(t, m_x1, m_x2);
    if (std::abs(dx) < 1e-9)
        return 0;
    return bezierDerivative(t, m_y1, m_y2) / dx;
}

} // namespace veltrane
