#pragma once

#include "Moorlet/Insights/InsightsTarget.h"

#include <QPointF>
#include <QRectF>

#include <array>
#include <optional>
#include <vector>

namespace moorlet {

// The window's fixed measures, in points.
namespace InsightsMetrics {
    inline constexpr double width = 720;
    inline constexpr double padding = 24;
    inline constexpr double spacing = 22;
    inline constexpr double titleHeight = 58;
    inline constexpr double pickerWidth = 140;
    inline constexpr double pickerHeight = 28;
    inline constexpr double summaryHeight = 104;
    inline constexpr double summaryGap = 12;
    inline constexpr double cardPadding = 18;
    inline constexpr double cardSpacing = 14;
    inline constexpr double cardHeaderHeight = 20;
    inline constexpr double hoverLineHeight = 16;
    inline constexpr double dayChartHeight = 130;
    inline constexpr double dayLetterHeight = 18;
    // Room for the grid lines' labels beside the bars.
    inline constexpr double axisLabelWidth = 44;
    inline constexpr double minimumBarHeight = 8;
    inline constexpr double peakLineHeight = 18;
    inline constexpr double hourChartHeight = 80;
    inline constexpr double hourAxisHeight = 16;
    inline constexpr double subjectRowHeight = 20;
    inline constexpr double subjectRowGap = 10;
    inline constexpr double subjectNameWidth = 90;
    inline constexpr double subjectValueWidth = 56;
    inline constexpr double activityColumns = 16;
    inline constexpr double activityRows = 7;
    inline constexpr double activityTile = 22;
    inline constexpr double activityGap = 4;
    inline constexpr double legendHeight = 16;
    inline constexpr double footerButtonHeight = 32;
    inline constexpr double footerButtonWidth = 150;
    inline constexpr double privacyHeight = 16;
} // namespace InsightsMetrics

// Where everything of the insights window lies for a number of day bars and subject rows: the
// title row with the range picker, the four summary cards, the four chart cards and the footer,
// top to bottom in a column of the window's width. Pure geometry.
class InsightsLayout {
public:
    struct Card {
        QRectF frame;
        // The header row (symbol and title).
        QRectF header;
        // Everything under the header, inside the padding.
        QRectF content;
    };

    InsightsLayout(int dayCount, int subjectCount);

    double height() const { return m_height; }
    QRectF title() const { return m_title; }
    QRectF picker() const { return m_picker; }
    QRectF pickerSegment(int index) const;
    const std::array<QRectF, 4>& summaryCards() const { return m_summary; }

    const Card& days() const { return m_days; }
    QRectF dayHoverLine() const;
    // The bars' area (bar tops reach up to its top; letters sit under it).
    QRectF dayChart() const;
    QRectF dayBar(int index, double fraction) const;
    // The slot of one day, full height: where the pointer picks it.
    QRectF daySlot(int index) const;

    const Card& hours() const { return m_hours; }
    QRectF peakLine() const;
    QRectF hourChart() const;
    QRectF hourAxis() const;

    const Card& subjects() const { return m_subjects; }
    QRectF subjectRow(int index) const;

    const Card& activity() const { return m_activity; }
    QRectF activityHoverLine() const;
    // Tile `index` of the 112, oldest first, a column per week.
    QRectF activityTile(int index) const;
    QRectF legend() const;

    QRectF shareButton() const { return m_share; }
    QRectF exportButton() const { return m_export; }
    QRectF privacyLine() const { return m_privacy; }

    std::optional<InsightsTarget> hitTest(QPointF point) const;

private:
    Card card(double& y, double contentHeight) const;

    int m_dayCount;
    double m_height = 0;
    QRectF m_title;
    QRectF m_picker;
    std::array<QRectF, 4> m_summary;
    Card m_days;
    Card m_hours;
    Card m_subjects;
    Card m_activity;
    QRectF m_share;
    QRectF m_export;
    QRectF m_privacy;
};

} // namespace moorlet
