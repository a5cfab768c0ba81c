#include "VeltraneKit/Components/ShadowPainter.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace veltrane {

namespace {

// Three box blurs in a row come within a few percent of a Gaussian.
constexpr int kBoxPasses = 3;

// Box widths whose three passes approximate a Gaussian of `sigma` pixels.
std::vector<int> boxRadii(double sigma)
{
    const double ideal = std::sqrt(12 * sigma * sigma / kBoxPasses + 1);
    int lower = static_cast<int>(std::floor(ideal));
    if (lower % 2 == 0)
        --lower;
    const int upper = lower + 2;
    const double m = std::round((12 * sigma * sigma - kBoxPasses * lower * lower - 4 * kBoxPasses * lower - 3 * kBoxPasses)
        / (-4 * lower - 4));
    std::vector<int> radii;
    for (int i = 0; i < kBoxPasses; ++i)
        radii.push_back(((i < m ? lower : upper) - 1) / 2);
    return radii;
}

// One horizontal or vertical running-sum blur of the alpha channel.
void boxBlur(std::vector<float>& alpha, std::vector<float>& scratch, int width, int height, int radius, bool horizontal)
{
    if (radius <= 0)
        return;
    const int length = horizontal ? width : height;
    const int lines = horizontal ? height : width;
    const float scale = 1.0f / static_cast<float>(2 * radius + 1);
    for (int line = 0; line < lines; ++line) {
        const auto at = [&](int i) -> float& {
            return horizontal ? alpha[static_cast<std::size_t>(line * width + i)]
                              : alpha[static_cast<std::size_t>(i * width + line)];
        };
        float sum = 0;
        for (int i = -radius; i <= radius; ++i)
            sum += (i >= 0 && i < length) ? at(i) : 0.0f;
        for (int i = 0; i < length; ++i) {
            scratch[static_cast<std::size_t>(i)] = sum * scale;
            const int leaving = i - radius;
            const int entering = i + radius + 1;
            if (leaving >= 0)
                sum -= at(leaving);
            if (entering < length)
                sum += at(entering);
        }
        for (int i = 0; i < length; ++i)
            at(i) = scratch[static_cast<std::size_t>(i)];
    }
}

} // namespace

double ShadowPainter::extent(const ShadowStyle& style)
{
    // Three standard deviations hold all but a trace of the blur.
    return 1.5 * style.radius + std::max(std::abs(style.offset.x()), std::abs(style.offset.y()));
}

void ShadowPainter::paint(QPainter& painter, const QRectF& bounds, const ShadowStyle& style,
    const std::function<void(QPainter&)>& silhouette)
{
    if (style.color.alpha() == 0 || bounds.isEmpty())
        return;
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const double spread = 1.5 * style.radius;
    const QRectF area = bounds.adjusted(-spread, -spread, spread, spread);
    const int width = std::max(1, static_cast<int>(std::ceil(area.width() * ratio)));
    const int height = std::max(1, static_cast<int>(std::ceil(area.height() * ratio)));

    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter offscreen(&image);
        offscreen.setRenderHint(QPainter::Antialiasing);
        offscreen.scale(ratio, ratio);
        offscreen.translate(-area.topLeft());
        silhouette(offscreen);
    }

    std::vector<float> alpha(static_cast<std::size_t>(width * height));
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x)
            alpha[static_cast<std::size_t>(y * width + x)] = static_cast<float>(qAlpha(line[x])) / 255.0f;
    }
    std::vector<float> scratch(static_cast<std::size_t>(std::max(width, height)));
    for (const int radius : boxRadii(style.radius / 2 * ratio)) {
        boxBlur(alpha, scratch, width, height, radius, true);
        boxBlur(alpha, scratch, width, height, radius, false);
    }

    const QColor color = style.color.toRgb();
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const float coverage = std::clamp(alpha[static_cast<std::size_t>(y * width + x)], 0.0f, 1.0f);
            const float a = coverage * color.alphaF();
            line[x] = qRgba(qRound(color.redF() * a * 255), qRound(color.greenF() * a * 255),
                qRound(color.blueF() * a * 255), qRound(a * 255));
        }
    }
    painter.drawImage(QRectF(area.topLeft() + style.offset, area.size()), image);
}

} // namespace veltrane
