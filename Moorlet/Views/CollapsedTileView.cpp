#include "Moorlet/Views/CollapsedTileView.h"

#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/ReduceMotion.h"
#include "Moorlet/Views/ViewContext.h"
#include "Moorlet/Views/WidgetMetrics.h"
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
// The arc is drawn to the nearest of this many steps, half a point each along its length: a
// tick that does not reach the next step paints nothing.
constexpr double kArcSteps = 600;
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
    m_progress.onFrame = [this] { m_context.repaintTileArea(arcArea()); };
    m_time.settleFor(Typography::countdownCollapsed().font());
    m_time.setOnFrame([this] { m_context.repaintTileArea(timeArea()); });
    m_hint.onFrame = context.repaint;
    refresh();
}

QRectF CollapsedTileView::timeBox()
{
    const double columnHeight = kTimeLineHeight + Spacing::tight + kWordLineHeight;
    const double top = (WidgetMetrics::collapsed.height - columnHeight) / 2;
    return QRectF(kTimePaddingX, top, WidgetMetrics::collapsed.width - 2 * kTimePaddingX, kTimeLineHeight);
}

QRectF CollapsedTileView::phaseWordBox()
{
    return QRectF(0, timeBox().bottom() + Spacing::tight, WidgetMetrics::collapsed.width, kWordLineHeight);
}

QRectF CollapsedTileView::celebrationArea()
{
    const double bottom = phaseWordBox().top() - Spacing::tight;
    return QRectF(kArcInset, kArcInset, WidgetMetrics::collapsed.width - 2 * kArcInset, bottom - kArcInset);
}

QRectF CollapsedTileView::timeArea()
{
    return RollingText::paintArea(timeBox(), Typography::countdownCollapsed().font());
}

QRectF CollapsedTileView::arcArea()
{
    const double reach = kArcInset - kArcLineWidth;
    return QRectF(reach, reach, WidgetMetrics::collapsed.width - 2 * reach, WidgetMetrics::collapsed.height - 2 * reach);
}

double CollapsedTileView::drawnProgress() const
{
    return std::round(m_progress.value() * kArcSteps) / kArcSteps;
}

void CollapsedTileView::setShown(bool shown)
{
    if (shown == m_shown)
        return;
    m_shown = shown;
    refresh();
}

void CollapsedTileView::refresh()
{
    const FocusController& controller = m_context.controller;
    const bool reduce = m_context.reducesMotion();
    refreshTime();
    const auto animation = m_shown ? std::optional(veltrane::Motion::adaptive(kHintFade, reduce)) : std::nullopt;
    const double hint = controller.isHovered() ? 1.0 : 0.0;
    if (hint != m_hint.target())
        m_hint.start(hint, animation);
}

void CollapsedTileView::refreshTime()
{
    const FocusController& controller = m_context.controller;
    const bool reduce = m_context.reducesMotion();
    // Changes animate only on a tile that is on screen and has shown its first look.
    const bool animate = m_initialised && m_shown;
    m_initialised = true;
    const auto when = [animate](const Animation& animation) {
        return animate ? std::optional(animation) : std::nullopt;
    };
    if (controller.progress() != m_progress.target()) {
        // A tick moves a long block's arc by a fraction of a point: such steps are drawn as they
        // are, and only visible jumps (a skip, a reset, a new phase) ease.
        const bool visible = std::abs(controller.progress() - m_progress.target()) >= kVisibleProgressStep;
        const auto animation = visible ? when(kProgressChange) : std::nullopt;
        const double shown = drawnProgress();
        m_progress.start(controller.progress(), animation);
        if (!animation && m_shown && drawnProgress() != shown)
            m_context.repaintTileArea(arcArea());
    }
    if (controller.displayTime() != m_time.text()) {
        const auto animation = reduce ? std::nullopt : when(RollingText::digitRoll());
        m_time.setText(controller.displayTime(), animation);
        if (!animation && m_shown)
            m_context.repaintTileArea(timeArea());
    }
}

void CollapsedTileView::paint(QPainter& painter, const QRectF& tile) const
{
    const FocusController& controller = m_context.controller;
    const QColor accent = m_context.accent();

    veltrane::ProgressArcPainter arc;
    arc.progress = drawnProgress();
    arc.tint = accent;
    arc.lineWidth = kArcLineWidth;
    arc.paint(painter, tile.adjusted(kArcInset, kArcInset, -kArcInset, -kArcInset));

    const QRectF timeBox = CollapsedTileView::timeBox().translated(tile.topLeft());
    m_time.paint(painter, timeBox, Typography::countdownCollapsed().font(), m_context.palette.textPrimary,
        Qt::AlignHCenter, kSmallestTimeScale);

    const QRectF wordBox = phaseWordBox().translated(tile.topLeft());
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
