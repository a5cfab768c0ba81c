#include "Moorlet/Views/AwayBanner.h"

#include "VeltraneKit/Theme/ColorOpacity.h"
#include "VeltraneKit/Theme/DesignTokens.h"
#include "VeltraneKit/Theme/TypeStyle.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace moorlet {

namespace {

using Kind = CardTarget::Kind;
namespace Spacing = veltrane::DesignTokens::Spacing;
namespace Radius = veltrane::DesignTokens::Radius;

constexpr double kButtonWidth = 76;
constexpr double kButtonHeight = 26;
constexpr double kButtonFillOpacity = 0.14;
constexpr double kHoveredFillOpacity = 0.26;
const veltrane::TypeStyle kMessageStyle { 13, QFont::Medium, veltrane::FontDesign::rounded, false };
const veltrane::TypeStyle kButtonStyle { 12, QFont::DemiBold, veltrane::FontDesign::rounded, false };

} // namespace

std::vector<CardTarget::Kind> AwayBanner::buttons(FocusController::AwayNotice::Kind kind)
{
    if (kind == FocusController::AwayNotice::Kind::idle)
        return { Kind::awayKeep, Kind::awayDrop };
    return { Kind::awayResume };
}

QString AwayBanner::message(veltrane::Seconds away)
{
    // Whole minutes, and at least one: the question only comes after minutes away.
    const auto minutes = std::max(1.0, std::round(away / 60));
    return QStringLiteral("You were away for %1 min.").arg(minutes);
}

QString AwayBanner::label(CardTarget::Kind button)
{
    switch (button) {
    case Kind::awayKeep:
        return QStringLiteral("Keep it");
    case Kind::awayDrop:
        return QStringLiteral("Drop it");
    default:
        return QStringLiteral("Resume");
    }
}

QRectF AwayBanner::buttonRect(const QRectF& rect, FocusController::AwayNotice::Kind kind, CardTarget::Kind button)
{
    const auto all = buttons(kind);
    const auto count = static_cast<double>(all.size());
    const auto index = static_cast<double>(std::find(all.begin(), all.end(), button) - all.begin());
    const double rowWidth = count * kButtonWidth + (count - 1) * Spacing::xs;
    const double left = rect.center().x() - rowWidth / 2 + index * (kButtonWidth + Spacing::xs);
    return { left, rect.bottom() - Spacing::xs - kButtonHeight, kButtonWidth, kButtonHeight };
}

std::optional<CardTarget> AwayBanner::hitTest(const QRectF& rect, FocusController::AwayNotice::Kind kind, QPointF point)
{
    for (const Kind button : buttons(kind)) {
        if (buttonRect(rect, kind, button).contains(point))
            return CardTarget { button };
    }
    return std::nullopt;
}

void AwayBanner::paint(QPainter& painter, const QRectF& rect, const FocusController::AwayNotice& notice,
    const Colors& colors, const std::optional<CardTarget>& hovered)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colors.background);
    painter.drawRoundedRect(rect, Radius::small, Radius::small);
    painter.setPen(colors.text);
    painter.setFont(kMessageStyle.font());
    const QRectF line(rect.left(), rect.top() + Spacing::xs, rect.width(), rect.height() - 2 * Spacing::xs - kButtonHeight);
    painter.drawText(line, Qt::AlignCenter, message(notice.away));
    painter.setFont(kButtonStyle.font());
    for (const Kind button : buttons(notice.kind)) {
        const QRectF shape = buttonRect(rect, notice.kind, button);
        const bool isHovered = hovered && hovered->kind == button;
        painter.setPen(Qt::NoPen);
        painter.setBrush(veltrane::withOpacity(colors.accent, isHovered ? kHoveredFillOpacity : kButtonFillOpacity));
        painter.drawRoundedRect(shape, Radius::small, Radius::small);
        painter.setPen(colors.accent);
        painter.drawText(shape, Qt::AlignCenter, label(button));
    }
    painter.restore();
}

} // namespace moorlet
