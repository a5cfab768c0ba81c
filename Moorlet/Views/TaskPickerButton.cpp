#include "Moorlet/Views/TaskPickerButton.h"

#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/PaintText.h"
#include "Moorlet/Views/TaskPickerPopover.h"
#include "Moorlet/Views/ViewContext.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/DesignTokens.h"

#include <QPainter>

namespace moorlet {

namespace {

namespace Radius = veltrane::DesignTokens::Radius;

constexpr double kPaddingX = 10;
constexpr double kSymbolSize = 12;
constexpr double kChevronSize = 9;
constexpr double kGap = 8;

} // namespace

TaskPickerButton::TaskPickerButton(ViewContext& context)
    : m_context(context)
    , m_popover(context, [](ViewContext& context, QWidget* host) { return new TaskPickerPopover(context, host); })
{
}

QString TaskPickerButton::title() const
{
    if (const auto task = m_context.store.task(m_context.controller.activeTaskID()))
        return QString::fromStdString(task->title);
    return CardTexts::kNoActiveTask;
}

void TaskPickerButton::paint(QPainter& painter, const QRectF& rect) const
{
    const ViewPalette& palette = m_context.palette;
    const QColor accent = m_context.accent();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette.subtleFill);
    painter.drawRoundedRect(rect, Radius::small, Radius::small);

    const double symbolWidth = veltrane::SymbolPainter::box({}, kSymbolSize).width();
    veltrane::SymbolPainter::paint(painter, QPointF(rect.left() + kPaddingX + symbolWidth / 2, rect.center().y()),
        kSymbolSize, QStringLiteral("checklist"), accent);
    const double chevronWidth = veltrane::SymbolPainter::box({}, kChevronSize).width();
    veltrane::SymbolPainter::paint(painter, QPointF(rect.right() - kPaddingX - chevronWidth / 2, rect.center().y()),
        kChevronSize, QStringLiteral("chevron.up.chevron.down"), palette.textTertiary);

    const bool hasTask = m_context.store.task(m_context.controller.activeTaskID()).has_value();
    const QFont font = veltrane::DesignTokens::Typography::label().font();
    const double left = rect.left() + kPaddingX + symbolWidth + kGap;
    const QRectF text(left, rect.top(), rect.right() - kPaddingX - chevronWidth - kGap - left, rect.height());
    painter.setFont(font);
    painter.setPen(hasTask ? palette.textPrimary : palette.textSecondary);
    drawElidedText(painter, text, Qt::AlignLeft | Qt::AlignVCenter, title());
    painter.restore();
}

} // namespace moorlet
