#pragma once

#include "Moorlet/Views/OptionalCardRows.h"

#include <QRectF>

#include <optional>
#include <vector>

namespace moorlet {

// The expanded card's rows, top to bottom.
enum class CardRow {
    header,
    ring,
    controls,
    taskPicker,
    // The subject chip and the intention line.
    subjectIntention,
    quickStart,
    accountability,
    insight,
    exam,
    ambient,
    nowPlaying,
};

// Where each shown row of the expanded card lies, in the card's coordinates (origin at its
// top-left corner): a column of fixed-height rows, Spacing.md apart, inside Spacing.lg padding,
// top-aligned. The card is as tall as its rows need (WidgetMetrics::expandedHeight).
class CardLayout {
public:
    struct Row {
        CardRow kind;
        QRectF rect;
        // The row's position among the shown rows, for the staggered reveal.
        int revealIndex;
    };

    CardLayout(const OptionalCardRows& optionalRows, double width);

    const std::vector<Row>& rows() const { return m_rows; }
    std::optional<QRectF> rect(CardRow row) const;
    // The lowest row's bottom edge plus the bottom padding: the height the rows need.
    double requiredHeight() const { return m_requiredHeight; }

private:
    static double rowHeight(CardRow row, const OptionalCardRows& optionalRows);

    std::vector<Row> m_rows;
    double m_requiredHeight = 0;
};

} // namespace moorlet
