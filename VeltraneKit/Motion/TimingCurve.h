#pragma once

namespace veltrane {

// A cubic Bézier easing curve from (0, 0) to (1, 1) with two control points, as the usual
// ease-in, ease-out and ease-in-out timing functions are defined.
class TimingCurve {
public:
    constexpr TimingCurve(double x1, double y1, double x2, double y2)
        : m_x1(x1)
        , m_y1(y1)
        , m_x2(x2)
        , m_y2(y2)
    {
    }

    static constexpr TimingCurve linear() { return { 0, 0, 1, 1 }; }
    static constexpr TimingCurve easeIn() { return { 0.42, 0, 1, 1 }; }
    static constexpr TimingCurve easeOut() { return { 0, 0, 0.58, 1 }; }
    static constexpr TimingCurve easeInOut() { return { 0.42, 0, 0.58, 1 }; }

    // The eased progress for a linear time fraction; fractions outside [0, 1] are clamped.
    double value(double fraction) const;
    // The slope of value() at the fraction (eased progress per unit of time fraction).
    double slope(double fraction) const;

    friend constexpr bool operator==(const TimingCurve&, const TimingCurve&) = default;

private:
    double parameterFor(double fraction) const;

    double m_x1;
    double m_y1;
    double m_x2;
    double m_y2;
};

} // namespace veltrane
