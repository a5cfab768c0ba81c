#include "Moorlet/Views/AnimatedColor.h"

#include <algorithm>

namespace moorlet {

AnimatedColor::AnimatedColor(veltrane::FrameTicker& ticker, QColor initial)
    : m_from(initial)
    , m_to(initial)
    , m_mix(ticker, 1.0)
{
}

void AnimatedColor::start(const QColor& to, const std::optional<veltrane::Animation>& animation)
{
    if (to == m_to)
        return;
    m_from = value();
    m_to = to;
    if (animation)
        m_mix.start(0.0, 1.0, *animation);
    else
        m_mix.jumpTo(1.0);
}

QColor AnimatedColor::value() const
{
    return mix(m_from, m_to, m_mix.value());
}

QColor AnimatedColor::mix(const QColor& from, const QColor& to, double t)
{
    const double s = std::clamp(t, 0.0, 1.0);
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    // A fully transparent end takes the other end's hue, so a fade to clear does not pass
    // through grey.
    const QColor hueA = a.alpha() == 0 ? b : a;
    const QColor hueB = b.alpha() == 0 ? a : b;
    const auto lerp = [s](double x, double y) { return x + (y - x) * s; };
    return QColor::fromRgbF(static_cast<float>(lerp(hueA.redF(), hueB.redF())),
        static_cast<float>(lerp(hueA.greenF(), hueB.greenF())), static_cast<float>(lerp(hueA.blueF(), hueB.blueF())),
        static_cast<float>(lerp(a.alphaF(), b.alphaF())));
}

} // namespace moorlet
