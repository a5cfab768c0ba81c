#include "Moorlet/Views/CardLayout.h"

#include "Moorlet/Views/SubjectIntentionRow.h"
#include "VeltraneKit/Theme/DesignTokens.h"

namespace moorlet {

namespace Spacing = veltrane::DesignTokens::Spacing;

double CardLayout::rowHeight(CardRow row, const OptionalCardRows& optionalRows)
{
    switch (row) {
    case CardRow::header:
        return 20; // the mascot's size
    case CardRow::ring:
        return 160; // the ring; the aura's glow spreads beyond the row
    case CardRow::controls:
        return 54; // the prominent button
    case CardRow::taskPicker:
        return 28;
    case CardRow::subjectIntention:
        return SubjectIntentionRow::kHeight;
    case CardRow::quickStart:
        return 32; // 12-point text padded 8 above and below
    case CardRow::accountability:
        return 86;
    case CardRow::insight:
        return 14;
    case CardRow::exam:
        return 38;
    case CardRow::ambient:
        return 44;
    case CardRow::nowPlaying:
        // A track's title above its artist, or the offers to open a player, line by line.
        return optionalRows.playerOffersHeight > 0 ? optionalRows.playerOffersHeight : 34;
    }
    return 0;
}

CardLayout::CardLayout(const OptionalCardRows& optionalRows, double width)
{
    std::vector<CardRow> shown { CardRow::header, CardRow::ring, CardRow::controls, CardRow::taskPicker,
        CardRow::subjectIntention, CardRow::quickStart, CardRow::accountability };
    if (optionalRows.insight)
        shown.push_back(CardRow::insight);
    if (optionalRows.exam)
        shown.push_back(CardRow::exam);
    shown.push_back(CardRow::ambient);
    if (optionalRows.nowPlaying)
        shown.push_back(CardRow::nowPlaying);

    double y = Spacing::lg;
    const double contentWidth = width - 2 * Spacing::lg;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (i > 0)
            y += Spacing::md;
        const double height = rowHeight(shown[i], optionalRows);
        m_rows.push_back({ shown[i], QRectF(Spacing::lg, y, contentWidth, height), static_cast<int>(i) });
        y += height;
    }
    m_requiredHeight = y + Spacing::lg;
}

std::optional<QRectF> CardLayout::rect(CardRow row) const
{
    for (const Row& entry : m_rows) {
        if (entry.kind == row)
            return entry.rect;
    }
    return std::nullopt;
}

} // namespace moorlet
