#include "VeltraneKit/Theme/ColorContrast.h"

#include <algorithm>
#include <cmath>

namespace veltrane::ColorContrast {

namespace {

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

QColor mixed(const QColor& from, const QColor& to, double amount)
{
    const auto channel = [amount](double a, double b) { return a + (b - a) * amount; };
    return QColor::fromRgbF(static_cast<float>(channel(from.redF(), to.redF())),
        static_cast<float>(channel(from.greenF(), to.greenF())), static_cast<float>(channel(from.blueF(), to.blueF())));
}

// Halving the step this many times finds the mix to well under an 8-bit step.
constexpr int kSearchSteps = 12;

} // namespace

double luminance(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

double ratio(const QColor& a, const QColor& b)
{
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor composited(const QColor& over, const QColor& under)
{
    const QColor top = over.toRgb();
    const QColor bottom = under.toRgb();
    const double alpha = top.alphaF() + bottom.alphaF() * (1 - top.alphaF());
    if (alpha <= 0)
        return QColor(0, 0, 0, 0);
    const auto channel = [&](double a, double b) {
        return static_cast<float>((a * top.alphaF() + b * bottom.alphaF() * (1 - top.alphaF())) / alpha);
    };
    return QColor::fromRgbF(channel(top.redF(), bottom.redF()), channel(top.greenF(), bottom.greenF()),
        channel(top.blueF(), bottom.blueF()), static_cast<float>(alpha));
}

QColor readableShade(const QColor& tint, const QColor& background, double minimum)
{
    QColor start = tint.toRgb();
    start.setAlphaF(1);
    if (ratio(start, background) >= minimum)
        return start;
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    const QColor end = ratio(black, background) >= ratio(white, background) ? black : white;
    if (ratio(end, background) < minimum)
        return end;
    // The ratio grows steadily along the way, so the least mix that reaches it is found by halving.
    double low = 0;
    double high = 1;
    for (int step = 0; step < kSearchSteps; ++step) {
        const double middle = (low + high) / 2;
        (ratio(mixed(start, end, middle), background) >= minimum ? high : low) = middle;
    }
    return mixed(start, end, high);
}

QColor contentOn(const QColor& fill, double minimum)
{
    const QColor white(255, 255, 255);
    if (ratio(white, fill) >= minimum)
        return white;
    return readableShade(fill, fill, minimum);
}

} // namespace veltrane::ColorContrast
