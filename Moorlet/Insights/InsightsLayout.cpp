#include "Moorlet/Insights/InsightsLayout.h"

#include <algorithm>

namespace moorlet {

namespace M = InsightsMetrics;

InsightsLayout::InsightsLayout(int dayCount, int subjectCount)
    : m_dayCount(std::max(dayCount, 1))
{
    const double inner = M::width - 2 * M::padding;
    double y = M::padding;
    m_title = QRectF(M::padding, y, inner, M::titleHeight);
    m_picker = QRectF(M::width - M::padding - M::pickerWidth, y + (M::titleHeight - M::pickerHeight) / 2,
        M::pickerWidth, M::pickerHeight);
    y += M::titleHeight + M::spacing;

    const double summaryWidth = (inner - 3 * M::summaryGap) / 4;
    for (std::size_t index = 0; index < m_summary.size(); ++index)
        m_summary[index] = QRectF(M::padding + static_cast<double>(index) * (summaryWidth + M::summaryGap), y,
            summaryWidth, M::summaryHeight);
    y += M::summaryHeight + M::spacing;

    m_days = card(y, M::hoverLineHeight + M::cardSpacing + M::dayChartHeight + M::dayLetterHeight);
    m_hours = card(y, M::peakLineHeight + M::cardSpacing + M::hourChartHeight + M::hourAxisHeight);
    // An empty subject list keeps the card's header only.
    const double rows = static_cast<double>(subjectCount);
    m_subjects = card(y, subjectCount > 0 ? rows * M::subjectRowHeight + (rows - 1) * M::subjectRowGap : 0);
    const double grid = M::activityRows * M::activityTile + (M::activityRows - 1) * M::activityGap;
    m_activity = card(y, M::hoverLineHeight + M::cardSpacing + grid + M::cardSpacing + M::legendHeight);

    m_share = QRectF(M::padding, y, M::footerButtonWidth, M::footerButtonHeight);
    m_export = QRectF(m_share.right() + M::summaryGap, y, M::footerButtonWidth, M::footerButtonHeight);
    y += M::footerButtonHeight + M::cardSpacing;
    m_privacy = QRectF(M::padding, y, inner, M::privacyHeight);
    m_height = m_privacy.bottom() + M::padding;
}

InsightsLayout::Card InsightsLayout::card(double& y, double contentHeight) const
{
    const double inner = M::width - 2 * M::padding;
    const bool hasContent = contentHeight > 0;
    const double height = 2 * M::cardPadding + M::cardHeaderHeight + (hasContent ? M::cardSpacing + contentHeight : 0);
    Card result;
    result.frame = QRectF(M::padding, y, inner, height);
    const QRectF padded = result.frame.adjusted(M::cardPadding, M::cardPadding, -M::cardPadding, -M::cardPadding);
    result.header = QRectF(padded.topLeft(), QSizeF(padded.width(), M::cardHeaderHeight));
    result.content = QRectF(padded.left(), result.header.bottom() + M::cardSpacing, padded.width(), contentHeight);
    y += height + M::spacing;
    return result;
}

QRectF InsightsLayout::pickerSegment(int index) const
{
    const double half = m_picker.width() / 2;
    return QRectF(m_picker.left() + half * index, m_picker.top(), half, m_picker.height());
}

QRectF InsightsLayout::dayHoverLine() const
{
    return QRectF(m_days.content.topLeft(), QSizeF(m_days.content.width(), M::hoverLineHeight));
}

QRectF InsightsLayout::dayChart() const
{
    const QRectF content = m_days.content;
    return QRectF(content.left(), dayHoverLine().bottom() + M::cardSpacing, content.width() - M::axisLabelWidth,
        M::dayChartHeight);
}

QRectF InsightsLayout::daySlot(int index) const
{
    const QRectF chart = dayChart();
    const double slot = chart.width() / m_dayCount;
    return QRectF(chart.left() + slot * index, chart.top(), slot, chart.height() + M::dayLetterHeight);
}

QRectF InsightsLayout::dayBar(int index, double fraction) const
{
    const QRectF slot = daySlot(index);
    // Bars take most of a week's wide slots and more of a month's narrow ones.
    const double width = std::min(slot.width() * (m_dayCount > 7 ? 0.7 : 0.45), 36.0);
    const double height = std::max(fraction * M::dayChartHeight, M::minimumBarHeight);
    const double bottom = slot.top() + M::dayChartHeight;
    return QRectF(slot.center().x() - width / 2, bottom - height, width, height);
}

QRectF InsightsLayout::peakLine() const
{
    return QRectF(m_hours.content.topLeft(), QSizeF(m_hours.content.width(), M::peakLineHeight));
}

QRectF InsightsLayout::hourChart() const
{
    return QRectF(m_hours.content.left(), peakLine().bottom() + M::cardSpacing, m_hours.content.width(),
        M::hourChartHeight);
}

QRectF InsightsLayout::hourAxis() const
{
    return QRectF(m_hours.content.left(), hourChart().bottom(), m_hours.content.width(), M::hourAxisHeight);
}

QRectF InsightsLayout::subjectRow(int index) const
{
    return QRectF(m_subjects.content.left(), m_subjects.content.top() + index * (M::subjectRowHeight + M::subjectRowGap),
        m_subjects.content.width(), M::subjectRowHeight);
}

QRectF InsightsLayout::activityHoverLine() const
{
    return QRectF(m_activity.content.topLeft(), QSizeF(m_activity.content.width(), M::hoverLineHeight));
}

QRectF InsightsLayout::activityTile(int index) const
{
    const int column = index / static_cast<int>(M::activityRows);
    const int row = index % static_cast<int>(M::activityRows);
    const double pitch = M::activityTile + M::activityGap;
    return QRectF(m_activity.content.left() + column * pitch, activityHoverLine().bottom() + M::cardSpacing + row * pitch,
        M::activityTile, M::activityTile);
}

QRectF InsightsLayout::legend() const
{
    const double top = activityTile(static_cast<int>(M::activityRows) - 1).bottom() + M::cardSpacing;
    return QRectF(m_activity.content.left(), top, m_activity.content.width(), M::legendHeight);
}

std::optional<InsightsTarget> InsightsLayout::hitTest(QPointF point) const
{
    using Kind = InsightsTarget::Kind;
    if (pickerSegment(0).contains(point))
        return InsightsTarget { Kind::week };
    if (pickerSegment(1).contains(point))
        return InsightsTarget { Kind::month };
    if (m_share.contains(point))
        return InsightsTarget { Kind::shareRecap };
    if (m_export.contains(point))
        return InsightsTarget { Kind::exportCsv };
    for (int index = 0; index < m_dayCount; ++index) {
        if (daySlot(index).contains(point))
            return InsightsTarget { Kind::dayBar, index };
    }
    const int tiles = static_cast<int>(M::activityColumns * M::activityRows);
    for (int index = 0; index < tiles; ++index) {
        if (activityTile(index).contains(point))
            return InsightsTarget { Kind::activityTile, index };
    }
    return std::nullopt;
}

} // namespace moorlet
