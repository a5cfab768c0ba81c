#include "Moorlet/Views/SubjectIntentionRow.h"

#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/IntentionPopover.h"
#include "Moorlet/Views/PaintText.h"
#include "Moorlet/Views/SubjectPickerPopover.h"
#include "Moorlet/Views/ViewContext.h"
#include "VeltraneKit/Symbols/SymbolPainter.h"
#include "VeltraneKit/Theme/DesignTokens.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace moorlet {

namespace {

namespace Typography = veltrane::DesignTokens::Typography;

constexpr double kChipPaddingX = 9;
constexpr double kTagSymbolSize = 10;
constexpr double kChipGap = 5;
constexpr double kRowGap = 8;
constexpr double kIntentionSymbolSize = 11;
constexpr double kIntentionGap = 6;

double symbolWidth(double size)
{
    return veltrane::SymbolPainter::box({}, size).width();
}

} // namespace

SubjectIntentionRow::SubjectIntentionRow(ViewContext& context)
    : m_context(context)
    , m_subjectMenu(context, [](ViewContext& context, QWidget* host) { return new SubjectPickerPopover(context, host); })
    , m_intentionField(context, [](ViewContext& context, QWidget* host) { return new IntentionPopover(context, host); })
{
}

QString SubjectIntentionRow::subjectTitle() const
{
    const QString subject = m_context.controller.loggedSubject();
    return subject.isEmpty() ? CardTexts::kNoSubject : subject;
}

QString SubjectIntentionRow::intentionText() const
{
    const QString intention = m_context.controller.intention().trimmed();
    return intention.isEmpty() ? CardTexts::kNoIntention : intention;
}

QRectF SubjectIntentionRow::subjectRect(const QRectF& row) const
{
    const QFontMetricsF metrics(Typography::label().font());
    const double natural = 2 * kChipPaddingX + symbolWidth(kTagSymbolSize) + kChipGap + metrics.horizontalAdvance(subjectTitle());
    // A long subject is cut short before the invitation to set an intention is.
    const double intentionRoom = symbolWidth(kIntentionSymbolSize) + kIntentionGap + metrics.horizontalAdvance(CardTexts::kNoIntention);
    return { row.left(), row.top(), std::min(std::ceil(natural), row.width() - kRowGap - std::ceil(intentionRoom)), row.height() };
}

QRectF SubjectIntentionRow::intentionRect(const QRectF& row) const
{
    const double left = subjectRect(row).right() + kRowGap;
    return { left, row.top(), row.right() - left, row.height() };
}

SubjectPickerPopover* SubjectIntentionRow::subjectPopover() const
{
    return static_cast<SubjectPickerPopover*>(m_subjectMenu.popup());
}

IntentionPopover* SubjectIntentionRow::intentionPopover() const
{
    return static_cast<IntentionPopover*>(m_intentionField.popup());
}

void SubjectIntentionRow::closePopups()
{
    m_subjectMenu.setShowing(false);
    m_intentionField.setShowing(false);
}

void SubjectIntentionRow::paint(QPainter& painter, const QRectF& row) const
{
    const ViewPalette& palette = m_context.palette;
    const QColor accent = m_context.accent();
    const QFont font = Typography::label().font();
    const bool hasSubject = !m_context.controller.loggedSubject().isEmpty();
    const bool hasIntention = !m_context.controller.intention().trimmed().isEmpty();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);

    const QRectF chip = subjectRect(row);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette.subtleFill);
    painter.drawRoundedRect(chip, chip.height() / 2, chip.height() / 2);
    const double tagWidth = symbolWidth(kTagSymbolSize);
    veltrane::SymbolPainter::paint(painter, QPointF(chip.left() + kChipPaddingX + tagWidth / 2, chip.center().y()),
        kTagSymbolSize, QStringLiteral("tag.fill"), hasSubject ? accent : palette.textTertiary);
    const double textLeft = chip.left() + kChipPaddingX + tagWidth + kChipGap;
    painter.setPen(hasSubject ? palette.textPrimary : palette.textSecondary);
    drawElidedText(painter, QRectF(textLeft, chip.top(), chip.right() - kChipPaddingX - textLeft, chip.height()),
        Qt::AlignLeft | Qt::AlignVCenter, subjectTitle());

    const QRectF line = intentionRect(row);
    const double targetWidth = symbolWidth(kIntentionSymbolSize);
    veltrane::SymbolPainter::paint(painter, QPointF(line.left() + targetWidth / 2, line.center().y()),
        kIntentionSymbolSize, QStringLiteral("target"), hasIntention ? accent : palette.textTertiary);
    painter.setPen(hasIntention ? palette.textPrimary : palette.textSecondary);
    drawElidedText(painter, line.adjusted(targetWidth + kIntentionGap, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
        intentionText());
    painter.restore();
}

} // namespace moorlet
