#include "Moorlet/Views/CollapsedTileView.h"

#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/ReduceMotion.h"
#include "Moorlet/Views/ViewContext.h"
#include "VeltraneKit/Components/ProgressArcPainter.h"
#include "VeltraneKit/Motion/Motion.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/DesignTokens.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace moorlet {

namespace {

using veltrane::Animation;
namespace Typography = veltrane::DesignTokens::Typography;
namespace Spacing = veltrane::DesignTokens::Spacing;

const Animation kProgressChange = Animation::easeInOut(0.3);
// The smallest change of progress worth easing: about a point of the ring's or arc's length.
constexpr double kVisibleProgressStep = 0.004;
const Animation kDigits = Animation::spring(0.2, 0.85);
const Animation kHintFade = Animation::easeInOut(0.2);
constexpr double kTimePaddingX = 10;
constexpr double kSmallestTimeScale = 0.5;
constexpr double kHintSymbolSize = 12;
// The time's line and the word's line, stacked Spacing.tight apart and centred in the tile.
constexpr double kTimeLineHeight = 24;
constexpr double kWordLineHeight = 14;

} // namespace

CollapsedTileView::CollapsedTileView(ViewContext& context)
    : m_context(context)
    , m_progress(context.ticker, 0.0)
    , m_time(context.ticker, RollingText::Style::digits, RollingText::Entry::fromAbove)
    , m_hint(context.ticker, 0.0)
{
    m_progress.onFrame = context.repaint;
    m_time.setOnFrame(context.repaint);
    m_hint.onFrame = context.repaint;
    refresh();
}

void CollapsedTileView::refresh()
{
    const FocusController& controller = m_context.controller;
    const bool reduce = m_context.reducesMotion();
    const bool animate = m_initialised;
    m_initialised = true;
    const auto when = [animate](const Animation& animation) {
        return animate ? std::optional(animation) : std::nullopt;
    };
    if (controller.progress() != m_progress.target()) {
        // A tick moves a long block's arc by a fraction of a point: such steps are drawn as they
        // are, and only visible jumps (a skip, a reset, a new phase) ease.
        const bool visible = std::abs(controller.progress() - m_progress.target()) >= kVisibleProgressStep;
        m_progress.start(controller.progress(), visible ? when(kProgressChange) : std::nullopt);
    }
    m_time.setText(controller.displayTime(), reduce ? std::nullopt : when(kDigits));
    const double hint = controller.isHovered() ? 1.0 : 0.0;
    if (hint != m_hint.target())
        m_hint.start(hint, when(veltrane::Motion::adaptive(kHintFade, reduce)));
}

void CollapsedTileView::paint(QPainter& painter, const QRectF& tile) const
{
    const FocusController& controller = m_context.controller;
    const QColor accent = m_context.accent();

    veltrane::ProgressArcPainter arc;
    arc.progress = m_progress.value();
    arc.tint = accent;
    arc.lineWidth = kArcLineWidth;
    arc.paint(painter, tile.adjusted(kArcInset, kArcInset, -kArcInset, -kArcInset));

    const double columnHeight = kTimeLineHeight + Spacing::tight + kWordLineHeight;
    const double top = tile.center().y() - columnHeight / 2;
    const QRectF timeBox(tile.left() + kTimePaddingX, top, tile.width() - 2 * kTimePaddingX, kTimeLineHeight);
    m_time.paint(painter, timeBox, Typography::countdownCollapsed().font(), m_context.palette.textPrimary,
        Qt::AlignHCenter, kSmallestTimeScale);

    const QRectF wordBox(tile.left(), timeBox.bottom() + Spacing::tight, tile.width(), kWordLineHeight);
    const double hint = std::clamp(m_hint.value(), 0.0, 1.0);
    const double opacity = painter.opacity();
    painter.save();
    if (hint < 1) {
        painter.setOpacity(opacity * (1 - hint));
        painter.setPen(m_context.palette.textSecondary);
        painter.setFont(Typography::secondary().font());
        painter.drawText(wordBox, Qt::AlignCenter, CardTexts::tilePhaseWord(controller.phase()));
    }
    if (hint > 0) {
        painter.setOpacity(opacity * hint);
        veltrane::SymbolPainter::paint(
            painter, wordBox.center(), kHintSymbolSize, QStringLiteral("chevron.compact.up"), accent);
    }
    painter.restore();
}

} // namespace moorlet
