#include "Moorlet/WelcomeTour/WelcomeTourLayout.h"

#include <numeric>

namespace moorlet {

namespace Metrics = WelcomeTourMetrics;
using Kind = WelcomeTourTarget::Kind;

WelcomeTourLayout::WelcomeTourLayout(QSizeF size, int stepCount, int step, double leftTextWidth)
    : m_leftTarget { step == 0 ? Kind::skip : Kind::back }
    , m_rightTarget { step == stepCount - 1 ? Kind::tryDemo : Kind::next }
{
    const double rowHeight = Metrics::buttonHeight + 2 * Metrics::controlsPadding;
    m_hero = QRectF(0, 0, size.width(), Metrics::heroHeight);
    const QRectF row(0, size.height() - rowHeight, size.width(), rowHeight);
    m_content = QRectF(0, m_hero.bottom(), size.width(), row.top() - m_hero.bottom())
                    .adjusted(Metrics::contentPadding, Metrics::contentPadding,
                        -Metrics::contentPadding, -Metrics::contentPadding);
    m_controls = row.adjusted(Metrics::controlsPadding, Metrics::controlsPadding,
        -Metrics::controlsPadding, -Metrics::controlsPadding);

    m_leftButton = QRectF(m_controls.left(), m_controls.top(),
        leftTextWidth + 2 * Metrics::textButtonPadding, Metrics::buttonHeight);
    const double rightWidth = m_rightTarget.kind == Kind::tryDemo ? Metrics::tryDemoWidth : Metrics::nextWidth;
    m_rightButton = QRectF(m_controls.right() - rightWidth, m_controls.top(), rightWidth, Metrics::buttonHeight);

    std::vector<double> widths(static_cast<std::size_t>(stepCount), Metrics::dotWidth);
    if (step >= 0 && step < stepCount)
        widths[static_cast<std::size_t>(step)] = Metrics::currentDotWidth;
    m_dots = dots(widths);
}

std::vector<QRectF> WelcomeTourLayout::dots(const std::vector<double>& widths) const
{
    const double total = std::accumulate(widths.begin(), widths.end(), 0.0)
        + Metrics::dotSpacing * (widths.empty() ? 0 : static_cast<double>(widths.size() - 1));
    double x = m_controls.center().x() - total / 2;
    const double y = m_controls.center().y() - Metrics::dotHeight / 2;
    std::vector<QRectF> rects;
    rects.reserve(widths.size());
    for (const double width : widths) {
        rects.emplace_back(x, y, width, Metrics::dotHeight);
        x += width + Metrics::dotSpacing;
    }
    return rects;
}

std::optional<WelcomeTourTarget> WelcomeTourLayout::hitTest(QPointF point) const
{
    if (m_leftButton.contains(point))
        return m_leftTarget;
    if (m_rightButton.contains(point))
        return m_rightTarget;
    // A dot is small: its whole slice of the row, as tall as the buttons, answers for it.
    const double reach = Metrics::dotSpacing / 2;
    for (std::size_t index = 0; index < m_dots.size(); ++index) {
        const QRectF slice(m_dots[index].left() - reach, m_controls.top(),
            m_dots[index].width() + 2 * reach, Metrics::buttonHeight);
        if (slice.contains(point))
            return WelcomeTourTarget { Kind::dot, static_cast<int>(index) };
    }
    return std::nullopt;
}

} // namespace moorlet
